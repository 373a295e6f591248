// window.cpp: the menu pictures and the pieces every screen is framed with: the
// atlas cells, the window with its gold frame, ornaments and twinkles, separators,
// and the slide squash.
#include <algorithm>
#include <cmath>

#include "render/render.h"
#include "render/sprites.h"
#include "render/texture.h"
#include "ui/options.h"
#include "ui/widgets.h"

MenuTextures menuTextures = {};

namespace {

constexpr float kDepth = 50.0f;
constexpr float kUnit = 64.0f;         // an atlas grid unit, drawn in overlay units
constexpr float kInset = 0.003f;       // keeps filtering off the neighbouring cells
constexpr float kBandWidth = 50.0f;    // the glow along a large window's edges
constexpr float kTwinkleInset = 9.0f;
constexpr float kTwinkleSize = 40.0f;
constexpr int32_t kTwinkleCell = 12;   // of the particle sheet
constexpr float kPi = 3.14159265f;

// Column, row, width and height of each atlas cell on the 4 x 8 grid.
struct AtlasCell {
  int8_t col, row, w, h;
};
constexpr AtlasCell kAtlasCells[24] = {
    {0, 0, 1, 1}, {1, 0, 1, 1}, {0, 1, 1, 1}, {1, 1, 1, 1}, {0, 2, 1, 1}, {1, 2, 1, 1},
    {2, 0, 1, 1}, {3, 0, 1, 1}, {2, 1, 1, 1}, {3, 1, 1, 1}, {0, 3, 2, 1}, {0, 4, 2, 1},
    {2, 3, 1, 2}, {3, 3, 1, 2}, {0, 7, 1, 1}, {1, 7, 1, 1}, {0, 5, 1, 1}, {0, 6, 1, 1},
    {2, 5, 1, 1}, {3, 5, 1, 1}, {1, 6, 1, 1}, {1, 5, 1, 1}, {3, 7, 1, 1}, {2, 7, 1, 1}};

UvRect gridUv(int32_t col, int32_t row, int32_t w, int32_t h, float columns, float rows) {
  return {float(col) / columns + kInset, float(row) / rows + kInset,
          float(col + w) / columns - kInset, float(row + h) / rows - kInset};
}

UvRect atlasUv(int32_t cell) {
  const AtlasCell& c = kAtlasCells[cell];
  return gridUv(c.col, c.row, c.w, c.h, 4.0f, 8.0f);
}

// Atlas cell `cell` repeated from x0 to x1 (horizontal) or y0 to y1 (vertical) in
// whole tiles of about `tile` units, stretched so a whole number fits.
void tileEdge(int32_t cell, Vec2 from, Vec2 to, float tile, float thickness) {
  const bool horizontal = std::fabs(to.x - from.x) >= std::fabs(to.y - from.y);
  const float length = horizontal ? to.x - from.x : to.y - from.y;
  const int32_t count = std::max(1, int32_t(std::lround(std::fabs(length) / tile)));
  const float step = length / float(count);
  setTexture(menuTextures.atlas);
  for (int32_t i = 0; i < count; ++i) {
    const float at = (float(i) + 0.5f) * step;
    if (horizontal) {
      drawSprite(from.x + at, from.y, std::fabs(step), thickness, atlasUv(cell), kWhite, kDepth);
    } else {
      drawSprite(from.x, from.y + at, thickness, std::fabs(step), atlasUv(cell), kWhite, kDepth);
    }
  }
}

// A glow band of `width` centred on the segment a..b: the glow picture's middle
// column, stretched along the segment, gives the same soft profile all along.
void drawBand(Vec2 a, Vec2 b, float width, Color color) {
  const Vec2 n = scale2(normalize2({b.y - a.y, a.x - b.x}), width * 0.5f);
  drawQuad({a.x + n.x, a.y + n.y, kDepth}, {b.x + n.x, b.y + n.y, kDepth},
           {b.x - n.x, b.y - n.y, kDepth}, {a.x - n.x, a.y - n.y, kDepth}, {0.5f, 0.0f},
           {0.5f, 0.0f}, {0.5f, 1.0f}, {0.5f, 1.0f}, color);
}

void drawFlareBands(float left, float top, float right, float bottom) {
  if (!menuTextures.flare) return;
  setTexture(menuTextures.flare);
  setBlendMode(kBlendAdditive);
  const Color grey = makeColor(150, 150, 150, 255);
  drawBand({left, top}, {right, top}, kBandWidth, grey);
  drawBand({right, bottom}, {left, bottom}, kBandWidth, grey);
  drawBand({left, bottom}, {left, top}, kBandWidth, grey);
  drawBand({right, top}, {right, bottom}, kBandWidth, grey);
  setBlendMode(kBlendTransparent);
}

void drawBody(float left, float top, float right, float bottom) {
  setTexture(menuTextures.body);
  const UvRect uv = {0.0f, 0.0f, (right - left) / 128.0f, (top - bottom) / 208.0f};
  drawSpriteRect({left, top, right, bottom}, uv, makeColor(55, 15, 0, 200), kDepth);
}

// A twinkle at each corner, 9 units inward, each breathing a quarter turn apart.
void drawTwinkles(float left, float top, float right, float bottom) {
  if (!menuTextures.atlas) return;  // nothing is loaded where nothing is drawn
  const Vec2 corners[4] = {{left + kTwinkleInset, top - kTwinkleInset},
                           {left + kTwinkleInset, bottom + kTwinkleInset},
                           {right - kTwinkleInset, top - kTwinkleInset},
                           {right - kTwinkleInset, bottom + kTwinkleInset}};
  // Sheet sprites lie at depth 0: moved to the overlay's depth for the twinkles.
  Matrix4 world;
  getWorldTransform(&world);
  Matrix4 lifted = world;
  lifted.m[14] += kDepth;
  setWorldTransform(&lifted);
  for (int32_t k = 0; k < 4; ++k) {
    const float b = 0.5f + 0.5f * std::sin(menu.clock * 0.0005f + float(k) * kPi / 2.0f);
    const int32_t level = int32_t(255.0f * b);
    drawSparkSprite(corners[k].x, corners[k].y, 0.0f, kTwinkleSize,
                    makeColor(level, level, level, level), 0, kTwinkleCell);
  }
  setWorldTransform(&world);
  setBlendMode(kBlendTransparent);
}

}  // namespace

