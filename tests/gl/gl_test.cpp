// The OpenGL backend on a hidden window (offscreen driver, software GL): blending,
// alpha testing, texture orientation, culling, depth and lighting give the colours
// they should. Every test leaves its picture in <build>/gl-shots/ to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../render/mesh_file.h"
#include "gl_window.h"
#include "platform/device.h"
#include "platform/picture.h"
#include "platform/platform.h"
#include "render/mesh.h"
#include "render/render.h"
#include "render/sprites.h"
#include "render/texture.h"
#include "resources/resources.h"
#include "test_support.h"

namespace {

constexpr Color kBackground = 0xFF333333u;  // 51, 51, 51
constexpr UvRect kWholeTexture = {0.0f, 0.0f, 1.0f, 1.0f};

struct Pixel {
  int r, g, b;
};

class GLTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(openHiddenGLWindow("gl test", 640, 480));
    shotDirectory() = std::string(ORBEL_BUILD_DIR) + "/gl-shots";
    testMakeDirectories(shotDirectory().c_str());
  }

  static void TearDownTestSuite() {
    releaseAllMeshes();
    releaseAllTextures();
    releaseDevice();
    clearFileTable();
    sysShutdown();
  }

  static std::string& shotDirectory() {
    static std::string path;
    return path;
  }

  void SetUp() override {
    ASSERT_TRUE(devExists());
    clearTarget(kBackground);
    clearDepth(1.0f);
    beginScene();
    begin2D();
    setCullMode(DevCull::CounterClockwise);
  }

  void TearDown() override {
    endScene();
    presentFrame();
  }

  // Reads the frame and saves it under the test's name.
  void readFrame() {
    ASSERT_TRUE(devReadPixels(&pixels_, &width_, &height_));
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    picWritePng((shotDirectory() + "/" + name + ".png").c_str(), pixels_.data(), width_, height_);
  }

  // The pixel under an overlay point.
  Pixel at(float x, float y) const {
    const int px = int((x + 400.0f) * float(width_) / 800.0f);
    const int py = int((300.0f - y) * float(height_) / 600.0f);
    const uint8_t* p = pixels_.data() + (size_t(py) * size_t(width_) + size_t(px)) * 4;
    return {p[0], p[1], p[2]};
  }

  // A texture of one colour (0xAARRGGBB), or of two rows of colours.
  static TextureEntry* solid(const char* name, Color top, Color bottom) {
    TextureEntry* e = createEmptyTexture(name, 2, 2, PixelFormat::A8R8G8B8);
    int32_t pitch = 0;
    uint8_t* t = lockTexture(e, &pitch);
    for (int y = 0; y < 2; ++y) {
      const Color c = y == 0 ? top : bottom;
      for (int x = 0; x < 2; ++x) std::memcpy(t + y * pitch + 4 * x, &c, 4);
    }
    unlockTexture(e);
    return e;
  }

  std::vector<uint8_t> pixels_;
  int32_t width_ = 0;
  int32_t height_ = 0;
};

#define EXPECT_PIXEL(p, R, G, B)   \
  do {                             \
    const Pixel q = (p);           \
    EXPECT_NEAR(q.r, (R), 2);      \
    EXPECT_NEAR(q.g, (G), 2);      \
    EXPECT_NEAR(q.b, (B), 2);      \
  } while (0)

}  // namespace

