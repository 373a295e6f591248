// art_particles.cpp: the particle sheet "particles.tga", 8 x 8 cells of 64 x 64.
// Lights (glows, sparks, stars, rings, flares) are white on black with alpha equal
// to their brightness, so they work whether the game adds them by colour or
// blends them by alpha; every light falls to nothing before the cell's edge.
// Matter (shards, tile fragments, smoke, puffs) is light grey shaded from the
// upper left with alpha as its coverage, to be tinted by the effect's colour.
// The game and the effect files use cells 3, 10, 12, 17, 18, 19, 26, 33, 34, 53,
// 61 and 62; the other cells hold variations for new effects.
#include <cmath>

#include "art.h"

namespace {

enum class Shape : uint8_t {
  Glow,      // a: falloff sharpness
  Spark,     // a: rays, b: ray width, c: core size
  Ring,      // a: radius, b: thickness
  Star,      // a: points, b: inner ratio
  Dot,       // a: radius
  Flare,     // a: petals, b: petal depth
  Glint,     // a: ray width, b: diagonal rays strength
  Puff,      // a: seed
  Smoke,     // a: seed
  Shard,     // a: seed
  Fragment,  // a: size
  Bubble,
  Streak,    // a: length
  Heart,
  Snowflake,
  Leaf
};

struct SheetCell {
  const char* name;
  Shape shape;
  float a, b, c;
};

// Cell k of the sheet is kCells[k]: column k mod 8, row k div 8.
const SheetCell kCells[64] = {
    // Row 0: glows and sparks.
    {"glow soft", Shape::Glow, 2.0f, 0, 0},   {"glow", Shape::Glow, 4.0f, 0, 0},
    {"glow small", Shape::Glow, 9.0f, 0, 0},  {"spark", Shape::Spark, 4, 0.07f, 0.22f},
    {"spark 6", Shape::Spark, 6, 0.06f, 0.2f}, {"spark 8", Shape::Spark, 8, 0.05f, 0.2f},
    {"cross", Shape::Spark, 4, 0.03f, 0.1f},  {"burst", Shape::Spark, 12, 0.04f, 0.25f},
    // Row 1.
    {"spark wide", Shape::Spark, 4, 0.14f, 0.3f}, {"streak", Shape::Streak, 0.9f, 0, 0},
    {"soft spark", Shape::Spark, 4, 0.16f, 0.4f}, {"disc", Shape::Dot, 0.55f, 0, 0},
    {"glow", Shape::Glow, 3.0f, 0, 0},         {"halo", Shape::Ring, 0.55f, 0.3f, 0},
    {"halo wide", Shape::Ring, 0.6f, 0.45f, 0}, {"ring double", Shape::Ring, 0.45f, 0.08f, 1},
    // Row 2: dots and matter.
    {"dot large", Shape::Dot, 0.6f, 0, 0},     {"dot", Shape::Dot, 0.32f, 0, 0},
    {"shard", Shape::Shard, 1, 0, 0},          {"tile fragment", Shape::Fragment, 0.5f, 0, 0},
    {"shard small", Shape::Shard, 2, 0, 0},    {"shard long", Shape::Shard, 3, 0, 0},
    {"leaf", Shape::Leaf, 0, 0, 0},            {"fragment small", Shape::Fragment, 0.32f, 0, 0},
    // Row 3: smoke and drops.
    {"smoke", Shape::Smoke, 5, 0, 0},          {"smoke thin", Shape::Smoke, 6, 0, 0},
    {"smoke", Shape::Smoke, 7, 0, 0},          {"cloud", Shape::Puff, 8, 0, 0},
    {"bubble", Shape::Bubble, 0, 0, 0},        {"heart", Shape::Heart, 0, 0, 0},
    {"snowflake", Shape::Snowflake, 0, 0, 0},  {"glow tiny", Shape::Glow, 14.0f, 0, 0},
    // Row 4: flares and stars.
    {"flare 4", Shape::Flare, 4, 0.5f, 0},     {"flare", Shape::Flare, 6, 0.45f, 0},
    {"puff", Shape::Puff, 9, 0, 0},            {"flare 8", Shape::Flare, 8, 0.35f, 0},
    {"star 4", Shape::Star, 4, 0.38f, 0},      {"star 6", Shape::Star, 6, 0.5f, 0},
    {"star 8", Shape::Star, 8, 0.55f, 0},      {"glint soft", Shape::Glint, 0.12f, 0.3f, 0},
    // Row 5: rings.
    {"ring thick", Shape::Ring, 0.62f, 0.16f, 0}, {"ring", Shape::Ring, 0.7f, 0.1f, 0},
    {"ring small", Shape::Ring, 0.4f, 0.1f, 0},   {"ring wide", Shape::Ring, 0.8f, 0.12f, 0},
    {"ring soft", Shape::Ring, 0.65f, 0.22f, 0},  {"ring fine", Shape::Ring, 0.75f, 0.05f, 0},
    {"ring double", Shape::Ring, 0.55f, 0.06f, 1}, {"ring halo", Shape::Ring, 0.7f, 0.35f, 0},
    // Row 6.
    {"star 5 soft", Shape::Star, 5, 0.5f, 1},  {"glint 6", Shape::Spark, 6, 0.03f, 0.12f},
    {"flare 5", Shape::Flare, 5, 0.5f, 0},     {"spark 5", Shape::Spark, 5, 0.06f, 0.2f},
    {"disc soft", Shape::Dot, 0.45f, 1, 0},    {"ring", Shape::Ring, 0.74f, 0.08f, 0},
    {"glow wide", Shape::Glow, 1.5f, 0, 0},    {"streak short", Shape::Streak, 0.5f, 0, 0},
    // Row 7.
    {"star 4 thin", Shape::Star, 4, 0.25f, 0}, {"glint thin", Shape::Glint, 0.05f, 0.0f, 0},
    {"star 6 thin", Shape::Star, 6, 0.35f, 0}, {"star 7", Shape::Star, 7, 0.5f, 0},
    {"flare soft", Shape::Flare, 6, 0.25f, 0}, {"star", Shape::Star, 5, 0.46f, 0},
    {"glint", Shape::Glint, 0.07f, 0.25f, 0},  {"spark 4 long", Shape::Spark, 4, 0.045f, 0.15f},
};

// Lights fade to nothing towards the cell edge.
float edgeFade(float r) { return 1.0f - smoothstep(0.78f, 0.98f, r); }

Colour light(float v) {
  const float c = clamp01(v);
  return Colour{c, c, c, c};
}

// Matter shaded from the upper left: a light grey with alpha as coverage.
Colour matter(float shade, float alpha) {
  const float c = clamp01(0.55f + 0.45f * shade);
  return Colour{c, c, c, clamp01(alpha)};
}

float glowLight(float r, float sharpness) { return std::exp(-r * r * sharpness) * edgeFade(r); }

float sparkLight(float x, float y, const SheetCell& cell) {
  const float r = std::sqrt(x * x + y * y);
  const float angle = std::atan2(y, x) + kPi * 0.5f;
  const float sector = 2.0f * kPi / cell.a;
  const float offset = std::remainder(angle, sector);
  const float across = std::fabs(r * std::sin(offset));
  const float ray = std::exp(-(across * across) / (cell.b * cell.b)) * std::pow(clamp01(1.0f - r), 1.6f);
  const float core = std::exp(-r * r / (cell.c * cell.c));
  return clamp01(ray + core) * edgeFade(r);
}

float ringLight(float r, const SheetCell& cell) {
  const float d = (r - cell.a) / cell.b;
  float v = std::exp(-d * d * 2.0f);
  if (cell.c > 0.0f) {
    const float d2 = (r - cell.a - 0.22f) / cell.b;
    v = std::max(v, 0.7f * std::exp(-d2 * d2 * 2.0f));
  }
  return v * edgeFade(r);
}

float starLight(float x, float y, const SheetCell& cell) {
  const Point p{x * 32.0f + 32.0f, y * 32.0f + 32.0f};
  const float d = sdStar(p, Point{32.0f, 33.5f}, 26.0f, 26.0f * cell.b, static_cast<int>(cell.a), 0.0f) - 1.0f;
  const float body = coverage(d, cell.c > 0.0f ? 4.0f : 1.2f);
  const float glow = std::exp(-std::max(0.0f, d) / 5.0f) * 0.35f;
  // Brighter towards the middle so the star has a core.
  const float r = std::sqrt(x * x + y * y);
  return clamp01(body * (0.75f + 0.25f * (1.0f - r)) + glow * (1.0f - body)) * edgeFade(r);
}

float flareLight(float x, float y, const SheetCell& cell) {
  // Soft petals around a bright heart, like a small flower of light; b sets how
  // wide the petals are.
  const float r = std::sqrt(x * x + y * y);
  const int petals = static_cast<int>(cell.a);
  float body = 0.0f;
  for (int k = 0; k < petals; ++k) {
    const float a = k * 2.0f * kPi / petals;
    const float along = x * std::cos(a) + y * std::sin(a) - 0.4f;
    const float across = -x * std::sin(a) + y * std::cos(a);
    const float width = 0.1f + 0.22f * cell.b;
    body = std::max(body, std::exp(-(along * along) / (0.3f * 0.3f) - (across * across) / (width * width)));
  }
  return clamp01(0.8f * body + 0.9f * std::exp(-r * r * 22.0f)) * edgeFade(r);
}

float glintLight(float x, float y, const SheetCell& cell) {
  const float r = std::sqrt(x * x + y * y);
  const float axis = std::min(std::fabs(x), std::fabs(y));
  const float diag = std::min(std::fabs(x + y), std::fabs(x - y)) * 0.7071f;
  const float fall = std::pow(clamp01(1.0f - r), 2.0f);
  const float rays = std::exp(-(axis * axis) / (cell.a * cell.a)) * fall +
                     cell.b * std::exp(-(diag * diag) / (cell.a * cell.a * 0.5f)) * fall * fall;
  return clamp01(rays + std::exp(-r * r * 60.0f)) * edgeFade(r);
}

Colour puffMatter(float x, float y, const SheetCell& cell) {
  const float r = std::sqrt(x * x + y * y);
  const uint32_t seed = static_cast<uint32_t>(cell.a);
  const float n = fractalNoise(x * 2.5f + 10.0f, y * 2.5f + 10.0f, 3, seed);
  const float edge = 0.72f + 0.22f * (n - 0.5f) * 2.0f;
  const float density = smoothstep(edge, edge - 0.35f, r);
  const float shade = 0.4f - 0.6f * (x + y) * 0.7f + 0.3f * (n - 0.5f);
  return matter(shade, density * (0.75f + 0.25f * n));
}

Colour smokeMatter(float x, float y, const SheetCell& cell) {
  const float r = std::sqrt(x * x + y * y);
  const uint32_t seed = static_cast<uint32_t>(cell.a);
  const float n = fractalNoise(x * 2.0f + 5.0f, y * 2.0f + 5.0f, 4, seed);
  const float density = std::exp(-r * r * 3.2f) * (0.45f + 0.75f * n) * edgeFade(r);
  return matter(0.2f - 0.4f * y + 0.4f * (n - 0.5f), density * 0.9f);
}

Colour shardMatter(float x, float y, const SheetCell& cell) {
  // Irregular sharp polygons; each facet has its own shade.
  const int kind = static_cast<int>(cell.a);
  const Point p{x, y};
  Point corners[4];
  int count = 3;
  if (kind == 1) {
    corners[0] = {-0.2f, -0.78f}; corners[1] = {0.55f, 0.1f}; corners[2] = {0.05f, 0.7f}; corners[3] = {-0.5f, 0.05f};
    count = 4;
  } else if (kind == 2) {
    corners[0] = {-0.1f, -0.45f}; corners[1] = {0.4f, 0.25f}; corners[2] = {-0.35f, 0.35f};
  } else {
    corners[0] = {-0.1f, -0.85f}; corners[1] = {0.22f, -0.1f}; corners[2] = {0.05f, 0.85f}; corners[3] = {-0.22f, 0.0f};
    count = 4;
  }
  const float d = sdPolygon(p, corners, count) * 32.0f;
  const float facet = (x * 0.8f + y * 0.3f) > 0.0f ? 0.9f : 0.3f;
  const float rim = 1.0f - smoothstep(0.0f, 2.5f, -d);
  return matter(facet - y * 0.4f + rim * 0.3f, coverage(d));
}

Colour fragmentMatter(float x, float y, const SheetCell& cell) {
  const float half = cell.a * 32.0f;
  const Point p{x * 32.0f, y * 32.0f};
  const Point q = rotatePoint(p, Point{0.0f, 0.0f}, 12.0f);
  const float d = sdRoundedBox(q, Point{0.0f, 0.0f}, half, half, half * 0.22f);
  const float bevelWidth = half * 0.3f;
  const float edge = 1.0f - smoothstep(0.0f, bevelWidth, -d);
  const float side = (-q.x - q.y) / (std::fabs(q.x) + std::fabs(q.y) + 0.001f);
  return matter(0.45f + edge * side * 0.7f, coverage(d));
}

float bubbleLight(float x, float y) {
  const float r = std::sqrt(x * x + y * y);
  const float rim = std::exp(-((r - 0.62f) / 0.07f) * ((r - 0.62f) / 0.07f));
  const float fill = (1.0f - smoothstep(0.58f, 0.64f, r)) * 0.15f;
  const float dx = x + 0.25f, dy = y + 0.28f;
  const float spot = std::exp(-(dx * dx + dy * dy) / 0.012f);
  return clamp01(rim * 0.85f + fill + spot) * edgeFade(r);
}

float snowflakeLight(float x, float y) {
  const float r = std::sqrt(x * x + y * y);
  const float angle = std::atan2(y, x);
  const float offset = std::remainder(angle, kPi / 3.0f);
  const float along = r * std::cos(offset), across = std::fabs(r * std::sin(offset));
  float v = (across < 0.05f && along < 0.72f) ? 1.0f : 0.0f;
  // Side branches halfway out.
  const float bx = along - 0.42f;
  if (bx > -0.02f && bx < 0.22f && std::fabs(across - bx * 0.9f) < 0.045f) v = 1.0f;
  return clamp01(v * 0.95f + std::exp(-r * r * 20.0f) * 0.6f) * edgeFade(r);
}

// The cell's colour at (x, y), both -1..1 from its middle.
Colour cellColour(const SheetCell& cell, float x, float y) {
  const float r = std::sqrt(x * x + y * y);
  switch (cell.shape) {
    case Shape::Glow: return light(glowLight(r, cell.a));
    case Shape::Spark: return light(sparkLight(x, y, cell));
    case Shape::Ring: return light(ringLight(r, cell));
    case Shape::Star: return light(starLight(x, y, cell));
    case Shape::Dot: {
      const float soft = cell.b > 0.0f ? 0.35f : 0.12f;
      return light(smoothstep(cell.a, cell.a - soft, r) * (0.8f + 0.2f * (1.0f - r / cell.a)));
    }
    case Shape::Flare: return light(flareLight(x, y, cell));
    case Shape::Glint: return light(glintLight(x, y, cell));
    case Shape::Puff: return puffMatter(x, y, cell);
    case Shape::Smoke: return smokeMatter(x, y, cell);
    case Shape::Shard: return shardMatter(x, y, cell);
    case Shape::Fragment: return fragmentMatter(x, y, cell);
    case Shape::Bubble: return light(bubbleLight(x, y));
    case Shape::Streak: {
      const float along = std::fabs(x) / cell.a;
      return light(std::exp(-y * y * 400.0f) * clamp01(1.0f - along * along) + std::exp(-r * r * 40.0f) * 0.5f);
    }
    case Shape::Heart: {
      const float d = sdHeart(Point{x * 32.0f, y * 32.0f}, Point{0.0f, 1.5f}, 22.0f);
      return light(coverage(d, 1.5f) * (0.7f + 0.3f * (1.0f - r)) + std::exp(-std::max(0.0f, d) / 4.0f) * 0.3f * edgeFade(r));
    }
    case Shape::Snowflake: return light(snowflakeLight(x, y));
    case Shape::Leaf: {
      const Point q = rotatePoint(Point{x * 32.0f, y * 32.0f}, Point{0.0f, 0.0f}, 40.0f);
      const float d = std::max(sdCircle(q, Point{0.0f, 14.0f}, 24.0f), sdCircle(q, Point{0.0f, -14.0f}, 24.0f));
      const float vein = std::fabs(q.y) < 0.8f ? -0.25f : 0.0f;
      return matter(0.3f - y * 0.6f + vein, coverage(d));
    }
  }
  return kClear;
}

// Matter is blended by alpha with its own shading; everything else is light.
bool isMatter(Shape shape) {
  return shape == Shape::Puff || shape == Shape::Smoke || shape == Shape::Shard ||
         shape == Shape::Fragment || shape == Shape::Leaf;
}

}  // namespace

