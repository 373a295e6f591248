// art_menu.cpp: the menu pictures. The atlas "menutex.tga" holds the window
// frame (a gold rail whose middle line lies on the window's edge, so the body's
// square corners hide under it), the frame's ornaments, the slider arrows and
// knob, the check boxes and the drawn cursor; "baloon.tga" the tooltip balloon's
// cream frame and pointer; "button.tga" the item button's two caps; "white.jpg"
// the soft texture the game tints for window bodies.
#include <cmath>

#include "art.h"

namespace {

constexpr int kUnit = 64;  // the atlas grid unit
const Colour kRailLight = rgb(255, 240, 170);
const Colour kRailMid = rgb(232, 178, 72);
const Colour kRailDark = rgb(148, 92, 26);
const Colour kRailEdge = rgb(92, 52, 14);
const Colour kJewel = rgb(40, 196, 186);
const Colour kRuby = rgb(226, 46, 80);

// The rail's colour at `across` = -1 (outer side, lit) .. 1 (inner side).
Colour railColour(float across) {
  const ColourStop stops[4] = {{-1.0f, kRailLight}, {-0.2f, kRailMid}, {0.6f, kRailDark}, {1.0f, kRailEdge}};
  Colour c = rampColour(stops, 4, across);
  // A bright line along the rail's crown.
  return mixColour(c, rgb(255, 250, 220), std::exp(-(across + 0.45f) * (across + 0.45f) * 30.0f) * 0.7f);
}

constexpr float kRailHalf = 7.0f;

// Paints a rail segment from a to b (straight), lit from the upper left.
void paintRail(Canvas* canvas, Box box, Point a, Point b) {
  const Point dir = b - a;
  const float len = length(dir);
  const Point n{-dir.y / len, dir.x / len};
  // The side facing up or left is the lit one (across = -1).
  const float flip = (n.x + n.y) > 0.0f ? 1.0f : -1.0f;
  fillShapeColour(canvas, box, [&](Point p) { return sdCapsule(p, a, b, kRailHalf + 1.0f); }, kRailEdge);
  fillShape(canvas, box, [&](Point p) { return sdCapsule(p, a, b, kRailHalf); },
            [&](Point p, float) { return railColour(flip * dot(p - a, n) / kRailHalf); });
}

// A jewel in a gold setting.
void paintSetting(Canvas* canvas, Point c, float radius, Colour stone) {
  fillShapeColour(canvas, boxAround(c, radius + 4, radius + 4),
                  [&](Point p) { return sdCircle(p, c + Point{1.0f, 2.0f}, radius + 0.5f); }, rgb(20, 8, 0, 120), 3.0f);
  fillShapeColour(canvas, boxAround(c, radius + 1, radius + 1), [&](Point p) { return sdCircle(p, c, radius + 1.0f); },
                  kRailEdge);
  fillShape(canvas, boxAround(c, radius, radius), [&](Point p) { return sdCircle(p, c, radius); },
            [&](Point p, float) { return railColour(-1.0f + 2.0f * linearParam(p, c - Point{radius, radius}, c + Point{radius, radius})); });
  const float inner = radius * 0.64f;
  fillShapeColour(canvas, boxAround(c, inner + 1, inner + 1), [&](Point p) { return sdCircle(p, c, inner + 0.8f); },
                  kRailEdge);
  fillShape(canvas, boxAround(c, inner, inner), [&](Point p) { return sdCircle(p, c, inner); },
            [&](Point p, float) { return glossySphere(p, c, inner, stone); });
}

// Texels of an atlas cell of w x h grid units.
Box cellBox(int col, int row, int w = 1, int h = 1) {
  return Box{col * kUnit, row * kUnit, (col + w) * kUnit, (row + h) * kUnit};
}

Point cellCentre(int col, int row, int w = 1, int h = 1) {
  return Point{(col + w * 0.5f) * kUnit, (row + h * 0.5f) * kUnit};
}

// A window corner: rails from the cell centre towards the window's inside, under
// a jewel. dx, dy = +1 or -1 point along the two edges away from the corner.
void paintCorner(Canvas* atlas, int col, int row, int dx, int dy) {
  const Box box = cellBox(col, row);
  const Point c = cellCentre(col, row);
  paintRail(atlas, box, c, c + Point{dx * 40.0f, 0.0f});
  paintRail(atlas, box, c, c + Point{0.0f, dy * 40.0f});
  paintSetting(atlas, c, 13.0f, kJewel);
}

// A leaf of the ornaments: a pointed gold ellipse turned by degrees.
void paintLeaf(Canvas* canvas, Box box, Point c, float reach, float width, float degrees) {
  // Two overlapping circles make a leaf pointed at both ends.
  const float radius = (reach * reach + width * width) / (2.0f * width);
  auto shape = [&](Point p) {
    const Point q = rotatePoint(p, c, -degrees);
    return std::max(sdCircle(q, c + Point{0.0f, radius - width}, radius),
                    sdCircle(q, c - Point{0.0f, radius - width}, radius));
  };
  fillShapeColour(canvas, box, [&](Point p) { return shape(p - Point{0.8f, 1.5f}); }, rgb(20, 8, 0, 110), 2.5f);
  fillShapeColour(canvas, box, [&](Point p) { return shape(p) - 0.9f; }, kRailEdge);
  fillShape(canvas, box, shape, [&](Point p, float d) {
    const float t = clamp01(-d / width);
    return mixColour(kRailDark, kRailLight, t * 0.9f + (p.y < c.y ? 0.1f : 0.0f));
  });
}

// The ornament in the middle of a horizontal edge (cells 10 and 11) or, turned,
// of a vertical edge (12 and 13). `outward` is +1 when the outside is up or left.
void paintOrnament(Canvas* atlas, Box box, Point c, bool horizontal, float outward) {
  const Point along = horizontal ? Point{1.0f, 0.0f} : Point{0.0f, 1.0f};
  const Point out = horizontal ? Point{0.0f, -outward} : Point{-outward, 0.0f};
  paintRail(atlas, box, c - along * 64.0f, c + along * 64.0f);
  const float base = horizontal ? 0.0f : 90.0f;
  for (const float side : {-1.0f, 1.0f}) {
    const Point leaf = c + along * (side * 26.0f) + out * 6.0f;
    const float tilt = base + side * (horizontal ? -18.0f : 18.0f) * outward;
    paintLeaf(atlas, box, leaf, 19.0f, 6.5f, tilt);
    paintLeaf(atlas, box, c + along * (side * 40.0f) + out * 1.0f, 11.0f, 4.0f, tilt + side * 10.0f);
  }
  paintSetting(atlas, c + out * 4.0f, 17.0f, kRuby);
  paintSetting(atlas, c + out * 20.0f, 5.5f, kJewel);
}

// A rounded arrow button pointing left (-1) or right (+1).
void paintArrow(Canvas* atlas, int col, int row, float direction) {
  const Box box = cellBox(col, row);
  const Point c = cellCentre(col, row);
  const Point corners[3] = {c + Point{direction * 17.0f, 0.0f}, c + Point{-direction * 11.0f, -16.0f},
                            c + Point{-direction * 11.0f, 16.0f}};
  auto shape = [&](Point p) { return sdPolygon(p, corners, 3) - 4.0f; };
  fillShapeColour(atlas, box, [&](Point p) { return shape(p - Point{1.0f, 2.5f}); }, rgb(20, 8, 0, 120), 3.0f);
  fillShapeColour(atlas, box, shape, kRailEdge);
  fillShape(atlas, box, [&](Point p) { return shape(p) + 1.5f; }, [&](Point p, float d) {
    const float t = linearParam(p, c - Point{0, 18}, c + Point{0, 18});
    Colour face = mixColour(rgb(255, 214, 100), rgb(226, 120, 20), t);
    return mixColour(face, rgb(255, 248, 210), (1.0f - smoothstep(0.0f, 3.0f, -d)) * (t < 0.5f ? 0.7f : 0.1f));
  });
}

// A check box, empty or with a tick that overflows it a little.
void paintCheckBox(Canvas* atlas, int col, int row, bool ticked) {
  const Box box = cellBox(col, row);
  const Point c = cellCentre(col, row) + Point{0.0f, 2.0f};
  auto frame = [&](Point p) { return sdRoundedBox(p, c, 16.0f, 16.0f, 6.0f); };
  fillShapeColour(atlas, box, [&](Point p) { return frame(p - Point{1.0f, 2.0f}); }, rgb(20, 8, 0, 120), 3.0f);
  fillShape(atlas, box, frame, [&](Point p, float) { return railColour(-1.0f + 2.0f * linearParam(p, c - Point{0, 16}, c + Point{0, 16})); });
  fillShape(atlas, box, [&](Point p) { return frame(p) + 3.5f; }, [&](Point p, float) {
    const float t = linearParam(p, c - Point{0, 12}, c + Point{0, 12});
    // Sunken: darker at the top where the rim shades it.
    return mixColour(rgb(214, 200, 170), rgb(255, 250, 236), smoothstep(0.0f, 0.5f, t));
  });
  if (!ticked) return;
  auto tick = [&](Point p) {
    return std::min(sdCapsule(p, c + Point{-9.0f, -1.0f}, c + Point{-2.0f, 7.0f}, 3.6f),
                    sdCapsule(p, c + Point{-2.0f, 7.0f}, c + Point{14.0f, -15.0f}, 3.6f));
  };
  fillShapeColour(atlas, box, [&](Point p) { return tick(p - Point{1.0f, 2.0f}); }, rgb(0, 40, 0, 110), 2.5f);
  fillShapeColour(atlas, box, [&](Point p) { return tick(p) - 1.0f; }, rgb(20, 90, 20));
  fillShape(atlas, box, tick, [&](Point p, float d) {
    return mixColour(rgb(60, 190, 60), rgb(180, 255, 150), (1.0f - smoothstep(0.0f, 2.5f, -d)) * (p.y < c.y ? 0.6f : 0.2f));
  });
}

// The drawn arrow cursor with its tip at texel (2, 0) of cell 22.
void paintCursor(Canvas* atlas) {
  const Point o{3.0f * kUnit, 7.0f * kUnit};
  const Point corners[7] = {o + Point{2.0f, 0.5f},   o + Point{2.0f, 27.0f},  o + Point{8.5f, 21.5f},
                            o + Point{13.5f, 32.0f}, o + Point{18.0f, 30.0f}, o + Point{13.2f, 19.8f},
                            o + Point{21.5f, 19.8f}};
  const Box box = cellBox(3, 7);
  auto shape = [&](Point p) { return sdPolygon(p, corners, 7); };
  fillShapeColour(atlas, box, [&](Point p) { return shape(p - Point{1.5f, 2.5f}) - 0.5f; }, rgb(0, 0, 20, 110), 3.0f);
  fillShapeColour(atlas, box, [&](Point p) { return shape(p) - 0.5f; }, rgb(30, 30, 60));
  fillShape(atlas, box, [&](Point p) { return shape(p) + 1.0f; }, [&](Point p, float) {
    return mixColour(kWhite, rgb(255, 226, 140), linearParam(p, o, o + Point{14.0f, 30.0f}));
  });
}

}  // namespace

