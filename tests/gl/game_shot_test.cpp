// The game scene through the headless runner on real GL: preset balls in their
// colours at their cells, a selected ball's route to the pointer, the HUD, the
// pause overlay and the level-complete picture, checked on the screenshots'
// pixels (and the HUD's strings in the dump, the same on the recording device).
// The board's pictures are replaced by plain colours so every piece can be told
// apart; the screenshots stay in <build>/gl-shots/ to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "test_json.h"
#include "test_support.h"

namespace {

struct Rgb {
  int r, g, b;
};

// Ball colours 0..7, and the other pieces, each far from the others.
const Rgb kBalls[8] = {{230, 20, 20},  {250, 140, 0},  {240, 240, 0}, {0, 200, 0},
                       {0, 220, 230},  {20, 40, 230},  {150, 0, 210}, {250, 100, 200}};
const Rgb kFloor = {120, 120, 120};
const Rgb kRoute = {255, 0, 255};
const Rgb kHeart = {255, 60, 120};
const Rgb kGauge = {90, 60, 30};
const Rgb kBarFrame = {40, 90, 40};
const Rgb kPanel = {30, 50, 140};

void writeTga(const std::string& path, int w, int h, Rgb c, int alpha) {
  std::vector<uint8_t> rgba(size_t(w) * size_t(h) * 4);
  for (size_t i = 0; i < rgba.size(); i += 4) {
    rgba[i] = uint8_t(c.r), rgba[i + 1] = uint8_t(c.g), rgba[i + 2] = uint8_t(c.b);
    rgba[i + 3] = uint8_t(alpha);
  }
  std::vector<uint8_t> bytes;
  picEncodeTga(rgba.data(), w, h, &bytes);
  testWriteFile(path, std::string(bytes.begin(), bytes.end()));
}

// Level 0 in Normal: the presets a..h, floor all round, the hammer on, a square in
// the corner so the level is not won at once.
const char* const kLevel =
    "jockerfrequency=1000000\r\n"
    "level=\r\n"
    "....................\r\n"
    ".000000000000000000.\r\n"
    ".0a0b0c0d0000000000.\r\n"
    ".000000000000000000.\r\n"
    ".0e0f0g0h0000000000.\r\n"
    ".000000000000000000.\r\n"
    ".000000000000000000.\r\n"
    ".000000000000000001.\r\n"
    "\r\n";

// The generated data with the picture pack unpacked loose, the board's and HUD's
// pictures in plain colours and this test's level.
std::string gameShotData() {
  const std::string dir = testPrivateDataDirectory("game-shot-data");
  testRunCommand("rm -f '" + dir + "/targa.dat' '" + dir + "/levels'");
  std::string unpack = "'";
  unpack += testToolPath("pack") + "' extract '" + ORBEL_DATA_DIR + "/targa.dat' '" + dir;
  testRunCommand(unpack + "' > /dev/null");
  char name[32];
  for (int i = 0; i < 8; ++i) {
    std::snprintf(name, sizeof name, "/bal%.2i.tga", i);
    writeTga(dir + name, 64, 64, kBalls[i], 255);
  }
  for (const char* floor : {"/field0.tga", "/field1.tga", "/field2.tga"}) {
    writeTga(dir + floor, 64, 64, kFloor, 255);
  }
  for (const char* clear : {"/shadow.tga", "/field1a.tga", "/field2a.tga", "/fieldspodsv.tga"}) {
    writeTga(dir + clear, 64, 64, kFloor, 0);
  }
  for (const char* piece : {"/route_head.tga", "/route_straight.tga", "/route_corner.tga",
                            "/route_tail.tga"}) {
    writeTga(dir + piece, 64, 64, kRoute, 255);
  }
  writeTga(dir + "/heart.tga", 32, 32, kHeart, 255);
  writeTga(dir + "/molotok1.tga", 64, 128, kGauge, 255);
  writeTga(dir + "/levelbar1.tga", 64, 512, kBarFrame, 255);
  writeTga(dir + "/gamebar.tga", 128, 512, kPanel, 255);
  testMakeDirectories((dir + "/levels").c_str());
  testWriteFile(dir + "/levels/tut1_01.lvl", kLevel);
  return dir;
}

const std::string& shotData() {
  static const std::string dir = gameShotData();
  return dir;
}

std::string shotPath(const char* name) {
  const std::string dir = std::string(ORBEL_BUILD_DIR) + "/gl-shots";
  testMakeDirectories(dir.c_str());
  return dir + "/" + name + ".png";
}

// Runs the script (after a fresh start of level 0) on GL, or on the recording
// device; returns the last dump.
JsonValue runGame(const std::string& script, const std::string& gfx, int* status) {
  testRunCommand("rm -rf '" + shotData() + "/settings'/*");
  std::string output;
  *status = testRunScript(shotData(), "play 0 adventure normal\nframes 45\n" + script + "dump -\n",
                          "--seed 5 --gfx " + gfx, &output, "", true);
  const std::vector<JsonValue> dumps = testDumps(output);
  if (dumps.empty()) ADD_FAILURE() << output;
  return dumps.empty() ? JsonValue{} : dumps.back();
}

struct Shot {
  Picture picture;
  // The pixel at overlay point (x, y) of the 640 x 480 shot.
  Rgb at(float x, float y) const {
    const int px = std::clamp(int((x + 400.0f) * 0.8f), 0, picture.width - 1);
    const int py = std::clamp(int((300.0f - y) * 0.8f), 0, picture.height - 1);
    const uint8_t* p = &picture.rgba[(size_t(py) * size_t(picture.width) + size_t(px)) * 4];
    return {p[0], p[1], p[2]};
  }
  // Grey pixels brighter than `floor`: the fading floor tiles.
  int countGrey(int floor) const {
    int n = 0;
    for (size_t i = 0; i + 3 < picture.rgba.size(); i += 4) {
      const uint8_t* p = &picture.rgba[i];
      n += p[0] > floor && std::abs(p[0] - p[1]) < 6 && std::abs(p[1] - p[2]) < 6;
    }
    return n;
  }
};

Shot readShot(const std::string& path) {
  Shot shot;
  const std::vector<uint8_t> png = testReadFile(path);
  EXPECT_TRUE(picDecode(png.data(), png.size(), &shot.picture)) << path;
  return shot;
}

::testing::AssertionResult looksLike(Rgb seen, Rgb wanted, int tolerance = 12) {
  if (std::abs(seen.r - wanted.r) <= tolerance && std::abs(seen.g - wanted.g) <= tolerance &&
      std::abs(seen.b - wanted.b) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "seen (" << seen.r << ", " << seen.g << ", " << seen.b
                                       << "), wanted (" << wanted.r << ", " << wanted.g << ", "
                                       << wanted.b << ")";
}

float cellX(int column) { return 40.0f * float(column) - 560.0f; }
float cellY(int row) { return 480.0f - 40.0f * float(row); }

// The cells of the presets: colour k at column 7 + 2 (k mod 4), row 7 + 2 (k div 4).
int ballColumn(int k) { return 7 + 2 * (k % 4); }
int ballRow(int k) { return 7 + 2 * (k / 4); }

class GameShotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (testReadFile(std::string(ORBEL_DATA_DIR) + "/targa.dat").empty()) {
      GTEST_SKIP() << "no generated data in " << ORBEL_DATA_DIR;
    }
  }
};

}  // namespace

