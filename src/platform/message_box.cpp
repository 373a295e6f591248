// Modal message boxes (or their headless stand-in) and the one orderly fatal stop.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/platform_local.h"

namespace {

// Process lifetime: set by the runner and tests.
SysMessageBoxHandler g_handler = nullptr;
void (*g_fatalHook)() = nullptr;

SysMsgAnswer defaultAnswer(SysMsgButtons buttons) {
  return buttons == SysMsgButtons::YesNo ? SysMsgAnswer::No : SysMsgAnswer::Ok;
}

Uint32 boxFlags(SysMsgIcon icon) {
  switch (icon) {
    case SysMsgIcon::Error: return SDL_MESSAGEBOX_ERROR;
    case SysMsgIcon::Question:
    case SysMsgIcon::Information: return SDL_MESSAGEBOX_INFORMATION;
    default: return 0;
  }
}

}  // namespace

bool sysMessageBoxesSuppressed() {
  const char* video = std::getenv("SDL_VIDEODRIVER");
  return video && (std::strcmp(video, "offscreen") == 0 || std::strcmp(video, "dummy") == 0);
}

void sysSetMessageBoxHandler(SysMessageBoxHandler handler) { g_handler = handler; }

bool sysShowBoxIfPossible(const char* text, const char* caption) {
  if (g_handler || sysMessageBoxesSuppressed()) return false;
  return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, sysSdlWindow()) == 0;
}

SysMsgAnswer sysMessageBox(const char* text, const char* caption, SysMsgButtons buttons,
                           SysMsgIcon icon) {
  if (g_handler) return g_handler(text, caption, buttons);
  if (!sysMessageBoxesSuppressed()) {
    const SDL_MessageBoxButtonData ok[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "OK"}};
    const SDL_MessageBoxButtonData yesNo[] = {
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 2, "No"},
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"}};
    const bool isYesNo = buttons == SysMsgButtons::YesNo;
    const SDL_MessageBoxData data = {boxFlags(icon), sysSdlWindow(), caption, text,
                                     isYesNo ? 2 : 1, isYesNo ? yesNo : ok, nullptr};
    int pressed = -1;
    if (SDL_ShowMessageBox(&data, &pressed) == 0) {
      if (pressed == 1) return SysMsgAnswer::Yes;
      if (pressed == 2) return SysMsgAnswer::No;
      return defaultAnswer(buttons);
    }
  }
  // No box can be shown (no display, tests): the text goes to stderr.
  std::fprintf(stderr, "%s: %s\n", caption, text);
  return defaultAnswer(buttons);
}

void sysSetFatalStopHook(void (*hook)()) { g_fatalHook = hook; }

void sysFatalStop(const char* text, const char* caption) {
  sysMessageBox(text, caption, SysMsgButtons::Ok, SysMsgIcon::Error);
  if (g_fatalHook) g_fatalHook();
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(1);
}
