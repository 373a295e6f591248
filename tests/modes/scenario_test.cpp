// The modes end to end through the headless runner: a game saved on closing and
// read back by a second run, a level won with its whole sequence, and a full board
// that costs a life. Each scenario has its own data and registry folders.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

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

std::vector<std::string> run(const Scenario& s, const std::string& script, int* status) {
  std::string output;
  *status = testRunScript(s.data, script, "--seed 11", &output,
                          "XDG_CONFIG_HOME='" + s.config + "'");
  return testDumpLines(output);
}

// The raw value text after "key": (searched from the section `within` on).
std::string valueOf(const std::string& json, const std::string& key,
                    const std::string& within = "") {
  size_t from = within.empty() ? 0 : json.find("\"" + within + "\":");
  if (from == std::string::npos) return "";
  const size_t at = json.find("\"" + key + "\":", from);
  if (at == std::string::npos) return "";
  const size_t begin = at + key.size() + 3;
  size_t end = begin;
  int depth = 0;
  for (; end < json.size(); ++end) {
    const char c = json[end];
    if (c == '[' || c == '{') ++depth;
    if ((c == ']' || c == '}') && depth-- == 0) break;
    if (c == ',' && depth == 0) break;
  }
  return json.substr(begin, end - begin);
}

double numberOf(const std::string& json, const std::string& key, const std::string& within = "") {
  return std::atof(valueOf(json, key, within).c_str());
}

bool started(const std::string& json, const char* sound) {
  return valueOf(json, "started", "audio").find(std::string("\"") + sound + "\"") !=
         std::string::npos;
}

// Row y (5..19) of the dumped board's balls.
std::string boardRow(const std::string& json, int y) {
  const std::string rows = valueOf(json, "balls", "board");
  size_t open = 0;
  for (int i = 5; i <= y; ++i) {
    open = rows.find('"', open);                      // the row's opening quote
    if (i < y) open = rows.find('"', open + 1) + 1;  // past its closing quote
  }
  return rows.substr(open + 1, 20);
}

size_t fileSize(const std::string& path) { return testReadFile(path).size(); }

TEST(ModesScenario, ClosingSavesTheGameAndASecondRunReadsEverythingBack) {
  const Scenario s = makeScenario("modes-save", kWinLevel);
  int status = 0;
  const std::vector<std::string> first =
      run(s, "play 0 adventure normal\nframes 45\ncell 13 7\ncell 13 9\nframes 40\nclose\ndump -\n",
          &status);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(numberOf(first[0], "moves", "game"), 1);
  EXPECT_EQ(valueOf(first[0], "adventureSaved", "profiles"), "true");

  const std::string settings = s.data + "/settings/";
  EXPECT_EQ(fileSize(settings + "PLAYER_adv.sav"), 99409u);
  EXPECT_EQ(fileSize(settings + "profiles.dat"), 148u);
  EXPECT_EQ(fileSize(settings + "records.dat"), 20160u);
  EXPECT_EQ(fileSize(settings + "hiscore.dat"), 1080u);
  EXPECT_EQ(fileSize(settings + "survival.dat"), 15120u);
  EXPECT_EQ(fileSize(settings + "surrecs.dat"), 13440u);
  EXPECT_EQ(fileSize(s.config + "/software/tarnwick/games/orbelquaint/settings"), 48u);

  const std::vector<std::string> second = run(s, "frames 2\ndump -\n", &status);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(valueOf(second[0], "profiles"), valueOf(first[0], "profiles"));
  EXPECT_EQ(numberOf(second[0], "count", "profiles"), 1);
  EXPECT_EQ(valueOf(second[0], "name", "profiles"), "\"PLAYER\"");
  EXPECT_EQ(valueOf(second[0], "adventureSaved", "profiles"), "true");
  EXPECT_EQ(numberOf(second[0], "profileCount", "settings"), 1);
}

