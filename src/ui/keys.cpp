// keys.cpp: one key of the frame as the menus take it: the name entry first, then
// the rules of particular screens, then the general keys (Enter chooses, Escape
// goes back, Space toggles, the arrows move the selection).
#include <cstring>

#include "audio/audio.h"
#include "map/map.h"
#include "persistence/profile.h"
#include "platform/platform.h"
#include "ui/menu.h"
#include "ui/menu_local.h"

namespace {

constexpr int32_t kLastLevel = kMapLevelCount - 1;

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
      if (isCurrentScreen("newprofile") || isCurrentScreen("messageboxok")) return;
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

// The rules of particular screens. Returns the key to hand on, or 0 when the
// key was used up or dropped.
int32_t screenKey(int32_t key) {
  if (isCurrentScreen("profiles") && key == VK_RETURN &&
      std::strcmp(selectedMenuItem(), "newprofile") == 0 &&
      profileTable.profileCount >= kMaxProfiles) {
    playSound("gaf.ogg");
    return 0;
  }
  if (isCurrentScreen("levelcomplete")) {
    if (key == VK_ESCAPE) key = VK_RETURN;
    if (key == VK_RETURN && menu.countUpRunning) {
      menu.countUpRunning = false;
      return 0;
    }
  }
  if (isCurrentScreen("hiscore")) {
    if (key == VK_LEFT) menu.hiscoreTable = (menu.hiscoreTable + 2) % 3;
    if (key == VK_RIGHT) menu.hiscoreTable = (menu.hiscoreTable + 1) % 3;
  }
  if (isCurrentScreen("survival")) {
    const bool locked = survivalStartLocked(menu.survivalStartLevel);
    if (key == VK_RETURN && menu.selection == 0 && locked) return 0;
    if (key == VK_LEFT) {
      if (menu.survivalStartLevel > 0) --menu.survivalStartLevel;
      return 0;
    }
    if (key == VK_RIGHT) {
      if (menu.survivalStartLevel < kLastLevel) ++menu.survivalStartLevel;
      return 0;
    }
  }
  if (isCurrentScreen("credits")) key = VK_ESCAPE;
  if (isCurrentScreen("gameplaytip") && key == VK_ESCAPE) key = VK_RETURN;
  // The save problem is only news: Escape takes it as read.
  if (saveProblemBoxShowing() && key == VK_ESCAPE) key = VK_RETURN;
  if (key == VK_ESCAPE && (isCurrentScreen("loadgamequest") || isCurrentScreen("defeat") ||
                           isCurrentScreen("adventure") || isCurrentScreen("zen"))) {
    return 0;
  }
  if (isCurrentScreen("helpscreen") && (key == VK_LEFT || key == VK_RIGHT)) return 0;
  return key;
}

}  // namespace

void handleMenuKey(int32_t key) {
  if (key == 0) return;
  if (menu.textEntryActive) nameEntryKey(key);
  if (menu.menuHidden) {
    menu.menuHidden = false;
    openScreenByName("main");
    return;
  }
  if (menu.screen < 0) return;
  key = screenKey(key);
  if (key != 0) generalKey(key);
}
