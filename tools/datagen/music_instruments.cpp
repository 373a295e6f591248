// music_instruments.cpp: the module's instruments, synthesised as samples.
// Struck and plucked ones (marimba, electric piano, harp, bells, drums) are
// one-shots that ring out; held ones (flute, brass, bass, pad) have an attack
// followed by a loop. A loop holds a whole number of periods of a tone built
// from harmonics at integer periods, so it repeats without a seam; the attack
// blends into exactly that tone where the loop starts.
#include <algorithm>
#include <cmath>

#include "music.h"

namespace {

// Envelopes, in ticks (about 50 a second) and levels 0..64.
const std::vector<EnvelopePoint> kStruck = {{0, 64}, {1, 64}, {12, 0}};
const std::vector<EnvelopePoint> kDrum = {{0, 64}, {1, 64}, {4, 0}};

float midiOfHz(float hz) {
  return 69.0f + 12.0f * std::log2(hz / 440.0f);
}

// Rolls harmonics off above `cutoff` (a gentle second-order slope).
float rolloff(float hz, float cutoff) {
  const float k = hz / cutoff;
  return 1.0f / std::sqrt(1.0f + k * k * k * k);
}

// A held tone of `period` samples: during `attack` samples the harmonic levels
// come from attackLevel(h, k) with k going 0 -> 1 and `onset` shaping loudness
// and adding colour; from then on they are steady (attackLevel(h, 1)), so the
// rest is exactly periodic and `loopPeriods` periods of it form the loop.
template <typename Level, typename Onset>
Wave heldTone(int period, int attack, int loopPeriods, int harmonics, Level attackLevel,
              Onset onset) {
  const int total = attack + period * loopPeriods;
  Wave out(static_cast<size_t>(total), 0.0f);
  for (int i = 0; i < total; ++i) {
    const float k = std::min(1.0f, static_cast<float>(i) / static_cast<float>(attack));
    const double cycle = static_cast<double>(i % period) / period;
    double sum = 0.0;
    for (int h = 1; h <= harmonics; ++h) {
      sum += attackLevel(h, k) * std::sin(2.0 * 3.14159265358979 * h * cycle);
    }
    out[static_cast<size_t>(i)] = onset(static_cast<float>(sum), i, k);
  }
  return out;
}

InstrumentSound mallet() {
  Wave w = modalTone(noteHz(72.0f), 1.0f,
                     {{1.0f, 1.0f, 0.7f}, {3.93f, 0.22f, 0.16f}, {9.2f, 0.06f, 0.06f}}, 0.0008f);
  Noise noise = makeNoise(401);
  Biquad knock = {};
  setBandPass(&knock, 2500.0f, 1.0f);
  for (size_t i = 0; i < 400; ++i) {
    w[i] += 0.22f * biquadStep(&knock, noiseSigned(&noise)) * strike(timeAt(static_cast<int>(i)), 0.0003f, 0.006f);
  }
  return {"marimba", w, 72.0f, 0, 0, kStruck, 1, 1024, 108, 0, 0, 0};
}

InstrumentSound electricPiano() {
  // Two-operator phase modulation: a bright, quickly mellowing bark over a
  // sine, with a small tine ping.
  const float hz = noteHz(60.0f);
  Phase carrier = {}, modulator = {}, tine = {};
  const Wave w = renderWave(1.8f, [&](float t) {
    const float body = fmStep(&carrier, &modulator, hz, 1.0f, 0.35f + 1.8f * decay60(t, 0.7f));
    const float ping = 0.22f * sineWave(phaseStep(&tine, 14.0f * hz)) * decay60(t, 0.05f);
    return strike(t, 0.002f, 2.6f) * (body + ping);
  });
  return {"electric piano", w, 60.0f, 0, 0, {{0, 64}, {1, 64}, {16, 0}}, 1, 1024, 184, 0, 0, 0};
}

InstrumentSound harp() {
  Wave w = pluckString(noteHz(60.0f), 1.6f, 0.7f, 0.35f, 411);
  fadeEdges(&w, 0.0f, 40.0f);
  return {"harp", w, 60.0f, 0, 0, kStruck, 1, 1024, 72, 0, 0, 0};
}

InstrumentSound bells() {
  const Wave w = modalTone(noteHz(84.0f), 1.5f,
                           {{1.0f, 1.0f, 1.4f}, {2.0f, 0.1f, 0.6f}, {2.71f, 0.15f, 0.45f},
                            {5.15f, 0.06f, 0.2f}},
                           0.0008f);
  return {"bells", w, 84.0f, 0, 0, kStruck, 1, 1024, 200, 0, 0, 0};
}

InstrumentSound flute() {
  // A soft, breathy flute: mostly fundamental, a chiff of air as it speaks.
  const int period = 84;  // 525 Hz
  const int attack = samplesFor(0.12f);
  const float steady[5] = {1.0f, 0.4f, 0.24f, 0.13f, 0.07f};
  Noise noise = makeNoise(421);
  Biquad air = {};
  setBandPass(&air, 2000.0f, 1.5f);
  const Wave w = heldTone(
      period, attack, 40, 5,
      [&](int h, float k) { return steady[h - 1] + (h == 2 ? 0.25f * (1.0f - k) : 0.0f); },
      [&](float tone, int i, float k) {
        const float t = timeAt(i);
        const float chiff = biquadStep(&air, noiseSigned(&noise)) * decay60(t, 0.06f) * (1.0f - k);
        return std::min(1.0f, t / 0.04f) * tone + 0.6f * chiff;
      });
  return {"flute", w, midiOfHz(44100.0f / period), attack, period * 40,
          {{0, 30}, {4, 64}, {10, 56}, {18, 0}}, 2, 1024, 144, 8, 24, 40};
}

InstrumentSound brass() {
  // A round brass: a saw spectrum whose brightness flares as the note speaks.
  const int period = 169;  // 261 Hz
  const float hz = 44100.0f / period;
  const int attack = samplesFor(0.1f);
  const Wave w = heldTone(
      period, attack, 24, 40,
      [&](int h, float k) {
        const float cutoff = k < 0.5f ? 500.0f + 6400.0f * k : 3700.0f - 1800.0f * (k - 0.5f);
        return h * hz > 12000.0f ? 0.0f : rolloff(h * hz, cutoff) / static_cast<float>(h);
      },
      [&](float tone, int i, float) { return std::min(1.0f, timeAt(i) / 0.03f) * tone; });
  return {"brass", w, midiOfHz(hz), attack, period * 24, {{0, 40}, {3, 64}, {12, 54}, {20, 0}},
          2, 1024, 116, 6, 22, 80};
}

InstrumentSound bass() {
  // A warm bass: a bright pluck settling into a round tone. The fundamental is
  // held back and the next harmonics carry the note, so it is heard on small
  // speakers and leaves room under it.
  const int period = 674;  // 65.4 Hz
  const int attack = samplesFor(0.12f);
  const float steady[5] = {0.6f, 0.6f, 0.32f, 0.16f, 0.08f};
  const Wave w = heldTone(
      period, attack, 12, 16,
      [&](int h, float k) {
        const float pluck = (1.0f - k) * (1.0f - k) * 0.6f / static_cast<float>(h);
        return (h <= 5 ? steady[h - 1] : 0.0f) + (h >= 2 ? pluck : 0.0f);
      },
      [&](float tone, int i, float) { return std::min(1.0f, timeAt(i) / 0.003f) * tone; });
  return {"bass", w, midiOfHz(44100.0f / period), attack, period * 12,
          {{0, 64}, {10, 56}, {40, 44}, {46, 0}}, 2, 1024, 128, 0, 0, 0};
}

InstrumentSound pad() {
  // Three saws a hertz apart (a slow, even chorus), darkened; at whole hertz
  // every partial repeats each second, so the one-second loop is seamless.
  const int length = kSynthRate;
  Wave w(static_cast<size_t>(length), 0.0f);
  Noise noise = makeNoise(431);
  for (const int hz : {261, 262, 263}) {
    for (int h = 1; h * hz < 8000; ++h) {
      const float level = rolloff(static_cast<float>(h * hz), 2800.0f) / static_cast<float>(h);
      const double phase = noiseUniform(&noise);
      const double step = static_cast<double>(h) * hz / kSynthRate;
      for (int i = 0; i < length; ++i) {
        const double cycles = std::fmod(step * i + phase, 1.0);
        w[static_cast<size_t>(i)] += level * static_cast<float>(std::sin(2.0 * 3.14159265358979 * cycles));
      }
    }
  }
  return {"pad", w, midiOfHz(262.0f), 0, length, {{0, 0}, {12, 40}, {30, 64}, {60, 0}}, 2, 512,
          128, 0, 0, 0};
}

InstrumentSound kick() {
  Phase body = {};
  Noise noise = makeNoise(441);
  OnePole soft = {};
  setOnePole(&soft, 3500.0f);
  const Wave w = renderWave(0.4f, [&](float t) {
    const float hz = glideAt({{0.0f, 170.0f}, {0.06f, 62.0f}}, t);
    return sineWave(phaseStep(&body, hz)) * strike(t, 0.0008f, 0.24f) +
           0.45f * lowPassStep(&soft, noiseSigned(&noise)) * strike(t, 0.0003f, 0.008f);
  });
  return {"kick", w, 60.0f, 0, 0, kDrum, 1, 1024, 128, 0, 0, 0};
}

InstrumentSound snare() {
  // A soft snare: a short tone under a brushy burst of noise.
  Phase low = {}, high = {};
  Noise noise = makeNoise(451);
  Biquad body = {}, sizzle = {};
  setBandPass(&body, 2200.0f, 0.6f);
  setHighPass(&sizzle, 6000.0f, 0.7f);
  Wave w = renderWave(0.3f, [&](float t) {
    const float n = noiseSigned(&noise);
    return 0.5f * sineWave(phaseStep(&low, 185.0f)) * strike(t, 0.003f, 0.09f) +
           0.25f * sineWave(phaseStep(&high, 330.0f)) * strike(t, 0.003f, 0.06f) +
           0.9f * biquadStep(&body, n) * strike(t, 0.003f, 0.16f) +
           0.3f * biquadStep(&sizzle, n) * strike(t, 0.003f, 0.08f);
  });
  addReverb(&w, 0.2f, 0.5f, 0.15f);
  saturate(&w, 2.5f);  // a denser crack for its peak, so it sits in the mix lower
  fadeEdges(&w, 0.0f, 20.0f);
  return {"snare", w, 60.0f, 0, 0, kDrum, 1, 1024, 118, 0, 0, 0};
}

InstrumentSound hat() {
  Noise noise = makeNoise(461);
  Biquad high = {}, band = {};
  setHighPass(&high, 7500.0f, 0.7f);
  setBandPass(&band, 9500.0f, 1.2f);
  Wave w = renderWave(0.1f, [&](float t) {
    const float n = noiseSigned(&noise);
    return (biquadStep(&high, n) + 0.6f * biquadStep(&band, n)) * strike(t, 0.0005f, 0.05f);
  });
  saturate(&w, 2.5f);
  return {"hat", w, 60.0f, 0, 0, kDrum, 1, 1024, 176, 0, 0, 0};
}

InstrumentSound shaker() {
  Noise noise = makeNoise(471);
  Biquad band = {};
  setBandPass(&band, 6000.0f, 0.9f);
  const Wave w = renderWave(0.12f, [&](float t) {
    const float shape = t < 0.012f ? t / 0.012f : decay60(t - 0.012f, 0.07f);
    return biquadStep(&band, noiseSigned(&noise)) * shape;
  });
  return {"shaker", w, 60.0f, 0, 0, kDrum, 1, 1024, 72, 0, 0, 0};
}

InstrumentSound cymbal() {
  // A soft crash: bright noise with a shimmer of metal partials.
  Noise noise = makeNoise(481);
  Biquad high = {}, band = {};
  setHighPass(&high, 4000.0f, 0.7f);
  setBandPass(&band, 7000.0f, 1.0f);
  Wave w = renderWave(1.5f, [&](float t) {
    const float n = noiseSigned(&noise);
    return biquadStep(&high, n) * strike(t, 0.002f, 1.4f) +
           0.5f * biquadStep(&band, n) * strike(t, 0.001f, 0.7f);
  });
  const Wave shimmer = modalTone(3200.0f, 1.5f,
                                 {{1.0f, 0.05f, 1.2f}, {1.37f, 0.05f, 1.1f}, {1.82f, 0.04f, 1.0f},
                                  {2.13f, 0.04f, 0.9f}, {2.61f, 0.03f, 0.8f}},
                                 0.002f);
  mixInto(&w, shimmer, 0.0f, 1.0f);
  fadeEdges(&w, 0.0f, 60.0f);
  return {"cymbal", w, 60.0f, 0, 0, kDrum, 1, 1024, 168, 0, 0, 0};
}

}  // namespace

std::vector<InstrumentSound> buildInstruments() {
  std::vector<InstrumentSound> all = {mallet(), electricPiano(), harp(),  bells(),  flute(),
                                      pad(),    bass(),          kick(),  snare(),  hat(),
                                      shaker(), brass(),         cymbal()};
  for (InstrumentSound& sound : all) normalise(&sound.samples, 0.9f);
  return all;
}