TEST_F(GameShotTest, PresetBallsShowTheirColoursAtTheirCells) {
  const std::string shot = shotPath("GameBalls");
  int status = -1;
  const JsonValue dump = runGame("shot " + shot + "\n", "gl", &status);
  ASSERT_EQ(status, 0);
  const Shot picture = readShot(shot);
  ASSERT_EQ(picture.picture.width, 640);
  for (int k = 0; k < 8; ++k) {
    EXPECT_TRUE(looksLike(picture.at(cellX(ballColumn(k)), cellY(ballRow(k))), kBalls[k]))
        << "colour " << k;
  }
  // An empty cell between them shows its floor.
  EXPECT_TRUE(looksLike(picture.at(cellX(8), cellY(7)), kFloor));
  EXPECT_GT(dump["gfx"]["drawCalls"].integer(), 0);
}

TEST_F(GameShotTest, SelectedBallShowsItsRouteToThePointer) {
  // The red ball at (7, 7) to (11, 8): one step down, then along row 8 (of the two
  // first steps the route takes the one its walk back meets first, on the left).
  // The hammer's tip shows first; a click closes it.
  const std::string shot = shotPath("GameRoute");
  char script[200];
  std::snprintf(script, sizeof script,
                "frames 100\ncell 20 15\ncell 7 7\nmove %.0f %.0f\nframes 3\nshot %s\n",
                cellX(11), cellY(8), shot.c_str());
  int status = -1;
  const JsonValue dump = runGame(script, "gl", &status);
  ASSERT_EQ(status, 0);
  EXPECT_EQ(dump["game"]["selected"].integers(), (std::vector<int64_t>{7, 7}));
  const Shot picture = readShot(shot);
  for (int column = 7; column <= 11; ++column) {
    EXPECT_TRUE(looksLike(picture.at(cellX(column), cellY(8)), kRoute)) << "column " << column;
  }
  EXPECT_TRUE(looksLike(picture.at(cellX(8), cellY(7)), kFloor)) << "off the route";
  EXPECT_TRUE(looksLike(picture.at(cellX(12), cellY(8)), kFloor)) << "past the pointer";
}

