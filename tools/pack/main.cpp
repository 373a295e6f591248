// orbel-pack: lists, extracts and builds the game's resource packs with the game's
// own pack code.
//
//   orbel-pack list PACK            one line per entry: SIZE NAME, in pack order
//   orbel-pack extract PACK DIR     every entry's plain bytes to DIR/NAME
//   orbel-pack build OUT FILE...    a pack of the files, named by their base names
//
// Exit status: 0 done, 1 a file could not be read or written or a pack is
// malformed, 2 bad usage. Every failure is one line on standard error.
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "resources/resources.h"

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int fail(const std::string& message) {
  std::fprintf(stderr, "orbel-pack: %s\n", message.c_str());
  return kExitFailed;
}

int usage() {
  std::fprintf(stderr,
               "usage: orbel-pack list PACK | extract PACK DIR | build OUT FILE...\n");
  return kExitUsage;
}

// Reads and walks a pack. Returns false (message printed) when it cannot.
bool readPack(const char* path, std::vector<uint8_t>* bytes, std::vector<PackEntryView>* entries) {
  SysReadFailure why;
  if (!sysReadWholeFile(path, kMaxDataFileSize, bytes, &why)) {
    fail(std::string("cannot read ") + path + ": " + sysDescribeReadFailure(why, kMaxDataFileSize));
    return false;
  }
  std::string error;
  if (!parsePack(bytes->data(), bytes->size(), entries, &error)) {
    fail(std::string(path) + " is malformed: " + error);
    return false;
  }
  return true;
}

// An entry name that would leave DIR when used as a file name.
bool escapesDirectory(const std::string& name) {
  return name == "." || name == ".." || name.find('/') != std::string::npos;
}

// mkdir -p. Returns false when the path is not a directory afterwards.
bool makeDirectories(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    sysMakeDirectory(path.substr(0, slash).c_str());
  }
  sysMakeDirectory(path.c_str());
  return sysDirectoryExists(path.c_str());
}

int listPack(const char* packPath) {
  std::vector<uint8_t> bytes;
  std::vector<PackEntryView> entries;
  if (!readPack(packPath, &bytes, &entries)) return kExitFailed;
  for (const PackEntryView& entry : entries) {
    std::printf("%u %s\n", unsigned(entry.size), entry.name.c_str());
  }
  return 0;
}

int extractPack(const char* packPath, const std::string& dir) {
  std::vector<uint8_t> bytes;
  std::vector<PackEntryView> entries;
  if (!readPack(packPath, &bytes, &entries)) return kExitFailed;
  for (const PackEntryView& entry : entries) {
    if (escapesDirectory(entry.name)) return fail("unsafe entry name in " + std::string(packPath) + ": " + entry.name);
  }
  if (!makeDirectories(dir)) return fail("cannot make the folder " + dir);
  std::set<std::string> written;
  for (const PackEntryView& entry : entries) {
    // The game serves the first of two equal names; the later one is never seen.
    if (!written.insert(entry.name).second) {
      std::fprintf(stderr, "orbel-pack: skipping a second entry named %s\n", entry.name.c_str());
      continue;
    }
    std::vector<uint8_t> data(entry.data, entry.data + entry.size);
    scramblePackData(entry.name.c_str(), data.data(), data.size());
    const std::string path = dir + "/" + entry.name;
    if (!sysWriteOutputFile(path.c_str(), data.data(), data.size())) {
      return fail("cannot write " + path);
    }
  }
  return 0;
}

std::string baseName(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash ? slash + 1 : path;
}

int buildPackFile(const char* outPath, char** files, int fileCount) {
  std::vector<PackInput> inputs;
  for (int i = 0; i < fileCount; i++) {
    PackInput input;
    input.name = baseName(files[i]);
    SysReadFailure why;
    if (!sysReadWholeFile(files[i], kMaxDataFileSize, &input.data, &why)) {
      return fail(std::string("cannot read ") + files[i] + ": " +
                  sysDescribeReadFailure(why, kMaxDataFileSize));
    }
    inputs.push_back(std::move(input));
  }
  std::vector<uint8_t> pack;
  std::string error;
  if (!buildPack(inputs, &pack, &error)) return fail("cannot build " + std::string(outPath) + ": " + error);
  if (!sysWriteOutputFile(outPath, pack.data(), pack.size())) {
    return fail(std::string("cannot write ") + outPath);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "list" && argc == 3) return listPack(argv[2]);
  if (command == "extract" && argc == 4) return extractPack(argv[2], argv[3]);
  if (command == "build" && argc >= 4) return buildPackFile(argv[2], argv + 3, argc - 3);
  return usage();
}
