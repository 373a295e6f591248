// Level files: the grid stream, the cell letters per difficulty, the settings with
// their defaults, the bonus figure, the file names and loading through the table.
#include <string>

#include "board_fixture.h"
#include "game/level.h"
#include "platform/platform.h"
#include "resources/resources.h"
#include "test_support.h"

namespace {

std::string lines(const std::vector<std::string>& rows) {
  std::string text;
  for (const std::string& row : rows) text += row + "\r\n";
  return text;
}

struct Parsed {
  LevelSettings settings;
};

Parsed parse(const std::string& text, int32_t difficulty = Difficulty::Expert) {
  Parsed parsed;
  parseLevelText(text.data(), uint32_t(text.size()), difficulty, &boards.live, &parsed.settings);
  return parsed;
}

const Cell& at(int x, int y) { return boards.live.cells[x][y]; }

}  // namespace

TEST_F(BoardTest, GridIsAStreamOfCellsNotOfLines) {
  // A first row of 21 characters pushes its last one into the second row.
  const std::string first = std::string(20, '0') + "1";
  parse("level=\r\n" + lines({first, "2 2", "...."}));
  EXPECT_EQ(at(24, 5).squareLayers, 0);
  EXPECT_EQ(at(5, 6).squareLayers, 1);
  EXPECT_EQ(at(6, 6).squareLayers, 2);  // the space separates nothing
  EXPECT_EQ(at(7, 6).squareLayers, 2);
  EXPECT_EQ(at(8, 6).squareLayers, -1);
}

TEST_F(BoardTest, BlankLineOrTheEndOfTheTextEndsTheGrid) {
  const std::string row(20, '0');
  parse("level=\r\n" + lines({row, row, row, row, row, row, row}) + "\r\n" + lines({row, row}));
  EXPECT_EQ(at(24, 11).squareLayers, 0);
  for (int y = 12; y <= 19; ++y) EXPECT_EQ(at(5, y).squareLayers, -1) << "row " << y;

  parse("level=\r\n000");
  EXPECT_EQ(at(7, 5).squareLayers, 0);
  EXPECT_EQ(at(8, 5).squareLayers, -1);
}

TEST_F(BoardTest, GridNeverReachesBeyondThePlayableArea) {
  parse("level=" + std::string(400, '1'));
  EXPECT_EQ(at(24, 19).squareLayers, 1);
  EXPECT_EQ(at(25, 5).squareLayers, -1);
  EXPECT_EQ(at(5, 20).squareLayers, -1);
  EXPECT_EQ(at(4, 5).squareLayers, -1);
}

TEST_F(BoardTest, LettersGiveChainedBallsEverywhereAndPresetBallsOnlyInNormal) {
  const std::string text = "level=\r\n" + lines({"AKNXZcYi."});
  parse(text, Difficulty::Expert);
  EXPECT_EQ(at(5, 5).squareLayers, 2);
  EXPECT_EQ(at(5, 5).ballValue, 0);
  EXPECT_EQ(at(5, 5).chainLocks, 1);
  EXPECT_EQ(at(5, 5).appearTimer, 500.0f);
  EXPECT_EQ(at(6, 5).ballValue, Ball::Joker);
  EXPECT_EQ(at(7, 5).ballValue, Ball::QuadroBomb);
  EXPECT_EQ(at(8, 5).ballValue, Ball::Empty);  // 'X'
  EXPECT_EQ(at(8, 5).appearTimer, -1.0f);
  EXPECT_EQ(at(9, 5).squareLayers, 1);  // 'Z'
  EXPECT_EQ(at(9, 5).ballValue, Ball::Empty);
  EXPECT_EQ(at(10, 5).ballValue, Ball::Empty);  // 'c'
  EXPECT_EQ(at(11, 5).squareLayers, 0);  // 'Y' and 'i' are plain floor
  EXPECT_EQ(at(12, 5).squareLayers, 0);
  EXPECT_EQ(at(13, 5).squareLayers, -1);

  parse(text, Difficulty::Normal);
  EXPECT_EQ(at(8, 5).ballValue, 0);
  EXPECT_EQ(at(8, 5).squareLayers, 0);
  EXPECT_EQ(at(9, 5).ballValue, 0);
  EXPECT_EQ(at(9, 5).squareLayers, 1);
  EXPECT_EQ(at(10, 5).ballValue, 2);
  EXPECT_EQ(at(10, 5).chainLocks, 0);
  EXPECT_EQ(at(10, 5).appearTimer, 500.0f);
  EXPECT_EQ(at(11, 5).ballValue, Ball::Empty);
}

