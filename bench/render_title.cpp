// Frame time and draw calls of the title screen (picture, loading bar, two glows
// and the pulsing line) on the OpenGL backend, with pictures made in memory, in
// 640 x 480 and 800 x 600 windows and at 1920 x 1080, drawn at full size or capped.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "bench_device.h"
#include "app/app.h"
#include "app/scene.h"
#include "input/input.h"
#include "platform/device.h"
#include "platform/picture.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/texture.h"
#include "resources/resources.h"

namespace {

// Picture files of one colour, kept for the whole run (the file table points at them).
void addPicture(const char* name, int w, int h, uint8_t level) {
  static std::vector<std::vector<uint8_t>> files;
  std::vector<uint8_t> rgba(size_t(w) * size_t(h) * 4, level);
  std::vector<uint8_t> bytes;
  picEncodeTga(rgba.data(), w, h, &bytes);
  files.push_back(bytes);
  registerFile(name, uint32_t(files.back().size()), files.back().data(), false);
}

bool startTitle() {
  resetApp();
  if (!openBenchDevice(DevBackend::OpenGL, 640, 480)) return false;
  addPicture("loadscreen.jpg", 800, 600, 90);
  addPicture("loadbar.jpg", 310, 48, 200);
  addPicture("particles.tga", 512, 512, 160);
  loadLoadingScreen();
  setCameraProjection(640, 480);
  setCurrentSceneDirectly(&loadingScene);
  return true;
}

void BM_TitleFrame(benchmark::State& state) {
  static const bool started = startTitle();
  if (!started) {
    state.SkipWithError("no device");
    return;
  }
  showSceneAt(int32_t(state.range(0)), int32_t(state.range(1)), int32_t(state.range(2)));
  for (auto _ : state) {
    app.frameDelta = 16.0f;
    clearDepth(1.0f);
    beginScene();
    loadingScene.onFrame();
    drawDebugOverlay(app.fpsText);
    endScene();
    presentFrame();
  }
  const DevFrameStats gfx = lastFrameGfx();
  state.counters["drawCalls"] = gfx.drawCalls;
  state.counters["triangles"] = gfx.triangles;
}

}  // namespace

// 640 x 480 first: the window the title was measured in before it could be resized.
BENCHMARK(BM_TitleFrame)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Args({640, 480, 0})
    ->Apply(sceneSizes);

BENCHMARK_MAIN();
