// The texture cache: pictures from the file table decoded into device textures
// once, JPEG pictures with a separate alpha plane, and pictures placed unscaled in
// power-of-two textures of a requested size.
#include "render/texture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/picture.h"
#include "platform/platform.h"
#include "render/render_local.h"
#include "resources/resources.h"

TextureCache textureCache = {};

namespace {

bool hasTgaName(const char* name) {
  return std::strstr(name, ".tga") != nullptr || std::strstr(name, ".TGA") != nullptr;
}

[[noreturn]] void stopLoading(const char* pattern, const char* name) {
  char text[kMaxTextureName + 64];
  std::snprintf(text, sizeof text, pattern, name);
  sysFatalStop(text, "Loading error");
}

// Appends a new entry for a device texture: empty (texels 0), or made from decoded
// texels it takes over. Null (after the creation message, texels freed) when the
// name does not fit, the cache is full or the device cannot make the texture.
TextureEntry* enterTexture(const char* name, uint32_t width, uint32_t height,
                           PixelFormat deviceFormat, PixelFormat entryFormat,
                           uint8_t* texels = nullptr) {
  if (std::strlen(name) >= size_t(kMaxTextureName) || textureCache.count >= kMaxTextures ||
      width == 0 || height == 0 || width > kMaxTextureSide || height > kMaxTextureSide) {
    std::free(texels);
    reportTextureCreationFailure(name);
    return nullptr;
  }
  DevTexture* texture = texels ? devCreateTextureFromTexels(width, height, deviceFormat, texels)
                               : devCreateTexture(width, height, deviceFormat);
  if (!texture) {
    reportTextureCreationFailure(name);
    return nullptr;
  }
  auto* e = new TextureEntry();
  std::snprintf(e->name, sizeof e->name, "%s", name);
  e->width = width;
  e->height = height;
  e->texture = texture;
  e->format = entryFormat;
  textureCache.entries[textureCache.count++] = e;
  return e;
}

// The picture's texels cut or widened to w x h: its own block when it has that
// size already (taken from it), else a new one holding what of it fits, the rest
// transparent black. Null without memory.
uint8_t* fitTexels(PictureTexels* picture, uint32_t w, uint32_t h) {
  if (picture->bgra && uint32_t(picture->width) == w && uint32_t(picture->height) == h) {
    uint8_t* same = picture->bgra;
    picture->bgra = nullptr;
    return same;
  }
  auto* fitted = static_cast<uint8_t*>(std::calloc(size_t(w) * h, 4));
  if (!fitted || !picture->bgra) return fitted;
  const uint32_t columns = std::min(w, uint32_t(picture->width));
  const uint32_t rows = std::min(h, uint32_t(picture->height));
  for (uint32_t y = 0; y < rows; ++y) {
    std::memcpy(fitted + size_t(y) * w * 4, picture->bgra + size_t(y) * size_t(picture->width) * 4,
                size_t(columns) * 4);
  }
  return fitted;
}

// Decodes a picture into texels; pictures larger than a texture can hold are
// refused with the creation message.
bool decodeTexels(const char* name, const uint8_t* bytes, uint32_t size, PictureTexels* out) {
  if (!picDecodeTexels(bytes, size, out)) return false;
  if (uint32_t(out->width) > kMaxTextureSide || uint32_t(out->height) > kMaxTextureSide) {
    reportTextureCreationFailure(name);
    picFreeTexels(out);
    return false;
  }
  return true;
}

// A ".tga" picture shipped as a JPEG with an alpha plane, cached under its own name.
TextureEntry* loadAlphaJpeg(const char* name, bool mustLoad) {
  uint32_t size = 0;
  const uint8_t* bytes = loadFile(name, &size, false);
  if (!bytes) return nullptr;
  const uint32_t split = alphaJpegSplit(bytes, size);
  PictureTexels picture;
  if (split == 0 || !decodeTexels(name, bytes, split, &picture)) {
    // Without its end marker the file cannot be split: it counts as missing.
    if (split != 0 && mustLoad) stopLoading("Can't load texture: %s", name);
    releaseFile(bytes);
    return nullptr;
  }
  // Alpha byte k goes to texel k; a plane longer than the picture is cut off.
  const size_t texelCount = size_t(picture.width) * size_t(picture.height);
  const size_t planeSize = std::min(size_t(size - split), texelCount);
  for (size_t k = 0; k < planeSize; ++k) picture.bgra[4 * k + 3] = bytes[split + k];
  releaseFile(bytes);
  TextureEntry* e = enterTexture(name, uint32_t(picture.width), uint32_t(picture.height),
                                 PixelFormat::A8R8G8B8, PixelFormat::Unknown, picture.bgra);
  if (e) e->hasAlpha = 1;
  return e;
}

// Notes in blocks (cleared first) which blocks of the w x h texels are opaque with
// their margin; the margin stops at the edges, where a block may be cut short too.
void noteOpaqueBlocks(const uint8_t* texels, uint32_t w, uint32_t h,
                      uint32_t (&blocks)[kMaxOpaqueBlockRows]) {
  std::fill(std::begin(blocks), std::end(blocks), 0u);
  constexpr uint32_t side = kOpaqueBlockSide, margin = kOpaqueBlockMargin;
  for (uint32_t by = 0; by * side < h && by < uint32_t(kMaxOpaqueBlockRows); ++by) {
    const uint32_t y0 = by * side > margin ? by * side - margin : 0;
    const uint32_t y1 = std::min(h, (by + 1) * side + margin);
    for (uint32_t bx = 0; bx * side < w && bx < 32; ++bx) {
      const uint32_t x0 = bx * side > margin ? bx * side - margin : 0;
      const uint32_t x1 = std::min(w, (bx + 1) * side + margin);
      bool opaque = true;
      for (uint32_t y = y0; opaque && y < y1; ++y) {
        const uint8_t* row = texels + size_t(y) * w * 4;
        for (uint32_t x = x0; opaque && x < x1; ++x) opaque = row[x * 4 + 3] == 255;
      }
      if (opaque) blocks[by] |= 1u << bx;
    }
  }
}

}  // namespace

