// game.h: the board game as the game scene drives it: starting a level, the
// per-frame update of every game timer and rule, and the input rules for keys and
// mouse buttons. The scene hands the pointer over in overlay units.
#pragma once

#include <cstdint>

#include "game/board.h"

// The HUD's buttons and gauges, in overlay units (x right, y up).
struct HudRect {
  float x0, x1, y0, y1;  // x0 <= x <= x1, y0 <= y <= y1
};
constexpr HudRect kPauseButton = {310.0f, 385.0f, -113.0f, -83.0f};
constexpr HudRect kMenuButton = {300.0f, 390.0f, -45.0f, -15.0f};
constexpr HudRect kHammerGauge = {320.0f, 384.0f, -290.0f, -162.0f};
constexpr float kColourButtonY = -135.0f;
constexpr float kColourButtonX[3] = {320.0f, 345.0f, 370.0f};
constexpr float kColourButtonSize = 30.0f;
constexpr float kHelpButtonX = -380.0f;
constexpr float kHelpButtonY = -280.0f;
constexpr float kHelpButtonSize = 40.0f;

// What the board game asks of the modules above it. app sets the table at start-up;
// until then every hook does nothing and every question answers no (or ""), so
// hooks are called without checks.
struct GameHooks {
  // True while the board game's scene is the current one (points count only there).
  bool (*boardSceneCurrent)();
  // The menus open an in-game screen over the board ("gameplay", "levelcomplete",
  // "defeat", "hiscore", "helpscreen"); they call enterInGameMenu for the board.
  void (*openInGameScreen)(const char* name);
  // True while the menus show a screen that holds saving back (a level's results).
  bool (*savingHeld)();
  // Back to the title menus over the map, opening the screen `name` there.
  void (*returnToTitle)(const char* screen);
};
extern GameHooks gameHooks;

// ---------------------------------------------------------------------------
// What the menus do to the game (game_control.cpp)

// The game the next level start plays: survival or the adventure, in `difficulty`
// (Difficulty::Expert, Normal or Zen; Zen is the adventure's relaxed kind).
void chooseGame(bool survival, int32_t difficulty);
// The difficulty played from the next level start on, the game's kind unchanged.
void setDifficulty(int32_t difficulty);
// The board's side of an in-game screen opening over it: the board freezes
// (menuOpen), the cursor becomes the arrow, the help cursor is disarmed and the
// selection dropped.
void enterInGameMenu();
// The in-game screen closes: the board takes the input again.
void closeGameMenu();
// The game menu closes onto a paused board, which waits for a key or click.
void closeGameMenuPaused();
// What a click on the board does from now on (the menus set the arrow), and what
// it does now.
void selectCursorMode(CursorMode mode);
CursorMode boardCursorMode();
// True while an in-game screen is over the board: the board is frozen.
bool gameMenuOpen();
// After a won level that completed a zone: the scenery moves on to the next
// level's background and the board, its menu closed, waits for a key or click
// that leads to the map.
void waitAfterZone();
// The level lost and given up for a life counts as passed. Returns true when that
// completed a zone (the game then waits as after a won zone, zoneCompleted and
// adventureFinished telling how far it came); otherwise the next level starts.
bool passLostLevel();

// As a fresh start leaves the module: every game record zero (no level loaded,
// both boards blank, the live board current), the ball speed at 70.
void resetGame();

// Starts level `index` in the current game kind and difficulty: resets the game
// state, loads the level, fills the board and places the first previews.
void startLevel(int32_t index);

// One frame of the game before drawing: clocks, the moving ball, arrivals and the
// resolutions they start, pops and bolts. dt is the frame time in ms.
void gameFrameUpdate(float dt);

// Input, in the scene's handler order. x, y are the pointer in overlay units.
// Besides Escape, Space and the colour keys 1-3 (PageUp and PageDown step through
// them), the board answers the keys of its cursor: the arrows move it, Enter
// presses its cell as a click would, Backspace or Delete lets go of the selection
// and of an armed hammer or help, Tab takes up the charged hammer and F1 the help.
void gameKeyDown(int32_t key);
void gameLeftDown(float x, float y);
void gameLeftDoubleClick(float x, float y);
void gameRightDown();
void gameMiddleDown();
// The window lost activation: no ball stays selected.
void gameWindowDeactivated();

// ---------------------------------------------------------------------------
// The board cursor of the keys and controllers (key_cursor.cpp)

// The cell an arrow (dx, dy one of the four steps) moves the cursor to from
// `from`: the nearest cell with floor that way in the same line, over any holes;
// without one, the nearest that way in the lines beside, within 45 degrees of it;
// `from` itself where the floor ends, so the cursor never leaves the board.
CellPos keyCursorStep(CellPos from, int32_t dx, int32_t dy);
// Where the cursor appears: on the last moved ball, else on the floor cell nearest
// the middle of the board's floor (kNoCell on a board without floor).
CellPos keyCursorHome();
