// Profiles in memory: creation defaults, the table's limits, removal and the
// adventure's progress.
#include <gtest/gtest.h>

#include "persistence/profile.h"

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override { profileTable = {}; }
};

TEST_F(ProfileTest, NewProfileStartsInNormalWithThreeLivesAndHelpPending) {
  ASSERT_TRUE(createProfile("ANNA"));
  const Profile* p = currentProfileRecord();
  ASSERT_NE(p, nullptr);
  EXPECT_STREQ(p->name, "ANNA");
  EXPECT_EQ(p->storedDifficulty, 1);
  for (int m = 0; m < 3; ++m) EXPECT_EQ(p->lives[m], 3);
  for (uint8_t flag : p->helpShown) EXPECT_EQ(flag, 1);
  for (uint8_t flag : p->tipShown) EXPECT_EQ(flag, 0);
  EXPECT_EQ(sizeof(Profile), 148u);
}

TEST_F(ProfileTest, NamesMustBeGivenAndUniqueAndTheTableHoldsEight) {
  EXPECT_FALSE(createProfile(""));
  ASSERT_TRUE(createProfile("A"));
  EXPECT_FALSE(createProfile("A"));
  EXPECT_TRUE(createProfile("a"));
  for (const char* name : {"B", "C", "D", "E", "F", "G"}) ASSERT_TRUE(createProfile(name));
  EXPECT_FALSE(createProfile("H"));
  EXPECT_EQ(profileTable.profileCount, 8);
  EXPECT_FALSE(renameProfile(0, ""));
  EXPECT_TRUE(renameProfile(0, "B"));  // renaming does not test for duplicates
}

TEST_F(ProfileTest, RemovingKeepsTheCurrentIndexInsideTheTable) {
  createProfile("A");
  createProfile("B");
  selectProfile(0);
  removeProfile(0);
  EXPECT_EQ(profileTable.currentProfile, 0);
  EXPECT_STREQ(currentProfileRecord()->name, "B");
  removeProfile(0);
  EXPECT_EQ(profileTable.profileCount, 0);
  EXPECT_EQ(profileTable.currentProfile, 0);
  EXPECT_EQ(currentProfileRecord(), nullptr);
  EXPECT_EQ(score(), 0);
  addProfileScore(10);  // no profile: nothing to change
  removeProfile(0);
}

TEST_F(ProfileTest, OperationsUseTheStoredDifficulty) {
  createProfile("A");
  setStoredDifficulty(0);
  EXPECT_EQ(currentProfileRecord()->adventureExpert, 1);
  addProfileScore(500);
  EXPECT_EQ(takeLife(), 2);
  setStoredDifficulty(2);
  EXPECT_EQ(score(), 0);
  EXPECT_EQ(lives(), 3);
  EXPECT_EQ(currentProfileRecord()->score[0], 500);
  setCurrentLevel(23);
  EXPECT_EQ(zoneOf(), 4);
  EXPECT_EQ(currentLevel(), 23);
  resetDifficulty();
  EXPECT_EQ(currentLevel(), 20);
}

TEST_F(ProfileTest, WinningTheLastLevelFinishesTheAdventureAndStartsOver) {
  createProfile("A");
  setCurrentLevel(68);
  bool zone = true, finished = true;
  advanceProgress(&zone, &finished);
  EXPECT_FALSE(zone);
  EXPECT_EQ(currentLevel(), 69);
  EXPECT_EQ(bestLevel(), 69);
  advanceProgress(&zone, &finished);
  EXPECT_TRUE(zone);
  EXPECT_TRUE(finished);
  EXPECT_EQ(currentLevel(), 0);
  EXPECT_EQ(bestLevel(), 69);
  EXPECT_EQ(bestLevelAnyDifficulty(), 69);
}
