// The map path: a polyline of points 20 units apart, read from a loose file, and
// the point at a given distance along it (where the map puts stages and levels).
#include <cstdio>
#include <vector>

#include "platform/platform.h"
#include "resources/resources.h"
#include "resources/resources_local.h"

PathState pathState = {};

namespace {

constexpr float kPointSpacing = 20.0f;
// The whole path is drawn this far above the points in the file.
constexpr float kPathLift = 30.0f;
// Where distances off the path land: far outside the screen.
constexpr Vec2 kBeyondEnd = {-1000.0f, 0.0f};
constexpr Vec2 kBeforeStart = {1000.0f, 0.0f};
// Point count and length.
constexpr size_t kHeaderBytes = 8;
// The largest path file: the header, 2048 points and ten unused floats.
constexpr size_t kMaxPathFileSize = kHeaderBytes + 8 * size_t(kMaxPathPoints) + 40;

}  // namespace

bool loadPath(const char* fileName) {
  const std::string path = sysFindFileIgnoringCase(fileName);
  std::vector<uint8_t> bytes;
  SysReadFailure why;
  if (path.empty()) return false;
  if (!sysReadWholeFile(path.c_str(), kMaxPathFileSize, &bytes, &why)) {
    if (why.status != SysReadStatus::Missing) {
      std::fprintf(stderr, "Path %s refused: %s\n", fileName,
                   sysDescribeReadFailure(why, kMaxPathFileSize).c_str());
    }
    return false;
  }
  return parsePath(fileName, bytes.data(), bytes.size());
}

bool parsePath(const char* fileName, const uint8_t* bytes, size_t size) {
  if (size < kHeaderBytes) {
    std::fprintf(stderr, "Path %s refused: no header\n", fileName);
    return false;
  }
  const int32_t count = int32_t(readLittleEndian32(bytes));
  if (count < 0 || count > kMaxPathPoints) {
    std::fprintf(stderr, "Path %s refused: %d points (at most %d)\n", fileName, count,
                 kMaxPathPoints);
    return false;
  }
  // The ten floats after the points are unused, so a file without them is accepted.
  if (size < kHeaderBytes + 8 * size_t(count)) {
    std::fprintf(stderr, "Path %s refused: shorter than its %d points\n", fileName, count);
    return false;
  }
  pathState = {};
  pathState.pathPointCount = count;
  pathState.pathLength = readLittleEndianFloat(bytes + 4);
  for (int32_t i = 0; i < count; i++) {
    const uint8_t* point = bytes + kHeaderBytes + 8 * size_t(i);
    pathState.pathPoints[i] = {readLittleEndianFloat(point),
                               readLittleEndianFloat(point + 4) + kPathLift};
  }
  return true;
}

Vec2 pointOnPath(float distance) {
  // Written so that a NaN distance counts as beyond the end.
  if (!(distance <= pathState.pathLength)) return kBeyondEnd;
  if (distance < 0.0f) return kBeforeStart;
  const int32_t count = pathState.pathPointCount;
  if (count == 0) return kBeyondEnd;
  const float steps = distance / kPointSpacing;
  // Compared as a float first, so a huge length never overflows the index.
  if (steps >= float(count - 1)) return pathState.pathPoints[count - 1];
  const int32_t i = int32_t(steps);
  const Vec2 a = pathState.pathPoints[i];
  const Vec2 b = pathState.pathPoints[i + 1];
  const float t = steps - float(i);
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}
