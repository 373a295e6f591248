// The modes end to end through the headless runner: a game saved on closing and
// read back by a second run, a level won with its whole sequence, and a full board
// that costs a life. Each scenario has its own data and registry folders.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "test_json.h"
#include "test_support.h"

namespace {

// Normal difficulty, level 0: only these presets. Row 7 holds a pair of colour 0,
// the second on a square ('Z'), that the ball at (9, 9) completes; 'b' can move
// without scoring; row 11 keeps squares of its own.
const char* const kWinLevel =
    "hammer=no\r\njockerfrequency=1000000\r\nlevel=\r\n"
    "....................\r\n"
    ".00000000000........\r\n"
    ".0aZ0000b000........\r\n"
    ".00000000000........\r\n"
    ".000a0000000........\r\n"
    ".00000000000........\r\n"
    ".00000000000........\r\n"
    "\r\n";

// Three cells in a row: a ball on a square, a ball of another colour and one free
// cell. Moving the second ball leaves one free cell; the new ball fills it.
const char* const kFullLevel =
    "hammer=no\r\njockerfrequency=1000000\r\nlevel=\r\n"
    "....................\r\n"
    ".Zb0................\r\n"
    "\r\n";

// A full board won by one move: the last square lies between a pair of colour 0
// and a third ball; below, 33 balls where no three of a colour line up, and free
// cells enough for one new ball a move.
const char* const kFullWinLevel =
    "hammer=no\r\njockerfrequency=1000000\r\nlevel=\r\n"
    "....................\r\n"
    ".aa1a...............\r\n"
    "....................\r\n"
    ".c0eabcd0...........\r\n"
    ".eabc0eab...........\r\n"
    ".bcdeab0d...........\r\n"
    ".de0bcdea...........\r\n"
    ".0bcde0bc...........\r\n"
    "\r\n";

struct Scenario {
  std::string data;
  std::string config;
};

Scenario makeScenario(const char* tag, const char* level) {
  Scenario s;
  s.data = testPrivateDataDirectory(tag);
  s.config = testTempDirectory((std::string(tag) + "-config").c_str());
  testRunCommand("rm -f '" + s.data + "/levels'");
  testMakeDirectories((s.data + "/levels").c_str());
  testWriteFile(s.data + "/levels/tut1_01.lvl", level);
  return s;
}

std::vector<JsonValue> run(const Scenario& s, const std::string& script, int* status) {
  std::string output;
  *status = testRunScript(s.data, script, "--seed 11", &output,
                          "XDG_CONFIG_HOME='" + s.config + "'");
  return testDumps(output);
}

bool started(const JsonValue& dump, const char* sound) {
  for (const std::string& name : dump["audio"]["started"].strings()) {
    if (name == sound) return true;
  }
  return false;
}

// Row y (5..19) of the dumped board's balls.
std::string boardRow(const JsonValue& dump, int y) {
  return dump["board"]["balls"][size_t(y - 5)].string;
}

// The first profile of a dump.
const JsonValue& firstProfile(const JsonValue& dump) { return dump["profiles"]["list"][0]; }

size_t fileSize(const std::string& path) { return testReadFile(path).size(); }

int ballsOnBoard(const JsonValue& dump) {
  int balls = 0;
  for (const std::string& row : dump["board"]["balls"].strings()) {
    balls += int(std::count_if(row.begin(), row.end(), ::isalpha));
  }
  return balls;
}

TEST(ModesScenario, ClosingSavesTheGameAndASecondRunReadsEverythingBack) {
  const Scenario s = makeScenario("modes-save", kWinLevel);
  int status = 0;
  const std::vector<JsonValue> first =
      run(s, "play 0 adventure normal\nframes 45\ncell 13 7\ncell 13 9\nframes 40\nclose\ndump -\n",
          &status);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0]["game"]["moves"].integer(), 1);
  EXPECT_TRUE(firstProfile(first[0])["adventureSaved"].boolean);

  const std::string settings = s.data + "/settings/";
  EXPECT_EQ(fileSize(settings + "PLAYER_adv.sav"), 99409u);
  EXPECT_EQ(fileSize(settings + "profiles.dat"), 148u);
  EXPECT_EQ(fileSize(settings + "records.dat"), 20160u);
  EXPECT_EQ(fileSize(settings + "hiscore.dat"), 1080u);
  EXPECT_EQ(fileSize(settings + "survival.dat"), 15120u);
  EXPECT_EQ(fileSize(settings + "surrecs.dat"), 13440u);
  EXPECT_EQ(fileSize(s.config + "/software/tarnwick/games/orbelquaint/settings"), 48u);

  const std::vector<JsonValue> second = run(s, "frames 2\ndump -\n", &status);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(second[0]["profiles"], first[0]["profiles"]);
  EXPECT_EQ(second[0]["profiles"]["count"].integer(), 1);
  EXPECT_EQ(firstProfile(second[0])["name"].string, "PLAYER");
  EXPECT_TRUE(firstProfile(second[0])["adventureSaved"].boolean);
  EXPECT_EQ(second[0]["settings"]["profileCount"].integer(), 1);
}

