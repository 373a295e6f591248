// The modules connected as start-up connects them: the board game's way back to
// the title menus, the menus' scene switches and the in-game screens, each of which
// crosses from a lower module to a higher one through a hook.
#include <gtest/gtest.h>

#include "app/app.h"
#include "app/scene.h"
#include "game/board.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "platform/platform.h"
#include "test_support.h"
#include "ui/menu.h"

namespace {

class ConnectedModules : public ::testing::Test {
 protected:
  void SetUp() override {
    connectModules();
    ASSERT_TRUE(testLoadMenus());
    resetApp();
    resetGame();
    resetMenus();
    setCurrentSceneDirectly(&gameScene);
  }
  void TearDown() override { setCurrentSceneDirectly(nullptr); }

  // A won level that completed a zone: the game waits for a key.
  void finishZone(bool survival, int32_t difficulty, bool adventureFinished) {
    resetGame();
    resetMenus();
    gameState.survival = survival;
    gameState.difficulty = difficulty;
    gameState.levelCompleteTimer = -1.0f;
    gameState.zoneCompleted = true;
    gameState.adventureFinished = adventureFinished;
    setCurrentSceneDirectly(&gameScene);
  }
};

TEST_F(ConnectedModules, AfterAZoneAKeyReturnsToTheTitleScreenOfTheGamesKind) {
  struct Case {
    bool survival;
    int32_t difficulty;
    bool finished;
    const char* screen;
  };
  for (const Case& c : {Case{false, Difficulty::Normal, false, "adventure"},
                        Case{false, Difficulty::Zen, false, "zen"},
                        Case{true, Difficulty::Expert, false, "survival"},
                        Case{false, Difficulty::Expert, true, "main"}}) {
    finishZone(c.survival, c.difficulty, c.finished);
    gameKeyDown('A');
    EXPECT_EQ(currentScene(), &gameScene) << "the switch waits for the end of the frame";
    applyPendingScene();
    EXPECT_EQ(currentScene(), &mapScene) << c.screen;
    EXPECT_STREQ(currentMenuScreen(), c.screen);
  }
}

TEST_F(ConnectedModules, TheMenusSwitchScenesAtTheEndOfTheFrame) {
  setCurrentSceneDirectly(&mapScene);
  menuHooks.showGameScene();
  EXPECT_EQ(currentScene(), &mapScene);
  applyPendingScene();
  EXPECT_EQ(currentScene(), &gameScene);
  EXPECT_TRUE(gameHooks.boardSceneCurrent());
  menuHooks.showTitleScene();
  applyPendingScene();
  EXPECT_EQ(currentScene(), &mapScene);
  EXPECT_FALSE(gameHooks.boardSceneCurrent());
}

TEST_F(ConnectedModules, TheGamesInGameScreenFreezesTheBoardAndBecomesTheMenusScreen) {
  gameState.selected = {7, 8};
  gameView.cursorMode = CursorMode::Hammer;
  gameView.helpCursor = true;
  gameHooks.openInGameScreen("gameplay");
  EXPECT_TRUE(gameView.menuOpen);
  EXPECT_EQ(gameView.cursorMode, CursorMode::Arrow);
  EXPECT_FALSE(gameView.helpCursor);
  EXPECT_EQ(gameState.selected.x, -1);
  EXPECT_STREQ(currentMenuScreen(), "gameplay");
  EXPECT_EQ(menuRequests.count, 1);
}

}  // namespace
