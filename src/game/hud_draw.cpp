// The HUD as drawn: the side panel with the score, level and lives, its menu,
// pause and colour-scheme buttons, the hammer gauge, the progress bar at the left
// edge and the help button; the panel and the bar slide away during the end
// sequences and the pause.
#include <cmath>
#include <cstdio>

#include "effects/effects.h"
#include "game/game.h"
#include "game/scene_local.h"
#include "persistence/profile.h"
#include "render/text.h"
#include "resources/resources.h"

namespace {

constexpr float kHudDepth = 10.0f;
constexpr UvRect kWholePicture = {0.0f, 0.0f, 1.0f, 1.0f};
constexpr float kBarLeft = -403.0f;
constexpr float kBarBottom = -225.0f;
constexpr float kBarWidth = 64.0f;
constexpr float kBarHeight = 512.0f;
constexpr float kGaugeHeight = 128.0f;
constexpr Color kValueColor = 0xFFFFF0A0u;  // the numbers: a warm white
constexpr float kHeartHalf = 16.0f;
// The side panel's room for a label in the hearts' place, and a line's height in
// text sizes.
constexpr float kHeartsLabelWidth = 105.0f;
constexpr float kLineHeight = 1.8f;

void drawPicture(TextureEntry* picture, Rect rect, const UvRect& uv, Color color) {
  setTexture(picture);
  drawSpriteRect(rect, uv, color, kHudDepth);
}

void drawProgressBar(float shift) {
  const float left = kBarLeft - shift;
  drawPicture(hudPictures.barFrame, {left, kBarBottom + kBarHeight, left + kBarWidth, kBarBottom},
              kWholePicture, kWhite);
  float shown = gameView.shownProgress;
  if (!(shown > 0.0f)) return;  // also keeps a NaN off the vertices
  if (shown > 1.0f) shown = 1.0f;
  const float fill = std::ceil(kBarHeight * shown);
  const UvRect uv = {0.0f, 1.0f - fill / kBarHeight, 1.0f, 1.0f};
  drawPicture(hudPictures.barFill, {left, kBarBottom + fill, left + kBarWidth, kBarBottom}, uv,
              kWhite);
}

Color scoreColor() {
  if (!gameView.scoreRising) return kValueColor;
  const int32_t shift = 16 - 8 * gameView.flickerChannel;  // red, green or blue
  return (kValueColor & ~(0xFFu << shift)) | (uint32_t(gameView.flickerValue) << shift);
}

void drawNumber(float x, float y, int32_t value, Color color) {
  char text[16];
  std::snprintf(text, sizeof text, "%i", value);
  setTextColorPacked(color);
  drawTextCentered(x, y, 14.0f, text);
}

void drawLabel(float x, float y, float size, const char* key) {
  setTextColorPacked(kWhite);
  drawTextCentered(x, y, size, textOf(key));
}

void drawHeart(float x, float y) {
  setTexture(hudPictures.heart);
  drawSprite(x, y, 2.0f * kHeartHalf, 2.0f * kHeartHalf, kWholePicture, kWhite, kHudDepth);
}

// A small label in the hearts' place, on two lines when one is too narrow for it.
void drawHeartsLabel(float x, const char* key) {
  constexpr float kSize = 10.0f, kHeartsY = 55.0f;
  const float height = wrapText(kHeartsLabelWidth, textOf(key), kSize);
  setTextColorPacked(kWhite);
  drawTextCentered(x, kHeartsY + (height - kLineHeight * kSize) * 0.5f, kSize,
                   textState.wrapBuffer);
}

void drawLives(float s) {
  if (gameState.survival) {
    drawHeartsLabel(345.0f + s, "survival");
    return;
  }
  drawLabel(343.0f + s, 90.0f, 14.0f, "lives");
  const int32_t count = lives();
  if (count <= 0) {
    drawHeartsLabel(345.0f + s, "lastlife");
  } else if (count <= 3) {
    for (int32_t i = 0; i < count; ++i) drawHeart(316.0f + 30.0f * float(i) + s, 55.0f);
  } else {
    drawHeart(320.0f + s, 55.0f);
    char text[24];
    std::snprintf(text, sizeof text, " X %i", count);
    setTextColorPacked(kValueColor);
    drawText(340.0f + s, 52.0f, 14.0f, text, false);
  }
}

// The hovered colour button is tinted: night blue, morning red, day green.
void drawColourButtonHover(float s) {
  static const Color kTints[3] = {0x783C64FFu, 0x78FF5050u, 0x7850FF78u};
  for (int32_t i = 0; i < 3; ++i) {
    const float h = kColourButtonSize * 0.5f, x = kColourButtonX[i] + s;
    if (!insideHudRect(x - h, x + h, kColourButtonY - h, kColourButtonY + h, gameView.pointer)) {
      continue;
    }
    setTexture(nullptr);
    drawSprite(x, kColourButtonY, kColourButtonSize, kColourButtonSize, kWholePicture, kTints[i],
               kHudDepth);
  }
}

void drawMenuLabel(float s) {
  const HudRect& r = kMenuButton;
  const bool hovered = insideHudRect(r.x0 + s, r.x1 + s, r.y0, r.y1, gameView.pointer);
  const float pulse = hovered ? std::sin(gameState.levelClock * 0.012f) : 0.0f;
  setTextColor(255, 255, 255, 255);
  drawTextCentered(350.0f + s, -31.0f, 14.0f + pulse, textOf("menu"));
}

void drawSidePanel(float s) {
  drawPicture(hudPictures.panel, {272.0f + s, 300.0f, 400.0f + s, -212.0f}, kWholePicture, kWhite);
  drawColourButtonHover(s);
  drawLabel(345.0f + s, 279.0f, 14.0f, "score");
  drawNumber(345.0f + s, 238.0f, gameView.shownScore, scoreColor());
  drawLabel(345.0f + s, 183.0f, 14.0f, "level");
  drawNumber(353.0f + s, 147.0f, gameState.levelIndex + 1, kValueColor);
  drawLives(s);
  drawMenuLabel(s);
  setTextColorPacked(kWhite);
}

// Additive light over the gauge: "flare.jpg" at the charge's level, or the pulsing
// glow of a full hammer.
void drawGaugeLight(float x0, float x1, float charge, bool hovered) {
  setBlendMode(kBlendAdditive);
  if (charge < 1.0f) {
    const float y = charge * kGaugeHeight + kHammerGauge.y0;
    drawPicture(hudPictures.flare, {x0, y + 14.0f, x1, y - 14.0f}, kWholePicture, kWhite);
  } else {
    const float pulse = (std::sin(gameState.levelClock * (hovered ? 0.012f : 0.005f)) + 1.0f) * 0.5f;
    const int32_t level = int32_t(pulse * 255.0f);
    drawPicture(hudPictures.hammerGlow, {x0, kHammerGauge.y1, x1, kHammerGauge.y0}, kWholePicture,
                makeColor(level, level, level, 255));
  }
  setBlendMode(kBlendTransparent);
}

void drawHammerGauge(float s) {
  if (!gameState.hammerEnabled) return;
  const float x0 = kHammerGauge.x0 + s, x1 = kHammerGauge.x1 + s;
  const float bottom = kHammerGauge.y0, top = kHammerGauge.y1;
  drawPicture(hudPictures.hammerDark, {x0, top, x1, bottom}, kWholePicture, kWhite);
  float charge = gameState.hammerCharge;
  charge = charge > 1.0f ? 1.0f : (charge > 0.0f ? charge : 0.0f);
  // While the hammer is in hand the gauge shows it taken: a pale outline only.
  const bool taken = gameView.cursorMode == CursorMode::Hammer;
  if (charge > 0.0f) {
    const UvRect uv = {0.0f, 1.0f - charge, 1.0f, 1.0f};
    drawPicture(hudPictures.hammerLit, {x0, bottom + charge * kGaugeHeight, x1, bottom}, uv,
                taken ? fadeColor(kWhite, 0.3f) : kWhite);
  }
  if (taken) return;
  drawGaugeLight(x0, x1, charge, insideHudRect(x0, x1, bottom, top, gameView.pointer));
}

void drawHelpButton() {
  const float h = kHelpButtonSize * 0.5f;
  const bool hovered = insideHudRect(kHelpButtonX - h, kHelpButtonX + h, kHelpButtonY - h,
                                     kHelpButtonY + h, gameView.pointer);
  float size = kHelpButtonSize;
  if (hovered || gameView.helpCursor) size *= 1.0f + 0.08f * std::sin(gameState.levelClock * 0.01f);
  setTexture(hudPictures.question);
  drawSprite(kHelpButtonX, kHelpButtonY, size, size, kWholePicture, kWhite, kHudDepth);
}

}  // namespace

void drawHud() {
  const HudSlide slide = hudSlide();
  if (slide.shown) {
    beginOverlay();
    drawProgressBar(slide.shift);
    drawSidePanel(slide.shift);
    drawHammerGauge(slide.shift);
    drawHelpButton();
  }
  beginWorldCamera(false);
  drawScoreStars();
}
