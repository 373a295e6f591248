// Files where a hostile user put something else: what the one whole-file read
// takes and refuses, how a player's file is saved over what is there, how a
// tool's output goes into a pipe, and the save problems the game shows.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/picture.h"
#include "platform/platform.h"
#include "test_support.h"

namespace {

class HostileFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = sysCurrentDirectory();
    dir_ = testTempDirectory("hostile-files");
    ASSERT_TRUE(sysChangeDirectory(dir_.c_str()));
    sysResetFileReports();
  }
  void TearDown() override {
    sysChangeDirectory(saved_.c_str());
    sysResetFileReports();
  }
  std::string saved_, dir_;
};

mode_t modeOf(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
}

std::string textOf(const std::string& path) {
  const std::vector<uint8_t> bytes = testReadFile(path);
  return std::string(bytes.begin(), bytes.end());
}

TEST_F(HostileFiles, TheWholeReadTakesOnlyARegularFileNoLargerThanItsFormat) {
  testWriteFile("ok.dat", "12345678");
  std::vector<uint8_t> bytes;
  SysReadFailure why;
  EXPECT_TRUE(sysReadWholeFile("ok.dat", 8, &bytes, &why));
  EXPECT_EQ(bytes.size(), 8u);
  EXPECT_FALSE(sysReadWholeFile("ok.dat", 7, &bytes, &why));
  EXPECT_EQ(why.status, SysReadStatus::TooLarge);
  EXPECT_EQ(why.size, 8u);
  EXPECT_TRUE(bytes.empty());

  struct Case {
    HostileForm form;
    SysReadStatus status;
  };
  for (const Case& c : {Case{HostileForm::Folder, SysReadStatus::NotAFile},
                        Case{HostileForm::Sparse2GiB, SysReadStatus::TooLarge},
                        Case{HostileForm::SymlinkLoop, SysReadStatus::Unreadable}}) {
    testMakeHostile(dir_ + "/hostile.dat", c.form);
    EXPECT_FALSE(sysReadWholeFile("hostile.dat", 1184, &bytes, &why)) << testHostileName(c.form);
    EXPECT_EQ(why.status, c.status) << testHostileName(c.form);
    size_t size = 0;
    EXPECT_EQ(sysReadWholeFileMalloc("hostile.dat", 1184, &size, &why), nullptr);
    EXPECT_EQ(why.status, c.status) << testHostileName(c.form);
  }
  EXPECT_EQ(why.error, ELOOP);
  EXPECT_EQ(sysDescribeReadFailure(why, 1184), std::strerror(ELOOP));
  testMakeHostile(dir_ + "/hostile.dat", HostileForm::Sparse2GiB);
  sysReadWholeFile("hostile.dat", 1184, &bytes, &why);
  EXPECT_EQ(sysDescribeReadFailure(why, 1184),
            "it is 2147483648 bytes, more than such a file can be (1184)");

  // Missing, also below something that is not a folder.
  EXPECT_FALSE(sysReadWholeFile("absent.dat", 10, &bytes, &why));
  EXPECT_EQ(why.status, SysReadStatus::Missing);
  EXPECT_FALSE(sysReadWholeFile("ok.dat/inner.dat", 10, &bytes, &why));
  EXPECT_EQ(why.status, SysReadStatus::Missing);
}

TEST_F(HostileFiles, APipeOrDeviceIsRefusedWithoutWaitingForAWriter) {
  ASSERT_EQ(mkfifo("pipe.dat", 0644), 0);
  std::vector<uint8_t> bytes;
  SysReadFailure why;
  EXPECT_FALSE(sysReadWholeFile("pipe.dat", 100, &bytes, &why));  // would hang if opened
  EXPECT_EQ(why.status, SysReadStatus::NotAFile);
  EXPECT_FALSE(sysReadWholeFile("/dev/zero", 100, &bytes, &why));
  EXPECT_EQ(why.status, SysReadStatus::NotAFile);
  // A link to a regular file is that file.
  testWriteFile("real.dat", "abc");
  ASSERT_EQ(symlink("real.dat", "link.dat"), 0);
  EXPECT_TRUE(sysReadWholeFile("link.dat", 3, &bytes, &why));
}

TEST_F(HostileFiles, APlayersFileIsSavedThroughItsLinkWithItsPermissions) {
  testWriteFile("target.dat", "old");
  chmod("target.dat", 0600);
  ASSERT_EQ(symlink("target.dat", "profiles.dat"), 0);
  ASSERT_TRUE(sysWriteFileAtomic("profiles.dat", "new", 3));
  EXPECT_TRUE(S_ISLNK(modeOf("profiles.dat"))) << "the player's link stays";
  EXPECT_EQ(textOf("target.dat"), "new");
  EXPECT_EQ(modeOf("target.dat") & 07777, 0600u);
  EXPECT_EQ(sysListDirectory(".", "").size(), 2u) << "no temporary file is left";

  // A loop holds nothing: the save puts the file in its place.
  testMakeHostile(dir_ + "/records.dat", HostileForm::SymlinkLoop);
  ASSERT_TRUE(sysWriteFileAtomic("records.dat", "rec", 3));
  EXPECT_TRUE(S_ISREG(modeOf("records.dat")));
  EXPECT_EQ(textOf("records.dat"), "rec");
  EXPECT_FALSE(sysSaveProblemPending());
}

