// bench_device.h: the drawing device the benchmarks measure on: a window of the
// given client size, hidden on the offscreen driver for OpenGL or headless for the
// recording device, with the device made on it; the window's size and the scene's
// limit a frame benchmark measures at.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>

#include "platform/device.h"
#include "platform/platform.h"
#include "render/render.h"

// Resets the renderer, sets the display to width x height and makes the window and
// the device. False when either cannot be made.
inline bool openBenchDevice(DevBackend backend, int32_t width, int32_t height) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  resetRender();
  display.screenWidth = width;
  display.screenHeight = height;
  if (backend == DevBackend::OpenGL) {
    SysWindowDesc desc = {};
    desc.title = "bench";
    desc.placement = {width, height, 0, 0, false, false};
    desc.openGL = true;
    desc.hidden = true;
    if (!sysInit() || !sysCreateWindow(desc)) return false;
  } else {
    sysCreateHeadlessWindow(width, height);
  }
  return createDevice(backend);
}

// The window at width x height client pixels (the scene at the largest 4:3 size in
// it, bars beside or above), the scene drawn at most limitWidth wide (0: at the
// viewport's own size) and scaled once. On the offscreen driver the drawable is an
// off-screen picture of the window's size, as a full-screen window's would be.
inline void showSceneAt(int32_t width, int32_t height, int32_t limitWidth) {
  sysSetWindowSize(width, height);
  devSetSceneLimit(limitWidth, limitWidth * 3 / 4);
  int32_t x = 0, y = 0, w = 0, h = 0;
  sysGetViewportRect(&x, &y, &w, &h);
  setCameraProjection(w, h);
}

// The sizes the frame benchmarks measure at: the window's client width and height
// and the scene limit's width.
inline void sceneSizes(benchmark::internal::Benchmark* b) {
  b->ArgNames({"width", "height", "limit"});
  b->Args({800, 600, 0})->Args({1920, 1080, 0})->Args({1920, 1080, 800})->Args({1920, 1080, 1024});
}
