// orbel-soundcheck: measures the game's mix through the game's own sound path
// (the null output advanced by hand) and prints the table the data is tuned to:
// the music sections' loudness, peaks and balance; every effect's level against
// the music; random drops of every effect (and a few pile-ups) over every section
// at the default and at full volumes, counting clipped samples; the water loops'
// joins; and the volume sliders' loudness steps.
//
//   orbel-soundcheck [--drops N] [--seed N] DATA
//
// DATA is a generated data folder (build/Data); --drops 0 leaves the drops out.
// Exit status: 0 measured, 1 the
// folder cannot be loaded, 2 bad usage.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "meter.h"
#include "session.h"
#include "tables.h"

namespace {

int usage(const char* why) {
  std::fprintf(stderr, "orbel-soundcheck: %s\nusage: orbel-soundcheck [--drops N] [--seed N] DATA\n",
               why);
  return 2;
}

bool readCount(const char* text, long low, long high, long* out) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (!*text || *end || value < low || value > high) return false;
  *out = value;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  CheckOptions options;
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    long value = 0;
    if (std::strcmp(argv[i], "--drops") == 0 && hasValue && readCount(argv[i + 1], 0, 1000, &value)) {
      options.repeats = int32_t(value);
      ++i;
    } else if (std::strcmp(argv[i], "--seed") == 0 && hasValue &&
               readCount(argv[i + 1], 0, 1L << 30, &value)) {
      options.seed = uint32_t(value);
      ++i;
    } else if (options.dataDirectory.empty() && argv[i][0] != '-') {
      options.dataDirectory = argv[i];
    } else {
      return usage((std::string("bad option ") + argv[i]).c_str());
    }
  }
  if (options.dataDirectory.empty()) return usage("no data folder given");
  std::string error;
  if (!openSession(options.dataDirectory, &error)) {
    std::fprintf(stderr, "orbel-soundcheck: %s\n", error.c_str());
    return 1;
  }
  const double music = printMusicTable();
  printEffectTable(music);
  printWaterTable();
  printSliderTable();
  if (options.repeats > 0) printDropTables(options);
  closeSession();
  return 0;
}
