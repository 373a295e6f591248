// Effects by name and music sections, on the null output with files made by
// the tests: loading, the request ring and its repeat guard, section fades,
// pausing, volumes, and running without a device.
#include "audio/audio.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "audio_fixtures.h"
#include "platform/platform.h"
#include "platform/sound_output.h"
#include "resources/resources.h"
#include "test_support.h"

namespace {

using Names = std::vector<std::string>;

constexpr Vec3 kNoPosition = {0.0f, 0.0f, 0.0f};

// One frame of the game as far as sound is concerned.
void runSoundFrame(float deltaMs) {
  updateSound(deltaMs);
}

uint32_t handleOf(const char* name) {
  for (int32_t i = 0; i < sound.sampleCount; ++i) {
    if (std::string(sound.samples[i].fileName) == name) return sound.samples[i].handle;
  }
  return 0;
}

// The bytes handed to the load progress hook.
uint32_t g_reportedBytes = 0;
void countReportedBytes(uint32_t bytes) { g_reportedBytes += bytes; }

// Loads the fixture folder on the null output, as start-up does.
class AudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = sysCurrentDirectory();
    ASSERT_TRUE(sysChangeDirectory(soundDataFolder().path.c_str()));
    sound.musicVolume = 90;
    sound.effectsVolume = 90;
    EXPECT_FALSE(initSound(SoundDevice::None));
    g_reportedBytes = 0;
    setLoadProgressHook(countReportedBytes);
    loadSounds();
    setLoadProgressHook(nullptr);
    takeStartedSounds();
  }
  void TearDown() override {
    shutdownSound();
    sysChangeDirectory(home_.c_str());
  }

  std::string home_;
};

TEST_F(AudioTest, LoadsEverySoundInNameOrderAndTheModule) {
  ASSERT_EQ(sound.sampleCount, kFixtureSoundCount);
  for (int i = 0; i < kFixtureSoundCount; ++i) {
    EXPECT_STREQ(sound.samples[i].fileName, kFixtureSoundNames[i]);
  }
  // A file that does not decode keeps its place, silent; loading went on past it.
  EXPECT_EQ(handleOf("broken.ogg"), 0u);
  EXPECT_NE(handleOf("addball.ogg"), 0u);
  EXPECT_NE(handleOf("tone.ogg"), 0u);
  EXPECT_NE(sound.musicHandle, 0u);
  EXPECT_EQ(g_reportedBytes, soundDataFolder().soundBytes + 1104189u);
  // Back in the folder it started from.
  EXPECT_EQ(sysCurrentDirectory(), soundDataFolder().path);
  // Nothing plays until asked.
  EXPECT_EQ(sound.currentOrder, -1);
  EXPECT_EQ(sound.pendingOrder, -1);
  EXPECT_EQ(rootMeanSquare(renderFrames(1000)), 0.0);
}

TEST_F(AudioTest, RequestsStartTogetherAtTheNextUpdateAndRepeatsInOneFrameCollapse) {
  playSound("menu.ogg");
  playSound("menu.ogg");
  playSound("addball.ogg");
  EXPECT_EQ(soundSampleChannelCount(handleOf("menu.ogg")), 0);  // only queued so far

  runSoundFrame(16.0f);
  EXPECT_EQ(takeStartedSounds(), (Names{"menu.ogg", "addball.ogg"}));
  EXPECT_EQ(soundSampleChannelCount(handleOf("menu.ogg")), 1);
  EXPECT_EQ(soundSampleChannelCount(handleOf("addball.ogg")), 1);
  EXPECT_TRUE(takeStartedSounds().empty());

  // Names are exact: other letter case, unknown and silent samples start nothing.
  playSound("MENU.ogg");
  playSound("nothing.ogg");
  playSound("broken.ogg");
  runSoundFrame(16.0f);
  EXPECT_TRUE(takeStartedSounds().empty());
}

TEST_F(AudioTest, TheRepeatGuardIgnoresASampleForFiveMilliseconds) {
  playSound("menu.ogg");
  runSoundFrame(3.0f);
  playSound("menu.ogg");  // 2 ms of the guard left: dropped
  runSoundFrame(3.0f);
  playSound("menu.ogg");  // guard used up
  playSound("addball.ogg");
  runSoundFrame(3.0f);
  EXPECT_EQ(takeStartedSounds(), (Names{"menu.ogg", "menu.ogg", "addball.ogg"}));
  EXPECT_EQ(soundSampleChannelCount(handleOf("menu.ogg")), 2);
}

