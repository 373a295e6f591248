// widgets.h: what a screen's drawing is made of: windows and light boxes, the
// item lists and buttons that register the items' rectangles, the controls
// (sliders, check boxes, arrows, list entries, level slots, the profiles link)
// with their focus marker, and the tooltip balloon. Coordinates are overlay units
// (x right, y up); font sizes are text heights.
//
// Screens draw through these every frame; the tables they fill are what the next
// update's hover, clicks and keys act on (menuFrame).
#pragma once

#include <cstdint>

#include "core/math.h"
#include "ui/menu.h"

// The menu pictures: process lifetime, loaded by loadMenuTextures.
struct TextureEntry;
struct MenuTextures {
  TextureEntry* atlas;    // "menutex.tga": frames, slider, check boxes, cursor
  TextureEntry* body;     // "white.jpg": window bodies
  TextureEntry* fill;     // "winfill.jpg": loaded, never drawn
  TextureEntry* balloon;  // "baloon.tga": drawn by name by render's balloon and light box
  TextureEntry* button;   // "button.tga"
  TextureEntry* flare;    // "flare.jpg": the glow along large windows' edges
};
extern MenuTextures menuTextures;

// Atlas cells of "menutex.tga" used by name.
enum : int32_t {
  kCellHorizontalEdge = 4,
  kCellVerticalEdge = 5,
  kCellArrowLeft = 14,
  kCellArrowRight = 15,
  kCellSliderKnob = 19,
  kCellCheckOn = 20,
  kCellCheckOff = 21,
  kCellCursorArrow = 22,
  kCellCursorGlow = 23
};
// Draws atlas cell `cell` (0..23) centred on (x, y) at its own size times `scale`.
void drawAtlasCell(int32_t cell, float x, float y, float scale, Color color);

// ---------------------------------------------------------------------------
// Windows

// A menu window: flare bands, the tinted body, framed edges, corners, ornaments
// and twinkles. y is the top edge.
void drawWindow(float left, float top, float width, float height);
void drawWindowAt(float centreX, float centreY, float width, float height);
// A separator line at half size between two points of equal y.
void drawSeparator(float x0, float x1, float y);
// Screens that unfold while sliding draw between these: a vertical scale of
// 1 - f * f about the screen centre, f the slide fraction.
void beginSquash();
void endSquash();

// ---------------------------------------------------------------------------
// Items

// The widest text among items first..last-1 (last < 0: to the end) in `size`.
float widestItemText(float size, int32_t first, int32_t last);
// Items first..last-1 of the current screen as a list, the first line's centre at
// y + size * n - size and each next 2 * size lower; registers each as an item.
void drawItemList(float x, float y, float size, bool centred, int32_t first, int32_t last);
// drawItemList inside a window around it, centred on (x, y).
void drawItemWindow(float x, float y, float size, bool centred, int32_t first, int32_t last);
// One button centred on (x, y) for the next item (the item whose index is the
// number of items registered so far); `text` null shows that item's text.
void drawButton(float x, float y, float width, float height, float size, const char* text);
// The highlight of the selected item: a pulsing orange text colour and its glow.
void setHighlightTextColor();
Color highlightGlowColor();

// ---------------------------------------------------------------------------
// Controls

// A slider from `left` to `right` with `positions` positions bound to *value.
// Returns the control's index, or -1 when the table is full.
int32_t addSlider(Vec2 left, Vec2 right, int16_t* value, int16_t positions);
// One of `count` values bound to *value, shown as `text` centred between `left`
// and `right` with an arrow beyond each end that steps it (wrapping round).
// Returns the control's index, or -1 when the table is full.
int32_t addChoice(Vec2 left, Vec2 right, int16_t* value, int16_t count, const char* text,
                  float size);
// A check box centred on (x, y) bound to *state, with an optional label after it.
int32_t addCheckBox(float x, float y, uint8_t* state, const char* label, float labelSize);
// Any other control; `text` names it in the runner's dump (may be null).
int32_t addControl(ControlKind kind, float left, float top, float right, float bottom,
                   const char* text);
// The pulsing rectangle around the focused control.
void drawFocusMarker();
// Lists something shown this frame for the runner's dump (items and controls list
// themselves).
void addVisibleItem(VisibleKind kind, const char* text, float left, float top, float right,
                    float bottom, bool selected, bool enabled);

// ---------------------------------------------------------------------------
// Balloon

// Asks for the balloon this frame. `angle` null: the box lies towards the screen
// centre.
void showBalloon(Vec2 anchor, const char* text, float width, const float* angle, bool pointer,
                 bool grow);
