// The runner's message loop: the game's window procedure and frame, with the clock
// moved by the fixed frame time before each frame.
#include <cmath>
#include <cstdlib>

#include "app/app.h"
#include "platform/platform.h"
#include "render/text.h"
#include "runner.h"

void drainEvents() {
  SysEvent event;
  while (sysPollEvent(&event)) appWindowProc(event);
}

void runFrames(int frames) {
  for (int done = 0; done < frames && !app.quitRequested;) {
    SysEvent event;
    if (sysPollEvent(&event)) {
      appWindowProc(event);
      continue;
    }
    sysAdvanceClock(runnerOptions.deltaMs);
    runFrame();
    ++done;
  }
}

void overlayToClient(float x, float y, int32_t* px, int32_t* py) { overlayToCursor(x, y, px, py); }

bool parseInteger(const std::string& text, long* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  *value = std::strtol(text.c_str(), &end, 10);
  return end && *end == '\0';
}

bool parseNumber(const std::string& text, double* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  *value = std::strtod(text.c_str(), &end);
  return end && *end == '\0' && std::isfinite(*value);
}
