// level.h: the level files: their names by level index, the parser that turns a
// level text into a board and its settings, and the loaders that read a level
// through the file table from the folder "levels".
//
// The data tool's tests call parseLevelText and loadLevelFile on generated levels,
// so what they check is exactly what the game reads.
#pragma once

#include <cstdint>

struct Board;

// What a level file sets besides the board.
struct LevelSettings {
  int32_t colourCount;      // "colors=", 5 when absent or 0
  int32_t newBallsPerMove;  // "addballs=", 3 when absent or 0
  int32_t jokerFrequency;   // "jockerfrequency=", 20 when absent or 0
  bool hammerEnabled;       // "hammer=", off only for exactly "no"
  int32_t bonusFigure[3][3];  // [column][row]: -1 or a digit
};

// The level index the help board uses.
constexpr int32_t kHelpLevel = -1;
// Adventure levels 0..69.
constexpr int32_t kLevelCount = 70;

// The level's file name: "help.lvl" below 0, "tut1_%.2i.lvl" for 0..3 (numbered
// from 1), "pack1_%.2i.lvl" above (numbered from 1 at level 4). Writes at most
// capacity - 1 characters.
void levelFileName(int32_t index, char* out, int capacity);

// Parses a level text of `size` bytes (no terminating NUL needed) into `board` and
// `settings`. The board's cells all become holes first; the balls preset by 'X',
// 'Z' and 'a'..'h' exist only in Normal difficulty. Never fails: a text without
// "level=" leaves every cell a hole.
void parseLevelText(const char* text, uint32_t size, int32_t difficulty, Board* board,
                    LevelSettings* settings);

// Reads `name` from the folder "levels" below the data directory through the file
// table (packs first, then the disk) and parses it. Returns false, with the board
// cleared to holes and default settings, when there is no such file. The working
// directory is the data directory again afterwards.
bool loadLevelFile(const char* name, int32_t difficulty, Board* board, LevelSettings* settings);

// Loads level `index` into the current board and the game state (colours, new
// balls, joker rate, hammer, bonus figure) in the current difficulty. Returns false
// when the file is missing; the board is then all holes.
bool loadLevel(int32_t index);

// Start-up: parses every adventure level once into the live board, then the help
// level into the help board.
void preloadLevels();
