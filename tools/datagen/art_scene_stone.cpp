// art_scene_stone.cpp: boulders with facets, crystal prisms and blocky cliff rock
// of the landscape painter.
#include "art_scene_kit.h"

namespace {

constexpr int kRockCorners = 10;  // enough corners for a lumpy boulder outline
constexpr int kRockFacets = 6;    // facets read as carved stone without noise

struct Facet {
  Point seed;
  float light;
};

// The two nearest jittered cell points of a stretched grid (cells sx x sy).
struct CellHit {
  float first, second;  // distances in cell units
  int cx, cy;           // the nearest cell
  Point centre;         // its point in pixels
};

CellHit nearestCells(Point p, float sx, float sy, uint32_t seed) {
  const float gx = p.x / sx, gy = p.y / sy;
  const int ix = static_cast<int>(std::floor(gx)), iy = static_cast<int>(std::floor(gy));
  CellHit hit{1e9f, 1e9f, 0, 0, Point{0.0f, 0.0f}};
  for (int j = -1; j <= 1; ++j) {
    for (int i = -1; i <= 1; ++i) {
      const int cx = ix + i, cy = iy + j;
      const float px = cx + 0.15f + 0.7f * hashUnit(cx, cy, seed);
      const float py = cy + 0.15f + 0.7f * hashUnit(cx, cy, seed + 1u);
      const float d = std::sqrt((gx - px) * (gx - px) + (gy - py) * (gy - py));
      if (d < hit.first) {
        hit.second = hit.first;
        hit.first = d;
        hit.cx = cx;
        hit.cy = cy;
        hit.centre = Point{px * sx, py * sy};
      } else if (d < hit.second) {
        hit.second = d;
      }
    }
  }
  return hit;
}

}  // namespace

void paintRock(Canvas* canvas, Point base, float width, float height, Colour lit, Colour shade,
               uint32_t seed) {
  const Point centre{base.x, base.y - height * 0.5f};
  Point corners[kRockCorners];
  for (int i = 0; i < kRockCorners; ++i) {
    const float a = i * 2.0f * kPi / kRockCorners + hashUnit(i, 1, seed) * 0.35f;
    const float r = 0.86f + 0.2f * hashUnit(i, 2, seed);
    corners[i] = Point{centre.x + std::cos(a) * width * 0.5f * r,
                       std::min(base.y, centre.y + std::sin(a) * height * 0.62f * r)};
  }
  Facet facets[kRockFacets];
  for (int i = 0; i < kRockFacets; ++i) {
    const float fx = (hashUnit(i, 5, seed) - 0.5f) * 0.9f;
    const float fy = (hashUnit(i, 6, seed) - 0.55f) * 0.9f;
    const Vec3f n = normalise(Vec3f{fx * 1.2f, fy * 1.2f - 0.15f, 0.75f});
    facets[i] = Facet{Point{centre.x + fx * width * 0.5f, centre.y + fy * height * 0.5f},
                      lambert(n, kLightDirection)};
  }
  paintGroundShadow(canvas, Point{base.x + width * 0.12f, base.y}, width * 0.62f, 0.4f);
  fillShape(canvas, boxAround(centre, width * 0.62f, height * 0.7f),
            [&](Point p) { return sdPolygon(p, corners, kRockCorners) - 2.0f; },
            [&](Point p, float d) {
              float best = 1e9f, second = 1e9f;
              float light = 0.5f;
              for (const Facet& f : facets) {
                const float dist = length(p - f.seed);
                if (dist < best) {
                  second = best;
                  best = dist;
                  light = f.light;
                } else if (dist < second) {
                  second = dist;
                }
              }
              const Vec3f round = sphereNormal(p, centre, std::max(width, height) * 0.62f);
              const float broad = lambert(round, kLightDirection);
              Colour c = mixColour(shade, lit, clamp01(0.15f + 0.55f * light + 0.45f * broad - 0.2f));
              // Facet seams are faintly lighter; the rim under the light glints.
              if (second - best < 1.2f) c = lighten(c, 0.06f);
              if (d > -2.5f && p.y < centre.y && p.x < centre.x + width * 0.1f) c = lighten(c, 0.12f);
              const float grain = valueNoise(p.x / 3.0f, p.y / 3.0f, seed) - 0.5f;
              return lighten(c, grain * 0.08f - 0.22f * smoothstep(base.y - height * 0.25f, base.y, p.y));
            });
}

void paintCrystal(Canvas* canvas, Point base, float length, float width, float degrees,
                  Colour colour, uint32_t seed) {
  const float a = degrees * kPi / 180.0f;
  const Point axis{std::sin(a), -std::cos(a)};
  const Point across{-axis.y, axis.x};
  const float shoulder = length * 0.74f;
  auto local = [&](Point p) {
    const Point d = p - base;
    return Point{dot(d, across), dot(d, axis)};  // x across, y along
  };
  const Point outline[5] = {Point{-width, 0.0f}, Point{-width, shoulder}, Point{0.0f, length},
                            Point{width, shoulder}, Point{width, 0.0f}};
  const Point tipCentre = base + axis * (length * 0.5f);
  const float glint = hashUnit(1, 1, seed);
  fillShape(canvas, boxAround(tipCentre, length * 0.55f + width, length * 0.55f + width),
            [&](Point p) { return sdPolygon(local(p), outline, 5); },
            [&](Point p, float d) {
              const Point q = local(p);
              // Three faces: lit left, bright middle, shaded right.
              const float face = q.x / width;
              Colour c = face < -0.34f ? lighten(colour, 0.32f)
                         : face < 0.34f ? lighten(colour, 0.08f)
                                        : lighten(colour, -0.28f);
              c = lighten(c, 0.25f * smoothstep(shoulder * 0.3f, length, q.y));
              if (std::fabs(std::fabs(face) - 0.34f) < 0.07f) c = lighten(c, 0.4f);
              if (d > -1.2f) c = lighten(c, -0.25f);
              const float streak = std::sin(q.y * 0.25f + face * 3.0f + glint * 6.0f);
              c = lighten(c, 0.05f * streak);
              return withAlpha(c, 0.94f);
            });
}

Colour cliffColour(Point p, const CliffLook& look, uint32_t seed) {
  const float sx = look.strata * 1.9f, sy = look.strata;
  const CellHit hit = nearestCells(p, sx, sy, seed);
  // Each block is a slightly domed stone lit from the upper left.
  const float dx = (p.x - hit.centre.x) / sx, dy = (p.y - hit.centre.y) / sy;
  const float tone = hashUnit(hit.cx, hit.cy, seed + 9u);
  float light = 0.55f + 0.25f * (tone - 0.5f) - 0.55f * (dx * 0.6f + dy * 0.8f);
  light += 0.08f * (valueNoise(p.x / 4.0f, p.y / 4.0f, seed + 3u) - 0.5f);
  Colour c = light > 0.5f ? mixColour(look.shade, look.lit, clamp01((light - 0.5f) * 2.0f))
                          : mixColour(look.dark, look.shade, clamp01(light * 2.0f));
  const float seam = hit.second - hit.first;
  if (seam < 0.09f) c = mixColour(look.dark, c, seam / 0.09f);
  return c;
}
