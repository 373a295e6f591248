// The generated music as the game plays it: one module whose sections start at
// the order positions the game asks for and loop in place, each played from its
// first order for two passes of its loop without leaving its own orders, audible
// and with headroom for the game's amplification; and a section keeps its own
// tempo however the game arrives at it.
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>
#include <libopenmpt/libopenmpt_ext.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

#include "data_files.h"

namespace {

constexpr int kRate = 44100;
// Rendered a little at a time: far less than one tick, so no row is missed.
constexpr size_t kChunk = 256;
// The game plays the module at amplification 80 (1.6 times): at full volume a
// rendered peak above this would reach the output's ceiling (-1 dBFS) with
// nothing else playing.
constexpr float kHeadroomPeak = 0.891f / 1.6f;

struct Section {
  int first, last;
  const char* use;
};

const Section kSections[] = {
    {0, 10, "level music 0"},  {11, 28, "level music 1"}, {29, 43, "title and level music 2"},
    {44, 46, "level choice"},  {47, 62, "level music 3"}, {63, 64, "level complete"},
    {65, 65, "defeat"}};

struct Module {
  std::vector<uint8_t> bytes = looseFile("music.mo3");
  openmpt_module* player = openmpt_module_create_from_memory2(
      bytes.data(), bytes.size(), openmpt_log_func_silent, nullptr, openmpt_error_func_ignore,
      nullptr, nullptr, nullptr, nullptr);
  ~Module() {
    if (player) openmpt_module_destroy(player);
  }
};

// What playing from a section's first order sounded like.
struct Playback {
  double loopSeconds = 0.0;  // until the play position came back to the start
  int lowestOrder = 1000, highestOrder = -1;
  std::vector<float> passRms;  // per pass of the loop
  float peak = 0.0f;
};

// Plays `passes` passes of the loop that starts at `first` from where the
// player is (positioned there by the caller), at most `limitSeconds`.
Playback play(openmpt_module* player, int first, int passes, double limitSeconds) {
  Playback out;
  std::vector<float> chunk(kChunk * 2);
  double energy = 0.0;
  size_t frames = 0, passFrames = 0;
  bool left = false;
  while (frames < limitSeconds * kRate) {
    const size_t got = openmpt_module_read_interleaved_float_stereo(player, kRate, kChunk, chunk.data());
    if (got == 0) break;
    for (size_t i = 0; i < got * 2; ++i) {
      energy += double(chunk[i]) * chunk[i];
      out.peak = std::max(out.peak, std::fabs(chunk[i]));
    }
    frames += got;
    passFrames += got;
    const int order = openmpt_module_get_current_order(player);
    out.lowestOrder = std::min(out.lowestOrder, order);
    out.highestOrder = std::max(out.highestOrder, order);
    const bool atStart = order == first && openmpt_module_get_current_row(player) == 0;
    if (left && atStart) {
      if (out.passRms.empty()) out.loopSeconds = double(frames) / kRate;
      out.passRms.push_back(float(std::sqrt(energy / (2.0 * passFrames))));
      energy = 0.0;
      passFrames = 0;
      left = false;
      if (int(out.passRms.size()) == passes) break;
    }
    left = left || !atStart;
  }
  return out;
}

float decibels(float level) {
  return 20.0f * std::log10(std::max(level, 1e-9f));
}

// Largest step between neighbouring output samples of a held note, relative to
// its peak: the tones are soft (little above 3 kHz), so far below one.
constexpr float kSmoothestStep = 0.35f;

// The fundamental of a short stretch by autocorrelation: the shortest lag whose
// correlation comes within 10% of the best one. 0 when nothing is periodic.
double pitchOf(const std::vector<float>& x, int minLag, int maxLag) {
  const int n = static_cast<int>(x.size()) - maxLag - 1;
  std::vector<double> r(static_cast<size_t>(maxLag + 2), 0.0);
  double best = 0.0;
  for (int lag = minLag - 1; lag <= maxLag + 1; ++lag) {
    double sum = 0.0;
    for (int i = 0; i < n; ++i) sum += double(x[size_t(i)]) * x[size_t(i + lag)];
    r[size_t(lag)] = sum;
    if (lag >= minLag && lag <= maxLag) best = std::max(best, sum);
  }
  if (best <= 0.0) return 0.0;
  for (int lag = minLag; lag <= maxLag; ++lag) {
    const double a = r[size_t(lag - 1)], b = r[size_t(lag)], c = r[size_t(lag + 1)];
    if (b >= 0.9 * best && b >= a && b >= c) {
      const double shift = 0.5 * (a - c) / (a - 2.0 * b + c);
      return kRate / (lag + (std::isfinite(shift) ? shift : 0.0));
    }
  }
  return 0.0;
}

// One channel of a section played alone.
struct Solo {
  int firstOrder;
  int channel;
  const char* what;
  std::vector<int> key;  // pitch classes of the section's key
  double lowestHz, highestHz;
};

const std::vector<int> kGMajor = {7, 9, 11, 0, 2, 4, 6};
const std::vector<int> kDMajor = {2, 4, 6, 7, 9, 11, 1};
const std::vector<int> kCMajor = {0, 2, 4, 5, 7, 9, 11};

// The pitches a solo channel plays over `seconds`, one per sounding stretch.
std::vector<double> soloPitches(const Module& module, const Solo& solo, double seconds) {
  openmpt_module_ext* ext = openmpt_module_ext_create_from_memory(
      module.bytes.data(), module.bytes.size(), openmpt_log_func_silent, nullptr,
      openmpt_error_func_ignore, nullptr, nullptr, nullptr, nullptr);
  std::vector<double> pitches;
  if (!ext) return pitches;
  openmpt_module* player = openmpt_module_ext_get_module(ext);
  openmpt_module_ext_interface_interactive interactive = {};
  openmpt_module_ext_get_interface(ext, LIBOPENMPT_EXT_C_INTERFACE_INTERACTIVE, &interactive,
                                   sizeof interactive);
  for (int c = 0; c < openmpt_module_get_num_channels(player); ++c) {
    interactive.set_channel_mute_status(ext, c, c != solo.channel);
  }
  openmpt_module_set_position_order_row(player, solo.firstOrder, 0);
  const size_t frames = size_t(seconds * kRate);
  std::vector<float> left(frames), right(frames);
  openmpt_module_read_float_stereo(player, kRate, frames, left.data(), right.data());
  openmpt_module_ext_destroy(ext);
  const int minLag = int(kRate / solo.highestHz / 2.0), maxLag = int(kRate / solo.lowestHz * 2.0);
  for (size_t at = 0; at + 4096 <= frames; at += 4096) {
    std::vector<float> window(left.begin() + long(at), left.begin() + long(at + 2048 + maxLag + 2));
    double energy = 0.0;
    for (const float v : window) energy += double(v) * v;
    if (energy / double(window.size()) < 1e-6) continue;  // a rest
    const double hz = pitchOf(window, std::max(minLag, 2), maxLag);
    if (hz > 0.0) pitches.push_back(hz);
  }
  return pitches;
}

}  // namespace

