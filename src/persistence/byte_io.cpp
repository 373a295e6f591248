// Little-endian field writer and reader over plain byte buffers.
#include "persistence/byte_io.h"

#include <cstring>

namespace {

// Reserves `count` bytes of the writer; null (and the overflow mark) when they do
// not fit.
uint8_t* reserve(ByteWriter* w, uint32_t count) {
  if (w->overflow || count > w->capacity - w->offset) {
    w->overflow = true;
    return nullptr;
  }
  uint8_t* at = w->data + w->offset;
  w->offset += count;
  return at;
}

// The next `count` bytes of the reader, or null when the image ends inside them.
const uint8_t* consume(ByteReader* r, uint32_t count) {
  const bool whole = r->offset <= r->size && count <= r->size - r->offset;
  const uint8_t* at = whole ? r->data + r->offset : nullptr;
  skipBytes(r, count);
  return at;
}

uint32_t floatBits(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

}  // namespace

void putInt32(ByteWriter* w, int32_t value) {
  uint8_t* at = reserve(w, 4);
  if (!at) return;
  const uint32_t bits = uint32_t(value);
  for (int32_t i = 0; i < 4; ++i) at[i] = uint8_t(bits >> (8 * i));
}

void putFloat(ByteWriter* w, float value) { putInt32(w, int32_t(floatBits(value))); }

void putByte(ByteWriter* w, uint8_t value) {
  if (uint8_t* at = reserve(w, 1)) *at = value;
}

void putBytes(ByteWriter* w, const void* bytes, uint32_t count) {
  if (uint8_t* at = reserve(w, count)) std::memcpy(at, bytes, count);
}

void putZeros(ByteWriter* w, uint32_t count) {
  if (uint8_t* at = reserve(w, count)) std::memset(at, 0, count);
}

bool takeInt32(ByteReader* r, int32_t* value) {
  const uint8_t* at = consume(r, 4);
  if (!at) return false;
  uint32_t bits = 0;
  for (int32_t i = 0; i < 4; ++i) bits |= uint32_t(at[i]) << (8 * i);
  *value = int32_t(bits);
  return true;
}

bool takeFloat(ByteReader* r, float* value) {
  int32_t bits;
  if (!takeInt32(r, &bits)) return false;
  std::memcpy(value, &bits, sizeof *value);
  return true;
}

bool takeByte(ByteReader* r, uint8_t* value) {
  const uint8_t* at = consume(r, 1);
  if (!at) return false;
  *value = *at;
  return true;
}

bool takeBytes(ByteReader* r, void* bytes, uint32_t count) {
  const uint8_t* at = consume(r, count);
  if (!at) return false;
  std::memcpy(bytes, at, count);
  return true;
}

void skipBytes(ByteReader* r, uint32_t count) {
  r->offset = count > UINT32_MAX - r->offset ? UINT32_MAX : r->offset + count;
}
