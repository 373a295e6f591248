// The platform services the game stands on: files, listings, the registry
// stand-in, the instance lock, the manual clock and the event queue.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "test_support.h"

namespace {

class PlatformFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = sysCurrentDirectory();
    dir_ = testTempDirectory("platform");
    ASSERT_TRUE(sysChangeDirectory(dir_.c_str()));
  }
  void TearDown() override { sysChangeDirectory(saved_.c_str()); }
  std::string saved_, dir_;
};

TEST_F(PlatformFiles, ListingIsSortedFilteredAndSkipsFolders) {
  testWriteFile("b.ogg", "b");
  testWriteFile("A.OGG", "a");
  testWriteFile("c.txt", "c");
  testWriteFile("a.ogg", "a");
  sysMakeDirectory("d.ogg");
  const auto names = sysListDirectory(".", ".ogg");
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], "A.OGG");
  EXPECT_EQ(names[1], "a.ogg");
  EXPECT_EQ(names[2], "b.ogg");
  EXPECT_EQ(sysListDirectory(".", "").size(), 4u);
  EXPECT_TRUE(sysListDirectory("missing", "").empty());
}

TEST_F(PlatformFiles, FindsNamesIgnoringCaseButPrefersTheExactOne) {
  testWriteFile("LoadScreen.JPG", "x");
  EXPECT_EQ(sysFindFileIgnoringCase("loadscreen.jpg"), "LoadScreen.JPG");
  EXPECT_EQ(sysFindFileIgnoringCase("LoadScreen.JPG"), "LoadScreen.JPG");
  EXPECT_EQ(sysFindFileIgnoringCase("nothing.jpg"), "");
  sysMakeDirectory("Sounds");
  testWriteFile("Sounds/Ball.ogg", "x");
  EXPECT_EQ(sysFindFileIgnoringCase("Sounds/ball.ogg"), "Sounds/Ball.ogg");
  EXPECT_EQ(sysFindFileIgnoringCase("sounds/ball.ogg"), "");  // folders are exact
}

TEST_F(PlatformFiles, AtomicWriteReplacesWholeAndLeavesNoTemporaryFile) {
  ASSERT_TRUE(sysWriteFileAtomic("save.dat", "first version", 13));
  ASSERT_TRUE(sysWriteFileAtomic("save.dat", "2nd", 3));
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(sysReadWholeFile("save.dat", 100, &bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "2nd");
  EXPECT_EQ(sysListDirectory(".", "").size(), 1u);
  // A folder that does not exist: refused, nothing created.
  EXPECT_FALSE(sysWriteFileAtomic("missing/save.dat", "x", 1));
  EXPECT_FALSE(sysReadWholeFile("missing/save.dat", 100, &bytes));
  EXPECT_TRUE(bytes.empty());
}

TEST_F(PlatformFiles, RegistryValuesLiveUnderTheConfigFolder) {
  setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
  const char* key = "software\\tarnwick\\games\\orbelquaint";
  EXPECT_EQ(sysRegistryPath(key, "settings"),
            dir_ + "/software/tarnwick/games/orbelquaint/settings");
  std::vector<uint8_t> value;
  EXPECT_FALSE(sysRegistryRead(key, "settings", 4, &value));
  const uint8_t bytes[4] = {1, 2, 3, 4};
  ASSERT_TRUE(sysRegistryWrite(key, "settings", bytes, 4));
  ASSERT_TRUE(sysRegistryRead(key, "settings", 4, &value));
  EXPECT_EQ(value, std::vector<uint8_t>(bytes, bytes + 4));
}

TEST(PlatformLock, SecondHolderOfTheSameNameIsRefused) {
  EXPECT_TRUE(sysAcquireInstanceLock("platform test lock"));
  EXPECT_FALSE(sysAcquireInstanceLock("platform test lock"));
  EXPECT_TRUE(sysAcquireInstanceLock("another platform test lock"));
}

TEST(PlatformClock, ManualClockMovesOnlyWhenTold) {
  sysUseManualClock(500);
  EXPECT_EQ(sysMilliseconds(), 500u);
  sysAdvanceClock(16);
  EXPECT_EQ(sysMilliseconds(), 516u);
  sysSleep(200);  // sleeping moves the manual clock instead of waiting
  EXPECT_EQ(sysMilliseconds(), 716u);
}

TEST(PlatformEvents, PushedEventsComeBackInOrder) {
  ASSERT_TRUE(sysInit());
  sysCreateHeadlessWindow(640, 480);
  sysPushEvent({SysEventType::KeyDown, VK_RETURN, 0, 0});
  sysPushEvent({SysEventType::MouseMove, 0, 10, 20});
  SysEvent e;
  ASSERT_TRUE(sysPollEvent(&e));
  EXPECT_EQ(e.type, SysEventType::KeyDown);
  EXPECT_EQ(e.key, VK_RETURN);
  ASSERT_TRUE(sysPollEvent(&e));
  EXPECT_EQ(e.type, SysEventType::MouseMove);
  EXPECT_EQ(e.x, 10);
  EXPECT_FALSE(sysPollEvent(&e));
  int32_t w, h;
  sysGetClientSize(&w, &h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  sysShutdown();
}

TEST(PlatformMessageBox, HandlerAnswersInsteadOfABox) {
  sysSetMessageBoxHandler([](const char*, const char* caption, SysMsgButtons) {
    return std::string(caption) == "Q" ? SysMsgAnswer::Yes : SysMsgAnswer::Ok;
  });
  EXPECT_EQ(sysMessageBox("?", "Q", SysMsgButtons::YesNo, SysMsgIcon::Question), SysMsgAnswer::Yes);
  sysSetMessageBoxHandler(nullptr);
  // Headless without a handler: the text goes to stderr and No is the answer.
  EXPECT_EQ(sysMessageBox("?", "Q", SysMsgButtons::YesNo, SysMsgIcon::Question), SysMsgAnswer::No);
}

TEST(PlatformFatal, StopsWithExitCodeOneAfterTheMessage) {
  EXPECT_EXIT(sysFatalStop("Can't load x...", "Loading Error"), ::testing::ExitedWithCode(1),
              "Can't load x");
}

}  // namespace
