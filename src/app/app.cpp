// The program's spine: the start order, the message loop with one frame per empty
// poll, the frame clock, the window messages and shutdown.
#include "app/app.h"

#include <cstdio>
#include <cstring>

#include "app/app_local.h"
#include "app/scene.h"
#include "audio/audio.h"
#include "core/numeric.h"
#include "game/saved_game.h"
#include "input/input.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "render/render.h"
#include "resources/resources.h"

AppState app = {};

namespace {

// The FPS text is renewed once this many microseconds have been counted.
constexpr uint64_t kFpsWindowUs = 300000;

void resetAppState(const AppOptions& options) {
  app = {};
  app.appActive = 1;
  app.options = options;
  setPointer(0, 0);
}

// Points the working directory at the data; without a data directory the program
// stops with the loading error, which lists the folders searched.
void enterDataDirectory() {
  const std::string start = sysCurrentDirectory();
  std::snprintf(app.startDirectory, sizeof app.startDirectory, "%s", start.c_str());
  char* found = dataLocation.dataDirectory;
  const int capacity = int(sizeof dataLocation.dataDirectory);
  if (!findDataDirectory(app.options.dataDirectory, found, capacity) ||
      !sysChangeDirectory(found)) {
    std::string text = "Can't load Data...\nProgram will now stop.\n\nLooked for it in:";
    for (const std::string& folder :
         sysDataDirectoryCandidates(app.options.dataDirectory, kProgramName)) {
      text += "\n" + folder;
    }
    sysFatalStop(text.c_str(), "Loading Error");
  }
}

// The start-up question; the answer overrides what the settings said.
void chooseDisplayMode() {
  bool full = false;
  switch (app.options.fullScreenAnswer) {
    case AppFullScreenAnswer::Ask:
      full = sysMessageBox("Would You Like To Run In Fullscreen Mode?", "Start FullScreen?",
                           SysMsgButtons::YesNo, SysMsgIcon::Question) == SysMsgAnswer::Yes;
      break;
    case AppFullScreenAnswer::Yes: full = true; break;
    case AppFullScreenAnswer::No: full = false; break;
  }
  display.fullScreen = full ? 1 : 0;
  display.screenWidth = full ? 800 : 640;
  display.screenHeight = full ? 600 : 480;
  if (!full && app.options.windowWidth > 0 && app.options.windowHeight > 0) {
    display.screenWidth = app.options.windowWidth;
    display.screenHeight = app.options.windowHeight;
  }
  display.colorDepth32 = 0;
  display.vsync = 0;  // loading frames never wait: startFramePacing decides after them
}

bool createMainWindow() {
  if (app.options.graphics == AppGraphics::Null) {
    sysCreateHeadlessWindow(display.screenWidth, display.screenHeight);
    return true;
  }
  SysWindowDesc desc = {};
  desc.title = kWindowTitle;
  desc.fullScreen = display.fullScreen != 0;
  desc.clientWidth = display.screenWidth;
  desc.clientHeight = display.screenHeight;
  desc.openGL = true;
  desc.hidden = app.options.hiddenWindow;
  return sysCreateWindow(desc);
}

void dispatchToScene(const SysEvent& event, Scene* scene) {
  switch (event.type) {
    case SysEventType::KeyDown:
      input.lastDevice = InputDevice::Keyboard;
      scene->onKeyDown(event.key);
      break;
    case SysEventType::MouseMove:
      // A move to where the pointer already is says nothing of the player's hand.
      if (event.x != input.mouseX || event.y != input.mouseY) input.lastDevice = InputDevice::Mouse;
      setPointer(event.x, event.y);
      scene->onMouseMove();
      break;
    case SysEventType::LeftDown:
      input.lastDevice = InputDevice::Mouse;
      scene->onLeftDown();
      break;
    case SysEventType::LeftUp: scene->onLeftUp(); break;
    case SysEventType::LeftDoubleClick: scene->onLeftDoubleClick(); break;
    case SysEventType::RightDown:
      input.lastDevice = InputDevice::Mouse;
      scene->onRightDown();
      break;
    case SysEventType::RightUp: scene->onRightUp(); break;
    case SysEventType::MiddleDown: scene->onMiddleDown(); break;
    default: break;
  }
}

}  // namespace

void resetApp() {
  resetAppState(AppOptions{});
  sceneSwitch = {};
  resetLoadingScene();
}

