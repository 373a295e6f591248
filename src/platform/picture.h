// picture.h: picture files in memory to texels and back: JPEG, Targa and PNG are
// decoded to RGBA, screenshots are written as PNG.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Picture {
  int32_t width;
  int32_t height;
  std::vector<uint8_t> rgba;  // 4 bytes a pixel (red, green, blue, alpha), rows top first
};

// No picture of the game or its screenshots is wider or taller: a file claiming
// more is refused before its pixels are decoded.
constexpr int32_t kMaxPictureSide = 4096;

// Decodes a whole picture file held in memory. Returns false (out empty, the reason in
// *reason when given) for a file that is not a readable picture, is larger than
// kMaxPictureSide, or is a JPEG with a Huffman table of more than 256 codes.
bool picDecode(const uint8_t* bytes, size_t size, Picture* out, const char** reason = nullptr);
// A picture decoded straight into a texture's layout: 4 bytes a pixel (blue, green,
// red, alpha), rows top first.
struct PictureTexels {
  int32_t width;
  int32_t height;
  uint8_t* bgra;  // malloc'ed: freed with picFreeTexels or taken over by a texture
};
// Decodes a whole picture file held in memory into texels. Returns false (out
// empty) for a file that is not a readable picture.
bool picDecodeTexels(const uint8_t* bytes, size_t size, PictureTexels* out);
void picFreeTexels(PictureTexels* texels);
// Reads only the size of a picture file. Returns false when it is not a picture.
bool picSize(const uint8_t* bytes, size_t size, int32_t* width, int32_t* height);
// Writes RGBA rows (top first) as an opaque PNG: alpha is written as 255. Written
// as a tool's output (sysWriteOutputFile): straight into a device or pipe.
// Returns false when the file cannot be written.
bool picWritePng(const char* path, const uint8_t* rgba, int32_t width, int32_t height);
// Encodes RGB or RGBA rows (top first) as a baseline JPEG in memory (quality 1..100);
// used by tests and tools that make pictures. Returns false on failure.
bool picEncodeJpeg(const uint8_t* pixels, int32_t width, int32_t height, int32_t channels,
                   int32_t quality, std::vector<uint8_t>* out);
// Encodes RGBA rows (top first) as an uncompressed Targa in memory.
bool picEncodeTga(const uint8_t* rgba, int32_t width, int32_t height, std::vector<uint8_t>* out);
