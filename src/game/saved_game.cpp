// Saving the running game under the current profile and resuming it: the rules of
// when a game may be saved, over the files persistence keeps.
#include "game/saved_game.h"

#include <cstdio>
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

// Reads a profile's saved game over the level just started. A file shorter than a
// saved game is no image of one (cut short, or something else under the name): it
// is left on disk as it is, said once on standard error, and the level begins
// afresh rather than as a mixture of the two; a longer one is kept aside by the
// read. False when nothing was read.
bool readSavedGame(const char* fileName) {
  std::vector<uint8_t> image;
  if (!readPlayerFile(fileName, kSaveImageSize, &image, "the level starts afresh")) return false;
  if (image.size() != kSaveImageSize) {
    std::fprintf(stderr, "settings/%s: %zu bytes, not a saved game of %u; the level starts"
                 " afresh\n", fileName, image.size(), kSaveImageSize);
    return false;
  }
  readSaveImage(image.data(), kSaveImageSize);
  return true;
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
  char name[kMaxSavedGameName];
  savedGameFileName(profile->name, kind, name, sizeof name);
  if (!enterSettingsFolder()) return false;
  const bool written = saveGameImage(name);
  leaveSettingsFolder();
  // A game that did not reach the disk is not offered later.
  if (!written) return false;
  if (kind == SavedGameKind::Survival) profile->savedSurvivalScore = gameState.levelScore;
  offerSavedGame(kind);
  return true;
}

void loadGame() {
  startCurrentLevel();
  clearScorePopups();
  Profile* profile = currentProfileRecord();
  const SavedGameKind kind = currentSavedGameKind();
  if (!profile || !savedGameOffered(kind)) return;
  char name[kMaxSavedGameName];
  savedGameFileName(profile->name, kind, name, sizeof name);
  if (!enterSettingsFolder()) return;
  readSavedGame(name);
  leaveSettingsFolder();
}
