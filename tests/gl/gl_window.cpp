// The GL tests' hidden window.
#include "gl_window.h"

#include "platform/platform.h"
#include "render/render.h"

bool openHiddenGLWindow(const char* title, int32_t width, int32_t height) {
  resetRender();
  display.screenWidth = width;
  display.screenHeight = height;
  if (!sysInit()) return false;
  SysWindowDesc desc = {};
  desc.title = title;
  desc.placement = {width, height, 0, 0, false, false};
  desc.openGL = true;
  desc.hidden = true;
  return sysCreateWindow(desc) && createDevice(DevBackend::OpenGL);
}
