// The drawing steps around a frame's scene update.
#include "app/app_local.h"

void beginFrameDrawing() {}

void endFrameDrawing() {}
