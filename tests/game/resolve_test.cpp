// Matching, removal and scoring: runs in every direction, jokers and items in
// runs, chains, blasts and their chains, bonus items, board clears and points.
#include <cstring>

#include "app/scene.h"
#include "board_fixture.h"
#include "effects/effects.h"
#include "game/feedback.h"
#include "game/game_scene.h"
#include "game/tips.h"
#include "persistence/profile.h"
#include "render/text.h"

namespace {

// A 7 x 7 block in which no two neighbours along any axis share a colour, so the
// only run is the one a test adds.
std::vector<std::string> patternBlock() {
  std::vector<std::string> rows;
  for (int y = 0; y < 7; ++y) {
    std::string line;
    for (int x = 0; x < 7; ++x) line += char('a' + (x + 2 * y) % 5);
    rows.push_back(line);
  }
  return rows;
}

// The cells a blast emptied, as '#' in an otherwise '.' picture.
std::vector<std::string> emptiedCells(int size) {
  std::vector<std::string> mask;
  for (int y = 0; y < size; ++y) {
    std::string line;
    for (int x = 0; x < size; ++x) line += hasBall(cellAt(col(x), row(y))) ? '.' : '#';
    mask.push_back(line);
  }
  return mask;
}

}  // namespace

TEST_F(BoardTest, DiagonalRunsOfThreeGoAndPairsStay) {
  setBoard({"a____", "_a___", "__a_c", "b__c_", "_bc__"});
  EXPECT_EQ(resolveBoard(true), 6);
  EXPECT_EQ(balls(5), (std::vector<std::string>{"_____", "_____", "_____", "b____", "_b___"}));
}

TEST_F(BoardTest, CrossingRunsShareTheirBallOnce) {
  setBoard({"_a_", "aaa", "_a_"});
  const int32_t freeBefore = gameState.freeCells;
  EXPECT_EQ(resolveBoard(true), 5);
  EXPECT_EQ(feedback.removalCount, 5);
  EXPECT_EQ(gameState.freeCells, freeBefore + 5);
}

TEST_F(BoardTest, JokersJoinRunsOfEveryColour) {
  setBoard({"aaKbb", "_____", "KKK__", "_____", "aKb__"});
  // Red, red, joker, blue, blue is two runs of three; three jokers are a run;
  // one joker between two different colours is not.
  EXPECT_EQ(resolveBoard(true), 8);
  EXPECT_EQ(balls(5), (std::vector<std::string>{"_____", "_____", "_____", "_____", "aKb__"}));
}

TEST_F(BoardTest, ArrivingBallCompletesItsRunOnlyAfterArrival) {
  setBoard({"aa_"});
  putBall(col(2), row(0), 0);
  cellAt(col(2), row(0)).appearTimer = 500.0f;
  EXPECT_EQ(resolveBoard(true), 0);
  runFrames(45);
  EXPECT_EQ(balls(1), (std::vector<std::string>{"___"}));
  EXPECT_EQ(gameState.combo, 1);
}

TEST_F(BoardTest, ChainedBallInARunLosesOneChainAndStays) {
  setBoard({"aAa"});
  EXPECT_EQ(resolveBoard(true), 3);
  EXPECT_EQ(balls(1), (std::vector<std::string>{"_a_"}));
  EXPECT_EQ(feedback.removalCount, 2);
  EXPECT_EQ(gameState.levelScore, 50);  // the chain's points come at once
  EXPECT_STREQ(recentEffectName(0), "chain2");
}

TEST_F(BoardTest, TripleBombBlastsThirteenCells) {
  std::vector<std::string> rows = patternBlock();
  rows[3][1] = rows[3][2] = 'f';
  rows[3][3] = 'L';
  setBoard(rows);
  EXPECT_EQ(resolveBoard(true), 13);
  EXPECT_EQ(emptiedCells(7), (std::vector<std::string>{".......", "...#...", "..###..", ".#####.",
                                                        "..###..", "...#...", "......."}));
}

TEST_F(BoardTest, QuadroBombBlastsTheSquareWithoutCorners) {
  std::vector<std::string> rows = patternBlock();
  rows[3][1] = rows[3][2] = 'f';
  rows[3][3] = 'N';
  setBoard(rows);
  EXPECT_EQ(resolveBoard(true), 21);
  EXPECT_EQ(emptiedCells(7), (std::vector<std::string>{".......", "..###..", ".#####.", ".#####.",
                                                        ".#####.", "..###..", "......."}));
}

TEST_F(BoardTest, BlastsEmptyOfBallsStillClearSquares) {
  setBoard({"_____", "_____", "aaL__", "_____", "_____"});
  setLayers({"11111", "11111", "11111", "11111", "11111"});
  resolveBoard(true);
  EXPECT_EQ(cellAt(col(2), row(0)).squareLayers, 0);  // two steps above the bomb
  EXPECT_EQ(cellAt(col(0), row(0)).squareLayers, 1);  // outside the blast
  EXPECT_EQ(effectLog.starsSpawned, 13);
}

