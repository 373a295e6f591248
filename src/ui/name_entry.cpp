// name_entry.cpp: the field a player's name is typed into ("newprofile",
// "rename"): capital letters, digits and spaces, at most twelve, with a caret
// moved by Left, Right, Home and End, and Up and Down to spell without letter keys.
#include <cmath>
#include <cstring>

#include "platform/platform.h"
#include "render/balloon.h"
#include "render/render.h"
#include "render/text.h"
#include "resources/resources.h"
#include "ui/menu_local.h"
#include "ui/widgets.h"

namespace {

int32_t textLength() { return int32_t(std::strlen(menu.editBuffer)); }

// The character a key types into a name, or 0.
char typedCharacter(int32_t key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') || key == VK_SPACE) {
    return char(key);
  }
  return 0;
}

void insertAtCaret(char c) {
  const int32_t length = textLength();
  if (length >= kMaxNameLength) return;
  std::memmove(menu.editBuffer + menu.caret + 1, menu.editBuffer + menu.caret,
               size_t(length - menu.caret + 1));
  menu.editBuffer[menu.caret++] = c;
}

void deleteAt(int32_t at) {
  std::memmove(menu.editBuffer + at, menu.editBuffer + at + 1, size_t(textLength() - at));
}

// Up and Down turn the character at the caret through the letters, the digits and
// the space, as a name is spelled with a controller; at the end of the name they
// add a letter to turn.
constexpr char kSpelled[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ";
constexpr int32_t kSpelledCount = int32_t(sizeof kSpelled - 1);

void turnCharacter(int32_t step) {
  if (menu.caret >= textLength()) {
    if (textLength() >= kMaxNameLength) return;
    insertAtCaret(step > 0 ? kSpelled[0] : kSpelled[kSpelledCount - 1]);
    --menu.caret;
    return;
  }
  const char* at = std::strchr(kSpelled, menu.editBuffer[menu.caret]);
  const int32_t index = at ? int32_t(at - kSpelled) : 0;
  menu.editBuffer[menu.caret] = kSpelled[(index + step + kSpelledCount) % kSpelledCount];
}

}  // namespace

void enterNewProfile() {
  menu.backdrop = kBackdropTitle;
  menu.textEntryActive = true;
  menu.caret = 0;
  menu.editBuffer[0] = '\0';
}

// The buffer holds the old name.
void enterRename() {
  menu.textEntryActive = true;
  menu.caret = 0;
}

void nameEntryKey(int32_t key) {
  const int32_t length = textLength();
  if (menu.caret > length) menu.caret = length;
  switch (key) {
    case VK_BACK:
      if (menu.caret > 0) deleteAt(--menu.caret);
      return;
    case VK_DELETE:
      if (menu.caret < length) deleteAt(menu.caret);
      return;
    case VK_HOME: menu.caret = 0; return;
    case VK_END: menu.caret = length; return;
    case VK_LEFT:
      if (menu.caret > 0) --menu.caret;
      return;
    case VK_RIGHT:
      if (menu.caret < length) ++menu.caret;
      return;
    case VK_UP: turnCharacter(1); return;
    case VK_DOWN: turnCharacter(-1); return;
    default:
      if (const char c = typedCharacter(key)) insertAtCaret(c);
      return;
  }
}

void drawNameEntry() {
  beginSquash();
  drawWindow(-200.0f, 140.0f, 400.0f, 280.0f);
  setTextColor(255, 255, 255, 255);
  drawTextCentered(0.0f, 90.0f, 15.0f, textOf("entername"));
  drawLightBox({-165.0f, 52.0f, 165.0f, -12.0f}, 1.0f, 1.0f);
  drawTextCentered(0.0f, 20.0f, 17.0f, menu.editBuffer);
  addVisibleItem(VisibleKind::Entry, menu.editBuffer, -165.0f, 52.0f, 165.0f, -12.0f, false,
                 true);
  // The caret sits after the characters before it, the text being centred.
  char before[kMaxNameLength + 1] = {};
  std::memcpy(before, menu.editBuffer, size_t(menu.caret < 0 ? 0 : menu.caret));
  const float caretX = -measureText(menu.editBuffer, 17.0f) * 0.5f + measureText(before, 17.0f);
  const float alpha = (0.5f + 0.5f * std::sin(menu.caretClock * 0.01f)) * 255.0f;
  setTextColor(255, 255, 55, int32_t(alpha));
  drawTextCentered(caretX, 20.0f, 17.0f, "|");
  setTextColor(255, 255, 255, 255);
  drawButton(0.0f, -80.0f, 130.0f, 64.0f, 18.0f, nullptr);
  endSquash();
}
