// The fuzz targets' first inputs: the data tool's files as the game finds them
// (inside the packs or loose), and the player's files written by the game's own
// writers from a level started on the real data.
#include "seeds.h"

#include <algorithm>
#include <map>
#include <vector>

#include "../tests/render/mesh_file.h"
#include "game/board.h"
#include "game/game.h"
#include "game/save_image.h"
#include "persistence/profile.h"
#include "persistence/profile_file.h"
#include "persistence/records.h"
#include "persistence/settings.h"
#include "platform/picture.h"
#include "platform/platform.h"
#include "resources/resources.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Files = std::map<std::string, Bytes>;

// Seeds larger than this slow every run of their target down; the data has
// smaller files of every kind.
constexpr size_t kMaxSeedSize = 128 * 1024;
// Enough of a kind of file to reach every branch of its reader.
constexpr size_t kSoundSeeds = 3;

struct SeedFolder {
  std::string outDir;
};

void put(const SeedFolder& seeds, const char* target, const std::string& name, const Bytes& bytes) {
  if (bytes.size() > kMaxSeedSize) return;
  const std::string folder = seeds.outDir + "/" + target;
  sysMakeDirectories(folder.c_str());
  sysWriteOutputFile((folder + "/" + name).c_str(), bytes.data(), bytes.size());
}

// Every file of a pack, unscrambled, by name.
bool readPack(const std::string& path, Files* files, std::string* error) {
  Bytes bytes;
  std::vector<PackEntryView> entries;
  if (!sysReadWholeFile(path.c_str(), kMaxDataFileSize, &bytes) ||
      !parsePack(bytes.data(), bytes.size(), &entries, error)) {
    *error = "cannot read the pack " + path + " " + *error;
    return false;
  }
  for (const PackEntryView& e : entries) {
    Bytes data(e.data, e.data + e.size);
    scramblePackData(e.name.c_str(), data.data(), data.size());
    (*files)[e.name] = std::move(data);
  }
  return true;
}

// The loose files of a folder ending in `suffix`, smallest first.
std::vector<std::pair<std::string, Bytes>> looseFiles(const std::string& folder,
                                                      const char* suffix) {
  std::vector<std::pair<std::string, Bytes>> files;
  for (const std::string& name : sysListDirectory(folder.c_str(), suffix)) {
    Bytes bytes;
    if (sysReadWholeFile((folder + "/" + name).c_str(), kMaxDataFileSize, &bytes)) {
      files.emplace_back(name, std::move(bytes));
    }
  }
  std::stable_sort(files.begin(), files.end(),
                   [](const auto& a, const auto& b) { return a.second.size() < b.second.size(); });
  return files;
}

void putLoose(const SeedFolder& seeds, const char* target, const std::string& folder,
              const char* suffix, size_t most) {
  size_t count = 0;
  for (const auto& [name, bytes] : looseFiles(folder, suffix)) {
    if (count++ == most) break;
    put(seeds, target, name, bytes);
  }
}

void putTexts(const SeedFolder& seeds, const Files& texts) {
  for (const char* name : {"strings.txt", "tips.txt"}) put(seeds, "text-table", name, texts.at(name));
  for (const char* name : {"hi_expert.txt", "gameobjs.txt"}) {
    put(seeds, "key-reader", name, texts.at(name));
  }
  put(seeds, "gameobjs", "gameobjs.txt", texts.at("gameobjs.txt"));
  put(seeds, "font", "font.dat", texts.at("font.dat"));
  Bytes menus = texts.at("menu.txt");
  menus.push_back(0);
  menus.insert(menus.end(), texts.at("menutext.txt").begin(), texts.at("menutext.txt").end());
  put(seeds, "menus", "menus", menus);
}

// A small pack made of small files, beside the game's own text pack.
void putPacks(const SeedFolder& seeds, const std::string& dataDir, const Files& texts) {
  Bytes pack;
  sysReadWholeFile((dataDir + "/texts.dat").c_str(), kMaxDataFileSize, &pack);
  put(seeds, "pack", "texts.dat", pack);
  std::vector<PackInput> inputs = {{"font.dat", texts.at("font.dat")},
                                   {"empty.txt", {}},
                                   {"gameobjs.txt", texts.at("gameobjs.txt")}};
  std::string error;
  if (buildPack(inputs, &pack, &error)) put(seeds, "pack", "small.dat", pack);
}

void putPictures(const SeedFolder& seeds, const Files& targa, const Files& jpeg) {
  for (const char* name : {"heart.tga", "levelmark.tga"}) {
    if (targa.count(name)) put(seeds, "picture", name, targa.at(name));
  }
  for (const char* name : {"spray_mist.jpg", "lightning.jpg", "flare.jpg"}) {
    if (jpeg.count(name)) put(seeds, "picture", name, jpeg.at(name));
  }
  // A ".tga" shipped as a JPEG with its alpha plane behind the end marker.
  Bytes rgb(16 * 16 * 3, 140), jpg;
  picEncodeJpeg(rgb.data(), 16, 16, 3, 80, &jpg);
  jpg.insert(jpg.end(), 16 * 16, 0x80);
  put(seeds, "picture", "_a_small.jpg", jpg);
}

void putMeshes(const SeedFolder& seeds) {
  put(seeds, "mesh", "cube.msh_s", encode(cube(false)));
  put(seeds, "mesh", "smooth.msh_s", encode(cube(true)));
}

