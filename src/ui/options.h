// options.h: the options screen and what its settings do: the volumes, the
// custom cursor and the ball speed take effect as they change, the full-screen
// choice waits for "apply", "default" resets a screen's values; and the cursor
// itself: the window's cursor for the board's cursor mode, or the game's own
// drawn one (arrow, hammer, help) while the custom-cursor setting is on.
#pragma once

#include <cstdint>

#include "core/math.h"
#include "game/board.h"

// The ball-speed slider: position p is the speed 150 - p, so its 130 positions run
// from the slowest (150) to the fastest (21) speed.
constexpr int16_t kVolumePositions = 100;
constexpr int16_t kSpeedPositions = 130;
constexpr float kSlowestSpeedAtZero = 150.0f;

// The options being edited: process lifetime. The sliders edit positions; the
// screen's update hands them to the values they stand for.
struct OptionsState {
  uint8_t fullScreenChoice;  // the check box; compared with the display by applyOptions
  int16_t effectsPosition;   // 0..99, the sound-effect volume
  int16_t musicPosition;     // 0..99
  int16_t speedPosition;     // 0..129, the ball speed as above
  int16_t languagePosition;  // the texts' language in the data's list of languages
  uint8_t cursorShown;       // the custom-cursor setting the window's cursor was set for
};
extern OptionsState optionsState;

// The slider position of a ball speed (the nearest, limited to 0..129) and the
// speed of a position.
int16_t speedToPosition(float ballSpeed);
float positionToSpeed(int32_t position);

// The options screen's entry: the check box takes the current full-screen setting,
// the sliders the current volumes and speed.
void enterOptionsScreen();
// Once per menu update while "options" is shown: while it slides in the sliders
// follow the values; otherwise the sliders' positions become the volumes (a changed
// effects volume plays "chpok1.ogg") and the speed, a changed custom-cursor box sets
// the window's cursor, a changed language switches every text at once, and the
// volumes reach the sound output.
void updateOptionsScreen(float dt);
// The screen: caption, the three sliders with their labels, the two check boxes,
// the language choice, the focus marker and the first two items as buttons.
void drawOptionsScreen();
// The options' "apply": a full-screen choice that differs from the display switches
// it (the device is reset at the next present).
void applyOptions();

// ---------------------------------------------------------------------------
// The cursor

// The cursor's clock and pictures: process lifetime, the pictures loaded at start-up.
struct TextureEntry;
struct CursorState {
  float clock;             // ms, drives the arrow's glow
  TextureEntry* hammer;    // "cursorhammer.tga"
  TextureEntry* question;  // "question.tga"
};
extern CursorState cursorState;

// Start-up: the drawn cursor's pictures (a missing one stops the program).
void loadCursorTextures();
// The window's cursor: the invisible one when the game draws its own (`custom`),
// otherwise the one of the board's cursor mode.
void setSystemCursor(bool custom);
// The board's cursor mode, and unless the game draws its own cursor the window's
// cursor for it (arrow, hammer, question mark).
void setCursorMode(CursorMode mode);
// The drawn cursor's clock advances by dt ms.
void updateCustomCursor(float dt);
// While the custom-cursor setting is on and the pointer lies on the 800 x 600 screen:
// the cursor of the board's mode at the pointer, over everything drawn before.
void drawCustomCursor();
// Where the drawn arrow's picture is centred for a pointer at `tip`, and the scale
// the picture is drawn at: the arrow's tip lies on the pointer.
Vec2 arrowCursorCentre(Vec2 tip, float scale);
// The drawn arrow: its glow (pulsing with the cursor's clock when `glow`) and the
// arrow, the tip at `tip`, at `scale`, in `color`.
void drawArrowCursor(Vec2 tip, float scale, bool glow, Color color);
