// The result tables: their files (read at start-up, written by saveAll) and the
// rules by which a finished level enters them.
#include "persistence/records.h"

#include <cstring>
#include <vector>

#include "persistence/byte_io.h"
#include "persistence/persistence_local.h"
#include "persistence/profile.h"
#include "resources/resources.h"

RecordTables recordTables = {};

namespace {

// ---------------------------------------------------------------------------
// Entries, field by field

void putLevelRecord(ByteWriter* w, const LevelRecord& r) {
  putBytes(w, r.comboHolder, kHolderNameSize);
  putBytes(w, r.scoreHolder, kHolderNameSize);
  putBytes(w, r.timeHolder, kHolderNameSize);
  putBytes(w, r.movesHolder, kHolderNameSize);
  putInt32(w, r.bestScore);
  putInt32(w, r.bestCombo);
  putInt32(w, r.bestTime);
  putInt32(w, r.bestMoves);
}

void putHighScore(ByteWriter* w, const HighScoreEntry& e) {
  putBytes(w, e.name, kScoreNameSize);
  putInt32(w, e.score);
}

// An entry the image holds whole and not as nothing but zeros (what a file's hole
// or a sparse file holds; no stored entry is without a name).
bool entryIsWhole(const ByteReader& r, uint32_t bytes) {
  if (r.offset > r.size || bytes > r.size - r.offset) return false;
  for (uint32_t i = 0; i < bytes; ++i) {
    if (r.data[r.offset + i] != 0) return true;
  }
  return false;
}

// A name of a stored table, as the name entry would have made it: what the result
// panel and the high scores have room for.
void takeName(ByteReader* r, char* field, uint32_t fieldSize) {
  char stored[kScoreNameSize];
  takeBytes(r, stored, fieldSize);
  stored[fieldSize - 1] = '\0';
  copyNameField(field, fieldSize, stored);
}

void takeHolder(ByteReader* r, char* field) { takeName(r, field, kHolderNameSize); }

// Reads one record if the image holds it whole; otherwise leaves it as it is.
void takeLevelRecord(ByteReader* r, LevelRecord* out) {
  if (!entryIsWhole(*r, kLevelRecordBytes)) {
    skipBytes(r, kLevelRecordBytes);
    return;
  }
  takeHolder(r, out->comboHolder);
  takeHolder(r, out->scoreHolder);
  takeHolder(r, out->timeHolder);
  takeHolder(r, out->movesHolder);
  takeInt32(r, &out->bestScore);
  takeInt32(r, &out->bestCombo);
  takeInt32(r, &out->bestTime);
  takeInt32(r, &out->bestMoves);
}

void takeHighScore(ByteReader* r, HighScoreEntry* out) {
  if (!entryIsWhole(*r, kHighScoreEntryBytes)) {
    skipBytes(r, kHighScoreEntryBytes);
    return;
  }
  takeName(r, out->name, kScoreNameSize);
  takeInt32(r, &out->score);
}

// ---------------------------------------------------------------------------
// Whole tables

template <typename Visit>
void forEachLevelRecord(LevelRecord (*table)[kRecordLevels], int32_t difficulties, Visit visit) {
  for (int32_t d = 0; d < difficulties; ++d) {
    for (int32_t level = 0; level < kRecordLevels; ++level) visit(table[d][level]);
  }
}

void readLevelRecords(ByteReader* r) {
  forEachLevelRecord(recordTables.levels, kAdventureDifficulties,
                     [&](LevelRecord& record) { takeLevelRecord(r, &record); });
}

void readSurvivalRecords(ByteReader* r) {
  forEachLevelRecord(recordTables.survivalLevels, kSurvivalDifficulties,
                     [&](LevelRecord& record) { takeLevelRecord(r, &record); });
}

void readTopScores(ByteReader* r) {
  for (auto& table : recordTables.topScores) {
    for (HighScoreEntry& entry : table) takeHighScore(r, &entry);
  }
}

void readSurvivalScores(ByteReader* r) {
  for (auto& difficulty : recordTables.survivalScores) {
    for (auto& table : difficulty) {
      for (HighScoreEntry& entry : table) takeHighScore(r, &entry);
    }
  }
}

// True when every entry of the image is there: whole and not all zeros.
bool everyEntryStored(const std::vector<uint8_t>& bytes, uint32_t tableSize, uint32_t entrySize) {
  if (bytes.size() < tableSize) return false;
  const ByteReader whole = makeByteReader(bytes.data(), uint32_t(bytes.size()));
  for (ByteReader r = whole; r.offset < tableSize; r.offset += entrySize) {
    if (!entryIsWhole(r, entrySize)) return false;
  }
  return true;
}

// Loads one table: generated when its file is missing or lacks entries, then the
// file's stored entries over it. A damaged file is kept aside by the read.
void loadTable(const char* name, uint32_t tableSize, uint32_t entrySize,
               void (*read)(ByteReader*), void (*generate)(void* context), void* context) {
  std::vector<uint8_t> bytes;
  const uint32_t entries = tableSize / entrySize;
  const bool stored = readPlayerFile(name, {entrySize, entries, entries}, &bytes,
                                     "its table starts from the defaults");
  if (!stored || !everyEntryStored(bytes, tableSize, entrySize)) generate(context);
  if (!stored) return;
  ByteReader r = makeByteReader(bytes.data(), uint32_t(bytes.size()));
  read(&r);
}

void writeTable(const char* name, uint32_t size, void (*encode)(ByteWriter*), bool* ok) {
  std::vector<uint8_t> bytes(size);
  ByteWriter w = makeByteWriter(bytes.data(), size);
  encode(&w);
  if (w.overflow || w.offset != size || !writeWholeFile(name, bytes.data(), size)) *ok = false;
}

// ---------------------------------------------------------------------------
// Entering results

const char* playerName() {
  const Profile* p = currentProfileRecord();
  return p ? p->name : "";
}

// Puts (name, score) at row `at` of a descending table, moving rows at..last-1
// down by one; the row at `last` is overwritten.
void insertRow(HighScoreEntry* rows, int32_t at, int32_t last, const char* name, int32_t score) {
  for (int32_t i = last; i > at; --i) rows[i] = rows[i - 1];
  copyNameField(rows[at].name, kScoreNameSize, name);
  rows[at].score = score;
}

// The first row scoring lower than `score`, or `count` when none does.
int32_t firstRowBelow(const HighScoreEntry* rows, int32_t count, int32_t score) {
  int32_t i = 0;
  while (i < count && rows[i].score >= score) ++i;
  return i;
}

void enterSurvivalScore(const LevelResult& result) {
  if (result.difficulty < 0 || result.difficulty >= kSurvivalDifficulties) return;
  HighScoreEntry* rows = recordTables.survivalScores[result.difficulty][result.level];
  const int32_t at = firstRowBelow(rows, kSurvivalScoreRows, result.levelScore);
  if (at == kSurvivalScoreRows) return;
  insertRow(rows, at, kSurvivalScoreRows - 1, playerName(), result.levelScore);
}

// The player's earlier row (the last one under the name) gives way to the new
// score, so a growing score moves its row up instead of filling the table.
void enterAdventureScore(const LevelResult& result) {
  if (result.difficulty < 0 || result.difficulty >= kAdventureDifficulties) return;
  HighScoreEntry* rows = recordTables.topScores[result.difficulty];
  const char* name = playerName();
  const int32_t playerScore = score();
  int32_t earlier = kTopScoreRows - 1;
  for (int32_t i = 0; i < kTopScoreRows; ++i) {
    if (std::strncmp(rows[i].name, name, kScoreNameSize) == 0) earlier = i;
  }
  const int32_t at = firstRowBelow(rows, kTopScoreRows, playerScore);
  if (at > earlier || at == kTopScoreRows) return;
  insertRow(rows, at, earlier, name, playerScore);
}

}  // namespace

