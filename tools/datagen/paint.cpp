// paint.cpp: colours, the canvas, signed distances, lighting, blur, noise and
// compositing of the painting toolkit.
#include "paint.h"

// ---------------------------------------------------------------------------
// Colours

Colour mixColour(Colour a, Colour b, float t) {
  return Colour{lerp(a.r, b.r, t), lerp(a.g, b.g, t), lerp(a.b, b.b, t), lerp(a.a, b.a, t)};
}

Colour withAlpha(Colour c, float alpha) { return Colour{c.r, c.g, c.b, alpha}; }

Colour lighten(Colour c, float t) {
  const Colour target = t >= 0.0f ? kWhite : kBlack;
  const Colour mixed = mixColour(c, target, std::fabs(t));
  return Colour{mixed.r, mixed.g, mixed.b, c.a};
}

Colour scaleColour(Colour c, float factor) {
  return Colour{clamp01(c.r * factor), clamp01(c.g * factor), clamp01(c.b * factor), c.a};
}

Colour fromHsv(float hue, float saturation, float value, float alpha) {
  float h = std::fmod(hue, 360.0f);
  if (h < 0.0f) h += 360.0f;
  const float c = value * saturation;
  const float x = c * (1.0f - std::fabs(std::fmod(h / 60.0f, 2.0f) - 1.0f));
  const float m = value - c;
  const int sector = static_cast<int>(h / 60.0f) % 6;
  const float table[6][3] = {{c, x, 0}, {x, c, 0}, {0, c, x}, {0, x, c}, {x, 0, c}, {c, 0, x}};
  return Colour{table[sector][0] + m, table[sector][1] + m, table[sector][2] + m, alpha};
}

void toHsv(Colour c, float* hue, float* saturation, float* value) {
  const float high = std::max(c.r, std::max(c.g, c.b));
  const float low = std::min(c.r, std::min(c.g, c.b));
  const float range = high - low;
  *value = high;
  *saturation = high > 0.0f ? range / high : 0.0f;
  float h = 0.0f;
  if (range > 0.0f) {
    if (high == c.r) {
      h = 60.0f * std::fmod((c.g - c.b) / range, 6.0f);
    } else if (high == c.g) {
      h = 60.0f * ((c.b - c.r) / range + 2.0f);
    } else {
      h = 60.0f * ((c.r - c.g) / range + 4.0f);
    }
  }
  *hue = h < 0.0f ? h + 360.0f : h;
}

Colour rampColour(const ColourStop* stops, int count, float t) {
  if (t <= stops[0].at) return stops[0].colour;
  for (int i = 1; i < count; ++i) {
    if (t <= stops[i].at) {
      const float span = stops[i].at - stops[i - 1].at;
      const float f = span > 0.0f ? (t - stops[i - 1].at) / span : 1.0f;
      return mixColour(stops[i - 1].colour, stops[i].colour, f);
    }
  }
  return stops[count - 1].colour;
}

// ---------------------------------------------------------------------------
// Canvas and mask

Canvas makeCanvas(int width, int height, Colour fill) {
  Canvas canvas{width, height, {}};
  const Colour premultiplied{fill.r * fill.a, fill.g * fill.a, fill.b * fill.a, fill.a};
  canvas.pixels.assign(static_cast<size_t>(width) * height, premultiplied);
  return canvas;
}

static bool inside(int width, int height, int x, int y) {
  return x >= 0 && y >= 0 && x < width && y < height;
}

Colour canvasPixel(const Canvas& canvas, int x, int y) {
  if (!inside(canvas.width, canvas.height, x, y)) return kClear;
  const Colour& p = canvas.pixels[static_cast<size_t>(y) * canvas.width + x];
  if (p.a <= 0.0f) return kClear;
  return Colour{p.r / p.a, p.g / p.a, p.b / p.a, p.a};
}

