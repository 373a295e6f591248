// input.h: the pointer position, the short buffer of letters typed last, the hidden
// words that switch developer features on and off, and the debug overlay they can
// show. Each scene checks the words it listens for after a typed letter.
#pragma once

#include <cstdint>

// Input state: process lifetime, reset at start (resetInput).
struct InputState {
  char typedLetters[16];         // the last 15 letters, most recent first, NUL at 15
  uint8_t mapAllStagesOpen;      // the map treats every stage as open
  uint8_t developerKeysEnabled;  // the board game accepts its developer keys
  uint8_t debugOverlayVisible;   // the frame rate and triangle count are drawn
  int32_t mouseX;                // last cursor position, client pixels
  int32_t mouseY;
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
