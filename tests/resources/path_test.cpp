// The map path: loading the point file and finding points along it.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "resources_fixture.h"

namespace {

using PathTest = ResourcesTest;

// A path file of the given points; `declared` overrides the point count.
constexpr int32_t kActualCount = INT32_MIN;
std::string pathFile(const std::vector<Vec2>& points, float length,
                     int32_t declared = kActualCount, bool trailer = true) {
  std::string bytes(8, '\0');
  const int32_t count = declared != kActualCount ? declared : int32_t(points.size());
  std::memcpy(bytes.data(), &count, 4);
  std::memcpy(bytes.data() + 4, &length, 4);
  for (const Vec2& p : points) bytes.append(reinterpret_cast<const char*>(&p), 8);
  if (trailer) bytes.append(40, '\0');
  return bytes;
}

TEST_F(PathTest, PointsAreInterpolatedAndLiftedBy30) {
  testWriteFile("trajectory1.spl", pathFile({{0, 0}, {20, 0}, {40, 0}}, 40.0f));
  ASSERT_TRUE(loadPath("trajectory1.spl"));
  EXPECT_EQ(pathState.pathPointCount, 3);
  Vec2 p = pointOnPath(0.0f);
  EXPECT_FLOAT_EQ(p.x, 0.0f);
  EXPECT_FLOAT_EQ(p.y, 30.0f);
  p = pointOnPath(30.0f);
  EXPECT_FLOAT_EQ(p.x, 30.0f);
  EXPECT_FLOAT_EQ(p.y, 30.0f);
  p = pointOnPath(40.0f);
  EXPECT_FLOAT_EQ(p.x, 40.0f);
  p = pointOnPath(40.01f);
  EXPECT_FLOAT_EQ(p.x, -1000.0f);
  EXPECT_FLOAT_EQ(p.y, 0.0f);
  EXPECT_FLOAT_EQ(pointOnPath(-1.0f).x, 1000.0f);
}

TEST_F(PathTest, MissingFileLeavesAnEmptyPathWithEveryDistanceOffIt) {
  EXPECT_FALSE(loadPath("trajectory1.spl"));
  EXPECT_FLOAT_EQ(pointOnPath(5.0f).x, -1000.0f);
  EXPECT_FLOAT_EQ(pointOnPath(0.0f).x, -1000.0f);  // no points to stand on
}

TEST_F(PathTest, OversizedOrShortFilesAreRefusedAndKeepTheOldPath) {
  testWriteFile("good.spl", pathFile({{5, 5}, {25, 5}}, 20.0f, kActualCount, false));
  ASSERT_TRUE(loadPath("good.spl"));  // the unused trailer may be missing
  std::vector<Vec2> many(kMaxPathPoints + 1, Vec2{0, 0});
  testWriteFile("big.spl", pathFile(many, 1.0f));
  testWriteFile("short.spl", pathFile({{0, 0}}, 20.0f, 2, false));
  testWriteFile("negative.spl", pathFile({}, 0.0f, -5));
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(loadPath("big.spl"));
  EXPECT_FALSE(loadPath("short.spl"));
  EXPECT_FALSE(loadPath("negative.spl"));
  const std::string messages = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(messages.find("big.spl"), std::string::npos);
  EXPECT_NE(messages.find("short.spl"), std::string::npos);
  EXPECT_EQ(pathState.pathPointCount, 2);
  EXPECT_FLOAT_EQ(pointOnPath(10.0f).x, 15.0f);
}

}  // namespace
