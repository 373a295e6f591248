// The game scene's input rules: end sequences, pausing, the panel's buttons, the
// hammer and the developer keys, through the handlers the scene calls.
#include <utility>

#include "board_fixture.h"
#include "game/feedback.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "game/tips.h"
#include "input/input.h"
#include "persistence/profile.h"
#include "platform/platform.h"
#include "ui/menu.h"

namespace {

// Clicks the centre of board cell (i, j) of the letter rows.
void clickCell(int i, int j) {
  const Vec2 at = cellCentre(col(i), row(j));
  gameLeftDown(at.x, at.y);
}

}  // namespace

TEST_F(BoardTest, ClickDuringAnEndSequenceSkipsToItsEnd) {
  setBoard({"a__"});
  gameState.levelCompleteTimer = 5000.0f;
  clickCell(0, 0);
  EXPECT_EQ(gameState.levelCompleteTimer, 1.0f);
  EXPECT_EQ(gameState.selected.x, -1);
  gameState.levelCompleteTimer = 0.0f;
  gameState.defeatTimer = 3000.0f;
  gameKeyDown(VK_SPACE);
  EXPECT_EQ(gameState.defeatTimer, 1.0f);
  EXPECT_TRUE(gameState.running);
}

TEST_F(BoardTest, WhilePausedTheFirstKeyOrClickOnlyResumes) {
  setBoard({"a__"});
  gameKeyDown(VK_SPACE);
  EXPECT_FALSE(gameState.running);
  clickCell(0, 0);
  EXPECT_TRUE(gameState.running);
  EXPECT_EQ(gameState.selected.x, -1);
  gameLeftDown(340.0f, -100.0f);  // the pause button
  EXPECT_FALSE(gameState.running);
  gameKeyDown(VK_ESCAPE);
  EXPECT_TRUE(gameState.running);
  EXPECT_FALSE(gameView.menuOpen);
  gameKeyDown('2');  // colour keys never resume or pause
  EXPECT_EQ(gameView.colourScheme, 1);
}

TEST_F(BoardTest, EscapeAndTheMenuButtonOpenTheGameplayMenu) {
  setBoard({"a__"});
  clickCell(0, 0);
  gameKeyDown(VK_ESCAPE);
  EXPECT_STREQ(menuRequests.screen, "gameplay");
  EXPECT_TRUE(gameView.menuOpen);
  EXPECT_EQ(gameState.selected.x, -1);
  clickCell(0, 0);  // the click belongs to the open menu
  EXPECT_EQ(gameState.selected.x, -1);
  gameView.menuOpen = false;
  resetMenus();
  gameLeftDown(345.0f, -30.0f);
  EXPECT_STREQ(menuRequests.screen, "gameplay");
}

TEST_F(BoardTest, ClicksWaitWhileABallMoves) {
  setBoard({"a___b"});
  clickCell(0, 0);
  clickCell(2, 0);
  runFrames(1);
  clickCell(4, 0);  // the moving ball keeps the selection until it arrives
  EXPECT_EQ(gameState.selected.x, col(0));
  EXPECT_EQ(cellAt(col(0), row(0)).moveTargetX, col(2));
}

TEST_F(BoardTest, HammerArmsWhenFullAndStrikesOneBallWithoutABlast) {
  setBoard({"abL", "bKc"});
  gameState.hammerCharge = 0.99f;
  gameLeftDown(350.0f, -200.0f);  // the gauge, not yet full
  EXPECT_EQ(gameView.cursorMode, CursorMode::Arrow);
  gameState.hammerCharge = 1.0f;
  gameLeftDown(350.0f, -200.0f);
  EXPECT_EQ(gameView.cursorMode, CursorMode::Hammer);
  gameLeftDown(350.0f, -200.0f);  // clicking the gauge again puts it back
  EXPECT_EQ(gameView.cursorMode, CursorMode::Arrow);
  EXPECT_EQ(gameState.hammerCharge, 1.0f);
  gameLeftDown(350.0f, -200.0f);
  clickCell(2, 0);  // the triple bomb goes without blasting its neighbours
  EXPECT_EQ(balls(2), (std::vector<std::string>{"ab_", "bKc"}));
  EXPECT_EQ(gameState.hammerCharge, 0.0f);
  EXPECT_EQ(gameView.cursorMode, CursorMode::Arrow);
  EXPECT_EQ(feedback.removalCount, 1);
}

TEST_F(BoardTest, HammerBreaksAChainAndWaitsOverEmptyFloor) {
  setBoard({"A__"});
  gameState.hammerCharge = 1.0f;
  gameLeftDown(350.0f, -200.0f);
  clickCell(1, 0);
  EXPECT_EQ(gameView.cursorMode, CursorMode::Hammer);
  EXPECT_EQ(gameState.hammerCharge, 1.0f);
  clickCell(0, 0);
  EXPECT_EQ(balls(1), (std::vector<std::string>{"a__"}));
  EXPECT_EQ(gameState.levelScore, 50);
}

