// orbel-datagen refuses broken sources: each case copies the real sources,
// breaks one thing and expects the run to fail naming the file and line,
// without writing anything.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "test_support.h"

namespace {

struct BrokenSource {
  const char* file;     // below data/
  const char* find;     // text to replace ("" = append)
  const char* replace;
  const char* message;  // expected in the report
};

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

class DatagenRefuses : public ::testing::TestWithParam<BrokenSource> {};

TEST_P(DatagenRefuses, TheBrokenSourceWithItsFileAndLine) {
  const BrokenSource& broken = GetParam();
  const std::string root = testTempDirectory("datagen-broken");
  ASSERT_EQ(testRunCommand("cp -r '" + std::string(ORBEL_SOURCE_DIR) + "/data' '" + root + "/data'"), 0);
  const std::string path = root + "/data/" + broken.file;
  std::string text = readText(path);
  if (broken.find[0]) {
    const size_t at = text.find(broken.find);
    ASSERT_NE(at, std::string::npos) << broken.find;
    text.replace(at, std::strlen(broken.find), broken.replace);
  } else {
    text += broken.replace;
  }
  testWriteFile(path, text);
  std::string output;
  const int status = testRunCommand(testToolPath("datagen") + " --src '" + root + "/data' --out '" +
                                        root + "/Data' 2>&1",
                                    &output);
  EXPECT_EQ(status, 1) << output;
  EXPECT_NE(output.find(broken.message), std::string::npos) << output;
  EXPECT_FALSE(testRunCommand("test -e '" + root + "/Data/texts.dat'") == 0) << "wrote output";
  testRunCommand("rm -rf '" + root + "'");
}

INSTANTIATE_TEST_SUITE_P(
    Sources, DatagenRefuses,
    ::testing::Values(
        BrokenSource{"strings.txt", "savemsg=", "savemessage=", "strings.txt: error: the key \"savemsg\" is missing"},
        BrokenSource{"strings.txt", "stagename3=", "stagename33=", "strings.txt:26: error: the group \"stagename1\" lacks"},
        BrokenSource{"strings.txt", "Hello, %s!", "Hello, %d!", "strings.txt:48: error: \"hallo\" must hold"},
        BrokenSource{"menu.txt", "skip level\n", "", "no block lists \"skip level\" on the screen \"defeat\""},
        BrokenSource{"menu.txt", "", "\nlost=\nback\n", "menu.txt:86: error: a block that no screen reaches"},
        BrokenSource{"levels/pack1_20.lvl", ".001..2..2..Z..0", ".001..2..2..Z..0.", "pack1_20.lvl:17: error: a grid line holds 21 cells"},
        BrokenSource{"levels/pack1_03.lvl", ".00a01111100000", ".00a0111110000I", "pack1_03.lvl:15: error: \"I\" is not a cell"},
        BrokenSource{"levels/tut1_01.lvl", "0ZZ1a00........\n.....0000000........\n.....000b000........\n.....0bb1",
                     "0XXXa00........\n.....0000000........\n.....000b000........\n.....0bb0", "tut1_01.lvl: error: an adventure level needs squares"},
        BrokenSource{"levels/pack1_17.lvl", "010.........\n.........0..", "010.........\n............", "pack1_17.lvl: error: the floor falls apart"},
        BrokenSource{"effects/bomb1.par", "externeffect1=blastring", "externeffect1=blastrings", "bomb1.par: error: the external effect \"blastrings\" does not exist"},
        BrokenSource{"effects/ball1.par", "drotdev=360", "drotdev=360\nradius9=4", "ball1.par:20: error: unknown line"},
        BrokenSource{"scenery/level3.txt", "leaves_fern     -400", "leaves_ferns    -400", "scenery/level3.txt:8: error: \"leaves_ferns\" is not in the catalogue"}));