void loadRecords() {
  // The sums of the generated default scores make the default top-10 tables; a
  // stored "records.dat" leaves them 0.
  int64_t sums[kAdventureDifficulties] = {};
  loadTable(kRecordsFile, kRecordsFileSize, kLevelRecordBytes, readLevelRecords,
            [](void* c) { generateLevelRecords(static_cast<int64_t*>(c)); }, sums);
  loadTable(kTopScoresFile, kTopScoresFileSize, kHighScoreEntryBytes, readTopScores,
            [](void* c) { generateTopScores(static_cast<int64_t*>(c)); }, sums);
  loadTable(kSurvivalScoresFile, kSurvivalScoresFileSize, kHighScoreEntryBytes,
            readSurvivalScores, [](void*) { generateSurvivalScores(); }, nullptr);
  loadTable(kSurvivalRecordsFile, kSurvivalRecordsFileSize, kLevelRecordBytes,
            readSurvivalRecords, [](void*) { generateSurvivalRecords(); }, nullptr);
}

void generateRecords() {
  int64_t sums[kAdventureDifficulties] = {};
  generateLevelRecords(sums);
  generateTopScores(sums);
  generateSurvivalScores();
  generateSurvivalRecords();
}

bool writeRecordFiles() {
  bool ok = true;
  writeTable(kRecordsFile, kRecordsFileSize, [](ByteWriter* w) {
    forEachLevelRecord(recordTables.levels, kAdventureDifficulties,
                       [&](const LevelRecord& r) { putLevelRecord(w, r); });
  }, &ok);
  writeTable(kTopScoresFile, kTopScoresFileSize, [](ByteWriter* w) {
    for (const auto& table : recordTables.topScores) {
      for (const HighScoreEntry& e : table) putHighScore(w, e);
    }
  }, &ok);
  writeTable(kSurvivalScoresFile, kSurvivalScoresFileSize, [](ByteWriter* w) {
    for (const auto& difficulty : recordTables.survivalScores) {
      for (const auto& table : difficulty) {
        for (const HighScoreEntry& e : table) putHighScore(w, e);
      }
    }
  }, &ok);
  writeTable(kSurvivalRecordsFile, kSurvivalRecordsFileSize, [](ByteWriter* w) {
    forEachLevelRecord(recordTables.survivalLevels, kSurvivalDifficulties,
                       [&](const LevelRecord& r) { putLevelRecord(w, r); });
  }, &ok);
  return ok;
}

