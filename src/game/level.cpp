// Level files: names by index, the parser of the level text (settings, the grid
// stream of cells and the bonus figure) and the loaders through the file table.
#include "game/level.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "game/board.h"
#include "game/game.h"
#include "platform/platform.h"
#include "resources/resources.h"

namespace {

constexpr int32_t kDefaultColours = 5;
constexpr int32_t kDefaultNewBalls = 3;
constexpr int32_t kDefaultJokerFrequency = 20;
constexpr float kArrivalMs = 500.0f;

// A text cursor over the level bytes.
struct Stream {
  const char* text;
  size_t size;
  size_t pos;
};

// A blank line (CR LF CR LF) or the end of the text ends a grid.
bool gridEnds(const Stream& s) {
  if (s.pos >= s.size) return true;
  return s.size - s.pos >= 4 && std::memcmp(s.text + s.pos, "\r\n\r\n", 4) == 0;
}

bool isGridCharacter(char c) { return c == '.' || (c >= '0' && c <= 'z'); }
bool isFigureCharacter(char c) { return c == '.' || (c >= '0' && c <= '9'); }

// The next cell character, skipping separators; '\0' when the grid ends.
char nextCellCharacter(Stream* s, bool (*accepts)(char)) {
  if (gridEnds(*s)) return '\0';
  while (s->pos < s->size && !accepts(s->text[s->pos])) ++s->pos;
  if (s->pos >= s->size) return '\0';
  return s->text[s->pos++];
}

// Where the value of `key` starts, or the text's size when the key is missing.
size_t valueStart(const std::string& text, const char* key) {
  const size_t at = text.find(key);
  return at == std::string::npos ? text.size() : at + std::strlen(key);
}

void giveBall(Cell* cell, int32_t value) {
  cell->ballValue = value;
  cell->appearTimer = kArrivalMs;
  cell->ballClock = 0.0f;
  cell->moveTime = 0.0f;
  cell->moveTargetX = -1;
  cell->moveTargetY = -1;
  cell->ballOffsetX = 0.0f;
  cell->ballOffsetY = 0.0f;
  cell->vanishTimer = -1.0f;
  cell->nextBall = -1;
  cell->nextBallTimer = 0.0f;
}

void giveNoBall(Cell* cell) {
  cell->ballValue = Ball::Empty;
  cell->appearTimer = -1.0f;
}

// A floor with `layers` and, in Normal only, a preset free ball of `colour`.
void presetCell(Cell* cell, int32_t layers, int32_t colour, int32_t difficulty) {
  cell->squareLayers = layers;
  cell->chainLocks = 0;
  if (difficulty == Difficulty::Normal) {
    giveBall(cell, colour);
  } else {
    giveNoBall(cell);
  }
}

void applyCellCharacter(Cell* cell, char c, int32_t difficulty) {
  if (c == '.') {
    cell->squareLayers = -1;
  } else if (c >= '0' && c <= '9') {
    cell->squareLayers = c - '0';
  } else if (c >= 'A' && c <= 'W') {
    // A chained ball or item on a two-layer square.
    cell->squareLayers = 2;
    giveBall(cell, c - 'A');
    cell->chainLocks = 1;
  } else if (c == 'X') {
    presetCell(cell, 0, 0, difficulty);
  } else if (c == 'Z') {
    presetCell(cell, 1, 0, difficulty);
  } else if (c >= 'a' && c <= 'h') {
    presetCell(cell, 0, c - 'a', difficulty);
  } else {
    // Any other letter (and the unused signs between '9' and 'A') is plain floor.
    cell->squareLayers = 0;
    cell->chainLocks = 0;
    giveNoBall(cell);
  }
}

void parseGrid(const std::string& text, int32_t difficulty, Board* board) {
  Stream s = {text.data(), text.size(), valueStart(text, "level=")};
  for (int32_t y = kFirstRow; y <= kLastRow; ++y) {
    for (int32_t x = kFirstColumn; x <= kLastColumn; ++x) {
      const char c = nextCellCharacter(&s, isGridCharacter);
      if (c == '\0') return;
      applyCellCharacter(&board->cells[x][y], c, difficulty);
    }
  }
}

void parseBonusFigure(const std::string& text, int32_t figure[3][3]) {
  for (int32_t i = 0; i < 3; ++i) {
    for (int32_t j = 0; j < 3; ++j) figure[i][j] = -1;
  }
  Stream s = {text.data(), text.size(), valueStart(text, "bonusfigure=")};
  for (int32_t k = 0; k < 9; ++k) {
    const char c = nextCellCharacter(&s, isFigureCharacter);
    if (c == '\0') return;
    figure[k % 3][k / 3] = c == '.' ? -1 : c - '0';
  }
}

// A count read after `key`; values that are missing, zero, negative or not numbers
// take the default.
int32_t readCount(const std::string& text, const char* key, int32_t fallback) {
  const int32_t value = readInt(text.c_str(), key);
  return value > 0 ? value : fallback;
}

bool readHammerEnabled(const std::string& text) {
  char value[64];
  if (!readString(value, sizeof(value), text.c_str(), "hammer=")) return true;
  return std::strcmp(value, "no") != 0;
}

void defaultSettings(LevelSettings* settings) {
  settings->colourCount = kDefaultColours;
  settings->newBallsPerMove = kDefaultNewBalls;
  settings->jokerFrequency = kDefaultJokerFrequency;
  settings->hammerEnabled = true;
  for (auto& column : settings->bonusFigure) {
    for (int32_t& entry : column) entry = -1;
  }
}

}  // namespace

