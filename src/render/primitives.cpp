// The immediate quad and sprite primitives, the colour multipliers, the named
// render-state switches and blend modes, 2D set-up, camera-facing squares and the
// sprites cut from the particle sheet.
#include <cmath>

#include "render/render.h"
#include "render/sprites.h"
#include "render/render_local.h"
#include "render/texture.h"

PrimitiveState primitiveState = kStartingPrimitiveState;

namespace {

DevSpriteVertex spriteVertex(float x, float y, float z, Color color, float u, float v) {
  return {x, y, z, color, u, v};
}

DevSpriteVertex spriteVertex(Vec3 p, Color color, Vec2 t) { return {p.x, p.y, p.z, color, t.x, t.y}; }

// The four corners of an axis-aligned sprite as one strip: top-right, bottom-right,
// top-left, bottom-left (clockwise on screen, so counter-clockwise culling keeps it).
void drawSpriteCorners(Vec2 topRight, Vec2 bottomRight, Vec2 topLeft, Vec2 bottomLeft,
                       const UvRect& uv, Color color, float z) {
  const Color c = multiplyColor(color);
  const DevSpriteVertex v[4] = {
      spriteVertex(topRight.x, topRight.y, z, c, uv.uRight, uv.vTop),
      spriteVertex(bottomRight.x, bottomRight.y, z, c, uv.uRight, uv.vBottom),
      spriteVertex(topLeft.x, topLeft.y, z, c, uv.uLeft, uv.vTop),
      spriteVertex(bottomLeft.x, bottomLeft.y, z, c, uv.uLeft, uv.vBottom)};
  drawPrimitives(v, 2, DevVertexFormat::Sprite, DevPrimitive::TriangleStrip);
}

// The two-triangle list (p0, p1, p2), (p0, p2, p3) of coloured corners.
void drawColoredList(const Vec3 (&p)[4], const Color (&c)[4], const Vec2 (&t)[4]) {
  const DevSpriteVertex v[6] = {spriteVertex(p[0], c[0], t[0]), spriteVertex(p[1], c[1], t[1]),
                                spriteVertex(p[2], c[2], t[2]), spriteVertex(p[0], c[0], t[0]),
                                spriteVertex(p[2], c[2], t[2]), spriteVertex(p[3], c[3], t[3])};
  drawPrimitives(v, 2, DevVertexFormat::Sprite, DevPrimitive::TriangleList);
}

uint32_t scaleChannel(uint32_t channel, float factor) {
  const float v = float(channel) * factor;
  if (!(v > 0.0f)) return 0;
  return v >= 255.0f ? 255u : uint32_t(v);
}

// The side offset of a strip from a to b facing the camera.
Vec3 ribbonSide(Vec3 a, Vec3 b, float w) {
  const Vec3 d = sub3(a, b);
  const Vec3 f = scale3(forwardAxis(devGetTransform(DevTransform::View)), -1.0f);
  return scale3(normalize3(cross(d, f)), w);
}

}  // namespace

// ---------------------------------------------------------------------------
// Texture and colour

void setTexture(const TextureEntry* entry) { devSetTexture(entry ? entry->texture : nullptr); }

void setColorMultiplier(float red, float green, float blue, float alpha) {
  primitiveState.colorMultiplier = {red, green, blue, alpha};
}

Color multiplyColor(Color color) {
  const ColorF& m = primitiveState.colorMultiplier;
  if (m.r == 1.0f && m.g == 1.0f && m.b == 1.0f && m.a == 1.0f) return color;
  return scaleChannel(colorAlpha(color), m.a) << 24 | scaleChannel(colorRed(color), m.r) << 16 |
         scaleChannel(colorGreen(color), m.g) << 8 | scaleChannel(colorBlue(color), m.b);
}

// ---------------------------------------------------------------------------
// Quads

void drawSprite(float x, float y, float width, float height, const UvRect& uv, Color color,
                float z) {
  const float hw = width * 0.5f, hh = height * 0.5f;
  drawSpriteCorners({x + hw, y + hh}, {x + hw, y - hh}, {x - hw, y + hh}, {x - hw, y - hh}, uv,
                    color, z);
}

