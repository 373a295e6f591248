// image.cpp: drawing helpers, typeface text and the picture encoders.
#include "image.h"

#include <stb_image_write.h>
#include <stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "datagen.h"

static const char* const kTypefacePath = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// The typeface, loaded once per run.
static struct {
  std::vector<uint8_t> bytes;
  stbtt_fontinfo info;
  bool loaded;
} typeface;

Image makeImage(int width, int height, Rgba fill) {
  Image image{width, height, {}};
  image.pixels.resize(static_cast<size_t>(width) * height * 4);
  for (size_t i = 0; i < image.pixels.size(); i += 4) {
    image.pixels[i] = fill.r;
    image.pixels[i + 1] = fill.g;
    image.pixels[i + 2] = fill.b;
    image.pixels[i + 3] = fill.a;
  }
  return image;
}

Rgba getPixel(const Image& image, int x, int y) {
  const uint8_t* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 4];
  return Rgba{p[0], p[1], p[2], p[3]};
}

void setPixel(Image* image, int x, int y, Rgba colour) {
  if (x < 0 || y < 0 || x >= image->width || y >= image->height) return;
  uint8_t* p = &image->pixels[(static_cast<size_t>(y) * image->width + x) * 4];
  p[0] = colour.r;
  p[1] = colour.g;
  p[2] = colour.b;
  p[3] = colour.a;
}

void blendPixel(Image* image, int x, int y, Rgba colour, float coverage) {
  if (x < 0 || y < 0 || x >= image->width || y >= image->height || coverage <= 0.0f) return;
  const Rgba under = getPixel(*image, x, y);
  const float top = std::min(1.0f, coverage) * colour.a / 255.0f;
  const float bottom = under.a / 255.0f * (1.0f - top);
  const float alpha = top + bottom;
  if (alpha <= 0.0f) return;
  auto mix = [&](uint8_t a, uint8_t b) {
    return static_cast<uint8_t>(std::lround((a * top + b * bottom) / alpha));
  };
  setPixel(image, x, y,
           Rgba{mix(colour.r, under.r), mix(colour.g, under.g), mix(colour.b, under.b),
                static_cast<uint8_t>(std::lround(alpha * 255.0f))});
}

void fillRect(Image* image, int x0, int y0, int x1, int y1, Rgba colour) {
  for (int y = std::max(0, y0); y < std::min(image->height, y1); ++y) {
    for (int x = std::max(0, x0); x < std::min(image->width, x1); ++x) {
      setPixel(image, x, y, colour);
    }
  }
}

void fillDisc(Image* image, float cx, float cy, float radius, Rgba colour) {
  const int x0 = static_cast<int>(std::floor(cx - radius - 1.0f));
  const int x1 = static_cast<int>(std::ceil(cx + radius + 1.0f));
  const int y0 = static_cast<int>(std::floor(cy - radius - 1.0f));
  const int y1 = static_cast<int>(std::ceil(cy + radius + 1.0f));
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
      blendPixel(image, x, y, colour, radius + 0.5f - d);
    }
  }
}

void drawBorder(Image* image, int thickness, Rgba colour) {
  fillRect(image, 0, 0, image->width, thickness, colour);
  fillRect(image, 0, image->height - thickness, image->width, image->height, colour);
  fillRect(image, 0, 0, thickness, image->height, colour);
  fillRect(image, image->width - thickness, 0, image->width, image->height, colour);
}

bool loadTypeface() {
  if (typeface.loaded) return true;
  std::ifstream in(kTypefacePath, std::ios::binary);
  typeface.bytes.assign(std::istreambuf_iterator<char>(in), {});
  if (typeface.bytes.empty() ||
      !stbtt_InitFont(&typeface.info, typeface.bytes.data(),
                      stbtt_GetFontOffsetForIndex(typeface.bytes.data(), 0))) {
    reportError(kTypefacePath, 0, "cannot load the typeface (package fonts-dejavu-core)");
    return false;
  }
  typeface.loaded = true;
  return true;
}

const std::vector<uint8_t>& typefaceBytes() { return typeface.bytes; }

float measureLabel(const char* text, float pixelHeight) {
  if (!typeface.loaded) return 0.0f;
  const float scale = stbtt_ScaleForPixelHeight(&typeface.info, pixelHeight);
  float width = 0.0f;
  for (const char* c = text; *c; ++c) {
    int advance, bearing;
    stbtt_GetCodepointHMetrics(&typeface.info, static_cast<unsigned char>(*c), &advance,
                               &bearing);
    width += advance * scale;
  }
  return width;
}

