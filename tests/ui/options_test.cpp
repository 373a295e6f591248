// The options screen as a player works it: the volume sliders at their ends and
// the click they play, the ball speed's reversed slider, the full-screen choice
// that waits for "apply", leaving by Escape (also from the game's menu) saving
// everything, and the cursor: the window's for the board's mode, or the game's own
// drawn at the pointer.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "audio/audio.h"
#include "game/board.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "input/input.h"
#include "persistence/profile.h"
#include "persistence/settings.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/texture.h"
#include "resources/resources.h"
#include "ui/options.h"
#include "ui/widgets.h"
#include "test_support.h"
#include "ui_fixture.h"

namespace {

constexpr float kEffectsSliderY = 149.0f;
constexpr float kMusicSliderY = 91.0f;
constexpr float kSpeedSliderY = -75.0f;
constexpr float kFullScreenBoxY = 44.0f;
constexpr float kCursorBoxY = -3.0f;
constexpr float kLanguageChoiceY = -137.0f;
constexpr float kLanguageArrowX = 135.0f;

class Options : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    createProfile("ANNA");
    display.fullScreen = 0;
    display.screenWidth = 640;
    display.screenHeight = 480;
    renderState.displayChangePending = 0;
    setSoundVolumes(90, 90);
    setBallSpeed(kDefaultBallSpeed);
    settings.customCursor = 0;
    takeStartedSounds();
    std::remove(sysRegistryPath(kSettingsKey, kSettingsValueName).c_str());
    open("main");
    choose("Options");
    EXPECT_STREQ(currentMenuScreen(), "options");
  }

  // Holds the button down at x on a slider's line for a frame, then lets go.
  void dragTo(float x, float y) {
    pointAt(x, y);
    menuClick();
    frame();
    frame();
    menuButtonUp();
    frame();
  }

  // How many times "chpok1.ogg" started since the last call.
  static int clicksHeard() {
    updateSound(16.0f);
    const std::vector<std::string> started = takeStartedSounds();
    return int(std::count(started.begin(), started.end(), std::string("chpok1.ogg")));
  }

  // The stored settings record, as the next start will read it.
  static SettingsBlob storedSettings() {
    std::vector<uint8_t> bytes;
    if (!sysRegistryRead(kSettingsKey, kSettingsValueName, kSettingsBlobSize, &bytes) ||
        bytes.size() != kSettingsBlobSize) {
      return {};
    }
    return decodeSettingsBlob(bytes.data());
  }
};

TEST_F(Options, VolumeSlidersStopAtTheirEndsAndOnlyTheEffectsOnePlaysItsClickPerChange) {
  dragTo(-90.0f, kEffectsSliderY);
  EXPECT_EQ(sound.effectsVolume, 0) << "left of the track is the lowest position";
  EXPECT_EQ(clicksHeard(), 1);
  clickAt(-120.0f, kEffectsSliderY);  // the left arrow: already at the end
  clickAt(-120.0f, kEffectsSliderY);
  EXPECT_EQ(sound.effectsVolume, 0);
  EXPECT_EQ(clicksHeard(), 0) << "no change, no click";

  dragTo(95.0f, kEffectsSliderY);
  EXPECT_EQ(sound.effectsVolume, kMaxVolume);
  clickAt(120.0f, kEffectsSliderY);  // the right arrow
  EXPECT_EQ(sound.effectsVolume, kMaxVolume);
  clickAt(-120.0f, kEffectsSliderY);
  EXPECT_EQ(sound.effectsVolume, kMaxVolume - 1) << "one step per click on an arrow";
  EXPECT_EQ(clicksHeard(), 1) << "the click is heard once for the whole drag and the step";

  dragTo(-90.0f, kMusicSliderY);
  EXPECT_EQ(sound.musicVolume, 0);
  dragTo(95.0f, kMusicSliderY);
  EXPECT_EQ(sound.musicVolume, kMaxVolume);
  EXPECT_EQ(clicksHeard(), 0) << "the music slider is silent";
}

