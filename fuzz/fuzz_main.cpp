// orbel-fuzz: the libFuzzer program of every reader. The environment variable
// ORBEL_FUZZ_TARGET names the entry of targets.cpp it fuzzes:
//   ORBEL_FUZZ_TARGET=level orbel-fuzz -max_total_time=60 CORPUS SEEDS
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "targets.h"

namespace {

const FuzzTarget* g_target = nullptr;

// The game works in its data folder, the fuzzer's private one: folders, inputs and
// the artifact prefix given relative to where the fuzzer was started are made
// absolute first, and crashes land there too unless told otherwise.
void makePathsAbsolute(int* argc, char*** argv) {
  static std::vector<std::string> args;
  static std::vector<char*> pointers;
  const std::string here = sysCurrentDirectory() + "/";
  bool prefixGiven = false;
  for (int i = 0; i < *argc; ++i) {
    std::string arg = (*argv)[i];
    const char* const kPrefix = "-artifact_prefix=";
    const size_t prefixLength = std::strlen(kPrefix);
    if (arg.compare(0, prefixLength, kPrefix) == 0) {
      prefixGiven = true;
      if (arg.size() > prefixLength && arg[prefixLength] != '/') arg.insert(prefixLength, here);
    } else if (i > 0 && !arg.empty() && arg[0] != '-' && arg[0] != '/') {
      arg.insert(0, here);
    }
    args.push_back(arg);
  }
  if (!prefixGiven) args.push_back("-artifact_prefix=" + here);
  for (std::string& arg : args) pointers.push_back(arg.data());
  pointers.push_back(nullptr);
  *argc = int(args.size());
  *argv = pointers.data();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  const char* name = std::getenv("ORBEL_FUZZ_TARGET");
  g_target = name ? findFuzzTarget(name) : nullptr;
  if (!g_target || !g_target->run) {
    std::fprintf(stderr, "orbel-fuzz: ORBEL_FUZZ_TARGET names no reader to fuzz (%s)\n",
                 name ? name : "not set");
    std::exit(2);
  }
  makePathsAbsolute(argc, argv);
  if (!prepareFuzzing()) std::exit(2);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  g_target->run(data, size);
  return 0;
}
