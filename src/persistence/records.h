// records.h: the result tables: a top-10 score table per adventure difficulty, a
// top-3 table per survival start level and difficulty, and per level the best
// score, combo, time and move count with their holders' names (one set for the
// adventure and zen levels, one for the survival start levels). All live in memory
// for the whole run; files missing at start-up are generated from defaults.
#pragma once

#include <cstdint>

constexpr int32_t kRecordLevels = 70;
constexpr int32_t kAdventureDifficulties = 3;  // expert, normal, zen
constexpr int32_t kSurvivalDifficulties = 2;   // expert, normal
constexpr int32_t kTopScoreRows = 10;
constexpr int32_t kSurvivalScoreRows = 3;
constexpr int32_t kScoreNameSize = 32;
constexpr int32_t kHolderNameSize = 20;
// The text table's default player names: "defname1" and the nine entries after it.
constexpr int32_t kDefaultNameCount = 10;

constexpr uint32_t kHighScoreEntryBytes = 36;
constexpr uint32_t kLevelRecordBytes = 96;
constexpr const char* kRecordsFile = "records.dat";
constexpr const char* kTopScoresFile = "hiscore.dat";
constexpr const char* kSurvivalScoresFile = "survival.dat";
constexpr const char* kSurvivalRecordsFile = "surrecs.dat";
constexpr uint32_t kRecordsFileSize = kAdventureDifficulties * kRecordLevels * kLevelRecordBytes;
constexpr uint32_t kTopScoresFileSize = kAdventureDifficulties * kTopScoreRows * kHighScoreEntryBytes;
constexpr uint32_t kSurvivalScoresFileSize =
    kSurvivalDifficulties * kRecordLevels * kSurvivalScoreRows * kHighScoreEntryBytes;
constexpr uint32_t kSurvivalRecordsFileSize =
    kSurvivalDifficulties * kRecordLevels * kLevelRecordBytes;

struct HighScoreEntry {
  char name[kScoreNameSize];  // zero-terminated
  int32_t score;
};

// Higher scores and combos are better; lower times and (adventure and zen) fewer
// moves are better; in survival more moves survived are better.
struct LevelRecord {
  char comboHolder[kHolderNameSize];
  char scoreHolder[kHolderNameSize];
  char timeHolder[kHolderNameSize];
  char movesHolder[kHolderNameSize];
  int32_t bestScore;
  int32_t bestCombo;
  int32_t bestTime;   // ms; adventure and zen only
  int32_t bestMoves;
};

// The four tables: process lifetime, filled by loadRecords, written by saveAll.
struct RecordTables {
  LevelRecord levels[kAdventureDifficulties][kRecordLevels];
  HighScoreEntry topScores[kAdventureDifficulties][kTopScoreRows];  // descending
  HighScoreEntry survivalScores[kSurvivalDifficulties][kRecordLevels][kSurvivalScoreRows];
  LevelRecord survivalLevels[kSurvivalDifficulties][kRecordLevels];
};
extern RecordTables recordTables;

// What a finished level (or survival game) offers the tables.
struct LevelResult {
  bool survival;
  int32_t difficulty;  // 0..2; survival 0..1
  int32_t level;       // adventure and zen: the level played; survival: the start level
  int32_t levelScore;  // survival: the whole game's score
  int32_t comboStat;
  int32_t elapsedMs;
  int32_t moves;
};

// Start-up, in the folder "settings", after the profiles: reads the four tables,
// generating each one whose file is missing (default names from the text table,
// adventure records from "hi_expert.txt", "hi_normal.txt" and "hi_zen.txt" in the
// data directory, the rest from the random generator). A short file gives its
// whole entries over generated defaults; a file larger than its table is refused
// (said on stderr) and its table generated.
void loadRecords();
// The four tables as a first start makes them, reading no stored file: for a
// start whose "settings" folder cannot be entered.
void generateRecords();

// The record of the result's level: the survival records for a survival result,
// else the adventure and zen records. Null when the difficulty or level lies
// outside the tables.
LevelRecord* levelRecordFor(const LevelResult& result);
// Replaces every record of the result's level that the result strictly beats, with
// the current profile's name as holder. Results outside the tables are ignored.
void recordLevelResult(const LevelResult& result);
// Survival: enters levelScore in its top-3 when it beats a row. Adventure and zen:
// offers the current profile's running score to the difficulty's top-10, where each
// player keeps one row that moves up as the score grows. Ignores results outside
// the tables.
void enterHighScore(const LevelResult& result);

