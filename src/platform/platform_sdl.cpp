// Starting and stopping SDL's core services, shared by every platform file.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"
#include "platform/platform_local.h"

// Process lifetime: set by sysInit, cleared by sysShutdown.
static bool g_sdlStarted = false;

bool sysInit() {
  if (g_sdlStarted) return true;
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
