// Where the map puts its artefacts and level marks along the road: zones of equal
// length, five marks spread over each less its margins, each turned along the
// road; and the generated road, whose marks must fit the screen beside the level
// choice's buttons, box and miniature.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "map/map.h"
#include "platform/platform.h"
#include "resources/resources.h"

namespace {

// A straight road of `points` points 20 apart from `from` in direction `degrees`.
void straightRoad(Vec2 from, float degrees, int32_t points) {
  pathState = {};
  pathState.pathPointCount = points;
  pathState.pathLength = 20.0f * float(points - 1);
  const float a = degrees / kRadToDeg;
  for (int32_t i = 0; i < points; ++i) {
    pathState.pathPoints[i] = {from.x + 20.0f * float(i) * std::cos(a),
                               from.y + 20.0f * float(i) * std::sin(a)};
  }
  computeMapGeometry();
}

class MapGeometryTest : public ::testing::Test {
 protected:
  void TearDown() override { pathState = {}; }
};

// A road of 4200 units: zones of 300, marks 46.8 apart from 33 after a zone's start.
TEST_F(MapGeometryTest, MarksSpreadOverEachZoneLessItsMarginsAndArtefactsMarkTheBounds) {
  straightRoad({-350.0f, 0.0f}, 0.0f, 211);
  EXPECT_FLOAT_EQ(mapGeometry.zoneLength, 300.0f);
  for (int32_t i = 0; i < kArtefactCount - 1; ++i) {
    EXPECT_NEAR(mapGeometry.artefacts[i].x, -350.0f + 300.0f * float(i), 0.01f) << i;
  }
  EXPECT_NEAR(mapGeometry.artefacts[14].x, 3849.9f, 0.01f) << "the last one stays on the road";
  EXPECT_NEAR(mapGeometry.marks[0].position.x, -350.0f + 33.0f + 23.4f - 2.0f, 0.01f);
  EXPECT_NEAR(mapGeometry.marks[69].position.x, -350.0f + 3900.0f + 33.0f + 210.6f - 2.0f, 0.01f);
  for (int32_t level = 0; level < kMapLevelCount; ++level) {
    const float along = mapGeometry.marks[level].position.x + 350.0f;
    const float zoneStart = 300.0f * float(level / 5);
    EXPECT_GT(along, zoneStart + 33.0f) << level;
    EXPECT_LT(along, zoneStart + 300.0f - 33.0f) << level;
    if (level % 5 != 0) {
      EXPECT_NEAR(along - (mapGeometry.marks[level - 1].position.x + 350.0f), 46.8f, 0.01f);
    }
  }
}

TEST_F(MapGeometryTest, MarksTurnAlongTheRoadMeasuredCounterClockwiseFrom0To360) {
  for (const float degrees : {0.0f, 90.0f, 180.0f, 270.0f, 315.0f}) {
    straightRoad({0.0f, 0.0f}, degrees, 211);
    for (const LevelMark& mark : mapGeometry.marks) {
      EXPECT_NEAR(mark.angle, degrees, 0.01f);
      EXPECT_GE(mark.angle, 0.0f);
    }
  }
}

TEST_F(MapGeometryTest, WithoutARoadEveryMarkAndArtefactLiesOffTheScreen) {
  pathState = {};
  computeMapGeometry();
  for (const Vec2& artefact : mapGeometry.artefacts) EXPECT_GE(std::fabs(artefact.x), 1000.0f);
  for (const LevelMark& mark : mapGeometry.marks) EXPECT_GE(std::fabs(mark.position.x), 1000.0f);
}

bool overlaps(Vec2 p, float half, float left, float top, float right, float bottom) {
  return p.x + half > left && p.x - half < right && p.y + half > bottom && p.y - half < top;
}

// The generated road: every mark on the screen, no two slots overlapping, none
// under the buttons, the expert box with its label or the miniature.
TEST_F(MapGeometryTest, TheGeneratedRoadKeepsEverySlotOnTheScreenAndClearOfTheControls) {
  const std::string saved = sysCurrentDirectory();
  ASSERT_TRUE(sysChangeDirectory(ORBEL_DATA_DIR));
  const bool loaded = loadPath("trajectory1.spl");
  sysChangeDirectory(saved.c_str());
  if (!loaded) GTEST_SKIP() << "no generated data in " << ORBEL_DATA_DIR;
  computeMapGeometry();
  const float half = 12.0f;
  for (int32_t i = 0; i < kMapLevelCount; ++i) {
    const Vec2 p = mapGeometry.marks[i].position;
    EXPECT_TRUE(p.x - half > -400.0f && p.x + half < 400.0f && std::fabs(p.y) + half < 300.0f) << i;
    EXPECT_FALSE(overlaps(p, half, 220.0f, -218.0f, 380.0f, -282.0f)) << "start, level " << i;
    EXPECT_FALSE(overlaps(p, half, -380.0f, -218.0f, -220.0f, -282.0f)) << "back, level " << i;
    EXPECT_FALSE(overlaps(p, half, -132.0f, -218.0f, 150.0f, -282.0f)) << "expert, level " << i;
    EXPECT_FALSE(overlaps(p, half, 250.0f, 300.0f, 400.0f, 145.0f)) << "miniature, level " << i;
    for (int32_t j = 0; j < i; ++j) {
      const Vec2 q = mapGeometry.marks[j].position;
      EXPECT_FALSE(overlaps(p, half, q.x - half, q.y + half, q.x + half, q.y - half))
          << "levels " << j << " and " << i;
    }
  }
}

}  // namespace
