// The game window over SDL: creation in a window or full screen, the event pump
// that turns SDL events into the window messages the game handles, and the
// letterboxing of the logical client area inside the real drawable.
#include <SDL.h>

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
  bool hidden;       // never shown (tests)
  bool fullScreen;
  int32_t clientWidth;   // the logical client area the game sees
  int32_t clientHeight;
  int32_t lastMouseX;    // last position delivered, to add a move before a click
  int32_t lastMouseY;
};
WindowState g_window = {};

// Events queued by sysPushEvent (and moves synthesised before clicks), handed out
// before the window system's.
std::deque<SysEvent> g_queue;

struct Letterbox {
  double x, y, width, height;  // in the units of the size passed in
};

// The largest area of the logical aspect ratio centred in a width x height surface.
Letterbox fitClientArea(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0 || g_window.clientWidth <= 0 || g_window.clientHeight <= 0) {
    return {0, 0, double(width), double(height)};
  }
  const double aspect = double(g_window.clientWidth) / g_window.clientHeight;
  double w = width, h = width / aspect;
  if (h > height) {
    h = height;
    w = height * aspect;
  }
  return {(width - w) / 2, (height - h) / 2, w, h};
}

// Window coordinates (points) to logical client pixels.
void toClientPixels(int32_t wx, int32_t wy, int32_t* cx, int32_t* cy) {
  int32_t ww = g_window.clientWidth, wh = g_window.clientHeight;
  if (g_window.window) SDL_GetWindowSize(g_window.window, &ww, &wh);
  const Letterbox box = fitClientArea(ww, wh);
  *cx = int32_t(std::floor((wx - box.x) * g_window.clientWidth / box.width));
  *cy = int32_t(std::floor((wy - box.y) * g_window.clientHeight / box.height));
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
void deliverAt(SysEventType type, int32_t wx, int32_t wy) {
  int32_t x, y;
  toClientPixels(wx, wy, &x, &y);
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
    case SDL_WINDOWEVENT_SIZE_CHANGED: g_queue.push_back({SysEventType::Size, 0, 0, 0}); break;
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
      if (vk != 0) {
        g_queue.push_back({e.type == SDL_KEYDOWN ? SysEventType::KeyDown : SysEventType::KeyUp,
                           vk, 0, 0});
      }
      break;
    }
    case SDL_MOUSEMOTION: {
      int32_t x, y;
      toClientPixels(e.motion.x, e.motion.y, &x, &y);
      g_window.lastMouseX = x;
      g_window.lastMouseY = y;
      g_queue.push_back({SysEventType::MouseMove, 0, x, y});
      break;
    }
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
  Uint32 flags = SDL_WINDOW_HIDDEN;
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
  SDL_Window* window = SDL_CreateWindow(desc.title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        desc.clientWidth, desc.clientHeight, flags);
  if (!window) {
    std::fprintf(stderr, "Cannot create the window: %s\n", SDL_GetError());
    return false;
  }
  if (SDL_Surface* icon = makeIcon()) {
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
  }
  g_window = {};
  g_window.window = window;
  g_window.fullScreen = desc.fullScreen;
  g_window.clientWidth = desc.clientWidth;
  g_window.clientHeight = desc.clientHeight;
  g_window.lastMouseX = g_window.lastMouseY = -1;
  g_window.hidden = desc.hidden;
  return true;
}

void sysCreateHeadlessWindow(int32_t clientWidth, int32_t clientHeight) {
  g_window = {};
  g_window.headless = true;
  g_window.clientWidth = clientWidth;
  g_window.clientHeight = clientHeight;
  g_window.lastMouseX = g_window.lastMouseY = -1;
}

bool sysHasRealWindow() { return g_window.window != nullptr; }

void sysDestroyWindow() {
  if (g_window.window) SDL_DestroyWindow(g_window.window);
  g_window = {};
  g_queue.clear();
}

void sysSetWindowMode(bool fullScreen, int32_t clientWidth, int32_t clientHeight) {
  g_window.fullScreen = fullScreen;
  g_window.clientWidth = clientWidth;
  g_window.clientHeight = clientHeight;
  if (!g_window.window) return;
  SDL_SetWindowFullscreen(g_window.window, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  if (!fullScreen) {
    SDL_SetWindowSize(g_window.window, clientWidth, clientHeight);
    SDL_SetWindowPosition(g_window.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  g_queue.push_back({SysEventType::Size, 0, 0, 0});
}

SysWindowState sysWindowState() {
  SysWindowState state = {false, g_window.fullScreen, g_window.clientWidth, g_window.clientHeight};
  if (!g_window.window) return state;
  state.real = true;
  const Uint32 flags = SDL_GetWindowFlags(g_window.window);
  state.fullScreen = (flags & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
  SDL_GetWindowSize(g_window.window, &state.width, &state.height);
  return state;
}

void sysShowWindow() {
  if (!g_window.window || g_window.hidden) return;
  SDL_ShowWindow(g_window.window);
  SDL_RaiseWindow(g_window.window);
}

void sysGetClientSize(int32_t* width, int32_t* height) {
  *width = g_window.clientWidth;
  *height = g_window.clientHeight;
}

void sysGetDrawableSize(int32_t* width, int32_t* height) {
  if (g_window.window) {
    SDL_GL_GetDrawableSize(g_window.window, width, height);
  } else {
    sysGetClientSize(width, height);
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
  const Letterbox box = fitClientArea(dw, dh);
  *x = int32_t(std::lround(box.x));
  *y = int32_t(std::lround(box.y));
  *width = int32_t(std::lround(box.width));
  *height = int32_t(std::lround(box.height));
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