TEST_F(GLTest, BlendModesAndTheAlphaTestGiveTheirColours) {
  setTexture(solid("red", 0xFFFF0000u, 0xFFFF0000u));
  setBlendMode(kBlendOpaque);
  drawSprite(-200.0f, 150.0f, 100.0f, 100.0f, kWholeTexture, kWhite, 10.0f);
  setTexture(solid("half green", 0x8000FF00u, 0x8000FF00u));
  setBlendMode(kBlendTransparent);
  drawSprite(200.0f, 150.0f, 100.0f, 100.0f, kWholeTexture, kWhite, 10.0f);
  setTexture(solid("clear blue", 0x000000FFu, 0x000000FFu));
  drawSprite(-200.0f, -150.0f, 100.0f, 100.0f, kWholeTexture, kWhite, 10.0f);
  setTexture(solid("glow", 0xFF643200u, 0xFF643200u));
  setBlendMode(kBlendAdditive);
  drawSprite(200.0f, -150.0f, 100.0f, 100.0f, kWholeTexture, kWhite, 10.0f);
  // The reference: alpha 100 fails a test at 128, alpha 128 passes it.
  setBlendMode(kBlendOpaque);
  setAlphaRef(128);
  setTexture(solid("alpha 100", 0x64FFFFFFu, 0x64FFFFFFu));
  drawSprite(0.0f, 0.0f, 40.0f, 40.0f, kWholeTexture, kWhite, 10.0f);
  setTexture(solid("alpha 128", 0x80FFFF00u, 0x80FFFF00u));
  drawSprite(0.0f, 100.0f, 40.0f, 40.0f, kWholeTexture, kWhite, 10.0f);
  readFrame();
  EXPECT_PIXEL(at(-200.0f, 150.0f), 255, 0, 0);
  EXPECT_PIXEL(at(200.0f, 150.0f), 25, 153, 25);
  EXPECT_PIXEL(at(-200.0f, -150.0f), 51, 51, 51);
  // Source colour times itself, added: 100 * 100 / 255 + 51, 50 * 50 / 255 + 51.
  EXPECT_PIXEL(at(200.0f, -150.0f), 90, 61, 51);
  EXPECT_PIXEL(at(0.0f, 0.0f), 51, 51, 51);
  EXPECT_PIXEL(at(0.0f, 100.0f), 255, 255, 0);
  EXPECT_PIXEL(at(0.0f, -250.0f), 51, 51, 51);
}

TEST_F(GLTest, VertexColourAndMultipliersModulateTheTexture) {
  setTexture(solid("white", kWhite, kWhite));
  setBlendMode(kBlendOpaque);
  drawSprite(-100.0f, 0.0f, 100.0f, 100.0f, kWholeTexture, 0xFF8040FFu, 10.0f);
  setColorMultiplier(0.5f, 0.5f, 0.5f, 1.0f);
  drawSprite(100.0f, 0.0f, 100.0f, 100.0f, kWholeTexture, kWhite, 10.0f);
  setColorMultiplier(1.0f, 1.0f, 1.0f, 1.0f);
  setTexture(nullptr);  // untextured: the vertex colour alone
  drawSprite(0.0f, 200.0f, 50.0f, 50.0f, kWholeTexture, 0xFF00FF00u, 10.0f);
  readFrame();
  EXPECT_PIXEL(at(-100.0f, 0.0f), 128, 64, 255);
  EXPECT_PIXEL(at(100.0f, 0.0f), 127, 127, 127);
  EXPECT_PIXEL(at(0.0f, 200.0f), 0, 255, 0);
}

TEST_F(GLTest, PictureTopRowIsAtTheTopOfTheScreen) {
  setTexture(solid("red over blue", 0xFFFF0000u, 0xFF0000FFu));
  setBlendMode(kBlendOpaque);
  disableRenderFeature(kFeatureFiltering);
  setCullMode(DevCull::None);  // a screen rectangle runs counter-clockwise
  drawScreenRect(0.0f, 0.0f, 800.0f, 600.0f, 0.0f, 0.0f, 1.0f, 1.0f, kWhite);
  readFrame();
  EXPECT_PIXEL(at(0.0f, 200.0f), 255, 0, 0);
  EXPECT_PIXEL(at(0.0f, -200.0f), 0, 0, 255);
  // Every corner is covered.
  EXPECT_PIXEL(at(-399.0f, 299.0f), 255, 0, 0);
  EXPECT_PIXEL(at(399.0f, -299.0f), 0, 0, 255);
}

