// art_map_icons.cpp: the small pictures of the adventure map: each zone's
// landmarks, the compass rose and the boat and waves at sea.
#include <array>

#include "art_map_local.h"

namespace {

const FoliageLook kMapSummer{rgb(80, 164, 74), rgb(170, 222, 100), rgb(34, 100, 66), rgb(118, 82, 54)};
const FoliageLook kMapDeep{rgb(48, 136, 84), rgb(126, 200, 112), rgb(20, 76, 60), rgb(104, 74, 52)};
const FoliageLook kMapWillow{rgb(128, 186, 80), rgb(204, 234, 124), rgb(62, 122, 64), rgb(112, 84, 60)};
const FoliageLook kMapNight{rgb(56, 110, 140), rgb(130, 190, 220), rgb(26, 52, 90), rgb(60, 56, 80)};
const FoliageLook kMapAutumn{rgb(226, 122, 60), rgb(255, 200, 100), rgb(150, 56, 48), rgb(100, 62, 50)};
const FoliageLook kMapGolden{rgb(232, 176, 64), rgb(255, 226, 124), rgb(170, 100, 44), rgb(100, 62, 50)};
const FoliageLook kMapDusk{rgb(110, 140, 90), rgb(236, 184, 120), rgb(52, 70, 80), rgb(98, 68, 60)};
const FoliageLook kMapSnow{rgb(50, 116, 104), rgb(190, 226, 226), rgb(24, 62, 74), rgb(80, 60, 60)};
const FoliageLook kMapHeather{rgb(170, 110, 184), rgb(216, 160, 226), rgb(110, 70, 130), rgb(100, 80, 60)};

void paintPebbles(Canvas* canvas, Point base, float size, uint32_t seed) {
  for (int i = 0; i < 3; ++i) {
    const float w = size * (0.5f - 0.1f * i);
    paintRock(canvas, Point{base.x + (i - 1) * size * 0.35f, base.y - (i == 1 ? 1.0f : 0.0f)}, w, w * 0.6f,
              rgb(222, 218, 208), rgb(140, 138, 140), seed + static_cast<uint32_t>(i));
  }
}

void paintMiniFall(Canvas* canvas, Point base, float size, uint32_t seed) {
  const Point top{base.x, base.y - size};
  paintRock(canvas, base, size * 1.1f, size * 1.05f, rgb(190, 196, 184), rgb(116, 126, 118), seed);
  fillShape(canvas, boxAround(Point{base.x, base.y - size * 0.5f}, size * 0.2f, size * 0.55f),
            [&](Point p) { return sdRoundedBox(p, Point{base.x, base.y - size * 0.45f}, size * 0.13f, size * 0.45f, 1.5f); },
            [&](Point p, float) { return mixColour(rgb(150, 214, 240), rgb(240, 250, 255), 0.5f + 0.5f * std::sin(p.x * 2.0f)); });
  fillShapeColour(canvas, boxAround(base, size * 0.4f, size * 0.2f),
                  [&](Point p) { return sdEllipse(p, Point{base.x, base.y - 1.0f}, size * 0.32f, size * 0.12f); },
                  rgb(240, 250, 255));
  (void)top;
}

void paintCactus(Canvas* canvas, Point base, float size) {
  const Colour green = rgb(96, 170, 90);
  auto arm = [&](Point a, Point b, float r) {
    fillShape(canvas, boxAround((a + b) * 0.5f, size, size), [&](Point p) { return sdCapsule(p, a, b, r); },
              [&](Point p, float d) { return lighten(green, (p.x < (a.x + b.x) * 0.5f ? 0.15f : -0.1f) + (d > -1.0f ? -0.2f : 0.0f)); });
  };
  paintGroundShadow(canvas, base, size * 0.35f, 0.3f);
  arm(Point{base.x, base.y - 2.0f}, Point{base.x, base.y - size}, size * 0.12f);
  arm(Point{base.x - size * 0.28f, base.y - size * 0.45f}, Point{base.x - size * 0.28f, base.y - size * 0.7f}, size * 0.08f);
  arm(Point{base.x - size * 0.28f, base.y - size * 0.45f}, Point{base.x, base.y - size * 0.42f}, size * 0.08f);
  arm(Point{base.x + size * 0.26f, base.y - size * 0.55f}, Point{base.x + size * 0.26f, base.y - size * 0.82f}, size * 0.08f);
  arm(Point{base.x + size * 0.26f, base.y - size * 0.55f}, Point{base.x, base.y - size * 0.52f}, size * 0.08f);
}

void paintSteps(Canvas* canvas, Point base, float size, uint32_t seed) {
  for (int i = 0; i < 3; ++i) {
    const float w = size * (1.1f - 0.28f * i);
    const Point at{base.x + i * size * 0.08f, base.y - i * size * 0.3f};
    paintRock(canvas, at, w, size * 0.34f, rgb(214, 184, 184), rgb(136, 108, 128), seed + static_cast<uint32_t>(i));
  }
}

void paintStormCloud(Canvas* canvas, Point base, float size, uint32_t seed) {
  paintCloud(canvas, Point{base.x, base.y - size * 0.5f}, size * 1.2f, size * 0.45f, rgb(206, 196, 226), rgb(130, 120, 160), 1.0f, seed);
  const Point a{base.x + 1.0f, base.y - size * 0.45f}, b{base.x - 3.0f, base.y - size * 0.2f}, c{base.x + 2.0f, base.y - size * 0.15f},
      d{base.x - 2.0f, base.y + 2.0f};
  for (const auto& [from, to] : {std::pair{a, b}, std::pair{b, c}, std::pair{c, d}}) {
    fillShapeColour(canvas, boxAround(from, size, size), [&](Point p) { return sdCapsule(p, from, to, 1.3f); }, rgb(255, 230, 120));
  }
}

void paintMoonPond(Canvas* canvas, Point base, float size) {
  const Point c{base.x, base.y - size * 0.15f};
  fillShapeColour(canvas, boxAround(c, size * 0.8f, size * 0.4f), [&](Point p) { return sdEllipse(p, c, size * 0.72f, size * 0.3f); },
                  rgb(40, 60, 100));
  fillShape(canvas, boxAround(c, size * 0.7f, size * 0.3f), [&](Point p) { return sdEllipse(p, c, size * 0.64f, size * 0.24f); },
            [&](Point p, float) { return mixColour(rgb(90, 130, 200), rgb(50, 80, 150), clamp01((p.y - c.y + size * 0.24f) / (size * 0.48f))); });
  const Point moon{c.x + size * 0.15f, c.y};
  fillShapeColour(canvas, boxAround(moon, 4.0f, 3.0f), [&](Point p) { return sdEllipse(p, moon, size * 0.12f, size * 0.06f); },
                  rgb(255, 250, 220));
}

void paintPeak(Canvas* canvas, Point base, float size, uint32_t seed) {
  const Point corners[3] = {{base.x - size * 0.75f, base.y}, {base.x, base.y - size * 1.05f}, {base.x + size * 0.75f, base.y}};
  fillShape(canvas, boxAround(Point{base.x, base.y - size * 0.5f}, size * 0.8f, size * 0.6f),
            [&](Point p) { return sdPolygon(p, corners, 3) - 1.0f; },
            [&](Point p, float) {
              const float top = base.y - size * (0.62f + 0.08f * std::sin(p.x * 0.9f + seed));
              const bool lit = p.x < base.x + (p.y - (base.y - size)) * 0.25f;
              if (p.y < top) return lit ? rgb(255, 255, 255) : rgb(196, 208, 236);
              return lit ? rgb(130, 150, 200) : rgb(90, 104, 160);
            });
}

void paintCrystals(Canvas* canvas, Point base, float size, Colour colour, uint32_t seed) {
  paintCrystal(canvas, Point{base.x - size * 0.2f, base.y}, size * 0.7f, size * 0.14f, -24.0f, colour, seed);
  paintCrystal(canvas, Point{base.x + size * 0.2f, base.y}, size * 0.6f, size * 0.13f, 22.0f, lighten(colour, 0.1f), seed + 1u);
  paintCrystal(canvas, base, size, size * 0.17f, 0.0f, colour, seed + 2u);
}

void paintLanternPost(Canvas* canvas, Point base, float size) {
  const Point top{base.x, base.y - size};
  paintGlow(canvas, Point{top.x, top.y + size * 0.15f}, size * 0.9f, rgb(255, 200, 110), 0.5f);
  fillShapeColour(canvas, boxAround(Point{base.x, base.y - size * 0.5f}, 3.0f, size * 0.5f),
                  [&](Point p) { return sdCapsule(p, base, Point{top.x, top.y + size * 0.2f}, 1.4f); }, rgb(100, 70, 50));
  fillShape(canvas, boxAround(Point{top.x, top.y + size * 0.15f}, size * 0.2f, size * 0.2f),
            [&](Point p) { return sdRoundedBox(p, Point{top.x, top.y + size * 0.15f}, size * 0.13f, size * 0.16f, 1.5f); },
            [&](Point p, float d) { return d > -1.0f ? rgb(100, 70, 50) : mixColour(rgb(255, 250, 200), rgb(255, 170, 70), radialParam(p, top, size * 0.3f)); });
}

void paintEmberRock(Canvas* canvas, Point base, float size, uint32_t seed) {
  paintRock(canvas, base, size, size * 0.7f, rgb(150, 96, 90), rgb(80, 50, 60), seed);
  paintGlow(canvas, Point{base.x, base.y - size * 0.3f}, size * 0.6f, rgb(255, 140, 60), 0.5f);
  const Point a{base.x - size * 0.2f, base.y - size * 0.5f}, b{base.x + size * 0.05f, base.y - size * 0.25f};
  fillShapeColour(canvas, boxAround(a, size, size), [&](Point p) { return sdCapsule(p, a, b, 1.0f); }, rgb(255, 200, 100));
}

}  // namespace