Image drawMenuAtlasPicture() {
  Canvas atlas = makeCanvas(256, 512);
  // Cells 0..3: corners (the window lies right/below of TL, and so on).
  paintCorner(&atlas, 0, 0, 1, 1);
  paintCorner(&atlas, 1, 0, -1, 1);
  paintCorner(&atlas, 0, 1, 1, -1);
  paintCorner(&atlas, 1, 1, -1, -1);
  // Cells 4 and 5: edges that repeat seamlessly.
  paintRail(&atlas, cellBox(0, 2), Point{-20.0f, 160.0f}, Point{84.0f, 160.0f});
  paintRail(&atlas, cellBox(1, 2), Point{96.0f, 108.0f}, Point{96.0f, 212.0f});
  // Cells 10..13: ornaments at the middle of each edge.
  paintOrnament(&atlas, cellBox(0, 3, 2, 1), cellCentre(0, 3, 2, 1), true, 1.0f);
  paintOrnament(&atlas, cellBox(0, 4, 2, 1), cellCentre(0, 4, 2, 1), true, -1.0f);
  paintOrnament(&atlas, cellBox(2, 3, 1, 2), cellCentre(2, 3, 1, 2), false, 1.0f);
  paintOrnament(&atlas, cellBox(3, 3, 1, 2), cellCentre(3, 3, 1, 2), false, -1.0f);
  paintArrow(&atlas, 0, 7, -1.0f);
  paintArrow(&atlas, 1, 7, 1.0f);
  paintSetting(&atlas, cellCentre(3, 5), 15.0f, kJewel);  // slider knob
  paintCheckBox(&atlas, 1, 6, true);
  paintCheckBox(&atlas, 1, 5, false);
  paintCursor(&atlas);
  // Cell 23: the glow behind the cursor, around the arrow's body.
  const Point glow = cellCentre(2, 7) + Point{-20.0f, -16.0f};
  fillShape(&atlas, cellBox(2, 7), [&](Point p) { return length(p - glow) - 30.0f; }, [&](Point p, float) {
    const float f = 1.0f - clamp01(length(p - glow) / 30.0f);
    return withAlpha(rgb(255, 226, 120), f * f * 0.9f);
  });
  return canvasToImage(atlas);
}

