// Quads and sprites as the recording device sees them: corner and texture order,
// clipping by depth, screen rectangles, rotation, colour multipliers, triangle
// counts and batching.
#include <cmath>

#include "render_fixture.h"

namespace {

constexpr UvRect kUv = {0.1f, 0.2f, 0.7f, 0.9f};

void expectVertex(const DevVertex& v, float x, float y, float u, float tv) {
  EXPECT_NEAR(v.x, x, 1e-4f);
  EXPECT_NEAR(v.y, y, 1e-4f);
  EXPECT_NEAR(v.u, u, 1e-6f);
  EXPECT_NEAR(v.v, tv, 1e-6f);
}

}  // namespace

TEST_F(RenderTest, SpriteIsAStripOfTopRightBottomRightTopLeftBottomLeft) {
  begin2D();
  drawSprite(10.0f, 20.0f, 40.0f, 30.0f, kUv, 0xFF112233u, 10.0f);
  const auto draws = primitiveDraws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].type, DevPrimitive::TriangleStrip);
  EXPECT_EQ(draws[0].primitiveCount, 2);
  const auto v = drawVertices(0);
  ASSERT_EQ(v.size(), 4u);
  expectVertex(v[0], 30.0f, 35.0f, 0.7f, 0.2f);
  expectVertex(v[1], 30.0f, 5.0f, 0.7f, 0.9f);
  expectVertex(v[2], -10.0f, 35.0f, 0.1f, 0.2f);
  expectVertex(v[3], -10.0f, 5.0f, 0.1f, 0.9f);
  for (const DevVertex& c : v) {
    EXPECT_EQ(c.color, 0xFF112233u);
    EXPECT_EQ(c.z, 10.0f);
  }
  // Clockwise on screen, so counter-clockwise culling keeps it.
  const float area = (v[1].x - v[0].x) * (v[2].y - v[0].y) - (v[2].x - v[0].x) * (v[1].y - v[0].y);
  EXPECT_LT(area, 0.0f);
}

TEST_F(RenderTest, SpriteRectTakesItsCornersDirectly) {
  begin2D();
  drawSpriteRect({-149.0f, -243.0f, 161.0f, -291.0f}, kUv, kWhite, 10.0f);
  const auto v = drawVertices(0);
  expectVertex(v[0], 161.0f, -243.0f, 0.7f, 0.2f);
  expectVertex(v[3], -149.0f, -291.0f, 0.1f, 0.9f);
}

TEST_F(RenderTest, DepthZeroIsClippedByTheNearPlaneAndTenIsVisible) {
  begin2D();
  drawSprite(0.0f, 0.0f, 10.0f, 10.0f, kUv, kWhite, 0.0f);
  drawSprite(0.0f, 0.0f, 10.0f, 10.0f, kUv, kWhite, 10.0f);
  const auto draws = primitiveDraws();
  ASSERT_EQ(draws.size(), 2u);
  const Vec3 nearOne = toClip(draws[0], drawVertices(0)[0]);
  const Vec3 visible = toClip(draws[1], drawVertices(1)[0]);
  EXPECT_LT(nearOne.z, 0.0f);  // depth runs 0..1: below 0 is in front of the near plane
  EXPECT_GT(visible.z, 0.0f);
  EXPECT_LT(visible.z, 1.0f);
}

TEST_F(RenderTest, ScreenRectCoversTheWholeScreenInAnyClientSize) {
  for (const int32_t w : {640, 800}) {
    sysCreateHeadlessWindow(w, w * 3 / 4);
    devResetFrame();
    begin2D();
    drawScreenRect(0.0f, 0.0f, 800.0f, 600.0f, 0.0f, 0.0f, 1.0f, 1.0f, kWhite);
    const auto draws = primitiveDraws();
    ASSERT_EQ(draws.size(), 1u);
    float minX = 9, maxX = -9, minY = 9, maxY = -9, minU = 9, maxU = -9;
    for (const DevVertex& v : drawVertices(0)) {
      const Vec3 c = toClip(draws[0], v);
      minX = std::fmin(minX, c.x);
      maxX = std::fmax(maxX, c.x);
      minY = std::fmin(minY, c.y);
      maxY = std::fmax(maxY, c.y);
      minU = std::fmin(minU, v.u);
      maxU = std::fmax(maxU, v.u);
      EXPECT_GT(c.z, 0.0f);
    }
    EXPECT_NEAR(minX, -1.0f, 1e-5f);
    EXPECT_NEAR(maxX, 1.0f, 1e-5f);
    EXPECT_NEAR(minY, -1.0f, 1e-5f);
    EXPECT_NEAR(maxY, 1.0f, 1e-5f);
    EXPECT_NEAR(minU, 0.001f, 1e-6f);
    EXPECT_NEAR(maxU, 0.999f, 1e-6f);
  }
}

