// art_scene_kit.cpp: skies, skylines, land, mountains, dunes, clouds, moon and
// water holes of the landscape painter (plants, stone and cliffs live in
// art_scene_plants.cpp and art_scene_stone.cpp).
#include "art_scene_kit.h"

namespace {

// Mean of the skyline's slope over a few columns (rows per column), so the
// modelling of a hill follows its shape, not the noise on its edge.
float smoothSlope(const Skyline& line, int x) {
  const int n = static_cast<int>(line.top.size());
  const int a = std::max(0, x - 3);
  const int b = std::min(n - 1, x + 3);
  if (b <= a) return 0.0f;
  return (line.top[static_cast<size_t>(b)] - line.top[static_cast<size_t>(a)]) / (b - a);
}

// Coverage of a pixel whose centre lies `below` rows under an edge of the given slope.
float edgeCoverage(float below, float slope) {
  return clamp01(0.5f + below / std::sqrt(1.0f + slope * slope));
}

// A tip's profile: 0 at the tip, 1 at the foot, for u = distance / half width.
float peakShape(float u, float roundness, float flat) {
  const float v = std::max(0.0f, std::min(1.0f, u) - flat) / (1.0f - flat);
  const float r = roundness + 0.001f;
  return (std::sqrt(v * v + r * r) - r) / (std::sqrt(1.0f + r * r) - r);
}

float peakProfile(const Peak& peak, float base, float x) {
  return peak.top + (base - peak.top) * peakShape(std::fabs(x - peak.x) / peak.halfWidth,
                                                  peak.roundness, peak.flat);
}

// The peak whose flank is highest at column x.
int dominantPeak(const Peak* peaks, int count, float base, float x) {
  int best = 0;
  float bestTop = 1e9f;
  for (int i = 0; i < count; ++i) {
    const float y = peakProfile(peaks[i], base, x);
    if (y < bestTop) {
      bestTop = y;
      best = i;
    }
  }
  return best;
}

}  // namespace

// ---------------------------------------------------------------------------
// Skies

const SkyPalette& skyPalette(SkyKind kind) {
  static const SkyPalette kPalettes[4] = {
      {rgb(58, 132, 222), rgb(112, 180, 238), rgb(204, 233, 250), rgb(255, 255, 255),
       rgb(196, 214, 238)},
      {rgb(66, 60, 138), rgb(200, 122, 166), rgb(255, 200, 142), rgb(255, 222, 196),
       rgb(176, 124, 170)},
      {rgb(12, 20, 60), rgb(30, 46, 108), rgb(72, 96, 162), rgb(132, 150, 206),
       rgb(52, 62, 116)},
      {rgb(88, 156, 218), rgb(170, 200, 222), rgb(252, 224, 172), rgb(255, 250, 238),
       rgb(230, 200, 172)}};
  return kPalettes[static_cast<int>(kind)];
}

float stretchedTiledNoise(float x, float y, int periodX, int periodY, uint32_t seed) {
  auto wrap = [](int v, int period) { return ((v % period) + period) % period; };
  const float fx = std::floor(x), fy = std::floor(y);
  const int x0 = wrap(static_cast<int>(fx), periodX), x1 = wrap(static_cast<int>(fx) + 1, periodX);
  const int y0 = wrap(static_cast<int>(fy), periodY), y1 = wrap(static_cast<int>(fy) + 1, periodY);
  const float tx = x - fx, ty = y - fy;
  const float sx = tx * tx * tx * (tx * (tx * 6.0f - 15.0f) + 10.0f);
  const float sy = ty * ty * ty * (ty * (ty * 6.0f - 15.0f) + 10.0f);
  const float top = lerp(hashUnit(x0, y0, seed), hashUnit(x1, y0, seed), sx);
  const float bottom = lerp(hashUnit(x0, y1, seed), hashUnit(x1, y1, seed), sx);
  return lerp(top, bottom, sy);
}

// ---------------------------------------------------------------------------
// Skylines

float skylineAt(const Skyline& line, float x) {
  const int n = static_cast<int>(line.top.size());
  const float fx = std::max(0.0f, std::min(static_cast<float>(n - 1), x));
  const int i = std::min(n - 2, static_cast<int>(fx));
  return lerp(line.top[static_cast<size_t>(i)], line.top[static_cast<size_t>(i + 1)], fx - i);
}

