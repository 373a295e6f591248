// The start-up sequence: everything the game needs, loaded in one fixed order
// while the loading bar advances, then the loading scene becomes current.
#include "app/app.h"
#include "app/app_local.h"
#include "app/scene.h"
#include "audio/audio.h"
#include "core/numeric.h"
#include "effects/effects.h"
#include "game/game_scene.h"
#include "game/level.h"
#include "map/map.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "render/text.h"
#include "resources/resources.h"
#include "scenery/scenery.h"
#include "ui/menu.h"

bool runStartup() {
  const uint32_t seed = app.options.hasSeed ? app.options.seed : sysMilliseconds();
  seedRandom(seed);
  seedEffectRandom(seed);
  setLoadProgressHook(reportLoadProgress);
  openPack("targa.dat");
  openPack("jpeg.dat");
  openPack("texts.dat");
  loadTextFile("strings.txt");
  loadTextFile("tips.txt");
  loadPlayerFiles();
  loadMenuTree();
  // The menu pictures and the font.
  loadMenuTextures();
  loadFont("font");
  // The board game's resources: its pictures, sound and music, the levels.
  loadGameTextures();
  initSound();
  loadSounds();
  preloadLevels();
  // The scenery catalogue and lists: a missing list stops the start-up here.
  loadScenery();
  // The map's pictures and road; it shows the scenery outside levels afterwards.
  loadMap();
  loadLoadingScreen();
  clearParticles();
  loadEffects();
  initBoardEffects();
  // Files read later (a level's background, a saved game) arrive in the middle of a
  // frame: they must not draw a loading frame there.
  setLoadProgressHook(nullptr);
  setCurrentSceneDirectly(&loadingScene);
  return true;
}
