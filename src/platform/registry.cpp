// The registry stand-in: each value is a small file under the user's config folder,
// the key path's backslashes becoming folders and the value's name the file name.
#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/platform.h"

static std::string configRoot() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg) return xdg;
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.config";
}

std::string sysRegistryPath(const char* subKey, const char* valueName) {
  std::string path = configRoot() + "/";
  for (const char* p = subKey; *p; ++p) path += (*p == '\\') ? '/' : *p;
  if (path.back() != '/') path += '/';
  return path + valueName;
}

bool sysRegistryWrite(const char* subKey, const char* valueName, const void* data, size_t size) {
  const std::string path = sysRegistryPath(subKey, valueName);
  const std::string folder = path.substr(0, path.rfind('/'));
  if (!sysMakeDirectories(folder.c_str())) {
    sysReportSaveFailure(folder.c_str(), errno);
    return false;
  }
  return sysWriteFileAtomic(path.c_str(), data, size);
}

bool sysRegistryRead(const char* subKey, const char* valueName, size_t maxSize,
                     std::vector<uint8_t>* out, SysReadFailure* why) {
  return sysReadWholeFile(sysRegistryPath(subKey, valueName).c_str(), maxSize, out, why);
}