TEST_F(AudioTest, RingSlotsFollowTheirChannels) {
  playSound("addball.ogg");
  runSoundFrame(16.0f);
  const PlayRequest& request = sound.requests[0];
  EXPECT_EQ(request.state, kRequestPlaying);
  EXPECT_EQ(request.frequency, kSoundBaseFrequency);
  EXPECT_EQ(sound.nextRequest, 1);
  renderFrames(5000);  // addball.ogg lasts 4410 frames
  runSoundFrame(16.0f);
  EXPECT_EQ(request.state, kRequestFree);
}

TEST_F(AudioTest, APitchedRequestPlaysAtItsFrequency) {
  applyVolumes();
  playSoundEx("tone.ogg", kNoPosition, 0, kSoundBaseFrequency);
  runSoundFrame(16.0f);
  const int32_t base = countZeroCrossings(renderFrames(20000));
  stopAllSounds();
  playSoundEx("tone.ogg", Vec3{10.0f, 0.0f, 5.0f}, 0, 2 * kSoundBaseFrequency);
  runSoundFrame(16.0f);
  const int32_t doubled = countZeroCrossings(renderFrames(20000));
  EXPECT_NEAR(base, 400, 4);  // the 441 Hz tone, positioned or not
  EXPECT_NEAR(doubled, 2 * base, 4);
}

TEST_F(AudioTest, StopAllSoundsSilencesEveryEffect) {
  playSound("tone.ogg");
  playSoundEx("menu.ogg", kNoPosition, 1, kSoundBaseFrequency);
  runSoundFrame(16.0f);
  EXPECT_GT(rootMeanSquare(renderFrames(1000)), 100.0);
  stopAllSounds();
  skipMixLatency();
  EXPECT_EQ(rootMeanSquare(renderFrames(1000)), 0.0);
  runSoundFrame(16.0f);
  EXPECT_EQ(sound.requests[0].state, kRequestFree);
}

TEST_F(AudioTest, LoopedSlotsAreNeverReusedAndAFullRingDropsRequests) {
  for (int i = 0; i < kMaxPlayRequests; ++i) {
    playSoundEx("menu.ogg", kNoPosition, 1, kSoundBaseFrequency);
    runSoundFrame(10.0f);
  }
  for (const PlayRequest& request : sound.requests) EXPECT_EQ(request.loop, 1);
  takeStartedSounds();
  playSound("addball.ogg");  // no slot left: dropped, and the call returns
  runSoundFrame(10.0f);
  EXPECT_TRUE(takeStartedSounds().empty());
}

TEST_F(AudioTest, ALoopedSlotIsSkippedByLaterRequests) {
  playSoundEx("menu.ogg", kNoPosition, 1, kSoundBaseFrequency);
  runSoundFrame(10.0f);
  for (int i = 0; i < kMaxPlayRequests; ++i) {  // all the way round the ring
    playSound("addball.ogg");
    runSoundFrame(10.0f);
  }
  EXPECT_EQ(sound.requests[0].loop, 1);
  EXPECT_EQ(sound.requests[0].sample, handleOf("menu.ogg"));
  EXPECT_EQ(soundSampleChannelCount(handleOf("menu.ogg")), 1);
}

// The ambience loop is one channel: asking for it again (a level restart) keeps it
// running, another one takes its place, and stopping everything frees its slot.
TEST_F(AudioTest, TheAmbientLoopRunsOnceAndGivesWayToTheNext) {
  playAmbientLoop("menu.ogg");
  runSoundFrame(16.0f);
  renderFrames(10000);  // several times round menu.ogg
  playAmbientLoop("menu.ogg");
  runSoundFrame(16.0f);
  EXPECT_EQ(takeStartedSounds(), (Names{"menu.ogg"}));
  EXPECT_EQ(soundSampleChannelCount(handleOf("menu.ogg")), 1);

  playAmbientLoop("tone.ogg");
  runSoundFrame(16.0f);
  EXPECT_EQ(soundSampleChannelCount(handleOf("menu.ogg")), 0);
  EXPECT_EQ(soundSampleChannelCount(handleOf("tone.ogg")), 1);
  playAmbientLoop(nullptr);
  runSoundFrame(16.0f);
  EXPECT_EQ(soundSampleChannelCount(handleOf("tone.ogg")), 0);

  playAmbientLoop("menu.ogg");
  runSoundFrame(16.0f);
  stopAllSounds();
  for (const PlayRequest& request : sound.requests) EXPECT_EQ(request.loop, 0);
  playAmbientLoop("menu.ogg");  // after everything stopped, it starts again
  runSoundFrame(16.0f);
  EXPECT_EQ(soundSampleChannelCount(handleOf("menu.ogg")), 1);
}