void paintLandmark(Canvas* canvas, int zone, Point base, float size, uint32_t seed) {
  const int pick = static_cast<int>(hashUnit(static_cast<int>(seed), zone, 5u) * 3.0f);
  switch (zone) {
    case 0:
      if (pick == 0) paintRoundTree(canvas, base, size * 1.3f, kMapSummer, seed);
      else if (pick == 1) paintBush(canvas, base, size * 0.8f, kMapSummer, seed);
      else paintPebbles(canvas, base, size, seed);
      break;
    case 1:
      if (pick == 0) paintMiniFall(canvas, base, size, seed);
      else paintPine(canvas, base, size * 1.4f, kMapDeep, seed);
      break;
    case 2:
      if (pick == 0) paintFern(canvas, base, size * 0.8f, 1.0f, kMapDeep, seed);
      else if (pick == 1) paintRoundTree(canvas, base, size * 1.3f, kMapDeep, seed);
      else paintPine(canvas, base, size * 1.4f, kMapDeep, seed);
      break;
    case 3:
      if (pick == 0) paintCactus(canvas, base, size);
      else if (pick == 1) paintCrystals(canvas, base, size * 0.7f, rgb(255, 170, 60), seed);
      else paintRock(canvas, base, size, size * 0.6f, rgb(250, 220, 180), rgb(190, 140, 110), seed);
      break;
    case 4:
      if (pick == 2) paintRock(canvas, base, size * 0.8f, size * 0.5f, rgb(210, 206, 196), rgb(130, 128, 130), seed);
      else paintBush(canvas, base, size * 0.9f, kMapHeather, seed);
      break;
    case 5:
      if (pick == 0) paintRock(canvas, base, size, size * 0.8f, rgb(190, 214, 226), rgb(110, 140, 170), seed);
      else paintCrystals(canvas, base, size * 0.8f, rgb(140, 214, 240), seed);
      break;
    case 6:
      if (pick == 0) paintStormCloud(canvas, base, size, seed);
      else paintSteps(canvas, base, size, seed);
      break;
    case 7:
      if (pick == 0) paintMoonPond(canvas, base, size);
      else if (pick == 1) paintRoundTree(canvas, base, size * 1.3f, kMapNight, seed);
      else paintTwinkle(canvas, Point{base.x, base.y - size * 0.5f}, size * 0.3f, rgb(255, 250, 210));
      break;
    case 8:
      if (pick == 2) paintBush(canvas, base, size * 0.8f, kMapWillow, seed);
      else paintWillow(canvas, base, size * 1.4f, kMapWillow, seed);
      break;
    case 9: {
      const Colour hues[3] = {rgb(240, 146, 220), rgb(146, 204, 250), rgb(184, 154, 250)};
      paintCrystals(canvas, base, size * 0.9f, hues[pick], seed);
      break;
    }
    case 10:
      if (pick == 0) paintLanternPost(canvas, base, size * 1.1f);
      else if (pick == 1) paintCottage(canvas, base, size * 0.9f, rgb(240, 216, 190), rgb(178, 86, 78), true, seed);
      else paintRoundTree(canvas, base, size * 1.3f, kMapDusk, seed);
      break;
    case 11:
      if (pick == 2) paintRoundTree(canvas, base, size * 1.2f, kMapSummer, seed);
      else paintCloud(canvas, base, size * 1.3f, size * 0.55f, rgb(255, 255, 255), rgb(190, 206, 232), 1.0f, seed);
      break;
    case 12:
      if (pick == 0) paintEmberRock(canvas, base, size, seed);
      else paintRoundTree(canvas, base, size * 1.3f, pick == 1 ? kMapAutumn : kMapGolden, seed);
      break;
    default:
      if (pick == 0) paintPeak(canvas, base, size * 1.1f, seed);
      else if (pick == 1) paintPine(canvas, base, size * 1.4f, kMapSnow, seed);
      else paintTwinkle(canvas, Point{base.x, base.y - size * 0.5f}, size * 0.3f, rgb(255, 250, 210));
  }
}

