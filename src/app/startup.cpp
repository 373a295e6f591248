// The start-up sequence: everything the game needs, loaded in one fixed order
// while the loading bar advances, then the loading scene becomes current; and the
// language its texts are shown in.
#include <cstdio>
#include <string>
#include <vector>

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

const char* startLanguage(const char* asked) {
  if (asked) {
    if (const char* code = matchLanguage(&asked, 1)) return code;
    std::string offered;
    for (int32_t i = 0; i < languageState.count; ++i) {
      offered += std::string(i ? ", " : "") + languageState.languages[i].code;
    }
    std::fprintf(stderr, "%s: no texts in the language \"%s\" (there are: %s)\n", kProgramName,
                 asked, offered.c_str());
  }
  char kept[kMaxLanguageCode];
  readLanguageChoice(kept, sizeof kept);
  const int32_t chosen = findLanguage(kept);
  if (chosen >= 0) return languageState.languages[chosen].code;
  std::vector<const char*> wanted;
  const std::vector<std::string> locales = sysPreferredLocales();
  for (const std::string& locale : locales) wanted.push_back(locale.c_str());
  const char* found = matchLanguage(wanted.data(), int32_t(wanted.size()));
  return found ? found : kEnglish;
}

bool runStartup() {
  const uint32_t seed = app.options.hasSeed ? app.options.seed : sysMilliseconds();
  seedRandom(seed);
  seedEffectRandom(seed);
  setLoadProgressHook(reportLoadProgress);
  openPack("targa.dat");
  openPack("jpeg.dat");
  openPack("texts.dat");
  loadLanguageList();
  loadTexts(startLanguage(app.options.language));
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
