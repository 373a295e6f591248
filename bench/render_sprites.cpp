// Frame time and draw calls of many sprites sharing one texture and state, on the
// OpenGL backend (run with SDL_VIDEODRIVER=offscreen when there is no display) and
// on the recording backend (the cost of the front end alone).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "bench_device.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/texture.h"

namespace {

bool startDevice(DevBackend backend) {
  static bool started = false;
  static DevBackend current = DevBackend::Recording;
  if (started && current == backend) return true;
  if (started) {
    releaseAllTextures();
    releaseDevice();
    sysDestroyWindow();
  }
  if (!openBenchDevice(backend, 800, 600)) return false;
  TextureEntry* t = createEmptyTexture("bench sprite", 16, 16, PixelFormat::A8R8G8B8);
  int32_t pitch = 0;
  uint8_t* texels = lockTexture(t, &pitch);
  for (int i = 0; i < 16 * 16 * 4; ++i) texels[i] = uint8_t(i % 4 == 3 ? 160 : 200);
  unlockTexture(t);
  started = true;
  current = backend;
  return true;
}

// One whole frame of `count` 16 x 16 blended sprites spread over the screen.
void drawSpriteFrame(int count) {
  static const UvRect uv = {0.0f, 0.0f, 1.0f, 1.0f};
  clearTarget(0xFF202020u);
  clearDepth(1.0f);
  beginScene();
  begin2D();
  setTexture(findTexture("bench sprite"));
  for (int i = 0; i < count; ++i) {
    const float x = float((i * 37) % 784) - 392.0f;
    const float y = float((i * 53) % 584) - 292.0f;
    drawSprite(x, y, 16.0f, 16.0f, uv, 0xFFFFFFFFu, 10.0f);
  }
  endScene();
  presentFrame();
}

void spriteFrames(benchmark::State& state, DevBackend backend) {
  if (!startDevice(backend)) {
    state.SkipWithError("no device");
    return;
  }
  const int count = int(state.range(0));
  for (auto _ : state) drawSpriteFrame(count);
  const DevFrameStats gfx = lastFrameGfx();
  state.counters["drawCalls"] = gfx.drawCalls;
  state.counters["triangles"] = gfx.triangles;
}

void BM_SpritesGL(benchmark::State& state) { spriteFrames(state, DevBackend::OpenGL); }
void BM_SpritesRecording(benchmark::State& state) { spriteFrames(state, DevBackend::Recording); }

}  // namespace

BENCHMARK(BM_SpritesGL)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpritesRecording)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
