// byte_io.h: little-endian byte images written and read one field at a time, so
// what is stored never depends on how the compiler lays out a record. Settings,
// profiles, result tables and saved games all go through these.
#pragma once

#include <cstdint>

// Appends fields to a fixed buffer. A field that does not fit is dropped whole and
// the writer remembers that it ran out of room.
struct ByteWriter {
  uint8_t* data;
  uint32_t capacity;
  uint32_t offset;
  bool overflow;
};

// Takes fields from the front of a byte image. A field that is not wholly inside
// the image leaves its destination as it was and reports false; the position still
// moves past it, so every later field keeps its offset.
struct ByteReader {
  const uint8_t* data;
  uint32_t size;
  uint32_t offset;
};

inline ByteWriter makeByteWriter(uint8_t* data, uint32_t capacity) {
  return ByteWriter{data, capacity, 0, false};
}
inline ByteReader makeByteReader(const uint8_t* data, uint32_t size) {
  return ByteReader{data, size, 0};
}

void putInt32(ByteWriter* w, int32_t value);
void putFloat(ByteWriter* w, float value);
void putByte(ByteWriter* w, uint8_t value);
void putBytes(ByteWriter* w, const void* bytes, uint32_t count);
void putZeros(ByteWriter* w, uint32_t count);

// Each returns whether the field was whole in the image.
bool takeInt32(ByteReader* r, int32_t* value);
bool takeFloat(ByteReader* r, float* value);
bool takeByte(ByteReader* r, uint8_t* value);
bool takeBytes(ByteReader* r, void* bytes, uint32_t count);
void skipBytes(ByteReader* r, uint32_t count);