void reportTextureCreationFailure(const char* name) {
  char text[kMaxTextureName + 64];
  std::snprintf(text, sizeof text, "Couldn't create texture: %s", name);
  sysMessageBox(text, "Init error", SysMsgButtons::Ok, SysMsgIcon::None);
}

uint32_t nextPowerOfTwo(uint32_t n) {
  for (uint32_t p = 2; p <= kMaxTextureSide; p *= 2) {
    if (p >= n) return p;
  }
  return 0;
}

bool alphaJpegName(const char* name, char* out, int32_t capacity) {
  const char* dot = std::strchr(name, '.');
  const size_t stem = dot ? size_t(dot - name) : std::strlen(name);
  const int written = std::snprintf(out, size_t(capacity), "_a_%.*s.jpg", int(stem), name);
  return written >= 0 && written < capacity;
}

uint32_t alphaJpegSplit(const uint8_t* bytes, uint32_t size) {
  for (uint32_t i = 0; i + 1 < size; ++i) {
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xD9) return i + 2;
  }
  return 0;
}

TextureEntry* findTexture(const char* name) {
  for (int32_t i = 0; i < textureCache.count; ++i) {
    if (std::strcmp(textureCache.entries[i]->name, name) == 0) return textureCache.entries[i];
  }
  return nullptr;
}

int32_t textureCount() { return textureCache.count; }

TextureEntry* getTexture(const char* name) { return loadTexture(name, true); }

TextureEntry* loadTexture(const char* name, bool mustLoad) {
  if (TextureEntry* cached = findTexture(name)) return cached;
  if (hasTgaName(name)) {
    char alternative[kMaxTextureName + 8];
    if (alphaJpegName(name, alternative, int32_t(sizeof alternative))) {
      if (TextureEntry* e = findTexture(alternative)) return e;
      if (TextureEntry* e = loadAlphaJpeg(alternative, false)) return e;
    }
  }
  uint32_t size = 0;
  const uint8_t* bytes = loadFile(name, &size, false);
  PictureTexels picture;
  TextureEntry* e = nullptr;
  if (bytes && decodeTexels(name, bytes, size, &picture)) {
    e = enterTexture(name, uint32_t(picture.width), uint32_t(picture.height),
                     PixelFormat::A8R8G8B8, PixelFormat::Unknown, picture.bgra);
  }
  if (!e) {
    if (mustLoad) stopLoading("Couldn't load texture: %s", name);
    return nullptr;
  }
  e->hasAlpha = hasTgaName(name) ? 1 : 0;
  // The file's bytes stay in the file table.
  return e;
}

