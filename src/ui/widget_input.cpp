// widget_input.cpp: how the pointer acts on what the last frame drew: hover
// selects items and focuses controls, a held button drags sliders, a click
// chooses an item or works a control, a double click chooses a level or a player.
#include "input/input.h"
#include "persistence/profile.h"
#include "platform/platform.h"
#include "ui/menu_local.h"
#include "ui/widgets.h"

namespace {

constexpr float kDragMargin = 25.6f;  // a slider follows the pointer this far past its ends
constexpr float kArrowReach = 64.0f;  // a click this far past a slider's end steps it

bool insideInclusive(const MenuControl& c, Vec2 p) {
  return p.x >= c.left && p.x <= c.right && p.y >= c.bottom && p.y <= c.top;
}

bool insideExclusive(const MenuControl& c, Vec2 p) {
  return p.x > c.left && p.x < c.right && p.y > c.bottom && p.y < c.top;
}

void setSliderPosition(MenuControl& c, int32_t position) {
  if (!c.boundPosition || c.positions <= 0) return;
  if (position < 0) position = 0;
  if (position > c.positions - 1) position = c.positions - 1;
  *c.boundPosition = int16_t(position);
}

// The profiles link opens the players' screen on the current player.
void openPlayersFromLink() {
  menu.renameIndex = profileTable.currentProfile;
  openScreenByName("profiles");
}

// A click's effect on one control (the item under the pointer has had its turn).
void clickControl(int32_t index, Vec2 p) {
  MenuControl& c = menuFrame.controls[index];
  if (c.kind == ControlKind::Slider) {
    if (p.x < c.left - kArrowReach || p.x > c.right + kArrowReach || p.y < c.bottom ||
        p.y > c.top) {
      return;
    }
    const int32_t position = c.boundPosition ? *c.boundPosition : 0;
    if (p.x <= c.left - kDragMargin) setSliderPosition(c, position - 1);
    if (p.x >= c.right + kDragMargin) setSliderPosition(c, position + 1);
    menu.focus = index;
    return;
  }
  if (c.kind == ControlKind::Choice) {
    if (p.y < c.bottom || p.y > c.top) return;
    int32_t step = 0;
    if (p.x <= c.left && p.x >= c.left - kArrowReach) step = -1;
    if (p.x >= c.right && p.x <= c.right + kArrowReach) step = 1;
    if (step != 0 && stepChoice(&c, step)) menu.focus = index;
    return;
  }
  if (c.kind == ControlKind::LevelSlot) {
    if (insideInclusive(c, p) && levelChoosable(index)) {
      setSelectedLevel(index);
      menu.focus = index;
    }
    return;
  }
  if (!insideExclusive(c, p)) return;
  switch (c.kind) {
    case ControlKind::CheckBox:
      if (c.boundState) *c.boundState = *c.boundState ? 0 : 1;
      menu.focus = index;
      return;
    case ControlKind::ProfileEntry: menu.focus = index; return;
    case ControlKind::ArrowLeft: handleMenuKey(VK_LEFT); return;
    case ControlKind::ArrowRight: handleMenuKey(VK_RIGHT); return;
    case ControlKind::ProfilesLink: openPlayersFromLink(); return;
    default: return;
  }
}

}  // namespace

bool stepChoice(MenuControl* c, int32_t step) {
  if (!c->boundPosition || c->positions <= 0) return false;
  *c->boundPosition = int16_t((*c->boundPosition + step + c->positions) % c->positions);
  return true;
}

void hoverMenu(float dt) {
  const Vec2 p = menu.pointer;
  for (int32_t i = 0; i < menuFrame.buttonCount && menu.mouseMoved; ++i) {
    const ItemButton& b = menuFrame.buttons[i];
    if (p.x >= b.left && p.x <= b.right && p.y >= b.bottom && p.y <= b.top) {
      menu.selection = b.item;
    }
  }
  // A pointer left resting over a control does not take the focus from the keys.
  const bool pointing = input.lastDevice == InputDevice::Mouse;
  bool overControl = !pointing;
  for (int32_t i = 0; i < menuFrame.controlCount && pointing; ++i) {
    const MenuControl& c = menuFrame.controls[i];
    if (!insideInclusive(c, p)) continue;
    if (c.kind == ControlKind::ProfilesLink) {
      menu.linkHover = true;
      continue;
    }
    overControl = true;
    if (c.kind != ControlKind::ProfileEntry && !menu.textEntryActive) menu.focus = i;
  }
  menu.hoverTimer = overControl ? 0.0f : menu.hoverTimer + dt;
  if (const MenuScreenHooks screen = screenHooksOf(menu.screen); screen.hover) screen.hover();
}

void dragSliders() {
  if (!menu.mouseHeld) return;
  const Vec2 p = menu.pointer;
  for (int32_t i = 0; i < menuFrame.controlCount; ++i) {
    MenuControl& c = menuFrame.controls[i];
    if (c.kind != ControlKind::Slider || p.y < c.bottom || p.y > c.top) continue;
    if (p.x < c.left - kDragMargin || p.x > c.right + kDragMargin) continue;
    if (p.x <= c.left) {
      setSliderPosition(c, 0);
    } else if (p.x >= c.right) {
      setSliderPosition(c, c.positions - 1);
    } else {
      setSliderPosition(c, int32_t((p.x - c.left) / (c.right - c.left) * float(c.positions)));
    }
  }
}

void clickMenu() {
  if (menu.menuHidden) {
    menu.menuHidden = false;
    openScreenByName("main");
    return;
  }
  if (screenHooksOf(menu.screen).clickIsEnter) {
    handleMenuKey(VK_RETURN);
    return;
  }
  const Vec2 p = menu.pointer;
  for (int32_t i = 0; i < menuFrame.buttonCount; ++i) {
    const ItemButton& b = menuFrame.buttons[i];
    if (p.x >= b.left && p.x <= b.right && p.y >= b.bottom && p.y <= b.top) {
      menu.selection = b.item;
      handleMenuKey(VK_RETURN);
      break;
    }
  }
  for (int32_t i = 0; i < menuFrame.controlCount; ++i) clickControl(i, p);
}

void doubleClickMenu() {
  const Vec2 p = menu.pointer;
  for (int32_t i = 0; i < menuFrame.controlCount; ++i) {
    const MenuControl& c = menuFrame.controls[i];
    if (!insideInclusive(c, p)) continue;
    if (c.kind == ControlKind::LevelSlot && levelChoosable(i)) {
      menu.focus = i;
      setSelectedLevel(i);
      menu.selection = 0;
      handleMenuKey(VK_RETURN);
      return;
    }
    if (c.kind == ControlKind::ProfileEntry) {
      menu.focus = i;
      const int32_t select = menuItemIndex(menu.screen, "selectprofile");
      menu.selection = select < 0 ? 0 : select;
      handleMenuKey(VK_RETURN);
      return;
    }
  }
  clickMenu();
}

void toggleFocusedControl() {
  if (menu.focus < 0 || menu.focus >= menuFrame.controlCount) return;
  MenuControl& c = menuFrame.controls[menu.focus];
  if (c.kind == ControlKind::CheckBox && c.boundState) *c.boundState = *c.boundState ? 0 : 1;
  if (c.kind == ControlKind::ProfilesLink) openPlayersFromLink();
}
