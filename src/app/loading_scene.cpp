// The loading scene: the progress frames of start-up, then the title until a key
// or click fades it to black and hands over to the map scene.
#include <cmath>

#include "app/app.h"
#include "app/app_local.h"
#include "app/scene.h"
#include "audio/audio.h"
#include "core/math.h"
#include "persistence/profile.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/sprites.h"
#include "render/text.h"
#include "render/texture.h"
#include "resources/resources.h"
#include "ui/menu.h"

namespace {

constexpr LoadingState kStartingLoadingState = {
    0, 0, 0, 0, 0, 0, 0.0f, 0.0f, kWhite, nullptr, nullptr};

constexpr float kLoadBarWidth = 310.0f;
constexpr float kLoadBarHeight = 48.0f;

// The two green lights that swell and spin in over 1.5 s, then breathe slowly.
void drawTitleGlows(float fade) {
  const float t = loadingState.titleTime;
  const float grow = std::fmin(t / 1500.0f, 1.0f);
  const float wobble = std::sin(t * 0.001f) * 10.0f;
  const int32_t glow = uint8_t(int32_t((220.0f * grow - 3.0f * wobble) * (1.0f - fade)));
  const Color color = makeColor(glow / 2, glow, glow / 2, glow);
  const float size = 90.0f * grow + wobble;
  const float turn = 160.0f * grow + wobble;
  constexpr int32_t kGlowCell = 12;
  drawSparkSprite(12.0f - 26.0f, -78.0f, turn, size, color, 0, kGlowCell);
  drawSparkSprite(12.0f + 26.0f, -78.0f, turn, size, color, 0, kGlowCell);
}

void drawTitle(float fade) {
  clearTarget(kBlack);
  drawLoadingScreen();
  begin2D();
  setViewTransform(&renderState.cameraView);
  drawTitleGlows(fade);
  setBlendMode(kBlendTransparent);
  const float t = loadingState.titleTime;
  setTextColor(255, 255, int32_t(std::sin(t * 0.02f) * 55.0f + 200.0f),
               int32_t((1.0f - fade) * 255.0f));
  drawText(10.0f, -267.0f, 15.0f + 0.1f * std::sin(t * 0.01f), textOf("presskey"),
           true);
}

}  // namespace

LoadingState loadingState = kStartingLoadingState;

void resetLoadingScene() {
  loadingState = kStartingLoadingState;
  loadingScene.pendingKey = 0;
  mapScene.pendingKey = 0;
  gameScene.pendingKey = 0;
}

void loadLoadingScreen() {
  loadingState.loadingTint = kWhite;
  setCullMode(DevCull::None);
  loadingState.loadScreenTexture = loadSizedTexture("loadscreen.jpg", 800, 600);
  loadingState.loadBarTexture =
      loadSizedTexture("loadbar.jpg", uint32_t(kLoadBarWidth), uint32_t(kLoadBarHeight));
}

void drawLoadingScreen() {
  begin2D();
  setTextColor(255, 255, 255, 255);
  setTexture(loadingState.loadScreenTexture);
  drawOpaqueScreenRect(0.0f, 0.0f, 800.0f, 600.0f, 0.0f, 0.0f, 800.0f / 1024.0f,
                       600.0f / 1024.0f, loadingState.loadingTint);  // a JPEG, alpha 255
  // Once the title shows the bar is full, whatever was counted.
  const float progress = loadingState.startupDone
                             ? 1.0f
                             : float(loadingState.loadedBytes) / float(expectedLoadBytes);
  setTexture(loadingState.loadBarTexture);
  const float left = 6.0f - kLoadBarWidth / 2.0f;
  const Rect bar = {left, -243.0f, left + kLoadBarWidth * progress, -243.0f - kLoadBarHeight};
  const UvRect uv = {0.001f, 0.001f, progress * kLoadBarWidth / 512.0f, kLoadBarHeight / 64.0f};
  drawSpriteRect(bar, uv, loadingState.loadingTint, 10.0f);
}

void showLoadingFrame(uint64_t nowUs) {
  beginScene();
  drawLoadingScreen();
  endScene();
  presentFrame();
  loadingState.shownBytes = loadingState.loadedBytes;
  loadingState.lastFrameUs = nowUs;
}

// A frame shows the bar as it stood before this report's bytes. Reports that come
// too soon after the last frame only count, so a burst of small files costs one
// frame; a report that leaves the bar as shown (a pack's own entry) draws nothing.
void reportLoadProgressAt(uint32_t bytes, uint64_t nowUs) {
  const bool barMoved = loadingState.loadedBytes != loadingState.shownBytes;
  if (barMoved && nowUs - loadingState.lastFrameUs >= kLoadingFrameIntervalUs) {
    showLoadingFrame(nowUs);
    loadingState.progressFrames += 1;
  }
  loadingState.progressSteps += 1;
  loadingState.loadedBytes += bytes;
}

void reportLoadProgress(uint32_t bytes) { reportLoadProgressAt(bytes, sysWallMicroseconds()); }

void LoadingScene::onFrame() {
  if (!loadingState.startupDone) {
    playMusicNow(2);
    loadingState.startupDone = 1;
  }
  loadingState.titleTime += app.frameDelta;
  if (loadingState.fadeTime > 0.0f) {
    loadingState.fadeTime += app.frameDelta;
    if (loadingState.fadeTime > kTitleFadeMs) {
      loadingState.fadeTime = kTitleFadeMs;
      requestScene(&mapScene);
      requestMusic(2);
      openScreenByName(profileTable.profileCount > 0 ? "main" : "newprofile");
    }
  }
  const float fade = loadingState.fadeTime / kTitleFadeMs;
  const int32_t g = int32_t(255.0f - fade * 255.0f);
  loadingState.loadingTint = makeColor(g, g, g, 255);
  // Drawing needs the device (scene tests run the timing alone).
  if (devExists()) drawTitle(fade);
}

// The title is never shown again once it has handed over: its picture and bar go
// (the picture alone is a 4 MB texture).
void LoadingScene::onLeave() {
  capSceneOnSoftwareRenderer();
  releaseTexture(loadingState.loadScreenTexture);
  releaseTexture(loadingState.loadBarTexture);
  loadingState.loadScreenTexture = nullptr;
  loadingState.loadBarTexture = nullptr;
}

// A key or click starts the fade once; keys during the fade change nothing.
void LoadingScene::afterFrame() {
  if (pendingKey != 0 && loadingState.fadeTime == 0.0f) loadingState.fadeTime = 1.0f;
}

void LoadingScene::onKeyDown(int32_t key) { pendingKey = key; }

void LoadingScene::onLeftDown() { pendingKey = 13; }
