// tips.h: the short explanatory tips of the board game: one-time tips that each
// profile sees once when something new happens, and help tips chosen for what the
// help cursor clicks. One tip shows at a time; the drawing reads TipState.
#pragma once

#include <cstdint>

#include "core/math.h"
#include "game/board.h"

// The one-time tips in the order of the profile's tip flags.
constexpr int32_t kOneTimeTipCount = 8;
extern const char* const kOneTimeTips[kOneTimeTipCount];
constexpr int32_t kMaxTipKey = 32;
// The panel can be closed by a click once it has shown for this long.
constexpr float kTipCloseAfterMs = 250.0f;

// The tip panel: process lifetime, reset by startLevel.
struct TipState {
  bool active;            // a tip is pending or shown
  bool visible;           // shown this frame
  char key[kMaxTipKey];   // text-table key of the tip
  int32_t textStep;       // the text is the entry this far after the key's (by difficulty)
  Vec2 anchor;
  float delay;            // ms until shown; falls to -250 and stays there
  CellPos cell;           // the bound cell, or kNoCell
  int32_t highlightKind;  // the bound ball value, or -1
};
extern TipState tipState;

// Shows a one-time tip unless the current profile has seen it; marks it seen.
// Keys outside the one-time list show nothing.
void showOneTimeTip(Vec2 anchor, const char* key, CellPos cell, float delay,
                    int32_t highlightKind);
// Shows the tip describing what lies under the overlay point (the help cursor).
void showHelpTip(float x, float y);
// The tip's text, looked up when asked: the language may change while it shows.
const char* shownTipText();
// Hides the tip at once.
void hideTip();
// One frame of the tip panel.
void updateTip(float dt);
// A left click while a tip is active: closes it once it has shown long enough.
void clickTip();
