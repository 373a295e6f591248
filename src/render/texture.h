// texture.h: every picture the game draws, loaded once into one cache keyed by the
// name it was asked for.
//
// Three kinds of picture files: ordinary pictures (JPEG, Targa, PNG), JPEG files
// followed by a raw alpha plane (transparency at JPEG size), and pictures copied
// unscaled into the top-left of a power-of-two texture of a requested size.
#pragma once

#include <cstdint>

#include "platform/device.h"

// The cache holds this many textures; the game uses about a hundred.
constexpr int kMaxTextures = 1023;
// Pictures and textures are at most this wide and high.
constexpr uint32_t kMaxTextureSide = 1024;
constexpr int kMaxTextureName = 128;

// The blocks a picture's opaque parts are noted in (TextureEntry::opaqueBlocks): one
// bit each, a 32-bit word for a row of blocks of the largest side.
constexpr uint32_t kOpaqueBlockSide = 32;
constexpr uint32_t kOpaqueBlockMargin = 2;
constexpr int kMaxOpaqueBlockRows = 32;
static_assert(kOpaqueBlockSide * 32 >= 1024 && kOpaqueBlockSide * kMaxOpaqueBlockRows >= 1024,
              "a block row of the largest texture fits one word");

struct TextureEntry {
  char name[kMaxTextureName];  // exactly as requested
  uint32_t width;              // of the texture's top level
  uint32_t height;
  DevTexture* texture;
  uint8_t hasAlpha;  // a ".tga" name or a JPEG-with-alpha picture
  uint8_t isRenderTarget;  // always 0
  PixelFormat format;  // as asked for a texture created empty; Unknown from a file
  // Sized alpha pictures: bit x of word y is set when block (x, y) of
  // kOpaqueBlockSide x kOpaqueBlockSide texels, and kOpaqueBlockMargin texels around
  // it, are all wholly opaque, so a drawer may leave that part unblended even with
  // filtering; all clear for other textures.
  uint32_t opaqueBlocks[kMaxOpaqueBlockRows];
};

// Process lifetime: entries are appended, removal closes the gap.
struct TextureCache {
  TextureEntry* entries[kMaxTextures];
  int32_t count;
};
extern TextureCache textureCache;

// loadTexture with mustLoad.
TextureEntry* getTexture(const char* name);
// The cached entry, or the picture loaded and entered. A ".tga" name first tries the
// JPEG-with-alpha file "_a_" + name up to its first '.' + ".jpg". When the picture
// cannot be loaded: with mustLoad the program stops with "Couldn't load texture: %s",
// otherwise null.
TextureEntry* loadTexture(const char* name, bool mustLoad);
// The cached entry, or a power-of-two texture with the picture (which must exist)
// copied unscaled into its top-left width x height texels. Null after the creation
// message when the size is above 1024 or the cache is full.
TextureEntry* loadSizedTexture(const char* name, uint32_t width, uint32_t height);
// Like loadSizedTexture for a JPEG-with-alpha file, decoded again even when cached,
// with the picture's opaque blocks noted. Null when the file is missing or malformed.
TextureEntry* loadSizedAlphaTexture(const char* name, uint32_t width, uint32_t height);
// The cached entry of that name, or a new texture with texels 0. On failure (a size
// of 0 or above 1024, an unusable format, a full cache) shows "Couldn't create
// texture: %s" / "Init error" and returns null.
TextureEntry* createEmptyTexture(const char* name, uint32_t width, uint32_t height,
                                 PixelFormat format);
// Releases the texture and removes the entry; an entry not in the cache is ignored.
void releaseTexture(TextureEntry* entry);
// Releases every texture (shutdown and tests).
void releaseAllTextures();
TextureEntry* findTexture(const char* name);
int32_t textureCount();
// The smallest of 2, 4, ..., 1024 that is at least n; 0 above 1024.
uint32_t nextPowerOfTwo(uint32_t n);
// The JPEG-with-alpha name tried for a ".tga" request ("bomb.tga" -> "_a_bomb.jpg").
// Returns false when the result would not fit into capacity.
bool alphaJpegName(const char* name, char* out, int32_t capacity);
// Where the JPEG part of a JPEG-with-alpha file ends (after its first 0xFF 0xD9), or
// 0 when the file has no such pair.
uint32_t alphaJpegSplit(const uint8_t* bytes, uint32_t size);

// Texels of level 0 (4 bytes each: blue, green, red, alpha); null for a null entry.
uint8_t* lockTexture(TextureEntry* entry, int32_t* pitch);
void unlockTexture(TextureEntry* entry);