TEST_F(AudioTest, SectionsMapToOrderPositions) {
  const int32_t expected[][2] = {{0, 0}, {1, 11}, {2, 29}, {3, 47}, {4, 63},
                                 {5, 65}, {6, 44}, {7, 0}, {-1, 0}};
  for (const auto& pair : expected) EXPECT_EQ(musicOrderForSection(pair[0]), pair[1]);
}

TEST_F(AudioTest, PlayMusicNowSwitchesAtOnceAtFullVolume) {
  playMusicNow(2);
  EXPECT_EQ(sound.currentOrder, 29);
  EXPECT_EQ(sound.pendingOrder, 29);
  EXPECT_EQ(sound.musicFadeTimer, 0.0f);
  EXPECT_EQ(soundMusicOrder(sound.musicHandle), 29);
  EXPECT_EQ(soundChannelVolume(sound.musicHandle), 100);

  // The section already asked for is left alone, even part-way through a fade.
  requestMusic(3);
  runSoundFrame(400.0f);
  playMusicNow(3);
  EXPECT_EQ(sound.musicFadeTimer, 400.0f);
  EXPECT_EQ(soundMusicOrder(sound.musicHandle), 29);

  playMusicNow(5);
  EXPECT_EQ(sound.currentOrder, 65);
  EXPECT_EQ(sound.musicFadeTimer, 0.0f);
  EXPECT_EQ(soundChannelVolume(sound.musicHandle), 100);
  EXPECT_EQ(soundMusicOrder(sound.musicHandle), 65);
}

TEST_F(AudioTest, RequestMusicFadesOutThenStartsTheNewSection) {
  playMusicNow(2);
  requestMusic(2);  // already pending: nothing
  EXPECT_EQ(sound.musicFadeTimer, 0.0f);

  requestMusic(3);
  EXPECT_EQ(sound.pendingOrder, 47);
  EXPECT_EQ(sound.musicFadeTimer, 800.0f);
  requestMusic(3);
  runSoundFrame(100.0f);
  EXPECT_EQ(soundChannelVolume(sound.musicHandle), 87);  // 700 / 8
  runSoundFrame(500.0f);
  EXPECT_EQ(soundChannelVolume(sound.musicHandle), 25);  // 200 / 8
  EXPECT_EQ(sound.currentOrder, 29);
  EXPECT_EQ(soundMusicOrder(sound.musicHandle), 29);  // the old tune fades on

  runSoundFrame(250.0f);
  EXPECT_EQ(sound.currentOrder, 47);
  EXPECT_EQ(soundMusicOrder(sound.musicHandle), 47);
  EXPECT_EQ(soundChannelVolume(sound.musicHandle), 100);
  EXPECT_EQ(sound.musicFadeTimer, 0.0f);
  runSoundFrame(100.0f);  // no fade left: nothing restarts
  EXPECT_EQ(soundChannelVolume(sound.musicHandle), 100);
  EXPECT_EQ(soundMusicOrder(sound.musicHandle), 47);
}

TEST_F(AudioTest, PauseAndResumeContinueEffectsAndMusicWhereTheyWere) {
  applyVolumes();
  playMusicNow(1);
  playSound("tone.ogg");
  runSoundFrame(16.0f);
  renderFrames(4000);
  const double musicAt = soundMusicPositionSeconds(sound.musicHandle);

  pauseSound();
  EXPECT_EQ(rootMeanSquare(renderFrames(50000)), 0.0);
  runSoundFrame(16.0f);  // frames do not run while paused, but if one did
  resumeSound();
  EXPECT_EQ(soundMusicPositionSeconds(sound.musicHandle), musicAt);
  EXPECT_EQ(soundSampleChannelCount(handleOf("tone.ogg")), 1);
  // The tone has 40100 frames left of its 44100: it ends on time after resuming.
  renderFrames(40000);
  EXPECT_EQ(soundSampleChannelCount(handleOf("tone.ogg")), 1);
  renderFrames(200);
  EXPECT_EQ(soundSampleChannelCount(handleOf("tone.ogg")), 0);
}

TEST_F(AudioTest, MusicAndEffectVolumesActIndependently) {
  playMusicNow(2);
  const double musicAlone = rootMeanSquare(renderFrames(8000));
  playMusicNow(1);
  sound.musicVolume = 0;
  applyVolumes();
  skipMixLatency();
  EXPECT_EQ(rootMeanSquare(renderFrames(8000)), 0.0);

  playSound("tone.ogg");
  runSoundFrame(16.0f);
  skipMixLatency();
  const double effectAlone = rootMeanSquare(renderFrames(8000));
  EXPECT_GT(effectAlone, 1000.0);
  sound.effectsVolume = 45;
  applyVolumes();
  skipMixLatency();
  EXPECT_NEAR(rootMeanSquare(renderFrames(8000)), effectAlone * volumeGain(45) / volumeGain(90),
              effectAlone * 0.002);

  stopAllSounds();
  sound.musicVolume = 90;
  sound.effectsVolume = 0;
  applyVolumes();
  playMusicNow(2);
  skipMixLatency();
  EXPECT_NEAR(rootMeanSquare(renderFrames(8000)), musicAlone, musicAlone * 0.02);
}