TEST_F(HostileFiles, AFolderInPlaceOfAFileIsToldOnceAsASaveProblemAndKept) {
  testMakeHostile(dir_ + "/hiscore.dat", HostileForm::Folder);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(sysWriteFileAtomic("hiscore.dat", "x", 1));
  EXPECT_FALSE(sysWriteFileAtomic("hiscore.dat", "x", 1));  // tried again, said once
  const std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(testCountOf(told, "cannot save files in " + dir_ + ": hiscore.dat: " +
                                  std::strerror(EISDIR)),
            1)
      << told;
  EXPECT_TRUE(S_ISDIR(modeOf("hiscore.dat")));
  EXPECT_EQ(sysListDirectory(".", "").size(), 0u) << "no temporary file is left";

  ASSERT_TRUE(sysSaveProblemPending());
  SysSaveProblem problem;
  ASSERT_TRUE(sysTakeSaveProblem(&problem));
  EXPECT_EQ(std::string(problem.folder), dir_);
  EXPECT_NE(std::string(problem.message).find(dir_), std::string::npos) << problem.message;
  EXPECT_NE(std::string(problem.message).find("tries again"), std::string::npos);
  EXPECT_FALSE(sysSaveProblemPending()) << "shown once";
  EXPECT_FALSE(sysTakeSaveProblem(&problem));

  // Another folder is a problem of its own.
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(sysWriteFileAtomic((dir_ + "/absent/records.dat").c_str(), "x", 1));
  ::testing::internal::GetCapturedStderr();
  ASSERT_TRUE(sysTakeSaveProblem(&problem));
  EXPECT_EQ(std::string(problem.folder), dir_ + "/absent");
}

TEST_F(HostileFiles, AnUnreadableFileIsSaidOnceWithWhatTheGameDoesInstead) {
  testMakeHostile(dir_ + "/profiles.dat", HostileForm::Folder);
  SysReadFailure why;
  std::vector<uint8_t> bytes;
  sysReadWholeFile("profiles.dat", 1184, &bytes, &why);
  ::testing::internal::CaptureStderr();
  sysReportUnreadableFile("profiles.dat", why, 1184, "no profiles");
  sysReportUnreadableFile("profiles.dat", why, 1184, "no profiles");
  sysReadWholeFile("absent.dat", 1184, &bytes, &why);
  sysReportUnreadableFile("absent.dat", why, 1184, "nothing");  // missing is not news
  const std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(testCountOf(told, "\n"), 1) << told;
  EXPECT_NE(told.find("cannot read " + dir_ + "/profiles.dat: it is not a file"),
            std::string::npos)
      << told;
  EXPECT_NE(told.find("; no profiles\n"), std::string::npos) << told;
}

TEST_F(HostileFiles, AToolsOutputGoesStraightIntoAPipeAndReplacesAFileWhole) {
  ASSERT_EQ(mkfifo("dump.json", 0644), 0);
  std::string received;
  std::thread reader([&] { received = textOf(dir_ + "/dump.json"); });
  EXPECT_TRUE(sysWriteOutputFile("dump.json", "{\"frame\":1}\n", 12));
  reader.join();
  EXPECT_EQ(received, "{\"frame\":1}\n");
  EXPECT_TRUE(S_ISFIFO(modeOf("dump.json"))) << "the pipe stays a pipe";
  // A screenshot the same way.
  ASSERT_EQ(mkfifo("shot.pipe", 0644), 0);
  std::thread shotReader([&] { received = textOf(dir_ + "/shot.pipe"); });
  const uint8_t pixel[4] = {10, 20, 30, 0};
  EXPECT_TRUE(picWritePng("shot.pipe", pixel, 1, 1));
  shotReader.join();
  EXPECT_EQ(received.substr(1, 3), "PNG");
  EXPECT_TRUE(S_ISFIFO(modeOf("shot.pipe")));

  testWriteFile("shot.png", "an older, longer picture");
  EXPECT_TRUE(sysWriteOutputFile("shot.png", "png", 3));
  EXPECT_EQ(textOf("shot.png"), "png");
  sysMakeDirectory("folder.png");
  EXPECT_FALSE(sysWriteOutputFile("folder.png", "png", 3));
  EXPECT_EQ(errno, EISDIR);
  EXPECT_FALSE(sysSaveProblemPending()) << "a tool's output is no player's save";
}

}  // namespace
