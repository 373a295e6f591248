// bench_device.h: the drawing device the benchmarks measure on: a window of the
// given client size, hidden on the offscreen driver for OpenGL or headless for the
// recording device, with the device made on it.
#pragma once

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