void paintPixel(Canvas* canvas, int x, int y, Colour colour, float coverage) {
  if (!inside(canvas->width, canvas->height, x, y) || coverage <= 0.0f) return;
  Colour& p = canvas->pixels[static_cast<size_t>(y) * canvas->width + x];
  const float a = clamp01(colour.a * std::min(1.0f, coverage));
  const float keep = 1.0f - a;
  p = Colour{colour.r * a + p.r * keep, colour.g * a + p.g * keep, colour.b * a + p.b * keep,
             a + p.a * keep};
}

void addPixel(Canvas* canvas, int x, int y, Colour colour, float amount) {
  if (!inside(canvas->width, canvas->height, x, y) || amount <= 0.0f) return;
  Colour& p = canvas->pixels[static_cast<size_t>(y) * canvas->width + x];
  const float a = colour.a * amount;
  p = Colour{p.r + colour.r * a, p.g + colour.g * a, p.b + colour.b * a, std::min(1.0f, p.a + a)};
}

void erasePixel(Canvas* canvas, int x, int y, float amount) {
  if (!inside(canvas->width, canvas->height, x, y)) return;
  Colour& p = canvas->pixels[static_cast<size_t>(y) * canvas->width + x];
  const float keep = 1.0f - clamp01(amount);
  p = Colour{p.r * keep, p.g * keep, p.b * keep, p.a * keep};
}

void tintCanvas(Canvas* canvas, Colour tint) {
  for (Colour& p : canvas->pixels) {
    p = Colour{p.r * tint.r * tint.a, p.g * tint.g * tint.a, p.b * tint.b * tint.a, p.a * tint.a};
  }
}

static uint8_t toByte(float v) { return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0f)); }

Image canvasToImage(const Canvas& canvas) {
  Image image = makeImage(canvas.width, canvas.height, Rgba{0, 0, 0, 0});
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      const Colour& p = canvas.pixels[static_cast<size_t>(y) * canvas.width + x];
      const uint8_t alpha = toByte(p.a);
      if (alpha == 0) continue;
      const float a = std::min(1.0f, p.a);
      setPixel(&image, x, y, Rgba{toByte(p.r / a), toByte(p.g / a), toByte(p.b / a), alpha});
    }
  }
  return image;
}

Canvas imageToCanvas(const Image& image) {
  Canvas canvas = makeCanvas(image.width, image.height);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const Rgba p = getPixel(image, x, y);
      const float a = p.a / 255.0f;
      canvas.pixels[static_cast<size_t>(y) * image.width + x] =
          Colour{p.r / 255.0f * a, p.g / 255.0f * a, p.b / 255.0f * a, a};
    }
  }
  return canvas;
}

Mask makeMask(int width, int height, float fill) {
  Mask mask{width, height, {}};
  mask.values.assign(static_cast<size_t>(width) * height, fill);
  return mask;
}

float maskAt(const Mask& mask, int x, int y) {
  if (!inside(mask.width, mask.height, x, y)) return 0.0f;
  return mask.values[static_cast<size_t>(y) * mask.width + x];
}

Mask alphaMask(const Canvas& canvas) {
  Mask mask = makeMask(canvas.width, canvas.height);
  for (size_t i = 0; i < canvas.pixels.size(); ++i) mask.values[i] = clamp01(canvas.pixels[i].a);
  return mask;
}

// ---------------------------------------------------------------------------
// Geometry

Point rotatePoint(Point p, Point centre, float degrees) {
  const float a = degrees * kPi / 180.0f;
  const float c = std::cos(a);
  const float s = std::sin(a);
  const Point d = p - centre;
  return Point{centre.x + d.x * c - d.y * s, centre.y + d.x * s + d.y * c};
}

float sdCircle(Point p, Point centre, float radius) { return length(p - centre) - radius; }

