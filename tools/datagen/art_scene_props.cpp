// art_scene_props.cpp: the scenery catalogue's pictures and the additive glows.
// Skies repeat across (the game stretches them to their rectangle's height and
// repeats them sideways); water and falls repeat both ways (one texel per unit,
// scrolled); spray is a puff of light on black; leaves hang from a branch at
// their left edge, where the game pivots them; props stand on their bottom edge.
// Sprites are painted at their rectangle's shape and then fitted to the texture.
#include <algorithm>

#include "art_scene.h"
#include "art_scene_local.h"

namespace {

constexpr Colour kOpaqueBlack{0.0f, 0.0f, 0.0f, 1.0f};

// Area-averaged resize (several samples per target pixel).
Canvas resizeCanvas(const Canvas& source, int width, int height) {
  Canvas out = makeCanvas(width, height);
  const float sx = static_cast<float>(source.width) / width;
  const float sy = static_cast<float>(source.height) / height;
  constexpr int kSamples = 4;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Colour sum = kClear;
      for (int j = 0; j < kSamples; ++j) {
        for (int i = 0; i < kSamples; ++i) {
          const Colour c = sampleBilinear(source, (x + (i + 0.5f) / kSamples) * sx, (y + (j + 0.5f) / kSamples) * sy);
          sum = Colour{sum.r + c.r, sum.g + c.g, sum.b + c.b, sum.a + c.a};
        }
      }
      const float inv = 1.0f / (kSamples * kSamples);
      out.pixels[static_cast<size_t>(y) * width + x] = Colour{sum.r * inv, sum.g * inv, sum.b * inv, sum.a * inv};
    }
  }
  return out;
}

Image spriteImage(const Canvas& design, int width, int height) {
  Image image = canvasToImage(resizeCanvas(design, width, height));
  bleedEdgeColour(&image);
  return image;
}

bool has(const std::string& text, const char* word) { return text.find(word) != std::string::npos; }

// ---------------------------------------------------------------------------
// Skies

Image drawSky(SkyKind kind) {
  constexpr int kSkyWidth = 1024, kSkyHeight = 256;
  const SkyPalette& sky = skyPalette(kind);
  Canvas canvas = makeCanvas(kSkyWidth, kSkyHeight);
  const ColourStop stops[3] = {{0.0f, sky.zenith}, {0.55f, sky.middle}, {1.0f, sky.horizon}};
  for (int y = 0; y < kSkyHeight; ++y) {
    const Colour c = rampColour(stops, 3, (y + 0.5f) / kSkyHeight);
    for (int x = 0; x < kSkyWidth; ++x) canvas.pixels[static_cast<size_t>(y) * kSkyWidth + x] = c;
  }
  RandomStream random{static_cast<uint32_t>(kind) * 977u + 5u};
  if (kind == SkyKind::Night) {
    for (int i = 0; i < 260; ++i) {
      const Point at{randomRange(&random, 0.0f, kSkyWidth), randomRange(&random, 0.0f, kSkyHeight * 0.8f)};
      const float bright = randomRange(&random, 0.35f, 1.0f);
      const float r = randomRange(&random, 0.5f, 1.3f);
      for (int shift = -1; shift <= 1; ++shift) {
        const Point p{at.x + shift * kSkyWidth, at.y};
        fillShapeColour(&canvas, boxAround(p, r + 1.0f, r + 1.0f), [&](Point q) { return sdCircle(q, p, r); },
                        rgb(255, 250, 230, static_cast<int>(255 * bright)), 1.3f);
      }
    }
    for (int i = 0; i < 10; ++i) {
      const Point at{randomRange(&random, 10.0f, kSkyWidth - 10.0f), randomRange(&random, 10.0f, kSkyHeight * 0.6f)};
      paintTwinkle(&canvas, at, randomRange(&random, 3.0f, 5.0f), rgb(255, 252, 236));
    }
  }
  const int clouds = kind == SkyKind::Night ? 4 : 7;
  for (int i = 0; i < clouds; ++i) {
    const float x = (i + randomRange(&random, 0.1f, 0.7f)) * kSkyWidth / clouds;
    const float y = randomRange(&random, kSkyHeight * 0.35f, kSkyHeight * 0.85f);
    const float w = randomRange(&random, 110.0f, 240.0f);
    const bool wispy = kind == SkyKind::Sand || (kind == SkyKind::Dusk && i % 2 == 0);
    const float h = wispy ? w * 0.16f : w * randomRange(&random, 0.3f, 0.42f);
    const float opacity = kind == SkyKind::Night ? 0.55f : (wispy ? 0.8f : 1.0f);
    paintCloudWrapped(&canvas, Point{x, y}, w, h, sky.cloudLit, sky.cloudShade, opacity, 31u + i);
  }
  return canvasToImage(canvas);
}

