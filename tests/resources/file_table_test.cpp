// The file table and the packs: lookup rules, pack layout, release, capacity,
// malformed packs, the fatal stop, progress reports and the small stores.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resources_fixture.h"

namespace {

using FileTableTest = ResourcesTest;

std::vector<uint32_t> progressReports;
void recordProgress(uint32_t bytes) { progressReports.push_back(bytes); }

std::string rawEntry(const std::string& name, uint32_t size, const std::string& data) {
  std::string entry = name;
  entry.push_back('\0');
  for (int i = 0; i < 4; i++) entry.push_back(char(size >> (8 * i)));
  return entry + data;
}

TEST_F(FileTableTest, NamesAreUpperCasedForAsciiAndWindows1251LowerCaseOnly) {
  const char name[] = {'a', 'z', 'A', '`', '{', '\xDF', '\xE0', '\xFF', '.', '1', 0};
  char upper[sizeof name];
  upperCaseName(name, upper, sizeof upper);
  const char expected[] = {'A', 'Z', 'A', '`', '{', '\xDF', '\xC0', '\xDF', '.', '1', 0};
  EXPECT_STREQ(upper, expected);
  char small[4];
  upperCaseName("abcdef", small, sizeof small);
  EXPECT_STREQ(small, "ABC");
}

TEST_F(FileTableTest, PackFilesAreFoundIgnoringCaseButNotWithADirectoryPrefix) {
  writePack("jpeg.dat", {{"loadscreen.jpg", "picture"}, {"\xE0\xE1.txt", "cyrillic"}});
  ASSERT_TRUE(openPack("jpeg.dat"));
  uint32_t size = 0;
  const uint8_t* data = loadFile("LOADSCREEN.JPG", &size, false);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(asString(data, size), "picture");
  EXPECT_EQ(findFile("LoadScreen.jpg")->data, data);
  EXPECT_NE(findFile("\xC0\xC1.TXT"), nullptr);
  EXPECT_EQ(findFile("data/loadscreen.jpg"), nullptr);
  EXPECT_EQ(loadFile("levels/loadscreen.jpg", nullptr, false), nullptr);
}

TEST_F(FileTableTest, FirstPackWinsAndPacksWinOverTheDisk) {
  writePack("targa.dat", {{"shared.txt", "from targa"}});
  writePack("jpeg.dat", {{"SHARED.TXT", "from jpeg"}, {"only.txt", "packed"}});
  testWriteFile("only.txt", "loose");
  ASSERT_TRUE(openPack("targa.dat"));
  ASSERT_TRUE(openPack("jpeg.dat"));
  uint32_t size = 0;
  const uint8_t* data = loadFile("shared.txt", &size, true);
  EXPECT_EQ(asString(data, size), "from targa");
  data = loadFile("only.txt", &size, true);
  EXPECT_EQ(asString(data, size), "packed");
}

TEST_F(FileTableTest, PackEntriesAreScrambledWithTheirNameAndEmptyEntriesPointAtTheNext) {
  writePack("texts.dat", {{"abc", std::string(7, '\0')}, {"empty", ""}, {"next", "x"}});
  const std::vector<uint8_t> raw = testReadFile("texts.dat");
  // Zero bytes XORed with the name are the name repeated.
  EXPECT_EQ(std::string(raw.begin() + 8, raw.begin() + 15), "abcabca");
  ASSERT_TRUE(openPack("texts.dat"));
  uint32_t size = 99;
  const uint8_t* zeros = loadFile("abc", &size, true);
  EXPECT_EQ(asString(zeros, size), std::string(7, '\0'));
  EXPECT_NE(loadFile("empty", &size, true), nullptr);
  EXPECT_EQ(size, 0u);
  // The pack and its three files.
  EXPECT_EQ(fileTable.count, 4);
  EXPECT_STREQ(fileTable.entries[0]->name, "TEXTS.DAT");
  EXPECT_EQ(fileTable.entries[0]->isPack, 1);
  EXPECT_EQ(fileTable.entries[3]->data, nullptr) << "a file nobody loaded is never read";
}

// A pack's file is read when loaded; a loader done with it lets the bytes go and the
// next load reads them again, until the pack no longer holds them.
TEST_F(FileTableTest, PackFilesLetTheirBytesGoAndAreReadAgain) {
  writePack("targa.dat", {{"Ball.tga", "picture"}, {"font.tga", "glyphs"}});
  ASSERT_TRUE(openPack("targa.dat"));
  uint32_t size = 0;
  const uint8_t* first = loadFile("ball.tga", &size, true);
  EXPECT_TRUE(dropFileBytes(first));
  EXPECT_EQ(findFile("ball.tga")->data, nullptr);
  EXPECT_EQ(asString(loadFile("BALL.TGA", &size, true), size), "picture");
  testWriteFile("targa.dat", "");
  EXPECT_EQ(asString(loadFile("ball.tga", &size, true), size), "picture") << "still held";
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(loadFile("font.tga", nullptr, false), nullptr);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("font.tga"), std::string::npos);
  EXPECT_EXIT(loadFile("font.tga", nullptr, true), ::testing::ExitedWithCode(1),
              "Can't load font\\.tga");
  // A loose file keeps its bytes.
  testWriteFile("loose.txt", "x");
  const uint8_t* loose = loadFile("loose.txt", nullptr, true);
  EXPECT_FALSE(dropFileBytes(loose));
  EXPECT_EQ(findFile("loose.txt")->data, loose);
}

