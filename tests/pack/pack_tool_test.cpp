// orbel-pack driven as a program: build, list and extract round trips, and its
// answers to bad usage and damaged packs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace {

class PackTool : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = testTempDirectory("pack"); }
  // Runs orbel-pack with `args` (shell words) in the test folder; stderr is kept.
  int run(const std::string& args, std::string* output = nullptr) {
    return testRunCommand("cd '" + dir_ + "' && '" + testToolPath("pack") + "' " + args +
                              " 2>stderr.txt",
                          output);
  }
  std::string errors() {
    const std::vector<uint8_t> bytes = testReadFile(dir_ + "/stderr.txt");
    return std::string(bytes.begin(), bytes.end());
  }
  std::string path(const std::string& name) { return dir_ + "/" + name; }
  std::string dir_;
};

std::string binaryBytes() {
  std::string bytes;
  for (int i = 0; i < 600; i++) bytes.push_back(char(i * 37));
  return bytes;
}

TEST_F(PackTool, BuildListAndExtractRoundTrip) {
  testMakeDirectories(path("in/sub").c_str());
  testWriteFile(path("in/sub/zeros.bin"), std::string(5, '\0'));
  testWriteFile(path("in/strings.txt"), "savemsg=Saved\r\n\r\n");
  testWriteFile(path("in/empty.txt"), "");
  testWriteFile(path("in/art.tga"), binaryBytes());
  ASSERT_EQ(run("build out.dat in/strings.txt in/sub/zeros.bin in/empty.txt in/art.tga"), 0)
      << errors();
  // Entries carry base names, in the order given, zero data stored as the name.
  const std::vector<uint8_t> pack = testReadFile(path("out.dat"));
  const std::string head(pack.begin(), pack.begin() + 12);
  EXPECT_EQ(head, std::string("strings.txt\0", 12));

  std::string listing;
  ASSERT_EQ(run("list out.dat", &listing), 0);
  EXPECT_EQ(listing, "17 strings.txt\n5 zeros.bin\n0 empty.txt\n600 art.tga\n");

  ASSERT_EQ(run("extract out.dat extracted/deeper"), 0) << errors();
  for (const char* name : {"strings.txt", "zeros.bin", "empty.txt", "art.tga"}) {
    const std::string original = name == std::string("zeros.bin") ? "in/sub/zeros.bin"
                                                                  : std::string("in/") + name;
    EXPECT_EQ(testReadFile(path("extracted/deeper/") + name), testReadFile(path(original)))
        << name;
  }
}

TEST_F(PackTool, DamagedPacksAndMissingInputsFailWithOneLine) {
  testWriteFile(path("a.txt"), binaryBytes());
  ASSERT_EQ(run("build good.dat a.txt"), 0);
  std::vector<uint8_t> good = testReadFile(path("good.dat"));
  testWriteFile(path("cut.dat"), std::string(good.begin(), good.end() - 1));
  EXPECT_EQ(run("list cut.dat"), 1);
  EXPECT_NE(errors().find("cut.dat"), std::string::npos);
  EXPECT_EQ(errors().find('\n'), errors().size() - 1);
  EXPECT_EQ(run("extract cut.dat out"), 1);
  EXPECT_EQ(testReadFile(path("out/a.txt")).size(), 0u);

  EXPECT_EQ(run("list missing.dat"), 1);
  EXPECT_EQ(run("build x.dat a.txt missing.txt"), 1);
  EXPECT_NE(errors().find("missing.txt"), std::string::npos);
  EXPECT_EQ(testReadFile(path("x.dat")).size(), 0u);
  testMakeDirectories(path("other").c_str());
  testWriteFile(path("other/A.TXT"), "x");
  EXPECT_EQ(run("build x.dat a.txt other/A.TXT"), 1);  // same name ignoring case
}

TEST_F(PackTool, ExtractRefusesNamesThatLeaveTheFolder) {
  std::string evil("../escape.txt\0\1\0\0\0x", 19);
  testWriteFile(path("evil.dat"), evil);
  EXPECT_EQ(run("extract evil.dat out"), 1);
  EXPECT_EQ(testReadFile(path("escape.txt")).size(), 0u);
}

TEST_F(PackTool, BadUsageExitsWithTwo) {
  EXPECT_EQ(run(""), 2);
  EXPECT_EQ(run("list"), 2);
  EXPECT_EQ(run("build out.dat"), 2);
  EXPECT_EQ(run("unpack a b"), 2);
  EXPECT_NE(errors().find("usage"), std::string::npos);
}

}  // namespace
