// The game window over SDL: creation in a window or full screen, the event pump
// that turns SDL events into the window messages the game handles, the place of
// the 4:3 scene inside the real drawable, and what is kept of the window's size
// and place for the next start.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>

#include "platform/platform.h"
#include "platform/platform_local.h"

namespace {

// Window state: set by sysCreateWindow / sysCreateHeadlessWindow, cleared by
// sysDestroyWindow.
struct WindowState {
  SDL_Window* window;
  bool headless;
  bool hidden;           // never shown (tests)
  bool fullScreen;       // headless: its own flag (a real window asks SDL)
  int32_t width;         // headless: the client size
  int32_t height;
  int32_t pixelsPerPoint;  // headless: drawable pixels per client pixel
  SysWindowPlacement placement;  // the last size and place in a window
  int32_t lastMouseX;    // last position delivered, to add a move before a click
  int32_t lastMouseY;
};
WindowState g_window = {};

// Events queued by sysPushEvent (and moves synthesised before clicks), handed out
// before the window system's.
std::deque<SysEvent> g_queue;

bool realFlag(Uint32 flag) {
  return g_window.window && (SDL_GetWindowFlags(g_window.window) & flag) == flag;
}

// Notes the window's size and place while it is in a window, unmaximised: what a
// player would want back. Full screen and maximised sizes are not theirs to keep.
void notePlacement() {
  if (!g_window.window) return;
  if (realFlag(SDL_WINDOW_FULLSCREEN_DESKTOP) || realFlag(SDL_WINDOW_MAXIMIZED) ||
      realFlag(SDL_WINDOW_MINIMIZED)) {
    return;
  }
  SysWindowPlacement& p = g_window.placement;
  SDL_GetWindowSize(g_window.window, &p.width, &p.height);
  SDL_GetWindowPosition(g_window.window, &p.x, &p.y);
  p.positioned = true;
}

// Whether a window's top edge at (x, y), `width` wide, lies well inside the usable
// area of some display: enough of its title bar to take hold of.
bool placeIsShown(int32_t x, int32_t y, int32_t width) {
  for (int i = 0, n = SDL_GetNumVideoDisplays(); i < n; ++i) {
    SDL_Rect area;
    if (SDL_GetDisplayUsableBounds(i, &area) != 0) continue;
    const SDL_Rect top = {x, y, width, 16};
    SDL_Rect common;
    if (SDL_IntersectRect(&top, &area, &common) && common.w >= 64 && common.h >= 8) return true;
  }
  return false;
}

int32_t virtualKeyFromSdl(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + (key - SDLK_F1);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD0 + 1 + (key - SDLK_KP_1);
  switch (key) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN: case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL: case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT: case SDLK_RALT: return VK_MENU;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_END: return VK_END;
    case SDLK_HOME: return VK_HOME;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    case SDLK_EQUALS: case SDLK_PLUS: return VK_OEM_PLUS;
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_PERIOD: return VK_OEM_PERIOD;
    default: return 0;
  }
}

// Queues a move first when a button event arrives at a position the game has not
// been told about, so handlers reading the last cursor position see the click's.
void deliverAt(SysEventType type, int32_t x, int32_t y) {
  if (x != g_window.lastMouseX || y != g_window.lastMouseY) {
    g_queue.push_back({SysEventType::MouseMove, 0, x, y});
    g_window.lastMouseX = x;
    g_window.lastMouseY = y;
  }
  g_queue.push_back({type, 0, x, y});
}

void translateWindowEvent(const SDL_WindowEvent& e) {
  switch (e.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: g_queue.push_back({SysEventType::Activate, 0, 0, 0}); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: g_queue.push_back({SysEventType::Deactivate, 0, 0, 0}); break;
    case SDL_WINDOWEVENT_CLOSE: g_queue.push_back({SysEventType::Close, 0, 0, 0}); break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      notePlacement();
      g_queue.push_back({SysEventType::Size, 0, 0, 0});
      break;
    case SDL_WINDOWEVENT_MOVED: notePlacement(); break;
    case SDL_WINDOWEVENT_MAXIMIZED: g_window.placement.maximised = true; break;
    case SDL_WINDOWEVENT_RESTORED:
      // Also the end of a minimisation: maximised again if it still says so.
      g_window.placement.maximised = realFlag(SDL_WINDOW_MAXIMIZED);
      break;
    default: break;
  }
}