TEST_F(BoardTest, BlastChainsAgainstTheScanOrderStopAfterSevenPasses) {
  // Bombs every second column; the rightmost fires first, and each blast reaches
  // the next bomb to the left, which the scan has already passed: one per pass.
  std::string bombs(19, '_');
  for (int x = 0; x <= 18; x += 2) bombs[x] = 'L';
  std::string above(19, '_'), below(19, '_');
  above[18] = below[18] = 'a';
  setBoard({above, bombs, below});
  resolveBoard(true);
  // Passes fire the bombs at 18, 16 .. 6; the one at 4 is caught but never fires.
  EXPECT_TRUE(cellAt(col(4), row(1)).removalMark);
  EXPECT_FALSE(cellAt(col(2), row(1)).removalMark);
  EXPECT_FALSE(cellAt(col(3), row(1)).removalMark);
}

TEST_F(BoardTest, BombLaterInTheScanFiresInTheSamePass) {
  // Left to right the chain runs within one pass, so it crosses the whole row.
  std::string bombs(19, '_');
  for (int x = 0; x <= 18; x += 2) bombs[x] = 'L';
  std::string above(19, '_'), below(19, '_');
  above[0] = below[0] = 'a';
  setBoard({above, bombs, below});
  resolveBoard(true);
  EXPECT_TRUE(cellAt(col(18), row(1)).removalMark);
}

TEST_F(BoardTest, LongRunsAndCombosLeaveItemsWhereTheBallCameToRest) {
  struct Case {
    const char* row;
    int32_t comboBefore;
    int32_t item;
  };
  const Case cases[] = {
      {"aaaa_", 0, Ball::TripleBomb},  // a run of four
      {"aaaaa", 0, Ball::QuadroBomb},  // five or more
      {"aaa__", 1, Ball::Diamond},     // the second scoring resolution in a row
      {"aaaa_", 1, Ball::Diamond},     // an even combo beats the run of four
      {"aaaaa", 1, Ball::QuadroBomb},  // the quadro bomb takes the cell, the diamond is lost
      {"aaa__", 2, Ball::Empty},       // an odd combo with a short run: nothing
  };
  for (const Case& c : cases) {
    SetUp();
    setBoard({c.row});
    gameState.combo = c.comboBefore;
    gameState.lastMoved = {col(1), row(0)};
    resolveBoard(true);
    const Cell& cell = cellAt(col(1), row(0));
    EXPECT_EQ(cell.ballValue, c.item) << c.row << " after combo " << c.comboBefore;
    if (c.item != Ball::Empty) {
      EXPECT_EQ(cell.appearTimer, 500.0f);
    }
  }
}

TEST_F(BoardTest, NoItemWithoutALastMovedCell) {
  setBoard({"aaaa_"});
  resolveBoard(true);
  EXPECT_EQ(balls(1), (std::vector<std::string>{"_____"}));
}

TEST_F(BoardTest, DiamondTakesEveryBallOfTheColourBesideIt) {
  setBoard({"aaM__", "___b_", "a_b_a", "_a___"});
  EXPECT_EQ(resolveBoard(true), 6);
  EXPECT_EQ(balls(4), (std::vector<std::string>{"_____", "___b_", "__b__", "_____"}));
  int bolts = 0;
  for (const DiamondBolt& bolt : feedback.bolts) bolts += bolt.life > 0.0f ? 1 : 0;
  EXPECT_EQ(bolts, 3);
}

TEST_F(BoardTest, DiamondAmongItemsTakesTheFirstMarkedColourOfEachRow) {
  setBoard({"KKM__", "_____", "c___c", "bbb__", "____b"});
  resolveBoard(true);
  EXPECT_EQ(balls(5), (std::vector<std::string>{"_____", "_____", "c___c", "_____", "_____"}));
}

TEST_F(BoardTest, ThreeBombsFiredTogetherClearTheBoardAndPreviewsArrive) {
  setBoard({"LLL____", "_______", "_______", "_______", "a_b_c_d", "_______", "__C__e_"});
  cellAt(col(6), row(2)).nextBall = 3;
  gameState.newBallsPerMove = 2;
  resolveBoard(true);
  EXPECT_EQ(cellAt(col(6), row(2)).ballValue, 3);     // the pending preview arrived
  EXPECT_EQ(cellAt(col(2), row(6)).ballValue, 2);     // a chained ball only loses its chain
  EXPECT_EQ(cellAt(col(2), row(6)).chainLocks, 0);
  EXPECT_FALSE(hasBall(cellAt(col(0), row(4))));
  EXPECT_FALSE(hasBall(cellAt(col(5), row(6))));
  int previews = 0;
  for (int y = kFirstRow; y <= kLastRow; ++y) {
    for (int x = kFirstColumn; x <= kLastColumn; ++x) previews += cellAt(x, y).nextBall >= 0;
  }
  EXPECT_GE(previews, 1);
}

