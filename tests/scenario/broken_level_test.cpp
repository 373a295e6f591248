// A level file with no cell to play on, through the menus: the player is sent
// back to the level choice with a word, and no life is taken.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_json.h"
#include "test_support.h"

namespace {

TEST(BrokenLevel, NoCellToPlayOnSendsThePlayerBackWithAWordAndTakesNoLife) {
  // The first level's file emptied, the others as they are.
  const std::string data = testPrivateDataDirectory("broken-level");
  testRunCommand("cd '" + data + "' && rm levels && mkdir levels && for f in '" +
                 std::string(ORBEL_DATA_DIR) + "'/levels/*; do ln -s \"$f\" levels/; done && "
                 "rm levels/tut1_01.lvl && : > levels/tut1_01.lvl");
  std::string output;
  const int status = testRunScript(
      data,
      "frames 5\nkey A\nframes 75\ntype ANNA\nframes 2\nkey ENTER\nframes 45\n"
      "choose Adventure\nframes 45\nchoose Start\nframes 100\ndump -\nchoose OK\nframes 45\n"
      "dump -\n",
      "--seed 5", &output, "XDG_CONFIG_HOME='" + data + "/config'", true);
  ASSERT_EQ(status, 0) << output;
  const std::vector<JsonValue> d = testDumps(output);
  ASSERT_EQ(d.size(), 2u) << output;
  EXPECT_EQ(d[0]["scene"].string, "map");
  EXPECT_EQ(d[0]["menu"]["screen"].string, "messageboxok");
  EXPECT_NE(d[0]["menu"]["message"].string.find("levels/tut1_01.lvl"), std::string::npos);
  EXPECT_NE(output.find("levels/tut1_01.lvl gives no cell to play on"), std::string::npos);
  EXPECT_EQ(d[1]["menu"]["screen"].string, "adventure") << "back where it came from";
  EXPECT_EQ(d[1]["profiles"]["list"][0]["lives"].integers(), (std::vector<int64_t>{3, 3, 3}))
      << "no life taken";
}

}  // namespace
