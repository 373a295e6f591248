// Starting and stopping SDL's core services, shared by every platform file.
#include <SDL.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"
#include "platform/platform_local.h"

// Process lifetime: set by sysInit, cleared by sysShutdown.
static bool g_sdlStarted = false;
// Blocks of this many bytes and more are mapped on their own.
constexpr int kOwnPagesFrom = 128 * 1024;

bool sysInit() {
  if (g_sdlStarted) return true;
  // Large blocks (pictures, textures in the software renderer) always get pages of
  // their own, given back when freed. By default the C library raises that threshold
  // when the first such block is freed, and later ones then stay resident in the heap
  // after they are freed: 10 MiB more at the peak in play.
  mallopt(M_MMAP_THRESHOLD, kOwnPagesFrom);
  // Signals are the game's own (sysCatchStopSignals): SDL must not turn them into a quit.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The close button is the Close message; it must not also post a quit.
  SDL_SetHint("SDL_QUIT_ON_LAST_WINDOW_CLOSE", "0");
  if (SDL_Init(SDL_INIT_EVENTS) != 0) {
    std::fprintf(stderr, "Cannot start SDL: %s\n", SDL_GetError());
    return false;
  }
  g_sdlStarted = true;
  // Without controller support the game is still played with keys and the mouse.
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    std::fprintf(stderr, "Game controllers cannot be read: %s\n", SDL_GetError());
  }
  return true;
}

void sysShutdown() {
  if (!g_sdlStarted) return;
  sysFreeCursors();
  sysClosePads();
  sysDestroyWindow();
  SDL_Quit();
  g_sdlStarted = false;
}

bool sysSdlStarted() { return g_sdlStarted; }

void sysSetApplicationId(const char* id) {
  // Read by SDL's X11 and Wayland drivers when the window is made.
  setenv("SDL_VIDEO_X11_WMCLASS", id, 0);
  setenv("SDL_VIDEO_WAYLAND_WMCLASS", id, 0);
}
