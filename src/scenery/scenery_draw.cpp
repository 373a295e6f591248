// scenery_draw.cpp: drawing a background: the objects behind the picture, the
// picture, the objects before it, the spray puffs and the leaves, all under the
// tint; during a crossfade the current background wobbles and the next one is
// drawn over it, fading in. Nothing here changes the scenery's state.
#include <cmath>

#include "platform/device.h"
#include "render/render.h"
#include "render/texture.h"
#include "scenery/scenery.h"
#include "scenery/scenery_local.h"

namespace {

// In front of the eye both in the scenes' view (50 units back) and in plain 2D.
constexpr float kSceneryZ = 10.0f;
// The 800 x 600 picture in the top-left of its 1024 x 1024 texture.
constexpr float kPictureU = 0.78125f;
constexpr float kPictureV = 0.5859375f;
// Texture units per ms of play: the sky's drift, and per unit of scroll speed for
// waterfalls (still water scrolls at a fifth of that).
constexpr double kSkyDrift = 0.000003;
constexpr double kWaterfallSpeed = 0.00001;
constexpr double kWaterShare = 0.2;
// Leaves queued per drawing of a background.
constexpr int kMaxLeafSprites = kMaxSceneryObjects;
constexpr float kPi = 3.14159265f;

struct LeafSprite {
  Vec2 center;
  Vec2 pivot;  // the edge that holds the branch
  float angle;
  float width;
  float height;
  Color color;
  const TextureEntry* texture;
  uint8_t mirrored;
};

// How one background is drawn.
struct BackgroundLook {
  const SceneryTable* table;
  const TextureEntry* picture;
  float alpha;          // multiplies every colour's alpha
  bool filterPicture;   // a crossfade runs: the picture is filtered, else point-sampled
  bool blendFromStart;  // the next background blends already in its first pass
  bool withPuffs;
};

// The fractional part: offsets that grow with the play clock keep their precision.
float wrapUnit(double x) { return float(x - std::floor(x)); }

float ratioOr0(float a, float b) { return b != 0.0f ? a / b : 0.0f; }

UvRect uvOf(float u, float v, float width, float height, bool mirrored) {
  if (mirrored) return UvRect{u + width, v, u, v + height};
  return UvRect{u, v, u + width, v + height};
}

// Texels of the object's texture (1 x 1 without one, so ratios stay finite).
Vec2 textureSizeOf(const TextureEntry* texture) {
  if (!texture || !texture->width || !texture->height) return Vec2{1.0f, 1.0f};
  return Vec2{float(texture->width), float(texture->height)};
}

// The rectangle turned about its centre; an object without a picture is not drawn.
void drawObject(const SceneryObject& object, const UvRect& uv) {
  if (!object.texture) return;
  const Vec2 c = rectCenter(object.rect);
  setTexture(object.texture);
  drawRotatedSprite(c.x, c.y, c.x, c.y, object.rotation, rectWidth(object.rect),
                    rectHeight(object.rect), uv, kWhite, kSceneryZ);
}

// The sky drifts left; waterfalls and water scroll by their speed, one texel per
// overlay unit.
UvRect scrollingUv(const SceneryObject& object, float clock) {
  const Vec2 texels = textureSizeOf(object.texture);
  const Rect& r = object.rect;
  if (object.kind == SceneryKind::Sky) {
    const float width = ratioOr0(r.x1 - r.x0, r.y1 - r.y0) * (texels.y / texels.x);
    return uvOf(wrapUnit(-kSkyDrift * clock), 0.0f, width, 1.0f, object.mirrored);
  }
  const double speed =
      object.kind == SceneryKind::Water ? kWaterfallSpeed * kWaterShare : kWaterfallSpeed;
  const float u = wrapUnit(-double(object.scroll.x) * clock * speed);
  const float v = wrapUnit(-double(object.scroll.y) * clock * speed);
  return uvOf(u, v, (r.x1 - r.x0) / texels.x, (r.y1 - r.y0) / texels.y, object.mirrored);
}

LeafSprite leafOf(const SceneryObject& object, float phaseOffset) {
  const float t = object.phase + phaseOffset;
  const LeafSway sway = leafSwayOf(object.kind);
  const int32_t b = 255 - int32_t(std::fmin(length2(object.scroll), 255.0f));
  const float side = object.mirrored ? -1.0f : 1.0f;
  LeafSprite leaf;
  leaf.center = rectCenter(object.rect);
  leaf.width = rectWidth(object.rect);
  leaf.height = rectHeight(object.rect);
  leaf.pivot = Vec2{leaf.center.x - leaf.width * 0.5f * side, leaf.center.y};
  leaf.angle = object.rotation + sway.a1 * std::sin(sway.f1 * t) + sway.a2 * std::sin(sway.f2 * t);
  leaf.color = makeColor(b, b, b, 255);
  leaf.texture = object.texture;
  leaf.mirrored = object.mirrored;
  return leaf;
}

// The objects behind the picture, in list order; the leaves are queued for later.
// Returns how many leaves were queued.
int32_t drawFirstPass(const SceneryTable& table, float clock, LeafSprite* leaves) {
  int32_t leafCount = 0;
  float phaseOffset = 0.0f;
  for (int32_t i = 0; i < table.count; ++i) {
    const SceneryObject& object = table.objects[i];
    if (sceneryKindIsBehind(object.kind)) {
      drawObject(object, scrollingUv(object, clock));
    } else if (isLeavesKind(object.kind)) {
      if (leafCount < kMaxLeafSprites) leaves[leafCount++] = leafOf(object, phaseOffset);
      phaseOffset += kLeafPhaseStep;
    } else if (object.kind == SceneryKind::Still && object.behindPicture) {
      drawObject(object, uvOf(0.0f, 0.0f, 1.0f, 1.0f, object.mirrored));
    }
  }
  return leafCount;
}

// The still objects in front of the picture.
void drawSecondPass(const SceneryTable& table) {
  for (int32_t i = 0; i < table.count; ++i) {
    const SceneryObject& object = table.objects[i];
    if (object.kind == SceneryKind::Still && !object.behindPicture) {
      drawObject(object, uvOf(0.0f, 0.0f, 1.0f, 1.0f, object.mirrored));
    }
  }
}

// A rectangle of the picture's blocks (render/texture.h): columns x0 .. x1 - 1,
// rows y0 .. y1 - 1.
struct BlockRect {
  int32_t x0, x1, y0, y1;
};
// Every run of a row of 32 blocks may be a rectangle of its own.
constexpr int32_t kMaxBlockRects = kMaxOpaqueBlockRows * 16;

// The blocks whose bit in rows[0 .. rowCount - 1] is `opaque`, within `columns`, as
// rectangles: the runs of each row, a run carried down while the next row has the
// very same run. Returns how many were written to out.
int32_t blockRects(const uint32_t* rows, int32_t rowCount, int32_t columns, bool opaque,
                   BlockRect* out) {
  int32_t count = 0;
  for (int32_t y = 0; y < rowCount; ++y) {
    const uint32_t bits = opaque ? rows[y] : ~rows[y];
    for (int32_t x = 0; x < columns;) {
      if (!(bits >> x & 1u)) {
        ++x;
        continue;
      }
      int32_t end = x;
      while (end < columns && (bits >> end & 1u)) ++end;
      BlockRect* carried = nullptr;
      for (int32_t k = 0; k < count && !carried; ++k) {
        if (out[k].y1 == y && out[k].x0 == x && out[k].x1 == end) carried = &out[k];
      }
      if (carried) {
        carried->y1 = y + 1;
      } else if (count < kMaxBlockRects) {
        out[count++] = {x, end, y, y + 1};
      }
      x = end;
    }
  }
  return count;
}

void drawPicturePart(const BlockRect& b) {
  constexpr float side = float(kOpaqueBlockSide);
  const Rect part = {float(b.x0) * side, float(b.y0) * side, std::fmin(800.0f, float(b.x1) * side),
                     std::fmin(600.0f, float(b.y1) * side)};
  drawScreenRectPart(0.0f, 0.0f, 800.0f, 600.0f, 0.0f, 0.0f, kPictureU, kPictureV, kWhite, part);
}

// The picture over the whole screen; its transparent parts show the first pass.
// Drawn wholly opaque (alpha 1), its opaque blocks go unblended: the same pixels,
// but a software renderer then writes them without reading and drops whatever
// they cover.
void drawPicture(const TextureEntry* picture, bool filtered, float alpha) {
  if (!picture) return;
  if (!filtered) disableRenderFeature(kFeatureFiltering);
  setTexture(picture);
  if (alpha < 1.0f) {
    drawScreenRect(0.0f, 0.0f, 800.0f, 600.0f, 0.0f, 0.0f, kPictureU, kPictureV, kWhite);
  } else {
    constexpr int32_t side = int32_t(kOpaqueBlockSide);
    constexpr int32_t columns = (800 + side - 1) / side, rows = (600 + side - 1) / side;
    BlockRect rects[kMaxBlockRects];
    const uint32_t* blocks = picture->opaqueBlocks;
    for (int32_t i = 0, n = blockRects(blocks, rows, columns, false, rects); i < n; ++i) {
      drawPicturePart(rects[i]);
    }
    disableRenderFeature(kFeatureAlphaBlend);
    for (int32_t i = 0, n = blockRects(blocks, rows, columns, true, rects); i < n; ++i) {
      drawPicturePart(rects[i]);
    }
    enableRenderFeature(kFeatureAlphaBlend);
  }
  enableRenderFeature(kFeatureFiltering);
}

// A camera-facing square that swells from half-side 15 to 37 as it brightens and
// fades, rising a little at its brightest.
void drawPuff(const SprayPuff& puff, Vec3 right, Vec3 up) {
  const float s = std::sin(kPi * puff.life / kSprayPuffLife);
  const float half = 15.0f + 0.011f * (kSprayPuffLife - puff.life);
  const float rise = 0.02f * (20.0f * s) * (20.0f * s);
  const Vec3 p = {puff.position.x, puff.position.y + rise, kSceneryZ};
  const Vec3 r = scale3(right, half), u = scale3(up, half);
  const int32_t grey = int32_t(255.0f * s);
  drawQuad(add3(sub3(p, r), u), sub3(sub3(p, r), u), sub3(add3(p, r), u), add3(add3(p, r), u),
           {0, 0}, {0, 1}, {1, 1}, {1, 0}, makeColor(grey, grey, grey, 255));
}

bool puffLive(const SprayPuff& puff) { return puff.life > 0.0f && puff.texture; }

// Puffs add their light, so their order does not matter: one texture at a time.
void drawPuffs() {
  Matrix4 view;
  getViewTransform(&view);
  const Vec3 right = rightAxis(view), up = upAxis(view);
  setBlendMode(kBlendAdditive);
  const TextureEntry* drawn[kMaxSprayPuffs];
  int32_t drawnCount = 0;
  for (const SprayPuff& first : scenery.puffs) {
    if (!puffLive(first)) continue;
    bool seen = false;
    for (int32_t k = 0; k < drawnCount && !seen; ++k) seen = drawn[k] == first.texture;
    if (seen) continue;
    drawn[drawnCount++] = first.texture;
    setTexture(first.texture);
    for (const SprayPuff& puff : scenery.puffs) {
      if (puffLive(puff) && puff.texture == first.texture) drawPuff(puff, right, up);
    }
  }
  setBlendMode(kBlendTransparent);
}

void drawLeaves(const LeafSprite* leaves, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const LeafSprite& leaf = leaves[i];
    if (!leaf.texture) continue;
    setTexture(leaf.texture);
    drawRotatedSprite(leaf.center.x, leaf.center.y, leaf.pivot.x, leaf.pivot.y, leaf.angle,
                      leaf.width, leaf.height, uvOf(0.0f, 0.0f, 1.0f, 1.0f, leaf.mirrored),
                      leaf.color, kSceneryZ);
  }
}