void drawSpriteAt(Vec2 center, float width, float height, const UvRect& uv, Color color,
                  float z) {
  drawSprite(center.x, center.y, width, height, uv, color, z);
}

void drawSpriteRect(const Rect& rect, const UvRect& uv, Color color, float z) {
  drawSpriteCorners({rect.x1, rect.y0}, {rect.x1, rect.y1}, {rect.x0, rect.y0}, {rect.x0, rect.y1},
                    uv, color, z);
}

void drawRotatedSprite(float x, float y, float pivotX, float pivotY, float angle, float width,
                       float height, const UvRect& uv, Color color, float z) {
  const float a = angle * kDegToRad;
  const float c = std::cos(a), s = std::sin(a);
  const float hw = width * 0.5f, hh = height * 0.5f;
  auto turn = [&](float cx, float cy) {
    const float dx = cx - pivotX, dy = cy - pivotY;
    return Vec2{pivotX + dx * c - dy * s, pivotY + dx * s + dy * c};
  };
  drawSpriteCorners(turn(x + hw, y + hh), turn(x + hw, y - hh), turn(x - hw, y + hh),
                    turn(x - hw, y - hh), uv, color, z);
}

void drawQuad(Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, Vec2 t0, Vec2 t1, Vec2 t2, Vec2 t3,
              Color color) {
  const Color c = multiplyColor(color);
  const DevSpriteVertex v[4] = {spriteVertex(p1, c, t1), spriteVertex(p2, c, t2),
                                spriteVertex(p0, c, t0), spriteVertex(p3, c, t3)};
  drawPrimitives(v, 2, DevVertexFormat::Sprite, DevPrimitive::TriangleStrip);
}

void drawScreenRect(float left, float top, float right, float bottom, float uLeft, float vTop,
                    float uRight, float vBottom, Color color) {
  drawScreenRectPart(left, top, right, bottom, uLeft, vTop, uRight, vBottom, color,
                     {left, top, right, bottom});
}

void drawOpaqueScreenRect(float left, float top, float right, float bottom, float uLeft,
                          float vTop, float uRight, float vBottom, Color color) {
  const DevState saved = devState();
  devSetAlphaBlend(false);
  devSetAlphaTest(false);
  drawScreenRect(left, top, right, bottom, uLeft, vTop, uRight, vBottom, color);
  devSetAlphaBlend(saved.alphaBlend != 0);
  devSetAlphaTest(saved.alphaTest != 0);
}

void drawScreenRectPart(float left, float top, float right, float bottom, float uLeft,
                        float vTop, float uRight, float vBottom, Color color, const Rect& part) {
  constexpr float kInset = 0.001f;  // keeps bilinear filtering off the neighbouring texels
  constexpr float kZ = 10.0f;
  // The coordinate at x of a side running from t0 at x0 to t1 at x1; the whole
  // rectangle's corners keep theirs exactly.
  auto along = [](float x, float x0, float x1, float t0, float t1) {
    if (x == x0) return t0;
    if (x == x1) return t1;
    return t0 + (t1 - t0) * (x - x0) / (x1 - x0);
  };
  const float ul = uLeft + kInset, vt = vTop + kInset;
  const float ur = uRight - kInset, vb = vBottom - kInset;
  const float u0 = along(part.x0, left, right, ul, ur), u1 = along(part.x1, left, right, ul, ur);
  const float v0 = along(part.y0, top, bottom, vt, vb), v1 = along(part.y1, top, bottom, vt, vb);
  const float l = part.x0 - 400.0f, r = part.x1 - 400.0f;
  const float t = 300.0f - part.y0, b = 300.0f - part.y1;
  drawQuad({r, b, kZ}, {r, t, kZ}, {l, t, kZ}, {l, b, kZ}, {u1, v1}, {u1, v0}, {u0, v0}, {u0, v1},
           color);
}

void drawQuadTinted(Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, Color color) {
  const Color c = multiplyColor(color);
  drawColoredList({p0, p1, p2, p3}, {c, c, c, c}, {{0, 0}, {0, 1}, {1, 1}, {1, 0}});
}

