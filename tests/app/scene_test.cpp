// The scene switch, the frame's order of work, the frame clock and the window
// messages, driven without a window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "app/scene.h"
#include "core/math.h"
#include "effects/effect_state.h"
#include "effects/effects.h"
#include "input/input.h"
#include "persistence/profile.h"
#include "platform/platform.h"
#include "test_support.h"
#include "ui/menu.h"

namespace {

std::vector<std::string> g_calls;

class RecordingScene : public Scene {
 public:
  explicit RecordingScene(const char* tag) : tag_(tag) {}
  void onEnter() override { g_calls.push_back(tag_ + ".enter"); }
  void onLeave() override { g_calls.push_back(tag_ + ".leave"); }
  void onFrame() override { g_calls.push_back(tag_ + ".frame"); }
  void afterFrame() override { g_calls.push_back(tag_ + ".after"); }
  void onKeyDown(int32_t key) override { g_calls.push_back(tag_ + ".key" + std::to_string(key)); }
  void onLeftDown() override { g_calls.push_back(tag_ + ".left"); }
  const char* name() const override { return tag_.c_str(); }

 private:
  std::string tag_;
};

class SceneSwitchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    resetApp();
    sysUseManualClock(1000);
    app.lastFrameUs = 1000000;
    setCurrentSceneDirectly(&a_);
  }
  RecordingScene a_{"a"}, b_{"b"}, c_{"c"};
};

TEST_F(SceneSwitchTest, OnlyTheLastRequestOfAFrameIsEntered) {
  requestScene(&b_);
  requestScene(&c_);
  EXPECT_EQ(currentScene(), &a_);  // nothing happens before the frame ends
  applyPendingScene();
  EXPECT_EQ(currentScene(), &c_);
  EXPECT_EQ(g_calls, (std::vector<std::string>{"a.leave", "c.enter"}));
}

TEST_F(SceneSwitchTest, RequestingTheCurrentSceneLeavesAndEntersIt) {
  requestScene(&a_);
  applyPendingScene();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"a.leave", "a.enter"}));
  g_calls.clear();
  applyPendingScene();  // no request: nothing more
  EXPECT_TRUE(g_calls.empty());
}

TEST_F(SceneSwitchTest, AFrameUpdatesThenSwitchesAtItsEnd) {
  requestScene(&b_);
  sysAdvanceClock(16);
  runFrame();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"a.frame", "a.after", "a.leave", "b.enter"}));
  EXPECT_EQ(app.frameCount, 1u);
  EXPECT_FLOAT_EQ(app.frameDelta, 16.0f);
  EXPECT_FLOAT_EQ(app.totalTime, 16.0f);  // advanced once, after the switch
}

TEST_F(SceneSwitchTest, InactiveWindowRunsNoFrameAndSleeps) {
  app.appActive = 0;
  runFrame();
  EXPECT_TRUE(g_calls.empty());
  EXPECT_EQ(sysMilliseconds(), 1200u);
  EXPECT_EQ(app.frameCount, 0u);
}

TEST_F(SceneSwitchTest, ReactivationRestartsTheFrameClock) {
  appWindowProc({SysEventType::Deactivate, 0, 0, 0});
  EXPECT_EQ(app.appActive, 0);
  sysAdvanceClock(60000);  // a minute away
  appWindowProc({SysEventType::Activate, 0, 0, 0});
  EXPECT_EQ(app.appActive, 1);
  sysAdvanceClock(16);
  runFrame();
  EXPECT_EQ(app.frameDeltaMs, 16u);
}

TEST_F(SceneSwitchTest, WindowMessagesReachTheCurrentSceneWithTheCursor) {
  appWindowProc({SysEventType::MouseMove, 0, 123, 45});
  appWindowProc({SysEventType::KeyDown, 65, 0, 0});
  appWindowProc({SysEventType::KeyUp, 65, 0, 0});
  appWindowProc({SysEventType::LeftDown, 0, 123, 45});
  EXPECT_EQ(input.mouseX, 123);
  EXPECT_EQ(input.mouseY, 45);
  EXPECT_EQ(g_calls, (std::vector<std::string>{"a.key65", "a.left"}));
  appWindowProc({SysEventType::Close, 0, 0, 0});
  EXPECT_EQ(app.quitRequested, 1);
}

TEST_F(SceneSwitchTest, MessagesBeforeStartUpAreIgnored) {
  setCurrentSceneDirectly(nullptr);
  appWindowProc({SysEventType::KeyDown, 65, 0, 0});
  appWindowProc({SysEventType::Activate, 0, 0, 0});
  EXPECT_TRUE(g_calls.empty());
}

TEST_F(SceneSwitchTest, FpsTextChangesAfterEachWindowOf300Ms) {
  for (int i = 0; i < 18; ++i) {
    sysAdvanceClock(16);
    updateFrameTiming();
  }
  EXPECT_STREQ(app.fpsText, "");  // 288 ms: not yet
  sysAdvanceClock(16);
  updateFrameTiming();
  EXPECT_STREQ(app.fpsText, "62.5 FPS");  // 19 frames in 304 ms
  EXPECT_EQ(app.fpsWindowUs, 4000u);      // the rest carries into the next window
  EXPECT_EQ(app.fpsFrames, 0u);
}

