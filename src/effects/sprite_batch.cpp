// sprite_batch.cpp: the squares of particles and sprites drawn in few draw calls.
// Each square gets a layer: even layers add their colour, odd ones blend by alpha,
// and a square goes into the lowest layer of its kind that keeps it after every
// earlier square it overlaps (unless both add, which gives the same picture in any
// order). Overlap is judged on a coarse grid of the overlay space.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "effects/effects_local.h"
#include "render/sprites.h"

BatchSquare batchSquares[kMaxBatchSquares];

namespace {

// The overlay space in cells of 50 units; squares beyond it count as on its border.
constexpr int32_t kGridColumns = 16;
constexpr int32_t kGridRows = 12;
constexpr float kGridCell = 50.0f;
constexpr float kGridLeft = -400.0f;
constexpr float kGridBottom = -300.0f;
// A square never lands more than two layers above the highest one so far.
constexpr int32_t kMaxLayers = 2 * kMaxBatchSquares + 2;

struct GridSpan {
  int32_t x0, x1, y0, y1;
};

// Scratch of one drawSquareBatches call.
struct BatchScratch {
  // Per grid cell and blending: the highest layer holding such a square there, plus 1.
  int32_t top[kGridRows][kGridColumns][2];
  int32_t layer[kMaxBatchSquares];
  int32_t layerStart[kMaxLayers + 1];
  int32_t order[kMaxBatchSquares];
  DevSpriteVertex vertices[kMaxBatchSquares * 6];
};
BatchScratch g_scratch;

// The frustum of the last view and projection asked about.
struct FrustumCache {
  bool valid;
  Matrix4 view;
  Matrix4 projection;
  Frustum frustum;
};
FrustumCache g_frustum;

int32_t gridIndex(float value, float origin, int32_t cells) {
  const float t = (value - origin) / kGridCell;
  if (!(t >= 0.0f)) return 0;  // also NaN
  if (t >= float(cells)) return cells - 1;
  return int32_t(t);
}

GridSpan spanOf(const BatchSquare& s, bool useGrid) {
  if (!useGrid) return {0, 0, 0, 0};
  const float reachX = std::fabs(s.right.x) + std::fabs(s.up.x);
  const float reachY = std::fabs(s.right.y) + std::fabs(s.up.y);
  return {gridIndex(s.center.x - reachX, kGridLeft, kGridColumns),
          gridIndex(s.center.x + reachX, kGridLeft, kGridColumns),
          gridIndex(s.center.y - reachY, kGridBottom, kGridRows),
          gridIndex(s.center.y + reachY, kGridBottom, kGridRows)};
}

// Squares overlap on screen exactly when they overlap in x and y while the view
// looks along z through a parallel projection.
bool screenFollowsXY() {
  const Matrix4 view = devGetTransform(DevTransform::View);
  const Matrix4 projection = devGetTransform(DevTransform::Projection);
  const bool parallel =
      projection.m[3] == 0.0f && projection.m[7] == 0.0f && projection.m[11] == 0.0f;
  return parallel && std::fabs(ForwardAxis(view).z) > 0.999f;
}

int32_t layerFor(const GridSpan& span, int32_t blend) {
  int32_t lower = 0;
  for (int32_t y = span.y0; y <= span.y1; ++y) {
    for (int32_t x = span.x0; x <= span.x1; ++x) {
      const int32_t* top = g_scratch.top[y][x];
      lower = std::max(lower, top[1 - blend]);
      // Alpha-blended squares keep their order among themselves.
      if (blend == 1) lower = std::max(lower, top[1] - 1);
    }
  }
  return lower % 2 == blend ? lower : lower + 1;
}

void markSpan(const GridSpan& span, int32_t blend, int32_t layer) {
  for (int32_t y = span.y0; y <= span.y1; ++y) {
    for (int32_t x = span.x0; x <= span.x1; ++x) {
      int32_t& top = g_scratch.top[y][x][blend];
      top = std::max(top, layer + 1);
    }
  }
}

// Layers of every square; returns how many layers there are.
int32_t assignLayers(const BatchSquare* squares, int32_t count) {
  std::memset(g_scratch.top, 0, sizeof g_scratch.top);
  const bool useGrid = screenFollowsXY();
  int32_t layers = 0;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t blend = squares[i].blend == 1 ? 1 : 0;
    const GridSpan span = spanOf(squares[i], useGrid);
    const int32_t layer = layerFor(span, blend);
    markSpan(span, blend, layer);
    g_scratch.layer[i] = layer;
    layers = std::max(layers, layer + 1);
  }
  return layers;
}

// Square indices by layer, in their order within each layer.
void sortByLayer(int32_t count, int32_t layers) {
  std::fill(g_scratch.layerStart, g_scratch.layerStart + layers + 1, 0);
  for (int32_t i = 0; i < count; ++i) ++g_scratch.layerStart[g_scratch.layer[i] + 1];
  for (int32_t l = 0; l < layers; ++l) g_scratch.layerStart[l + 1] += g_scratch.layerStart[l];
  for (int32_t i = 0; i < count; ++i) {
    const int32_t place = g_scratch.layerStart[g_scratch.layer[i]]++;
    g_scratch.order[place] = i;
  }
  // layerStart[l] now holds the end of layer l; shift back to starts.
  for (int32_t l = layers; l > 0; --l) g_scratch.layerStart[l] = g_scratch.layerStart[l - 1];
  g_scratch.layerStart[0] = 0;
}

void appendSquare(const BatchSquare& s, DevSpriteVertex* out) {
  Vec3 p[4];
  Vec2 t[4];
  sheetSquareCorners(s.center, s.right, s.up, s.cell, p, t);
  constexpr int32_t kCorner[6] = {0, 1, 2, 0, 2, 3};
  for (int32_t k = 0; k < 6; ++k) {
    const int32_t c = kCorner[k];
    out[k] = {p[c].x, p[c].y, p[c].z, s.color, t[c].x, t[c].y};
  }
}

void drawLayer(const BatchSquare* squares, int32_t first, int32_t end, int32_t blend) {
  if (first == end) return;
  setBlendMode(blend == 1 ? kBlendTransparent : kBlendAdditive);
  for (int32_t k = first; k < end; ++k) {
    appendSquare(squares[g_scratch.order[k]], &g_scratch.vertices[(k - first) * 6]);
  }
  drawPrimitives(g_scratch.vertices, 2 * (end - first), DevVertexFormat::Sprite,
                 DevPrimitive::TriangleList);
}

}  // namespace

void drawSquareBatches(const BatchSquare* squares, int32_t count) {
  count = std::min(count, kMaxBatchSquares);
  if (count <= 0) return;
  const int32_t layers = assignLayers(squares, count);
  sortByLayer(count, layers);
  for (int32_t l = 0; l < layers; ++l) {
    drawLayer(squares, g_scratch.layerStart[l], g_scratch.layerStart[l + 1], l % 2);
  }
}

int32_t resolvedBlend(int32_t blend, int32_t previous) {
  return blend == 0 || blend == 1 ? blend : previous;
}

const Frustum& currentFrustum() {
  const Matrix4 view = devGetTransform(DevTransform::View);
  const Matrix4 projection = devGetTransform(DevTransform::Projection);
  if (!g_frustum.valid || std::memcmp(&view, &g_frustum.view, sizeof view) != 0 ||
      std::memcmp(&projection, &g_frustum.projection, sizeof projection) != 0) {
    g_frustum = {true, view, projection, ExtractFrustumFrom(view, projection)};
  }
  return g_frustum.frustum;
}