TEST(ModesScenario, ClearingTheLastSquareRunsTheWholeLevelCompleteSequence) {
  const Scenario s = makeScenario("modes-win", kWinLevel);
  int status = 0;
  const std::vector<JsonValue> dumps =
      run(s, "play 0 adventure normal\nframes 45\ncell 9 9\ncell 9 7\nframes 55\ndump -\n"
             "frames 500\ndump -\nframes 30\ndump -\n",
          &status);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(dumps.size(), 3u);

  const double t1 = dumps[0]["game"]["levelCompleteTimer"].number;
  EXPECT_GT(t1, 8000.0);
  EXPECT_LT(t1, 8500.0);
  EXPECT_EQ(int(8500.0 - t1) % 16, 0) << "the sequence started at 8500 ms";
  EXPECT_TRUE(started(dumps[0], "levelcomplete.ogg"));
  EXPECT_EQ(firstProfile(dumps[0])["stage"].integers(), (std::vector<int64_t>{0, 1, 0}))
      << "the profile advanced";
  EXPECT_EQ(dumps[0]["menu"]["screen"].string, "");

  const double t2 = dumps[1]["game"]["levelCompleteTimer"].number;
  const double frames = dumps[1]["frame"].number - dumps[0]["frame"].number;
  EXPECT_EQ(t1 - t2, 16.0 * frames) << "the timer falls with the frame time";
  EXPECT_GT(t2, 0.0);
  EXPECT_EQ(dumps[1]["menu"]["screen"].string, "");
  EXPECT_EQ(boardRow(dumps[0], 7)[13 - 5], 'b');
  EXPECT_EQ(boardRow(dumps[1], 7)[13 - 5], '_') << "every ball popped at 7500 ms";

  EXPECT_EQ(dumps[2]["game"]["levelCompleteTimer"].number, -1.0);
  EXPECT_EQ(dumps[2]["menu"]["screen"].string, "levelcomplete");

  // The statistics: the normal record of level 0 now names the player for its moves.
  const std::vector<uint8_t> records = testReadFile(s.data + "/settings/records.dat");
  ASSERT_EQ(records.size(), 20160u);
  const size_t record = size_t(70 + 0) * 96;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&records[record + 60])), "PLAYER");
  EXPECT_EQ(records[record + 92], 1);
}

TEST(ModesScenario, TheGameMenuOpenedWhileARunPopsLosesNoPoints) {
  for (const char* menu : {"", "key ESCAPE\n"}) {  // the menu opens as the balls wobble
    const Scenario s = makeScenario(menu[0] ? "modes-pops-menu" : "modes-pops", kFullWinLevel);
    int status = 0;
    const std::vector<JsonValue> dumps =
        run(s, std::string("play 0 adventure normal\nframes 45\ncell 9 6\ncell 8 6\nframes 18\n") +
                   menu + "frames 60\ndump -\n",
            &status);
    ASSERT_EQ(dumps.size(), 1u);
    EXPECT_EQ(dumps[0]["game"]["menuOpen"].boolean, menu[0] != '\0');
    EXPECT_EQ(dumps[0]["game"]["levelScore"].integer(), 130) << menu;
    EXPECT_EQ(firstProfile(dumps[0])["score"].integers()[1], 130) << menu;
  }
}

