// The tip panel's rules: one-time tips with their profile flags, the help tip for
// what the help cursor clicked, and the panel's delay and lifetime.
#include "game/tips.h"

#include <cstring>

#include "game/game.h"
#include "game/game_scene.h"
#include "input/input.h"
#include "persistence/profile.h"
#include "resources/resources.h"

TipState tipState = {};

const char* const kOneTimeTips[kOneTimeTipCount] = {
    "triplebomb", "quadrobomb", "diamond",        "hammertip",
    "hammerfull", "jokertip",   "tipbusysquare2", "chainitemtip"};

namespace {

struct HelpArea {
  HudRect rect;
  const char* key;
  float anchorShift;  // the tip is anchored this far left of the area's centre
};

bool inside(const HudRect& r, float x, float y) {
  return x >= r.x0 && x <= r.x1 && y >= r.y0 && y <= r.y1;
}

Vec2 centreOf(const HudRect& r) { return {(r.x0 + r.x1) * 0.5f, (r.y0 + r.y1) * 0.5f}; }
Vec2 leftOf(Vec2 p, float distance) { return {p.x - distance, p.y}; }

HudRect colourButton(int32_t i) {
  const float h = kColourButtonSize * 0.5f;
  return {kColourButtonX[i] - h, kColourButtonX[i] + h, kColourButtonY - h, kColourButtonY + h};
}

int32_t oneTimeTipIndex(const char* key) {
  for (int32_t i = 0; i < kOneTimeTipCount; ++i) {
    if (std::strcmp(kOneTimeTips[i], key) == 0) return i;
  }
  return -1;
}

void showTip(const char* key, bool perDifficulty, Vec2 anchor, float delay, CellPos cell,
             int32_t highlightKind) {
  tipState = {};
  tipState.active = true;
  std::strncpy(tipState.key, key, kMaxTipKey - 1);
  // The texts of some tips differ by difficulty: the key's entry in Expert, the
  // next one in Normal, the one after in Zen.
  tipState.textStep = perDifficulty ? gameState.difficulty : 0;
  tipState.anchor = anchor;
  tipState.delay = delay;
  tipState.cell = cell;
  tipState.highlightKind = highlightKind;
}

void showPanelTip(const char* key, Vec2 anchor) { showTip(key, false, anchor, 0.0f, kNoCell, -1); }

// The tips of the side panel, where the cell beneath has no floor.
void showPanelHelp(float x, float y) {
  if (gameState.hammerEnabled && inside(kHammerGauge, x, y)) {
    showPanelTip("hammertip", {320.0f, -230.0f});
    return;
  }
  if (inside(kPauseButton, x, y)) {
    showPanelTip("relaxtip", leftOf(centreOf(kPauseButton), 10.0f));
    return;
  }
  const char* const colourTips[3] = {"nighttip", "morningtip", "daytip"};
  for (int32_t i = 0; i < 3; ++i) {
    if (inside(colourButton(i), x, y)) {
      showPanelTip(colourTips[i], centreOf(colourButton(i)));
      return;
    }
  }
  const HelpArea areas[4] = {
      {kMenuButton, "menutip", 30.0f},
      {{300.0f, 390.0f, 230.0f, 260.0f}, gameState.survival ? "scoresurvivaltip" : "scoretip", 30.0f},
      {{300.0f, 390.0f, 40.0f, 70.0f}, gameState.survival ? nullptr : "lifetip", 30.0f},
      {{300.0f, 390.0f, 140.0f, 170.0f}, "numleveltip", 30.0f},
  };
  for (const HelpArea& area : areas) {
    if (!area.key || !inside(area.rect, x, y)) continue;
    showPanelTip(area.key, leftOf(centreOf(area.rect), area.anchorShift));
    return;
  }
}

void showBallHelp(const Cell& cell, Vec2 at) {
  const int32_t value = cell.ballValue;
  if (cell.chainLocks > 0) {
    showPanelTip(isItem(value) ? "chainitemtip" : "chainballtip", at);
  } else if (value >= 0 && value <= 9) {
    showTip("balltip", true, at, 0.0f, kNoCell, -1);
  } else if (value == Ball::Joker) {
    showPanelTip("jokertip", at);
  } else if (value == Ball::TripleBomb) {
    showTip("triplebomb", true, at, 0.0f, kNoCell, -1);
  } else if (value == Ball::Diamond) {
    showPanelTip("diamond", at);
  } else if (value == Ball::QuadroBomb) {
    showTip("quadrobomb", true, at, 0.0f, kNoCell, -1);
  }
}

}  // namespace

void showOneTimeTip(Vec2 anchor, const char* key, CellPos cell, float delay,
                    int32_t highlightKind) {
  const int32_t index = oneTimeTipIndex(key);
  if (index < 0) return;
  if (Profile* profile = currentProfileRecord()) {
    if (profile->tipShown[index]) return;
    profile->tipShown[index] = 1;
  }
  const bool perDifficulty = index <= 1;  // "triplebomb" and "quadrobomb"
  showTip(key, perDifficulty, anchor, delay, cell, highlightKind);
}

void showHelpTip(float x, float y) {
  const CellPos c = cellAtPoint(x, y);
  const bool inArray = c.x >= 0 && c.x < kBoardSize && c.y >= 0 && c.y < kBoardSize;
  if (!inArray || !hasFloor(cellAt(c.x, c.y))) {
    showPanelHelp(x, y);
    return;
  }
  const Cell& cell = cellAt(c.x, c.y);
  const Vec2 at = cellCentre(c.x, c.y);
  if (hasBall(cell)) {
    showBallHelp(cell, at);
  } else if (cell.nextBall >= 0) {
    showPanelTip("newballtip", at);
  } else if (cell.squareLayers == 0) {
    showPanelTip("tipcleanquare", at);
  } else {
    showPanelTip(cell.squareLayers == 1 ? "tipbusysquare1" : "tipbusysquare2", at);
  }
}

void hideTip() { tipState = {}; }

void updateTip(float dt) {
  if (!tipState.active) return;
  if (gameView.menuOpen || !gameState.running || gameState.levelCompleteTimer > 0.0f ||
      gameState.defeatTimer > 0.0f) {
    tipState.visible = false;
    return;
  }
  if (tipState.delay > -kTipCloseAfterMs) {
    tipState.delay -= dt;
    if (tipState.delay < -kTipCloseAfterMs) tipState.delay = -kTipCloseAfterMs;
  }
  tipState.visible = tipState.delay < 0.0f;
  if (!tipState.visible || tipState.cell.x < 0) return;
  const Cell& cell = cellAt(tipState.cell.x, tipState.cell.y);
  const bool lostBall = !hasBall(cell);
  const bool otherKind = tipState.highlightKind >= 0 && cell.ballValue != tipState.highlightKind;
  if (lostBall || otherKind) hideTip();
}

void clickTip() {
  if (tipState.active && tipState.delay <= -kTipCloseAfterMs) hideTip();
}

// From the kept key: a missing text shows that copy, not the caller's string. A tip
// that tells what to press names the keys or the buttons of the device used last.
const char* shownTipText() { return deviceTextAfter(tipState.key, tipState.textStep); }
