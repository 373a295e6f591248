// The rules side of the board's feedback: points and extra lives, the removal
// queue and its pops, the sounds and effects of each event, the end-of-resolution
// bonuses and the diamond bolts.
#include "game/feedback.h"


#include "audio/audio.h"
#include "effects/effects.h"
#include "game/board.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "persistence/profile.h"
#include "render/text.h"
#include "resources/resources.h"

FeedbackState feedback = {};

namespace {

// Up to this many queued balls wobble one after another; later ones join the fifth.
constexpr int32_t kMaxStaggeredRemovals = 5;
constexpr int32_t kSquareBonusPoints = 100;
constexpr int32_t kPointsPerBall = 10;
constexpr int32_t kChainPoints = 50;
constexpr float kLevelCompletePointsStop = 8000.0f;
// The look of a diamond's bolt: segments, widths of its core and glow, how far it
// strays from the straight line.
constexpr float kBoltSegmentLength = 25.0f;
constexpr float kBoltCoreWidth = 1.5f;
constexpr float kBoltGlowWidth = 15.0f;
constexpr float kBoltJitter = 8.0f;

void startEffectPair(const char* first, const char* second, Vec2 at) {
  startEffect(first, at.x, at.y, kNoEffectTarget, kNoEffectTarget, 1.0f, -1);
  startEffect(second, at.x, at.y, kNoEffectTarget, kNoEffectTarget, 1.0f, -1);
}

int32_t popPoints(const RemovalEntry& entry) {
  return kPointsPerBall * gameState.combo + (entry.onSquare ? kSquareBonusPoints : 0);
}

// The pitch of the pop sound rises with the combo, more gently in Zen.
int32_t popSoundFrequency() {
  const int32_t step = gameState.difficulty == Difficulty::Zen ? 2000 : 5000;
  return gameState.combo * step + 35000;
}

void popEntry(const RemovalEntry& entry) {
  switch (entry.kind) {
    case Ball::TripleBomb:
      startEffectPair("bomb1", "bomb2", entry.position);
      playSound("bomb1.ogg");
      shakeScreen(1.0f);
      return;
    case Ball::Diamond:
      startEffectPair("diamond1", "diamond2", entry.position);
      playSound("diamond.ogg");
      if (entry.scores) addScore(entry.position.x, entry.position.y, popPoints(entry));
      return;
    case Ball::QuadroBomb:
      startEffectPair("dbomb1", "dbomb2", entry.position);
      playSound("bomb2.ogg");
      shakeScreen(1.5f);
      return;
    default:
      startEffectPair("ball1", "ball2", entry.position);
      if (!feedback.ballSoundDone) {
        playSoundEx("ball.ogg", Vec3{0.0f, 0.0f, 0.0f}, 0, popSoundFrequency());
        feedback.ballSoundDone = true;
      }
      if (entry.scores) addScore(entry.position.x, entry.position.y, popPoints(entry));
      return;
  }
}

void queueEntry(float x, float y, int32_t kind, bool onSquare, bool scores) {
  const int32_t index = feedback.removalCount;
  const int32_t stagger = index < kMaxStaggeredRemovals ? index : kMaxStaggeredRemovals;
  const RemovalEntry entry = {{x, y}, kind, 0.0f, kRemovalDelayStep * float(stagger),
                              uint8_t(onSquare ? 1 : 0), uint8_t(scores ? 1 : 0)};
  if (index >= kMaxRemovals) {
    popEntry(entry);
    return;
  }
  feedback.removals[index] = entry;
  ++feedback.removalCount;
}

bool stillToPop(const RemovalEntry& entry) {
  return entry.timer <= entry.delay + kRemovalWobbleMs;
}

}  // namespace

void forgetMoveCounters() {
  feedback.bombsRemoved = 0;
  feedback.diamondsRemoved = 0;
  feedback.ballsQueued = 0;
  feedback.squaresHit = 0;
  feedback.ballSoundDone = false;
}

void resetFeedback() {
  const bool demo = feedback.demoRunning;
  feedback = {};
  feedback.demoRunning = demo;
}

