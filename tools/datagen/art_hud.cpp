// art_hud.cpp: the pictures around the board: the side panel "gamebar.tga" with
// its display wells and the buttons the game finds at fixed places, the hearts,
// the help button, the hammer gauge (dark and lit, one silhouette), the hammer
// cursor and the level progress bar (frame and fill, one window).
#include <cmath>

#include "art.h"

namespace {

const Colour kGold = rgb(240, 190, 80);
const Colour kGoldDark = rgb(150, 98, 30);
const Colour kGoldLight = rgb(255, 240, 170);

// Gold from its lit top (t = 0) to its shaded bottom (t = 1).
Colour goldAt(float t) {
  const ColourStop stops[4] = {{0.0f, kGoldLight}, {0.45f, kGold}, {0.85f, kGoldDark}, {1.0f, rgb(120, 76, 24)}};
  return rampColour(stops, 4, t);
}

// A rounded button face: a gradient from light to dark, a gloss on its upper half,
// a gold rim and a soft shadow. `half` is the half size, `radius` its corners.
void paintButton(Canvas* canvas, Point c, float halfW, float halfH, float radius, Colour top, Colour bottom) {
  auto shape = [&](Point p) { return sdRoundedBox(p, c, halfW, halfH, radius); };
  fillShapeColour(canvas, boxAround(c, halfW + 4, halfH + 4), [&](Point p) { return shape(p - Point{0.0f, 2.0f}); },
                  rgb(0, 0, 20, 110), 3.0f);
  fillShape(canvas, boxAround(c, halfW, halfH), shape,
            [&](Point p, float) { return goldAt(linearParam(p, c - Point{0, halfH}, c + Point{0, halfH})); });
  fillShape(canvas, boxAround(c, halfW, halfH), [&](Point p) { return shape(p) + 2.0f; },
            [&](Point p, float d) {
              const float t = linearParam(p, c - Point{0, halfH}, c + Point{0, halfH});
              Colour face = mixColour(top, bottom, t);
              // The gloss: a lighter upper half with a soft lower edge.
              const float gloss = (1.0f - smoothstep(0.38f, 0.52f, t)) * 0.35f;
              face = mixColour(face, kWhite, gloss * (1.0f - smoothstep(-3.0f, 0.0f, d)));
              return face;
            });
}

// A light shape with a soft dark shadow under it (icons on buttons).
template <class Distance>
void paintIcon(Canvas* canvas, Box box, Distance shape, Colour colour) {
  fillShapeColour(canvas, box, [&](Point p) { return shape(p - Point{0.5f, 1.2f}); }, rgb(0, 0, 30, 120), 1.8f);
  fillShapeColour(canvas, box, shape, colour);
}

}  // namespace

// ---------------------------------------------------------------------------
// Small icons

Image drawHeartPicture() {
  Canvas canvas = makeCanvas(32, 32);
  const Point c{16.0f, 16.5f};
  auto shape = [&](Point p) { return sdHeart(p, c, 13.5f); };
  fillShapeColour(&canvas, wholeCanvas(canvas), [&](Point p) { return shape(p - Point{0.5f, 1.0f}); },
                  rgb(60, 0, 10, 110), 2.0f);
  fillShapeColour(&canvas, wholeCanvas(canvas), shape, rgb(130, 14, 30));
  fillShape(&canvas, wholeCanvas(canvas), [&](Point p) { return shape(p) + 1.2f; },
            [&](Point p, float d) {
              Colour colour = sphereShade(p, c + Point{-1.0f, -2.0f}, 17.0f, rgb(236, 50, 66));
              const float sheen = (1.0f - smoothstep(-1.0f, 2.5f, sdEllipse(p, c + Point{-5.0f, -6.0f}, 4.0f, 2.6f)));
              colour = mixColour(colour, kWhite, sheen * 0.85f);
              return mixColour(colour, lighten(colour, 0.2f), (1.0f - smoothstep(-4.0f, -1.0f, d)) * 0.3f);
            });
  return canvasToImage(canvas);
}

