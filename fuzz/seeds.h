// seeds.h: the first inputs of every fuzz target, taken from a Data folder the data
// tool wrote, and made with the game's own writers for the player's files.
#pragma once

#include <string>

// Writes OUT/<target>/<name> for every target that has a reader; call after
// prepareFuzzing (the player's files are saved in its private folder first). The
// working directory is kept; the file table, text table, game and profiles are left
// empty. Returns false with a reason when the data cannot be read.
bool writeFuzzSeeds(const std::string& dataDir, const std::string& outDir, std::string* error);
