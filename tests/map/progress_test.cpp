// The player's progress as the map shows it: which levels are open, which
// artefacts are lit, how each mark is coloured and sized as the map clock runs, and
// how the survival chart's strip follows the start level.
#include <gtest/gtest.h>

#include <cmath>

#include "game/board.h"
#include "game/game.h"
#include "input/input.h"
#include "map/map.h"
#include "persistence/profile.h"
#include "persistence/settings.h"

namespace {

constexpr float kPi = 3.14159265f;

class MapProgress : public ::testing::Test {
 protected:
  void SetUp() override {
    resetPersistence();
    resetInput();
    resetMap();
    createProfile("ANNA");
    reach(Difficulty::Normal, 23);
    setCurrentLevel(23);
    settings.selectedMapLevel = 23;
  }
  void TearDown() override { resetPersistence(); }
  static void reach(int32_t difficulty, int32_t best) {
    currentProfileRecord()->bestZone[difficulty] = best / 5;
    currentProfileRecord()->bestStage[difficulty] = best % 5;
  }
};

TEST_F(MapProgress, LevelsBeyondTheBestAreLockedUntilAllStagesOpen) {
  EXPECT_FALSE(mapLevelLocked(23));
  EXPECT_TRUE(mapLevelLocked(24));
  EXPECT_EQ(levelMarkState(22), MarkState::Open);
  EXPECT_EQ(levelMarkState(23), MarkState::Selected);
  EXPECT_EQ(levelMarkState(24), MarkState::Locked);
  input.mapAllStagesOpen = 1;
  EXPECT_FALSE(mapLevelLocked(69));
  EXPECT_EQ(levelMarkState(69), MarkState::Open);
}

TEST_F(MapProgress, ArtefactsAreLitUpToTheZoneReachedAndAllOnceTheLastLevelIs) {
  EXPECT_EQ(reachedZone(), 4);
  reach(Difficulty::Normal, 68);
  EXPECT_EQ(reachedZone(), 13);
  reach(Difficulty::Normal, 69);
  EXPECT_EQ(reachedZone(), 14) << "all fifteen without the open stages";
  reach(Difficulty::Normal, 0);
  input.mapAllStagesOpen = 1;
  EXPECT_EQ(reachedZone(), 14);
}

// A damaged profile: a best far beyond the map or below it, a start level of 500.
TEST_F(MapProgress, ProgressOutsideTheMapIsLimitedToIt) {
  currentProfileRecord()->bestZone[Difficulty::Normal] = 40;
  EXPECT_EQ(reachedZone(), 14);
  EXPECT_FALSE(mapLevelLocked(69));
  currentProfileRecord()->bestZone[Difficulty::Normal] = -3;
  EXPECT_EQ(reachedZone(), 0);
  EXPECT_FALSE(mapLevelLocked(0)) << "the first level stays open";
  EXPECT_TRUE(mapLevelLocked(1));
  EXPECT_EQ(clampMapLevel(500), 69);
  EXPECT_EQ(clampMapLevel(-4), 0);
}

TEST_F(MapProgress, SurvivalStartsUpToTheBestLevelOfAnyDifficulty) {
  reach(Difficulty::Expert, 30);
  EXPECT_EQ(survivalReachableLevel(), 30);
  EXPECT_FALSE(survivalStartLocked(30));
  EXPECT_TRUE(survivalStartLocked(31));
  input.mapAllStagesOpen = 1;
  EXPECT_EQ(survivalReachableLevel(), 70);
  EXPECT_FALSE(survivalStartLocked(69));
}

// At t = 0 no glow runs; sin(t * 0.01) is 1 at t = 50 pi and -1 at t = 150 pi.
TEST_F(MapProgress, TheSelectedMarkPulsesRedToGreenOthersAreRedLockedOnesDimYellow) {
  EXPECT_EQ(levelMarkColor(23, 50.0f * kPi), makeColor(55, 255, 0, 255));
  EXPECT_EQ(levelMarkColor(23, 150.0f * kPi), makeColor(255, 0, 0, 255));
  EXPECT_EQ(levelMarkColor(5, 0.0f), makeColor(255, 55, 55, 255));
  EXPECT_EQ(levelMarkColor(40, 0.0f), makeColor(255, 255, 155, 100));
  input.mapAllStagesOpen = 1;
  EXPECT_EQ(levelMarkColor(40, 0.0f), makeColor(255, 55, 55, 255));
}

// At t = 500 pi the wave is at its strongest and its crest on the first level;
// ten levels on it is at its trough, forty levels on near a crest again.
TEST_F(MapProgress, AGlowWaveNowAndThenRunsAlongTheRoad) {
  const float crest = 500.0f * kPi;
  EXPECT_EQ(levelMarkColor(0, crest), makeColor(255, 240, 55, 255));
  EXPECT_EQ(colorGreen(levelMarkColor(10, crest)), 55u);
  EXPECT_GT(colorAlpha(levelMarkColor(40, crest)), 200u) << "locked marks light up with it";
}

TEST_F(MapProgress, OnlyASelectedLevelOtherThanTheCurrentOnePulsesInSize) {
  const float swell = 50.0f / 3.0f * kPi;  // sin(t * 0.03) = 1
  EXPECT_FLOAT_EQ(levelMarkSize(23, swell), 16.0f) << "the current level";
  settings.selectedMapLevel = 7;
  EXPECT_FLOAT_EQ(levelMarkSize(7, swell), 18.5f);
  EXPECT_FLOAT_EQ(levelMarkSize(8, swell), 16.0f);
}

// The strip first stays where it was, then glides without overshooting to the new
// start level; a start level off the chart counts as the nearest one.
TEST_F(MapProgress, TheChartGlidesFromTheOldStartLevelToTheNew) {
  updateSurvivalChart(0, 16.0f);
  EXPECT_FLOAT_EQ(survivalChartX(0, 0), -3.0f);
  updateSurvivalChart(69, 16.0f);
  EXPECT_FLOAT_EQ(survivalChartX(0, 69), -3.0f);
  EXPECT_FLOAT_EQ(survivalChartX(69, 69), 69.0f * 260.0f - 3.0f);
  float last = survivalChartX(69, 69);
  bool passedBetween = false;
  for (int frame = 0; frame < 120; ++frame) {
    updateSurvivalChart(69, 16.0f);
    const float x = survivalChartX(69, 69);
    EXPECT_LE(x, last);
    EXPECT_GE(x, -3.0f);
    last = x;
    for (int32_t n = 1; n < 69; ++n) passedBetween |= std::fabs(survivalChartX(n, 69)) < 130.0f;
  }
  EXPECT_TRUE(passedBetween) << "levels between showed in the middle on the way";
  EXPECT_NEAR(survivalChartX(69, 69), -3.0f, 0.5f);
  updateSurvivalChart(500, 16.0f);
  EXPECT_NEAR(mapState.chartOffset, 0.0f, 0.5f) << "500 is level 69 again: nothing moves";
}

}  // namespace