// The driver holds a texture's only copy between locks: a lock reads it back, a
// change to one texel reaches the screen, and an empty texture drawn without ever
// being locked is transparent (a texture never handed to the driver draws black).
TEST_F(GLTest, LockingAgainReadsTheTexelsBackAndChangesShow) {
  TextureEntry* e = solid("read back", 0xFFFF0000u, 0xFF0000FFu);
  int32_t pitch = 0;
  uint8_t* t = lockTexture(e, &pitch);
  ASSERT_NE(t, nullptr);
  Color texel[4];
  for (int i = 0; i < 4; ++i) std::memcpy(&texel[i], t + (i / 2) * pitch + 4 * (i % 2), 4);
  EXPECT_EQ(texel[1], 0xFFFF0000u);
  EXPECT_EQ(texel[2], 0xFF0000FFu);
  const Color green = 0xFF00FF00u;
  std::memcpy(t + pitch, &green, 4);  // bottom left
  unlockTexture(e);
  TextureEntry* empty = createEmptyTexture("never locked", 4, 4, PixelFormat::A8R8G8B8);
  setBlendMode(kBlendOpaque);
  disableRenderFeature(kFeatureFiltering);
  setCullMode(DevCull::None);
  setTexture(e);
  drawScreenRect(0.0f, 0.0f, 400.0f, 600.0f, 0.0f, 0.0f, 1.0f, 1.0f, kWhite);
  setTexture(empty);
  drawScreenRect(400.0f, 0.0f, 800.0f, 600.0f, 0.0f, 0.0f, 1.0f, 1.0f, kWhite);
  readFrame();
  EXPECT_PIXEL(at(-300.0f, 200.0f), 255, 0, 0);
  EXPECT_PIXEL(at(-300.0f, -200.0f), 0, 255, 0);
  EXPECT_PIXEL(at(-100.0f, -200.0f), 0, 0, 255);
  EXPECT_PIXEL(at(200.0f, 0.0f), 51, 51, 51);  // transparent: the background shows
}

// A rectangle written into a texture (as the sized pictures are) lands at its place
// with its own row pitch; around it a fresh texture stays transparent black and an
// older write stays as it was.
TEST_F(GLTest, RectanglesWrittenIntoATextureKeepWhatIsAroundThem) {
  TextureEntry* e = createEmptyTexture("rectangles", 8, 4, PixelFormat::A8R8G8B8);
  const Color red = 0xFFFF0000u, blue = 0xFF0000FFu;
  Color block[3 * 2];  // 2 x 2 texels used of rows 3 texels long
  std::fill(std::begin(block), std::end(block), red);
  ASSERT_TRUE(devWriteTextureRect(e->texture, 1, 1, 2, 2,
                                  reinterpret_cast<const uint8_t*>(block), 3 * 4));
  std::fill(std::begin(block), std::end(block), blue);
  ASSERT_TRUE(devWriteTextureRect(e->texture, 2, 2, 2, 2,
                                  reinterpret_cast<const uint8_t*>(block), 3 * 4));
  EXPECT_FALSE(devWriteTextureRect(e->texture, 7, 0, 2, 1,
                                   reinterpret_cast<const uint8_t*>(block), 3 * 4));
  int32_t pitch = 0;
  const uint8_t* t = lockTexture(e, &pitch);
  ASSERT_NE(t, nullptr);
  auto texel = [&](int x, int y) {
    Color c;
    std::memcpy(&c, t + y * pitch + 4 * x, 4);
    return c;
  };
  EXPECT_EQ(texel(0, 0), 0u);
  EXPECT_EQ(texel(1, 1), red);
  EXPECT_EQ(texel(2, 1), red);
  EXPECT_EQ(texel(1, 2), red);
  EXPECT_EQ(texel(2, 2), blue);
  EXPECT_EQ(texel(3, 3), blue);
  EXPECT_EQ(texel(4, 2), 0u);
  EXPECT_EQ(texel(7, 0), 0u);
  unlockTexture(e);
}

