// sound_jingles.cpp: rewards and stings (bonus, hammer charged, praise, extra
// life, level complete and lost) and the interface's clicks. The small tuned
// instruments here (bells, brass, plucks, chip tones, pads) play MIDI note
// numbers; the jingles are short phrases written out note by note.
#include <algorithm>
#include <cmath>

#include "sound_recipes.h"

namespace {

// A small bell: bright, clearly pitched, ringing out.
Wave bellNote(float midi, float seconds) {
  return modalTone(noteHz(midi), seconds,
                   {{1.0f, 1.0f, 1.2f}, {2.0f, 0.3f, 0.6f}, {3.0f, 0.12f, 0.35f}, {4.2f, 0.06f, 0.2f}},
                   0.001f);
}

// A brass note: two detuned saws whose low-pass opens with the loudness, a
// gentle vibrato once the note has settled. `muted` darkens it and adds a wah.
Wave brassNote(float midi, float seconds, float vibrato, bool muted) {
  const float hz = noteHz(midi);
  Phase a = {}, b = {};
  Biquad tone = {};
  return renderWave(seconds, [&](float t) {
    const float release = std::clamp((seconds - t) / 0.06f, 0.0f, 1.0f);
    const float level = std::min(1.0f, t / 0.03f) * (0.85f + 0.15f * decay60(t, 0.2f)) * release;
    const float wobble = 1.0f + vibrato * std::min(1.0f, t / 0.25f) * sineWave(5.5f * t);
    const float opening = muted ? 1.0f + 2.5f * curveAt({{0.0f, 0.2f}, {0.08f, 1.0f}, {seconds, 0.1f}}, t)
                                : 1.5f + 4.0f * level;
    setLowPass(&tone, hz * opening, muted ? 2.0f : 0.9f);
    const float source = 0.5f * (sawStep(&a, hz * wobble) + sawStep(&b, hz * wobble * 1.004f));
    return level * biquadStep(&tone, source);
  });
}

// A chip-style tone: a narrow pulse over a triangle, struck and released.
Wave chipNote(float midi, float seconds) {
  const float hz = noteHz(midi);
  Phase pulse = {}, triangle = {};
  return renderWave(seconds, [&](float t) {
    const float release = std::clamp((seconds - t) / 0.02f, 0.0f, 1.0f);
    const float level = strike(t, 0.002f, 0.5f) * release;
    return level * (0.35f * pulseStep(&pulse, hz, 0.25f) +
                    0.65f * triangleWave(phaseStep(&triangle, hz)));
  });
}

// A plucked string at a note.
Wave pluckNote(float midi, float seconds, uint32_t seed) {
  Wave w = pluckString(noteHz(midi), seconds, 0.7f, 0.5f, seed);
  fadeEdges(&w, 0.0f, 30.0f);
  return w;
}

// A soft pad chord: three detuned saws per note through a low-pass, slow to
// rise and fall.
Wave padChord(std::initializer_list<float> notes, float seconds, float attack) {
  Wave out = silence(seconds);
  for (const float midi : notes) {
    const float hz = noteHz(midi);
    Phase saws[3] = {};
    Biquad warm = {};
    setLowPass(&warm, std::min(2400.0f, hz * 4.0f), 0.7f);
    const Wave voice = renderWave(seconds, [&](float t) {
      const float level = std::min(1.0f, t / attack) * std::clamp((seconds - t) / 0.4f, 0.0f, 1.0f);
      const float source = sawStep(&saws[0], hz) + sawStep(&saws[1], hz * 1.005f) +
                           sawStep(&saws[2], hz * 0.995f);
      return level * biquadStep(&warm, source / 3.0f);
    });
    mixInto(&out, voice, 0.0f, 1.0f);
  }
  return out;
}

// A wooden tock: the click of a menu choice.
Wave tock(float hz, float seconds, uint32_t seed) {
  Wave out = modalTone(hz, seconds, {{1.0f, 1.0f, 0.08f}, {2.8f, 0.35f, 0.04f}}, 0.0004f);
  Noise noise = makeNoise(seed);
  OnePole soft = {};
  setOnePole(&soft, 4000.0f);
  const Wave click = renderWave(0.02f, [&](float t) {
    return lowPassStep(&soft, noiseSigned(&noise)) * strike(t, 0.0002f, 0.008f);
  });
  mixInto(&out, click, 0.0f, 0.35f);
  return out;
}

// One formant-sung "wow": the mouth opens from "oo" to "ah" and closes again
// while the pitch rises and falls.
Wave wowVoice(float pitchScale, uint32_t seed) {
  Phase glottis = {};
  Noise breath = makeNoise(seed);
  Biquad f1 = {}, f2 = {}, f3 = {};
  return renderWave(0.85f, [&](float t) {
    const float vibrato = 1.0f + 0.012f * std::min(1.0f, t * 4.0f) * sineWave(5.5f * t);
    const float f0 =
        glideAt({{0.0f, 175.0f}, {0.22f, 255.0f}, {0.5f, 235.0f}, {0.8f, 165.0f}}, t) * pitchScale *
        vibrato;
    const float source = sawStep(&glottis, f0) + 0.05f * noiseSigned(&breath);
    const float a = curveAt({{0.0f, 300.0f}, {0.22f, 760.0f}, {0.5f, 720.0f}, {0.78f, 330.0f}}, t);
    const float b = curveAt({{0.0f, 700.0f}, {0.22f, 1200.0f}, {0.5f, 1150.0f}, {0.78f, 750.0f}}, t);
    const float c = curveAt({{0.0f, 2250.0f}, {0.22f, 2500.0f}, {0.78f, 2300.0f}}, t);
    setBandPass(&f1, a, a / 90.0f);
    setBandPass(&f2, b, b / 110.0f);
    setBandPass(&f3, c, c / 150.0f);
    const float voiced =
        biquadStep(&f1, source) + 0.6f * biquadStep(&f2, source) + 0.25f * biquadStep(&f3, source);
    return curveAt({{0.0f, 0.0f}, {0.06f, 1.0f}, {0.55f, 0.9f}, {0.82f, 0.0f}}, t) * voiced;
  });
}

// A two-part buzz of a refusal.
Wave buzz(float hz, float seconds) {
  Phase pulse = {}, saw = {};
  Biquad dull = {};
  setLowPass(&dull, 1100.0f, 0.9f);
  return renderWave(seconds, [&](float t) {
    const float level = std::min(1.0f, t / 0.005f) * std::clamp((seconds - t) / 0.025f, 0.0f, 1.0f);
    const float pitch = hz * (1.0f - 0.04f * t / seconds);
    return level * biquadStep(&dull, 0.5f * pulseStep(&pulse, pitch, 0.5f) +
                                         0.5f * sawStep(&saw, pitch));
  });
}

}  // namespace

