// The busiest frame of play on the recording device: the engine's own CPU cost of
// the game scene's update and drawing (busy_frame.h describes the frame).
#include "busy_frame.h"

namespace {

void BM_BusyFrameRecording(benchmark::State& state) {
  static const bool started = busy::startBusyFrame(AppGraphics::Null);
  if (!started) {
    state.SkipWithError("the program did not start on the data");
    return;
  }
  for (auto _ : state) {
    busy::restoreWhenTheMoveEnded(state);
    busy::runBusyFrame();
  }
  busy::reportFrame(state);
}

}  // namespace

BENCHMARK(BM_BusyFrameRecording)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
