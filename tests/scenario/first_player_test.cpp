// A first-time player through the headless runner, checked on every dump: the
// title, a name typed for the new player, the title screen's greeting, the
// adventure started with its first help screen, a move, the game menu, leaving
// for the title with the game saved, and the saved game offered and resumed on
// the same board.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_json.h"
#include "test_support.h"

namespace {

struct PlayerRun {
  int status;
  std::string output;
  std::vector<JsonValue> dumps;
};

PlayerRun runPlayer(const std::string& script) {
  const std::string data = testPrivateDataDirectory("first-player");
  const std::string config = testTempDirectory("first-player-config");
  testRunCommand("rm -rf '" + config + "'/*");
  PlayerRun run;
  run.status = testRunScript(data, script, "--seed 5", &run.output,
                             "XDG_CONFIG_HOME='" + config + "'", true);
  run.dumps = testDumps(run.output);
  return run;
}

std::vector<std::string> itemTexts(const JsonValue& dump) {
  std::vector<std::string> texts;
  for (const JsonValue& item : dump["menu"]["items"].items) texts.push_back(item["text"].string);
  return texts;
}

bool drew(const JsonValue& dump, const std::string& text) {
  for (const std::string& drawn : dump["texts"].strings()) {
    if (drawn == text) return true;
  }
  return false;
}

// A move of the first ball that has an empty floor cell to its right or left, as
// "cell" lines for the runner (columns 5.., rows 5..).
std::string firstMove(const JsonValue& dump) {
  const JsonValue& rows = dump["board"]["balls"];
  for (size_t row = 0; row < rows.items.size(); ++row) {
    const std::string& line = rows[row].string;
    for (size_t col = 0; col < line.size(); ++col) {
      if (line[col] < 'a' || line[col] > 'j') continue;
      for (const int step : {1, -1}) {
        const size_t to = col + size_t(step);
        if (to >= line.size() || line[to] != '_') continue;
        const std::string r = std::to_string(row + 5);
        return "cell " + std::to_string(col + 5) + " " + r + "\ncell " + std::to_string(to + 5) +
               " " + r + "\n";
      }
    }
  }
  return "";
}

const char* const kToTheBoard =
    "frames 5\ndump -\n"                          // 0: the title
    "key A\nframes 75\ndump -\n"                  // 1: the name entry
    "type ANNA\nframes 2\ndump -\n"               // 2: the name typed
    "key ENTER\nframes 45\ndump -\n"              // 3: the title screen
    "choose Adventure\nframes 45\ndump -\n"       // 4: the level choice
    "choose Start\nframes 45\ndump -\n"           // 5: the help over the board
    "choose OK\nframes 160\nclick -390 290\nframes 20\ndump -\n";  // 6: the board

const char* const kLeaveAndResume =
    "frames 60\nkey ESCAPE\nframes 45\ndump -\n"  // 7: the game menu
    "choose Main menu\nframes 45\ndump -\n"       // 8: the saved message
    "choose OK\nframes 45\ndump -\n"              // 9: the title screen again
    "choose Adventure\nframes 45\ndump -\n"       // 10: the saved game offered
    "choose Yes\nframes 45\ndump -\n";            // 11: the board again

TEST(FirstPlayer, CreatesAPlayerPlaysLeavesAndResumesTheSavedGame) {
  const PlayerRun toBoard = runPlayer(kToTheBoard);
  ASSERT_EQ(toBoard.status, 0) << toBoard.output;
  ASSERT_EQ(toBoard.dumps.size(), 7u);
  const std::string move = firstMove(toBoard.dumps[6]);
  ASSERT_FALSE(move.empty()) << toBoard.dumps[6]["board"].text();

  const PlayerRun run = runPlayer(std::string(kToTheBoard) + move + kLeaveAndResume);
  ASSERT_EQ(run.status, 0) << run.output;
  const std::vector<JsonValue>& d = run.dumps;
  ASSERT_EQ(d.size(), 12u);

  EXPECT_EQ(d[0]["scene"].string, "loading");
  EXPECT_EQ(d[1]["scene"].string, "map");
  EXPECT_EQ(d[1]["menu"]["screen"].string, "newprofile");
  EXPECT_EQ(d[1]["profiles"]["count"].integer(), 0);
  EXPECT_EQ(d[2]["menu"]["items"][0]["text"].string, "ANNA") << d[2]["menu"]["items"].text();
  EXPECT_EQ(d[2]["menu"]["items"][0]["kind"].string, "entry");

  EXPECT_EQ(d[3]["menu"]["screen"].string, "main");
  EXPECT_EQ(d[3]["profiles"]["list"][0]["name"].string, "ANNA");
  EXPECT_TRUE(drew(d[3], "Hello, ANNA!"));
  EXPECT_EQ(itemTexts(d[3])[0], "Adventure");

  EXPECT_EQ(d[4]["menu"]["screen"].string, "adventure");
  EXPECT_EQ(d[4]["menu"]["backdrop"].integer(), 1);
  EXPECT_EQ(d[5]["scene"].string, "game");
  EXPECT_EQ(d[5]["menu"]["screen"].string, "helpscreen");
  EXPECT_TRUE(d[5]["game"]["menuOpen"].boolean);
  EXPECT_FALSE(d[6]["game"]["menuOpen"].boolean) << "OK closed the help over the board";

  EXPECT_EQ(d[7]["menu"]["screen"].string, "gameplay");
  EXPECT_EQ(d[7]["game"]["moves"].integer(), 1);
  EXPECT_EQ(itemTexts(d[7]).back(), "Main menu");

  EXPECT_EQ(d[8]["menu"]["screen"].string, "messageboxok");
  EXPECT_FALSE(d[8]["menu"]["message"].string.empty());
  EXPECT_TRUE(d[8]["profiles"]["list"][0]["adventureSaved"].boolean);

  EXPECT_EQ(d[9]["scene"].string, "map");
  EXPECT_EQ(d[9]["menu"]["screen"].string, "main");
  EXPECT_EQ(d[10]["menu"]["screen"].string, "loadgamequest");
  EXPECT_EQ(itemTexts(d[10]), (std::vector<std::string>{"Yes", "No"}));

  EXPECT_EQ(d[11]["scene"].string, "game");
  EXPECT_EQ(d[11]["game"]["moves"].integer(), 1);
  EXPECT_EQ(d[11]["board"]["balls"], d[7]["board"]["balls"]) << "the same board";
  EXPECT_EQ(d[11]["board"]["previews"], d[7]["board"]["previews"]);
}

TEST(FirstPlayer, ChooseNamesTheVisibleItemsWhenTheTextIsNotShown) {
  const PlayerRun run = runPlayer("frames 5\nkey A\nframes 75\nchoose Nothing here\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.output.find("no visible item \"Nothing here\" on the screen \"newprofile\""),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("\"OK\""), std::string::npos) << run.output;
}

}  // namespace