Image drawQuestionPicture() {
  Canvas canvas = makeCanvas(64, 64);
  const Point c{32.0f, 31.0f};
  fillShapeColour(&canvas, wholeCanvas(canvas), [&](Point p) { return sdCircle(p, c + Point{1.0f, 2.5f}, 28.0f); },
                  rgb(0, 10, 40, 110), 4.0f);
  fillShape(&canvas, wholeCanvas(canvas), [&](Point p) { return sdCircle(p, c, 28.0f); },
            [&](Point p, float) { return goldAt(linearParam(p, c - Point{0, 28}, c + Point{0, 28})); });
  fillShape(&canvas, wholeCanvas(canvas), [&](Point p) { return sdCircle(p, c, 25.0f); },
            [&](Point p, float) { return sphereShade(p, c, 25.0f, rgb(56, 150, 236)); });
  paintLabel(&canvas, "?", c.x + 1.0f, c.y + 15.5f, 44.0f, rgb(0, 30, 90, 150));
  paintLabel(&canvas, "?", c.x, c.y + 14.0f, 44.0f, kWhite);
  Canvas gloss = makeCanvas(64, 64);
  fillShape(&gloss, wholeCanvas(gloss), [&](Point p) { return sdCircle(p, c, 25.0f); },
            [&](Point p, float) { return sphereGloss(p, c, 25.0f); });
  compositeOver(&canvas, gloss, 0, 0, 0.8f);
  return canvasToImage(canvas);
}

// ---------------------------------------------------------------------------
// Hammers

namespace {

// The gauge's hammer standing upright: a steel head with gold faces over a wooden
// handle with a gold collar, a leather grip and a round knob.
float hammerHeadDistance(Point p) { return sdRoundedBox(p, Point{32.0f, 28.0f}, 29.0f, 18.0f, 7.0f); }
float hammerHandleDistance(Point p) {
  return std::min(sdRoundedBox(p, Point{32.0f, 84.0f}, 7.5f, 38.0f, 4.0f), sdCircle(p, Point{32.0f, 120.0f}, 7.0f));
}
float hammerDistance(Point p) { return std::min(hammerHeadDistance(p), hammerHandleDistance(p)); }

// Colour of the head at p.
Colour hammerHead(Point p) {
  const float t = linearParam(p, Point{0.0f, 10.0f}, Point{0.0f, 46.0f});
  const ColourStop stops[4] = {{0.0f, rgb(240, 244, 252)}, {0.3f, rgb(186, 196, 214)},
                               {0.75f, rgb(116, 126, 150)}, {1.0f, rgb(78, 86, 108)}};
  Colour c = rampColour(stops, 4, t);
  // The striking faces at both ends are gold.
  const float face = std::min(p.x - 3.0f, 61.0f - p.x);
  c = mixColour(c, goldAt(t), 1.0f - smoothstep(8.0f, 9.0f, face));
  c = mixColour(c, rgb(90, 60, 20), std::exp(-(face - 8.5f) * (face - 8.5f) * 2.0f) * 0.6f);
  return c;
}

// Colour of the handle at p: collar, wood, grip or knob by height.
Colour hammerHandle(Point p) {
  const float across = (p.x - 32.0f) / 7.5f;
  const float roundness = clamp01(across * 0.5f + 0.5f);
  if (p.y > 113.0f) return glossySphere(p, Point{32.0f, 120.0f}, 7.0f, rgb(226, 170, 60));
  if (p.y < 56.0f) return goldAt(0.1f + 0.8f * roundness);  // the collar
  Colour c = mixColour(rgb(220, 150, 80), rgb(130, 70, 30), roundness);
  if (p.y > 80.0f) {
    // Leather grip: a spiral of darker wraps.
    const float wrap = std::fmod(p.y - across * 3.0f, 8.0f);
    c = mixColour(rgb(176, 60, 40), rgb(90, 24, 16), roundness);
    if (wrap < 1.6f) c = scaleColour(c, 0.6f);
  }
  return mixColour(c, kWhite, std::exp(-(across + 0.45f) * (across + 0.45f) * 12.0f) * 0.35f);
}

// The lit hammer, handle first, each part inside a dark edge.
Canvas paintHammerGauge() {
  Canvas canvas = makeCanvas(64, 128);
  fillShapeColour(&canvas, wholeCanvas(canvas), hammerHandleDistance, rgb(60, 30, 10));
  fillShape(&canvas, wholeCanvas(canvas), [](Point p) { return hammerHandleDistance(p) + 1.2f; },
            [](Point p, float) { return hammerHandle(p); });
  fillShapeColour(&canvas, wholeCanvas(canvas), hammerHeadDistance, rgb(44, 50, 70));
  fillShape(&canvas, wholeCanvas(canvas), [](Point p) { return hammerHeadDistance(p) + 1.2f; },
            [](Point p, float d) {
              const Colour c = hammerHead(p);
              return mixColour(c, kWhite, (1.0f - smoothstep(0.0f, 2.5f, -d - 1.2f)) * (p.y < 28.0f ? 0.5f : 0.0f));
            });
  return canvas;
}

}  // namespace

