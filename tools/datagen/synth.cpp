// synth.cpp: the synthesiser's units and buffer helpers (see synth.h).
#include "synth.h"

#include <algorithm>
#include <cmath>

// ---------------------------------------------------------------------------
// Time and pitch

int samplesFor(float seconds) {
  return std::max(0, static_cast<int>(std::lround(seconds * kSynthRate)));
}

float timeAt(int i) {
  return static_cast<float>(i) / kSynthRate;
}

float noteHz(float midiNote) {
  return 440.0f * std::pow(2.0f, (midiNote - 69.0f) / 12.0f);
}

// ---------------------------------------------------------------------------
// Noise

Noise makeNoise(uint32_t seed) {
  // Mixes the seed so that neighbouring seeds start far apart.
  uint32_t state = seed * 2654435761u + 0x9E3779B9u;
  return Noise{state == 0 ? 0x12345678u : state};
}

float noiseUniform(Noise* noise) {
  uint32_t x = noise->state;
  x ^= x << 13;
  x ^= x >> 17;
  x ^= x << 5;
  noise->state = x;
  return static_cast<float>(x >> 8) * (1.0f / 16777216.0f);
}

float noiseSigned(Noise* noise) {
  return noiseUniform(noise) * 2.0f - 1.0f;
}

PinkNoise makePinkNoise(uint32_t seed) {
  PinkNoise pink = {};
  pink.white = makeNoise(seed);
  return pink;
}

float pinkStep(PinkNoise* pink) {
  // Paul Kellet's refined filter bank.
  const float white = noiseSigned(&pink->white);
  float* b = pink->b;
  b[0] = 0.99886f * b[0] + white * 0.0555179f;
  b[1] = 0.99332f * b[1] + white * 0.0750759f;
  b[2] = 0.96900f * b[2] + white * 0.1538520f;
  b[3] = 0.86650f * b[3] + white * 0.3104856f;
  b[4] = 0.55000f * b[4] + white * 0.5329522f;
  b[5] = -0.7616f * b[5] - white * 0.0168980f;
  const float out = b[0] + b[1] + b[2] + b[3] + b[4] + b[5] + b[6] + white * 0.5362f;
  b[6] = white * 0.115926f;
  return out * 0.2f;
}

// ---------------------------------------------------------------------------
// Oscillators

float phaseStep(Phase* phase, float hz) {
  const float now = static_cast<float>(phase->cycles);
  phase->cycles += static_cast<double>(hz) / kSynthRate;
  phase->cycles -= std::floor(phase->cycles);
  return now;
}

float sineWave(float cycles) {
  return std::sin(kTwoPi * cycles);
}

float triangleWave(float cycles) {
  const float c = cycles - std::floor(cycles);
  return c < 0.5f ? 4.0f * c - 1.0f : 3.0f - 4.0f * c;
}

// The polyBLEP correction around a jump at phase 0 for a phase step dt.
static float polyBlep(float t, float dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0f;
  }
  if (t > 1.0f - dt) {
    t = (t - 1.0f) / dt;
    return t * t + t + t + 1.0f;
  }
  return 0.0f;
}

float sawStep(Phase* phase, float hz) {
  const float dt = hz / kSynthRate;
  const float t = phaseStep(phase, hz);
  return 2.0f * t - 1.0f - polyBlep(t, dt);
}

float fmStep(Phase* carrier, Phase* modulator, float hz, float ratio, float index) {
  const float m = sineWave(phaseStep(modulator, hz * ratio));
  return std::sin(kTwoPi * phaseStep(carrier, hz) + index * m);
}

float pulseStep(Phase* phase, float hz, float width) {
  const float dt = hz / kSynthRate;
  const float t = phaseStep(phase, hz);
  float shifted = t + (1.0f - width);
  shifted -= std::floor(shifted);
  const float a = 2.0f * t - 1.0f - polyBlep(t, dt);
  const float b = 2.0f * shifted - 1.0f - polyBlep(shifted, dt);
  return 0.5f * (a - b) + (width - 0.5f);
}

// ---------------------------------------------------------------------------
// Envelopes

float curveAt(std::initializer_list<CurvePoint> points, float t) {
  const CurvePoint* previous = points.begin();
  if (t <= previous->t) return previous->v;
  for (const CurvePoint* p = points.begin() + 1; p != points.end(); ++p) {
    if (t < p->t) {
      const float span = p->t - previous->t;
      const float k = span > 0.0f ? (t - previous->t) / span : 1.0f;
      return previous->v + (p->v - previous->v) * k;
    }
    previous = p;
  }
  return previous->v;
}