TEST(ModesScenario, ClearingTheLastSquareRunsTheWholeLevelCompleteSequence) {
  const Scenario s = makeScenario("modes-win", kWinLevel);
  int status = 0;
  const std::vector<std::string> dumps =
      run(s, "play 0 adventure normal\nframes 45\ncell 9 9\ncell 9 7\nframes 30\ndump -\n"
             "frames 500\ndump -\nframes 30\ndump -\n",
          &status);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(dumps.size(), 3u);

  const double t1 = numberOf(dumps[0], "levelCompleteTimer", "game");
  EXPECT_GT(t1, 8000.0);
  EXPECT_LT(t1, 8500.0);
  EXPECT_EQ(int(8500.0 - t1) % 16, 0) << "the sequence started at 8500 ms";
  EXPECT_TRUE(started(dumps[0], "levelcomplete.ogg"));
  EXPECT_EQ(valueOf(dumps[0], "stage", "profiles"), "[0,1,0]") << "the profile advanced";
  EXPECT_EQ(valueOf(dumps[0], "screen", "menu"), "\"\"");

  const double t2 = numberOf(dumps[1], "levelCompleteTimer", "game");
  const double frames = numberOf(dumps[1], "frame") - numberOf(dumps[0], "frame");
  EXPECT_EQ(t1 - t2, 16.0 * frames) << "the timer falls with the frame time";
  EXPECT_GT(t2, 0.0);
  EXPECT_EQ(valueOf(dumps[1], "screen", "menu"), "\"\"");
  EXPECT_EQ(boardRow(dumps[0], 7)[13 - 5], 'b');
  EXPECT_EQ(boardRow(dumps[1], 7)[13 - 5], '_') << "every ball popped at 7500 ms";

  EXPECT_EQ(numberOf(dumps[2], "levelCompleteTimer", "game"), -1.0);
  EXPECT_EQ(valueOf(dumps[2], "screen", "menu"), "\"levelcomplete\"");

  // The statistics: the normal record of level 0 now names the player for its moves.
  const std::vector<uint8_t> records = testReadFile(s.data + "/settings/records.dat");
  ASSERT_EQ(records.size(), 20160u);
  const size_t record = size_t(70 + 0) * 96;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&records[record + 60])), "PLAYER");
  EXPECT_EQ(records[record + 92], 1);
}

TEST(ModesScenario, AFullBoardRunsTheDefeatAndTakesALife) {
  const Scenario s = makeScenario("modes-defeat", kFullLevel);
  int status = 0;
  const std::vector<std::string> dumps =
      run(s, "play 0 adventure normal\nframes 45\ncell 7 6\ncell 8 6\nframes 30\ndump -\n"
             "frames 320\ndump -\n",
          &status);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(dumps.size(), 2u);
  EXPECT_EQ(numberOf(dumps[0], "freeCells", "game"), 0);
  const double t = numberOf(dumps[0], "defeatTimer", "game");
  EXPECT_GT(t, 4000.0);
  EXPECT_EQ(int(5000.0 - t) % 16, 0) << "the sequence started at 5000 ms";
  EXPECT_TRUE(started(dumps[0], "level_defeat.ogg"));
  EXPECT_EQ(valueOf(dumps[0], "lives", "profiles"), "[3,3,3]");

  EXPECT_EQ(numberOf(dumps[1], "defeatTimer", "game"), -1.0);
  EXPECT_EQ(valueOf(dumps[1], "defeatDim", "game"), "true");
  EXPECT_EQ(valueOf(dumps[1], "lives", "profiles"), "[3,2,3]");
  EXPECT_EQ(valueOf(dumps[1], "screen", "menu"), "\"defeat\"");
  EXPECT_TRUE(started(dumps[1], "defeat.ogg"));
  EXPECT_EQ(fileSize(s.data + "/settings/profiles.dat"), 148u) << "the lost life was saved";
}

}  // namespace
