// Where the 800 x 600 scene lies in the window: the pointer's client pixels to
// overlay units and back, and the scale the scene is drawn at. The platform says
// where the scene's rectangle lies in the drawable; client pixels and drawable
// pixels differ on a HiDPI display, so both sizes are read each time.
#include <algorithm>
#include <cmath>

#include "platform/device.h"
#include "platform/platform.h"
#include "render/text.h"

SceneArea sceneArea() {
  int32_t clientWidth = 0, clientHeight = 0, drawableWidth = 0, drawableHeight = 0;
  sysGetClientSize(&clientWidth, &clientHeight);
  sysGetDrawableSize(&drawableWidth, &drawableHeight);
  int32_t x = 0, y = 0, w = 0, h = 0;
  sysGetViewportRect(&x, &y, &w, &h);
  if (drawableWidth <= 0 || drawableHeight <= 0 || w <= 0 || h <= 0) return {0, 0, 0, 0};
  const float perPixelX = float(clientWidth) / float(drawableWidth);
  const float perPixelY = float(clientHeight) / float(drawableHeight);
  // The viewport counts rows from the bottom.
  return {float(x) * perPixelX, float(drawableHeight - y - h) * perPixelY, float(w) * perPixelX,
          float(h) * perPixelY};
}

bool cursorToOverlay(int32_t clientX, int32_t clientY, float* x, float* y) {
  const SceneArea a = sceneArea();
  if (a.width <= 0.0f || a.height <= 0.0f) {
    *x = *y = 0.0f;
    return false;
  }
  *x = (float(clientX) - a.left) * 800.0f / a.width - 400.0f;
  *y = 300.0f - (float(clientY) - a.top) * 600.0f / a.height;
  return *x >= -400.0f && *x < 400.0f && *y <= 300.0f && *y > -300.0f;
}

void overlayToCursor(float x, float y, int32_t* clientX, int32_t* clientY) {
  const SceneArea a = sceneArea();
  const float px = a.left + (x + 400.0f) * a.width / 800.0f;
  const float py = a.top + (300.0f - y) * a.height / 600.0f;
  // The scene's last column and row: a point on its far edge still lands on it.
  const long lastX = std::lround(std::ceil(a.left + a.width)) - 1;
  const long lastY = std::lround(std::ceil(a.top + a.height)) - 1;
  *clientX = int32_t(std::min(std::lround(px), lastX));
  *clientY = int32_t(std::min(std::lround(py), lastY));
}

float sceneScale() {
  int32_t x = 0, y = 0, w = 0, h = 0;
  sysGetViewportRect(&x, &y, &w, &h);
  return float(w) / 800.0f;
}

float textScreenScale() {
  int32_t width = 0, height = 0;
  devSceneDrawSize(&width, &height);
  const Matrix4 world = devGetTransform(DevTransform::World);
  // Row vectors: the first row is where the x axis goes.
  const float stretch = std::sqrt(world.m[0] * world.m[0] + world.m[1] * world.m[1]);
  return float(width) / 800.0f * stretch;
}
