// font.cpp: the game's only font, rendered from DejaVu Sans Bold into a 16 x 16
// atlas of 32-texel cells ("font.tga") with its metrics ("font.dat"): cell k holds
// character code k, white glyphs on transparent, each centred on its advance,
// all on one baseline. A thin soft dark rim around every glyph keeps white and
// tinted text readable over light floors and skies; the game tints text by
// multiplying, which leaves the rim dark. The same atlas is rendered again at
// twice the size ("font2x.tga": 64-texel cells, every length doubled, the same
// metrics) for text the game shows enlarged.
#include <stb_truetype.h>

#include <algorithm>
#include <cmath>

#include "datagen.h"
#include "generators.h"
#include "image.h"

constexpr int kAtlasSize = 512;
constexpr int kCellsPerRow = 16;
constexpr int kCellSize = kAtlasSize / kCellsPerRow;
// Glyph height in texels and the baseline from the cell top: capitals and lower
// case sit around the cell's middle line, which the game uses as the text line.
constexpr float kPixelHeight = 26.0f;
constexpr int kBaseline = 23;

// Printable ASCII and the Latin-1 letters and signs.
static bool hasGlyph(int code) {
  return (code >= 32 && code <= 126) || (code >= 160 && code <= 255);
}

// The rim: how far it reaches beyond the ink (texels) and how dark it gets.
constexpr float kRimReach = 1.6f;
constexpr float kRimStrength = 0.55f;

// Puts a cell's glyph coverage (0..1, cell x cell for an atlas `scale` times the
// size) into the atlas with its rim.
static void putCell(const float* ink, int scale, int cellX, int cellY, Image* atlas) {
  const int cell = kCellSize * scale, spread = 2 * scale;
  const float rimReach = kRimReach * float(scale), drop = 0.5f * float(scale);
  for (int y = 0; y < cell; ++y) {
    for (int x = 0; x < cell; ++x) {
      // The rim is the ink widened by kRimReach with a soft edge, a little lower
      // than the ink so it reads as a shadow too.
      float rim = 0.0f;
      for (int dy = -spread; dy <= spread; ++dy) {
        for (int dx = -spread; dx <= spread; ++dx) {
          const int sx = x + dx, sy = y + dy;
          if (sx < 0 || sy < 0 || sx >= cell || sy >= cell) continue;
          const float distance = std::sqrt(float(dx * dx) + (dy + drop) * (dy + drop));
          const float reach = std::max(0.0f, std::min(1.0f, rimReach + 0.5f - distance));
          rim = std::max(rim, ink[sy * cell + sx] * reach);
        }
      }
      const float glyph = ink[y * cell + x];
      const float under = rim * kRimStrength * (1.0f - glyph);
      const float alpha = glyph + under;
      if (alpha <= 0.0f) continue;
      const uint8_t grey = static_cast<uint8_t>(std::lround(255.0f * glyph / alpha));
      setPixel(atlas, cellX + x, cellY + y,
               Rgba{grey, grey, grey, static_cast<uint8_t>(std::lround(255.0f * alpha))});
    }
  }
}

// Draws one glyph into its cell of an atlas `scale` times the 512-texel one,
// centred as the 1x glyph is so every length doubles. Returns its advance in texels
// of the 1x atlas.
static int renderGlyph(const stbtt_fontinfo& font, float pixelScale, int scale, int code,
                       Image* atlas) {
  int advance, bearing;
  stbtt_GetCodepointHMetrics(&font, code, &advance, &bearing);
  const int width = static_cast<int>(std::lround(advance * pixelScale));
  const float glyphScale = pixelScale * float(scale);
  int x0, y0, x1, y1;
  stbtt_GetCodepointBitmapBox(&font, code, glyphScale, glyphScale, &x0, &y0, &x1, &y1);
  const int w = x1 - x0;
  const int h = y1 - y0;
  if (w <= 0 || h <= 0) return width;
  std::vector<uint8_t> coverage(static_cast<size_t>(w) * h);
  stbtt_MakeCodepointBitmap(&font, coverage.data(), w, h, w, glyphScale, glyphScale, code);
  const int cell = kCellSize * scale;
  std::vector<float> ink(static_cast<size_t>(cell) * cell, 0.0f);
  const int left = (kCellSize - width) / 2 * scale + x0;
  const int top = kBaseline * scale + y0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int px = left + x;
      const int py = top + y;
      // Ink that would reach into a neighbouring cell is cut off.
      if (px < 0 || px >= cell || py < 0 || py >= cell) continue;
      ink[py * cell + px] = coverage[y * w + x] / 255.0f;
    }
  }
  putCell(ink.data(), scale, (code % kCellsPerRow) * cell, (code / kCellsPerRow) * cell, atlas);
  return width;
}

// The atlas `scale` times 512 texels wide, every glyph drawn; advances[k] receives
// the advance of code k in texels of the 1x atlas.
static Image renderAtlas(const stbtt_fontinfo& font, int scale, uint8_t advances[256]) {
  const float pixelScale = stbtt_ScaleForPixelHeight(&font, kPixelHeight);
  Image atlas = makeImage(kAtlasSize * scale, kAtlasSize * scale, Rgba{255, 255, 255, 0});
  for (int code = 0; code < 256; ++code) {
    advances[code] = 0;
    if (!hasGlyph(code)) continue;
    const int width = renderGlyph(font, pixelScale, scale, code, &atlas);
    advances[code] = static_cast<uint8_t>(width > kCellSize ? kCellSize : width);
  }
  return atlas;
}

void generateFont() {
  if (!loadTypeface()) return;
  stbtt_fontinfo font;
  const uint8_t* ttf = typefaceBytes().data();
  stbtt_InitFont(&font, ttf, stbtt_GetFontOffsetForIndex(ttf, 0));

  std::vector<uint8_t> metrics;
  putU32(&metrics, kCellsPerRow);
  uint8_t advances[256];
  const Image atlas = renderAtlas(font, 1, advances);
  const Image sharp = renderAtlas(font, 2, advances);
  uint8_t cells[256];
  for (int code = 0; code < 256; ++code) cells[code] = static_cast<uint8_t>(code);
  putBytes(&metrics, advances, sizeof advances);
  putBytes(&metrics, cells, sizeof cells);
  addOutput(Place::TargaPack, "font.tga", encodeTga(atlas));
  addOutput(Place::TargaPack, "font2x.tga", encodeTgaRle(sharp));  // mostly empty cells
  addOutput(Place::TextsPack, "font.dat", std::move(metrics));
}
