// The result screens: texts from the data filled safely, the level result panel's
// lines, count-up and cheers, the high-score tables and their arrows, the players'
// list as entries to click, and the saved-game question's caption and progress.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/scene.h"
#include "audio/audio.h"
#include "effects/effects.h"
#include "game/board.h"
#include "game/game.h"
#include "game/modes.h"
#include "persistence/profile.h"
#include "persistence/records.h"
#include "platform/platform.h"
#include "render/text.h"
#include "resources/resources.h"
#include "ui/result_screens.h"
#include "ui_fixture.h"

namespace {

std::string filled(const char* format, std::vector<TextField> fields, size_t capacity = 64) {
  std::vector<char> out(capacity, 'Z');
  formatTextFields(format, fields.data(), int32_t(fields.size()), out.data(), capacity);
  return out.data();
}

std::string minutes(int32_t ms) {
  char out[16];
  formatMinutesSeconds(ms, out, sizeof out);
  return out;
}

TEST(ResultTexts, PlaceholdersTakeOnlyTheFieldsGiven) {
  EXPECT_EQ(filled("Zone %i-%i   Score %i", {{nullptr, 2}, {nullptr, 3}, {nullptr, 900}}),
            "Zone 2-3   Score 900");
  EXPECT_EQ(filled("by %s", {{"ANNA", 0}}), "by ANNA");
  EXPECT_EQ(filled("%s has %d", {{nullptr, 7}, {"X", 0}}), "7 has X") << "a field keeps its kind";
  EXPECT_EQ(filled("%i%% and %i", {{nullptr, 5}}), "5% and %i") << "no field, no reading";
  EXPECT_EQ(filled("%n%x %", {{nullptr, 1}}), "%n%x %");
  EXPECT_EQ(filled("Level %i", {{nullptr, 123456}}, 9), "Level 12") << "cut to fit";
  EXPECT_EQ(filled(nullptr, {}), "");
}

TEST(ResultTexts, TimesShowWholeMinutesAndSeconds) {
  EXPECT_EQ(minutes(754999), "12:34");
  EXPECT_EQ(minutes(59999), "00:59");
  EXPECT_EQ(minutes(-40), "00:00");
  EXPECT_EQ(minutes(6000000), "100:00");
}

// ---------------------------------------------------------------------------
// The level result panel

LevelResult adventureResult() {
  return LevelResult{false, Difficulty::Normal, 4, 1000, 3, 65000, 20};
}

class ResultPanel : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    resetEffects();
    createProfile("ANNA");
    recordTables = {};
    LevelRecord& r = recordTables.levels[Difficulty::Normal][4];
    r = {"RIKO", "ANNA", "ANNA", "IVY", 1000, 5, 70000, 10};
    const LevelResult result = adventureResult();
    gameState.survival = result.survival;
    gameState.difficulty = result.difficulty;
    gameState.levelIndex = result.level;
    gameState.levelScore = result.levelScore;
    gameState.comboStat = result.comboStat;
    gameState.elapsedMs = result.elapsedMs;
    gameState.moves = result.moves;
  }

  // One frame whose drawn texts are returned; sounds asked for again in it are heard.
  std::vector<std::string> drawnFrame(float dt = 16.0f) {
    for (int32_t i = 0; i < sound.sampleCount; ++i) sound.samples[i].repeatGuard = 0.0f;
    endFrameTexts();
    frame(dt);
    std::vector<std::string> texts;
    for (int32_t i = 0; i < currentFrameTextCount(); ++i) texts.push_back(currentFrameText(i));
    return texts;
  }
  static bool has(const std::vector<std::string>& texts, const std::string& text) {
    for (const std::string& t : texts) {
      if (t == text) return true;
    }
    return false;
  }
  // The count-up's ticks waiting to be heard, in the order asked for.
  static std::vector<int32_t> tickFrequencies() {
    uint32_t handle = 0;
    for (int32_t i = 0; i < sound.sampleCount; ++i) {
      const SoundSample& sample = sound.samples[i];
      if (std::strcmp(sample.fileName, "score.ogg") == 0) handle = sample.handle;
    }
    std::vector<int32_t> frequencies;
    for (const PlayRequest& request : sound.requests) {
      if (request.state == kRequestWaiting && request.sample == handle) {
        frequencies.push_back(request.frequency);
      }
    }
    return frequencies;
  }
};

