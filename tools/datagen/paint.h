// paint.h: the painting toolkit every picture generator of the tool shares. A
// Canvas holds float colour with premultiplied alpha, so layers composite and blur
// without dark fringes; shapes are signed distance functions in pixel units
// (negative inside), which gives clean anti-aliased edges without supersampling.
// On top: colour helpers and ramps, linear and radial gradients, sphere lighting
// with specular highlights, masks with blur and soft shadows, value noise (plain
// and tiling), and compositing of one canvas onto another turned and scaled.
//
// Everything is single-threaded plain float arithmetic in a fixed order, and every
// random value comes from a seeded hash, so the same calls give the same bytes.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "image.h"

constexpr float kPi = 3.14159265358979f;

// ---------------------------------------------------------------------------
// Colours

// Straight (not premultiplied) colour, every channel 0..1.
struct Colour {
  float r, g, b, a;
};

// A colour from 0..255 channels.
constexpr Colour rgb(int r, int g, int b, int a = 255) {
  return Colour{r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f};
}
constexpr Colour kClear{0.0f, 0.0f, 0.0f, 0.0f};
constexpr Colour kWhite{1.0f, 1.0f, 1.0f, 1.0f};
constexpr Colour kBlack{0.0f, 0.0f, 0.0f, 1.0f};

inline float clamp01(float v) { return std::max(0.0f, std::min(1.0f, v)); }
// Hermite step from 0 at edge0 to 1 at edge1.
inline float smoothstep(float edge0, float edge1, float v) {
  const float t = clamp01((v - edge0) / (edge1 - edge0));
  return t * t * (3.0f - 2.0f * t);
}
inline float lerp(float a, float b, float t) { return a + (b - a) * t; }

// t = 0 gives a, 1 gives b (every channel, alpha included).
Colour mixColour(Colour a, Colour b, float t);
Colour withAlpha(Colour c, float alpha);
// Towards white (t > 0) or black (t < 0) by |t|, alpha kept.
Colour lighten(Colour c, float t);
// Colour channels times factor, clamped; alpha kept.
Colour scaleColour(Colour c, float factor);
// Hue in degrees 0..360, saturation and value 0..1.
Colour fromHsv(float hue, float saturation, float value, float alpha = 1.0f);
void toHsv(Colour c, float* hue, float* saturation, float* value);

// One stop of a colour ramp; stops are given in rising `at` order.
struct ColourStop {
  float at;
  Colour colour;
};
// The ramp's colour at t (clamped to the first and last stop).
Colour rampColour(const ColourStop* stops, int count, float t);

// ---------------------------------------------------------------------------
// Canvas and mask

// Pixels top row first; colour premultiplied by alpha.
struct Canvas {
  int width;
  int height;
  std::vector<Colour> pixels;
};

Canvas makeCanvas(int width, int height, Colour fill = kClear);
// Straight colour of a pixel; clear outside the canvas.
Colour canvasPixel(const Canvas& canvas, int x, int y);
// Paints colour over the pixel with coverage 0..1 ("over"); outside: ignored.
void paintPixel(Canvas* canvas, int x, int y, Colour colour, float coverage);
// Adds light: colour x alpha x amount is added to the pixel, alpha grows alike.
void addPixel(Canvas* canvas, int x, int y, Colour colour, float amount);
// Takes away `amount` 0..1 of the pixel (colour and alpha).
void erasePixel(Canvas* canvas, int x, int y, float amount);
// Multiplies the colour of every pixel by tint (alpha by tint.a).
void tintCanvas(Canvas* canvas, Colour tint);
// Rounded 8-bit straight-alpha picture. Pixels with no alpha become black.
Image canvasToImage(const Canvas& canvas);
Canvas imageToCanvas(const Image& image);

// Coverage 0..1 per pixel.
struct Mask {
  int width;
  int height;
  std::vector<float> values;
};
Mask makeMask(int width, int height, float fill = 0.0f);
// 0 outside the mask.
float maskAt(const Mask& mask, int x, int y);
// The canvas's alpha as a mask.
Mask alphaMask(const Canvas& canvas);

// ---------------------------------------------------------------------------
// Geometry and signed distances (pixel units; a pixel's centre is x + 0.5)

struct Point {
  float x, y;
};
inline Point operator+(Point a, Point b) { return Point{a.x + b.x, a.y + b.y}; }
inline Point operator-(Point a, Point b) { return Point{a.x - b.x, a.y - b.y}; }
inline Point operator*(Point a, float s) { return Point{a.x * s, a.y * s}; }
inline float dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }
inline float length(Point a) { return std::sqrt(a.x * a.x + a.y * a.y); }
// p turned about centre by degrees (clockwise on screen, since y grows downwards).
Point rotatePoint(Point p, Point centre, float degrees);

