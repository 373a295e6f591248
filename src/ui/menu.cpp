// The current implementation of the screen requests: remembers the screen asked
// for and lets the board freeze for in-game screens, until the menu system exists.
#include "ui/menu.h"

#include <cstring>

#include "game/game.h"

MenuRequests menuRequests = {};

namespace {

void doNothing() {}

void recordScreen(const char* name) {
  std::strncpy(menuRequests.screen, name, kMaxScreenName - 1);
  menuRequests.screen[kMaxScreenName - 1] = '\0';
  ++menuRequests.count;
}

}  // namespace

MenuHooks menuHooks = {.showGameScene = doNothing, .showTitleScene = doNothing};

void resetMenus() { menuRequests = {}; }

void openInGameScreen(const char* name) {
  recordScreen(name);
  enterInGameMenu();
}

void openScreenByName(const char* name) { recordScreen(name); }

const char* currentMenuScreen() { return menuRequests.screen; }