void translateButton(const SDL_MouseButtonEvent& e, bool down) {
  if (e.button == SDL_BUTTON_LEFT) {
    // Every second press of a quick series is the double-click message.
    const SysEventType type = !down ? SysEventType::LeftUp
                              : (e.clicks >= 2 && e.clicks % 2 == 0) ? SysEventType::LeftDoubleClick
                                                                     : SysEventType::LeftDown;
    deliverAt(type, e.x, e.y);
  } else if (e.button == SDL_BUTTON_RIGHT) {
    deliverAt(down ? SysEventType::RightDown : SysEventType::RightUp, e.x, e.y);
  } else if (e.button == SDL_BUTTON_MIDDLE && down) {
    deliverAt(SysEventType::MiddleDown, e.x, e.y);
  }
}

// Turns one SDL event into zero or more queued window messages.
void translateSdlEvent(const SDL_Event& e) {
  switch (e.type) {
    case SDL_QUIT: g_queue.push_back({SysEventType::Quit, 0, 0, 0}); break;
    case SDL_WINDOWEVENT: translateWindowEvent(e.window); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const int32_t vk = virtualKeyFromSdl(e.key.keysym.sym);
      if (vk == 0) break;
      if (e.type == SDL_KEYUP) {
        g_queue.push_back({SysEventType::KeyUp, vk, 0, 0});
      } else {
        const int32_t alt = (e.key.keysym.mod & KMOD_ALT) != 0 ? kSysAltHeld : 0;
        g_queue.push_back({SysEventType::KeyDown, vk, alt, 0});
      }
      break;
    }
    case SDL_MOUSEMOTION:
      g_window.lastMouseX = e.motion.x;
      g_window.lastMouseY = e.motion.y;
      g_queue.push_back({SysEventType::MouseMove, 0, e.motion.x, e.motion.y});
      break;
    case SDL_MOUSEBUTTONDOWN: translateButton(e.button, true); break;
    case SDL_MOUSEBUTTONUP: translateButton(e.button, false); break;
    default: sysTranslatePadEvent(e); break;
  }
}

// A 32 x 32 shaded ball for the window icon.
SDL_Surface* makeIcon() {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return nullptr;
  auto* px = static_cast<uint32_t*>(s->pixels);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const double dx = (x - 15.5) / 14.0, dy = (y - 15.5) / 14.0, r2 = dx * dx + dy * dy;
      uint32_t c = 0;
      if (r2 <= 1.0) {
        const double lx = (x - 11.0) / 14.0, ly = (y - 10.0) / 14.0;
        const double light = std::fmax(0.0, 1.0 - std::sqrt(lx * lx + ly * ly));
        const int red = int(60 + 195 * light), green = int(120 + 135 * light),
                  blue = int(220 + 35 * light);
        const int alpha = r2 > 0.9 ? int(255 * (1.0 - r2) / 0.1) : 255;
        c = uint32_t(alpha) << 24 | uint32_t(red) << 16 | uint32_t(green) << 8 | uint32_t(blue);
      }
      px[y * (s->pitch / 4) + x] = c;
    }
  }
  return s;
}

}  // namespace

SDL_Window* sysSdlWindow() { return g_window.window; }

