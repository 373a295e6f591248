// The scenery on real GL (offscreen driver, software GL): the sky shows through
// the picture's transparent band, and half-way through the fade of a crossfade both
// backgrounds are seen at once. The pictures stay in <build>/gl-shots/ to look at.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../scenery/scenery_data.h"
#include "gl_window.h"
#include "platform/device.h"
#include "platform/picture.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/texture.h"
#include "resources/resources.h"
#include "scenery/scenery.h"

namespace {

struct Shot {
  std::vector<uint8_t> rgba;
  int32_t width = 0;
  int32_t height = 0;

  // The pixel under an overlay point.
  const uint8_t* at(float x, float y) const {
    const int px = int((x + 400.0f) * float(width) / 800.0f);
    const int py = int((300.0f - y) * float(height) / 600.0f);
    return rgba.data() + (size_t(py) * size_t(width) + size_t(px)) * 4;
  }
};

class SceneryShotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(openHiddenGLWindow("scenery test", 640, 480));
    // A red and a blue landscape, each with a transparent band over its top 150
    // units where the green sky shows.
    const std::vector<SceneryRecord> sky = {placed("sky_test", {-400, 300, 400, 140})};
    data_ = testTempDirectory("scenery-shot");
    writeSceneryData(data_, {{1, sky}, {2, sky}},
                     {{1, backgroundFile({200, 40, 40}, 150)},
                      {2, backgroundFile({40, 40, 200}, 150)}});
    previous_ = sysCurrentDirectory();
    ASSERT_TRUE(sysChangeDirectory(data_.c_str()));
    resetScenery();
    loadScenery();
  }

  void TearDown() override {
    resetScenery();
    releaseAllTextures();
    releaseDevice();
    clearFileTable();
    sysShutdown();
    sysChangeDirectory(previous_.c_str());
  }

  // One frame of the game scene's background, kept as <build>/gl-shots/<name>.png.
  Shot drawShot(const char* name) {
    clearTarget(kBlack);
    clearDepth(1.0f);
    beginScene();
    begin2D();
    Matrix4 view = identity();
    translate(&view, 0.0f, 0.0f, 50.0f);
    setViewTransform(&view);
    setCullMode(DevCull::None);
    drawSceneryWithTransition();
    Shot shot;
    EXPECT_TRUE(devReadPixels(&shot.rgba, &shot.width, &shot.height));
    endScene();
    presentFrame();
    const std::string dir = std::string(ORBEL_BUILD_DIR) + "/gl-shots";
    testMakeDirectories(dir.c_str());
    picWritePng((dir + "/" + name + ".png").c_str(), shot.rgba.data(), shot.width, shot.height);
    return shot;
  }

  std::string data_;
  std::string previous_;
};

}  // namespace

TEST_F(SceneryShotTest, SkyShowsThroughThePictureAndTheCrossfadeShowsBoth) {
  setBackgroundForLevel(0);
  updateScenery(16.0f, 1000.0f);
  const Shot still = drawShot("SceneryStill");
  ASSERT_FALSE(still.rgba.empty());
  const uint8_t* sky = still.at(0.0f, 250.0f);
  EXPECT_GT(sky[1], 170) << "the sky behind the transparent band";
  EXPECT_LT(sky[0], 80);
  const uint8_t* land = still.at(0.0f, -150.0f);
  EXPECT_GT(land[0], 170);
  EXPECT_LT(land[2], 80);

  // Half-way through the fade: 0.5 = (1 - t / 3000) cubed when t is about 619 ms.
  queueNextBackground(5);
  startBackgroundCrossfade();
  updateScenery(6000.0f - 619.0f, 1000.0f);
  const Shot mixed = drawShot("SceneryCrossfade");
  ASSERT_FALSE(mixed.rgba.empty());
  const uint8_t* both = mixed.at(0.0f, -150.0f);
  EXPECT_NEAR(both[0], 120, 16) << "half the old red landscape";
  EXPECT_NEAR(both[2], 120, 16) << "half the new blue one";
  // At the top the old picture, zoomed by the wobble, covers its band, while the
  // new one lets its sky through.
  const uint8_t* top = mixed.at(0.0f, 200.0f);
  EXPECT_NEAR(top[0], 120, 16);
  EXPECT_NEAR(top[1], 120, 16);
  EXPECT_LT(top[2], 80);
}

// The generated landscapes: every pixel is covered (the transparent parts of each
// picture lie over its sky and water), during a crossfade too.
TEST_F(SceneryShotTest, GeneratedLandscapesLeaveNoHoles) {
  if (testReadFile(std::string(ORBEL_DATA_DIR) + "/animbacks/level1.lev").empty()) {
    GTEST_SKIP() << "no generated data in " << ORBEL_DATA_DIR;
  }
  resetScenery();
  clearFileTable();
  releaseAllTextures();
  ASSERT_TRUE(sysChangeDirectory(ORBEL_DATA_DIR));
  openPack("targa.dat");
  openPack("jpeg.dat");
  openPack("texts.dat");
  loadScenery();
  auto holes = [](const Shot& shot) {
    int black = 0;
    for (size_t i = 0; i < shot.rgba.size(); i += 4) {
      black += shot.rgba[i] + shot.rgba[i + 1] + shot.rgba[i + 2] == 0 ? 1 : 0;
    }
    return black;
  };
  for (int32_t level : {-1, 0, 65}) {
    setBackgroundForLevel(level);
    for (int i = 0; i < 40; ++i) updateScenery(16.0f, 60000.0f + 16.0f * float(i));
    const std::string name = "SceneryLandscape" + std::to_string(scenery.background);
    EXPECT_EQ(holes(drawShot(name.c_str())), 0) << name;
  }
  setBackgroundForLevel(4);
  queueNextBackground(5);
  startBackgroundCrossfade();
  updateScenery(6000.0f - 619.0f, 1000.0f);
  EXPECT_EQ(holes(drawShot("SceneryLandscapeCrossfade")), 0);
}
