// path.cpp: the adventure map's road "trajectory1.spl". data/path.txt holds the
// road's control points ("x y" per line, overlay units as seen on the map); the
// tool draws a smooth curve through them and sets points along it exactly 20
// units apart. The game adds 30 to every y, so the file holds y - 30. The road
// must be long enough for 70 level marks, stay on the map's free area and never
// come close to itself.
#include <cmath>
#include <sstream>

#include "core/math.h"
#include "datagen.h"
#include "generators.h"

namespace {

constexpr float kSpacing = 20.0f;
constexpr int kMaxPoints = 2048;
// 14 zones, each 66 units of margins plus five 24-unit level slots.
constexpr float kMinLength = 14.0f * (66.0f + 5.0f * 24.0f);
constexpr float kGameShiftY = 30.0f;
// The free area of the map: clear of the miniature, the start button and the
// expert box.
constexpr float kMinX = -380.0f, kMaxX = 380.0f, kMinY = -200.0f, kMaxY = 140.0f;
constexpr float kMinSelfDistance = 30.0f;

Vec2 catmullRom(Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, float t) {
  const float t2 = t * t;
  const float t3 = t2 * t;
  auto axis = [&](float a, float b, float c, float d) {
    return 0.5f * (2.0f * b + (-a + c) * t + (2.0f * a - 5.0f * b + 4.0f * c - d) * t2 +
                   (-a + 3.0f * b - 3.0f * c + d) * t3);
  };
  return Vec2{axis(p0.x, p1.x, p2.x, p3.x), axis(p0.y, p1.y, p2.y, p3.y)};
}

// A dense polyline along the curve through the control points.
std::vector<Vec2> denseCurve(const std::vector<Vec2>& controls) {
  std::vector<Vec2> dense;
  const int n = static_cast<int>(controls.size());
  for (int i = 0; i + 1 < n; ++i) {
    const Vec2 p0 = controls[static_cast<size_t>(i > 0 ? i - 1 : 0)];
    const Vec2 p3 = controls[static_cast<size_t>(i + 2 < n ? i + 2 : n - 1)];
    for (int step = 0; step < 200; ++step) {
      dense.push_back(catmullRom(p0, controls[static_cast<size_t>(i)],
                                 controls[static_cast<size_t>(i + 1)], p3, step / 200.0f));
    }
  }
  dense.push_back(controls.back());
  return dense;
}

float distance(Vec2 a, Vec2 b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Points exactly kSpacing apart (straight-line distance) along the polyline.
std::vector<Vec2> resample(const std::vector<Vec2>& dense) {
  std::vector<Vec2> points{dense.front()};
  size_t segment = 0;
  while (segment + 1 < dense.size()) {
    const Vec2 from = points.back();
    const Vec2 a = dense[segment];
    const Vec2 b = dense[segment + 1];
    if (distance(from, b) < kSpacing) {
      ++segment;
      continue;
    }
    // The point of segment a..b at exactly kSpacing from `from` (the far root).
    const Vec2 d{b.x - a.x, b.y - a.y};
    const Vec2 f{a.x - from.x, a.y - from.y};
    const float qa = d.x * d.x + d.y * d.y;
    const float qb = 2.0f * (f.x * d.x + f.y * d.y);
    const float qc = f.x * f.x + f.y * f.y - kSpacing * kSpacing;
    const float t = (-qb + std::sqrt(std::max(0.0f, qb * qb - 4.0f * qa * qc))) / (2.0f * qa);
    points.push_back(Vec2{a.x + d.x * t, a.y + d.y * t});
  }
  return points;
}

void checkPath(const std::vector<Vec2>& points) {
  const float length = kSpacing * static_cast<float>(points.size() - 1);
  if (points.size() > kMaxPoints) reportError("path.txt", 0, "more than 2048 points");
  if (length < kMinLength) {
    reportError("path.txt", 0, format("the road is %.0f units; 70 marks need %.0f", length, kMinLength));
  }
  for (size_t i = 0; i < points.size(); ++i) {
    const Vec2 p = points[i];
    if (p.x < kMinX || p.x > kMaxX || p.y < kMinY || p.y > kMaxY) {
      reportError("path.txt", 0, format("the road leaves the map's free area at (%.0f, %.0f)", p.x, p.y));
      return;
    }
    for (size_t j = i + 5; j < points.size(); ++j) {
      if (distance(p, points[j]) < kMinSelfDistance) {
        reportError("path.txt", 0, format("the road comes within %.0f units of itself near (%.0f, %.0f)",
                                          distance(p, points[j]), p.x, p.y));
        return;
      }
    }
  }
}

}  // namespace

void generatePath() {
  std::string source;
  if (!readSource("path.txt", &source)) return;
  std::vector<Vec2> controls;
  std::istringstream lines(source);
  std::string text;
  int line = 0;
  while (std::getline(lines, text)) {
    ++line;
    if (text.empty() || text[0] == '#') continue;
    Vec2 p;
    if (std::sscanf(text.c_str(), "%f %f", &p.x, &p.y) != 2) {
      reportError("path.txt", line, "expected: x y");
      continue;
    }
    controls.push_back(p);
  }
  if (controls.size() < 2) {
    reportError("path.txt", 0, "the road needs at least two control points");
    return;
  }
  const std::vector<Vec2> points = resample(denseCurve(controls));
  checkPath(points);
  std::vector<uint8_t> out;
  putU32(&out, static_cast<uint32_t>(points.size()));
  putF32(&out, kSpacing * static_cast<float>(points.size() - 1));
  for (const Vec2& p : points) {
    putF32(&out, p.x);
    putF32(&out, p.y - kGameShiftY);
  }
  for (int i = 0; i < 10; ++i) putF32(&out, 0.0f);
  addOutput(Place::Root, "trajectory1.spl", std::move(out));
}
