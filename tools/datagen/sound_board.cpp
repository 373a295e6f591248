// sound_board.cpp: the sounds of play on the board: picking and moving a ball,
// balls appearing and popping, squares, chains, diamonds, bombs and the hammer.
// Pitched ones ("ball.ogg", "score.ogg") are short and clean so that they still
// sound right when the game plays them slower or faster.
#include <cmath>

#include "sound_recipes.h"

namespace {

// White noise through a fixed band-pass, shaped by strike().
Wave noiseTick(float seconds, uint32_t seed, float hz, float q, float attack, float t60) {
  Noise noise = makeNoise(seed);
  Biquad band = {};
  setBandPass(&band, hz, q);
  return renderWave(seconds, [&](float t) {
    return biquadStep(&band, noiseSigned(&noise)) * strike(t, attack, t60);
  });
}

// A struck metal bar: the inharmonic modes of a free bar.
Wave metalClink(float hz, float seconds, float t60) {
  return modalTone(hz, seconds,
                   {{1.0f, 1.0f, t60},
                    {2.76f, 0.6f, t60 * 0.7f},
                    {5.40f, 0.35f, t60 * 0.45f},
                    {8.93f, 0.2f, t60 * 0.3f}},
                   0.0004f);
}

// A small glass shard ringing.
Wave glassPing(float hz, float t60) {
  return modalTone(hz, t60 + 0.05f,
                   {{1.0f, 1.0f, t60}, {2.32f, 0.45f, t60 * 0.6f}, {4.25f, 0.2f, t60 * 0.4f}},
                   0.0003f);
}

// One blast: a falling sub thump, a roar of noise that darkens as it dies, and
// sparks crackling early on.
Wave blast(float seconds, uint32_t seed, float subFrom, float subTo, float subT60, float cutFrom,
           float roarT60) {
  Phase sub = {};
  Noise roarNoise = makeNoise(seed);
  Noise sparkNoise = makeNoise(seed + 1);
  Biquad body = {};
  Biquad sparkFilter = {};
  setHighPass(&sparkFilter, 2500.0f, 0.7f);
  return renderWave(seconds, [&](float t) {
    const float thump =
        sineWave(phaseStep(&sub, glideAt({{0.0f, subFrom}, {0.25f, subTo}}, t))) *
        strike(t, 0.002f, subT60);
    setLowPass(&body, glideAt({{0.0f, cutFrom}, {0.6f, 260.0f}, {seconds, 160.0f}}, t), 0.7f);
    const float roar = biquadStep(&body, noiseSigned(&roarNoise)) * strike(t, 0.001f, roarT60);
    float spark = 0.0f;
    if (noiseUniform(&sparkNoise) < 0.02f * decay60(t, 0.4f)) spark = noiseSigned(&sparkNoise);
    return 0.9f * thump + 1.2f * roar + 0.6f * biquadStep(&sparkFilter, spark);
  });
}

}  // namespace

Wave buildSelectBall() {
  // A soft pick-up: a short tone lifting in pitch with a tiny tick on top. Its
  // octave keeps it clear of the music's bass.
  Phase body = {}, overtone = {};
  Noise noise = makeNoise(101);
  Biquad click = {};
  setBandPass(&click, 3200.0f, 1.2f);
  return renderWave(0.16f, [&](float t) {
    const float hz = glideAt({{0.0f, 520.0f}, {0.04f, 880.0f}}, t);
    const float tone =
        sineWave(phaseStep(&body, hz)) + 0.35f * sineWave(phaseStep(&overtone, 2.0f * hz));
    const float tick = biquadStep(&click, noiseSigned(&noise)) * strike(t, 0.0005f, 0.015f);
    return 0.8f * strike(t, 0.002f, 0.13f) * tone + 0.35f * tick;
  });
}