bool findDataDirectory(const char* preferred, char* out, int capacity) {
  std::string found;
  for (const std::string& folder : sysDataDirectoryCandidates(preferred, kProgramName)) {
    if (sysDirectoryExists(folder.c_str())) {
      found = folder;
      break;
    }
  }
  if (found.empty() || int(found.size()) + 2 > capacity) {
    if (capacity > 0) out[0] = '\0';
    return false;
  }
  if (found.back() != '/') found += '/';
  std::snprintf(out, size_t(capacity), "%s", found.c_str());
  return true;
}

bool ensureSingleInstance(const char* name) { return sysAcquireInstanceLock(name); }

bool appStart(const AppOptions& options, int* exitCode) {
  *exitCode = 0;
  connectModules();
  resetAppState(options);
  if (options.takeInstanceLock && !ensureSingleInstance(kInstanceName)) {
    tellAlreadyRunning();
    *exitCode = kExitAlreadyRunning;
    return false;
  }
  // From here a step that fails has told the player why; the exit says it failed.
  *exitCode = kExitCannotStart;
  if (!sysInit()) return false;
  initFastSqrt();
  enterDataDirectory();
  readSettings();  // the settings record, before the window
  chooseDisplayMode();
  if (!createMainWindow()) return false;
  if (!display.fullScreen) sysShowWindow();
  if (!createGraphicsDevice()) return false;
  if (display.fullScreen) sysShowWindow();
  updateProjection();
  showFirstLoadingFrame();
  if (!runStartup()) return false;
  *exitCode = 0;
  applyCursorSetting();
  startFramePacing();
  app.lastFrameUs = sysMicroseconds();
  return true;
}

bool appPumpOnce() {
  if (app.quitRequested) return false;
  SysEvent event;
  if (sysPollEvent(&event)) {
    appWindowProc(event);
  } else {
    runFrame();
    if (app.options.printFrameRate) printFrameRate();
    paceFrame();
  }
  return app.quitRequested == 0;
}

int appMain(const AppOptions& options) {
  int exitCode = 0;
  if (!appStart(options, &exitCode)) {
    sysShutdown();
    return exitCode;
  }
  while (appPumpOnce()) {
  }
  appShutdown();
  return 0;
}

void runFrame() {
  if (!app.appActive) {
    sysSleep(200);
    return;
  }
  Scene* scene = currentScene();
  beginFrameDrawing();
  scene->onFrame();
  drawDebugOverlay(app.fpsText);
  endFrameDrawing();
  updateFrameTiming();
  repeatPadDirection(float(app.frameDeltaMs));
  scene->afterFrame();
  applyPendingScene();
  ++app.frameCount;
}

uint32_t updateFrameTiming() {
  // Microseconds: at 60 Hz whole milliseconds would step 16, 17, 17, 16, ...
  const uint64_t now = sysMicroseconds();
  const uint64_t elapsed = now - app.lastFrameUs;
  app.lastFrameUs = now;
  app.fpsWindowUs += elapsed;
  app.fpsFrames += 1;
  if (app.fpsWindowUs > kFpsWindowUs) {
    std::snprintf(app.fpsText, sizeof app.fpsText, "%.1f FPS",
                  1e6 / double(app.fpsWindowUs) * app.fpsFrames);
    app.fpsWindowUs -= kFpsWindowUs;
    app.fpsFrames = 0;
  }
  app.frameDeltaMs = uint32_t(elapsed / 1000u);
  app.frameDelta = float(double(elapsed) / 1000.0);
  return app.frameDeltaMs;
}

void appWindowProc(const SysEvent& event) {
  switch (event.type) {
    case SysEventType::Size:
      updateProjection();
      followDisplayRate();
      return;
    case SysEventType::Activate:
      resumeSound();
      app.appActive = 1;
      app.frameDelta = 0.0f;
      app.frameDeltaMs = 0;
      app.lastFrameUs = sysMicroseconds();
      return;
    case SysEventType::Deactivate:
      releasePad();  // buttons let go meanwhile are never told
      onApplicationDeactivated();
      app.appActive = 0;
      return;
    case SysEventType::Close:
      saveGame();  // the game in progress, when it may be saved
      app.quitRequested = 1;
      return;
    case SysEventType::Quit: app.quitRequested = 1; return;
    case SysEventType::KeyUp: return;
    case SysEventType::PadButtonDown:
    case SysEventType::PadButtonUp:
    case SysEventType::PadStick:
    case SysEventType::PadRemoved: handlePadEvent(event); return;
    default: break;
  }
  // The window system may speak before start-up has set a scene.
  if (Scene* scene = currentScene()) dispatchToScene(event, scene);
}

void appShutdown() {
  shutdownApplication();
  saveAll();
  sysShowCursor(true);
  sysShutdown();
}
