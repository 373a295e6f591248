// How the modules reach the ones above them: every hook table a lower module
// offers is pointed here at the module that answers, once, at start-up. The
// settings record's values are handed to and gathered from their owners here too,
// and the menu screens' own drawings are registered.
#include "app/app.h"
#include "app/scene.h"
#include "audio/audio.h"
#include "game/board.h"
#include "game/game.h"
#include "map/map.h"
#include "persistence/settings.h"
#include "render/render.h"
#include "ui/menu.h"
#include "ui/widgets.h"

namespace {

// The game's way back: the map scene at the end of the frame, with a title screen.
void returnToTitle(const char* screen) {
  requestScene(&mapScene);
  openScreenByName(screen);
}

void showGameScene() { requestScene(&gameScene); }
void showTitleScene() { requestScene(&mapScene); }
void quitProgram() { app.quitRequested = 1; }

// A stored record's values to their owners; a first start gives each its defaults
// (the ball speed keeps the value it starts with).
void applyStoredSettings(const SettingsBlob* stored) {
  if (!stored) {
    setSoundVolumes(kDefaultVolume, kDefaultVolume);
    display.fullScreen = 1;
    return;
  }
  setSoundVolumes(stored->musicVolume, stored->effectsVolume);
  display.fullScreen = stored->fullScreen != 0 ? 1 : 0;
  setBallSpeed(stored->ballSpeed);
}

void gatherSettings(SettingsBlob* blob) {
  blob->musicVolume = sound.musicVolume;
  blob->effectsVolume = sound.effectsVolume;
  blob->screenWidth = display.screenWidth;
  blob->screenHeight = display.screenHeight;
  blob->resolutionIndex = renderState.resolutionIndex;
  blob->colorDepth32 = display.colorDepth32;
  blob->fullScreen = display.fullScreen;
  blob->ballSpeed = moveSettings.ballSpeed;
}

}  // namespace

void connectModules() {
  gameHooks = {.boardSceneCurrent = boardGameSceneCurrent,
               .openInGameScreen = openInGameScreen,
               .savingHeld = menuHoldsSaving,
               .returnToTitle = returnToTitle};
  menuHooks = {.showGameScene = showGameScene,
               .showTitleScene = showTitleScene,
               .quitProgram = quitProgram};
  mapHooks = {.drawWindow = drawWindow, .setHighlightTextColor = setHighlightTextColor};
  registerMenuScreens();
  settingsHooks = {.apply = applyStoredSettings, .gather = gatherSettings};
}