void drawBackground(const BackgroundLook& look) {
  setColorMultiplier(scenery.tint.r, scenery.tint.g, scenery.tint.b, look.alpha);
  disableRenderFeature(kFeatureAlphaTest);
  if (look.blendFromStart) {
    enableRenderFeature(kFeatureAlphaBlend);
    setBlendMode(kBlendTransparent);
  } else {
    disableRenderFeature(kFeatureAlphaBlend);
  }
  enableRenderFeature(kFeatureFiltering);
  LeafSprite leaves[kMaxLeafSprites];
  const int32_t leafCount = drawFirstPass(*look.table, scenery.playClock, leaves);
  enableRenderFeature(kFeatureAlphaBlend);
  setBlendMode(kBlendTransparent);
  drawPicture(look.picture, look.filterPicture, look.alpha);
  drawSecondPass(*look.table);
  if (look.withPuffs) drawPuffs();
  drawLeaves(leaves, leafCount);
  setColorMultiplier(1.0f, 1.0f, 1.0f, 1.0f);
}

// The backdrop neither tests nor writes depth, so whatever is drawn later shows
// over it.
void beginBackdrop() {
  disableRenderFeature(kFeatureDepthTest);
  disableRenderFeature(kFeatureDepthWrite);
}

// Puts back the states the scenery changed, as the caller had them.
void endBackdrop(const DevState& saved, const Matrix4& view) {
  setViewTransform(&view);
  devSetDepthTest(saved.depthTest != 0);
  devSetDepthWrite(saved.depthWrite != 0);
  devSetAlphaBlend(saved.alphaBlend != 0);
  devSetAlphaTest(saved.alphaTest != 0);
  devSetBlendFunc(saved.srcBlend, saved.dstBlend);
  devSetLinearFilter(saved.linearFilter != 0);
}

