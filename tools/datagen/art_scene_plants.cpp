// art_scene_plants.cpp: trees, bushes, woods, grass, flowers, ferns and reeds of
// the landscape painter. Leaves are lit from the upper left like everything else:
// a broad sphere of light over the crown, small clumps modelling it, a darker
// underside.
#include <algorithm>

#include "art_scene_kit.h"

namespace {

constexpr int kMaxLobes = 9;  // a crown reads as one shape up to about nine clumps

struct Lobe {
  Point centre;
  float radius;
};

// A crown of clumps around `centre`: one big middle clump and a ring of smaller ones.
int makeCrown(Point centre, float radius, float squash, uint32_t seed, Lobe* lobes) {
  const int count = 6 + static_cast<int>(hashUnit(0, 9, seed) * 3.0f);
  lobes[0] = Lobe{centre, radius * 0.72f};
  for (int i = 1; i < count; ++i) {
    const float a = (i - 1) * 2.0f * kPi / (count - 1) + hashUnit(i, 3, seed) * 0.6f;
    const float r = radius * (0.38f + 0.14f * hashUnit(i, 4, seed));
    const float reach = radius - r;
    lobes[i] = Lobe{Point{centre.x + std::cos(a) * reach, centre.y + std::sin(a) * reach * squash}, r};
  }
  return count;
}

float crownDistance(Point p, const Lobe* lobes, int count) {
  float d = 1e9f;
  for (int i = 0; i < count; ++i) d = sdSmoothUnion(d, sdCircle(p, lobes[i].centre, lobes[i].radius), 3.0f);
  return d;
}

// Leaf colour at p of a crown: broad light over the whole crown, the clumps
// modelling it, and a soft leafy grain.
Colour crownColour(Point p, Point centre, float radius, const Lobe* lobes, int count,
                   const FoliageLook& look, uint32_t seed) {
  int nearest = 0;
  float best = 1e9f;
  for (int i = 0; i < count; ++i) {
    const float d = sdCircle(p, lobes[i].centre, lobes[i].radius) / lobes[i].radius;
    if (d < best) {
      best = d;
      nearest = i;
    }
  }
  const Vec3f broad = sphereNormal(p, centre, radius * 1.1f);
  const Vec3f clump = sphereNormal(p, lobes[nearest].centre, lobes[nearest].radius * 1.05f);
  const Vec3f n = normalise(Vec3f{broad.x * 0.55f + clump.x * 0.45f, broad.y * 0.55f + clump.y * 0.45f,
                                  broad.z * 0.55f + clump.z * 0.45f});
  const float grainSize = std::max(2.2f, radius * 0.08f);
  const float grain = fractalNoise(p.x / grainSize, p.y / grainSize, 2, seed) - 0.5f;
  const float t = clamp01(lambert(n, kLightDirection) * 1.15f + grain * 0.22f);
  if (t < 0.5f) return mixColour(look.dark, look.leaf, t * 2.0f);
  return mixColour(look.leaf, look.light, (t - 0.5f) * 2.0f);
}

void paintCrown(Canvas* canvas, Point centre, float radius, float squash, const FoliageLook& look,
                uint32_t seed) {
  Lobe lobes[kMaxLobes];
  const int count = makeCrown(centre, radius, squash, seed, lobes);
  fillShape(canvas, boxAround(centre, radius * 1.1f, radius * 1.1f),
            [&](Point p) { return crownDistance(p, lobes, count); },
            [&](Point p, float) { return crownColour(p, centre, radius, lobes, count, look, seed); });
  if (radius < 24.0f) return;
  // Big crowns show leafy clumps catching the light on their sunny side.
  RandomStream random{seed + 211u};
  for (int i = 0; i < 7; ++i) {
    const float a = randomRange(&random, 0.6f * kPi, 2.1f * kPi);
    const float reach = radius * randomRange(&random, 0.2f, 0.6f);
    const Point at{centre.x + std::cos(a) * reach, centre.y + std::sin(a) * reach * squash};
    const float r = radius * randomRange(&random, 0.22f, 0.32f);
    fillShape(canvas, boxAround(at, r, r),
              [&](Point p) { return std::max(sdCircle(p, at, r), crownDistance(p, lobes, count) + 3.0f); },
              [&](Point p, float d) {
                const float l = lambert(sphereNormal(p, at, r * 1.1f), kLightDirection);
                const Colour base = crownColour(p, centre, radius, lobes, count, look, seed);
                // Lit rim on the upper left, a soft shadow below: blended, not pasted.
                const Colour c = l > 0.55f ? mixColour(base, look.light, (l - 0.55f) * 1.4f) : mixColour(base, look.dark, (0.55f - l) * 0.8f);
                return withAlpha(c, 0.75f * clamp01(-d / 3.0f));
              }, 1.5f);
  }
}

// A tapering trunk from base up to top, lit on its left.
void paintTrunk(Canvas* canvas, Point base, Point top, float baseWidth, float topWidth, Colour colour) {
  const Point corners[4] = {Point{base.x - baseWidth, base.y}, Point{top.x - topWidth, top.y},
                            Point{top.x + topWidth, top.y}, Point{base.x + baseWidth, base.y}};
  fillShape(canvas, boxAround(Point{(base.x + top.x) * 0.5f, (base.y + top.y) * 0.5f},
                              std::fabs(top.x - base.x) + baseWidth, std::fabs(top.y - base.y) * 0.5f),
            [&](Point p) { return sdPolygon(p, corners, 4); },
            [&](Point p, float) {
              const float t = linearParam(p, Point{base.x - baseWidth, p.y}, Point{base.x + baseWidth, p.y});
              return lighten(colour, 0.18f - 0.4f * t);
            });
}

}  // namespace