float sdEllipse(Point p, Point centre, float radiusX, float radiusY) {
  const Point d = p - centre;
  const float k0 = std::sqrt((d.x * d.x) / (radiusX * radiusX) + (d.y * d.y) / (radiusY * radiusY));
  if (k0 <= 0.0f) return -std::min(radiusX, radiusY);
  const float k1 = std::sqrt((d.x * d.x) / (radiusX * radiusX * radiusX * radiusX) +
                             (d.y * d.y) / (radiusY * radiusY * radiusY * radiusY));
  return k0 * (k0 - 1.0f) / k1;
}

float sdRoundedBox(Point p, Point centre, float halfW, float halfH, float radius) {
  const float qx = std::fabs(p.x - centre.x) - halfW + radius;
  const float qy = std::fabs(p.y - centre.y) - halfH + radius;
  const float outside = std::sqrt(std::max(qx, 0.0f) * std::max(qx, 0.0f) +
                                  std::max(qy, 0.0f) * std::max(qy, 0.0f));
  return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

float sdCapsule(Point p, Point a, Point b, float radius) {
  const Point pa = p - a;
  const Point ba = b - a;
  const float len2 = dot(ba, ba);
  const float h = len2 > 0.0f ? clamp01(dot(pa, ba) / len2) : 0.0f;
  return length(pa - ba * h) - radius;
}

float sdPolygon(Point p, const Point* corners, int count) {
  float d = dot(p - corners[0], p - corners[0]);
  float sign = 1.0f;
  for (int i = 0, j = count - 1; i < count; j = i, ++i) {
    const Point e = corners[j] - corners[i];
    const Point w = p - corners[i];
    const Point b = w - e * clamp01(dot(w, e) / dot(e, e));
    d = std::min(d, dot(b, b));
    const bool c1 = p.y >= corners[i].y;
    const bool c2 = p.y < corners[j].y;
    const bool c3 = e.x * w.y > e.y * w.x;
    if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) sign = -sign;
  }
  return sign * std::sqrt(d);
}

float sdStar(Point p, Point centre, float outer, float inner, int points, float degrees) {
  constexpr int kMaxPoints = 16;  // stars in our art have at most a dozen tips
  Point corners[kMaxPoints * 2];
  const int n = std::min(points, kMaxPoints);
  for (int i = 0; i < n * 2; ++i) {
    const float a = (degrees + i * 180.0f / n) * kPi / 180.0f;
    const float r = (i % 2 == 0) ? outer : inner;
    corners[i] = Point{centre.x + std::sin(a) * r, centre.y - std::cos(a) * r};
  }
  return sdPolygon(p, corners, n * 2);
}

float sdRing(Point p, Point centre, float radius, float thickness) {
  return std::fabs(sdCircle(p, centre, radius)) - thickness * 0.5f;
}

float sdHeart(Point p, Point centre, float size) {
  // The unit heart has its tip at the origin, y up, about 1.1 high and 1.2 wide.
  const float k = size / 0.6f;
  const float x = std::fabs(p.x - centre.x) / k;
  const float y = (centre.y - p.y) / k + 0.52f;
  if (y + x > 1.0f) {
    const float dx = x - 0.25f, dy = y - 0.75f;
    return (std::sqrt(dx * dx + dy * dy) - 0.35355339f) * k;
  }
  const float d1 = x * x + (y - 1.0f) * (y - 1.0f);
  const float m = 0.5f * std::max(x + y, 0.0f);
  const float d2 = (x - m) * (x - m) + (y - m) * (y - m);
  const float d = std::sqrt(std::min(d1, d2));
  return (x - y > 0.0f ? d : -d) * k;
}

float sdSmoothUnion(float a, float b, float k) {
  const float h = clamp01(0.5f + 0.5f * (b - a) / k);
  return lerp(b, a, h) - k * h * (1.0f - h);
}

Box boxAround(Point centre, float rx, float ry) {
  return Box{static_cast<int>(std::floor(centre.x - rx - 2.0f)),
             static_cast<int>(std::floor(centre.y - ry - 2.0f)),
             static_cast<int>(std::ceil(centre.x + rx + 2.0f)),
             static_cast<int>(std::ceil(centre.y + ry + 2.0f))};
}

