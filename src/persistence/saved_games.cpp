// Saved games: their file names, when a game may be saved, and resuming one.
#include "persistence/saved_games.h"

#include <cstdio>
#include <cstring>

#include "app/scene.h"
#include "effects/effects.h"
#include "game/board.h"
#include "game/modes.h"
#include "game/save_image.h"
#include "persistence/profile.h"
#include "persistence/settings.h"
#include "ui/menu.h"

namespace {

const char* fileNamePattern(SavedGameKind kind) {
  switch (kind) {
    case SavedGameKind::Zen: return "%s_zen.sav";
    case SavedGameKind::Survival: return "%s_sur.sav";
    default: return "%s_adv.sav";
  }
}

bool nameEntryCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ';
}

// The profile name with every character the name entry never makes escaped.
void escapeName(const char* name, char* out, size_t capacity) {
  static const char kHex[] = "0123456789ABCDEF";
  size_t used = 0;
  for (size_t i = 0; name[i] != '\0' && i < size_t(kProfileNameSize); ++i) {
    const auto c = uint8_t(name[i]);
    const size_t need = nameEntryCharacter(char(c)) ? 1 : 3;
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

bool gameMayBeSaved() {
  if (currentScene() != &gameScene || modeState.resultPending) return false;
  if (std::strcmp(currentMenuScreen(), "levelcomplete") == 0) return false;
  return gameState.levelCompleteTimer == 0.0f && gameState.defeatTimer == 0.0f &&
         gameState.moves > 0;
}

}  // namespace

SavedGameKind currentSavedGameKind() {
  if (gameState.survival) return SavedGameKind::Survival;
  return gameState.difficulty == Difficulty::Zen ? SavedGameKind::Zen : SavedGameKind::Adventure;
}

void savedGameFileName(const char* profileName, SavedGameKind kind, char* out, size_t capacity) {
  char escaped[kMaxSavedGameName];
  escapeName(profileName, escaped, sizeof escaped);
  std::snprintf(out, capacity, fileNamePattern(kind), escaped);
}

bool savedGameOffered(SavedGameKind kind) {
  Profile* profile = currentProfileRecord();
  return profile && *offerFlag(profile, kind) != 0;
}

bool saveGame() {
  Profile* profile = currentProfileRecord();
  if (!profile || !gameMayBeSaved()) return false;
  const SavedGameKind kind = currentSavedGameKind();
  char name[kMaxSavedGameName];
  savedGameFileName(profile->name, kind, name, sizeof name);
  if (!enterSettingsFolder()) return false;
  const bool written = saveGameImage(name);
  leaveSettingsFolder();
  // A game that did not reach the disk is not offered later.
  if (!written) return false;
  if (kind == SavedGameKind::Survival) profile->savedSurvivalScore = gameState.levelScore;
  *offerFlag(profile, kind) = 1;
  return true;
}

void loadGame() {
  startCurrentLevel();
  ClearScorePopups();
  Profile* profile = currentProfileRecord();
  const SavedGameKind kind = currentSavedGameKind();
  if (!profile || !*offerFlag(profile, kind)) return;
  char name[kMaxSavedGameName];
  savedGameFileName(profile->name, kind, name, sizeof name);
  if (!enterSettingsFolder()) return;
  loadGameImage(name);
  leaveSettingsFolder();
}

void forgetSavedGame(SavedGameKind kind) {
  if (Profile* profile = currentProfileRecord()) *offerFlag(profile, kind) = 0;
}
