// keys.cpp: one key of the frame as the menus take it: the name entry first, then
// the current screen's own keys, then the general keys (Enter chooses, Escape
// goes back, Space toggles, the arrows go round what the screen shows and move a
// focused slider).
#include <cmath>

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

// One stop of the arrows' round through a screen: an item the last frame drew, or
// a control the keys work.
struct RingStop {
  int32_t item;     // the item, or -1
  int32_t control;  // the control, or -1
  Vec2 at;          // its centre
};
constexpr int32_t kMaxRingStops = kMaxItemButtons + kMaxMenuControls;
// Stops this close in height are one row, gone through from left to right.
constexpr float kRowSlack = 16.0f;
// A slider moves a twentieth of its length a press.
constexpr int32_t kSliderSteps = 20;

// Sliders, choices, check boxes and the profiles link take the focus from the keys;
// list entries, level marks and arrows have keys of their own screen.
bool keysFocus(ControlKind kind) {
  return kind == ControlKind::Slider || kind == ControlKind::Choice ||
         kind == ControlKind::CheckBox || kind == ControlKind::ProfilesLink;
}

bool focusOnRingControl() {
  return menu.focus >= 0 && menu.focus < menuFrame.controlCount &&
         keysFocus(menuFrame.controls[menu.focus].kind);
}

// Reading order: top to bottom, a row left to right.
bool readBefore(const RingStop& a, const RingStop& b) {
  if (std::fabs(a.at.y - b.at.y) > kRowSlack) return a.at.y > b.at.y;
  return a.at.x < b.at.x;
}

int32_t gatherRing(RingStop* stops) {
  int32_t n = 0;
  for (int32_t i = 0; i < menuFrame.buttonCount; ++i) {
    const ItemButton& b = menuFrame.buttons[i];
    stops[n++] = {b.item, -1, {(b.left + b.right) * 0.5f, (b.top + b.bottom) * 0.5f}};
  }
  for (int32_t i = 0; i < menuFrame.controlCount; ++i) {
    const MenuControl& c = menuFrame.controls[i];
    if (!keysFocus(c.kind)) continue;
    stops[n++] = {-1, i, {(c.left + c.right) * 0.5f, (c.top + c.bottom) * 0.5f}};
  }
  for (int32_t i = 1; i < n; ++i) {
    for (int32_t j = i; j > 0 && readBefore(stops[j], stops[j - 1]); --j) {
      const RingStop kept = stops[j];
      stops[j] = stops[j - 1];
      stops[j - 1] = kept;
    }
  }
  return n;
}

int32_t currentStop(const RingStop* stops, int32_t n) {
  for (int32_t i = 0; i < n; ++i) {
    if (menu.selection >= 0 ? stops[i].item == menu.selection
                            : stops[i].control >= 0 && stops[i].control == menu.focus) {
      return i;
    }
  }
  return -1;
}

// The next (step 1) or previous (-1) stop of the round becomes the selected item or
// the focused control. Returns false when the last frame drew nothing to go round.
bool stepRing(int32_t step) {
  RingStop stops[kMaxRingStops];
  const int32_t n = gatherRing(stops);
  if (n == 0) return false;
  const int32_t at = currentStop(stops, n);
  const RingStop& next = stops[at < 0 ? (step > 0 ? 0 : n - 1) : (at + step + n) % n];
  if (next.item >= 0) {
    if (focusOnRingControl()) menu.focus = -1;
    menu.selection = next.item;
  } else {
    menu.selection = -1;
    menu.focus = next.control;
    playSound("menu2.ogg");
  }
  return true;
}

// Left or Right on the focused slider or choice. Returns false when neither has the
// focus.
bool stepFocusedSlider(int32_t step) {
  if (menu.selection >= 0 || !focusOnRingControl()) return false;
  MenuControl& c = menuFrame.controls[menu.focus];
  if (c.kind == ControlKind::Choice) return stepChoice(&c, step);
  if (c.kind != ControlKind::Slider || !c.boundPosition || c.positions <= 0) return false;
  const int32_t stride = c.positions / kSliderSteps > 1 ? c.positions / kSliderSteps : 1;
  int32_t position = *c.boundPosition + step * stride;
  position = position < 0 ? 0 : (position > c.positions - 1 ? c.positions - 1 : position);
  *c.boundPosition = int16_t(position);
  return true;
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
    case VK_RIGHT:
      if (stepFocusedSlider(key == VK_RIGHT ? 1 : -1)) return;
      [[fallthrough]];
    case VK_UP:
    case VK_DOWN: {
      const int32_t step = key == VK_LEFT || key == VK_UP ? -1 : 1;
      if (!stepRing(step)) stepSelection(step);
      return;
    }
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
