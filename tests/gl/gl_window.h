// gl_window.h: what the GL tests share: the hidden window with the OpenGL device
// on it, and screenshots read back with their pixels looked up by overlay point.
#pragma once

#include <cstdint>
#include <string>

#include "platform/picture.h"

// Resets the renderer, sets the display to width x height and opens a hidden
// window of that client size (the offscreen driver) with the OpenGL device on it.
// False when the window or the device cannot be made.
bool openHiddenGLWindow(const char* title, int32_t width, int32_t height);

// A screenshot the runner wrote.
struct OverlayShot {
  Picture picture;
  // The pixel (RGBA) under an overlay point (x right, y up, 800 x 600 units).
  const uint8_t* at(float x, float y) const;
};
// Reads the PNG at `path`; false when it is missing or cannot be decoded.
bool loadOverlayShot(const std::string& path, OverlayShot* shot);
