// app.h: the program's spine: start, the message loop with one frame per empty
// poll, the frame clock every animation reads, frame pacing and shutdown.
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
  // Frames a second the loop is held to: -1 the display's refresh rate with presents
  // waiting for it, 0 as many as can be drawn (for measuring), else that many.
  int32_t framesPerSecond = -1;
  bool printFrameRate = false;    // the frames drawn each second on standard output
  bool hiddenWindow = false;      // GL window never shown (tests)
  const char* dataDirectory = nullptr;  // null: searched for (findDataDirectory)
  // The texts' language ("de", or a locale name such as "de_DE.UTF-8"); null: the
  // one chosen in the options, else the environment's (startLanguage).
  const char* language = nullptr;
  bool hasSeed = false;           // seed the random generator with `seed` instead of the clock
  uint32_t seed = 0;
  // A window of this client size instead of the start-up answer's (benchmarks
  // measure at 800 x 600 in a window); 0 keeps the answer's size.
  int32_t windowWidth = 0;
  int32_t windowHeight = 0;
};

// Holds the loop's frames to a period when presents return without waiting for the
// display (software and offscreen drivers, some compositors, no vsync at all).
struct FramePacer {
  uint64_t periodUs;    // the least time from one frame's end to the next; 0: no limit
  uint64_t frameEndUs;  // when the last frame ended, as the pacing counts it
};

// The frame period for a framesPerSecond option (AppOptions) on a display of
// `refreshRate` Hz (0: unknown, taken as 60). 0 for no limit.
uint64_t framePeriodUs(int32_t framesPerSecond, int32_t refreshRate);
// After a frame that ended at nowUs: how long to wait before the next one. Nothing
// when the frame took its period or nearly so (a present that waited for the
// display, a slow frame); waiting ends on the period's boundary, so frames keep the
// period on average whatever a sleep oversleeps.
uint64_t framePacingWaitUs(FramePacer* pacer, uint64_t nowUs);

// Application globals: process lifetime, set by appStart.
struct AppState {
  char startDirectory[256];  // the working directory at start
  int32_t appActive;         // 1 while the window is active; frames run only then
  int32_t quitRequested;     // set by Close or Quit; ends the message loop
  uint32_t frameDeltaMs;     // whole milliseconds between the ends of the last two frames
  float frameDelta;          // the same to the microsecond: what every timer advances by
  float totalTime;           // sum of all frameDelta since start
  uint64_t lastFrameUs;      // clock (sysMicroseconds) at the end of the previous frame
  char fpsText[32];          // the last "%.1f FPS" text
  uint64_t fpsWindowUs;
  uint32_t fpsFrames;
  FramePacer pacer;          // set when the start-up sequence has finished
  uint64_t rateShownUs;      // when the frame rate was last printed (printFrameRate)
  uint32_t rateShownFrames;  // frameCount then
  uint32_t frameCount;       // frames run so far (for the runner's dumps)
  uint64_t firstLoadingFrameUs;  // wall clock when the first loading frame was shown (benchmarks)
  AppOptions options;        // how this run was started
};
extern AppState app;

// The name of the single-instance lock.
constexpr const char* kInstanceName = "Orbelquaint game";
// The exit status of a copy started while another runs.
constexpr int kExitAlreadyRunning = 3;
// The window, the graphics or the sound system could not be started (as a file
// the game cannot do without, which stops it with 1).
constexpr int kExitCannotStart = 1;
// The window title.
constexpr const char* kWindowTitle = "Orbelquaint";

// Points every hook table of the lower modules (the game's, the menus', the
// settings record's) at the modules above them that answer. appStart calls it
// first; tests that drive modules without appStart call it once at their start.
void connectModules();

// As appStart leaves the spine before the window exists: active, no frames yet; no scene current or requested; the title's timing at its start.
void resetApp();

// Runs the whole program: start, message loop, shutdown. Returns the exit code.
int appMain(const AppOptions& options);
// Start steps up to the message loop. Returns false when the program must end
// now; *exitCode then holds its exit code (kExitAlreadyRunning for a second
// copy, kExitCannotStart when the window, the device or start-up failed).
bool appStart(const AppOptions& options, int* exitCode);
// One pass of the message loop: handles one waiting event, or runs one frame when
// none is waiting and then waits as the pacing says. Returns false once a quit has
// been requested.
bool appPumpOnce();
// Everything after the message loop: device, sound, texts, window, files.
void appShutdown();

// One frame: update and draw the current scene, present, time, switch scenes.
void runFrame();
// Recomputes frameDeltaMs, frameDelta and the FPS text. Returns frameDeltaMs.
uint32_t updateFrameTiming();
// Returns true if this is the only running instance.
bool ensureSingleInstance(const char* name);
// The window procedure: hands one window message to the application and scenes.
void appWindowProc(const SysEvent& event);
// Releases the device, sound and text tables and destroys the window.
void shutdownApplication();
// Recomputes the camera projection from the client size.
void updateProjection();

// The language a start shows its texts in, from the data's list of languages:
// `asked` (the command line's) when the data offers it, else the one kept by the
// options, else the first of the environment's locales the data offers, else
// English. An `asked` language the data lacks is told on standard error.
const char* startLanguage(const char* asked);

// Finds the data directory: `preferred` if given, else "Data" in the current
// directory, beside the executable, or in ../share/orbelquaint/Data relative to
// it. Returns false (out "") when none exists. The result ends with '/'.
bool findDataDirectory(const char* preferred, char* out, int capacity);