float sdCircle(Point p, Point centre, float radius);
// Close to the true distance near the edge, which is all anti-aliasing needs.
float sdEllipse(Point p, Point centre, float radiusX, float radiusY);
// Box of half extents halfW x halfH with corners rounded by radius.
float sdRoundedBox(Point p, Point centre, float halfW, float halfH, float radius);
// A segment a..b thickened to radius (round ends).
float sdCapsule(Point p, Point a, Point b, float radius);
// Closed polygon of count corners in either winding.
float sdPolygon(Point p, const Point* corners, int count);
// A star of `points` tips; angle of the first tip in degrees (0 = up).
float sdStar(Point p, Point centre, float outer, float inner, int points, float degrees);
// A ring of the given mid radius and thickness.
float sdRing(Point p, Point centre, float radius, float thickness);
// A heart of about `size` half-width, tip pointing down.
float sdHeart(Point p, Point centre, float size);
inline float sdUnion(float a, float b) { return std::min(a, b); }
inline float sdIntersect(float a, float b) { return std::max(a, b); }
inline float sdSubtract(float a, float b) { return std::max(a, -b); }
// Union with the seam rounded over k pixels.
float sdSmoothUnion(float a, float b, float k);

// Coverage of a pixel at signed distance d: a one-pixel ramp at the edge, wider
// (softer) with softness > 1.
inline float coverage(float d, float softness = 1.0f) { return clamp01(0.5f - d / softness); }

// A pixel rectangle, x1 and y1 exclusive.
struct Box {
  int x0, y0, x1, y1;
};
// The pixels within rx, ry (plus a margin for the soft edge) of centre.
Box boxAround(Point centre, float rx, float ry);
Box wholeCanvas(const Canvas& canvas);
Box clipBox(Box box, int width, int height);

// Calls visit(x, y, p) for every pixel of box (clipped to width x height), p being
// the pixel's centre.
template <class Visit>
void forEachPixel(Box box, int width, int height, Visit visit) {
  box = clipBox(box, width, height);
  for (int y = box.y0; y < box.y1; ++y) {
    for (int x = box.x0; x < box.x1; ++x) visit(x, y, Point{x + 0.5f, y + 0.5f});
  }
}

// Paints colour shader(p, d) over every pixel of box with the coverage of
// distance(p); pixels outside the shape are not touched.
template <class Distance, class Shader>
void fillShape(Canvas* canvas, Box box, Distance distance, Shader shader, float softness = 1.0f) {
  forEachPixel(box, canvas->width, canvas->height, [&](int x, int y, Point p) {
    const float d = distance(p);
    const float c = coverage(d, softness);
    if (c > 0.0f) paintPixel(canvas, x, y, shader(p, d), c);
  });
}

// fillShape with one colour.
template <class Distance>
void fillShapeColour(Canvas* canvas, Box box, Distance distance, Colour colour,
                     float softness = 1.0f) {
  fillShape(canvas, box, distance, [colour](Point, float) { return colour; }, softness);
}

// Adds the light shader(p, d) (its alpha scales it) with the coverage of distance(p).
template <class Distance, class Shader>
void addShape(Canvas* canvas, Box box, Distance distance, Shader shader, float softness = 1.0f) {
  forEachPixel(box, canvas->width, canvas->height, [&](int x, int y, Point p) {
    const float d = distance(p);
    const float c = coverage(d, softness);
    if (c > 0.0f) addPixel(canvas, x, y, shader(p, d), c);
  });
}

// Raises the mask to the coverage of distance(p) where that is higher (union).
template <class Distance>
void maskShape(Mask* mask, Box box, Distance distance, float softness = 1.0f) {
  forEachPixel(box, mask->width, mask->height, [&](int x, int y, Point p) {
    float& v = mask->values[static_cast<size_t>(y) * mask->width + x];
    v = std::max(v, coverage(distance(p), softness));
  });
}

// Applies shader(p, straight colour) to every pixel of box and stores its result.
template <class Shader>
void shadePixels(Canvas* canvas, Box box, Shader shader) {
  forEachPixel(box, canvas->width, canvas->height, [&](int x, int y, Point p) {
    const Colour c = shader(p, canvasPixel(*canvas, x, y));
    canvas->pixels[static_cast<size_t>(y) * canvas->width + x] =
        Colour{c.r * c.a, c.g * c.a, c.b * c.a, c.a};
  });
}

