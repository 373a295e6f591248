// datagen.h: the record of one orbel-datagen run and the helpers every generator
// module shares: the list of generated files, error reports that name a source
// file and line, and small file utilities. Each generator module (texts, menus,
// levels, effects, scenery, map path, records, font, pictures, sounds, music,
// packs, previews) adds its files to the run; nothing is written until every
// module has finished without errors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Where a generated file goes. The packs hold what the game reads through its
// file table; everything the game lists or reads from disk lies loose.
enum class Place : uint8_t {
  TargaPack,  // "targa.dat": the .tga pictures
  JpegPack,   // "jpeg.dat": the .jpg pictures of the data root
  TextsPack,  // "texts.dat": texts, menus, catalogue, font metrics, default records
  Root,       // loose in the data root
  Levels,     // loose in "levels"
  Effects,    // loose in "effects"
  Sounds,     // loose in "Sounds"
  Animbacks   // loose in "animbacks"
};

struct OutputFile {
  Place place;
  std::string name;  // bare file name
  std::vector<uint8_t> bytes;
};

// One run of the tool; filled by main from the command line, reset never (one
// run per process).
struct Datagen {
  std::string sourceDir;   // hand-written sources (the repository's data/)
  std::string outputDir;   // the Data directory to write
  std::string previewDir;  // where the level sheet goes ("" = none)
  std::string iconDir;     // where the desktop icons go ("" = none)
  std::string templatePath;  // where the translators' template goes ("" = none)
  std::vector<OutputFile> files;
  int errorCount;
};
extern Datagen gen;

// Prints "file:line: error: message" (line 0 leaves the line out) and counts it.
void reportError(const std::string& file, int line, const std::string& message);
// Adds a generated file. A second file of the same place and name is an error.
void addOutput(Place place, const std::string& name, std::vector<uint8_t> bytes);
// The generated file of that place and name, or null.
const OutputFile* findOutput(Place place, const std::string& name);
// True when any pack or loose place holds a picture of that name (letter case
// ignored, as the game's file table does).
bool pictureExists(const std::string& name);

// Writes a whole file of the tool's own (a preview, an icon). False (error "cannot
// write the <what>" reported) when it cannot, or when there are no bytes to write.
bool writeToolFile(const std::string& path, const std::vector<uint8_t>& bytes, const char* what);
// Reads a source file below gen.sourceDir. Missing: reports an error, returns false.
bool readSource(const std::string& relativePath, std::string* out);
// Bare names of the files in a source folder whose names end with suffix, sorted.
std::vector<std::string> listSources(const std::string& relativeDir, const char* suffix);
// Source text with every LF turned into CR LF (CR in the source is dropped first).
std::vector<uint8_t> toCrLf(const std::string& text);
// The 1-based line of byte offset `at` in text.
int lineOfOffset(const std::string& text, size_t at);
// Little-endian appenders for binary formats.
void putU8(std::vector<uint8_t>* out, uint32_t value);
void putU16(std::vector<uint8_t>* out, uint32_t value);
void putU32(std::vector<uint8_t>* out, uint32_t value);
void putF32(std::vector<uint8_t>* out, float value);
void putBytes(std::vector<uint8_t>* out, const void* data, size_t size);
// printf into a std::string.
std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
