// sprite_batch.cpp: the squares of particles and sprites drawn in few draw calls.
// Each square gets a layer: even layers add their colour, odd ones blend by alpha,
// and a square goes into the lowest layer of its kind that keeps it after every
// earlier square it overlaps (unless both add, which gives the same picture in any
// order). Overlap is judged on a coarse grid of the overlay space. There are four
// layers at most: a deeper stack of alternating blendings shares the top two, where
// a glow may then show over smoke that came after it. Also the sheet cells' texture
// rectangles and the view's frustum, both kept until what they follow changes.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "effects/effects_local.h"
#include "render/sprites.h"

namespace {

// The overlay space in cells of 50 units; squares beyond it count as on its border.
constexpr int32_t kGridColumns = 16;
constexpr int32_t kGridRows = 12;
constexpr float kGridCell = 50.0f;
constexpr float kPerGridCell = 1.0f / kGridCell;
constexpr float kGridLeft = -400.0f;
constexpr float kGridBottom = -300.0f;
// Layers alternate: added, blended, added, blended. Deeper stacks of alternating
// blendings share the top two layers, so a batch takes at most four draw calls.
constexpr int32_t kMaxLayers = 4;

struct GridSpan {
  int32_t x0, x1, y0, y1;
};

// The batch being gathered: from beginSquareBatch to drawSquareBatch.
struct SquareBatch {
  bool useGrid;
  int32_t count;
  // Per grid cell and blending: the highest layer holding such a square there, plus 1.
  int32_t top[kGridRows][kGridColumns][2];
  int32_t layerSquares[kMaxLayers];
  DevSpriteVertex vertices[kMaxLayers][kMaxBatchSquares * 6];
};
SquareBatch g_batch;

// The first cells of the last sheet layout asked about.
constexpr int32_t kCellTableSize = 256;
struct CellTable {
  int32_t columns;
  int32_t rows;
  UvRect uv[kCellTableSize];
};
CellTable g_cells;

// The frustum of the last view and projection asked about.
struct FrustumCache {
  bool valid;
  Matrix4 view;
  Matrix4 projection;
  Frustum frustum;
};
FrustumCache g_frustum;

int32_t gridIndex(float value, float origin, int32_t cells) {
  const float t = (value - origin) * kPerGridCell;
  if (!(t >= 0.0f)) return 0;  // also NaN
  if (t >= float(cells)) return cells - 1;
  return int32_t(t);
}

GridSpan spanOf(const BatchSquare& s) {
  if (!g_batch.useGrid) return {0, 0, 0, 0};
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
  return parallel && std::fabs(forwardAxis(view).z) > 0.999f;
}

int32_t layerFor(const GridSpan& span, int32_t blend) {
  int32_t lower = 0;
  for (int32_t y = span.y0; y <= span.y1; ++y) {
    for (int32_t x = span.x0; x <= span.x1; ++x) {
      const int32_t* top = g_batch.top[y][x];
      lower = std::max(lower, top[1 - blend]);
      // Alpha-blended squares keep their order among themselves.
      if (blend == 1) lower = std::max(lower, top[1] - 1);
    }
  }
  const int32_t layer = lower % 2 == blend ? lower : lower + 1;
  return layer < kMaxLayers ? layer : kMaxLayers - 2 + blend;
}

void markSpan(const GridSpan& span, int32_t blend, int32_t layer) {
  for (int32_t y = span.y0; y <= span.y1; ++y) {
    for (int32_t x = span.x0; x <= span.x1; ++x) {
      int32_t& top = g_batch.top[y][x][blend];
      top = std::max(top, layer + 1);
    }
  }
}

// The square as the two triangles (top-right, bottom-right, bottom-left) and
// (top-right, bottom-left, top-left).
void appendSquare(const BatchSquare& s, DevSpriteVertex* out) {
  Vec3 p[4];
  Vec2 t[4];
  sheetSquareCorners(s.center, s.right, s.up, s.cell, p, t);
  const DevSpriteVertex corner[4] = {{p[0].x, p[0].y, p[0].z, s.color, t[0].x, t[0].y},
                                     {p[1].x, p[1].y, p[1].z, s.color, t[1].x, t[1].y},
                                     {p[2].x, p[2].y, p[2].z, s.color, t[2].x, t[2].y},
                                     {p[3].x, p[3].y, p[3].z, s.color, t[3].x, t[3].y}};
  out[0] = corner[0];
  out[1] = corner[1];
  out[2] = corner[2];
  out[3] = corner[0];
  out[4] = corner[2];
  out[5] = corner[3];
}

}  // namespace

void beginSquareBatch() {
  std::memset(g_batch.top, 0, sizeof g_batch.top);
  std::fill(g_batch.layerSquares, g_batch.layerSquares + kMaxLayers, 0);
  g_batch.count = 0;
  g_batch.useGrid = screenFollowsXY();
}

bool addBatchSquare(const BatchSquare& square) {
  if (g_batch.count >= kMaxBatchSquares) return false;
  ++g_batch.count;
  const int32_t blend = square.blend == 1 ? 1 : 0;
  const GridSpan span = spanOf(square);
  const int32_t layer = layerFor(span, blend);
  markSpan(span, blend, layer);
  const int32_t index = g_batch.layerSquares[layer]++;
  appendSquare(square, &g_batch.vertices[layer][index * 6]);
  return true;
}

int32_t batchSquareCount() { return g_batch.count; }

void drawSquareBatch() {
  for (int32_t layer = 0; layer < kMaxLayers; ++layer) {
    const int32_t squares = g_batch.layerSquares[layer];
    if (squares == 0) continue;
    setBlendMode(layer % 2 == 1 ? kBlendTransparent : kBlendAdditive);
    drawPrimitives(g_batch.vertices[layer], 2 * squares, DevVertexFormat::Sprite,
                   DevPrimitive::TriangleList);
  }
}

UvRect cellUv(int32_t cell, int32_t columns, int32_t rows) {
  if (cell < 0 || cell >= kCellTableSize) return sheetCellUv(cell, columns, rows);
  if (g_cells.columns != columns || g_cells.rows != rows) {
    g_cells.columns = columns;
    g_cells.rows = rows;
    for (int32_t k = 0; k < kCellTableSize; ++k) g_cells.uv[k] = sheetCellUv(k, columns, rows);
  }
  return g_cells.uv[cell];
}

int32_t resolvedBlend(int32_t blend, int32_t previous) {
  return blend == 0 || blend == 1 ? blend : previous;
}

const Frustum& currentFrustum() {
  const Matrix4 view = devGetTransform(DevTransform::View);
  const Matrix4 projection = devGetTransform(DevTransform::Projection);
  if (!g_frustum.valid || std::memcmp(&view, &g_frustum.view, sizeof view) != 0 ||
      std::memcmp(&projection, &g_frustum.projection, sizeof projection) != 0) {
    g_frustum = {true, view, projection, extractFrustumFrom(view, projection)};
  }
  return g_frustum.frustum;
}
