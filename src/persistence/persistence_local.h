// persistence_local.h: what the persistence files share among themselves.
#pragma once

#include <cstdint>

// Writers of saveAll, run inside the folder "settings". Each file goes through a
// temporary file renamed over the old one. Return false when the write failed.
bool writeProfilesFile();
bool writeRecordFiles();
// Writes the settings record (the registry value) as saveAll does.
void writeSettingsRecord();
// Removes the temporary files interrupted saves left in `folder` (the working
// directory for "."), saying on stderr how many there were.
void removeStaleTemporaries(const char* folder);

// Copies a name into a fixed field, cleaned as the name entry would make it
// (cleanName), zero-terminated, the rest zeroed.
void copyNameField(char* field, uint32_t fieldSize, const char* name);

// Generated defaults of the result tables (records_defaults.cpp), in the order the
// start-up draws them from the random generator. sums receives, per difficulty,
// the sum of the generated default scores.
void generateLevelRecords(int64_t sums[3]);
void generateTopScores(const int64_t sums[3]);
void generateSurvivalScores();
// Needs the survival scores: each record's score is its table's first row.
void generateSurvivalRecords();
