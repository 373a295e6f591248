// The board game's ways up to the modules above it: the hook table app fills at
// start-up, with stand-ins that do nothing until then; and the module's reset.
#include "game/board.h"
#include "game/feedback.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "game/modes.h"
#include "game/tips.h"

namespace {

bool answerNo() { return false; }
void ignoreScreen(const char*) {}

}  // namespace

GameHooks gameHooks = {
    .boardSceneCurrent = answerNo,
    .openInGameScreen = ignoreScreen,
    .savingHeld = answerNo,
    .returnToTitle = ignoreScreen,
};

void resetGame() {
  gameState = {};
  modeState = {};
  tipState = {};
  feedback = {};
  boards.live = {};
  boards.help = {};
  boards.current = &boards.live;
  moveSettings = {};
  resetGameScene();
}