TEST_F(GameShotTest, HudShowsScoreLevelLivesHammerAndProgressBar) {
  const std::string shot = shotPath("GameHud");
  int status = -1;
  const JsonValue dump = runGame("shot " + shot + "\n", "gl", &status);
  ASSERT_EQ(status, 0);
  const std::vector<std::string> texts = dump["texts"].strings();
  for (const char* text : {"SCORE", "0", "LEVEL", "1", "LIVES", "MENU"}) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
  }
  EXPECT_EQ(dump["hud"]["cursor"].string, "arrow");
  EXPECT_EQ(dump["hud"]["pendingSquares"].integer(), 1);
  const Shot picture = readShot(shot);
  for (const float x : {316.0f, 346.0f, 376.0f}) {
    EXPECT_TRUE(looksLike(picture.at(x, 55.0f), kHeart)) << "heart at " << x;
  }
  EXPECT_TRUE(looksLike(picture.at(352.0f, -280.0f), kGauge)) << "the empty hammer";
  EXPECT_TRUE(looksLike(picture.at(-371.0f, 100.0f), kBarFrame)) << "the progress bar";
  EXPECT_TRUE(looksLike(picture.at(285.0f, 0.0f), kPanel)) << "the side panel";

  // The recording device draws the same frame.
  const JsonValue recorded = runGame("", "null", &status);
  ASSERT_EQ(status, 0);
  EXPECT_EQ(recorded["texts"], dump["texts"]);
  EXPECT_EQ(recorded["gfx"], dump["gfx"]);
}

TEST_F(GameShotTest, PauseOverlayHidesTheBoardAndTheHud) {
  const std::string shot = shotPath("GamePause");
  int status = -1;
  const JsonValue dump = runGame("key SPACE\nframes 60\nshot " + shot + "\n", "gl", &status);
  ASSERT_EQ(status, 0);
  EXPECT_FALSE(dump["game"]["running"].boolean);
  const std::vector<std::string> texts = dump["texts"].strings();
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[texts.size() - 2], "Press any key or click to carry on");
  EXPECT_EQ(texts.back(), "Take a breather...");
  const Shot picture = readShot(shot);
  EXPECT_FALSE(looksLike(picture.at(cellX(7), cellY(7)), kBalls[0])) << "no ball";
  EXPECT_FALSE(looksLike(picture.at(cellX(8), cellY(7)), kFloor)) << "no floor";
  EXPECT_FALSE(looksLike(picture.at(285.0f, 0.0f), kPanel)) << "no side panel";
}

TEST_F(GameShotTest, LevelCompletePictureMidWayHasFlyingTilesAndNoBalls) {
  const std::string shot = shotPath("GameLevelComplete");
  int status = -1;
  // The developer keys take the last square away; 4 s later the tiles are flying
  // and fading (darker over the black behind them).
  const JsonValue dump =
      runGame("type ZOMPRETH\nframes 2\nkey N\nframes 250\nshot " + shot + "\n", "gl", &status);
  ASSERT_EQ(status, 0);
  const double timer = dump["game"]["levelCompleteTimer"].number;
  EXPECT_LT(timer, 6500.0);
  EXPECT_GT(timer, 1500.0);
  const Shot picture = readShot(shot);
  EXPECT_GT(picture.countGrey(40), 2000) << "the tiles are on their way";
  for (int k = 0; k < 8; ++k) {
    EXPECT_FALSE(looksLike(picture.at(cellX(ballColumn(k)), cellY(ballRow(k))), kBalls[k]))
        << "colour " << k << " is gone";
  }
  EXPECT_FALSE(looksLike(picture.at(285.0f, 0.0f), kPanel)) << "the HUD has slid away";
}