TEST_F(ResultPanel, EachValueIsComparedWithItsRecordTheWayItsRecordIsKept) {
  ResultPanelState p = makeResultPanel(adventureResult());
  ASSERT_EQ(p.lineCount, 4);
  EXPECT_TRUE(p.beaten[0]) << "an equal score counts";
  EXPECT_FALSE(p.beaten[1]) << "3 combos stay below 5";
  EXPECT_TRUE(p.beaten[2]) << "a shorter time beats it";
  EXPECT_FALSE(p.beaten[3]) << "20 moves are more than 10";
  EXPECT_EQ(p.countUpMs, 1000.0f);

  LevelResult survival = adventureResult();
  survival.survival = true;
  survival.levelScore = 90000;
  recordTables.survivalLevels[Difficulty::Normal][4].bestMoves = 20;
  p = makeResultPanel(survival);
  ASSERT_EQ(p.lineCount, 3) << "survival keeps no time";
  EXPECT_EQ(p.lines[2], ResultLine::Moves);
  EXPECT_TRUE(p.beaten[2]) << "in survival more moves survived are better";
  EXPECT_EQ(p.countUpMs, kLongestCountUpMs);

  survival.levelScore = -5;
  EXPECT_EQ(makeResultPanel(survival).countUpMs, 0.0f);
  survival.level = 70;
  p = makeResultPanel(survival);
  EXPECT_FALSE(p.hasRecord) << "a level outside the tables has no record";
  EXPECT_FALSE(p.beaten[0]);
}

TEST_F(ResultPanel, TheScoreCountsUpWithRisingTicksThenEveryValueShowsAndRecordsCheer) {
  setCurrentSceneDirectly(&gameScene);
  openInGameScreen("levelcomplete");
  std::vector<std::string> texts = drawnFrame();
  for (int i = 0; i < 30; ++i) texts = drawnFrame();  // about 500 ms
  EXPECT_FALSE(has(texts, "1000")) << "still counting";
  EXPECT_FALSE(has(texts, "3")) << "the combos wait their turn";
  const std::vector<int32_t> ticks = tickFrequencies();
  ASSERT_GE(ticks.size(), 4u);
  EXPECT_EQ(ticks.front(), 20000);
  for (size_t i = 1; i < ticks.size(); ++i) EXPECT_GT(ticks[i], ticks[i - 1]);
  EXPECT_LE(ticks.back(), 45000);
  EXPECT_EQ(soundsQueued("wow.ogg"), 0);

  for (int i = 0; i < 35; ++i) texts = drawnFrame();  // past 1000 ms: the count is done
  EXPECT_TRUE(has(texts, "1000"));
  EXPECT_GE(soundsQueued("wow.ogg"), 1) << "the score equals its record";
  EXPECT_STREQ(recentEffectName(0), "scorewow");
  EXPECT_TRUE(has(texts, "3")) << "the later values come with the counted score";
  EXPECT_TRUE(has(texts, "01:05"));
  EXPECT_TRUE(has(texts, "20"));
  EXPECT_TRUE(has(texts, "   01:05")) << "the beaten time stands in the record's place";
  EXPECT_TRUE(has(texts, "   10")) << "the unbeaten moves record stays";
  EXPECT_TRUE(has(texts, "by IVY"));
  EXPECT_EQ(effectLog.effectsStarted, 2) << "score and time cheered, combo and moves not";
  EXPECT_FALSE(menu.countUpRunning);
  press(VK_RETURN);
  EXPECT_STREQ(currentMenuScreen(), "adventure") << "the count-up was over: Enter goes on";
}