Wave buildSelectAim() {
  // The start of a move: a short rising breath of air with a faint tone in it.
  Noise noise = makeNoise(102);
  Biquad band = {};
  Phase tone = {};
  return renderWave(0.3f, [&](float t) {
    setBandPass(&band, glideAt({{0.0f, 400.0f}, {0.25f, 3500.0f}}, t), 1.4f);
    const float shape = curveAt({{0.0f, 0.0f}, {0.07f, 1.0f}, {0.3f, 0.0f}}, t);
    const float envelope = shape * shape;
    const float air = biquadStep(&band, noiseSigned(&noise));
    const float rise =
        sineWave(phaseStep(&tone, glideAt({{0.0f, 300.0f}, {0.3f, 750.0f}}, t)));
    return envelope * (air + 0.15f * rise);
  });
}

Wave buildBallStand() {
  // A soft landing: a quickly damped knock on felt, pitched above the music's
  // bass so it is not lost under it.
  Phase body = {}, overtone = {};
  Noise noise = makeNoise(103);
  OnePole felt = {};
  setOnePole(&felt, 2500.0f);
  return renderWave(0.2f, [&](float t) {
    const float hz = glideAt({{0.0f, 460.0f}, {0.05f, 300.0f}}, t);
    const float knock =
        sineWave(phaseStep(&body, hz)) + 0.3f * sineWave(phaseStep(&overtone, 2.4f * hz));
    return strike(t, 0.002f, 0.2f) * knock +
           0.3f * lowPassStep(&felt, noiseSigned(&noise)) * strike(t, 0.0005f, 0.02f);
  });
}

Wave buildAddBall() {
  // Balls appearing: three soft bubble plops, each rising as bubbles do.
  Wave out = silence(0.36f);
  const float starts[3] = {0.0f, 0.07f, 0.14f};
  const float pitches[3] = {620.0f, 820.0f, 720.0f};
  const float gains[3] = {0.9f, 0.75f, 0.65f};
  for (int k = 0; k < 3; ++k) {
    Phase phase = {};
    const Wave plop = renderWave(0.2f, [&](float t) {
      return sineWave(phaseStep(&phase, pitches[k] * (1.0f + 6.0f * t))) *
             strike(t, 0.004f, 0.07f);
    });
    mixInto(&out, plop, starts[k], gains[k]);
  }
  return out;
}

Wave buildBall() {
  // The pop of matched balls: a bright plink that drops into its pitch within a
  // few milliseconds, an octave partial and a click of air.
  Phase body = {}, bright = {};
  Noise noise = makeNoise(105);
  Biquad click = {};
  setBandPass(&click, 4500.0f, 1.0f);
  return renderWave(0.22f, [&](float t) {
    const float hz = glideAt({{0.0f, 1500.0f}, {0.016f, 780.0f}, {0.22f, 720.0f}}, t);
    const float tone = sineWave(phaseStep(&body, hz)) * strike(t, 0.0006f, 0.14f) +
                       0.3f * sineWave(phaseStep(&bright, 2.01f * hz)) * strike(t, 0.0006f, 0.05f);
    const float tick = biquadStep(&click, noiseSigned(&noise)) * strike(t, 0.0003f, 0.012f);
    return tone + 0.5f * tick;
  });
}

Wave buildScore() {
  // A clean blip, high enough to stay a blip when played at half speed.
  Phase a = {}, b = {};
  return renderWave(0.09f, [&](float t) {
    const float hz = glideAt({{0.0f, 1700.0f}, {0.01f, 1800.0f}}, t);
    return strike(t, 0.001f, 0.07f) *
           (sineWave(phaseStep(&a, hz)) + 0.15f * sineWave(phaseStep(&b, 2.0f * hz)));
  });
}

