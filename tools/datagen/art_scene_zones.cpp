// art_scene_zones.cpp: the helpers the compositions share (art_scene_zones.h).
#include "art_scene_zones.h"

CliffLook mixLook(const CliffLook& look, Colour haze, float t) {
  return CliffLook{mixColour(look.lit, haze, t), mixColour(look.shade, haze, t), mixColour(look.dark, haze, t),
                   look.strata};
}

LandLook land(Colour top, Colour bottom, float depth, Colour rim, uint32_t seed) {
  return LandLook{top, bottom, depth, rim, 3.0f, 0.8f, 0.03f, 16.0f, seed};
}

Skyline flat(float row) { return Skyline{std::vector<float>(static_cast<size_t>(kWidth), row)}; }

Skyline hillBand(Landscape* scene, float base, float amplitude, float wavelength, Colour top,
                 Colour bottom, Colour rim, uint32_t seed) {
  const Skyline line = rollingSkyline(kWidth, base, amplitude, wavelength, seed);
  paintLand(&scene->canvas, line, land(top, bottom, 110.0f, rim, seed + 1u), kHeight);
  return line;
}

void farRange(Landscape* scene, float height, const MountainLook& look, uint32_t seed) {
  const float sky = scene->skyBottom;
  const float h = sky * height;
  const Peak peaks[5] = {{60.0f, sky - h * 0.75f, 170.0f, 0.12f, 0.0f},
                         {250.0f, sky - h * 0.55f, 150.0f, 0.1f, 0.0f},
                         {450.0f, sky - h * 0.9f, 200.0f, 0.14f, 0.0f},
                         {640.0f, sky - h * 0.65f, 160.0f, 0.1f, 0.0f},
                         {790.0f, sky - h * 1.0f, 170.0f, 0.12f, 0.0f}};
  const Skyline line = keepUnderSky(*scene, mountainSkyline(kWidth, sky + 30.0f, peaks, 5, 5.0f, seed));
  paintMountains(&scene->canvas, line, peaks, 5, look, seed);
}

void paintMistBand(Canvas* canvas, float y, Colour colour, float opacity, uint32_t seed) {
  for (int row = std::max(0, static_cast<int>(y - 40.0f)); row < std::min(canvas->height, static_cast<int>(y + 40.0f)); ++row) {
    for (int x = 0; x < canvas->width; ++x) {
      const float wisp = valueNoise(x / 90.0f, row / 14.0f, seed);
      const float t = (row + 0.5f - y) / 40.0f;
      const float a = opacity * (1.0f - t * t) * (0.4f + 0.6f * wisp);
      if (canvas->pixels[static_cast<size_t>(row) * canvas->width + x].a > 0.0f) paintPixel(canvas, x, row, colour, a);
    }
  }
}

void paintSandRipples(Canvas* canvas, const Skyline& line, Colour colour, float amount, uint32_t seed) {
  for (int x = 0; x < canvas->width; ++x) {
    const float top = skylineAt(line, x);
    for (int y = std::max(0, static_cast<int>(top) + 4); y < std::min(canvas->height, static_cast<int>(top) + 90); ++y) {
      const float wave = std::sin((y - top) * 0.55f + 5.0f * valueNoise(x / 60.0f, y / 30.0f, seed));
      const float a = amount * smoothstep(0.75f, 1.0f, wave) * (1.0f - (y - top) / 90.0f);
      paintPixel(canvas, x, y, colour, a);
    }
  }
}

void paintHeatherPatches(Canvas* canvas, const Skyline& line, Colour colour, int count, float size,
                         uint32_t seed) {
  // Each patch is a few low mounds of heather in bloom lying on the land.
  const FoliageLook heather{colour, lighten(colour, 0.3f), scaleColour(colour, 0.62f), rgb(110, 86, 66)};
  RandomStream random{seed + 3u};
  for (int i = 0; i < count; ++i) {
    const float x = randomRange(&random, 0.0f, static_cast<float>(canvas->width));
    const float y = skylineAt(line, x) + randomRange(&random, size * 1.2f, size * 4.0f);
    const int mounds = 2 + static_cast<int>(randomUnit(&random) * 3.0f);
    for (int k = 0; k < mounds; ++k) {
      const Point at{x + randomRange(&random, -2.0f, 2.0f) * size, y + randomRange(&random, -0.3f, 0.3f) * size};
      paintBush(canvas, at, size * randomRange(&random, 1.6f, 2.6f), heather, seed + static_cast<uint32_t>(i * 7 + k));
    }
  }
}

