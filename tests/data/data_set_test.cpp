// The generated data set as a whole: every file the game opens lies where the
// game reads it, pictures have the sizes and encodings the game relies on, the
// font is real, the sounds and the music are valid, and the tool is repeatable.
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>
#include <stb_image.h>
#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>

#include <cctype>
#include <cmath>
#include <set>

#include "data_files.h"
#include "test_support.h"

namespace {

// The pictures the game loads from the data root or a pack.
std::vector<std::string> fixedPictures() {
  std::vector<std::string> names = {
      "particles.tga", "lightning.jpg", "flare.jpg",     "podsvet.jpg",  "font.tga",
      "menutex.tga",   "white.jpg",     "winfill.jpg",   "baloon.tga",   "button.tga",
      "jocker.tga",    "bomb.tga",      "superbomb.tga", "zep2.tga",     "shadow.tga",
      "field0.tga",    "field1.tga",    "field2.tga",    "field1a.tga",  "field2a.tga",
      "fieldspodsv.tga", "question.tga", "gamebar.tga",  "heart.tga",    "molotok1.tga",
      "molotok2.tga",  "hammer_lum.jpg", "levelbar1.tga", "levelbar2.tga", "cursorhammer.tga",
      "menumap.jpg",   "levelmark.tga"};
  for (int i = 0; i < 8; ++i) names.push_back(numbered("bal%.2i.tga", i));
  for (int i = 0; i < 16; ++i) names.push_back(numbered("diamond01%.2i.tga", i));
  for (int i = 1; i <= 15; ++i) names.push_back(numbered("artefact%i.tga", i));
  return names;
}

const char* const kSounds[] = {
    "addball.ogg",  "addbonus.ogg",    "addlife.ogg",      "ball.ogg",          "ballstand.ogg",
    "birds1.ogg",   "birds2.ogg",      "birds3.ogg",       "bomb1.ogg",         "bomb2.ogg",
    "brook.ogg",    "chain.ogg",       "chpok1.ogg",       "defeat.ogg",        "deleteballs.ogg",
    "diamond.ogg",  "diamond0.ogg",    "excellent.ogg",    "gaf.ogg",           "gethammer.ogg",
    "hammer.ogg",   "level_defeat.ogg", "levelcomplete.ogg", "menu.ogg",        "menu2.ogg",
    "score.ogg",    "selectaim.ogg",   "selectball.ogg",   "square.ogg",        "waterfall.ogg",
    "wow.ogg"};

struct Picture {
  int width = 0, height = 0, channels = 0;
};
Picture decode(const std::vector<uint8_t>& bytes) {
  Picture picture;
  stbi_uc* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()),
                                          &picture.width, &picture.height, &picture.channels, 4);
  stbi_image_free(pixels);
  return picture;
}

bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// A JPEG in the form the game's decoder expects: baseline, no EXIF.
void expectBaselineJpeg(const std::vector<uint8_t>& jpeg, const std::string& name) {
  bool baseline = false, progressive = false, exif = false;
  for (size_t i = 0; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] != 0xFF) continue;
    baseline |= jpeg[i + 1] == 0xC0;
    progressive |= jpeg[i + 1] == 0xC2;
    exif |= jpeg[i + 1] == 0xE1;
  }
  EXPECT_TRUE(baseline && !progressive && !exif) << name;
}

}  // namespace

TEST(DataSet, PacksHoldBareUniqueNamesAndEveryFixedFileIsFound) {
  std::set<std::string> folded;
  for (const auto& [name, file] : packedFiles()) {
    EXPECT_EQ(name.find_first_of("/\\"), std::string::npos) << name;
    EXPECT_LE(name.size(), 63u);
    std::string lower = name;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(folded.insert(lower).second) << "two entries differ only in case: " << name;
  }
  EXPECT_GT(packedFiles().size(), 80u);
  for (const std::string& name : fixedPictures()) EXPECT_FALSE(dataFile(name).empty()) << name;
  for (const char* name : {"strings.txt", "tips.txt", "menu.txt", "menutext.txt", "gameobjs.txt",
                           "font.dat", "hi_expert.txt", "hi_normal.txt", "hi_zen.txt"}) {
    EXPECT_FALSE(dataFile(name).empty()) << name;
  }
}

