// The effects of a bomb blast on real GL with the generated data: the particle
// bursts, the spark ring of the aimed move and a diamond's bolt drawn over a dark
// screen by a frame of the test's own, as the game scene draws them. The picture is
// left in <build>/gl-shots/ to look at.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/numeric.h"
#include "effects/effects.h"
#include "gl_window.h"
#include "platform/device.h"
#include "platform/picture.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/texture.h"
#include "resources/resources.h"
#include "test_support.h"

namespace {

constexpr Vec2 kBlast = {-80.0f, 120.0f};  // the centre of cell (12, 9)
constexpr Color kDark = 0xFF101018u;

class EffectsShot : public ::testing::Test {
 protected:
  void SetUp() override {
    if (testReadFile(std::string(ORBEL_DATA_DIR) + "/targa.dat").empty()) {
      GTEST_SKIP() << "no generated data in " << ORBEL_DATA_DIR;
    }
    resetEffects();
    ASSERT_TRUE(openHiddenGLWindow("effects shot", 800, 600));
    previous_ = sysCurrentDirectory();
    ASSERT_TRUE(sysChangeDirectory(ORBEL_DATA_DIR));
    openPack("targa.dat");
    openPack("jpeg.dat");
    loadEffects();
    initBoardEffects();
    sysChangeDirectory(previous_.c_str());
  }

  void TearDown() override {
    if (previous_.empty()) return;
    resetEffects();
    releaseAllTextures();
    releaseDevice();
    clearFileTable();
    sysShutdown();
  }

  // The game scene's camera for the board and its effects.
  static void overlayCamera() {
    setOrthoProjection(800.0f, 600.0f, 1.0f, 500.0f);
    Matrix4 view = identity();
    translate(&view, 0.0f, 0.0f, 50.0f);
    setViewTransform(&view);
  }

  // Mean brightness (0..255) of the overlay square of side `side` centred on c.
  double brightness(Vec2 c, float side) const {
    double sum = 0.0;
    int count = 0;
    for (float y = c.y - side / 2; y < c.y + side / 2; y += 2.0f) {
      for (float x = c.x - side / 2; x < c.x + side / 2; x += 2.0f) {
        const int px = int((x + 400.0f) * float(width_) / 800.0f);
        const int py = int((300.0f - y) * float(height_) / 600.0f);
        const uint8_t* p = pixels_.data() + (size_t(py) * size_t(width_) + size_t(px)) * 4;
        sum += (p[0] + p[1] + p[2]) / 3.0;
        ++count;
      }
    }
    return sum / count;
  }

  std::string previous_;
  std::vector<uint8_t> pixels_;
  int32_t width_ = 0;
  int32_t height_ = 0;
};

}  // namespace

TEST_F(EffectsShot, ABombBlastBurstsAroundItsCell) {
  seedEffectRandom(5);
  startBoardEffectAt(kBlast.x, kBlast.y, 1);  // the move aimed there
  startEffect("bomb1", kBlast.x, kBlast.y, kNoEffectTarget, kNoEffectTarget, 1.0f, -1);
  startEffect("bomb2", kBlast.x, kBlast.y, kNoEffectTarget, kNoEffectTarget, 1.0f, -1);
  addLightningBolt({200.0f, -150.0f, 0.0f}, {320.0f, -60.0f, 0.0f}, 25.0f, 1.5f, 15.0f, 8.0f,
                   kWhite, makeColor(55, 55, 255, 250));
  for (int frame = 0; frame < 8; ++frame) {
    updateParticles(16.0f);
    updateBoardEffects(16.0f);
  }
  ASSERT_GT(countLiveEffects().particles, 20);
  ASSERT_GT(countLiveEffects().sparks, 20);

  clearTarget(kDark);
  clearDepth(1.0f);
  beginScene();
  overlayCamera();
  drawLightningBolts();
  drawBoardEffects();
  drawParticles();
  endScene();
  ASSERT_TRUE(devReadPixels(&pixels_, &width_, &height_));
  const std::string dir = std::string(ORBEL_BUILD_DIR) + "/gl-shots";
  testMakeDirectories(dir.c_str());
  picWritePng((dir + "/EffectsBombBlast.png").c_str(), pixels_.data(), width_, height_);
  presentFrame();

  // The burst lights up the blast cell and its neighbours; the far corner stays dark;
  // the bolt glows on its way.
  const double blast = brightness(kBlast, 80.0f);
  const double corner = brightness({-340.0f, -240.0f}, 80.0f);
  EXPECT_GT(blast, corner + 40.0) << "blast " << blast << ", corner " << corner;
  EXPECT_LT(corner, 30.0);
  EXPECT_GT(brightness({260.0f, -105.0f}, 20.0f), corner + 20.0);
  // Drawing used few draw calls for all of it.
  EXPECT_LE(lastFrameGfx().drawCalls, 12u);
}
