// mesh.h: three-dimensional props from ".msh_s" files: lit, textured triangles with
// flat or smooth normals, a local placement and bounding volumes, cached by name.
#pragma once

#include <cstdint>
#include <vector>

#include "core/math.h"
#include "platform/device.h"

// The cache holds this many meshes; the game's catalogue names a few dozen.
constexpr int kMaxMeshes = 1024;
constexpr int kMaxMeshName = 128;
// Smooth meshes index their vertices with 16 bits.
constexpr uint32_t kMaxSmoothVertices = 65535;

struct Mesh {
  uint8_t smooth;
  char name[kMaxMeshName];
  int32_t vertexCount;    // vertices in the vertex buffer
  int32_t triangleCount;
  Matrix4 localTransform;  // rotation, then translation
  std::vector<DevLitVertex> vertices;
  std::vector<uint32_t> indices;  // corner to vertex (smooth meshes)
  Vec3 boxCenter;
  Vec3 boxHalfExtents;
  Vec3 sphereCenter;
  float sphereRadius;
  DevVertexBuffer* vertexBuffer;
  DevIndexBuffer* indexBuffer;  // null for flat meshes
};

// Process lifetime.
struct MeshCache {
  Mesh* meshes[kMaxMeshes];
  int32_t count;
};
extern MeshCache meshCache;

// The cached mesh, or the file loaded (it must exist), built and entered. A file that
// is too short, whose triangles name vertices it lacks, or whose smooth vertices do
// not fit 16-bit indices stops the program with the loader's message. Null only when
// the cache is full.
Mesh* getMesh(const char* name);
// Builds a mesh from a file's bytes without buffers. Returns false (reason in *reason)
// for a malformed file.
bool buildMesh(const char* name, const uint8_t* bytes, uint32_t size, Mesh* out,
               const char** reason);
// Draws the mesh with the transforms, texture and states the caller set.
void drawMesh(const Mesh* mesh);
// Frees every mesh (shutdown and tests).
void releaseAllMeshes();
