// Loading the definitions of the "effects" folder at start-up: listing order,
// names, the sheet's cells, the limits, and a definition that cannot be read.
#include <string>
#include <vector>

#include "effects_fixture.h"
#include "platform/picture.h"
#include "platform/platform.h"
#include "resources/resources.h"
#include "test_support.h"

namespace {

// The sheet as a memory file of width x height texels.
std::vector<uint8_t> g_sheet;
void addSheet(int32_t width, int32_t height) {
  std::vector<uint8_t> rgba(size_t(width) * size_t(height) * 4, 255);
  g_sheet.clear();
  picEncodeTga(rgba.data(), width, height, &g_sheet);
  ASSERT_NE(registerFile("particles.tga", uint32_t(g_sheet.size()), g_sheet.data(), false),
            nullptr);
}

// A data folder whose "effects" folder holds the given files.
std::string dataWith(const char* tag,
                     const std::vector<std::pair<std::string, std::string>>& files) {
  const std::string dir = testTempDirectory(tag);
  testMakeDirectories((dir + "/effects").c_str());
  for (const auto& [name, text] : files) testWriteFile(dir + "/effects/" + name, text);
  return dir;
}

// Runs loadEffects with `dir` as the current folder; returns true when that folder
// is current again afterwards.
bool loadIn(const std::string& dir) {
  const std::string before = sysCurrentDirectory();
  sysChangeDirectory(dir.c_str());
  const std::string inside = sysCurrentDirectory();
  loadEffects();
  const bool restored = sysCurrentDirectory() == inside;
  sysChangeDirectory(before.c_str());
  return restored;
}

}  // namespace

TEST_F(EffectsTest, DefinitionsLoadInListingOrderNamedByTheirFiles) {
  addSheet(256, 128);
  const std::string dir = dataWith(
      "effects-load", {{"b.par", "parfrequency=2\r\n"},
                       {"a.burst.par", "parfrequency=1\r\n"},
                       {"notes.txt", "parfrequency=9\r\n"},
                       {std::string(40, 'x') + ".par", "parfrequency=3\r\n"}});
  particleSystem.particles[0].lifetime = 100.0f;  // something alive before
  EXPECT_TRUE(loadIn(dir));
  ASSERT_EQ(particleSystem.defCount, 3);
  EXPECT_STREQ(particleSystem.defs[0].name, "a");
  EXPECT_STREQ(particleSystem.defs[1].name, "b");
  EXPECT_EQ(particleSystem.defs[1].parFrequency, 2.0f);
  EXPECT_EQ(std::string(particleSystem.defs[2].name), std::string(31, 'x'));
  EXPECT_EQ(particleSystem.sheetColumns, 4);
  EXPECT_EQ(particleSystem.sheetRows, 2);
  EXPECT_EQ(countLiveEffects().particles, 0);
  // The files are not kept in the file table.
  EXPECT_EQ(findFile("b.par"), nullptr);
}

TEST_F(EffectsTest, AMissingFolderLeavesNoDefinitionsAndTheFolderAsItWas) {
  addSheet(512, 512);
  EXPECT_TRUE(loadIn(testTempDirectory("effects-none")));
  EXPECT_EQ(particleSystem.defCount, 0);
  EXPECT_EQ(particleSystem.sheetColumns, 8);
  startEffect("ball1", 0, 0, kNoEffectTarget, kNoEffectTarget, 1.0f, -1);
  EXPECT_EQ(countLiveEffects().particles, 0);
}

TEST_F(EffectsTest, FilesBeyondTheTableAreIgnored) {
  addSheet(512, 512);
  std::vector<std::pair<std::string, std::string>> files;
  for (int i = 0; i < kMaxEffectDefs + 4; ++i) {
    char name[24];
    std::snprintf(name, sizeof name, "e%03d.par", i);
    files.push_back({name, "parfrequency=1\r\n"});
  }
  loadIn(dataWith("effects-many", files));
  ASSERT_EQ(particleSystem.defCount, kMaxEffectDefs);
  EXPECT_STREQ(particleSystem.defs[kMaxEffectDefs - 1].name, "e255");
}

TEST_F(EffectsTest, ADefinitionThatCannotBeReadStopsWithItsName) {
  addSheet(512, 512);
  // A name the file table cannot hold: the loader cannot take the file in.
  const std::string name = std::string(130, 'q') + ".par";
  const std::string dir = dataWith("effects-unreadable", {{name, "parfrequency=1\r\n"}});
  sysSetMessageBoxHandler(nullptr);
  EXPECT_EXIT(loadIn(dir), ::testing::ExitedWithCode(1), "Can't load q+\\.par");
}
