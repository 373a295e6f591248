// Saving the running game under the current profile and resuming it: the rules of
// when a game may be saved, over the files persistence keeps.
#include "game/saved_game.h"

#include <cstdio>
#include <string>
#include <vector>

#include "effects/effects.h"
#include "game/board.h"
#include "game/game.h"
#include "game/modes.h"
#include "game/save_image.h"
#include "persistence/profile.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "resources/resources.h"

namespace {

constexpr const char* kLevelAfresh = "the level starts afresh";

// The file of the current profile's game of `kind`; "" without a profile.
std::string currentSavedGameFile(SavedGameKind kind) {
  const Profile* profile = currentProfileRecord();
  return profile ? savedGameFile(profile->name, kind) : std::string();
}

// Reads the current profile's saved game of `kind`: one whole image. False (said
// on stderr, a damaged file kept aside) when there is none to read.
bool readSavedImage(SavedGameKind kind, std::vector<uint8_t>* image) {
  const std::string name = currentSavedGameFile(kind);
  if (name.empty() || !savedGameOffered(kind) || !enterSettingsFolder()) return false;
  const bool read = readPlayerFile(name.c_str(), {kSaveImageSize, 1, 1}, image, kLevelAfresh);
  leaveSettingsFolder();
  return read;
}

// A saved game with a value no running game holds was not written by the game:
// kept aside as a damaged file is, and said once.
void refuseImage(SavedGameKind kind, const char* fault) {
  const std::string name = currentSavedGameFile(kind);
  if (!enterSettingsFolder()) return;
  const std::string aside = name + ".damaged";
  const bool kept = sysCopyFile(name.c_str(), aside.c_str());
  const std::string what = std::string(fault) + ", which no running game holds; " + kLevelAfresh +
                           (kept ? "; the file is kept as " + aside : std::string());
  sysReportDamagedFile(name.c_str(), what.c_str());
  leaveSettingsFolder();
}

// Tells the player, in a box the menus show, that the offered game did not load.
void tellNotLoaded(SavedGameKind kind, const char* reason) {
  const std::string name = currentSavedGameFile(kind);
  const std::string message =
      "Your saved game (" + name + ") could not be loaded: " + reason + ". Choose a level to play.";
  sysReportProblem("loadfailed", name.c_str(), reason, message.c_str());
}

}  // namespace

SavedGameKind currentSavedGameKind() {
  if (gameState.survival) return SavedGameKind::Survival;
  return gameState.difficulty == Difficulty::Zen ? SavedGameKind::Zen : SavedGameKind::Adventure;
}

bool gameMayBeSaved() {
  if (!gameHooks.boardSceneCurrent() || modeState.resultPending) return false;
  if (gameHooks.savingHeld()) return false;
  return gameState.levelCompleteTimer == 0.0f && gameState.defeatTimer == 0.0f &&
         gameState.moves > 0;
}

bool saveGame() {
  Profile* profile = currentProfileRecord();
  if (!profile || !gameMayBeSaved()) return false;
  const SavedGameKind kind = currentSavedGameKind();
  const std::string name = currentSavedGameFile(kind);
  if (!enterSettingsFolder()) return false;
  const bool written = saveGameImage(name.c_str());
  leaveSettingsFolder();
  // A game that did not reach the disk is not offered later.
  if (!written) return false;
  if (kind == SavedGameKind::Survival) profile->savedSurvivalScore = gameState.levelScore;
  offerSavedGame(kind);
  return true;
}

bool savedGameLoadable(SavedGameKind kind) {
  std::vector<uint8_t> image;
  if (!readSavedImage(kind, &image)) return false;
  char fault[128];
  if (saveImageSound(image.data(), kSaveImageSize, fault, sizeof fault)) return true;
  refuseImage(kind, fault);
  return false;
}

bool loadGame() {
  startCurrentLevel();
  clearScorePopups();
  const SavedGameKind kind = currentSavedGameKind();
  if (!savedGameOffered(kind)) return false;
  std::vector<uint8_t> image;
  if (!readSavedImage(kind, &image)) {
    tellNotLoaded(kind, "it cannot be read");
    return false;
  }
  char fault[128];
  if (loadSaveImage(image.data(), kSaveImageSize, fault, sizeof fault)) return true;
  refuseImage(kind, fault);
  tellNotLoaded(kind, fault);
  return false;
}
