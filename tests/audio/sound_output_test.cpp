// The sound output on the null output: what the mixer makes of samples, rates,
// volumes, pausing and the music module; decoding, at once and ahead on the decode
// worker; and the device fallback.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "audio_fixtures.h"
#include "platform/sound_output.h"

namespace {

class SoundOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(soundInit(false), SoundOutputKind::Null);
    soundStart();
  }
  void TearDown() override { soundFree(); }

  // A mono sample holding one value throughout.
  static uint32_t constantSample(int16_t value, uint32_t frames, int32_t maxPlaybacks = 8) {
    const std::vector<int16_t> pcm(frames, value);
    return soundSampleLoadPcm(pcm.data(), frames, 1, kSoundOutputRate, maxPlaybacks);
  }
  // The left side of the first frame mixed after the last change.
  static int16_t frameAfterChange() {
    skipMixLatency();
    return renderFrames(1)[0];
  }
  // A mono sample whose frame i holds i.
  static uint32_t rampSample(uint32_t frames) {
    std::vector<int16_t> pcm(frames);
    for (uint32_t i = 0; i < frames; ++i) pcm[i] = int16_t(i);
    return soundSampleLoadPcm(pcm.data(), frames, 1, kSoundOutputRate, 8);
  }
};

TEST_F(SoundOutputTest, ASampleAtTwiceItsRateSoundsAnOctaveUp) {
  const std::vector<int16_t> sine = makeSine(441.0, kSoundOutputRate, 44100, 10000);
  const uint32_t sample = soundSampleLoadPcm(sine.data(), 44100, 1, kSoundOutputRate, 4);
  ASSERT_NE(sample, 0u);

  soundSamplePlay(sample, kSoundOutputRate, -1, false);
  const int32_t base = countZeroCrossings(renderFrames(20000));
  soundSampleStop(sample);
  skipMixLatency();
  soundSamplePlay(sample, 2 * kSoundOutputRate, -1, false);
  const int32_t doubled = countZeroCrossings(renderFrames(20000));

  EXPECT_NEAR(base, 400, 2);  // 441 Hz over 20000 frames
  EXPECT_NEAR(doubled, 2 * base, 2);
}

TEST_F(SoundOutputTest, ChannelsEndWithTheirSampleUnlessLooped) {
  const uint32_t sample = rampSample(100);
  const uint32_t once = soundSamplePlay(sample, kSoundOutputRate, -1, false);
  const uint32_t looped = soundSamplePlay(sample, kSoundOutputRate, -1, true);
  // Half the rate: the unlooped channel needs 200 frames.
  const uint32_t slow = soundSamplePlay(sample, kSoundOutputRate / 2, -1, false);
  EXPECT_EQ(soundChannelIsActive(once), kSoundPlaying);

  renderFrames(150);
  EXPECT_EQ(soundChannelIsActive(once), kSoundStopped);
  EXPECT_EQ(soundChannelIsActive(slow), kSoundPlaying);
  EXPECT_EQ(soundChannelIsActive(looped), kSoundPlaying);
  // The looped channel has wrapped: frame 150 plays sample frame 50 (x2, both
  // channels of the ramp sum with the slow channel at frame 75).
  skipMixLatency();
  const std::vector<int16_t> next = renderFrames(1);
  EXPECT_EQ(next[0], 50 + 75);

  renderFrames(60);
  EXPECT_EQ(soundChannelIsActive(slow), kSoundStopped);
  EXPECT_EQ(soundSampleChannelCount(sample), 1);
  EXPECT_TRUE(soundSampleStop(sample));
  EXPECT_EQ(soundChannelIsActive(looped), kSoundStopped);
}

TEST_F(SoundOutputTest, PausedOutputHoldsEveryChannelInPlace) {
  const uint32_t sample = rampSample(1000);
  soundSamplePlay(sample, kSoundOutputRate, -1, false);
  renderFrames(100);
  skipMixLatency();  // everything mixed so far is heard

  soundPause();
  const std::vector<int16_t> paused = renderFrames(300);
  EXPECT_EQ(rootMeanSquare(paused), 0.0);
  EXPECT_EQ(soundSampleChannelCount(sample), 1);

  soundStart();
  const std::vector<int16_t> resumed = renderFrames(3);
  EXPECT_EQ(resumed[0], 100);
  EXPECT_EQ(resumed[1], 100);
  EXPECT_EQ(resumed[4], 102);
}

