// Picture files to texels and back, over stb_image and stb_image_write.
#include "platform/picture.h"

#include <stb_image.h>        // decode JPEG, Targa, PNG from memory
#include <stb_image_write.h>  // PNG files, JPEG and Targa in memory

#include <bit>
#include <climits>
#include <cstring>

#include "platform/platform.h"

namespace {

// Appends what stb_image_write hands out to a byte vector.
void appendBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  const auto* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

bool sizeFits(size_t size) { return size > 0 && size <= size_t(INT_MAX); }

// Red, green, blue, alpha to blue, green, red, alpha in place, a pixel as one word.
void swapRedAndBlue(uint8_t* pixels, size_t count) {
  static_assert(std::endian::native == std::endian::little, "pixels are read as words");
  for (size_t i = 0; i < count; ++i) {
    uint32_t p;
    std::memcpy(&p, pixels + 4 * i, 4);
    p = (p & 0xFF00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
    std::memcpy(pixels + 4 * i, &p, 4);
  }
}

// The byte at `at`, 0 past the end, as the decoder reads it.
uint8_t byteAt(const uint8_t* bytes, size_t size, size_t at) { return at < size ? bytes[at] : 0; }

// True when the Huffman tables a segment starting at `at` (after FF C4) would
// define each list at most 256 codes. The decoder we use writes a table's codes
// into room for 256 without counting them, so a larger table would overwrite
// memory; a class or slot out of range, or codes that do not fit their lengths, it
// refuses by itself.
bool huffmanTablesFit(const uint8_t* bytes, size_t size, size_t at) {
  int64_t left = int64_t(byteAt(bytes, size, at)) * 256 + byteAt(bytes, size, at + 1) - 2;
  at += 2;
  while (left > 0 && at < size) {
    const uint8_t slot = byteAt(bytes, size, at);
    if ((slot >> 4) > 1 || (slot & 15) > 3) return true;
    int32_t codes = 0;
    for (size_t i = 1; i <= 16; ++i) codes += byteAt(bytes, size, at + i);
    if (codes > 256) return false;
    at += 17 + size_t(codes);
    left -= 17 + codes;
  }
  return true;
}

// A JPEG whose every Huffman table fits. Every FF C4 in the file is taken for a
// table's marker, wherever the decoder might meet it; other files pass. The
// decoder takes a file for a JPEG when it starts with FF, any more FFs, then D8.
bool jpegTablesFit(const uint8_t* bytes, size_t size) {
  size_t start = 1;
  while (start < size && bytes[start] == 0xFF) ++start;
  if (size < 2 || bytes[0] != 0xFF || start >= size || bytes[start] != 0xD8) return true;
  for (size_t at = start + 1; at + 1 < size; ++at) {
    if (bytes[at] == 0xFF && bytes[at + 1] == 0xC4 && !huffmanTablesFit(bytes, size, at + 2)) {
      return false;
    }
  }
  return true;
}

// Refused before a pixel is decoded: a header may claim any size, and reading the
// header already builds a JPEG's tables. False (with the reason when asked) for a
// picture the decoder must not be given.
bool headerFits(const uint8_t* bytes, size_t size, const char** reason) {
  int w = 0, h = 0, channels = 0;
  if (!jpegTablesFit(bytes, size)) {
    if (reason) *reason = "a JPEG Huffman table lists more than 256 codes";
    return false;
  }
  if (!stbi_info_from_memory(bytes, int(size), &w, &h, &channels)) {
    if (reason) *reason = stbi_failure_reason();
    return false;
  }
  if (w > kMaxPictureSide || h > kMaxPictureSide) {
    if (reason) *reason = "larger than a picture of the game can be";
    return false;
  }
  return true;
}

}  // namespace

bool picDecode(const uint8_t* bytes, size_t size, Picture* out, const char** reason) {
  out->width = out->height = 0;
  out->rgba.clear();
  if (!bytes || !sizeFits(size)) {
    if (reason) *reason = "empty file";
    return false;
  }
  if (!headerFits(bytes, size, reason)) return false;
  int w = 0, h = 0, channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(bytes, int(size), &w, &h, &channels, 4);
  if (!pixels) {
    if (reason) *reason = stbi_failure_reason();
    return false;
  }
  out->width = w;
  out->height = h;
  out->rgba.assign(pixels, pixels + size_t(w) * size_t(h) * 4);
  stbi_image_free(pixels);
  return true;
}

bool picDecodeTexels(const uint8_t* bytes, size_t size, PictureTexels* out) {
  *out = {};
  if (!bytes || !sizeFits(size) || !headerFits(bytes, size, nullptr)) return false;
  int w = 0, h = 0, channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(bytes, int(size), &w, &h, &channels, 4);
  if (!pixels) return false;
  swapRedAndBlue(pixels, size_t(w) * size_t(h));
  *out = {w, h, pixels};
  return true;
}

void picFreeTexels(PictureTexels* texels) {
  stbi_image_free(texels->bgra);
  *texels = {};
}

bool picSize(const uint8_t* bytes, size_t size, int32_t* width, int32_t* height) {
  int w = 0, h = 0, channels = 0;
  if (!bytes || !sizeFits(size) || !jpegTablesFit(bytes, size) ||
      !stbi_info_from_memory(bytes, int(size), &w, &h, &channels)) {
    return false;
  }
  *width = w;
  *height = h;
  return true;
}

bool picWritePng(const char* path, const uint8_t* rgba, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return false;
  std::vector<uint8_t> opaque(rgba, rgba + size_t(width) * size_t(height) * 4);
  for (size_t i = 3; i < opaque.size(); i += 4) opaque[i] = 255;
  std::vector<uint8_t> png;
  if (!stbi_write_png_to_func(appendBytes, &png, width, height, 4, opaque.data(), width * 4)) {
    return false;
  }
  return sysWriteOutputFile(path, png.data(), png.size());
}

bool picEncodeJpeg(const uint8_t* pixels, int32_t width, int32_t height, int32_t channels,
                   int32_t quality, std::vector<uint8_t>* out) {
  out->clear();
  if (width <= 0 || height <= 0 || (channels != 3 && channels != 4)) return false;
  return stbi_write_jpg_to_func(appendBytes, out, width, height, channels, pixels, quality) != 0;
}

bool picEncodeTga(const uint8_t* rgba, int32_t width, int32_t height, std::vector<uint8_t>* out) {
  out->clear();
  if (width <= 0 || height <= 0) return false;
  // Raw rows: the file's size is then known in advance (tests rely on nothing else).
  stbi_write_tga_with_rle = 0;
  const bool ok = stbi_write_tga_to_func(appendBytes, out, width, height, 4, rgba) != 0;
  stbi_write_tga_with_rle = 1;
  return ok;
}
