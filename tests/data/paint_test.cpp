// paint_test.cpp: the data tool's painting toolkit: distances, anti-aliased
// coverage, compositing, blur, noise that tiles, colour conversions and turned
// drawing. The toolkit lives in the tool, not in the game library, so its sources
// are compiled into this test directly.
#include <gtest/gtest.h>

#include <cmath>

#include "datagen/common.cpp"
#include "datagen/image.cpp"
#include "datagen/paint.cpp"

namespace {

float totalAlpha(const Canvas& canvas) {
  float sum = 0.0f;
  for (const Colour& p : canvas.pixels) sum += p.a;
  return sum;
}

}  // namespace

TEST(Paint, DistancesAreSignedAndTrueNearTheEdges) {
  const Point c{10.0f, 10.0f};
  EXPECT_NEAR(sdCircle(Point{13.0f, 14.0f}, c, 4.0f), 1.0f, 1e-4f);
  EXPECT_NEAR(sdRoundedBox(Point{10.0f, 4.0f}, c, 5.0f, 3.0f, 1.0f), 3.0f, 1e-4f);
  EXPECT_NEAR(sdRoundedBox(c, c, 5.0f, 3.0f, 1.0f), -3.0f, 1e-4f);
  // A polygon gives the same distances whichever way it winds.
  const Point clockwise[4] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
  const Point counter[4] = {{0, 0}, {0, 4}, {4, 4}, {4, 0}};
  for (const Point p : {Point{1.0f, 2.0f}, Point{6.0f, 2.0f}, Point{5.0f, 5.0f}}) {
    EXPECT_NEAR(sdPolygon(p, clockwise, 4), sdPolygon(p, counter, 4), 1e-4f);
  }
  EXPECT_NEAR(sdPolygon(Point{1.0f, 2.0f}, clockwise, 4), -1.0f, 1e-4f);
  EXPECT_NEAR(sdPolygon(Point{6.0f, 2.0f}, clockwise, 4), 2.0f, 1e-4f);
  // The first tip of a star points up; its middle is inside.
  EXPECT_NEAR(sdStar(Point{10.0f, 2.0f}, c, 8.0f, 3.0f, 5, 0.0f), 0.0f, 1e-3f);
  EXPECT_LT(sdStar(c, c, 8.0f, 3.0f, 5, 0.0f), -2.0f);
  EXPECT_GT(sdStar(Point{10.0f, 18.5f}, c, 8.0f, 3.0f, 5, 0.0f), 0.0f);
  // A heart is mirror-symmetric, holds its middle, and its tip points down.
  EXPECT_LT(sdHeart(c, c, 6.0f), 0.0f);
  EXPECT_NEAR(sdHeart(Point{7.0f, 12.0f}, c, 6.0f), sdHeart(Point{13.0f, 12.0f}, c, 6.0f), 1e-4f);
  EXPECT_LT(sdHeart(Point{10.0f, 15.0f}, c, 6.0f), sdHeart(Point{14.0f, 15.0f}, c, 6.0f) - 2.0f);
  EXPECT_LT(sdHeart(Point{14.0f, 7.0f}, c, 6.0f), sdHeart(Point{10.0f, 5.0f}, c, 6.0f));  // two lobes
  EXPECT_NEAR(sdRing(Point{16.0f, 10.0f}, c, 5.0f, 2.0f), 0.0f, 1e-4f);
}

TEST(Paint, AntiAliasedShapesCoverTheirAreaAndCompositeOver) {
  Canvas canvas = makeCanvas(40, 40);
  const Point c{20.3f, 19.6f};
  fillShapeColour(&canvas, wholeCanvas(canvas), [&](Point p) { return sdCircle(p, c, 12.0f); }, kWhite);
  EXPECT_NEAR(totalAlpha(canvas), kPi * 144.0f, kPi * 144.0f * 0.01f);
  // Half-covered white over opaque black is mid grey; over clear it is white
  // with half alpha (straight alpha on the way out).
  Canvas black = makeCanvas(1, 1, kBlack);
  paintPixel(&black, 0, 0, kWhite, 0.5f);
  EXPECT_NEAR(canvasPixel(black, 0, 0).r, 0.5f, 1e-5f);
  EXPECT_NEAR(canvasPixel(black, 0, 0).a, 1.0f, 1e-5f);
  Canvas clear = makeCanvas(1, 1);
  paintPixel(&clear, 0, 0, rgb(255, 0, 0), 0.5f);
  const Image image = canvasToImage(clear);
  EXPECT_EQ(getPixel(image, 0, 0).r, 255);
  EXPECT_EQ(getPixel(image, 0, 0).a, 128);
  const Canvas back = imageToCanvas(image);
  EXPECT_NEAR(canvasPixel(back, 0, 0).r, 1.0f, 1e-5f);
  // Added light grows without covering what is there.
  Canvas dark = makeCanvas(1, 1, rgb(100, 0, 0));
  addPixel(&dark, 0, 0, rgb(0, 100, 0), 1.0f);
  EXPECT_NEAR(canvasPixel(dark, 0, 0).r, 100 / 255.0f, 1e-5f);
  EXPECT_NEAR(canvasPixel(dark, 0, 0).g, 100 / 255.0f, 1e-5f);
}