TEST_F(RenderTest, ScreenRectUsesTheQuadOrderP1P2P0P3) {
  begin2D();
  drawScreenRect(100.0f, 50.0f, 300.0f, 250.0f, 0.0f, 0.0f, 1.0f, 1.0f, kWhite);
  const auto v = drawVertices(0);
  // p1 = (right, top), p2 = (left, top), p0 = (right, bottom), p3 = (left, bottom).
  expectVertex(v[0], -100.0f, 250.0f, 0.999f, 0.001f);
  expectVertex(v[1], -300.0f, 250.0f, 0.001f, 0.001f);
  expectVertex(v[2], -100.0f, 50.0f, 0.999f, 0.999f);
  expectVertex(v[3], -300.0f, 50.0f, 0.001f, 0.999f);
}

TEST_F(RenderTest, RotatedSpriteTurnsAboutItsPivot) {
  begin2D();
  // About its centre, a quarter turn makes a wide sprite tall.
  drawRotatedSprite(0.0f, 0.0f, 0.0f, 0.0f, 90.0f, 40.0f, 10.0f, kUv, kWhite, 10.0f);
  auto v = drawVertices(0);
  float maxX = 0.0f, maxY = 0.0f;
  for (const DevVertex& c : v) {
    maxX = std::fmax(maxX, std::fabs(c.x));
    maxY = std::fmax(maxY, std::fabs(c.y));
  }
  EXPECT_NEAR(maxX, 5.0f, 1e-4f);
  EXPECT_NEAR(maxY, 20.0f, 1e-4f);
  // The top-right corner turns counter-clockwise to the top-left.
  expectVertex(v[0], -5.0f, 20.0f, 0.7f, 0.2f);

  // About its bottom-left corner, the sprite swings up and to the left of it.
  devResetFrame();
  drawRotatedSprite(0.0f, 0.0f, -20.0f, -5.0f, 90.0f, 40.0f, 10.0f, kUv, kWhite, 10.0f);
  v = drawVertices(0);
  expectVertex(v[3], -20.0f, -5.0f, 0.1f, 0.9f);  // the pivot stays put
  expectVertex(v[1], -20.0f, 35.0f, 0.7f, 0.9f);  // bottom-right now above it
  expectVertex(v[0], -30.0f, 35.0f, 0.7f, 0.2f);
}

TEST_F(RenderTest, ColorMultiplierScalesEveryChannel) {
  begin2D();
  setColorMultiplier(1.0f, 1.0f, 1.0f, 0.5f);
  drawSprite(0, 0, 1, 1, kUv, kWhite, 10.0f);
  setColorMultiplier(0.0f, 0.0f, 0.0f, 1.0f);
  drawSprite(0, 0, 1, 1, kUv, kWhite, 10.0f);
  setColorMultiplier(2.0f, 1.0f, 0.5f, 1.0f);  // above 1 is limited to 255
  drawSprite(0, 0, 1, 1, kUv, 0xFF808080u, 10.0f);
  EXPECT_EQ(drawVertices(0)[0].color, 0x7FFFFFFFu);
  EXPECT_EQ(drawVertices(1)[0].color, 0xFF000000u);
  EXPECT_EQ(drawVertices(2)[0].color, 0xFFFF8040u);
  setColorMultiplier(1.0f, 1.0f, 1.0f, 1.0f);
}

TEST_F(RenderTest, QuadsAddTheirTrianglesAndShareOneBatchWhileTheStateHolds) {
  begin2D();
  for (int i = 0; i < 2000; ++i) drawSprite(float(i % 40), 0, 8, 8, kUv, kWhite, 10.0f);
  drawQuadTinted({0, 0, 10}, {0, 1, 10}, {1, 1, 10}, {1, 0, 10}, kWhite);
  drawTexturedQuad({0, 0, 10}, {0, 1, 10}, {1, 1, 10}, {1, 0, 10}, {0, 0}, {0, 1}, {1, 1}, {1, 0});
  EXPECT_EQ(renderState.trianglesDrawn, 4004u);
  EXPECT_EQ(devCurrentFrameStats().triangles, 4004u);
  EXPECT_EQ(devCurrentFrameStats().drawCalls, 1u);
  presentFrame();
  EXPECT_EQ(lastFrameGfx().drawCalls, 1u);
  EXPECT_EQ(lastFrameGfx().triangles, 4004u);
  EXPECT_EQ(devCurrentFrameStats().triangles, 0u);
}

