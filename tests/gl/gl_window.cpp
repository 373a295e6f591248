// The GL tests' hidden window and their screenshots.
#include "gl_window.h"

#include <vector>

#include "platform/platform.h"
#include "render/render.h"
#include "test_support.h"

bool openHiddenGLWindow(const char* title, int32_t width, int32_t height) {
  resetRender();
  display.screenWidth = width;
  display.screenHeight = height;
  if (!sysInit()) return false;
  SysWindowDesc desc = {};
  desc.title = title;
  desc.clientWidth = width;
  desc.clientHeight = height;
  desc.openGL = true;
  desc.hidden = true;
  return sysCreateWindow(desc) && createDevice(DevBackend::OpenGL);
}

const uint8_t* OverlayShot::at(float x, float y) const {
  const int px = int((x + 400.0f) * float(picture.width) / 800.0f);
  const int py = int((300.0f - y) * float(picture.height) / 600.0f);
  return &picture.rgba[(size_t(py) * size_t(picture.width) + size_t(px)) * 4];
}

bool loadOverlayShot(const std::string& path, OverlayShot* shot) {
  const std::vector<uint8_t> png = testReadFile(path);
  return picDecode(png.data(), png.size(), &shot->picture);
}