TEST(ModesScenario, AWonFullBoardSaysFarewellWithoutPraiseOrNewBallsAndRecordsEveryPoint) {
  const Scenario s = makeScenario("modes-farewell", kFullWinLevel);
  // Records of no points, each held by "X": the level's result replaces them.
  std::string nothing(20160, '\0');
  for (size_t at = 0; at < nothing.size(); at += 96) nothing[at] = 'X';
  testMakeDirectories((s.data + "/settings").c_str());
  testWriteFile(s.data + "/settings/records.dat", nothing);
  std::string script = "play 0 adventure normal\nframes 45\ncell 9 6\ncell 8 6\nframes 45\ndump -\n";
  for (int i = 0; i < 28; ++i) script += "frames 20\ndump -\n";
  int status = 0;
  const std::vector<JsonValue> dumps = run(s, script, &status);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(dumps.size(), 29u);
  ASSERT_GT(dumps[0]["game"]["levelCompleteTimer"].number, 7500.0) << "won, balls still standing";
  EXPECT_EQ(ballsOnBoard(dumps[0]), 33);
  bool popped = false;
  for (const JsonValue& dump : dumps) {
    const double t = dump["game"]["levelCompleteTimer"].number;
    EXPECT_TRUE(t >= 7500.0 || t <= 0.0 || ballsOnBoard(dump) == 0) << "no new ball, at " << t;
    popped = popped || (t < 7500.0 && started(dump, "ball.ogg"));
    EXPECT_FALSE(started(dump, "excellent.ogg") || started(dump, "addball.ogg")) << t;
    EXPECT_TRUE(dump["banner"].kind == JsonValue::Kind::Null) << t;
    EXPECT_EQ(dump["game"]["levelScore"].integer(), 130) << "three balls, one on a square";
  }
  EXPECT_TRUE(popped) << "the farewell's balls pop";
  const std::vector<uint8_t> records = testReadFile(s.data + "/settings/records.dat");
  ASSERT_EQ(records.size(), 20160u);
  EXPECT_EQ(records[size_t(70 + 0) * 96 + 80], 130) << "recorded once the last pops were in";
}

TEST(ModesScenario, AFullBoardRunsTheDefeatAndTakesALife) {
  const Scenario s = makeScenario("modes-defeat", kFullLevel);
  int status = 0;
  const std::vector<JsonValue> dumps =
      run(s, "play 0 adventure normal\nframes 45\ncell 7 6\ncell 8 6\nframes 30\ndump -\n"
             "frames 320\ndump -\n",
          &status);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(dumps.size(), 2u);
  EXPECT_EQ(dumps[0]["game"]["freeCells"].integer(), 0);
  const double t = dumps[0]["game"]["defeatTimer"].number;
  EXPECT_GT(t, 4000.0);
  EXPECT_EQ(int(5000.0 - t) % 16, 0) << "the sequence started at 5000 ms";
  EXPECT_TRUE(started(dumps[0], "level_defeat.ogg"));
  EXPECT_EQ(firstProfile(dumps[0])["lives"].integers(), (std::vector<int64_t>{3, 3, 3}));

  EXPECT_EQ(dumps[1]["game"]["defeatTimer"].number, -1.0);
  EXPECT_TRUE(dumps[1]["game"]["defeatDim"].boolean);
  EXPECT_EQ(firstProfile(dumps[1])["lives"].integers(), (std::vector<int64_t>{3, 2, 3}));
  EXPECT_EQ(dumps[1]["menu"]["screen"].string, "defeat");
  EXPECT_TRUE(started(dumps[1], "defeat.ogg"));
  EXPECT_EQ(fileSize(s.data + "/settings/profiles.dat"), 148u) << "the lost life was saved";
}

}  // namespace
