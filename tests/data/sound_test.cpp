// The generated sound effects as the game decodes them: each is mono 44100 Hz
// (the game plays samples at 44100 Hz and pitches some by rate), audible but
// below full scale, as long as its use allows, and starts and ends in silence
// so it never clicks. The water ambience loops without a dip; pitched pops are
// percussive; no sound is a copy of another.
#include <gtest/gtest.h>
#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <map>

#include "data_files.h"

namespace {

struct Decoded {
  int channels = 0;
  int rate = 0;
  std::vector<int16_t> samples;  // interleaved
};

Decoded decodeSound(const std::string& name) {
  const std::vector<uint8_t> bytes = looseFile("Sounds/" + name);
  Decoded out;
  short* pcm = nullptr;
  const int frames = stb_vorbis_decode_memory(bytes.data(), static_cast<int>(bytes.size()),
                                              &out.channels, &out.rate, &pcm);
  if (frames > 0 && pcm) out.samples.assign(pcm, pcm + frames * out.channels);
  std::free(pcm);
  return out;
}

// All decoded once; the tests only read them.
const std::map<std::string, Decoded>& sounds();

struct Expected {
  const char* name;
  float shortest, longest;  // seconds
};

// Lengths by use: menu clicks and board ticks are gone in a fifth of a second;
// pops and hits are short; jingles take a second or two and must not outlast
// the moment; bird calls stay shorter than the 6.2 s between them.
const Expected kExpected[] = {
    {"addball.ogg", 0.15f, 0.6f},       {"addbonus.ogg", 0.4f, 1.5f},
    {"addlife.ogg", 0.5f, 1.8f},        {"ball.ogg", 0.08f, 0.4f},
    {"ballstand.ogg", 0.05f, 0.3f},     {"birds1.ogg", 1.0f, 6.0f},
    {"birds2.ogg", 1.0f, 6.0f},         {"birds3.ogg", 1.0f, 6.0f},
    {"bomb1.ogg", 0.5f, 2.0f},          {"bomb2.ogg", 0.7f, 2.5f},
    {"brook.ogg", 3.1f, 3.1f},          {"chain.ogg", 0.15f, 0.8f},
    {"chpok1.ogg", 0.05f, 0.3f},        {"defeat.ogg", 1.0f, 3.5f},
    {"deleteballs.ogg", 0.6f, 2.5f},    {"diamond.ogg", 0.4f, 1.5f},
    {"diamond0.ogg", 0.2f, 1.0f},       {"excellent.ogg", 0.6f, 2.0f},
    {"gaf.ogg", 0.15f, 0.6f},           {"gethammer.ogg", 0.4f, 1.5f},
    {"hammer.ogg", 0.2f, 1.0f},         {"level_defeat.ogg", 0.8f, 3.0f},
    {"levelcomplete.ogg", 0.8f, 3.0f},  {"menu.ogg", 0.05f, 0.25f},
    {"menu2.ogg", 0.03f, 0.15f},        {"score.ogg", 0.04f, 0.15f},
    {"selectaim.ogg", 0.1f, 0.5f},      {"selectball.ogg", 0.05f, 0.25f},
    {"square.ogg", 0.1f, 0.5f},         {"waterfall.ogg", 3.0f, 3.0f},
    {"wow.ogg", 0.4f, 1.5f},
};

const std::map<std::string, Decoded>& sounds() {
  static std::map<std::string, Decoded> all;
  if (all.empty()) {
    for (const Expected& e : kExpected) all[e.name] = decodeSound(e.name);
  }
  return all;
}

bool isWater(const std::string& name) {
  return name == "waterfall.ogg" || name == "brook.ogg";
}

float peakOf(const std::vector<int16_t>& s, size_t from, size_t to) {
  int peak = 0;
  for (size_t i = from; i < to && i < s.size(); ++i) peak = std::max(peak, std::abs(int(s[i])));
  return peak / 32768.0f;
}

float rmsOf(const std::vector<int16_t>& s, size_t from, size_t to) {
  double sum = 0.0;
  size_t n = 0;
  for (size_t i = from; i < to && i < s.size(); ++i, ++n) sum += double(s[i]) * s[i];
  return n ? static_cast<float>(std::sqrt(sum / double(n)) / 32768.0) : 0.0f;
}

float decibels(float level) {
  return 20.0f * std::log10(std::max(level, 1e-9f));
}

}  // namespace

TEST(Sounds, EveryEffectDecodesAsMono44100AtALengthThatSuitsItsUse) {
  EXPECT_EQ(looseFolder("Sounds").size(), std::size(kExpected));
  for (const Expected& e : kExpected) {
    const Decoded& d = sounds().at(e.name);
    ASSERT_FALSE(d.samples.empty()) << e.name << " does not decode";
    EXPECT_EQ(d.channels, 1) << e.name;
    EXPECT_EQ(d.rate, 44100) << e.name;
    const float seconds = d.samples.size() / 44100.0f;
    EXPECT_GE(seconds, e.shortest - 0.001f) << e.name;
    EXPECT_LE(seconds, e.longest + 0.001f) << e.name;
  }
}

