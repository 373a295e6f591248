// The tip panel (a balloon 300 units wide that slides out of its anchor while its
// delay runs from 0 to -250 ms) and the help button's tooltip.
#include "game/game.h"
#include "game/scene_local.h"
#include "game/tips.h"
#include "render/balloon.h"
#include "resources/resources.h"

namespace {

constexpr float kTipWidth = 300.0f;

bool pointerOverHelpButton() {
  const float h = kHelpButtonSize * 0.5f;
  return insideHudRect(kHelpButtonX - h, kHelpButtonX + h, kHelpButtonY - h, kHelpButtonY + h,
                       gameView.pointer);
}

}  // namespace

void drawTipPanel() {
  if (!tipState.active || !tipState.visible) return;
  BalloonLook look = {};
  look.anchor = tipState.anchor;
  look.text = shownTipText();
  look.maxWidth = kTipWidth;
  look.pointer = true;
  look.appear = -tipState.delay / kTipCloseAfterMs;
  look.grow = true;
  look.clock = gameState.levelClock;
  drawBalloon(look);
}

void drawHelpTooltip() {
  if (tipState.visible || gameView.menuOpen || gameState.levelCompleteTimer > 0.0f) return;
  if (!gameState.running || !pointerOverHelpButton()) return;
  BalloonLook look = {};
  look.anchor = {kHelpButtonX, kHelpButtonY};
  look.text = textOf("tooltip");
  look.maxWidth = kTipWidth;
  look.pointer = true;
  look.appear = 1.0f;
  look.clock = gameState.levelClock;
  drawBalloon(look);
}
