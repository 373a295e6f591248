// The profile table in memory and the operations on the current profile.
#include "persistence/profile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

ProfileTable profileTable = {};

namespace {

// The stored difficulty clamped to a valid index, so a damaged record never reads
// past its per-difficulty arrays.
// Counters of a damaged record may sit at the ends of their range: they stop there.
int32_t saturatedSum(int32_t a, int64_t b) {
  return int32_t(std::clamp(int64_t(a) + b, int64_t(INT32_MIN), int64_t(INT32_MAX)));
}

int32_t storedIndex(const Profile& profile) {
  const int32_t m = profile.storedDifficulty;
  return m >= 0 && m <= 2 ? m : 1;
}

bool nameInUse(const char* name) {
  for (int32_t i = 0; i < profileTable.profileCount; ++i) {
    if (std::strncmp(profileTable.profiles[i].name, name, kProfileNameSize) == 0) return true;
  }
  return false;
}

void copyName(Profile* profile, const char* name) {
  std::memset(profile->name, 0, sizeof(profile->name));
  std::strncpy(profile->name, name, kProfileNameSize - 1);
}

}  // namespace

bool isNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ';
}

void cleanName(const char* name, char* out, size_t capacity) {
  size_t used = 0;
  for (const char* p = name; *p != '\0' && used + 1 < capacity; ++p) {
    const char c = (*p >= 'a' && *p <= 'z') ? char(*p - 'a' + 'A') : *p;
    if (!isNameCharacter(c) || (c == ' ' && used == 0)) continue;
    if (used == size_t(kProfileNameLength)) break;
    out[used++] = c;
  }
  while (used > 0 && out[used - 1] == ' ') --used;
  if (capacity > 0) out[used] = '\0';
}

Profile* currentProfileRecord() {
  const int32_t i = profileTable.currentProfile;
  if (profileTable.profileCount <= 0 || i < 0 || i >= profileTable.profileCount) return nullptr;
  return &profileTable.profiles[i];
}

bool createProfile(const char* name) {
  if (!name || name[0] == '\0' || nameInUse(name)) return false;
  if (profileTable.profileCount >= kMaxProfiles) return false;
  Profile& profile = profileTable.profiles[profileTable.profileCount];
  profile = {};
  copyName(&profile, name);
  for (uint8_t& flag : profile.helpShown) flag = 1;
  for (int32_t& count : profile.lives) count = kStartLives;
  profile.storedDifficulty = 1;
  profileTable.currentProfile = profileTable.profileCount;
  ++profileTable.profileCount;
  return true;
}

bool renameProfile(int32_t index, const char* name) {
  if (!name || name[0] == '\0' || index < 0 || index >= profileTable.profileCount) return false;
  copyName(&profileTable.profiles[index], name);
  return true;
}

void removeProfile(int32_t index) {
  if (profileTable.profileCount <= 0 || index < 0 || index >= profileTable.profileCount) return;
  for (int32_t i = index; i + 1 < profileTable.profileCount; ++i) {
    profileTable.profiles[i] = profileTable.profiles[i + 1];
  }
  --profileTable.profileCount;
  profileTable.profiles[profileTable.profileCount] = {};
  if (profileTable.currentProfile >= index && profileTable.currentProfile > 0) {
    --profileTable.currentProfile;
  }
  if (profileTable.profileCount == 0) profileTable.currentProfile = 0;
}

void selectProfile(int32_t index) {
  if (index >= 0 && index < kMaxProfiles) profileTable.currentProfile = index;
}

int32_t currentLevel() {
  const Profile* p = currentProfileRecord();
  if (!p) return 0;
  const int32_t m = storedIndex(*p);
  return p->zone[m] * kStagesPerZone + p->stage[m];
}

void setCurrentLevel(int32_t level) {
  Profile* p = currentProfileRecord();
  if (!p) return;
  const int32_t m = storedIndex(*p);
  p->stage[m] = level % kStagesPerZone;
  p->zone[m] = level / kStagesPerZone;
}

int32_t bestLevel() {
  const Profile* p = currentProfileRecord();
  if (!p) return 0;
  const int32_t m = storedIndex(*p);
  return p->bestZone[m] * kStagesPerZone + p->bestStage[m];
}

int32_t bestLevelAnyDifficulty() {
  const Profile* p = currentProfileRecord();
  if (!p) return 0;
  int32_t best = 0;
  for (int32_t m = 0; m < 3; ++m) {
    const int32_t level = p->bestZone[m] * kStagesPerZone + p->bestStage[m];
    if (level > best) best = level;
  }
  return best;
}

int32_t bestZoneOf() {
  const Profile* p = currentProfileRecord();
  return p ? p->bestZone[storedIndex(*p)] : 0;
}

int32_t zoneOf() {
  const Profile* p = currentProfileRecord();
  return p ? p->zone[storedIndex(*p)] : 0;
}

int32_t lives() {
  const Profile* p = currentProfileRecord();
  return p ? p->lives[storedIndex(*p)] : 0;
}

int32_t takeLife() {
  Profile* p = currentProfileRecord();
  if (!p) return 0;
  int32_t& count = p->lives[storedIndex(*p)];
  count = saturatedSum(count, -1);
  return count;
}

void giveLife() {
  Profile* p = currentProfileRecord();
  if (p) p->lives[storedIndex(*p)] = saturatedSum(p->lives[storedIndex(*p)], 1);
}

void setLives(int32_t count) {
  Profile* p = currentProfileRecord();
  if (p) p->lives[storedIndex(*p)] = count;
}

int32_t score() {
  const Profile* p = currentProfileRecord();
  return p ? p->score[storedIndex(*p)] : 0;
}

void addProfileScore(int32_t points) {
  Profile* p = currentProfileRecord();
  if (p) p->score[storedIndex(*p)] = saturatedSum(p->score[storedIndex(*p)], points);
}

void setScore(int32_t points) {
  Profile* p = currentProfileRecord();
  if (p) p->score[storedIndex(*p)] = points;
}

void resetDifficulty() {
  Profile* p = currentProfileRecord();
  if (!p) return;
  const int32_t m = storedIndex(*p);
  p->score[m] = 0;
  p->lives[m] = kStartLives;
  p->stage[m] = 0;
}

void setStoredDifficulty(int32_t difficulty) {
  Profile* p = currentProfileRecord();
  if (!p) return;
  p->storedDifficulty = difficulty;
  p->adventureExpert = difficulty == 0 ? 1 : 0;
}

void advanceProgress(bool* zoneCompleted, bool* adventureFinished) {
  *zoneCompleted = false;
  *adventureFinished = false;
  Profile* p = currentProfileRecord();
  if (!p) return;
  const int32_t m = storedIndex(*p);
  const int32_t lastLevel = kZoneCount * kStagesPerZone - 1;
  const int32_t current = p->zone[m] * kStagesPerZone + p->stage[m];
  const int32_t next = current < lastLevel ? current + 1 : lastLevel;
  if (bestLevel() < next) {
    p->bestZone[m] = next / kStagesPerZone;
    p->bestStage[m] = next % kStagesPerZone;
  }
  if (++p->stage[m] < kStagesPerZone) return;
  ++p->zone[m];
  p->stage[m] = 0;
  *zoneCompleted = true;
  if (p->zone[m] != kZoneCount) return;
  *adventureFinished = true;
  p->zone[m] = 0;
}
