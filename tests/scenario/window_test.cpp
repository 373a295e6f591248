// The resizable window through the runner: at window sizes with no bars, bars at
// the sides and bars above and below, the scene keeps 4:3 in the middle, a click at
// a ball's pixel selects it, a click in a bar does nothing and a slider follows
// the pointer's drag; the window's size and full screen are what the next start
// finds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "test_json.h"
#include "test_support.h"

namespace {

struct Size {
  int width, height;
};
constexpr Size kSizes[] = {{640, 480}, {1280, 800}, {1024, 1024}, {2560, 1440}};

std::vector<JsonValue> run(const std::string& data, const std::string& config,
                           const std::string& script) {
  std::string output;
  const int status = testRunScript(data, script, "--seed 5", &output,
                                   "XDG_CONFIG_HOME='" + config + "'", true);
  EXPECT_EQ(status, 0) << output;
  return testDumps(output);
}

std::string resize(const Size& s) {
  return "resize " + std::to_string(s.width) + " " + std::to_string(s.height) + "\nframes 1\n";
}

// The window pixel of an overlay point, through the scene's rectangle as dumped.
std::string pixel(const JsonValue& window, float x, float y) {
  const std::vector<int64_t> v = window["viewport"].integers();
  return std::to_string(int(float(v[0]) + (x + 400.0f) * float(v[2]) / 800.0f)) + " " +
         std::to_string(int(float(v[1]) + (300.0f - y) * float(v[3]) / 600.0f));
}

TEST(WindowScenario, ClicksAndDragsLandWhereTheSceneIsDrawnAtEverySize) {
  const std::string data = testPrivateDataDirectory("window-scenario");
  const std::string config = testTempDirectory("window-scenario-config");
  std::string sizes;
  for (const Size& s : kSizes) sizes += resize(s) + "dump -\n";
  const std::vector<JsonValue> windows = run(data, config, sizes);
  ASSERT_EQ(windows.size(), 4u);
  // Balls of the first level with this seed, one for each size (column, row).
  const int balls[4][2] = {{11, 11}, {12, 11}, {13, 12}, {11, 14}};
  // Two presses off the board first: the level's tip and help take a new player's first.
  std::string board =
      "play 1 adventure\nframes 160\nclick -390 290\nframes 2\nclick -390 290\nframes 2\n";
  std::string options = "frames 5\nkey A\nframes 75\nchoose Options\nframes 45\n";
  for (int i = 0; i < 4; ++i) {
    const JsonValue& w = windows[i]["window"];
    const std::vector<int64_t> v = w["viewport"].integers();
    const int64_t width = w["drawableWidth"].integer(), height = w["drawableHeight"].integer();
    EXPECT_LE(std::abs(v[2] * 3 - v[3] * 4), 4) << "4:3 within a pixel: " << w.text();
    EXPECT_LE(std::abs(width - v[2] - 2 * v[0]), 1) << "centred: " << w.text();
    EXPECT_LE(std::abs(height - v[3] - 2 * v[1]), 1) << "centred: " << w.text();
    EXPECT_TRUE(v[2] == width || v[3] == height) << "as large as fits: " << w.text();
    const float x = float(40 * balls[i][0] - 560), y = float(480 - 40 * balls[i][1]);
    // A press in the top-left corner lands in a bar, or on the scene when it has none.
    board += resize(kSizes[i]) + "clickpx " + pixel(w, x, y) + "\nframes 2\ndump -\n" +
             "clickpx 3 3\nframes 2\ndump -\n";
    // The effects volume's slider (160 units wide at y 149) dragged to a new place.
    const std::string to = pixel(w, -60.0f + 40.0f * float(i), 149);
    options += resize(kSizes[i]) + "presspx " + pixel(w, 0, 149) + "\nframes 2\nmovepx " + to +
               "\nframes 2\nreleasepx " + to + "\nframes 2\ndump -\n";
  }
  EXPECT_GT(windows[1]["window"]["viewport"][0].integer(), 0) << "bars at the sides";
  EXPECT_GT(windows[2]["window"]["viewport"][1].integer(), 0) << "bars above and below";

  const std::vector<JsonValue> clicks = run(data, config, board);
  const std::vector<JsonValue> drags = run(data, config, options);
  ASSERT_EQ(clicks.size(), 8u);
  ASSERT_EQ(drags.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    const std::vector<int64_t> selected = clicks[2 * i]["game"]["selected"].integers();
    EXPECT_EQ(selected, (std::vector<int64_t>{balls[i][0], balls[i][1]})) << kSizes[i].width;
    const std::vector<int64_t> after = clicks[2 * i + 1]["game"]["selected"].integers();
    EXPECT_EQ(after == selected, i > 0) << "only the first size has no bars to click";
    const int position = std::atoi(drags[i]["menu"]["items"][0]["text"].string.c_str());
    EXPECT_NEAR(position, 12 + 25 * i, 1) << "the slider under the pointer: " << drags[i].text();
  }
}

TEST(WindowScenario, TheSizeAndFullScreenAreWhatTheNextStartFinds) {
  const std::string data = testPrivateDataDirectory("window-restart");
  const std::string config = testTempDirectory("window-restart-config");
  run(data, config, "resize 1024 700\nframes 2\nkey F11\nframes 2\n");
  const std::vector<JsonValue> next =
      run(data, config, "frames 2\ndump -\nkey ALT+ENTER\nframes 2\ndump -\n");
  ASSERT_EQ(next.size(), 2u);
  EXPECT_TRUE(next[0]["window"]["fullScreen"].boolean) << next[0]["window"].text();
  EXPECT_EQ(next[0]["settings"]["fullScreen"].integer(), 1) << "the stored setting";
  const JsonValue& back = next[1]["window"];
  EXPECT_FALSE(back["fullScreen"].boolean);
  EXPECT_EQ(back["clientWidth"].integer(), 1024) << back.text();
  EXPECT_EQ(back["clientHeight"].integer(), 700) << back.text();
}

}  // namespace