// From the buttons at the bottom the keys go round to the top, where Left moves the
// effects slider a twentieth of its length; a pointer resting over a box meanwhile
// takes the focus from the keys nowhere.
TEST_F(Options, TheKeysGoRoundToASliderAndMoveIt) {
  input.lastDevice = InputDevice::Keyboard;
  pointAt(-100.0f, kFullScreenBoxY);
  press(VK_DOWN);
  press(VK_DOWN);
  press(VK_LEFT);
  EXPECT_EQ(sound.effectsVolume, 85);
  EXPECT_EQ(clicksHeard(), 1);
}

TEST_F(Options, TheSpeedSliderRunsFromTheSlowestOnTheLeftToTheFastestOnTheRight) {
  const VisibleItem* speed = nullptr;
  for (int32_t i = 0; i < menuFrame.visibleCount; ++i) {
    if (menuFrame.visible[i].kind == VisibleKind::Slider && menuFrame.visible[i].y == kSpeedSliderY) {
      speed = &menuFrame.visible[i];
    }
  }
  ASSERT_NE(speed, nullptr);
  EXPECT_STREQ(speed->text, "80") << "the starting speed 70 is position 80";
  dragTo(-90.0f, kSpeedSliderY);
  EXPECT_FLOAT_EQ(moveSettings.ballSpeed, kMaxBallSpeed);
  dragTo(95.0f, kSpeedSliderY);
  EXPECT_FLOAT_EQ(moveSettings.ballSpeed, kMinBallSpeed);
  clickAt(-120.0f, kSpeedSliderY);
  EXPECT_FLOAT_EQ(moveSettings.ballSpeed, kMinBallSpeed + 1.0f);
}

TEST_F(Options, ASpeedBetweenTwoPositionsIsKeptUntilTheSliderMoves) {
  press(VK_ESCAPE);
  setBallSpeed(70.4f);
  choose("Options");
  for (int i = 0; i < 10; ++i) frame();
  EXPECT_FLOAT_EQ(moveSettings.ballSpeed, 70.4f);
  EXPECT_EQ(speedToPosition(70.4f), 80);
  EXPECT_EQ(speedToPosition(std::nanf("")), 80) << "no number reads as the starting speed";
  EXPECT_EQ(speedToPosition(500.0f), 0);
  EXPECT_EQ(speedToPosition(-5.0f), kSpeedPositions - 1);
}

TEST_F(Options, ApplySwitchesTheDisplayOnlyWhenTheBoxDiffersFromIt) {
  choose("Apply");
  EXPECT_EQ(display.fullScreen, 0);
  EXPECT_EQ(display.screenWidth, 640);
  EXPECT_EQ(renderState.displayChangePending, 0) << "the device is not reset";
  EXPECT_STREQ(currentMenuScreen(), "main") << "apply goes back";

  choose("Options");
  clickAt(-100.0f, kFullScreenBoxY);
  EXPECT_EQ(optionsState.fullScreenChoice, 1);
  EXPECT_EQ(display.fullScreen, 0) << "nothing happens before apply";
  choose("Apply");
  EXPECT_EQ(display.fullScreen, 1);
  EXPECT_EQ(display.screenWidth, 800);
  EXPECT_EQ(display.screenHeight, 600);
  EXPECT_EQ(renderState.displayChangePending, 1);
  EXPECT_EQ(storedSettings().fullScreen, 1) << "going back saved it";

  choose("Options");
  EXPECT_EQ(optionsState.fullScreenChoice, 1) << "the box shows the display as it is";
  clickAt(-100.0f, kFullScreenBoxY);
  choose("Apply");
  EXPECT_EQ(display.fullScreen, 0);
  EXPECT_EQ(display.screenWidth, 640);
  EXPECT_EQ(display.screenHeight, 480);
}

