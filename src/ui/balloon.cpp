// balloon.cpp: the tooltip balloon: a light box with wrapped text placed beside
// an anchor, optionally with a bobbing pointer, growing or fading in over 250 ms.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "render/render.h"
#include "render/text.h"
#include "ui/menu_local.h"
#include "ui/widgets.h"

namespace {

constexpr float kTextSize = 11.0f;
constexpr float kGap = 89.6f;       // from the anchor to the box edge facing it
constexpr float kAppearMs = 250.0f;
constexpr float kDepth = 50.0f;

// The direction from the anchor to the box (unit length).
Vec2 balloonDirection(const BalloonRequest& b) {
  if (b.hasAngle) return {cosDeg(b.angle), sinDeg(b.angle)};
  const Vec2 towardsCentre = {-b.anchor.x, -b.anchor.y};
  if (length2(towardsCentre) < 0.001f) return {0.0f, 1.0f};
  return normalize2(towardsCentre);
}

// How far a box of half sizes hw, hh reaches from its centre along `dir`.
float reachAlong(Vec2 dir, float hw, float hh) {
  const float ax = std::fabs(dir.x), ay = std::fabs(dir.y);
  const float byWidth = ax > 0.0001f ? hw / ax : 1e9f;
  const float byHeight = ay > 0.0001f ? hh / ay : 1e9f;
  return std::fmin(byWidth, byHeight);
}

void drawPointer(const BalloonRequest& b, Vec2 dir, float timer) {
  const float distance = 64.0f * (1.3f + 0.1f * std::sin(timer * 0.01f));
  const Vec2 at = add2(b.anchor, scale2(dir, distance));
  const float angle = std::atan2(dir.y, dir.x) * kRadToDeg;
  setTexture(menuTextures.balloon);
  drawRotatedSprite(at.x, at.y, at.x, at.y, angle, 128.0f, 64.0f,
                    {0.503f, 0.503f, 0.997f, 0.997f}, kWhite, kDepth);
}

// Scales everything drawn afterwards by `s` about `centre`.
void scaleAbout(Vec2 centre, float s) {
  Matrix4 m = identity();
  setDiagonal(&m, s, s, 1.0f);
  m.m[12] = centre.x * (1.0f - s);
  m.m[13] = centre.y * (1.0f - s);
  setWorldTransform(&m);
}

}  // namespace

bool sameBalloon(const BalloonRequest& a, const BalloonRequest& b) {
  return b.requested && a.anchor.x == b.anchor.x && a.anchor.y == b.anchor.y &&
         std::strcmp(a.text, b.text) == 0;
}

void showBalloon(Vec2 anchor, const char* text, float width, const float* angle, bool pointer,
                 bool grow) {
  BalloonRequest& b = menu.balloon;
  b.requested = true;
  b.anchor = anchor;
  std::snprintf(b.text, sizeof b.text, "%s", text);
  b.width = width;
  b.hasAngle = angle != nullptr;
  b.angle = angle ? *angle : 0.0f;
  b.pointer = pointer;
  b.grow = grow;
}

void drawMenuBalloon() {
  const BalloonRequest& b = menu.balloon;
  if (!b.requested) return;
  // A text or anchor new this frame starts from nothing.
  const float timer = sameBalloon(b, menu.lastBalloon) ? menu.balloonTimer : 0.0f;
  const float appear = std::fmin(timer / kAppearMs, 1.0f);
  const float textHeight = wrapText(b.width - 32.0f, b.text, kTextSize);
  const float width = std::fmin(measureText(b.text, kTextSize) + 64.0f, b.width);
  const float height = std::fmax(textHeight + 32.0f, 64.0f);
  const Vec2 dir = balloonDirection(b);
  const float reach = reachAlong(dir, width * 0.5f, height * 0.5f);
  const Vec2 centre = add2(b.anchor, scale2(dir, kGap + reach));
  begin2D();
  if (b.grow) {
    scaleAbout(b.anchor, appear);
  } else {
    setColorMultiplier(1.0f, 1.0f, 1.0f, appear);
  }
  if (b.pointer) drawPointer(b, dir, timer);
  drawLightBox(centre.x - width * 0.5f, centre.y + height * 0.5f, centre.x + width * 0.5f,
               centre.y - height * 0.5f);
  setTextColor(255, 255, 255, 255);
  drawTextCentered(centre.x, centre.y + textHeight * 0.5f - 0.9f * kTextSize, kTextSize,
                   textState.wrapBuffer);
  setColorMultiplier(1.0f, 1.0f, 1.0f, 1.0f);
  setWorldTransform(nullptr);
}
