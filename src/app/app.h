// app.h: the program's spine: start, the message loop with one frame per empty
// poll, the frame clock every animation reads, the periodic tick and shutdown.
//
// The game executable calls appMain; the headless runner calls appStart, then
// appPumpOnce for every loop pass it wants, then appShutdown, so both drive the
// very same frame and message handling.
#pragma once

#include <cstdint>

struct SysEvent;

// How a run of the program is set up. The game uses the defaults; the runner and
// tests change them.
enum class AppGraphics : uint8_t {
  Null,  // no window system at all: the recording device (runner, tests)
  GL     // a real window with an OpenGL context
};

enum class AppFullScreenAnswer : uint8_t {
  Ask,  // ask with the start-up message box (the game)
  Yes,
  No
};

struct AppOptions {
  AppGraphics graphics = AppGraphics::GL;
  AppFullScreenAnswer fullScreenAnswer = AppFullScreenAnswer::Ask;
  bool takeInstanceLock = true;   // the runner runs many copies at once
  bool startTicker = true;        // the 33 ms periodic tick
  bool hiddenWindow = false;      // GL window never shown (tests)
  const char* dataDirectory = nullptr;  // null: searched for (findDataDirectory)
  bool hasSeed = false;           // seed the random generator with `seed` instead of the clock
  uint32_t seed = 0;
  // A window of this client size instead of the start-up answer's (benchmarks
  // measure at 800 x 600 in a window); 0 keeps the answer's size.
  int32_t windowWidth = 0;
  int32_t windowHeight = 0;
};

// Application globals: process lifetime, set by appStart.
struct AppState {
  char startDirectory[256];  // the working directory at start
  int32_t appActive;         // 1 while the window is active; frames run only then
  int32_t quitRequested;     // set by Close or Quit; ends the message loop
  uint8_t tickSuspended;     // while 1 the periodic tick does nothing (map scene, start-up)
  uint32_t frameDeltaMs;     // milliseconds between the ends of the last two frames
  float frameDelta;          // frameDeltaMs x gameSpeed: what every timer advances by
  float gameSpeed;           // constant 1.0
  float totalTime;           // sum of all frameDelta since start
  uint32_t lastFrameTime;    // clock at the end of the previous frame
  char fpsText[32];          // the last "%.1f FPS" text
  uint32_t fpsWindowMs;
  uint32_t fpsFrames;
  uint32_t frameCount;       // frames run so far (for the runner's dumps)
  uint64_t firstLoadingFrameUs;  // wall clock when the first loading frame was shown (benchmarks)
  AppOptions options;        // how this run was started
};
extern AppState app;

// The name of the single-instance lock.
constexpr const char* kInstanceName = "Orbelquaint game";
// The exit status of a copy started while another runs.
constexpr int kExitAlreadyRunning = 3;
// The window title.
constexpr const char* kWindowTitle = "Orbelquaint";

// Points every hook table of the lower modules (the game's, the menus', the
// settings record's) at the modules above them that answer. appStart calls it
// first; tests that drive modules without appStart call it once at their start.
void connectModules();

// As appStart leaves the spine before the window exists: active, game speed 1, no
// frames yet; no scene current or requested; the title's timing at its start.
void resetApp();

// Runs the whole program: start, message loop, shutdown. Returns the exit code.
int appMain(const AppOptions& options);
// Start steps up to the message loop. Returns false when the program must end
// now; *exitCode then holds its exit code (kExitAlreadyRunning for a second
// copy, 0 when no device can be made).
bool appStart(const AppOptions& options, int* exitCode);
// One pass of the message loop: handles one waiting event, or runs one frame when
// none is waiting. Returns false once a quit has been requested.
bool appPumpOnce();
// Everything after the message loop: timers, device, sound, texts, window, files.
void appShutdown();

// One frame: update and draw the current scene, present, time, switch scenes.
void runFrame();
// Recomputes frameDeltaMs, frameDelta and the FPS text. Returns frameDeltaMs.
uint32_t updateFrameTiming();
// The periodic 33 ms tick (on the ticker's thread).
void timerTick();
// Returns true if this is the only running instance.
bool ensureSingleInstance(const char* name);
// The window procedure: hands one window message to the application and scenes.
void appWindowProc(const SysEvent& event);
// Releases the device, sound and text tables and destroys the window.
void shutdownApplication();
// Recomputes the camera projection from the client size.
void updateProjection();

// Finds the data directory: `preferred` if given, else "Data" in the current
// directory, beside the executable, or in ../share/orbelquaint/Data relative to
// it. Returns false (out "") when none exists. The result ends with '/'.
bool findDataDirectory(const char* preferred, char* out, int capacity);