Box wholeCanvas(const Canvas& canvas) { return Box{0, 0, canvas.width, canvas.height}; }

Box clipBox(Box box, int width, int height) {
  return Box{std::max(0, box.x0), std::max(0, box.y0), std::min(width, box.x1),
             std::min(height, box.y1)};
}

// ---------------------------------------------------------------------------
// Gradients and lighting

float linearParam(Point p, Point from, Point to) {
  const Point d = to - from;
  const float len2 = dot(d, d);
  return len2 > 0.0f ? clamp01(dot(p - from, d) / len2) : 0.0f;
}

float radialParam(Point p, Point centre, float radius) {
  return clamp01(length(p - centre) / radius);
}

Vec3f normalise(Vec3f v) {
  const float len = std::sqrt(dot3(v, v));
  if (len <= 0.0f) return Vec3f{0.0f, 0.0f, 1.0f};
  return Vec3f{v.x / len, v.y / len, v.z / len};
}

Vec3f sphereNormal(Point p, Point centre, float radius) {
  float x = (p.x - centre.x) / radius;
  float y = (p.y - centre.y) / radius;
  const float r2 = x * x + y * y;
  if (r2 >= 1.0f) {
    const float r = std::sqrt(r2);
    return Vec3f{x / r, y / r, 0.0f};
  }
  return Vec3f{x, y, std::sqrt(1.0f - r2)};
}

float lambert(Vec3f normal, Vec3f light) { return std::max(0.0f, dot3(normal, normalise(light))); }

float specular(Vec3f normal, Vec3f light, float shininess) {
  const Vec3f l = normalise(light);
  const Vec3f half = normalise(Vec3f{l.x, l.y, l.z + 1.0f});
  return std::pow(std::max(0.0f, dot3(normal, half)), shininess);
}

// ---------------------------------------------------------------------------
// Blur and masks

// One box pass of half-width w along rows (stride 1) or columns, over `lines` lines
// of `count` values; values beyond the ends count as 0.
template <class Value, class Add, class Scale>
static void boxPass(std::vector<Value>* values, int width, int height, bool horizontal, int w,
                    Value zero, Add add, Scale scale) {
  const int count = horizontal ? width : height;
  const int lines = horizontal ? height : width;
  std::vector<Value> line(static_cast<size_t>(count));
  const float inv = 1.0f / (2 * w + 1);
  for (int l = 0; l < lines; ++l) {
    auto at = [&](int i) -> Value& {
      const int x = horizontal ? i : l;
      const int y = horizontal ? l : i;
      return (*values)[static_cast<size_t>(y) * width + x];
    };
    for (int i = 0; i < count; ++i) line[i] = at(i);
    Value sum = zero;
    for (int i = -w; i <= w; ++i) {
      if (i >= 0 && i < count) sum = add(sum, line[i], 1.0f);
    }
    for (int i = 0; i < count; ++i) {
      at(i) = scale(sum, inv);
      const int leaving = i - w;
      const int entering = i + w + 1;
      if (leaving >= 0) sum = add(sum, line[leaving], -1.0f);
      if (entering < count) sum = add(sum, line[entering], 1.0f);
    }
  }
}

static int boxHalfWidth(float radius) {
  return std::max(1, static_cast<int>(std::lround(radius * 0.5f)));
}

void blurMask(Mask* mask, float radius) {
  if (radius <= 0.0f) return;
  const int w = boxHalfWidth(radius);
  auto add = [](float s, float v, float k) { return s + v * k; };
  auto scale = [](float s, float k) { return s * k; };
  for (int pass = 0; pass < 3; ++pass) {
    boxPass(&mask->values, mask->width, mask->height, true, w, 0.0f, add, scale);
    boxPass(&mask->values, mask->width, mask->height, false, w, 0.0f, add, scale);
  }
}

