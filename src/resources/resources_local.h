// resources_local.h: helpers shared by the files of the resources module.
#pragma once

#include <cstdint>
#include <cstring>

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
