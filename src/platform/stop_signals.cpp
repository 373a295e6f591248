// The signals that end a program politely (SIGTERM when the session ends, SIGINT
// from the terminal): the handler only raises a flag, and the event pump turns it
// into the window's close message, so the game saves as its close button does.
#include <csignal>

#include "platform/platform.h"
#include "platform/platform_local.h"

namespace {

// Set by the handler, cleared when the close message is delivered.
volatile std::sig_atomic_t g_stopRequested = 0;

void onStopSignal(int) { g_stopRequested = 1; }

}  // namespace

void sysCatchStopSignals() {
  struct sigaction action = {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  // One polite request; a second signal, should shutting down hang, ends the process.
  action.sa_flags = SA_RESETHAND;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

bool sysTakeStopRequest() {
  if (!g_stopRequested) return false;
  g_stopRequested = 0;
  return true;
}
