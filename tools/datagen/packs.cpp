// packs.cpp: writes the generated data set: the three packs, built with the
// game's own pack code, and the loose files in the folders the game reads from
// disk. Files that an earlier run left behind and this run no longer makes are
// removed; the "settings" folder the game writes at run time is left alone. A
// padding entry makes the start-up report exactly what fills the loading bar.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "datagen.h"
#include "generators.h"
#include "resources/resources.h"

namespace fs = std::filesystem;

namespace {

struct PackFile {
  Place place;
  const char* fileName;
};
// In the order the game opens them.
const PackFile kPacks[] = {{Place::TargaPack, "targa.dat"},
                           {Place::JpegPack, "jpeg.dat"},
                           {Place::TextsPack, "texts.dat"}};

struct DataFolder {
  Place place;
  const char* folder;  // "" = the data root
};
const DataFolder kFolders[] = {{Place::Root, ""},
                               {Place::Levels, "levels"},
                               {Place::Effects, "effects"},
                               {Place::Sounds, "Sounds"},
                               {Place::Animbacks, "animbacks"}};

// Writes the file unless it already holds exactly these bytes (so unchanged
// files keep their times). False on failure.
bool writeIfChanged(const fs::path& path, const std::vector<uint8_t>& bytes) {
  {
    std::ifstream in(path, std::ios::binary);
    if (in) {
      const std::vector<uint8_t> old(std::istreambuf_iterator<char>(in), {});
      if (old == bytes) return true;
    }
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    reportError(path.string(), 0, "cannot write this file");
    return false;
  }
  return true;
}

// Removes regular files of `folder` that are not in `keep`.
void removeStale(const fs::path& folder, const std::set<std::string>& keep) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && !keep.count(name) && name != ".generated") {
      fs::remove(entry.path(), error);
    }
  }
}

// What the game's start-up reports to its loading bar, whose full width is this
// many bytes (the game's expectedLoadBytes).
constexpr uint64_t kLoadBarBytes = 10141957;
// What loading the music reports, whatever the module's size.
constexpr uint64_t kMusicReportedBytes = 1104189;
// The pack entry that tops the reported bytes up to the bar's full width. Nothing
// reads it; it lies in the last pack opened.
constexpr const char* kPaddingName = "loadbar_padding.bin";
constexpr Place kPaddingPlace = Place::TextsPack;

bool isPack(Place place) {
  return place == Place::TargaPack || place == Place::JpegPack || place == Place::TextsPack;
}

// The bytes start-up reports: every pack entry, every effect sound, the music's
// fixed share, and the loose files it reads through the file table (the levels,
// the scenery lists, the particle effects and the landscape the map shows outside
// levels). A start-up step that comes to read other loose files must be counted here
// too (a test runs the start-up and checks).
uint64_t reportedAtStartup() {
  uint64_t total = kMusicReportedBytes;
  for (const OutputFile& file : gen.files) {
    const bool sceneryList = file.place == Place::Animbacks && file.name.ends_with(".lev");
    const bool mapLandscape = file.place == Place::Animbacks && file.name == "_a_back0.jpg";
    if (isPack(file.place) || file.place == Place::Sounds || file.place == Place::Levels ||
        file.place == Place::Effects || sceneryList || mapLandscape) {
      total += file.bytes.size();
    }
  }
  return total;
}

// Adds the padding entry that makes start-up report exactly the bar's full width,
// so the bar fills smoothly to its end. An error when the data already reports more.
bool addLoadBarPadding() {
  const uint64_t reported = reportedAtStartup();
  if (reported > kLoadBarBytes) {
    reportError(kPaddingName, 0, format("start-up reports %llu bytes, more than the loading "
                                        "bar's %llu", (unsigned long long)reported,
                                        (unsigned long long)kLoadBarBytes));
    return false;
  }
  addOutput(kPaddingPlace, kPaddingName, std::vector<uint8_t>(kLoadBarBytes - reported, 0));
  return true;
}

bool writePack(const PackFile& pack, const fs::path& root) {
  std::vector<PackInput> inputs;
  for (const OutputFile& file : gen.files) {
    if (file.place == pack.place) inputs.push_back(PackInput{file.name, file.bytes});
  }
  std::vector<uint8_t> image;
  std::string error;
  if (!buildPack(inputs, &image, &error)) {
    reportError(pack.fileName, 0, "cannot build the pack: " + error);
    return false;
  }
  return writeIfChanged(root / pack.fileName, image);
}

}  // namespace

bool writeDataSet() {
  if (!addLoadBarPadding()) return false;
  const fs::path root = gen.outputDir;
  std::error_code error;
  for (const DataFolder& folder : kFolders) fs::create_directories(root / folder.folder, error);
  bool ok = true;
  std::set<std::string> rootNames;
  for (const PackFile& pack : kPacks) {
    ok = writePack(pack, root) && ok;
    rootNames.insert(pack.fileName);
  }
  for (const DataFolder& folder : kFolders) {
    std::set<std::string> names = folder.place == Place::Root ? rootNames : std::set<std::string>{};
    for (const OutputFile& file : gen.files) {
      if (file.place != folder.place) continue;
      ok = writeIfChanged(root / folder.folder / file.name, file.bytes) && ok;
      names.insert(file.name);
    }
    removeStale(root / folder.folder, names);
  }
  return ok;
}
