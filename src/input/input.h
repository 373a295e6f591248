// input.h: the short buffer of letters typed last, the hidden words that switch
// developer features on and off, and the debug overlay they can show.
#pragma once

#include <cstdint>

class Scene;

// Input state: process lifetime, reset at start.
struct InputState {
  char typedLetters[16];         // the last 15 letters, most recent first, NUL at 15
  uint8_t mapAllStagesOpen;      // the map treats every stage as open
  uint8_t developerKeysEnabled;  // the board game accepts its developer keys
  uint8_t debugOverlayVisible;   // the frame rate and triangle count are drawn
};
extern InputState input;

// Hidden words as typed; the buffer holds them last letter first.
constexpr const char* kWordOpenAllStages = "QUVAXE";   // map scene
constexpr const char* kWordCloseStages = "DOLM";       // map scene
constexpr const char* kWordDeveloperKeys = "ZOMPRETH"; // game scene
constexpr const char* kWordDebugOverlay = "QWJ";       // map and game scenes

// The base afterFrame of a scene: takes the scene's pendingKey as a typed letter,
// checks the hidden words for the current scene, performs a pending background
// change, and clears pendingKey.
void handleTypedLetter(Scene* scene);
// True when the buffer starts with `word` typed (that is, holds it reversed).
bool typedLettersEndWith(const char* word);
// Draws the overlay when visible and restores the 3D camera transforms (the last
// drawing step of every frame).
void drawDebugOverlay();