TEST_F(GLTest, CullingDropsTrianglesCounterClockwiseOnScreen) {
  setTexture(solid("white", kWhite, kWhite));
  setBlendMode(kBlendOpaque);
  // A sprite runs clockwise and stays; drawQuad's corners in counter-clockwise
  // order come out counter-clockwise and are culled unless culling is off.
  drawSprite(-200.0f, 0.0f, 100.0f, 100.0f, kWholeTexture, kWhite, 10.0f);
  const Vec2 t = {0.5f, 0.5f};
  auto quad = [&](float x) {
    drawQuad({x + 50, -50, 10}, {x + 50, 50, 10}, {x - 50, 50, 10}, {x - 50, -50, 10}, t, t, t, t,
             kWhite);
  };
  quad(0.0f);
  setCullMode(DevCull::None);
  quad(200.0f);
  readFrame();
  EXPECT_PIXEL(at(-200.0f, 0.0f), 255, 255, 255);
  EXPECT_PIXEL(at(0.0f, 0.0f), 51, 51, 51);
  EXPECT_PIXEL(at(200.0f, 0.0f), 255, 255, 255);
}

// The window has no depth buffer: a depth test that writes nothing (the particles')
// passes everywhere, so pictures show in drawing order with or without it.
TEST_F(GLTest, PicturesShowInDrawingOrderWithOrWithoutTheDepthTest) {
  setBlendMode(kBlendOpaque);
  TextureEntry* red = solid("red", 0xFFFF0000u, 0xFFFF0000u);
  TextureEntry* green = solid("green", 0xFF00FF00u, 0xFF00FF00u);
  disableRenderFeature(kFeatureDepthWrite);
  for (const bool tested : {true, false}) {
    const float x = tested ? -200.0f : 200.0f;
    if (tested) {
      enableRenderFeature(kFeatureDepthTest);
    } else {
      disableRenderFeature(kFeatureDepthTest);
    }
    setTexture(red);
    drawSprite(x, 0.0f, 100.0f, 100.0f, kWholeTexture, kWhite, 10.0f);
    setTexture(green);
    drawSprite(x, 0.0f, 100.0f, 100.0f, kWholeTexture, kWhite, 50.0f);
  }
  enableRenderFeature(kFeatureDepthWrite);
  readFrame();
  EXPECT_PIXEL(at(-200.0f, 0.0f), 0, 255, 0);
  EXPECT_PIXEL(at(200.0f, 0.0f), 0, 255, 0);
}

TEST_F(GLTest, LitMeshIsShadedByTheLight) {
  static std::vector<uint8_t> bytes = encode(cube(false));
  ASSERT_NE(registerFile("cube.msh_s", uint32_t(bytes.size()), bytes.data(), false), nullptr);
  Mesh* mesh = getMesh("cube.msh_s");
  ASSERT_NE(mesh, nullptr);
  clearTarget(0xFF0000FFu);
  setTexture(solid("white", kWhite, kWhite));
  disableRenderFeature(kFeatureAlphaBlend);
  disableRenderFeature(kFeatureAlphaTest);
  enableRenderFeature(kFeatureDepthTest);
  setProjectionTransform(renderState.cameraProjection);
  setViewTransform(&renderState.cameraView);
  // Big enough to fill much of the view, turned so three faces show.
  const float c = 0.8660254f, s = 0.5f;
  Matrix4 turnY = identity();
  turnY.m[0] = c;
  turnY.m[2] = -s;
  turnY.m[8] = s;
  turnY.m[10] = c;
  Matrix4 turnX = identity();
  turnX.m[5] = c;
  turnX.m[6] = s;
  turnX.m[9] = -s;
  turnX.m[10] = c;
  Matrix4 scale = identity();
  setDiagonal(&scale, 8.0f, 8.0f, 8.0f);
  const Matrix4 world = multiply(turnX, multiply(turnY, scale));
  setWorldTransform(&world);
  enableRenderFeature(kFeatureLighting);
  drawMesh(mesh);
  readFrame();
  // Count the shades of grey the cube shows.
  int lit = 0, brightest = 0;
  std::vector<int> shades(256, 0);
  for (size_t i = 0; i < pixels_.size(); i += 4) {
    const uint8_t r = pixels_[i], g = pixels_[i + 1], b = pixels_[i + 2];
    if (r == 0 && g == 0 && b == 255) continue;
    ++lit;
    EXPECT_EQ(r, g);
    EXPECT_EQ(g, b);
    EXPECT_GE(r, 49);  // never darker than the ambient 0.2
    shades[r] += 1;
    brightest = std::max(brightest, int(r));
  }
  int distinct = 0;
  for (const int n : shades) distinct += n > 100 ? 1 : 0;
  EXPECT_GT(lit, 5000);
  EXPECT_GE(distinct, 2);
  EXPECT_GT(brightest, 150);
  setWorldTransform(nullptr);
  disableRenderFeature(kFeatureLighting);
}