TEST(Paint, BlurSpreadsWithoutLosingOrGainingCoverage) {
  Mask mask = makeMask(64, 64);
  mask.values[32 * 64 + 32] = 1.0f;
  mask.values[30 * 64 + 28] = 0.5f;
  blurMask(&mask, 6.0f);
  float sum = 0.0f;
  for (const float v : mask.values) sum += v;
  EXPECT_NEAR(sum, 1.5f, 1e-3f);
  EXPECT_LT(maskAt(mask, 32, 32), 0.1f);
  EXPECT_GT(maskAt(mask, 32, 36), 0.0f);
  // Symmetric about the source.
  Mask dot = makeMask(33, 33);
  dot.values[16 * 33 + 16] = 1.0f;
  blurMask(&dot, 4.0f);
  EXPECT_NEAR(maskAt(dot, 12, 16), maskAt(dot, 20, 16), 1e-6f);
  EXPECT_NEAR(maskAt(dot, 16, 12), maskAt(dot, 16, 20), 1e-6f);
  Canvas canvas = makeCanvas(16, 16);
  paintPixel(&canvas, 8, 8, kWhite, 1.0f);
  blurCanvas(&canvas, 3.0f);
  EXPECT_NEAR(totalAlpha(canvas), 1.0f, 1e-3f);
}

TEST(Paint, NoiseIsSmoothRepeatableAndTilesWhenAsked) {
  EXPECT_EQ(valueNoise(3.7f, 1.2f, 5u), valueNoise(3.7f, 1.2f, 5u));
  EXPECT_NE(valueNoise(3.7f, 1.2f, 5u), valueNoise(3.7f, 1.2f, 6u));
  // Neighbouring samples stay close: no jumps between lattice cells.
  for (float x = 0.0f; x < 4.0f; x += 0.01f) {
    EXPECT_LT(std::fabs(valueNoise(x, 0.5f, 9u) - valueNoise(x + 0.01f, 0.5f, 9u)), 0.05f);
  }
  for (const float x : {0.3f, 1.7f, 5.5f}) {
    for (const float y : {0.1f, 2.9f}) {
      EXPECT_NEAR(tiledValueNoise(x, y, 8, 3u), tiledValueNoise(x + 8.0f, y, 8, 3u), 1e-5f);
      EXPECT_NEAR(tiledValueNoise(x, y, 8, 3u), tiledValueNoise(x, y - 8.0f, 8, 3u), 1e-5f);
      EXPECT_NEAR(fractalNoise(x, y, 4, 3u, 8), fractalNoise(x + 8.0f, y + 8.0f, 4, 3u, 8), 1e-5f);
    }
  }
  RandomStream a{42u}, b{42u};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(randomUnit(&a), randomUnit(&b));
}

TEST(Paint, ColoursConvertAndRampsBlend) {
  float h, s, v;
  toHsv(fromHsv(200.0f, 0.6f, 0.8f), &h, &s, &v);
  EXPECT_NEAR(h, 200.0f, 0.01f);
  EXPECT_NEAR(s, 0.6f, 1e-4f);
  EXPECT_NEAR(v, 0.8f, 1e-4f);
  EXPECT_NEAR(fromHsv(-120.0f, 1.0f, 1.0f).b, 1.0f, 1e-5f);  // hue wraps
  const ColourStop stops[3] = {{0.0f, kBlack}, {0.5f, kWhite}, {1.0f, rgb(255, 0, 0)}};
  EXPECT_NEAR(rampColour(stops, 3, 0.25f).g, 0.5f, 1e-5f);
  EXPECT_NEAR(rampColour(stops, 3, 0.75f).g, 0.5f, 1e-5f);
  EXPECT_NEAR(rampColour(stops, 3, -1.0f).r, 0.0f, 1e-5f);
  EXPECT_NEAR(rampColour(stops, 3, 2.0f).g, 0.0f, 1e-5f);
  EXPECT_NEAR(lighten(rgb(0, 0, 0), 0.5f).r, 0.5f, 1e-5f);
  EXPECT_NEAR(lighten(rgb(255, 255, 255), -0.25f).r, 0.75f, 1e-5f);
}

TEST(Paint, TurnedDrawingTurnsClockwiseOnScreenAndShrinkingAverages) {
  // A mark right of the middle ends below it after a quarter turn.
  Canvas src = makeCanvas(9, 9);
  paintPixel(&src, 7, 4, kWhite, 1.0f);
  Canvas dst = makeCanvas(9, 9);
  drawCanvas(&dst, src, Point{4.5f, 4.5f}, 90.0f, 1.0f);
  EXPECT_GT(canvasPixel(dst, 4, 7).a, 0.9f);
  EXPECT_LT(canvasPixel(dst, 7, 4).a, 0.1f);
  // Stretching a one-texel column keeps its colour.
  Canvas column = makeCanvas(2, 2, rgb(0, 255, 0));
  Canvas wide = makeCanvas(20, 2);
  drawCanvasRect(&wide, column, 0.0f, 0.0f, 1.0f, 2.0f, 0.0f, 0.0f, 20.0f, 2.0f);
  EXPECT_NEAR(canvasPixel(wide, 10, 1).g, 1.0f, 1e-5f);
  Canvas big = makeCanvas(4, 4);
  paintPixel(&big, 0, 0, kWhite, 1.0f);
  const Canvas small = downsample(big, 2);
  EXPECT_EQ(small.width, 2);
  EXPECT_NEAR(small.pixels[0].a, 0.25f, 1e-6f);
  EXPECT_NEAR(small.pixels[3].a, 0.0f, 1e-6f);
}
