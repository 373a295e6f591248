// levels.cpp: the 70 adventure levels ("tut1_01.lvl" .. "tut1_04.lvl" are levels
// 0..3, "pack1_01.lvl" .. "pack1_66.lvl" levels 4..69) and the help board
// "help.lvl". The sources are the level files themselves, drawn as text: keys,
// then "level=" and 15 lines of 20 cells. Each is checked against the board's
// rules: the grid's shape, the cell characters the game defines, the columns the
// screen shows, squares to clear on every adventure level, colours the level
// deals, and the help board's fixed floor; then the game's own level reader
// must read every cell exactly as drawn.
#include <algorithm>
#include <cstring>

#include "datagen.h"
#include "game/board.h"
#include "game/level.h"
#include "generators.h"

namespace {

constexpr int kRows = 15;
constexpr int kColumns = 20;
// Grid columns 1 and 16..19 (0-based) lie under the progress bar and the side panel.
constexpr int kFirstVisibleColumn = 1;
constexpr int kLastVisibleColumn = 15;

std::string fileNameOfLevel(int index) {
  char name[32];
  levelFileName(index, name, sizeof name);
  return name;
}

// Colours the game deals on a level: presets must stay below this.
int coloursOfLevel(int index) {
  if (index <= 1) return 4;
  if (index <= 5) return 5;
  if (index <= 10) return 6;
  if (index <= 20) return 7;
  return 8;
}

bool isCellCharacter(char c) {
  return c == '.' || c == '0' || c == '1' || c == '2' || (c >= 'A' && c <= 'H') ||
         (c >= 'K' && c <= 'N') || c == 'X' || c == 'Z' || (c >= 'a' && c <= 'h');
}

int layersOf(char c) {
  if (c == '1' || c == 'Z') return 1;
  if (c == '2' || (c >= 'A' && c <= 'N')) return 2;
  return 0;
}

// The preset colour of a cell in Normal (-1 none).
int presetColour(char c) {
  if (c == 'X' || c == 'Z') return 0;
  if (c >= 'a' && c <= 'h') return c - 'a';
  return -1;
}

struct LevelSource {
  std::string fileName;
  std::string text;  // as written, LF line ends
};

// Checks the keys above the grid. Returns the offset of the grid's first line.
size_t checkHeader(const LevelSource& source, LevelSummary* summary) {
  const std::string& text = source.text;
  const size_t level = text.find("level=\n");
  if (level == std::string::npos || (level > 0 && text[level - 1] != '\n')) {
    reportError(source.fileName, 0, "\"level=\" must stand alone on its line");
    return std::string::npos;
  }
  const size_t hammer = text.find("hammer=");
  if (hammer != std::string::npos) {
    const size_t end = text.find('\n', hammer);
    const std::string value = text.substr(hammer + 7, end - hammer - 7);
    if (value != "yes" && value != "no") {
      reportError(source.fileName, lineOfOffset(text, hammer), "hammer= takes yes or no");
    }
    summary->hammerOff = value == "no";
  }
  const size_t figure = text.find("bonusfigure=");
  const std::string emptyFigure = "bonusfigure=\n...\n...\n...\n\n";
  if (figure != std::string::npos && text.compare(figure, emptyFigure.size(), emptyFigure) != 0) {
    reportError(source.fileName, lineOfOffset(text, figure),
                "bonusfigure= takes three lines of three cells and a blank line");
  }
  if (text.find("level=", level + 1) != std::string::npos) {
    reportError(source.fileName, 0, "\"level=\" appears twice");
  }
  return level + 7;
}

void checkCell(const LevelSource& source, int line, int row, int column, char c,
               LevelSummary* summary) {
  if (!isCellCharacter(c)) {
    reportError(source.fileName, line, format("\"%c\" is not a cell of the board", c));
    return;
  }
  if (c != '.' && (column < kFirstVisibleColumn || column > kLastVisibleColumn)) {
    reportError(source.fileName, line,
                format("column %d lies under the side bars; keep it a hole", column + 1));
  }
  if (c != '.') summary->floorCells++;
  summary->squareLayers += layersOf(c);
  if (c >= 'A' && c <= 'N') summary->chainedBalls++;
  const int chained = c >= 'A' && c <= 'H' ? c - 'A' : -1;
  const int preset = presetColour(c);
  if (summary->index >= 0 &&
      (chained >= coloursOfLevel(summary->index) || preset >= coloursOfLevel(summary->index))) {
    reportError(source.fileName, line,
                format("level %d deals %d colours; \"%c\" is beyond them", summary->index,
                       coloursOfLevel(summary->index), c));
  }
  summary->cells[row][column] = c;
}

// Reads the 15 grid lines of 20 cells into the summary.
void checkGrid(const LevelSource& source, size_t at, LevelSummary* summary) {
  const std::string& text = source.text;
  for (int row = 0; row < kRows; ++row) {
    const size_t end = text.find('\n', at);
    const std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    const int lineNumber = lineOfOffset(text, at);
    if (static_cast<int>(line.size()) != kColumns) {
      reportError(source.fileName, lineNumber, format("a grid line holds %d cells, not 20",
                                                      static_cast<int>(line.size())));
      return;
    }
    for (int column = 0; column < kColumns; ++column) {
      checkCell(source, lineNumber, row, column, line[static_cast<size_t>(column)], summary);
    }
    if (end == std::string::npos) {
      if (row + 1 < kRows) reportError(source.fileName, lineNumber, "the grid has fewer than 15 lines");
      return;
    }
    at = end + 1;
  }
  if (text.find_first_not_of('\n', at) != std::string::npos) {
    reportError(source.fileName, lineOfOffset(text, at), "nothing may follow the grid");
  }
}

// Every floor cell must be reachable from every other by orthogonal steps: a
// pocket cut off by holes takes balls that can never leave and squares that a
// route can never reach.
void checkConnected(const LevelSummary& summary) {
  bool seen[kRows][kColumns] = {};
  int regions = 0;
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      if (summary.cells[row][column] == '.' || seen[row][column]) continue;
      regions++;
      std::vector<std::pair<int, int>> stack{{row, column}};
      seen[row][column] = true;
      while (!stack.empty()) {
        const auto [r, c] = stack.back();
        stack.pop_back();
        const int steps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (const auto& step : steps) {
          const int nr = r + step[0];
          const int nc = c + step[1];
          if (nr < 0 || nc < 0 || nr >= kRows || nc >= kColumns) continue;
          if (summary.cells[nr][nc] == '.' || seen[nr][nc]) continue;
          seen[nr][nc] = true;
          stack.push_back({nr, nc});
        }
      }
    }
  }
  if (regions > 1) {
    reportError(summary.fileName, 0,
                format("the floor falls apart into %d pieces that balls cannot travel between",
                       regions));
  }
}

