// items.cpp: the items and controls a screen's drawing registers: item lists,
// buttons, sliders, check boxes and the other controls, the focus marker, and the
// list of what is visible that the runner's dump reads.
#include <cmath>
#include <cstdio>

#include "input/input.h"
#include "persistence/profile.h"
#include "render/render.h"
#include "render/text.h"
#include "render/texture.h"
#include "ui/menu_local.h"
#include "ui/widgets.h"

MenuFrame menuFrame = {};

namespace {

constexpr float kDepth = 50.0f;
constexpr float kCapWidth = 64.0f;  // each end of a button

// p: 0..1, the slow pulse of the selected item.
float itemPulse() { return 0.5f + 0.5f * std::sin(menu.clock * 0.005f); }

}  // namespace

void addVisibleItem(VisibleKind kind, const char* text, float left, float top, float right,
                    float bottom, bool selected, bool enabled) {
  if (menuFrame.visibleCount >= kMaxVisibleItems) return;
  VisibleItem& v = menuFrame.visible[menuFrame.visibleCount++];
  std::snprintf(v.text, sizeof v.text, "%s", text ? text : "");
  v.kind = kind;
  v.x = (left + right) * 0.5f;
  v.y = (top + bottom) * 0.5f;
  v.w = right - left;
  v.h = top - bottom;
  v.selected = selected;
  v.enabled = enabled;
}

namespace {

// Registers the rectangle of `item`; beyond the table the item stays unclickable.
void addItemButton(int32_t item, float left, float top, float right, float bottom, float textY,
                   VisibleKind kind) {
  addVisibleItem(kind, menuNodeText(menuItemNode(menu.screen, item)), left, top, right, bottom,
             item == menu.selection, true);
  if (menuFrame.buttonCount >= kMaxItemButtons) return;
  menuFrame.buttons[menuFrame.buttonCount++] = {left, top, right, bottom, item, textY};
}

int32_t itemsEnd(int32_t last) {
  const int32_t count = menuItemCount(menu.screen);
  return last < 0 || last > count ? count : last;
}

VisibleKind visibleKindOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Slider:
    case ControlKind::Choice: return VisibleKind::Slider;
    case ControlKind::CheckBox: return VisibleKind::Check;
    case ControlKind::ArrowLeft:
    case ControlKind::ArrowRight: return VisibleKind::Arrow;
    case ControlKind::ProfilesLink: return VisibleKind::Link;
    case ControlKind::ProfileEntry: return VisibleKind::Profile;
    case ControlKind::LevelSlot: return VisibleKind::Level;
  }
  return VisibleKind::Text;
}

// One slice of "button.tga" between x0 and x1.
void drawButtonSlice(float x0, float x1, float y, float height, float u0, float u1) {
  drawSpriteRect({x0, y + height * 0.5f, x1, y - height * 0.5f}, {u0, 0.0f, u1, 1.0f}, kWhite,
                 kDepth);
}

}  // namespace

void setHighlightTextColor() { setTextColor(255, int32_t(150.0f + 50.0f * itemPulse()), 0, 255); }

Color highlightGlowColor() {
  return makeColor(255, 200, 100, int32_t(50.0f + 20.0f * itemPulse()));
}

float widestItemText(float size, int32_t first, int32_t last) {
  float widest = 0.0f;
  for (int32_t i = first; i < itemsEnd(last); ++i) {
    widest = std::fmax(widest, measureText(menuNodeText(menuItemNode(menu.screen, i)), size));
  }
  return widest;
}

void drawItemList(float x, float y, float size, bool centred, int32_t first, int32_t last) {
  const int32_t end = itemsEnd(last);
  if (first < 0 || first >= end) return;
  const int32_t n = end - first;
  const float widest = widestItemText(size, first, end);
  const float textX = centred ? x : x - widest * 0.5f + size;
  const float left = centred ? x - widest * 0.5f - size : x - widest * 0.5f;
  const float right = centred ? x + widest * 0.5f : x + widest * 0.5f + size;
  for (int32_t k = 0; k < n; ++k) {
    const int32_t item = first + k;
    const float lineY = y + size * float(n) - size - 2.0f * size * float(k);
    const char* text = menuNodeText(menuItemNode(menu.screen, item));
    if (item == menu.selection) {
      setHighlightTextColor();
      drawGlowText(textX, lineY, size, highlightGlowColor(), text, centred);
    } else {
      setTextColor(255, 255, 255, 255);
      drawText(textX, lineY, size, text, centred);
    }
    addItemButton(item, left, lineY + 1.2f * size, right, lineY - 0.8f * size, lineY,
                  VisibleKind::Text);
  }
  setTextColor(255, 255, 255, 255);
}

void drawItemWindow(float x, float y, float size, bool centred, int32_t first, int32_t last) {
  const int32_t n = itemsEnd(last) - (first < 0 ? 0 : first);
  if (n <= 0) return;
  const float width = widestItemText(size, first, last) + 64.0f;
  const float height = 2.0f * size * float(n) + 64.0f;
  const float f = menu.slideFraction;
  drawWindowAt(x, y, width, height * (1.0f - f * f));
  drawItemList(x, y, size, centred, first, last);
}

