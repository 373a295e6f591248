// save_image.h: a game in progress as a flat little-endian byte image: the live
// board and the game-state values a level needs to continue. Per-profile saved
// games and the developer keys S and L use the same writer and reader.
//
// What the image leaves out (the game kind and difficulty, the selection, the
// defeat and shake timers, the tip, the removal queue, every effect) keeps the
// values of the level start that precedes a load.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t kSaveImageSize = 99409;
// Where the board starts and the size of one stored cell.
constexpr uint32_t kSaveBoardOffset = 16;
constexpr uint32_t kSaveCellBytes = 108;
// The developer keys' saved game, in the data directory.
constexpr const char* kDeveloperSaveFile = "level01.lvl";

// Writes the image of the running game into out (kSaveImageSize bytes).
void writeSaveImage(uint8_t* out);
// Reads an image over the running game, field by field, as it is: a field the
// image ends inside keeps its current value, bytes past the format's size are
// ignored. In survival the HUD's score jumps to the level's score.
void readSaveImage(const uint8_t* data, uint32_t size);
// Looks at the board and game state for a value no running game holds (and so
// none saves): a ball or layer no level makes, a move target off the board, a
// counter past where the rules' sums overflow, a clock that is not finite, the
// route or bonus figure past their tables, a level end in progress. Returns true
// with the first such value in words in out ("the level-complete timer is -1").
bool loadedGameFault(char* out, size_t capacity);
// Reads a whole image over the running game when every value in it is one a
// running game holds. Otherwise returns false with the value in `fault`, and the
// game is as it was before the call.
bool loadSaveImage(const uint8_t* data, uint32_t size, char* fault, size_t capacity);
// The same look without loading: true when loadSaveImage would take the image; the
// game stays as it is either way.
bool saveImageSound(const uint8_t* data, uint32_t size, char* fault, size_t capacity);

// Writes the image to `fileName` in the current folder through a temporary file.
// Returns false (nothing changed on disk) when it cannot be written.
bool saveGameImage(const char* fileName);
// Reads `fileName` of the current folder over the running game (the developer
// key). Returns false, changing nothing, when it cannot be read or holds a value
// no running game holds (said on stderr).
bool loadGameImage(const char* fileName);
