// keys.cpp: one key of the frame as the menus take it: the name entry first, then
// the current screen's own keys, then the general keys (Enter chooses, Escape
// goes back, Space toggles, the arrows move the selection).
#include "audio/audio.h"
#include "platform/platform.h"
#include "ui/menu.h"
#include "ui/menu_local.h"

namespace {

// Moves the selection one item back (step -1) or on (+1), wrapping around.
void stepSelection(int32_t step) {
  const int32_t count = menuItemCount(menu.screen);
  if (count <= 0) return;
  int32_t next = menu.selection + step;
  if (menu.selection < 0 && step < 0) next = count - 1;
  if (next < 0) next = count - 1;
  if (next >= count) next = 0;
  menu.selection = next;
}

void generalKey(int32_t key) {
  switch (key) {
    case VK_RETURN:
      if (menu.selection < 0) {
        toggleFocusedControl();
      } else if (menu.selection < menuItemCount(menu.screen)) {
        playSound("menu.ogg");
        menu.pendingCommand = true;
        closeScreen();
      }
      return;
    case VK_ESCAPE:
      menu.pendingBack = true;
      closeScreen();
      return;
    case VK_SPACE: toggleFocusedControl(); return;
    case VK_LEFT:
    case VK_UP: stepSelection(-1); return;
    case VK_RIGHT:
    case VK_DOWN: stepSelection(1); return;
    default: return;
  }
}

}  // namespace

int32_t refuseEscape(int32_t key) { return key == VK_ESCAPE ? 0 : key; }

int32_t escapeAsEnter(int32_t key) { return key == VK_ESCAPE ? VK_RETURN : key; }

void handleMenuKey(int32_t key) {
  if (key == 0) return;
  if (menu.textEntryActive) nameEntryKey(key);
  if (menu.menuHidden) {
    menu.menuHidden = false;
    openScreenByName("main");
    return;
  }
  if (menu.screen < 0) return;
  // The save problem is only news: Escape takes it as read.
  if (saveProblemBoxShowing()) key = escapeAsEnter(key);
  const MenuScreenHooks screen = screenHooksOf(menu.screen);
  if (screen.key) key = screen.key(key);
  if (key != 0) generalKey(key);
}
