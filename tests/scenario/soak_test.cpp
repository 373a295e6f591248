// The soak in short: random play from a fixed seed over two runs of the runner, the
// first ended by the window's close, the second starting from what it saved.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "test_support.h"

namespace {

struct SoakRun {
  int status;
  std::string output;
};

SoakRun soakRun(const std::string& data, const std::string& command) {
  SoakRun run;
  run.status = testRunScript(data, command + "\n", "--seed 6", &run.output, "", true);
  return run;
}

// The frame a "soak restart FRAME ..." or "soak end FRAME" line names; -1 when none.
long endFrame(const std::string& output, const char* kind) {
  const std::string mark = std::string("soak ") + kind + " ";
  const size_t at = output.find(mark);
  return at == std::string::npos ? -1 : std::atol(output.c_str() + at + mark.size());
}

TEST(Soak, FiveThousandFramesOverARestartRunCleanAndKeepWhatWasSaved) {
  const std::string data = testPrivateDataDirectory("soak-data");
  const SoakRun first = soakRun(data, "soak 5000 0 2000");
  ASSERT_EQ(first.status, 0) << first.output;
  const long closedAt = endFrame(first.output, "restart");
  ASSERT_GT(closedAt, 0) << "the first run ends with a close: " << first.output;
  EXPECT_GE(testCountOf(first.output, "soak memory "), 1) << first.output;

  // Later runs go on from where the last one ended; a run the random play ends by
  // answering the quit question is one more restart, not a fault.
  long at = closedAt;
  for (int runs = 1; runs < 6 && at < 5000; ++runs) {
    const std::string rest = std::to_string(5000 - at) + " " + std::to_string(at);
    const SoakRun next = soakRun(data, "soak " + rest + " 0");
    ASSERT_EQ(next.status, 0) << next.output;
    EXPECT_EQ(testCountOf(next.output, "soak stop"), 0) << next.output;
    const long ended = endFrame(next.output, "end");
    at = ended > 0 ? ended : endFrame(next.output, "restart");
    ASSERT_GT(at, 0) << next.output;
  }
  EXPECT_EQ(at, 5000);
}

// The lines of the output that start with `prefix`, in order.
std::string linesStarting(const std::string& output, const std::string& prefix) {
  std::string lines;
  size_t at = output.find(prefix);
  for (; at != std::string::npos; at = output.find(prefix, at + 1)) {
    if (at > 0 && output[at - 1] != '\n') continue;
    lines += output.substr(at, output.find('\n', at) - at) + "\n";
  }
  return lines;
}

// A stop is worth only what can be played again: the same seed over the same
// files plays the same game (scenes and screens frame for frame), another seed
// another one; a bad count is refused before anything runs.
TEST(Soak, TheSameSeedPlaysTheSameGame) {
  std::string outputs[3];
  const char* seeds[3] = {"--seed 9", "--seed 9", "--seed 10"};
  const char* folders[3] = {"soak-a", "soak-b", "soak-c"};
  for (int i = 0; i < 3; ++i) {
    const std::string data = testPrivateDataDirectory(folders[i]);
    std::string output;
    ASSERT_EQ(testRunScript(data, "soak 3000 0 0\n", seeds[i], &output), 0) << output;
    outputs[i] = linesStarting(output, "soak scenes") + linesStarting(output, "soak screens");
  }
  ASSERT_FALSE(outputs[0].empty());
  EXPECT_EQ(outputs[0], outputs[1]);
  EXPECT_NE(outputs[0], outputs[2]);
  const std::string data = testPrivateDataDirectory("soak-a");
  std::string output;
  EXPECT_EQ(testRunScript(data, "soak many\n", "", &output), 2);
  EXPECT_EQ(testRunScript(data, "soak 10 -1\n", "", &output), 2);
}

// The check across a restart sees a player file that did not come back.
TEST(Soak, AProfileLostAcrossTheRestartStopsTheSoak) {
  const std::string data = testPrivateDataDirectory("soak-lost-data");
  const SoakRun first = soakRun(data, "soak 3000 0 1000");
  ASSERT_EQ(first.status, 0) << first.output;
  const long closedAt = endFrame(first.output, "restart");
  ASSERT_GT(closedAt, 0) << first.output;
  ASSERT_EQ(std::remove((data + "/settings/profiles.dat").c_str()), 0);

  const SoakRun second = soakRun(data, "soak 100 " + std::to_string(closedAt) + " 0");
  EXPECT_EQ(second.status, 2) << second.output;
  EXPECT_NE(second.output.find("what the last run kept is not what this run read"),
            std::string::npos)
      << second.output;
  EXPECT_FALSE(testReadFile(data + "/soak-stop.json").empty()) << "a dump of the stop";
}

}  // namespace
