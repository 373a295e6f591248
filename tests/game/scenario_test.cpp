// The board game end to end through the headless runner: a level with preset
// balls, a move that scores and a move that scores nothing, read back from dumps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_json.h"
#include "test_support.h"

namespace {

// Normal difficulty on level 0 starts with only these presets: a pair of colour 0
// in row 7 that a ball from row 9 completes, and a lone colour 1. The square in
// the corner keeps the level from being won at once.
const char* const kLevel =
    "hammer=no\r\n"
    "jockerfrequency=1000000\r\n"
    "level=\r\n"
    "....................\r\n"
    ".00000000000........\r\n"
    ".0aa0000b000........\r\n"
    ".00000000000........\r\n"
    ".000a0000000........\r\n"
    ".00000000000........\r\n"
    ".00000000001........\r\n"
    "\r\n";

const char* const kScript =
    "play 0 adventure normal\n"
    "frames 45\n"
    "dump -\n"
    "cell 9 9\n"
    "cell 9 7\n"
    "frames 60\n"
    "dump -\n"
    "cell 13 7\n"
    "cell 13 9\n"
    "frames 30\n"
    "dump -\n";

// A data folder with the generated data and this test's own levels.
std::string scenarioData() {
  const std::string dir = testPrivateDataDirectory("board-scenario");
  testRunCommand("rm -f '" + dir + "/levels'");
  testMakeDirectories((dir + "/levels").c_str());
  testWriteFile(dir + "/levels/tut1_01.lvl", kLevel);
  return dir;
}

std::vector<JsonValue> runScenario(const std::string& data, int* status) {
  std::string output;
  *status = testRunScript(data, kScript, "--seed 7", &output);
  return testDumps(output);
}

// Board cell (x, y) in a dump's rows (rows 5..19, columns 5..24).
char cellOf(const std::vector<std::string>& rows, int x, int y) { return rows[y - 5][x - 5]; }

}  // namespace

TEST(BoardScenario, ScoringMoveThenAMoveThatBringsNewBalls) {
  int status = 0;
  const std::vector<JsonValue> dumps = runScenario(scenarioData(), &status);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(dumps.size(), 3u);

  // Start: the presets have arrived, previews wait, nothing scored.
  const std::vector<std::string> start = dumps[0]["board"]["balls"].strings();
  ASSERT_EQ(start.size(), 15u);
  EXPECT_EQ(start[2], "._aa____b___........");
  EXPECT_EQ(cellOf(start, 9, 9), 'a');
  EXPECT_EQ(dumps[0]["scene"].string, "game");
  EXPECT_EQ(dumps[0]["game"]["freeCells"].integer(), 66 - 4);
  EXPECT_EQ(dumps[0]["game"]["newBallsPerMove"].integer(), (66 - 4) / 8);

  // The ball from (9, 9) completes the row: three balls at 10 points, no new balls.
  const std::vector<std::string> scored = dumps[1]["board"]["balls"].strings();
  EXPECT_EQ(scored[2], "._______b___........");
  EXPECT_EQ(cellOf(scored, 9, 9), '_');
  EXPECT_EQ(dumps[1]["game"]["levelScore"].integer(), 30);
  EXPECT_EQ(dumps[1]["game"]["combo"].integer(), 1);
  EXPECT_EQ(dumps[1]["game"]["moves"].integer(), 1);
  EXPECT_EQ(dumps[1]["board"]["previews"], dumps[0]["board"]["previews"]);

  // Moving the lone ball scores nothing: every waiting preview becomes its ball
  // (one standing where the ball stopped is lost) and new previews are placed.
  const std::vector<std::string> before = dumps[1]["board"]["previews"].strings();
  const std::vector<std::string> after = dumps[2]["board"]["balls"].strings();
  EXPECT_EQ(cellOf(after, 13, 9), 'b');
  int arrived = 0;
  for (int y = 5; y <= 19; ++y) {
    for (int x = 5; x <= 24; ++x) {
      const char preview = cellOf(before, x, y);
      if (preview == '.' || (x == 13 && y == 9)) continue;
      EXPECT_EQ(cellOf(after, x, y), preview) << "cell " << x << ", " << y;
      ++arrived;
    }
  }
  EXPECT_GE(arrived, 1);
  EXPECT_EQ(dumps[2]["game"]["freeCells"].integer(), 66 - 1 - arrived);
  EXPECT_EQ(dumps[2]["game"]["combo"].integer(), 0);
  EXPECT_EQ(dumps[2]["game"]["levelScore"].integer(), 30);
  int placed = 0;
  for (const std::string& line : dumps[2]["board"]["previews"].strings()) {
    for (char c : line) placed += c != '.';
  }
  EXPECT_GE(placed, 1);
  EXPECT_LE(placed, dumps[2]["game"]["newBallsPerMove"].integer());
}

TEST(BoardScenario, DumpsRepeatForTheSameSeed) {
  // Each run starts from fresh settings: the first run's saved profile would
  // carry its score into the second.
  int first = 0, second = 0;
  const std::vector<JsonValue> a = runScenario(scenarioData(), &first);
  const std::vector<JsonValue> b = runScenario(scenarioData(), &second);
  ASSERT_EQ(first, 0);
  ASSERT_EQ(a.size(), 3u);
  EXPECT_EQ(a, b);
}