void drawQuadShaded(Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, Color c0, Color c1, Color c2, Color c3) {
  drawColoredList({p0, p1, p2, p3},
                  {multiplyColor(c0), multiplyColor(c1), multiplyColor(c2), multiplyColor(c3)},
                  {{0, 0}, {0, -1}, {-1, -1}, {-1, 0}});
}

void drawRibbon(Vec3 a, Vec3 b, float w, Color color) {
  const Vec3 side = ribbonSide(a, b, w);
  drawQuadTinted(sub3(b, side), add3(b, side), add3(a, side), sub3(a, side), color);
}

void drawRibbonShaded(Vec3 a, Vec3 b, float w, Color colorB, Color colorA) {
  const Vec3 side = ribbonSide(a, b, w);
  drawQuadShaded(sub3(b, side), add3(b, side), add3(a, side), sub3(a, side), colorB, colorB,
                 colorA, colorA);
}

void drawTexturedQuad(Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, Vec2 t0, Vec2 t1, Vec2 t2, Vec2 t3) {
  auto plain = [](Vec3 p, Vec2 t) { return DevPlainVertex{p.x, p.y, p.z, t.x, t.y}; };
  const DevPlainVertex v[6] = {plain(p0, t0), plain(p1, t1), plain(p2, t2),
                               plain(p0, t0), plain(p2, t2), plain(p3, t3)};
  drawPrimitives(v, 2, DevVertexFormat::Plain, DevPrimitive::TriangleList);
}

void drawPrimitives(const void* vertices, int32_t primitiveCount, DevVertexFormat format,
                    DevPrimitive type) {
  if (primitiveCount <= 0) return;
  devDrawUP(type, primitiveCount, vertices, format);
  renderState.trianglesDrawn += uint32_t(primitiveCount);
}

void evictManagedResources() {}

// ---------------------------------------------------------------------------
// Switches

namespace {

void switchFeature(int32_t feature, bool on) {
  switch (feature) {
    case kFeatureLighting: devSetLighting(on); break;
    case kFeatureDepthTest: devSetDepthTest(on); break;
    case kFeatureDepthWrite: devSetDepthWrite(on); break;
    case kFeatureScreenProjection:
      if (on) {
        setOrthoProjection(800.0f, 600.0f, 1.0f, 500.0f);
      } else {
        setProjectionTransform(renderState.cameraProjection);
      }
      break;
    case kFeatureAlphaBlend: devSetAlphaBlend(on); break;
    case kFeatureAlphaTest: devSetAlphaTest(on); break;
    case kFeaturePointSprites: break;  // no point primitives are drawn
    case kFeatureFiltering: devSetLinearFilter(on); break;
    default: break;
  }
}

}  // namespace

void enableRenderFeature(int32_t feature) { switchFeature(feature, true); }
void disableRenderFeature(int32_t feature) { switchFeature(feature, false); }

void setBlendMode(int32_t mode) {
  switch (mode) {
    case kBlendTransparent: devSetBlendFunc(DevBlend::SrcAlpha, DevBlend::InvSrcAlpha); break;
    case kBlendAdditive: devSetBlendFunc(DevBlend::SrcColor, DevBlend::One); break;
    case kBlendOpaque: devSetBlendFunc(DevBlend::One, DevBlend::Zero); break;
    default: break;
  }
}

void setBlendFactors(DevBlend src, DevBlend dst) { devSetBlendFunc(src, dst); }

void setAlphaRef(uint8_t ref) { devSetAlphaRef(ref); }

void begin2D() {
  devSetDepthTest(false);
  setBlendMode(kBlendTransparent);
  devSetAlphaBlend(true);
  devSetAlphaTest(true);
  devSetAlphaRef(1);
  devSetLinearFilter(true);
  setWorldTransform(nullptr);
  setViewTransform(nullptr);
  setOrthoProjection(800.0f, 600.0f, 1.0f, 100.0f);
}

// ---------------------------------------------------------------------------
// Camera-facing squares and sheet sprites

