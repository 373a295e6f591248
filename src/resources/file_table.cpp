// The file table: every data file the game reads, read from a pack opened at
// start-up or from disk on first request and kept until released (a pack's file
// may also just let its bytes go, to be read from the pack again when wanted).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "resources/resources.h"
#include "resources/resources_local.h"

FileTable fileTable = {};

namespace {

// The game opens three packs; a few more leave room for tests and tools.
constexpr int kMaxPacks = 16;

// Where the open packs lie (whole paths: loaders change the working directory),
// their files read from them on demand. Reset with the file table.
struct PackList {
  std::string paths[kMaxPacks];
  int32_t count;
};
PackList packList = {};

// The data of a pack's own entry and of a pack's empty files: no bytes to hold.
uint8_t noBytes[1] = {0};

// Process lifetime: the loading bar, set by the application.
void (*loadProgressHook)(uint32_t bytes) = nullptr;

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

// Reads a pack's file from the pack and unscrambles it. False (nothing changed) when
// the pack no longer holds all of it.
bool readPackedFile(FileEntry* entry) {
  auto* buffer = static_cast<uint8_t*>(std::malloc(entry->size > 0 ? entry->size : 1));
  size_t got = 0;
  if (!buffer || !sysReadFileAt(packList.paths[entry->pack].c_str(), entry->packOffset,
                                entry->size, buffer, &got) ||
      got != entry->size) {
    std::free(buffer);
    std::fprintf(stderr, "%s can no longer be read from %s\n", entry->packName,
                 packList.paths[entry->pack].c_str());
    return false;
  }
  scramblePackData(entry->packName, buffer, entry->size);
  entry->data = buffer;
  entry->ownsData = 1;
  return true;
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
  if (fileTable.entries[index]->isPack) return false;
  removeEntry(index);
  return true;
}

int32_t indexOfData(const void* data) {
  if (!data || data == noBytes) return -1;
  for (int32_t i = 0; i < fileTable.count; i++) {
    if (fileTable.entries[i]->data == data) return i;
  }
  return -1;
}

[[noreturn]] void stopOnMissingFile(const char* name) {
  const std::string text = std::string("Can't load ") + name + "...\nProgram will now stop.";
  sysFatalStop(text.c_str(), "Loading Error");
}

struct PackMember {
  char name[kMaxPackName + 1];
  uint32_t offset;
  uint32_t size;
};

// Walks the entries of the pack at `path` (size bytes) from their headers alone.
// Returns false with the reason when it is malformed or cannot be read.
bool walkPack(const char* path, uint64_t size, std::vector<PackMember>* members,
              std::string* error) {
  uint64_t offset = 0;
  while (offset < size) {
    uint8_t head[kMaxPackEntryHeader];
    const size_t left = size_t(size - offset);
    const size_t want = left < sizeof head ? left : sizeof head;
    size_t got = 0;
    PackEntryHeader header;
    std::string reason;
    if (!sysReadFileAt(path, offset, want, head, &got) || got != want) {
      reason = "it cannot be read";
    } else if (parsePackEntryHeader(head, left, &header, &reason)) {
      PackMember member = {};
      std::memcpy(member.name, head, header.nameLength);
      member.offset = uint32_t(offset + header.headerSize);
      member.size = header.dataSize;
      members->push_back(member);
      offset += header.headerSize + header.dataSize;
      continue;
    }
    *error = "entry " + std::to_string(members->size() + 1) + " at offset " +
             std::to_string(offset) + ": " + reason;
    members->clear();
    return false;
  }
  return true;
}

// Enters the pack and its files; the caller has checked that all fit.
void enterPack(const char* fileName, const std::string& path,
               const std::vector<PackMember>& members) {
  const int8_t pack = int8_t(packList.count);
  packList.paths[packList.count++] = path;
  FileEntry* self = registerFile(fileName, 0, noBytes, false);
  self->isPack = 1;
  for (const PackMember& member : members) {
    FileEntry* entry = registerFile(member.name, member.size, nullptr, false);
    entry->pack = pack;
    entry->packOffset = member.offset;
    std::memcpy(entry->packName, member.name, sizeof entry->packName);
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
  const std::string found = sysFindFileIgnoringCase(fileName);
  if (found.empty()) return false;
  const std::string path = found[0] == '/' ? found : sysCurrentDirectory() + "/" + found;
  std::vector<uint8_t> start;
  uint64_t size = 0;
  SysReadFailure why;
  if (!sysReadFileStart(path.c_str(), 0, &start, &size, &why)) {
    sysReportUnreadableFile(path.c_str(), why, kMaxDataFileSize, "it counts as missing");
    return false;
  }
  if (size > kMaxDataFileSize) {
    sysReportUnreadableFile(path.c_str(), {SysReadStatus::TooLarge, 0, size}, kMaxDataFileSize,
                            "it counts as missing");
    return false;
  }
  std::vector<PackMember> members;
  std::string error;
  if (!walkPack(path.c_str(), size, &members, &error)) {
    std::fprintf(stderr, "Pack %s rejected: %s\n", fileName, error.c_str());
  } else if (std::strlen(fileName) >= size_t(kMaxFileName)) {
    std::fprintf(stderr, "Pack %s rejected: its name is too long for the file table\n", fileName);
  } else if (packList.count >= kMaxPacks ||
             size_t(fileTable.count) + 1 + members.size() > size_t(kMaxFiles)) {
    std::fprintf(stderr, "Pack %s rejected: its %zu files do not fit in the file table\n",
                 fileName, members.size());
  } else {
    enterPack(fileName, path, members);
    return true;
  }
  return false;
}

const uint8_t* loadFile(const char* name, uint32_t* size, bool mustExist) {
  if (FileEntry* entry = findFile(name)) {
    if (entry->data || readPackedFile(entry)) {
      if (size) *size = entry->size;
      return entry->data;
    }
    if (mustExist) stopOnMissingFile(name);
    return nullptr;
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
  entry->pack = -1;
  fileTable.entries[fileTable.count++] = entry;
  reportLoadedBytes(size);
  return entry;
}

bool releaseFile(const void* data) {
  const int32_t index = indexOfData(data);
  return index >= 0 && releaseEntry(index);
}

bool releaseFileByName(const char* name) {
  const FileEntry* entry = findFile(name);
  if (!entry) return false;
  for (int32_t i = 0; i < fileTable.count; i++) {
    if (fileTable.entries[i] == entry) return releaseEntry(i);
  }
  return false;
}

bool dropFileBytes(const void* data) {
  const int32_t index = indexOfData(data);
  if (index < 0) return false;
  FileEntry* entry = fileTable.entries[index];
  if (entry->pack < 0) return false;
  if (entry->ownsData) std::free(entry->data);
  entry->data = nullptr;
  entry->ownsData = 0;
  return true;
}

void clearFileTable() {
  for (int32_t i = 0; i < fileTable.count; i++) {
    FileEntry* entry = fileTable.entries[i];
    if (entry->ownsData) std::free(entry->data);
    delete entry;
  }
  fileTable = {};
  packList = {};
}

void setLoadProgressHook(void (*hook)(uint32_t bytes)) { loadProgressHook = hook; }

void reportLoadedBytes(uint32_t bytes) {
  if (loadProgressHook) loadProgressHook(bytes);
}
