// art_scene_features.cpp: the set pieces of the landscapes: cottages, rainbows,
// the sun, fireflies and glows, footbridges, floating islands, stone walls and
// paper lanterns.
#include "art_scene_local.h"

void paintGlow(Canvas* canvas, Point centre, float radius, Colour colour, float amount) {
  addShape(canvas, boxAround(centre, radius, radius),
           [&](Point p) { return sdCircle(p, centre, radius); },
           [&](Point p, float) {
             const float t = radialParam(p, centre, radius);
             return withAlpha(colour, amount * (1.0f - t) * (1.0f - t));
           });
}

void paintCottage(Canvas* canvas, Point base, float width, Colour wall, Colour roof, bool lit,
                  uint32_t seed) {
  const float half = width * 0.5f;
  const float wallTop = base.y - width * 0.55f;
  const float apex = wallTop - width * 0.5f;
  paintGroundShadow(canvas, Point{base.x + width * 0.1f, base.y}, width * 0.75f, 0.35f);
  // Chimney behind the roof.
  const Point chimney{base.x + half * 0.45f, apex + width * 0.22f};
  fillShape(canvas, boxAround(chimney, width * 0.08f, width * 0.2f),
            [&](Point p) { return sdRoundedBox(p, chimney, width * 0.065f, width * 0.18f, 1.5f); },
            [&](Point p, float) { return lighten(rgb(170, 90, 70), p.x < chimney.x ? 0.1f : -0.1f); });
  fillShape(canvas, boxAround(Point{base.x, (wallTop + base.y) * 0.5f}, half, (base.y - wallTop) * 0.5f),
            [&](Point p) { return sdRoundedBox(p, Point{base.x, (wallTop + base.y) * 0.5f}, half - 1.0f, (base.y - wallTop) * 0.5f, 1.5f); },
            [&](Point p, float) {
              const float t = linearParam(p, Point{base.x - half, p.y}, Point{base.x + half, p.y});
              const float boards = 0.04f * std::sin(p.y * 1.3f);
              return lighten(wall, 0.08f - 0.2f * t + boards);
            });
  const Point roofCorners[4] = {Point{base.x - half * 1.22f, wallTop + width * 0.06f}, Point{base.x - width * 0.06f, apex},
                                Point{base.x + width * 0.06f, apex}, Point{base.x + half * 1.22f, wallTop + width * 0.06f}};
  fillShape(canvas, boxAround(Point{base.x, (apex + wallTop) * 0.5f}, half * 1.25f, width * 0.32f),
            [&](Point p) { return sdPolygon(p, roofCorners, 4) - 1.5f; },
            [&](Point p, float d) {
              const float rows = std::fmod(p.y - apex + 100.0f, width * 0.09f) < 1.2f ? -0.12f : 0.0f;
              const float side = p.x < base.x ? 0.12f : -0.1f;
              return lighten(roof, side + rows + (d > -2.0f ? -0.15f : 0.0f));
            });
  // Door and windows.
  const Point door{base.x, base.y - width * 0.14f};
  fillShape(canvas, boxAround(door, width * 0.1f, width * 0.15f),
            [&](Point p) { return sdRoundedBox(p, door, width * 0.08f, width * 0.14f, width * 0.05f); },
            [&](Point p, float) { return lighten(rgb(110, 70, 44), p.x < door.x ? 0.05f : -0.08f); });
  const Colour glass = lit ? rgb(255, 214, 120) : rgb(170, 210, 236);
  for (int side = -1; side <= 1; side += 2) {
    const Point window{base.x + side * half * 0.55f, base.y - width * 0.3f};
    const float r = width * 0.085f;
    if (lit) paintGlow(canvas, window, r * 4.0f, rgb(255, 190, 100), 0.35f);
    fillShapeColour(canvas, boxAround(window, r + 2.0f, r + 2.0f),
                    [&](Point p) { return sdRoundedBox(p, window, r + 1.5f, r + 1.5f, 1.0f); }, rgb(120, 80, 56));
    fillShape(canvas, boxAround(window, r, r),
              [&](Point p) { return sdRoundedBox(p, window, r, r, 0.8f); },
              [&](Point p, float) {
                const bool bar = std::fabs(p.x - window.x) < 0.8f || std::fabs(p.y - window.y) < 0.8f;
                return bar ? rgb(120, 80, 56) : lighten(glass, (window.y - p.y) / r * 0.12f);
              });
  }
  (void)seed;
}