Wave buildAddBonus() {
  // Something magical arrives: a quick rising bell arpeggio and a sparkle.
  Wave out = silence(0.9f);
  const float notes[4] = {88.0f, 92.0f, 95.0f, 100.0f};  // E major, upwards
  for (int i = 0; i < 4; ++i) mixInto(&out, bellNote(notes[i], 0.7f), 0.06f * i, 0.8f - 0.03f * i);
  Noise noise = makeNoise(201);
  for (int grain = 0; grain < 30; ++grain) {
    const float at = 0.15f + 0.45f * noiseUniform(&noise);
    const float hz = 5000.0f + 4000.0f * noiseUniform(&noise);
    Phase phase = {};
    const Wave sparkle = renderWave(0.03f, [&](float t) {
      return sineWave(phaseStep(&phase, hz)) * strike(t, 0.002f, 0.015f);
    });
    mixInto(&out, sparkle, at, 0.1f);
  }
  out.resize(static_cast<size_t>(samplesFor(0.9f)));
  addReverb(&out, 0.6f, 0.3f, 0.35f);
  return out;
}

Wave buildGetHammer() {
  // Powered up: a sweep climbing into a bright chord.
  Phase saw = {};
  Biquad filter = {};
  Wave out = renderWave(0.9f, [&](float t) {
    const float hz = glideAt({{0.0f, 180.0f}, {0.38f, 1400.0f}}, t);
    setLowPass(&filter, hz * 3.0f, 1.2f);
    const float envelope = curveAt({{0.0f, 0.0f}, {0.02f, 0.5f}, {0.36f, 0.9f}, {0.42f, 0.0f}}, t);
    return envelope * biquadStep(&filter, sawStep(&saw, hz));
  });
  for (const float note : {84.0f, 88.0f, 91.0f}) mixInto(&out, bellNote(note, 0.5f), 0.36f, 0.45f);
  mixInto(&out, chipNote(96.0f, 0.3f), 0.36f, 0.3f);
  out.resize(static_cast<size_t>(samplesFor(0.9f)));
  addReverb(&out, 0.4f, 0.4f, 0.2f);
  return out;
}