void levelFileName(int32_t index, char* out, int capacity) {
  if (index < 0) {
    std::snprintf(out, size_t(capacity), "help.lvl");
  } else if (index <= 3) {
    std::snprintf(out, size_t(capacity), "tut1_%.2i.lvl", index + 1);
  } else {
    std::snprintf(out, size_t(capacity), "pack1_%.2i.lvl", index - 3);
  }
}

void parseLevelText(const char* text, uint32_t size, int32_t difficulty, Board* board,
                    LevelSettings* settings) {
  // The key readers want a terminated text; an embedded NUL ends it for them too.
  const std::string copy(text, size);
  clearBoard(board);
  settings->colourCount = readCount(copy, "colors=", kDefaultColours);
  settings->newBallsPerMove = readCount(copy, "addballs=", kDefaultNewBalls);
  settings->jokerFrequency = readCount(copy, "jockerfrequency=", kDefaultJokerFrequency);
  settings->hammerEnabled = readHammerEnabled(copy);
  parseGrid(copy, difficulty, board);
  parseBonusFigure(copy, settings->bonusFigure);
}

bool loadLevelFile(const char* name, int32_t difficulty, Board* board, LevelSettings* settings) {
  const std::string previous = sysCurrentDirectory();
  const bool entered = sysChangeDirectory("levels");
  uint32_t size = 0;
  const uint8_t* bytes = loadFile(name, &size, false);
  if (entered) sysChangeDirectory(previous.c_str());
  if (!bytes) {
    clearBoard(board);
    defaultSettings(settings);
    return false;
  }
  parseLevelText(reinterpret_cast<const char*>(bytes), size, difficulty, board, settings);
  return true;
}

bool loadLevel(int32_t index) {
  char name[32];
  levelFileName(index, name, sizeof(name));
  Board* const previous = boards.current;
  if (index < 0) boards.current = &boards.help;
  LevelSettings settings;
  const bool loaded = loadLevelFile(name, gameState.difficulty, boards.current, &settings);
  boards.current = previous;
  gameState.colourCount = settings.colourCount;
  gameState.newBallsPerMove = settings.newBallsPerMove;
  gameState.jokerFrequency = settings.jokerFrequency;
  gameState.hammerEnabled = settings.hammerEnabled;
  std::memcpy(gameState.bonusFigure, settings.bonusFigure, sizeof(gameState.bonusFigure));
  return loaded;
}

void preloadLevels() {
  for (int32_t level = 0; level < kLevelCount; ++level) loadLevel(level);
  loadLevel(kHelpLevel);
}
