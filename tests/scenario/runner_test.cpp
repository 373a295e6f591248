// The headless runner end to end: scripts, exit codes and dumps over the
// generated data.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/scene.h"
#include "persistence/settings.h"
#include "persistence/window_file.h"
#include "platform/platform.h"
#include "resources/resources.h"
#include "test_json.h"
#include "test_support.h"

namespace {

struct RunResult {
  int status;
  std::string output;
};

RunResult runScript(const std::string& data, const std::string& script,
                    const std::string& options = "") {
  RunResult result;
  result.status = testRunScript(data, script, options, &result.output, "", true);
  return result;
}

TEST(Runner, FramesThenDumpReportsTheLoadingScene) {
  const std::string data = testPrivateDataDirectory("runner-data");
  const RunResult r = runScript(data, "frames 3\ndump -\n");
  ASSERT_EQ(r.status, 0) << r.output;
  const std::vector<JsonValue> dumps = testDumps(r.output);
  ASSERT_EQ(dumps.size(), 1u) << r.output;
  EXPECT_EQ(dumps[0]["frame"].integer(), 3);
  EXPECT_EQ(dumps[0]["scene"].string, "loading");
  EXPECT_EQ(dumps[0]["clock"]["frameDeltaMs"].integer(), 16);
}

TEST(Runner, AKeyOnTheTitleLeadsToTheMapAfterTheFade) {
  const std::string data = testPrivateDataDirectory("runner-data");
  const RunResult r =
      runScript(data, "frames 2\nkey SPACE\nframes 10\ndump -\nframes 60\ndump -\n", "--delta 20");
  ASSERT_EQ(r.status, 0) << r.output;
  const std::vector<JsonValue> dumps = testDumps(r.output);
  ASSERT_EQ(dumps.size(), 2u) << r.output;
  EXPECT_EQ(dumps[0]["scene"].string, "loading");
  EXPECT_EQ(dumps[1]["frame"].integer(), 72);
  EXPECT_EQ(dumps[1]["scene"].string, "map");
}

TEST(Runner, TheLanguageFollowsTheEnvironmentAndTheCommandLine) {
  const std::string script = "frames 5\nkey A\nframes 75\ntype ANNA\nkey ENTER\nframes 60\n"
                             "dump -\n";
  const std::string german = "LANGUAGE= LC_ALL= LC_MESSAGES= LANG=de_DE.UTF-8";
  for (const char* options : {"", "--lang fr"}) {
    // A data folder of its own for each: the first run keeps its new player.
    const std::string data = testPrivateDataDirectory(options[0] ? "runner-fr" : "runner-de");
    std::string output;
    ASSERT_EQ(testRunScript(data, script, options, &output, german, true), 0) << output;
    const std::vector<JsonValue> dumps = testDumps(output);
    ASSERT_EQ(dumps.size(), 1u) << output;
    EXPECT_EQ(dumps[0]["language"].string, options[0] ? "fr" : "de");
    EXPECT_EQ(dumps[0]["menu"]["items"][0]["text"].string,
              options[0] ? "Aventure" : "Abenteuer");
  }
}

TEST(Runner, KeyNamesAreReadInAnyCase) {
  const std::string data = testPrivateDataDirectory("runner-data");
  const RunResult upper = runScript(data, "frames 2\nkey SPACE\nframes 10\ndump -\n");
  const RunResult lower = runScript(data, "frames 2\nkey space\nframes 10\ndump -\n");
  ASSERT_EQ(upper.status, 0) << upper.output;
  EXPECT_EQ(lower.status, 0) << lower.output;
  EXPECT_EQ(lower.output, upper.output);
  EXPECT_EQ(runScript(data, "key Escape\nkey enter\nkey Left\n").status, 0);
}

TEST(Runner, DumpsAreTheSameForTheSameSeed) {
  const std::string data = testPrivateDataDirectory("runner-data");
  const std::string script = "frames 5\nclick 10 20\nframes 5\ndump -\n";
  const RunResult a = runScript(data, script, "--seed 7");
  const RunResult b = runScript(data, script, "--seed 7");
  ASSERT_EQ(a.status, 0) << a.output;
  EXPECT_EQ(a.output, b.output);
}

TEST(Runner, BadScriptsExitWithTwoBeforeRunning) {
  const std::string data = testPrivateDataDirectory("runner-data");
  EXPECT_EQ(runScript(data, "frames 1\nfly away\n").status, 2);
  EXPECT_EQ(runScript(data, "frames many\n").status, 2);
  EXPECT_EQ(runScript(data, "key F13\n").status, 2);
  EXPECT_EQ(runScript(data, "click 1\n").status, 2);
  const RunResult r = runScript(data, "frames 1\n", "--gfx vulkan");
  EXPECT_EQ(r.status, 2);
}

TEST(Runner, MissingDataStopsTheProgramWithExitOne) {
  const std::string empty = testTempDirectory("runner-empty-data");
  const RunResult r = runScript(empty, "frames 1\n");
  EXPECT_EQ(r.status, 1) << r.output;
  EXPECT_NE(r.output.find("Can't load"), std::string::npos) << r.output;
}

TEST(Runner, CloseEndsTheLoopAndTheScriptStillCompletes) {
  const std::string data = testPrivateDataDirectory("runner-data");
  const RunResult r = runScript(data, "frames 2\nclose\nframes 5\ndump -\n");
  ASSERT_EQ(r.status, 0) << r.output;
  const std::vector<JsonValue> dumps = testDumps(r.output);
  ASSERT_EQ(dumps.size(), 1u) << r.output;
  EXPECT_EQ(dumps[0]["frame"].integer(), 2);
}

// The game itself: windowed on the headless display, one instance at a time,
// ended by a signal as a session's end would.
TEST(Game, ASecondInstanceSaysSoAndFailsAtOnceAndTheFirstEndsCleanly) {
  // The game finds "Data" in its working directory: a private copy, so what it
  // saves at the end stays out of the build's data.
  const std::string dir = testTempDirectory("game-instance");
  const std::string data = testPrivateDataDirectory("game-instance-data");
  testRunCommand("ln -s '" + data + "' '" + dir + "/Data'");
  const std::string game = std::string(ORBEL_BUILD_DIR) + "/orbelquaint";
  const std::string script =
      "cd '" + dir + "'\n"
      "export XDG_RUNTIME_DIR='" + dir + "'\n"
      "'" + game + "' > '" + dir + "/first.log' 2>&1 &\n"
      "pid=$!\n"
      "for i in $(seq 1 100); do [ -e '" + dir + "/Orbelquaint game.lock' ] && break; sleep 0.1; done\n"
      "sleep 1\n"
      "timeout -s KILL 20 '" + game + "'; echo \"second=$?\"\n"
      "kill -0 $pid && echo running\n"
      "kill -TERM $pid\n"
      "wait $pid; echo \"first=$?\"\n";
  testWriteFile(dir + "/run.sh", script);
  std::string out;
  testRunCommand("timeout -s KILL 60 bash '" + dir + "/run.sh' 2>&1", &out);
  // The second copy says why it ends, and ends with a status that says it failed.
  EXPECT_NE(out.find("another copy of the game is already running; this one ends\nsecond=3"),
            std::string::npos) << out;
  EXPECT_NE(out.find("running"), std::string::npos) << out;
  EXPECT_NE(out.find("first=0"), std::string::npos) << out;
}

// Graphics the driver cannot give: the player reads why, and the exit says it failed.
TEST(Game, GraphicsThatCannotBeStartedEndTheGameWithAFailure) {
  const std::string dir = testTempDirectory("game-no-gl");
  const std::string data = testPrivateDataDirectory("game-no-gl-data");
  std::string out;
  const int status = testRunCommand(
      "cd '" + dir + "' && XDG_RUNTIME_DIR='" + dir + "' MESA_GL_VERSION_OVERRIDE=3.0 "
      "timeout -s KILL 30 '" + std::string(ORBEL_BUILD_DIR) + "/orbelquaint' --window --data '" +
      data + "' 2>&1; echo \"status=$?\"", &out);
  ASSERT_EQ(status, 0) << out;
  EXPECT_NE(out.find("OpenGL 3.3"), std::string::npos) << out;
  EXPECT_NE(out.find("status=1"), std::string::npos) << out;
}

}  // namespace

