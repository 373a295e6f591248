// The listening previews the tool writes beside the data: the music's order list
// with every section marked, one WAV per section lasting one pass of its loop,
// and the table of sound effects with their lengths and levels.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

#include "data_files.h"
#include "test_support.h"

namespace {

struct SectionLine {
  const char* name;
  int first, last;
};

// Section names as the tool writes them, by their first order.
const SectionLine kSections[] = {{"meadow", 0, 10},    {"breeze", 11, 28}, {"adventure", 29, 43},
                                 {"map", 44, 46},      {"crystal", 47, 62}, {"fanfare", 63, 64},
                                 {"defeat", 65, 65}};

std::string previewText(const char* name) {
  const std::vector<uint8_t> bytes = testReadFile(std::string(ORBEL_PREVIEW_DIR) + "/" + name);
  return std::string(bytes.begin(), bytes.end());
}

// The loop length the order list gives a section, or -1.
double listedLoopSeconds(const std::string& text, const SectionLine& section) {
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    char name[32] = {};
    int first = -1, last = -1;
    double seconds = -1.0;
    if (std::sscanf(line.c_str(), "%31s orders %d-%d %*d bpm loop %lf", name, &first, &last,
                    &seconds) == 4 &&
        std::strcmp(name, section.name) == 0 && first == section.first && last == section.last) {
      return seconds;
    }
  }
  return -1.0;
}

}  // namespace

TEST(Preview, TheOrderListMarksEverySectionWithItsLoop) {
  const std::string text = previewText("music_orders.txt");
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.find("did not come round"), std::string::npos);
  for (const SectionLine& section : kSections) {
    EXPECT_GT(listedLoopSeconds(text, section), 4.0) << section.name;
    char start[64];
    std::snprintf(start, sizeof start, "%5i ", section.first);
    const size_t row = text.find(std::string("\n") + start);
    ASSERT_NE(row, std::string::npos) << section.name;
    EXPECT_NE(text.find("section start", row), std::string::npos) << section.name;
  }
}

TEST(Preview, EachSectionHasAWavOfOnePassOfItsLoop) {
  const std::string text = previewText("music_orders.txt");
  for (const SectionLine& section : kSections) {
    char name[64];
    std::snprintf(name, sizeof name, "music_%02i_%s.wav", section.first, section.name);
    const std::vector<uint8_t> wav = testReadFile(std::string(ORBEL_PREVIEW_DIR) + "/" + name);
    ASSERT_GT(wav.size(), 44u) << name;
    EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0) << name;
    EXPECT_EQ(std::memcmp(wav.data() + 8, "WAVEfmt ", 8), 0) << name;
    EXPECT_EQ(readU32(wav, 24), 44100u) << name;
    EXPECT_EQ(wav[22], 2) << name;   // stereo
    EXPECT_EQ(wav[34], 16) << name;  // 16-bit
    const double seconds = readU32(wav, 40) / 4.0 / 44100.0;
    EXPECT_NEAR(seconds, listedLoopSeconds(text, section), 0.02) << name;
  }
}

TEST(Preview, TheSoundTableListsEveryEffectAsDecoded) {
  const std::string text = previewText("sounds.txt");
  const std::vector<std::string> names = looseFolder("Sounds");
  ASSERT_EQ(names.size(), 31u);
  for (const std::string& name : names) {
    const size_t at = text.find("\n" + name + " ");
    ASSERT_NE(at, std::string::npos) << name;
    const std::string line = text.substr(at + 1, text.find('\n', at + 1) - at - 1);
    EXPECT_NE(line.find("44100 Hz"), std::string::npos) << line;
    EXPECT_NE(line.find("peak"), std::string::npos) << line;
    EXPECT_EQ(line.find("does not decode"), std::string::npos) << line;
  }
}
