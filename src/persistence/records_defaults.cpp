// The result tables a first start generates: level records from the default
// files "hi_expert.txt", "hi_normal.txt" and "hi_zen.txt", top-10 tables from their
// sums, and survival tables from the random generator, all with the text table's
// default player names.
#include <cstdio>
#include <cstring>
#include <string>

#include "core/numeric.h"
#include "persistence/persistence_local.h"
#include "persistence/profile.h"
#include "persistence/records.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "resources/resources.h"

namespace {

const char* const kDefaultRecordFiles[kAdventureDifficulties] = {"hi_expert.txt", "hi_normal.txt",
                                                                 "hi_zen.txt"};

const char* defaultName(int32_t k) {
  if (!getText("defname1")) return "";
  const char* name = getTextByIndex(getTextIndex("defname1") + k);
  return name ? name : "";
}

const char* randomDefaultName() { return defaultName(randomInt(kDefaultNameCount)); }

int32_t saturate(int64_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return int32_t(value);
}

// A default file's text, read from the data directory; "" when it is missing.
std::string readDefaultRecordText(const char* name) {
  const std::string here = sysCurrentDirectory();
  leaveSettingsFolder();
  uint32_t size = 0;
  const uint8_t* data = loadFile(name, &size, false);
  std::string text = data ? std::string(reinterpret_cast<const char*>(data), size) : "";
  if (data) releaseFile(data);
  sysChangeDirectory(here.c_str());
  return text;
}

// "m.ss": whole minutes, then the decimals as hundredths of 100 seconds, read
// digit by digit so that 2.05 is exactly 2 minutes 5 seconds. Returns ms.
int64_t minutesSecondsMs(const char* value) {
  const char* p = value;
  while (*p == ' ') ++p;
  const int64_t sign = *p == '-' ? -1 : 1;
  if (*p == '-' || *p == '+') ++p;
  int64_t minutes = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (minutes < INT32_MAX) minutes = minutes * 10 + (*p - '0');
  }
  int64_t fraction = 0;
  if (*p == '.') {
    int64_t weight = 10000;
    for (++p; *p >= '0' && *p <= '9' && weight > 0; ++p, weight /= 10) fraction += (*p - '0') * weight;
  }
  return sign * (minutes * 60000 + fraction);
}

int32_t readKeyed(const std::string& text, const char* pattern, int32_t n) {
  char key[32];
  std::snprintf(key, sizeof key, pattern, n);
  return readInt(text.c_str(), key);
}

int32_t readRecordTime(const std::string& text, int32_t n) {
  char key[32], value[64];
  std::snprintf(key, sizeof key, "time%i=", n);
  if (!readString(value, sizeof value, text.c_str(), key)) return 0;
  return saturate(minutesSecondsMs(value) * 2);
}

void generateDifficultyRecords(int32_t difficulty, int64_t* sum) {
  const std::string text = readDefaultRecordText(kDefaultRecordFiles[difficulty]);
  for (int32_t level = 0; level < kRecordLevels; ++level) {
    LevelRecord& r = recordTables.levels[difficulty][level];
    r = {};
    copyNameField(r.comboHolder, kHolderNameSize, randomDefaultName());
    copyNameField(r.scoreHolder, kHolderNameSize, randomDefaultName());
    copyNameField(r.timeHolder, kHolderNameSize, randomDefaultName());
    copyNameField(r.movesHolder, kHolderNameSize, randomDefaultName());
    const int32_t n = level + 1;
    r.bestCombo = readKeyed(text, "combo%i=", n);
    r.bestScore = saturate(int64_t(readKeyed(text, "score%i=", n)) * 2 / 3);
    r.bestTime = readRecordTime(text, n);
    r.bestMoves = saturate(int64_t(readKeyed(text, "move%i=", n)) * 3 / 2);
    *sum += r.bestScore;
  }
}

int32_t defaultSurvivalCombo(int32_t startLevel) {
  if (startLevel <= 2) return 5 + randomInt(8);
  if (startLevel <= 4) return 5 + randomInt(5);
  if (startLevel == 5) return 4 + randomInt(3);
  return 2 + randomInt(3);
}

}  // namespace

void copyNameField(char* field, uint32_t fieldSize, const char* name) {
  char clean[kProfileNameLength + 1] = {};
  if (name) cleanName(name, clean, sizeof clean);
  std::memset(field, 0, fieldSize);
  std::strncpy(field, clean, fieldSize - 1);
}

void generateLevelRecords(int64_t sums[3]) {
  for (int32_t d = 0; d < kAdventureDifficulties; ++d) {
    sums[d] = 0;
    generateDifficultyRecords(d, &sums[d]);
  }
}

void generateTopScores(const int64_t sums[3]) {
  for (int32_t d = 0; d < kAdventureDifficulties; ++d) {
    const int64_t s = sums[d];
    for (int32_t k = 0; k < kTopScoreRows; ++k) {
      HighScoreEntry& entry = recordTables.topScores[d][k];
      copyNameField(entry.name, kScoreNameSize, defaultName(k));
      entry.score = saturate((s - (k * s) / 10) * 2 / 3 / 100 * 100);
    }
  }
}

void generateSurvivalScores() {
  for (int32_t d = 0; d < kSurvivalDifficulties; ++d) {
    for (int32_t level = 0; level < kRecordLevels; ++level) {
      const int32_t r = randomInt(kDefaultNameCount);
      for (int32_t n = 0; n < kSurvivalScoreRows; ++n) {
        HighScoreEntry& entry = recordTables.survivalScores[d][level][n];
        copyNameField(entry.name, kScoreNameSize, defaultName((r + n) % kDefaultNameCount));
        entry.score = 3000 - 1000 * n;
      }
    }
  }
}

void generateSurvivalRecords() {
  for (int32_t d = 0; d < kSurvivalDifficulties; ++d) {
    for (int32_t level = 0; level < kRecordLevels; ++level) {
      LevelRecord& r = recordTables.survivalLevels[d][level];
      r = {};
      copyNameField(r.comboHolder, kHolderNameSize, randomDefaultName());
      copyNameField(r.scoreHolder, kHolderNameSize, randomDefaultName());
      copyNameField(r.movesHolder, kHolderNameSize, randomDefaultName());
      r.bestCombo = defaultSurvivalCombo(level);
      r.bestScore = 2000 + 10 * randomInt(300);
      r.bestMoves = 50 + randomInt(40);
      const HighScoreEntry& best = recordTables.survivalScores[d][level][0];
      r.bestScore = best.score;
      copyNameField(r.scoreHolder, kHolderNameSize, best.name);
    }
  }
}
