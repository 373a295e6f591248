// Key readers over definition texts (levels, effects, game objects, records): find
// a key as a plain substring and convert the text after it. They never fail: a
// missing key gives an empty string, 0, or leaves the output alone.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "resources/resources.h"

namespace {

// Value buffers of the readers: a number, a vector and a list of numbers.
constexpr size_t kNumberValue = 32;
constexpr size_t kVectorValue = 64;
constexpr size_t kListValue = 256;

float toFloat(const char* text) { return float(std::strtod(text, nullptr)); }

}  // namespace

const char* readString(char* out, size_t capacity, const char* text, const char* key) {
  const char* found = (text && key) ? std::strstr(text, key) : nullptr;
  if (capacity == 0) return found ? out : nullptr;
  out[0] = '\0';
  if (!found) return nullptr;
  const char* value = found + std::strlen(key);
  size_t length = 0;
  // A value ends at its line's end: CR LF as the data is written, or a bare LF
  // where an editor saved one.
  while (value[length] != '\0' && value[length] != '\r' && value[length] != '\n' &&
         length + 1 < capacity) {
    length++;
  }
  std::memcpy(out, value, length);
  out[length] = '\0';
  return out;
}

float readFloat(const char* text, const char* key) {
  char value[kNumberValue];
  readString(value, sizeof value, text, key);
  return toFloat(value);
}

int32_t readInt(const char* text, const char* key) {
  char value[kNumberValue];
  readString(value, sizeof value, text, key);
  const double number = std::trunc(std::strtod(value, nullptr));
  // Out-of-range values saturate rather than overflow the conversion.
  if (std::isnan(number)) return 0;
  if (number >= 2147483647.0) return INT32_MAX;
  if (number <= -2147483648.0) return INT32_MIN;
  return int32_t(number);
}

int readFloatList(const char* text, float* out, int maxCount, const char* key) {
  char value[kListValue];
  readString(value, sizeof value, text, key);
  if (!std::strchr(value, ')') && !std::strchr(value, '}')) return 0;
  // Each number ends at the next comma, or failing that at a "}", or at a ")".
  const char* number = value + 1;
  int count = 0;
  while (count < maxCount) {
    const char* end = std::strchr(number, ',');
    if (!end) end = std::strchr(number, '}');
    if (!end) end = std::strchr(number, ')');
    if (!end) break;
    out[count++] = toFloat(number);
    number = end + 1;
  }
  return count;
}

Vec3 readVector3(const char* text, const char* key) {
  char value[kVectorValue];
  Vec3 v = {0.0f, 0.0f, 0.0f};
  if (!readString(value, sizeof value, text, key) || value[0] == '\0') return v;
  const char* x = value + 1;
  v.x = toFloat(x);
  const char* y = std::strchr(x, ',');
  if (!y) return v;
  v.y = toFloat(y + 1);
  const char* z = std::strchr(y + 1, ',');
  if (z) v.z = toFloat(z + 1);
  return v;
}