TEST(Music, IsOneExtendedModuleHoldingEverySection) {
  Module module;
  ASSERT_NE(module.player, nullptr);
  char* type = const_cast<char*>(openmpt_module_get_metadata(module.player, "type"));
  EXPECT_STREQ(type, "xm");
  openmpt_free_string(type);
  EXPECT_EQ(openmpt_module_get_num_orders(module.player), kSections[6].last + 1);
  // Synthesised instruments make it a real module, yet it stays small to load.
  EXPECT_GT(module.bytes.size(), 200u * 1024u);
  EXPECT_LT(module.bytes.size(), 2500u * 1024u);
}

TEST(Music, EverySectionLoopsInItsOwnOrdersAudiblyAndWithoutClipping) {
  Module module;
  ASSERT_NE(module.player, nullptr);
  openmpt_module_set_repeat_count(module.player, -1);
  for (const Section& section : kSections) {
    openmpt_module_set_position_order_row(module.player, section.first, 0);
    const Playback p = play(module.player, section.first, 2, 400.0);
    ASSERT_EQ(p.passRms.size(), 2u) << section.use << " never comes back to its start";
    EXPECT_GT(p.loopSeconds, 4.0) << section.use;
    EXPECT_LT(p.loopSeconds, 200.0) << section.use;
    EXPECT_EQ(p.lowestOrder, section.first) << section.use;
    EXPECT_EQ(p.highestOrder, section.last) << section.use << " leaves its orders or skips some";
    for (const float rms : p.passRms) EXPECT_GT(decibels(rms), -35.0f) << section.use;
    // The second pass is the first again, not something that drifted.
    EXPECT_NEAR(decibels(p.passRms[0]), decibels(p.passRms[1]), 1.0f) << section.use;
    EXPECT_LT(p.peak, kHeadroomPeak) << section.use << " would reach the ceiling on its own";
  }
}