void paintRainbow(Canvas* canvas, Point centre, float radius, float width, float opacity) {
  const ColourStop bands[6] = {{0.0f, rgb(150, 110, 230)}, {0.2f, rgb(90, 150, 255)},
                               {0.4f, rgb(110, 220, 140)}, {0.6f, rgb(255, 240, 110)},
                               {0.8f, rgb(255, 170, 90)},  {1.0f, rgb(255, 100, 110)}};
  fillShape(canvas, boxAround(centre, radius, radius),
            [&](Point p) { return sdRing(p, centre, radius - width * 0.5f, width); },
            [&](Point p, float) {
              const float t = clamp01((length(p - centre) - (radius - width)) / width);
              const float edge = std::sin(kPi * t);
              const float fade = smoothstep(centre.y - radius * 0.1f, centre.y - radius * 0.55f, p.y);
              return withAlpha(rampColour(bands, 6, t), opacity * edge * fade);
            }, 2.0f);
}

void paintSun(Canvas* canvas, Point centre, float radius, Colour core, Colour halo) {
  fillShape(canvas, boxAround(centre, radius * 5.0f, radius * 5.0f),
            [&](Point p) { return sdCircle(p, centre, radius * 5.0f); },
            [&](Point p, float) {
              const float t = radialParam(p, centre, radius * 5.0f);
              return withAlpha(halo, halo.a * std::pow(1.0f - t, 2.5f));
            });
  fillShape(canvas, boxAround(centre, radius, radius),
            [&](Point p) { return sdCircle(p, centre, radius); },
            [&](Point p, float) { return mixColour(rgb(255, 255, 240), core, radialParam(p, centre, radius)); },
            1.5f);
}

void paintFireflies(Canvas* canvas, Box box, int count, Colour colour, float size, uint32_t seed,
                    const Box* avoid, int avoidCount) {
  RandomStream random{seed + 1234u};
  for (int i = 0; i < count; ++i) {
    const Point at{randomRange(&random, box.x0, box.x1), randomRange(&random, box.y0, box.y1)};
    const float s = size * randomRange(&random, 0.6f, 1.2f);
    const float reach = s * 4.0f + 2.0f;
    bool clear = true;
    for (int k = 0; k < avoidCount; ++k) {
      const Box& a = avoid[k];
      clear &= at.x + reach < a.x0 || at.x - reach > a.x1 || at.y + reach < a.y0 || at.y - reach > a.y1;
    }
    if (!clear) continue;
    paintGlow(canvas, at, s * 4.0f, colour, 0.45f);
    fillShapeColour(canvas, boxAround(at, s, s), [&](Point p) { return sdCircle(p, at, s * 0.55f); },
                    lighten(colour, 0.6f), 1.3f);
  }
}

void paintSceneFireflies(Landscape* scene, Box box, int count, Colour colour, float size,
                         uint32_t seed) {
  Box avoid[kMaxPlaces * 2];
  int n = 0;
  for (int i = 0; i < scene->fallCount; ++i) avoid[n++] = scene->falls[i];
  for (int i = 0; i < scene->poolCount; ++i) avoid[n++] = scene->pools[i];
  paintFireflies(&scene->canvas, box, count, colour, size, seed, avoid, n);
}

