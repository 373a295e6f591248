// sound_ambience.cpp: the scenery's sounds: three bird songs, quiet and a little
// distant, and the two water sounds the game replays back to back every 3.0 s
// (waterfall) and 3.1 s (brook). The water is built periodic over exactly that
// length: its noise repeats, its filters are run round the loop until they are
// settled, its swells have whole cycles in the period and its bubbles wrap
// around the end, so one repetition flows into the next.
#include <cmath>

#include "sound_recipes.h"

namespace {

// One bird call: a whistle gliding from `from` through `via` to `to`, with an
// optional warble (a fast pitch wobble for trills).
struct Chirp {
  float at;
  float seconds;
  float from, via, to;
  float gain;
  float warbleHz;
  float warbleDepth;
};

void addChirp(Wave* out, const Chirp& chirp) {
  Phase phase = {}, overtone = {};
  const float half = chirp.seconds * 0.5f;
  const Wave call = renderWave(chirp.seconds, [&](float t) {
    const float k = t / chirp.seconds;
    const float hz = glideAt({{0.0f, chirp.from}, {half, chirp.via}, {chirp.seconds, chirp.to}}, t) *
                     (1.0f + chirp.warbleDepth * sineWave(chirp.warbleHz * t));
    const float shape = std::sin(kPi * k);
    return shape * shape *
           (sineWave(phaseStep(&phase, hz)) + 0.08f * sineWave(phaseStep(&overtone, 2.0f * hz)));
  });
  mixInto(out, call, chirp.at, chirp.gain);
}

// Softens a bird song and sets it back among the trees.
void placeInTrees(Wave* w) {
  OnePole air = {};
  setOnePole(&air, 9000.0f);
  for (float& v : *w) v = lowPassStep(&air, v);
  addReverb(w, 0.35f, 0.5f, 0.25f);
}

// Per-call pitch variation, so repeated calls are not clones.
float vary(Noise* noise, float amount) {
  return 1.0f + amount * noiseSigned(noise);
}

// Runs `step(sample index)` over one period three times, keeping the last pass:
// every filter inside has then settled into the loop, so the result repeats.
template <typename Step>
Wave periodic(int samples, Step step) {
  Wave out(static_cast<size_t>(samples));
  for (int pass = 0; pass < 3; ++pass) {
    for (int i = 0; i < samples; ++i) out[static_cast<size_t>(i)] = step(i);
  }
  return out;
}

Wave whiteLoop(int samples, uint32_t seed) {
  Noise noise = makeNoise(seed);
  Wave w(static_cast<size_t>(samples));
  for (float& v : w) v = noiseSigned(&noise);
  return w;
}

// A slow swell with whole cycles in the period: cycles per period, depth.
float swell(int i, int samples, float cycles, float depth) {
  return 1.0f + depth * std::sin(kTwoPi * cycles * static_cast<float>(i) / static_cast<float>(samples));
}

}  // namespace

Wave buildBirds1() {
  // Quick rising chirps, a few falling "tew"s, a trill, and a distant answer.
  Wave out = silence(2.7f);
  Noise noise = makeNoise(301);
  for (int i = 0; i < 4; ++i) {
    const float k = vary(&noise, 0.04f);
    addChirp(&out, {0.10f + 0.12f * i, 0.07f, 2800.0f * k, 4300.0f * k, 3900.0f * k,
                    1.0f - 0.05f * i, 0.0f, 0.0f});
  }
  for (int i = 0; i < 3; ++i) {
    const float k = vary(&noise, 0.03f);
    addChirp(&out, {1.0f + 0.16f * i, 0.09f, 3400.0f * k, 3000.0f * k, 2600.0f * k, 0.8f, 0.0f, 0.0f});
  }
  addChirp(&out, {1.7f, 0.35f, 4200.0f, 4400.0f, 3900.0f, 0.7f, 26.0f, 0.08f});
  addChirp(&out, {2.2f, 0.06f, 3000.0f, 4000.0f, 3700.0f, 0.3f, 0.0f, 0.0f});
  addChirp(&out, {2.32f, 0.06f, 3000.0f, 4100.0f, 3800.0f, 0.28f, 0.0f, 0.0f});
  placeInTrees(&out);
  return out;
}

Wave buildBirds2() {
  // A two-note whistle, "tee-oo", three times, with a small bird flitting about.
  Wave out = silence(3.0f);
  Noise noise = makeNoise(302);
  for (int i = 0; i < 3; ++i) {
    const float at = 0.15f + 0.7f * i;
    const float k = vary(&noise, 0.03f);
    addChirp(&out, {at, 0.16f, 3200.0f * k, 3300.0f * k, 3100.0f * k, 0.9f, 0.0f, 0.0f});
    addChirp(&out, {at + 0.17f, 0.2f, 2500.0f * k, 2450.0f * k, 2300.0f * k, 0.85f, 7.0f, 0.01f});
  }
  for (const float at : {0.5f, 1.2f, 2.2f, 2.4f}) {
    const float k = vary(&noise, 0.05f);
    addChirp(&out, {at, 0.04f, 5000.0f * k, 5600.0f * k, 6000.0f * k, 0.3f, 0.0f, 0.0f});
  }
  placeInTrees(&out);
  return out;
}

