// Game controllers over SDL's game controller API: opened as they are plugged in
// (SDL announces those present at start the same way) and closed as they leave,
// their buttons and left stick turned into the Pad events the game handles.
#include <SDL.h>

#include <cmath>

#include "platform/platform.h"
#include "platform/platform_local.h"

namespace {

// A player seldom plugs in more; further controllers are left closed.
constexpr int32_t kMaxPads = 8;
// The instance id of the runner's simulated controller: no real one has it.
constexpr SDL_JoystickID kSimulatedPad = -2;

// Controllers open now and where the left stick stands: process lifetime, emptied
// by sysClosePads.
struct PadTable {
  SDL_GameController* open[kMaxPads];
  int32_t count;
  int16_t stickX, stickY;  // the last left stick reported, of whichever controller
};
PadTable g_pads = {};

struct NamedButton {
  SDL_GameControllerButton sdl;
  SysPadButton button;
};
const NamedButton kButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, SysPadButton::A},
    {SDL_CONTROLLER_BUTTON_B, SysPadButton::B},
    {SDL_CONTROLLER_BUTTON_X, SysPadButton::X},
    {SDL_CONTROLLER_BUTTON_Y, SysPadButton::Y},
    {SDL_CONTROLLER_BUTTON_BACK, SysPadButton::Back},
    {SDL_CONTROLLER_BUTTON_START, SysPadButton::Start},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, SysPadButton::DpadUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, SysPadButton::DpadDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, SysPadButton::DpadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SysPadButton::DpadRight},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SysPadButton::LeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, SysPadButton::RightShoulder},
};

SysPadButton padButtonOf(int32_t sdlButton) {
  for (const NamedButton& b : kButtons) {
    if (b.sdl == sdlButton) return b.button;
  }
  return SysPadButton::None;
}

void openPad(int32_t deviceIndex) {
  if (g_pads.count >= kMaxPads) return;
  SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
  if (!pad) return;
  for (int32_t i = 0; i < g_pads.count; ++i) {
    if (g_pads.open[i] == pad) return;  // announced twice: SDL counts the opens
  }
  g_pads.open[g_pads.count++] = pad;
}

void closePad(SDL_JoystickID id) {
  for (int32_t i = 0; i < g_pads.count; ++i) {
    SDL_Joystick* stick = SDL_GameControllerGetJoystick(g_pads.open[i]);
    if (!stick || SDL_JoystickInstanceID(stick) != id) continue;
    SDL_GameControllerClose(g_pads.open[i]);
    g_pads.open[i] = g_pads.open[--g_pads.count];
    break;
  }
  g_pads.stickX = g_pads.stickY = 0;
  sysPushEvent({SysEventType::PadRemoved, 0, 0, 0});
}

void moveStick(uint8_t axis, int16_t value) {
  if (axis == SDL_CONTROLLER_AXIS_LEFTX) {
    g_pads.stickX = value;
  } else if (axis == SDL_CONTROLLER_AXIS_LEFTY) {
    g_pads.stickY = value;
  } else {
    return;
  }
  sysPushEvent({SysEventType::PadStick, 0, g_pads.stickX, g_pads.stickY});
}

int16_t axisValue(float f) {
  const float clamped = f < -1.0f ? -1.0f : (f > 1.0f ? 1.0f : f);
  return int16_t(std::lround(clamped * 32767.0f));
}

}  // namespace

bool sysTranslatePadEvent(const SDL_Event& e) {
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED: openPad(e.cdevice.which); return true;
    case SDL_CONTROLLERDEVICEREMOVED: closePad(e.cdevice.which); return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      const SysPadButton button = padButtonOf(e.cbutton.button);
      if (button == SysPadButton::None) return true;
      const bool down = e.type == SDL_CONTROLLERBUTTONDOWN;
      sysPushEvent({down ? SysEventType::PadButtonDown : SysEventType::PadButtonUp,
                    int32_t(button), 0, 0});
      return true;
    }
    case SDL_CONTROLLERAXISMOTION: moveStick(e.caxis.axis, e.caxis.value); return true;
    default: return false;
  }
}

void sysClosePads() {
  for (int32_t i = 0; i < g_pads.count; ++i) SDL_GameControllerClose(g_pads.open[i]);
  g_pads = {};
}

int32_t sysPadCount() { return g_pads.count; }

SysPadButton sysPadButtonFromName(const char* name) {
  const SDL_GameControllerButton sdl = SDL_GameControllerGetButtonFromString(name);
  return sdl == SDL_CONTROLLER_BUTTON_INVALID ? SysPadButton::None : padButtonOf(sdl);
}

void sysSimulatePadButton(SysPadButton button, bool down) {
  for (const NamedButton& b : kButtons) {
    if (b.button != button) continue;
    SDL_Event e = {};
    e.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
    e.cbutton.which = kSimulatedPad;
    e.cbutton.button = uint8_t(b.sdl);
    e.cbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
    sysTranslatePadEvent(e);
    return;
  }
}

void sysSimulatePadStick(float x, float y) {
  SDL_Event e = {};
  e.type = SDL_CONTROLLERAXISMOTION;
  e.caxis.which = kSimulatedPad;
  e.caxis.axis = SDL_CONTROLLER_AXIS_LEFTX;
  e.caxis.value = axisValue(x);
  sysTranslatePadEvent(e);
  e.caxis.axis = SDL_CONTROLLER_AXIS_LEFTY;
  e.caxis.value = axisValue(-y);  // SDL's stick counts downwards
  sysTranslatePadEvent(e);
}
