// profile.h: the players: up to eight profiles, each with a name and, per
// difficulty, the adventure progress, running score and lives, plus the flags of
// help pages and tips already shown. Game code reads and changes score, lives and
// progress only through the operations here, which act on the current profile in
// its stored difficulty.
#pragma once

#include <cstddef>
#include <cstdint>

// The profile list shows eight names; a ninth is refused.
constexpr int32_t kMaxProfiles = 8;
constexpr int32_t kProfileNameSize = 32;
// The name entry's length: what the score column and the result panel have room for.
constexpr int32_t kProfileNameLength = 12;
constexpr int32_t kZoneCount = 14;
constexpr int32_t kStagesPerZone = 5;
constexpr int32_t kStartLives = 3;

// One player, 148 bytes, laid out exactly as stored in "profiles.dat"
// (little-endian). Per-difficulty fields are indexed by difficulty 0..2.
struct Profile {
  char name[kProfileNameSize];  // zero-terminated
  uint8_t helpShown[6];      // [kind x 3 + difficulty], kind 0 adventure/zen, 1 survival:
                             // 1 while "helpscreen" is still to be shown
  uint8_t zero38[2];
  int32_t stage[3];          // 0..4
  int32_t zone[3];           // 0..13
  int32_t bestStage[3];
  int32_t bestZone[3];
  int32_t score[3];          // the running adventure score
  int32_t lives[3];
  uint8_t tipShown[8];       // one per one-time tip, in tip order
  uint8_t zero120[4];
  int32_t storedDifficulty;  // of the last adventure or zen game chosen
  uint8_t adventureExpert;
  uint8_t zero129[7];
  uint8_t adventureSaved;
  uint8_t survivalSaved;
  uint8_t zenSaved;
  uint8_t survivalExpert;
  int32_t savedSurvivalScore;
  int32_t survivalStartLevel;  // 0..69
};
static_assert(sizeof(Profile) == 148, "a stored profile is 148 bytes");
static_assert(offsetof(Profile, stage) == 40 && offsetof(Profile, lives) == 100 &&
                  offsetof(Profile, tipShown) == 112 &&
                  offsetof(Profile, storedDifficulty) == 124 &&
                  offsetof(Profile, adventureSaved) == 136 &&
                  offsetof(Profile, savedSurvivalScore) == 140 &&
                  offsetof(Profile, survivalStartLevel) == 144,
              "profile fields lie at their stored offsets");

// The profile table: process lifetime. profileCount and currentProfile are kept
// with the settings record, the profiles themselves in "profiles.dat".
struct ProfileTable {
  Profile profiles[kMaxProfiles];
  int32_t profileCount;
  int32_t currentProfile;
};
extern ProfileTable profileTable;

// The characters the name entry makes: capital letters, digits and the space.
bool isNameCharacter(char c);
// A name read from a file as the name entry would have made it: small letters
// made capital, every other character it does not make dropped, the spaces around
// it trimmed, cut to kProfileNameLength. `out` holds at least capacity bytes.
void cleanName(const char* name, char* out, size_t capacity);

// As a fresh start leaves the module: no profiles, empty result tables, the
// settings record as before it is read.
void resetPersistence();

// The current profile, or null when there is none.
Profile* currentProfileRecord();

// Appends a profile (3 lives everywhere, help pages pending, normal difficulty) and
// makes it current. Fails for an empty name, a name already used (exact match) or a
// full table.
bool createProfile(const char* name);
// Replaces the name (no duplicate test). Fails for an empty name or a bad index.
bool renameProfile(int32_t index, const char* name);
// Removes a profile; the later ones move down and the current index follows.
void removeProfile(int32_t index);
// Makes `index` current (ignored outside the table).
void selectProfile(int32_t index);

// The operations below act on the current profile in its stored difficulty. With no
// profile they read 0 and change nothing.
int32_t currentLevel();
void setCurrentLevel(int32_t level);
int32_t bestLevel();
int32_t bestLevelAnyDifficulty();
int32_t bestZoneOf();
int32_t zoneOf();
int32_t lives();
int32_t takeLife();  // returns the new count
void giveLife();
void setLives(int32_t count);
int32_t score();
void addProfileScore(int32_t points);
void setScore(int32_t points);
// Score 0, lives 3, stage 0.
void resetDifficulty();
void setStoredDifficulty(int32_t difficulty);
// A won level: the next level becomes current and the best is raised. Reports a
// completed zone and a finished adventure (which starts over at zone 0).
void advanceProgress(bool* zoneCompleted, bool* adventureFinished);