bool sysCreateWindow(const SysWindowDesc& desc) {
  if (!sysInit()) return false;
  if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "Cannot start the video system: %s\n", SDL_GetError());
    return false;
  }
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  if (desc.openGL) {
    flags |= SDL_WINDOW_OPENGL;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // No depth or stencil buffer (device.h says why): without one a software
    // renderer also skips what an opaque draw covers.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  }
  if (desc.fullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  SysWindowPlacement place = desc.placement;
  place.width = std::max(place.width, kSysMinWindowWidth);
  place.height = std::max(place.height, kSysMinWindowHeight);
  if (place.positioned && !placeIsShown(place.x, place.y, place.width)) place.positioned = false;
  const int x = place.positioned ? place.x : int(SDL_WINDOWPOS_CENTERED);
  const int y = place.positioned ? place.y : int(SDL_WINDOWPOS_CENTERED);
  SDL_Window* window = SDL_CreateWindow(desc.title, x, y, place.width, place.height, flags);
  if (!window) {
    std::fprintf(stderr, "Cannot create the window: %s\n", SDL_GetError());
    return false;
  }
  SDL_SetWindowMinimumSize(window, kSysMinWindowWidth, kSysMinWindowHeight);
  if (SDL_Surface* icon = makeIcon()) {
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
  }
  // Maximised once shown: SDL keeps the size given above for the restore.
  if (place.maximised) SDL_MaximizeWindow(window);
  g_window = {};
  g_window.window = window;
  g_window.placement = place;
  g_window.lastMouseX = g_window.lastMouseY = -1;
  g_window.hidden = desc.hidden;
  return true;
}

void sysCreateHeadlessWindow(int32_t width, int32_t height, int32_t pixelsPerPoint) {
  g_window = {};
  g_window.headless = true;
  g_window.width = width;
  g_window.height = height;
  g_window.pixelsPerPoint = pixelsPerPoint > 0 ? pixelsPerPoint : 1;
  g_window.placement = {width, height, 0, 0, false, false};
  g_window.lastMouseX = g_window.lastMouseY = -1;
}

bool sysHasRealWindow() { return g_window.window != nullptr; }

void sysDestroyWindow() {
  if (g_window.window) SDL_DestroyWindow(g_window.window);
  g_window = {};
  g_queue.clear();
}

void sysSetFullScreen(bool fullScreen) {
  if (g_window.window) {
    // SDL gives the window back its size and place in a window when it leaves.
    SDL_SetWindowFullscreen(g_window.window, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    return;
  }
  if (!g_window.headless || g_window.fullScreen == fullScreen) return;
  g_window.fullScreen = fullScreen;
  g_window.width = fullScreen ? kSysHeadlessDesktopWidth : g_window.placement.width;
  g_window.height = fullScreen ? kSysHeadlessDesktopHeight : g_window.placement.height;
  g_queue.push_back({SysEventType::Size, 0, 0, 0});
}

void sysSetWindowSize(int32_t width, int32_t height) {
  width = std::max(width, kSysMinWindowWidth);
  height = std::max(height, kSysMinWindowHeight);
  g_window.placement.width = width;
  g_window.placement.height = height;
  if (g_window.window) {
    // A maximised window keeps its size until it is restored.
    if (realFlag(SDL_WINDOW_MAXIMIZED)) SDL_RestoreWindow(g_window.window);
    SDL_SetWindowSize(g_window.window, width, height);
    return;
  }
  if (!g_window.headless || g_window.fullScreen) return;
  g_window.width = width;
  g_window.height = height;
  g_queue.push_back({SysEventType::Size, 0, 0, 0});
}

SysWindowState sysWindowState() {
  SysWindowState state = {false, g_window.fullScreen, false, g_window.width, g_window.height};
  if (!g_window.window) return state;
  state.real = true;
  state.fullScreen = realFlag(SDL_WINDOW_FULLSCREEN_DESKTOP);
  state.maximised = realFlag(SDL_WINDOW_MAXIMIZED);
  SDL_GetWindowSize(g_window.window, &state.width, &state.height);
  return state;
}

SysWindowPlacement sysWindowPlacement() {
  notePlacement();
  return g_window.placement;
}

bool sysUsableDesktopSize(int32_t* width, int32_t* height) {
  if (g_window.headless) {
    *width = kSysHeadlessDesktopWidth;
    *height = kSysHeadlessDesktopHeight;
    return true;
  }
  if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  const int index = g_window.window ? SDL_GetWindowDisplayIndex(g_window.window) : 0;
  SDL_Rect area;
  if (SDL_GetDisplayUsableBounds(index < 0 ? 0 : index, &area) != 0) return false;
  *width = area.w;
  *height = area.h;
  return area.w > 0 && area.h > 0;
}

void sysShowWindow() {
  if (!g_window.window || g_window.hidden) return;
  SDL_ShowWindow(g_window.window);
  SDL_RaiseWindow(g_window.window);
}

void sysGetClientSize(int32_t* width, int32_t* height) {
  if (g_window.window) {
    SDL_GetWindowSize(g_window.window, width, height);
  } else {
    *width = g_window.width;
    *height = g_window.height;
  }
}

void sysGetDrawableSize(int32_t* width, int32_t* height) {
  if (g_window.window) {
    SDL_GL_GetDrawableSize(g_window.window, width, height);
  } else {
    *width = g_window.width * g_window.pixelsPerPoint;
    *height = g_window.height * g_window.pixelsPerPoint;
  }
}

int32_t sysDisplayRefreshRate() {
  if (!g_window.window) return 0;
  SDL_DisplayMode mode;
  const int index = SDL_GetWindowDisplayIndex(g_window.window);
  if (index < 0 || SDL_GetCurrentDisplayMode(index, &mode) != 0) return 0;
  return mode.refresh_rate > 0 ? mode.refresh_rate : 0;
}

void sysGetViewportRect(int32_t* x, int32_t* y, int32_t* width, int32_t* height) {
  int32_t dw, dh;
  sysGetDrawableSize(&dw, &dh);
  if (dw <= 0 || dh <= 0) {
    *x = *y = *width = *height = 0;
    return;
  }
  // Integers throughout: the side that fills the drawable is exact and the other is
  // the nearest pixel to 4:3, never more than the drawable has.
  int64_t w = dw, h = dh;
  if (int64_t(dw) * 3 >= int64_t(dh) * 4) {
    w = (int64_t(dh) * 8 + 3) / 6;
  } else {
    h = (int64_t(dw) * 6 + 4) / 8;
  }
  *width = int32_t(w);
  *height = int32_t(h);
  *x = int32_t((dw - w) / 2);
  *y = int32_t((dh - h) / 2);
}

void sysSimulatePointer(int32_t x, int32_t y, SysPointerButton button) {
  SDL_Event e = {};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = x;
  e.motion.y = y;
  translateSdlEvent(e);
  if (button == SysPointerButton::None) return;
  e = {};
  e.type = button == SysPointerButton::LeftDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.button = SDL_BUTTON_LEFT;
  e.button.state = button == SysPointerButton::LeftDown ? SDL_PRESSED : SDL_RELEASED;
  e.button.clicks = 1;
  e.button.x = x;
  e.button.y = y;
  translateSdlEvent(e);
}

bool sysPollEvent(SysEvent* event) {
  if (sysTakeStopRequest()) {
    *event = {SysEventType::Close, 0, 0, 0};
    return true;
  }
  if (g_queue.empty() && sysSdlStarted()) {
    SDL_Event e;
    // One SDL event per call; events the game has no message for are passed over.
    while (g_queue.empty() && SDL_PollEvent(&e)) translateSdlEvent(e);
  }
  if (g_queue.empty()) return false;
  *event = g_queue.front();
  g_queue.pop_front();
  return true;
}

void sysPushEvent(const SysEvent& event) {
  if (event.type == SysEventType::MouseMove) {
    g_window.lastMouseX = event.x;
    g_window.lastMouseY = event.y;
  }
  g_queue.push_back(event);
}

bool sysEventWaiting() {
  if (!g_queue.empty()) return true;
  if (!sysSdlStarted()) return false;
  SDL_PumpEvents();
  return SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) == SDL_TRUE;
}
