// Meshes: the file layout, flat and smooth normals, the split by texture
// coordinates, bounds, the placement matrix, refusals and the cache.
#include <cmath>
#include <cstring>

#include "mesh_file.h"
#include "render_fixture.h"

namespace {

Mesh build(const MeshFile& file, bool* ok, const char** reason = nullptr) {
  const std::vector<uint8_t> bytes = encode(file);
  Mesh mesh;
  const char* why = "";
  *ok = buildMesh("test.msh_s", bytes.data(), uint32_t(bytes.size()), &mesh, &why);
  if (reason) *reason = why;
  return mesh;
}

}  // namespace

TEST(MeshBuild, FlatCubeHasThirtySixVerticesWithFaceNormals) {
  bool ok = false;
  const Mesh m = build(cube(false), &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(m.vertexCount, 36);
  EXPECT_EQ(m.triangleCount, 12);
  for (int t = 0; t < 12; ++t) {
    const DevLitVertex& a = m.vertices[size_t(3 * t)];
    for (int k = 1; k < 3; ++k) {
      EXPECT_EQ(m.vertices[size_t(3 * t + k)].nx, a.nx);
      EXPECT_EQ(m.vertices[size_t(3 * t + k)].nz, a.nz);
    }
    EXPECT_NEAR(std::fabs(a.nx) + std::fabs(a.ny) + std::fabs(a.nz), 1.0f, 1e-6f);
  }
  // normalize((R - P) x (Q - P)) of a front face points away from its viewer: into
  // the cube, (0, 0, 1) on the z = -1 face.
  EXPECT_NEAR(m.vertices[0].nz, 1.0f, 1e-6f);
  EXPECT_EQ(m.indexBuffer, nullptr);
}

TEST(MeshBuild, SmoothCubeSplitsCornersByTextureCoordinates) {
  bool ok = false;
  const Mesh m = build(cube(true), &ok);
  ASSERT_TRUE(ok);
  EXPECT_GT(m.vertexCount, 8);
  EXPECT_LE(m.vertexCount, 24);
  ASSERT_EQ(m.indices.size(), 36u);
  for (size_t c = 0; c < m.indices.size(); ++c) {
    const DevLitVertex& v = m.vertices[m.indices[c]];
    // Averaged over the faces meeting at the corner: unit length, pointing into the
    // cube along all three axes.
    EXPECT_NEAR(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz, 1.0f, 1e-5f);
    EXPECT_LT(v.nx * v.x, 0.0f);
    EXPECT_LT(v.ny * v.y, 0.0f);
    EXPECT_LT(v.nz * v.z, 0.0f);
  }
  // Vertex 0 lies in both triangles of its three faces: exactly the diagonal.
  const float third = 1.0f / std::sqrt(3.0f);
  EXPECT_NEAR(m.vertices[0].nx, third, 1e-5f);
  EXPECT_NEAR(m.vertices[0].nz, third, 1e-5f);
  // Corners that share a vertex and its coordinates share the output vertex.
  EXPECT_EQ(m.indices[0], m.indices[3]);
  // The first output vertex belongs to source vertex 0 and its first corner.
  EXPECT_EQ(m.vertices[0].x, -1.0f);
  EXPECT_EQ(m.vertices[0].u, 0.0f);
  EXPECT_EQ(m.vertices[0].v, 1.0f);
}

TEST(MeshBuild, StoredVIsFlippedAndBoundsComeFromTheVertices) {
  MeshFile f;
  f.vertices = {{0, 0, 0}, {4, 0, 0}, {0, 2, 6}, {9, 9, 9}};  // the last is unused
  f.triangles = {0, 1, 2};
  f.uvs = {{0.5f, 0.25f}, {1, 1}, {0, 0}};
  f.smooth = true;
  bool ok = false;
  const Mesh m = build(f, &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(m.vertices[0].v, 0.75f);
  EXPECT_EQ(m.vertexCount, 4);  // an unused vertex keeps its place
  EXPECT_FLOAT_EQ(m.boxCenter.x, 4.5f);
  EXPECT_FLOAT_EQ(m.boxHalfExtents.z, 4.5f);
  EXPECT_FLOAT_EQ(m.sphereRadius, std::sqrt(4.5f * 4.5f * 3.0f));
}

TEST(MeshBuild, PlacementRotatesThenTranslates) {
  MeshFile f = cube(false);
  f.translation = {1, 2, 3};
  f.angles = {0, 0, 1.5707964f};  // a quarter turn about z
  bool ok = false;
  const Mesh m = build(f, &ok);
  ASSERT_TRUE(ok);
  const Vec3 p = transformPoint({1, 0, 0}, m.localTransform);
  EXPECT_NEAR(p.x, 1.0f, 1e-5f);
  EXPECT_NEAR(p.y, 3.0f, 1e-5f);
  EXPECT_NEAR(p.z, 3.0f, 1e-5f);
}

TEST(MeshBuild, MalformedFilesAreRefused) {
  bool ok = true;
  const char* reason = nullptr;
  MeshFile f = cube(true);
  f.triangles[5] = 8;  // past the 8 vertices
  build(f, &ok, &reason);
  EXPECT_FALSE(ok);
  EXPECT_NE(std::strstr(reason, "vertex"), nullptr);
  f.triangles[5] = -1;
  build(f, &ok);
  EXPECT_FALSE(ok);

  std::vector<uint8_t> bytes = encode(cube(false));
  Mesh m;
  EXPECT_FALSE(buildMesh("x", bytes.data(), 30, &m, &reason));
  EXPECT_FALSE(buildMesh("x", bytes.data(), uint32_t(bytes.size() - 1), &m, &reason));
  const int32_t huge = 0x7FFFFFFF;
  std::memcpy(bytes.data() + 33, &huge, 4);
  EXPECT_FALSE(buildMesh("x", bytes.data(), uint32_t(bytes.size()), &m, &reason));

  // More distinct smooth corners than 16-bit indices can reach.
  MeshFile big;
  big.smooth = true;
  for (int i = 0; i < 3 * 21846; ++i) {
    big.vertices.push_back({float(i), 0, 0});
    big.triangles.push_back(i);
    big.uvs.push_back({0, 0});
  }
  build(big, &ok, &reason);
  EXPECT_FALSE(ok);
  EXPECT_NE(std::strstr(reason, "16-bit"), nullptr);
}

TEST_F(RenderTest, MeshIsCachedAndDrawnFromItsBuffers) {
  addMemoryFile("rock.msh_s", encode(cube(true)));
  Mesh* m = getMesh("rock.msh_s");
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(getMesh("rock.msh_s"), m);
  ASSERT_NE(m->vertexBuffer, nullptr);
  ASSERT_NE(m->indexBuffer, nullptr);
  drawMesh(m);
  const DevRecordedDraw& d = devRecording().draws.back();
  EXPECT_EQ(d.kind, DevRecordKind::Buffer);
  EXPECT_TRUE(d.indexed);
  EXPECT_EQ(d.primitiveCount, 12);
  EXPECT_EQ(d.vertexCount, m->vertexCount);
  EXPECT_EQ(renderState.trianglesDrawn, 12u);
  EXPECT_EQ(devCurrentFrameStats().drawCalls, 1u);
}

TEST_F(RenderTest, BrokenMeshStopsWithTheLoaderMessage) {
  MeshFile f = cube(false);
  f.triangles[0] = 99;
  addMemoryFile("broken.msh_s", encode(f));
  EXPECT_EXIT(stopWithMessageOnStderr([] { getMesh("broken.msh_s"); }), ::testing::ExitedWithCode(1),
              "Can't load broken.msh_s...");
}
