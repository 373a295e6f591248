// The loading frames of start-up: paced to one per 16 ms however many files arrive,
// each showing the bar as it stood, and none for a report that leaves it unchanged;
// the title's pictures go once it has handed over.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/app.h"
#include "app/scene.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/texture.h"

namespace {

constexpr uint64_t kStartUs = 5000000;

class LoadingFrames : public ::testing::Test {
 protected:
  void SetUp() override {
    resetApp();
    resetRender();
    display.screenWidth = 640;
    display.screenHeight = 480;
    sysCreateHeadlessWindow(640, 480);
    ASSERT_TRUE(createDevice(DevBackend::Recording));
    showLoadingFrame(kStartUs);
  }
  void TearDown() override {
    releaseAllTextures();
    releaseDevice();
    resetRender();
    resetApp();
  }
  // The right edge of the bar in the last frame shown (the frame's last draw).
  static float shownBarRight() {
    const DevRecording& frame = devLastRecording();
    const DevRecordedDraw& bar = frame.draws.back();
    float right = -1000.0f;
    for (int32_t i = 0; i < bar.vertexCount; ++i) {
      right = std::max(right, frame.vertices[size_t(bar.firstVertex + i)].x);
    }
    return right;
  }
  static float barRightFor(uint32_t bytes) {
    return -149.0f + 310.0f * float(bytes) / float(expectedLoadBytes);
  }
};

TEST_F(LoadingFrames, ABurstOfFilesShowsOneFrameWithTheBarAsItStood) {
  reportLoadProgressAt(0, kStartUs + 1000);  // a pack's own entry
  reportLoadProgressAt(300000, kStartUs + 2000);
  reportLoadProgressAt(200000, kStartUs + 9000);
  EXPECT_EQ(loadingState.progressFrames, 0u) << "too soon after the first frame";
  reportLoadProgressAt(100000, kStartUs + 16000);
  EXPECT_EQ(loadingState.progressFrames, 1u);
  EXPECT_NEAR(shownBarRight(), barRightFor(500000), 0.01f) << "before the last report's bytes";
  reportLoadProgressAt(100000, kStartUs + 20000);
  EXPECT_EQ(loadingState.progressFrames, 1u);
  EXPECT_EQ(loadingState.progressSteps, 5u);
  EXPECT_EQ(loadingState.loadedBytes, 700000u);
}

TEST_F(LoadingFrames, ReportsFarApartEachShowAFrameUnlessTheBarStandsStill) {
  uint64_t now = kStartUs;
  for (uint32_t i = 1; i <= 4; ++i) {
    now += kLoadingFrameIntervalUs;
    reportLoadProgressAt(50000, now);
  }
  // The first report found the bar as the first frame showed it.
  EXPECT_EQ(loadingState.progressFrames, 3u);
  EXPECT_NEAR(shownBarRight(), barRightFor(150000), 0.01f);
  now += 100000;
  reportLoadProgressAt(0, now);  // shows the last file's bytes
  reportLoadProgressAt(0, now + 100000);
  reportLoadProgressAt(0, now + 200000);
  EXPECT_EQ(loadingState.progressFrames, 4u) << "an unchanged bar is not drawn again";
  EXPECT_NEAR(shownBarRight(), barRightFor(200000), 0.01f);
}

// A clock set back (the wall clock may jump) shows a frame rather than none for ever.
TEST_F(LoadingFrames, AClockSetBackStillShowsProgress) {
  reportLoadProgressAt(1000, kStartUs - 5000000);
  reportLoadProgressAt(1000, kStartUs - 4000000);
  EXPECT_EQ(loadingState.progressFrames, 1u);
}

// The loading scene is never entered again: leaving it frees the 1024 x 1024 picture.
TEST_F(LoadingFrames, TheTitlesPicturesGoWhenItHandsOver) {
  loadingState.loadScreenTexture = createEmptyTexture("loadscreen.jpg", 1024, 1024,
                                                      PixelFormat::A8R8G8B8);
  loadingState.loadBarTexture = createEmptyTexture("loadbar.jpg", 512, 64, PixelFormat::A8R8G8B8);
  TextureEntry* other = createEmptyTexture("other.tga", 4, 4, PixelFormat::A8R8G8B8);
  setCurrentSceneDirectly(&loadingScene);
  requestScene(&mapScene);
  applyPendingScene();
  EXPECT_EQ(currentScene(), &mapScene);
  EXPECT_EQ(findTexture("loadscreen.jpg"), nullptr);
  EXPECT_EQ(findTexture("loadbar.jpg"), nullptr);
  EXPECT_EQ(loadingState.loadScreenTexture, nullptr);
  EXPECT_EQ(findTexture("other.tga"), other);
}

}  // namespace
