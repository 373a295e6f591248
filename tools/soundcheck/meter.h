// meter.h: what a mastering engineer reads off a mix: loudness as BS.1770
// measures it (K-weighting, 400 ms blocks, absolute and relative gates), the
// loudest short window, true peak (4x oversampled), and where the energy sits
// (lows, highs, stereo width). Every measure takes 44100 Hz stereo frames,
// interleaved, in full-scale units (1.0 = the 16-bit maximum).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

using Frames = std::vector<float>;

constexpr double kMeterRate = 44100.0;
// What a measure returns for silence (or nothing above the gates).
constexpr double kSilentDb = -200.0;

// Adds 16-bit interleaved stereo frames to `frames`.
void appendFrames(Frames* frames, const int16_t* pcm, size_t frameCount);

// Integrated loudness in LUFS: 400 ms blocks every 100 ms, gated at -70 LUFS and
// 10 LU under the ungated mean. A sound shorter than one block is measured as one
// block of its own length.
double integratedLoudness(const Frames& frames);
// The K-weighted loudness (LUFS) of the loudest `seconds` window, stepping 10 ms.
double loudestWindow(const Frames& frames, double seconds);
// The highest sample peak between samples, 4x oversampled, in dBFS (dBTP).
double truePeakDb(const Frames& frames);
// The highest sample value, in dBFS.
double samplePeakDb(const Frames& frames);

struct EnergyBalance {
  double lowShare;   // fraction of the energy below `lowHz`
  double highShare;  // fraction above `highHz`
  double widthDb;    // side energy over mid energy; very negative = mono
};
// Splits the energy with fourth-order Butterworth filters at the two corners.
EnergyBalance energyBalance(const Frames& frames, double lowHz, double highHz);

// Root mean square of each `windowFrames` window (both channels), one window per
// `stepFrames`, in dBFS.
std::vector<double> windowLevels(const Frames& frames, size_t windowFrames, size_t stepFrames);

double decibels(double amplitude);
