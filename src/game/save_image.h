// save_image.h: a game in progress as a flat little-endian byte image: the live
// board and the game-state values a level needs to continue. Per-profile saved
// games and the developer keys S and L use the same writer and reader.
//
// What the image leaves out (the game kind and difficulty, the selection, the
// defeat and shake timers, the tip, the removal queue, every effect) keeps the
// values of the level start that precedes a load.
#pragma once

#include <cstdint>

constexpr uint32_t kSaveImageSize = 99409;
// Where the board starts and the size of one stored cell.
constexpr uint32_t kSaveBoardOffset = 16;
constexpr uint32_t kSaveCellBytes = 108;
// The developer keys' saved game, in the data directory.
constexpr const char* kDeveloperSaveFile = "level01.lvl";

// Writes the image of the running game into out (kSaveImageSize bytes).
void writeSaveImage(uint8_t* out);
// Reads an image over the running game, field by field: a field the image ends
// inside keeps its current value, bytes past the format's size are ignored. In
// survival the HUD's score jumps to the level's score. A damaged image's values
// are limited as limitLoadedGame says.
void readSaveImage(const uint8_t* data, uint32_t size);
// Brings the loaded board and game state inside what a game in play reaches: ball
// and preview values to those a level can hold, move targets onto the board,
// counters below where the rules' sums overflow, clocks finite, the route's
// length and the bonus figure to their tables (save_limits.cpp).
void limitLoadedGame();

// Writes the image to `fileName` in the current folder through a temporary file.
// Returns false (nothing changed on disk) when it cannot be written.
bool saveGameImage(const char* fileName);
// Reads `fileName` of the current folder over the running game. Returns false,
// changing nothing, when it cannot be read.
bool loadGameImage(const char* fileName);