// The sliders: position 0 is silent, every step up is louder by the same number
// of decibels, the whole slider spans the range, and the top plays the data as
// it is levelled.
TEST(VolumeCurveTest, StepsAreEqualInDecibelsFromSilenceToFull) {
  EXPECT_EQ(volumeGain(0), 0.0f);
  EXPECT_EQ(volumeGain(-5), 0.0f);
  EXPECT_FLOAT_EQ(volumeGain(kMaxVolume), 1.0f);
  EXPECT_EQ(volumeGain(kMaxVolume + 20), 1.0f);
  EXPECT_NEAR(20.0 * std::log10(volumeGain(kMaxVolume) / volumeGain(1)), kVolumeRangeDb, 0.01);
  const double step = kVolumeRangeDb / (kMaxVolume - 1);
  for (int32_t p = 2; p <= kMaxVolume; ++p) {
    ASSERT_GT(volumeGain(p), volumeGain(p - 1)) << p;
    EXPECT_NEAR(20.0 * std::log10(volumeGain(p) / volumeGain(p - 1)), step, 0.001) << p;
  }
}

TEST_F(AudioTest, VolumesOutliveARestartOfTheSound) {
  sound.musicVolume = 50;
  sound.effectsVolume = 40;
  shutdownSound();
  initSound(SoundDevice::None);
  EXPECT_EQ(sound.musicVolume, 50);
  EXPECT_EQ(sound.effectsVolume, 40);
  EXPECT_EQ(sound.sampleCount, 0);
  EXPECT_EQ(sound.pendingOrder, -1);
}

// A folder without "Sounds" or music, and one with more files than the table and
// a name too long for it.
TEST(AudioLoadingTest, MissingFilesLeaveSilenceAndExtraFilesAreNotLoaded) {
  const std::string home = sysCurrentDirectory();
  const std::string empty = testTempDirectory("audio-empty");
  ASSERT_TRUE(sysChangeDirectory(empty.c_str()));
  initSound(SoundDevice::None);
  loadSounds();
  EXPECT_EQ(sound.sampleCount, 0);
  EXPECT_EQ(sound.musicHandle, 0u);
  playSound("menu.ogg");
  playMusicNow(2);
  runSoundFrame(900.0f);
  EXPECT_EQ(sound.currentOrder, 29);  // the bookkeeping goes on without music
  EXPECT_TRUE(takeStartedSounds().empty());
  shutdownSound();

  const std::string crowded = testTempDirectory("audio-crowded");
  testMakeDirectories((crowded + "/Sounds").c_str());
  for (int i = 0; i < kMaxSoundSamples + 2; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "/Sounds/s%03d.ogg", i);
    testWriteFile(crowded + name, "x");
  }
  testWriteFile(crowded + "/Sounds/a_name_that_is_much_too_long_to_keep.ogg", "x");
  ASSERT_TRUE(sysChangeDirectory(crowded.c_str()));
  initSound(SoundDevice::None);
  loadSounds();
  EXPECT_EQ(sound.sampleCount, kMaxSoundSamples);
  EXPECT_STREQ(sound.samples[0].fileName, "s000.ogg");
  EXPECT_STREQ(sound.samples[kMaxSoundSamples - 1].fileName, "s255.ogg");
  shutdownSound();
  sysChangeDirectory(home.c_str());
}

// With the device path the game gets a device (perhaps the silent one) and the
// same behaviour; nothing waits on it.
TEST(AudioDeviceTest, TheGameRunsTheSameOnADevice) {
  const std::string home = sysCurrentDirectory();
  ASSERT_TRUE(sysChangeDirectory(soundDataFolder().path.c_str()));
  EXPECT_TRUE(initSound(SoundDevice::Open));
  loadSounds();
  playMusicNow(2);
  playSound("menu.ogg");
  runSoundFrame(16.0f);
  EXPECT_EQ(takeStartedSounds(), (Names{"menu.ogg"}));
  pauseSound();
  resumeSound();
  EXPECT_EQ(soundMusicOrder(sound.musicHandle) >= 29, true);
  shutdownSound();
  sysChangeDirectory(home.c_str());
}

}  // namespace