TEST_F(SoundOutputTest, ChannelAndEffectVolumesScaleSamplesButNotMusic) {
  const uint32_t sample = constantSample(10000, 1000);
  const uint32_t channel = soundSamplePlay(sample, kSoundOutputRate, -1, true);
  EXPECT_EQ(frameAfterChange(), 10000);
  soundChannelSetVolume(channel, 50);
  EXPECT_EQ(soundChannelVolume(channel), 50);
  EXPECT_EQ(frameAfterChange(), 5000);
  soundSetGlobalVolumes(0, 50);  // music volume does not touch effects
  EXPECT_EQ(frameAfterChange(), 2500);
  soundSetGlobalGains(-1.0f, 0.25f);
  EXPECT_EQ(frameAfterChange(), 1250);
  soundSetGlobalVolumes(-1, 0);
  EXPECT_EQ(frameAfterChange(), 0);
  EXPECT_EQ(soundChannelIsActive(channel), kSoundPlaying);  // silent, still playing
}

// Sums past full scale are turned down to the ceiling, smoothly and without a
// clipped sample, and once they are over the output is exactly the mix again.
TEST_F(SoundOutputTest, LoudSumsStayUnderTheCeilingAndQuietOnesPassUntouched) {
  const int32_t frames = kSoundOutputRate / 2;
  std::vector<uint32_t> loud;
  for (const double hz : {55.0, 220.0, 3000.0, 7000.0}) {
    const std::vector<int16_t> sine = makeSine(hz, kSoundOutputRate, frames, 24000);
    loud.push_back(soundSampleLoadPcm(sine.data(), uint32_t(frames), 1, kSoundOutputRate, 4));
  }
  std::vector<int16_t> out;
  for (const uint32_t sample : loud) {  // each starts on top of the ones before
    soundSamplePlay(sample, -1, -1, false);
    const std::vector<int16_t> part = renderFrames(3000);
    out.insert(out.end(), part.begin(), part.end());
  }
  const std::vector<int16_t> rest = renderFrames(2 * frames + kSoundOutputRate);
  out.insert(out.end(), rest.begin(), rest.end());
  int32_t highest = 0;
  for (const int16_t v : out) highest = std::max(highest, std::abs(int32_t(v)));
  EXPECT_LE(highest, kSoundOutputCeiling);
  EXPECT_GT(highest, kSoundOutputCeiling - 100) << "turned down further than needed";

  const std::vector<int16_t> quiet = makeSine(441.0, kSoundOutputRate, 4410, 9000);
  const uint32_t sample = soundSampleLoadPcm(quiet.data(), 4410, 1, kSoundOutputRate, 4);
  soundSamplePlay(sample, -1, -1, false);
  skipMixLatency();
  const std::vector<int16_t> heard = renderFrames(4410);
  for (size_t i = 0; i < quiet.size(); ++i) {
    ASSERT_EQ(heard[2 * i], quiet[i]) << "frame " << i;
  }
}

TEST_F(SoundOutputTest, APlaybackBeyondTheLimitReplacesTheOldest) {
  const uint32_t sample = constantSample(100, 1000, 2);
  const uint32_t first = soundSamplePlay(sample, kSoundOutputRate, -1, false);
  const uint32_t second = soundSamplePlay(sample, kSoundOutputRate, -1, false);
  const uint32_t third = soundSamplePlay(sample, kSoundOutputRate, -1, false);
  EXPECT_EQ(soundSampleChannelCount(sample), 2);
  EXPECT_EQ(soundChannelIsActive(first), kSoundStopped);
  EXPECT_EQ(soundChannelIsActive(second), kSoundPlaying);
  EXPECT_EQ(soundChannelIsActive(third), kSoundPlaying);

  // Looped channels never give way.
  const uint32_t loopedSample = constantSample(100, 1000, 1);
  const uint32_t looped = soundSamplePlay(loopedSample, kSoundOutputRate, -1, true);
  EXPECT_EQ(soundSamplePlay(loopedSample, kSoundOutputRate, -1, false), 0u);
  EXPECT_EQ(soundChannelIsActive(looped), kSoundPlaying);
}

