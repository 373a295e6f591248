// screens.cpp: the screens the menu module draws itself: the title screen with
// its two lists parted by a line, its greeting and profiles link, the two message boxes, the panel after a lost
// level, the game menu over the board, and the scrolling credits.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "audio/audio.h"
#include "input/input.h"
#include "persistence/profile.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/text.h"
#include "resources/resources.h"
#include "ui/menu_local.h"
#include "ui/widgets.h"

namespace {

constexpr int32_t kTitleMusic = 2;
constexpr float kCreditLineStep = 40.0f;
constexpr int32_t kTitleTips = 5;  // the first five items of "main" have a balloon
// The line between the title's two lists stops short of the ornaments at the
// middle of the window's sides.
constexpr float kTitleSeparatorInset = 40.0f;

// The greeting: the first "%s" of the format becomes the name; everything else is
// copied as it stands, so a stray '%' in the data can do no harm.
void formatGreeting(const char* format, const char* name, char* out, size_t capacity) {
  const char* slot = std::strstr(format, "%s");
  if (!slot) {
    std::snprintf(out, capacity, "%s", format);
    return;
  }
  std::snprintf(out, capacity, "%.*s%s%s", int(slot - format), format, name, slot + 2);
}

void drawGreeting(float drop) {
  const Profile* profile = currentProfileRecord();
  const char* format = getText("hallo");
  char greeting[96];
  formatGreeting(format ? format : "%s", profile ? profile->name : "", greeting, sizeof greeting);
  setTextColor(240, 233, 0, 255);
  drawTextCentered(-220.0f, -210.0f - drop, 15.0f, greeting);
  const char* link = deviceTextAfter("ifnotyou", 0);
  const float half = measureText(link, 12.0f) * 0.5f;
  // The link is the next control: lit under the pointer or with the keys' focus.
  const bool focused = menu.selection < 0 && menu.focus == menuFrame.controlCount;
  if (menu.linkHover || focused) {
    setTextColor(255, 255, 255, 255);
  } else {
    setTextColor(100, 250, 100, 255);
  }
  drawTextCentered(-220.0f, -235.0f - drop, 12.0f, link);
  addControl(ControlKind::ProfilesLink, -220.0f - half, -230.0f - drop, -220.0f + half,
             -248.0f - drop, link);
  setTextColor(255, 255, 255, 255);
}

// The balloon of the first five items, under the pointer or chosen by the keys:
// the text that follows "adventuretip" by the item's index.
void titleBalloon() {
  const bool pointing = input.lastDevice == InputDevice::Mouse;
  for (int32_t i = 0; i < menuFrame.buttonCount; ++i) {
    const ItemButton& b = menuFrame.buttons[i];
    const Vec2 p = menu.pointer;
    const bool over = p.x >= b.left && p.x <= b.right && p.y >= b.bottom && p.y <= b.top;
    if (b.item >= kTitleTips || !(pointing ? over : b.item == menu.selection)) continue;
    const float angle = 180.0f;
    showBalloon({170.0f, b.textY}, textAfter("adventuretip", b.item), 300.0f, &angle, false,
                false);
    return;
  }
}

void drawMessageBox(bool okOnly) {
  beginSquash();
  selectFont(1);
  const float height = wrapText(340.0f, menu.messageText, 16.0f) + 140.0f;
  drawWindowAt(0.0f, 0.0f, 450.0f, height);
  setTextColor(255, 255, 255, 255);
  drawTextCentered(0.0f, height * 0.5f - 60.0f, 16.0f, textState.wrapBuffer);
  selectFont(0);
  const float buttonY = -height * 0.5f + 62.0f;
  if (okOnly) {
    drawButton(0.0f, buttonY, 130.0f, 64.0f, 17.0f, nullptr);
  } else {
    drawButton(-90.0f, buttonY, 135.0f, 64.0f, 17.0f, nullptr);
    drawButton(90.0f, buttonY, 135.0f, 64.0f, 17.0f, nullptr);
  }
  endSquash();
}

}  // namespace

void drawTitleScreen() {
  const int32_t count = menuItemCount(menu.screen);
  const float width = widestItemText(18.0f, 0, -1) + 64.0f;
  const float height = 2.0f * 18.0f * float(count) + 128.0f;
  const float centreY = 100.0f + menu.slideOffset;
  const float f = menu.slideFraction;
  drawWindowAt(240.0f, centreY, width, height * (1.0f - f * f));
  const float half = width * 0.5f - kTitleSeparatorInset;
  drawSeparator(240.0f - half, 240.0f + half, centreY);
  drawItemList(240.0f, centreY + 0.24f * height, 18.0f, true, 0, 3);
  drawItemList(240.0f, centreY - 0.24f * height, 17.0f, true, 3, -1);
  drawGreeting(100.0f * f);
  titleBalloon();
}

void enterTitleScreen() {
  requestMusic(kTitleMusic);
  menu.backdrop = kBackdropTitle;
}

void drawOkBox() { drawMessageBox(true); }
void drawYesNoBox() { drawMessageBox(false); }

// The game menu over the board drops in from above, its items in a window.
void drawGameMenu() {
  const float f = menu.slideFraction;
  drawItemWindow(0.0f, 500.0f * f * f, 18.0f, true, 0, -1);
}

// The window is as wide as its items or its two lines, whichever is wider.
void drawDefeatPanel() {
  beginSquash();
  const int32_t count = menuItemCount(menu.screen);
  const float lines = std::fmax(measureText(textOf("nomoves"), 16.0f),
                                measureText(textOf("loselife"), 16.0f)) - 36.0f;
  drawWindowAt(0.0f, 0.0f, std::fmax(widestItemText(18.0f, 0, -1), lines) + 94.0f,
               2.0f * 18.0f * float(count) + 164.0f);
  setTextColor(55, 255, 255, 255);
  drawTextCentered(0.0f, 65.0f, 16.0f, textOf("nomoves"));
  drawTextCentered(0.0f, 30.0f, 16.0f, textOf("loselife"));
  setTextColor(255, 255, 255, 255);
  drawItemList(0.0f, -40.0f, 18.0f, true, 0, -1);
  endSquash();
}

// The lines rise from below, fading in near the middle and out towards the edges;
// headings (a lower-case third letter) are yellow.
void drawCredits() {
  const float firstLine = menu.creditsClock * 0.03f - 200.0f;
  for (int32_t k = 0; k < menuTree.creditCount; ++k) {
    const char* line = menuTree.credits[k];
    const float y = firstLine - kCreditLineStep * float(k);
    const float distance = std::fabs(y);
    if (distance > 260.0f) continue;
    const float alpha = distance < 100.0f ? 255.0f : (260.0f - distance) / 160.0f * 255.0f;
    const bool heading = std::strlen(line) > 2 && line[2] >= 'a' && line[2] <= 'z';
    setTextColor(255, 255, heading ? 0 : 255, int32_t(alpha));
    drawTextCentered(0.0f, y, 16.0f, line);
  }
  setTextColor(255, 255, 255, 255);
}

void enterCredits() {
  requestMusic(kTitleMusic);
  menu.creditsClock = 0.0f;
  menu.backdrop = kBackdropCredits;
  menu.selection = -1;
}

// The credits rise until the last line has reached y = -10, then stay.
void updateCredits(float dt) {
  const float firstLine = menu.creditsClock * 0.03f - 200.0f;
  if (float(menuTree.creditCount) * kCreditLineStep - 50.0f > firstLine) menu.creditsClock += dt;
}

// Any key leaves the credits.
int32_t creditsKey(int32_t) { return VK_ESCAPE; }
