// How a level ends: the end-of-level check, the level-complete and defeat
// sequences, and the statistics a finished level records.
#include <cstring>

#include "audio/audio.h"
#include "game/board.h"
#include "game/feedback.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "game/modes.h"
#include "persistence/profile.h"
#include "persistence/records.h"
#include "persistence/saved_games.h"
#include "persistence/settings.h"
#include "render/text.h"
#include "resources/resources.h"

namespace {

bool squaresLeft() {
  bool left = false;
  forEachPlayableCell([&](int32_t x, int32_t y) { left = left || cellAt(x, y).squareLayers > 0; });
  return left;
}

// The big flying message of a level end, centred on the screen.
void showBigMessage(const char* key) {
  std::strncpy(modeState.bigMessage, key, kMaxMessageKey - 1);
  modeState.bigMessage[kMaxMessageKey - 1] = '\0';
  spawnFlyingText(textOf(key), 0.0f, 0.0f, kBigMessageSize);
}

void clearBigMessage() {
  modeState.bigMessage[0] = '\0';
  clearFlyingText();
}

// Records, high scores and (adventure and zen) the profile's progress, then every
// table and the profiles reach the disk.
void recordStatistics() {
  const LevelResult result = currentLevelResult();
  recordLevelResult(result);
  enterHighScore(result);
  if (!gameState.survival) advanceProgress(&gameState.zoneCompleted, &gameState.adventureFinished);
  saveAll();
}

void completeLevel() {
  recordStatistics();
  playSound("levelcomplete.ogg");
  requestMusic(kLevelCompleteMusic);
  showBigMessage(gameState.zoneCompleted ? "stagecomplete" : "levelcomplete");
  gameState.levelCompleteTimer = kLevelCompleteMs;
  gameView.colourScheme = (gameState.levelIndex + 1) % 3;
}

void endSurvival() {
  if (modeState.survivalOver) return;
  modeState.survivalOver = true;
  forgetSavedGame(SavedGameKind::Survival);
  recordStatistics();
  gameHooks.openInGameScreen("levelcomplete");
}

void beginDefeat(bool changeMusic) {
  playSound("level_defeat.ogg");
  if (changeMusic) requestMusic(kDefeatMusic);
  const int32_t left = lives();
  showBigMessage(left == 1 ? "lastlife" : (left < 1 ? "gameover" : "loselife"));
  gameState.defeatTimer = kDefeatMs;
}

// True when the timer went from above `mark` to `mark` or below.
bool passed(float before, float after, float mark) { return before > mark && after <= mark; }

void runLevelComplete(float dt) {
  const float before = gameState.levelCompleteTimer;
  gameState.levelCompleteTimer -= dt;
  const float after = gameState.levelCompleteTimer;
  if (passed(before, after, kBoardClearsAtMs)) sayFarewellToBalls();
  if (passed(before, after, kLevelMusicBackAtMs)) requestMusic(gameState.levelIndex % 4);
  if (after > 0.0f) return;
  requestMusic(gameState.levelIndex % 4);
  gameState.levelCompleteTimer = -1.0f;
  clearBigMessage();
  gameHooks.openInGameScreen("levelcomplete");
}

void runDefeat(float dt) {
  gameState.defeatTimer -= dt;
  if (gameState.defeatTimer > 0.0f) return;
  clearBigMessage();
  const int32_t left = takeLife();
  gameState.defeatTimer = -1.0f;
  forgetSavedGame(gameState.difficulty == Difficulty::Zen ? SavedGameKind::Zen
                                                          : SavedGameKind::Adventure);
  if (left < 0) modeState.resultPending = true;
  saveAll();
  gameState.defeatDim = true;
  playSound("defeat.ogg");
  gameHooks.openInGameScreen(left < 0 ? "hiscore" : "defeat");
}

}  // namespace

void checkLevelEnd() {
  // The balls of the last move still to pop belong to the level's result: a won
  // level and a finished survival game are recorded once their points are in.
  const bool popsToCome = ballRemovalsPending();
  if (!gameState.survival && gameState.levelCompleteTimer == 0.0f && !squaresLeft() &&
      !popsToCome) {
    completeLevel();
  }
  if (gameState.freeCells != 0) return;
  if (gameState.survival) {
    if (!popsToCome) endSurvival();
  } else if (gameState.defeatTimer == 0.0f) {
    beginDefeat(true);
  }
}

void startDefeat() { beginDefeat(false); }

void updateEndSequences(float dt) {
  if (gameState.levelCompleteTimer > 0.0f) runLevelComplete(dt);
  if (gameState.defeatTimer > 0.0f) runDefeat(dt);
}

LevelResult currentLevelResult() {
  const GameState& g = gameState;
  return LevelResult{g.survival, g.difficulty, g.levelIndex, g.levelScore,
                     g.comboStat, g.elapsedMs,  g.moves};
}
