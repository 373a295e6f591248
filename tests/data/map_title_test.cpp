// map_title_test.cpp: the adventure map, its level mark and artefacts, the title
// with its loading bar, and the additive glows, checked where the game relies on
// them: the road under every level mark, fourteen zones told apart, artefacts
// that stand apart on transparent, a mark that points along +x and takes tints,
// the title's lights landing on the owl's eyes, a bar whose ends melt into the
// title and on which light text reads, and glows that fade to black.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "data_files.h"
#include "test_support.h"

namespace {


float colourDistance(const uint8_t* a, const uint8_t* b) {
  return static_cast<float>(std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]));
}

struct Point2 {
  float x, y;
};

// The road in picture pixels, as the game places it (the file holds y - 30).
std::vector<Point2> road() {
  std::vector<Point2> points;
  const std::vector<uint8_t> bytes = looseFile("trajectory1.spl");
  if (bytes.size() < 8) return points;
  const uint32_t count = readU32(bytes, 0);
  for (uint32_t i = 0; i < count && 16 + i * 8 <= bytes.size(); ++i) {
    points.push_back(Point2{readF32(bytes, 8 + i * 8) + 400.0f, 300.0f - (readF32(bytes, 12 + i * 8) + 30.0f)});
  }
  return points;
}

float roadLength(const std::vector<Point2>& points) {
  float total = 0.0f;
  for (size_t i = 1; i < points.size(); ++i) total += std::hypot(points[i].x - points[i - 1].x, points[i].y - points[i - 1].y);
  return total;
}

Point2 roadAt(const std::vector<Point2>& points, float d) {
  float along = 0.0f;
  for (size_t i = 1; i < points.size(); ++i) {
    const float step = std::hypot(points[i].x - points[i - 1].x, points[i].y - points[i - 1].y);
    if (along + step >= d) {
      const float t = std::max(0.0f, d - along) / step;
      return Point2{points[i - 1].x + (points[i].x - points[i - 1].x) * t, points[i - 1].y + (points[i].y - points[i - 1].y) * t};
    }
    along += step;
  }
  return points.back();
}

// Where the game stands level mark i.
Point2 markAt(const std::vector<Point2>& points, int i) {
  const float a = roadLength(points) / 14.0f;
  return roadAt(points, a * (i / 5) + 33.0f + (i % 5 + 0.5f) * (a - 66.0f) / 5.0f - 2.0f);
}

// Mean colour of the map's ground near a zone's stretch of road, off the road itself.
struct Mean {
  float r, g, b;
};
Mean zoneGround(const Pixels& map, const std::vector<Point2>& points, int zone) {
  const float a = roadLength(points) / 14.0f;
  double r = 0, g = 0, b = 0;
  int n = 0;
  for (float d = a * zone + 20.0f; d < a * (zone + 1) - 20.0f; d += 10.0f) {
    const Point2 p = roadAt(points, d);
    for (const float dy : {-26.0f, 26.0f}) {
      const int x = static_cast<int>(p.x), y = static_cast<int>(p.y + dy);
      if (x < 0 || y < 0 || x >= map.width || y >= map.height) continue;
      r += map.at(x, y)[0];
      g += map.at(x, y)[1];
      b += map.at(x, y)[2];
      ++n;
    }
  }
  return n ? Mean{static_cast<float>(r / n), static_cast<float>(g / n), static_cast<float>(b / n)} : Mean{0, 0, 0};
}

// Brightest luminance on the picture's border and at its brightest point.
struct Light {
  float border, peak;
};
Light lightOf(const Pixels& p) {
  Light light{0.0f, 0.0f};
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      const float l = luminance(p.at(x, y));
      light.peak = std::max(light.peak, l);
      if (x == 0 || y == 0 || x == p.width - 1 || y == p.height - 1) light.border = std::max(light.border, l);
    }
  }
  return light;
}

}  // namespace

TEST(AdventureMap, TheRoadRunsUnderEveryLevelMarkAndArtefact) {
  const Pixels map = load("menumap.jpg");
  const std::vector<Point2> points = road();
  ASSERT_EQ(map.width, 800);
  ASSERT_GT(points.size(), 100u);
  const float a = roadLength(points) / 14.0f;
  for (int i = 0; i < 70 + 15; ++i) {
    // Marks first, then the artefacts at the zones' ends.
    const Point2 p = i < 70 ? markAt(points, i) : roadAt(points, std::min(a * (i - 70), a * 14.0f - 0.1f));
    const uint8_t* c = map.at(static_cast<int>(p.x), static_cast<int>(p.y));
    // The road is a light sandy track whatever zone it crosses.
    EXPECT_GT(c[0], 190) << "mark " << i;
    EXPECT_GT(c[1], 160) << "mark " << i;
    EXPECT_GT(c[0], c[2] + 30) << "mark " << i;
  }
}

