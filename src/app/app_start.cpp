// The start order's calls into the other modules, and the window messages that
// reach beyond the spine (activation, close) and the final saves.
#include <cstdio>

#include "app/app.h"
#include "app/app_local.h"
#include "app/scene.h"
#include "audio/audio.h"
#include "core/numeric.h"
#include "game/game.h"
#include "game/saved_game.h"
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

void prepareNumericServices() { initFastSqrt(); }

void readStartupSettings() { readSettings(); }

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

void onApplicationActivated() { resumeSound(); }

void onApplicationDeactivated() {
  gameWindowDeactivated();
  pauseSound();
}

void saveGameOnClose() { saveGame(); }

void saveSettingsAtShutdown() { saveAll(); }

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
