// meter.cpp: the measures of meter.h.
#include "meter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Biquad {
  double b0, b1, b2, a1, a2;
  double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
  double step(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }
};

// The two stages of the K-weighting at any rate, from their analogue prototypes:
// a high shelf of +4 dB above about 1.7 kHz (the head) and a high-pass at 38 Hz.
Biquad headShelf() {
  const double f0 = 1681.974450955533, gainDb = 3.999843853973347, q = 0.7071752369554196;
  const double k = std::tan(kPi * f0 / kMeterRate);
  const double vh = std::pow(10.0, gainDb / 20.0);
  const double vb = std::pow(vh, 0.4996667741545416);
  const double a0 = 1.0 + k / q + k * k;
  return {(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
          2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

Biquad lowCut() {
  const double f0 = 38.13547087602444, q = 0.5003270373238773;
  const double k = std::tan(kPi * f0 / kMeterRate);
  const double a0 = 1.0 + k / q + k * k;
  return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

// Butterworth sections (bilinear, prewarped).
Biquad butterworth(double hz, double q, bool highPass) {
  const double w = 2.0 * kPi * hz / kMeterRate;
  const double alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
  const double a0 = 1.0 + alpha;
  const double b1 = highPass ? -(1.0 + c) : 1.0 - c;
  const double b0 = highPass ? (1.0 + c) / 2.0 : (1.0 - c) / 2.0;
  return {b0 / a0, b1 / a0, b0 / a0, -2.0 * c / a0, (1.0 - alpha) / a0};
}

// Fourth order: two sections with the Butterworth Qs.
struct FourthOrder {
  Biquad first, second;
  FourthOrder(double hz, bool highPass)
      : first(butterworth(hz, 0.5411961, highPass)), second(butterworth(hz, 1.3065630, highPass)) {}
  double step(double x) { return second.step(first.step(x)); }
};

// K-weighted power of each frame, both channels summed.
std::vector<double> kWeightedPower(const Frames& frames) {
  Biquad shelf[2] = {headShelf(), headShelf()};
  Biquad cut[2] = {lowCut(), lowCut()};
  std::vector<double> power(frames.size() / 2);
  for (size_t i = 0; i < power.size(); ++i) {
    double sum = 0.0;
    for (int c = 0; c < 2; ++c) {
      const double y = cut[c].step(shelf[c].step(frames[2 * i + size_t(c)]));
      sum += y * y;
    }
    power[i] = sum;
  }
  return power;
}

std::vector<double> prefixSums(const std::vector<double>& values) {
  std::vector<double> sums(values.size() + 1, 0.0);
  for (size_t i = 0; i < values.size(); ++i) sums[i + 1] = sums[i] + values[i];
  return sums;
}

double loudnessOfPower(double meanPower) {
  return meanPower > 0.0 ? -0.691 + 10.0 * std::log10(meanPower) : kSilentDb;
}

// Mean power of the blocks at or above `gate` LUFS; 0 when none is.
double gatedMean(const std::vector<double>& blocks, double gate) {
  double sum = 0.0;
  size_t count = 0;
  for (const double power : blocks) {
    if (loudnessOfPower(power) < gate) continue;
    sum += power;
    ++count;
  }
  return count ? sum / double(count) : 0.0;
}

// The 4x interpolator: a windowed sinc of 12 taps per phase.
constexpr int kOversampling = 4;
constexpr int kTapsPerPhase = 12;

std::vector<double> interpolatorTaps() {
  const int length = kOversampling * kTapsPerPhase;
  std::vector<double> taps(static_cast<size_t>(length));
  for (int n = 0; n < length; ++n) {
    const double t = (double(n) - double(length - 1) / 2.0) / kOversampling;
    const double sinc = t == 0.0 ? 1.0 : std::sin(kPi * t) / (kPi * t);
    const double phase = 2.0 * kPi * double(n) / double(length - 1);
    const double blackman = 0.42 - 0.5 * std::cos(phase) + 0.08 * std::cos(2.0 * phase);
    taps[size_t(n)] = sinc * blackman;
  }
  return taps;
}

}  // namespace

double decibels(double amplitude) {
  return amplitude > 0.0 ? 20.0 * std::log10(amplitude) : kSilentDb;
}

void appendFrames(Frames* frames, const int16_t* pcm, size_t frameCount) {
  for (size_t i = 0; i < 2 * frameCount; ++i) frames->push_back(float(pcm[i]) / 32768.0f);
}

double integratedLoudness(const Frames& frames) {
  const std::vector<double> power = kWeightedPower(frames);
  if (power.empty()) return kSilentDb;
  const std::vector<double> sums = prefixSums(power);
  const size_t block = size_t(0.4 * kMeterRate), hop = size_t(0.1 * kMeterRate);
  std::vector<double> blocks;
  if (power.size() < block) blocks.push_back(sums.back() / double(power.size()));
  for (size_t at = 0; at + block <= power.size(); at += hop) {
    blocks.push_back((sums[at + block] - sums[at]) / double(block));
  }
  const double ungated = gatedMean(blocks, -70.0);
  if (ungated <= 0.0) return kSilentDb;
  return loudnessOfPower(gatedMean(blocks, std::max(-70.0, loudnessOfPower(ungated) - 10.0)));
}

double loudestWindow(const Frames& frames, double seconds) {
  const std::vector<double> power = kWeightedPower(frames);
  if (power.empty()) return kSilentDb;
  const std::vector<double> sums = prefixSums(power);
  const size_t window = std::min(power.size(), size_t(seconds * kMeterRate));
  const size_t hop = size_t(0.01 * kMeterRate);
  double loudest = 0.0;
  for (size_t at = 0; at + window <= power.size(); at += hop) {
    loudest = std::max(loudest, (sums[at + window] - sums[at]) / double(window));
  }
  return loudnessOfPower(loudest);
}

double truePeakDb(const Frames& frames) {
  static const std::vector<double> taps = interpolatorTaps();
  double peak = 0.0;
  const size_t count = frames.size() / 2;
  for (int c = 0; c < 2; ++c) {
    for (size_t i = 0; i < count; ++i) {
      for (int phase = 0; phase < kOversampling; ++phase) {
        double sum = 0.0;
        for (int k = 0; k < kTapsPerPhase; ++k) {
          if (i < size_t(k)) break;
          sum += taps[size_t(k * kOversampling + phase)] * frames[2 * (i - size_t(k)) + size_t(c)];
        }
        peak = std::max(peak, std::fabs(sum));
      }
    }
  }
  return decibels(peak);
}

double samplePeakDb(const Frames& frames) {
  float peak = 0.0f;
  for (const float v : frames) peak = std::max(peak, std::fabs(v));
  return decibels(peak);
}

EnergyBalance energyBalance(const Frames& frames, double lowHz, double highHz) {
  FourthOrder low[2] = {{lowHz, false}, {lowHz, false}};
  FourthOrder high[2] = {{highHz, true}, {highHz, true}};
  double total = 0.0, lows = 0.0, highs = 0.0, mid = 0.0, side = 0.0;
  for (size_t i = 0; i + 1 < frames.size(); i += 2) {
    for (int c = 0; c < 2; ++c) {
      const double x = frames[i + size_t(c)];
      total += x * x;
      const double l = low[c].step(x), h = high[c].step(x);
      lows += l * l;
      highs += h * h;
    }
    const double m = 0.5 * (frames[i] + frames[i + 1]), s = 0.5 * (frames[i] - frames[i + 1]);
    mid += m * m;
    side += s * s;
  }
  if (total <= 0.0) return {0.0, 0.0, kSilentDb};
  return {lows / total, highs / total, side > 0.0 && mid > 0.0 ? 10.0 * std::log10(side / mid) : kSilentDb};
}

std::vector<double> windowLevels(const Frames& frames, size_t windowFrames, size_t stepFrames) {
  std::vector<double> power(frames.size() / 2);
  for (size_t i = 0; i < power.size(); ++i) {
    power[i] = 0.5 * (double(frames[2 * i]) * frames[2 * i] + double(frames[2 * i + 1]) * frames[2 * i + 1]);
  }
  const std::vector<double> sums = prefixSums(power);
  std::vector<double> levels;
  for (size_t at = 0; at + windowFrames <= power.size(); at += stepFrames) {
    const double mean = (sums[at + windowFrames] - sums[at]) / double(windowFrames);
    levels.push_back(mean > 0.0 ? 10.0 * std::log10(mean) : kSilentDb);
  }
  return levels;
}
