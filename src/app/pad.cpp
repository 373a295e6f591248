// What a game controller's buttons mean where the player is: on the board they
// are the board's keys (A presses, B lets go, X the hammer, Y the help, Start the
// game menu, Back the pause, the shoulders the colour scheme), in the menus Enter
// and Escape; the D-pad and the left stick are the arrow keys everywhere.
#include <cstring>

#include "app/app_local.h"
#include "app/scene.h"
#include "game/game.h"
#include "input/input.h"
#include "platform/platform.h"
#include "ui/menu.h"

namespace {

enum class PadPlace : uint8_t { Board, TitleMenus, GameMenus, NameEntry };

PadPlace padPlace() {
  const Scene* scene = currentScene();
  const bool game = scene && scene->playsBoardGame();
  if (game && !gameMenuOpen()) return PadPlace::Board;
  if (menu.textEntryActive) return PadPlace::NameEntry;
  return game ? PadPlace::GameMenus : PadPlace::TitleMenus;
}

// B lets go on the board and goes back in the menus; in a name with letters it
// deletes the letter being spelled (the one at the caret, or the last one).
int32_t backKey(PadPlace place) {
  if (place == PadPlace::Board) return VK_BACK;
  if (place != PadPlace::NameEntry || menu.editBuffer[0] == '\0') return VK_ESCAPE;
  return menu.caret < int32_t(std::strlen(menu.editBuffer)) ? VK_DELETE : VK_BACK;
}

// 0 for a button that means nothing there.
int32_t buttonKey(SysPadButton button, PadPlace place) {
  const bool board = place == PadPlace::Board;
  switch (button) {
    case SysPadButton::A: return VK_RETURN;
    case SysPadButton::B: return backKey(place);
    case SysPadButton::X: return board ? VK_TAB : 0;
    case SysPadButton::Y: return board ? VK_F1 : 0;
    // Start opens the game menu and closes it again; on the title menus it chooses.
    case SysPadButton::Start:
      return board || place == PadPlace::GameMenus ? VK_ESCAPE : VK_RETURN;
    case SysPadButton::Back: return board ? VK_SPACE : 0;
    case SysPadButton::LeftShoulder: return board ? VK_PRIOR : 0;
    case SysPadButton::RightShoulder: return board ? VK_NEXT : 0;
    default: return 0;
  }
}

PadDirection dpadDirection(SysPadButton button) {
  switch (button) {
    case SysPadButton::DpadUp: return PadDirection::Up;
    case SysPadButton::DpadDown: return PadDirection::Down;
    case SysPadButton::DpadLeft: return PadDirection::Left;
    case SysPadButton::DpadRight: return PadDirection::Right;
    default: return PadDirection::None;
  }
}

void deliverKey(int32_t key) {
  Scene* scene = currentScene();
  if (key != 0 && scene) scene->onKeyDown(key);
}

void deliverDirection(PadDirection direction) {
  switch (direction) {
    case PadDirection::Up: deliverKey(VK_UP); return;
    case PadDirection::Down: deliverKey(VK_DOWN); return;
    case PadDirection::Left: deliverKey(VK_LEFT); return;
    case PadDirection::Right: deliverKey(VK_RIGHT); return;
    default: return;
  }
}

float stickUnit(int32_t value) { return float(value) / 32767.0f; }

}  // namespace

void handlePadEvent(const SysEvent& event) {
  const SysPadButton button = SysPadButton(event.key);
  switch (event.type) {
    case SysEventType::PadButtonDown:
      input.lastDevice = InputDevice::Pad;
      if (const PadDirection d = dpadDirection(button); d != PadDirection::None) {
        deliverDirection(padDirectionButton(d, true));
      } else {
        deliverKey(buttonKey(button, padPlace()));
      }
      return;
    case SysEventType::PadButtonUp:
      if (const PadDirection d = dpadDirection(button); d != PadDirection::None) {
        padDirectionButton(d, false);
      }
      return;
    case SysEventType::PadStick:
      deliverDirection(padStickMoved(stickUnit(event.x), -stickUnit(event.y)));
      return;
    case SysEventType::PadRemoved: releasePad(); return;
    default: return;
  }
}

void repeatPadDirection(float dt) { deliverDirection(padRepeat(dt)); }
