// session.h: the game's own sound path (the audio module over the null output),
// loaded from a data folder and advanced by hand, as the measures need it: an
// effect alone, one pass of a music section, random drops of effects over the
// music, and a looped sound.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "meter.h"

// Slider positions, 0..99, as the options screen stores them.
struct Volumes {
  int32_t music;
  int32_t effects;
};
constexpr Volumes kDefaultVolumes = {90, 90};
constexpr Volumes kFullVolumes = {99, 99};

// The music sections the game asks for, in order.
constexpr int32_t kSectionCount = 7;

// Loads every effect of DIR/Sounds and DIR/music.mo3 on the null output. False
// (with `error`) when the folder has no effects or no module.
bool openSession(const std::string& dataDirectory, std::string* error);
void closeSession();
// The effects loaded, in load order.
std::vector<std::string> effectNames();

// The effect started on silence and rendered until it has ended.
Frames renderEffectAlone(const std::string& name, Volumes volumes);
// One pass of the section's loop from its first order, or `limitSeconds` of a
// section that never leaves its first order; `loopSeconds` gets the length.
Frames renderSectionPass(int32_t section, Volumes volumes, double limitSeconds,
                         double* loopSeconds);
// `name` started looped on silence, `seconds` of it.
Frames renderLooped(const std::string& name, Volumes volumes, double seconds);

// What random drops of one effect (or several at once) made of the output.
struct DropTally {
  int32_t drops = 0;
  int32_t clippedDrops = 0;     // drops with at least one sample at full scale
  uint64_t clippedSamples = 0;
  double peakDb = kSilentDb;    // the highest output sample while it sounded
  int32_t limitedDrops = 0;     // drops the output limiter cut by more than 0.5 dB
  double deepestDb = 0.0;       // the limiter's deepest cut, dB
};

// A drop: the effects started together.
using Drop = std::vector<std::string>;

// Plays `section` and drops every entry of `drops` `repeats` times over it, in
// random order and at random moments; tallies[i] collects drops[i].
void dropOverSection(int32_t section, Volumes volumes, const std::vector<Drop>& drops,
                     int32_t repeats, std::mt19937* random, std::vector<DropTally>* tallies);
// The same with the music silent.
void dropOnSilence(Volumes volumes, const std::vector<Drop>& drops, int32_t repeats,
                   std::mt19937* random, std::vector<DropTally>* tallies);

// Frames of a loaded effect (0 when it is not loaded).
uint32_t effectFrames(const std::string& name);
