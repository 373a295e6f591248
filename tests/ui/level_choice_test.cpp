// The screens over the map's backdrops: a level is picked from its mark on the map,
// the expert box switches the difficulty and the level shown, the survival start
// level moves by slider, keys and arrows with a click each time, and the screens
// show a way back. (Starting games and damaged files: tests/map's runner scenarios.)
#include <cstring>

#include "audio/audio.h"
#include "game/board.h"
#include "game/game.h"
#include "map/map.h"
#include "persistence/profile.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "resources/resources.h"
#include "ui_fixture.h"

namespace {

class LevelChoice : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    static const bool loaded = (loadMap(), true);
    (void)loaded;
    createProfile("ANNA");
    Profile& p = *currentProfileRecord();
    for (uint8_t& pending : p.helpShown) pending = 0;
    progress(Difficulty::Normal, 3, 12);
    progress(Difficulty::Expert, 7, 7);
    open("main");
  }
  static void progress(int32_t difficulty, int32_t current, int32_t best) {
    Profile& p = *currentProfileRecord();
    p.zone[difficulty] = current / 5;
    p.stage[difficulty] = current % 5;
    p.bestZone[difficulty] = best / 5;
    p.bestStage[difficulty] = best % 5;
  }
  static Vec2 mark(int32_t level) { return mapGeometry.marks[level].position; }
  // True when the slider's click was asked for since the last call; forgets the
  // request and the sound's repeat guard, so the next change can click again.
  static bool clicked() {
    const bool heard = soundsQueued("chpok1.ogg") > 0;
    for (PlayRequest& request : sound.requests) request = {};
    for (int32_t i = 0; i < sound.sampleCount; ++i) sound.samples[i].repeatGuard = 0.0f;
    return heard;
  }
  int32_t levelControls() const {
    int32_t count = 0;
    for (int32_t i = 0; i < menuFrame.controlCount; ++i) {
      count += menuFrame.controls[i].kind == ControlKind::LevelSlot;
    }
    return count;
  }
};

TEST_F(LevelChoice, EveryMarkIsASlotOfItsLevelAndOnlyLevelsReachedAreChosen) {
  choose("Adventure");
  ASSERT_STREQ(currentMenuScreen(), "adventure");
  EXPECT_EQ(levelControls(), 70);
  EXPECT_EQ(menuFrame.controls[40].kind, ControlKind::LevelSlot);
  EXPECT_FLOAT_EQ((menuFrame.controls[40].left + menuFrame.controls[40].right) * 0.5f, mark(40).x);
  EXPECT_EQ(settings.selectedMapLevel, 3) << "the map opens on the current level";
  clickAt(mark(20).x, mark(20).y);
  EXPECT_EQ(settings.selectedMapLevel, 3) << "level 20 lies beyond the best";
  clickAt(mark(9).x, mark(9).y);
  EXPECT_EQ(settings.selectedMapLevel, 9);
}

TEST_F(LevelChoice, AButtonLeadsBackWhileEscapeStaysDropped) {
  choose("Zen");
  ASSERT_STREQ(currentMenuScreen(), "zen");
  EXPECT_EQ(visible("Expert mode"), nullptr) << "zen has no difficulty to choose";
  press(VK_ESCAPE);
  EXPECT_STREQ(currentMenuScreen(), "zen");
  choose("Back");
  EXPECT_STREQ(currentMenuScreen(), "main");
}

TEST_F(LevelChoice, TheExpertBoxSwitchesTheDifficultyAndTheLevelShown) {
  choose("Adventure");
  const VisibleItem* box = visible("Expert mode");
  ASSERT_NE(box, nullptr);
  pointAt(box->x, box->y);
  frame();
  EXPECT_TRUE(menu.balloon.requested);
  EXPECT_STREQ(menu.balloon.text, getText("expertmodetip"));
  clickAt(box->x, box->y);
  EXPECT_EQ(gameState.difficulty, Difficulty::Expert);
  EXPECT_EQ(currentProfileRecord()->storedDifficulty, Difficulty::Expert);
  EXPECT_EQ(currentProfileRecord()->adventureExpert, 1);
  EXPECT_EQ(settings.selectedMapLevel, 7) << "the level reached in expert";
  clickAt(box->x, box->y);
  EXPECT_EQ(gameState.difficulty, Difficulty::Normal);
  EXPECT_EQ(settings.selectedMapLevel, 3);
  choose("Back");
  choose("Adventure");
  EXPECT_EQ(gameState.difficulty, Difficulty::Normal) << "the choice was kept in the profile";
}

TEST_F(LevelChoice, TheStartLevelMovesByKeysArrowsAndSliderWithAClickEachTime) {
  choose("Survival");
  ASSERT_STREQ(currentMenuScreen(), "survival");
  EXPECT_EQ(visible("<"), nullptr) << "no way below the first level";
  press(VK_RIGHT);
  EXPECT_EQ(menu.survivalStartLevel, 1);
  EXPECT_TRUE(clicked());
  clickAt(300.0f, 0.0f);
  EXPECT_EQ(menu.survivalStartLevel, 2) << "the arrow right of the chart";
  EXPECT_TRUE(clicked());
  ASSERT_NE(visible("<"), nullptr);
  pointAt(-80.0f, -170.0f);
  menuClick();
  frame();
  menuButtonUp();
  frame();
  EXPECT_EQ(menu.survivalStartLevel, 0) << "dragged to the slider's left end";
  EXPECT_TRUE(clicked());
  clickAt(-80.0f, -250.0f);
  EXPECT_EQ(currentProfileRecord()->survivalExpert, 1);
  EXPECT_EQ(gameState.difficulty, Difficulty::Expert);
}

}  // namespace