void paintWindGrass(Canvas* canvas, const Skyline& line, float x0, float x1, float height,
                    Colour light, Colour dark, int count, uint32_t seed) {
  RandomStream random{seed + 71u};
  for (int i = 0; i < count; ++i) {
    const float x = randomRange(&random, x0, x1);
    const float y = skylineAt(line, x) + randomRange(&random, 1.0f, 6.0f);
    const float h = height * randomRange(&random, 0.6f, 1.0f);
    const Point foot{x, y};
    const Point mid{x + h * 0.25f, y - h * 0.6f};
    const Point tip{x + h * 0.75f, y - h * 0.8f};
    const Colour c = mixColour(dark, light, randomUnit(&random));
    fillShapeColour(canvas, boxAround(mid, h, h), [&](Point p) {
      return std::min(sdCapsule(p, foot, mid, 1.1f), sdCapsule(p, mid, tip, 0.7f));
    }, c);
  }
}

void paintBentTree(Canvas* canvas, Point base, float height, const FoliageLook& look, uint32_t seed) {
  paintGroundShadow(canvas, Point{base.x + height * 0.2f, base.y}, height * 0.4f, 0.3f);
  const Point bend{base.x + height * 0.12f, base.y - height * 0.45f};
  const Point top{base.x + height * 0.35f, base.y - height * 0.7f};
  fillShape(canvas, boxAround(bend, height * 0.4f, height * 0.5f),
            [&](Point p) { return std::min(sdCapsule(p, base, bend, height * 0.045f), sdCapsule(p, bend, top, height * 0.03f)); },
            [&](Point p, float) { return lighten(look.trunk, p.x < bend.x ? 0.12f : -0.1f); });
  // The crown streams away from the wind: clumps trailing to the right.
  for (int i = 0; i < 4; ++i) {
    const float t = i / 3.0f;
    const Point c{top.x - height * 0.1f + t * height * 0.4f, top.y - height * 0.05f + t * height * 0.08f};
    const float r = height * (0.2f - 0.05f * t);
    FoliageLook clump = look;
    clump.leaf = lighten(look.leaf, -0.05f * t);
    paintBush(canvas, Point{c.x, c.y + r * 0.5f}, r * 2.0f, clump, seed + static_cast<uint32_t>(i));
  }
}

void paintGorgeWall(Canvas* canvas, float edge, float dir, float top, const CliffLook& look, uint32_t seed) {
  auto wallEdge = [&](float y) {
    return edge + dir * (y * 0.2f - 40.0f + 18.0f * fractalNoise(y / 46.0f, 0.5f, 3, seed));
  };
  fillShape(canvas, wholeCanvas(*canvas), [&](Point p) {
              const float crest = top + 10.0f * (valueNoise(p.x / 30.0f, 0.5f, seed + 5u) - 0.5f);
              return std::max(dir * (wallEdge(p.y) - p.x), crest - p.y);
            },
            [&](Point p, float d) {
              // Columns of stone, each lit on its left edge.
              const float column = (p.x + 8.0f * valueNoise(p.y / 60.0f, 0.5f, seed)) / 20.0f;
              const float within = column - std::floor(column);
              const float tone = hashUnit(static_cast<int>(std::floor(column)), 0, seed);
              Colour c = mixColour(look.shade, look.lit, clamp01(0.8f - within * 0.6f + (tone - 0.5f) * 0.3f));
              if (within > 0.9f) c = mixColour(c, look.dark, 0.5f);
              c = lighten(c, 0.06f * (valueNoise(p.x / 5.0f, p.y / 24.0f, seed + 2u) - 0.5f));
              // The wall's face towards the gorge catches the light.
              if (d > -5.0f) c = lighten(c, dir < 0.0f ? 0.2f : -0.1f);
              return c;
            });
}

void paintBolt(Canvas* canvas, Point from, Point to, uint32_t seed) {
  constexpr int kCorners = 6;
  Point points[kCorners];
  for (int i = 0; i < kCorners; ++i) {
    const float t = static_cast<float>(i) / (kCorners - 1);
    const float kink = (i % 2 ? 1.0f : -1.0f) * 8.0f * (i > 0 && i < kCorners - 1 ? 1.0f : 0.0f);
    points[i] = Point{lerp(from.x, to.x, t) + kink + (hashUnit(i, 1, seed) - 0.5f) * 4.0f, lerp(from.y, to.y, t)};
  }
  for (int i = 0; i + 1 < kCorners; ++i) {
    const Point a = points[i], b = points[i + 1];
    const float w = 2.6f * (1.0f - 0.12f * i);
    paintGlow(canvas, (a + b) * 0.5f, 16.0f, rgb(255, 240, 160), 0.25f);
    fillShapeColour(canvas, boxAround((a + b) * 0.5f, 12.0f, 16.0f), [&](Point p) { return sdCapsule(p, a, b, w); },
                    rgb(255, 246, 190));
  }
}
