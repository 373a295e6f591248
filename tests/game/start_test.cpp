// Starting a level: what the game state and the board hold right after, by game
// kind and difficulty, and the first frames after it.
#include <string>

#include "board_fixture.h"
#include "effects/effect_state.h"
#include "effects/effects.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "game/tips.h"
#include "persistence/profile.h"
#include "platform/platform.h"
#include "resources/resources.h"
#include "test_support.h"

namespace {

// Twelve by six floor with squares, a chained ball and two Normal-only presets.
const char* const kLevel =
    "hammer=no\r\n"
    "jockerfrequency=1000000\r\n"
    "level=\r\n"
    ".000000000000.......\r\n"
    ".011000000000.......\r\n"
    ".0A2000000000.......\r\n"
    ".00000000000a.......\r\n"
    ".0000000000Za.......\r\n"
    ".000000000000.......\r\n"
    "\r\n";

class LevelStartTest : public BoardTest {
 protected:
  void SetUp() override {
    BoardTest::SetUp();
    previous_ = sysCurrentDirectory();
    const std::string dir = testTempDirectory("level-start");
    testMakeDirectories((dir + "/levels").c_str());
    testWriteFile(dir + "/levels/tut1_01.lvl", kLevel);
    testWriteFile(dir + "/levels/pack1_20.lvl", kLevel);
    clearFileTable();
    sysChangeDirectory(dir.c_str());
  }
  void TearDown() override {
    sysChangeDirectory(previous_.c_str());
    clearFileTable();
    BoardTest::TearDown();
  }

  int countBalls() const {
    int count = 0;
    for (int y = kFirstRow; y <= kLastRow; ++y) {
      for (int x = kFirstColumn; x <= kLastColumn; ++x) count += hasBall(cellAt(x, y));
    }
    return count;
  }
  int countPreviews() const {
    int count = 0;
    for (int y = kFirstRow; y <= kLastRow; ++y) {
      for (int x = kFirstColumn; x <= kLastColumn; ++x) count += cellAt(x, y).nextBall >= 0;
    }
    return count;
  }

  std::string previous_;
};

}  // namespace

TEST_F(LevelStartTest, NormalFirstLevelsStartWithThePresetsAndAnEighthInPreviews) {
  gameState.difficulty = Difficulty::Normal;
  setScore(1234);
  startLevel(0);
  EXPECT_EQ(countBalls(), 4);  // the chained ball and three presets
  EXPECT_EQ(gameState.freeCells, 72 - 4);
  EXPECT_EQ(gameState.newBallsPerMove, (72 - 4) / 8);
  EXPECT_GE(countPreviews(), 1);
  EXPECT_LE(countPreviews(), gameState.newBallsPerMove);
  EXPECT_EQ(gameState.colourCount, 4);
  EXPECT_FALSE(gameState.hammerEnabled);
  EXPECT_EQ(gameState.squaresAtStart, 1 + 1 + 2 + 2 + 1);
  EXPECT_EQ(gameView.shownScore, 1234);
  EXPECT_EQ(gameState.selected.x, -1);
  EXPECT_EQ(gameState.minLineLength, 3);
  EXPECT_TRUE(gameState.running);
  EXPECT_EQ(cellAt(6, 7).cellScale, 0.0f);
}

TEST_F(LevelStartTest, ExpertFillsHalfTheFreeCellsAtOnce) {
  startLevel(0);
  const int free = 72 - 1;  // only the chained ball is preset in Expert
  EXPECT_GT(countBalls(), 1);
  EXPECT_LE(countBalls(), 1 + free / 2);
  EXPECT_EQ(gameState.freeCells, countFreeCells(currentBoard()));
  EXPECT_EQ(gameState.newBallsPerMove, free / 8);
}

TEST_F(LevelStartTest, ALevelStartsWithoutTheEffectsOfTheGameBefore) {
  spawnSpark(0.0f, 0.0f, 8);
  startBoardEffectAt(0.0f, 0.0f, 2);
  spawnScoreStar(0.0f, 0.0f);
  particleSystem.particles[3].lifetime = 1000.0f;
  addLightningBolt({0, 0, 0}, {50, 0, 0}, 25.0f, 1.0f, 1.0f, 1.0f, kWhite, kWhite);
  startLevel(0);
  const EffectCounts counts = countLiveEffects();
  EXPECT_EQ(counts.particles, 0);
  EXPECT_EQ(counts.sparks, 0);
  EXPECT_EQ(counts.bolts, 0);
  EXPECT_EQ(boardEffects.spawners[0].remaining, 0.0f);
  EXPECT_FALSE(scoreStars.stars[0].active);
}

TEST_F(LevelStartTest, LaterLevelsUseMoreColoursAndAQuarterInPreviews) {
  startLevel(23);
  EXPECT_EQ(gameState.colourCount, 8);
  EXPECT_EQ(gameState.levelIndex, 23);
  EXPECT_EQ(gameView.colourScheme, 2);
  EXPECT_EQ(gameView.backgroundIndex, 5);
}

TEST_F(LevelStartTest, SurvivalPlaysTheFloorOnly) {
  gameState.survival = true;
  setScore(500);
  startLevel(23);
  EXPECT_EQ(gameState.squaresAtStart, 7);
  EXPECT_EQ(countSquareLayers(currentBoard()), 0);
  EXPECT_TRUE(gameState.hammerEnabled);
  EXPECT_EQ(gameState.jokerFrequency, 20);
  EXPECT_EQ(gameView.shownScore, 0);
  for (int y = kFirstRow; y <= kLastRow; ++y) {
    for (int x = kFirstColumn; x <= kLastColumn; ++x) EXPECT_EQ(cellAt(x, y).chainLocks, 0);
  }
  EXPECT_TRUE(gameState.survival);
}

TEST_F(LevelStartTest, OneTimeTipsAreShownOncePerProfile) {
  gameState.difficulty = Difficulty::Normal;
  startLevel(0);
  // The last start tip whose flag was still clear wins the panel.
  EXPECT_STREQ(tipState.key, "chainitemtip");
  const Profile* profile = currentProfileRecord();
  EXPECT_EQ(profile->tipShown[6], 1);  // "tipbusysquare2"
  EXPECT_EQ(profile->tipShown[3], 0);  // the hammer is off in this level
  startLevel(0);
  EXPECT_FALSE(tipState.active);
}

TEST_F(LevelStartTest, MissingLevelLeavesAnEmptyBoard) {
  startLevel(40);
  EXPECT_EQ(gameState.freeCells, 0);
  EXPECT_EQ(countBalls(), 0);
  runFrames(3);
}

TEST_F(LevelStartTest, FloorGrowsInBeforeTheSearchFollowsTheBoard) {
  gameState.difficulty = Difficulty::Normal;
  startLevel(0);
  runFrames(40);
  EXPECT_EQ(cellAt(6, 5).cellScale, 1.0f);
  EXPECT_EQ(cellAt(17, 8).appearTimer, 0.0f);  // the preset arrived
  selectBall(17, 8);
  cellAt(16, 8).ballValue = 3;  // a ball appears beside it
  runFrames(1);
  EXPECT_EQ(cellAt(16, 8).pathDistance, -1);
}