TEST_F(SoundOutputTest, StaleAndUnknownHandlesFailHarmlessly) {
  const uint32_t sample = constantSample(100, 10);
  const uint32_t channel = soundSamplePlay(sample, kSoundOutputRate, -1, false);
  EXPECT_TRUE(soundSampleFree(sample));
  EXPECT_EQ(soundChannelIsActive(channel), kSoundStopped);
  EXPECT_EQ(soundSamplePlay(sample, kSoundOutputRate, -1, false), 0u);
  EXPECT_FALSE(soundSampleStop(sample));
  EXPECT_FALSE(soundChannelSetVolume(channel, 10));
  EXPECT_EQ(soundChannelVolume(channel), -1);
  EXPECT_EQ(soundSamplePlay(0, kSoundOutputRate, -1, false), 0u);
  EXPECT_FALSE(soundMusicPlay(0, 0, true));
  // A new sample in the freed slot is not reachable through the old handle.
  const uint32_t next = constantSample(100, 10);
  EXPECT_NE(next, sample);
  EXPECT_EQ(soundSampleChannelCount(sample), 0);
}

TEST_F(SoundOutputTest, OggVorbisDecodesAndDamagedDataIsRefused) {
  const std::string ogg = encodeOggVorbis(makeSine(441.0, 44100, 4410, 8000), 44100);
  const uint32_t sample = soundSampleLoadMemory(ogg.data(), ogg.size(), 4);
  ASSERT_NE(sample, 0u);
  uint32_t frames = 0;
  int32_t rate = 0;
  int32_t channels = 0;
  ASSERT_TRUE(soundSampleInfo(sample, &frames, &rate, &channels));
  EXPECT_EQ(frames, 4410u);
  EXPECT_EQ(rate, 44100);
  EXPECT_EQ(channels, 1);

  const std::string garbage(300, 'x');
  EXPECT_EQ(soundSampleLoadMemory(garbage.data(), garbage.size(), 4), 0u);
  EXPECT_EQ(soundSampleLoadMemory(ogg.data(), 60, 4), 0u);  // cut inside the headers
  EXPECT_EQ(soundSampleLoadMemory(nullptr, 0, 4), 0u);
  EXPECT_EQ(soundSampleLoadFile("/nonexistent/menu.ogg", 1 << 20, 4), 0u);
}

TEST_F(SoundOutputTest, MusicStartsAtAnOrderAndFollowsItsVolumes) {
  const std::string module = makeTrackerModule(8);
  const uint32_t music = soundMusicLoadMemory(module.data(), module.size());
  ASSERT_NE(music, 0u);
  EXPECT_EQ(soundMusicOrder(music), -1);  // loaded, not playing
  EXPECT_EQ(rootMeanSquare(renderFrames(2000)), 0.0);

  ASSERT_TRUE(soundMusicPlay(music, 5, true));
  EXPECT_EQ(soundMusicOrder(music), 5);
  EXPECT_EQ(soundChannelIsActive(music), kSoundPlaying);
  skipMixLatency();
  const double loud = rootMeanSquare(renderFrames(4000));
  EXPECT_GT(loud, 50.0);

  soundMusicPlay(music, 5, true);
  soundMusicSetAmplify(music, 100);  // twice the rendered level
  skipMixLatency();
  EXPECT_NEAR(rootMeanSquare(renderFrames(4000)), 2.0 * loud, 0.02 * loud);

  soundMusicPlay(music, 5, true);
  soundMusicSetAmplify(music, 50);
  soundSetGlobalVolumes(-1, 0);  // effects volume leaves the music alone
  skipMixLatency();
  EXPECT_NEAR(rootMeanSquare(renderFrames(4000)), loud, 0.02 * loud);
  soundSetGlobalVolumes(0, 100);
  skipMixLatency();
  EXPECT_EQ(rootMeanSquare(renderFrames(4000)), 0.0);
  soundSetGlobalVolumes(100, -1);
  soundChannelSetVolume(music, 0);
  skipMixLatency();
  EXPECT_EQ(rootMeanSquare(renderFrames(4000)), 0.0);
  EXPECT_EQ(soundChannelVolume(music), 0);

  // A position the module lacks starts it from the top.
  soundMusicPlay(music, 99, true);
  EXPECT_EQ(soundMusicOrder(music), 0);
  EXPECT_EQ(soundMusicLoadMemory("not a module", 12), 0u);
}

