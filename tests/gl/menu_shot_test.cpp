// The menus drawn on real GL through the headless runner: the name entry, the
// title screen with a tip, a question box and the game menu over the board. Each
// screenshot must show the window's dark body inside its gold frame where the
// screen's layout puts them; the pictures stay in the build folder to be looked at.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gl_window.h"
#include "test_json.h"
#include "test_support.h"

namespace {

const char* const kShots[] = {"menu-newprofile", "menu-main", "menu-message", "menu-gameplay"};

std::string shotPath(const char* name) {
  return std::string(ORBEL_BUILD_DIR) + "/gl-shots/" + name + ".png";
}

std::string menuScript() {
  return "frames 5\nkey A\nframes 75\ntype ANNA\nframes 30\nshot " + shotPath(kShots[0]) +
         "\nkey ENTER\nframes 45\nmove 231 195\nframes 30\nshot " + shotPath(kShots[1]) +
         "\nchoose Exit\nframes 45\nshot " + shotPath(kShots[2]) +
         "\nchoose No\nframes 45\nplay 0 adventure normal\nframes 45\nchoose OK\nframes 30\n"
         "key ESCAPE\nframes 45\nshot " + shotPath(kShots[3]) + "\ndump -\n";
}

using Shot = OverlayShot;

bool loadShot(const char* name, Shot* shot) { return loadOverlayShot(shotPath(name), shot); }

// The window body: a dark warm brown (a little of the sky behind it shows through).
void expectBody(const Shot& shot, float x, float y, const char* where) {
  const uint8_t* p = shot.at(x, y);
  EXPECT_GT(p[0], 20) << where;
  EXPECT_LT(p[0], 110) << where;
  EXPECT_GT(p[0], p[1]) << where;
  EXPECT_GT(p[0], p[2]) << where;
}

// The frame's gold rail.
void expectGold(const Shot& shot, float x, float y, const char* where) {
  const uint8_t* p = shot.at(x, y);
  EXPECT_GT(p[0], 140) << where;
  EXPECT_GT(p[1], 50) << where;
  EXPECT_GT(p[0], p[2] + 60) << where;
}

TEST(MenuShots, EachScreenShowsItsWindowWhereItsLayoutPutsIt) {
  if (testReadFile(std::string(ORBEL_DATA_DIR) + "/loadscreen.jpg").empty()) {
    GTEST_SKIP() << "no generated data in " << ORBEL_DATA_DIR;
  }
  for (const char* name : kShots) std::remove(shotPath(name).c_str());
  const std::string data = testPrivateDataDirectory("menu-shots");
  const std::string config = testTempDirectory("menu-shots-config");
  std::string output;
  const int status = testRunScript(data, menuScript(), "--gfx gl --seed 5", &output,
                                   "XDG_CONFIG_HOME='" + config + "'", true);
  ASSERT_EQ(status, 0) << output;
  const std::vector<JsonValue> dumps = testDumps(output);
  ASSERT_EQ(dumps.size(), 1u) << output;
  EXPECT_EQ(dumps[0]["menu"]["screen"].string, "gameplay");

  Shot entry, title, box, game;
  ASSERT_TRUE(loadShot(kShots[0], &entry));
  ASSERT_TRUE(loadShot(kShots[1], &title));
  ASSERT_TRUE(loadShot(kShots[2], &box));
  ASSERT_TRUE(loadShot(kShots[3], &game));
  expectBody(entry, -170.0f, -110.0f, "name entry");
  expectGold(entry, 0.0f, -140.0f, "name entry, bottom edge");
  expectBody(title, 200.0f, 100.0f, "title screen, between its two lists");
  expectGold(title, 200.0f, 290.0f, "title screen, top edge");
  expectBody(box, -190.0f, -60.0f, "question box");
  expectBody(game, 0.0f, 140.0f, "game menu, above its first item");
}

}  // namespace
