// resources_local.h: helpers shared by the files of the resources module.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

// The packs and the path file are little-endian whatever the host.
inline uint32_t readLittleEndian32(const uint8_t* bytes) {
  return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
         uint32_t(bytes[3]) << 24;
}

inline void writeLittleEndian32(uint32_t value, uint8_t* bytes) {
  bytes[0] = uint8_t(value);
  bytes[1] = uint8_t(value >> 8);
  bytes[2] = uint8_t(value >> 16);
  bytes[3] = uint8_t(value >> 24);
}

inline float readLittleEndianFloat(const uint8_t* bytes) {
  const uint32_t bits = readLittleEndian32(bytes);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Bytes of the size field that follows every entry's name in a pack.
constexpr size_t kSizeFieldBytes = 4;
// The most bytes an entry's name, NUL and size field take.
constexpr size_t kMaxPackEntryHeader = 63 + 1 + kSizeFieldBytes;

// One pack entry's name and size, read from its first bytes.
struct PackEntryHeader {
  size_t nameLength;
  size_t headerSize;  // name, NUL and size field: the data starts this far in
  uint32_t dataSize;
};
// Reads the entry starting at `head`, of which `left` bytes are left in the pack
// (head holds at least the first kMaxPackEntryHeader of them, or all). Returns false
// with the reason when it is malformed (its data may not run past the pack's end).
bool parsePackEntryHeader(const uint8_t* head, size_t left, PackEntryHeader* header,
                          std::string* reason);
