// The board in play of the level-end tests.
#include "modes_fixture.h"

#include <cstdio>

#include "app/app.h"
#include "app/scene.h"
#include "core/numeric.h"
#include "effects/effects.h"
#include "game/board.h"
#include "game/feedback.h"
#include "game/game.h"
#include "game/modes.h"
#include "game/tips.h"
#include "persistence/profile.h"
#include "persistence/records.h"
#include "platform/platform.h"
#include "resources/resources.h"
#include "test_support.h"
#include "ui/menu.h"

void ModesTest::SetUp() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  data_ = testTempDirectory((std::string("modes-") + info->name()).c_str());
  testMakeDirectories((data_ + "/settings").c_str());
  resetResources();
  resetGame();
  resetEffects();
  resetMenus();
  resetPersistence();
  std::snprintf(dataLocation.dataDirectory, sizeof dataLocation.dataDirectory, "%s/",
                data_.c_str());
  returnToDataDirectory();
  clearBoard(&boards.live);
  gameState.minLineLength = 3;
  gameState.selected = kNoCell;
  gameState.lastMoved = kNoCell;
  gameState.running = true;
  gameState.colourCount = 5;
  gameState.jokerFrequency = 1000000;
  gameState.difficulty = Difficulty::Normal;
  createProfile("TESTER");
  for (uint8_t& pending : currentProfileRecord()->helpShown) pending = 0;
  setCurrentSceneDirectly(&gameScene);
  seedRandom(3);
}

void ModesTest::TearDown() {
  setCurrentSceneDirectly(nullptr);
  resetResources();
}

void ModesTest::floorArea(int32_t w, int32_t h) {
  for (int32_t x = kFirstColumn; x < kFirstColumn + w; ++x) {
    for (int32_t y = kFirstRow; y < kFirstRow + h; ++y) {
      Cell& cell = cellAt(x, y);
      cell.squareLayers = 0;
      cell.cellScale = 1.0f;
      cell.moveTargetX = cell.moveTargetY = -1;
    }
  }
  gameState.freeCells = countFreeCells(currentBoard());
}

void ModesTest::putBall(int32_t x, int32_t y, int32_t value) {
  Cell& cell = cellAt(x, y);
  cell.ballValue = value;
  cell.appearTimer = 0.0f;
  cell.nextBall = -1;
  cell.moveTargetX = cell.moveTargetY = -1;
  gameState.freeCells = countFreeCells(currentBoard());
}

// Colour (x + 2y) mod 4 repeats no colour along any row, column or diagonal.
void ModesTest::fillBoard() {
  for (int32_t y = kFirstRow; y <= kLastRow; ++y) {
    for (int32_t x = kFirstColumn; x <= kLastColumn; ++x) {
      const Cell& cell = cellAt(x, y);
      if (hasFloor(cell) && !hasBall(cell)) putBall(x, y, (x + 2 * y) % 4);
    }
  }
}

void ModesTest::frames(int32_t count, float dt) {
  for (int32_t i = 0; i < count; ++i) {
    gameFrameUpdate(dt);
    gameFrameEndRules();
  }
}
