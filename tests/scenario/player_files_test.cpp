// A player's files through the menus, over several runs of the game: a renamed
// player resumes its own saved game, a saved game no running game can hold is
// not offered, a removed player's saved games go with it, and a level file with
// no cell to play on sends the player back to the level choice with a word and
// without taking a life.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "test_json.h"
#include "test_support.h"

namespace {

struct GameRun {
  int status;
  std::string output;  // standard output and error together
  std::vector<JsonValue> dumps;
};

class PlayerFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    data_ = testPrivateDataDirectory("player-files");
    config_ = testTempDirectory("player-files-config");
    testRunCommand("rm -rf '" + config_ + "'/*");
  }
  GameRun play(const std::string& script) const {
    GameRun run;
    run.status = testRunScript(data_, script, "--seed 5", &run.output,
                               "XDG_CONFIG_HOME='" + config_ + "'", true);
    run.dumps = testDumps(run.output);
    return run;
  }
  std::vector<uint8_t> settingsFile(const char* name) const {
    return testReadFile(data_ + "/settings/" + name);
  }
  std::string data_, config_;
};

// The title after start-up, with a player already there.
constexpr const char* kToTheTitle = "frames 5\nkey A\nframes 75\n";
constexpr const char* kToThePlayers = "choose Not you? Click here.\nframes 45\n";

// ANNA's first adventure level, one move made (level 1 always has a ball beside a
// free cell there), then the main menu: the game is saved.
constexpr const char* kAnnaSavesAGame =
    "frames 5\nkey A\nframes 75\ntype ANNA\nframes 2\nkey ENTER\nframes 45\n"
    "choose Adventure\nframes 45\nchoose Start\nframes 45\nchoose OK\nframes 160\n"
    "click -390 290\nframes 20\ncell 11 10\ncell 10 10\nframes 60\nkey ESCAPE\nframes 45\n"
    "dump -\nchoose Main menu\nframes 45\nchoose OK\nframes 45\n";

TEST_F(PlayerFiles, ARenamedPlayerResumesItsGameAndARemovedOnesGamesGoWithIt) {
  const GameRun saved = play(kAnnaSavesAGame);
  ASSERT_EQ(saved.status, 0) << saved.output;
  ASSERT_EQ(saved.dumps.size(), 1u) << saved.output;
  ASSERT_EQ(saved.dumps[0]["game"]["moves"].integer(), 1);

  const GameRun renamed = play(std::string(kToTheTitle) + kToThePlayers +
                           "choose Rename\nframes 45\nkey END\nframes 2\n"
                           "key BACK\nframes 2\nkey BACK\nframes 2\nkey BACK\nframes 2\n"
                           "key BACK\nframes 2\ntype BOB\nkey ENTER\nframes 45\n"
                           "choose Back\nframes 45\nchoose Adventure\nframes 45\ndump -\n"
                           "choose Yes\nframes 45\ndump -\n");
  ASSERT_EQ(renamed.status, 0) << renamed.output;
  ASSERT_EQ(renamed.dumps.size(), 2u) << renamed.output;
  EXPECT_EQ(renamed.dumps[0]["profiles"]["list"][0]["name"].string, "BOB");
  EXPECT_EQ(renamed.dumps[0]["menu"]["screen"].string, "loadgamequest");
  EXPECT_EQ(renamed.dumps[1]["scene"].string, "game");
  EXPECT_EQ(renamed.dumps[1]["game"]["moves"].integer(), 1) << "BOB's game, as ANNA left it";
  EXPECT_EQ(renamed.dumps[1]["board"]["balls"], saved.dumps[0]["board"]["balls"]);
  EXPECT_TRUE(settingsFile("ANNA_adv.sav").empty()) << "no game waits under the old name";

  // A saved game with a value no running game holds (a level won and not left).
  std::vector<uint8_t> game = settingsFile("BOB_adv.sav");
  ASSERT_EQ(game.size(), 99409u);
  const float won = -1.0f;
  std::memcpy(game.data() + 99384, &won, sizeof won);
  testWriteFile(data_ + "/settings/BOB_adv.sav", std::string(game.begin(), game.end()));
  const GameRun damaged = play(std::string(kToTheTitle) + "choose Adventure\nframes 45\ndump -\n" +
                               "choose Back\nframes 45\n" + kToThePlayers +
                               "choose Remove\nframes 45\nchoose Yes\nframes 45\n");
  ASSERT_EQ(damaged.status, 0) << damaged.output;
  ASSERT_EQ(damaged.dumps.size(), 1u) << damaged.output;
  EXPECT_EQ(damaged.dumps[0]["menu"]["screen"].string, "adventure") << "the level choice";
  EXPECT_NE(damaged.output.find("BOB_adv.sav is damaged: the level-complete timer is -1"),
            std::string::npos) << damaged.output;
  EXPECT_EQ(settingsFile("BOB_adv.sav.damaged"), game);
  EXPECT_TRUE(settingsFile("BOB_adv.sav").empty()) << "removed with its player";
}

TEST_F(PlayerFiles, ALevelWithNoCellToPlayOnSendsThePlayerBackWithAWord) {
  // The first level's file emptied, the others as they are.
  testRunCommand("cd '" + data_ + "' && rm levels && mkdir levels && for f in '" +
                 std::string(ORBEL_DATA_DIR) + "'/levels/*; do ln -s \"$f\" levels/; done && "
                 "rm levels/tut1_01.lvl && : > levels/tut1_01.lvl");
  const GameRun run = play("frames 5\nkey A\nframes 75\ntype ANNA\nframes 2\nkey ENTER\nframes 45\n"
                       "choose Adventure\nframes 45\nchoose Start\nframes 100\ndump -\n"
                       "choose OK\nframes 45\ndump -\n");
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_EQ(run.dumps.size(), 2u) << run.output;
  EXPECT_EQ(run.dumps[0]["scene"].string, "map");
  EXPECT_EQ(run.dumps[0]["menu"]["screen"].string, "messageboxok");
  EXPECT_NE(run.dumps[0]["menu"]["message"].string.find("levels/tut1_01.lvl"), std::string::npos)
      << run.dumps[0]["menu"]["message"].string;
  EXPECT_NE(run.output.find("levels/tut1_01.lvl gives no cell to play on"), std::string::npos)
      << run.output;
  EXPECT_EQ(run.dumps[1]["menu"]["screen"].string, "adventure") << "back where it came from";
  EXPECT_EQ(run.dumps[1]["profiles"]["list"][0]["lives"].integers(),
            (std::vector<int64_t>{3, 3, 3})) << "no life taken";
}

}  // namespace
