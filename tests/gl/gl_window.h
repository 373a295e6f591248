// gl_window.h: the GL tests' hidden window with the OpenGL device on it (their
// screenshots are read back through menu_shots.h).
#pragma once

#include <cstdint>

// Resets the renderer, sets the display to width x height and opens a hidden
// window of that client size (the offscreen driver) with the OpenGL device on it.
// False when the window or the device cannot be made.
bool openHiddenGLWindow(const char* title, int32_t width, int32_t height);

