// save_problem.cpp: the box that tells the player, once per folder, that what the
// game saves could not be kept there. It waits for a frame where a box may open,
// shows over wherever the player is (title menus, map, or as an in-game screen
// over the frozen board), and its OK, Enter or Escape lead back to where the
// player was, as it was. The game goes on and saves again at the next occasion.

#include "game/board.h"
#include "game/game.h"
#include "platform/platform.h"
#include "resources/resources.h"
#include "ui/menu.h"
#include "ui/menu_local.h"
#include "ui/options.h"
#include "ui/result_screens.h"

namespace {

// A won level's celebration or a lost life's sequence runs on to a screen of its
// own, which would cover the box.
bool levelEnding() { return gameState.levelCompleteTimer > 0.0f || gameState.defeatTimer > 0.0f; }

bool boxMayOpen(bool inGame) {
  if (menuSliding() || menu.saveProblemShown || menu.deferredScreen[0]) return false;
  if (findMenuScreen("messageboxok") < 0) return false;
  if (inGame && levelEnding()) return false;
  const bool screenShows = menu.screen >= 0 && !menu.screenClosed && !menu.menuHidden &&
                           (!inGame || gameMenuOpen());
  // A question waits for its answer rather than be hidden.
  return !(screenShows && screenHooksOf(menu.screen).question);
}

// The data's text with the folder and the reason; the platform's own sentence
// when the text table lacks it.
void describeProblem(const SysSaveProblem& problem, char* out, size_t capacity) {
  const char* format = getText(problem.textKey);
  if (!format) {
    const TextField sentence = {problem.message, 0};
    formatTextFields("%s", &sentence, 1, out, capacity);
    return;
  }
  const TextField fields[2] = {{problem.folder, 0}, {problem.reason, 0}};
  formatTextFields(format, fields, 2, out, capacity);
}

MenuPlace currentPlace(bool inGame) {
  return {menu.screen,       menu.selection,      menu.focus,
          menu.menuHidden,   menu.screenClosed,   menu.textEntryActive,
          menu.countUpRunning, inGame && gameMenuOpen()};
}

}  // namespace

bool saveProblemBoxShowing() { return menu.saveProblemShown; }

bool showSaveProblemWhenDue() {
  if (!sysSaveProblemPending()) return false;
  const bool inGame = gameHooks.boardSceneCurrent();
  if (!boxMayOpen(inGame)) return false;
  SysSaveProblem problem;
  if (!sysTakeSaveProblem(&problem)) return false;
  menu.beforeSaveProblem = currentPlace(inGame);
  char text[kMaxMessageText];
  describeProblem(problem, text, sizeof text);
  showMessageBox(text, true);
  menu.saveProblemShown = true;
  if (inGame) {
    enterInGameMenu();
    setCursorMode(CursorMode::Arrow);
  }
  return true;
}

bool answerSaveProblem() {
  if (!menu.saveProblemShown) return false;
  menu.saveProblemShown = false;
  // A screen the game asked for meanwhile (a level's end) opens instead.
  if (menu.deferredScreen[0]) return true;
  const MenuPlace place = menu.beforeSaveProblem;
  const bool shown = place.screen >= 0 && !place.screenClosed && !place.menuHidden;
  if (shown && (place.overlayOpen || !gameHooks.boardSceneCurrent())) {
    reopenScreen(place.screen);
  } else {
    menu.screen = place.screen;
    menu.screenClosed = place.screenClosed || gameHooks.boardSceneCurrent();
    menu.menuHidden = place.menuHidden;
  }
  menu.selection = place.selection;
  menu.focus = place.focus;
  menu.textEntryActive = place.textEntryActive;
  menu.countUpRunning = place.countUpRunning;
  if (gameHooks.boardSceneCurrent() && !place.overlayOpen) closeGameMenu();
  return true;
}
