// Selecting and moving: the cell geometry, the reachability search, the route and
// its duration, the move through frames and what follows it, and the click rules.
#include <cmath>

#include "board_fixture.h"
#include "game/feedback.h"
#include "game/game.h"
#include "game/game_scene.h"

TEST(CellGeometry, CentresAndPointsMapBothWays) {
  EXPECT_EQ(cellCentre(5, 5).x, -360.0f);
  EXPECT_EQ(cellCentre(5, 5).y, 280.0f);
  EXPECT_EQ(cellCentre(24, 19).x, 400.0f);
  EXPECT_EQ(cellCentre(24, 19).y, -280.0f);
  const CellPos inside = cellAtPoint(-360.0f + 19.0f, 280.0f - 19.0f);
  EXPECT_EQ(inside.x, 5);
  EXPECT_EQ(inside.y, 5);
  // Truncation toward zero: up to 40 units left of the board is still column 5.
  EXPECT_EQ(cellAtPoint(-395.0f, 0.0f).x, 5);
  EXPECT_EQ(cellAtPoint(-339.0f, 0.0f).x, 6);
  EXPECT_EQ(cellAtPoint(0.0f, -300.0f).y, 20);
}

TEST_F(BoardTest, SearchCountsShortestOrthogonalSteps) {
  setBoard({"a__.", "_b__", "____"});
  selectBall(col(0), row(0));
  EXPECT_EQ(cellAt(col(1), row(0)).pathDistance, 1);
  EXPECT_EQ(cellAt(col(2), row(0)).pathDistance, 2);
  EXPECT_EQ(cellAt(col(1), row(2)).pathDistance, 3);   // around the ball, no diagonal step
  EXPECT_EQ(cellAt(col(3), row(0)).pathDistance, -1);  // a hole
  EXPECT_EQ(cellAt(col(1), row(1)).pathDistance, -1);  // a ball
  EXPECT_EQ(cellAt(col(3), row(1)).pathDistance, 4);
}

TEST_F(BoardTest, EnclosedBallReachesNothingAndEmptyClicksAreIgnored) {
  setBoard({"_b_", "bab", "_b_"});
  clickBoardCell(col(1), row(1));
  clickBoardCell(col(0), row(0));
  EXPECT_EQ(gameState.selected.x, col(1));
  EXPECT_EQ(cellAt(col(1), row(1)).moveTargetX, -1);
}

TEST_F(BoardTest, RouteTakesTheFirstNeighbourOfLeftRightUpDown) {
  setBoard({"a_", "__"});
  selectBall(col(0), row(0));
  ASSERT_TRUE(startMove(col(1), row(1)));
  ASSERT_EQ(gameState.movePathSteps, 2);
  // Back from the target both (0, 1) and (1, 0) are one step nearer; left wins.
  EXPECT_EQ(gameState.movePath[0].x, 40.0f);
  EXPECT_EQ(gameState.movePath[0].y, -40.0f);
  EXPECT_EQ(gameState.movePath[1].x, 0.0f);
  EXPECT_EQ(gameState.movePath[1].y, -40.0f);
  EXPECT_EQ(gameState.movePath[2].x, 0.0f);
  EXPECT_EQ(gameState.movePath[2].y, 0.0f);
}

TEST_F(BoardTest, LongerRoutesTakeLessTimePerStep) {
  setBoard({"a_________"});
  selectBall(col(0), row(0));
  ASSERT_TRUE(startMove(col(1), row(0)));
  EXPECT_EQ(gameState.moveDuration, int32_t(std::sqrt(10.0f) * 70.0f));
  EXPECT_EQ(cellAt(col(0), row(0)).moveTime, float(gameState.moveDuration));
  cellAt(col(0), row(0)).moveTargetX = -1;
  selectBall(col(0), row(0));
  ASSERT_TRUE(startMove(col(9), row(0)));
  EXPECT_EQ(gameState.moveDuration, int32_t(std::sqrt(90.0f) * 70.0f));
}

TEST_F(BoardTest, TheBallSpeedSetsTheMoveTimeWithinItsLimits) {
  setBoard({"a_"});
  setBallSpeed(100.0f);
  selectBall(col(0), row(0));
  ASSERT_TRUE(startMove(col(1), row(0)));
  EXPECT_EQ(gameState.moveDuration, int32_t(std::sqrt(10.0f) * 100.0f));
  setBallSpeed(5.0f);
  EXPECT_EQ(moveSettings.ballSpeed, 21.0f);
  setBallSpeed(1.0e9f);
  EXPECT_EQ(moveSettings.ballSpeed, 150.0f);
  setBallSpeed(std::nanf(""));
  EXPECT_EQ(moveSettings.ballSpeed, 70.0f) << "a damaged value gives the default";
}

