// The readers of the game's files as the game calls them, for the fuzzers and the
// regression tests: each entry reads any bytes through the game's own reader and
// then uses what it read as the game does (draws a font's text, plays a decoded
// sound, runs frames of a loaded level or saved game).
#include "targets.h"
#include "targets_local.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <filesystem>
#include <string>
#include <vector>

#include "../tests/render/mesh_file.h"
#include "app/app.h"
#include "app/scene.h"
#include "core/numeric.h"
#include "effects/effects.h"
#include "game/board.h"
#include "game/game.h"
#include "game/level.h"
#include "game/modes.h"
#include "game/save_image.h"
#include "persistence/profile.h"
#include "persistence/profile_file.h"
#include "persistence/records.h"
#include "persistence/saved_games.h"
#include "persistence/settings.h"
#include "platform/device.h"
#include "platform/picture.h"
#include "platform/platform.h"
#include "platform/sound_output.h"
#include "render/mesh.h"
#include "render/render.h"
#include "render/text.h"
#include "render/texture.h"
#include "resources/resources.h"
#include "scenery/game_object_registry.h"
#include "scenery/game_objects.h"
#include "scenery/scenery_file.h"
#include "ui/menu.h"
#include "ui/menu_file.h"

namespace {

// The private folder: process lifetime, made by prepareFuzzing.
std::string g_home;

// The ten default names the result tables draw from.
constexpr char kDefaultNames[] =
    "defname1=ALICE\r\ndefname2=BORIS\r\ndefname3=CLARA\r\ndefname4=DMITRI\r\n"
    "defname5=EVA\r\ndefname6=FELIX\r\ndefname7=GRETA\r\ndefname8=HUGO\r\n"
    "defname9=IRINA\r\ndefname10=JONAS\r\n";

// Frames a loaded board runs for, and the moves tried on it.
constexpr int kFramesAfterLoad = 24;
constexpr int kMovesTried = 3;
constexpr float kFrameMs = 16.0f;

// Writes a whole file without the atomic writer's sync: inputs come thousands a
// second.
void putFile(const std::string& path, const uint8_t* data, size_t size) {
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
}

std::string settingsFile(const char* name) { return g_home + "/settings/" + name; }

// The bytes as a NUL-terminated text, as the key readers want them.
std::string asText(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

void useDefaultNames() {
  freeTextTable();
  parseTextFile("strings.txt", reinterpret_cast<const uint8_t*>(kDefaultNames),
                uint32_t(sizeof kDefaultNames - 1));
}

// A player with the help already seen, the game scene current, nothing loaded.
void freshGame(int32_t difficulty, bool survival) {
  resetGame();
  resetEffects();
  resetMenus();
  resetPersistence();
  createProfile("FUZZ");
  for (uint8_t& pending : currentProfileRecord()->helpShown) pending = 0;
  setStoredDifficulty(difficulty == Difficulty::Zen ? Difficulty::Normal : difficulty);
  gameState.difficulty = difficulty;
  gameState.survival = survival;
  setCurrentSceneDirectly(&gameScene);
  seedRandom(1);
}

// Plays the board as a player would: frames, then a few balls each clicked and
// sent to the farthest free cell, with frames to settle.
void playTheBoard() {
  for (int i = 0; i < kFramesAfterLoad; ++i) gameFrameUpdate(kFrameMs);
  int moves = 0;
  forEachPlayableCell([&](int32_t x, int32_t y) {
    if (moves >= kMovesTried || cellAt(x, y).ballValue < 0) return;
    ++moves;
    const Vec2 from = cellCentre(x, y);
    const Vec2 to = cellCentre(kLastColumn + kFirstColumn - x, kLastRow + kFirstRow - y);
    gameLeftDown(from.x, from.y);
    gameLeftDown(to.x, to.y);
    for (int i = 0; i < kFramesAfterLoad; ++i) gameFrameUpdate(kFrameMs);
  });
}

// ---------------------------------------------------------------------------
// Resources

void runPack(const uint8_t* data, size_t size) {
  std::vector<uint8_t> copy(data, data + size);
  std::vector<PackEntryView> entries;
  std::string error;
  if (!parsePack(copy.data(), copy.size(), &entries, &error)) return;
  // Unscrambled in place and entered, as a pack is opened.
  for (const PackEntryView& e : entries) {
    uint8_t* bytes = copy.data() + (e.data - copy.data());
    scramblePackData(e.name.c_str(), bytes, e.size);
    registerFile(e.name.c_str(), e.size, bytes, false);
  }
  clearFileTable();
}

void runTextTable(const uint8_t* data, size_t size) {
  freeTextTable();
  parseTextFile("strings.txt", data, uint32_t(size));
  size_t total = 0;
  for (int32_t i = 0; i < textTable.count; ++i) total += std::strlen(getTextByIndex(i));
  const int32_t first = getTextIndex("defname1");
  for (int32_t k = 0; k < 10; ++k) {
    if (const char* name = getTextByIndex(first + k)) total += std::strlen(name);
  }
  if (const char* text = getText("loadmsg")) total += std::strlen(text);
  freeTextTable();
  (void)total;
}

void runKeyReader(const uint8_t* data, size_t size) {
  // A first line of up to 31 bytes names a key of its own; the rest is the text.
  std::string text = asText(data, size);
  std::string ownKey;
  const size_t line = text.find('\n');
  if (line != std::string::npos && line > 0 && line < 32) {
    ownKey = text.substr(0, line);
    text.erase(0, line + 1);
  }
  static const char* const kKeys[] = {"level=", "colors=", "jockerfrequency=", "hammer=",
                                      "parfrequency=", "color0=", "speed=", "extern=",
                                      "combo1=", "time70=", "polarpar=", "lissx="};
  char out[64];
  float list[8];
  for (const char* key : kKeys) {
    readString(out, sizeof out, text.c_str(), key);
    readFloat(text.c_str(), key);
    readInt(text.c_str(), key);
    readFloatList(text.c_str(), list, 8, key);
    readVector3(text.c_str(), key);
  }
  if (ownKey.empty()) return;
  readString(out, sizeof out, text.c_str(), ownKey.c_str());
  readFloatList(text.c_str(), list, 8, ownKey.c_str());
  readVector3(text.c_str(), ownKey.c_str());
}

void runPath(const uint8_t* data, size_t size) {
  pathState = {};
  if (!parsePath("trajectory1.spl", data, size)) return;
  const float length = pathState.pathLength;
  for (const float d : {0.0f, 1.0f, length * 0.5f, length - 1.0f, length, length + 1.0f,
                        -1.0f, 1e30f, std::nanf("")}) {
    pointOnPath(d);
  }
}

// ---------------------------------------------------------------------------
// Render and sound

void runFont(const uint8_t* data, size_t size) {
  Font font = {};
  if (!parseFontMetrics(data, uint32_t(size), &font)) return;
  const TextState saved = textState;
  textState.fonts[0] = font;
  textState.fontCount = 1;
  textState.currentFont = &textState.fonts[0];
  char every[256];
  for (int c = 1; c < 256; ++c) every[c - 1] = char(c);
  every[255] = '\0';
  measureText(every, 14.0f);
  wrapText(200.0f, "The quick owl flies over the lazy board, again and again.", 17.0f);
  drawText(0.0f, 0.0f, 15.0f, every, false);
  drawText(0.0f, 100.0f, 15.0f, every, true);
  textState = saved;
  devResetFrame();
}

void runMesh(const uint8_t* data, size_t size) {
  Mesh mesh;
  const char* reason = "";
  buildMesh("fuzz.msh_s", data, uint32_t(size), &mesh, &reason);
}

// Pictures as the texture loader meets them: plain, a ".tga" shipped as a JPEG
// with an alpha plane, and drawn into textures of a given size.
void runPicture(const uint8_t* data, size_t size) {
  // A copy for each name: the loaders release a file by its bytes.
  static std::vector<uint8_t> copies[3];
  const char* const names[3] = {"fuzz.jpg", "fuzz.tga", "_a_alpha.jpg"};
  for (int i = 0; i < 3; ++i) {
    copies[i].assign(data, data + size);
    copies[i].push_back(0);  // never an empty buffer
    registerFile(names[i], uint32_t(size), copies[i].data(), false);
  }
  loadTexture("fuzz.jpg", false);
  loadTexture("fuzz.tga", false);
  loadTexture("alpha.tga", false);
  loadSizedTexture("fuzz.jpg", 100, 60);
  loadSizedAlphaTexture("_a_alpha.jpg", 800, 600);
  releaseAllTextures();
  clearFileTable();
}

void runOgg(const uint8_t* data, size_t size) {
  const uint32_t sample = soundSampleLoadMemory(data, size, 4);
  if (sample == 0) return;
  soundStart();
  soundSamplePlay(sample, -1, 100, false);
  soundSamplePlay(sample, 96000, 50, true);
  int16_t mix[2 * 4096];
  soundRender(mix, 4096);
  soundSampleFree(sample);
  soundPause();
}

// ---------------------------------------------------------------------------
// Scenery and menus

void runCatalogue(const uint8_t* data, size_t size) {
  static GameObjectCatalogue catalogue;
  parseGameObjectCatalogue(data, size, &catalogue);
  for (int32_t i = 0; i < catalogue.entryCount; ++i) {
    catalogueValueKind(catalogue.entries[i].value);
    findCatalogueEntry(catalogue, catalogue.entries[i].name);
  }
}

void runSceneryList(const uint8_t* data, size_t size) {
  static SceneryList list;
  if (!parseSceneryList(data, size, &list)) return;
  for (int32_t i = 0; i < list.count; ++i) {
    sceneryKindIsBehind(sceneryKindOfName(list.objects[i].name));
  }
  std::vector<uint8_t> again;
  encodeSceneryList(list, "fuzz", &again);
}

// The name a fuzzed description is loaded under.
constexpr const char* kDescriptionName = "fuzz.cgo";

bool sameFileName(const char* a, const char* b) { return strcasecmp(a, b) == 0; }

// The name the texture loader tries first for a ".tga" ("" for other names).
std::string alphaJpegNameOf(const char* name) {
  if (!std::strstr(name, ".tga") && !std::strstr(name, ".TGA")) return "";
  const char* dot = std::strchr(name, '.');
  return "_a_" + std::string(name, dot ? size_t(dot - name) : std::strlen(name)) + ".jpg";
}

// True when one file would have to be both a mesh and a picture (or the
// description itself): no data set can hold that, and the loaders would stop the
// game on it, as they do for any file they cannot use.
bool namesClash(const GameObjectDescription& d) {
  for (int32_t i = 0; i < d.meshCount; ++i) {
    const char* mesh = d.meshNames[i];
    if (sameFileName(d.textureNames[i], kDescriptionName)) return true;
    if (!mesh[0]) continue;
    if (sameFileName(mesh, kDescriptionName)) return true;
    for (int32_t k = 0; k < d.meshCount; ++k) {
      const char* texture = d.textureNames[k];
      if (texture[0] && (sameFileName(mesh, texture) ||
                         sameFileName(mesh, alphaJpegNameOf(texture).c_str()))) {
        return true;
      }
    }
  }
  return false;
}

// Every file the description names, in the file table as a data set would hold
// it: a cube for each mesh, a small picture for each texture (each entry its own
// bytes, as the loaders release an entry by its bytes).
void standInNamedFiles(const GameObjectDescription& d, std::vector<std::vector<uint8_t>>* files) {
  static const std::vector<uint8_t> kCube = encode(cube(false));
  static const std::vector<uint8_t> kPicture = [] {
    std::vector<uint8_t> rgb(8 * 8 * 3, 120), jpeg;
    picEncodeJpeg(rgb.data(), 8, 8, 3, 80, &jpeg);
    return jpeg;
  }();
  for (int32_t i = 0; i < d.meshCount; ++i) {
    if (d.meshNames[i][0]) {
      files->push_back(kCube);
      registerFile(d.meshNames[i], uint32_t(kCube.size()), files->back().data(), false);
    }
    if (d.textureNames[i][0]) {
      files->push_back(kPicture);
      registerFile(d.textureNames[i], uint32_t(kPicture.size()), files->back().data(), false);
    }
  }
}

// A ".cgo" description as the catalogue loads one: read, its meshes and pictures
// loaded, the object registered and drawn where the view sees it.
void runObjectDescription(const uint8_t* data, size_t size) {
  static GameObjectDescription description;
  parseGameObjectDescription(data, size, &description);
  if (namesClash(description)) return;
  std::vector<std::vector<uint8_t>> files;
  files.reserve(2 * kMaxObjectMeshes + 1);
  standInNamedFiles(description, &files);
  files.emplace_back(data, data + size);
  files.back().push_back(0);  // never an empty buffer
  registerFile(kDescriptionName, uint32_t(size), files.back().data(), false);
  Matrix4 view = identity();
  translate(&view, 0.0f, 0.0f, 50.0f);
  setViewTransform(&view);
  setOrthoProjection(800.0f, 600.0f, 1.0f, 500.0f);
  drawGameObject(getGameObject(kDescriptionName));
  devResetFrame();
  resetGameObjects();
  releaseAllMeshes();
  releaseAllTextures();
  clearFileTable();
}

// "menu.txt", a NUL, then "menutext.txt".
void runMenus(const uint8_t* data, size_t size) {
  static MenuFileTree tree;
  const auto* nul = static_cast<const uint8_t*>(std::memchr(data, 0, size));
  const size_t menuSize = nul ? size_t(nul - data) : size;
  const uint8_t* texts = nul ? nul + 1 : data + size;
  buildMenuTree(data, menuSize, texts, size - menuSize - (nul ? 1 : 0), kMenuTopScreens,
                kMenuTopScreenCount, &tree);
  for (const char* screen : kMenuTopScreens) findMenuNode(tree, screen);
}

// ---------------------------------------------------------------------------
// The board game

// A level file as the adventure, zen and survival start it, then played.
void runLevel(const uint8_t* data, size_t size) {
  static Board board;
  LevelSettings settings;
  parseLevelText(reinterpret_cast<const char*>(data), uint32_t(size), Difficulty::Expert, &board,
                 &settings);
  for (const int32_t difficulty : {Difficulty::Normal, Difficulty::Zen}) {
    freshGame(difficulty, difficulty == Difficulty::Zen);
    registerFile("tut1_01.lvl", uint32_t(size), const_cast<uint8_t*>(data), false);
    startLevel(0);
    playTheBoard();
    clearFileTable();
  }
}

// A saved game loaded over a started level, as "yes" to the offer does, then played.
void runSavedGame(const uint8_t* data, size_t size) {
  freshGame(Difficulty::Normal, size > 0 && (data[0] & 1) != 0);
  startLevel(0);
  putFile(settingsFile("game.sav"), data, size);
  if (enterSettingsFolder()) {
    loadGameImage("game.sav");
    leaveSettingsFolder();
  }
  playTheBoard();
}

// ---------------------------------------------------------------------------
// The player's files

// Everything the game asks of the current profile, for every stored profile.
void useEveryProfile() {
  for (int32_t i = 0; i < profileTable.profileCount; ++i) {
    selectProfile(i);
    const Profile& p = profileTable.profiles[i];
    char name[kMaxSavedGameName];
    for (const SavedGameKind kind :
         {SavedGameKind::Adventure, SavedGameKind::Zen, SavedGameKind::Survival}) {
      savedGameFileName(p.name, kind, name, sizeof name);
    }
    char level[32];
    levelFileName(currentLevel(), level, sizeof level);
    bestLevel();
    bestLevelAnyDifficulty();
    zoneOf();
    bestZoneOf();
    const LevelResult result = {p.survivalExpert != 0, p.storedDifficulty, currentLevel(),
                                score(), lives(), p.savedSurvivalScore, p.survivalStartLevel};
    recordLevelResult(result);
    enterHighScore(result);
    bool zoneCompleted = false, finished = false;
    advanceProgress(&zoneCompleted, &finished);
    addProfileScore(lives());
    takeLife();
  }
}

void runProfiles(const uint8_t* data, size_t size) {
  resetPersistence();
  putFile(settingsFile(kProfilesFile), data, size);
  if (!enterSettingsFolder()) return;
  loadProfiles();
  leaveSettingsFolder();
  useEveryProfile();
  // The adventure as the title menu starts it for the current profile.
  if (profileTable.profileCount > 0) {
    selectProfile(0);
    gameState.difficulty = profileTable.profiles[0].storedDifficulty;
    startCurrentLevel();
  }
}

// The same bytes as each of the four tables.
void runRecords(const uint8_t* data, size_t size) {
  resetPersistence();
  useDefaultNames();
  for (const char* name : {"records.dat", "hiscore.dat", "survival.dat", "surrecs.dat"}) {
    putFile(settingsFile(name), data, size);
  }
  seedRandom(1);
  if (!enterSettingsFolder()) return;
  loadRecords();
  leaveSettingsFolder();
  createProfile("FUZZ");
  for (const bool survival : {false, true}) {
    for (int32_t d = 0; d < 3; ++d) {
      const LevelResult result = {survival, d, 69 - 30 * d, 5000, 7, 60000, 40};
      recordLevelResult(result);
      enterHighScore(result);
    }
  }
}

// The settings value handed to its owners, then the game started with it.
void runSettings(const uint8_t* data, size_t size) {
  resetPersistence();
  const std::string path = sysRegistryPath(kSettingsKey, kSettingsValueName);
  putFile(path, data, size);
  readSettings();
  loadPlayerFiles();
  currentSettingsBlob();
  freshGame(Difficulty::Normal, false);
  startLevel(0);
  playTheBoard();
}

void removeHome() {
  std::error_code ignored;
  if (!g_home.empty()) std::filesystem::remove_all(g_home, ignored);
}

// Two profiles on disk for the settings value to count and choose among.
void storeTwoProfiles() {
  resetPersistence();
  createProfile("ANNA");
  createProfile("BEN");
  uint8_t bytes[2 * kProfileBytes];
  encodeProfile(profileTable.profiles[0], bytes);
  encodeProfile(profileTable.profiles[1], bytes + kProfileBytes);
  putFile(settingsFile(kProfilesFile), bytes, sizeof bytes);
  resetPersistence();
}

}  // namespace

const FuzzTarget kFuzzTargets[] = {
    {"pack", runPack, nullptr},
    {"text-table", runTextTable, nullptr},
    {"key-reader", runKeyReader, nullptr},
    {"menus", runMenus, nullptr},
    {"level", runLevel, nullptr},
    {"par", runParticleDef, nullptr},
    {"gameobjs", runCatalogue, nullptr},
    {"lev", runSceneryList, nullptr},
    {"spl", runPath, nullptr},
    {"font", runFont, nullptr},
    {"mesh", runMesh, nullptr},
    {"cgo", runObjectDescription, nullptr},
    {"saved-game", runSavedGame, nullptr},
    {"profiles", runProfiles, nullptr},
    {"records", runRecords, nullptr},
    {"settings", runSettings, nullptr},
    {"picture", runPicture, nullptr},
    {"ogg", runOgg, nullptr},
};
const int kFuzzTargetCount = int(sizeof kFuzzTargets / sizeof kFuzzTargets[0]);

const FuzzTarget* findFuzzTarget(const char* name) {
  for (const FuzzTarget& target : kFuzzTargets) {
    if (std::strcmp(target.name, name) == 0) return &target;
  }
  return nullptr;
}

bool prepareFuzzing() {
  if (!g_home.empty()) return true;
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // In memory where there is a memory file system: inputs are written thousands a
  // second.
  std::string pattern =
      std::string(sysDirectoryExists("/dev/shm") ? "/dev/shm" : "/tmp") + "/orbel-fuzz-XXXXXX";
  if (!mkdtemp(pattern.data())) {
    std::fprintf(stderr, "fuzz: cannot make a private folder in %s\n", pattern.c_str());
    return false;
  }
  g_home = pattern;
  std::atexit(removeHome);
  sysMakeDirectory((g_home + "/settings").c_str());
  sysMakeDirectories((g_home + "/config/software/tarnwick/games/orbelquaint").c_str());
  setenv("XDG_CONFIG_HOME", (g_home + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (g_home + "/share").c_str(), 1);
  std::snprintf(dataLocation.dataDirectory, sizeof dataLocation.dataDirectory, "%s/",
                g_home.c_str());
  returnToDataDirectory();
  sysSetMessageBoxHandler([](const char*, const char*, SysMsgButtons) { return SysMsgAnswer::Ok; });
  connectModules();
  sysCreateHeadlessWindow(640, 480);
  if (!createDevice(DevBackend::Recording)) {
    std::fprintf(stderr, "fuzz: the recording device cannot be made\n");
    return false;
  }
  soundInit(false);
  useDefaultNames();
  storeTwoProfiles();
  return true;
}
