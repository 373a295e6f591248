// New balls: preview placement, arrivals, the last free cell, jokers and items.
#include "board_fixture.h"
#include "game/tips.h"

TEST_F(BoardTest, LastFreeCellIsPreviewedAndFilledInOneArrival) {
  setBoard({"ab", "c_"});
  ASSERT_EQ(gameState.freeCells, 1);
  arrivePreviews();
  EXPECT_TRUE(hasBall(cellAt(col(1), row(1))));
  EXPECT_EQ(gameState.freeCells, 0);
  EXPECT_EQ(cellAt(col(1), row(1)).nextBall, -1);
}

TEST_F(BoardTest, JokerFrequencyOfOneMakesEveryNewBallAJoker) {
  setBoard({"______", "______"});
  gameState.jokerFrequency = 1;
  for (int i = 0; i < 6; ++i) placePreview();
  arrivePreviews();
  int balls = 0;
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 6; ++x) {
      const Cell& cell = cellAt(col(x), row(y));
      if (!hasBall(cell)) continue;
      ++balls;
      EXPECT_EQ(cell.ballValue, Ball::Joker);
    }
  }
  EXPECT_GE(balls, 1);
  EXPECT_STREQ(tipState.key, "jokertip");
}

TEST_F(BoardTest, PreviewsUseColoursBelowTheCountAndOnlyEmptyFloor) {
  setBoard({"a_._b", "_c_d_"});
  gameState.colourCount = 3;
  for (int i = 0; i < 50; ++i) placePreview();
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 5; ++x) {
      const Cell& cell = cellAt(col(x), row(y));
      if (!hasFloor(cell) || hasBall(cell)) {
        EXPECT_EQ(cell.nextBall, -1);
      }
      if (cell.nextBall >= 0) {
        EXPECT_LT(cell.nextBall, 3);
        EXPECT_EQ(cell.nextBallTimer, 500.0f);
      }
    }
  }
}

TEST_F(BoardTest, ArrivalsGrowInAndLeaveOccupiedPreviewsBehind) {
  setBoard({"a__"});
  cellAt(col(0), row(0)).nextBall = 2;
  cellAt(col(1), row(0)).nextBall = 3;
  arrivePreviews();
  EXPECT_EQ(cellAt(col(0), row(0)).ballValue, 0);
  EXPECT_EQ(cellAt(col(0), row(0)).nextBall, -1);
  const Cell& arrived = cellAt(col(1), row(0));
  EXPECT_EQ(arrived.ballValue, 3);
  EXPECT_EQ(arrived.appearTimer, 500.0f);
  EXPECT_EQ(arrived.moveTargetX, -1);
  EXPECT_GE(arrived.phase, 0.0f);
  EXPECT_LE(arrived.phase, 1.0f);
}

TEST_F(BoardTest, ItemArrivalTakesOnlyItemPreviews) {
  setBoard({"___"});
  cellAt(col(0), row(0)).nextBall = Ball::Joker;
  cellAt(col(1), row(0)).nextBall = Ball::Diamond;
  arriveItems();
  EXPECT_FALSE(hasBall(cellAt(col(0), row(0))));
  EXPECT_EQ(cellAt(col(0), row(0)).nextBall, Ball::Joker);
  EXPECT_EQ(cellAt(col(1), row(0)).ballValue, Ball::Diamond);
  EXPECT_STREQ(tipState.key, "diamond");
  EXPECT_EQ(tipState.cell.x, col(1));
}

TEST_F(BoardTest, EmptyBoardReceivesItsPreviewsAtOnce) {
  setBoard({"___"});
  cellAt(col(1), row(0)).nextBall = 1;
  runFrames(1);
  EXPECT_EQ(cellAt(col(1), row(0)).ballValue, 1);
}
