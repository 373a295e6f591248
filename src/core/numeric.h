// numeric.h: the table square root used for every vector length, and the random
// numbers: the program's own 15-bit runtime generator with its three small
// operations, and the reseedable table stream that repeats the same cosmetic
// values every time the board game seeds it.
#pragma once

#include <array>
#include <cstdint>

// ---------------------------------------------------------------------------
// Table square root

// Entries 0..32767: mantissas of sqrt(x) for x in [2, 4), entry i for the float
// with bits 0x40000000 + i * 256; entries 32768..65535: the same for x in [1, 2)
// from bits 0x3F800000 + i * 256. Built by the compiler, so it is ready before
// any code runs.
constexpr int32_t kSqrtTableSize = 65536;
using SqrtTable = std::array<uint32_t, kSqrtTableSize>;
const SqrtTable& sqrtTable();

// Start-up hook for the square-root table. The table is a compile-time constant,
// so there is nothing left to do; kept so start-up reads as one sequence.
void initFastSqrt();
// Square root from the table, relative error below 2e-5; fastSqrt(0) is 0. Zero,
// negative numbers and negative NaNs return 0; +infinity, positive NaNs and
// denormals return finite but meaningless values (callers pass squared lengths).
float fastSqrt(float x);

// ---------------------------------------------------------------------------
// Runtime generator: a linear congruential generator with 15-bit results, the
// same sequence for a given seed on every machine.

constexpr int32_t kRandomMax = 32767;

// Restarts the sequence (start-up passes the clock or the runner's seed).
void seedRandom(uint32_t seed);
// The next raw value, 0..32767.
int32_t randomRaw();
// 0..n-1 (values above 32767 are never reached); 0 when n <= 0.
int32_t randomInt(int32_t n);
// Uniform in [-x, x], both ends reachable.
float randomSigned(float x);
// Uniform in [0, x], both ends reachable.
float randomUnit(float x);

// ---------------------------------------------------------------------------
// Effect generator: the same generator with a state of its own for what is only
// shown (particles, sparks, stars, bolts), so that which effects ran never changes
// the game's own random numbers. The same operations as above.

void seedEffectRandom(uint32_t seed);
int32_t effectRandomRaw();
int32_t effectRandomInt(int32_t n);
float effectRandomSigned(float x);
float effectRandomUnit(float x);

// ---------------------------------------------------------------------------
// Table stream: two positions walking a fixed permutation of 0..255.

// A fixed permutation of 0..255.
extern const uint8_t tableRandomBytes[256];

// Restarts the stream: first position s / 256, second s mod 256.
void seedTableRandom(int32_t s);
// The next stream value, 0..65535.
int32_t tableRandomValue();
// value mod n; 0 when n <= 0.
int32_t tableRandomInt(int32_t n);
// In [-x, x).
float tableRandomSigned(float x);
// In [0, x).
float tableRandomUnit(float x);
