// synth.h: the small synthesiser behind the sound effects and the music's
// instruments. Sounds are mono float buffers at 44100 Hz, built sample by sample
// from stateful units (phases, noise, filters, delay lines) and finished with
// buffer helpers (mixing, fades, reverb, normalising). Everything random comes
// from seeded generators, so a recipe always gives the same samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

constexpr int kSynthRate = 44100;
constexpr float kPi = 3.14159265358979f;
constexpr float kTwoPi = 6.28318530718f;

using Wave = std::vector<float>;

// ---------------------------------------------------------------------------
// Time and pitch

// Samples in `seconds` (rounded).
int samplesFor(float seconds);
// The time of sample i in seconds.
float timeAt(int i);
// Frequency of a MIDI note number (69 = A4 = 440 Hz).
float noteHz(float midiNote);

// A wave of `seconds` whose samples come from sample(t), t in seconds, in order
// (so the callable may keep state: phases, filters, noise).
template <typename SampleAt>
Wave renderWave(float seconds, SampleAt sample) {
  Wave w(static_cast<size_t>(samplesFor(seconds)));
  for (size_t i = 0; i < w.size(); ++i) w[i] = sample(timeAt(static_cast<int>(i)));
  return w;
}

// ---------------------------------------------------------------------------
// Noise

// A seeded xorshift generator; the seed is never 0 inside.
struct Noise {
  uint32_t state;
};
Noise makeNoise(uint32_t seed);
float noiseUniform(Noise* noise);  // [0, 1)
float noiseSigned(Noise* noise);   // [-1, 1)

// Pink noise (equal energy per octave) from white, roughly unit peak.
struct PinkNoise {
  Noise white;
  float b[7];
};
PinkNoise makePinkNoise(uint32_t seed);
float pinkStep(PinkNoise* pink);

// ---------------------------------------------------------------------------
// Oscillators: a phase in cycles, advanced by a frequency each sample

struct Phase {
  double cycles;  // 0..1
};
// Returns the phase before the step, then advances it by hz / 44100.
float phaseStep(Phase* phase, float hz);
float sineWave(float cycles);
float triangleWave(float cycles);
// Band-limited sawtooth and pulse (polyBLEP): the phase and its step are needed
// to smooth the jumps.
float sawStep(Phase* phase, float hz);
float pulseStep(Phase* phase, float hz, float width);
// Two-operator FM (phase modulation): a sine carrier at hz whose phase is pushed
// by a sine modulator at hz * ratio, `index` radians deep.
float fmStep(Phase* carrier, Phase* modulator, float hz, float ratio, float index);

// ---------------------------------------------------------------------------
// Envelopes

// A breakpoint curve: (seconds, value) pairs, linear between them, held beyond
// the ends.
struct CurvePoint {
  float t;
  float v;
};
float curveAt(std::initializer_list<CurvePoint> points, float t);
// The same, but geometric between points (for pitches and cut-offs); values > 0.
float glideAt(std::initializer_list<CurvePoint> points, float t);
// exp decay reaching -60 dB after t60 seconds.
float decay60(float t, float t60);
// A quick linear attack (seconds) followed by decay60.
float strike(float t, float attack, float t60);

// ---------------------------------------------------------------------------
// Filters

// Second-order section in direct form I (coefficients from the audio EQ
// cookbook); setting new coefficients keeps the state, so cut-offs can sweep.
struct Biquad {
  float b0, b1, b2, a1, a2;
  float x1, x2, y1, y2;
};
void setLowPass(Biquad* f, float hz, float q);
void setHighPass(Biquad* f, float hz, float q);
void setBandPass(Biquad* f, float hz, float q);  // 0 dB peak gain
float biquadStep(Biquad* f, float x);

// One-pole low-pass; the high-pass is the input minus it.
struct OnePole {
  float a;  // coefficient of the new input
  float y;
};
void setOnePole(OnePole* f, float hz);
float lowPassStep(OnePole* f, float x);
float highPassStep(OnePole* f, float x);

// ---------------------------------------------------------------------------
// Instruments as units

// A struck or plucked string (Karplus-Strong with a tuned all-pass for exact
// pitch). `brightness` 0..1 colours the pluck's noise burst, `damping` 0..1 how
// much the loop filter dulls the tone per pass.
Wave pluckString(float hz, float seconds, float brightness, float damping, uint32_t seed);

// A sum of decaying sine modes (bells, bars, glass): frequency ratio to the base,
// amplitude and time to -60 dB of each.
struct Mode {
  float ratio;
  float amplitude;
  float t60;
};
Wave modalTone(float baseHz, float seconds, std::initializer_list<Mode> modes, float attack);

// ---------------------------------------------------------------------------
// Buffer helpers

Wave silence(float seconds);
// Adds src * gain into dst starting at `atSeconds`; dst grows when needed.
void mixInto(Wave* dst, const Wave& src, float atSeconds, float gain);
// Raised-cosine fades at the ends (milliseconds); keeps the ends free of clicks.
void fadeEdges(Wave* w, float inMs, float outMs);
// Scales so the largest magnitude becomes `peak` (a silent wave stays silent).
void normalise(Wave* w, float peak);
// tanh saturation of the wave taken to unit peak, `drive` 1 gentle, 3 heavy;
// then scaled back to the old peak.
void saturate(Wave* w, float drive);
// A plate-like reverb (parallel combs into series all-passes); `size` 0..1 sets
// the tail, `damping` 0..1 how dark it is, `wet` the mix. The wave keeps its
// length, so leave room for the tail.
void addReverb(Wave* w, float size, float damping, float wet);
// Feedback echo of `delaySeconds`.
void addEcho(Wave* w, float delaySeconds, float feedback, float wet);
// Removes any constant offset so fades end at true zero.
void removeOffset(Wave* w);

float peakOf(const Wave& w);
float rmsOf(const Wave& w);
