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

// A picture of the data set decoded to RGBA (rows top first); empty when the file
// is missing or unreadable.
struct Pixels {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
  const uint8_t* at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
  int alpha(int x, int y) const { return at(x, y)[3]; }
};
Pixels decodePixels(const std::vector<uint8_t>& bytes);
// The picture as the game would find it (dataFile), decoded.
Pixels load(const std::string& name);
// A name from a printf pattern with one number ("bal%.2i.tga", 3).
std::string numbered(const char* pattern, int n);
// Perceived brightness of an RGBA pixel, 0..255.
inline float luminance(const uint8_t* p) { return 0.3f * p[0] + 0.59f * p[1] + 0.11f * p[2]; }
