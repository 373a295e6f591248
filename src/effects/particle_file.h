// particle_file.h: the particle effect definitions, one ".par" file per effect in
// the "effects" folder. Each key ("parfrequency=", "color0=", ...) is found by its
// first occurrence anywhere in the file and read up to the end of its line; an
// absent key keeps its default. The effect's name is the file name up to its
// first ".".
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/math.h"

// Names of effects and of the effects they start are at most 31 characters.
constexpr int32_t kMaxEffectName = 32;
// An effect starts at most this many further effects with itself.
constexpr int32_t kMaxExternEffects = 8;

struct EffectDef {
  char name[kMaxEffectName];
  char externEffects[kMaxExternEffects][kMaxEffectName];  // "" = unused slot
  float parFrequency;   // emitter: particles per second; one-shot: particle count
  ColorF color0;        // at birth (default opaque white)
  ColorF color0Dev;
  ColorF color1;        // at death
  ColorF color1Dev;
  float radius0, radius0Dev;  // side of the particle square at birth, units
  float radius1, radius1Dev;  // at death
  float parTime, parTimeDev;  // particle lifetime, ms
  Vec3 positionDev;
  Vec3 speed, speedDev;       // units per second
  float gravity, gravityDev;  // downward, units per second squared
  int32_t blendType;          // 0 additive by colour, 1 alpha blending
  int32_t numParticle;        // sprite cell of "particles.tga"
  float rot, rotDev;          // degrees
  float dRot, dRotDev;        // degrees per second
  float effectTime;           // emitter lifetime, ms; 0 = one-shot burst
  float polarPar[4], polarParDev[4];  // particle orbit: radius, radial speed, angle, angular speed
  float lissParX[3], lissParY[3];     // particle Lissajous: amplitude, frequency, phase
  int32_t simetria;           // particles per emission at symmetric angles
  int32_t simetriaPar;        // symmetric draw copies of each particle
  float polar[4], polarDev[4];        // emitter orbit
  float lissX[3], lissY[3];           // emitter Lissajous
};

// The effect name of a file name: up to the first "." and at most 31 characters.
// Returns false when the name had to be cut.
bool effectNameOfFile(const char* fileName, char out[kMaxEffectName]);
// Parses one definition (bytes need no NUL). External effect names longer than
// 31 characters are cut; numbers that are not finite read as 0. Never fails: absent
// keys keep their defaults.
void parseEffectDef(const char* fileName, const uint8_t* bytes, size_t size, EffectDef* out);