TEST_F(BoardTest, OnlyTheExactTextNoTurnsTheHammerOff) {
  EXPECT_FALSE(parse("hammer=no\r\n").settings.hammerEnabled);
  EXPECT_TRUE(parse("hammer=No\r\n").settings.hammerEnabled);
  EXPECT_TRUE(parse("hammer=no \r\n").settings.hammerEnabled);
  EXPECT_TRUE(parse("hammer=yes\r\n").settings.hammerEnabled);
  EXPECT_TRUE(parse("level=\r\n").settings.hammerEnabled);
}

TEST_F(BoardTest, CountsFallBackToTheirDefaults) {
  const LevelSettings none = parse("level=\r\n").settings;
  EXPECT_EQ(none.colourCount, 5);
  EXPECT_EQ(none.newBallsPerMove, 3);
  EXPECT_EQ(none.jokerFrequency, 20);
  const LevelSettings zeros =
      parse("colors=0\r\naddballs=abc\r\njockerfrequency=-4\r\n").settings;
  EXPECT_EQ(zeros.colourCount, 5);
  EXPECT_EQ(zeros.newBallsPerMove, 3);
  EXPECT_EQ(zeros.jokerFrequency, 20);
  const LevelSettings set =
      parse("colors=7\r\naddballs=2\r\njockerfrequency=1000000\r\n").settings;
  EXPECT_EQ(set.colourCount, 7);
  EXPECT_EQ(set.newBallsPerMove, 2);
  EXPECT_EQ(set.jokerFrequency, 1000000);
}

TEST_F(BoardTest, BonusFigureReadsNineCellsByRows) {
  const LevelSettings figure = parse("bonusfigure=\r\n1.2\r\n...\r\n9.0\r\n\r\nlevel=\r\n").settings;
  EXPECT_EQ(figure.bonusFigure[0][0], 1);
  EXPECT_EQ(figure.bonusFigure[1][0], -1);
  EXPECT_EQ(figure.bonusFigure[2][0], 2);
  EXPECT_EQ(figure.bonusFigure[0][2], 9);
  EXPECT_EQ(figure.bonusFigure[2][2], 0);
  const LevelSettings missing = parse("level=\r\n").settings;
  EXPECT_EQ(missing.bonusFigure[1][1], -1);
}

TEST(LevelFiles, NamesFollowTheLevelIndex) {
  char name[32];
  const std::pair<int, const char*> cases[] = {
      {-1, "help.lvl"}, {0, "tut1_01.lvl"}, {3, "tut1_04.lvl"}, {4, "pack1_01.lvl"}, {69, "pack1_66.lvl"}};
  for (const auto& c : cases) {
    levelFileName(c.first, name, sizeof(name));
    EXPECT_STREQ(name, c.second);
  }
}

TEST_F(BoardTest, LevelsLoadFromTheLevelsFolderThroughTheFileTable) {
  const std::string dir = testTempDirectory("level-load");
  testMakeDirectories((dir + "/levels").c_str());
  testWriteFile(dir + "/levels/zz_load_test.lvl", "colors=6\r\nlevel=\r\n" + lines({"0a1"}));
  const std::string previous = sysCurrentDirectory();
  ASSERT_TRUE(sysChangeDirectory(dir.c_str()));
  LevelSettings settings;
  EXPECT_TRUE(loadLevelFile("zz_load_test.lvl", Difficulty::Normal, &boards.live, &settings));
  EXPECT_EQ(sysCurrentDirectory(), dir);
  EXPECT_EQ(settings.colourCount, 6);
  EXPECT_EQ(at(6, 5).ballValue, 0);
  EXPECT_EQ(at(7, 5).squareLayers, 1);
  EXPECT_FALSE(loadLevelFile("zz_missing.lvl", Difficulty::Normal, &boards.live, &settings));
  EXPECT_EQ(at(5, 5).squareLayers, -1);
  EXPECT_EQ(settings.jokerFrequency, 20);
  sysChangeDirectory(previous.c_str());
}

TEST(LevelFiles, EveryGeneratedLevelLoadsWithFloorAndSquares) {
  const std::string previous = sysCurrentDirectory();
  if (!sysChangeDirectory(ORBEL_DATA_DIR)) GTEST_SKIP() << "no generated data";
  clearFileTable();
  static Board board;
  LevelSettings settings;
  char name[32];
  for (int32_t level = kHelpLevel; level < kLevelCount; ++level) {
    levelFileName(level, name, sizeof(name));
    EXPECT_TRUE(loadLevelFile(name, Difficulty::Normal, &board, &settings)) << name;
    EXPECT_GT(countFreeCells(board), 0) << name;
    if (level >= 0) {
      EXPECT_GT(countSquareLayers(board), 0) << name;
    }
  }
  clearFileTable();
  sysChangeDirectory(previous.c_str());
}
