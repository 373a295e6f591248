// The result tables: the defaults of a first start, the files, and how a finished
// level enters them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "core/numeric.h"
#include "persistence/profile.h"
#include "persistence/records.h"
#include "persistence/settings.h"
#include "persistence_fixture.h"

namespace {

bool isDefaultName(const char* name) {
  for (const char* n : {"ALICE", "BORIS", "CLARA", "DMITRI", "EVA", "FELIX", "GRETA", "HUGO",
                        "IRINA", "JONAS"}) {
    if (std::strcmp(name, n) == 0) return true;
  }
  return false;
}

LevelResult adventureResult(int32_t level, int32_t levelScore, int32_t combo, int32_t ms,
                            int32_t moves) {
  return LevelResult{false, 0, level, levelScore, combo, ms, moves};
}

using RecordsTest = PersistenceTest;

TEST_F(RecordsTest, AFirstStartDerivesTheLevelRecordsFromTheDefaultFiles) {
  startUp();
  const LevelRecord& first = recordTables.levels[0][0];
  EXPECT_EQ(first.bestCombo, 3);
  EXPECT_EQ(first.bestScore, 2000);
  EXPECT_EQ(first.bestTime, 250000) << "2.05 is 2 minutes 5 seconds, doubled";
  EXPECT_EQ(first.bestMoves, 30);
  EXPECT_EQ(recordTables.levels[0][1].bestTime, 180000) << "1.3 is 1 minute 30 seconds";
  EXPECT_EQ(recordTables.levels[0][1].bestMoves, 46);
  EXPECT_EQ(recordTables.levels[0][2].bestScore, 0) << "a missing key reads 0";
  EXPECT_EQ(recordTables.levels[1][0].bestScore, 0) << "a missing default file gives zeros";
  EXPECT_TRUE(isDefaultName(first.comboHolder));
  EXPECT_TRUE(isDefaultName(first.movesHolder));

  // The top-10 tables come from the sum of the default scores (5000 in expert).
  const HighScoreEntry* top = recordTables.topScores[0];
  EXPECT_EQ(top[0].score, 3300);
  EXPECT_EQ(top[1].score, 3000);
  EXPECT_EQ(top[9].score, 300);
  EXPECT_STREQ(top[0].name, "ALICE");
  EXPECT_STREQ(top[9].name, "JONAS");
  EXPECT_EQ(recordTables.topScores[1][0].score, 0);

  // The numbers are the same on every first start; only the names are drawn.
  const RecordTables firstStart = recordTables;
  resetPersistence();
  seedRandom(99);
  startUp();
  EXPECT_EQ(recordTables.levels[0][1].bestScore, firstStart.levels[0][1].bestScore);
  EXPECT_EQ(recordTables.topScores[0][4].score, firstStart.topScores[0][4].score);
}

TEST_F(RecordsTest, AFirstStartDrawsTheSurvivalTables) {
  startUp();
  for (int d = 0; d < 2; ++d) {
    for (int level = 0; level < 70; ++level) {
      const HighScoreEntry* rows = recordTables.survivalScores[d][level];
      EXPECT_EQ(rows[0].score, 3000);
      EXPECT_EQ(rows[2].score, 1000);
      const LevelRecord& r = recordTables.survivalLevels[d][level];
      EXPECT_EQ(r.bestScore, 3000) << "the record's score is the table's first row";
      EXPECT_STREQ(r.scoreHolder, rows[0].name);
      EXPECT_GE(r.bestMoves, 50);
      EXPECT_LT(r.bestMoves, 90);
      EXPECT_EQ(r.bestTime, 0);
      EXPECT_EQ(r.timeHolder[0], '\0');
    }
  }
  EXPECT_GE(recordTables.survivalLevels[0][0].bestCombo, 5);
  EXPECT_LT(recordTables.survivalLevels[0][0].bestCombo, 13);
  EXPECT_GE(recordTables.survivalLevels[1][40].bestCombo, 2);
  EXPECT_LT(recordTables.survivalLevels[1][40].bestCombo, 5);
}

TEST_F(RecordsTest, WithRecordsPresentAndTopScoresMissingTheTopScoresAreZero) {
  startUp();
  saveAll();
  std::remove(settingsPath("hiscore.dat").c_str());
  resetPersistence();
  startUp();
  EXPECT_EQ(recordTables.levels[0][0].bestScore, 2000);
  for (const HighScoreEntry& row : recordTables.topScores[0]) EXPECT_EQ(row.score, 0);
  EXPECT_STREQ(recordTables.topScores[0][3].name, "DMITRI");
}

TEST_F(RecordsTest, TablesRoundTripThroughTheirFiles) {
  startUp();
  createProfile("ANNA");
  recordLevelResult(adventureResult(5, 9000, 7, 1000, 3));
  saveAll();
  const RecordTables saved = recordTables;
  resetPersistence();
  startUp();
  EXPECT_EQ(std::memcmp(&recordTables, &saved, sizeof saved), 0);
}

TEST_F(RecordsTest, AShortFileIsKeptAsideAndItsWholeRecordsCleanedOverTheDefaults) {
  std::vector<uint8_t> one(96 + 50, 0);
  // A score holder with control characters, longer than the score column.
  const char holder[] = "ab\x1b[1mCDEFGHIJKLMNO";
  std::memcpy(one.data() + 20, holder, sizeof holder - 1);
  one[80] = 0x10;  // best score 16 in the first record
  writeSettingsFile("records.dat", one);
  ::testing::internal::CaptureStderr();
  startUp();
  const std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(recordTables.levels[0][0].bestScore, 16);
  EXPECT_STREQ(recordTables.levels[0][0].scoreHolder, "AB1MCDEFGHIJ");
  EXPECT_EQ(recordTables.levels[0][1].bestScore, 3000);
  EXPECT_EQ(settingsFile("records.dat.damaged"), one);
  EXPECT_NE(told.find("records.dat is damaged: it is 146 bytes"), std::string::npos) << told;
}

TEST_F(RecordsTest, OnlyStrictlyBetterResultsReplaceALevelRecord) {
  startUp();
  createProfile("ANNA");
  LevelRecord& r = recordTables.levels[0][0];  // score 2000, combo 3, 250000 ms, 30 moves
  recordLevelResult(adventureResult(0, 2000, 3, 250000, 30));
  EXPECT_STRNE(r.scoreHolder, "ANNA");
  EXPECT_STRNE(r.timeHolder, "ANNA");
  recordLevelResult(adventureResult(0, 2001, 2, 249999, 31));
  EXPECT_STREQ(r.scoreHolder, "ANNA");
  EXPECT_EQ(r.bestScore, 2001);
  EXPECT_STRNE(r.comboHolder, "ANNA");
  EXPECT_STREQ(r.timeHolder, "ANNA");
  EXPECT_EQ(r.bestTime, 249999);
  EXPECT_EQ(r.bestMoves, 30) << "fewer moves are better in the adventure";

  LevelRecord& s = recordTables.survivalLevels[1][4];
  const int32_t moves = s.bestMoves;
  recordLevelResult(LevelResult{true, 1, 4, 10, 0, 1, moves + 1});
  EXPECT_EQ(s.bestMoves, moves + 1) << "more moves survived are better in survival";
  EXPECT_STREQ(s.movesHolder, "ANNA");
  EXPECT_EQ(s.bestTime, 0);
  recordLevelResult(LevelResult{true, 2, 4, 99999, 0, 1, 999});  // no zen survival table
  recordLevelResult(adventureResult(70, 99999, 99, 1, 1));        // no such level
}

TEST_F(RecordsTest, ASurvivalScoreEqualToARowDoesNotEnterIt) {
  startUp();
  createProfile("ANNA");
  HighScoreEntry* rows = recordTables.survivalScores[0][7];
  enterHighScore(LevelResult{true, 0, 7, 1000, 0, 0, 0});
  EXPECT_STRNE(rows[2].name, "ANNA");
  enterHighScore(LevelResult{true, 0, 7, 2500, 0, 0, 0});
  EXPECT_STREQ(rows[1].name, "ANNA");
  EXPECT_EQ(rows[1].score, 2500);
  EXPECT_EQ(rows[2].score, 2000) << "the rows below move down and the last drops out";
}

TEST_F(RecordsTest, AGrowingAdventureScoreMovesItsOwnRowUp) {
  startUp();  // expert rows 3300, 3000, ... 300
  createProfile("ANNA");
  setStoredDifficulty(0);
  const LevelResult won = adventureResult(0, 0, 0, 0, 0);
  setScore(200);
  enterHighScore(won);
  EXPECT_STRNE(recordTables.topScores[0][9].name, "ANNA") << "beats no row";
  setScore(1000);
  enterHighScore(won);
  EXPECT_STREQ(recordTables.topScores[0][8].name, "ANNA") << "below the equal 1000 of row 7";
  setScore(3100);
  enterHighScore(won);
  int rows = 0;
  for (const HighScoreEntry& row : recordTables.topScores[0]) rows += std::strcmp(row.name, "ANNA") == 0;
  EXPECT_EQ(rows, 1);
  EXPECT_STREQ(recordTables.topScores[0][1].name, "ANNA");
  for (int i = 1; i < 10; ++i) {
    EXPECT_GE(recordTables.topScores[0][i - 1].score, recordTables.topScores[0][i].score);
  }
  EXPECT_EQ(recordTables.topScores[0][9].score, 600) << "only the player's own row gave way";
}

}  // namespace