TEST(Music, ASectionKeepsItsTempoWhereverThePlayerComesFrom) {
  // The game fades one section out and starts another at its order; the new
  // section must not inherit the old one's speed.
  Module module;
  ASSERT_NE(module.player, nullptr);
  openmpt_module_set_repeat_count(module.player, -1);
  std::vector<double> fresh;
  for (const Section& section : kSections) {
    openmpt_module_set_position_order_row(module.player, section.first, 0);
    fresh.push_back(play(module.player, section.first, 1, 400.0).loopSeconds);
  }
  for (size_t s = 0; s < std::size(kSections); ++s) {
    const Section& before = kSections[(s + 3) % std::size(kSections)];
    openmpt_module_set_position_order_row(module.player, before.first, 0);
    std::vector<float> skip(2 * kRate);
    openmpt_module_read_interleaved_float_stereo(module.player, kRate, kRate, skip.data());
    openmpt_module_set_position_order_row(module.player, kSections[s].first, 0);
    const double loop = play(module.player, kSections[s].first, 1, 400.0).loopSeconds;
    EXPECT_NEAR(loop, fresh[s], 0.05) << kSections[s].use << " after " << before.use;
  }
  // Rows a second tell the tempo; the four level tunes have moods of their own.
  std::vector<long> rowsPerMinute;
  for (const size_t s : {0u, 1u, 2u, 4u}) {
    int rows = 0;
    for (int order = kSections[s].first; order <= kSections[s].last; ++order) {
      rows += openmpt_module_get_pattern_num_rows(
          module.player, openmpt_module_get_order_pattern(module.player, order));
    }
    rowsPerMinute.push_back(std::lround(rows * 60.0 / fresh[s]));
  }
  std::sort(rowsPerMinute.begin(), rowsPerMinute.end());
  EXPECT_EQ(std::unique(rowsPerMinute.begin(), rowsPerMinute.end()) - rowsPerMinute.begin(), 4);
}

