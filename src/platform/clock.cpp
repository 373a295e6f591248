// The millisecond clock (real, or moved by hand for the headless runner), sleeping,
// the periodic tick on a timer thread, and the wall clock and peak memory that
// benchmarks read.
#include <SDL.h>
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/platform.h"
#include "platform/platform_local.h"

namespace {

// Clock state: process lifetime.
std::atomic<bool> g_manual{false};
std::atomic<uint32_t> g_manualNow{0};
const auto g_clockStart = std::chrono::steady_clock::now();

// Ticker state: set by sysStartTicker, cleared by sysStopTicker.
SDL_TimerID g_ticker = 0;
void (*g_tickFunction)() = nullptr;

Uint32 tickCallback(Uint32 interval, void*) {
  if (g_tickFunction) g_tickFunction();
  return interval;
}

}  // namespace

uint32_t sysMilliseconds() {
  if (g_manual.load()) return g_manualNow.load();
  const auto elapsed = std::chrono::steady_clock::now() - g_clockStart;
  return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void sysUseManualClock(uint32_t start) {
  g_manualNow.store(start);
  g_manual.store(true);
}

bool sysClockIsManual() { return g_manual.load(); }

void sysAdvanceClock(uint32_t ms) { g_manualNow.fetch_add(ms); }

uint64_t sysWallMicroseconds() {
  const auto since = std::chrono::system_clock::now().time_since_epoch();
  return uint64_t(std::chrono::duration_cast<std::chrono::microseconds>(since).count());
}

uint64_t sysPeakResidentKiB() {
  struct rusage usage = {};
  if (getrusage(RUSAGE_SELF, &usage) != 0 || usage.ru_maxrss < 0) return 0;
  return uint64_t(usage.ru_maxrss);  // Linux counts it in KiB
}

void sysSleep(uint32_t ms) {
  if (g_manual.load()) {
    g_manualNow.fetch_add(ms);
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool sysStartTicker(uint32_t periodMs, void (*tick)()) {
  if (!sysInit()) return false;
  sysStopTicker();
  g_tickFunction = tick;
  g_ticker = SDL_AddTimer(periodMs, tickCallback, nullptr);
  return g_ticker != 0;
}

void sysStopTicker() {
  if (g_ticker != 0) SDL_RemoveTimer(g_ticker);
  g_ticker = 0;
  g_tickFunction = nullptr;
}
