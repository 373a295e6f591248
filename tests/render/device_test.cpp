// The device as the game sees it: display modes, gamma, projections and the
// camera, the frustum, camera-facing squares, lighting and the fixed states.
#include <cmath>
#include <cstring>

#include "render_fixture.h"

TEST_F(RenderTest, ModeTableKeepsFourByThreeSizesOncePerDepth) {
  const DevDisplayMode modes[] = {
      {1280, 1024, 32, PixelFormat::X8R8G8B8}, {1280, 800, 32, PixelFormat::X8R8G8B8},
      {800, 600, 32, PixelFormat::X8R8G8B8},   {800, 600, 32, PixelFormat::X8R8G8B8},
      {640, 480, 16, PixelFormat::R5G6B5},     {512, 384, 32, PixelFormat::X8R8G8B8},
      {1024, 768, 32, PixelFormat::X8R8G8B8},  {640, 480, 32, PixelFormat::X8R8G8B8}};
  buildModeTable(modes, 8);
  ASSERT_EQ(renderState.modeCount, 4);
  EXPECT_EQ(renderState.modeTable[0].width, 800u);
  EXPECT_EQ(renderState.modeTable[1].bitsPerPixel, 16);
  EXPECT_EQ(renderState.modeTable[3].width, 640u);
  ASSERT_EQ(renderState.resolutionCount, 3);
  EXPECT_EQ(renderState.resolutionTable[1].width, 640u);
  EXPECT_EQ(renderState.resolutionTable[2].width, 1024u);

  // 32-bit at a size that exists only in 16 bits falls back to entry 0.
  display.screenWidth = 640;
  display.screenHeight = 480;
  display.colorDepth32 = 1;
  selectDisplayMode();
  EXPECT_EQ(renderState.currentModeIndex, 3);
  display.colorDepth32 = 0;
  selectDisplayMode();
  EXPECT_EQ(renderState.currentModeIndex, 1);
  EXPECT_EQ(renderState.resolutionIndex, 1);
  display.screenWidth = 1024;
  display.screenHeight = 768;
  selectDisplayMode();
  EXPECT_EQ(renderState.currentModeIndex, 0);
  EXPECT_EQ(renderState.resolutionIndex, 2);

  // In a window the back buffer takes the desktop's format whatever was asked.
  display.fullScreen = 0;
  applyDisplaySettings();
  EXPECT_EQ(renderState.currentMode.adapterFormat, devDesktopMode().format);
  EXPECT_EQ(renderState.displayChangePending, 1);
}

TEST_F(RenderTest, GammaRampAndOnlyTheLastValueOfAFrameCounts) {
  EXPECT_EQ(gammaRampEntry(0.5f, 1), 256);
  EXPECT_EQ(gammaRampEntry(0.5f, 255), 65280);
  EXPECT_EQ(gammaRampEntry(1.0f, 200), 65535);
  EXPECT_EQ(gammaRampEntry(0.0f, 10), 1280);
  setGamma(0.7f);
  setGamma(0.6f);
  EXPECT_EQ(renderState.gammaDirty, 1);
  EXPECT_FLOAT_EQ(renderState.gammaValue, 0.6f);
  presentFrame();
  EXPECT_EQ(renderState.gammaDirty, 0);
  setGamma(0.6f);
  EXPECT_EQ(renderState.gammaDirty, 0);
  setGamma(0.5f);
}

TEST_F(RenderTest, ProjectionsFollowTheLeftHandedConventions) {
  setCameraProjection(640, 480);
  const Matrix4& p = renderState.cameraProjection;
  const float ys = 1.0f / std::tan(0.7853982f / 2.0f);
  EXPECT_NEAR(p.m[5], ys, 1e-5f);
  EXPECT_NEAR(p.m[0], ys / (640.0f / 480.0f), 1e-5f);
  EXPECT_NEAR(p.m[10], 400.0f / 395.0f, 1e-5f);
  EXPECT_NEAR(p.m[14], 5.0f * 400.0f / (5.0f - 400.0f), 1e-4f);
  EXPECT_EQ(p.m[11], 1.0f);
  // The overlay projection maps +-400, +-300 onto the screen's edges.
  setOrthoProjection(800.0f, 600.0f, 1.0f, 100.0f);
  Matrix4 o;
  getProjectionTransform(&o);
  const Vec3 corner = transformPoint({400.0f, -300.0f, 100.0f}, o);
  EXPECT_NEAR(corner.x, 1.0f, 1e-6f);
  EXPECT_NEAR(corner.y, -1.0f, 1e-6f);
  EXPECT_NEAR(corner.z, 1.0f, 1e-6f);
  // Null transforms are the identity.
  setTexture0Transform(nullptr);
  Matrix4 t;
  getTexture0Transform(&t);
  EXPECT_EQ(t.m[0], 1.0f);
  EXPECT_EQ(t.m[12], 0.0f);
}