void drawButton(float x, float y, float width, float height, float size, const char* text) {
  const int32_t item = menuFrame.buttonCount;
  if (!text) text = menuNodeText(menuItemNode(menu.screen, item));
  setTexture(menuTextures.button);
  const float left = x - width * 0.5f, right = x + width * 0.5f;
  const float cap = std::fmin(kCapWidth, width * 0.5f);
  const float centreU = menuTextures.button ? 0.5f : 0.0f;
  drawButtonSlice(left, left + cap, y, height, 0.0f, 0.5f);
  drawButtonSlice(left + cap, right - cap, y, height, centreU, centreU);
  drawButtonSlice(right - cap, right, y, height, 0.5f, 1.0f);
  if (item == menu.selection) {
    setHighlightTextColor();
  } else {
    setTextColor(255, 255, 255, 255);
  }
  drawTextCentered(x, y, size, text);
  setTextColor(255, 255, 255, 255);
  addItemButton(item, left, y + height * 0.5f, right, y - height * 0.5f, y, VisibleKind::Button);
}

int32_t addControl(ControlKind kind, float left, float top, float right, float bottom,
                   const char* text) {
  const int32_t index = menuFrame.controlCount;
  bool enabled = true;
  if (kind == ControlKind::LevelSlot) enabled = levelChoosable(index);
  addVisibleItem(visibleKindOf(kind), text, left, top, right, bottom, index == menu.focus, enabled);
  if (index >= kMaxMenuControls) return -1;
  menuFrame.controls[menuFrame.controlCount++] = {left, top, right, bottom, kind, 0, nullptr,
                                                  nullptr};
  return index;
}

namespace {

// A control of `positions` values bound to *value between `left` and `right`, with
// an arrow beyond each end. Returns its index, or -1 when the table is full.
int32_t addArrowedControl(ControlKind kind, Vec2 left, Vec2 right, int16_t* value,
                          int16_t positions, const char* text) {
  const float y = (left.y + right.y) * 0.5f;
  const int32_t index = addControl(kind, left.x, y + 15.0f, right.x, y - 15.0f, text);
  if (index < 0) return -1;
  MenuControl& c = menuFrame.controls[index];
  c.positions = positions;
  c.boundPosition = value;
  drawAtlasCell(kCellArrowLeft, left.x - 44.8f, left.y, 1.0f, kWhite);
  drawAtlasCell(kCellArrowRight, right.x + 44.8f, right.y, 1.0f, kWhite);
  return index;
}

}  // namespace

int32_t addSlider(Vec2 left, Vec2 right, int16_t* value, int16_t positions) {
  char text[16];
  std::snprintf(text, sizeof text, "%i", value ? *value : 0);
  const int32_t index = addArrowedControl(ControlKind::Slider, left, right, value, positions, text);
  if (index < 0) return -1;
  drawSeparator(left.x, right.x, (left.y + right.y) * 0.5f);
  const float t = positions > 1 && value ? float(*value) / float(positions - 1) : 0.0f;
  drawAtlasCell(kCellSliderKnob, left.x + (right.x - left.x) * t, left.y + (right.y - left.y) * t,
                1.0f, kWhite);
  return index;
}

int32_t addChoice(Vec2 left, Vec2 right, int16_t* value, int16_t count, const char* text,
                  float size) {
  const int32_t index = addArrowedControl(ControlKind::Choice, left, right, value, count, text);
  if (index < 0) return -1;
  setTextColor(255, 255, 255, 255);
  drawTextCentered((left.x + right.x) * 0.5f, (left.y + right.y) * 0.5f, size, text);
  return index;
}

int32_t addCheckBox(float x, float y, uint8_t* state, const char* label, float labelSize) {
  const int32_t index =
      addControl(ControlKind::CheckBox, x - 32.0f, y + 32.0f, x + 32.0f, y - 32.0f, label);
  if (index < 0) return -1;
  menuFrame.controls[index].boundState = state;
  drawAtlasCell(state && *state ? kCellCheckOn : kCellCheckOff, x, y, 1.0f, kWhite);
  if (label) {
    setTextColor(255, 255, 255, 255);
    drawText(x + 47.0f, y, labelSize, label, false);
  }
  return index;
}

void drawFocusMarker() {
  if (menuFrame.controlCount == 0 || menu.focus < 0 || menu.focus >= menuFrame.controlCount) {
    return;
  }
  const MenuControl& c = menuFrame.controls[menu.focus];
  const float q = 0.5f + 0.5f * std::sin(menu.clock * 0.008f);
  setTexture(nullptr);
  drawSpriteRect({c.left - 32.0f, c.top + 16.0f, c.right + 32.0f, c.bottom - 16.0f},
                 {0.0f, 0.0f, 1.0f, 1.0f}, makeColor(255, 200, 100, int32_t(50.0f + 30.0f * q)),
                 kDepth);
}
