// The map and the survival chart drawn on real GL through the headless runner: on
// the map the marks of levels played are red, the player's stage red to green and
// the levels ahead a faint yellow over the road; on the chart the start level's
// miniature shows at full strength between dimmed neighbours inside the window.
// The pictures stay in the build folder to be looked at (and in docs/).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "map_scenario.h"
#include "platform/picture.h"
#include "test_support.h"

namespace {

std::string shotPath(const char* name) {
  return std::string(ORBEL_BUILD_DIR) + "/gl-shots/" + name + ".png";
}

struct Shot {
  Picture picture;
  // The pixel under an overlay point (x right, y up, 800 x 600 units).
  const uint8_t* at(float x, float y) const {
    const int px = int((x + 400.0f) * float(picture.width) / 800.0f);
    const int py = int((300.0f - y) * float(picture.height) / 600.0f);
    return &picture.rgba[(size_t(py) * size_t(picture.width) + size_t(px)) * 4];
  }
  // The brightest channel in the square of half side `half` around a point.
  int brightest(float x, float y, float half) const {
    int most = 0;
    for (float dx = -half; dx <= half; dx += 2.0f) {
      for (float dy = -half; dy <= half; dy += 2.0f) {
        const uint8_t* p = at(x + dx, y + dy);
        most = std::max({most, int(p[0]), int(p[1]), int(p[2])});
      }
    }
    return most;
  }
};

bool loadShot(const char* name, Shot* shot) {
  const std::vector<uint8_t> png = testReadFile(shotPath(name));
  return picDecode(png.data(), png.size(), &shot->picture);
}

using MapShots = MapScenario;

TEST_F(MapShots, MarksShowTheProgressAndTheChartItsStartLevel) {
  testMakeDirectories((std::string(ORBEL_BUILD_DIR) + "/gl-shots").c_str());
  for (const char* name : {"map", "map-survival"}) std::remove(shotPath(name).c_str());
  editPlayer([](Profile& p) { reach(p, 23, 23); });
  const std::vector<JsonValue> dumps =
      run(std::string(kToTitleMenus) + "choose Adventure\nframes 200\nshot " + shotPath("map") +
              "\ndump -\nchoose Back\nframes 40\nchoose Survival\nframes 40\nkey RIGHT\n"
              "frames 80\nshot " + shotPath("map-survival") + "\n",
          "--gfx gl");
  ASSERT_EQ(dumps.size(), 1u);
  Shot map, chart;
  ASSERT_TRUE(loadShot("map", &map));
  ASSERT_TRUE(loadShot("map-survival", &chart));

  const JsonValue& marks = dumps[0]["map"]["marks"];
  auto markPixel = [&](int level) {
    return map.at(float(marks[size_t(level)]["x"].number), float(marks[size_t(level)]["y"].number));
  };
  for (const int played : {0, 5, 22}) {
    const uint8_t* p = markPixel(played);
    EXPECT_GT(p[0], 180) << "level " << played;
    EXPECT_LT(p[2], 100) << "level " << played;
  }
  EXPECT_LT(markPixel(23)[2], 60) << "the stage pulses between red and green";
  EXPECT_GT(std::max(markPixel(23)[0], markPixel(23)[1]), 150);
  EXPECT_GT(markPixel(40)[2], 110) << "a level ahead is faint over the road";

  EXPECT_GT(chart.brightest(0.0f, 0.0f, 30.0f), 230) << "the start level at full strength";
  EXPECT_LT(chart.brightest(-263.0f, 0.0f, 30.0f), 190) << "the level before it dimmed";
  const uint8_t* rail = chart.at(-200.0f, 130.0f);
  EXPECT_GT(rail[0], 140);
  EXPECT_GT(rail[0], rail[2] + 60) << "the window's gold rail";
  EXPECT_LT(chart.at(-300.0f, 60.0f)[0], 110) << "the window's dark body";
}

}  // namespace
