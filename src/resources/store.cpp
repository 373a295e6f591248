// Where the data lives, and the two persistence primitives of the settings code:
// a whole file written safely, and one binary value in the registry stand-in.
#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "resources/resources.h"

DataLocation dataLocation = {};

void resetResources() {
  clearFileTable();
  freeTextTable();
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

void writeRegistryBlob(const char* subKey, const char* valueName, const void* data,
                       uint32_t size) {
  sysRegistryWrite(subKey, valueName, data, size);
}

void readRegistryBlob(const char* subKey, const char* valueName, void* buffer,
                      uint32_t* size) {
  std::vector<uint8_t> value;
  // A value of another size is treated as missing: the caller's record has changed.
  if (!sysRegistryRead(subKey, valueName, &value) || value.size() != *size) {
    *size = 0;
    return;
  }
  if (!value.empty()) std::memcpy(buffer, value.data(), value.size());
}
