// The mixer: every sounding sample channel, resampled to the output rate, plus
// the music module, summed in floating point and handed to the limiter, which
// keeps the sum under the ceiling on its way to 16 bits.
#include <cstring>

#include "platform/sound_local.h"

namespace {

// Frames mixed per pass; the accumulators live on the callback's stack.
constexpr int32_t kMixChunkFrames = 512;
// The module renders in -1..1; samples are in 16-bit units.
constexpr float kFullScale = 32767.0f;

// Adds up to `frames` frames of the voice, linearly interpolated between the
// sample's frames, and frees the voice when an unlooped sample runs out.
void mixVoice(SoundVoice& voice, float* acc, int32_t frames) {
  const SoundOutputSample& sample = soundOut.samples[voice.sampleSlot];
  const double length = double(sample.frames);
  const float gain = float(voice.volume) / 100.0f * soundOut.effectsGain;
  const int32_t stride = sample.channels;
  const int32_t right = stride - 1;  // mono feeds both sides
  for (int32_t i = 0; i < frames; ++i) {
    if (voice.position >= length) {
      if (!voice.loop) break;
      while (voice.position >= length) voice.position -= length;
    }
    const uint32_t at = uint32_t(voice.position);
    const uint32_t next = at + 1 < sample.frames ? at + 1 : (voice.loop ? 0 : at);
    const float t = float(voice.position - double(at));
    const int16_t* a = sample.pcm + size_t(at) * size_t(stride);
    const int16_t* b = sample.pcm + size_t(next) * size_t(stride);
    acc[2 * i] += (float(a[0]) + (float(b[0]) - float(a[0])) * t) * gain;
    acc[2 * i + 1] += (float(a[right]) + (float(b[right]) - float(a[right])) * t) * gain;
    voice.position += voice.step;
  }
  if (!voice.loop && voice.position >= length) voice = {};
}

// Adds `frames` frames of the module; a module that has played to its end stops.
void mixMusic(float* acc, int32_t frames) {
  SoundMusicState& music = soundOut.music;
  if (!music.module || !music.playing) return;
  float rendered[2 * kMixChunkFrames];
  const size_t got = openmpt_module_read_interleaved_float_stereo(
      music.module, kSoundOutputRate, size_t(frames), rendered);
  // Amplification 50 is the module as rendered.
  const float gain = kFullScale * (float(music.amplify) / 50.0f) *
                     (float(music.volume) / 100.0f) * soundOut.musicGain;
  for (size_t i = 0; i < 2 * got; ++i) acc[i] += rendered[i] * gain;
  if (got < size_t(frames)) music.playing = false;
}

}  // namespace

void soundMix(int16_t* out, int32_t frames) {
  if (soundOut.kind == SoundOutputKind::None || soundOut.paused) {
    std::memset(out, 0, size_t(frames) * 2 * sizeof(int16_t));
    return;
  }
  while (frames > 0) {
    const int32_t count = frames < kMixChunkFrames ? frames : kMixChunkFrames;
    float acc[2 * kMixChunkFrames] = {};
    mixMusic(acc, count);
    for (SoundVoice& voice : soundOut.voices) {
      if (voice.handle != 0) mixVoice(voice, acc, count);
    }
    soundLimitFrames(acc, out, count);
    out += 2 * count;
    frames -= count;
  }
}
