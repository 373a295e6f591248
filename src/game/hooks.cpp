// The board game's ways up to the modules above it: the hook table app fills at
// start-up, with stand-ins that do nothing until then, and the board's side of an
// in-game screen.
#include "game/board.h"
#include "game/game.h"

namespace {

bool answerNo() { return false; }
void ignoreScreen(const char*) {}
const char* noScreen() { return ""; }

}  // namespace

GameHooks gameHooks = {
    .boardSceneCurrent = answerNo,
    .openInGameScreen = ignoreScreen,
    .currentScreen = noScreen,
    .returnToTitle = ignoreScreen,
};

void enterInGameMenu() {
  gameState.menuOpen = true;
  gameState.cursorMode = CursorMode::Arrow;
  gameState.helpCursor = false;
  gameState.selected = kNoCell;
}
