// The profile table on disk: "profiles.dat", read at start-up and written by
// saveAll and whenever a player is added, renamed or removed, with the saved games
// that go by the player's name.
#include "persistence/profile_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "persistence/byte_io.h"
#include "persistence/persistence_local.h"
#include "persistence/saved_games.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "resources/resources.h"

namespace {

void putTriple(ByteWriter* w, const int32_t (&values)[3]) {
  for (const int32_t value : values) putInt32(w, value);
}

void takeTriple(ByteReader* r, int32_t (&values)[3]) {
  for (int32_t& value : values) takeInt32(r, &value);
}

void limitTriple(int32_t (&values)[3], int32_t last) {
  for (int32_t& value : values) value = std::clamp(value, 0, last);
}

// A damaged file's places are brought inside the adventure (a sound file's already
// are), so the level arithmetic of every operation on the profile stays in range.
void limitPlaces(Profile* p) {
  limitTriple(p->stage, kStagesPerZone - 1);
  limitTriple(p->zone, kZoneCount - 1);
  limitTriple(p->bestStage, kStagesPerZone - 1);
  limitTriple(p->bestZone, kZoneCount - 1);
  p->survivalStartLevel = std::clamp(p->survivalStartLevel, 0, kZoneCount * kStagesPerZone - 1);
}

}  // namespace

void encodeProfile(const Profile& p, uint8_t out[kProfileBytes]) {
  ByteWriter w = makeByteWriter(out, kProfileBytes);
  putBytes(&w, p.name, sizeof p.name);
  putBytes(&w, p.helpShown, sizeof p.helpShown);
  putBytes(&w, p.zero38, sizeof p.zero38);
  putTriple(&w, p.stage);
  putTriple(&w, p.zone);
  putTriple(&w, p.bestStage);
  putTriple(&w, p.bestZone);
  putTriple(&w, p.score);
  putTriple(&w, p.lives);
  putBytes(&w, p.tipShown, sizeof p.tipShown);
  putBytes(&w, p.zero120, sizeof p.zero120);
  putInt32(&w, p.storedDifficulty);
  putByte(&w, p.adventureExpert);
  putBytes(&w, p.zero129, sizeof p.zero129);
  putByte(&w, p.adventureSaved);
  putByte(&w, p.survivalSaved);
  putByte(&w, p.zenSaved);
  putByte(&w, p.survivalExpert);
  putInt32(&w, p.savedSurvivalScore);
  putInt32(&w, p.survivalStartLevel);
}

void decodeProfile(const uint8_t in[kProfileBytes], Profile* p) {
  ByteReader r = makeByteReader(in, kProfileBytes);
  *p = {};
  takeBytes(&r, p->name, sizeof p->name);
  p->name[kProfileNameSize - 1] = '\0';
  takeBytes(&r, p->helpShown, sizeof p->helpShown);
  takeBytes(&r, p->zero38, sizeof p->zero38);
  takeTriple(&r, p->stage);
  takeTriple(&r, p->zone);
  takeTriple(&r, p->bestStage);
  takeTriple(&r, p->bestZone);
  takeTriple(&r, p->score);
  takeTriple(&r, p->lives);
  takeBytes(&r, p->tipShown, sizeof p->tipShown);
  takeBytes(&r, p->zero120, sizeof p->zero120);
  takeInt32(&r, &p->storedDifficulty);
  takeByte(&r, &p->adventureExpert);
  takeBytes(&r, p->zero129, sizeof p->zero129);
  takeByte(&r, &p->adventureSaved);
  takeByte(&r, &p->survivalSaved);
  takeByte(&r, &p->zenSaved);
  takeByte(&r, &p->survivalExpert);
  takeInt32(&r, &p->savedSurvivalScore);
  takeInt32(&r, &p->survivalStartLevel);
  limitPlaces(p);
}