void drawLabel(Image* image, const char* text, float cx, float baseline, float pixelHeight,
               Rgba colour) {
  if (!typeface.loaded) return;
  const float scale = stbtt_ScaleForPixelHeight(&typeface.info, pixelHeight);
  float penX = cx - measureLabel(text, pixelHeight) / 2.0f;
  for (const char* c = text; *c; ++c) {
    const int code = static_cast<unsigned char>(*c);
    int x0, y0, x1, y1;
    stbtt_GetCodepointBitmapBox(&typeface.info, code, scale, scale, &x0, &y0, &x1, &y1);
    const int w = x1 - x0;
    const int h = y1 - y0;
    if (w > 0 && h > 0) {
      std::vector<uint8_t> coverage(static_cast<size_t>(w) * h);
      stbtt_MakeCodepointBitmap(&typeface.info, coverage.data(), w, h, w, scale, scale, code);
      const int left = static_cast<int>(std::lround(penX)) + x0;
      const int top = static_cast<int>(std::lround(baseline)) + y0;
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          blendPixel(image, left + x, top + y, colour, coverage[y * w + x] / 255.0f);
        }
      }
    }
    int advance, bearing;
    stbtt_GetCodepointHMetrics(&typeface.info, code, &advance, &bearing);
    penX += advance * scale;
  }
}

void drawCentredLabel(Image* image, const char* text, float cy, float pixelHeight,
                      float maxWidth, Rgba colour) {
  float size = pixelHeight;
  while (size > 6.0f && measureLabel(text, size) > maxWidth) size *= 0.9f;
  drawLabel(image, text, image->width / 2.0f, cy + size * 0.35f, size, colour);
}

std::vector<uint8_t> encodeTga(const Image& image) {
  std::vector<uint8_t> out;
  const uint8_t header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                              static_cast<uint8_t>(image.width),
                              static_cast<uint8_t>(image.width >> 8),
                              static_cast<uint8_t>(image.height),
                              static_cast<uint8_t>(image.height >> 8),
                              32, 0x28};  // 8 alpha bits, rows stored top first
  putBytes(&out, header, sizeof header);
  for (size_t i = 0; i < image.pixels.size(); i += 4) {
    const uint8_t bgra[4] = {image.pixels[i + 2], image.pixels[i + 1], image.pixels[i],
                             image.pixels[i + 3]};
    putBytes(&out, bgra, 4);
  }
  return out;
}

// stb's write callback: appends to a byte vector.
static void appendBytes(void* context, void* data, int size) {
  putBytes(static_cast<std::vector<uint8_t>*>(context), data, static_cast<size_t>(size));
}

std::vector<uint8_t> encodeTgaRle(const Image& image) {
  std::vector<uint8_t> out;
  stbi_write_tga_with_rle = 1;
  if (!stbi_write_tga_to_func(appendBytes, &out, image.width, image.height, 4,
                              image.pixels.data())) {
    out.clear();
  }
  return out;
}

std::vector<uint8_t> encodeJpeg(const Image& image, int quality) {
  std::vector<uint8_t> rgb;
  rgb.reserve(static_cast<size_t>(image.width) * image.height * 3);
  for (size_t i = 0; i < image.pixels.size(); i += 4) putBytes(&rgb, &image.pixels[i], 3);
  std::vector<uint8_t> out;
  if (!stbi_write_jpg_to_func(appendBytes, &out, image.width, image.height, 3, rgb.data(),
                              quality)) {
    out.clear();
  }
  return out;
}

std::vector<uint8_t> encodeJpegWithAlpha(const Image& image, int quality,
                                         const std::string& name) {
  std::vector<uint8_t> out = encodeJpeg(image, quality);
  // The game finds the alpha plane after the first FF D9: it must be the real end.
  size_t end = 0;
  for (size_t i = 0; i + 1 < out.size() && end == 0; ++i) {
    if (out[i] == 0xFF && out[i + 1] == 0xD9) end = i + 2;
  }
  if (end == 0 || end != out.size()) {
    reportError(name, 0, "the JPEG does not end at its first end marker");
    return {};
  }
  for (size_t i = 3; i < image.pixels.size(); i += 4) out.push_back(image.pixels[i]);
  return out;
}

std::vector<uint8_t> encodePng(const Image& image) {
  std::vector<uint8_t> out;
  if (!stbi_write_png_to_func(appendBytes, &out, image.width, image.height, 4,
                              image.pixels.data(), image.width * 4)) {
    out.clear();
  }
  return out;
}
