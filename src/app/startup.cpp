// The start-up sequence: everything the game needs, loaded in one fixed order
// while the loading bar advances, then the loading scene becomes current.
#include "app/app.h"
#include "app/app_local.h"
#include "app/scene.h"
#include "audio/audio.h"
#include "core/numeric.h"
#include "game/level.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "render/text.h"
#include "resources/resources.h"

bool runStartup() {
  seedRandom(app.options.hasSeed ? app.options.seed : sysMilliseconds());
  setLoadProgressHook(reportLoadProgress);
  openPack("targa.dat");
  openPack("jpeg.dat");
  openPack("texts.dat");
  loadTextFile("strings.txt");
  loadTextFile("tips.txt");
  loadPlayerFiles();
  // The menu pictures and the font.
  LoadFont("font");
  // The board game's resources: sound and music, the levels.
  initSound();
  loadSounds();
  preloadLevels();
  loadLoadingScreen();
  // Files read later (a level's background, a saved game) arrive in the middle of a
  // frame: they must not draw a loading frame there.
  setLoadProgressHook(nullptr);
  setCurrentSceneDirectly(&loadingScene);
  return true;
}