void paintGroundShadow(Canvas* canvas, Point base, float width, float opacity) {
  fillShape(canvas, boxAround(base, width, width * 0.3f),
            [&](Point p) { return sdEllipse(p, base, width, width * 0.22f); },
            [&](Point p, float) {
              const float t = clamp01(length(Point{(p.x - base.x) / width, (p.y - base.y) / (width * 0.22f)}));
              return rgb(20, 40, 30, static_cast<int>(255 * opacity * (1.0f - t * t)));
            });
}

void paintRoundTree(Canvas* canvas, Point base, float height, const FoliageLook& look,
                    uint32_t seed) {
  const float radius = height * 0.33f;
  const Point crown{base.x + (hashUnit(1, 1, seed) - 0.5f) * height * 0.08f, base.y - height + radius};
  paintGroundShadow(canvas, Point{base.x + height * 0.08f, base.y}, radius * 1.1f, 0.35f);
  paintTrunk(canvas, base, Point{crown.x, crown.y + radius * 0.2f}, height * 0.055f, height * 0.03f,
             look.trunk);
  paintCrown(canvas, crown, radius, 0.85f, look, seed);
}

void paintPine(Canvas* canvas, Point base, float height, const FoliageLook& look, uint32_t seed) {
  const float width = height * 0.36f;
  paintGroundShadow(canvas, Point{base.x + height * 0.05f, base.y}, width * 0.9f, 0.3f);
  paintTrunk(canvas, base, Point{base.x, base.y - height * 0.3f}, height * 0.04f, height * 0.025f,
             look.trunk);
  constexpr int kTiers = 4;
  for (int tier = 0; tier < kTiers; ++tier) {
    const float t = static_cast<float>(tier) / kTiers;
    const float bottom = base.y - height * (0.12f + 0.62f * t);
    const float top = base.y - height * (0.5f + 0.5f * (tier + 1.0f) / kTiers);
    const float half = width * (1.0f - 0.68f * t) * (0.95f + 0.1f * hashUnit(tier, 5, seed));
    const float sag = (bottom - top) * 0.16f;
    const Point corners[7] = {Point{base.x, top},
                              Point{base.x + half, bottom},
                              Point{base.x + half * 0.55f, bottom - sag * 0.6f},
                              Point{base.x + half * 0.2f, bottom + sag * 0.2f},
                              Point{base.x - half * 0.25f, bottom - sag * 0.5f},
                              Point{base.x - half * 0.6f, bottom + sag * 0.1f},
                              Point{base.x - half, bottom}};
    fillShape(canvas, boxAround(Point{base.x, (top + bottom) * 0.5f}, half, (bottom - top) * 0.6f),
              [&](Point p) { return sdPolygon(p, corners, 7) - 0.6f; },
              [&](Point p, float d) {
                const float side = (p.x - base.x) / half;
                const float light = clamp01(0.62f - side * 0.75f);
                const float down = clamp01((p.y - top) / (bottom - top));
                Colour c = light > 0.5f ? mixColour(look.leaf, look.light, (light - 0.5f) * 2.0f)
                                        : mixColour(look.dark, look.leaf, light * 2.0f);
                c = lighten(c, -0.18f * down * down);
                // Needle texture: fine slanted streaks.
                const float streak = std::sin((p.x - base.x) * 0.9f - (p.y - top) * 1.7f * (side < 0 ? -1.0f : 1.0f));
                c = lighten(c, 0.04f * streak + (d > -1.5f ? -0.1f : 0.0f));
                return c;
              });
  }
}

