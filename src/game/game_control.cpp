// What the menus do to the game: the game and difficulty the next level start
// plays, the in-game screens opening and closing over the board, the pause chosen
// in the game menu, the wait after a completed zone and the level given up for a
// life.
#include "game/board.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "game/modes.h"
#include "persistence/profile.h"
#include "scenery/scenery.h"

void chooseGame(bool survival, int32_t difficulty) {
  gameState.survival = survival;
  gameState.difficulty = difficulty;
}

void setDifficulty(int32_t difficulty) { gameState.difficulty = difficulty; }

void enterInGameMenu() {
  gameView.menuOpen = true;
  gameView.cursorMode = CursorMode::Arrow;
  gameView.helpCursor = false;
  gameState.selected = kNoCell;
}

void closeGameMenu() { gameView.menuOpen = false; }

void closeGameMenuPaused() {
  gameState.running = false;
  closeGameMenu();
}

void selectCursorMode(CursorMode mode) { gameView.cursorMode = mode; }

CursorMode boardCursorMode() { return gameView.cursorMode; }

bool gameMenuOpen() { return gameView.menuOpen; }

void waitAfterZone() {
  queueNextBackground(gameState.levelIndex + 1);
  gameState.running = false;
  closeGameMenu();
}

bool passLostLevel() {
  advanceProgress(&gameState.zoneCompleted, &gameState.adventureFinished);
  if (!gameState.zoneCompleted) {
    startCurrentLevel();
    return false;
  }
  gameState.levelCompleteTimer = -1.0f;
  gameState.defeatTimer = 0.0f;
  waitAfterZone();
  return true;
}

void clearPendingResult() { modeState.resultPending = false; }
