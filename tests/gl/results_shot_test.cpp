// The result screens on real GL through the headless runner: a won level's
// result panel once everything is shown, then the high scores with the player's
// new row. Each screenshot must show its window's dark body inside the gold frame
// where its layout puts it; the pictures stay in <build>/gl-shots/ to look at.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "menu_shots.h"
#include "test_json.h"
#include "test_support.h"

namespace {

const char* const kShots[] = {"results-panel", "results-hiscore"};

// Four cheat keys score 40000 in a level cleared at once: enough for the table.
// Frames of 32 ms: the level's end takes 8.5 s and the panel's count-up 3.5 s; the
// shot catches the last record's stars with the pulse near its brightest.
std::string resultsScript() {
  return "frames 5\nplay 0 adventure normal\nframes 30\ntype ZOMPRETH\n"
         "key Z\nkey Z\nkey Z\nkey Z\nframes 5\nkey N\nframes 388\nshot " +
         menuShotPath(kShots[0]) + "\ndump -\n"
         "key ENTER\nframes 25\nchoose Back\nframes 25\nchoose High scores\nframes 25\nshot " +
         menuShotPath(kShots[1]) + "\ndump -\n";
}

TEST(ResultShots, ThePanelAndTheHighScoresShowTheirWindows) {
  if (testReadFile(std::string(ORBEL_DATA_DIR) + "/loadscreen.jpg").empty()) {
    GTEST_SKIP() << "no generated data in " << ORBEL_DATA_DIR;
  }
  for (const char* name : kShots) std::remove(menuShotPath(name).c_str());
  const std::string data = testPrivateDataDirectory("result-shots");
  const std::string config = testTempDirectory("result-shots-config");
  std::string output;
  const int status = testRunScript(data, resultsScript(), "--gfx gl --seed 5 --delta 32", &output,
                                   "XDG_CONFIG_HOME='" + config + "'", true);
  ASSERT_EQ(status, 0) << output;
  const std::vector<JsonValue> dumps = testDumps(output);
  ASSERT_EQ(dumps.size(), 2u) << output;
  EXPECT_EQ(dumps[0]["menu"]["screen"].string, "levelcomplete");
  EXPECT_EQ(dumps[1]["menu"]["screen"].string, "hiscore");
  const std::vector<std::string> rows = dumps[1]["texts"].strings();
  ASSERT_GE(rows.size(), 22u);
  EXPECT_EQ(rows[20], "PLAYER") << "the last row: the player's 40000";
  EXPECT_EQ(rows[21], "40000");

  MenuShot panel, table;
  ASSERT_TRUE(loadMenuShot(kShots[0], &panel));
  ASSERT_TRUE(loadMenuShot(kShots[1], &table));
  expectWindowBody(panel, -240.0f, -100.0f, "result panel, left of its button");
  expectWindowGold(panel, -300.0f, 100.0f, "result panel, left edge");
  expectWindowBody(table, -200.0f, -140.0f, "high scores, below the rows");
  expectWindowGold(table, 0.0f, -225.0f, "high scores, bottom edge");
}

}  // namespace