// The view during a crossfade: drifting along a curve and zooming up to 1.99.
Matrix4 wobbleView(const Matrix4& view, float p) {
  Matrix4 wobble = view;
  const float reach = 30.0f * p * p;
  translate(&wobble, std::cos(1.5f * kPi * p) * reach, std::sin(kPi * p) * reach, 0.0f);
  const float zoom = 1.0f + 0.99f * p * p;
  setDiagonal(&wobble, zoom, zoom, 1.0f);
  return wobble;
}

}  // namespace

void drawSceneryWithTransition() {
  if (!scenery.loaded) return;
  const DevState saved = devState();
  Matrix4 view;
  getViewTransform(&view);
  beginBackdrop();
  const Matrix4 wobble = wobbleView(view, crossfadeProgress());
  setViewTransform(&wobble);
  const bool crossfading = scenery.fadeTimer > 0.0f;
  drawBackground({&scenery.current, scenery.picture, scenery.tint.a, crossfading, false, true});
  setViewTransform(&view);
  const float g = crossfadeAlphaOf(scenery.fadeTimer);
  if (g > 0.0f) {
    // The next background fades in as the cube of its share of the second half.
    const float alpha = scenery.tint.a * g * g * g;
    drawBackground({&scenery.next, scenery.nextPicture, alpha, true, true, false});
  }
  endBackdrop(saved, view);
}

void drawScenery() {
  if (!scenery.loaded) return;
  const DevState saved = devState();
  Matrix4 view;
  getViewTransform(&view);
  beginBackdrop();
  drawBackground({&scenery.current, scenery.picture, scenery.tint.a, false, false, true});
  endBackdrop(saved, view);
}
