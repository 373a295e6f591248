// The options and the help screen through the headless runner and the real menus:
// settings changed on the options screen and applied are what the next start
// reads, with the window switched to full screen; the help screen's demonstration
// takes its ball along the route and pops the line within one cycle.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "persistence/settings.h"
#include "test_json.h"
#include "test_support.h"

namespace {

struct ScriptRun {
  int status;
  std::string output;
  std::vector<JsonValue> dumps;
};

ScriptRun runScript(const std::string& data, const std::string& config, const std::string& script) {
  ScriptRun run;
  run.status = testRunScript(data, script, "--seed 5", &run.output,
                             "XDG_CONFIG_HOME='" + config + "'", true);
  run.dumps = testDumps(run.output);
  return run;
}

std::string repeated(const std::string& line, int times) {
  std::string lines;
  for (int i = 0; i < times; ++i) lines += line;
  return lines;
}

// From the title to the options: three steps down on the effects volume, two up
// on the music, five steps faster, the drawn cursor and full screen ticked, apply.
std::string changeOptions() {
  return "frames 5\nkey A\nframes 75\ntype ANNA\nframes 30\nkey ENTER\nframes 45\n"
         "choose Options\nframes 45\n" +
         repeated("click -120 149\nframes 2\n", 3) + repeated("click 120 91\nframes 2\n", 2) +
         repeated("click 120 -75\nframes 2\n", 5) +
         "click -100 -3\nframes 2\nclick -100 44\nframes 2\ndump -\nchoose Apply\nframes 45\n"
         "dump -\n";
}

TEST(OptionsScenario, AppliedOptionsAreWhatTheNextStartReads) {
  const std::string data = testPrivateDataDirectory("options-scenario");
  const std::string config = testTempDirectory("options-scenario-config");
  testRunCommand("rm -rf '" + config + "'/*");
  const ScriptRun first = runScript(data, config, changeOptions());
  ASSERT_EQ(first.status, 0) << first.output;
  ASSERT_EQ(first.dumps.size(), 2u) << first.output;
  EXPECT_FALSE(first.dumps[0]["window"]["fullScreen"].boolean) << "not before apply";
  const JsonValue& applied = first.dumps[1];
  EXPECT_EQ(applied["menu"]["screen"].string, "main");
  EXPECT_TRUE(applied["window"]["fullScreen"].boolean);
  EXPECT_EQ(applied["window"]["clientWidth"].number, 800.0);
  EXPECT_EQ(applied["window"]["clientHeight"].number, 600.0);
  // The start-up question decides the display of the next start (and what it saves),
  // so the stored choice is read from the file this run left.
  const std::vector<uint8_t> stored =
      testReadFile(config + "/software/tarnwick/games/orbelquaint/settings");
  ASSERT_EQ(stored.size(), kSettingsBlobSize);
  EXPECT_EQ(decodeSettingsBlob(stored.data()).fullScreen, 1);

  const ScriptRun second = runScript(data, config, "frames 5\ndump -\n");
  ASSERT_EQ(second.status, 0) << second.output;
  ASSERT_EQ(second.dumps.size(), 1u) << second.output;
  const JsonValue& read = second.dumps[0]["settings"];
  EXPECT_EQ(read["effectsVolume"].number, 87.0);
  EXPECT_EQ(read["musicVolume"].number, 92.0);
  EXPECT_EQ(read["ballSpeed"].number, 65.0);
  EXPECT_EQ(read["customCursor"].number, 1.0);

}

TEST(HelpScenario, TheDemonstrationMovesItsBallAlongTheRouteAndPopsTheLineWithinACycle) {
  const std::string data = testPrivateDataDirectory("help-scenario");
  const std::string config = testTempDirectory("help-scenario-config");
  std::string script =
      "play 0 adventure normal\nframes 30\nkey ESCAPE\nframes 45\nchoose How to play\n";
  script += repeated("frames 10\ndump -\n", 45);  // 45 x 160 ms: more than a cycle
  const ScriptRun run = runScript(data, config, script);
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_EQ(run.dumps.size(), 45u);
  // The route's corners: cell (4, 0), (4, 1), (0, 1) and (0, 2) of the help board.
  const double right = 109.3, left = -50.7, top = 45.0, middle = 5.0, bottom = -35.0;
  int travelling = 0;
  double lastPops = 0.0;
  bool popped = false;
  for (const JsonValue& dump : run.dumps) {
    const JsonValue& help = dump["help"];
    if (dump["menu"]["sliding"].boolean) continue;
    EXPECT_EQ(dump["menu"]["screen"].string, "helpscreen");
    const double t = help["clock"].number, x = help["ball"][0].number, y = help["ball"][1].number;
    if (t >= 3500.0 && t < 4200.0) {
      ++travelling;
      const bool down1 = std::fabs(x - right) < 0.01 && y <= top && y >= middle;
      const bool across = std::fabs(y - middle) < 0.01 && x <= right && x >= left;
      const bool down2 = std::fabs(x - left) < 0.01 && y <= middle && y >= bottom;
      EXPECT_TRUE(down1 || across || down2) << t << ": " << x << ", " << y;
    }
    if (help["pops"].number > lastPops) {
      popped = true;
      EXPECT_GE(t, 4200.0) << "the line pops as the ball arrives";
      EXPECT_EQ(help["lineBalls"].number, 0.0);
      EXPECT_GT(dump["effects"]["particles"].number, 0.0);
    }
    lastPops = help["pops"].number;
  }
  EXPECT_GE(travelling, 3) << "the travel was seen";
  EXPECT_TRUE(popped);
  EXPECT_EQ(lastPops, 1.0) << "once in the cycle";
}

}  // namespace