TEST(Sounds, EveryEffectIsAudibleAndBelowFullScale) {
  for (const Expected& e : kExpected) {
    const std::vector<int16_t>& s = sounds().at(e.name).samples;
    const float peak = peakOf(s, 0, s.size());
    // The birds and the water sit well under the music by design.
    const bool ambience = isWater(e.name) || std::string(e.name).rfind("birds", 0) == 0;
    EXPECT_LT(peak, 0.95f) << e.name << " reaches full scale";
    EXPECT_GT(peak, ambience ? 0.06f : 0.15f) << e.name << " is too faint";
    EXPECT_GT(decibels(rmsOf(s, 0, s.size())), ambience ? -45.0f : -35.0f)
        << e.name << " is nearly silent";
  }
}

TEST(Sounds, OneShotsStartAndEndInSilence) {
  for (const Expected& e : kExpected) {
    if (isWater(e.name)) continue;
    const std::vector<int16_t>& s = sounds().at(e.name).samples;
    const float peak = peakOf(s, 0, s.size());
    // The first and last 2 ms stay near zero: no step when the sound starts or stops.
    EXPECT_LT(peakOf(s, 0, 88), 0.03f * peak) << e.name << " starts with a click";
    EXPECT_LT(peakOf(s, s.size() - 88, s.size()), 0.05f * peak) << e.name << " ends with a click";
    // And the sound has died away before it is cut: the last 10 ms are quiet.
    EXPECT_LT(rmsOf(s, s.size() - 441, s.size()), 0.1f * peak) << e.name << " is cut off";
  }
}

TEST(Sounds, WaterLoopsWithoutADipAndFlowsEvenly) {
  // The game loops the water as one channel, so its end runs into its start.
  for (const char* name : {"waterfall.ogg", "brook.ogg"}) {
    const std::vector<int16_t>& s = sounds().at(name).samples;
    // Steady all the way round: every tenth of a second is within a few dB of
    // the whole, so the loop is not heard as a swell.
    const float whole = decibels(rmsOf(s, 0, s.size()));
    for (size_t at = 0; at + 4410 <= s.size(); at += 4410) {
      EXPECT_NEAR(decibels(rmsOf(s, at, at + 4410)), whole, 4.0f) << name << " at " << at;
    }
    // No dip at the loop point: the 5 ms across it (the end, then the start) is
    // no quieter than the quietest twentieth of the 5 ms stretches elsewhere.
    std::vector<int16_t> join(s.end() - 110, s.end());
    join.insert(join.end(), s.begin(), s.begin() + 110);
    std::vector<float> levels;
    for (size_t at = 0; at + 220 <= s.size(); at += 220) levels.push_back(rmsOf(s, at, at + 220));
    std::sort(levels.begin(), levels.end());
    EXPECT_GE(rmsOf(join, 0, join.size()), levels[levels.size() / 20]) << name << " dips at the loop";
  }
}

TEST(Sounds, PitchedPopsAndTicksArePercussive) {
  // "ball.ogg" and "score.ogg" are replayed faster and slower in quick
  // succession: they must hit at once and be mostly over within 150 ms.
  for (const char* name : {"ball.ogg", "score.ogg", "menu.ogg", "menu2.ogg", "selectball.ogg",
                           "chpok1.ogg"}) {
    const std::vector<int16_t>& s = sounds().at(name).samples;
    const float peak = peakOf(s, 0, s.size());
    EXPECT_GE(peakOf(s, 0, 882), 0.8f * peak) << name << " is slow to start";
    const float early = rmsOf(s, 0, 6615), all = rmsOf(s, 0, s.size());
    EXPECT_GT(early * early * 6615.0f, 0.9f * all * all * s.size()) << name << " lingers";
  }
}

TEST(Sounds, TheBiggerBombIsBiggerAndTheAmbienceStaysInTheBackground) {
  const std::vector<int16_t>& small = sounds().at("bomb1.ogg").samples;
  const std::vector<int16_t>& big = sounds().at("bomb2.ogg").samples;
  EXPECT_GT(big.size(), small.size());
  const float smallEnergy = rmsOf(small, 0, small.size()) * rmsOf(small, 0, small.size()) * small.size();
  const float bigEnergy = rmsOf(big, 0, big.size()) * rmsOf(big, 0, big.size()) * big.size();
  EXPECT_GT(bigEnergy, smallEnergy);
  const float pop = peakOf(sounds().at("ball.ogg").samples, 0, 44100);
  for (const char* name : {"birds1.ogg", "birds2.ogg", "birds3.ogg", "brook.ogg", "waterfall.ogg"}) {
    const std::vector<int16_t>& s = sounds().at(name).samples;
    EXPECT_LT(peakOf(s, 0, s.size()), pop) << name << " is louder than play";
  }
}

TEST(Sounds, NoTwoEffectsAreTheSame) {
  for (const Expected& a : kExpected) {
    for (const Expected& b : kExpected) {
      if (std::string(a.name) >= b.name) continue;
      EXPECT_NE(sounds().at(a.name).samples, sounds().at(b.name).samples) << a.name << " " << b.name;
    }
  }
}