// Descriptions of 3D objects built from the data's own pictures and the meshes
// above: the data set ships none, but its catalogue may name them.
void putObjectDescriptions(const SeedFolder& seeds, const Files& targa, const Files& jpeg) {
  const std::string tga = targa.empty() ? "heart.tga" : targa.begin()->first;
  const std::string jpg = jpeg.empty() ? "flare.jpg" : jpeg.begin()->first;
  const std::string two =
      "nummeshes=2\r\nmesh0=cube.msh_s\r\ntexture0=" + tga + "\r\nmesh1=smooth.msh_s\r\n"
      "texture1=" + jpg + "\r\nnumbounds=2\r\nbound0.name=rim\r\nbound0.b_circle=1\r\n"
      "bound0.center.x=1.5\r\nbound0.center.y=-2\r\nbound0.center.z=3\r\nbound0.radius=4\r\n"
      "bound1.name=base\r\nbound1.b_circle=0\r\nbound1.center.x=7\r\nbound1.dx=2.5\r\n";
  const std::string one = "nummeshes=1\nmesh0=cube.msh_s\ntexture0=" + jpg + "\nnumbounds=0\n";
  put(seeds, "cgo", "two_meshes.cgo", Bytes(two.begin(), two.end()));
  put(seeds, "cgo", "one_mesh.cgo", Bytes(one.begin(), one.end()));
}

// Saved games of a level started on the real data, in the adventure and survival.
void putSavedGames(const SeedFolder& seeds) {
  for (const bool survival : {false, true}) {
    resetGame();
    gameState.survival = survival;
    gameState.difficulty = Difficulty::Normal;
    startLevel(survival ? 7 : 2);
    for (int i = 0; i < 30; ++i) gameFrameUpdate(16.0f);
    Bytes image(kSaveImageSize);
    writeSaveImage(image.data());
    put(seeds, "saved-game", survival ? "survival.sav" : "adventure.sav", image);
  }
  resetGame();
}

// The player's files as saveAll writes them: two profiles with progress, the
// result tables as a first start generates them, and the settings value.
void putPlayerFiles(const SeedFolder& seeds, const std::string& dataDir) {
  sysChangeDirectory(dataDir.c_str());
  openPack("texts.dat");
  loadTextFile("strings.txt");
  resetPersistence();
  generateRecords();
  createProfile("ANNA");
  setStoredDifficulty(Difficulty::Expert);
  setCurrentLevel(23);
  setScore(45600);
  createProfile("BEN 2");
  saveAll();
  const std::string folder =
      sysPlayerFilesDirectory(dataLocation.dataDirectory, kSettingsFolder, kProgramName);
  Bytes bytes;
  for (const char* name : {"records.dat", "hiscore.dat", "survival.dat", "surrecs.dat"}) {
    if (sysReadWholeFile((folder + "/" + name).c_str(), kMaxSeedSize, &bytes)) {
      put(seeds, "records", name, bytes);
    }
  }
  if (sysReadWholeFile((folder + "/" + kProfilesFile).c_str(), kMaxSeedSize, &bytes)) {
    put(seeds, "profiles", kProfilesFile, bytes);
  }
  const std::string value = sysRegistryPath(kSettingsKey, kSettingsValueName);
  if (sysReadWholeFile(value.c_str(), kMaxSeedSize, &bytes)) put(seeds, "settings", "value", bytes);
  resetPersistence();
  clearFileTable();
  freeTextTable();
}

}  // namespace

bool writeFuzzSeeds(const std::string& dataDir, const std::string& outDir, std::string* error) {
  const std::string home = sysCurrentDirectory();
  Files texts, targa, jpeg;
  if (!readPack(dataDir + "/texts.dat", &texts, error) ||
      !readPack(dataDir + "/targa.dat", &targa, error) ||
      !readPack(dataDir + "/jpeg.dat", &jpeg, error)) {
    return false;
  }
  for (const char* name : {"strings.txt", "tips.txt", "hi_expert.txt", "gameobjs.txt",
                           "font.dat", "menu.txt", "menutext.txt"}) {
    if (!texts.count(name)) {
      *error = std::string("texts.dat holds no ") + name;
      return false;
    }
  }
  const SeedFolder seeds{outDir};
  putTexts(seeds, texts);
  putPacks(seeds, dataDir, texts);
  putPictures(seeds, targa, jpeg);
  putMeshes(seeds);
  putObjectDescriptions(seeds, targa, jpeg);
  putLoose(seeds, "level", dataDir + "/levels", ".lvl", SIZE_MAX);
  putLoose(seeds, "key-reader", dataDir + "/levels", ".lvl", 2);
  putLoose(seeds, "par", dataDir + "/effects", ".par", SIZE_MAX);
  putLoose(seeds, "key-reader", dataDir + "/effects", ".par", 2);
  putLoose(seeds, "lev", dataDir + "/animbacks", ".lev", SIZE_MAX);
  putLoose(seeds, "spl", dataDir, ".spl", SIZE_MAX);
  putLoose(seeds, "ogg", dataDir + "/Sounds", ".ogg", kSoundSeeds);
  sysChangeDirectory(dataDir.c_str());
  putSavedGames(seeds);
  putPlayerFiles(seeds, dataDir);
  clearFileTable();
  sysChangeDirectory(home.c_str());
  return true;
}
