// The game scene's frame as drawn: the two cameras, how the board fades and the
// HUD slides, the order of the drawing steps, and the pause overlay.
#include <cmath>

#include "effects/effects.h"
#include "game/feedback.h"
#include "game/game.h"
#include "game/scene_local.h"
#include "input/input.h"
#include "platform/device.h"
#include "render/text.h"
#include "resources/resources.h"
#include "scenery/scenery.h"

namespace {

constexpr float kWorldEyeDistance = 50.0f;
constexpr float kShakeTiltPerMs = 0.02f / 800.0f;  // radians of tilt per ms of shake left
constexpr float kShakeReach = 5.0f;                 // units of offset at full shake
constexpr float kDefeatDarkest = 0.2f;
constexpr float kPi = 3.14159265f;

// The board camera's view: 50 units back, turned and moved by the shake.
Matrix4 worldView(bool shaken) {
  Matrix4 view = identity();
  if (shaken && gameView.shakeTimer > 0) {
    const float left = float(gameView.shakeTimer);
    const float tilt = gameView.shakeTilt * kShakeTiltPerMs * left;
    const float c = std::cos(tilt), s = std::sin(tilt);
    view.m[0] = c;
    view.m[1] = s;
    view.m[4] = -s;
    view.m[5] = c;
    const float reach = kShakeReach * gameView.shakeStrength * left / float(kShakeMs);
    view.m[12] = gameView.shakeDirection.x * reach;
    view.m[13] = gameView.shakeDirection.y * reach;
  }
  view.m[14] = kWorldEyeDistance;
  return view;
}

// The big message's letters are drawn with the font bound by a text of one space.
void drawFlyingLetters() {
  drawText(-1000.0f, 0.0f, 1.0f, " ", false);
  drawFlyingText();
}

}  // namespace

void beginWorldCamera(bool shaken) {
  begin2D();
  setOrthoProjection(800.0f, 600.0f, 1.0f, 500.0f);
  const Matrix4 view = worldView(shaken);
  setViewTransform(&view);
}

void beginOverlay() { begin2D(); }

Color fadeColor(Color color, float f) {
  const float clamped = f < 0.0f ? 0.0f : (f > 1.0f ? 1.0f : f);
  const uint32_t alpha = uint32_t(float(colorAlpha(color)) * clamped);
  return (color & 0x00FFFFFFu) | (alpha << 24);
}

bool insideHudRect(float x0, float x1, float y0, float y1, Vec2 p) {
  return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1;
}

BoardLook boardLook() {
  BoardLook look = {1.0f, 1.0f};
  if (gameState.defeatTimer > 0.0f) {
    const float f = (gameState.defeatTimer - 3000.0f) * 0.8f / 2000.0f + kDefeatDarkest;
    look.brightness = std::fmax(kDefeatDarkest, std::fmin(1.0f, f));
  } else if (gameState.defeatDim) {
    look.brightness = kDefeatDarkest;
  }
  if (gameView.menuFade > 0.0f) look.opacity *= 1.0f - gameView.menuFade / kMenuFadeLimit;
  if (gameView.pauseFade > 0.0f) look.opacity *= 1.0f - gameView.pauseFade / kPauseFadeLimit;
  if (!(look.opacity > 0.0f)) look.opacity = 0.0f;
  return look;
}

HudSlide hudSlide() {
  const GameState& g = gameState;
  if (g.levelCompleteTimer < 0.0f || g.defeatTimer < 0.0f) return {false, 0.0f};
  float shift = 0.0f;
  if (g.defeatTimer > 0.0f) {
    if (g.defeatTimer < 1000.0f) return {false, 0.0f};
    shift = std::fmax(shift, 140.0f * (5000.0f - g.defeatTimer) / 4000.0f);
  }
  if (g.levelCompleteTimer > 0.0f) {
    if (g.levelCompleteTimer < 3000.0f) return {false, 0.0f};
    shift = std::fmax(shift, 140.0f * (8500.0f - g.levelCompleteTimer) / 3400.0f);
  }
  if (gameView.pauseFade > 0.0f) {
    if (gameView.pauseFade > kPauseFadeLimit) return {false, 0.0f};
    shift = std::fmax(shift, 100.0f * gameView.pauseFade / kPauseFadeLimit);
  }
  return {true, shift};
}

void drawPauseOverlay() {
  if (gameState.running) return;
  const float t = gameView.pauseFade;
  if (gameState.adventureFinished) {
    if (t <= 3000.0f || t >= 21000.0f) return;
    const float opacity = std::sin(kPi * (t - 3000.0f) / 18000.0f);
    setTextColor(255, 255, 255, int32_t(opacity * 255.0f));
    drawTextCentered(0.0f, 100.0f, 18.0f, textOf("congratulations"));
    drawTextCentered(0.0f, 50.0f, 17.0f, textOf("gamepass1"));
    setTextColor(255, 255, 255, 255);
    return;
  }
  const float blink = std::fmax(0.0f, ((1.0f + std::sin(0.0003f * t)) * 0.5f - 0.7f) / 0.3f);
  setTextColor(255, 255, 255, 255);
  drawTextCentered(0.0f, -280.0f, 13.0f + blink, deviceTextAfter("keytoresume", 0));
  if (!gameState.zoneCompleted && t < 7000.0f) {
    drawTextCentered(0.0f, 0.0f, 21.0f + 4.0f * blink * blink, textOf("relax"));
  }
}

void gameSceneDraw() {
  if (!devExists()) return;
  setCullMode(DevCull::None);
  clearTarget(kBlack);
  beginWorldCamera(true);
  drawSceneryWithTransition();
  beginWorldCamera(true);
  drawBoard();
  drawBallRemovals();
  drawLightningBolts();
  drawHud();
  beginOverlay();
  drawScorePopups();
  drawBanner();
  drawFlyingLetters();
  drawTipPanel();
  if (!gameView.menuOpen) {
    beginWorldCamera(false);
    drawBoardEffects();
  }
  beginOverlay();
  drawHelpTooltip();
  drawPauseOverlay();
  setColorMultiplier(1.0f, 1.0f, 1.0f, 1.0f);
}

void gameSceneDrawParticles() {
  if (!devExists()) return;
  beginWorldCamera(true);
  drawParticles();
}