void addScore(float x, float y, int32_t points) {
  if (!gameHooks.boardSceneCurrent()) return;
  if (feedback.demoRunning) return;
  const float t = gameState.levelCompleteTimer;
  if (t > 0.0f && t < kLevelCompletePointsStop) return;
  if (!gameState.survival && score() % kLifeEveryPoints + points > kLifeEveryPoints - 1) {
    giveLife();
    playSound("addlife.ogg");
  }
  addProfileScore(points);
  spawnScorePopup(x, y, points, kScorePopupColor);
  gameState.levelScore += points;
}

void queueBallRemoval(float x, float y, int32_t kind, bool onSquare) {
  ++feedback.ballsQueued;
  queueEntry(x, y, kind, onSquare, true);
}

void queueFarewellPop(float x, float y, int32_t kind) { queueEntry(x, y, kind, false, false); }

bool updateBallRemovals(float dt) {
  bool running = false;
  for (int32_t i = 0; i < feedback.removalCount; ++i) {
    RemovalEntry& entry = feedback.removals[i];
    if (!stillToPop(entry)) continue;
    running = true;
    entry.timer += dt;
    if (!stillToPop(entry)) popEntry(entry);
  }
  if (!running) {
    feedback.removalCount = 0;
    feedback.ballSoundDone = false;
  }
  return running;
}

bool ballRemovalsPending() {
  for (int32_t i = 0; i < feedback.removalCount; ++i) {
    if (stillToPop(feedback.removals[i])) return true;
  }
  return false;
}

void onCombo(int32_t count) {
  if (count <= 1) return;
  char text[kBannerTextSize];
  const TextField combo = {nullptr, count};
  formatTextFields(textOf("combo"), &combo, 1, text, sizeof text);
  showBanner(text);
}

void onChainHit(float x, float y) {
  startEffectPair("chain1", "chain2", {x, y});
  playSound("chain.ogg");
  addScore(x, y, kChainPoints);
}

void onSquareHit(float x, float y) {
  ++feedback.squaresHit;
  startEffectPair("square1", "square2", {x, y});
  playSound("square.ogg");
  spawnScoreStar(x, y);
}

void onHammer(float x, float y) {
  startEffect("hammer", x, y, kNoEffectTarget, kNoEffectTarget, 1.0f, -1);
  playSound("hammer.ogg");
}

void onBonusAdded(float x, float y) {
  startBoardEffectAt(x, y, 3);
  playSound("addbonus.ogg");
}

void onQuadBombAdded(float x, float y) {
  startEffect("addbomb2", x, y, kNoEffectTarget, kNoEffectTarget, 1.0f, -1);
  playSound("addbonus.ogg");
}

void countBombRemoved() { ++feedback.bombsRemoved; }
void countDiamondRemoved() { ++feedback.diamondsRemoved; }
void countQuadBombRemoved() { ++feedback.bombsRemoved; }

void finishMove() {
  const int32_t n = gameState.minLineLength;
  if (n > 0 && feedback.bombsRemoved >= n) {
    playSound("deleteballs.ogg");
    clearBoardOfBalls();
  }
  if (n > 0 && feedback.diamondsRemoved >= n) {
    playSound("deleteballs.ogg");
    clearBoardOfBalls();
  }
  if (feedback.ballsQueued > 5 * gameState.difficulty + 15) {
    playSound("excellent.ogg");
    showBanner(textOf("excellent"));
  }
  forgetMoveCounters();
}

void addDiamondBolt(Vec2 from, Vec2 to) {
  feedback.bolts[feedback.nextBolt] = {from, to, kBoltLifeMs};
  feedback.nextBolt = (feedback.nextBolt + 1) % kMaxDiamondBolts;
}

void updateDiamondBolts(float dt) {
  clearLightningBolts();
  for (DiamondBolt& bolt : feedback.bolts) {
    if (bolt.life > 0.0f) bolt.life -= dt;
    if (bolt.life <= 0.0f) continue;
    const int32_t alpha = int32_t(bolt.life / kBoltLifeMs * 250.0f);
    addLightningBolt({bolt.from.x, bolt.from.y, 0.0f}, {bolt.to.x, bolt.to.y, 0.0f},
                     kBoltSegmentLength, kBoltCoreWidth, kBoltGlowWidth, kBoltJitter,
                     makeColor(255, 255, 255, alpha), makeColor(55, 55, 255, alpha));
  }
}