Image drawHammerGaugePicture(bool lit) {
  if (!lit) {
    // The empty gauge: the hammer's silhouette as a dark glassy slot.
    Canvas canvas = makeCanvas(64, 128);
    fillShapeColour(&canvas, wholeCanvas(canvas), hammerDistance, rgb(170, 190, 240, 200));
    fillShape(&canvas, wholeCanvas(canvas), [](Point p) { return hammerDistance(p) + 1.5f; },
              [](Point p, float) {
                const float t = clamp01(p.y / 128.0f);
                return mixColour(rgb(40, 50, 96, 215), rgb(18, 22, 54, 225), t);
              });
    return canvasToImage(canvas);
  }
  return canvasToImage(paintHammerGauge());
}

// The cursor's hammer lies tilted, its striking face at texel (4, 18).
Image drawHammerCursorPicture() {
  Canvas canvas = makeCanvas(64, 64);
  const float angle = -35.0f;
  const float a = angle * kPi / 180.0f;
  const Point along{std::cos(a), std::sin(a)};
  const Point face{4.0f, 18.0f};
  const Point head = face + along * 13.5f;
  const Point handleEnd = head + Point{-along.y, along.x} * 44.0f;
  auto headShape = [&](Point p) { return sdRoundedBox(rotatePoint(p, head, -angle), head, 13.0f, 8.0f, 3.0f); };
  auto handleShape = [&](Point p) { return sdCapsule(p, head, handleEnd, 3.6f); };
  Mask shape = makeMask(64, 64);
  maskShape(&shape, wholeCanvas(canvas), [&](Point p) { return std::min(headShape(p), handleShape(p)); });
  softShadow(&canvas, shape, 1.5f, 2.5f, 2.0f, rgb(0, 0, 20, 120));
  fillShapeColour(&canvas, wholeCanvas(canvas), handleShape, rgb(80, 40, 14));
  fillShape(&canvas, wholeCanvas(canvas), [&](Point p) { return handleShape(p) + 1.1f; },
            [&](Point, float d) {
              const float t = clamp01(-d / 2.5f);
              return mixColour(rgb(150, 80, 34), rgb(236, 170, 100), t * 0.8f);
            });
  fillShapeColour(&canvas, wholeCanvas(canvas), headShape, rgb(50, 56, 72));
  fillShape(&canvas, wholeCanvas(canvas), [&](Point p) { return headShape(p) + 1.1f; },
            [&](Point p, float) {
              const Point q = rotatePoint(p, head, -angle);
              const float t = linearParam(q, head - Point{0, 8}, head + Point{0, 8});
              const ColourStop stops[3] = {{0.0f, rgb(240, 244, 250)}, {0.5f, rgb(170, 180, 200)}, {1.0f, rgb(96, 104, 126)}};
              Colour c = rampColour(stops, 3, t);
              if (std::fabs(q.x - head.x) > 9.5f) c = mixColour(c, goldAt(t), 0.9f);
              return c;
            });
  return canvasToImage(canvas);
}

// ---------------------------------------------------------------------------
// The level progress bar: a glass tube in a gold frame; the fill is the liquid
// inside the tube's window, so it lines up whatever part of it is revealed.

