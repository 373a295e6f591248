// The menus drawn on real GL through the headless runner: the name entry, the
// title screen with a tip, a question box and the game menu over the board. Each
// screenshot must show the window's dark body inside its gold frame where the
// screen's layout puts them; the pictures stay in the build folder to be looked at.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "menu_shots.h"
#include "test_json.h"
#include "test_support.h"

namespace {

const char* const kShots[] = {"menu-newprofile", "menu-main", "menu-message", "menu-gameplay"};

std::string menuScript() {
  return "frames 5\nkey A\nframes 75\ntype ANNA\nframes 30\nshot " + menuShotPath(kShots[0]) +
         "\nkey ENTER\nframes 45\nmove 231 195\nframes 30\nshot " + menuShotPath(kShots[1]) +
         "\nchoose Exit\nframes 45\nshot " + menuShotPath(kShots[2]) +
         "\nchoose No\nframes 45\nplay 0 adventure normal\nframes 45\nchoose OK\nframes 30\n"
         "key ESCAPE\nframes 45\nshot " + menuShotPath(kShots[3]) + "\ndump -\n";
}

TEST(MenuShots, EachScreenShowsItsWindowWhereItsLayoutPutsIt) {
  if (testReadFile(std::string(ORBEL_DATA_DIR) + "/loadscreen.jpg").empty()) {
    GTEST_SKIP() << "no generated data in " << ORBEL_DATA_DIR;
  }
  for (const char* name : kShots) std::remove(menuShotPath(name).c_str());
  const std::string data = testPrivateDataDirectory("menu-shots");
  const std::string config = testTempDirectory("menu-shots-config");
  std::string output;
  const int status = testRunScript(data, menuScript(), "--gfx gl --seed 5", &output,
                                   "XDG_CONFIG_HOME='" + config + "'", true);
  ASSERT_EQ(status, 0) << output;
  const std::vector<JsonValue> dumps = testDumps(output);
  ASSERT_EQ(dumps.size(), 1u) << output;
  EXPECT_EQ(dumps[0]["menu"]["screen"].string, "gameplay");

  MenuShot entry, title, box, game;
  ASSERT_TRUE(loadMenuShot(kShots[0], &entry));
  ASSERT_TRUE(loadMenuShot(kShots[1], &title));
  ASSERT_TRUE(loadMenuShot(kShots[2], &box));
  ASSERT_TRUE(loadMenuShot(kShots[3], &game));
  expectWindowBody(entry, -170.0f, -110.0f, "name entry");
  expectWindowGold(entry, 0.0f, -140.0f, "name entry, bottom edge");
  expectWindowBody(title, 200.0f, 80.0f, "title screen, between its two lists");
  expectWindowGold(title, 200.0f, 100.0f, "title screen, the line parting its lists");
  expectWindowGold(title, 200.0f, 290.0f, "title screen, top edge");
  expectWindowBody(box, -190.0f, -60.0f, "question box");
  expectWindowBody(game, 0.0f, 140.0f, "game menu, above its first item");
}

}  // namespace
