// The game's sound as the headless runner sees it: the title music from the
// first frame on, and the audio section of its dump.
#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace {

std::string runScript(const std::string& script, int* status) {
  const std::string data = testPrivateDataDirectory("audio-runner-data");
  const std::string dir = testTempDirectory("audio-runner-script");
  testWriteFile(dir + "/script.txt", script);
  std::string output;
  *status = testRunCommand(testToolPath("script") + " --data '" + data + "' '" + dir +
                               "/script.txt' 2>/dev/null",
                           &output);
  return output;
}

TEST(AudioRunner, TheTitleMusicStartsOnTheFirstFrameAndStaysIntoTheMenus) {
  int status = -1;
  const std::string out =
      runScript("frames 1\ndump -\nkey SPACE\nframes 70\ndump -\n", &status);
  ASSERT_EQ(status, 0) << out;
  const std::string title = "\"audio\":{\"currentOrder\":29,\"pendingOrder\":29,\"started\":[]}";
  const size_t first = out.find(title);
  ASSERT_NE(first, std::string::npos) << out;
  const size_t menus = out.find("\"scene\":\"map\"");
  ASSERT_NE(menus, std::string::npos) << out;
  EXPECT_NE(out.find(title, menus), std::string::npos) << out;
}

}  // namespace
