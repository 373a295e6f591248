// platform_local.h: what the platform's own files share and nobody else sees.
#pragma once

#include <SDL.h>

#include <cstdint>

// The game window, or null when there is none (headless runs).
SDL_Window* sysSdlWindow();
// True once SDL's core (events) has been started by sysInit.
bool sysSdlStarted();
// True when message boxes must not be shown (tests, offscreen or dummy video).
bool sysMessageBoxesSuppressed();
// Frees the cursors made by sysSetCursor (at shutdown).
void sysFreeCursors();
// True once after SIGTERM or SIGINT arrived (sysCatchStopSignals); clears the request.
bool sysTakeStopRequest();
// Turns a game controller's SDL event into Pad events (sysPushEvent), opening and
// closing controllers as they come and go. Returns false for any other event.
bool sysTranslatePadEvent(const SDL_Event& event);
// Closes every open game controller (at shutdown).
void sysClosePads();