void blurCanvas(Canvas* canvas, float radius) {
  if (radius <= 0.0f) return;
  const int w = boxHalfWidth(radius);
  auto add = [](Colour s, Colour v, float k) {
    return Colour{s.r + v.r * k, s.g + v.g * k, s.b + v.b * k, s.a + v.a * k};
  };
  auto scale = [](Colour s, float k) { return Colour{s.r * k, s.g * k, s.b * k, s.a * k}; };
  for (int pass = 0; pass < 3; ++pass) {
    boxPass(&canvas->pixels, canvas->width, canvas->height, true, w, kClear, add, scale);
    boxPass(&canvas->pixels, canvas->width, canvas->height, false, w, kClear, add, scale);
  }
}

void paintMask(Canvas* canvas, const Mask& mask, Colour colour, int dx, int dy, float opacity) {
  for (int y = 0; y < canvas->height; ++y) {
    for (int x = 0; x < canvas->width; ++x) {
      const float m = maskAt(mask, x - dx, y - dy);
      if (m > 0.0f) paintPixel(canvas, x, y, colour, m * opacity);
    }
  }
}

void addMask(Canvas* canvas, const Mask& mask, Colour colour, int dx, int dy, float amount) {
  for (int y = 0; y < canvas->height; ++y) {
    for (int x = 0; x < canvas->width; ++x) {
      const float m = maskAt(mask, x - dx, y - dy);
      if (m > 0.0f) addPixel(canvas, x, y, colour, m * amount);
    }
  }
}

void softShadow(Canvas* canvas, const Mask& shape, float dx, float dy, float radius,
                Colour colour) {
  Mask shadow = shape;
  blurMask(&shadow, radius);
  paintMask(canvas, shadow, colour, static_cast<int>(std::lround(dx)),
            static_cast<int>(std::lround(dy)));
}

void outerGlow(Canvas* canvas, const Mask& shape, float radius, Colour colour, float amount) {
  Mask glow = shape;
  blurMask(&glow, radius);
  for (float& v : glow.values) v = clamp01(v * 2.0f);
  blurMask(&glow, radius * 0.5f);
  addMask(canvas, glow, colour, 0, 0, amount);
}

void clipToMask(Canvas* canvas, const Mask& mask) {
  for (int y = 0; y < canvas->height; ++y) {
    for (int x = 0; x < canvas->width; ++x) {
      erasePixel(canvas, x, y, 1.0f - maskAt(mask, x, y));
    }
  }
}

// ---------------------------------------------------------------------------
// Noise