// ---------------------------------------------------------------------------
// Water

// Repeating water: ripples stretched across, light where they crest.
Image drawWater(int width, int height, bool brook) {
  Canvas canvas = makeCanvas(width, height);
  // Cells divide the texture exactly, so it repeats without a seam.
  const float cellX = brook ? 32.0f : 64.0f, cellY = 8.0f;
  const int periodX = static_cast<int>(width / cellX), periodY = static_cast<int>(height / cellY);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      // Noise cells stretched across give long, low ripples; both axes repeat.
      const float u = x / cellX, v = y / cellY;
      const float n = 0.6f * stretchedTiledNoise(u, v, periodX, periodY, 3u) +
                      0.4f * stretchedTiledNoise(u * 2.0f, v * 2.0f, periodX * 2, periodY * 2, 4u);
      const float m = stretchedTiledNoise(x / 32.0f, y / 32.0f, width / 32, height / 32, 5u);
      Colour c = mixColour(rgb(60, 140, 176), rgb(86, 174, 196), m);
      const float crest = smoothstep(0.66f, 0.72f, n) * (1.0f - smoothstep(0.74f, 0.8f, n));
      c = mixColour(c, rgb(196, 236, 246), crest * (brook ? 0.75f : 0.55f));
      c = mixColour(c, rgb(44, 112, 150), smoothstep(0.34f, 0.24f, n) * 0.35f);
      canvas.pixels[static_cast<size_t>(y) * width + x] = c;
    }
  }
  return canvasToImage(canvas);
}

// Falling water: streaks running down, foam on the fastest.
Image drawFallingWater(int width) {
  constexpr int kHeight = 256;
  Canvas canvas = makeCanvas(width, kHeight);
  const int periodX = width / 4, periodY = kHeight / 64;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < width; ++x) {
      const float u = x / 4.0f, v = y / 64.0f;
      const float n = 0.6f * stretchedTiledNoise(u, v, periodX, periodY, 7u) +
                      0.4f * stretchedTiledNoise(u * 2.0f, v * 2.0f, periodX * 2, periodY * 2, 8u);
      Colour c = mixColour(rgb(96, 176, 218), rgb(180, 228, 244), n);
      c = mixColour(c, rgb(250, 254, 255), smoothstep(0.64f, 0.8f, n));
      c = mixColour(c, rgb(64, 136, 194), smoothstep(0.3f, 0.15f, n) * 0.6f);
      canvas.pixels[static_cast<size_t>(y) * width + x] = c;
    }
  }
  return canvasToImage(canvas);
}

Image drawSprayPuff() {
  constexpr int kSize = 64;
  Canvas canvas = makeCanvas(kSize, kSize, kOpaqueBlack);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float dx = (x + 0.5f - 32.0f) / 30.0f, dy = (y + 0.5f - 32.0f) / 30.0f;
      const float r = std::sqrt(dx * dx + dy * dy);
      const float lump = 0.75f + 0.25f * fractalNoise(x / 9.0f, y / 9.0f, 2, 12u);
      const float v = clamp01(1.0f - r) * clamp01(1.0f - r) * lump * 0.9f;
      canvas.pixels[static_cast<size_t>(y) * kSize + x] = Colour{v, v, v, 1.0f};
    }
  }
  return canvasToImage(canvas);
}