void loadMenuTextures() {
  menuTextures.atlas = getTexture("menutex.tga");
  menuTextures.body = getTexture("white.jpg");
  menuTextures.fill = getTexture("winfill.jpg");
  menuTextures.balloon = getTexture("baloon.tga");
  menuTextures.button = getTexture("button.tga");
  menuTextures.flare = getTexture("flare.jpg");
  loadCursorTextures();
}

void drawAtlasCell(int32_t cell, float x, float y, float scale, Color color) {
  if (cell < 0 || cell >= 24) return;
  const AtlasCell& c = kAtlasCells[cell];
  setTexture(menuTextures.atlas);
  drawSprite(x, y, float(c.w) * kUnit * scale, float(c.h) * kUnit * scale, atlasUv(cell), color,
             kDepth);
}

void drawWindow(float left, float top, float width, float height) {
  const float right = left + width, bottom = top - height;
  if (width > 192.0f && height > 192.0f) drawFlareBands(left, top, right, bottom);
  drawBody(left, top, right, bottom);
  tileEdge(kCellHorizontalEdge, {left, top}, {right, top}, kUnit, kUnit);
  tileEdge(kCellHorizontalEdge, {left, bottom}, {right, bottom}, kUnit, kUnit);
  tileEdge(kCellVerticalEdge, {left, top}, {left, bottom}, kUnit, kUnit);
  tileEdge(kCellVerticalEdge, {right, top}, {right, bottom}, kUnit, kUnit);
  drawAtlasCell(0, left, top, 1.0f, kWhite);
  drawAtlasCell(1, right, top, 1.0f, kWhite);
  drawAtlasCell(2, left, bottom, 1.0f, kWhite);
  drawAtlasCell(3, right, bottom, 1.0f, kWhite);
  const float midX = left + width * 0.5f, midY = top - height * 0.5f;
  if (width > 192.0f) {
    drawAtlasCell(10, midX, top, 1.0f, kWhite);
    drawAtlasCell(11, midX, bottom, 1.0f, kWhite);
  }
  if (height > 192.0f) {
    drawAtlasCell(12, left, midY, 1.0f, kWhite);
    drawAtlasCell(13, right, midY, 1.0f, kWhite);
  }
  drawTwinkles(left, top, right, bottom);
}

void drawWindowAt(float centreX, float centreY, float width, float height) {
  drawWindow(centreX - width * 0.5f, centreY + height * 0.5f, width, height);
}

void drawSeparator(float x0, float x1, float y) {
  tileEdge(kCellHorizontalEdge, {x0, y}, {x1, y}, kUnit * 0.5f, kUnit * 0.5f);
}

void beginSquash() {
  const float f = menu.slideFraction;
  Matrix4 squash = identity();
  setDiagonal(&squash, 1.0f, 1.0f - f * f, 1.0f);
  setWorldTransform(&squash);
}

void endSquash() { setWorldTransform(nullptr); }
