// menu.h: how the rest of the program asks the menu system for a screen: the game
// opens its in-game screens over the board, and the game's way back to the title
// menus opens a screen by name.
//
// The current implementation records the screen asked for (menuRequests) and does
// the game-side part of opening an in-game screen; the menu tree and its drawing
// replace the recording later without changing these calls.
#pragma once

#include <cstdint>

constexpr int32_t kMaxScreenName = 32;

// Screen requests: process lifetime.
struct MenuRequests {
  char screen[kMaxScreenName];  // the last screen asked for, "" before any
  int32_t count;                // requests so far
};
extern MenuRequests menuRequests;

// Opens an in-game screen ("gameplay", "levelcomplete", "defeat", "hiscore",
// "helpscreen") over the board: the board freezes (menuOpen), the cursor becomes the
// arrow, the help cursor is disarmed and the selection dropped.
void openInGameScreen(const char* name);
// Opens a title screen by name (the map scene's menus).
void openScreenByName(const char* name);
// The name of the current screen ("" when none).
const char* currentMenuScreen();