// ---------------------------------------------------------------------------
// Leaves: painted at the shape of their rectangles, branch at the left edge.

const FoliageLook kOakLeaves{rgb(70, 150, 66), rgb(156, 212, 92), rgb(30, 92, 60), rgb(110, 76, 52)};
const FoliageLook kWillowLeaves{rgb(120, 180, 76), rgb(198, 230, 120), rgb(56, 116, 62), rgb(112, 84, 60)};
const FoliageLook kFernLeaves{rgb(72, 160, 80), rgb(150, 216, 110), rgb(32, 100, 62), rgb(90, 70, 50)};

void paintBranch(Canvas* canvas, Point from, Point to, float width, Colour bark) {
  fillShape(canvas, boxAround(Point{(from.x + to.x) * 0.5f, (from.y + to.y) * 0.5f},
                              std::fabs(to.x - from.x) * 0.5f + width, std::fabs(to.y - from.y) * 0.5f + width),
            [&](Point p) {
              const float t = linearParam(p, from, to);
              return sdCapsule(p, from, to, width * (1.0f - 0.55f * t));
            },
            [&](Point p, float d) { return lighten(bark, d < -width * 0.4f ? 0.0f : (p.y < lerp(from.y, to.y, linearParam(p, from, to)) ? 0.15f : -0.2f)); });
}

// A leaf: pointed oval from base towards tip, lit on one half.
void paintLeaf(Canvas* canvas, Point base, Point tip, float width, const FoliageLook& look, float light) {
  const Point mid = (base + tip) * 0.5f;
  const float len = length(tip - base);
  const Point dir = (tip - base) * (1.0f / len);
  fillShape(canvas, boxAround(mid, len * 0.6f, len * 0.6f),
            [&](Point p) {
              const Point d = p - mid;
              const float along = dot(d, dir) / (len * 0.5f);
              const float across = (d.x * -dir.y + d.y * dir.x);
              const float half = width * std::max(0.0f, 1.0f - along * along);
              return std::max(std::fabs(across) - half, std::fabs(along) - 1.0f) * 0.9f;
            },
            [&](Point p, float) {
              const Point d = p - mid;
              const float across = (d.x * -dir.y + d.y * dir.x);
              Colour c = across < 0.0f ? mixColour(look.leaf, look.light, light) : mixColour(look.dark, look.leaf, light);
              return std::fabs(across) < 0.6f ? lighten(c, -0.12f) : c;
            });
}

Image drawOakLeaves() {
  // Painted at the shape the game stretches it to (about 3 : 2), branch at the
  // left edge where the game pivots the sway.
  Canvas canvas = makeCanvas(450, 300);
  paintBranch(&canvas, Point{-10.0f, 156.0f}, Point{330.0f, 132.0f}, 15.0f, kOakLeaves.trunk);
  paintBranch(&canvas, Point{140.0f, 150.0f}, Point{250.0f, 70.0f}, 7.0f, kOakLeaves.trunk);
  paintBranch(&canvas, Point{210.0f, 144.0f}, Point{340.0f, 210.0f}, 6.0f, kOakLeaves.trunk);
  const struct {
    Point at;
    float radius;
  } clusters[6] = {{{120.0f, 118.0f}, 62.0f}, {{250.0f, 80.0f}, 66.0f}, {{350.0f, 120.0f}, 64.0f},
                   {{350.0f, 214.0f}, 56.0f}, {{236.0f, 196.0f}, 64.0f}, {{110.0f, 212.0f}, 50.0f}};
  uint32_t seed = 60u;
  for (const auto& cluster : clusters) paintLeafCluster(&canvas, cluster.at, cluster.radius, 0.8f, kOakLeaves, seed++);
  return spriteImage(canvas, 256, 256);
}