TEST(AdventureMap, NeighbouringZonesHaveGroundsOfTheirOwn) {
  const Pixels map = load("menumap.jpg");
  const std::vector<Point2> points = road();
  ASSERT_GT(points.size(), 100u);
  Mean previous = zoneGround(map, points, 0);
  for (int zone = 1; zone < 14; ++zone) {
    const Mean m = zoneGround(map, points, zone);
    const float difference = std::fabs(m.r - previous.r) + std::fabs(m.g - previous.g) + std::fabs(m.b - previous.b);
    EXPECT_GT(difference, 24.0f) << "zones " << zone - 1 << " and " << zone << " look alike";
    previous = m;
  }
}

TEST(AdventureMap, NamePlatesKeepClearOfTheControlsTheGameDrawsOverTheMap) {
  // The level miniature, the start button and the expert box cover these
  // pixels; a plate's cream face (and its text) must not hide under them.
  const Pixels map = load("menumap.jpg");
  ASSERT_EQ(map.width, 800);
  const struct {
    int x0, y0, x1, y1;
  } covered[3] = {{635, 35, 795, 155}, {620, 518, 780, 582}, {270, 530, 460, 570}};
  const uint8_t plate[3] = {250, 240, 210};
  for (const auto& box : covered) {
    int cream = 0;
    for (int y = box.y0; y < box.y1; ++y) {
      for (int x = box.x0; x < box.x1; ++x) cream += colourDistance(map.at(x, y), plate) < 24.0f;
    }
    EXPECT_LT(cream, 40) << box.x0 << "," << box.y0;
  }
}

TEST(AdventureMap, ArtefactsAreFifteenDistinctBadgesOnTransparent) {
  std::vector<Pixels> artefacts;
  for (int i = 1; i <= 15; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "artefact%i.tga", i);
    const Pixels p = load(name);
    ASSERT_EQ(p.width, 64) << name;
    ASSERT_EQ(p.height, 64) << name;
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{63, 0}, std::pair{0, 63}, std::pair{63, 63}}) {
      EXPECT_EQ(p.at(x, y)[3], 0) << name;
    }
    int solid = 0;
    for (int y = 16; y < 48; ++y) {
      for (int x = 16; x < 48; ++x) solid += p.at(x, y)[3] > 200;
    }
    // Drawn faint and tinted when not yet reached, so it needs a solid body.
    EXPECT_GT(solid, 32 * 32 / 3) << name;
    artefacts.push_back(p);
  }
  for (size_t a = 0; a < artefacts.size(); ++a) {
    for (size_t b = a + 1; b < artefacts.size(); ++b) {
      double difference = 0.0;
      for (size_t k = 0; k < artefacts[a].rgba.size(); ++k) difference += std::abs(artefacts[a].rgba[k] - artefacts[b].rgba[k]);
      EXPECT_GT(difference / artefacts[a].rgba.size(), 8.0) << "artefacts " << a + 1 << " and " << b + 1;
    }
  }
}

TEST(AdventureMap, LevelMarkPointsAlongXAndIsLightEnoughToTint) {
  const Pixels mark = load("levelmark.tga");
  ASSERT_EQ(mark.width, 32);
  auto columnHeight = [&](int x) {
    int n = 0;
    for (int y = 0; y < 32; ++y) n += mark.at(x, y)[3] > 128;
    return n;
  };
  int left = 32, right = -1;
  for (int x = 0; x < 32; ++x) {
    if (columnHeight(x) > 0) {
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  ASSERT_GT(right, left);
  // The game turns the mark about its centre: it is mirror-even about the
  // middle row, so it stays on the road whichever way the road runs.
  int uneven = 0, solid = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 32; ++x) {
      const bool top = mark.at(x, y)[3] > 128, bottom = mark.at(x, 31 - y)[3] > 128;
      uneven += top != bottom;
      solid += top;
    }
  }
  EXPECT_LE(uneven, solid / 10);
  // Wide at the back, narrowing to a tip on the right (+x, where angle 0 points).
  EXPECT_GT(columnHeight(left + 3), columnHeight(right - 2) * 2);
  EXPECT_GE(right, 26);
  double sum = 0.0;
  int n = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (mark.at(x, y)[3] < 250) continue;
      sum += luminance(mark.at(x, y));
      ++n;
    }
  }
  ASSERT_GT(n, 0);
  EXPECT_GT(sum / n, 150.0);
}

