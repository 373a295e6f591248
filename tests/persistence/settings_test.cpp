// The settings record in the registry stand-in and saveAll.
#include <gtest/gtest.h>

#include "app/app.h"
#include "audio/audio.h"
#include "game/board.h"
#include "persistence/profile.h"
#include "persistence/profile_file.h"
#include "persistence/records.h"
#include "persistence/settings.h"
#include "persistence_fixture.h"
#include "render/render.h"

namespace {

SettingsBlob sampleBlob() {
  SettingsBlob b = {};
  b.musicVolume = 40;
  b.effectsVolume = 55;
  b.screenWidth = 1024;
  b.screenHeight = 768;
  b.resolutionIndex = 3;
  b.colorDepth32 = 1;
  b.reservedFlag = 7;
  b.customCursor = 1;
  b.reservedInt = -9;
  b.currentProfile = 1;
  b.profileCount = 2;
  b.fullScreen = 0;
  b.ballSpeed = 100.5f;
  return b;
}

std::vector<uint8_t> encoded(const SettingsBlob& blob) {
  std::vector<uint8_t> bytes(kSettingsBlobSize);
  encodeSettingsBlob(blob, bytes.data());
  return bytes;
}

using SettingsTest = PersistenceTest;

TEST_F(SettingsTest, TheRecordLaysItsFieldsOutAtTheirOffsets) {
  const std::vector<uint8_t> bytes = encoded(sampleBlob());
  EXPECT_EQ(int32At(bytes, 0), 40);
  EXPECT_EQ(int32At(bytes, 4), 55);
  EXPECT_EQ(int32At(bytes, 8), 1024);
  EXPECT_EQ(int32At(bytes, 16), 3);
  EXPECT_EQ(bytes[24], 7);
  EXPECT_EQ(bytes[25], 1);
  EXPECT_EQ(int32At(bytes, 28), -9);
  EXPECT_EQ(int32At(bytes, 32), 1);
  EXPECT_EQ(int32At(bytes, 36), 2);
  EXPECT_EQ(int32At(bytes, 40), 0);
  EXPECT_EQ(floatAt(bytes, 44), 100.5f);
  const SettingsBlob back = decodeSettingsBlob(bytes.data());
  EXPECT_EQ(back.reservedInt, -9);
  EXPECT_EQ(back.ballSpeed, 100.5f);
}

TEST_F(SettingsTest, ReadingTakesTheStoredValuesButNotTheScreen) {
  writeRegistryValue(encoded(sampleBlob()));
  display.screenWidth = 640;
  readSettings();
  EXPECT_EQ(sound.musicVolume, 40);
  EXPECT_EQ(sound.effectsVolume, 55);
  EXPECT_EQ(settings.reservedFlag, 7);
  EXPECT_EQ(settings.reservedInt, -9);
  EXPECT_EQ(settings.customCursor, 1);
  EXPECT_EQ(profileTable.profileCount, 0) << "how many there are is profiles.dat's to say";
  EXPECT_EQ(profileTable.currentProfile, 1);
  EXPECT_EQ(display.fullScreen, 0);
  EXPECT_EQ(moveSettings.ballSpeed, 100.5f);
  EXPECT_EQ(display.screenWidth, 640);
}

TEST_F(SettingsTest, AMissingOrMisSizedValueGivesTheDefaults) {
  for (const size_t size : {size_t(0), size_t(47), size_t(49)}) {
    if (size > 0) writeRegistryValue(std::vector<uint8_t>(size, 0x11));
    sound.musicVolume = 3;
    profileTable.currentProfile = 5;
    moveSettings.ballSpeed = 33.0f;
    readSettings();
    EXPECT_EQ(sound.musicVolume, 90) << size;
    EXPECT_EQ(sound.effectsVolume, 90);
    EXPECT_EQ(profileTable.currentProfile, 0);
    EXPECT_EQ(settings.reservedFlag, 1);
    EXPECT_EQ(settings.customCursor, 0);
    EXPECT_EQ(display.fullScreen, 1);
    EXPECT_EQ(moveSettings.ballSpeed, 33.0f) << "the ball speed keeps its value";
  }
}

TEST_F(SettingsTest, OutOfRangeValuesAreLimited) {
  SettingsBlob b = sampleBlob();
  b.musicVolume = 500;
  b.effectsVolume = -4;
  b.currentProfile = 40;
  b.ballSpeed = 1.0f;
  writeRegistryValue(encoded(b));
  readSettings();
  EXPECT_EQ(sound.musicVolume, 99);
  EXPECT_EQ(sound.effectsVolume, 0);
  EXPECT_EQ(profileTable.currentProfile, 0);
  EXPECT_EQ(moveSettings.ballSpeed, 21.0f);
}

TEST_F(SettingsTest, TheFirstSaveAllWritesTheValueAndAllFiveFiles) {
  startUp();
  createProfile("ANNA");
  createProfile("BEN");
  saveAll();
  const std::vector<uint8_t> value = registryValue();
  ASSERT_EQ(value.size(), 48u);
  EXPECT_EQ(int32At(value, 36), 2);
  EXPECT_EQ(int32At(value, 32), 1);
  EXPECT_EQ(settingsFile("profiles.dat").size(), 2u * 148u);
  EXPECT_EQ(settingsFile("records.dat").size(), 20160u);
  EXPECT_EQ(settingsFile("hiscore.dat").size(), 1080u);
  EXPECT_EQ(settingsFile("survival.dat").size(), 15120u);
  EXPECT_EQ(settingsFile("surrecs.dat").size(), 13440u);
  EXPECT_EQ(fileCount(data_ + "/settings"), 5) << "no temporary file is left";
}

TEST_F(SettingsTest, SettingsAndProfilesSurviveARestart) {
  startUp();
  createProfile("ANNA");
  createProfile("BEN");
  selectProfile(0);
  setStoredDifficulty(Difficulty::Expert);
  setScore(1234);
  sound.musicVolume = 12;
  saveAll();
  resetPersistence();
  sound.musicVolume = 90;
  startUp();
  ASSERT_EQ(profileTable.profileCount, 2);
  EXPECT_EQ(profileTable.currentProfile, 0);
  EXPECT_STREQ(profileTable.profiles[1].name, "BEN");
  EXPECT_EQ(score(), 1234);
  EXPECT_EQ(sound.musicVolume, 12);
}

}  // namespace
