// image.h: the tool's picture record, a few drawing helpers for procedural and
// placeholder art, text drawn with the DejaVu typeface, and the encoders for
// every picture format the game reads (32-bit Targa, baseline JPEG, JPEG with a
// trailing alpha plane) plus PNG for previews.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
  uint8_t r, g, b, a;
};

// Pixels top row first, 4 bytes each (straight alpha).
struct Image {
  int width;
  int height;
  std::vector<uint8_t> pixels;
};

Image makeImage(int width, int height, Rgba fill);
Rgba getPixel(const Image& image, int x, int y);
void setPixel(Image* image, int x, int y, Rgba colour);  // outside: ignored
// Draws colour over the pixel with coverage 0..1 (straight-alpha "over").
void blendPixel(Image* image, int x, int y, Rgba colour, float coverage);
void fillRect(Image* image, int x0, int y0, int x1, int y1, Rgba colour);  // x1, y1 exclusive
// Antialiased disc; with `shaded` the colour darkens towards the lower right.
void fillDisc(Image* image, float cx, float cy, float radius, Rgba colour);
// A frame `thickness` pixels wide just inside the picture's edge.
void drawBorder(Image* image, int thickness, Rgba colour);

// Loads the typeface once. False (error reported) when the font file is missing.
bool loadTypeface();
// The raw TrueType bytes (empty before loadTypeface).
const std::vector<uint8_t>& typefaceBytes();
// Width in pixels of text at the given pixel height.
float measureLabel(const char* text, float pixelHeight);
// Draws text with its baseline centre at (cx, baseline).
void drawLabel(Image* image, const char* text, float cx, float baseline, float pixelHeight,
               Rgba colour);
// Draws text centred in the picture, shrunk until it fits `maxWidth` pixels.
void drawCentredLabel(Image* image, const char* text, float cy, float pixelHeight,
                      float maxWidth, Rgba colour);

// Uncompressed 32-bit Targa, top-left origin, 8 alpha bits.
std::vector<uint8_t> encodeTga(const Image& image);
// Run-length encoded 32-bit Targa with 8 alpha bits: for pictures that are mostly
// one colour (empty when the encoder fails).
std::vector<uint8_t> encodeTgaRle(const Image& image);
// Baseline JFIF JPEG of the colour channels. Empty on failure.
std::vector<uint8_t> encodeJpeg(const Image& image, int quality);
// JPEG followed by the alpha channel as width x height bytes. Empty (error
// reported against `name`) when the JPEG holds FF D9 before its real end.
std::vector<uint8_t> encodeJpegWithAlpha(const Image& image, int quality,
                                         const std::string& name);
std::vector<uint8_t> encodePng(const Image& image);
