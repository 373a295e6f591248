// The effects of a busy board in one frame: 1024 live particles of the generated
// data's mixed definitions, 2048 sparks of every preset and 8 lightning bolts,
// updated and drawn. On the recording device the time is the engine's own; on
// OpenGL (SDL_VIDEODRIVER=offscreen without a display) the draw calls count.
// Needs the generated data (build/Data).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bench_device.h"
#include "core/numeric.h"
#include "effects/effect_state.h"
#include "effects/effects.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/texture.h"
#include "resources/resources.h"

namespace {

constexpr float kFrameMs = 16.0f;
constexpr float kForever = 1.0e9f;

bool startDevice(DevBackend backend) {
  static bool started = false;
  static DevBackend current = DevBackend::Recording;
  if (started && current == backend) return true;
  if (started) {
    releaseAllTextures();
    releaseDevice();
    sysDestroyWindow();
    clearFileTable();
  }
  if (!openBenchDevice(backend, 800, 600)) return false;
  const std::string previous = sysCurrentDirectory();
  if (!sysChangeDirectory(ORBEL_DATA_DIR)) return false;
  openPack("targa.dat");
  openPack("jpeg.dat");
  loadEffects();
  initBoardEffects();
  sysChangeDirectory(previous.c_str());
  started = true;
  current = backend;
  return particleSystem.defCount > 0;
}

// What happens at one cell of a busy board, in the order the game starts it.
struct CellEvent {
  int32_t weight;
  const char* effects[4];
};
constexpr CellEvent kCellEvents[] = {
    {40, {"ball1", "ball2"}},                          // a ball pops
    {25, {"square1", "square2", "ball1", "ball2"}},    // ... on a square it clears
    {10, {"chain1", "chain2"}},                        // a chain breaks
    {8, {"bomb1", "bomb2"}},                           // a triple bomb goes off
    {5, {"dbomb1", "dbomb2"}},                         // a quadro bomb
    {6, {"diamond1", "diamond2"}},                     // a diamond
    {4, {"hammer", "ball1", "ball2"}},                 // the hammer strikes
    {2, {"addbomb2"}},                                 // a quadro bomb arrives
};

const CellEvent& randomEvent() {
  int32_t total = 0;
  for (const CellEvent& e : kCellEvents) total += e.weight;
  int32_t pick = effectRandomInt(total);
  for (const CellEvent& e : kCellEvents) {
    if (pick < e.weight) return e;
    pick -= e.weight;
  }
  return kCellEvents[0];
}

// Events at random cells, a frame apart, until the ring is full of live particles
// of every kind, which then live on.
void fillParticles() {
  clearParticles();
  for (int32_t i = 0; countLiveEffects().particles < kMaxParticles && i < 1000; ++i) {
    const Vec2 at = cellToOverlay(5 + effectRandomInt(20), 5 + effectRandomInt(15));
    for (const char* name : randomEvent().effects) {
      if (name) startEffect(name, at.x, at.y, kNoEffectTarget, kNoEffectTarget, 1.0f, -1);
    }
    updateParticles(kFrameMs);
  }
  // Held where they are, so every frame draws the same picture.
  for (Particle& p : particleSystem.particles) {
    p.lifetime = p.age + kForever;
    p.velocity = {0.0f, 0.0f, 0.0f};
    p.gravity = 0.0f;
  }
  for (Emitter& e : particleSystem.emitters) e.def = -1;
}

// Groups of sparks as the board and the game scene throw them, at random cells,
// until the ring is full; they last and stay as bright as they were born.
void fillSparks() {
  resetBoardEffects();
  for (int32_t i = 0; countLiveEffects().sparks < kMaxSparks && i < 1000; ++i) {
    const Vec2 at = cellToOverlay(5 + effectRandomInt(20), 5 + effectRandomInt(15));
    switch (effectRandomInt(8)) {
      case 0: startBoardEffectAt(at.x, at.y, 0); break;                  // growing rings
      case 1: startBoardEffectAt(at.x, at.y, 1); break;                  // an aimed move
      case 2: startBoardEffect(at.x, at.y, at.x + 80.0f, at.y, 4); break;  // a line and burst
      case 3: sparkRing(at.x, at.y, 30.0f, 20.0f, 5, 4); break;          // a figure-eight's ring
      case 4: sparkRing(at.x, at.y, 20.0f, 40.0f, 5, 5); break;          // an arrival's stars
      case 5: sparkLine(at.x, at.y, at.x + 120.0f, at.y - 40.0f, 4.0f, 12); break;  // a trail
      case 6: sparkRing(at.x + 12.0f, at.y + 13.0f, 0.0f, 3.0f, 6, 14); break;     // a fuse
      default: sparkRing(at.x, at.y, 10.0f, 10.0f, 32, 10); break;       // a cursor change
    }
  }
  for (Spark& s : boardEffects.sparks) {
    s.life = kForever;
    s.velocity = {0.0f, 0.0f};
    s.gravity = 0.0f;
    s.colorSpeed = {0.0f, 0.0f, 0.0f, 0.0f};
    s.sizeSpeed = 0.0f;
    if (s.size < 8.0f) s.size = 8.0f;
  }
}

// The game scene's camera and its share of a frame: the effects' updates (bolts
// re-added as the game does) and their draws.
void effectsFrame() {
  updateParticles(kFrameMs);
  updateBoardEffects(kFrameMs);
  clearLightningBolts();
  for (int32_t b = 0; b < 8; ++b) {
    const float x = -300.0f + 80.0f * float(b);
    addLightningBolt({x, 200.0f, 0.0f}, {x + 60.0f, -100.0f, 0.0f}, 25.0f, 1.5f, 15.0f, 8.0f,
                     kWhite, makeColor(55, 55, 255, 200));
  }
  clearTarget(0xFF101018u);
  clearDepth(1.0f);
  beginScene();
  setOrthoProjection(800.0f, 600.0f, 1.0f, 500.0f);
  Matrix4 view = identity();
  translate(&view, 0.0f, 0.0f, 50.0f);
  setViewTransform(&view);
  drawLightningBolts();
  drawBoardEffects();
  drawParticles();
  endScene();
  presentFrame();
}

void effectsFrames(benchmark::State& state, DevBackend backend) {
  if (!startDevice(backend)) {
    state.SkipWithError("no device or no generated data");
    return;
  }
  seedEffectRandom(3);
  fillParticles();
  fillSparks();
  for (auto _ : state) effectsFrame();
  const DevFrameStats gfx = lastFrameGfx();
  state.counters["particles"] = countLiveEffects().particles;
  state.counters["sparks"] = countLiveEffects().sparks;
  state.counters["drawCalls"] = gfx.drawCalls;
  state.counters["triangles"] = gfx.triangles;
}

void BM_EffectsRecording(benchmark::State& state) { effectsFrames(state, DevBackend::Recording); }
void BM_EffectsGL(benchmark::State& state) { effectsFrames(state, DevBackend::OpenGL); }

}  // namespace

BENCHMARK(BM_EffectsRecording)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EffectsGL)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
