// The controllers' D-pad and left stick as directions: the stick's dead zone, and
// the repeat of whichever direction was pressed last while it is held.
#include <cmath>

#include "input/input.h"

namespace {

// How far (x, y) points the way of `direction`.
float along(PadDirection direction, float x, float y) {
  switch (direction) {
    case PadDirection::Right: return x;
    case PadDirection::Left: return -x;
    case PadDirection::Up: return y;
    case PadDirection::Down: return -y;
    default: return 0.0f;
  }
}

// The stick keeps its direction until that axis falls back below the release mark;
// otherwise the axis pushed furthest past the push mark decides.
PadDirection stickDirection(float x, float y, PadDirection current) {
  if (current != PadDirection::None && along(current, x, y) > kStickRelease) return current;
  const float ax = std::fabs(x), ay = std::fabs(y);
  if (std::fmax(ax, ay) < kStickPush) return PadDirection::None;
  if (ax >= ay) return x > 0.0f ? PadDirection::Right : PadDirection::Left;
  return y > 0.0f ? PadDirection::Up : PadDirection::Down;
}

PadDirection press(PadDirection direction) {
  input.pad.repeating = direction;
  input.pad.repeatTimer = kPadRepeatDelayMs;
  input.lastDevice = InputDevice::Pad;
  return direction;
}

// The released direction stops repeating; one the other source still holds takes over.
void release(PadDirection direction) {
  if (input.pad.repeating != direction) return;
  const PadNavigation& pad = input.pad;
  input.pad.repeating = pad.dpad != PadDirection::None ? pad.dpad : pad.stick;
  input.pad.repeatTimer = kPadRepeatDelayMs;
}

}  // namespace

PadDirection padDirectionButton(PadDirection direction, bool down) {
  if (down) {
    input.pad.dpad = direction;
    return press(direction);
  }
  if (input.pad.dpad == direction) input.pad.dpad = PadDirection::None;
  release(direction);
  return PadDirection::None;
}

PadDirection padStickMoved(float x, float y) {
  const PadDirection before = input.pad.stick;
  const PadDirection now = stickDirection(x, y, before);
  if (now == before) return PadDirection::None;
  input.pad.stick = now;
  release(before);
  return now == PadDirection::None ? PadDirection::None : press(now);
}

PadDirection padRepeat(float dt) {
  if (input.pad.repeating == PadDirection::None || !(dt > 0.0f)) return PadDirection::None;
  input.pad.repeatTimer -= dt;
  if (input.pad.repeatTimer > 0.0f) return PadDirection::None;
  // A long frame repeats once, not in a burst.
  input.pad.repeatTimer = std::fmax(input.pad.repeatTimer + kPadRepeatEveryMs, 1.0f);
  return input.pad.repeating;
}

void releasePad() { input.pad = {}; }
