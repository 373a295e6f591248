// profile_list.cpp: the players' screen ("profiles"): every player's name in a
// window of its own, the focused one lit, each a list entry to click or double
// click; the screen's items beside it choose, add, rename and remove.
#include <cstring>

#include "audio/audio.h"
#include "persistence/profile.h"
#include "platform/platform.h"
#include "render/text.h"
#include "resources/resources.h"
#include "ui/menu.h"
#include "ui/menu_local.h"
#include "ui/widgets.h"

namespace {

constexpr float kNameX = -140.0f;
constexpr float kNameStep = 30.0f;
constexpr float kNameSize = 14.0f;
constexpr float kEntryHalfHeight = 18.0f;

// Each player's name, the focused one lit, each registered as an entry.
void drawNames(float firstY) {
  for (int32_t i = 0; i < profileTable.profileCount && i < kMaxProfiles; ++i) {
    const char* name = profileTable.profiles[i].name;
    const float y = firstY - kNameStep * float(i);
    // Entries are the screen's first controls, so entry i is control i.
    const bool focused = i == (menu.focus < 0 ? 0 : menu.focus);
    if (focused) {
      setTextColor(255, 255, 55, 255);
    } else {
      setTextColor(255, 255, 255, 255);
    }
    drawTextCentered(kNameX, y, kNameSize, name);
    const float half = measureText(name, kNameSize) * 0.5f;
    addControl(ControlKind::ProfileEntry, kNameX - half, y + kEntryHalfHeight, kNameX + half,
               y - kEntryHalfHeight, name);
  }
  setTextColor(255, 255, 255, 255);
}

}  // namespace

void drawProfileList() {
  const float offset = menu.slideOffset;
  const int32_t count = profileTable.profileCount;
  drawWindow(-325.0f, 280.0f + offset, 370.0f, 30.0f * float(count) + 115.0f);
  setTextColor(0, 255, 255, 255);
  drawTextCentered(kNameX, 220.0f + offset, 18.0f, textOf("curusers"));
  drawNames(180.0f + offset);
  drawFocusMarker();
  drawItemWindow(230.0f, 150.0f + offset, 18.0f, true, 0, -1);
}

// The player renamed or removed last is focused.
void enterProfileList() { menu.focus = menu.renameIndex; }

// Some player is always focused, so the items act on a name.
void updateProfileList(float) {
  if (menu.focus < 0) menu.focus = 0;
}

// A ninth player cannot be made: Enter on "newprofile" only complains. Left and
// Right go through the players' names, Up and Down through the items beside them.
int32_t profileListKey(int32_t key) {
  if (key == VK_RETURN && std::strcmp(selectedMenuItem(), "newprofile") == 0 &&
      profileTable.profileCount >= kMaxProfiles) {
    playSound("gaf.ogg");
    return 0;
  }
  const int32_t count = profileTable.profileCount;
  if ((key == VK_LEFT || key == VK_RIGHT) && count > 0) {
    const int32_t focus = menu.focus < 0 ? 0 : menu.focus;
    menu.focus = (focus + (key == VK_RIGHT ? 1 : count - 1)) % count;
    return 0;
  }
  return key;
}