TEST_F(ResultPanel, TheFirstEnterShowsEverythingAtOnceAndTheNextGoesOn) {
  setCurrentSceneDirectly(&gameScene);
  openInGameScreen("levelcomplete");
  settle();
  press(VK_RETURN);
  EXPECT_STREQ(currentMenuScreen(), "levelcomplete");
  const std::vector<std::string> texts = drawnFrame();
  EXPECT_TRUE(has(texts, "1000"));
  EXPECT_TRUE(has(texts, "20"));
  EXPECT_EQ(resultPanel.revealed, 4);
  EXPECT_EQ(effectLog.effectsStarted, 2);
  press(VK_RETURN);
  EXPECT_STREQ(currentMenuScreen(), "adventure");
}

TEST_F(ResultPanel, ASurvivalPanelHasNoTimeLine) {
  gameState.survival = true;
  setCurrentSceneDirectly(&gameScene);
  openInGameScreen("levelcomplete");
  settle();
  press(VK_RETURN);
  const std::vector<std::string> texts = drawnFrame();
  EXPECT_TRUE(has(texts, getText("yourmoves")));
  EXPECT_FALSE(has(texts, getText("yourtime")));
  EXPECT_FALSE(has(texts, getText("besttime")));
}

// ---------------------------------------------------------------------------
// The high scores

class HighScores : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    createProfile("ANNA");
    recordTables = {};
    const char* names[kAdventureDifficulties] = {"EXPERT ONE", "NORMAL ONE", "ZEN ONE"};
    for (int32_t d = 0; d < kAdventureDifficulties; ++d) {
      for (int32_t k = 0; k < kTopScoreRows; ++k) {
        std::snprintf(recordTables.topScores[d][k].name, kScoreNameSize, "%s", names[d]);
        recordTables.topScores[d][k].score = 1000 * (10 - k);
      }
    }
  }
  bool shows(const char* text) const {
    for (int32_t i = 0; i < currentFrameTextCount(); ++i) {
      if (std::strcmp(currentFrameText(i), text) == 0) return true;
    }
    return false;
  }
  void redraw() {
    endFrameTexts();
    frame();
  }
};

TEST_F(HighScores, ThePlayersDifficultyShowsFirstAndArrowsAndKeysTurnThroughAllThree) {
  setStoredDifficulty(Difficulty::Zen);
  open("hiscore");
  redraw();
  EXPECT_TRUE(shows("ZEN ONE"));
  EXPECT_TRUE(shows(getText("zenmode")));
  EXPECT_TRUE(shows("10000"));
  EXPECT_TRUE(shows("1000"));
  press(VK_RIGHT);
  redraw();
  EXPECT_TRUE(shows("EXPERT ONE")) << "Right wraps from zen to expert";
  const VisibleItem* left = visible("<");
  ASSERT_NE(left, nullptr);
  clickAt(left->x, left->y);
  clickAt(left->x, left->y);
  redraw();
  EXPECT_TRUE(shows("NORMAL ONE")) << "the left arrow acts as the Left key";
  EXPECT_STREQ(currentMenuScreen(), "hiscore");
}

TEST_F(HighScores, ADifficultyTheTablesDoNotHaveShowsNormal) {
  currentProfileRecord()->storedDifficulty = 7;
  open("hiscore");
  redraw();
  EXPECT_EQ(menu.hiscoreTable, Difficulty::Normal);
  EXPECT_TRUE(shows("NORMAL ONE"));
}

TEST_F(HighScores, AfterTheLastLifeTheRunningScoreEntersAndBackLeadsToTheTitle) {
  setStoredDifficulty(Difficulty::Normal);
  gameState.difficulty = Difficulty::Normal;
  setScore(5500);
  setCurrentSceneDirectly(&gameScene);
  modeState.resultPending = true;
  openInGameScreen("hiscore");
  settle();
  redraw();
  EXPECT_TRUE(shows("ANNA"));
  EXPECT_TRUE(shows("5500"));
  EXPECT_STREQ(recordTables.topScores[Difficulty::Normal][5].name, "ANNA");
  EXPECT_EQ(recordTables.topScores[Difficulty::Normal][9].score, 2000) << "the last row fell out";
  choose("Back");
  endFrame();
  EXPECT_EQ(currentScene(), &mapScene);
  EXPECT_STREQ(currentMenuScreen(), "main");
}