// Scrambling works a word at a time: every name length, data at every alignment and
// of every length around the key's period must still match byte i ^ name[i mod L].
TEST_F(FileTableTest, ScramblingMatchesTheBytewiseRuleForAnyNameLengthAndAlignment) {
  std::vector<uint8_t> source(3000);
  for (size_t i = 0; i < source.size(); i++) source[i] = uint8_t(i * 131 + (i >> 7));
  for (size_t length : {1, 2, 3, 7, 8, 9, 31, 32, 33, 63, 127, 128, 129, 200}) {
    std::string name;
    for (size_t i = 0; i < length; i++) name.push_back(char('a' + (i * 7) % 26));
    for (size_t offset : {0, 1, 3, 5}) {
      for (size_t size : {0, 1, 7, 255, 256, 257, 1015, 1016, 1017, 2900}) {
        std::vector<uint8_t> data(source.begin(), source.begin() + offset + size);
        scramblePackData(name.c_str(), data.data() + offset, size);
        size_t wrong = 0;
        for (size_t i = 0; i < size; i++) {
          wrong += data[offset + i] != (source[offset + i] ^ uint8_t(name[i % length]));
        }
        EXPECT_EQ(wrong, 0u) << "name length " << length << ", size " << size;
        EXPECT_TRUE(std::equal(data.begin(), data.begin() + offset, source.begin()));
      }
    }
  }
}

TEST_F(FileTableTest, ReleasedPackFileIsReadFromDiskAfterwards) {
  writePack("texts.dat", {{"menu.txt", "packed"}});
  testWriteFile("menu.txt", "loose");
  ASSERT_TRUE(openPack("texts.dat"));
  const uint8_t* packed = loadFile("menu.txt", nullptr, true);
  EXPECT_TRUE(releaseFile(packed));
  EXPECT_FALSE(releaseFile(packed));
  uint32_t size = 0;
  const uint8_t* loose = loadFile("MENU.TXT", &size, true);
  EXPECT_EQ(asString(loose, size), "loose");
  EXPECT_EQ(loadFile("menu.txt", nullptr, true), loose);  // now cached
  EXPECT_TRUE(releaseFileByName("Menu.txt"));
  EXPECT_FALSE(releaseFileByName("menu.txt"));
  // The pack itself stays.
  EXPECT_FALSE(releaseFileByName("texts.dat"));
  EXPECT_EQ(fileTable.count, 1);
}

