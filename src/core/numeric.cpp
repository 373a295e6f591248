// numeric.cpp: the table square root, the runtime random generator and the
// table stream.
#include "core/numeric.h"

#include <array>
#include <bit>

namespace {

// floor(sqrt(n)) by Newton's iteration from a guess at or above the root; the
// table's roots climb by about 256 per entry, so a guess from the previous entry
// settles in two or three steps and the compiler can build the table quickly.
constexpr uint64_t integerSqrt(uint64_t n, uint64_t guess) {
  uint64_t x = guess;
  uint64_t y = (x + n / x) / 2;
  while (y < x) {
    x = y;
    y = (x + n / x) / 2;
  }
  return x;
}

// The 23-bit mantissa of the correctly rounded root of n, where n = x * 2^46
// for x in [1, 4): the root is sqrt(x) * 2^23 in [2^23, 2^24).
constexpr uint32_t roundedMantissa(uint64_t n, uint64_t root) {
  // Round to nearest: (root + 1/2)^2 = root^2 + root + 1/4, never hit exactly.
  const uint64_t rounded = n - root * root > root ? root + 1 : root;
  return static_cast<uint32_t>(rounded - (uint64_t{1} << 23));
}

constexpr SqrtTable buildSqrtTable() {
  SqrtTable table{};
  constexpr int32_t kHalf = kSqrtTableSize / 2;
  constexpr uint64_t kStart = uint64_t{1} << 24;  // above every root
  uint64_t upperRoot = kStart;
  uint64_t lowerRoot = kStart;
  for (int32_t i = 0; i < kHalf; i++) {
    // The float with top mantissa bits i, its hidden bit set.
    const uint64_t significand = (uint64_t{1} << 23) + static_cast<uint64_t>(i) * 256u;
    const uint64_t upperN = significand << 24;  // x in [2, 4)
    const uint64_t lowerN = significand << 23;  // x in [1, 2)
    upperRoot = integerSqrt(upperN, i == 0 ? kStart : upperRoot + 1024);
    lowerRoot = integerSqrt(lowerN, i == 0 ? kStart : lowerRoot + 1024);
    table[i] = roundedMantissa(upperN, upperRoot);
    table[kHalf + i] = roundedMantissa(lowerN, lowerRoot);
  }
  return table;
}

// Filled by the compiler, so fastSqrt is right even before start-up.
constexpr SqrtTable kSqrtTable = buildSqrtTable();

// Random state: process lifetime. The runtime generator and the effect generator
// start as if seeded with 1 and are reseeded by seedRandom and seedEffectRandom;
// the table stream by seedTableRandom.
struct NumericState {
  uint32_t randomState = 1;
  uint32_t effectRandomState = 1;
  int32_t tableRandomFirst = 0;
  int32_t tableRandomSecond = 0;
};
NumericState numeric;

// a mod 256 in 0..255, also for negative a (a negative seed gives negative positions).
int32_t wrapByte(int32_t a) { return ((a % 256) + 256) % 256; }

}  // namespace


const uint8_t tableRandomBytes[256] = {
    148,  16,  43, 249, 225, 161, 196,  87, 147, 235, 189, 164,  30, 122,  62, 163,
    160,  75,  97, 176,  57, 100,  32, 198,  25, 108, 123, 129, 206, 130, 145, 239,
    115, 155,  26, 157,  17, 200, 150, 117,  68,  78, 182,   6, 251,  70, 202,  39,
      1, 142, 167, 177,  33, 242,  45, 120, 125, 234,   8, 111,  50,  23, 165, 128,
    110,  82,   3, 244, 201, 107, 149,  49, 197, 203,  28,  65, 220, 255, 156,  20,
    121, 127, 227, 243, 195,  81,  69, 162, 137, 124,   5,  79,  10,  35,  54, 135,
     99,  44, 214, 237, 213,  98,  52,  18,  41,  27, 229, 250,  90, 231, 223,  36,
    143, 139, 168, 113, 131,  48,   9, 185,  88,  86,  42, 101, 158, 140, 217, 114,
     13, 192,  72, 219,  47, 208, 126,  40,  56,  73, 153, 236, 190, 119, 180,  89,
     80,  61,  22,  34, 151, 116, 166,  67,  64,  19,  37, 141,  11, 194, 134, 215,
    184, 253, 222, 245, 138, 246,   2, 133, 216, 224,  74, 171, 210, 187, 228, 240,
    144,  29,  15, 188, 112, 218, 204,  24,  92, 103, 132, 178,  84, 226, 199, 170,
    205, 212, 109, 252, 136,  55,  58,  96,  71, 247, 254, 146, 233,  14, 181,  63,
    105,  95, 169, 186, 175, 159, 118, 209,  53, 102, 106, 211, 241, 232,  60,   0,
     83,  51,   7, 238,  46,  21, 154, 174,  76, 191,  91, 104,  12, 248,  31, 152,
    230,  77, 173, 179,  59,   4,  85,  94, 221, 193, 183,  93,  38, 207,  66, 172,
};

