// The start order's calls into the other modules, and the window messages that
// reach beyond the spine (activation, close) and the final saves.
#include "app/app.h"
#include "app/app_local.h"
#include "app/numeric.h"
#include "platform/platform.h"

void prepareNumericServices() { initFastSqrt(); }

void readStartupSettings() {}

bool createGraphicsDevice() { return true; }

void showFirstLoadingFrame() {}

void applyCursorSetting() {}

void onApplicationActivated() {}

void onApplicationDeactivated() {}

void saveGameOnClose() {}

void saveSettingsAtShutdown() {}

void updateProjection() {}

void shutdownApplication() { sysDestroyWindow(); }