TEST(DataSet, FilesTheGameReadsFromDiskAreLoose) {
  for (const char* name : {"loadscreen.jpg", "loadbar.jpg", "music.mo3", "trajectory1.spl"}) {
    EXPECT_TRUE(looseFileExists(name)) << name;
  }
  std::vector<std::string> sounds(std::begin(kSounds), std::end(kSounds));
  EXPECT_EQ(looseFolder("Sounds"), sounds);
  for (int i = 0; i < 16; ++i) {
    EXPECT_TRUE(looseFileExists(numbered("animbacks/_a_back%i.jpg", i))) << i;
    EXPECT_TRUE(looseFileExists(numbered("animbacks/level%i.lev", i))) << i;
  }
  for (int n = 1; n <= 4; ++n) EXPECT_TRUE(looseFileExists(numbered("levels/tut1_%.2i.lvl", n)));
  for (int n = 1; n <= 66; ++n) EXPECT_TRUE(looseFileExists(numbered("levels/pack1_%.2i.lvl", n)));
  EXPECT_TRUE(looseFileExists("levels/help.lvl"));
  EXPECT_EQ(looseFolder("levels").size(), 71u);
  // The effects are found by listing the folder: none may hide in a pack.
  for (const auto& [name, file] : packedFiles()) EXPECT_EQ(name.find(".par"), std::string::npos);
}

TEST(DataSet, PicturesHaveTheSizesAndEncodingsTheGameNeeds) {
  const struct {
    const char* name;
    int width, height;
  } exact[] = {{"loadscreen.jpg", 800, 600}, {"loadbar.jpg", 310, 48}, {"menumap.jpg", 800, 600},
               {"particles.tga", 512, 512},  {"menutex.tga", 256, 512}, {"font.tga", 512, 512},
               {"gamebar.tga", 128, 512},    {"baloon.tga", 256, 128}};
  for (const auto& picture : exact) {
    const Picture decoded = decode(dataFile(picture.name));
    EXPECT_EQ(decoded.width, picture.width) << picture.name;
    EXPECT_EQ(decoded.height, picture.height) << picture.name;
  }
  for (const std::string& name : fixedPictures()) {
    const std::vector<uint8_t> bytes = dataFile(name);
    const Picture decoded = decode(bytes);
    ASSERT_GT(decoded.width, 0) << name;
    EXPECT_LE(std::max(decoded.width, decoded.height), 1024) << name;
    if (name.find(".tga") != std::string::npos) {
      // Uncompressed true colour, 32 bits with 8 alpha bits.
      EXPECT_EQ(bytes[2], 2) << name;
      EXPECT_EQ(bytes[16], 32) << name;
      EXPECT_EQ(bytes[17] & 0x0F, 8) << name;
      EXPECT_TRUE(isPowerOfTwo(decoded.width) && isPowerOfTwo(decoded.height)) << name;
    } else {
      expectBaselineJpeg(bytes, name);
    }
  }
}

TEST(DataSet, BackgroundsEndTheirJpegAtTheFirstEndMarkerAndCarryAFullAlphaPlane) {
  for (int i = 0; i < 16; ++i) {
    const std::vector<uint8_t> bytes = looseFile(numbered("animbacks/_a_back%i.jpg", i));
    size_t end = 0;
    for (size_t k = 0; k + 1 < bytes.size(); ++k) {
      if (bytes[k] == 0xFF && bytes[k + 1] == 0xD9) {
        end = k + 2;
        break;
      }
    }
    ASSERT_GT(end, 0u) << i;
    EXPECT_EQ(bytes.size() - end, 800u * 600u) << i;
    const std::vector<uint8_t> jpeg(bytes.begin(), bytes.begin() + static_cast<long>(end));
    const Picture decoded = decode(jpeg);
    EXPECT_EQ(decoded.width, 800);
    EXPECT_EQ(decoded.height, 600);
    expectBaselineJpeg(jpeg, numbered("_a_back%i.jpg", i));
  }
}

TEST(DataSet, FontMetricsMatchTheAtlasAndCoverPrintableText) {
  const std::vector<uint8_t> metrics = dataFile("font.dat");
  ASSERT_EQ(metrics.size(), 516u);
  EXPECT_EQ(readU32(metrics, 0), 16u);
  int width, height, channels;
  const std::vector<uint8_t> atlasBytes = dataFile("font.tga");
  stbi_uc* atlas = stbi_load_from_memory(atlasBytes.data(), static_cast<int>(atlasBytes.size()),
                                         &width, &height, &channels, 4);
  ASSERT_NE(atlas, nullptr);
  for (int code = 32; code < 256; ++code) {
    if (code >= 127 && code < 160) continue;
    const int advance = metrics[4 + code];
    const int cell = metrics[260 + code];
    EXPECT_EQ(cell, code);
    EXPECT_GT(advance, 0) << code;
    EXPECT_LE(advance, 32) << code;
    int ink = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) ink += atlas[(((cell / 16) * 32 + y) * 512 + (cell % 16) * 32 + x) * 4 + 3] > 128;
    }
    // Every glyph but the spaces leaves ink in its own cell.
    EXPECT_EQ(ink > 0, code != 32 && code != 160) << code;
  }
  EXPECT_GT(metrics[4 + 'W'], metrics[4 + 'i']);
  stbi_image_free(atlas);
}