TEST(Music, InstrumentsPlayInTuneInTheKeyAndRegisterOfTheirPart) {
  Module module;
  ASSERT_NE(module.player, nullptr);
  // Orders where each part plays from the first row on.
  const Solo solos[] = {{30, 0, "plucked lead", kGMajor, 200.0, 1400.0},
                        {29, 9, "bass", kGMajor, 40.0, 260.0},
                        {29, 2, "pad voice", kGMajor, 150.0, 700.0},
                        {30, 5, "electric piano voice", kGMajor, 150.0, 900.0},
                        {13, 0, "flute", kDMajor, 200.0, 1400.0},
                        {63, 0, "brass fanfare", kCMajor, 150.0, 1400.0}};
  for (const Solo& solo : solos) {
    const std::vector<double> pitches = soloPitches(module, solo, 8.0);
    ASSERT_GE(pitches.size(), 10u) << solo.what;
    double offset = 0.0;
    size_t inKey = 0, inRegister = 0;
    for (const double hz : pitches) {
      const double semitones = 12.0 * std::log2(hz / 440.0);
      const double nearest = std::round(semitones);
      offset += 100.0 * (semitones - nearest);
      const int pitchClass = (static_cast<int>(nearest) + 9 + 1200) % 12;
      inKey += std::count(solo.key.begin(), solo.key.end(), pitchClass) ? 1 : 0;
      inRegister += hz >= solo.lowestHz && hz <= solo.highestHz ? 1 : 0;
    }
    const double n = double(pitches.size());
    // Tuned to A = 440 Hz: on average within a few cents of a semitone.
    EXPECT_LT(std::fabs(offset / n), 10.0) << solo.what << " is out of tune";
    // A sample tuned a semitone off would land outside the key; an octave off,
    // outside its register.
    EXPECT_GE(inKey / n, 0.85) << solo.what << " plays outside the key";
    EXPECT_GE(inRegister / n, 0.8) << solo.what << " plays outside its register";
  }
}

TEST(Music, TheFanfareFitsTheFewSecondsBeforeTheLevelMusicReturns) {
  // The game plays the level-complete section for about 5 s.
  Module module;
  ASSERT_NE(module.player, nullptr);
  openmpt_module_set_repeat_count(module.player, -1);
  openmpt_module_set_position_order_row(module.player, kSections[5].first, 0);
  std::vector<float> chunk(kChunk * 2);
  size_t frames = 0;
  while (openmpt_module_get_current_order(module.player) == kSections[5].first && frames < 20 * kRate) {
    frames += openmpt_module_read_interleaved_float_stereo(module.player, kRate, kChunk, chunk.data());
  }
  EXPECT_GT(frames, 2u * kRate);
  EXPECT_LE(frames, 5u * kRate);
}

TEST(Music, HeldNotesRunThroughTheirSampleLoopsWithoutAClick) {
  // The defeat theme holds pad chords, flute notes and bass notes for seconds:
  // far longer than the loops of their samples. A seam in a loop would show as
  // a jump from one sample to the next far steeper than the smooth tone allows.
  Module module;
  ASSERT_NE(module.player, nullptr);
  const std::pair<int, const char*> held[] = {{2, "pad"}, {0, "flute"}, {9, "bass"}};
  for (const auto& [channel, what] : held) {
    openmpt_module_ext* ext = openmpt_module_ext_create_from_memory(
        module.bytes.data(), module.bytes.size(), openmpt_log_func_silent, nullptr,
        openmpt_error_func_ignore, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(ext, nullptr);
    openmpt_module* player = openmpt_module_ext_get_module(ext);
    openmpt_module_ext_interface_interactive interactive = {};
    openmpt_module_ext_get_interface(ext, LIBOPENMPT_EXT_C_INTERFACE_INTERACTIVE, &interactive,
                                     sizeof interactive);
    for (int c = 0; c < openmpt_module_get_num_channels(player); ++c) {
      interactive.set_channel_mute_status(ext, c, c != channel);
    }
    openmpt_module_set_position_order_row(player, kSections[6].first, 0);
    std::vector<float> left(12 * kRate), right(12 * kRate);
    openmpt_module_read_float_stereo(player, kRate, left.size(), left.data(), right.data());
    openmpt_module_ext_destroy(ext);
    float peak = 0.0f, steepest = 0.0f;
    for (size_t i = 1; i < left.size(); ++i) {
      peak = std::max(peak, std::fabs(left[i]));
      steepest = std::max(steepest, std::fabs(left[i] - left[i - 1]));
    }
    ASSERT_GT(peak, 0.01f) << what;
    EXPECT_LT(steepest / peak, kSmoothestStep) << what;
  }
}