Wave buildSquare() {
  // A tile cracking: two dry cracks and a short glassy ring.
  Noise noise = makeNoise(107);
  Biquad bright = {};
  setHighPass(&bright, 1800.0f, 0.7f);
  Wave out = renderWave(0.3f, [&](float t) {
    const float envelope = strike(t, 0.0003f, 0.03f) + 0.6f * strike(t - 0.012f, 0.0003f, 0.025f);
    return biquadStep(&bright, noiseSigned(&noise)) * envelope;
  });
  const Wave ring = modalTone(1900.0f, 0.3f,
                              {{1.0f, 1.0f, 0.25f},
                               {2.32f, 0.5f, 0.15f},
                               {4.25f, 0.3f, 0.1f},
                               {6.63f, 0.15f, 0.07f}},
                              0.0005f);
  mixInto(&out, ring, 0.004f, 0.35f);
  return out;
}

Wave buildChain() {
  // A chain breaking: links clinking against each other.
  Wave out = silence(0.45f);
  mixInto(&out, metalClink(1320.0f, 0.35f, 0.35f), 0.0f, 1.0f);
  mixInto(&out, noiseTick(0.03f, 108, 6000.0f, 1.0f, 0.0003f, 0.01f), 0.0f, 0.4f);
  mixInto(&out, metalClink(1580.0f, 0.3f, 0.3f), 0.075f, 0.7f);
  mixInto(&out, metalClink(1450.0f, 0.25f, 0.22f), 0.13f, 0.35f);
  return out;
}

Wave buildDiamond() {
  // A diamond bursting: shards of crystal scattering, a chime, a sparkle of air.
  Wave out = silence(1.0f);
  Noise noise = makeNoise(109);
  for (int shard = 0; shard < 22; ++shard) {
    const float u = noiseUniform(&noise);
    const float onset = 0.18f * u * u;
    const float hz = 2500.0f + 4500.0f * noiseUniform(&noise);
    const float t60 = 0.12f + 0.3f * noiseUniform(&noise);
    const float amplitude = (0.4f + 0.6f * noiseUniform(&noise)) * (1.0f - 3.0f * onset);
    mixInto(&out, glassPing(hz, t60), onset, 0.35f * amplitude);
  }
  const Wave chime = modalTone(noteHz(95.0f), 0.95f,
                               {{1.0f, 1.0f, 0.9f}, {2.0f, 0.25f, 0.5f}, {3.0f, 0.1f, 0.3f}},
                               0.001f);
  mixInto(&out, chime, 0.02f, 0.6f);
  const Wave upper = modalTone(noteHz(100.0f), 0.9f,
                               {{1.0f, 1.0f, 0.8f}, {2.0f, 0.2f, 0.4f}}, 0.001f);
  mixInto(&out, upper, 0.08f, 0.45f);
  mixInto(&out, noiseTick(0.05f, 110, 7000.0f, 0.8f, 0.0005f, 0.03f), 0.0f, 0.5f);
  addReverb(&out, 0.5f, 0.4f, 0.3f);
  return out;
}

Wave buildDiamondZap() {
  // The diamond's lightning: a falling "pew" and a buzzing, crackling arc whose
  // pitch jumps about.
  Noise jitter = makeNoise(111);
  Noise noise = makeNoise(112);
  Phase buzz = {}, pew = {};
  Biquad band = {}, crackle = {};
  setBandPass(&band, 1800.0f, 0.9f);
  setHighPass(&crackle, 3000.0f, 0.7f);
  float stepHz = 120.0f, nextStep = 0.0f, gate = 1.0f, nextGate = 0.0f;
  return renderWave(0.55f, [&](float t) {
    if (t >= nextStep) {
      stepHz = 80.0f + 160.0f * noiseUniform(&jitter);
      nextStep = t + 0.012f + 0.02f * noiseUniform(&jitter);
    }
    if (t >= nextGate) {
      gate = noiseUniform(&jitter) < 0.7f ? 1.0f : 0.15f;
      nextGate = t + 0.006f + 0.015f * noiseUniform(&jitter);
    }
    const float hz = stepHz * (1.0f + 0.4f * sineWave(31.0f * t));
    const float arc = biquadStep(&band, 0.8f * pulseStep(&buzz, hz, 0.3f) +
                                            0.5f * gate * biquadStep(&crackle, noiseSigned(&noise)));
    const float envelope = curveAt({{0.0f, 0.0f}, {0.008f, 1.0f}, {0.3f, 0.75f}, {0.55f, 0.0f}}, t);
    const float fall = sineWave(phaseStep(&pew, glideAt({{0.0f, 3200.0f}, {0.14f, 280.0f}}, t))) *
                       strike(t, 0.002f, 0.18f);
    return envelope * arc + 0.35f * fall;
  });
}

