// options.cpp: the options' effects: the full-screen switch on "apply" and the
// reset of a screen's values on "default".
#include "ui/options.h"

#include <cstring>

#include "audio/audio.h"
#include "render/render.h"
#include "ui/menu.h"

OptionsState optionsState = {};

namespace {

constexpr int32_t kDefaultVolumeOnReset = 50;

}  // namespace

void enterOptionsScreen() { optionsState.fullScreenChoice = display.fullScreen ? 1 : 0; }

void applyOptions() {
  if (std::strcmp(currentMenuScreen(), "options") != 0) return;
  const int32_t choice = optionsState.fullScreenChoice ? 1 : 0;
  if (choice == display.fullScreen) return;
  display.fullScreen = choice;
  display.screenWidth = choice ? 800 : 640;
  display.screenHeight = choice ? 600 : 480;
  applyDisplaySettings();
}

void resetOptions(const char* screen) {
  if (std::strcmp(screen, "audio") == 0) {
    setSoundVolumes(kDefaultVolumeOnReset, kDefaultVolumeOnReset);
  } else if (std::strcmp(screen, "video") == 0) {
    display.colorDepth32 = 1;
    setGamma(0.5f);
    display.vsync = 0;
    if (renderState.resolutionCount > 1) {
      renderState.resolutionIndex = 1;
      display.screenWidth = int32_t(renderState.resolutionTable[1].width);
      display.screenHeight = int32_t(renderState.resolutionTable[1].height);
    }
    applyDisplaySettings();
  }
}