void paintWillow(Canvas* canvas, Point base, float height, const FoliageLook& look,
                 uint32_t seed) {
  const float radius = height * 0.3f;
  const Point crown{base.x, base.y - height + radius * 0.9f};
  paintGroundShadow(canvas, Point{base.x + height * 0.06f, base.y}, radius * 1.4f, 0.3f);
  paintTrunk(canvas, base, Point{crown.x + radius * 0.1f, crown.y}, height * 0.06f, height * 0.03f,
             look.trunk);
  paintCrown(canvas, crown, radius, 0.7f, look, seed);
  // Curtains of strands fall from the crown's rim.
  RandomStream random{seed + 33u};
  const int strands = static_cast<int>(radius * 1.2f);
  for (int i = 0; i < strands; ++i) {
    const float u = randomRange(&random, -1.0f, 1.0f);
    const Point from{crown.x + u * radius * 1.05f, crown.y + radius * 0.1f};
    const float fall = height * randomRange(&random, 0.35f, 0.62f) * (1.0f - 0.35f * u * u);
    const Point to{from.x + u * radius * 0.25f, from.y + fall};
    const float light = clamp01(0.55f - u * 0.45f + randomRange(&random, -0.2f, 0.2f));
    const Colour c = light > 0.5f ? mixColour(look.leaf, look.light, (light - 0.5f) * 2.0f)
                                  : mixColour(look.dark, look.leaf, light * 2.0f);
    const float w = randomRange(&random, 1.1f, 2.0f);
    fillShapeColour(canvas, boxAround(Point{(from.x + to.x) * 0.5f, (from.y + to.y) * 0.5f}, std::fabs(to.x - from.x) * 0.5f + 3.0f, fall * 0.5f + 3.0f),
                    [&](Point p) {
                      const float t = clamp01((p.y - from.y) / fall);
                      return sdCapsule(p, from, to, w * (1.0f - 0.6f * t));
                    },
                    c);
  }
}

void paintBush(Canvas* canvas, Point base, float width, const FoliageLook& look, uint32_t seed) {
  const float radius = width * 0.5f;
  const Point centre{base.x, base.y - radius * 0.55f};
  paintGroundShadow(canvas, Point{base.x + width * 0.1f, base.y}, radius * 1.05f, 0.3f);
  Lobe lobes[kMaxLobes];
  const int count = makeCrown(centre, radius, 0.55f, seed, lobes);
  fillShape(canvas, boxAround(centre, radius * 1.1f, radius * 0.9f),
            [&](Point p) { return std::max(crownDistance(p, lobes, count), p.y - base.y); },
            [&](Point p, float) { return crownColour(p, centre, radius, lobes, count, look, seed); });
}