// ---------------------------------------------------------------------------
// Balloon: a cream rim whose middle line lies on the box edge, its corners
// rounded over the body's square corners; the pointer a tapering cream spike.

namespace {

constexpr float kBalloonRim = 4.0f;
const Colour kCream = rgb(255, 244, 212);

// The rim's colour at `across` 0 (its middle line) .. 1 (its sides).
Colour balloonRim(float across) {
  const float t = clamp01(across);
  return mixColour(kCream, rgb(226, 176, 96), t * t);
}

}  // namespace

Image drawBalloonPicture() {
  Canvas canvas = makeCanvas(256, 128);
  // Corners: cell 0 TL, 1 TR, 2 BL, 3 BR; each rim turns about the cell centre.
  const int cells[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
  const int dirs[4][2] = {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
  for (int i = 0; i < 4; ++i) {
    const Box box = cellBox(cells[i][0], cells[i][1]);
    const Point c = cellCentre(cells[i][0], cells[i][1]);
    const Point inward{float(dirs[i][0]), float(dirs[i][1])};
    const Point bend = c + inward * 6.0f;
    // Distance to an L-shaped path: two half-lines from the cell centre, joined by
    // a round turn of radius 6 whose outside covers the body's corner.
    auto rim = [&](Point p) {
      const Point q{(p.x - bend.x) * inward.x, (p.y - bend.y) * inward.y};
      float d;
      if (q.x < 0.0f && q.y < 0.0f) {
        d = std::fabs(length(q) - 6.0f);
      } else if (q.x < 0.0f) {
        d = std::fabs(q.x + 6.0f);
      } else {
        d = std::fabs(q.y + 6.0f);
      }
      return d;
    };
    fillShapeColour(&canvas, box, [&](Point p) { return rim(p - Point{0.0f, 1.5f}) - kBalloonRim - 1.0f; },
                    rgb(20, 8, 0, 90), 3.0f);
    fillShapeColour(&canvas, box, [&](Point p) { return rim(p) - kBalloonRim - 0.8f; }, rgb(130, 80, 30));
    fillShape(&canvas, box, [&](Point p) { return rim(p) - kBalloonRim; },
              [&](Point p, float) { return balloonRim(rim(p) / kBalloonRim); });
  }
  // Cell 4: the horizontal edge; cell 5: the vertical edge; shadows as the corners'.
  fillShapeColour(&canvas, cellBox(2, 0), [](Point p) { return std::fabs(p.y - 33.5f) - kBalloonRim - 1.0f; },
                  rgb(20, 8, 0, 90), 3.0f);
  fillShapeColour(&canvas, cellBox(3, 0), [](Point p) { return std::fabs(p.x - 224.0f) - kBalloonRim - 1.0f; },
                  rgb(20, 8, 0, 90), 3.0f);
  fillShapeColour(&canvas, cellBox(2, 0), [](Point p) { return std::fabs(p.y - 32.0f) - kBalloonRim - 0.8f; }, rgb(130, 80, 30));
  fillShape(&canvas, cellBox(2, 0), [](Point p) { return std::fabs(p.y - 32.0f) - kBalloonRim; },
            [](Point p, float) { return balloonRim(std::fabs(p.y - 32.0f) / kBalloonRim); });
  fillShapeColour(&canvas, cellBox(3, 0), [](Point p) { return std::fabs(p.x - 224.0f) - kBalloonRim - 0.8f; }, rgb(130, 80, 30));
  fillShape(&canvas, cellBox(3, 0), [](Point p) { return std::fabs(p.x - 224.0f) - kBalloonRim; },
            [](Point p, float) { return balloonRim(std::fabs(p.x - 224.0f) / kBalloonRim); });
  // Cells 6 and 7 (columns 2-3 of row 1): the pointer, its tip at the left end.
  const Box pointer = Box{128, 64, 256, 128};
  const Point tip{134.0f, 96.0f};
  const Point corners[3] = {tip, Point{256.0f, 80.0f}, Point{256.0f, 112.0f}};
  fillShape(&canvas, pointer, [&](Point p) { return sdPolygon(p, corners, 3) - 2.0f; }, [&](Point p, float d) {
    const float fade = 1.0f - smoothstep(200.0f, 250.0f, p.x);
    const Colour edge = mixColour(kCream, rgb(150, 96, 36), 1.0f - smoothstep(0.0f, 1.6f, -d));
    return withAlpha(edge, fade);
  });
  return canvasToImage(canvas);
}

// The item button: a glossy teal pill in a gold rim; the left half is the left
// cap, the right half the right cap, and the middle column is what stretches.
Image drawButtonPicture() {
  Canvas canvas = makeCanvas(128, 64);
  const Point c{64.0f, 31.0f};
  auto pill = [&](Point p) { return sdRoundedBox(p, c, 58.0f, 23.0f, 23.0f); };
  fillShapeColour(&canvas, wholeCanvas(canvas), [&](Point p) { return pill(p - Point{0.0f, 2.5f}); }, rgb(10, 4, 0, 130), 3.5f);
  fillShape(&canvas, wholeCanvas(canvas), pill, [&](Point p, float) {
    return railColour(-1.0f + 2.0f * linearParam(p, c - Point{0, 23}, c + Point{0, 23}));
  });
  fillShape(&canvas, wholeCanvas(canvas), [&](Point p) { return pill(p) + 3.0f; }, [&](Point p, float d) {
    const float t = linearParam(p, c - Point{0, 20}, c + Point{0, 20});
    Colour face = mixColour(rgb(60, 200, 170), rgb(14, 110, 100), t);
    const float gloss = (1.0f - smoothstep(0.36f, 0.5f, t)) * 0.32f * (1.0f - smoothstep(-4.0f, 0.0f, d));
    face = mixColour(face, kWhite, gloss);
    return mixColour(face, rgb(0, 60, 50), (1.0f - smoothstep(0.0f, 2.0f, -d)) * 0.5f);
  });
  return canvasToImage(canvas);
}

// A soft light texture for window bodies: mirrored by the game, seamless anyway.
Image drawWhitePicture() {
  Canvas canvas = makeCanvas(128, 128);
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 128; ++x) {
      const float cloud = fractalNoise(x / 16.0f, y / 16.0f, 4, 31u, 8);
      const float fibre = tiledValueNoise(x / 2.0f, y / 16.0f, 64, 32u);
      const float v = 0.78f + 0.18f * cloud + 0.04f * fibre;
      paintPixel(&canvas, x, y, Colour{v, v, v, 1.0f}, 1.0f);
    }
  }
  return canvasToImage(canvas);
}

// Loaded but never drawn: a warm seamless weave.
Image drawWindowFillPicture() {
  Canvas canvas = makeCanvas(64, 64);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const float weave = 0.5f + 0.25f * std::sin(x * kPi / 4.0f) * std::sin(y * kPi / 4.0f);
      const float cloud = fractalNoise(x / 8.0f, y / 8.0f, 3, 41u, 8);
      paintPixel(&canvas, x, y, mixColour(rgb(120, 70, 30), rgb(230, 190, 130), 0.6f * weave + 0.4f * cloud), 1.0f);
    }
  }
  return canvasToImage(canvas);
}
