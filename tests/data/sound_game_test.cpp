// The game's own sound layer over the generated data: start-up loads every
// effect and the module, each section plays through the game's mixer at the
// loudest music setting without clipping, and the pitched effects sound across
// the rates the game plays them at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/app.h"
#include "app/scene.h"
#include "audio/audio.h"
#include "platform/platform.h"
#include "platform/sound_output.h"
#include "test_support.h"

namespace {

constexpr int kRate = 44100;

std::vector<int16_t> render(int32_t frames) {
  std::vector<int16_t> out(size_t(frames) * 2);
  soundRender(out.data(), frames);
  return out;
}

int peakOf(const std::vector<int16_t>& stereo) {
  int peak = 0;
  for (const int16_t v : stereo) peak = std::max(peak, std::abs(int(v)));
  return peak;
}

// Start-up's sound loading, from the generated data folder, on the null output.
class GameSound : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = sysCurrentDirectory();
    ASSERT_TRUE(sysChangeDirectory(ORBEL_DATA_DIR));
    sound.musicVolume = 99;  // the loudest the options allow
    sound.effectsVolume = 99;
    initSound(SoundDevice::None);
    loadSounds();
  }
  void TearDown() override {
    shutdownSound();
    sysChangeDirectory(home_.c_str());
  }

  std::string home_;
};

}  // namespace

TEST_F(GameSound, StartUpLoadsEveryEffectAndTheModule) {
  EXPECT_EQ(sound.sampleCount, 31);
  for (int32_t i = 0; i < sound.sampleCount; ++i) {
    EXPECT_NE(sound.samples[i].handle, 0u) << sound.samples[i].fileName;
  }
  EXPECT_NE(sound.musicHandle, 0u);
}

TEST_F(GameSound, EveryMusicSectionPlaysThroughTheGameWithoutClipping) {
  for (int32_t section = 0; section <= 6; ++section) {
    playMusicNow(section);
    const int32_t order = musicOrderForSection(section);
    int peak = 0;
    double energy = 0.0;
    // Half a minute of each: every section's loudest layers have come in by then.
    for (int second = 0; second < 30; ++second) {
      const std::vector<int16_t> block = render(kRate);
      peak = std::max(peak, peakOf(block));
      for (const int16_t v : block) energy += double(v) * v;
    }
    EXPECT_LT(peak, 32767) << "section " << section << " clips";
    EXPECT_GT(energy / (30.0 * kRate * 2), 300.0 * 300.0) << "section " << section;
    EXPECT_EQ(sound.currentOrder, order);
    playMusicNow(section == 6 ? 0 : section + 1);  // leave, so the next start is fresh
  }
}

TEST_F(GameSound, PitchedEffectsSoundAcrossTheRatesTheGamePlaysThemAt) {
  // Pops rise with the combo (35000 + 5000 per step); score ticks follow the
  // progress bar (20000 to 45000).
  const std::pair<const char*, int32_t> plays[] = {
      {"ball.ogg", 35000}, {"ball.ogg", 60000}, {"ball.ogg", 100000},
      {"score.ogg", 20000}, {"score.ogg", 45000}};
  for (const auto& [name, rate] : plays) {
    playSoundEx(name, Vec3{0.0f, 0.0f, 0.0f}, 0, rate);
    updateSound(16.0f);
    const std::vector<int16_t> out = render(kRate / 2);
    EXPECT_GT(peakOf(out), 3000) << name << " at " << rate;
    EXPECT_LT(peakOf(out), 32767) << name << " at " << rate;
    render(kRate / 2);
    updateSound(16.0f);  // lets the repeat guard run out
  }
}