TEST_F(RenderTest, EveryStateChangeStartsANewBatchInDrawingOrder) {
  TextureEntry* a = createEmptyTexture("a", 2, 2, PixelFormat::A8R8G8B8);
  TextureEntry* b = createEmptyTexture("b", 2, 2, PixelFormat::A8R8G8B8);
  begin2D();
  for (int i = 0; i < 10; ++i) {
    setTexture(i % 2 ? b : a);
    drawSprite(0, 0, 8, 8, kUv, kWhite, 10.0f);
  }
  setBlendMode(kBlendAdditive);
  drawSprite(0, 0, 8, 8, kUv, kWhite, 10.0f);
  setTexture(nullptr);
  drawSprite(0, 0, 8, 8, kUv, kWhite, 10.0f);
  EXPECT_EQ(devCurrentFrameStats().drawCalls, 12u);
  const auto draws = primitiveDraws();
  ASSERT_EQ(draws.size(), 12u);
  EXPECT_EQ(draws[0].state.texture, a->texture);
  EXPECT_EQ(draws[1].state.texture, b->texture);
  EXPECT_EQ(draws[10].state.srcBlend, DevBlend::SrcColor);
  EXPECT_EQ(draws[10].state.dstBlend, DevBlend::One);
  EXPECT_EQ(draws[11].state.texture, nullptr);
}

TEST_F(RenderTest, Begin2DSetsTheFlatDrawingState) {
  enableRenderFeature(kFeatureDepthTest);
  setWorldTransform(&renderState.cameraView);
  begin2D();
  const DevState& s = devState();
  EXPECT_EQ(s.depthTest, 0);
  EXPECT_EQ(s.alphaBlend, 1);
  EXPECT_EQ(s.alphaTest, 1);
  EXPECT_EQ(s.alphaRef, 1);
  EXPECT_EQ(s.linearFilter, 1);
  EXPECT_EQ(s.srcBlend, DevBlend::SrcAlpha);
  EXPECT_EQ(s.dstBlend, DevBlend::InvSrcAlpha);
  Matrix4 world;
  getWorldTransform(&world);
  EXPECT_EQ(world.m[14], 0.0f);
  // Unknown features and blend modes change nothing.
  enableRenderFeature(42);
  setBlendMode(7);
  EXPECT_EQ(devState().srcBlend, DevBlend::SrcAlpha);
}

TEST_F(RenderTest, ScreenProjectionSwitchesBetweenOverlayAndCamera) {
  enableRenderFeature(kFeatureScreenProjection);
  Matrix4 p;
  getProjectionTransform(&p);
  EXPECT_FLOAT_EQ(p.m[0], 2.0f / 800.0f);
  EXPECT_FLOAT_EQ(p.m[10], 1.0f / 499.0f);
  disableRenderFeature(kFeatureScreenProjection);
  getProjectionTransform(&p);
  EXPECT_FLOAT_EQ(p.m[11], 1.0f);
  EXPECT_FLOAT_EQ(p.m[10], renderState.cameraProjection.m[10]);
}

TEST_F(RenderTest, RibbonFacesTheCamera) {
  setViewTransform(&renderState.cameraView);
  drawRibbon({0, 0, 0}, {10, 0, 0}, 2.0f, kWhite);
  const auto v = drawVertices(0);
  ASSERT_EQ(v.size(), 6u);
  // The side runs across the strip in the screen plane: (0, +-2, 0).
  EXPECT_NEAR(std::fabs(v[0].y), 2.0f, 1e-5f);
  EXPECT_NEAR(v[0].z, 0.0f, 1e-5f);
  EXPECT_NEAR(v[0].x, 10.0f, 1e-5f);  // it starts at B
  EXPECT_EQ(v[1].u, 0.0f);
  EXPECT_EQ(v[1].v, 1.0f);
  // A segment of no length draws nothing visible.
  devResetFrame();
  drawRibbon({1, 1, 0}, {1, 1, 0}, 2.0f, kWhite);
  for (const DevVertex& c : drawVertices(0)) EXPECT_EQ(c.x, 1.0f);
}

TEST_F(RenderTest, SheetSpriteSkipsBlackAndCutsItsCell) {
  addMemoryFile("particles.tga", solidTga(8, 8, 255, 255, 255, 255));
  begin2D();
  drawSparkSprite(0, 0, 0, 64, 0xFF000000u, 0, 12);
  EXPECT_TRUE(primitiveDraws().empty());
  drawSparkSprite(0, 0, 0, 64, 0xFF00FF00u, 0, 12);
  const auto draws = primitiveDraws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].state.alphaTest, 0);
  EXPECT_EQ(draws[0].state.depthWrite, 0);
  EXPECT_EQ(draws[0].state.srcBlend, DevBlend::SrcColor);
  EXPECT_EQ(devState().alphaTest, 1);
  // Cell 12: column 4, row 1; the cell's top-left lands on the square's top-right.
  const auto v = drawVertices(0);
  // Strip order p1, p2, p0, p3: bottom-right, bottom-left, top-right, top-left.
  expectVertex(v[2], 32.0f, 32.0f, 0.501f, 0.126f);
  expectVertex(v[0], 32.0f, -32.0f, 0.625f, 0.126f);
}