void paintTreeLine(Canvas* canvas, const Skyline& line, float x0, float x1, float size,
                   float sink, const FoliageLook& look, uint32_t seed) {
  // One soft band of crowns: their union, lit as one, darkening into the land.
  constexpr int kMaxCrowns = 96;  // a band across the whole picture at the smallest size
  Lobe crowns[kMaxCrowns];
  int count = 0;
  RandomStream random{seed + 5u};
  float x = x0 + randomRange(&random, 0.0f, size * 0.5f);
  float top = 1e9f, bottom = -1e9f;
  while (x < x1 && count < kMaxCrowns) {
    if (randomUnit(&random) < 0.1f) {
      x += size * randomRange(&random, 0.8f, 1.8f);
      continue;
    }
    const float r = size * 0.5f * randomRange(&random, 0.6f, 1.2f) * (randomUnit(&random) < 0.15f ? 1.3f : 1.0f);
    const float base = skylineAt(line, x) + sink;
    crowns[count++] = Lobe{Point{x, base - r * 0.9f}, r};
    top = std::min(top, base - r * 1.9f);
    bottom = std::max(bottom, base + 2.0f);
    x += r * randomRange(&random, 0.7f, 1.2f);
  }
  if (count == 0) return;
  const Box box{static_cast<int>(x0 - size), static_cast<int>(top) - 2, static_cast<int>(x1 + size),
                static_cast<int>(bottom) + 2};
  fillShape(canvas, box,
            [&](Point p) {
              float d = 1e9f;
              for (int i = 0; i < count; ++i) {
                if (std::fabs(p.x - crowns[i].centre.x) > crowns[i].radius * 2.0f) continue;
                d = sdSmoothUnion(d, sdCircle(p, crowns[i].centre, crowns[i].radius), 2.0f);
              }
              return std::max(d, p.y - (skylineAt(line, p.x) + sink + 1.0f));
            },
            [&](Point p, float) {
              int nearest = 0;
              float best = 1e9f;
              for (int i = 0; i < count; ++i) {
                const float d = sdCircle(p, crowns[i].centre, crowns[i].radius) / crowns[i].radius;
                if (d < best) {
                  best = d;
                  nearest = i;
                }
              }
              const Lobe& c = crowns[nearest];
              const float light = lambert(sphereNormal(p, c.centre, c.radius * 1.2f), kLightDirection);
              Colour k = light > 0.5f ? mixColour(look.leaf, mixColour(look.leaf, look.light, 0.6f), (light - 0.5f) * 2.0f)
                                      : mixColour(look.dark, look.leaf, light * 2.0f);
              const float base = skylineAt(line, p.x) + sink;
              return mixColour(k, look.dark, 0.5f * smoothstep(base - size * 0.6f, base, p.y));
            });
}

void paintLeafCluster(Canvas* canvas, Point centre, float radius, float squash,
                      const FoliageLook& look, uint32_t seed) {
  // Single leaves fringe the rim, pointing outwards; the crown covers their stems.
  RandomStream random{seed + 77u};
  const int fringe = static_cast<int>(radius * 0.9f);
  for (int i = 0; i < fringe; ++i) {
    const float a = randomRange(&random, 0.0f, 2.0f * kPi);
    const float reach = radius * randomRange(&random, 0.78f, 0.98f);
    const Point base{centre.x + std::cos(a) * reach, centre.y + std::sin(a) * reach * squash};
    const float len = radius * randomRange(&random, 0.22f, 0.34f);
    const Point tip{base.x + std::cos(a + randomRange(&random, -0.4f, 0.4f)) * len,
                    base.y + std::sin(a) * len * squash + len * 0.25f};
    const Point mid = (base + tip) * 0.5f;
    const Point dir = (tip - base) * (1.0f / std::max(0.001f, length(tip - base)));
    const float light = clamp01(0.55f - (std::cos(a) * 0.4f + std::sin(a) * 0.5f) + randomRange(&random, -0.15f, 0.15f));
    fillShape(canvas, boxAround(mid, len, len),
              [&](Point p) {
                const Point d = p - mid;
                const float along = dot(d, dir) / (len * 0.5f);
                const float across = d.x * -dir.y + d.y * dir.x;
                return std::max(std::fabs(across) - len * 0.32f * std::max(0.0f, 1.0f - along * along),
                                std::fabs(along) - 1.0f) * 0.8f;
              },
              [&](Point, float) {
                return light > 0.5f ? mixColour(look.leaf, look.light, (light - 0.5f) * 2.0f)
                                    : mixColour(look.dark, look.leaf, light * 2.0f);
              });
  }
  paintCrown(canvas, centre, radius, squash, look, seed);
}