TEST(DataSet, SoundsAreOggVorbisAt44100AndTheWaterLoopsMatchTheirPeriods) {
  for (const char* name : kSounds) {
    const std::vector<uint8_t> bytes = looseFile(std::string("Sounds/") + name);
    int error = 0;
    stb_vorbis* vorbis = stb_vorbis_open_memory(bytes.data(), static_cast<int>(bytes.size()), &error, nullptr);
    ASSERT_NE(vorbis, nullptr) << name;
    EXPECT_EQ(stb_vorbis_get_info(vorbis).sample_rate, 44100u) << name;
    const float seconds = stb_vorbis_stream_length_in_samples(vorbis) / 44100.0f;
    const std::string sound = name;
    if (sound == "waterfall.ogg" || sound == "brook.ogg") {
      EXPECT_NEAR(seconds, sound == "brook.ogg" ? 3.1f : 3.0f, 0.01f) << name;
    }
    stb_vorbis_close(vorbis);
  }
}

TEST(DataSet, MusicSectionsStartWhereTheGameStartsThemAndLoopInPlaceAudibly) {
  const std::vector<uint8_t> bytes = looseFile("music.mo3");
  int error = 0;
  openmpt_module* module = openmpt_module_create_from_memory2(
      bytes.data(), bytes.size(), openmpt_log_func_silent, nullptr, openmpt_error_func_ignore,
      nullptr, &error, nullptr, nullptr);
  ASSERT_NE(module, nullptr);
  EXPECT_GE(openmpt_module_get_num_orders(module), 66);
  openmpt_module_set_repeat_count(module, -1);
  const int firsts[] = {0, 11, 29, 44, 47, 63, 65};
  const int lasts[] = {10, 28, 43, 46, 62, 64, 65};
  std::vector<int16_t> buffer(44100 * 2);
  for (int s = 0; s < 7; ++s) {
    openmpt_module_set_position_order_row(module, firsts[s], 0);
    int lowest = 1000, highest = -1;
    double energy = 0.0;
    for (int second = 0; second < 100; ++second) {  // the longest loop is 90 s
      openmpt_module_read_interleaved_stereo(module, 44100, 44100, buffer.data());
      for (const int16_t v : buffer) energy += static_cast<double>(v) * v;
      lowest = std::min(lowest, openmpt_module_get_current_order(module));
      highest = std::max(highest, openmpt_module_get_current_order(module));
    }
    EXPECT_EQ(lowest, firsts[s]) << "section at " << firsts[s];
    EXPECT_EQ(highest, lasts[s]) << "section at " << firsts[s];
    EXPECT_GT(std::sqrt(energy / (100.0 * 88200.0)), 300.0) << "section at " << firsts[s];
  }
  openmpt_module_destroy(module);
}

TEST(DataSet, LevelSheetShowsEveryBoard) {
  const std::vector<uint8_t> png = testReadFile(std::string(ORBEL_PREVIEW_DIR) + "/levels.png");
  const Picture sheet = decode(png);
  // 71 boards, eight to a row.
  EXPECT_EQ(sheet.width, 8 * 176 + 8);
  EXPECT_EQ(sheet.height, 9 * 148 + 8);
}

TEST(DataSet, TwoRunsOfTheToolWriteIdenticalBytes) {
  const std::string root = testTempDirectory("datagen-twice");
  const std::string command = testToolPath("datagen") + " --src " + ORBEL_SOURCE_DIR + "/data --out ";
  ASSERT_EQ(testRunCommand(command + root + "/a --preview " + root + "/pa 2>&1"), 0);
  ASSERT_EQ(testRunCommand(command + root + "/b --preview " + root + "/pb 2>&1"), 0);
  std::string differences;
  testRunCommand("diff -r " + root + "/a " + root + "/b && diff -r " + root + "/pa " + root +
                     "/pb && echo same",
                 &differences);
  EXPECT_EQ(differences, "same\n");
  testRunCommand("rm -rf '" + root + "'");
}