void drawBillboard(const TextureEntry* texture, float x, float y, float angle, float size,
                   Color color) {
  const Vec3 p = {x, y, 0.0f};
  if (!sphereVisible(extractFrustum(), p, size)) return;
  const Matrix4 view = devGetTransform(DevTransform::View);
  const Vec3 r = scale3(rightAxis(view), size), u = scale3(upAxis(view), size);
  const float c = cosDeg(angle), s = sinDeg(angle);
  const Vec3 r2 = sub3(scale3(r, c), scale3(u, s));
  const Vec3 u2 = add3(scale3(r, s), scale3(u, c));
  setTexture(texture);
  devSetAlphaBlend(true);
  devSetBlendFunc(DevBlend::SrcAlpha, DevBlend::InvSrcAlpha);
  drawQuad(add3(sub3(p, r2), u2), sub3(sub3(p, r2), u2), sub3(add3(p, r2), u2),
           add3(add3(p, r2), u2), {0, 0}, {0, 1}, {1, 1}, {1, 0}, color);
}

UvRect sheetCellUv(int32_t cell, int32_t columns, int32_t rows) {
  constexpr float kInset = 0.001f;  // keeps bilinear filtering off the neighbouring cells
  const float u = float(cell % columns) / float(columns) + kInset;
  const float v = float(cell / columns) / float(rows) + kInset;
  return {u, v, u + 1.0f / float(columns) - kInset, v + 1.0f / float(rows) - kInset};
}

// Written out component by component: the particles and sparks of a busy frame
// come here thousands of times.
void turnedSquareAxes(Vec3 right, Vec3 up, float size, float rotation, Vec3* r, Vec3* u) {
  const float half = size * 0.5f;
  const float radians = rotation * kDegToRad;
  const float c = std::cos(radians) * half, s = std::sin(radians) * half;
  *r = {right.x * c - up.x * s, right.y * c - up.y * s, right.z * c - up.z * s};
  *u = {right.x * s + up.x * c, right.y * s + up.y * c, right.z * s + up.z * c};
}

void sheetSquareCorners(Vec3 p, Vec3 r, Vec3 u, const UvRect& cell, Vec3 corners[4],
                        Vec2 uv[4]) {
  const Vec3 plus = {r.x + u.x, r.y + u.y, r.z + u.z};    // to the top-right
  const Vec3 minus = {r.x - u.x, r.y - u.y, r.z - u.z};   // to the bottom-right
  corners[0] = {p.x + plus.x, p.y + plus.y, p.z + plus.z};
  corners[1] = {p.x + minus.x, p.y + minus.y, p.z + minus.z};
  corners[2] = {p.x - plus.x, p.y - plus.y, p.z - plus.z};
  corners[3] = {p.x - minus.x, p.y - minus.y, p.z - minus.z};
  uv[0] = {cell.uLeft, cell.vTop};
  uv[1] = {cell.uRight, cell.vTop};
  uv[2] = {cell.uRight, cell.vBottom};
  uv[3] = {cell.uLeft, cell.vBottom};
}

void drawSheetSprite(float x, float y, float rotation, float size, Color color, int32_t cell) {
  if ((color & 0x00FFFFFFu) == 0 || size == 0.0f) return;
  Vec3 r, u;
  turnedSquareAxes({1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, size, rotation, &r, &u);
  Vec3 p[4];
  Vec2 t[4];
  sheetSquareCorners({x, y, 0.0f}, r, u, sheetCellUv(cell, kSheetGrid, kSheetGrid), p, t);
  drawQuad(p[0], p[1], p[2], p[3], t[0], t[1], t[2], t[3], color);
}

void drawSparkSprite(float x, float y, float rotation, float size, Color color, int32_t blend,
                     int32_t cell) {
  devSetAlphaTest(false);
  devSetAlphaBlend(true);
  devSetDepthWrite(false);
  setTexture(getTexture("particles.tga"));
  if (blend == 0) devSetBlendFunc(DevBlend::SrcColor, DevBlend::One);
  if (blend == 1) devSetBlendFunc(DevBlend::SrcAlpha, DevBlend::InvSrcAlpha);
  drawSheetSprite(x, y, rotation, size, color, cell);
  devSetAlphaTest(true);
}
