// The start order's steps that take more than one call into the other modules,
// the deactivation message, the projection that follows the window and shutdown.
#include <cstdio>

#include "app/app.h"
#include "app/app_local.h"
#include "app/scene.h"
#include "audio/audio.h"
#include "game/game.h"
#include "persistence/settings.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "render/mesh.h"
#include "render/render.h"
#include "render/texture.h"
#include "ui/options.h"

void tellAlreadyRunning() {
  std::fprintf(stderr, "%s: another copy of the game is already running; this one ends\n",
               kProgramName);
  sysShowBoxIfPossible("The game is already running. Switch to its window to play.",
                       kWindowTitle);
}

// On a driver that fills pixels on the CPU, a scene shown larger than this is drawn
// at this size and scaled once: a busy frame at 1920 x 1080 takes half the time
// (docs/window.md has the figures).
constexpr int32_t kSoftwareSceneWidth = 800, kSoftwareSceneHeight = 600;

bool createGraphicsDevice() {
  return createDevice(app.options.graphics == AppGraphics::GL ? DevBackend::OpenGL
                                                              : DevBackend::Recording);
}

// The title fills each pixel about once, so it is drawn at full size: scaling it
// would only add a pass. The scenes after it are capped.
void capSceneOnSoftwareRenderer() {
  if (!app.options.fullSizeScene && devSoftwareRenderer()) {
    devSetSceneLimit(kSoftwareSceneWidth, kSoftwareSceneHeight);
  }
}

void showFirstLoadingFrame() {
  loadLoadingScreen();
  showLoadingFrame(sysWallMicroseconds());
  app.firstLoadingFrameUs = sysWallMicroseconds();
}

// With the custom cursor on, the system cursor is the invisible one: the scenes
// draw the game's own.
void applyCursorSetting() {
  if (settings.customCursor) setSystemCursor(true);
}

void onApplicationDeactivated() {
  gameWindowDeactivated();
  pauseSound();
}

void shutdownApplication() {
  shutdownSound();
  releaseAllMeshes();
  releaseAllTextures();
  releaseDevice();
  rememberWindow();
  sysDestroyWindow();
}