TEST_F(SoundOutputTest, UnloopedMusicEndsAndLoopedMusicPlaysOn) {
  const std::string module = makeTrackerModule(2);  // 3.84 s in all
  const uint32_t music = soundMusicLoadMemory(module.data(), module.size());
  soundMusicPlay(music, 1, false);  // the last order: about 2 s
  renderFrames(3 * kSoundOutputRate);
  EXPECT_EQ(soundChannelIsActive(music), kSoundStopped);

  soundMusicPlay(music, 1, true);
  renderFrames(3 * kSoundOutputRate);
  EXPECT_EQ(soundChannelIsActive(music), kSoundPlaying);
  EXPECT_GE(soundMusicOrder(music), 0);
  EXPECT_TRUE(soundMusicFree(music));
  EXPECT_EQ(soundChannelIsActive(music), kSoundStopped);
}

TEST_F(SoundOutputTest, PausedMusicKeepsItsPlace) {
  const std::string module = makeTrackerModule(4);
  const uint32_t music = soundMusicLoadMemory(module.data(), module.size());
  soundMusicPlay(music, 2, true);
  renderFrames(10000);
  const double before = soundMusicPositionSeconds(music);
  soundPause();
  EXPECT_EQ(soundChannelIsActive(music), kSoundPaused);
  renderFrames(50000);
  EXPECT_EQ(soundMusicPositionSeconds(music), before);
  soundStart();
  renderFrames(4410);
  EXPECT_NEAR(soundMusicPositionSeconds(music), before + 0.1, 0.01);
}

TEST_F(SoundOutputTest, StoppedOutputEndsEverythingAndStaysSilent) {
  const uint32_t sample = constantSample(1000, 100000);
  const uint32_t channel = soundSamplePlay(sample, kSoundOutputRate, -1, true);
  const std::string module = makeTrackerModule(2);
  const uint32_t music = soundMusicLoadMemory(module.data(), module.size());
  soundMusicPlay(music, 0, true);
  soundStop();
  EXPECT_EQ(soundChannelIsActive(channel), kSoundStopped);
  EXPECT_EQ(soundChannelIsActive(music), kSoundStopped);
  EXPECT_EQ(rootMeanSquare(renderFrames(1000)), 0.0);
  soundFree();
  EXPECT_EQ(soundOutputKind(), SoundOutputKind::None);
  EXPECT_EQ(soundSamplePlay(sample, kSoundOutputRate, -1, false), 0u);
  EXPECT_EQ(soundSampleLoadPcm(std::vector<int16_t>(4).data(), 4, 1, 44100, 1), 0u);
}

// Files handed to the decode worker: only the header is checked then; the sound
// behaves as one loaded at once, a body that turns out damaged plays nothing, and
// the output can be freed while files are still queued.