void paintGrove(Canvas* canvas, Point base, float width, float size, const FoliageLook& look,
                uint32_t seed) {
  RandomStream random{seed + 19u};
  const int count = 3 + static_cast<int>(randomUnit(&random) * 3.0f);
  // Back trees first: they stand a little higher and are a little smaller.
  for (int i = 0; i < count; ++i) {
    const float back = 1.0f - static_cast<float>(i) / count;
    const Point at{base.x + randomRange(&random, -0.5f, 0.5f) * width, base.y - back * size * 0.12f};
    const float h = size * randomRange(&random, 0.7f, 1.1f) * (1.0f - 0.2f * back);
    FoliageLook tree = look;
    const float tone = randomRange(&random, -0.07f, 0.07f) - 0.06f * back;
    tree.leaf = lighten(look.leaf, tone);
    tree.light = lighten(look.light, tone);
    tree.dark = lighten(look.dark, tone);
    paintRoundTree(canvas, at, h, tree, seed + static_cast<uint32_t>(i) * 7u);
  }
}

void paintGrassTexture(Canvas* canvas, const Skyline& line, float yEnd, Colour light, Colour dark,
                       float density, uint32_t seed) {
  RandomStream random{seed + 131u};
  const float top = *std::min_element(line.top.begin(), line.top.end());
  const int count = static_cast<int>(density * canvas->width * std::max(0.0f, yEnd - top) / 400.0f);
  for (int i = 0; i < count; ++i) {
    const float x = randomRange(&random, 0.0f, static_cast<float>(canvas->width));
    const float y = randomRange(&random, skylineAt(line, x) + 4.0f, yEnd);
    if (y >= yEnd) continue;
    const float near = clamp01((y - top) / std::max(1.0f, yEnd - top));
    const float h = 2.0f + 5.0f * near;
    const Colour c = withAlpha(randomUnit(&random) < 0.5f ? light : dark, 0.45f);
    for (int blade = -1; blade <= 1; ++blade) {
      const Point foot{x + blade * h * 0.25f, y};
      const Point tip{x + blade * h * 0.45f, y - h * (blade == 0 ? 1.0f : 0.75f)};
      fillShapeColour(canvas, boxAround(foot, h, h), [&](Point p) { return sdCapsule(p, foot, tip, 0.55f); }, c);
    }
  }
}

void paintGrass(Canvas* canvas, const Skyline& line, float x0, float x1, float height,
                Colour light, Colour dark, int count, uint32_t seed) {
  RandomStream random{seed + 71u};
  for (int i = 0; i < count; ++i) {
    const float x = randomRange(&random, x0, x1);
    const float y = skylineAt(line, x) + 2.0f;
    const float h = height * randomRange(&random, 0.5f, 1.0f);
    const float lean = randomRange(&random, -0.45f, 0.45f) * h;
    const Point tip{x + lean, y - h};
    const Colour c = mixColour(dark, light, randomUnit(&random));
    const float w = randomRange(&random, 1.0f, 1.8f);
    fillShapeColour(canvas, boxAround(Point{x + lean * 0.5f, y - h * 0.5f}, std::fabs(lean) * 0.5f + 3.0f, h * 0.5f + 2.0f),
                    [&](Point p) {
                      const float t = clamp01((y - p.y) / h);
                      const float bend = lean * t * t;
                      return std::fabs(p.x - (x + bend)) - w * (1.0f - t) - 0.1f +
                             std::max(0.0f, p.y - y) + std::max(0.0f, tip.y - p.y);
                    },
                    c);
  }
}

void paintFlowers(Canvas* canvas, const Skyline& upper, const Skyline& lower, float x0, float x1,
                  const Colour* colours, int colourCount, int count, float size, uint32_t seed) {
  RandomStream random{seed + 97u};
  for (int i = 0; i < count; ++i) {
    const float x = randomRange(&random, x0, x1);
    const float top = skylineAt(upper, x);
    const float bottom = skylineAt(lower, x);
    if (bottom <= top + 2.0f) continue;
    const float depth = randomUnit(&random);
    const float y = top + (bottom - top) * depth;
    const float r = size * (0.55f + 0.6f * depth) * randomRange(&random, 0.8f, 1.2f);
    const Colour c = colours[static_cast<int>(randomUnit(&random) * colourCount) % colourCount];
    const Point centre{x, y};
    fillShape(canvas, boxAround(centre, r * 1.3f, r * 1.3f),
              [&](Point p) { return sdCircle(p, centre, r); },
              [&](Point p, float) {
                const float t = radialParam(p, Point{x - r * 0.3f, y - r * 0.3f}, r * 1.6f);
                return mixColour(lighten(c, 0.35f), c, t);
              });
    fillShapeColour(canvas, boxAround(centre, r * 0.5f, r * 0.5f),
                    [&](Point p) { return sdCircle(p, centre, r * 0.32f); }, rgb(255, 236, 140));
  }
}