TEST_F(Options, EscapeKeepsEveryChangeButAnUnappliedFullScreenChoiceAndSavesThem) {
  dragTo(-90.0f, kMusicSliderY);
  clickAt(-100.0f, kFullScreenBoxY);
  clickAt(-100.0f, kCursorBoxY);
  press(VK_ESCAPE);
  EXPECT_STREQ(currentMenuScreen(), "main");
  EXPECT_EQ(display.fullScreen, 0);
  EXPECT_EQ(renderState.displayChangePending, 0);
  const SettingsBlob stored = storedSettings();
  EXPECT_EQ(stored.musicVolume, 0);
  EXPECT_EQ(stored.customCursor, 1);
  EXPECT_EQ(stored.fullScreen, 0);
}

TEST_F(Options, LeavingTheOptionsOpenedFromTheGameMenuSavesThemToo) {
  press(VK_ESCAPE);
  openInGameScreen("gameplay");
  settle();
  ASSERT_TRUE(gameView.menuOpen);
  choose("Options");
  ASSERT_STREQ(currentMenuScreen(), "options");
  dragTo(-90.0f, kEffectsSliderY);
  press(VK_ESCAPE);
  EXPECT_FALSE(gameView.menuOpen) << "back over the board";
  EXPECT_EQ(storedSettings().effectsVolume, 0);
}

TEST_F(Options, TheSlidersShowTheValuesWhileSlidingInAndTheVolumesReachTheOutputAtOnce) {
  press(VK_ESCAPE);
  setSoundVolumes(10, 20);
  openScreenByName("options");
  frame();
  sound.musicVolume = 33;  // changed elsewhere while the screen slides in
  frame();
  EXPECT_EQ(optionsState.musicPosition, 33);
  settle();
  dragTo(30.0f, kMusicSliderY);
  EXPECT_EQ(sound.musicVolume, 68) << "(30 + 80) / 160 of 100 positions";
  EXPECT_EQ(sound.effectsVolume, 20);
}

class Cursor : public Options {
 protected:
  void TearDown() override {
    settings.customCursor = 0;
    gameView.cursorMode = CursorMode::Arrow;
    Options::TearDown();
  }

  struct Box {
    float left, top, right, bottom;
  };
  // The rectangle the draws with `picture` covered in the frame just drawn.
  static Box drawnWith(const TextureEntry* picture) {
    Box r = {1e9f, -1e9f, -1e9f, 1e9f};
    for (const DevRecordedDraw& d : devRecording().draws) {
      if (d.kind != DevRecordKind::Primitives || !picture || d.state.texture != picture->texture) {
        continue;
      }
      for (int32_t v = 0; v < d.vertexCount; ++v) {
        const DevVertex& p = devRecording().vertices[size_t(d.firstVertex + v)];
        r.left = std::min(r.left, p.x);
        r.right = std::max(r.right, p.x);
        r.top = std::max(r.top, p.y);
        r.bottom = std::min(r.bottom, p.y);
      }
    }
    return r;
  }
};

TEST_F(Cursor, TheCheckBoxHidesTheWindowsCursorAndGivesItBack) {
  clickAt(-100.0f, kCursorBoxY);
  EXPECT_EQ(settings.customCursor, 1);
  EXPECT_EQ(sysRequestedCursor(), SysCursor::Invisible);
  clickAt(-100.0f, kCursorBoxY);
  EXPECT_EQ(settings.customCursor, 0);
  EXPECT_EQ(sysRequestedCursor(), SysCursor::Arrow);
}

