// input.h: the pointer position, the short buffer of letters typed last, the hidden
// words that switch developer features on and off, and the debug overlay they can
// show. Each scene checks the words it listens for after a typed letter.
#pragma once

#include <cstdint>

// The device the player used last: the board's key cursor shows while it is not
// the mouse, and the tips name its keys or buttons.
enum class InputDevice : uint8_t { Mouse, Keyboard, Pad };

// Which way the D-pad or the left stick points.
enum class PadDirection : uint8_t { None, Up, Down, Left, Right };

// A controller's D-pad and stick as the menus and the board cursor follow them: a
// held direction repeats as a held key does.
struct PadNavigation {
  PadDirection dpad;       // the D-pad button held, or None
  PadDirection stick;      // where the stick is pushed past its dead zone, or None
  PadDirection repeating;  // the held direction that repeats
  float repeatTimer;       // ms until it repeats next
};

// The stick counts as pushed past this share of its travel and as let go again
// below the second, so a resting stick that drifts moves nothing and one held at
// the edge does not flicker.
constexpr float kStickPush = 0.5f;
constexpr float kStickRelease = 0.3f;
// A held direction repeats after this long, then this often, as a console's menus do.
constexpr float kPadRepeatDelayMs = 400.0f;
constexpr float kPadRepeatEveryMs = 110.0f;

// Input state: process lifetime, reset at start (resetInput).
struct InputState {
  char typedLetters[16];         // the last 15 letters, most recent first, NUL at 15
  uint8_t mapAllStagesOpen;      // the map treats every stage as open
  uint8_t developerKeysEnabled;  // the board game accepts its developer keys
  uint8_t debugOverlayVisible;   // the frame rate and triangle count are drawn
  int32_t mouseX;                // last cursor position, client pixels
  int32_t mouseY;
  InputDevice lastDevice;        // the mouse until a key or a controller is used
  PadNavigation pad;
};
extern InputState input;

// Hidden words as typed; the buffer holds them last letter first.
constexpr const char* kWordOpenAllStages = "QUVAXE";   // map scene
constexpr const char* kWordCloseStages = "DOLM";       // map scene
constexpr const char* kWordDeveloperKeys = "ZOMPRETH"; // game scene
constexpr const char* kWordDebugOverlay = "QWJ";       // map and game scenes

// What a typed letter completed on the map.
enum class MapWord : uint8_t { None, OpenAllStages, CloseStages };

// As a fresh start leaves it: no letters, every switch off, the pointer at 0, 0.
void resetInput();
// Records a moved pointer (client pixels).
void setPointer(int32_t x, int32_t y);
// "mouse", "keyboard" or "pad".
const char* inputDeviceName(InputDevice device);
// The text of `key`, or of the entry `steps` after it, as the device used last
// names its keys: from the entry "keys<key>" after a key, "pad<key>" after a
// controller, when the text table holds it; otherwise the key's own (textAfter).
const char* deviceTextAfter(const char* key, int32_t steps);

// A D-pad button pressed or released. Returns the direction to act on now: the
// pressed one, None on a release.
PadDirection padDirectionButton(PadDirection direction, bool down);
// The left stick moved to (x, y), -1..1 each, y up. Returns the direction it was
// newly pushed in, or None.
PadDirection padStickMoved(float x, float y);
// A frame of dt ms: the held direction when it repeats now, else None.
PadDirection padRepeat(float dt);
// Nothing of the controllers is held any more (one was unplugged).
void releasePad();
// Takes a key whose low byte is 'A'..'Z' into the buffer. Returns false (nothing
// changes) for any other key.
bool pushTypedLetter(int32_t key);
// True when the buffer starts with `word` typed (that is, holds it reversed).
bool typedLettersEndWith(const char* word);
// The map's words: open every stage, or close them again. Returns the word typed.
MapWord checkMapWords();
// The game's word: switches the developer keys and says so in the banner.
void checkGameWords();
// The overlay's word: shows or hides the debug overlay.
void checkDebugOverlayWord();
// Draws the overlay (the frame rate text given and the triangle count) when
// visible and restores the 3D camera transforms (the last drawing step of every
// frame).
void drawDebugOverlay(const char* fpsText);
