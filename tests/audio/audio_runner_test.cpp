// The game's sound as the headless runner sees it: the title music from the
// first frame on, and the audio section of its dump.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "test_json.h"
#include "test_support.h"

namespace {

std::string runScript(const std::string& script, int* status) {
  std::string output;
  *status = testRunScript(testPrivateDataDirectory("audio-runner-data"), script, "", &output);
  return output;
}

TEST(AudioRunner, TheTitleMusicStartsOnTheFirstFrameAndStaysIntoTheMenus) {
  int status = -1;
  const std::string out =
      runScript("frames 1\ndump -\nkey SPACE\nframes 70\ndump -\n", &status);
  ASSERT_EQ(status, 0) << out;
  const std::vector<JsonValue> dumps = testDumps(out);
  ASSERT_EQ(dumps.size(), 2u) << out;
  JsonValue title;
  ASSERT_TRUE(parseJson(R"({"currentOrder":29,"pendingOrder":29,"started":[]})", &title));
  EXPECT_EQ(dumps[0]["audio"], title);
  EXPECT_EQ(dumps[1]["scene"].string, "map");
  EXPECT_EQ(dumps[1]["audio"], title);
}

// The title through a real (file-writing) sound device: the mix that reaches the
// device carries the title music.
TEST(AudioRunner, TheTitleMixReachesARealDevice) {
  const std::string dir = testTempDirectory("audio-disk");
  std::string output;
  const int status = testRunScript(testPrivateDataDirectory("audio-disk-data"),
                                   "frames 2\nsleep 1500\nframes 2\n", "", &output,
                                   "SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE='" + dir + "/out.raw'");
  ASSERT_EQ(status, 0);
  const std::vector<uint8_t> raw = testReadFile(dir + "/out.raw");
  ASSERT_GT(raw.size(), 44100u);  // more than a quarter second of 16-bit stereo
  int peak = 0;
  for (size_t i = 0; i + 1 < raw.size(); i += 2) {
    const int sample = int16_t(uint16_t(raw[i] | raw[i + 1] << 8));
    peak = std::max(peak, std::abs(sample));
  }
  EXPECT_GT(peak, 1000);
}

// No sound device at all: the title runs silently.
TEST(AudioRunner, WithoutAnyDeviceTheTitleStillRuns) {
  std::string out;
  const int status = testRunScript(testPrivateDataDirectory("audio-none-data"),
                                   "frames 30\ndump -\n", "", &out,
                                   "SDL_AUDIODRIVER=no-such-driver");
  EXPECT_EQ(status, 0);
  const std::vector<JsonValue> dumps = testDumps(out);
  ASSERT_EQ(dumps.size(), 1u) << out;
  EXPECT_EQ(dumps[0]["scene"].string, "loading");
}

}  // namespace