namespace {

bool allZero(const uint8_t* bytes, uint32_t size) {
  for (uint32_t i = 0; i < size; ++i) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

bool nameTaken(const char* name, int32_t before) {
  for (int32_t i = 0; i < before; ++i) {
    if (std::strcmp(profileTable.profiles[i].name, name) == 0) return true;
  }
  return false;
}

// The profile at `index` gets its name as the name entry would have made it, unique
// in the table (each player's saved games go by the name): a name left empty
// becomes "PLAYER", and a name taken by an earlier profile gets a number.
void cleanStoredName(int32_t index) {
  Profile& p = profileTable.profiles[index];
  char name[kProfileNameLength + 1];
  cleanName(p.name, name, sizeof name);
  if (name[0] == '\0') std::snprintf(name, sizeof name, "PLAYER");
  char unique[kProfileNameLength + 1];
  std::snprintf(unique, sizeof unique, "%s", name);
  static_assert(kMaxProfiles + 1 <= 9, "a profile's number is one digit");
  for (int32_t n = 2; nameTaken(unique, index) && n <= kMaxProfiles + 1; ++n) {
    std::snprintf(unique, sizeof unique, "%.*s %c", kProfileNameLength - 2, name, char('0' + n));
  }
  std::memset(p.name, 0, sizeof p.name);
  std::memcpy(p.name, unique, std::strlen(unique));
}

}  // namespace

void loadProfiles() {
  std::vector<uint8_t> bytes;
  readPlayerFile(kProfilesFile, {kProfileBytes, 0, uint32_t(kMaxProfiles)}, &bytes,
                 "the game starts without its profiles");
  int32_t count = 0;
  for (size_t at = 0; at + kProfileBytes <= bytes.size(); at += kProfileBytes) {
    // Nothing but zeros is no player: what a file's hole or a sparse file holds.
    if (allZero(bytes.data() + at, kProfileBytes)) continue;
    decodeProfile(bytes.data() + at, &profileTable.profiles[count]);
    cleanStoredName(count++);
  }
  for (int32_t i = count; i < kMaxProfiles; ++i) profileTable.profiles[i] = {};
  profileTable.profileCount = count;
  // Exactly one profile is current whenever there is one.
  if (profileTable.currentProfile < 0 || profileTable.currentProfile >= count) {
    profileTable.currentProfile = 0;
  }
}

bool writeProfilesFile() {
  uint8_t bytes[kMaxProfiles * kProfileBytes];
  int32_t count = profileTable.profileCount;
  if (count < 0) count = 0;
  if (count > kMaxProfiles) count = kMaxProfiles;
  for (int32_t i = 0; i < count; ++i) {
    encodeProfile(profileTable.profiles[i], bytes + size_t(i) * kProfileBytes);
  }
  return writeWholeFile(kProfilesFile, bytes, uint32_t(count) * kProfileBytes);
}

// ---------------------------------------------------------------------------
// Players added, renamed and removed with their files

namespace {

void removeSavedGames(const char* profileName) {
  for (const SavedGameKind kind : kSavedGameKinds) {
    sysRemoveFile(savedGameFile(profileName, kind).c_str());
  }
}

// In the folder "settings": puts a copy of each saved game the profile has on offer
// under its new name. A game whose file is gone is no longer offered. False (the
// copies made removed again) when one could not be copied.
bool copySavedGames(Profile* profile, const char* newName) {
  for (const SavedGameKind kind : kSavedGameKinds) {
    if (!savedGameFlagOf(*profile, kind)) continue;
    const std::string from = savedGameFile(profile->name, kind);
    if (!sysFileExists(from.c_str())) {
      setSavedGameFlag(profile, kind, false);
    } else if (!sysCopyFile(from.c_str(), savedGameFile(newName, kind).c_str())) {
      removeSavedGames(newName);
      return false;
    }
  }
  return true;
}

}  // namespace

bool createStoredProfile(const char* name) {
  if (!createProfile(name)) return false;
  if (enterSettingsFolder()) {
    // Games left under the name by an earlier player never become this one's.
    removeSavedGames(name);
    writeProfilesFile();
    leaveSettingsFolder();
  }
  writeSettingsRecord();
  return true;
}

bool renameStoredProfile(int32_t index, const char* name) {
  if (!name || name[0] == '\0' || index < 0 || index >= profileTable.profileCount) return false;
  Profile* profile = &profileTable.profiles[index];
  char oldName[kProfileNameSize];
  std::memcpy(oldName, profile->name, sizeof oldName);
  if (std::strcmp(oldName, name) == 0 || !enterSettingsFolder()) return renameProfile(index, name);
  if (!copySavedGames(profile, name)) {
    leaveSettingsFolder();
    return false;
  }
  renameProfile(index, name);
  // Until the table names the player anew, the games stay under the old name too.
  if (writeProfilesFile()) removeSavedGames(oldName);
  leaveSettingsFolder();
  return true;
}

void removeStoredProfile(int32_t index) {
  if (index < 0 || index >= profileTable.profileCount) return;
  char name[kProfileNameSize];
  std::memcpy(name, profileTable.profiles[index].name, sizeof name);
  removeProfile(index);
  if (enterSettingsFolder()) {
    if (writeProfilesFile()) removeSavedGames(name);
    leaveSettingsFolder();
  }
  writeSettingsRecord();
}
