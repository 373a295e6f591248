// ogg_vorbis.h: Ogg Vorbis encoding for the sound effects. The game plays every
// sample at 44100 Hz (pitched requests change the rate), so all are written so.
#pragma once

#include <cstdint>
#include <vector>

constexpr int kOggSampleRate = 44100;

// Encodes mono samples (-1..1) at 44100 Hz. The stream serial comes from the
// caller so that equal inputs give equal files. Empty on failure.
std::vector<uint8_t> encodeOggVorbis(const std::vector<float>& samples, int serial);