TEST_F(GLTest, PresentedFrameIsKeptForScreenshots) {
  setTexture(solid("green", 0xFF00FF00u, 0xFF00FF00u));
  setBlendMode(kBlendOpaque);
  setCullMode(DevCull::None);
  drawScreenRect(0.0f, 0.0f, 800.0f, 600.0f, 0.0f, 0.0f, 1.0f, 1.0f, kWhite);
  devKeepPresentedFrame(true);
  endScene();
  presentFrame();
  std::vector<uint8_t> kept;
  int32_t w = 0, h = 0;
  ASSERT_TRUE(devPresentedFrame(&kept, &w, &h));
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  EXPECT_EQ(kept[4 * (240 * 640 + 320) + 1], 255);
  EXPECT_EQ(kept[4 * (240 * 640 + 320) + 3], 255);
  EXPECT_EQ(lastFrameGfx().drawCalls, 1u);
  devKeepPresentedFrame(false);
  beginScene();
}

TEST_F(GLTest, SparkSpriteAddsItsSheetCell) {
  // A sheet whose cell 12 alone is lit.
  static std::vector<uint8_t> sheet;
  if (sheet.empty()) {
    std::vector<uint8_t> rgba(64 * 64 * 4, 0);
    for (int y = 8; y < 16; ++y) {
      for (int x = 32; x < 40; ++x) {
        uint8_t* p = &rgba[size_t(y * 64 + x) * 4];
        p[0] = p[1] = p[2] = p[3] = 200;
      }
    }
    picEncodeTga(rgba.data(), 64, 64, &sheet);
    ASSERT_NE(registerFile("particles.tga", uint32_t(sheet.size()), sheet.data(), false), nullptr);
  }
  setViewTransform(&renderState.cameraView);
  setCullMode(DevCull::None);
  drawSparkSprite(-100.0f, 0.0f, 30.0f, 120.0f, 0xFF80FF80u, 0, 12);
  drawSparkSprite(100.0f, 0.0f, 0.0f, 120.0f, 0xFF80FF80u, 0, 13);
  readFrame();
  // Source colour times itself, added to the background.
  const int g = 200 * 200 / 255 + 51, rb = (200 * 128 / 255) * (200 * 128 / 255) / 255 + 51;
  EXPECT_PIXEL(at(-100.0f, 0.0f), rb, g, rb);
  EXPECT_PIXEL(at(100.0f, 0.0f), 51, 51, 51);
}

TEST_F(GLTest, TransformsSetAfterADrawDoNotMoveIt) {
  setTexture(solid("white", kWhite, kWhite));
  setBlendMode(kBlendOpaque);
  drawSprite(-200.0f, 0.0f, 100.0f, 100.0f, kWholeTexture, kWhite, 10.0f);
  // The end of a frame puts the camera back before anything has been flushed.
  Matrix4 away = identity();
  translate(&away, 300.0f, 0.0f, 0.0f);
  setViewTransform(&away);
  setProjectionTransform(renderState.cameraProjection);
  readFrame();
  EXPECT_PIXEL(at(-200.0f, 0.0f), 255, 255, 255);
  EXPECT_PIXEL(at(100.0f, 0.0f), 51, 51, 51);
}