namespace {

constexpr Point kTubeCentre{32.0f, 262.0f};
constexpr float kTubeHalfW = 11.0f;
constexpr float kTubeHalfH = 222.0f;

// Distance to the tube's window, grown by grow.
float tubeDistance(Point p, float grow = 0.0f) {
  return sdRoundedBox(p, kTubeCentre, kTubeHalfW + grow, kTubeHalfH + grow, kTubeHalfW + grow);
}

// A jewel badge: gold ring around a glossy stone.
void paintJewel(Canvas* canvas, Point c, float radius, Colour stone) {
  fillShapeColour(canvas, boxAround(c, radius + 4, radius + 4), [&](Point p) { return sdCircle(p, c + Point{0.8f, 2.0f}, radius); },
                  rgb(0, 0, 20, 110), 3.0f);
  fillShape(canvas, boxAround(c, radius, radius), [&](Point p) { return sdCircle(p, c, radius); },
            [&](Point p, float) { return goldAt(linearParam(p, c - Point{0, radius}, c + Point{0, radius})); });
  const float inner = radius - 3.5f;
  fillShape(canvas, boxAround(c, inner, inner), [&](Point p) { return sdCircle(p, c, inner); },
            [&](Point p, float) { return glossySphere(p, c, inner, stone); });
}

void paintLevelBarFrame(Canvas* canvas) {
  Mask outer = makeMask(64, 512);
  maskShape(&outer, wholeCanvas(*canvas), [](Point p) { return tubeDistance(p, 6.0f); });
  softShadow(canvas, outer, 2.0f, 3.0f, 3.0f, rgb(0, 0, 20, 120));
  fillShape(canvas, wholeCanvas(*canvas), [](Point p) { return tubeDistance(p, 6.0f); },
            [](Point p, float) { return goldAt(0.15f + 0.7f * clamp01((p.x - 16.0f) / 32.0f)); });
  fillShapeColour(canvas, wholeCanvas(*canvas), [](Point p) { return std::fabs(tubeDistance(p, 3.0f)) - 0.5f; },
                  withAlpha(kGoldDark, 0.7f));
  // The empty tube: dark glass with a light streak.
  fillShape(canvas, wholeCanvas(*canvas), [](Point p) { return tubeDistance(p); },
            [](Point p, float) {
              const float across = (p.x - kTubeCentre.x) / kTubeHalfW;
              const float streak = std::exp(-(across + 0.45f) * (across + 0.45f) * 20.0f);
              return mixColour(rgb(16, 24, 56, 220), rgb(200, 220, 255, 230), streak * 0.45f);
            });
  // Marks every tenth of the way.
  for (int i = 1; i < 10; ++i) {
    const float y = kTubeCentre.y + kTubeHalfH - 2.0f * kTubeHalfH * i / 10.0f;
    fillShapeColour(canvas, wholeCanvas(*canvas),
                    [&](Point p) { return sdRoundedBox(p, Point{kTubeCentre.x + 8.0f, y}, 3.5f, 0.8f, 0.8f); },
                    rgb(255, 255, 255, 90));
  }
  paintJewel(canvas, Point{32.0f, 24.0f}, 17.0f, rgb(255, 200, 40));
  paintJewel(canvas, Point{32.0f, 494.0f}, 12.0f, rgb(60, 200, 120));
}

void paintLevelBarFill(Canvas* canvas) {
  fillShape(canvas, wholeCanvas(*canvas), [](Point p) { return tubeDistance(p, -1.5f); },
            [](Point p, float) {
              const float up = 1.0f - clamp01((p.y - (kTubeCentre.y - kTubeHalfH)) / (2.0f * kTubeHalfH));
              const ColourStop stops[3] = {{0.0f, rgb(60, 200, 110)}, {0.55f, rgb(150, 220, 60)}, {1.0f, rgb(255, 206, 50)}};
              Colour c = rampColour(stops, 3, up);
              const float across = (p.x - kTubeCentre.x) / kTubeHalfW;
              c = mixColour(c, scaleColour(c, 0.6f), smoothstep(0.3f, 1.0f, across));
              const float streak = std::exp(-(across + 0.45f) * (across + 0.45f) * 20.0f);
              return mixColour(c, kWhite, streak * 0.6f);
            });
  // Rising bubbles.
  RandomStream random{2024u};
  for (int i = 0; i < 26; ++i) {
    const Point c{randomRange(&random, 25.0f, 39.0f), randomRange(&random, 50.0f, 478.0f)};
    const float r = randomRange(&random, 1.2f, 2.6f);
    fillShapeColour(canvas, boxAround(c, r + 1, r + 1), [&](Point p) { return std::fabs(sdCircle(p, c, r)) - 0.4f; },
                    rgb(255, 255, 255, 150));
  }
}

}  // namespace

