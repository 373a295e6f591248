// The busiest frame of play rendered with OpenGL (Mesa's software GL with
// SDL_VIDEODRIVER=offscreen when there is no display) in an 800 x 600 window and
// at 1920 x 1080, drawn at full size or capped (busy_frame.h describes the frame). With ORBEL_BENCH_SHOT naming a file, the frame measured is
// also written there as a PNG, to look at.
#include <cstdlib>
#include <vector>

#include "bench_device.h"
#include "busy_frame.h"
#include "platform/picture.h"

namespace {

void writeShot() {
  const char* path = std::getenv("ORBEL_BENCH_SHOT");
  if (!path || !devExists()) return;
  devKeepPresentedFrame(true);
  busy::runBusyFrame();
  std::vector<uint8_t> rgba;
  int32_t w = 0, h = 0;
  if (devPresentedFrame(&rgba, &w, &h)) picWritePng(path, rgba.data(), w, h);
}

void BM_BusyFrameGL(benchmark::State& state) {
  busy::runBusyBenchmark(state, AppGraphics::GL, [&] {
    showSceneAt(int32_t(state.range(0)), int32_t(state.range(1)), int32_t(state.range(2)));
  });
  writeShot();
}

}  // namespace

BENCHMARK(BM_BusyFrameGL)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(sceneSizes);

BENCHMARK_MAIN();