TextureEntry* loadSizedTexture(const char* name, uint32_t width, uint32_t height) {
  if (TextureEntry* cached = findTexture(name)) return cached;
  TextureEntry* e = createEmptyTexture(name, nextPowerOfTwo(width), nextPowerOfTwo(height),
                                       PixelFormat::A8R8G8B8);
  if (!e) return nullptr;
  uint32_t size = 0;
  const uint8_t* bytes = loadFile(name, &size, true);
  PictureTexels picture;
  if (bytes && decodeTexels(name, bytes, size, &picture)) {
    const uint32_t w = std::min({width, e->width, uint32_t(picture.width)});
    const uint32_t h = std::min({height, e->height, uint32_t(picture.height)});
    devWriteTextureRect(e->texture, 0, 0, w, h, picture.bgra, picture.width * 4);
    picFreeTexels(&picture);
  }
  if (bytes) releaseFile(bytes);
  return e;
}

TextureEntry* loadSizedAlphaTexture(const char* name, uint32_t width, uint32_t height) {
  uint32_t size = 0;
  const uint8_t* bytes = loadFile(name, &size, false);
  if (!bytes) return nullptr;
  const uint32_t split = alphaJpegSplit(bytes, size);
  TextureEntry* e = split == 0 ? nullptr
                               : createEmptyTexture(name, nextPowerOfTwo(width),
                                                    nextPowerOfTwo(height), PixelFormat::A8R8G8B8);
  if (!e) {
    releaseFile(bytes);
    return nullptr;
  }
  e->hasAlpha = 1;
  // The requested rectangle within the texture: the picture, then its plane row by
  // row (rows of `width` bytes; the plane may end early).
  const uint32_t w = std::min(width, e->width), h = std::min(height, e->height);
  PictureTexels picture = {};
  decodeTexels(name, bytes, split, &picture);
  if (uint8_t* texels = fitTexels(&picture, w, h)) {
    const uint8_t* alpha = bytes + split;
    const size_t planeSize = size - split;
    size_t k = 0;
    for (uint32_t y = 0; y < h && k < planeSize; ++y) {
      for (uint32_t x = 0; x < width && k < planeSize; ++x, ++k) {
        if (x < w) texels[(size_t(y) * w + x) * 4 + 3] = alpha[k];
      }
    }
    noteOpaqueBlocks(texels, w, h, e->opaqueBlocks);
    devWriteTextureRect(e->texture, 0, 0, w, h, texels, int32_t(w * 4));
    std::free(texels);
  }
  picFreeTexels(&picture);
  releaseFile(bytes);
  return e;
}

TextureEntry* createEmptyTexture(const char* name, uint32_t width, uint32_t height,
                                 PixelFormat format) {
  if (TextureEntry* cached = findTexture(name)) return cached;
  return enterTexture(name, width, height, format, format);
}

void releaseTexture(TextureEntry* entry) {
  for (int32_t i = 0; i < textureCache.count; ++i) {
    if (textureCache.entries[i] != entry) continue;
    devReleaseTexture(entry->texture);
    delete entry;
    for (int32_t k = i + 1; k < textureCache.count; ++k) {
      textureCache.entries[k - 1] = textureCache.entries[k];
    }
    textureCache.count -= 1;
    textureCache.entries[textureCache.count] = nullptr;
    return;
  }
}

void releaseAllTextures() {
  while (textureCache.count > 0) releaseTexture(textureCache.entries[textureCache.count - 1]);
}

uint8_t* lockTexture(TextureEntry* entry, int32_t* pitch) {
  return entry ? devLockTexture(entry->texture, pitch) : nullptr;
}

void unlockTexture(TextureEntry* entry) {
  if (entry) devUnlockTexture(entry->texture);
}