TEST_F(Cursor, TheModeChoosesTheWindowsCursorUnlessTheGameDrawsItsOwn) {
  setCursorMode(CursorMode::Hammer);
  EXPECT_EQ(gameView.cursorMode, CursorMode::Hammer);
  EXPECT_EQ(sysRequestedCursor(), SysCursor::Hammer);
  setCursorMode(CursorMode::Help);
  EXPECT_EQ(sysRequestedCursor(), SysCursor::Help);
  settings.customCursor = 1;
  setSystemCursor(true);
  setCursorMode(CursorMode::Hammer);
  EXPECT_EQ(gameView.cursorMode, CursorMode::Hammer);
  EXPECT_EQ(sysRequestedCursor(), SysCursor::Invisible) << "the drawn cursor stays alone";
  setSystemCursor(false);
  EXPECT_EQ(sysRequestedCursor(), SysCursor::Hammer) << "off again: the mode's own cursor";
}

TEST_F(Cursor, TheHammerIsDrawnBesideThePointerOnlyWhileTheSettingIsOnAndThePointerOnScreen) {
  gameView.cursorMode = CursorMode::Hammer;
  pointAt(100.0f, 50.0f);
  devResetFrame();
  drawCustomCursor();
  EXPECT_TRUE(devRecording().draws.empty()) << "the setting is off";

  settings.customCursor = 1;
  devResetFrame();
  drawCustomCursor();
  const Box hammer = drawnWith(cursorState.hammer);
  EXPECT_NEAR((hammer.left + hammer.right) * 0.5f, 128.0f, 1.0f);
  EXPECT_NEAR((hammer.top + hammer.bottom) * 0.5f, 36.0f, 1.0f);
  EXPECT_NEAR(hammer.right - hammer.left, 64.0f, 0.5f);

  setPointer(-5, 200);  // left of the window's client area
  devResetFrame();
  drawCustomCursor();
  EXPECT_TRUE(devRecording().draws.empty());
}

TEST_F(Cursor, TheHelpCursorIsTheArrowWithAQuestionMarkAndTheArrowsTipIsThePointer) {
  settings.customCursor = 1;
  gameView.cursorMode = CursorMode::Help;
  pointAt(-200.0f, -100.0f);
  devResetFrame();
  drawCustomCursor();
  const Box arrow = drawnWith(menuTextures.atlas);
  EXPECT_NEAR(arrow.left, -200.0f, 3.0f) << "the picture starts at the pointer";
  EXPECT_NEAR(arrow.top, -100.0f, 3.0f);
  const Box question = drawnWith(cursorState.question);
  EXPECT_NEAR((question.left + question.right) * 0.5f, -167.0f, 1.0f);
  EXPECT_NEAR((question.top + question.bottom) * 0.5f, -124.0f, 1.0f);
  EXPECT_NEAR(question.right - question.left, 40.0f, 0.5f);
}

}  // namespace

TEST_F(Options, TheLanguageChoiceChangesEveryTextAtOnceAndIsKeptForTheNextStart) {
  ASSERT_GT(languageState.count, 2);
  const std::string kept = sysRegistryPath(kSettingsKey, kLanguageValueName);
  std::remove(kept.c_str());
  clickAt(kLanguageArrowX, kLanguageChoiceY);  // the right arrow: the next language
  EXPECT_STREQ(textLanguage(), "de");
  EXPECT_NE(visible("Vollbild"), nullptr);
  EXPECT_NE(visible("Zur\xfc" "ck"), nullptr) << "the game's texts are Latin-1";
  EXPECT_STREQ(textOf("language"), "Sprache");
  const std::vector<uint8_t> file = testReadFile(kept);
  EXPECT_EQ(std::string(file.begin(), file.end()), "de\n");
  clickAt(-kLanguageArrowX, kLanguageChoiceY);
  clickAt(-kLanguageArrowX, kLanguageChoiceY);  // from English round to the last
  EXPECT_STREQ(textLanguage(), languageState.languages[languageState.count - 1].code);
  clickAt(kLanguageArrowX, kLanguageChoiceY);
  EXPECT_STREQ(textLanguage(), kEnglish);
  EXPECT_NE(visible("Full screen"), nullptr);
  EXPECT_NE(visible("Back"), nullptr);
}