const char* particleCellName(int cell) {
  return cell >= 0 && cell < 64 ? kCells[cell].name : "";
}

Image drawParticleSheetPicture() {
  Image sheet = makeImage(512, 512, Rgba{0, 0, 0, 0});
  for (int cell = 0; cell < 64; ++cell) {
    const int ox = (cell % 8) * 64, oy = (cell / 8) * 64;
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) {
        // Four samples a pixel keep thin rays and sharp shards clean.
        float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
        for (int s = 0; s < 4; ++s) {
          const float sx = x + 0.25f + 0.5f * (s % 2), sy = y + 0.25f + 0.5f * (s / 2);
          const Colour c = cellColour(kCells[cell], (sx - 32.0f) / 32.0f, (sy - 32.0f) / 32.0f);
          r += c.r * c.a;
          g += c.g * c.a;
          b += c.b * c.a;
          a += c.a;
        }
        const float alpha = a * 0.25f;
        auto byte = [](float v) { return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0f)); };
        if (!isMatter(kCells[cell].shape)) {
          // Light: colour and alpha both carry the brightness.
          setPixel(&sheet, ox + x, oy + y, Rgba{byte(alpha), byte(alpha), byte(alpha), byte(alpha)});
          continue;
        }
        const float inv = a > 0.0f ? 1.0f / a : 0.0f;
        setPixel(&sheet, ox + x, oy + y, Rgba{byte(r * inv), byte(g * inv), byte(b * inv), byte(alpha)});
      }
    }
  }
  return sheet;
}