void paintCompass(Canvas* canvas, Point centre, float radius) {
  fillShapeColour(canvas, boxAround(centre, radius + 3.0f, radius + 3.0f),
                  [&](Point p) { return sdCircle(p - Point{1.5f, 2.5f}, centre, radius); }, rgb(0, 40, 60, 60), 3.0f);
  fillShape(canvas, boxAround(centre, radius, radius), [&](Point p) { return sdCircle(p, centre, radius); },
            [&](Point p, float d) {
              if (d > -3.0f) return rgb(150, 104, 64);
              return mixColour(rgb(255, 248, 226), rgb(236, 216, 176), radialParam(p, centre, radius));
            });
  fillShapeColour(canvas, boxAround(centre, radius, radius),
                  [&](Point p) { return sdRing(p, centre, radius * 0.72f, 1.2f); }, rgb(190, 150, 110));
  fillShapeColour(canvas, boxAround(centre, radius, radius),
                  [&](Point p) { return sdStar(p, centre, radius * 0.62f, radius * 0.16f, 4, 45.0f); }, rgb(200, 170, 130));
  fillShape(canvas, boxAround(centre, radius, radius),
            [&](Point p) { return sdStar(p, centre, radius * 0.86f, radius * 0.2f, 4, 0.0f); },
            [&](Point p, float) {
              const bool north = p.y < centre.y;
              const bool left = p.x < centre.x;
              if (north) return left ? rgb(236, 90, 80) : rgb(190, 60, 60);
              return left ? rgb(120, 110, 110) : rgb(80, 74, 80);
            });
  fillShapeColour(canvas, boxAround(centre, 4.0f, 4.0f), [&](Point p) { return sdCircle(p, centre, 2.6f); }, rgb(255, 230, 150));
}

