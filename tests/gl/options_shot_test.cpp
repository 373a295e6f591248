// The options and help screens on real GL, and the full-screen switch on a real
// window: "apply" turns the window into a desktop-covering one and back, however
// often in a row, and the window and its drawing survive every switch. The
// screenshots stay in <build>/gl-shots/ to be looked at.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gl_window.h"
#include "menu_shots.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/texture.h"
#include "test_json.h"
#include "test_support.h"
#include "ui/menu.h"
#include "ui/options.h"

namespace {

// A frame cleared to `color`, presented (a pending display change happens after it).
void presentCleared(Color color) {
  beginScene();
  clearTarget(color);
  endScene();
  presentFrame();
}

class FullScreenSwitch : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(openHiddenGLWindow("full screen switch", 640, 480));
    ASSERT_TRUE(testLoadMenus());
  }

  static void TearDownTestSuite() {
    releaseAllTextures();
    releaseDevice();
    sysShutdown();
  }
};

TEST_F(FullScreenSwitch, ApplyTogglesTheRealWindowManyTimesAndItKeepsDrawing) {
  resetMenus();
  openScreenByName("options");
  ASSERT_STREQ(currentMenuScreen(), "options");
  const int32_t textures = textureCount();
  for (int round = 0; round < 40; ++round) {
    const bool full = round % 2 == 0;
    optionsState.fullScreenChoice = full ? 1 : 0;
    applyOptions();
    presentCleared(kBlack);
    const SysWindowState window = sysWindowState();
    ASSERT_TRUE(window.real) << round;
    ASSERT_EQ(window.fullScreen, full) << round;
    int32_t width = 0, height = 0;
    sysGetClientSize(&width, &height);
    ASSERT_EQ(width, full ? 800 : 640) << round;
    ASSERT_EQ(height, full ? 600 : 480) << round;
    ASSERT_TRUE(devExists());
  }
  EXPECT_FALSE(sysWindowState().fullScreen) << "an even number of switches ends in a window";
  EXPECT_EQ(textureCount(), textures);

  const Color red = makeColor(200, 30, 40, 255);
  beginScene();
  clearTarget(red);
  std::vector<uint8_t> rgba;
  int32_t width = 0, height = 0;
  ASSERT_TRUE(devReadPixels(&rgba, &width, &height));
  endScene();
  presentFrame();
  ASSERT_GT(width, 0);
  const uint8_t* middle = &rgba[(size_t(height / 2) * size_t(width) + size_t(width / 2)) * 4];
  EXPECT_EQ(middle[0], 200) << "the context still draws after every switch";
  EXPECT_EQ(middle[1], 30);
}

TEST_F(FullScreenSwitch, ApplyWithoutAChangeLeavesTheWindowAlone) {
  resetMenus();
  openScreenByName("options");
  optionsState.fullScreenChoice = display.fullScreen ? 1 : 0;
  applyOptions();
  EXPECT_EQ(renderState.displayChangePending, 0);
  presentCleared(kBlack);
  EXPECT_EQ(sysWindowState().fullScreen, display.fullScreen != 0);
}

std::string screensScript() {
  return "play 0 adventure expert\nframes 30\nkey ESCAPE\nframes 45\nchoose How to play\n"
         "frames 140\nshot " + menuShotPath("help") + "\ndump -\nchoose OK\nframes 45\n"
         "key ESCAPE\nframes 45\nchoose Options\nframes 45\nclick -100 -3\nframes 5\n"
         "move 150 -5\nframes 20\nshot " + menuShotPath("options") + "\ndump -\n";
}

TEST(OptionsHelpShots, TheHelpBoardAndTheOptionsWindowShowWhereTheirLayoutsPutThem) {
  if (testReadFile(std::string(ORBEL_DATA_DIR) + "/loadscreen.jpg").empty()) {
    GTEST_SKIP() << "no generated data in " << ORBEL_DATA_DIR;
  }
  testMakeDirectories((std::string(ORBEL_BUILD_DIR) + "/gl-shots").c_str());
  for (const char* name : {"help", "options"}) std::remove(menuShotPath(name).c_str());
  const std::string data = testPrivateDataDirectory("options-shots");
  const std::string config = testTempDirectory("options-shots-config");
  std::string output;
  const int status = testRunScript(data, screensScript(), "--gfx gl --seed 5", &output,
                                   "XDG_CONFIG_HOME='" + config + "'", true);
  ASSERT_EQ(status, 0) << output;
  const std::vector<JsonValue> dumps = testDumps(output);
  ASSERT_EQ(dumps.size(), 2u) << output;
  EXPECT_EQ(dumps[0]["menu"]["screen"].string, "helpscreen");
  EXPECT_EQ(dumps[1]["menu"]["screen"].string, "options");
  EXPECT_EQ(dumps[1]["settings"]["customCursor"].number, 1.0);

  MenuShot help, options;
  ASSERT_TRUE(loadMenuShot("help", &help));
  ASSERT_TRUE(loadMenuShot("options", &options));
  // The help board's plain floor tile at cell (1, 1): a light cream.
  const uint8_t* floor = help.at(-10.7f, 5.0f);
  EXPECT_GT(floor[0], 180);
  EXPECT_GT(floor[1], 170);
  // The cursor drawn over the options at the pointer: the arrow's bright body just
  // below and right of its tip, where the window is dark.
  const uint8_t* arrow = options.at(154.0f, -14.0f);
  EXPECT_GT(arrow[0] + arrow[1] + arrow[2], 450);
  const uint8_t* body = options.at(150.0f, 30.0f);
  EXPECT_LT(body[0], 130);
}

}  // namespace
