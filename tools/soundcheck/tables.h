// tables.h: the tables orbel-soundcheck prints, each with the targets the data
// is tuned to and whether the measure meets them.
#pragma once

#include <cstdint>
#include <string>

struct CheckOptions {
  std::string dataDirectory;
  int32_t repeats = 10;  // drops of each effect over each section
  uint32_t seed = 1;
};

// The music sections at full volume (the data's own level). Returns the level
// music's mean loudness (LUFS), what effects are set against.
double printMusicTable();
// Every effect alone at full volume against `musicLufs`.
void printEffectTable(double musicLufs);
// The water sounds looped: loudness and what happens at the loop point.
void printWaterTable();
// Loudness of the slider's test sound at slider positions, against the top.
void printSliderTable();
// Random drops over every section (and pile-ups), at default and full volumes.
void printDropTables(const CheckOptions& options);