TEST(GameReset, AFreshStartHasTheLiveBoardCurrentAndNothingCarriedOver) {
  boards.current = &boards.help;
  boards.live.cells[9][9].ballValue = 3;
  gameState.levelScore = 500;
  gameView.menuFade = 300.0f;
  feedback.demoRunning = true;
  setBallSpeed(30.0f);
  resetGame();
  EXPECT_EQ(boards.current, &boards.live);
  EXPECT_EQ(boards.live.cells[9][9].ballValue, 0);
  EXPECT_EQ(gameState.levelScore, 0);
  EXPECT_EQ(gameView.menuFade, 0.0f);
  EXPECT_FALSE(feedback.demoRunning);
  EXPECT_EQ(moveSettings.ballSpeed, 70.0f);
}

TEST_F(BoardTest, MovedBallFollowsItsRouteAndSettles) {
  setBoard({"a__", "___", "bc_"});
  clickBoardCell(col(0), row(0));
  clickBoardCell(col(2), row(0));
  runFrames(1);
  EXPECT_TRUE(gameState.busy);
  const Cell& moving = cellAt(col(0), row(0));
  EXPECT_GT(moving.ballOffsetX, 0.0f);
  EXPECT_LT(moving.ballOffsetX, 80.0f);
  runFrames(40);
  EXPECT_EQ(balls(3), (std::vector<std::string>{"__a", "___", "bc_"}));
  EXPECT_EQ(cellAt(col(2), row(0)).ballOffsetX, 0.0f);
  EXPECT_EQ(gameState.lastMoved.x, col(2));
  EXPECT_EQ(gameState.selected.x, -1);
  EXPECT_EQ(gameState.moves, 1);
  EXPECT_EQ(gameState.pressure, 1);
  EXPECT_FALSE(gameState.busy);
}

TEST_F(BoardTest, MoveThatScoresNothingBringsThePreviewsAndPlacesNewOnes) {
  setBoard({"a__", "___", "b__"});
  cellAt(col(2), row(0)).nextBall = 4;  // under the moved ball: lost
  cellAt(col(2), row(2)).nextBall = 3;  // elsewhere: arrives
  gameState.newBallsPerMove = 2;
  selectBall(col(0), row(0));
  startMove(col(2), row(0));
  runFrames(20);
  EXPECT_EQ(cellAt(col(2), row(0)).ballValue, 0);
  EXPECT_EQ(cellAt(col(2), row(2)).ballValue, 3);
  EXPECT_EQ(cellAt(col(2), row(2)).appearTimer > 0.0f, true);
  int previews = 0;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) previews += cellAt(col(x), row(y)).nextBall >= 0;
  }
  EXPECT_GE(previews, 1);
  EXPECT_LE(previews, 2);
  EXPECT_EQ(gameState.freeCells, countFreeCells(currentBoard()));
}

TEST_F(BoardTest, ScoringMoveBringsNoNewBalls) {
  setBoard({"a___", "_aa_", "b___"});
  cellAt(col(3), row(2)).nextBall = 3;
  gameState.newBallsPerMove = 3;
  selectBall(col(0), row(0));
  startMove(col(0), row(1));
  runFrames(30);
  EXPECT_EQ(balls(3), (std::vector<std::string>{"____", "____", "b___"}));
  EXPECT_EQ(cellAt(col(3), row(2)).nextBall, 3);
  EXPECT_EQ(gameState.combo, 1);
}

TEST_F(BoardTest, ClicksSelectSwitchAndDeselect) {
  setBoard({"ab_", "C__", "..."});
  clickBoardCell(col(0), row(0));
  EXPECT_EQ(gameState.selected.x, col(0));
  clickBoardCell(col(1), row(0));  // another free ball takes the selection
  EXPECT_EQ(gameState.selected.x, col(1));
  clickBoardCell(col(0), row(1));  // a chained ball ignores the click
  EXPECT_EQ(gameState.selected.x, col(1));
  clickBoardCell(col(1), row(0));  // the selected ball again: deselected
  EXPECT_EQ(gameState.selected.x, -1);
  clickBoardCell(col(0), row(0));
  gameView.cursorMode = CursorMode::Hammer;
  clickBoardCell(col(1), row(2));  // no floor: deselect, drop the hammer
  EXPECT_EQ(gameState.selected.x, -1);
  EXPECT_EQ(gameView.cursorMode, CursorMode::Arrow);
}

TEST_F(BoardTest, DoubleClickSelectsAnyCellAndAnEmptyOneFallsAwayNextFrame) {
  setBoard({"a__"});
  doubleClickBoardCell(col(2), row(0));
  EXPECT_EQ(gameState.selected.x, col(2));
  runFrames(1);
  EXPECT_EQ(gameState.selected.x, -1);
  gameView.helpCursor = true;
  gameView.cursorMode = CursorMode::Help;
  doubleClickBoardCell(col(0), row(0));
  EXPECT_FALSE(gameView.helpCursor);
  EXPECT_EQ(gameState.selected.x, -1);
}
