// common.cpp: the run record, error reports, the output list and the small file
// and byte helpers shared by every generator module.
#include "datagen.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

Datagen gen;

void reportError(const std::string& file, int line, const std::string& message) {
  if (line > 0) {
    std::fprintf(stderr, "%s:%d: error: %s\n", file.c_str(), line, message.c_str());
  } else {
    std::fprintf(stderr, "%s: error: %s\n", file.c_str(), message.c_str());
  }
  gen.errorCount++;
}

void addOutput(Place place, const std::string& name, std::vector<uint8_t> bytes) {
  if (findOutput(place, name)) {
    reportError(name, 0, "generated twice");
    return;
  }
  gen.files.push_back(OutputFile{place, name, std::move(bytes)});
}

const OutputFile* findOutput(Place place, const std::string& name) {
  for (const OutputFile& file : gen.files) {
    if (file.place == place && file.name == name) return &file;
  }
  return nullptr;
}

// Lower-cases a..z only, as the game's name rule folds letters.
static std::string foldName(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

bool pictureExists(const std::string& name) {
  const std::string wanted = foldName(name);
  for (const OutputFile& file : gen.files) {
    if (file.place == Place::Sounds || file.place == Place::Levels ||
        file.place == Place::Effects) {
      continue;
    }
    if (foldName(file.name) == wanted) return true;
  }
  return false;
}

bool writeToolFile(const std::string& path, const std::vector<uint8_t>& bytes, const char* what) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (bytes.empty() || !out) {
    reportError(path, 0, std::string("cannot write the ") + what);
    return false;
  }
  return true;
}

bool readSource(const std::string& relativePath, std::string* out) {
  const std::string path = gen.sourceDir + "/" + relativePath;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    reportError(path, 0, "cannot read this source file");
    out->clear();
    return false;
  }
  out->assign(std::istreambuf_iterator<char>(in), {});
  return true;
}

std::vector<std::string> listSources(const std::string& relativeDir, const char* suffix) {
  std::vector<std::string> names;
  const std::string suffixText = suffix;
  std::error_code error;
  for (const auto& entry :
       std::filesystem::directory_iterator(gen.sourceDir + "/" + relativeDir, error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && name.size() > suffixText.size() &&
        name.compare(name.size() - suffixText.size(), suffixText.size(), suffixText) == 0) {
      names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<uint8_t> toCrLf(const std::string& text) {
  std::vector<uint8_t> out;
  out.reserve(text.size() + text.size() / 16);
  for (const char c : text) {
    if (c == '\r') continue;
    if (c == '\n') out.push_back('\r');
    out.push_back(static_cast<uint8_t>(c));
  }
  return out;
}

int lineOfOffset(const std::string& text, size_t at) {
  const size_t end = std::min(at, text.size());
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + end, '\n'));
}

void putU8(std::vector<uint8_t>* out, uint32_t value) {
  out->push_back(static_cast<uint8_t>(value));
}

void putU16(std::vector<uint8_t>* out, uint32_t value) {
  putU8(out, value);
  putU8(out, value >> 8);
}

void putU32(std::vector<uint8_t>* out, uint32_t value) {
  putU16(out, value);
  putU16(out, value >> 16);
}

void putF32(std::vector<uint8_t>* out, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  putU32(out, bits);
}

void putBytes(std::vector<uint8_t>* out, const void* data, size_t size) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

std::string format(const char* pattern, ...) {
  char buffer[1024];
  va_list args;
  va_start(args, pattern);
  std::vsnprintf(buffer, sizeof buffer, pattern, args);
  va_end(args);
  return buffer;
}