Skyline rollingSkyline(int width, float base, float amplitude, float wavelength, uint32_t seed) {
  Skyline line;
  line.top.resize(static_cast<size_t>(width));
  const float phase1 = hashUnit(1, 2, seed) * 2.0f * kPi;
  const float phase2 = hashUnit(3, 4, seed) * 2.0f * kPi;
  const float w = 2.0f * kPi / wavelength;
  for (int x = 0; x < width; ++x) {
    const float wave = 0.6f * std::sin(x * w + phase1) + 0.3f * std::sin(x * w * 1.73f + phase2) +
                       0.8f * (fractalNoise(x / (wavelength * 0.3f), 0.5f, 3, seed) - 0.5f);
    line.top[static_cast<size_t>(x)] = base - amplitude * (0.5f + 0.5f * wave);
  }
  return line;
}

Skyline slopingSkyline(int width, float left, float right, float wobble, uint32_t seed) {
  Skyline line;
  line.top.resize(static_cast<size_t>(width));
  for (int x = 0; x < width; ++x) {
    const float t = smoothstep(0.0f, 1.0f, static_cast<float>(x) / (width - 1));
    line.top[static_cast<size_t>(x)] =
        lerp(left, right, t) + wobble * (fractalNoise(x / 70.0f, 0.5f, 3, seed) - 0.5f) * 2.0f;
  }
  return line;
}

Skyline lowerOf(const Skyline& a, const Skyline& b) {
  Skyline line = a;
  for (size_t i = 0; i < line.top.size() && i < b.top.size(); ++i) {
    line.top[i] = std::max(a.top[i], b.top[i]);
  }
  return line;
}

Skyline mountainSkyline(int width, float base, const Peak* peaks, int count, float jag,
                        uint32_t seed) {
  Skyline line;
  line.top.resize(static_cast<size_t>(width));
  for (int x = 0; x < width; ++x) {
    float y = base;
    float nearTip = 1.0f;
    for (int i = 0; i < count; ++i) {
      const float profile = peakProfile(peaks[i], base, x + 0.5f);
      if (profile < y) {
        y = profile;
        nearTip = std::fabs(x + 0.5f - peaks[i].x) / peaks[i].halfWidth;
      }
    }
    const float rough = fractalNoise(x / 16.0f, 1.5f, 3, seed) - 0.5f;
    line.top[static_cast<size_t>(x)] = y + jag * 2.0f * rough * smoothstep(0.0f, 0.2f, nearTip);
  }
  return line;
}

// ---------------------------------------------------------------------------
// Land

void paintLand(Canvas* canvas, const Skyline& line, const LandLook& look, int yEnd) {
  const int width = std::min(canvas->width, static_cast<int>(line.top.size()));
  yEnd = std::min(yEnd, canvas->height);
  for (int x = 0; x < width; ++x) {
    const float top = line.top[static_cast<size_t>(x)];
    const float slope = smoothSlope(line, x);
    const float facing = std::max(-1.0f, std::min(1.0f, -slope * 1.6f)) * look.slopeLight;
    for (int y = std::max(0, static_cast<int>(std::floor(top)) - 1); y < yEnd; ++y) {
      const float below = y + 0.5f - top;
      const float cover = edgeCoverage(below, slope);
      if (cover <= 0.0f) continue;
      Colour c = mixColour(look.top, look.bottom, smoothstep(0.0f, look.depth, below));
      if (look.rimWidth > 0.0f && below < look.rimWidth) {
        c = mixColour(look.rim, c, smoothstep(0.0f, look.rimWidth, below));
      }
      float shade = facing * 0.22f * std::exp(-below / 45.0f);
      // Broad patches of sunlight drifting over the land.
      shade += 0.05f * (valueNoise(x / 170.0f, y / 70.0f, look.seed + 3u) - 0.5f) * 2.0f;
      if (look.mottle > 0.0f) {
        shade += look.mottle * (fractalNoise(x / look.mottleScale, y / look.mottleScale, 2,
                                             look.seed) - 0.5f) * 2.0f;
      }
      paintPixel(canvas, x, y, lighten(c, shade), cover);
    }
  }
}