TEST_F(FileTableTest, DiskFilesAreFoundIgnoringCaseAndEmptyOnesAreNotMissing) {
  testWriteFile("Mixed.TXT", "mixed");
  testWriteFile("empty.bin", "");
  uint32_t size = 0;
  const uint8_t* mixed = loadFile("mixed.txt", &size, true);
  EXPECT_EQ(asString(mixed, size), "mixed");
  EXPECT_STREQ(fileTable.entries[0]->name, "MIXED.TXT");
  EXPECT_NE(loadFile("empty.bin", &size, true), nullptr);
  EXPECT_EQ(size, 0u);
}

TEST_F(FileTableTest, MissingOptionalFileIsNullWithoutAMessage) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(loadFile("records.dat", nullptr, false), nullptr);
  EXPECT_FALSE(openPack("missing.dat"));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(fileTable.count, 0);
}

TEST_F(FileTableTest, MissingRequiredFileStopsTheProgram) {
  EXPECT_EXIT(loadFile("strings.txt", nullptr, true), ::testing::ExitedWithCode(1),
              "Can't load strings\\.txt\\.\\.\\.\nProgram will now stop\\.");
  writePack("texts.dat", {{"strings.txt", "x"}});
  ASSERT_TRUE(openPack("texts.dat"));
  ASSERT_TRUE(releaseFileByName("strings.txt"));
  EXPECT_EXIT(loadFile("strings.txt", nullptr, true), ::testing::ExitedWithCode(1),
              "Can't load strings\\.txt");
}

TEST_F(FileTableTest, MalformedPacksAreRejectedWhole) {
  const std::string good = rawEntry("good.txt", 2, "ok");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {good + rawEntry("long.txt", 10, "short"), "data running past the end"},
      {good + std::string("cut\0\1\0", 6), "size field cut off"},
      {good + rawEntry("", 1, "x"), "an empty name"},
      {good + "nameless", "a name without its NUL"},
      {good + rawEntry(std::string(64, 'n'), 0, ""), "longer than 63"},
  };
  for (const auto& [bytes, reason] : cases) {
    testWriteFile("bad.dat", bytes);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(openPack("bad.dat")) << reason;
    const std::string message = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("bad.dat"), std::string::npos) << message;
    EXPECT_NE(message.find(reason), std::string::npos) << message;
    EXPECT_EQ(fileTable.count, 0) << reason;
  }
  // A name of exactly 63 characters is still fine.
  testWriteFile("edge.dat", good + rawEntry(std::string(63, 'n'), 0, ""));
  EXPECT_TRUE(openPack("edge.dat"));
  EXPECT_EQ(fileTable.count, 3);
}

TEST_F(FileTableTest, TableRefusesEntriesBeyondItsCapacityAndOverlongNames) {
  EXPECT_EQ(registerFile(std::string(128, 'n').c_str(), 0, nullptr, false), nullptr);
  EXPECT_NE(registerFile(std::string(127, 'n').c_str(), 0, nullptr, false), nullptr);
  EXPECT_EQ(findFile(std::string(200, 'n').c_str()), nullptr);
  while (fileTable.count < kMaxFiles) {
    const std::string name = std::to_string(fileTable.count).insert(0, 1, 'f');
    ASSERT_NE(registerFile(name.c_str(), 0, nullptr, false), nullptr);
  }
  EXPECT_EQ(registerFile("one.more", 0, nullptr, false), nullptr);
  EXPECT_EQ(fileTable.count, kMaxFiles);
  // A loose file that cannot be entered is freed and reported as missing.
  testWriteFile("loose.txt", "x");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(loadFile("loose.txt", nullptr, false), nullptr);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("loose.txt"), std::string::npos);
}

