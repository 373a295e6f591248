// art_map_artefacts.cpp: the fifteen artefacts of the adventure map, one where
// each zone begins and a crown at the journey's end. Each is a glossy badge with
// a dark outline and a soft shadow, painted at twice the size and shrunk, so it
// reads at 64 x 64 and still shows its shape when the game draws it faint.
#include <functional>

#include "art_map_local.h"

namespace {

constexpr int kDesign = 128;  // painted at twice the picture's size
constexpr float kOutline = 3.5f;
const Colour kInk = rgb(58, 40, 48);

using Distance = std::function<float(Point)>;
using Shader = std::function<Colour(Point, float)>;

// Shadow, outline and fill of one shape; then a gloss on its upper left.
void paintBadge(Canvas* canvas, const Distance& shape, const Shader& fill, bool gloss = true) {
  const Box all = wholeCanvas(*canvas);
  Mask mask = makeMask(kDesign, kDesign);
  maskShape(&mask, all, [&](Point p) { return shape(p) - kOutline; });
  softShadow(canvas, mask, 3.0f, 5.0f, 5.0f, rgb(20, 20, 40, 120));
  fillShapeColour(canvas, all, [&](Point p) { return shape(p) - kOutline; }, kInk, 1.5f);
  fillShape(canvas, all, shape, fill, 1.5f);
  if (!gloss) return;
  fillShape(canvas, all,
            [&](Point p) { return std::max(shape(p) + 5.0f, sdEllipse(p, Point{48.0f, 40.0f}, 26.0f, 16.0f)); },
            [&](Point p, float) {
              return withAlpha(kWhite, 0.42f * (1.0f - radialParam(p, Point{44.0f, 36.0f}, 30.0f)));
            }, 3.0f);
}

// A shader lit like a sphere over the shape's middle.
Shader litBy(Colour dark, Colour mid, Colour light, Point centre, float radius) {
  return [=](Point p, float) {
    const float l = lambert(sphereNormal(p, centre, radius), kLightDirection);
    return l < 0.5f ? mixColour(dark, mid, l * 2.0f) : mixColour(mid, light, (l - 0.5f) * 2.0f);
  };
}

void pebble(Canvas* c) {
  const Point centre{64.0f, 66.0f};
  paintBadge(c, [=](Point p) { return sdEllipse(p, centre, 44.0f, 34.0f); },
             litBy(rgb(90, 120, 150), rgb(150, 184, 206), rgb(226, 242, 250), centre, 52.0f));
  // A swirl cut into the stone.
  fillShapeColour(c, wholeCanvas(*c), [=](Point p) {
    const Point d = p - centre;
    const float r = length(d);
    const float a = std::atan2(d.y, d.x);
    const float turn = std::fmod(r - a * 4.5f + 200.0f, 14.0f);
    return std::max(std::fabs(turn - 7.0f) - 1.8f, r - 24.0f);
  }, rgb(250, 255, 255, 220), 1.5f);
}

void drop(Canvas* c) {
  const Point centre{64.0f, 74.0f};
  paintBadge(c, [=](Point p) {
    const float round = sdCircle(p, centre, 34.0f);
    const Point tip[3] = {{64.0f, 12.0f}, {94.0f, 66.0f}, {34.0f, 66.0f}};
    return sdSmoothUnion(round, sdPolygon(p, tip, 3), 6.0f);
  }, litBy(rgb(30, 90, 180), rgb(70, 160, 236), rgb(200, 240, 255), centre, 44.0f));
}

void fernLeaf(Canvas* c) {
  // A frond curling from the lower left to the upper right, leaflets in pairs
  // shrinking towards its tip.
  auto spine = [](float t) {
    return Point{30.0f + 70.0f * t + 10.0f * std::sin(t * kPi), 106.0f - 86.0f * t + 14.0f * std::sin(t * kPi)};
  };
  constexpr int kPairs = 9;
  auto shape = [&](Point p) {
    float d = 1e9f;
    for (int i = 0; i < 24; ++i) d = std::min(d, sdCapsule(p, spine(i / 24.0f), spine((i + 1) / 24.0f), 3.0f));
    for (int i = 0; i < kPairs; ++i) {
      const float t = 0.12f + 0.84f * i / (kPairs - 1);
      const Point at = spine(t);
      const Point next = spine(t + 0.02f);
      const Point along{next.x - at.x, next.y - at.y};
      const float len = std::sqrt(along.x * along.x + along.y * along.y);
      const Point side{-along.y / len, along.x / len};
      const float reach = 22.0f * (1.0f - 0.7f * t);
      for (int s = -1; s <= 1; s += 2) {
        const Point tip{at.x + side.x * reach * s + along.x / len * reach * 0.5f, at.y + side.y * reach * s + along.y / len * reach * 0.5f};
        d = sdSmoothUnion(d, sdCapsule(p, at, tip, 5.5f * (1.0f - 0.5f * t)), 2.0f);
      }
    }
    return d;
  };
  paintBadge(c, shape, [&](Point p, float) {
    const Point mid = spine(0.5f);
    const float side = (p.x - mid.x) + (p.y - mid.y);
    const float t = clamp01((p.y - 20.0f) / 90.0f);
    return mixColour(side < 0.0f ? rgb(150, 226, 110) : rgb(90, 176, 80), rgb(60, 140, 70), t * 0.5f);
  });
}

void amber(Canvas* c) {
  const Point centre{64.0f, 64.0f};
  Point corners[6];
  for (int i = 0; i < 6; ++i) {
    const float a = (i * 60.0f + 30.0f) * kPi / 180.0f;
    corners[i] = Point{centre.x + std::cos(a) * 46.0f, centre.y + std::sin(a) * 42.0f};
  }
  paintBadge(c, [=](Point p) { return sdPolygon(p, corners, 6) - 4.0f; }, [=](Point p, float) {
    // Facets: a bright table in the middle, darker bevels around.
    const Point d = p - centre;
    const bool table = std::fabs(d.x) < 22.0f && std::fabs(d.y) < 18.0f;
    const float l = lambert(sphereNormal(p, centre, 60.0f), kLightDirection);
    Colour k = mixColour(rgb(190, 90, 20), rgb(255, 190, 70), l);
    if (table) k = lighten(k, 0.15f);
    else if (d.y > 0.0f) k = lighten(k, -0.12f);
    return k;
  });
  fillShapeColour(c, wholeCanvas(*c), [](Point p) { return sdEllipse(p, Point{70.0f, 70.0f}, 5.0f, 3.0f); }, rgb(140, 60, 20, 160));
}

void feather(Canvas* c) {
  const Point a{38.0f, 110.0f}, b{92.0f, 18.0f};
  auto vane = [=](Point p) {
    const float t = linearParam(p, a, b);
    const Point q = a + (b - a) * t;
    const float half = 20.0f * std::sin(kPi * std::min(1.0f, t * 1.15f)) * (t > 0.12f ? 1.0f : 0.0f) + 1.5f;
    const float notch = std::fabs(std::sin(t * 40.0f)) < 0.15f && t > 0.5f ? 2.5f : 0.0f;
    return length(p - q) - half + notch;
  };
  paintBadge(c, vane, [=](Point p, float) {
    const float side = (p.x - a.x) * (b.y - a.y) - (p.y - a.y) * (b.x - a.x);
    const float t = linearParam(p, a, b);
    Colour k = mixColour(rgb(200, 150, 226), rgb(250, 240, 255), t);
    const float barbs = 0.06f * std::sin((t * 90.0f) + side * 0.02f);
    return lighten(k, (side > 0.0f ? -0.1f : 0.05f) + barbs);
  });
  fillShapeColour(c, wholeCanvas(*c), [=](Point p) { return sdCapsule(p, a, b, 1.6f); }, rgb(150, 110, 170));
}

void prism(Canvas* c) {
  const Point corners[3] = {{64.0f, 16.0f}, {110.0f, 104.0f}, {18.0f, 104.0f}};
  // A rainbow fanning out behind the glass.
  const ColourStop bands[5] = {{0.0f, rgb(255, 110, 110)}, {0.25f, rgb(255, 210, 90)}, {0.5f, rgb(120, 220, 120)},
                               {0.75f, rgb(100, 170, 255)}, {1.0f, rgb(190, 120, 240)}};
  fillShape(c, wholeCanvas(*c), [](Point p) {
    const Point o{72.0f, 70.0f};
    const float a = std::atan2(p.y - o.y, p.x - o.x);
    return std::max(std::fabs(a - 0.35f) * 60.0f - 16.0f, std::max(o.x - p.x, length(p - o) - 62.0f));
  }, [&](Point p, float) {
    const float a = std::atan2(p.y - 70.0f, p.x - 72.0f);
    return withAlpha(rampColour(bands, 5, clamp01((a - 0.08f) / 0.54f)), 0.9f);
  }, 2.0f);
  paintBadge(c, [=](Point p) { return sdPolygon(p, corners, 3) - 3.0f; }, [=](Point p, float) {
    const float t = clamp01((p.x - 18.0f) / 92.0f);
    Colour k = mixColour(rgb(220, 248, 255), rgb(140, 200, 230), t);
    if (std::fabs(p.x - 64.0f) < 2.0f && p.y > 40.0f) k = lighten(k, 0.3f);
    return withAlpha(k, 0.95f);
  });
}

void thunderStone(Canvas* c) {
  const Point centre{64.0f, 64.0f};
  paintBadge(c, [=](Point p) { return sdCircle(p, centre, 44.0f); },
             litBy(rgb(90, 80, 120), rgb(150, 140, 180), rgb(220, 214, 240), centre, 56.0f));
  const Point bolt[7] = {{70.0f, 24.0f}, {44.0f, 70.0f}, {62.0f, 70.0f}, {54.0f, 104.0f}, {86.0f, 56.0f}, {68.0f, 56.0f}, {80.0f, 24.0f}};
  fillShapeColour(c, wholeCanvas(*c), [&](Point p) { return sdPolygon(p, bolt, 7) - 2.5f; }, kInk, 1.5f);
  fillShape(c, wholeCanvas(*c), [&](Point p) { return sdPolygon(p, bolt, 7); },
            [](Point p, float) { return mixColour(rgb(255, 250, 170), rgb(255, 190, 40), clamp01((p.y - 24.0f) / 80.0f)); }, 1.5f);
}

void crescent(Canvas* c) {
  const Point centre{60.0f, 64.0f};
  paintBadge(c, [=](Point p) { return sdSubtract(sdCircle(p, centre, 42.0f), sdCircle(p, Point{82.0f, 52.0f}, 36.0f)); },
             litBy(rgb(170, 150, 90), rgb(240, 220, 140), rgb(255, 252, 226), centre, 50.0f));
  paintBadge(c, [](Point p) { return sdStar(p, Point{94.0f, 80.0f}, 16.0f, 6.5f, 5, 0.0f); },
             [](Point, float) { return rgb(255, 246, 180); }, false);
}

void willowLeaf(Canvas* c) {
  const Point a{28.0f, 100.0f}, b{100.0f, 28.0f};
  paintBadge(c, [=](Point p) {
    const float t = linearParam(p, a, b);
    const Point q = a + (b - a) * t;
    return length(p - q) - 26.0f * std::sin(kPi * t) - 1.0f;
  }, [=](Point p, float) {
    const float side = (p.x - a.x) * (b.y - a.y) - (p.y - a.y) * (b.x - a.x);
    return side < 0.0f ? rgb(150, 214, 96) : rgb(96, 170, 70);
  });
  fillShapeColour(c, wholeCanvas(*c), [=](Point p) { return sdCapsule(p, a, b, 1.5f); }, rgb(70, 130, 60));
  const Point dew{74.0f, 66.0f};
  paintBadge(c, [=](Point p) { return sdCircle(p, dew, 9.0f); },
             litBy(rgb(120, 190, 230), rgb(190, 236, 255), rgb(255, 255, 255), dew, 11.0f), false);
}

void crystalCluster(Canvas* c) {
  Canvas art = makeCanvas(kDesign, kDesign);
  paintCrystal(&art, Point{44.0f, 112.0f}, 70.0f, 13.0f, -28.0f, rgb(236, 140, 220), 1u);
  paintCrystal(&art, Point{86.0f, 112.0f}, 64.0f, 13.0f, 26.0f, rgb(150, 190, 255), 2u);
  paintCrystal(&art, Point{64.0f, 114.0f}, 98.0f, 16.0f, 0.0f, rgb(190, 150, 250), 3u);
  Mask mask = alphaMask(art);
  blurMask(&mask, 3.0f);
  for (float& v : mask.values) v = clamp01(v * 3.0f);
  softShadow(c, mask, 3.0f, 5.0f, 5.0f, rgb(20, 20, 40, 120));
  paintMask(c, mask, kInk);
  compositeOver(c, art, 0, 0);
}

void paperLantern(Canvas* c) {
  const Point centre{64.0f, 70.0f};
  fillShapeColour(c, wholeCanvas(*c), [](Point p) { return sdCapsule(p, Point{64.0f, 6.0f}, Point{64.0f, 30.0f}, 2.0f); }, kInk);
  paintGlow(c, centre, 60.0f, rgb(255, 180, 90), 0.5f);
  paintBadge(c, [=](Point p) { return sdEllipse(p, centre, 38.0f, 42.0f); }, [=](Point p, float) {
    const float rib = std::fabs(std::sin((p.x - centre.x) / 38.0f * 3.3f)) < 0.12f ? -0.2f : 0.0f;
    const float t = radialParam(p, Point{58.0f, 64.0f}, 46.0f);
    return lighten(mixColour(rgb(255, 236, 150), rgb(240, 80, 60), t), rib);
  });
  for (int side = -1; side <= 1; side += 2) {
    const Point cap{64.0f, side < 0 ? 30.0f : 110.0f};
    paintBadge(c, [=](Point p) { return sdRoundedBox(p, cap, 18.0f, 5.0f, 3.0f); },
               [](Point, float) { return rgb(80, 60, 60); }, false);
  }
}

void cloudBadge(Canvas* c) {
  const ColourStop bands[4] = {{0.0f, rgb(255, 120, 120)}, {0.33f, rgb(255, 220, 110)}, {0.66f, rgb(120, 220, 140)}, {1.0f, rgb(110, 170, 255)}};
  fillShape(c, wholeCanvas(*c), [](Point p) { return std::max(sdRing(p, Point{64.0f, 96.0f}, 40.0f, 16.0f), p.y - 92.0f); },
            [&](Point p, float) { return rampColour(bands, 4, clamp01((length(p - Point{64.0f, 96.0f}) - 32.0f) / 16.0f)); }, 1.5f);
  auto shape = [](Point p) {
    float d = sdCircle(p, Point{46.0f, 78.0f}, 22.0f);
    d = sdSmoothUnion(d, sdCircle(p, Point{70.0f, 66.0f}, 28.0f), 6.0f);
    d = sdSmoothUnion(d, sdCircle(p, Point{94.0f, 80.0f}, 18.0f), 6.0f);
    return std::max(d, p.y - 96.0f);
  };
  paintBadge(c, shape, [](Point p, float) { return mixColour(rgb(255, 255, 255), rgb(190, 210, 240), clamp01((p.y - 50.0f) / 46.0f)); });
}

void flame(Canvas* c) {
  const Point centre{64.0f, 78.0f};
  paintGlow(c, centre, 58.0f, rgb(255, 140, 60), 0.45f);
  auto shape = [=](Point p) {
    const float round = sdCircle(p, centre, 32.0f);
    const Point tip[3] = {{70.0f, 8.0f}, {96.0f, 70.0f}, {32.0f, 70.0f}};
    return sdSmoothUnion(round, sdPolygon(p, tip, 3), 10.0f);
  };
  paintBadge(c, shape, [=](Point p, float) { return mixColour(rgb(255, 240, 150), rgb(230, 60, 40), clamp01(radialParam(p, Point{62.0f, 86.0f}, 56.0f) * 1.2f)); });
  fillShape(c, wholeCanvas(*c), [=](Point p) { return sdEllipse(p, Point{62.0f, 84.0f}, 14.0f, 20.0f); },
            [](Point, float) { return rgb(255, 252, 220, 220); }, 3.0f);
}

void star(Canvas* c) {
  paintBadge(c, [](Point p) { return sdStar(p, Point{64.0f, 68.0f}, 54.0f, 24.0f, 5, 0.0f) - 4.0f; },
             litBy(rgb(220, 140, 20), rgb(255, 206, 60), rgb(255, 252, 200), Point{64.0f, 68.0f}, 60.0f));
}

void crown(Canvas* c) {
  const Point corners[9] = {{18.0f, 100.0f}, {14.0f, 44.0f}, {40.0f, 70.0f}, {52.0f, 32.0f}, {64.0f, 62.0f},
                            {76.0f, 32.0f}, {88.0f, 70.0f}, {114.0f, 44.0f}, {110.0f, 100.0f}};
  paintBadge(c, [&](Point p) { return sdPolygon(p, corners, 9) - 2.0f; }, [](Point p, float) {
    const float l = clamp01(1.0f - (p.y - 30.0f) / 80.0f);
    Colour k = mixColour(rgb(210, 130, 20), rgb(255, 222, 90), l);
    if (p.y > 84.0f) k = lighten(k, 0.15f);
    return k;
  });
  const Colour gems[3] = {rgb(230, 60, 80), rgb(60, 170, 230), rgb(80, 200, 100)};
  for (int i = 0; i < 3; ++i) {
    const Point g{40.0f + i * 24.0f, 90.0f};
    paintBadge(c, [=](Point p) { return sdCircle(p, g, 6.5f); },
               litBy(scaleColour(gems[i], 0.6f), gems[i], lighten(gems[i], 0.6f), g, 8.0f), false);
  }
  for (int i = 0; i < 4; ++i) {
    const Point tip = i == 0 ? corners[1] : (i == 1 ? corners[3] : (i == 2 ? corners[5] : corners[7]));
    paintBadge(c, [=](Point p) { return sdCircle(p, tip, 6.0f); },
               litBy(rgb(230, 220, 240), rgb(250, 250, 255), kWhite, tip, 7.0f), false);
  }
}

}  // namespace

Image drawArtefact(int number) {
  Canvas canvas = makeCanvas(kDesign, kDesign);
  switch (number) {
    case 1: pebble(&canvas); break;
    case 2: drop(&canvas); break;
    case 3: fernLeaf(&canvas); break;
    case 4: amber(&canvas); break;
    case 5: feather(&canvas); break;
    case 6: prism(&canvas); break;
    case 7: thunderStone(&canvas); break;
    case 8: crescent(&canvas); break;
    case 9: willowLeaf(&canvas); break;
    case 10: crystalCluster(&canvas); break;
    case 11: paperLantern(&canvas); break;
    case 12: cloudBadge(&canvas); break;
    case 13: flame(&canvas); break;
    case 14: star(&canvas); break;
    default: crown(&canvas); break;
  }
  Image image = canvasToImage(downsample(canvas, 2));
  bleedEdgeColour(&image);
  return image;
}