// ---------------------------------------------------------------------------
// Table square root

const SqrtTable& sqrtTable() { return kSqrtTable; }

void initFastSqrt() {}

float fastSqrt(float x) {
  const uint32_t b = std::bit_cast<uint32_t>(x);
  // Zero, negative zero and every negative input (sign bit set) give 0.
  if (static_cast<int32_t>(b) <= 0) return 0.0f;
  const uint32_t exponent = (((b - 0x3F800000u) >> 1) + 0x3F800000u) & 0x7F800000u;
  return std::bit_cast<float>(exponent | kSqrtTable[(b >> 8) & 0xFFFFu]);
}

// ---------------------------------------------------------------------------
// Runtime generator

namespace {

int32_t nextRaw(uint32_t* state) {
  *state = *state * 214013u + 2531011u;
  return static_cast<int32_t>((*state >> 16) & 0x7FFFu);
}

int32_t intFrom(int32_t raw, int32_t n) { return n <= 0 ? 0 : raw % n; }

float signedFrom(int32_t raw, float x) {
  const float r = static_cast<float>(raw);
  return (2.0f * r - static_cast<float>(kRandomMax)) / static_cast<float>(kRandomMax) * x;
}

float unitFrom(int32_t raw, float x) {
  return static_cast<float>(raw) / static_cast<float>(kRandomMax) * x;
}

}  // namespace

void seedRandom(uint32_t seed) { numeric.randomState = seed; }
int32_t randomRaw() { return nextRaw(&numeric.randomState); }
int32_t randomInt(int32_t n) { return n <= 0 ? 0 : intFrom(randomRaw(), n); }
float randomSigned(float x) { return signedFrom(randomRaw(), x); }
float randomUnit(float x) { return unitFrom(randomRaw(), x); }

void seedEffectRandom(uint32_t seed) { numeric.effectRandomState = seed; }
int32_t effectRandomRaw() { return nextRaw(&numeric.effectRandomState); }
int32_t effectRandomInt(int32_t n) { return n <= 0 ? 0 : intFrom(effectRandomRaw(), n); }
float effectRandomSigned(float x) { return signedFrom(effectRandomRaw(), x); }
float effectRandomUnit(float x) { return unitFrom(effectRandomRaw(), x); }

// ---------------------------------------------------------------------------
// Table stream

void seedTableRandom(int32_t s) {
  numeric.tableRandomFirst = s / 256;
  numeric.tableRandomSecond = s % 256;
}

int32_t tableRandomValue() {
  numeric.tableRandomFirst = wrapByte(numeric.tableRandomFirst + 1);
  numeric.tableRandomSecond = wrapByte(numeric.tableRandomSecond + 3);
  return tableRandomBytes[numeric.tableRandomFirst] * 256 +
         tableRandomBytes[numeric.tableRandomSecond];
}

int32_t tableRandomInt(int32_t n) {
  const int32_t value = tableRandomValue();
  if (n <= 0) return 0;
  return value % n;
}

float tableRandomSigned(float x) {
  return static_cast<float>(tableRandomValue()) / 32768.0f * x - x;
}

float tableRandomUnit(float x) {
  return static_cast<float>(tableRandomValue()) * x / 65536.0f;
}