Image drawWillowLeaves() {
  Canvas canvas = makeCanvas(300, 340);
  // A branch arching out from the left edge, curtains of leafy strands under it.
  auto arch = [](float t) { return Point{-8.0f + 296.0f * t, 70.0f - 60.0f * std::sin(kPi * t * 0.8f) + 40.0f * t * t}; };
  for (int i = 0; i < 12; ++i) {
    paintBranch(&canvas, arch(i / 12.0f), arch((i + 1) / 12.0f), 11.0f * (1.0f - 0.06f * i), kWillowLeaves.trunk);
  }
  RandomStream random{91u};
  for (int s = 0; s < 46; ++s) {
    const float t = randomRange(&random, 0.04f, 0.98f);
    const Point from = arch(t) + Point{0.0f, 4.0f};
    const float fall = randomRange(&random, 150.0f, 270.0f) * (0.6f + 0.4f * std::sin(kPi * t));
    const float sway = randomRange(&random, -10.0f, 10.0f);
    Point previous = from;
    constexpr int kSteps = 16;
    for (int k = 1; k <= kSteps; ++k) {
      const float u = static_cast<float>(k) / kSteps;
      const Point p{from.x + sway * u * u, from.y + fall * u};
      fillShapeColour(&canvas, boxAround(p, 6.0f, fall / kSteps + 4.0f),
                      [&](Point q) { return sdCapsule(q, previous, p, 0.8f); }, kWillowLeaves.dark);
      for (int side = -1; side <= 1; side += 2) {
        const Point tip{p.x + side * randomRange(&random, 5.0f, 8.0f), p.y + randomRange(&random, 8.0f, 13.0f)};
        const float light = clamp01(0.85f - u * 0.45f + (side < 0 ? 0.12f : -0.12f) + randomRange(&random, -0.1f, 0.1f));
        paintLeaf(&canvas, p, tip, 3.0f * (1.0f - 0.4f * u), kWillowLeaves, light);
      }
      previous = p;
    }
  }
  for (int i = 0; i < 5; ++i) paintLeafCluster(&canvas, arch(0.12f + i * 0.2f) + Point{0.0f, 6.0f}, 26.0f, 0.6f, kWillowLeaves, 140u + i);
  return spriteImage(canvas, 256, 256);
}

Image drawFernLeaves() {
  Canvas canvas = makeCanvas(300, 300);
  paintFern(&canvas, Point{30.0f, 300.0f}, 250.0f, 1.0f, kFernLeaves, 5u);
  paintFern(&canvas, Point{10.0f, 300.0f}, 170.0f, 1.0f, kFernLeaves, 9u);
  return spriteImage(canvas, 256, 256);
}

// ---------------------------------------------------------------------------
// Props

Image drawBoulder() {
  Canvas canvas = makeCanvas(512, 512);
  paintRock(&canvas, Point{256.0f, 500.0f}, 470.0f, 420.0f, rgb(214, 208, 196), rgb(118, 116, 124), 17u);
  // A tuft of grass at the foot.
  Skyline ground{std::vector<float>(512, 500.0f)};
  paintGrass(&canvas, ground, 20.0f, 500.0f, 60.0f, rgb(160, 220, 100), rgb(70, 140, 70), 70, 3u);
  Canvas shrunk = downsample(canvas, 2);
  Image image = canvasToImage(shrunk);
  bleedEdgeColour(&image);
  return image;
}