Wave buildBomb1() {
  Wave out = blast(1.2f, 113, 110.0f, 38.0f, 0.5f, 5000.0f, 0.85f);
  saturate(&out, 2.0f);
  addReverb(&out, 0.5f, 0.5f, 0.2f);
  return out;
}

Wave buildBomb2() {
  // Bigger than the triple bomb: two blasts on top of each other, a lower thump
  // and a rumble that rolls on.
  Wave out = blast(1.7f, 115, 95.0f, 30.0f, 0.9f, 7000.0f, 1.3f);
  mixInto(&out, blast(1.5f, 117, 80.0f, 32.0f, 0.8f, 4000.0f, 1.1f), 0.09f, 0.8f);
  PinkNoise pink = makePinkNoise(119);
  Biquad low = {};
  setLowPass(&low, 150.0f, 0.7f);
  const Wave rumble = renderWave(1.7f, [&](float t) {
    return biquadStep(&low, pinkStep(&pink)) * strike(t, 0.05f, 1.4f);
  });
  mixInto(&out, rumble, 0.0f, 3.0f);
  out.resize(static_cast<size_t>(samplesFor(1.7f)));
  saturate(&out, 2.5f);
  addReverb(&out, 0.7f, 0.5f, 0.25f);
  return out;
}

Wave buildHammer() {
  // A hammer blow: a heavy thump, the clank of its metal head and the impact.
  Phase body = {};
  Noise noise = makeNoise(121);
  Biquad impact = {};
  setLowPass(&impact, 3000.0f, 0.7f);
  Wave out = renderWave(0.55f, [&](float t) {
    const float thump = sineWave(phaseStep(&body, glideAt({{0.0f, 160.0f}, {0.08f, 60.0f}}, t))) *
                        strike(t, 0.001f, 0.25f);
    return thump + 0.9f * biquadStep(&impact, noiseSigned(&noise)) * strike(t, 0.0003f, 0.05f);
  });
  const Wave clank = modalTone(620.0f, 0.55f,
                               {{1.0f, 0.5f, 0.35f},
                                {2.76f, 0.35f, 0.2f},
                                {5.4f, 0.2f, 0.12f},
                                {8.93f, 0.1f, 0.08f}},
                               0.0005f);
  mixInto(&out, clank, 0.0f, 0.6f);
  saturate(&out, 1.5f);
  return out;
}

Wave buildDeleteBalls() {
  // The board clearing: a big sweep of air up and back down with a rising tone.
  Noise noise = makeNoise(123);
  Biquad band = {}, toneFilter = {};
  Phase sawA = {}, sawB = {};
  Wave out = renderWave(1.7f, [&](float t) {
    setBandPass(&band, glideAt({{0.0f, 300.0f}, {0.7f, 5000.0f}, {1.4f, 1500.0f}}, t), 2.0f);
    const float envelope = curveAt({{0.0f, 0.0f}, {0.45f, 1.0f}, {0.8f, 0.8f}, {1.4f, 0.0f}}, t);
    const float hz = glideAt({{0.0f, 150.0f}, {0.8f, 1200.0f}, {1.4f, 1300.0f}}, t);
    setLowPass(&toneFilter, hz * 3.0f, 0.8f);
    const float tone =
        biquadStep(&toneFilter, 0.5f * (sawStep(&sawA, hz) + sawStep(&sawB, hz * 1.007f)));
    return envelope * (1.2f * biquadStep(&band, noiseSigned(&noise)) + 0.25f * tone);
  });
  addReverb(&out, 0.7f, 0.4f, 0.3f);
  return out;
}
