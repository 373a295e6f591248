// orbel-fuzz-seeds DATA OUT: the first inputs of every fuzz target, from a Data
// folder the data tool wrote, in OUT/<target>/. Prints the targets to fuzz, one a
// line; those whose reader is still to come are named on stderr.
#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "seeds.h"
#include "targets.h"

namespace {

std::string absolute(const std::string& path) {
  return path[0] == '/' ? path : sysCurrentDirectory() + "/" + path;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: orbel-fuzz-seeds DATA OUT\n");
    return 2;
  }
  const std::string data = absolute(argv[1]), out = absolute(argv[2]);
  std::string error;
  if (!prepareFuzzing()) return 1;
  if (!writeFuzzSeeds(data, out, &error)) {
    std::fprintf(stderr, "orbel-fuzz-seeds: %s\n", error.c_str());
    return 1;
  }
  for (int i = 0; i < kFuzzTargetCount; ++i) {
    const FuzzTarget& target = kFuzzTargets[i];
    if (target.run) {
      std::printf("%s\n", target.name);
    } else {
      std::fprintf(stderr, "orbel-fuzz-seeds: %s not fuzzed yet: %s\n", target.name,
                   target.pending);
    }
  }
  return 0;
}
