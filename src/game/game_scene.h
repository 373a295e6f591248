// game_scene.h: the board game on screen. Each frame the scene runs the update
// (the rules of game.h, then the animation clocks of what is drawn: the route
// preview, the HUD's progress bar and score, the pointer's cursor, the effects and
// the scenery) and then draws, in this order: the landscape (shaken after a bomb),
// the board or the level-complete picture, the pops and bolts, the HUD with its
// progress bar, the score pop-ups, banner and big message, the tip panel, the
// sparks, the help button's tooltip and the pause overlay. Drawing changes no state.
//
// Also here: the pictures the board and HUD load at start-up, and the miniature of
// a level's floor that the map and help screens draw.
#pragma once

#include <cstdint>

#include "core/math.h"
#include "game/board.h"

// The longest route the preview can show: every playable cell once.
constexpr int32_t kMaxRouteCells = 300;
// A bomb shakes the screen this long.
constexpr int32_t kShakeMs = 800;

// How the game scene looks and answers the pointer, beside the rules: the in-game
// screen over the board, the cursor, the landscape and its fades, the shake, the
// HUD's shown values, the hovered cell and the route preview. A saved game keeps
// none of it. Process lifetime; reset by startLevel (resetGameScene), which starts
// the shown score at the profile's score (the level's, 0, in survival).
struct GameView {
  bool menuOpen;            // an in-game screen is over the board: the board is frozen
  CursorMode cursorMode;    // what a click on the board does
  bool helpCursor;          // the help button armed the help cursor
  CursorMode shownCursor;   // the cursor the window shows ...
  bool cursorKnown;         // ... once the scene has set it
  int32_t colourScheme;     // 0 night, 1 morning, 2 day
  int32_t backgroundIndex;  // "_a_back%i.jpg"
  float menuFade;           // 0..300: rises while a menu is open; the board stops at 300
  float pauseFade;          // rises while paused; the board stops above 500
  int32_t shakeTimer;       // ms of screen shake left
  float shakeStrength;      // 1.0 after a triple bomb, 1.5 after a quadro bomb
  float shakeClock;         // ms until the shake picks a new direction
  Vec2 shakeDirection;      // unit vector
  float shakeTilt;          // -1..1: which way and how far the view tilts
  int32_t shownScore;       // what the HUD shows; chases the real score
  float shownProgress;      // the progress bar's fill, 0..1
  bool scoreRising;         // the HUD's score rose this frame: it flickers
  int32_t flickerChannel;   // 0 red, 1 green, 2 blue
  int32_t flickerValue;     // 100..254
  Vec2 pointer;             // overlay units
  CellPos hover;            // the playable cell under the pointer, or kNoCell
  bool routeHidden;         // the right button hid the route preview
  CellPos route[kMaxRouteCells];  // the route preview, hovered cell first
  int32_t routeCells;
  CellPos routeBall;        // the ball the route leads to
  float routeAlpha;         // 1 while shown, fading to 0 over 500 ms after
  uint32_t lookRandom;      // the scene's own random numbers (for looks only)
  CellPos keyCursor;        // the cell the keys and a controller act on, or kNoCell
  bool keyCursorShown;      // a key or a controller was used last: the cursor is drawn
                            // and stands for the pointer
};
extern GameView gameView;

// As a fresh start leaves the view: no screen over the board, the arrow cursor,
// nothing hovered, no route, an empty bar, no shake.
void resetGameScene();
// The screen shakes for 800 ms, the view pushed `strength` times as far as after a
// triple bomb.
void shakeScreen(float strength);

// Start-up: every board and HUD picture (a missing one stops the program with the
// texture loader's message) and the board atlas made from the board's pictures.
void loadGameTextures();

// One frame's update: the shake runs down, the rules (gameFrameUpdate and the
// end-of-level checks) run, and then everything drawn moves on by dt ms. playClock is the program's play time
// (the scenery scrolls with it); pointer is in overlay units.
void gameSceneUpdate(float dt, float playClock, Vec2 pointer);
// Draws the frame as the update left it. Without a device nothing is drawn.
void gameSceneDraw();
// The particle effects with the board's camera (after the in-game menus).
void gameSceneDrawParticles();

// The progress bar's target fraction: squares whose star has arrived over the
// squares the level started with; 0 (an empty bar) for a level without squares.
float progressTarget();
// The top of the progress bar's fill, where the stars fly.
Vec2 progressStarTarget();
// The cursor's name for tools: "arrow", "hammer" or "help".
const char* cursorName(CursorMode mode);

// The name of the texture the board's pictures are drawn from, and the file name of
// the board picture whose cell in it holds the texture point uv (null outside every
// cell, or a name valid until the next call); tools and tests read drawn frames
// with them.
constexpr const char* kBoardAtlasName = "board atlas";
const char* boardAtlasPicture(Vec2 uv);

// A ball as the board draws it (its shadow, then its picture) centred on `at`,
// `size` 16 for a resting ball; the help screen's demonstration draws its balls so.
// A value that is never drawn draws nothing.
void drawBoardBall(int32_t value, Vec2 at, float size, Color color);
// The route preview as play draws it, over the current board's distances from the
// ball at `ball` (a selection there fills them): the route from `from` back to the
// ball, each piece on its cell's centre moved by `shift`. Nothing when `from` is no
// playable cell the ball can reach.
void drawRouteToBall(CellPos from, CellPos ball, Vec2 shift, Color color);

// The floor of level `level` drawn small: every cell with floor as the plain tile
// (46.2 * scale units wide) at cell centre * scale + offset + (69.3 * scale, 0), in
// `color`. A level of 0 or more is read from its file into a board of its own (the
// board in play is never touched; a missing file draws nothing); -1 draws the
// current board (the help board while the help screens run).
void drawLevelMiniature(int32_t level, Vec2 offset, float scale, Color color);
