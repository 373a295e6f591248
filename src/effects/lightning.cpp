// lightning.cpp: jagged bolts between two points, shaped when they are added and
// drawn as a wide glow along the whole bolt with a thin core along each segment.
#include <cmath>

#include "core/numeric.h"
#include "effects/effect_state.h"
#include "effects/effects.h"
#include "effects/effects_local.h"
#include "render/render.h"
#include "render/texture.h"

Lightning lightning = {};

namespace {

bool finite3(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// `side` (at right angles to the unit vector `axis`) turned about it by `degrees`.
Vec3 turnedAbout(Vec3 side, Vec3 axis, float degrees) {
  return add3(scale3(side, cosDeg(degrees)), scale3(cross(axis, side), sinDeg(degrees)));
}

}  // namespace

void clearLightningBolts() { lightning.count = 0; }

void addLightningBolt(Vec3 from, Vec3 to, float segmentLength, float coreWidth, float glowWidth,
                      float jitter, Color coreColor, Color glowColor) {
  if (lightning.count >= kMaxLightningBolts) return;
  const Vec3 d = sub3(to, from);
  if (!finite3(from) || !finite3(to)) return;
  const float length = length3(d);
  if (!(length > 0.0f)) return;
  const Vec3 axis = scale3(d, 1.0f / length);
  const Vec3 side = normalize3(cross(axis, {0.0f, 0.0f, 1.0f}));
  const float steps = length / segmentLength;
  int32_t segments = kMaxBoltSegments;
  float step = length / float(kMaxBoltSegments);
  if (segmentLength > 0.0f && steps < float(kMaxBoltSegments)) {
    segments = int32_t(steps) + 1;
    step = segmentLength;
  }
  LightningBolt& bolt = lightning.bolts[lightning.count++];
  bolt.points[0] = from;
  for (int32_t i = 1; i < segments; ++i) {
    const float turn = effectRandomSigned(180.0f);
    const Vec3 kink = scale3(turnedAbout(side, axis, turn), effectRandomSigned(jitter));
    bolt.points[i] = add3(add3(from, scale3(axis, step * float(i))), kink);
  }
  bolt.points[segments] = to;
  bolt.segments = segments;
  bolt.coreWidth = coreWidth;
  bolt.glowWidth = glowWidth;
  bolt.coreColor = coreColor;
  bolt.glowColor = glowColor;
}

void drawLightningBolts() {
  if (lightning.count == 0) return;
  setWorldTransform(nullptr);
  devSetLighting(false);
  devSetAlphaBlend(true);
  setBlendFactors(DevBlend::SrcAlpha, DevBlend::One);
  devSetDepthWrite(false);
  setTexture(findTexture(kBoltGlowName));
  for (int32_t b = 0; b < lightning.count; ++b) {
    const LightningBolt& bolt = lightning.bolts[b];
    const Vec3* p = bolt.points;
    const int32_t n = bolt.segments;
    drawRibbon(p[0], p[n], bolt.glowWidth, bolt.glowColor);
    // Each core piece reaches a little into the next, so the joints show no gaps.
    const Vec3 overlap = scale3(normalize3(sub3(p[n - 1], p[0])), 0.1f);
    for (int32_t i = 0; i < n; ++i) {
      drawRibbon(p[i], add3(p[i + 1], overlap), bolt.coreWidth, bolt.coreColor);
    }
  }
  devSetDepthWrite(true);
  setBlendMode(kBlendTransparent);
}
