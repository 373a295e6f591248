// The start order's steps that take more than one call into the other modules,
// the deactivation message, the projection that follows the window and shutdown.
#include <cstdio>

#include "app/app.h"
#include "app/app_local.h"
#include "app/scene.h"
#include "audio/audio.h"
#include "game/game.h"
#include "persistence/settings.h"
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

bool createGraphicsDevice() {
  return createDevice(app.options.graphics == AppGraphics::GL ? DevBackend::OpenGL
                                                              : DevBackend::Recording);
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

void updateProjection() {
  int32_t width = 0, height = 0;
  sysGetClientSize(&width, &height);
  setCameraProjection(width, height);
}

void shutdownApplication() {
  shutdownSound();
  releaseAllMeshes();
  releaseAllTextures();
  releaseDevice();
  sysDestroyWindow();
}
