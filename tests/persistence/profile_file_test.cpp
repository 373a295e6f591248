// "profiles.dat": the stored layout, and what a missing, short, long or damaged
// file gives.
#include <gtest/gtest.h>

#include <cstring>

#include "persistence/profile.h"
#include "persistence/profile_file.h"
#include "persistence/settings.h"
#include "persistence_fixture.h"

namespace {

std::vector<uint8_t> storedProfiles(const std::vector<const char*>& names) {
  std::vector<uint8_t> bytes;
  for (const char* name : names) {
    Profile p = {};
    std::strncpy(p.name, name, sizeof p.name - 1);
    p.lives[1] = 3;
    uint8_t one[kProfileBytes];
    encodeProfile(p, one);
    bytes.insert(bytes.end(), one, one + kProfileBytes);
  }
  return bytes;
}

class ProfileFileTest : public PersistenceTest {
 protected:
  // Loads the file with `count` profiles announced by the settings record.
  void load(int32_t count, int32_t current = 0) {
    resetPersistence();
    profileTable.profileCount = count;
    profileTable.currentProfile = current;
    enterSettingsFolder();
    loadProfiles();
    leaveSettingsFolder();
  }
};

TEST_F(ProfileFileTest, EveryFieldLiesAtItsStoredOffset) {
  Profile p = {};
  std::strcpy(p.name, "ANNA");
  p.helpShown[5] = 1;
  p.stage[2] = 4;
  p.zone[0] = 13;
  p.bestStage[1] = 2;
  p.bestZone[2] = 9;
  p.score[1] = 123456;
  p.lives[2] = -1;
  p.tipShown[7] = 1;
  p.storedDifficulty = 2;
  p.adventureExpert = 1;
  p.adventureSaved = 1;
  p.zenSaved = 1;
  p.survivalExpert = 1;
  p.savedSurvivalScore = 777;
  p.survivalStartLevel = 69;
  std::vector<uint8_t> b(kProfileBytes);
  encodeProfile(p, b.data());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data())), "ANNA");
  EXPECT_EQ(b[37], 1);
  EXPECT_EQ(int32At(b, 48), 4);
  EXPECT_EQ(int32At(b, 52), 13);
  EXPECT_EQ(int32At(b, 68), 2);
  EXPECT_EQ(int32At(b, 84), 9);
  EXPECT_EQ(int32At(b, 92), 123456);
  EXPECT_EQ(int32At(b, 108), -1);
  EXPECT_EQ(b[119], 1);
  EXPECT_EQ(int32At(b, 124), 2);
  EXPECT_EQ(b[128], 1);
  EXPECT_EQ(b[136], 1);
  EXPECT_EQ(b[137], 0);
  EXPECT_EQ(b[138], 1);
  EXPECT_EQ(b[139], 1);
  EXPECT_EQ(int32At(b, 140), 777);
  EXPECT_EQ(int32At(b, 144), 69);
  Profile back;
  decodeProfile(b.data(), &back);
  EXPECT_EQ(std::memcmp(&back, &p, sizeof p), 0);
}

TEST_F(ProfileFileTest, TheFileSaysHowManyProfilesThereAreWhateverTheRecordSays) {
  // A record of another data folder, one whose write failed, or a damaged count.
  writeSettingsFile("profiles.dat", storedProfiles({"ANNA", "BEN", "CARL"}));
  for (const int32_t count : {0, 1, 2, -1, 99}) {
    load(count, 1);
    ASSERT_EQ(profileTable.profileCount, 3) << count;
    EXPECT_STREQ(profileTable.profiles[2].name, "CARL") << count;
    EXPECT_EQ(profileTable.currentProfile, 1);
  }
}

TEST_F(ProfileFileTest, AShortFileIsKeptAsideAndGivesItsWholeProfiles) {
  std::vector<uint8_t> bytes = storedProfiles({"ANNA", "BEN", "CARL"});
  bytes.pop_back();  // cut short by a byte
  writeSettingsFile("profiles.dat", bytes);
  ::testing::internal::CaptureStderr();
  load(3, 2);
  const std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(profileTable.profileCount, 2);
  EXPECT_STREQ(profileTable.profiles[1].name, "BEN");
  EXPECT_EQ(profileTable.currentProfile, 0) << "the current profile stays inside the table";
  EXPECT_EQ(settingsFile("profiles.dat.damaged"), bytes);
  EXPECT_NE(told.find("profiles.dat is damaged: it is 443 bytes, not whole records of 148 "
                      "bytes; the 2 whole records of its start that hold anything are used; "
                      "the file is kept as profiles.dat.damaged"),
            std::string::npos)
      << told;
}

TEST_F(ProfileFileTest, AMissingFileGivesNoProfiles) {
  load(4);
  EXPECT_EQ(profileTable.profileCount, 0);
  EXPECT_EQ(currentProfileRecord(), nullptr);
}

TEST_F(ProfileFileTest, NamesAreCleanedAsTheNameEntryMakesThemAndStayUnique) {
  std::vector<uint8_t> bytes = storedProfiles({"X", "ann\x1b[2Ja", "ANNA", "\x01\x02", "Y"});
  std::memset(bytes.data(), 'Q', 32);  // no end inside the field
  std::memset(bytes.data() + 4 * kProfileBytes, 0, kProfileBytes);  // a hole of zeros
  writeSettingsFile("profiles.dat", bytes);
  load(5);
  ASSERT_EQ(profileTable.profileCount, 4) << "a record of zeros is no player";
  EXPECT_STREQ(profileTable.profiles[0].name, "QQQQQQQQQQQQ");
  EXPECT_STREQ(profileTable.profiles[1].name, "ANN2JA");
  EXPECT_STREQ(profileTable.profiles[2].name, "ANNA");
  EXPECT_STREQ(profileTable.profiles[3].name, "PLAYER");
  profileTable.profiles[1] = profileTable.profiles[2];  // two of one name, as hands could make
  saveAll();
  load(4);
  EXPECT_STREQ(profileTable.profiles[2].name, "ANNA 2") << "each player's games go by the name";
}

TEST_F(ProfileFileTest, ADamagedRecordsPlacesAndCountersStayInsideTheAdventure) {
  Profile p = {};
  std::strcpy(p.name, "ODD");
  p.storedDifficulty = 1;
  p.stage[1] = 805306368;  // zone x 5 + stage would overflow
  p.zone[1] = 805306368;
  p.bestZone[0] = -40;
  p.survivalStartLevel = 1000;
  p.score[1] = 2147483000;
  p.lives[1] = -2147483647 - 1;
  std::vector<uint8_t> bytes(kProfileBytes);
  encodeProfile(p, bytes.data());
  writeSettingsFile("profiles.dat", bytes);
  load(1);
  const Profile& read = profileTable.profiles[0];
  EXPECT_EQ(read.stage[1], 4);
  EXPECT_EQ(read.zone[1], 13);
  EXPECT_EQ(read.bestZone[0], 0);
  EXPECT_EQ(read.survivalStartLevel, 69);
  EXPECT_EQ(currentLevel(), 69);
  addProfileScore(5000);
  EXPECT_EQ(score(), 2147483647) << "the score stops at its end";
  EXPECT_EQ(takeLife(), -2147483647 - 1) << "so do the lives";
}

}  // namespace
