// font.cpp: the game's only font, rendered from DejaVu Sans Bold into a 16 x 16
// atlas of 32-texel cells ("font.tga") with its metrics ("font.dat"): cell k holds
// character code k, white glyphs on transparent, each centred on its advance,
// all on one baseline.
#include <stb_truetype.h>

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

// Draws one glyph into its cell. Returns its advance in texels.
static int renderGlyph(const stbtt_fontinfo& font, float scale, int code, Image* atlas) {
  int advance, bearing;
  stbtt_GetCodepointHMetrics(&font, code, &advance, &bearing);
  const int width = static_cast<int>(std::lround(advance * scale));
  int x0, y0, x1, y1;
  stbtt_GetCodepointBitmapBox(&font, code, scale, scale, &x0, &y0, &x1, &y1);
  const int w = x1 - x0;
  const int h = y1 - y0;
  if (w <= 0 || h <= 0) return width;
  std::vector<uint8_t> coverage(static_cast<size_t>(w) * h);
  stbtt_MakeCodepointBitmap(&font, coverage.data(), w, h, w, scale, scale, code);
  const int cellX = (code % kCellsPerRow) * kCellSize;
  const int cellY = (code / kCellsPerRow) * kCellSize;
  const int left = cellX + (kCellSize - width) / 2 + x0;
  const int top = cellY + kBaseline + y0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int px = left + x;
      const int py = top + y;
      // Ink that would reach into a neighbouring cell is cut off.
      if (px < cellX || px >= cellX + kCellSize || py < cellY || py >= cellY + kCellSize) {
        continue;
      }
      setPixel(atlas, px, py, Rgba{255, 255, 255, coverage[y * w + x]});
    }
  }
  return width;
}

void generateFont() {
  if (!loadTypeface()) return;
  stbtt_fontinfo font;
  const uint8_t* ttf = typefaceBytes().data();
  stbtt_InitFont(&font, ttf, stbtt_GetFontOffsetForIndex(ttf, 0));
  const float scale = stbtt_ScaleForPixelHeight(&font, kPixelHeight);

  Image atlas = makeImage(kAtlasSize, kAtlasSize, Rgba{255, 255, 255, 0});
  std::vector<uint8_t> metrics;
  putU32(&metrics, kCellsPerRow);
  uint8_t advances[256] = {};
  uint8_t cells[256];
  for (int code = 0; code < 256; ++code) {
    cells[code] = static_cast<uint8_t>(code);
    if (!hasGlyph(code)) continue;
    const int width = renderGlyph(font, scale, code, &atlas);
    advances[code] = static_cast<uint8_t>(width > kCellSize ? kCellSize : width);
  }
  putBytes(&metrics, advances, sizeof advances);
  putBytes(&metrics, cells, sizeof cells);
  addOutput(Place::TargaPack, "font.tga", encodeTga(atlas));
  addOutput(Place::TextsPack, "font.dat", std::move(metrics));
}