TEST_F(RenderTest, CameraAndLightAreSetUpAtCreation) {
  EXPECT_EQ(renderState.cameraView.m[14], 45.0f);
  Matrix4 view;
  getViewTransform(&view);
  EXPECT_EQ(view.m[14], 45.0f);
  const DevState& s = devState();
  EXPECT_EQ(s.lighting, 0);
  EXPECT_EQ(s.depthTest, 1);
  EXPECT_EQ(s.alphaRef, 128);
  EXPECT_EQ(s.cull, DevCull::CounterClockwise);
  EXPECT_EQ(s.linearFilter, 0);
  // Lit primitives without colours of their own take the material's diffuse.
  enableRenderFeature(kFeatureLighting);
  drawTexturedQuad({0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {0, 0}, {0, 1}, {1, 1}, {1, 0});
  EXPECT_EQ(drawVertices(0)[0].color, 0xFFFFFFFFu);
  EXPECT_EQ(primitiveDraws()[0].state.lighting, 1);
}

TEST_F(RenderTest, TheResetGivesBackTheStartingCameraGammaAndText) {
  setGamma(0.9f);
  setCameraProjection(1000, 100);
  renderState.cameraView = identity();
  setColorMultiplier(0.5f, 0.5f, 0.5f, 0.5f);
  setTextColor(1, 2, 3, 4);
  display.fullScreen = 1;
  releaseDevice();
  resetRender();
  EXPECT_EQ(renderState.gammaValue, 0.5f);
  EXPECT_EQ(renderState.cameraView.m[14], 45.0f);
  const Matrix4 start = perspectiveFov(0.7853982f, 1.3333334f, 5.0f, 400.0f);
  EXPECT_EQ(std::memcmp(&renderState.cameraProjection, &start, sizeof start), 0);
  EXPECT_EQ(multiplyColor(0xFF808080u), 0xFF808080u);
  EXPECT_EQ(textState.textColor, kWhite);
  EXPECT_EQ(textState.pen.z, kTextDepth);
  EXPECT_EQ(display.fullScreen, 0);
  display.screenWidth = 640;  // as the fixture leaves it
  display.screenHeight = 480;
  ASSERT_TRUE(createDevice(DevBackend::Recording));
}

TEST_F(RenderTest, ADeviceThatCannotStartSaysWhyAndWhatMayHelp) {
  // The headless window has nothing OpenGL can draw in.
  EXPECT_FALSE(createDevice(DevBackend::OpenGL));
  ASSERT_EQ(capturedBox.count, 1);
  EXPECT_NE(capturedBox.text.find("OpenGL 3.3"), std::string::npos) << capturedBox.text;
  EXPECT_NE(capturedBox.text.find("no window to draw in"), std::string::npos) << capturedBox.text;
  EXPECT_NE(capturedBox.text.find("Mesa"), std::string::npos);
  ASSERT_TRUE(createDevice(DevBackend::Recording));
  EXPECT_STREQ(devCreateFailure(), "");
}

TEST_F(RenderTest, FrustumComesFromTheCurrentViewAndProjection) {
  setViewTransform(&renderState.cameraView);
  setProjectionTransform(renderState.cameraProjection);
  Frustum f = extractFrustum();
  // The eye sits 45 units behind the origin, looking along +z.
  EXPECT_TRUE(sphereVisible(f, {0, 0, 0}, 0.0f));
  EXPECT_FALSE(sphereVisible(f, {0, 0, -46}, 0.5f));
  EXPECT_FALSE(sphereVisible(f, {0, 0, 400}, 1.0f));
  EXPECT_FALSE(sphereVisible(f, {200, 0, 0}, 1.0f));
  EXPECT_TRUE(sphereVisible(f, {200, 0, 0}, 200.0f));
  // In the overlay set-up of the scenes, world x and y are overlay units.
  Matrix4 v = identity();
  translate(&v, 0, 0, 50);
  setViewTransform(&v);
  enableRenderFeature(kFeatureScreenProjection);
  f = extractFrustum();
  EXPECT_TRUE(sphereVisible(f, {399, 299, 0}, 0.0f));
  EXPECT_FALSE(sphereVisible(f, {401, 0, 0}, 0.5f));
}

TEST_F(RenderTest, BillboardFacesTheCameraAndIsCulledOutsideTheView) {
  Matrix4 v = identity();
  translate(&v, 0, 0, 50);
  setViewTransform(&v);
  enableRenderFeature(kFeatureScreenProjection);
  drawBillboard(nullptr, 1000.0f, 0.0f, 0.0f, 10.0f, kWhite);
  EXPECT_TRUE(primitiveDraws().empty());
  drawBillboard(nullptr, 100.0f, 50.0f, 90.0f, 10.0f, kWhite);
  const auto draws = primitiveDraws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].state.srcBlend, DevBlend::SrcAlpha);
  float minX = 1e9f, maxX = -1e9f;
  for (const DevVertex& c : drawVertices(0)) {
    minX = std::fmin(minX, c.x);
    maxX = std::fmax(maxX, c.x);
    EXPECT_NEAR(c.z, 0.0f, 1e-5f);
  }
  EXPECT_NEAR(minX, 90.0f, 1e-4f);
  EXPECT_NEAR(maxX, 110.0f, 1e-4f);
}

TEST_F(RenderTest, ClearsAndFramesAreRecorded) {
  clearTarget(0xFF000000u);
  clearDepth(1.0f);
  beginScene();
  endScene();
  const auto& draws = devRecording().draws;
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].kind, DevRecordKind::Clear);
  EXPECT_EQ(draws[0].clearFlags, uint32_t(kClearTarget));
  EXPECT_EQ(draws[1].clearFlags, uint32_t(kClearDepth));
  presentFrame();
  EXPECT_EQ(devLastRecording().draws.size(), 2u);
  EXPECT_TRUE(devRecording().draws.empty());
}
