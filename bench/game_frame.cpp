// The busiest frame of play on the recording device: the engine's own CPU cost of
// the game scene's update and drawing (busy_frame.h describes the frame).
#include "busy_frame.h"

namespace {

void BM_BusyFrameRecording(benchmark::State& state) {
  busy::runBusyBenchmark(state, AppGraphics::Null, [] {});
}

}  // namespace

BENCHMARK(BM_BusyFrameRecording)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