Wave buildBirds3() {
  // A fast descending trill, two thin "tsip"s, and a shorter trill to close.
  Wave out = silence(2.8f);
  Noise noise = makeNoise(303);
  for (int i = 0; i < 14; ++i) {
    const float hz = 5200.0f - 1600.0f * static_cast<float>(i) / 13.0f;
    const float k = vary(&noise, 0.02f);
    const float gain = 0.5f + 0.5f * std::sin(kPi * (static_cast<float>(i) + 1.0f) / 15.0f);
    addChirp(&out, {0.2f + 0.055f * i, 0.035f, hz * k, hz * 0.93f * k, hz * 0.85f * k, gain, 0.0f, 0.0f});
  }
  addChirp(&out, {1.6f, 0.045f, 6200.0f, 5700.0f, 5200.0f, 0.6f, 0.0f, 0.0f});
  addChirp(&out, {1.9f, 0.045f, 6100.0f, 5600.0f, 5100.0f, 0.55f, 0.0f, 0.0f});
  for (int i = 0; i < 6; ++i) {
    const float hz = 4800.0f - 150.0f * i;
    addChirp(&out, {2.2f + 0.06f * i, 0.035f, hz, hz * 0.93f, hz * 0.86f, 0.45f, 0.0f, 0.0f});
  }
  placeInTrees(&out);
  return out;
}

Wave buildWaterfall() {
  // Falling water: a deep roar and a bright hiss over one noise loop, with a
  // splashy band whose loudness churns, all breathing slowly.
  const int samples = samplesFor(3.0f);
  const Wave white = whiteLoop(samples, 311);
  const Wave churnSource = whiteLoop(samples, 312);
  Biquad roar = {}, body = {}, hiss = {}, splash = {};
  setLowPass(&roar, 400.0f, 0.7f);
  setLowPass(&body, 1800.0f, 0.6f);
  setHighPass(&hiss, 3000.0f, 0.7f);
  setBandPass(&splash, 900.0f, 1.2f);
  OnePole churn = {};
  setOnePole(&churn, 6.0f);
  return periodic(samples, [&](int i) {
    const float x = white[static_cast<size_t>(i)];
    const float wobble = 1.0f + 14.0f * lowPassStep(&churn, churnSource[static_cast<size_t>(i)]);
    const float level = swell(i, samples, 1.0f, 0.10f) * swell(i, samples, 3.0f, 0.05f);
    return level * (2.2f * biquadStep(&roar, x) + 0.8f * biquadStep(&body, x) +
                    0.12f * biquadStep(&hiss, x) + 0.5f * wobble * biquadStep(&splash, x));
  });
}

Wave buildBrook() {
  // A brook: a gentle wash of water and many small bubbles, scattered round the
  // loop (ones that run past the end carry on at the start).
  const int samples = samplesFor(3.1f);
  const Wave white = whiteLoop(samples, 321);
  Biquad wash = {}, depth = {};
  setBandPass(&wash, 1100.0f, 0.7f);
  setLowPass(&depth, 500.0f, 0.7f);
  Wave out = periodic(samples, [&](int i) {
    const float x = white[static_cast<size_t>(i)];
    const float level = swell(i, samples, 2.0f, 0.15f) * swell(i, samples, 5.0f, 0.08f);
    return level * (0.5f * biquadStep(&wash, x) + 0.4f * biquadStep(&depth, x));
  });
  Noise noise = makeNoise(322);
  for (int bubble = 0; bubble < 150; ++bubble) {
    const int start = static_cast<int>(noiseUniform(&noise) * static_cast<float>(samples));
    const float u = noiseUniform(&noise);
    const bool low = bubble % 8 == 0;  // now and then a deeper gurgle
    const float hz = low ? 300.0f + 200.0f * u : 600.0f + 1800.0f * std::pow(u, 1.5f);
    const float seconds = 0.02f + 0.05f * noiseUniform(&noise);
    const float gain = 0.12f + 0.3f * noiseUniform(&noise);
    Phase phase = {};
    const Wave pop = renderWave(seconds + 0.03f, [&](float t) {
      return sineWave(phaseStep(&phase, hz * (1.0f + 8.0f * t))) * strike(t, 0.002f, seconds);
    });
    for (size_t k = 0; k < pop.size(); ++k) {
      out[(static_cast<size_t>(start) + k) % out.size()] += gain * pop[k];
    }
  }
  return out;
}
