// The current implementation of the screen requests: remembers the screen asked
// for and freezes the board for in-game screens, until the menu system exists.
#include "ui/menu.h"

#include <cstring>

#include "game/board.h"

MenuRequests menuRequests = {};

namespace {

void recordScreen(const char* name) {
  std::strncpy(menuRequests.screen, name, kMaxScreenName - 1);
  menuRequests.screen[kMaxScreenName - 1] = '\0';
  ++menuRequests.count;
}

}  // namespace

void openInGameScreen(const char* name) {
  recordScreen(name);
  gameState.menuOpen = true;
  gameState.cursorMode = 0;
  gameState.helpCursor = false;
  gameState.selected = kNoCell;
}

void openScreenByName(const char* name) { recordScreen(name); }

const char* currentMenuScreen() { return menuRequests.screen; }
