// data_files.cpp: test access to the generated data set.
#include "data_files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/picture.h"
#include "resources/resources.h"
#include "test_support.h"

namespace fs = std::filesystem;

const std::map<std::string, PackedFile>& packedFiles() {
  static std::map<std::string, PackedFile> files;
  static bool loaded = false;
  if (loaded) return files;
  loaded = true;
  for (const char* pack : {"targa.dat", "jpeg.dat", "texts.dat"}) {
    std::vector<uint8_t> image = looseFile(pack);
    std::vector<PackEntryView> entries;
    std::string error;
    if (!parsePack(image.data(), image.size(), &entries, &error)) continue;
    for (const PackEntryView& entry : entries) {
      std::vector<uint8_t> bytes(entry.data, entry.data + entry.size);
      scramblePackData(entry.name.c_str(), bytes.data(), bytes.size());
      files.emplace(entry.name, PackedFile{pack, std::move(bytes)});
    }
  }
  return files;
}

std::vector<uint8_t> dataFile(const std::string& name) {
  const auto& files = packedFiles();
  const auto found = files.find(name);
  return found != files.end() ? found->second.bytes : looseFile(name);
}

std::vector<uint8_t> looseFile(const std::string& relativePath) {
  return testReadFile(std::string(ORBEL_DATA_DIR) + "/" + relativePath);
}

bool looseFileExists(const std::string& relativePath) {
  return fs::is_regular_file(std::string(ORBEL_DATA_DIR) + "/" + relativePath);
}

std::vector<std::string> looseFolder(const std::string& relativeDir) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(std::string(ORBEL_DATA_DIR) + "/" + relativeDir, error)) {
    if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string asText(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

uint32_t readU32(const std::vector<uint8_t>& bytes, size_t at) {
  uint32_t value = 0;
  if (at + 4 <= bytes.size()) std::memcpy(&value, &bytes[at], 4);
  return value;
}

float readF32(const std::vector<uint8_t>& bytes, size_t at) {
  float value = 0.0f;
  if (at + 4 <= bytes.size()) std::memcpy(&value, &bytes[at], 4);
  return value;
}

Pixels decodePixels(const std::vector<uint8_t>& bytes) {
  Pixels pixels;
  Picture picture;
  if (!bytes.empty() && picDecode(bytes.data(), bytes.size(), &picture)) {
    pixels.width = picture.width;
    pixels.height = picture.height;
    pixels.rgba = std::move(picture.rgba);
  }
  return pixels;
}

Pixels load(const std::string& name) { return decodePixels(dataFile(name)); }

std::string numbered(const char* pattern, int n) {
  char name[64];
  std::snprintf(name, sizeof name, pattern, n);
  return name;
}
