// The resource pack format: a bare sequence of entries (name, NUL, 32-bit size,
// data XORed with the name) running exactly to the end of the file. The game,
// orbel-pack and the data tool all read and write packs through these functions.
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "resources/resources.h"
#include "resources/resources_local.h"

namespace {

// The scrambling key is the name repeated over at least this many bytes, and at most
// the larger buffer (names up to 127 characters; longer ones go a byte at a time).
constexpr size_t kMinScrambleRun = 256;
constexpr size_t kScrambleKeyBytes = 8 * size_t(kMaxFileName);

// data ^= key over `bytes` (a multiple of 8), a 64-bit word at a time; data may be
// unaligned.
void xorWords(uint8_t* data, const uint8_t* key, size_t bytes) {
  for (size_t i = 0; i < bytes; i += 8) {
    uint64_t word, mask;
    std::memcpy(&word, data + i, 8);
    std::memcpy(&mask, key + i, 8);
    word ^= mask;
    std::memcpy(data + i, &word, 8);
  }
}

// Reads one entry at `offset`. Returns false with the reason when it is malformed.
bool parseEntry(const uint8_t* bytes, size_t size, size_t offset, PackEntryView* entry,
                std::string* reason) {
  PackEntryHeader header;
  if (!parsePackEntryHeader(bytes + offset, size - offset, &header, reason)) return false;
  entry->name.assign(reinterpret_cast<const char*>(bytes + offset), header.nameLength);
  entry->data = bytes + offset + header.headerSize;
  entry->size = header.dataSize;
  return true;
}

}  // namespace

bool parsePackEntryHeader(const uint8_t* head, size_t left, PackEntryHeader* header,
                          std::string* reason) {
  const size_t scan = left < size_t(kMaxPackName) + 1 ? left : size_t(kMaxPackName) + 1;
  size_t nameLength = 0;
  while (nameLength < scan && head[nameLength] != 0) nameLength++;
  if (nameLength == scan) {
    *reason = scan == left ? "a name without its NUL" : "a name longer than 63 characters";
    return false;
  }
  if (nameLength == 0) {
    *reason = "an empty name";
    return false;
  }
  const size_t afterName = nameLength + 1;
  if (left - afterName < kSizeFieldBytes) {
    *reason = "a size field cut off by the end of the file";
    return false;
  }
  const uint32_t dataSize = readLittleEndian32(head + afterName);
  if (left - afterName - kSizeFieldBytes < dataSize) {
    *reason = "data running past the end of the file";
    return false;
  }
  header->nameLength = nameLength;
  header->headerSize = afterName + kSizeFieldBytes;
  header->dataSize = dataSize;
  return true;
}

namespace {

// Why `name` cannot be stored in a pack, or "" when it can.
std::string packNameProblem(const std::string& name) {
  if (name.empty()) return "an empty name";
  if (name.size() > size_t(kMaxPackName)) return "a name longer than 63 characters: " + name;
  if (name.find('\0') != std::string::npos) return "a name holding a NUL byte";
  return "";
}

}  // namespace

void scramblePackData(const char* name, uint8_t* data, size_t size) {
  const size_t length = std::strlen(name);
  if (length == 0) return;
  // The name repeated over a whole number of 64-bit words (at least 256 bytes), so the
  // data is XORed a word at a time, each word with the same words of the key.
  uint8_t key[kScrambleKeyBytes];
  const size_t words = 8 * ((kMinScrambleRun + 8 * length - 1) / (8 * length));
  const size_t period = length * words;
  if (period > sizeof key) {
    for (size_t i = 0; i < size; i++) data[i] ^= uint8_t(name[i % length]);
    return;
  }
  for (size_t i = 0; i < period; i++) key[i] = uint8_t(name[i % length]);
  size_t done = 0;
  for (; size - done >= period; done += period) xorWords(data + done, key, period);
  for (size_t i = done; i < size; i++) data[i] ^= key[i - done];
}

bool parsePack(const uint8_t* bytes, size_t size, std::vector<PackEntryView>* entries,
               std::string* error) {
  entries->clear();
  size_t offset = 0;
  while (offset < size) {
    PackEntryView entry;
    std::string reason;
    if (!parseEntry(bytes, size, offset, &entry, &reason)) {
      *error = "entry " + std::to_string(entries->size() + 1) + " at offset " +
               std::to_string(offset) + ": " + reason;
      entries->clear();
      return false;
    }
    offset = size_t(entry.data - bytes) + entry.size;
    entries->push_back(std::move(entry));
  }
  return true;
}

bool buildPack(const std::vector<PackInput>& inputs, std::vector<uint8_t>* out,
               std::string* error) {
  out->clear();
  std::set<std::string> seen;
  for (const PackInput& input : inputs) {
    std::string problem = packNameProblem(input.name);
    char upper[kMaxFileName];
    if (problem.empty()) {
      upperCaseName(input.name.c_str(), upper, sizeof upper);
      if (!seen.insert(upper).second) problem = "a name given twice (ignoring case): " + input.name;
    }
    if (problem.empty() && input.data.size() > UINT32_MAX) problem = "too much data: " + input.name;
    if (!problem.empty()) {
      *error = problem;
      out->clear();
      return false;
    }
    const size_t start = out->size();
    out->insert(out->end(), input.name.begin(), input.name.end());
    out->push_back(0);
    uint8_t sizeField[4];
    writeLittleEndian32(uint32_t(input.data.size()), sizeField);
    out->insert(out->end(), sizeField, sizeField + 4);
    out->insert(out->end(), input.data.begin(), input.data.end());
    const size_t dataStart = start + input.name.size() + 1 + 4;
    scramblePackData(input.name.c_str(), out->data() + dataStart, input.data.size());
  }
  return true;
}
