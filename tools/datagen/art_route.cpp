// art_route.cpp: the pieces of the route preview. The game draws one piece per
// cell, 40.2 units wide, turned by quarter turns: every piece is drawn here for
// a route running towards the picture's right edge, except the corner, which
// joins the left and the top edges. Pieces meet at the middle of the cell edges,
// where a light band runs under a row of dots; the dots fall every half cell, so
// neighbouring pieces continue the rhythm.
#include <cmath>

#include "art.h"

namespace {

constexpr float kMid = 32.0f;
constexpr float kDotRadius = 7.5f;
constexpr float kBandHalf = 4.5f;
const Colour kBand = rgb(255, 214, 96, 150);
const Colour kDotRim = rgb(236, 128, 24);
const Colour kDotFace = rgb(255, 252, 236);

// A soft shadow, an orange rim and a light face: readable on light and dark floors.
void paintDot(Canvas* canvas, Point c, float radius) {
  fillShapeColour(canvas, boxAround(c, radius + 3.0f, radius + 3.0f),
                  [&](Point p) { return sdCircle(p, c + Point{0.6f, 1.2f}, radius + 0.6f); },
                  rgb(40, 20, 0, 90), 2.5f);
  fillShapeColour(canvas, boxAround(c, radius, radius), [&](Point p) { return sdCircle(p, c, radius); },
                  kDotRim);
  fillShape(canvas, boxAround(c, radius, radius), [&](Point p) { return sdCircle(p, c, radius - 2.2f); },
            [&](Point p, float) {
              const float t = linearParam(p, c + Point{-radius, -radius}, c + Point{radius, radius});
              return mixColour(kDotFace, rgb(255, 222, 150), t);
            });
}

// The band along a path given by its distance function.
template <class Distance>
void paintBand(Canvas* canvas, Distance distance) {
  fillShapeColour(canvas, wholeCanvas(*canvas), [&](Point p) { return distance(p) - kBandHalf - 2.0f; },
                  rgb(255, 190, 60, 60), 3.0f);
  fillShapeColour(canvas, wholeCanvas(*canvas), [&](Point p) { return distance(p) - kBandHalf; }, kBand);
}

float horizontalLine(Point p, float from, float to) {
  return sdCapsule(p, Point{from, kMid}, Point{to, kMid}, 0.0f);
}

// The arrow head: a rounded triangle pointing right.
void paintHead(Canvas* canvas) {
  const Point corners[3] = {Point{57.0f, kMid}, Point{30.0f, kMid - 17.0f}, Point{30.0f, kMid + 17.0f}};
  auto shape = [&](Point p) { return sdPolygon(p, corners, 3) - 2.5f; };
  fillShapeColour(canvas, wholeCanvas(*canvas), [&](Point p) { return shape(p - Point{0.8f, 1.6f}); },
                  rgb(40, 20, 0, 100), 3.0f);
  fillShapeColour(canvas, wholeCanvas(*canvas), shape, kDotRim);
  fillShape(canvas, wholeCanvas(*canvas), [&](Point p) { return shape(p) + 2.6f; },
            [&](Point p, float) {
              const float t = linearParam(p, Point{30.0f, kMid - 17.0f}, Point{42.0f, kMid + 14.0f});
              return mixColour(kDotFace, rgb(255, 206, 110), t);
            });
}

}  // namespace

Image drawRoutePicture(RoutePiece piece) {
  Canvas canvas = makeCanvas(64, 64);
  switch (piece) {
    case RoutePiece::Straight:
      paintBand(&canvas, [](Point p) { return std::fabs(p.y - kMid); });
      paintDot(&canvas, Point{16.0f, kMid}, kDotRadius);
      paintDot(&canvas, Point{48.0f, kMid}, kDotRadius);
      break;
    case RoutePiece::Corner: {
      // A quarter circle about the top-left corner joins the two edge middles.
      paintBand(&canvas, [](Point p) { return std::fabs(length(p) - kMid); });
      for (const float degrees : {22.5f, 67.5f}) {
        const float a = degrees * kPi / 180.0f;
        paintDot(&canvas, Point{std::cos(a) * kMid, std::sin(a) * kMid}, kDotRadius);
      }
      break;
    }
    case RoutePiece::Tail:
      // The route starts at the ball's side with a small dot and grows.
      paintBand(&canvas, [](Point p) { return horizontalLine(p, 14.0f, 80.0f); });
      paintDot(&canvas, Point{16.0f, kMid}, kDotRadius - 1.5f);
      paintDot(&canvas, Point{48.0f, kMid}, kDotRadius);
      break;
    case RoutePiece::Head:
      paintBand(&canvas, [](Point p) { return horizontalLine(p, -20.0f, 34.0f); });
      paintDot(&canvas, Point{16.0f, kMid}, kDotRadius);
      paintHead(&canvas);
      break;
  }
  return canvasToImage(canvas);
}
