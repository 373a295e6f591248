// icons.cpp: the desktop icons the install puts in the hicolor theme: the title's
// owl as "icon-<size>.png" for every size a desktop asks for, shrunk from one
// 256-pixel painting, and "icon.svg", a scalable file that carries the largest.
#include <filesystem>

#include "art_scene.h"
#include "datagen.h"
#include "generators.h"
#include "image.h"
#include "paint.h"

namespace {

constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// Averages the source pixels that fall in each pixel of a size x size picture
// (premultiplied, so see-through edges do not darken).
Canvas shrinkCanvas(const Canvas& source, int size) {
  Canvas out = makeCanvas(size, size);
  for (int y = 0; y < size; ++y) {
    const int y0 = y * source.height / size, y1 = (y + 1) * source.height / size;
    for (int x = 0; x < size; ++x) {
      const int x0 = x * source.width / size, x1 = (x + 1) * source.width / size;
      Colour sum = kClear;
      for (int sy = y0; sy < y1; ++sy) {
        for (int sx = x0; sx < x1; ++sx) {
          const Colour& v = source.pixels[static_cast<size_t>(sy) * source.width + sx];
          sum = Colour{sum.r + v.r, sum.g + v.g, sum.b + v.b, sum.a + v.a};
        }
      }
      const float inv = 1.0f / static_cast<float>((y1 - y0) * (x1 - x0));
      out.pixels[static_cast<size_t>(y) * size + x] = Colour{sum.r * inv, sum.g * inv, sum.b * inv, sum.a * inv};
    }
  }
  return out;
}

std::string base64(const std::vector<uint8_t>& bytes) {
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const uint32_t n = (uint32_t{bytes[i]} << 16) | (i + 1 < bytes.size() ? uint32_t{bytes[i + 1]} << 8 : 0u) |
                       (i + 2 < bytes.size() ? uint32_t{bytes[i + 2]} : 0u);
    text += kDigits[(n >> 18) & 63];
    text += kDigits[(n >> 12) & 63];
    text += i + 1 < bytes.size() ? kDigits[(n >> 6) & 63] : '=';
    text += i + 2 < bytes.size() ? kDigits[n & 63] : '=';
  }
  return text;
}

// A scalable icon file holding the picture: desktops that look only for SVG in
// the theme's scalable folder find it there.
std::string svgWrapping(const std::vector<uint8_t>& png, int size) {
  return format("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%i\" height=\"%i\" viewBox=\"0 0 %i %i\">\n"
                "<image width=\"%i\" height=\"%i\" href=\"data:image/png;base64,",
                size, size, size, size, size, size) +
         base64(png) + "\"/>\n</svg>\n";
}

bool writeIconFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  return writeToolFile(gen.iconDir + "/" + name, bytes, "icon");
}

}  // namespace

bool writeIcons() {
  std::error_code error;
  std::filesystem::create_directories(gen.iconDir, error);
  const Canvas owl = imageToCanvas(drawOwlIcon());
  std::vector<uint8_t> largest;
  for (const int size : kIconSizes) {
    const std::vector<uint8_t> png = encodePng(canvasToImage(shrinkCanvas(owl, size)));
    if (!writeIconFile(format("icon-%i.png", size), png)) return false;
    largest = png;
  }
  const std::string svg = svgWrapping(largest, kIconSizes[std::size(kIconSizes) - 1]);
  return writeIconFile("icon.svg", std::vector<uint8_t>(svg.begin(), svg.end()));
}