// The help board: floor on columns 11..15 of rows 11..13 and nothing else.
void checkHelpBoard(const LevelSummary& summary) {
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const bool inside = row >= 6 && row <= 8 && column >= 6 && column <= 10;
      const char wanted = inside ? '0' : '.';
      if (summary.cells[row][column] != wanted) {
        reportError(summary.fileName, 0,
                    "the help board is plain floor on columns 11..15 of rows 11..13 only");
        return;
      }
    }
  }
}

// What a cell drawn as `c` must hold once the game has read it.
struct ExpectedCell {
  int32_t squareLayers;
  int32_t ballValue;
  int32_t chainLocks;
};
ExpectedCell expectedCell(char c, int32_t difficulty) {
  if (c == '.') return ExpectedCell{-1, Ball::Empty, 0};
  if (c >= 'A' && c <= 'N') return ExpectedCell{2, c - 'A', 1};
  const int preset = difficulty == Difficulty::Normal ? presetColour(c) : -1;
  return ExpectedCell{layersOf(c), preset >= 0 ? preset : Ball::Empty, 0};
}

// Reads the generated file with the game's level reader in Expert and Normal and
// compares every cell and the hammer setting with the drawing.
void checkWithGameReader(const std::vector<uint8_t>& bytes, const LevelSummary& summary) {
  static Board board;
  for (const int32_t difficulty : {Difficulty::Expert, Difficulty::Normal}) {
    LevelSettings settings{};
    parseLevelText(reinterpret_cast<const char*>(bytes.data()), static_cast<uint32_t>(bytes.size()),
                   difficulty, &board, &settings);
    for (int row = 0; row < kRows; ++row) {
      for (int column = 0; column < kColumns; ++column) {
        const Cell& cell = board.cells[kFirstColumn + column][kFirstRow + row];
        const ExpectedCell wanted = expectedCell(summary.cells[row][column], difficulty);
        // Chains count only on a ball: an empty cell's chain field is never read.
        const bool chainsDiffer = cell.ballValue != Ball::Empty && cell.chainLocks != wanted.chainLocks;
        if (cell.squareLayers != wanted.squareLayers || cell.ballValue != wanted.ballValue ||
            chainsDiffer) {
          reportError(summary.fileName, 0,
                      format("the game reads row %d, column %d differently from the drawing",
                             row + 1, column + 1));
          return;
        }
      }
    }
    if (summary.index >= 0 && settings.hammerEnabled == summary.hammerOff) {
      reportError(summary.fileName, 0, "the game reads the hammer setting differently");
    }
  }
}

LevelSummary readLevel(const std::string& fileName, int index) {
  LevelSummary summary{};
  summary.fileName = fileName;
  summary.index = index;
  for (auto& row : summary.cells) std::memset(row, '.', kColumns);
  LevelSource source{fileName, {}};
  if (!readSource("levels/" + fileName, &source.text)) return summary;
  source.text.erase(std::remove(source.text.begin(), source.text.end(), '\r'), source.text.end());
  const size_t grid = checkHeader(source, &summary);
  if (grid != std::string::npos) checkGrid(source, grid, &summary);
  checkConnected(summary);
  if (index >= 0 && summary.squareLayers == 0) {
    reportError(fileName, 0, "an adventure level needs squares to clear");
  }
  if (index < 0) checkHelpBoard(summary);
  std::string text = source.text;
  while (!text.empty() && text.back() == '\n') text.pop_back();
  std::vector<uint8_t> bytes = toCrLf(text + "\n");
  if (grid != std::string::npos) checkWithGameReader(bytes, summary);
  addOutput(Place::Levels, fileName, std::move(bytes));
  return summary;
}

}  // namespace

void generateLevels(std::vector<LevelSummary>* levels) {
  levels->clear();
  std::vector<std::string> expected;
  for (int index = 0; index < kLevelCount; ++index) {
    expected.push_back(fileNameOfLevel(index));
    levels->push_back(readLevel(expected.back(), index));
  }
  expected.push_back("help.lvl");
  levels->push_back(readLevel("help.lvl", -1));
  for (const std::string& name : listSources("levels", ".lvl")) {
    if (std::find(expected.begin(), expected.end(), name) == expected.end()) {
      reportError("levels/" + name, 0, "not a level of the game");
    }
  }
}
