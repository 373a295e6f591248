// packs.cpp: writes the generated data set: the three packs, built with the
// game's own pack code, and the loose files in the folders the game reads from
// disk. Files that an earlier run left behind and this run no longer makes are
// removed; the "settings" folder the game writes at run time is left alone.
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