TEST_F(BoardTest, PointsGrowWithTheComboAndSquaresAddAHundred) {
  setBoard({"aaa"});
  setLayers({"010"});
  resolveBoard(true);
  popAll();
  EXPECT_EQ(gameState.levelScore, 10 + 110 + 10);
  EXPECT_EQ(score(), 130);
  EXPECT_EQ(cellAt(col(1), row(0)).squareLayers, 0);

  SetUp();
  setBoard({"bbb"});
  gameState.combo = 2;
  resolveBoard(true);
  popAll();
  EXPECT_EQ(gameState.levelScore, 90);
}

TEST_F(BoardTest, QueuedBallsPopEightyMillisecondsApart) {
  setBoard({"aaaaaaa"});
  resolveBoard(true);
  const int32_t steps[] = {251, 80, 80, 80, 80, 80};
  const int32_t expected[] = {10, 20, 30, 40, 50, 70};  // the sixth and seventh go together
  for (int i = 0; i < 6; ++i) {
    updateBallRemovals(float(steps[i]));
    EXPECT_EQ(gameState.levelScore, expected[i]) << "after step " << i;
  }
  EXPECT_FALSE(updateBallRemovals(1.0f));  // every entry has finished
  EXPECT_EQ(feedback.removalCount, 0);
}

TEST_F(BoardTest, BombsPopWithoutPointsAndShakeTheScreen) {
  setBoard({"aaN"});
  resolveBoard(true);
  popAll();
  EXPECT_EQ(gameState.levelScore, 20);
  EXPECT_EQ(gameView.shakeTimer, 800);
  EXPECT_EQ(gameView.shakeStrength, 1.5f);
}

TEST_F(BoardTest, ComboCountsScoringResolutionsAndResetsAfterAnEmptyMove) {
  setBoard({"aaa", "___", "bbb"});
  resolveBoard(true);
  EXPECT_EQ(gameState.combo, 1);
  setBoard({"ccc"});
  resolveBoard(false);
  EXPECT_EQ(gameState.combo, 2);
  EXPECT_EQ(gameState.comboStat, 1);
  EXPECT_EQ(gameState.pressure, -2);
  EXPECT_STREQ(textState.bannerText, "Combo x 2");
  resolveBoard(false);  // arrivals that score nothing keep the combo
  EXPECT_EQ(gameState.combo, 2);
  resolveBoard(true);
  EXPECT_EQ(gameState.combo, 0);
}

TEST_F(BoardTest, ZenKeepsTheLongestCombo) {
  gameState.difficulty = Difficulty::Zen;
  gameState.combo = 4;
  gameState.comboStat = 3;
  setBoard({"aaa"});
  resolveBoard(true);
  EXPECT_EQ(gameState.comboStat, 5);
}

TEST_F(BoardTest, HammerChargesByBallsTimesComboUpToFull) {
  setBoard({"aaa"});
  resolveBoard(true);
  EXPECT_FLOAT_EQ(gameState.hammerCharge, 0.09f);
  gameState.hammerCharge = 0.95f;
  setBoard({"bbbb"});
  resolveBoard(true);
  EXPECT_EQ(gameState.hammerCharge, 1.0f);
  EXPECT_STREQ(tipState.key, "hammerfull");
  gameState.hammerEnabled = false;
  gameState.hammerCharge = 0.0f;
  setBoard({"ccc"});
  resolveBoard(true);
  EXPECT_EQ(gameState.hammerCharge, 0.0f);
}

TEST_F(BoardTest, PraiseNeedsMoreBallsOnEasierDifficulties) {
  std::string sixteen(16, 'a');
  setBoard({sixteen});
  resolveBoard(true);
  EXPECT_STREQ(textState.bannerText, "EXCELLENT!");

  SetUp();
  std::memset(textState.bannerText, 0, sizeof(textState.bannerText));
  gameState.difficulty = Difficulty::Normal;
  setBoard({sixteen});
  resolveBoard(true);
  EXPECT_STRNE(textState.bannerText, "EXCELLENT!");
}

TEST_F(BoardTest, PointsCountOnlyWhilePlayIsLive) {
  addScore(0.0f, 0.0f, 10);
  gameView.menuOpen = true;  // the last move's pops go on under the game menu
  addScore(0.0f, 0.0f, 10);
  gameView.menuOpen = false;
  gameState.levelCompleteTimer = 7999.0f;
  addScore(0.0f, 0.0f, 10);
  gameState.levelCompleteTimer = 0.0f;
  setCurrentSceneDirectly(&mapScene);
  addScore(0.0f, 0.0f, 10);
  EXPECT_EQ(gameState.levelScore, 20);
  EXPECT_EQ(score(), 20);
}

TEST_F(BoardTest, PassingAHundredThousandGivesOneLifeOutsideSurvival) {
  setScore(199950);
  addScore(0.0f, 0.0f, 60);
  EXPECT_EQ(lives(), 4);
  EXPECT_EQ(score(), 200010);
  addScore(0.0f, 0.0f, 60);
  EXPECT_EQ(lives(), 4);

  gameState.survival = true;
  setScore(99990);
  addScore(0.0f, 0.0f, 20);
  EXPECT_EQ(lives(), 4);
}