namespace {

// Start-up reports what fills the loading bar to its end (to one pixel of its 310:
// the data tool pads the packs to the total, counting the loose files start-up
// reads) and draws loading frames as the files come; files read later, in the
// middle of a frame, report nothing and draw none.
TEST(Startup, ProgressFillsTheBarAndOnlyStartUpDrawsLoadingFrames) {
  const std::string data = testPrivateDataDirectory("startup-data");
  AppOptions options;
  options.graphics = AppGraphics::Null;
  options.fullScreenAnswer = AppFullScreenAnswer::No;
  options.takeInstanceLock = false;
  options.dataDirectory = data.c_str();
  int exitCode = -1;
  ASSERT_TRUE(appStart(options, &exitCode));
  EXPECT_NEAR(double(loadingState.loadedBytes), double(expectedLoadBytes),
              double(expectedLoadBytes) / 310.0);
  EXPECT_GT(loadingState.progressSteps, 100u);
  EXPECT_LE(loadingState.progressFrames, loadingState.progressSteps);
  const uint32_t stepsAfterStart = loadingState.progressSteps;
  const uint32_t framesAfterStart = loadingState.progressFrames;
  uint32_t size = 0;
  ASSERT_NE(loadFile("animbacks/level3.lev", &size, true), nullptr);
  EXPECT_EQ(loadingState.progressSteps, stepsAfterStart);
  EXPECT_EQ(loadingState.progressFrames, framesAfterStart);
  appShutdown();
}

// The full-screen question is the first run's: the answer is kept, and later starts
// take the stored setting without asking; --window never asks.
TEST(Startup, TheFullScreenQuestionIsAskedOnTheFirstRunOnly) {
  static int questions = 0;
  questions = 0;
  sysSetMessageBoxHandler([](const char* text, const char*, SysMsgButtons) {
    if (std::string(text).find("Fullscreen") != std::string::npos) ++questions;
    return SysMsgAnswer::No;
  });
  const std::string windowFile = sysRegistryPath(kSettingsKey, kWindowValueName);
  std::remove(windowFile.c_str());
  const std::string data = testPrivateDataDirectory("question-data");
  AppOptions options;
  options.graphics = AppGraphics::Null;
  options.takeInstanceLock = false;
  options.dataDirectory = data.c_str();
  auto start = [&](AppFullScreenAnswer answer) {
    options.fullScreenAnswer = answer;
    int exitCode = -1;
    ASSERT_TRUE(appStart(options, &exitCode));
    appShutdown();
  };
  start(AppFullScreenAnswer::No);
  EXPECT_EQ(questions, 0) << "--window decides without asking";
  std::remove(windowFile.c_str());
  start(AppFullScreenAnswer::Ask);
  EXPECT_EQ(questions, 1);
  start(AppFullScreenAnswer::Ask);
  start(AppFullScreenAnswer::Ask);
  EXPECT_EQ(questions, 1) << "asked again on a later run";
  sysSetMessageBoxHandler(nullptr);
  std::remove(windowFile.c_str());
}

}  // namespace
