// menu.h: how the rest of the program asks the menu system for a screen: the game
// opens its in-game screens over the board (through its hooks, which app points
// here), and the game's way back to the title menus opens a screen by name.
//
// The current implementation records the screen asked for (menuRequests) and lets
// the board freeze for an in-game screen; the menu tree and its drawing replace
// the recording later without changing these calls.
#pragma once

#include <cstdint>

constexpr int32_t kMaxScreenName = 32;

// Screen requests: process lifetime.
struct MenuRequests {
  char screen[kMaxScreenName];  // the last screen asked for, "" before any
  int32_t count;                // requests so far
};
extern MenuRequests menuRequests;

// What the menus ask of the program around them. app sets the table at start-up;
// until then the hooks do nothing.
struct MenuHooks {
  // The board game's scene becomes current at the end of the frame (a game starts).
  void (*showGameScene)();
  // The title menus over the map become current at the end of the frame.
  void (*showTitleScene)();
};
extern MenuHooks menuHooks;

// As a fresh start leaves it: no screen asked for.
void resetMenus();
// Opens an in-game screen ("gameplay", "levelcomplete", "defeat", "hiscore",
// "helpscreen") over the board, which freezes (enterInGameMenu).
void openInGameScreen(const char* name);
// Opens a title screen by name (the map scene's menus).
void openScreenByName(const char* name);
// The name of the current screen ("" when none).
const char* currentMenuScreen();