Image drawLevelBarPicture(bool fill) {
  Canvas canvas = makeCanvas(64, 512);
  if (fill) {
    paintLevelBarFill(&canvas);
  } else {
    paintLevelBarFrame(&canvas);
  }
  return canvasToImage(canvas);
}

// ---------------------------------------------------------------------------
// The side panel. Texel places (x right, y down) of what the game draws on it
// or finds in it: labels at y 21, 117 and 210, the score at (73, 62), the level
// number at (81, 153), the hearts at y 245, the menu button x 28..118 y 315..345,
// the pause button x 38..113 y 383..413 and the three colour buttons, 30 x 30
// centred at (48, 435), (73, 435) and (98, 435).

namespace {

float panelDistance(Point p) {
  // Rounded on the left; the right and top edges run off the screen.
  return sdRoundedBox(p, Point{84.0f, 236.0f}, 75.0f, 266.0f, 24.0f);
}

// The panel's blue face at p.
Colour panelSurface(Point p) {
  const float t = clamp01(p.y / 512.0f);
  Colour c = mixColour(rgb(52, 82, 160), rgb(30, 46, 110), t);
  const float grain = fractalNoise(p.x / 9.0f, p.y / 9.0f, 3, 77u) - 0.5f;
  c = scaleColour(c, 1.0f + grain * 0.12f);
  // A soft light from the panel's left edge.
  c = mixColour(c, rgb(120, 160, 230), std::exp(-(p.x - 10.0f) * (p.x - 10.0f) / 300.0f) * 0.25f);
  return c;
}

// A dark display well sunk into the panel.
void paintWell(Canvas* canvas, float top, float bottom) {
  const Point c{70.0f, (top + bottom) * 0.5f};
  const float halfH = (bottom - top) * 0.5f;
  auto shape = [&](Point p) { return sdRoundedBox(p, c, 52.0f, halfH, 10.0f); };
  fillShapeColour(canvas, boxAround(c, 54.0f, halfH + 2.0f), [&](Point p) { return shape(p) - 1.0f; },
                  rgb(150, 180, 240, 90));
  fillShape(canvas, boxAround(c, 52.0f, halfH), shape, [&](Point p, float d) {
    Colour well = mixColour(rgb(12, 18, 50), rgb(22, 34, 82), linearParam(p, c - Point{0, halfH}, c + Point{0, halfH}));
    // Inner shadow under the upper lip.
    const float lip = (1.0f - smoothstep(0.0f, 5.0f, p.y - (c.y - halfH))) * 0.6f;
    well = mixColour(well, rgb(0, 0, 10), lip);
    return mixColour(well, rgb(10, 14, 40), (1.0f - smoothstep(0.0f, 1.5f, -d)) * 0.8f);
  });
}

// A gold rule across the panel between its sections.
void paintRule(Canvas* canvas, float y) {
  fillShape(canvas, Box{10, int(y) - 4, 128, int(y) + 4},
            [&](Point p) { return sdCapsule(p, Point{22.0f, y}, Point{124.0f, y}, 1.2f); },
            [&](Point p, float) { return goldAt(clamp01((p.y - y + 1.2f) / 2.4f)); });
  paintJewel(canvas, Point{22.0f, y}, 4.5f, rgb(60, 210, 200));
}

// Night, morning and day: small buttons with a moon, a rising sun and a sun.
void paintColourButtons(Canvas* canvas) {
  const Colour tops[3] = {rgb(50, 60, 140), rgb(255, 170, 130), rgb(120, 200, 255)};
  const Colour bottoms[3] = {rgb(20, 24, 70), rgb(220, 90, 110), rgb(50, 140, 230)};
  const float xs[3] = {48.0f, 73.0f, 98.0f};
  for (int i = 0; i < 3; ++i) {
    const Point c{xs[i], 435.0f};
    paintButton(canvas, c, 11.5f, 11.5f, 5.0f, tops[i], bottoms[i]);
    const Box box = boxAround(c, 10.0f, 10.0f);
    if (i == 0) {
      // Night: a crescent moon and a star.
      paintIcon(canvas, box, [&](Point p) {
        return sdSubtract(sdCircle(p, c + Point{-1.0f, 0.5f}, 6.0f), sdCircle(p, c + Point{2.2f, -1.5f}, 5.0f));
      }, rgb(255, 240, 170));
      fillShapeColour(canvas, box, [&](Point p) { return sdStar(p, c + Point{5.0f, 4.0f}, 2.6f, 1.0f, 4, 0.0f); },
                      rgb(255, 255, 230));
    } else if (i == 1) {
      // Morning: the sun half over the horizon.
      paintIcon(canvas, box, [&](Point p) {
        return sdIntersect(sdCircle(p, c + Point{0.0f, 3.0f}, 6.5f), p.y - (c.y + 3.0f));
      }, rgb(255, 236, 120));
      fillShapeColour(canvas, box, [&](Point p) { return std::fabs(p.y - (c.y + 4.5f)) - 0.7f; },
                      rgb(255, 250, 220, 200));
    } else {
      // Day: a full sun with rays.
      paintIcon(canvas, box, [&](Point p) {
        return std::min(sdCircle(p, c, 4.2f), sdStar(p, c, 8.0f, 4.6f, 8, 0.0f) + 0.3f);
      }, rgb(255, 230, 80));
    }
  }
}

}  // namespace

