// The loading scene: the progress frames of start-up, then the title until a key
// or click fades it to black and hands over to the map scene.
#include "app/app.h"
#include "app/scene.h"
#include "scenery/math.h"

LoadingState loadingState = {0, 0, 0, 0.0f, 0.0f, kWhite};

void reportLoadProgress(uint32_t bytes) {
  loadingState.progressFrames += 1;
  loadingState.loadedBytes += bytes;
}

void LoadingScene::onFrame() {
  if (!loadingState.startupDone) loadingState.startupDone = 1;
  loadingState.titleTime += app.frameDelta;
  if (loadingState.fadeTime > 0.0f) {
    loadingState.fadeTime += app.frameDelta;
    if (loadingState.fadeTime > kTitleFadeMs) {
      loadingState.fadeTime = kTitleFadeMs;
      requestScene(&mapScene);
    }
  }
  const float fade = loadingState.fadeTime / kTitleFadeMs;
  const int32_t g = int32_t(255.0f - fade * 255.0f);
  loadingState.loadingTint = MakeColor(g, g, g, 255);
}

// A key or click starts the fade once; keys during the fade change nothing.
void LoadingScene::afterFrame() {
  if (pendingKey != 0 && loadingState.fadeTime == 0.0f) loadingState.fadeTime = 1.0f;
}

void LoadingScene::onKeyDown(int32_t key) { pendingKey = key; }

void LoadingScene::onLeftDown() { pendingKey = 13; }
