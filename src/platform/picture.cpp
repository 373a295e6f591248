// Picture files to texels and back, over stb_image and stb_image_write.
#include "platform/picture.h"

#include <stb_image.h>        // decode JPEG, Targa, PNG from memory
#include <stb_image_write.h>  // PNG files, JPEG and Targa in memory

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

}  // namespace

bool picDecode(const uint8_t* bytes, size_t size, Picture* out, const char** reason) {
  out->width = out->height = 0;
  out->rgba.clear();
  if (!bytes || !sizeFits(size)) {
    if (reason) *reason = "empty file";
    return false;
  }
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

bool picSize(const uint8_t* bytes, size_t size, int32_t* width, int32_t* height) {
  int w = 0, h = 0, channels = 0;
  if (!bytes || !sizeFits(size) || !stbi_info_from_memory(bytes, int(size), &w, &h, &channels)) {
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