TEST(TitlePicture, TheGlowingLightsLandOnTheOwlsEyes) {
  const Pixels title = load("loadscreen.jpg");
  ASSERT_EQ(title.width, 800);
  for (const int x : {386, 438}) {
    // Around the eye's centre (its pupil is dark): a green iris.
    const uint8_t* iris = title.at(x + 12, 378);
    EXPECT_GT(iris[1], iris[0] + 30) << x;
    EXPECT_GT(iris[1], iris[2] + 30) << x;
  }
}

TEST(TitlePicture, TheGamesNameStandsAboveTheOwlInWarmLetters) {
  const Pixels title = load("loadscreen.jpg");
  ASSERT_EQ(title.width, 800);
  // The logo's letters are golden against the night sky of the upper band.
  int golden = 0;
  for (int y = 40; y < 200; ++y) {
    for (int x = 100; x < 700; ++x) {
      const uint8_t* p = title.at(x, y);
      golden += p[0] > 220 && p[1] > 130 && p[2] < 140;
    }
  }
  EXPECT_GT(golden, 6000);
}

TEST(TitlePicture, TheBarMeltsIntoItsGrooveAndLightTextReadsOnIt) {
  const Pixels title = load("loadscreen.jpg");
  const Pixels bar = load("loadbar.jpg");
  ASSERT_EQ(bar.width, 310);
  ASSERT_EQ(bar.height, 48);
  // Outside its rounded ends the bar repeats the title beneath it (the game
  // draws it over pixels 251..561, 543..591).
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{309, 0}, std::pair{0, 47}, std::pair{309, 47}}) {
    EXPECT_LT(colourDistance(bar.at(x, y), title.at(251 + x, 543 + y)), 60.0f) << x << "," << y;
  }
  // "Press any key..." is written in light colours across the middle of the bar.
  double sum = 0.0;
  for (int y = 16; y < 32; ++y) {
    for (int x = 40; x < 270; ++x) sum += luminance(bar.at(x, y));
  }
  EXPECT_LT(sum / (16.0 * 230.0), 150.0);
  // And the bar differs from the empty groove it fills, so loading shows.
  EXPECT_GT(colourDistance(bar.at(155, 24), title.at(251 + 155, 543 + 24)), 60.0f);
}

TEST(Glows, AdditiveLightsAreBrightInsideAndBlackAtTheirBorders) {
  for (const char* name : {"flare.jpg", "podsvet.jpg", "hammer_lum.jpg", "lightning.jpg"}) {
    const Pixels p = load(name);
    ASSERT_GT(p.width, 0) << name;
    const Light light = lightOf(p);
    EXPECT_LE(light.border, 10.0f) << name;
    EXPECT_GE(light.peak, 150.0f) << name;
  }
  // The flare is round, so it stretches evenly along either axis.
  const Pixels flare = load("flare.jpg");
  for (const int r : {16, 32, 48}) {
    EXPECT_NEAR(luminance(flare.at(64 + r, 64)), luminance(flare.at(64, 64 + r)), 12.0f) << r;
  }
  // The menu glow is a bar: bright along most of its middle row, dim above and below.
  const Pixels bar = load("podsvet.jpg");
  EXPECT_GT(luminance(bar.at(bar.width / 4, bar.height / 2)), 100.0f);
  EXPECT_LT(luminance(bar.at(bar.width / 2, 3)), luminance(bar.at(bar.width / 2, bar.height / 2)) * 0.3f);
}

TEST(Glows, TheHammersGlowSitsOverTheGaugesHammer) {
  const Pixels glow = load("hammer_lum.jpg");
  const Pixels hammer = load("molotok2.tga");
  ASSERT_EQ(glow.width, hammer.width);
  ASSERT_EQ(glow.height, hammer.height);
  // Centres of light and of the hammer's body agree, and the head (the widest
  // part) glows brighter than the air beside the handle.
  double lx = 0, ly = 0, lw = 0, hx = 0, hy = 0, hw = 0;
  for (int y = 0; y < glow.height; ++y) {
    for (int x = 0; x < glow.width; ++x) {
      const double l = luminance(glow.at(x, y));
      lx += l * x;
      ly += l * y;
      lw += l;
      const double a = hammer.at(x, y)[3];
      hx += a * x;
      hy += a * y;
      hw += a;
    }
  }
  ASSERT_GT(lw, 0.0);
  ASSERT_GT(hw, 0.0);
  EXPECT_NEAR(lx / lw, hx / hw, 4.0);
  EXPECT_NEAR(ly / lw, hy / hw, 10.0);
  EXPECT_GT(luminance(glow.at(12, 28)), luminance(glow.at(12, 90)) + 40.0f);
}