Wave buildExcellent() {
  // Praise: a brass pick-up into a held C major chord, crowned by a bell.
  Wave out = silence(1.7f);
  mixInto(&out, brassNote(67.0f, 0.14f, 0.0f, false), 0.0f, 0.8f);
  mixInto(&out, brassNote(72.0f, 0.14f, 0.0f, false), 0.11f, 0.8f);
  mixInto(&out, brassNote(76.0f, 0.14f, 0.0f, false), 0.22f, 0.8f);
  mixInto(&out, brassNote(79.0f, 0.85f, 0.006f, false), 0.33f, 0.8f);
  mixInto(&out, brassNote(76.0f, 0.85f, 0.006f, false), 0.33f, 0.5f);
  mixInto(&out, brassNote(72.0f, 0.85f, 0.006f, false), 0.33f, 0.45f);
  mixInto(&out, bellNote(91.0f, 0.8f), 0.33f, 0.35f);
  out.resize(static_cast<size_t>(samplesFor(1.7f)));
  addReverb(&out, 0.5f, 0.4f, 0.25f);
  return out;
}

Wave buildAddLife() {
  // An extra life: a quick chip arpeggio that lands high, with an echo.
  Wave out = silence(1.0f);
  const float notes[7] = {79.0f, 84.0f, 88.0f, 91.0f, 88.0f, 91.0f, 96.0f};
  for (int i = 0; i < 7; ++i) {
    mixInto(&out, chipNote(notes[i], i == 6 ? 0.45f : 0.08f), 0.07f * i, 1.0f);
  }
  out.resize(static_cast<size_t>(samplesFor(1.0f)));
  addEcho(&out, 0.11f, 0.3f, 0.35f);
  return out;
}

Wave buildWow() {
  // A small crowd going "wow": three voices, a little apart in pitch and time.
  Wave out = silence(1.2f);
  mixInto(&out, wowVoice(1.0f, 211), 0.0f, 1.0f);
  mixInto(&out, wowVoice(1.19f, 212), 0.025f, 0.7f);
  mixInto(&out, wowVoice(0.84f, 213), 0.04f, 0.6f);
  addReverb(&out, 0.4f, 0.5f, 0.2f);
  return out;
}

Wave buildLevelComplete() {
  // Success: a G chord strummed into a ringing C major with bells and a pad.
  Wave out = silence(2.5f);
  const float dominant[3] = {67.0f, 71.0f, 74.0f};
  for (int i = 0; i < 3; ++i) mixInto(&out, pluckNote(dominant[i], 0.3f, 220 + i), 0.025f * i, 0.7f);
  const float tonic[4] = {72.0f, 76.0f, 79.0f, 84.0f};
  for (int i = 0; i < 4; ++i) {
    mixInto(&out, pluckNote(tonic[i], 1.4f, 230 + i), 0.28f + 0.03f * i, 0.75f);
    mixInto(&out, bellNote(tonic[i] + 12.0f, 1.0f), 0.28f + 0.07f * i, 0.25f);
  }
  mixInto(&out, bellNote(96.0f, 1.0f), 0.6f, 0.3f);
  mixInto(&out, padChord({60.0f, 64.0f, 67.0f, 72.0f}, 1.72f, 0.2f), 0.28f, 0.25f);
  out.resize(static_cast<size_t>(samplesFor(2.5f)));
  addReverb(&out, 0.6f, 0.4f, 0.3f);
  return out;
}

