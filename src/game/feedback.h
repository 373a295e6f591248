// feedback.h: what the board's events give the player: points (with the extra
// life every 100000), the queue of removed balls that wobble and pop one after
// another, the sounds and effects of chains, squares, the hammer and new items, the
// combo and praise banners, the screen shake's start and the diamond's lightning bolts.
//
// This is the rules side: timers, points, sounds and effect requests. Drawing the
// wobbling balls, pop-ups, stars and bolts reads these tables.
#pragma once

#include <cstdint>

#include "core/math.h"

// Balls waiting for their pop. One move removes at most the board twice over (a
// resolution and two board clears); a fuller queue pops the extra balls at once.
constexpr int32_t kMaxRemovals = 1024;
// Diamond bolts live 500 ms; a new one overwrites the oldest.
constexpr int32_t kMaxDiamondBolts = 32;
constexpr float kRemovalDelayStep = 80.0f;  // ms between the wobbles of queued balls
constexpr float kRemovalWobbleMs = 250.0f;  // a ball pops this long after its wobble starts
constexpr float kBoltLifeMs = 500.0f;
constexpr int32_t kLifeEveryPoints = 100000;

struct RemovalEntry {
  Vec2 position;  // the cell centre
  int32_t kind;   // the ball value
  float timer;    // ms since queued
  float delay;    // ms before the wobble starts
  uint8_t onSquare;  // the cell still had square layers: 100 extra points
  uint8_t scores;    // 0 for a won level's farewell pop: it earns nothing
};

struct DiamondBolt {
  Vec2 from;
  Vec2 to;
  float life;  // ms left; drawn while above 0
};

// Feedback state: process lifetime; the queue and counters are reset at each level
// start (resetFeedback), the counters also by every finishMove.
struct FeedbackState {
  RemovalEntry removals[kMaxRemovals];
  int32_t removalCount;
  // Counters of the move being resolved.
  int32_t bombsRemoved;     // triple and quadro bombs fired
  int32_t diamondsRemoved;
  int32_t ballsQueued;
  int32_t squaresHit;
  bool ballSoundDone;       // "ball.ogg" already played for this resolution's pops
  DiamondBolt bolts[kMaxDiamondBolts];
  int32_t nextBolt;
  bool demoRunning;         // a help demonstration plays: no points count
};
extern FeedbackState feedback;

// Empties the queue, the counters and the bolts (level start).
void resetFeedback();

// Adds points to the current profile and the level, with a pop-up at (x, y) and an
// extra life outside survival when a multiple of 100000 is passed. Does nothing
// unless the game scene is current, no demonstration runs and the level-complete
// sequence is not between 0 and 8000 ms. An in-game screen opened over the board
// refuses nothing: the pops of the last move go on under it and earn their points.
void addScore(float x, float y, int32_t points);

// Appends a ball to the removal queue (its wobble starts 80 ms after the previous
// one's, at most 400 ms after the first). A full queue pops the ball at once.
void queueBallRemoval(float x, float y, int32_t kind, bool onSquare);
// The same for a ball a won level says farewell to: it wobbles and pops with its
// effects and sound, but earns nothing and counts towards no praise.
void queueFarewellPop(float x, float y, int32_t kind);
// Ages every queued ball by dt; each pops once when its time has come. Empties the
// queue once every entry has popped. Returns true while some entry still runs.
bool updateBallRemovals(float dt);
// True while a queued ball has still to pop (its points are still to come).
bool ballRemovalsPending();
// The counters of the move being resolved start again (after a farewell, whose
// pops belong to no move).
void forgetMoveCounters();

void onCombo(int32_t count);
void onChainHit(float x, float y);
void onSquareHit(float x, float y);
void onHammer(float x, float y);
void onBonusAdded(float x, float y);
void onQuadBombAdded(float x, float y);
void countBombRemoved();
void countDiamondRemoved();
void countQuadBombRemoved();
// The end of a resolution: three bombs or three diamonds clear the board (each on
// its own), a big removal earns praise; then the counters start again.
void finishMove();

// A lightning bolt from a diamond to a ball it claims.
void addDiamondBolt(Vec2 from, Vec2 to);
// Ages the bolts by dt and hands the live ones to this frame's lightning, fading
// as their 500 ms run out.
void updateDiamondBolts(float dt);