Image drawLantern() {
  Canvas canvas = makeCanvas(128, 256);
  const Colour wood = rgb(120, 84, 58);
  // Post and foot.
  fillShape(&canvas, Box{50, 90, 78, 256}, [&](Point p) { return sdRoundedBox(p, Point{64.0f, 176.0f}, 9.0f, 80.0f, 3.0f); },
            [&](Point p, float) { return lighten(wood, p.x < 62.0f ? 0.15f : -0.12f); });
  fillShape(&canvas, Box{30, 236, 98, 256}, [&](Point p) { return sdRoundedBox(p, Point{64.0f, 248.0f}, 26.0f, 8.0f, 3.0f); },
            [&](Point p, float) { return lighten(rgb(150, 146, 140), p.y < 246.0f ? 0.1f : -0.1f); });
  // The glowing box with its little roof.
  paintGlow(&canvas, Point{64.0f, 72.0f}, 62.0f, rgb(255, 200, 110), 0.6f);
  fillShape(&canvas, Box{30, 40, 98, 110}, [&](Point p) { return sdRoundedBox(p, Point{64.0f, 76.0f}, 26.0f, 30.0f, 4.0f); },
            [&](Point p, float d) {
              if (d > -4.0f) return lighten(wood, -0.1f);
              const bool bar = std::fabs(p.x - 64.0f) < 1.5f;
              const float t = radialParam(p, Point{64.0f, 80.0f}, 34.0f);
              return bar ? wood : mixColour(rgb(255, 250, 210), rgb(255, 170, 70), t);
            });
  const Point roof[3] = {{20.0f, 46.0f}, {64.0f, 14.0f}, {108.0f, 46.0f}};
  fillShape(&canvas, Box{16, 10, 112, 52}, [&](Point p) { return sdPolygon(p, roof, 3) - 2.0f; },
            [&](Point p, float) { return lighten(rgb(170, 70, 60), p.x < 64.0f ? 0.12f : -0.1f); });
  Image image = canvasToImage(canvas);
  bleedEdgeColour(&image);
  return image;
}

Image drawPineProp() {
  const FoliageLook pine{rgb(40, 120, 86), rgb(110, 190, 130), rgb(20, 70, 60), rgb(100, 70, 52)};
  Canvas canvas = makeCanvas(256, 512);
  paintPine(&canvas, Point{128.0f, 500.0f}, 492.0f, pine, 23u);
  Image image = canvasToImage(downsample(canvas, 2));
  bleedEdgeColour(&image);
  return image;
}

}  // namespace

Image drawSceneryPicture(const std::string& entry) {
  if (has(entry, "sky")) {
    if (has(entry, "dusk")) return drawSky(SkyKind::Dusk);
    if (has(entry, "night")) return drawSky(SkyKind::Night);
    if (has(entry, "sand")) return drawSky(SkyKind::Sand);
    return drawSky(SkyKind::Day);
  }
  if (has(entry, "waterfall")) return drawFallingWater(has(entry, "thin") ? 64 : 128);
  if (has(entry, "water")) return has(entry, "brook") ? drawWater(256, 128, true) : drawWater(256, 256, false);
  if (has(entry, "spray")) return drawSprayPuff();
  if (has(entry, "leaves")) {
    if (has(entry, "willow")) return drawWillowLeaves();
    if (has(entry, "fern")) return drawFernLeaves();
    return drawOakLeaves();
  }
  if (has(entry, "lantern")) return drawLantern();
  if (has(entry, "pine") || has(entry, "tree")) return drawPineProp();
  return drawBoulder();
}

Colour seenThrough(const std::string& entry, float v) {
  struct Means {
    std::string entry;
    std::vector<Colour> rows;
  };
  static std::vector<Means> cache;  // one per entry, for the run
  auto found = std::find_if(cache.begin(), cache.end(), [&](const Means& m) { return m.entry == entry; });
  if (found == cache.end()) {
    const Image picture = drawSceneryPicture(entry);
    Means means{entry, std::vector<Colour>(static_cast<size_t>(picture.height))};
    for (int y = 0; y < picture.height; ++y) {
      float r = 0.0f, g = 0.0f, b = 0.0f;
      for (int x = 0; x < picture.width; ++x) {
        const Rgba p = getPixel(picture, x, y);
        r += p.r;
        g += p.g;
        b += p.b;
      }
      const float n = 255.0f * picture.width;
      means.rows[static_cast<size_t>(y)] = Colour{r / n, g / n, b / n, 1.0f};
    }
    cache.push_back(std::move(means));
    found = cache.end() - 1;
  }
  const std::vector<Colour>& rows = found->rows;
  if (v < 0.0f) {
    Colour sum{0.0f, 0.0f, 0.0f, 1.0f};
    for (const Colour& c : rows) sum = Colour{sum.r + c.r, sum.g + c.g, sum.b + c.b, 1.0f};
    const float n = static_cast<float>(std::max<size_t>(1, rows.size()));
    return Colour{sum.r / n, sum.g / n, sum.b / n, 1.0f};
  }
  const int row = std::max(0, std::min(static_cast<int>(rows.size()) - 1, static_cast<int>(v * rows.size())));
  return rows[static_cast<size_t>(row)];
}