uint32_t hash2(int x, int y, uint32_t seed) {
  uint32_t h = seed * 0x9E3779B9u ^ static_cast<uint32_t>(x) * 0x85EBCA6Bu ^
               static_cast<uint32_t>(y) * 0xC2B2AE35u;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

float hashUnit(int x, int y, uint32_t seed) {
  return static_cast<float>(hash2(x, y, seed) >> 8) / 16777216.0f;
}

static int wrap(int v, int period) {
  const int m = v % period;
  return m < 0 ? m + period : m;
}

// Value noise with lattice coordinates wrapped by period (0 = no wrapping).
static float latticeNoise(float x, float y, int period, uint32_t seed) {
  const float fx = std::floor(x);
  const float fy = std::floor(y);
  int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
  int x1 = x0 + 1, y1 = y0 + 1;
  if (period > 0) {
    x0 = wrap(x0, period);
    y0 = wrap(y0, period);
    x1 = wrap(x1, period);
    y1 = wrap(y1, period);
  }
  const float tx = x - fx, ty = y - fy;
  const float sx = tx * tx * tx * (tx * (tx * 6.0f - 15.0f) + 10.0f);
  const float sy = ty * ty * ty * (ty * (ty * 6.0f - 15.0f) + 10.0f);
  const float top = lerp(hashUnit(x0, y0, seed), hashUnit(x1, y0, seed), sx);
  const float bottom = lerp(hashUnit(x0, y1, seed), hashUnit(x1, y1, seed), sx);
  return lerp(top, bottom, sy);
}

float valueNoise(float x, float y, uint32_t seed) { return latticeNoise(x, y, 0, seed); }

float tiledValueNoise(float x, float y, int period, uint32_t seed) {
  return latticeNoise(x, y, std::max(1, period), seed);
}

float fractalNoise(float x, float y, int octaves, uint32_t seed, int period) {
  float sum = 0.0f, weight = 0.0f, amplitude = 1.0f, frequency = 1.0f;
  for (int i = 0; i < octaves; ++i) {
    const int p = period > 0 ? period << i : 0;
    sum += amplitude * latticeNoise(x * frequency, y * frequency, p, seed + 101u * i);
    weight += amplitude;
    amplitude *= 0.5f;
    frequency *= 2.0f;
  }
  return weight > 0.0f ? sum / weight : 0.0f;
}

float randomUnit(RandomStream* stream) {
  stream->state = stream->state * 1664525u + 1013904223u;
  return hashUnit(static_cast<int>(stream->state), 0, 0x51ED27u);
}

float randomRange(RandomStream* stream, float low, float high) {
  return low + (high - low) * randomUnit(stream);
}

// ---------------------------------------------------------------------------
// Compositing

Colour sampleBilinear(const Canvas& canvas, float x, float y) {
  const float fx = x - 0.5f, fy = y - 0.5f;
  const int x0 = static_cast<int>(std::floor(fx));
  const int y0 = static_cast<int>(std::floor(fy));
  const float tx = fx - x0, ty = fy - y0;
  auto at = [&](int px, int py) {
    if (!inside(canvas.width, canvas.height, px, py)) return kClear;
    return canvas.pixels[static_cast<size_t>(py) * canvas.width + px];
  };
  const Colour top = mixColour(at(x0, y0), at(x0 + 1, y0), tx);
  const Colour bottom = mixColour(at(x0, y0 + 1), at(x0 + 1, y0 + 1), tx);
  return mixColour(top, bottom, ty);
}

// Premultiplied src over the pixel.
static void overPremultiplied(Canvas* dst, int x, int y, Colour src) {
  Colour& p = dst->pixels[static_cast<size_t>(y) * dst->width + x];
  const float keep = 1.0f - clamp01(src.a);
  p = Colour{src.r + p.r * keep, src.g + p.g * keep, src.b + p.b * keep, src.a + p.a * keep};
}

void drawCanvas(Canvas* dst, const Canvas& src, Point centre, float degrees, float scale,
                float opacity) {
  const float half = 0.5f * scale * std::sqrt(float(src.width * src.width + src.height * src.height));
  const Box box = clipBox(boxAround(centre, half, half), dst->width, dst->height);
  const float a = degrees * kPi / 180.0f;
  const float c = std::cos(a), s = std::sin(a);
  for (int y = box.y0; y < box.y1; ++y) {
    for (int x = box.x0; x < box.x1; ++x) {
      const float dx = x + 0.5f - centre.x, dy = y + 0.5f - centre.y;
      // Inverse turn and scale into the source picture.
      const float sx = (dx * c + dy * s) / scale + src.width * 0.5f;
      const float sy = (-dx * s + dy * c) / scale + src.height * 0.5f;
      if (sx < -1.0f || sy < -1.0f || sx > src.width + 1.0f || sy > src.height + 1.0f) continue;
      Colour v = sampleBilinear(src, sx, sy);
      if (v.a <= 0.0f && v.r <= 0.0f && v.g <= 0.0f && v.b <= 0.0f) continue;
      v = Colour{v.r * opacity, v.g * opacity, v.b * opacity, v.a * opacity};
      overPremultiplied(dst, x, y, v);
    }
  }
}

void drawCanvasRect(Canvas* dst, const Canvas& src, float sx0, float sy0, float sx1, float sy1,
                    float left, float top, float right, float bottom, Colour tint) {
  const Box box = clipBox(Box{static_cast<int>(std::floor(std::min(left, right))),
                              static_cast<int>(std::floor(std::min(top, bottom))),
                              static_cast<int>(std::ceil(std::max(left, right))),
                              static_cast<int>(std::ceil(std::max(top, bottom)))},
                          dst->width, dst->height);
  for (int y = box.y0; y < box.y1; ++y) {
    for (int x = box.x0; x < box.x1; ++x) {
      const float u = (x + 0.5f - left) / (right - left);
      const float v = (y + 0.5f - top) / (bottom - top);
      if (u < 0.0f || u > 1.0f || v < 0.0f || v > 1.0f) continue;
      // Clamped inside the source rectangle, as a texture cell is sampled.
      const float sx = std::min(std::max(sx0 + u * (sx1 - sx0), sx0 + 0.5f), sx1 - 0.5f);
      const float sy = std::min(std::max(sy0 + v * (sy1 - sy0), sy0 + 0.5f), sy1 - 0.5f);
      const Colour c = sampleBilinear(src, sx, sy);
      overPremultiplied(dst, x, y,
                        Colour{c.r * tint.r * tint.a, c.g * tint.g * tint.a, c.b * tint.b * tint.a, c.a * tint.a});
    }
  }
}

void compositeOver(Canvas* dst, const Canvas& src, int dx, int dy, float opacity) {
  for (int y = 0; y < src.height; ++y) {
    for (int x = 0; x < src.width; ++x) {
      if (!inside(dst->width, dst->height, x + dx, y + dy)) continue;
      const Colour& v = src.pixels[static_cast<size_t>(y) * src.width + x];
      overPremultiplied(dst, x + dx, y + dy,
                        Colour{v.r * opacity, v.g * opacity, v.b * opacity, v.a * opacity});
    }
  }
}

void compositeAdd(Canvas* dst, const Canvas& src, int dx, int dy, float amount) {
  for (int y = 0; y < src.height; ++y) {
    for (int x = 0; x < src.width; ++x) {
      if (!inside(dst->width, dst->height, x + dx, y + dy)) continue;
      const Colour& v = src.pixels[static_cast<size_t>(y) * src.width + x];
      Colour& p = dst->pixels[static_cast<size_t>(y + dy) * dst->width + x + dx];
      p = Colour{p.r + v.r * amount, p.g + v.g * amount, p.b + v.b * amount,
                 std::min(1.0f, p.a + v.a * amount)};
    }
  }
}

Canvas downsample(const Canvas& canvas, int factor) {
  Canvas out = makeCanvas(canvas.width / factor, canvas.height / factor);
  const float inv = 1.0f / (factor * factor);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      Colour sum = kClear;
      for (int j = 0; j < factor; ++j) {
        for (int i = 0; i < factor; ++i) {
          const Colour& v =
              canvas.pixels[static_cast<size_t>(y * factor + j) * canvas.width + x * factor + i];
          sum = Colour{sum.r + v.r, sum.g + v.g, sum.b + v.b, sum.a + v.a};
        }
      }
      out.pixels[static_cast<size_t>(y) * out.width + x] =
          Colour{sum.r * inv, sum.g * inv, sum.b * inv, sum.a * inv};
    }
  }
  return out;
}

void paintLabel(Canvas* canvas, const char* text, float cx, float baseline, float pixelHeight,
                Colour colour) {
  const float width = measureLabel(text, pixelHeight);
  const int left = static_cast<int>(std::floor(cx - width * 0.5f - pixelHeight * 0.5f));
  const int top = static_cast<int>(std::floor(baseline - pixelHeight * 1.1f));
  const int w = static_cast<int>(std::ceil(width + pixelHeight)) + 2;
  const int h = static_cast<int>(std::ceil(pixelHeight * 1.5f)) + 2;
  Image label = makeImage(w, h, Rgba{0, 0, 0, 0});
  drawLabel(&label, text, cx - left, baseline - top, pixelHeight,
            Rgba{toByte(colour.r), toByte(colour.g), toByte(colour.b), 255});
  compositeOver(canvas, imageToCanvas(label), left, top, colour.a);
}