// ---------------------------------------------------------------------------
// Gradients and lighting

// 0 at from, 1 at to, along the line between them (clamped).
float linearParam(Point p, Point from, Point to);
// 0 at the centre, 1 at radius and beyond.
float radialParam(Point p, Point centre, float radius);

struct Vec3f {
  float x, y, z;
};
Vec3f normalise(Vec3f v);
inline float dot3(Vec3f a, Vec3f b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
// The usual light of our pictures: from the upper left, towards the viewer.
constexpr Vec3f kLightDirection{-0.48f, -0.62f, 0.62f};
// Surface normal of a sphere seen from the front (z towards the viewer); points
// outside it get the rim normal.
Vec3f sphereNormal(Point p, Point centre, float radius);
// Diffuse light 0..1 of a normal.
float lambert(Vec3f normal, Vec3f light);
// Blinn-Phong highlight 0..1 of a normal seen from the front.
float specular(Vec3f normal, Vec3f light, float shininess);

// ---------------------------------------------------------------------------
// Masks, blur and shadows

// Gaussian-like blur of about the given radius (three box passes).
void blurMask(Mask* mask, float radius);
void blurCanvas(Canvas* canvas, float radius);
// Paints colour over the canvas through the mask shifted by (dx, dy), times opacity.
void paintMask(Canvas* canvas, const Mask& mask, Colour colour, int dx = 0, int dy = 0,
               float opacity = 1.0f);
// Adds colour through the mask (light).
void addMask(Canvas* canvas, const Mask& mask, Colour colour, int dx = 0, int dy = 0,
             float amount = 1.0f);
// Paints a soft shadow of the shape: the mask blurred by radius, shifted by (dx, dy).
// Paint it before the shape itself.
void softShadow(Canvas* canvas, const Mask& shape, float dx, float dy, float radius,
                Colour colour);
// A glow around the shape: the mask widened and blurred by radius, added as light.
void outerGlow(Canvas* canvas, const Mask& shape, float radius, Colour colour, float amount);
// Keeps only what lies inside the mask (alpha times mask).
void clipToMask(Canvas* canvas, const Mask& mask);

// ---------------------------------------------------------------------------
// Noise and random numbers

// A well-mixed 32-bit hash of two lattice coordinates and a seed.
uint32_t hash2(int x, int y, uint32_t seed);
// 0..1 from the hash.
float hashUnit(int x, int y, uint32_t seed);
// Smooth value noise 0..1 with features one unit apart.
float valueNoise(float x, float y, uint32_t seed);
// Value noise that repeats every `period` units in x and y (seamless tiles).
float tiledValueNoise(float x, float y, int period, uint32_t seed);
// Sum of octaves of value noise, each twice as fine and half as strong, 0..1.
// period > 0 makes every octave tile (period doubles per octave).
float fractalNoise(float x, float y, int octaves, uint32_t seed, int period = 0);

// A seeded random stream for scattering things.
struct RandomStream {
  uint32_t state;
};
float randomUnit(RandomStream* stream);  // 0..1
float randomRange(RandomStream* stream, float low, float high);

// ---------------------------------------------------------------------------
// Compositing

// Premultiplied colour at a fractional position (bilinear, clear outside).
Colour sampleBilinear(const Canvas& canvas, float x, float y);
// Draws src over dst with its centre at `centre`, turned by degrees (clockwise
// on screen) and scaled, times opacity.
void drawCanvas(Canvas* dst, const Canvas& src, Point centre, float degrees, float scale,
                float opacity = 1.0f);
// The src rectangle sx0..sx1, sy0..sy1 (texels) stretched over dst's rectangle
// left..right, top..bottom, multiplied by tint, drawn over dst.
void drawCanvasRect(Canvas* dst, const Canvas& src, float sx0, float sy0, float sx1, float sy1,
                    float left, float top, float right, float bottom, Colour tint = kWhite);
// src over dst with its top-left at (dx, dy), times opacity.
void compositeOver(Canvas* dst, const Canvas& src, int dx, int dy, float opacity = 1.0f);
// src's light added to dst with its top-left at (dx, dy).
void compositeAdd(Canvas* dst, const Canvas& src, int dx, int dy, float amount = 1.0f);
// Averages factor x factor blocks: draw big, then shrink, for shapes without a
// distance function.
Canvas downsample(const Canvas& canvas, int factor);
// Text of the tool's typeface with its baseline centre at (cx, baseline).
void paintLabel(Canvas* canvas, const char* text, float cx, float baseline, float pixelHeight,
                Colour colour);
