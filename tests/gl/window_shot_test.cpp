// The title drawn on real GL in windows of four sizes: the scene fills the largest
// 4:3 area in the middle with black bars around it, and its text stays sharp when
// the scene is enlarged (the font's twice-size atlas): its letters' edges are
// narrower, in scene units, at 2.4 screen pixels per unit than at 0.8.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "test_json.h"
#include "test_support.h"

namespace {

struct Shot {
  Picture picture;
  std::vector<int64_t> viewport;  // x, y from the top, width, height
  const uint8_t* at(int x, int y) const {
    return &picture.rgba[(size_t(y) * size_t(picture.width) + size_t(x)) * 4];
  }
  // Overlay units to the picture's pixels.
  int px(float x) const {
    return int(float(viewport[0]) + (x + 400.0f) * float(viewport[2]) / 800.0f);
  }
  int py(float y) const {
    return int(float(viewport[1]) + (300.0f - y) * float(viewport[3]) / 600.0f);
  }
};

bool black(const uint8_t* p) { return p[0] == 0 && p[1] == 0 && p[2] == 0; }

// The mean width in pixels of the letters' edges in "Press any key...": along each
// row, every rise of the darkest channel by 80 or more counts the pixels between
// 10 % and 90 % of the way up (whatever the text's pulse has made its brightness).
double letterEdgeWidth(const Shot& s) {
  int rises = 0, widths = 0;
  const int left = s.px(-100.0f), right = s.px(120.0f);
  for (int y = s.py(-250.0f); y < s.py(-285.0f); ++y) {
    auto dark = [&](int x) {
      const uint8_t* p = s.at(x, y);
      return int(std::min({p[0], p[1], p[2]}));
    };
    for (int x = left; x + 1 < right; ++x) {
      int top = x;
      while (top + 1 < right && dark(top + 1) > dark(top)) ++top;
      const int low = dark(x), rise = dark(top) - low;
      if (rise >= 80) {
        ++rises;
        for (int k = x; k <= top; ++k) {
          widths += dark(k) * 10 > low * 10 + rise && dark(k) * 10 < low * 10 + rise * 9;
        }
      }
      x = std::max(x, top - 1);
    }
  }
  return rises ? double(widths) / rises : 99.0;
}

TEST(WindowShots, TheSceneIsCentredBetweenBlackBarsAndItsTextSharpAtEverySize) {
  if (testReadFile(std::string(ORBEL_DATA_DIR) + "/loadscreen.jpg").empty()) {
    GTEST_SKIP() << "no generated data in " << ORBEL_DATA_DIR;
  }
  const std::string data = testPrivateDataDirectory("window-shots");
  const std::string dir = std::string(ORBEL_BUILD_DIR) + "/gl-shots/";
  const int sizes[4][2] = {{640, 480}, {1280, 800}, {1024, 1024}, {2560, 1440}};
  std::string script = "frames 100\n";
  for (const auto& s : sizes) {
    const std::string size = std::to_string(s[0]) + "x" + std::to_string(s[1]);
    script += "resize " + std::to_string(s[0]) + " " + std::to_string(s[1]) +
              "\nframes 2\ndump -\nshot " + dir + "Window" + size + ".png\n";
  }
  std::string output;
  ASSERT_EQ(testRunScript(data, script, "--gfx gl", &output,
                          "XDG_CONFIG_HOME='" + testTempDirectory("window-shots-config") + "'",
                          true),
            0)
      << output;
  const std::vector<JsonValue> dumps = testDumps(output);
  ASSERT_EQ(dumps.size(), 4u) << output;
  std::vector<double> edges;  // in overlay units
  for (int i = 0; i < 4; ++i) {
    Shot s;
    const std::vector<uint8_t> png = testReadFile(dir + "Window" + std::to_string(sizes[i][0]) +
                                                  "x" + std::to_string(sizes[i][1]) + ".png");
    ASSERT_TRUE(picDecode(png.data(), png.size(), &s.picture));
    ASSERT_EQ(s.picture.width, sizes[i][0]) << "the whole drawable";
    ASSERT_EQ(s.picture.height, sizes[i][1]);
    s.viewport = dumps[i]["window"]["viewport"].integers();
    const int64_t left = s.viewport[0], top = s.viewport[1];
    const int64_t right = left + s.viewport[2], bottom = top + s.viewport[3];
    EXPECT_FALSE(black(s.at(s.picture.width / 2, s.picture.height / 2))) << sizes[i][0];
    // The scene reaches its rectangle's edges: the title picture has no black there.
    EXPECT_FALSE(black(s.at(int(left), int(bottom) - 1))) << sizes[i][0];
    EXPECT_FALSE(black(s.at(int(right) - 1, int(top)))) << sizes[i][0];
    EXPECT_TRUE(left == 0 || (black(s.at(int(left) - 1, 0)) && black(s.at(int(right), 0))));
    EXPECT_TRUE(top == 0 || (black(s.at(0, int(top) - 1)) && black(s.at(0, int(bottom)))));
    edges.push_back(letterEdgeWidth(s) * 800.0 / double(s.viewport[2]));
  }
  // The small atlas stretched to 2.4x would blur them to about 1.2 units.
  EXPECT_LT(edges[3], edges[0]) << "2.4x against 0.8x: " << edges[3] << " " << edges[0];
}

}  // namespace