float glideAt(std::initializer_list<CurvePoint> points, float t) {
  const CurvePoint* previous = points.begin();
  if (t <= previous->t) return previous->v;
  for (const CurvePoint* p = points.begin() + 1; p != points.end(); ++p) {
    if (t < p->t) {
      const float span = p->t - previous->t;
      const float k = span > 0.0f ? (t - previous->t) / span : 1.0f;
      return previous->v * std::pow(p->v / previous->v, k);
    }
    previous = p;
  }
  return previous->v;
}

float decay60(float t, float t60) {
  return t <= 0.0f ? 1.0f : std::exp(-6.9078f * t / t60);
}

float strike(float t, float attack, float t60) {
  if (t < 0.0f) return 0.0f;
  if (t < attack) return t / attack;
  return decay60(t - attack, t60);
}

// ---------------------------------------------------------------------------
// Filters

// Shared cookbook set-up: w0 and alpha for a cut-off clamped below Nyquist.
static void cookbook(float hz, float q, float* cosW, float* alpha) {
  const float clamped = std::clamp(hz, 10.0f, kSynthRate * 0.45f);
  const float w0 = kTwoPi * clamped / kSynthRate;
  *cosW = std::cos(w0);
  *alpha = std::sin(w0) / (2.0f * q);
}

static void setCoefficients(Biquad* f, float b0, float b1, float b2, float a0, float a1,
                            float a2) {
  f->b0 = b0 / a0;
  f->b1 = b1 / a0;
  f->b2 = b2 / a0;
  f->a1 = a1 / a0;
  f->a2 = a2 / a0;
}

void setLowPass(Biquad* f, float hz, float q) {
  float c, alpha;
  cookbook(hz, q, &c, &alpha);
  setCoefficients(f, (1.0f - c) / 2.0f, 1.0f - c, (1.0f - c) / 2.0f, 1.0f + alpha, -2.0f * c,
                  1.0f - alpha);
}

void setHighPass(Biquad* f, float hz, float q) {
  float c, alpha;
  cookbook(hz, q, &c, &alpha);
  setCoefficients(f, (1.0f + c) / 2.0f, -(1.0f + c), (1.0f + c) / 2.0f, 1.0f + alpha, -2.0f * c,
                  1.0f - alpha);
}

void setBandPass(Biquad* f, float hz, float q) {
  float c, alpha;
  cookbook(hz, q, &c, &alpha);
  setCoefficients(f, alpha, 0.0f, -alpha, 1.0f + alpha, -2.0f * c, 1.0f - alpha);
}

float biquadStep(Biquad* f, float x) {
  const float y = f->b0 * x + f->b1 * f->x1 + f->b2 * f->x2 - f->a1 * f->y1 - f->a2 * f->y2;
  f->x2 = f->x1;
  f->x1 = x;
  f->y2 = f->y1;
  f->y1 = y;
  return y;
}

void setOnePole(OnePole* f, float hz) {
  f->a = 1.0f - std::exp(-kTwoPi * std::clamp(hz, 1.0f, kSynthRate * 0.45f) / kSynthRate);
}

float lowPassStep(OnePole* f, float x) {
  f->y += f->a * (x - f->y);
  return f->y;
}

float highPassStep(OnePole* f, float x) {
  return x - lowPassStep(f, x);
}

// ---------------------------------------------------------------------------
// Instruments as units

Wave pluckString(float hz, float seconds, float brightness, float damping, uint32_t seed) {
  // Loop delay = line + loop filter (s samples) + all-pass (d samples).
  const float period = kSynthRate / hz;
  const float s = 0.5f * std::clamp(damping, 0.05f, 1.0f);
  const int line = std::max(2, static_cast<int>(std::floor(period - s - 0.5f)));
  const float d = period - s - static_cast<float>(line);
  const float c = (1.0f - d) / (1.0f + d);

  Wave delay(static_cast<size_t>(line));
  Noise noise = makeNoise(seed);
  OnePole tone = {};
  setOnePole(&tone, 200.0f + 12000.0f * brightness * brightness);
  float mean = 0.0f;
  for (float& v : delay) {
    v = lowPassStep(&tone, noiseSigned(&noise));
    mean += v;
  }
  mean /= static_cast<float>(line);
  for (float& v : delay) v -= mean;

  Wave out(static_cast<size_t>(samplesFor(seconds)));
  float previous = 0.0f, apIn = 0.0f, apOut = 0.0f;
  size_t at = 0;
  for (float& o : out) {
    const float current = delay[at];
    o = current;
    const float filtered = (1.0f - s) * current + s * previous;
    previous = current;
    const float shifted = c * filtered + apIn - c * apOut;
    apIn = filtered;
    apOut = shifted;
    delay[at] = shifted * 0.9995f;
    at = (at + 1) % delay.size();
  }
  return out;
}

