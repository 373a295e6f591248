// mesh_file.h: mesh files made in memory for the tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "core/math.h"

namespace {

struct MeshFile {
  bool smooth = false;
  Vec3 translation = {0, 0, 0};
  Vec3 angles = {0, 0, 0};
  std::vector<Vec3> vertices;
  std::vector<int32_t> triangles;  // three per triangle
  std::vector<Vec2> uvs;           // three per triangle, as stored
};

// The file's bytes, written into a buffer of its final size (growing it field by
// field made GCC's -O3 optimiser warn of copies out of bounds that cannot happen).
inline std::vector<uint8_t> encode(const MeshFile& m) {
  const size_t size = 4 + 2 * sizeof(Vec3) + 1 + 2 * sizeof(int32_t) +
                      m.vertices.size() * sizeof(Vec3) + m.triangles.size() * sizeof(int32_t) +
                      m.uvs.size() * sizeof(Vec2);
  std::vector<uint8_t> out(size, 0);
  size_t at = 0;
  const auto put = [&out, &at](const void* value, size_t bytes) {
    if (bytes == 0) return;  // an empty list's data may be null
    std::memcpy(out.data() + at, value, bytes);
    at += bytes;
  };
  out[3] = uint8_t(m.smooth ? 1 : 0);
  at = 4;
  put(&m.translation, sizeof(Vec3));
  put(&m.angles, sizeof(Vec3));
  at += 1;
  const int32_t counts[2] = {int32_t(m.vertices.size()), int32_t(m.triangles.size() / 3)};
  put(counts, sizeof counts);
  put(m.vertices.data(), m.vertices.size() * sizeof(Vec3));
  put(m.triangles.data(), m.triangles.size() * sizeof(int32_t));
  put(m.uvs.data(), m.uvs.size() * sizeof(Vec2));
  return out;
}

// A cube of 8 corners and 12 triangles, each face clockwise seen from outside (the
// front side under counter-clockwise culling); every face maps the whole texture, so
// shared corners disagree on their texture coordinates.
inline MeshFile cube(bool smooth) {
  MeshFile m;
  m.smooth = smooth;
  for (int i = 0; i < 8; ++i) {
    m.vertices.push_back({i & 1 ? 1.0f : -1.0f, i & 2 ? 1.0f : -1.0f, i & 4 ? 1.0f : -1.0f});
  }
  const int faces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                           {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  for (const auto& f : faces) {
    const int tri[2][3] = {{f[0], f[1], f[2]}, {f[0], f[2], f[3]}};
    const Vec2 uv[2][3] = {{{0, 0}, {1, 0}, {1, 1}}, {{0, 0}, {1, 1}, {0, 1}}};
    for (int t = 0; t < 2; ++t) {
      for (int k = 0; k < 3; ++k) {
        m.triangles.push_back(tri[t][k]);
        m.uvs.push_back(uv[t][k]);
      }
    }
  }
  return m;
}

}  // namespace