TEST_F(SceneSwitchTest, DeltaKeepsMicrosecondsAndIsNotClampedAfterAStall) {
  sysSleepMicroseconds(16667);  // one refresh at 60 Hz, not 16 or 17 ms
  EXPECT_EQ(updateFrameTiming(), 16u);
  EXPECT_NEAR(app.frameDelta, 16.667f, 0.0005f);
  sysAdvanceClock(5000);
  EXPECT_EQ(updateFrameTiming(), 5000u);
  EXPECT_FLOAT_EQ(app.frameDelta, 5000.0f);
}

// Frames that come faster than the display wait out its period, measured from the
// period's boundary so that oversleeping is not carried on; frames that took the
// period (a present that waited) or longer go on at once.
TEST(FramePacing, OnlyFramesFasterThanTheDisplayWait) {
  EXPECT_EQ(framePeriodUs(-1, 0), 16667u);  // a display that does not say: 60 Hz
  EXPECT_EQ(framePeriodUs(-1, 144), 6944u);
  EXPECT_EQ(framePeriodUs(30, 144), 33333u);
  EXPECT_EQ(framePeriodUs(0, 60), 0u);
  FramePacer pacer = {16667, 0};
  EXPECT_EQ(framePacingWaitUs(&pacer, 100000), 0u);
  EXPECT_EQ(framePacingWaitUs(&pacer, 102000), 14667u);
  EXPECT_EQ(framePacingWaitUs(&pacer, 116667 + 500 + 2000), 14167u);  // 500 us overslept
  EXPECT_EQ(framePacingWaitUs(&pacer, 133334 + 16667 - 300), 0u);     // waited for the display
  EXPECT_EQ(framePacingWaitUs(&pacer, 200000), 0u);                   // late
  EXPECT_EQ(framePacingWaitUs(&pacer, 201000), 15667u);
  FramePacer unlimited = {0, 0};
  EXPECT_EQ(framePacingWaitUs(&unlimited, 100), 0u);
  EXPECT_EQ(framePacingWaitUs(&unlimited, 101), 0u);
}

// The loading scene: a click is Enter; a key starts the fade once; the map scene
// follows when the fade passes 800 ms, exactly once.
class LoadingSceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetApp();
    setCurrentSceneDirectly(&loadingScene);
    sysUseManualClock(0);
  }
};

TEST_F(LoadingSceneTest, ClickStartsTheFadeAndTheMapFollowsAfter800Ms) {
  loadingScene.onLeftDown();
  EXPECT_EQ(loadingScene.pendingKey, 13);
  loadingScene.afterFrame();
  EXPECT_FLOAT_EQ(loadingState.fadeTime, 1.0f);
  loadingScene.onKeyDown('A');  // keys during the fade do not restart it
  int frames = 0;
  while (currentScene() == &loadingScene && frames < 200) {
    sysAdvanceClock(100);
    runFrame();
    ++frames;
  }
  EXPECT_EQ(currentScene(), &mapScene);
  // A frame advances by the previous frame's delta (the first by 0), so 1 + 8 x 100
  // passes 800 on the ninth frame.
  EXPECT_EQ(frames, 9);
  EXPECT_FLOAT_EQ(loadingState.fadeTime, 800.0f);
  EXPECT_EQ(loadingState.loadingTint, makeColor(0, 0, 0, 255));
  EXPECT_EQ(loadingState.startupDone, 1);
}

// A key on the title leads a first-time player to the name entry, anyone else to
// the title screen.
TEST_F(LoadingSceneTest, TheMapOpensWithANewPlayerOrTheTitleScreen) {
  ASSERT_TRUE(testLoadMenus());
  for (const bool hasPlayer : {false, true}) {
    resetApp();
    resetMenus();
    resetPersistence();
    if (hasPlayer) createProfile("ANNA");
    setCurrentSceneDirectly(&loadingScene);
    loadingScene.onKeyDown('A');
    for (int frames = 0; currentScene() == &loadingScene && frames < 50; ++frames) {
      sysAdvanceClock(100);
      runFrame();
    }
    EXPECT_STREQ(currentMenuScreen(), hasPlayer ? "main" : "newprofile");
  }
  resetPersistence();
}

TEST_F(LoadingSceneTest, TitleWaitsForAKey) {
  for (int i = 0; i < 100; ++i) {
    sysAdvanceClock(100);
    runFrame();
  }
  EXPECT_EQ(currentScene(), &loadingScene);
  EXPECT_FLOAT_EQ(loadingState.titleTime, 9900.0f);
  EXPECT_EQ(loadingState.loadingTint, makeColor(255, 255, 255, 255));
}

}  // namespace

// Particles of one scene never show in the next: the map scene clears them as it
// is entered and as it is left.
TEST(MapScene, EnteringAndLeavingClearTheParticles) {
  resetEffects();
  particleSystem.particles[0].lifetime = 1000.0f;
  mapScene.onEnter();
  EXPECT_EQ(countLiveEffects().particles, 0);
  particleSystem.particles[5].lifetime = 1000.0f;
  mapScene.onLeave();
  EXPECT_EQ(countLiveEffects().particles, 0);
  resetEffects();
}