Wave modalTone(float baseHz, float seconds, std::initializer_list<Mode> modes, float attack) {
  Wave out(static_cast<size_t>(samplesFor(seconds)), 0.0f);
  for (const Mode& mode : modes) {
    const float hz = baseHz * mode.ratio;
    if (hz > kSynthRate * 0.45f) continue;  // would alias
    Phase phase = {};
    for (size_t i = 0; i < out.size(); ++i) {
      const float t = timeAt(static_cast<int>(i));
      out[i] += mode.amplitude * strike(t, attack, mode.t60) * sineWave(phaseStep(&phase, hz));
    }
  }
  return out;
}

// ---------------------------------------------------------------------------
// Buffer helpers

Wave silence(float seconds) {
  return Wave(static_cast<size_t>(samplesFor(seconds)), 0.0f);
}

void mixInto(Wave* dst, const Wave& src, float atSeconds, float gain) {
  const size_t start = static_cast<size_t>(samplesFor(atSeconds));
  if (dst->size() < start + src.size()) dst->resize(start + src.size(), 0.0f);
  for (size_t i = 0; i < src.size(); ++i) (*dst)[start + i] += src[i] * gain;
}

void fadeEdges(Wave* w, float inMs, float outMs) {
  const size_t n = w->size();
  const size_t in = std::min(n, static_cast<size_t>(samplesFor(inMs / 1000.0f)));
  const size_t out = std::min(n, static_cast<size_t>(samplesFor(outMs / 1000.0f)));
  for (size_t i = 0; i < in; ++i) {
    (*w)[i] *= 0.5f - 0.5f * std::cos(kPi * static_cast<float>(i) / static_cast<float>(in));
  }
  for (size_t i = 0; i < out; ++i) {
    // The last sample lands on exactly zero.
    const float k = static_cast<float>(i) / static_cast<float>(out > 1 ? out - 1 : 1);
    (*w)[n - 1 - i] *= 0.5f - 0.5f * std::cos(kPi * k);
  }
}

void normalise(Wave* w, float peak) {
  const float current = peakOf(*w);
  if (current <= 0.0f) return;
  const float k = peak / current;
  for (float& v : *w) v *= k;
}

void saturate(Wave* w, float drive) {
  const float before = peakOf(*w);
  normalise(w, 1.0f);  // the drive means the same whatever the level
  for (float& v : *w) v = std::tanh(v * drive);
  normalise(w, before);
}

void addReverb(Wave* w, float size, float damping, float wet) {
  // Comb and all-pass lengths of the classic design, prime-ish so echoes never
  // line up.
  static const int kCombs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  static const int kAllPasses[4] = {556, 441, 341, 225};
  const float feedback = 0.7f + 0.28f * std::clamp(size, 0.0f, 1.0f);
  std::vector<Wave> combs;
  std::vector<float> combLow(8, 0.0f);
  for (const int length : kCombs) combs.push_back(Wave(static_cast<size_t>(length), 0.0f));
  std::vector<Wave> allPasses;
  for (const int length : kAllPasses) allPasses.push_back(Wave(static_cast<size_t>(length), 0.0f));
  std::vector<size_t> combAt(8, 0), allPassAt(4, 0);

  for (float& sample : *w) {
    const float input = sample * 0.015f;
    float out = 0.0f;
    for (size_t c = 0; c < combs.size(); ++c) {
      float& cell = combs[c][combAt[c]];
      const float y = cell;
      combLow[c] = y * (1.0f - damping) + combLow[c] * damping;
      cell = input + combLow[c] * feedback;
      combAt[c] = (combAt[c] + 1) % combs[c].size();
      out += y;
    }
    for (size_t a = 0; a < allPasses.size(); ++a) {
      float& cell = allPasses[a][allPassAt[a]];
      const float buffered = cell;
      cell = out + buffered * 0.5f;
      out = buffered - out;
      allPassAt[a] = (allPassAt[a] + 1) % allPasses[a].size();
    }
    sample += out * 3.0f * wet;
  }
}

void addEcho(Wave* w, float delaySeconds, float feedback, float wet) {
  const size_t delay = static_cast<size_t>(std::max(1, samplesFor(delaySeconds)));
  Wave line(delay, 0.0f);
  size_t at = 0;
  for (float& sample : *w) {
    const float echoed = line[at];
    line[at] = sample + echoed * feedback;
    at = (at + 1) % delay;
    sample += echoed * wet;
  }
}

void removeOffset(Wave* w) {
  if (w->empty()) return;
  double sum = 0.0;
  for (const float v : *w) sum += v;
  const float mean = static_cast<float>(sum / static_cast<double>(w->size()));
  for (float& v : *w) v -= mean;
}

float peakOf(const Wave& w) {
  float peak = 0.0f;
  for (const float v : w) peak = std::max(peak, std::fabs(v));
  return peak;
}

float rmsOf(const Wave& w) {
  if (w.empty()) return 0.0f;
  double sum = 0.0;
  for (const float v : w) sum += static_cast<double>(v) * v;
  return static_cast<float>(std::sqrt(sum / static_cast<double>(w.size())));
}