Image drawGameBarPicture() {
  Canvas canvas = makeCanvas(128, 512);
  Mask shape = makeMask(128, 512);
  maskShape(&shape, wholeCanvas(canvas), panelDistance);
  softShadow(&canvas, shape, -1.0f, 2.0f, 3.0f, rgb(0, 0, 20, 140));
  fillShape(&canvas, wholeCanvas(canvas), panelDistance, [](Point p, float) { return goldAt(clamp01(p.y / 512.0f) * 0.5f + 0.2f); });
  fillShape(&canvas, wholeCanvas(canvas), [](Point p) { return panelDistance(p) + 4.0f; },
            [](Point p, float d) {
              Colour c = panelSurface(p);
              // A lighter bevel just inside the gold rim.
              return mixColour(c, rgb(130, 170, 240), (1.0f - smoothstep(0.0f, 3.0f, -d)) * 0.45f);
            });
  paintWell(&canvas, 42.0f, 82.0f);
  paintWell(&canvas, 135.0f, 171.0f);
  paintWell(&canvas, 227.0f, 263.0f);
  paintRule(&canvas, 96.0f);
  paintRule(&canvas, 188.0f);
  paintRule(&canvas, 288.0f);
  paintButton(&canvas, Point{73.0f, 330.0f}, 44.0f, 14.5f, 12.0f, rgb(70, 210, 170), rgb(20, 130, 110));
  paintButton(&canvas, Point{75.5f, 398.0f}, 37.0f, 14.5f, 12.0f, rgb(70, 210, 170), rgb(20, 130, 110));
  const Point pause{75.5f, 398.0f};
  paintIcon(&canvas, boxAround(pause, 12.0f, 12.0f), [&](Point p) {
    return std::min(sdRoundedBox(p, pause + Point{-4.5f, 0.0f}, 2.6f, 8.0f, 1.3f),
                    sdRoundedBox(p, pause + Point{4.5f, 0.0f}, 2.6f, 8.0f, 1.3f));
  }, kWhite);
  paintColourButtons(&canvas);
  return canvasToImage(canvas);
}
