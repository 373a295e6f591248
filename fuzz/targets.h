// targets.h: every reader of the game's files as the game calls it, one entry per
// reader, taking any bytes at all. The libFuzzer programs (one per entry) and the
// regression tests (tests/fuzz/) call the same entries, so an input that once
// crashed a reader is replayed exactly as it was found.
#pragma once

#include <cstddef>
#include <cstdint>

struct FuzzTarget {
  const char* name;  // the folder of its corpus, seeds and regression inputs
  // Reads `data` as the game reads such a file and uses what it read as the game
  // does; must neither crash, hang nor leak. Null while the reader is still to come.
  void (*run)(const uint8_t* data, size_t size);
  const char* pending;  // why run is null
};

extern const FuzzTarget kFuzzTargets[];
extern const int kFuzzTargetCount;

// The entry named `name`, or null.
const FuzzTarget* findFuzzTarget(const char* name);

// Once per process before any run: headless drivers, the recording device, the
// null sound output, the modules connected, and a private folder (removed at exit)
// that is the data directory, its "settings" folder and the config folder of the
// settings value. Returns false with a reason on stderr when it cannot.
bool prepareFuzzing();