void paintMountains(Canvas* canvas, const Skyline& line, const Peak* peaks, int count,
                    const MountainLook& look, uint32_t seed) {
  const int width = std::min(canvas->width, static_cast<int>(line.top.size()));
  const float base = canvas->height;
  for (int x = 0; x < width; ++x) {
    const float top = line.top[static_cast<size_t>(x)];
    const float slope = smoothSlope(line, x);
    const Peak& peak = peaks[dominantPeak(peaks, count, base, x + 0.5f)];
    const float snowLine = peak.top + look.snowDepth * (0.55f + 0.9f * valueNoise(x / 9.0f, 3.5f, seed)) +
                           3.0f * std::fabs(std::sin(x * 0.45f));
    for (int y = std::max(0, static_cast<int>(std::floor(top)) - 1); y < canvas->height; ++y) {
      const float below = y + 0.5f - top;
      const float cover = edgeCoverage(below, slope);
      if (cover <= 0.0f) continue;
      // The ridge between the lit and the shaded face wanders down from the tip.
      const float drop = y + 0.5f - peak.top;
      const float ridge = peak.x + drop * 0.28f +
                          drop * 0.25f * (valueNoise(drop / 22.0f, peak.x * 0.1f, seed) - 0.5f);
      const float lit = 1.0f - smoothstep(ridge - 1.0f, ridge + 1.0f, x + 0.5f);
      Colour rock = mixColour(look.shade, look.lit, lit);
      // Gullies streak the faces.
      const float gully = valueNoise((x + 0.5f - drop * 0.4f) / 7.0f, drop / 40.0f, seed + 7u);
      rock = lighten(rock, (gully - 0.5f) * 0.12f - 0.06f * smoothstep(0.0f, 120.0f, drop));
      if (look.snowDepth > 0.0f) {
        const Colour snow = mixColour(look.snowShade, look.snowLit, lit);
        rock = mixColour(rock, snow, 1.0f - smoothstep(snowLine - 1.0f, snowLine + 1.0f, y + 0.5f));
      }
      rock = mixColour(rock, look.haze, smoothstep(look.hazeFrom, look.hazeTo, y + 0.5f));
      paintPixel(canvas, x, y, rock, cover);
      if (y > look.hazeTo + 2.0f) {
        for (int rest = y + 1; rest < canvas->height; ++rest) paintPixel(canvas, x, rest, look.haze, 1.0f);
        break;
      }
    }
  }
}

void paintDunes(Canvas* canvas, const Skyline& line, const Peak* crests, int count, Colour lit,
                Colour shade, Colour foot, uint32_t seed) {
  const int width = std::min(canvas->width, static_cast<int>(line.top.size()));
  for (int x = 0; x < width; ++x) {
    const float top = line.top[static_cast<size_t>(x)];
    const float slope = smoothSlope(line, x);
    const Peak& crest = crests[dominantPeak(crests, count, canvas->height, x + 0.5f)];
    for (int y = std::max(0, static_cast<int>(std::floor(top)) - 1); y < canvas->height; ++y) {
      const float below = y + 0.5f - top;
      const float cover = edgeCoverage(below, slope);
      if (cover <= 0.0f) continue;
      // The slip face: a curved line sweeping down and to the right of the crest.
      const float drop = y + 0.5f - crest.top;
      const float face = crest.x + drop * 0.9f + drop * drop * 0.004f;
      const float sunny = 1.0f - smoothstep(face - 1.0f, face + 1.5f, x + 0.5f);
      Colour sand = mixColour(shade, lit, sunny);
      // Wind ripples on the sunny side.
      const float ripple = std::sin((y + 0.5f) * 0.7f + (x + 0.5f) * 0.12f +
                                    6.0f * valueNoise(x / 40.0f, y / 20.0f, seed));
      sand = lighten(sand, sunny * ripple * 0.025f);
      sand = mixColour(sand, foot, smoothstep(0.0f, 90.0f, below) * 0.5f);
      paintPixel(canvas, x, y, sand, cover);
    }
  }
}

// ---------------------------------------------------------------------------
// Clouds

