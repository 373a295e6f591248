// Effects and the module loaded ahead on the decode worker: only the header is
// checked when a file is handed over, the sound then behaves exactly as one loaded
// at once, a body that turns out damaged plays nothing, and the output can be
// freed while files are still queued.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio_fixtures.h"
#include "platform/sound_output.h"

namespace {

std::vector<uint8_t> bytesOf(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

class SoundDecodeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(soundInit(false), SoundOutputKind::Null);
    soundStart();
  }
  void TearDown() override { soundFree(); }

  // What `sample` sounds like on its own, played at its rate.
  static std::vector<int16_t> playAlone(uint32_t sample) {
    soundStop();
    soundStart();
    soundSamplePlay(sample, -1, -1, false);
    return renderFrames(3000);
  }

  const std::string ogg_ = encodeOggVorbis(makeSine(441.0, 44100, 4410, 8000), 44100);
};

TEST_F(SoundDecodeTest, SamplesDecodedAheadSoundAsOnesDecodedAtOnce) {
  const uint32_t atOnce = soundSampleLoadMemory(ogg_.data(), ogg_.size(), 4);
  // Enough files that the worker is still busy with some when they are asked for.
  std::vector<uint32_t> ahead;
  for (int i = 0; i < 12; ++i) ahead.push_back(soundSampleLoadAhead(bytesOf(ogg_), 4));
  for (uint32_t sample : ahead) ASSERT_NE(sample, 0u);
  uint32_t frames = 0;
  int32_t rate = 0, channels = 0;
  ASSERT_TRUE(soundSampleInfo(ahead.back(), &frames, &rate, &channels));
  EXPECT_EQ(frames, 4410u);
  EXPECT_EQ(rate, 44100);
  EXPECT_EQ(channels, 1);
  const std::vector<int16_t> expected = playAlone(atOnce);
  EXPECT_GT(rootMeanSquare(expected), 1000.0);
  EXPECT_EQ(playAlone(ahead.front()), expected);
  EXPECT_EQ(playAlone(ahead[6]), expected);
  EXPECT_TRUE(soundSampleFree(ahead[3]));
  EXPECT_EQ(soundSamplePlay(ahead[3], -1, -1, false), 0u);
}

TEST_F(SoundDecodeTest, OnlyTheFirstPageIsCheckedAndADamagedBodyPlaysNothing) {
  EXPECT_EQ(soundSampleLoadAhead(bytesOf("OggS this is not a sound at all"), 4), 0u);
  EXPECT_EQ(soundSampleLoadAhead({}, 4), 0u);
  std::string threeChannels = ogg_;
  threeChannels[27 + uint8_t(ogg_[26]) + 11] = 3;  // the identification header's count
  EXPECT_EQ(soundSampleLoadAhead(bytesOf(threeChannels), 4), 0u);
  // The first page is whole, the rest is cut off: accepted now, silent later.
  const uint32_t cut = soundSampleLoadAhead(bytesOf(ogg_.substr(0, 60)), 4);
  ASSERT_NE(cut, 0u);
  EXPECT_EQ(soundSamplePlay(cut, -1, -1, false), 0u);
  EXPECT_FALSE(soundSampleInfo(cut, nullptr, nullptr, nullptr));
  EXPECT_EQ(rootMeanSquare(renderFrames(1000)), 0.0);
  // Its slot went back to the table: a good file still loads.
  EXPECT_NE(soundSampleLoadAhead(bytesOf(ogg_), 4), 0u);
}

// The module goes ahead of the effects queued before it; what is set while it is
// loading holds once it plays.
TEST_F(SoundDecodeTest, MusicLoadedAheadKeepsWhatWasSetMeanwhileAndPlaysWhenAsked) {
  const std::string module = makeTrackerModule(8);
  const uint32_t atOnce = soundMusicLoadMemory(module.data(), module.size());
  ASSERT_TRUE(soundMusicPlay(atOnce, 5, true));
  const double rendered = rootMeanSquare(renderFrames(4000));
  ASSERT_GT(rendered, 50.0);

  for (int i = 0; i < 6; ++i) soundSampleLoadAhead(bytesOf(ogg_), 4);
  const uint32_t music = soundMusicLoadAhead(bytesOf(module));
  ASSERT_NE(music, 0u);
  EXPECT_EQ(soundMusicOrder(atOnce), -1) << "the module before it is gone";
  EXPECT_TRUE(soundMusicSetAmplify(music, 100));
  EXPECT_TRUE(soundChannelSetVolume(music, 50));
  EXPECT_EQ(soundChannelIsActive(music), kSoundStopped);
  ASSERT_TRUE(soundMusicPlay(music, 5, true));
  EXPECT_EQ(soundMusicOrder(music), 5);
  EXPECT_EQ(soundChannelVolume(music), 50);
  // Twice as loud by amplification, half by the channel volume.
  EXPECT_NEAR(rootMeanSquare(renderFrames(4000)), rendered, 0.02 * rendered);

  EXPECT_EQ(soundMusicLoadAhead(bytesOf("not a module")), 0u);
  EXPECT_EQ(soundMusicLoadAhead({}), 0u);
}

// Freeing the output lets the worker finish the file in hand and drops the rest;
// the next output starts clean and old handles name nothing.
TEST_F(SoundDecodeTest, TheOutputCanBeFreedWhileFilesAreQueued) {
  std::vector<uint32_t> samples;
  for (int i = 0; i < 30; ++i) samples.push_back(soundSampleLoadAhead(bytesOf(ogg_), 4));
  const uint32_t music = soundMusicLoadAhead(bytesOf(makeTrackerModule(4)));
  soundFree();
  ASSERT_EQ(soundInit(false), SoundOutputKind::Null);
  soundStart();
  EXPECT_EQ(soundSamplePlay(samples.back(), -1, -1, false), 0u);
  EXPECT_FALSE(soundMusicPlay(music, 0, true));
  const uint32_t again = soundSampleLoadAhead(bytesOf(ogg_), 4);
  EXPECT_NE(soundSamplePlay(again, -1, -1, false), 0u);
}

}  // namespace
