// The game window as the program keeps it: its first size, what is remembered of
// it between runs, the start-up question (asked on the first run only), full
// screen on F11 and Alt+Enter, and the camera's projection following it.
#include <algorithm>

#include "app/app.h"
#include "app/app_local.h"
#include "persistence/window_file.h"
#include "platform/platform.h"
#include "render/render.h"
#include "ui/options.h"

namespace {

// The sizes a first window is chosen from, smallest first: the 4:3 sizes the
// scene is sharpest at.
constexpr int32_t kFirstSizes[][2] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 960},
                                      {1600, 1200}};
// A first window takes at most this share of the desktop's usable area each way.
constexpr int32_t kFirstSizePercent = 85;

// Process lifetime: set by createMainWindow, read by rememberWindow.
struct WindowMemory {
  bool questionAsked;  // the start-up question need not be asked again
  bool remember;       // the window's size is the player's to keep (not a forced one)
};
WindowMemory g_memory = {};

// The start-up question; true for Yes.
bool askFullScreen() {
  return sysMessageBox("Would You Like To Run In Fullscreen Mode?", "Start FullScreen?",
                       SysMsgButtons::YesNo, SysMsgIcon::Question) == SysMsgAnswer::Yes;
}

// Whether this run is full screen: the command line's answer, else the stored
// setting once the question has been asked, else the question (a runner's first
// run plays in a window without asking).
bool decideFullScreen(bool asked) {
  switch (app.options.fullScreenAnswer) {
    case AppFullScreenAnswer::Yes: return true;
    case AppFullScreenAnswer::No: return false;
    case AppFullScreenAnswer::Ask: return asked ? display.fullScreen != 0 : askFullScreen();
    case AppFullScreenAnswer::Stored: return asked && display.fullScreen != 0;
  }
  return false;
}

// The window of a first run, or the remembered one kept within today's desktop.
SysWindowPlacement decidePlacement(const WindowFile* remembered) {
  int32_t usableWidth = kSysHeadlessDesktopWidth, usableHeight = kSysHeadlessDesktopHeight;
  const bool headless = app.options.graphics == AppGraphics::Null;
  const bool usable = headless || sysUsableDesktopSize(&usableWidth, &usableHeight);
  SysWindowPlacement place = {};
  if (remembered) {
    place = remembered->placement;
    // A window larger than today's desktop (another display) is brought within it.
    if (usable && !headless) {
      place.width = std::min(place.width, usableWidth);
      place.height = std::min(place.height, usableHeight);
    }
  } else if (app.options.firstWindowWidth > 0 && app.options.firstWindowHeight > 0) {
    place.width = app.options.firstWindowWidth;
    place.height = app.options.firstWindowHeight;
  } else {
    firstWindowSize(usable ? usableWidth : 0, usable ? usableHeight : 0, &place.width,
                    &place.height);
  }
  if (app.options.windowWidth > 0 && app.options.windowHeight > 0) {
    place = {app.options.windowWidth, app.options.windowHeight, 0, 0, false, false};
  }
  return place;
}

}  // namespace

void firstWindowSize(int32_t usableWidth, int32_t usableHeight, int32_t* width,
                     int32_t* height) {
  *width = kFirstSizes[0][0];
  *height = kFirstSizes[0][1];
  for (const auto& size : kFirstSizes) {
    if (size[0] * 100 > usableWidth * kFirstSizePercent ||
        size[1] * 100 > usableHeight * kFirstSizePercent) {
      break;
    }
    *width = size[0];
    *height = size[1];
  }
}

bool createMainWindow() {
  WindowFile remembered = {};
  const bool known = readWindowFile(&remembered);
  const bool full = decideFullScreen(known && remembered.questionAsked);
  const SysWindowPlacement place = decidePlacement(known ? &remembered : nullptr);
  g_memory.questionAsked = true;
  g_memory.remember = app.options.windowWidth <= 0;
  display.fullScreen = full ? 1 : 0;
  display.screenWidth = place.width;
  display.screenHeight = place.height;
  display.colorDepth32 = 0;
  display.vsync = 0;  // loading frames never wait: startFramePacing decides after them
  if (app.options.graphics == AppGraphics::Null) {
    sysCreateHeadlessWindow(place.width, place.height);
    sysSetFullScreen(full);
    return true;
  }
  SysWindowDesc desc = {};
  desc.title = kWindowTitle;
  desc.fullScreen = full;
  desc.placement = place;
  desc.openGL = true;
  desc.hidden = app.options.hiddenWindow;
  if (sysCreateWindow(desc)) return true;
  // Standard error has the system's reason; a player started from a menu sees this.
  sysShowBoxIfPossible("The game's window could not be opened.\n\n"
                       "Start the game from a terminal to read the reason.",
                       kWindowTitle);
  return false;
}

void rememberWindow() {
  if (!g_memory.remember) return;
  writeWindowFile({sysWindowPlacement(), g_memory.questionAsked});
}

void toggleFullScreen() {
  display.fullScreen = display.fullScreen ? 0 : 1;
  applyDisplaySettings();
  showFullScreenChoice();
}

void updateProjection() {
  int32_t x = 0, y = 0, width = 0, height = 0;
  sysGetViewportRect(&x, &y, &width, &height);
  setCameraProjection(width, height);
}
