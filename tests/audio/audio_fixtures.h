// audio_fixtures.h: sound inputs the audio tests make for themselves: tones,
// Ogg Vorbis files encoded on the spot, a small tracker module, and measurements
// of mixed output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A mono sine of `hz` at `rate`, `frames` long, peak `amplitude`.
std::vector<int16_t> makeSine(double hz, int32_t rate, int32_t frames, int32_t amplitude);
// Encodes mono 16-bit frames as an Ogg Vorbis file.
std::string encodeOggVorbis(const std::vector<int16_t>& frames, int32_t rate);

// A module of `orderCount` order positions, all playing one quiet 16-row pattern
// with a looping tone, so every order sounds and takes 1.92 s.
std::string makeTrackerModule(int32_t orderCount);

// Renders `frames` stereo frames of the sound output by hand.
std::vector<int16_t> renderFrames(int32_t frames);
// Renders what the output still holds from before a change (its latency), so the
// frames rendered next are all mixed after it.
void skipMixLatency();
// Sign changes of the left channel.
int32_t countZeroCrossings(const std::vector<int16_t>& stereo);
// Root mean square of both channels.
double rootMeanSquare(const std::vector<int16_t>& stereo);

// A folder holding "Sounds" with a few effects (see audio_fixtures.cpp) and
// "music.mo3"; made once per test program.
struct SoundDataFolder {
  std::string path;
  uint32_t soundBytes;  // sizes of every file in "Sounds" that is loaded
};
const SoundDataFolder& soundDataFolder();
// The names the folder's listing loads, in load order.
extern const char* const kFixtureSoundNames[];
constexpr int kFixtureSoundCount = 4;
