// The player files and the settings value where a hostile user left a folder, a
// sparse 2 GiB file or a loop of links: each is said with what the game does
// instead, the game starts as from missing files, and the next save loses nothing
// the player had on disk.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "persistence/profile.h"
#include "persistence/records.h"
#include "persistence/settings.h"
#include "persistence_fixture.h"
#include "platform/platform.h"
#include "test_support.h"

namespace {

constexpr const char* kPlayerFiles[] = {"profiles.dat", "records.dat", "hiscore.dat",
                                        "survival.dat", "surrecs.dat"};
constexpr uint64_t kPlayerFileSizes[] = {2 * 148, 20160, 1080, 15120, 13440};

uint64_t sizeOf(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 ? uint64_t(st.st_size) : 0;
}

mode_t modeOf(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
}

class HostilePlayerFiles : public PersistenceTest {
 protected:
  void SetUp() override {
    PersistenceTest::SetUp();
    sysResetFileReports();
  }
  void TearDown() override {
    testRunCommand("rm -rf '" + valuePath() + "' '" + valuePath() + ".damaged'");
    sysResetFileReports();
    PersistenceTest::TearDown();
  }
  std::string valuePath() const { return sysRegistryPath(kSettingsKey, kSettingsValueName); }
  // Every file the game keeps for the player: the five player files and the value.
  std::vector<std::string> everyPath() const {
    std::vector<std::string> paths;
    for (const char* name : kPlayerFiles) paths.push_back(settingsPath(name));
    paths.push_back(valuePath());
    return paths;
  }
  // A session saved as a player leaves it: two profiles, ANNA current with a score.
  void saveASession() {
    resetPersistence();
    testRunCommand("rm -rf '" + data_ + "/settings'/* '" + valuePath() + "'*");
    startUp();
    createProfile("ANNA");
    createProfile("BEN");
    selectProfile(0);
    setScore(777);
    saveAll();
    resetPersistence();
  }
  // The start-up's reading, with what it said on standard error.
  std::string startUpSaying() {
    sysResetFileReports();
    ::testing::internal::CaptureStderr();
    startUp();
    return ::testing::internal::GetCapturedStderr();
  }
};

TEST_F(HostilePlayerFiles, EachIsSaidAtStartAndTheGameStartsAsWithoutThem) {
  for (const HostileForm form : kHostileForms) {
    saveASession();
    for (const std::string& path : everyPath()) testMakeHostile(path, form);
    const std::string told = startUpSaying();
    // A file larger than its format is one that can be read, and is damaged.
    const char* said = form == HostileForm::Sparse2GiB ? " is damaged: " : "cannot read ";
    for (const std::string& path : everyPath()) {
      const std::string line = form == HostileForm::Sparse2GiB ? path + " is damaged: "
                                                               : "cannot read " + path + ": ";
      EXPECT_EQ(testCountOf(told, line), 1) << testHostileName(form) << " " << path << "\n"
                                            << told;
    }
    EXPECT_EQ(testCountOf(told, said), 6) << told;
    EXPECT_EQ(testCountOf(told, "the game starts without its profiles"), 1) << told;
    EXPECT_EQ(testCountOf(told, "its table starts from the defaults"), 4) << told;
    EXPECT_EQ(profileTable.profileCount, 0) << testHostileName(form);
    EXPECT_STREQ(recordTables.topScores[0][0].name, "ALICE") << "generated defaults";
  }
}

TEST_F(HostilePlayerFiles, ALargeFileIsKeptAsideAndTheNextSaveWritesAFreshOne) {
  saveASession();
  for (const std::string& path : everyPath()) testMakeHostile(path, HostileForm::Sparse2GiB);
  const std::string told = startUpSaying();
  EXPECT_EQ(testCountOf(told, "bytes, more than the"), 6) << told;
  EXPECT_EQ(testCountOf(told, ".damaged"), 6) << told;
  createProfile("CARL");
  saveAll();
  for (size_t i = 0; i < 5; ++i) {
    const std::string path = settingsPath(kPlayerFiles[i]);
    EXPECT_EQ(sizeOf(path + ".damaged"), uint64_t(2) << 30) << path;
    EXPECT_EQ(sizeOf(path), i == 0 ? 148u : kPlayerFileSizes[i]) << path;
  }
  EXPECT_EQ(sizeOf(valuePath()), 48u);
  EXPECT_FALSE(sysSaveProblemPending());
  resetPersistence();
  startUp();
  ASSERT_EQ(profileTable.profileCount, 1);
  EXPECT_STREQ(profileTable.profiles[0].name, "CARL");
}

TEST_F(HostilePlayerFiles, ALoopOfLinksHoldsNothingAndTheNextSaveReplacesIt) {
  saveASession();
  for (const std::string& path : everyPath()) testMakeHostile(path, HostileForm::SymlinkLoop);
  const std::string told = startUpSaying();
  EXPECT_EQ(testCountOf(told, "Too many levels of symbolic links"), 6) << told;
  createProfile("CARL");
  saveAll();
  for (const std::string& path : everyPath()) {
    EXPECT_TRUE(S_ISREG(modeOf(path))) << path;
  }
  resetPersistence();
  startUp();
  ASSERT_EQ(profileTable.profileCount, 1);
  EXPECT_STREQ(profileTable.profiles[0].name, "CARL");
}

TEST_F(HostilePlayerFiles, AFolderStaysAndItsFolderIsToldOnceAsASaveProblemEachSave) {
  saveASession();
  for (const std::string& path : everyPath()) testMakeHostile(path, HostileForm::Folder);
  startUpSaying();
  createProfile("CARL");
  ::testing::internal::CaptureStderr();
  saveAll();
  saveAll();  // tried again, not said again
  const std::string told = ::testing::internal::GetCapturedStderr();
  const std::string valueFolder = valuePath().substr(0, valuePath().rfind('/'));
  EXPECT_EQ(testCountOf(told, "cannot save files in " + data_ + "/settings: profiles.dat: "), 1)
      << told;
  EXPECT_EQ(testCountOf(told, "cannot save files in " + valueFolder + ": settings: "), 1) << told;
  EXPECT_EQ(testCountOf(told, "\n"), 2) << told;
  for (const std::string& path : everyPath()) EXPECT_TRUE(S_ISDIR(modeOf(path))) << path;
  // In the order saveAll writes: the value, then the player files.
  SysSaveProblem problem;
  ASSERT_TRUE(sysTakeSaveProblem(&problem));
  EXPECT_NE(std::string(problem.message).find(valueFolder), std::string::npos);
  ASSERT_TRUE(sysTakeSaveProblem(&problem));
  EXPECT_NE(std::string(problem.message).find(data_ + "/settings"), std::string::npos);
  EXPECT_FALSE(sysTakeSaveProblem(&problem));
}

TEST_F(HostilePlayerFiles, WhatInterruptedSavesAndStrayLinksLeaveIsTidiedOrSaid) {
  saveASession();
  const std::string settings = data_ + "/settings/";
  const std::string valueFolder = valuePath().substr(0, valuePath().rfind('/') + 1);
  // Temporary files of saves a kill stopped (no process has such a number), of a
  // save still running (process 1 always runs), and files of other names.
  for (const std::string& path : {settings + "profiles.dat.tmp99999999", settings +
                                  "ANNA_adv.sav.tmp99999999", valueFolder + "settings.tmp99999999",
                                  settings + "hiscore.dat.tmp1", settings + "notes.tmp",
                                  settings + "records.dat.tmpx"}) {
    testWriteFile(path, "left over");
  }
  // A link to a file that is gone, and a settings value cut short.
  testRunCommand("rm '" + settingsPath("survival.dat") + "' && ln -s gone.dat '" +
                 settingsPath("survival.dat") + "'");
  std::vector<uint8_t> value = registryValue();
  value.pop_back();
  writeRegistryValue(value);
  const std::string told = startUpSaying();
  EXPECT_EQ(testCountOf(told, "removed 2 temporary files of interrupted saves from " + data_ +
                                  "/settings\n"), 1) << told;
  EXPECT_EQ(testCountOf(told, "removed 1 temporary file of interrupted saves"), 1) << told;
  EXPECT_EQ(fileCount(data_ + "/settings"), 7) << "four player files, three no kill left";
  EXPECT_EQ(testCountOf(told, "cannot read " + settingsPath("survival.dat") +
                                  ": it is a symbolic link to a file that is not there"), 1)
      << told;
  EXPECT_EQ(testCountOf(told, valuePath() + " is damaged: it is 47 bytes"), 1) << told;
  EXPECT_EQ(testReadFile(valuePath() + ".damaged"), value);
  EXPECT_EQ(profileTable.profileCount, 2) << "the players stay";
}

TEST_F(HostilePlayerFiles, ALostSettingsValueKeepsTheProfilesOnDisk) {
  // The value keeps the profile count; without it every whole stored profile is
  // read rather than none, so the next save cannot drop them.
  for (const HostileForm form : kHostileForms) {
    saveASession();
    testMakeHostile(valuePath(), form);
    startUpSaying();
    ASSERT_EQ(profileTable.profileCount, 2) << testHostileName(form);
    EXPECT_STREQ(profileTable.profiles[1].name, "BEN");
    EXPECT_EQ(profileTable.currentProfile, 0);
    ::testing::internal::CaptureStderr();  // a folder in place of the value is said
    saveAll();
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(settingsFile("profiles.dat").size(), 2u * 148u) << testHostileName(form);
  }
  // The same for a value that is simply gone, and for one that counts no profile
  // beside a file that holds two: the file says how many there are.
  saveASession();
  const std::vector<uint8_t> stored = settingsFile("profiles.dat");
  testRunCommand("rm -rf '" + valuePath() + "'");
  startUp();
  EXPECT_EQ(profileTable.profileCount, 2);
  removeProfile(1);
  removeProfile(0);
  saveAll();
  writeSettingsFile("profiles.dat", stored);
  resetPersistence();
  startUp();
  EXPECT_EQ(profileTable.profileCount, 2);
}

}  // namespace
