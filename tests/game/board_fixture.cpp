// The letter-row board of the rule tests.
#include "board_fixture.h"

#include "app/scene.h"
#include "core/numeric.h"
#include "effects/effects.h"
#include "game/feedback.h"
#include "game/game.h"
#include "game/tips.h"
#include "persistence/profile.h"
#include "resources/resources.h"
#include "ui/menu.h"

namespace {

int letterValue(char c, int* chains) {
  *chains = 0;
  if (c >= 'a' && c <= 'j') return c - 'a';
  if (c >= 'K' && c <= 'N') return c - 'A';
  if (c >= 'A' && c <= 'J') {
    *chains = 1;
    return c - 'A';
  }
  return Ball::Empty;
}

char cellLetter(const Cell& cell) {
  if (!hasFloor(cell)) return '.';
  if (!hasBall(cell)) return '_';
  const int v = cell.ballValue;
  if (v <= 9) return char((cell.chainLocks > 0 ? 'A' : 'a') + v);
  return char('A' + v);
}

}  // namespace

void BoardTest::SetUp() {
  resetGame();
  resetEffects();
  resetMenus();
  resetPersistence();
  clearBoard(&boards.live);
  gameState.minLineLength = 3;
  gameState.selected = kNoCell;
  gameState.lastMoved = kNoCell;
  gameState.running = true;
  gameState.colourCount = 5;
  gameState.jokerFrequency = 1000000;
  gameState.hammerEnabled = true;
  gameState.difficulty = Difficulty::Expert;
  createProfile("TESTER");
  setStoredDifficulty(Difficulty::Expert);
  setCurrentSceneDirectly(&gameScene);
  seedRandom(1);
  // The banners' texts come from the text table.
  freeTextTable();
  const char kBanners[] = "combo=Combo x %i\r\nexcellent=EXCELLENT!\r\n\r\n";
  parseTextFile("strings.txt", reinterpret_cast<const uint8_t*>(kBanners), sizeof kBanners - 1);
}

void BoardTest::TearDown() { setCurrentSceneDirectly(nullptr); }

void BoardTest::putBall(int x, int y, int value, int chains) {
  Cell& cell = cellAt(x, y);
  cell.ballValue = value;
  cell.chainLocks = chains;
  cell.appearTimer = 0.0f;
  cell.moveTargetX = cell.moveTargetY = -1;
  cell.moveTime = 0.0f;
  cell.nextBall = -1;
}

void BoardTest::setBoard(const std::vector<std::string>& rows) {
  for (size_t j = 0; j < rows.size(); ++j) {
    for (size_t i = 0; i < rows[j].size(); ++i) {
      const int x = col(int(i)), y = row(int(j));
      Cell& cell = cellAt(x, y);
      const char c = rows[j][i];
      cell.squareLayers = c == '.' ? -1 : 0;
      cell.ballValue = Ball::Empty;
      cell.nextBall = -1;
      cell.cellScale = 1.0f;
      cell.moveTargetX = cell.moveTargetY = -1;
      int chains = 0;
      const int value = letterValue(c, &chains);
      if (value >= 0) putBall(x, y, value, chains);
    }
  }
  gameState.freeCells = countFreeCells(currentBoard());
}

void BoardTest::setLayers(const std::vector<std::string>& rows) {
  for (size_t j = 0; j < rows.size(); ++j) {
    for (size_t i = 0; i < rows[j].size(); ++i) {
      if (rows[j][i] >= '0' && rows[j][i] <= '9') {
        cellAt(col(int(i)), row(int(j))).squareLayers = rows[j][i] - '0';
      }
    }
  }
}

std::vector<std::string> BoardTest::balls(int count) const {
  std::vector<std::string> rows;
  for (int j = 0; j < count; ++j) {
    std::string line;
    for (int x = kFirstColumn; x <= kLastColumn; ++x) line += cellLetter(cellAt(x, row(j)));
    // Trailing holes are left out so expectations stay short.
    while (!line.empty() && line.back() == '.') line.pop_back();
    rows.push_back(line);
  }
  return rows;
}

void BoardTest::runFrames(int frames, float dt) {
  for (int i = 0; i < frames; ++i) gameFrameUpdate(dt);
}

void BoardTest::popAll() {
  for (int i = 0; i < 100 && updateBallRemovals(50.0f); ++i) {
  }
}
