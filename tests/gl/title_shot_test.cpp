// The title screen through the headless runner on real GL and on the recording
// device: the dump lists its text and draw calls, and a screenshot shows the picture,
// the loading bar and the two green glows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "test_json.h"
#include "test_support.h"

namespace {

void writePicture(const std::string& path, int w, int h, bool jpeg,
                  void (*fill)(int x, int y, uint8_t* rgba)) {
  std::vector<uint8_t> rgba(size_t(w) * size_t(h) * 4);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) fill(x, y, &rgba[(size_t(y) * size_t(w) + size_t(x)) * 4]);
  }
  std::vector<uint8_t> bytes;
  if (jpeg) {
    picEncodeJpeg(rgba.data(), w, h, 4, 90, &bytes);
  } else {
    picEncodeTga(rgba.data(), w, h, &bytes);
  }
  testWriteFile(path, std::string(bytes.begin(), bytes.end()));
}

// The generated data with a plain dark blue title picture and an orange bar, so the
// glows and the bar can be told apart from the picture.
std::string titleData() {
  const std::string dir = testPrivateDataDirectory("title-data");
  std::remove((dir + "/loadscreen.jpg").c_str());
  std::remove((dir + "/loadbar.jpg").c_str());
  writePicture(dir + "/loadscreen.jpg", 800, 600, true, [](int, int, uint8_t* p) {
    p[0] = 20, p[1] = 30, p[2] = 90, p[3] = 255;
  });
  writePicture(dir + "/loadbar.jpg", 310, 48, true, [](int, int, uint8_t* p) {
    p[0] = 250, p[1] = 160, p[2] = 0, p[3] = 255;
  });
  return dir;
}

std::string runTitle(const std::string& data, const std::string& gfx, const std::string& shot,
                     int* status) {
  const std::string dir = testTempDirectory(("title-script-" + gfx).c_str());
  std::string script = "frames 100\n";
  if (!shot.empty()) script += "shot " + shot + "\n";
  script += "dump -\n";
  testWriteFile(dir + "/script.txt", script);
  std::string out;
  *status = testRunCommand(testToolPath("script") + " --data '" + data + "' --gfx " + gfx +
                               " '" + dir + "/script.txt' 2>&1",
                           &out);
  return out;
}

// The only dump of a run's output (a null value when there is not exactly one).
JsonValue onlyDump(const std::string& output) {
  const std::vector<JsonValue> dumps = testDumps(output);
  return dumps.size() == 1 ? dumps[0] : JsonValue{};
}

}  // namespace

TEST(TitleScreen, DumpAndScreenshotShowTheTitle) {
  if (testReadFile(std::string(ORBEL_DATA_DIR) + "/loadscreen.jpg").empty()) {
    GTEST_SKIP() << "no generated data in " << ORBEL_DATA_DIR;
  }
  const std::string data = titleData();
  const std::string shot = std::string(ORBEL_BUILD_DIR) + "/gl-shots/TitleScreen.png";
  std::remove(shot.c_str());
  int status = -1;
  const std::string gl = runTitle(data, "gl", shot, &status);
  ASSERT_EQ(status, 0) << gl;
  const JsonValue glDump = onlyDump(gl);
  const std::vector<std::string> texts = glDump["texts"].strings();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Press any key..."), texts.end()) << gl;
  // At least the picture, the bar and both glows.
  ASSERT_TRUE(glDump["gfx"].has("drawCalls")) << gl;
  EXPECT_GE(glDump["gfx"]["drawCalls"].integer(), 3) << gl;

  const std::vector<uint8_t> png = testReadFile(shot);
  Picture picture;
  ASSERT_TRUE(picDecode(png.data(), png.size(), &picture));
  ASSERT_EQ(picture.width, 640);
  ASSERT_EQ(picture.height, 480);
  auto pixel = [&](int x, int y) { return &picture.rgba[(size_t(y) * 640 + size_t(x)) * 4]; };
  // A glow centre, 800 x 600 pixel (386, 378), is green over the blue picture.
  const uint8_t* glow = pixel(386 * 640 / 800, 378 * 480 / 600);
  EXPECT_GT(glow[1], 150);
  EXPECT_GT(glow[1], glow[0] + 60);
  const uint8_t* plain = pixel(100, 100);
  EXPECT_NEAR(plain[2], 90, 6);
  EXPECT_EQ(plain[3], 255);
  const uint8_t* bar = pixel(406 * 640 / 800, 567 * 480 / 600);
  EXPECT_GT(bar[0], 200);

  // The recording device reports the same frame.
  const std::string recorded = runTitle(data, "null", "", &status);
  ASSERT_EQ(status, 0) << recorded;
  const JsonValue recordedDump = onlyDump(recorded);
  EXPECT_EQ(recordedDump["gfx"], glDump["gfx"]);
  EXPECT_EQ(recordedDump["texts"], glDump["texts"]);
}