Wave buildLevelDefeat() {
  // The board is full: a muted horn sighing down in steps, the last note wobbling.
  Wave out = silence(2.1f);
  mixInto(&out, brassNote(67.0f, 0.25f, 0.0f, true), 0.0f, 1.0f);
  mixInto(&out, brassNote(66.0f, 0.25f, 0.0f, true), 0.27f, 1.0f);
  mixInto(&out, brassNote(65.0f, 0.25f, 0.0f, true), 0.54f, 1.0f);
  mixInto(&out, brassNote(64.0f, 0.75f, 0.02f, true), 0.81f, 1.0f);
  out.resize(static_cast<size_t>(samplesFor(2.1f)));
  addReverb(&out, 0.4f, 0.5f, 0.2f);
  return out;
}

Wave buildDefeat() {
  // The end of a game: a low, soft A minor chord and a deep bell.
  Wave out = padChord({45.0f, 52.0f, 57.0f, 60.0f}, 2.0f, 0.12f);
  out.resize(static_cast<size_t>(samplesFor(2.6f)), 0.0f);
  mixInto(&out, modalTone(noteHz(57.0f), 1.8f, {{1.0f, 1.0f, 1.5f}, {2.0f, 0.2f, 0.8f}}, 0.002f),
          0.0f, 0.4f);
  Phase low = {};
  const Wave floor = renderWave(1.8f, [&](float t) {
    return sineWave(phaseStep(&low, noteHz(33.0f))) * strike(t, 0.01f, 1.2f);
  });
  mixInto(&out, floor, 0.0f, 0.5f);
  addReverb(&out, 0.6f, 0.5f, 0.25f);
  return out;
}

Wave buildMenu() {
  // A choice confirmed: two wooden tocks, the second higher.
  Wave out = silence(0.16f);
  mixInto(&out, tock(1050.0f, 0.11f, 231), 0.0f, 1.0f);
  mixInto(&out, tock(1400.0f, 0.11f, 232), 0.045f, 0.75f);
  out.resize(static_cast<size_t>(samplesFor(0.16f)));
  return out;
}

Wave buildMenu2() {
  // Moving between items: the lightest tick, with just enough ring to be heard.
  Wave out = modalTone(2200.0f, 0.1f, {{1.0f, 1.0f, 0.07f}, {2.7f, 0.3f, 0.03f}}, 0.0004f);
  Noise noise = makeNoise(241);
  Biquad air = {};
  setHighPass(&air, 5000.0f, 0.7f);
  const Wave click = renderWave(0.01f, [&](float t) {
    return biquadStep(&air, noiseSigned(&noise)) * strike(t, 0.0002f, 0.004f);
  });
  mixInto(&out, click, 0.0f, 0.1f);
  return out;
}

Wave buildChpok() {
  // "Chpok": a cork-like pop, a burst of air and a quickly falling tone.
  Noise noise = makeNoise(251);
  Biquad band = {};
  setBandPass(&band, 1500.0f, 1.0f);
  Phase body = {};
  return renderWave(0.16f, [&](float t) {
    const float air = biquadStep(&band, noiseSigned(&noise)) * strike(t, 0.0003f, 0.012f);
    const float tone = sineWave(phaseStep(&body, glideAt({{0.0f, 950.0f}, {0.04f, 260.0f}}, t))) *
                       strike(t, 0.001f, 0.1f);
    return 0.8f * air + tone;
  });
}

Wave buildGaf() {
  // "Nope": two low buzzes, the second lower.
  Wave out = silence(0.36f);
  mixInto(&out, buzz(150.0f, 0.12f), 0.0f, 1.0f);
  mixInto(&out, buzz(115.0f, 0.17f), 0.16f, 1.0f);
  out.resize(static_cast<size_t>(samplesFor(0.36f)));
  saturate(&out, 1.3f);
  return out;
}
