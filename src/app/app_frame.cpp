// The drawing steps around a frame's scene update.
#include "app/app_local.h"
#include "render/render.h"

void beginFrameDrawing() {
  clearDepth(1.0f);
  beginScene();
}

void endFrameDrawing() {
  endScene();
  presentFrame();
}
