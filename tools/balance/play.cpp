// One game of the balance player, played through the game's rules and input.
#include "play.h"

#include <cstdio>
#include <fstream>

#include "core/numeric.h"
#include "effects/effects.h"
#include "game/board.h"
#include "game/feedback.h"
#include "game/game.h"
#include "persistence/profile.h"
#include "resources/resources.h"

namespace balance {

namespace {

// The game runs at 25 frames a second while balls move, arrive and pop.
constexpr float kFrameMs = 40.0f;
// No rest within this many frames (a minute of animation) ends the game.
constexpr int32_t kMaxSettleFrames = 1500;

enum class LevelEnd : uint8_t { None, Won, Lost };

// The end-of-level check's verdict: cleared squares win an adventure level, a full
// board ends any game.
LevelEnd levelEnd() {
  bool squares = false;
  for (int32_t y = kFirstRow; y <= kLastRow && !squares; ++y) {
    for (int32_t x = kFirstColumn; x <= kLastColumn && !squares; ++x) {
      squares = cellAt(x, y).squareLayers > 0;
    }
  }
  if (!gameState.survival && !squares) return LevelEnd::Won;
  return gameState.freeCells == 0 ? LevelEnd::Lost : LevelEnd::None;
}

// No ball moves or arrives and every removed ball has popped.
bool boardAtRest() {
  if (feedback.removalCount > 0) return false;
  bool rest = true;
  forEachPlayableCell([&](int32_t x, int32_t y) {
    const Cell& cell = cellAt(x, y);
    if (hasBall(cell) && (cell.appearTimer > 0.0f || cell.moveTargetX != -1)) rest = false;
  });
  return rest;
}

// Frames until the board rests or the level ends.
LevelEnd settle() {
  for (int32_t frame = 0; frame < kMaxSettleFrames; ++frame) {
    gameFrameUpdate(kFrameMs);
    const LevelEnd end = levelEnd();
    if (end != LevelEnd::None) return end;
    if (boardAtRest()) return LevelEnd::None;
  }
  return LevelEnd::Lost;
}

void clickCell(CellPos c) {
  const Vec2 at = cellCentre(c.x, c.y);
  gameLeftDown(at.x, at.y);
}

// Hands the action to the game's input rules. False when the game refused it.
bool play(const BotMove& move) {
  if (move.hammer) {
    gameLeftDown((kHammerGauge.x0 + kHammerGauge.x1) * 0.5f,
                 (kHammerGauge.y0 + kHammerGauge.y1) * 0.5f);
    clickCell(move.to);
    return gameState.hammerCharge == 0.0f;
  }
  clickCell(move.from);
  clickCell(move.to);
  const Cell& ball = cellAt(move.from.x, move.from.y);
  return ball.moveTargetX == move.to.x && ball.moveTargetY == move.to.y;
}

bool answerYes() { return true; }

}  // namespace

bool preparePlayer(const std::string& dataDir, std::string* error) {
  resetResources();
  resetGame();
  resetEffects();
  resetPersistence();
  std::snprintf(dataLocation.dataDirectory, sizeof dataLocation.dataDirectory, "%s/",
                dataDir.c_str());
  if (!returnToDataDirectory() || !std::ifstream("levels/tut1_01.lvl")) {
    *error = "no levels in " + dataDir + " (build the data first)";
    return false;
  }
  // The player's board is the scene on show, so its points count.
  gameHooks.boardSceneCurrent = answerYes;
  if (!createProfile("BALANCE")) {
    *error = "cannot create the player's profile";
    return false;
  }
  Profile* profile = currentProfileRecord();
  for (uint8_t& pending : profile->helpShown) pending = 0;
  for (uint8_t& shown : profile->tipShown) shown = 1;
  return true;
}

GameResult playGame(const GameSetup& setup, MoveWatcher watcher, void* context) {
  resetEffects();
  setStoredDifficulty(setup.difficulty);
  setScore(0);
  setLives(kStartLives);
  gameState.survival = setup.survival;
  gameState.difficulty = setup.difficulty;
  seedRandom(setup.seed);
  startLevel(setup.level);
  GameResult result = {};
  LevelEnd end = settle();
  while (end == LevelEnd::None && gameState.moves < kMaxMoves) {
    gameFrameUpdate(float(kThinkMs));
    // An empty board fills from its previews in that frame: let them land.
    end = settle();
    if (end != LevelEnd::None) break;
    BotMove move;
    if (!chooseMove(setup.skill, &move)) {
      result.stuck = true;
      break;
    }
    if (watcher) watcher(move, context);
    if (!play(move)) {
      ++result.illegalMoves;
      break;
    }
    end = settle();
  }
  result.won = end == LevelEnd::Won;
  result.moves = gameState.moves;
  result.elapsedMs = gameState.elapsedMs;
  result.score = gameState.levelScore;
  result.comboStat = gameState.comboStat;
  return result;
}

}  // namespace balance
