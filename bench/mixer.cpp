// What one audio device buffer (1024 frames, 23 ms of sound) costs the mixer:
// with a number of effect channels at odd rates, and with the game's music.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/sound_output.h"

namespace {

constexpr int32_t kBufferFrames = 1024;

// A 2 s mono tone, long enough that no channel ends during a run.
uint32_t loadTone() {
  std::vector<int16_t> pcm(88200);
  for (size_t i = 0; i < pcm.size(); ++i) {
    pcm[i] = int16_t(8000.0 * std::sin(2.0 * M_PI * 440.0 * double(i) / 44100.0));
  }
  return soundSampleLoadPcm(pcm.data(), uint32_t(pcm.size()), 1, kSoundOutputRate, 255);
}

void BM_MixEffectChannels(benchmark::State& state) {
  soundInit(false);
  soundStart();
  const uint32_t tone = loadTone();
  for (int64_t i = 0; i < state.range(0); ++i) {
    soundSamplePlay(tone, 35000 + int32_t(i) * 1000, 80, true);  // pitched: interpolated
  }
  std::vector<int16_t> out(2 * kBufferFrames);
  for (auto _ : state) {
    soundRender(out.data(), kBufferFrames);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kBufferFrames);
  soundFree();
}
BENCHMARK(BM_MixEffectChannels)->Arg(1)->Arg(8)->Arg(32)->Arg(128);

void BM_MixGameMusic(benchmark::State& state) {
  soundInit(false);
  soundStart();
  const std::string path = std::string(ORBEL_DATA_DIR) + "/music.mo3";
  const uint32_t music = soundMusicLoadFile(path.c_str(), size_t(1) << 26);
  if (music == 0) {
    state.SkipWithError("no generated music.mo3");
    soundFree();
    return;
  }
  soundMusicSetAmplify(music, 80);
  soundMusicPlay(music, 29, true);
  std::vector<int16_t> out(2 * kBufferFrames);
  for (auto _ : state) {
    soundRender(out.data(), kBufferFrames);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kBufferFrames);
  soundFree();
}
BENCHMARK(BM_MixGameMusic);

}  // namespace

BENCHMARK_MAIN();