void paintCloud(Canvas* canvas, Point base, float width, float height, Colour lit, Colour shade,
                float opacity, uint32_t seed) {
  constexpr int kMaxPuffs = 9;  // a cloud reads as one shape up to about nine lobes
  struct Puff {
    Point centre;
    float radius;
  } puffs[kMaxPuffs];
  const int count = std::max(3, std::min(kMaxPuffs, static_cast<int>(width / height * 2.2f)));
  for (int i = 0; i < count; ++i) {
    const float t = (i + 0.5f) / count;
    const float bulge = std::sin(kPi * t);
    const float r = height * (0.32f + 0.4f * bulge) * (0.85f + 0.3f * hashUnit(i, 1, seed));
    const float cx = base.x - width * 0.5f + width * t + (hashUnit(i, 2, seed) - 0.5f) * width * 0.08f;
    puffs[i] = Puff{Point{cx, base.y - r * 0.75f - height * 0.12f * bulge}, r};
  }
  const float k = height * 0.18f;
  auto distance = [&](Point p) {
    float d = 1e9f;
    for (int i = 0; i < count; ++i) d = sdSmoothUnion(d, sdCircle(p, puffs[i].centre, puffs[i].radius), k);
    return std::max(d, p.y - base.y);
  };
  auto shader = [&](Point p, float) {
    // The lobes' normals blend by how deep p lies in each, so the light flows
    // over the whole cloud; height in the cloud darkens the base.
    Vec3f n{0.0f, 0.0f, 0.0f};
    float total = 0.0f;
    for (int i = 0; i < count; ++i) {
      const float depth = sdCircle(p, puffs[i].centre, puffs[i].radius) / puffs[i].radius;
      const float w = std::exp(-6.0f * depth);
      const Vec3f lobe = sphereNormal(p, puffs[i].centre, puffs[i].radius * 1.2f);
      n = Vec3f{n.x + lobe.x * w, n.y + lobe.y * w, n.z + lobe.z * w};
      total += w;
    }
    n = normalise(Vec3f{n.x / total, n.y / total, n.z / total + 0.15f});
    const float light = lambert(n, kLightDirection);
    const float low = smoothstep(base.y - height * 0.6f, base.y, p.y);
    Colour c = mixColour(shade, lit, clamp01(0.3f + 0.8f * light - 0.5f * low));
    return withAlpha(c, opacity);
  };
  fillShape(canvas, boxAround(Point{base.x, base.y - height * 0.5f}, width * 0.6f, height * 0.8f),
            distance, shader, 1.4f);
}

void paintCloudWrapped(Canvas* canvas, Point base, float width, float height, Colour lit,
                       Colour shade, float opacity, uint32_t seed) {
  for (int shift = -1; shift <= 1; ++shift) {
    const Point at{base.x + shift * static_cast<float>(canvas->width), base.y};
    if (at.x + width < 0.0f || at.x - width > canvas->width) continue;
    paintCloud(canvas, at, width, height, lit, shade, opacity, seed);
  }
}

// ---------------------------------------------------------------------------
// Water holes

void cutWaterfall(Canvas* canvas, Box box, uint32_t seed) {
  const float lipRadius = std::min(10.0f, (box.x1 - box.x0) * 0.2f);
  for (int y = std::max(0, box.y0); y < std::min(canvas->height, box.y1); ++y) {
    const float fy = y + 0.5f;
    const float inset = 3.0f + 4.0f * fractalNoise(fy / 18.0f, 0.5f, 2, seed);
    const float insetRight = 3.0f + 4.0f * fractalNoise(fy / 18.0f, 7.5f, 2, seed);
    const float left = box.x0 + inset;
    const float right = box.x1 - insetRight;
    // The top corners are rounded, the lip a soft curve.
    const float fromTop = fy - box.y0;
    float pinch = 0.0f;
    if (fromTop < lipRadius) pinch = lipRadius - std::sqrt(std::max(0.0f, lipRadius * lipRadius - (lipRadius - fromTop) * (lipRadius - fromTop)));
    for (int x = std::max(0, box.x0); x < std::min(canvas->width, box.x1); ++x) {
      const float fx = x + 0.5f;
      const float inside = std::min(fx - (left + pinch), (right - pinch) - fx);
      const float topInside = fromTop - 1.0f;
      const float cover = clamp01(0.5f + std::min(inside, topInside));
      if (cover > 0.0f) erasePixel(canvas, x, y, cover);
    }
  }
}

Skyline cutPool(Canvas* canvas, Box box, float shore, uint32_t seed) {
  Skyline line;
  line.top.assign(static_cast<size_t>(canvas->width), static_cast<float>(canvas->height));
  const bool openLeft = box.x0 <= 0;
  const bool openRight = box.x1 >= canvas->width;
  // Where the pool ends inside the picture its bank curves down to the bottom.
  constexpr float kBank = 56.0f;
  auto bankAt = [&](float y) {
    const float t = clamp01((y - box.y0) / std::max(1, box.y1 - box.y0));
    return kBank * std::pow(1.0f - t, 0.6f);
  };
  for (int x = std::max(0, box.x0); x < std::min(canvas->width, box.x1); ++x) {
    const float fx = x + 0.5f;
    const float s = box.y0 + shore * (0.55f + 0.9f * fractalNoise(fx / 60.0f, 2.5f, 3, seed));
    line.top[static_cast<size_t>(x)] = s;
    for (int y = std::max(0, box.y0); y < std::min(canvas->height, box.y1); ++y) {
      const float fy = y + 0.5f;
      float inside = fy - s;
      if (!openLeft) inside = std::min(inside, fx - box.x0 - 1.0f - bankAt(fy));
      if (!openRight) inside = std::min(inside, box.x1 - fx - 1.0f - bankAt(fy));
      const float cover = clamp01(0.5f + inside);
      if (cover > 0.0f) erasePixel(canvas, x, y, cover);
    }
  }
  return line;
}

