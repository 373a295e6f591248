// Frame pacing: presents wait for the display where it paces them, and where a
// present returns at once (software and offscreen drivers, some compositors) the
// loop waits out the rest of the display's frame itself. Loading frames are not
// paced: the start-up sequence shows them as it goes.
#include <cstdio>

#include "app/app.h"
#include "app/app_local.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "render/render.h"

namespace {

// A display that does not say its rate is taken to be the common one.
constexpr int32_t kAssumedRefreshRate = 60;
// A frame this close to its period (a sixteenth: about 1 ms at 60 Hz) is taken to
// have waited for the display; holding it too could miss the refresh after.
constexpr uint64_t kSlackShare = 16;

}  // namespace

uint64_t framePeriodUs(int32_t framesPerSecond, int32_t refreshRate) {
  if (framesPerSecond == 0) return 0;
  const int32_t rate = framesPerSecond > 0 ? framesPerSecond
                       : refreshRate > 0   ? refreshRate
                                           : kAssumedRefreshRate;
  return (1000000u + uint64_t(rate) / 2) / uint64_t(rate);
}

uint64_t framePacingWaitUs(FramePacer* pacer, uint64_t nowUs) {
  const uint64_t due = pacer->frameEndUs + pacer->periodUs;
  if (pacer->periodUs == 0 || nowUs + pacer->periodUs / kSlackShare >= due) {
    pacer->frameEndUs = nowUs;
    return 0;
  }
  pacer->frameEndUs = due;
  return due - nowUs;
}

void startFramePacing() {
  display.vsync = app.options.framesPerSecond < 0 ? 1 : 0;
  devSetVsync(display.vsync != 0);
  followDisplayRate();
}

void followDisplayRate() {
  app.pacer.periodUs = framePeriodUs(app.options.framesPerSecond, sysDisplayRefreshRate());
}

// One line a second, for a person or a script watching the game: the rate over
// that second, then the frames since start-up and the clock. Before the first, the
// wall clock when the title's first frame was shown (to time the start-up from the
// launch).
void printFrameRate() {
  const uint64_t now = sysMicroseconds();
  if (app.rateShownUs == 0) {
    std::printf("title shown at %.6f s (wall clock)\n", double(sysWallMicroseconds()) / 1e6);
    std::fflush(stdout);
    app.rateShownUs = now;
    app.rateShownFrames = app.frameCount;
    return;
  }
  if (now - app.rateShownUs < 1000000u) return;
  const double seconds = double(now - app.rateShownUs) / 1e6;
  std::printf("%.1f frames a second (frame %u at %.3f s)\n",
              double(app.frameCount - app.rateShownFrames) / seconds, app.frameCount,
              double(now) / 1e6);
  std::fflush(stdout);
  app.rateShownUs = now;
  app.rateShownFrames = app.frameCount;
}

void paceFrame() {
  const uint64_t wait = framePacingWaitUs(&app.pacer, sysMicroseconds());
  if (wait > 0) sysSleepMicroseconds(wait);
}
