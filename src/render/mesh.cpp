// Meshes from ".msh_s" files: the file read and checked, the local placement from
// three angles, flat or smoothed normals (smooth vertices split where their corners
// disagree on texture coordinates), bounding volumes, device buffers and the cache.
#include "render/mesh.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "render/render.h"
#include "resources/resources.h"

MeshCache meshCache = {};

namespace {

constexpr uint32_t kHeaderSize = 37;

struct Quaternion {
  float x, y, z, w;
};

// The Hamilton product a * b.
Quaternion multiplyQuaternions(const Quaternion& a, const Quaternion& b) {
  return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
          a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
          a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w,
          a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}

// Rotation about x, then y, then z, then the translation, for row vectors.
Matrix4 localTransform(Vec3 translation, Vec3 angles) {
  const Quaternion qx = {std::sin(angles.x * 0.5f), 0.0f, 0.0f, std::cos(angles.x * 0.5f)};
  const Quaternion qy = {0.0f, std::sin(angles.y * 0.5f), 0.0f, std::cos(angles.y * 0.5f)};
  const Quaternion qz = {0.0f, 0.0f, std::sin(angles.z * 0.5f), std::cos(angles.z * 0.5f)};
  const Quaternion q = multiplyQuaternions(multiplyQuaternions(qz, qy), qx);
  const float x = q.x, y = q.y, z = q.z, w = q.w;
  Matrix4 m = identity();
  m.m[0] = 1 - 2 * y * y - 2 * z * z;
  m.m[1] = 2 * x * y + 2 * z * w;
  m.m[2] = 2 * x * z - 2 * y * w;
  m.m[4] = 2 * x * y - 2 * z * w;
  m.m[5] = 1 - 2 * x * x - 2 * z * z;
  m.m[6] = 2 * y * z + 2 * x * w;
  m.m[8] = 2 * x * z + 2 * y * w;
  m.m[9] = 2 * y * z - 2 * x * w;
  m.m[10] = 1 - 2 * x * x - 2 * y * y;
  m.m[12] = translation.x;
  m.m[13] = translation.y;
  m.m[14] = translation.z;
  return m;
}

float readF32(const uint8_t* p) {
  float v;
  std::memcpy(&v, p, 4);
  return v;
}

int32_t readI32(const uint8_t* p) {
  int32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

Vec3 readVec3(const uint8_t* p) { return {readF32(p), readF32(p + 4), readF32(p + 8)}; }

void computeBounds(const std::vector<Vec3>& positions, Mesh* mesh) {
  mesh->boxCenter = mesh->boxHalfExtents = mesh->sphereCenter = {0.0f, 0.0f, 0.0f};
  mesh->sphereRadius = 0.0f;
  if (positions.empty()) return;
  Vec3 lo = positions[0], hi = positions[0];
  for (const Vec3& p : positions) {
    lo = {std::fmin(lo.x, p.x), std::fmin(lo.y, p.y), std::fmin(lo.z, p.z)};
    hi = {std::fmax(hi.x, p.x), std::fmax(hi.y, p.y), std::fmax(hi.z, p.z)};
  }
  mesh->boxHalfExtents = scale3(sub3(hi, lo), 0.5f);
  mesh->boxCenter = add3(lo, mesh->boxHalfExtents);
  mesh->sphereCenter = mesh->boxCenter;
  mesh->sphereRadius = length3(mesh->boxHalfExtents);
}

DevLitVertex litVertex(Vec3 p, Vec3 n, Vec2 t) { return {p.x, p.y, p.z, n.x, n.y, n.z, t.x, t.y}; }

// Smooth shading: one output vertex per distinct (vertex, uv) pair, in the order of
// the source vertices and, within one, of their first corners.
bool buildSmooth(const std::vector<Vec3>& positions, const std::vector<int32_t>& corners,
                 const std::vector<Vec2>& uvs, const std::vector<Vec3>& faceNormals, Mesh* mesh,
                 const char** reason) {
  const size_t vertexCount = positions.size();
  std::vector<Vec3> normals(vertexCount, Vec3{0.0f, 0.0f, 0.0f});
  for (size_t c = 0; c < corners.size(); ++c) {
    addInPlace3(&normals[size_t(corners[c])], faceNormals[c / 3]);
  }
  for (Vec3& n : normals) n = normalize3(n);
  // The corners of every vertex, in triangle order.
  std::vector<std::vector<uint32_t>> cornersOf(vertexCount);
  for (size_t c = 0; c < corners.size(); ++c) cornersOf[size_t(corners[c])].push_back(uint32_t(c));
  mesh->indices.assign(corners.size(), 0);
  std::vector<bool> assigned(corners.size(), false);
  for (size_t v = 0; v < vertexCount; ++v) {
    bool produced = false;
    for (const uint32_t first : cornersOf[v]) {
      if (assigned[first]) continue;
      const uint32_t out = uint32_t(mesh->vertices.size());
      mesh->vertices.push_back(litVertex(positions[v], normals[v], uvs[first]));
      produced = true;
      for (const uint32_t c : cornersOf[v]) {
        if (!assigned[c] && uvs[c].x == uvs[first].x && uvs[c].y == uvs[first].y) {
          assigned[c] = true;
          mesh->indices[c] = out;
        }
      }
    }
    // A vertex no triangle uses still has its place.
    if (!produced) mesh->vertices.push_back(litVertex(positions[v], normals[v], {0.0f, 0.0f}));
    if (mesh->vertices.size() > kMaxSmoothVertices) {
      *reason = "more smooth vertices than 16-bit indices can reach";
      return false;
    }
  }
  return true;
}

}  // namespace

bool buildMesh(const char* name, const uint8_t* bytes, uint32_t size, Mesh* out,
               const char** reason) {
  *out = Mesh{};
  std::snprintf(out->name, sizeof out->name, "%s", name);
  if (!bytes || size < kHeaderSize) {
    *reason = "shorter than its header";
    return false;
  }
  const int32_t v = readI32(bytes + 29), t = readI32(bytes + 33);
  const uint64_t needed = kHeaderSize + 12ull * uint64_t(uint32_t(v)) + 36ull * uint64_t(uint32_t(t));
  if (v < 0 || t < 0 || needed > size) {
    *reason = "shorter than its vertex and triangle counts";
    return false;
  }
  out->smooth = bytes[3] != 0 ? 1 : 0;
  out->localTransform = localTransform(readVec3(bytes + 4), readVec3(bytes + 16));
  out->triangleCount = t;
  std::vector<Vec3> positions(static_cast<size_t>(v));
  for (int32_t i = 0; i < v; ++i) positions[size_t(i)] = readVec3(bytes + kHeaderSize + 12 * size_t(i));
  const uint8_t* triangles = bytes + kHeaderSize + 12 * size_t(v);
  const uint8_t* coords = triangles + 12 * size_t(t);
  std::vector<int32_t> corners(size_t(t) * 3);
  std::vector<Vec2> uvs(size_t(t) * 3);
  for (size_t c = 0; c < corners.size(); ++c) {
    corners[c] = readI32(triangles + 4 * c);
    if (corners[c] < 0 || corners[c] >= v) {
      *reason = "a triangle names a vertex the file does not have";
      return false;
    }
    // Stored v runs upwards; textures count from the top.
    uvs[c] = {readF32(coords + 8 * c), 1.0f - readF32(coords + 8 * c + 4)};
  }
  std::vector<Vec3> faceNormals(static_cast<size_t>(t));
  for (size_t i = 0; i < size_t(t); ++i) {
    faceNormals[i] = faceNormal(positions[size_t(corners[3 * i])], positions[size_t(corners[3 * i + 1])],
                                positions[size_t(corners[3 * i + 2])]);
  }
  computeBounds(positions, out);
  if (out->smooth) {
    if (!buildSmooth(positions, corners, uvs, faceNormals, out, reason)) return false;
  } else {
    out->vertices.reserve(corners.size());
    for (size_t c = 0; c < corners.size(); ++c) {
      out->vertices.push_back(litVertex(positions[size_t(corners[c])], faceNormals[c / 3], uvs[c]));
    }
  }
  out->vertexCount = int32_t(out->vertices.size());
  return true;
}

Mesh* getMesh(const char* name) {
  for (int32_t i = 0; i < meshCache.count; ++i) {
    if (std::strcmp(meshCache.meshes[i]->name, name) == 0) return meshCache.meshes[i];
  }
  if (meshCache.count >= kMaxMeshes) return nullptr;
  uint32_t size = 0;
  const uint8_t* bytes = loadFile(name, &size, true);
  auto* mesh = new Mesh();
  const char* reason = "";
  if (std::strlen(name) >= size_t(kMaxMeshName) || !buildMesh(name, bytes, size, mesh, &reason)) {
    std::fprintf(stderr, "%s: %s\n", name, reason);
    char text[kMaxMeshName + 48];
    std::snprintf(text, sizeof text, "Can't load %s...\nProgram will now stop.", name);
    sysFatalStop(text, "Loading Error");
  }
  releaseFile(bytes);
  meshCache.meshes[meshCache.count++] = mesh;
  if (!mesh->vertices.empty()) {
    mesh->vertexBuffer = devCreateVertexBuffer(mesh->vertices.data(), mesh->vertexCount);
  }
  if (mesh->smooth && !mesh->indices.empty()) {
    std::vector<uint16_t> shortIndices(mesh->indices.begin(), mesh->indices.end());
    mesh->indexBuffer = devCreateIndexBuffer(shortIndices.data(), int32_t(shortIndices.size()));
  }
  return mesh;
}

void drawMesh(const Mesh* mesh) {
  if (!mesh || !mesh->vertexBuffer || mesh->triangleCount <= 0) return;
  devDrawBuffer(mesh->vertexBuffer, mesh->smooth ? mesh->indexBuffer : nullptr,
                mesh->triangleCount);
  renderState.trianglesDrawn += uint32_t(mesh->triangleCount);
}

void releaseAllMeshes() {
  for (int32_t i = 0; i < meshCache.count; ++i) {
    devReleaseVertexBuffer(meshCache.meshes[i]->vertexBuffer);
    devReleaseIndexBuffer(meshCache.meshes[i]->indexBuffer);
    delete meshCache.meshes[i];
    meshCache.meshes[i] = nullptr;
  }
  meshCache.count = 0;
}
