// What one frame of the landscape costs: the update and the game scene's draw of
// the generated title landscape (sky, waterfall, spray, water, leaves), still and
// half-way through a crossfade, on the recording device (engine CPU) and on
// OpenGL at 800 x 600 (software GL under the offscreen driver).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bench_device.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "render/mesh.h"
#include "render/render.h"
#include "render/texture.h"
#include "resources/resources.h"
#include "scenery/scenery.h"

namespace {

bool openDevice(DevBackend backend) { return openBenchDevice(backend, 800, 600); }

// The title landscape, or the crossfade from background 1 to 2 at its middle.
bool showLandscape(bool crossfading) {
  if (!sysChangeDirectory(ORBEL_DATA_DIR)) return false;
  openPack("targa.dat");
  openPack("jpeg.dat");
  openPack("texts.dat");
  resetScenery();
  loadScenery();
  setBackgroundForLevel(crossfading ? 4 : -1);
  if (crossfading) {
    queueNextBackground(5);
    startBackgroundCrossfade();
  }
  return true;
}

void closeDevice(DevBackend backend) {
  resetScenery();
  releaseAllTextures();
  releaseAllMeshes();
  releaseDevice();
  clearFileTable();
  if (backend == DevBackend::OpenGL) sysShutdown();
}

void runFrames(benchmark::State& state, DevBackend backend) {
  if (!openDevice(backend) || !showLandscape(state.range(0) != 0)) {
    state.SkipWithError("no device or no generated data");
    return;
  }
  Matrix4 view = identity();
  translate(&view, 0.0f, 0.0f, 50.0f);
  const bool crossfading = state.range(0) != 0;
  float clock = 0.0f;
  for (int i = 0; i < 60; ++i) updateScenery(16.0f, clock += 16.0f);  // puffs in the air
  for (auto _ : state) {
    clearDepth(1.0f);
    beginScene();
    begin2D();
    setViewTransform(&view);
    if (crossfading) scenery.fadeTimer = 1516.0f;  // held half-way through the fade
    updateScenery(16.0f, clock += 16.0f);
    drawSceneryWithTransition();
    endScene();
    presentFrame();
  }
  const DevFrameStats gfx = lastFrameGfx();
  state.counters["drawCalls"] = gfx.drawCalls;
  state.counters["triangles"] = gfx.triangles;
  closeDevice(backend);
}

void BM_SceneryFrameRecording(benchmark::State& state) { runFrames(state, DevBackend::Recording); }
void BM_SceneryFrameGL(benchmark::State& state) { runFrames(state, DevBackend::OpenGL); }

}  // namespace

BENCHMARK(BM_SceneryFrameRecording)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SceneryFrameGL)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