// ---------------------------------------------------------------------------
// Additive glows: white light on black, reaching black at the border.

namespace {

template <class Light>
Image drawLight(int width, int height, Light light) {
  Canvas canvas = makeCanvas(width, height, kOpaqueBlack);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float u = (x + 0.5f) / width * 2.0f - 1.0f, v = (y + 0.5f) / height * 2.0f - 1.0f;
      const Colour c = light(u, v);
      canvas.pixels[static_cast<size_t>(y) * width + x] = Colour{clamp01(c.r), clamp01(c.g), clamp01(c.b), 1.0f};
    }
  }
  return canvasToImage(canvas);
}

}  // namespace

Image drawFlarePicture() {
  return drawLight(128, 128, [](float u, float v) {
    const float r2 = u * u + v * v;
    const float edge = clamp01(1.0f - std::sqrt(r2));
    const float k = (0.75f * std::exp(-r2 * 5.0f) + 0.35f * std::exp(-r2 * 28.0f)) * smoothstep(0.0f, 0.35f, edge);
    return Colour{k, k * 0.97f, k * 0.92f, 1.0f};
  });
}

Image drawMenuGlowBar() {
  return drawLight(256, 64, [](float u, float v) {
    const float across = std::exp(-v * v * 5.5f) * smoothstep(1.0f, 0.55f, std::fabs(v));
    const float along = smoothstep(1.0f, 0.35f, std::fabs(u));
    const float k = across * along * 0.95f;
    return Colour{k, k * 0.95f, k * 0.86f, 1.0f};
  });
}

Image drawLightningPicture() {
  return drawLight(64, 64, [](float u, float v) {
    // A zig-zag bolt down the middle with a soft glow.
    const float path = 0.25f * std::sin(v * 7.0f) + 0.1f * std::sin(v * 19.0f);
    const float d = std::fabs(u - path);
    const float k = (std::exp(-d * d * 400.0f) + 0.35f * std::exp(-d * d * 30.0f)) * smoothstep(1.0f, 0.7f, std::fabs(v));
    return Colour{k * 0.85f, k * 0.92f, k, 1.0f};
  });
}

Image drawHammerGlow() {
  // The light of the charged hammer: the gauge's hammer (head across the top,
  // handle down the middle, as the HUD paints it) blurred into a warm glow.
  return drawLight(64, 128, [](float u, float v) {
    const Point p{(u + 1.0f) * 32.0f, (v + 1.0f) * 64.0f};
    const float head = sdRoundedBox(p, Point{32.0f, 28.0f}, 27.0f, 16.0f, 7.0f);
    const float handle = std::min(sdRoundedBox(p, Point{32.0f, 84.0f}, 7.0f, 36.0f, 4.0f), sdCircle(p, Point{32.0f, 118.0f}, 6.0f));
    const float d = std::min(head, handle);
    const float border = std::min(std::min(p.x, 64.0f - p.x), std::min(p.y, 128.0f - p.y));
    // An aura: strongest along the hammer's outline, gentler over its body so
    // the hammer still shows through, fading out into the air around it.
    const float k = (d < 0.0f ? 0.42f + 0.4f * std::exp(d / 4.0f) : 0.82f * std::exp(-d / 6.0f)) *
                    smoothstep(0.0f, 5.0f, border);
    return Colour{k, k * 0.9f, k * 0.62f, 1.0f};
  });
}