TEST_F(FileTableTest, PackThatWouldOverflowTheTableIsRejectedWhole) {
  while (fileTable.count < kMaxFiles - 2) {
    const std::string name = std::to_string(fileTable.count).insert(0, 1, 'f');
    ASSERT_NE(registerFile(name.c_str(), 0, nullptr, false), nullptr);
  }
  writePack("full.dat", {{"a", "1"}, {"b", "2"}});
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(openPack("full.dat"));
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("full.dat"), std::string::npos);
  EXPECT_EQ(fileTable.count, kMaxFiles - 2);
  writePack("fits.dat", {{"a", "1"}});
  EXPECT_TRUE(openPack("fits.dat"));
}

TEST_F(FileTableTest, EveryEntryReportsItsSizeToTheProgressHook) {
  progressReports.clear();
  setLoadProgressHook(recordProgress);
  writePack("jpeg.dat", {{"a.jpg", "12345"}, {"b.jpg", "123"}});
  testWriteFile("loose.txt", "1234567");
  openPack("jpeg.dat");
  loadFile("loose.txt", nullptr, true);
  loadFile("loose.txt", nullptr, true);  // cached: no second report
  EXPECT_EQ(progressReports, (std::vector<uint32_t>{0, 5, 3, 7}));
}

TEST_F(FileTableTest, BytesLoadedOutsideTheTableReachTheSameHook) {
  progressReports.clear();
  reportLoadedBytes(11);  // no hook: nothing happens
  setLoadProgressHook(recordProgress);
  reportLoadedBytes(42);
  EXPECT_EQ(progressReports, (std::vector<uint32_t>{42}));
}

TEST_F(FileTableTest, TheResetForgetsFilesTextsHookAndDataDirectory) {
  const std::string here = sysCurrentDirectory();
  std::snprintf(dataLocation.dataDirectory, sizeof dataLocation.dataDirectory, "%s/",
                here.c_str());
  testWriteFile("loose.txt", "1234567");
  ASSERT_NE(loadFile("loose.txt", nullptr, true), nullptr);
  progressReports.clear();
  setLoadProgressHook(recordProgress);
  resetResources();
  EXPECT_EQ(fileTable.count, 0);
  EXPECT_EQ(findFile("loose.txt"), nullptr);
  EXPECT_EQ(dataLocation.dataDirectory[0], '\0');
  EXPECT_FALSE(returnToDataDirectory()) << "no data directory to return to";
  reportLoadedBytes(5);
  EXPECT_TRUE(progressReports.empty()) << "the hook is gone";
}

TEST_F(FileTableTest, BuildPackRefusesNamesTheTableCouldNotServe) {
  std::vector<uint8_t> out;
  std::string error;
  EXPECT_FALSE(buildPack({{"", {}}}, &out, &error));
  EXPECT_FALSE(buildPack({{std::string(64, 'x'), {}}}, &out, &error));
  EXPECT_FALSE(buildPack({{"Same.txt", {1}}, {"same.TXT", {2}}}, &out, &error));
  EXPECT_NE(error.find("same.TXT"), std::string::npos);
  EXPECT_TRUE(out.empty());
}

TEST_F(FileTableTest, WholeFilesAndRegistryValuesRoundTrip) {
  EXPECT_TRUE(writeWholeFile("out.bin", "abc", 3));
  EXPECT_EQ(testReadFile("out.bin"), (std::vector<uint8_t>{'a', 'b', 'c'}));
  EXPECT_FALSE(writeWholeFile("no/such/folder/out.bin", "abc", 3));

  const char* key = "software\\tarnwick\\games\\orbelquaint";
  const uint8_t record[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  uint8_t buffer[8] = {};
  uint32_t size = 8;
  readRegistryBlob(key, "absent", buffer, &size);
  EXPECT_EQ(size, 0u);
  writeRegistryBlob(key, "blob", record, sizeof record);
  size = 8;
  readRegistryBlob(key, "blob", buffer, &size);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(std::memcmp(buffer, record, 8), 0);
  // A value of another size reads as missing and leaves the buffer alone.
  uint8_t small[4] = {9, 9, 9, 9};
  size = 4;
  readRegistryBlob(key, "blob", small, &size);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(small[0], 9);
}

}  // namespace