TEST_F(BoardTest, RightButtonDeselectsAndResumes) {
  setBoard({"a__"});
  clickCell(0, 0);
  gameRightDown();
  EXPECT_EQ(gameState.selected.x, -1);
  EXPECT_TRUE(gameView.routeHidden);
  gameState.running = false;
  gameRightDown();
  EXPECT_TRUE(gameState.running);
}

TEST_F(BoardTest, DeveloperKeysWorkOnlyWhenEnabled) {
  setBoard({"abc", "___"});
  setLayers({"122"});
  gameKeyDown('N');
  gameMiddleDown();
  EXPECT_EQ(countSquareLayers(currentBoard()), 5);
  EXPECT_EQ(gameState.hammerCharge, 0.0f);
  input.developerKeysEnabled = 1;
  gameKeyDown('N');
  gameKeyDown('Z');
  gameKeyDown('C');
  for (int i = 0; i < 6; ++i) gameMiddleDown();
  input.developerKeysEnabled = 0;
  EXPECT_EQ(countSquareLayers(currentBoard()), 0);
  EXPECT_EQ(score(), 10000);
  EXPECT_EQ(lives(), 2);
  EXPECT_EQ(gameState.hammerCharge, 1.0f);
}

TEST_F(BoardTest, HelpCursorShowsTheTipOfTheClickedCell) {
  setBoard({"a__"});
  setLayers({"__1"});
  gameLeftDown(-380.0f, -280.0f);  // the help button arms the help cursor
  EXPECT_TRUE(gameView.helpCursor);
  EXPECT_EQ(gameView.cursorMode, CursorMode::Help);
  clickCell(2, 0);
  EXPECT_STREQ(tipState.key, "tipbusysquare1");
  EXPECT_FALSE(gameView.helpCursor);
  EXPECT_EQ(gameView.cursorMode, CursorMode::Arrow);
  clickCell(0, 0);  // the tip takes clicks until it has shown a while
  EXPECT_TRUE(tipState.active);
  runFrames(20);
  clickCell(0, 0);
  EXPECT_FALSE(tipState.active);
  EXPECT_EQ(gameState.selected.x, -1);
}

TEST_F(BoardTest, TimeCountsOnlyWhilePlaying) {
  setBoard({"a__"});
  runFrames(10, 20.0f);
  EXPECT_EQ(gameState.elapsedMs, 200);
  gameKeyDown(VK_SPACE);
  runFrames(10, 20.0f);
  EXPECT_EQ(gameState.elapsedMs, 200);
  EXPECT_EQ(gameState.levelClock, 400.0f);
}

// The keys' cursor keeps to its line over holes, turns to a line beside only within
// 45 degrees and stays where the floor ends; the key that brings it into sight only
// shows it, then Enter picks up and sends as a click does, and Backspace lets go of
// the armed hammer and the ball.
TEST_F(BoardTest, KeyCursorCrossesHolesAndItsKeysPlayAsTheMouseDoes) {
  setBoard({"a.._b", "_.....c"});
  const auto step = [](int i, int j, int dx, int dy) {
    const CellPos c = keyCursorStep({col(i), row(j)}, dx, dy);
    return std::pair<int, int>(c.x - kFirstColumn, c.y - kFirstRow);
  };
  EXPECT_EQ(step(0, 0, 1, 0), std::make_pair(3, 0)) << "over the holes of its row";
  EXPECT_EQ(step(4, 0, 1, 0), std::make_pair(6, 1)) << "the row ends: the nearest ahead beside";
  EXPECT_EQ(step(6, 1, 1, 0), std::make_pair(6, 1)) << "the floor ends";
  EXPECT_EQ(step(3, 0, 0, 1), std::make_pair(3, 0)) << "nothing within 45 degrees below";

  gameView.keyCursor = {col(0), row(0)};
  gameKeyDown(VK_RETURN);
  EXPECT_TRUE(gameView.keyCursorShown);
  EXPECT_EQ(gameState.selected.x, -1) << "the first key only shows the cursor";
  gameView.keyCursor = {col(0), row(0)};
  gameKeyDown(VK_RETURN);
  EXPECT_EQ(gameState.selected.x, col(0));
  gameKeyDown(VK_DOWN);
  gameKeyDown(VK_RETURN);
  EXPECT_EQ(cellAt(col(0), row(0)).moveTargetY, row(1));
  runFrames(30);
  gameState.hammerCharge = 1.0f;
  gameKeyDown(VK_TAB);
  EXPECT_EQ(gameView.cursorMode, CursorMode::Hammer);
  gameKeyDown(VK_BACK);
  EXPECT_EQ(gameView.cursorMode, CursorMode::Arrow);
  EXPECT_EQ(gameState.hammerCharge, 1.0f);
}
