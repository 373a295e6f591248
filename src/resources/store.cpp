// Where the data lives, and the persistence primitives of the settings code: a
// whole file written safely, a player's file read whole, and one binary value in
// the registry stand-in.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "resources/resources.h"

DataLocation dataLocation = {};

void resetResources() {
  clearFileTable();
  freeTextTable();
  languageState = {};
  setLoadProgressHook(nullptr);
  pathState = {};
  dataLocation = {};
}

bool returnToDataDirectory() {
  return dataLocation.dataDirectory[0] != '\0' && sysChangeDirectory(dataLocation.dataDirectory);
}

bool writeWholeFile(const char* name, const void* data, uint32_t size) {
  return sysWriteFileAtomic(name, data, size);
}

bool readPlayerFile(const char* name, uint32_t maxSize, std::vector<uint8_t>* out,
                    const char* instead) {
  SysReadFailure why;
  if (sysReadWholeFile(name, maxSize, out, &why)) return true;
  if (why.status != SysReadStatus::TooLarge) {
    sysReportUnreadableFile(name, why, maxSize, instead);
    return false;
  }
  const std::string aside = std::string(name) + ".damaged";
  const bool kept = std::rename(name, aside.c_str()) == 0;
  const std::string consequence =
      std::string(instead) + (kept ? "; the file is kept as " + aside : "");
  sysReportUnreadableFile(name, why, maxSize, consequence.c_str());
  return false;
}

void writeRegistryBlob(const char* subKey, const char* valueName, const void* data,
                       uint32_t size) {
  sysRegistryWrite(subKey, valueName, data, size);
}

void readRegistryBlob(const char* subKey, const char* valueName, void* buffer,
                      uint32_t* size) {
  std::vector<uint8_t> value;
  // A value of another size is treated as missing: the caller's record has changed.
  const std::string path = sysRegistryPath(subKey, valueName);
  if (!readPlayerFile(path.c_str(), *size, &value, "it counts as missing") ||
      value.size() != *size) {
    *size = 0;
    return;
  }
  if (!value.empty()) std::memcpy(buffer, value.data(), value.size());
}