void paintBridge(Canvas* canvas, Point left, Point right, float rise, Colour wood) {
  const float span = right.x - left.x;
  auto deckY = [&](float x) {
    const float t = (x - left.x) / span;
    return lerp(left.y, right.y, t) - rise * 4.0f * t * (1.0f - t);
  };
  const float thick = std::max(4.0f, span * 0.06f);
  const float rail = std::max(8.0f, span * 0.14f);
  const Box area = boxAround(Point{(left.x + right.x) * 0.5f, (left.y + right.y) * 0.5f - rise * 0.6f},
                             span * 0.55f, rise + rail + thick);
  // Posts and the top rail.
  for (int i = 0; i <= 6; ++i) {
    const float x = left.x + span * (0.04f + 0.92f * i / 6.0f);
    const Point foot{x, deckY(x)}, top{x, deckY(x) - rail};
    fillShapeColour(canvas, boxAround(top, 3.0f, rail), [&](Point p) { return sdCapsule(p, foot, top, 1.4f); },
                    lighten(wood, -0.12f));
  }
  fillShape(canvas, area,
            [&](Point p) {
              if (p.x < left.x || p.x > right.x) return 10.0f;
              return std::fabs(p.y - (deckY(p.x) - rail)) - 1.6f;
            },
            [&](Point, float) { return lighten(wood, 0.05f); });
  fillShape(canvas, area,
            [&](Point p) {
              if (p.x < left.x || p.x > right.x) return 10.0f;
              const float y = deckY(p.x);
              return std::max(y - thick * 0.3f - p.y, p.y - (y + thick * 0.7f));
            },
            [&](Point p, float) {
              const float plank = std::fmod(p.x - left.x + 100.0f, 7.0f) < 1.0f ? -0.15f : 0.0f;
              return lighten(wood, plank + (p.y < deckY(p.x) ? 0.12f : -0.1f));
            });
}

void paintFloatingIsland(Canvas* canvas, Point top, float width, const FoliageLook& grass,
                         const CliffLook& rock, uint32_t seed) {
  const float half = width * 0.5f;
  const float depth = width * 0.6f;
  const Point cone[3] = {{top.x - half, top.y + 2.0f}, {top.x + half, top.y + 2.0f},
                         {top.x + width * 0.08f, top.y + depth}};
  auto under = [&](Point p) {
    const float wobble = 3.0f * (valueNoise(p.x / 6.0f, p.y / 6.0f, seed) - 0.5f);
    return sdSmoothUnion(sdPolygon(p, cone, 3), sdEllipse(p, Point{top.x, top.y + 6.0f}, half, width * 0.14f), 8.0f) + wobble;
  };
  fillShape(canvas, boxAround(Point{top.x, top.y + depth * 0.5f}, half + 4.0f, depth * 0.6f + 6.0f), under,
            [&](Point p, float) {
              const Colour c = cliffColour(p, rock, seed);
              return lighten(c, -0.25f * clamp01((p.y - top.y) / depth) + (p.x < top.x ? 0.05f : -0.08f));
            });
  const Point cap{top.x, top.y + 2.0f};
  fillShape(canvas, boxAround(cap, half + 2.0f, width * 0.1f),
            [&](Point p) { return sdEllipse(p, cap, half + 1.0f, width * 0.08f); },
            [&](Point p, float) { return mixColour(grass.light, grass.leaf, clamp01((p.y - cap.y + width * 0.08f) / (width * 0.16f))); });
  paintBush(canvas, Point{top.x - half * 0.45f, top.y + 3.0f}, width * 0.22f, grass, seed + 1u);
  paintRoundTree(canvas, Point{top.x + half * 0.2f, top.y + 2.0f}, width * 0.55f, grass, seed + 2u);
}

void paintStoneWall(Canvas* canvas, const Skyline& line, float x0, float x1, float height,
                    Colour lit, Colour shade, uint32_t seed) {
  RandomStream random{seed + 9u};
  for (int row = 0; row < 2; ++row) {
    float x = x0 + (row ? height * 0.5f : 0.0f);
    while (x < x1) {
      const float w = height * randomRange(&random, 0.8f, 1.3f);
      const float h = height * 0.5f;
      const Point c{x + w * 0.5f, skylineAt(line, x + w * 0.5f) - h * (row + 0.5f) + 1.0f};
      fillShape(canvas, boxAround(c, w * 0.5f, h * 0.5f),
                [&](Point p) { return sdRoundedBox(p, c, w * 0.5f - 0.6f, h * 0.5f - 0.4f, h * 0.3f); },
                [&](Point p, float d) {
                  Colour k = mixColour(shade, lit, clamp01(0.75f - (p.y - c.y) / h - (p.x - c.x) / w * 0.5f));
                  return lighten(k, d > -1.0f ? -0.12f : 0.0f);
                });
      x += w;
    }
  }
}

