// The output limiter: the mix passes through it on its way to 16 bits, so no sum
// of effects and music ever clips. It looks ahead kLimiterLookAhead frames: the
// gain a frame needs to stay under the ceiling is known before the frame leaves,
// and the gain glides down to it over the look-ahead instead of jumping (a jump
// would click). After the loud moment the gain holds, so it does not ripple with
// a bass note's cycles, and then recovers slowly enough not to pump. Below the
// ceiling the gain is exactly 1 and every frame leaves as it came.
//
// Why it never overshoots: the envelope at frame n is at most the smallest gain
// needed in the look-ahead window ending at n, so every envelope value averaged
// for the frame leaving (the oldest of the window) is at most the gain that frame
// needs, and so is their mean.
#include <cmath>

#include "platform/sound_local.h"

namespace {

constexpr float kCeiling = float(kSoundOutputCeiling);
// Frames the gain holds after it was last pulled down: a 50 Hz cycle.
constexpr int32_t kHoldFrames = kSoundOutputRate / 50;
// Per frame, the share of the way back to the needed gain the envelope recovers:
// a time constant of 150 ms.
const float kRelease = 1.0f - std::exp(-1.0f / (0.15f * float(kSoundOutputRate)));
// Close enough to the needed gain to take it exactly (a step of 0.01 dB), so
// unity comes back exactly, within a second.
constexpr float kSnap = 1e-3f;
// Envelope values are averaged in fixed point, rounded down, so the mean can
// never come out above a value it averages.
constexpr double kGainUnit = double(1 << 30);

void resetLimiter(SoundLimiter* l) {
  *l = {};
  l->envelope = 1.0f;
  for (int64_t& v : l->smoothed) v = int64_t(kGainUnit);
  l->smoothedSum = int64_t(kGainUnit) * kLimiterLookAhead;
  l->ready = true;
}

// The gain frame (left, right) needs to stay under the ceiling.
float neededGain(float left, float right) {
  const float peak = std::fmax(std::fabs(left), std::fabs(right));
  return peak > kCeiling ? kCeiling / peak : 1.0f;
}

// Enters frame `serial`'s needed gain; returns the least needed over the window.
float windowMinimum(SoundLimiter* l, float gain) {
  const int64_t serial = l->serial;
  // Entries no smaller than the new one can never be the minimum again.
  while (l->minimumCount > 0) {
    const int32_t last = (l->minimumHead + l->minimumCount - 1) % kLimiterLookAhead;
    if (l->minimumGain[last] < gain) break;
    --l->minimumCount;
  }
  const int32_t slot = (l->minimumHead + l->minimumCount) % kLimiterLookAhead;
  l->minimumGain[slot] = gain;
  l->minimumSerial[slot] = serial;
  ++l->minimumCount;
  if (l->minimumSerial[l->minimumHead] <= serial - kLimiterLookAhead) {
    l->minimumHead = (l->minimumHead + 1) % kLimiterLookAhead;
    --l->minimumCount;
  }
  return l->minimumGain[l->minimumHead];
}

// Down at once to the window's minimum; after the hold, back up towards it.
void followEnvelope(SoundLimiter* l, float minimum) {
  if (minimum < l->envelope) {
    l->envelope = minimum;
    l->holdFrames = kHoldFrames;
  } else if (l->holdFrames > 0) {
    --l->holdFrames;
  } else {
    l->envelope += (minimum - l->envelope) * kRelease;
    if (minimum - l->envelope < kSnap) l->envelope = minimum;
  }
}

int16_t toSample(float value) {
  if (value >= 32767.0f) return 32767;
  if (value <= -32768.0f) return -32768;
  return int16_t(value);
}

}  // namespace

void soundResetLimiter() { resetLimiter(&soundOut.limiter); }

void soundLimitFrames(const float* mixed, int16_t* out, int32_t frames) {
  SoundLimiter* l = &soundOut.limiter;
  if (!l->ready) resetLimiter(l);
  for (int32_t i = 0; i < frames; ++i) {
    const float left = mixed[2 * i], right = mixed[2 * i + 1];
    const int32_t at = int32_t(l->serial % kLimiterLookAhead);
    l->delayed[2 * at] = left;
    l->delayed[2 * at + 1] = right;
    followEnvelope(l, windowMinimum(l, neededGain(left, right)));
    const int64_t unit = int64_t(std::floor(double(l->envelope) * kGainUnit));
    l->smoothedSum += unit - l->smoothed[at];
    l->smoothed[at] = unit;
    const float gain = float(double(l->smoothedSum) / (kGainUnit * kLimiterLookAhead));
    // The oldest frame of the window leaves now.
    const int32_t oldest = (at + 1) % kLimiterLookAhead;
    out[2 * i] = toSample(l->delayed[2 * oldest] * gain);
    out[2 * i + 1] = toSample(l->delayed[2 * oldest + 1] * gain);
    SoundLimiterReport& report = soundOut.limiterReport;
    report.frames += 1;
    if (gain < 1.0f) {
      report.limitedFrames += 1;
      report.cutDbSum -= 20.0 * std::log10(double(gain));
      if (gain < report.deepestGain) report.deepestGain = gain;
    }
    l->serial += 1;
  }
}
