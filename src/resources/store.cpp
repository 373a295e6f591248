// Where the data lives, and the persistence primitives of the settings code: a
// whole file written safely, a player's file read whole, and one binary value in
// the registry stand-in.
#include <cerrno>
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

namespace {

std::string plural(uint64_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// Records of nothing but zeros hold nothing: what a file's hole or a sparse file
// holds. No stored record of the game is all zeros.
size_t recordsHoldingAnything(const std::vector<uint8_t>& bytes, uint32_t recordSize) {
  size_t count = 0;
  for (size_t at = 0; at + recordSize <= bytes.size(); at += recordSize) {
    for (size_t i = at; i < at + recordSize; ++i) {
      if (bytes[i] != 0) {
        ++count;
        break;
      }
    }
  }
  return count;
}

// What a damaged file is and what the game makes of it, for the line on stderr.
std::string describeDamage(const char* name, const PlayerFileFormat& format, uint64_t size,
                           size_t records, const char* instead, int keepError) {
  std::string what = "it is " + plural(size, "byte", "bytes") + ", ";
  if (size > uint64_t(format.mostRecords) * format.recordSize) {
    what += "more than the " + plural(format.mostRecords, "record", "records") + " it may hold";
  } else if (size % format.recordSize != 0) {
    what += "not whole records of " + std::to_string(format.recordSize) + " bytes";
  } else {
    what += "fewer than the " + plural(format.leastRecords, "record", "records") + " it holds";
  }
  what += records > 0 ? "; the " + plural(records, "whole record", "whole records") +
                            " of its start that hold anything are used"
                      : "; it holds no whole record: " + std::string(instead);
  what += keepError == 0
              ? "; the file is kept as " + std::string(name) + ".damaged"
              : "; it could not be kept aside (" + std::string(std::strerror(keepError)) + ")";
  return what;
}

}  // namespace

bool readPlayerFile(const char* name, const PlayerFileFormat& format, std::vector<uint8_t>* out,
                    const char* instead, bool* damaged) {
  if (damaged) *damaged = false;
  const uint64_t most = uint64_t(format.mostRecords) * format.recordSize;
  uint64_t size = 0;
  SysReadFailure why;
  if (!sysReadFileStart(name, size_t(most), out, &size, &why)) {
    sysReportUnreadableFile(name, why, size_t(most), instead);
    return false;
  }
  const bool whole = size % format.recordSize == 0 && size <= most &&
                     size >= uint64_t(format.leastRecords) * format.recordSize;
  if (whole) return true;
  if (damaged) *damaged = true;
  out->resize(out->size() - out->size() % format.recordSize);
  // Kept before anything can replace it: the next save writes over the name.
  const std::string aside = std::string(name) + ".damaged";
  const int keepError = sysCopyFile(name, aside.c_str()) ? 0 : (errno != 0 ? errno : EIO);
  const size_t records = recordsHoldingAnything(*out, format.recordSize);
  sysReportDamagedFile(name,
                       describeDamage(name, format, size, records, instead, keepError).c_str());
  if (records == 0) out->clear();
  return records > 0;
}

void writeRegistryBlob(const char* subKey, const char* valueName, const void* data,
                       uint32_t size) {
  sysRegistryWrite(subKey, valueName, data, size);
}

void readRegistryBlob(const char* subKey, const char* valueName, void* buffer,
                      uint32_t* size) {
  std::vector<uint8_t> value;
  const std::string path = sysRegistryPath(subKey, valueName);
  // One record of the caller's size; anything else is damaged and counts as missing.
  bool damaged = false;
  if (!readPlayerFile(path.c_str(), {*size, 1, 1}, &value, "it counts as missing", &damaged) ||
      damaged) {
    *size = 0;
    return;
  }
  std::memcpy(buffer, value.data(), value.size());
}