// ---------------------------------------------------------------------------
// The players' list and the saved-game question

class PlayerList : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    for (const char* name : {"ANNA", "BORIS", "CLARA"}) createProfile(name);
    selectProfile(0);
  }
};

TEST_F(PlayerList, NamesAreEntriesAClickFocusesAndADoubleClickChooses) {
  open("profiles");
  const VisibleItem* boris = visible("BORIS");
  const VisibleItem* clara = visible("CLARA");
  ASSERT_NE(boris, nullptr);
  ASSERT_NE(clara, nullptr);
  EXPECT_EQ(boris->kind, VisibleKind::Profile);
  EXPECT_FLOAT_EQ(visible("ANNA")->y - boris->y, 30.0f);
  clickAt(boris->x, boris->y);
  EXPECT_EQ(menu.focus, 1);
  choose("Select");
  EXPECT_EQ(profileTable.currentProfile, 1);
  EXPECT_STREQ(currentMenuScreen(), "main");

  open("profiles");
  clara = visible("CLARA");
  ASSERT_NE(clara, nullptr);
  doubleClickAt(clara->x, clara->y);
  EXPECT_EQ(profileTable.currentProfile, 2);
  EXPECT_STREQ(currentMenuScreen(), "main");
}

TEST_F(PlayerList, WithoutAFocusTheFirstPlayerIsFocused) {
  open("profiles");
  menu.focus = -1;
  frame();
  EXPECT_EQ(menu.focus, 0);
  EXPECT_TRUE(visible("ANNA")->selected);
}

class SavedGameQuestion : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    createProfile("ANNA");
    profile = currentProfileRecord();
    open("main");
  }
  Profile* profile = nullptr;
};

TEST_F(SavedGameQuestion, TheCaptionAndProgressNameTheGameOnOffer) {
  keepSavedGame(2);
  profile->survivalExpert = 1;
  profile->survivalStartLevel = 12;
  profile->savedSurvivalScore = 4200;
  choose("Survival");
  ASSERT_STREQ(currentMenuScreen(), "loadgamequest");
  EXPECT_NE(visible("Yes"), nullptr);
  EXPECT_LT(visible("Yes")->x, visible("No")->x) << "the first answer on the left";
  endFrameTexts();
  frame();
  std::vector<std::string> texts;
  for (int32_t i = 0; i < currentFrameTextCount(); ++i) texts.push_back(currentFrameText(i));
  EXPECT_EQ(texts[0], getText("loadsurexp"));
  EXPECT_EQ(texts[2], "Level 13   Score 4200");

  choose("No");
  keepSavedGame(1);
  setStoredDifficulty(Difficulty::Zen);
  setCurrentLevel(7);
  setScore(900);
  open("main");
  choose("Zen");
  ASSERT_STREQ(currentMenuScreen(), "loadgamequest");
  endFrameTexts();
  frame();
  EXPECT_STREQ(currentFrameText(0), getText("zenmode"));
  EXPECT_STREQ(currentFrameText(2), "Zone 2-3   Score 900");
}

TEST_F(SavedGameQuestion, ADamagedProfileStillShowsItsNumbersAsTheyStand) {
  keepSavedGame(0);
  choose("Adventure");
  ASSERT_STREQ(currentMenuScreen(), "loadgamequest");
  profile->storedDifficulty = 9;
  profile->zone[Difficulty::Normal] = 2147483647;
  profile->stage[Difficulty::Normal] = -1;
  profile->score[Difficulty::Normal] = -20;
  endFrameTexts();
  frame();
  EXPECT_STREQ(currentFrameText(2), "Zone 2147483648-0   Score -20");
}

}  // namespace
