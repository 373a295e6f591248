// data_files.h: reading the generated data set in tests: pack entries by name,
// loose files by path, and the list of every file the data set holds.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Every entry of the three packs, unscrambled, by bare name, with its pack.
struct PackedFile {
  std::string pack;
  std::vector<uint8_t> bytes;
};
const std::map<std::string, PackedFile>& packedFiles();
// The file as the game would find it: a pack entry first, else the loose file in
// the data root. Empty when neither exists.
std::vector<uint8_t> dataFile(const std::string& name);
// A loose file below the data root ("Sounds/ball.ogg").
std::vector<uint8_t> looseFile(const std::string& relativePath);
bool looseFileExists(const std::string& relativePath);
// Regular file names in a folder of the data set, sorted.
std::vector<std::string> looseFolder(const std::string& relativeDir);
// The bytes as text with a NUL at the end (for the key readers).
std::string asText(const std::vector<uint8_t>& bytes);
// Little-endian reads.
uint32_t readU32(const std::vector<uint8_t>& bytes, size_t at);
float readF32(const std::vector<uint8_t>& bytes, size_t at);
