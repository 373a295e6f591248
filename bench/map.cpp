// The map scene's frames on the generated data: the adventure map with its 70 marks,
// artefacts, miniature and the level choice over it, and the survival chart at rest
// and while its strip glides across the levels. ORBEL_BENCH_GL=1 draws with OpenGL
// (hidden 800 x 600 window, SDL's offscreen driver), otherwise the recording device
// measures the engine's own CPU cost.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "app/app.h"
#include "app/scene.h"
#include "input/input.h"
#include "persistence/profile.h"
#include "platform/device.h"
#include "render/render.h"
#include "ui/menu.h"

namespace {

constexpr float kFrameMs = 16.0f;

bool useGL() {
  const char* gl = std::getenv("ORBEL_BENCH_GL");
  return gl && std::strcmp(gl, "1") == 0;
}

bool startMap() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  AppOptions options;
  options.graphics = useGL() ? AppGraphics::GL : AppGraphics::Null;
  options.fullScreenAnswer = AppFullScreenAnswer::No;
  options.takeInstanceLock = false;
  options.framesPerSecond = 0;  // never held to the display
  options.hiddenWindow = true;
  options.dataDirectory = ORBEL_DATA_DIR;
  options.hasSeed = true;
  options.seed = 1;
  options.windowWidth = 800;
  options.windowHeight = 600;
  int exitCode = 0;
  if (!appStart(options, &exitCode)) return false;
  if (profileTable.profileCount == 0) createProfile("BENCH");
  input.mapAllStagesOpen = 1;  // every mark open, every artefact lit
  setCurrentSceneDirectly(&mapScene);
  return true;
}

void mapFrame() {
  app.frameDelta = kFrameMs;
  clearDepth(1.0f);
  beginScene();
  mapScene.onFrame();
  endScene();
  presentFrame();
  app.totalTime += kFrameMs;
}

// Frames of `screen` until its slide has ended, then the measured ones; `step`
// moves the survival start level by that much every frame (0: at rest).
void benchScreen(benchmark::State& state, const char* screen, int32_t step) {
  static const bool started = startMap();
  if (!started) {
    state.SkipWithError("the program did not start on the data");
    return;
  }
  openScreenByName(screen);
  for (int i = 0; i < 40; ++i) mapFrame();
  for (auto _ : state) {
    menu.survivalStartLevel = int16_t((menu.survivalStartLevel + step) % 70);
    mapFrame();
  }
  const DevFrameStats gfx = lastFrameGfx();
  state.counters["drawCalls"] = gfx.drawCalls;
  state.counters["triangles"] = gfx.triangles;
}

void BM_AdventureMapFrame(benchmark::State& state) { benchScreen(state, "adventure", 0); }
void BM_SurvivalChartFrame(benchmark::State& state) { benchScreen(state, "survival", 0); }
void BM_SurvivalChartGliding(benchmark::State& state) { benchScreen(state, "survival", 1); }

}  // namespace

BENCHMARK(BM_AdventureMapFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SurvivalChartFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SurvivalChartGliding)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
