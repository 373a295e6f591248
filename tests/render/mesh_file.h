// mesh_file.h: mesh files made in memory for the tests.
#pragma once

#include <cstdint>
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

template <typename T>
inline void put(std::vector<uint8_t>* out, const T& value) {
  const auto* p = reinterpret_cast<const uint8_t*>(&value);
  out->insert(out->end(), p, p + sizeof value);
}

inline std::vector<uint8_t> encode(const MeshFile& m) {
  std::vector<uint8_t> out = {0, 0, 0, uint8_t(m.smooth ? 1 : 0)};
  put(&out, m.translation);
  put(&out, m.angles);
  out.push_back(0);
  put(&out, int32_t(m.vertices.size()));
  put(&out, int32_t(m.triangles.size() / 3));
  for (const Vec3& v : m.vertices) put(&out, v);
  for (const int32_t i : m.triangles) put(&out, i);
  for (const Vec2& t : m.uvs) put(&out, t);
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