LevelRecord* levelRecordFor(const LevelResult& result) {
  if (result.level < 0 || result.level >= kRecordLevels || result.difficulty < 0) return nullptr;
  if (result.survival) {
    if (result.difficulty >= kSurvivalDifficulties) return nullptr;
    return &recordTables.survivalLevels[result.difficulty][result.level];
  }
  if (result.difficulty >= kAdventureDifficulties) return nullptr;
  return &recordTables.levels[result.difficulty][result.level];
}

void recordLevelResult(const LevelResult& result) {
  LevelRecord* r = levelRecordFor(result);
  if (!r) return;
  const char* name = playerName();
  if (r->bestScore < result.levelScore) {
    r->bestScore = result.levelScore;
    copyNameField(r->scoreHolder, kHolderNameSize, name);
  }
  if (r->bestCombo < result.comboStat) {
    r->bestCombo = result.comboStat;
    copyNameField(r->comboHolder, kHolderNameSize, name);
  }
  const bool movesBetter =
      result.survival ? r->bestMoves < result.moves : result.moves < r->bestMoves;
  if (!result.survival && result.elapsedMs < r->bestTime) {
    r->bestTime = result.elapsedMs;
    copyNameField(r->timeHolder, kHolderNameSize, name);
  }
  if (movesBetter) {
    r->bestMoves = result.moves;
    copyNameField(r->movesHolder, kHolderNameSize, name);
  }
}

void enterHighScore(const LevelResult& result) {
  if (result.survival) {
    if (result.level < 0 || result.level >= kRecordLevels) return;
    enterSurvivalScore(result);
  } else {
    enterAdventureScore(result);
  }
}
