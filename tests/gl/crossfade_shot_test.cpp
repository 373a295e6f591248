// The crossfade to the next zone's landscape through the headless runner on real
// GL: the last level of the first zone is won, its result is confirmed, and the
// screen fades from the zone's landscape to the next one. The two landscapes are
// replaced by plain red and plain blue so the mix can be read off a pixel; the
// screenshots stay in <build>/gl-shots/ to look at.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "menu_shots.h"
#include "platform/picture.h"
#include "scenery/scenery_file.h"
#include "test_json.h"
#include "test_support.h"

namespace {

// A landscape of one colour: the picture, then its alpha plane, all opaque.
void writeLandscape(const std::string& path, uint8_t r, uint8_t g, uint8_t b) {
  const int w = 800, h = 600;
  std::vector<uint8_t> rgb(size_t(w) * h * 3);
  for (size_t i = 0; i < rgb.size(); i += 3) rgb[i] = r, rgb[i + 1] = g, rgb[i + 2] = b;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(picEncodeJpeg(rgb.data(), w, h, 3, 95, &bytes));
  bytes.insert(bytes.end(), size_t(w) * h, 255);
  testWriteFile(path, std::string(bytes.begin(), bytes.end()));
}

// A scenery list with nothing on it.
void writeEmptyList(const std::string& path) {
  SceneryList list = {};
  std::vector<uint8_t> bytes;
  encodeSceneryList(list, "plain", &bytes);
  testWriteFile(path, std::string(bytes.begin(), bytes.end()));
}

// Level 5 (the fifth stage of the first zone) is won with the developer keys, its
// result confirmed (the first click only ends the panel's count-up), and the fade to
// the next zone's landscape watched.
std::string crossfadeScript() {
  return "play 4 adventure normal\nframes 200\nclick -390 290\nframes 2\nclick -390 290\n"
         "frames 10\ntype ZOMPRETH\nframes 5\nkey N\nframes 600\ndump -\nchoose OK\nframes 2\n"
         "choose OK\nframes 40\ndump -\nshot " + menuShotPath("CrossfadeStart") +
         "\nframes 300\ndump -\nshot " + menuShotPath("CrossfadeMiddle") +
         "\nframes 120\ndump -\nshot " + menuShotPath("CrossfadeEnd") + "\n";
}

// The pixel under an overlay point; a missing screenshot reads as black.
const uint8_t* pixelAt(const Picture& picture, float x, float y) {
  static const uint8_t kNone[4] = {};
  if (picture.rgba.empty()) return kNone;
  const int px = int((x + 400.0f) * float(picture.width) / 800.0f);
  const int py = int((300.0f - y) * float(picture.height) / 600.0f);
  return &picture.rgba[(size_t(py) * size_t(picture.width) + size_t(px)) * 4];
}

Picture loadShot(const char* name) {
  Picture picture;
  const std::vector<uint8_t> png = testReadFile(menuShotPath(name));
  EXPECT_TRUE(picDecode(png.data(), png.size(), &picture)) << name;
  return picture;
}

TEST(CrossfadeShot, TheNextZonesLandscapeFadesInAfterTheResult) {
  if (testReadFile(std::string(ORBEL_DATA_DIR) + "/loadscreen.jpg").empty()) {
    GTEST_SKIP() << "no generated data in " << ORBEL_DATA_DIR;
  }
  // The private copy links the shared data's folders: "animbacks" gets a folder of
  // its own, whose links the test replaces with files.
  const std::string data = testPrivateDataDirectory("crossfade-shot");
  const std::string animbacks = data + "/animbacks";
  ASSERT_EQ(testRunCommand("rm '" + animbacks + "' && mkdir '" + animbacks + "' && ln -s '" +
                           ORBEL_DATA_DIR + "/animbacks/'* '" + animbacks + "/' && cd '" +
                           animbacks + "' && rm _a_back1.jpg _a_back2.jpg level1.lev level2.lev"),
            0);
  writeLandscape(data + "/animbacks/_a_back1.jpg", 255, 0, 0);
  writeLandscape(data + "/animbacks/_a_back2.jpg", 0, 0, 255);
  writeEmptyList(data + "/animbacks/level1.lev");
  writeEmptyList(data + "/animbacks/level2.lev");
  const std::string config = testTempDirectory("crossfade-shot-config");
  std::string output;
  const int status = testRunScript(data, crossfadeScript(), "--gfx gl --seed 5", &output,
                                   "XDG_CONFIG_HOME='" + config + "'", true);
  ASSERT_EQ(status, 0) << output;
  const std::vector<JsonValue> dumps = testDumps(output);
  ASSERT_EQ(dumps.size(), 4u) << output;
  EXPECT_EQ(dumps[0]["menu"]["screen"].string, "levelcomplete");
  EXPECT_EQ(dumps[0]["scenery"]["background"].integer(), 1);

  // Just after the confirmation only the view wobbles: the old landscape alone.
  EXPECT_EQ(dumps[1]["scenery"]["nextBackground"].integer(), 2);
  EXPECT_GT(dumps[1]["scenery"]["crossfade"].number, 0.0);
  const Picture startShot = loadShot("CrossfadeStart");
  const uint8_t* start = pixelAt(startShot, -300.0f, 150.0f);
  EXPECT_GT(start[0], 230);
  EXPECT_LT(start[2], 25);

  // In the second half the new one comes in as the cube of its fade.
  const double progress = dumps[2]["scenery"]["crossfade"].number;
  ASSERT_GT(progress, 0.5) << "the shot must fall in the second half";
  ASSERT_LT(progress, 1.0);
  const double share = std::pow(2.0 * progress - 1.0, 3.0);
  const Picture middleShot = loadShot("CrossfadeMiddle");
  const uint8_t* middle = pixelAt(middleShot, -300.0f, 150.0f);
  EXPECT_NEAR(middle[0], 255.0 * (1.0 - share), 20.0) << "crossfade " << progress;
  EXPECT_NEAR(middle[2], 255.0 * share, 20.0) << "crossfade " << progress;

  // Afterwards the next landscape is the current one.
  EXPECT_EQ(dumps[3]["scenery"]["background"].integer(), 2);
  EXPECT_EQ(dumps[3]["scenery"]["crossfade"].number, 0.0);
  const Picture endShot = loadShot("CrossfadeEnd");
  const uint8_t* end = pixelAt(endShot, -300.0f, 150.0f);
  EXPECT_LT(end[0], 25);
  EXPECT_GT(end[2], 230);
}

}  // namespace
