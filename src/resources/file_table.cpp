// The file table: every data file the game reads, served by pointer from a pack
// opened at start-up or read from disk on first request and kept until released.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "resources/resources.h"

FileTable fileTable = {};

namespace {

// The game opens three packs; a few more leave room for tests and tools.
constexpr int kMaxPacks = 16;

// The pack buffers held by the table, so that a pack (whose entries point into its
// buffer) is never released on its own. Reset with the file table.
struct PackList {
  uint8_t* buffers[kMaxPacks];
  int32_t count;
};
PackList packList = {};

// Process lifetime: the loading bar, set by the application.
void (*loadProgressHook)(uint32_t bytes) = nullptr;

bool isPackBuffer(const uint8_t* data) {
  for (int32_t i = 0; i < packList.count; i++) {
    if (packList.buffers[i] == data) return true;
  }
  return false;
}

// Reads a whole data file into one malloc'd buffer (never null, even for an empty
// file). Returns null when the file cannot be read or is too large for the table;
// a file that is there but cannot be taken is said on stderr.
uint8_t* readFileIntoBuffer(const char* path, uint32_t* size) {
  size_t length = 0;
  SysReadFailure why;
  uint8_t* buffer = sysReadWholeFileMalloc(path, kMaxDataFileSize, &length, &why);
  if (!buffer) {
    sysReportUnreadableFile(path, why, kMaxDataFileSize, "it counts as missing");
    return nullptr;
  }
  *size = uint32_t(length);
  return buffer;
}

// Takes entry `index` out of the table, freeing what it owns, and closes the gap.
void removeEntry(int32_t index) {
  FileEntry* entry = fileTable.entries[index];
  if (entry->ownsData) std::free(entry->data);
  delete entry;
  for (int32_t i = index; i + 1 < fileTable.count; i++) {
    fileTable.entries[i] = fileTable.entries[i + 1];
  }
  fileTable.count--;
  fileTable.entries[fileTable.count] = nullptr;
}

// Releases entry `index` unless it is a pack. Returns true when it was removed.
bool releaseEntry(int32_t index) {
  const FileEntry* entry = fileTable.entries[index];
  if (entry->ownsData && isPackBuffer(entry->data)) return false;
  removeEntry(index);
  return true;
}

[[noreturn]] void stopOnMissingFile(const char* name) {
  const std::string text = std::string("Can't load ") + name + "...\nProgram will now stop.";
  sysFatalStop(text.c_str(), "Loading Error");
}

// Enters the pack buffer and its files; the caller has checked that all fit.
void enterPack(const char* fileName, uint8_t* buffer, const std::vector<PackEntryView>& entries) {
  registerFile(fileName, 0, buffer, true);
  packList.buffers[packList.count++] = buffer;
  for (const PackEntryView& view : entries) {
    uint8_t* data = buffer + (view.data - buffer);
    scramblePackData(view.name.c_str(), data, view.size);
    registerFile(view.name.c_str(), view.size, data, false);
  }
}

}  // namespace

void upperCaseName(const char* name, char* out, size_t capacity) {
  if (capacity == 0) return;
  size_t i = 0;
  for (; name[i] != '\0' && i + 1 < capacity; i++) {
    const uint8_t c = uint8_t(name[i]);
    const bool lower = (c >= 0x61 && c <= 0x7A) || c >= 0xE0;
    out[i] = char(lower ? c - 0x20 : c);
  }
  out[i] = '\0';
}

bool openPack(const char* fileName) {
  const std::string path = sysFindFileIgnoringCase(fileName);
  uint32_t size = 0;
  uint8_t* buffer = path.empty() ? nullptr : readFileIntoBuffer(path.c_str(), &size);
  if (!buffer) return false;
  std::vector<PackEntryView> entries;
  std::string error;
  if (!parsePack(buffer, size, &entries, &error)) {
    std::fprintf(stderr, "Pack %s rejected: %s\n", fileName, error.c_str());
  } else if (std::strlen(fileName) >= size_t(kMaxFileName)) {
    std::fprintf(stderr, "Pack %s rejected: its name is too long for the file table\n", fileName);
  } else if (packList.count >= kMaxPacks ||
             size_t(fileTable.count) + 1 + entries.size() > size_t(kMaxFiles)) {
    std::fprintf(stderr, "Pack %s rejected: its %zu files do not fit in the file table\n",
                 fileName, entries.size());
  } else {
    enterPack(fileName, buffer, entries);
    return true;
  }
  std::free(buffer);
  return false;
}

const uint8_t* loadFile(const char* name, uint32_t* size, bool mustExist) {
  if (const FileEntry* entry = findFile(name)) {
    if (size) *size = entry->size;
    return entry->data;
  }
  const std::string path = sysFindFileIgnoringCase(name);
  uint32_t length = 0;
  uint8_t* buffer = path.empty() ? nullptr : readFileIntoBuffer(path.c_str(), &length);
  if (buffer && !registerFile(name, length, buffer, true)) {
    std::fprintf(stderr, "%s was read but cannot be entered: the file table is full or the "
                 "name too long\n", name);
    std::free(buffer);
    buffer = nullptr;
  }
  if (!buffer) {
    if (mustExist) stopOnMissingFile(name);
    return nullptr;
  }
  if (size) *size = length;
  return buffer;
}

FileEntry* findFile(const char* name) {
  // A longer name would be cut by the upper-casing and could match a stranger.
  if (std::strlen(name) >= size_t(kMaxFileName)) return nullptr;
  char upper[kMaxFileName];
  upperCaseName(name, upper, sizeof upper);
  for (int32_t i = 0; i < fileTable.count; i++) {
    if (std::strcmp(fileTable.entries[i]->name, upper) == 0) return fileTable.entries[i];
  }
  return nullptr;
}

FileEntry* registerFile(const char* name, uint32_t size, uint8_t* data, bool ownsData) {
  if (fileTable.count >= kMaxFiles || std::strlen(name) >= size_t(kMaxFileName)) return nullptr;
  FileEntry* entry = new FileEntry{};
  upperCaseName(name, entry->name, sizeof entry->name);
  entry->size = size;
  entry->data = data;
  entry->ownsData = ownsData ? 1 : 0;
  fileTable.entries[fileTable.count++] = entry;
  reportLoadedBytes(size);
  return entry;
}

bool releaseFile(const void* data) {
  if (!data) return false;
  for (int32_t i = 0; i < fileTable.count; i++) {
    if (fileTable.entries[i]->data == data) return releaseEntry(i);
  }
  return false;
}

bool releaseFileByName(const char* name) {
  const FileEntry* entry = findFile(name);
  if (!entry) return false;
  for (int32_t i = 0; i < fileTable.count; i++) {
    if (fileTable.entries[i] == entry) return releaseEntry(i);
  }
  return false;
}

void clearFileTable() {
  // Entries first, then the pack buffers they point into.
  for (int32_t i = 0; i < fileTable.count; i++) {
    FileEntry* entry = fileTable.entries[i];
    if (entry->ownsData && !isPackBuffer(entry->data)) std::free(entry->data);
    delete entry;
  }
  for (int32_t i = 0; i < packList.count; i++) std::free(packList.buffers[i]);
  fileTable = {};
  packList = {};
}

void setLoadProgressHook(void (*hook)(uint32_t bytes)) { loadProgressHook = hook; }

void reportLoadedBytes(uint32_t bytes) {
  if (loadProgressHook) loadProgressHook(bytes);
}
