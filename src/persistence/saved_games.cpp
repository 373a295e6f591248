// Saved games: their file names and the profile's flags of the games on offer.
#include "persistence/saved_games.h"

#include <cstdio>
#include <cstring>

#include "persistence/profile.h"

namespace {

const char* fileNamePattern(SavedGameKind kind) {
  switch (kind) {
    case SavedGameKind::Zen: return "%s_zen.sav";
    case SavedGameKind::Survival: return "%s_sur.sav";
    default: return "%s_adv.sav";
  }
}

// The profile name with every character the name entry never makes escaped.
void escapeName(const char* name, char* out, size_t capacity) {
  static const char kHex[] = "0123456789ABCDEF";
  size_t used = 0;
  for (size_t i = 0; name[i] != '\0' && i < size_t(kProfileNameSize); ++i) {
    const auto c = uint8_t(name[i]);
    const size_t need = isNameCharacter(char(c)) ? 1 : 3;
    if (used + need + 1 > capacity) break;
    if (need == 1) {
      out[used++] = char(c);
    } else {
      out[used++] = '%';
      out[used++] = kHex[c >> 4];
      out[used++] = kHex[c & 15];
    }
  }
  out[used] = '\0';
}

uint8_t* offerFlag(Profile* profile, SavedGameKind kind) {
  switch (kind) {
    case SavedGameKind::Zen: return &profile->zenSaved;
    case SavedGameKind::Survival: return &profile->survivalSaved;
    default: return &profile->adventureSaved;
  }
}

}  // namespace

void savedGameFileName(const char* profileName, SavedGameKind kind, char* out, size_t capacity) {
  char escaped[kMaxSavedGameName];
  escapeName(profileName, escaped, sizeof escaped);
  std::snprintf(out, capacity, fileNamePattern(kind), escaped);
}

std::string savedGameFile(const char* profileName, SavedGameKind kind) {
  char name[kMaxSavedGameName];
  savedGameFileName(profileName, kind, name, sizeof name);
  return name;
}

bool savedGameFlagOf(const Profile& profile, SavedGameKind kind) {
  return *offerFlag(const_cast<Profile*>(&profile), kind) != 0;
}

void setSavedGameFlag(Profile* profile, SavedGameKind kind, bool offered) {
  *offerFlag(profile, kind) = offered ? 1 : 0;
}

bool savedGameOffered(SavedGameKind kind) {
  const Profile* profile = currentProfileRecord();
  return profile && savedGameFlagOf(*profile, kind);
}

void offerSavedGame(SavedGameKind kind) {
  if (Profile* profile = currentProfileRecord()) setSavedGameFlag(profile, kind, true);
}

void forgetSavedGame(SavedGameKind kind) {
  if (Profile* profile = currentProfileRecord()) setSavedGameFlag(profile, kind, false);
}