void paintFern(Canvas* canvas, Point root, float size, float direction, const FoliageLook& look,
               uint32_t seed) {
  RandomStream random{seed + 3u};
  constexpr int kFronds = 7;
  for (int f = 0; f < kFronds; ++f) {
    // Fronds fan from nearly upright to nearly flat, towards `direction`.
    const float spread = (f + 0.5f) / kFronds;
    const float angle = (-90.0f + direction * (15.0f + 70.0f * spread) + randomRange(&random, -6.0f, 6.0f)) * kPi / 180.0f;
    const float frond = size * (0.65f + 0.35f * std::sin(kPi * spread)) * randomRange(&random, 0.85f, 1.05f);
    const float curl = direction * randomRange(&random, 0.5f, 0.9f);
    const float light = clamp01(0.8f - spread * 0.6f + randomRange(&random, -0.1f, 0.1f));
    constexpr int kSteps = 14;
    Point previous = root;
    for (int s = 1; s <= kSteps; ++s) {
      const float t = static_cast<float>(s) / kSteps;
      const float a = angle + curl * t * t;
      const Point point{root.x + std::cos(a) * frond * t + direction * frond * 0.2f * t * t,
                        root.y + std::sin(a) * frond * t + frond * 0.25f * t * t * t};
      const float leaflet = size * 0.13f * (1.0f - 0.85f * t);
      const Point d = point - previous;
      const float dl = std::max(0.001f, length(d));
      const Point normal{-d.y / dl, d.x / dl};
      for (int side = -1; side <= 1; side += 2) {
        const Point tip = point + normal * (leaflet * side) + d * 0.6f;
        const Colour c = side < 0 ? mixColour(look.leaf, look.light, light) : mixColour(look.dark, look.leaf, light);
        fillShapeColour(canvas, boxAround(point, leaflet + 3.0f, leaflet + 3.0f),
                        [&](Point p) { return sdCapsule(p, point, tip, std::max(0.8f, leaflet * 0.35f)); }, c);
      }
      const Colour stem = mixColour(look.dark, look.leaf, 0.4f);
      fillShapeColour(canvas, boxAround(point, dl + 2.0f, dl + 2.0f),
                      [&](Point p) { return sdCapsule(p, previous, point, std::max(0.7f, size * 0.012f)); }, stem);
      previous = point;
    }
  }
}

void paintReeds(Canvas* canvas, Point base, float height, Colour stem, Colour head, int count,
                uint32_t seed) {
  RandomStream random{seed + 11u};
  for (int i = 0; i < count; ++i) {
    const float x = base.x + randomRange(&random, -height * 0.18f, height * 0.18f);
    const float h = height * randomRange(&random, 0.6f, 1.0f);
    const float lean = randomRange(&random, -0.15f, 0.15f) * h;
    const Point foot{x, base.y};
    const Point tip{x + lean, base.y - h};
    const Colour c = lighten(stem, randomRange(&random, -0.12f, 0.12f));
    fillShapeColour(canvas, boxAround(Point{x + lean * 0.5f, base.y - h * 0.5f}, std::fabs(lean) + 3.0f, h * 0.5f + 2.0f),
                    [&](Point p) { return sdCapsule(p, foot, tip, 1.0f); }, c);
    if (randomUnit(&random) < 0.55f) {
      const Point a = foot + (tip - foot) * 0.68f;
      const Point b = foot + (tip - foot) * 0.86f;
      fillShape(canvas, boxAround(Point{(a.x + b.x) * 0.5f, (a.y + b.y) * 0.5f}, 4.0f, h * 0.12f),
                [&](Point p) { return sdCapsule(p, a, b, std::max(1.8f, height * 0.035f)); },
                [&](Point p, float) { return lighten(head, p.x < (a.x + b.x) * 0.5f ? 0.12f : -0.1f); });
    }
  }
}
