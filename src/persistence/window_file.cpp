// The window's own file: its size, place and maximised state and the start-up
// question's flag as "key=value" lines, read at start and written at shutdown.
#include "persistence/window_file.h"

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "persistence/settings.h"

namespace {

// A side no display has: larger values are damage, not a window.
constexpr long kLargestSide = 16384;

bool readNumber(const std::string& text, long* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  *value = std::strtol(text.c_str(), &end, 10);
  return end && *end == '\0';
}

}  // namespace

std::string encodeWindowFile(const WindowFile& file) {
  const SysWindowPlacement& p = file.placement;
  std::ostringstream out;
  out << "width=" << p.width << "\nheight=" << p.height << "\n";
  if (p.positioned) out << "x=" << p.x << "\ny=" << p.y << "\n";
  out << "maximised=" << (p.maximised ? 1 : 0) << "\nasked=" << (file.questionAsked ? 1 : 0)
      << "\n";
  return out.str();
}

bool decodeWindowFile(const std::string& text, WindowFile* out) {
  WindowFile file = {};
  bool hasX = false, hasY = false;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const size_t equals = line.find('=');
    long value = 0;
    if (equals == std::string::npos || !readNumber(line.substr(equals + 1), &value)) continue;
    const std::string key = line.substr(0, equals);
    if (key == "width" && value > 0 && value <= kLargestSide) file.placement.width = int32_t(value);
    if (key == "height" && value > 0 && value <= kLargestSide) file.placement.height = int32_t(value);
    if (key == "x" && value >= -kLargestSide && value <= kLargestSide) {
      file.placement.x = int32_t(value);
      hasX = true;
    }
    if (key == "y" && value >= -kLargestSide && value <= kLargestSide) {
      file.placement.y = int32_t(value);
      hasY = true;
    }
    if (key == "maximised") file.placement.maximised = value != 0;
    if (key == "asked") file.questionAsked = value != 0;
  }
  if (file.placement.width == 0 || file.placement.height == 0) return false;
  file.placement.positioned = hasX && hasY;
  *out = file;
  return true;
}

bool readWindowFile(WindowFile* out) {
  std::vector<uint8_t> bytes;
  if (!sysRegistryRead(kSettingsKey, kWindowValueName, kWindowFileMaxSize, &bytes)) return false;
  if (decodeWindowFile(std::string(bytes.begin(), bytes.end()), out)) return true;
  sysReportDamagedFile(sysRegistryPath(kSettingsKey, kWindowValueName).c_str(),
                       "the window opens at its first size");
  return false;
}

bool writeWindowFile(const WindowFile& file) {
  const std::string text = encodeWindowFile(file);
  return sysRegistryWrite(kSettingsKey, kWindowValueName, text.data(), text.size());
}
