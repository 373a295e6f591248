// The frame clock (real, or moved by hand for the headless runner) in microseconds,
// sleeping, and the wall clock and peak memory that benchmarks read.
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/platform.h"

namespace {

// Clock state: process lifetime.
std::atomic<bool> g_manual{false};
std::atomic<uint64_t> g_manualNowUs{0};
const auto g_clockStart = std::chrono::steady_clock::now();

}  // namespace

uint64_t sysMicroseconds() {
  if (g_manual.load()) return g_manualNowUs.load();
  const auto elapsed = std::chrono::steady_clock::now() - g_clockStart;
  return uint64_t(std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count());
}

uint32_t sysMilliseconds() { return uint32_t(sysMicroseconds() / 1000u); }

void sysUseManualClock(uint32_t start) {
  g_manualNowUs.store(uint64_t(start) * 1000u);
  g_manual.store(true);
}

bool sysClockIsManual() { return g_manual.load(); }

void sysAdvanceClock(uint32_t ms) { g_manualNowUs.fetch_add(uint64_t(ms) * 1000u); }

uint64_t sysWallMicroseconds() {
  const auto since = std::chrono::system_clock::now().time_since_epoch();
  return uint64_t(std::chrono::duration_cast<std::chrono::microseconds>(since).count());
}

uint64_t sysPeakResidentKiB() {
  struct rusage usage = {};
  if (getrusage(RUSAGE_SELF, &usage) != 0 || usage.ru_maxrss < 0) return 0;
  return uint64_t(usage.ru_maxrss);  // Linux counts it in KiB
}

void sysSleepMicroseconds(uint64_t us) {
  if (g_manual.load()) {
    g_manualNowUs.fetch_add(us);
    return;
  }
  std::this_thread::sleep_for(std::chrono::microseconds(us));
}

void sysSleep(uint32_t ms) { sysSleepMicroseconds(uint64_t(ms) * 1000u); }
