// How a level ends: completion, survival's end, defeat with its lives, the
// statistics recorded, the help screen shown once, and survival's tightening.
#include <cstring>

#include "audio/audio.h"
#include "core/numeric.h"
#include "game/board.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "game/modes.h"
#include "modes_fixture.h"
#include "persistence/profile.h"
#include "persistence/records.h"
#include "test_support.h"
#include "ui/menu.h"

namespace {

int32_t ballCount() {
  int32_t count = 0;
  for (int32_t y = kFirstRow; y <= kLastRow; ++y) {
    for (int32_t x = kFirstColumn; x <= kLastColumn; ++x) count += hasBall(cellAt(x, y));
  }
  return count;
}

class LevelEndTest : public ModesTest {
 protected:
  // Runs 16 ms frames until the level-complete timer is at or below `below`.
  void framesUntilCompleteBelow(float below) {
    for (int i = 0; i < 1000 && gameState.levelCompleteTimer > below; ++i) frames(1);
  }
};

TEST_F(LevelEndTest, ClearingTheLastSquareRunsTheLevelCompleteSequence) {
  floorArea(6, 4);
  putBall(6, 6, 1);
  setCurrentLevel(7);
  gameState.levelIndex = 7;
  gameState.levelScore = 480;
  gameState.comboStat = 2;
  gameState.elapsedMs = 60000;
  gameState.moves = 9;
  frames(1);
  EXPECT_EQ(gameState.levelCompleteTimer, 8500.0f);
  EXPECT_STREQ(modeState.bigMessage, "levelcomplete");
  EXPECT_EQ(gameView.colourScheme, 8 % 3);
  EXPECT_EQ(sound.pendingOrder, musicOrderForSection(kLevelCompleteMusic));
  EXPECT_EQ(currentLevel(), 8) << "the profile advanced";
  const LevelRecord& record = recordTables.levels[Difficulty::Normal][7];
  EXPECT_EQ(record.bestScore, 480);
  EXPECT_STREQ(record.scoreHolder, "TESTER");
  EXPECT_EQ(testReadFile(data_ + "/settings/records.dat").size(), 20160u) << "the tables were saved";
  EXPECT_STREQ(menuRequests.screen, "");

  framesUntilCompleteBelow(7500.0f);
  EXPECT_EQ(ballCount(), 0) << "every ball pops at 7500 ms";
  framesUntilCompleteBelow(0.0f);
  EXPECT_EQ(gameState.levelCompleteTimer, -1.0f);
  EXPECT_STREQ(menuRequests.screen, "levelcomplete");
  EXPECT_EQ(modeState.bigMessage[0], '\0');
  EXPECT_EQ(sound.pendingOrder, musicOrderForSection(7 % 4));
  frames(5);
  EXPECT_EQ(currentLevel(), 8) << "a finished sequence never completes the level again";
}

TEST_F(LevelEndTest, AClickDuringTheSequenceEndsItOnTheNextFrame) {
  floorArea(3, 3);
  frames(1);
  ASSERT_GT(gameState.levelCompleteTimer, 0.0f);
  gameLeftDown(0.0f, 0.0f);
  frames(1);
  EXPECT_EQ(gameState.levelCompleteTimer, -1.0f);
  EXPECT_STREQ(menuRequests.screen, "levelcomplete");
}

TEST_F(LevelEndTest, WinningTheSeventiethLevelFinishesTheAdventure) {
  floorArea(3, 3);
  setCurrentLevel(69);
  gameState.levelIndex = 69;
  frames(1);
  EXPECT_TRUE(gameState.zoneCompleted);
  EXPECT_TRUE(gameState.adventureFinished);
  EXPECT_STREQ(modeState.bigMessage, "stagecomplete");
  EXPECT_EQ(currentLevel(), 0);
  EXPECT_EQ(bestLevel(), 69);
}

TEST_F(LevelEndTest, SurvivalSquaresNeverCompleteOnlyAFullBoardEnds) {
  gameState.survival = true;
  gameState.levelIndex = 12;
  currentProfileRecord()->survivalSaved = 1;
  floorArea(4, 4);
  frames(3);
  EXPECT_EQ(gameState.levelCompleteTimer, 0.0f);
  EXPECT_STREQ(menuRequests.screen, "");
  gameState.levelScore = 99999;
  gameState.moves = 400;
  fillBoard();
  frames(1);
  EXPECT_STREQ(menuRequests.screen, "levelcomplete");
  EXPECT_EQ(gameState.defeatTimer, 0.0f) << "survival has no defeat";
  EXPECT_FALSE(currentProfileRecord()->survivalSaved);
  const LevelRecord& record = recordTables.survivalLevels[Difficulty::Normal][12];
  EXPECT_EQ(record.bestMoves, 400);
  EXPECT_STREQ(recordTables.survivalScores[Difficulty::Normal][12][0].name, "TESTER");
  EXPECT_EQ(currentLevel(), 0) << "survival does not advance the adventure";
  EXPECT_EQ(testReadFile(data_ + "/settings/surrecs.dat").size(), 13440u);
}

// A full board with one square left: no completion, so the defeat starts.
class DefeatTest : public ModesTest {
 protected:
  void SetUp() override {
    ModesTest::SetUp();
    floorArea(5, 5);
    cellAt(6, 6).squareLayers = 1;
    fillBoard();
    currentProfileRecord()->adventureSaved = 1;
  }
  void runDefeat() {
    for (int i = 0; i < 400 && gameState.defeatTimer >= 0.0f; ++i) frames(1);
  }
};

TEST_F(DefeatTest, TheLastLifeIsAnnouncedAndPlayContinuesWithNone) {
  setLives(1);
  frames(1);
  EXPECT_EQ(gameState.defeatTimer, 5000.0f);
  EXPECT_STREQ(modeState.bigMessage, "lastlife");
  EXPECT_EQ(sound.pendingOrder, musicOrderForSection(kDefeatMusic));
  runDefeat();
  EXPECT_EQ(gameState.defeatTimer, -1.0f);
  EXPECT_EQ(lives(), 0);
  EXPECT_STREQ(menuRequests.screen, "defeat");
  EXPECT_TRUE(gameState.defeatDim);
  EXPECT_FALSE(currentProfileRecord()->adventureSaved);
  EXPECT_FALSE(modeState.resultPending);
  EXPECT_EQ(testReadFile(data_ + "/settings/profiles.dat").size(), 148u);
}

TEST_F(DefeatTest, WithNoLifeLeftTheGameIsOverAndTheHighScoresFollow) {
  setLives(0);
  frames(1);
  EXPECT_STREQ(modeState.bigMessage, "gameover");
  runDefeat();
  EXPECT_EQ(lives(), -1);
  EXPECT_STREQ(menuRequests.screen, "hiscore");
  EXPECT_TRUE(modeState.resultPending);
}

TEST_F(DefeatTest, MoreLivesLoseOneAndZenForgetsItsOwnSavedGame) {
  gameState.difficulty = Difficulty::Zen;
  setStoredDifficulty(Difficulty::Zen);
  currentProfileRecord()->zenSaved = 1;
  frames(1);
  EXPECT_STREQ(modeState.bigMessage, "loselife");
  runDefeat();
  EXPECT_EQ(lives(), 2);
  EXPECT_FALSE(currentProfileRecord()->zenSaved);
  EXPECT_TRUE(currentProfileRecord()->adventureSaved);
}

TEST_F(DefeatTest, TheMenusStartTheDefeatWithoutChangingTheMusic) {
  requestMusic(1);
  gameState.freeCells = 3;
  startDefeat();
  EXPECT_EQ(gameState.defeatTimer, 5000.0f);
  EXPECT_EQ(sound.pendingOrder, musicOrderForSection(1));
}

TEST_F(LevelEndTest, TheHelpScreenOpensOnceForEachGameKind) {
  floorArea(3, 3);
  cellAt(5, 5).squareLayers = 1;
  Profile* p = currentProfileRecord();
  p->helpShown[Difficulty::Normal] = 1;
  p->helpShown[3 + Difficulty::Expert] = 1;
  frames(1);
  EXPECT_STREQ(menuRequests.screen, "helpscreen");
  EXPECT_EQ(p->helpShown[Difficulty::Normal], 0);
  resetMenus();
  gameView.menuOpen = false;
  frames(1);
  EXPECT_EQ(menuRequests.count, 0);
  gameState.survival = true;
  gameState.difficulty = Difficulty::Expert;
  frames(1);
  EXPECT_STREQ(menuRequests.screen, "helpscreen");
  EXPECT_EQ(p->helpShown[3], 0);
}

TEST(SurvivalTightening, ColoursJokersAndNewBallsFollowThePressure) {
  struct Step {
    int32_t pressure, colours, jokers, newBalls;
  };
  // At 50 and 200 the square root is exact (4 and 8): no rounding may lose it.
  const Step steps[] = {{-3, 3, 30, 0},  {10, 3, 30, 3},  {11, 4, 30, 3},   {21, 5, 25, 4},
                        {40, 5, 20, 5},  {41, 6, 20, 5},  {50, 6, 20, 6},   {80, 6, 15, 7},
                        {81, 7, 15, 7},  {160, 7, 12, 9}, {200, 8, 12, 10}, {201, 8, 10, 10}};
  for (const Step& s : steps) {
    gameState.pressure = s.pressure;
    retuneSurvival();
    EXPECT_EQ(gameState.colourCount, s.colours) << s.pressure;
    EXPECT_EQ(gameState.jokerFrequency, s.jokers) << s.pressure;
    EXPECT_EQ(gameState.newBallsPerMove, s.newBalls) << s.pressure;
  }
}

TEST(TileExit, TilesWobbleInPlaceThenFlyOffFadingAndAreGoneAt1500) {
  prepareLevelModes(1);  // level 1 makes the tiles fall
  EXPECT_EQ(modeState.tileExit, TileExit::Fall);
  const Vec2 home = cellCentre(9, 9);
  EXPECT_FALSE(levelCompleteTilePose(9, 9, 7600.0f).visible);
  const TilePose wobble = levelCompleteTilePose(9, 9, 7000.0f);
  EXPECT_TRUE(wobble.visible);
  EXPECT_EQ(wobble.centre.x, home.x);
  EXPECT_EQ(wobble.alpha, 1.0f);
  const TilePose late = levelCompleteTilePose(9, 9, 1600.0f);
  EXPECT_LT(late.centre.y, home.y - 400.0f) << "falling tiles end far below";
  EXPECT_LT(late.alpha, 0.1f);
  EXPECT_FALSE(levelCompleteTilePose(9, 9, 1500.0f).visible);
  EXPECT_FALSE(levelCompleteTilePose(2, 9, 4000.0f).visible) << "no tile outside the board";
}

TEST(TileExit, TheTilesTurnTheSameAtEveryStartAndScatterAsTheRuntimeGeneratorSays) {
  seedRandom(4);
  prepareLevelModes(2);
  const TileFlight first = modeState.tiles[9][9];
  tableRandomValue();  // whatever drew from the table stream meanwhile
  seedRandom(5);
  prepareLevelModes(2);
  EXPECT_EQ(modeState.tiles[9][9].spin, first.spin);
  EXPECT_EQ(modeState.tiles[9][9].phase, first.phase);
  EXPECT_NE(modeState.tiles[9][9].displacement.x, first.displacement.x);
}

}  // namespace