void paintPaperLantern(Canvas* canvas, Point centre, float size, Colour colour) {
  paintGlow(canvas, centre, size * 3.0f, colour, 0.4f);
  fillShape(canvas, boxAround(centre, size, size),
            [&](Point p) { return sdEllipse(p, centre, size * 0.8f, size); },
            [&](Point p, float) {
              const float rib = std::fabs(std::sin((p.y - centre.y) / size * 4.7f)) < 0.2f ? -0.15f : 0.0f;
              return lighten(colour, 0.35f - 0.5f * radialParam(p, centre, size) + rib);
            });
}

void paintLilyPad(Canvas* canvas, Point centre, float radius, bool flower, uint32_t seed) {
  const float notch = hashUnit(1, 1, seed) * 2.0f * kPi;
  fillShape(canvas, boxAround(centre, radius, radius * 0.5f),
            [&](Point p) {
              const Point d = p - centre;
              const float angle = std::atan2(d.y * 2.6f, d.x);
              const float cut = std::fabs(std::remainder(angle - notch, 2.0f * kPi)) < 0.3f ? 1.0f : 0.0f;
              return sdEllipse(p, centre, radius, radius * 0.38f) + cut * radius;
            },
            [&](Point p, float d) {
              const float t = linearParam(p, Point{centre.x - radius, centre.y - radius * 0.4f}, Point{centre.x + radius, centre.y + radius * 0.4f});
              return lighten(mixColour(rgb(130, 200, 90), rgb(60, 140, 70), t), d > -1.5f ? -0.15f : 0.0f);
            });
  if (!flower) return;
  const Point bloom{centre.x + radius * 0.2f, centre.y - radius * 0.15f};
  for (int i = 0; i < 5; ++i) {
    const float a = -kPi * 0.5f + (i - 2) * 0.5f;
    const Point tip{bloom.x + std::cos(a) * radius * 0.45f, bloom.y + std::sin(a) * radius * 0.4f};
    fillShapeColour(canvas, boxAround(bloom, radius * 0.5f, radius * 0.5f),
                    [&](Point p) { return sdCapsule(p, bloom, tip, radius * 0.12f); }, rgb(255, 190, 214));
  }
  fillShapeColour(canvas, boxAround(bloom, 3.0f, 3.0f), [&](Point p) { return sdCircle(p, bloom, radius * 0.1f + 0.8f); },
                  rgb(255, 230, 120));
}

void paintTerrace(Canvas* canvas, const Skyline& line, const CliffLook& rock, Colour grass,
                  float cap, Colour haze, float hazeAmount, uint32_t seed) {
  const int width = std::min(canvas->width, static_cast<int>(line.top.size()));
  for (int x = 0; x < width; ++x) {
    const float top = line.top[static_cast<size_t>(x)];
    const float capDepth = cap * (0.8f + 0.4f * valueNoise(x / 14.0f, 0.5f, seed));
    for (int y = std::max(0, static_cast<int>(std::floor(top)) - 1); y < canvas->height; ++y) {
      const float below = y + 0.5f - top;
      const float cover = clamp01(0.5f + below);
      if (cover <= 0.0f) continue;
      const Point p{x + 0.5f, y + 0.5f};
      Colour c;
      if (below < capDepth) {
        c = mixColour(lighten(grass, 0.2f), grass, below / capDepth);
      } else {
        // Weathered stone, streaked downwards, darker just under the grass.
        const float streak = valueNoise(p.x / 7.0f, p.y / 40.0f, seed + 1u);
        c = mixColour(rock.shade, rock.lit, 0.45f + 0.3f * streak);
        c = lighten(c, -0.25f * std::exp(-(below - capDepth) / 6.0f));
      }
      paintPixel(canvas, x, y, mixColour(c, haze, hazeAmount), cover);
    }
  }
}
