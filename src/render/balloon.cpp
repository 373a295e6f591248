// The light box and the speech balloon: the tinted body, the rim cells of
// "baloon.tga" (a grid of 4 x 2 cells: four corners, a horizontal and a vertical
// edge, and the pointer over the lower right quarter), and the wrapped text.
#include "render/balloon.h"

#include <cmath>
#include <cstring>

#include "render/render.h"
#include "render/text.h"
#include "render/texture.h"

namespace {

constexpr float kTextSize = 11.0f;
constexpr float kRimPiece = 64.0f;   // corner and edge pieces are drawn 64 units across
constexpr float kBoxGap = 89.6f;     // from the anchor to the box edge it faces
constexpr float kScreenMargin = 6.0f;
constexpr float kInset = 0.003f;
constexpr float kDepth = 10.0f;
constexpr Color kBodyTint = 0xD23F1E0Bu;  // (63, 30, 11), alpha 210

// Cell (column, row) of the balloon sheet.
UvRect sheetCell(int32_t column, int32_t row) {
  return {column * 0.25f + kInset, row * 0.5f + kInset, (column + 1) * 0.25f - kInset,
          (row + 1) * 0.5f - kInset};
}

Color scaledAlpha(Color color, float f) {
  const float a = float(colorAlpha(color)) * (f < 0.0f ? 0.0f : (f > 1.0f ? 1.0f : f));
  return (color & 0x00FFFFFFu) | (uint32_t(a) << 24);
}

struct BalloonLayout {
  float boxWidth, boxHeight, textHeight;
  Vec2 direction;  // from the anchor towards the box
  Vec2 centre;     // of the box
};

// How far a box of half sizes hw, hh reaches from its centre along the unit `dir`:
// where that line leaves the box.
float reachAlong(Vec2 dir, float hw, float hh) {
  const float ax = std::fabs(dir.x), ay = std::fabs(dir.y);
  const float byWidth = ax > 0.0001f ? hw / ax : 1e9f;
  const float byHeight = ay > 0.0001f ? hh / ay : 1e9f;
  return std::fmin(byWidth, byHeight);
}

Vec2 balloonDirection(const BalloonLook& look) {
  if (look.hasAngle) return {cosDeg(look.angle), sinDeg(look.angle)};
  const Vec2 towardsCentre = {-look.anchor.x, -look.anchor.y};
  if (length2(towardsCentre) < 1.0f) return {0.0f, 1.0f};
  return normalize2(towardsCentre);
}

// Measures and wraps the text (into the text module's wrap buffer) and places the box.
BalloonLayout layOut(const BalloonLook& look) {
  BalloonLayout l = {};
  l.boxWidth = std::fmin(measureText(look.text, kTextSize) + 64.0f, look.maxWidth);
  l.textHeight = wrapText(l.boxWidth - 32.0f, look.text, kTextSize);
  l.boxHeight = std::fmax(l.textHeight + 32.0f, 64.0f);
  l.direction = balloonDirection(look);
  // The line from the anchor meets the box's edge kBoxGap out, under the pointer.
  const float reach = reachAlong(l.direction, l.boxWidth * 0.5f, l.boxHeight * 0.5f);
  l.centre = add2(look.anchor, scale2(l.direction, kBoxGap + reach));
  // Kept on the screen, whatever the anchor.
  const float hw = l.boxWidth * 0.5f + kScreenMargin, hh = l.boxHeight * 0.5f + kScreenMargin;
  l.centre.x = std::fmax(-400.0f + hw, std::fmin(400.0f - hw, l.centre.x));
  l.centre.y = std::fmax(-300.0f + hh, std::fmin(300.0f - hh, l.centre.y));
  return l;
}

// p moved towards the anchor as the balloon grows in.
Vec2 grown(const BalloonLook& look, Vec2 p, float scale) {
  return add2(look.anchor, scale2(sub2(p, look.anchor), scale));
}

void drawPointer(const BalloonLook& look, const BalloonLayout& l, float scale, float alpha) {
  setTexture(loadTexture("baloon.tga", false));
  const float distance = kRimPiece * (1.3f + 0.1f * std::sin(look.clock * 0.01f));
  const Vec2 at = grown(look, add2(look.anchor, scale2(l.direction, distance)), scale);
  // The pointer's tip is its left end: turned by the direction, it points back.
  const UvRect uv = {0.5f + kInset, 0.5f + kInset, 1.0f - kInset, 1.0f - kInset};
  drawRotatedSprite(at.x, at.y, at.x, at.y, angle2(l.direction), 128.0f * scale, 64.0f * scale,
                    uv, scaledAlpha(kWhite, alpha), kDepth);
}

}  // namespace

void drawLightBox(Rect box, float alpha, float scale) {
  // The body picture is stretched over the box once, however large.
  setTexture(loadTexture("white.jpg", false));
  drawSpriteRect(box, {0.0f, 0.0f, 1.0f, 1.0f}, scaledAlpha(kBodyTint, alpha), kDepth);
  setTexture(loadTexture("baloon.tga", false));
  const Color rim = scaledAlpha(kWhite, alpha);
  const float piece = kRimPiece * scale;
  const float w = rectWidth(box), h = rectHeight(box);
  const Vec2 c = rectCenter(box);
  // Edges first, between the corners (none where the corners meet); then the corners
  // over their ends.
  if (w > piece) {
    drawSprite(c.x, box.y0, w - piece, piece, sheetCell(2, 0), rim, kDepth);
    drawSprite(c.x, box.y1, w - piece, piece, sheetCell(2, 0), rim, kDepth);
  }
  if (h > piece) {
    drawSprite(box.x0, c.y, piece, h - piece, sheetCell(3, 0), rim, kDepth);
    drawSprite(box.x1, c.y, piece, h - piece, sheetCell(3, 0), rim, kDepth);
  }
  drawSprite(box.x0, box.y0, piece, piece, sheetCell(0, 0), rim, kDepth);
  drawSprite(box.x1, box.y0, piece, piece, sheetCell(1, 0), rim, kDepth);
  drawSprite(box.x0, box.y1, piece, piece, sheetCell(0, 1), rim, kDepth);
  drawSprite(box.x1, box.y1, piece, piece, sheetCell(1, 1), rim, kDepth);
}

Rect balloonBox(const BalloonLook& look) {
  if (!look.text) return {0.0f, 0.0f, 0.0f, 0.0f};
  const BalloonLayout l = layOut(look);
  return rectFromCenter(l.centre, l.boxWidth, l.boxHeight);
}

void drawBalloon(const BalloonLook& look) {
  if (!look.text || look.text[0] == '\0' || look.appear <= 0.0f) return;
  const float appear = look.appear > 1.0f ? 1.0f : look.appear;
  const float scale = look.grow ? appear : 1.0f;
  const float alpha = look.grow ? 1.0f : appear;
  const BalloonLayout l = layOut(look);
  if (look.pointer) drawPointer(look, l, scale, alpha);
  const Vec2 centre = grown(look, l.centre, scale);
  drawLightBox(rectFromCenter(centre, l.boxWidth * scale, l.boxHeight * scale), alpha, scale);
  const float size = kTextSize * scale;
  const float firstLine = centre.y + (l.textHeight * 0.5f - 0.9f * kTextSize) * scale;
  setTextColor(255, 255, 255, int32_t(alpha * 255.0f));
  // The wrapped text is copied: drawing may not read the buffer it measures with.
  char lines[kWrapBufferSize];
  std::memcpy(lines, textState.wrapBuffer, sizeof lines);
  drawTextCentered(centre.x, firstLine, size, lines);
  setTextColor(255, 255, 255, 255);
}
