// app_local.h: the steps of the spine that call into the other modules. Each is
// defined in the app file of its topic; modules not yet present leave a step empty.
#pragma once

// Start order (app_start.cpp)
void tellAlreadyRunning();       // a second copy's refusal: stderr, and a box on a display
bool createGraphicsDevice();     // the device for the window; false ends the program
void capSceneOnSoftwareRenderer();  // leaving the title: later scenes drawn at most 800 x 600
void showFirstLoadingFrame();    // the loading picture on screen while data loads
void applyCursorSetting();       // the program's own cursor when the setting is on
// The start-up sequence proper (startup.cpp): loads everything, then makes the
// loading scene current. Returns true (failures stop the program themselves).
bool runStartup();

// Frame pacing (pacing.cpp)
void startFramePacing();         // vsync and the loop's period, once start-up is done
void followDisplayRate();        // the period again, for the display the window is on now
void paceFrame();                // after a frame: waits as framePacingWaitUs says
void printFrameRate();           // once a second with the option: the frames drawn

// Frames (app_frame.cpp)
void beginFrameDrawing();        // clear depth, begin the scene
void endFrameDrawing();          // end the scene, present, recover a lost device

// Window messages (app_start.cpp)
void onApplicationDeactivated(); // the board's deactivate hook, pause sound

// The window (window.cpp)
// Decides full screen or a window (the command line, the stored setting, or the
// start-up question on a first run) and the window's size and place (remembered,
// or the first size for the desktop), then makes the window. False on failure.
bool createMainWindow();
void rememberWindow();           // shutdown: the window's size and place for the next run
void toggleFullScreen();         // F11, Alt+Enter: the other mode, the options' box following

// Game controllers (pad.cpp): a controller's event becomes the keys of where the
// player is, and a held direction repeats once per frame of dt ms as it is due.
struct SysEvent;
void handlePadEvent(const SysEvent& event);
void repeatPadDirection(float dt);
