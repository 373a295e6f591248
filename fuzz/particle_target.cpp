// The fuzz entry of the particle effect definitions. Kept apart: effects.h and
// particle_file.h both name the effect name's size and cannot meet in one file.
#include "effects/particle_file.h"
#include "targets_local.h"

void runParticleDef(const uint8_t* data, size_t size) {
  EffectDef def;
  parseEffectDef("fuzz.par", data, size, &def);
  char name[kMaxEffectName];
  effectNameOfFile("fuzz.par", name);
}