void paintSeaLife(Canvas* canvas) {
  RandomStream random{890u};
  for (int i = 0; i < 40; ++i) {
    const Point at{randomRange(&random, 10.0f, 790.0f), randomRange(&random, 8.0f, 592.0f)};
    if (at.y > 100.0f && at.y < 545.0f) continue;
    const float w = randomRange(&random, 5.0f, 9.0f);
    fillShapeColour(canvas, boxAround(at, w + 2.0f, w),
                    [&](Point p) { return std::max(sdRing(p, Point{at.x, at.y + w}, w, 1.4f), p.y - at.y - w * 0.45f); },
                    rgb(230, 246, 252, 200));
  }
  // A little sailing boat off the southern shore.
  const Point boat{150.0f, 574.0f};
  const Point hull[4] = {{boat.x - 16.0f, boat.y - 5.0f}, {boat.x + 16.0f, boat.y - 5.0f}, {boat.x + 10.0f, boat.y + 3.0f}, {boat.x - 11.0f, boat.y + 3.0f}};
  fillShape(canvas, boxAround(boat, 18.0f, 6.0f), [&](Point p) { return sdPolygon(p, hull, 4) - 0.5f; },
            [&](Point p, float) { return lighten(rgb(170, 96, 60), p.y < boat.y - 2.0f ? 0.15f : -0.05f); });
  const Point sail[3] = {{boat.x - 1.0f, boat.y - 30.0f}, {boat.x - 1.0f, boat.y - 7.0f}, {boat.x + 14.0f, boat.y - 8.0f}};
  fillShape(canvas, boxAround(Point{boat.x + 6.0f, boat.y - 18.0f}, 10.0f, 14.0f), [&](Point p) { return sdPolygon(p, sail, 3) - 0.5f; },
            [&](Point p, float) { return mixColour(rgb(255, 255, 250), rgb(220, 220, 236), clamp01((p.x - boat.x) / 14.0f)); });
  fillShapeColour(canvas, boxAround(Point{boat.x - 6.0f, boat.y - 14.0f}, 8.0f, 12.0f),
                  [&](Point p) { return sdPolygon(p, std::array<Point, 3>{Point{boat.x - 3.0f, boat.y - 26.0f}, Point{boat.x - 3.0f, boat.y - 7.0f}, Point{boat.x - 12.0f, boat.y - 8.0f}}.data(), 3) - 0.5f; },
                  rgb(250, 120, 110));
}