std::vector<uint8_t> bytesOf(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

// A tenth of a second of a 441 Hz sine as an Ogg Vorbis file (made once).
const std::string& sineOgg() {
  static const std::string ogg = encodeOggVorbis(makeSine(441.0, 44100, 4410, 8000), 44100);
  return ogg;
}

// What `sample` sounds like on its own, played at its rate.
std::vector<int16_t> playAlone(uint32_t sample) {
  soundStop();
  soundStart();
  soundSamplePlay(sample, -1, -1, false);
  return renderFrames(3000);
}

TEST_F(SoundOutputTest, SamplesDecodedAheadSoundAsOnesDecodedAtOnce) {
  const uint32_t atOnce = soundSampleLoadMemory(sineOgg().data(), sineOgg().size(), 4);
  // Enough files that the worker is still busy with some when they are asked for.
  std::vector<uint32_t> ahead;
  for (int i = 0; i < 12; ++i) ahead.push_back(soundSampleLoadAhead(bytesOf(sineOgg()), 4));
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

TEST_F(SoundOutputTest, OnlyTheFirstPageIsCheckedAndADamagedBodyPlaysNothing) {
  EXPECT_EQ(soundSampleLoadAhead(bytesOf("OggS this is not a sound at all"), 4), 0u);
  EXPECT_EQ(soundSampleLoadAhead({}, 4), 0u);
  std::string threeChannels = sineOgg();
  threeChannels[27 + uint8_t(sineOgg()[26]) + 11] = 3;  // the identification header's count
  EXPECT_EQ(soundSampleLoadAhead(bytesOf(threeChannels), 4), 0u);
  // The first page is whole, the rest is cut off: accepted now, silent later.
  const uint32_t cut = soundSampleLoadAhead(bytesOf(sineOgg().substr(0, 60)), 4);
  ASSERT_NE(cut, 0u);
  EXPECT_EQ(soundSamplePlay(cut, -1, -1, false), 0u);
  EXPECT_FALSE(soundSampleInfo(cut, nullptr, nullptr, nullptr));
  EXPECT_EQ(rootMeanSquare(renderFrames(1000)), 0.0);
  // Its slot went back to the table: a good file still loads.
  EXPECT_NE(soundSampleLoadAhead(bytesOf(sineOgg()), 4), 0u);
}

// The module goes ahead of the effects queued before it; what is set while it is
// loading holds once it plays.
TEST_F(SoundOutputTest, MusicLoadedAheadKeepsWhatWasSetMeanwhileAndPlaysWhenAsked) {
  const std::string module = makeTrackerModule(8);
  const uint32_t atOnce = soundMusicLoadMemory(module.data(), module.size());
  ASSERT_TRUE(soundMusicPlay(atOnce, 5, true));
  const double rendered = rootMeanSquare(renderFrames(4000));
  ASSERT_GT(rendered, 50.0);

  for (int i = 0; i < 6; ++i) soundSampleLoadAhead(bytesOf(sineOgg()), 4);
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
TEST_F(SoundOutputTest, TheOutputCanBeFreedWhileFilesAreQueued) {
  std::vector<uint32_t> samples;
  for (int i = 0; i < 30; ++i) samples.push_back(soundSampleLoadAhead(bytesOf(sineOgg()), 4));
  const uint32_t music = soundMusicLoadAhead(bytesOf(makeTrackerModule(4)));
  soundFree();
  ASSERT_EQ(soundInit(false), SoundOutputKind::Null);
  soundStart();
  EXPECT_EQ(soundSamplePlay(samples.back(), -1, -1, false), 0u);
  EXPECT_FALSE(soundMusicPlay(music, 0, true));
  const uint32_t again = soundSampleLoadAhead(bytesOf(sineOgg()), 4);
  EXPECT_NE(soundSamplePlay(again, -1, -1, false), 0u);
}

// The device path opens whatever the machine has; with an unknown driver named it
// falls back to the silent device instead of giving up, and nothing waits.
TEST(SoundDeviceTest, AnUnusableDriverFallsBackToTheSilentDevice) {
  const char* previous = std::getenv("SDL_AUDIODRIVER");
  const std::string saved = previous ? previous : "";
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  const SoundOutputKind kind = soundInit(true);
  setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
  ASSERT_EQ(kind, SoundOutputKind::Device);

  soundStart();
  const std::vector<int16_t> pcm(1000, 1000);
  const uint32_t sample = soundSampleLoadPcm(pcm.data(), 1000, 1, kSoundOutputRate, 4);
  const uint32_t channel = soundSamplePlay(sample, kSoundOutputRate, -1, true);
  EXPECT_NE(channel, 0u);
  EXPECT_GT(rootMeanSquare(renderFrames(100)), 0.0);  // rendering by hand takes the lock too
  soundPause();
  EXPECT_EQ(soundChannelIsActive(channel), kSoundPaused);
  soundStart();
  soundFree();
  EXPECT_EQ(soundOutputKind(), SoundOutputKind::None);
}

}  // namespace