void dressWater(Canvas* canvas, Box box, const Skyline& shore, Colour reflection, uint32_t seed) {
  for (int x = std::max(0, box.x0); x < std::min(canvas->width, box.x1); ++x) {
    const float s = shore.top[static_cast<size_t>(x)];
    const float depth = 10.0f + 6.0f * valueNoise(x / 25.0f, 0.5f, seed);
    for (int y = static_cast<int>(std::floor(s)); y < std::min(static_cast<float>(box.y1), s + depth); ++y) {
      const float t = (y + 0.5f - s) / depth;
      if (t < 0.0f) continue;
      const float streak = 0.75f + 0.25f * std::sin(x * 0.9f + y * 0.3f);
      paintPixel(canvas, x, y, reflection, 0.55f * (1.0f - t) * (1.0f - t) * streak);
    }
  }
}

void paintPath(Canvas* canvas, const Point* points, int count, float farWidth, float nearWidth,
               Colour colour, uint32_t seed) {
  // Width follows the distance along the path, so it widens towards the viewer.
  std::vector<float> along(static_cast<size_t>(count), 0.0f);
  for (int i = 1; i < count; ++i) along[static_cast<size_t>(i)] = along[static_cast<size_t>(i - 1)] + length(points[i] - points[i - 1]);
  const float total = std::max(1.0f, along.back());
  float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
  for (int i = 0; i < count; ++i) {
    x0 = std::min(x0, points[i].x);
    y0 = std::min(y0, points[i].y);
    x1 = std::max(x1, points[i].x);
    y1 = std::max(y1, points[i].y);
  }
  auto nearest = [&](Point p, float* t) {
    float best = 1e9f;
    for (int i = 0; i + 1 < count; ++i) {
      const Point a = points[i], b = points[i + 1];
      const float h = linearParam(p, a, b);
      const float d = length(p - (a + (b - a) * h));
      if (d < best) {
        best = d;
        *t = (along[static_cast<size_t>(i)] + h * length(b - a)) / total;
      }
    }
    return best;
  };
  const Box box{static_cast<int>(x0 - nearWidth), static_cast<int>(y0 - nearWidth),
                static_cast<int>(x1 + nearWidth), static_cast<int>(y1 + nearWidth)};
  fillShape(canvas, box,
            [&](Point p) {
              float t = 0.0f;
              const float d = nearest(p, &t);
              return d - lerp(farWidth, nearWidth, t) * 0.5f;
            },
            [&](Point p, float d) {
              const float grain = valueNoise(p.x / 3.0f, p.y / 3.0f, seed) - 0.5f;
              Colour c = lighten(colour, grain * 0.1f);
              return lighten(c, d > -2.5f ? -0.12f : 0.04f);
            },
            1.2f);
}

// ---------------------------------------------------------------------------
// Sky things

void paintMoon(Canvas* canvas, Point centre, float radius, Colour colour, Colour halo) {
  fillShape(canvas, boxAround(centre, radius * 3.2f, radius * 3.2f),
            [&](Point p) { return sdCircle(p, centre, radius * 3.0f); },
            [&](Point p, float) {
              const float t = radialParam(p, centre, radius * 3.0f);
              return withAlpha(halo, halo.a * (1.0f - t) * (1.0f - t));
            });
  fillShape(canvas, boxAround(centre, radius, radius),
            [&](Point p) { return sdCircle(p, centre, radius); },
            [&](Point p, float) {
              const float light = lambert(sphereNormal(p, centre, radius * 1.3f), kLightDirection);
              const float spots = valueNoise(p.x / (radius * 0.35f), p.y / (radius * 0.35f), 91u);
              Colour c = mixColour(scaleColour(colour, 0.82f), colour, light);
              return lighten(c, (spots - 0.5f) * 0.12f);
            });
}

void paintTwinkle(Canvas* canvas, Point centre, float size, Colour colour) {
  fillShape(canvas, boxAround(centre, size * 2.0f, size * 2.0f),
            [&](Point p) { return sdCircle(p, centre, size * 1.6f); },
            [&](Point p, float) {
              const float t = radialParam(p, centre, size * 1.6f);
              return withAlpha(colour, colour.a * 0.35f * (1.0f - t) * (1.0f - t));
            });
  fillShapeColour(canvas, boxAround(centre, size, size),
                  [&](Point p) { return sdStar(p, centre, size, size * 0.22f, 4, 0.0f); }, colour);
}
