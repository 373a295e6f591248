// effects.h: the effects the game starts: particle effects by name from the ".par"
// definitions, the built-in board effects (spark rings, lines and spawners), single
// sheet sprites, lightning bolts, floating score pop-ups and the stars that fly from
// cleared squares to the progress bar. Every Update advances by dt and may queue;
// every Draw only draws what is there. The records behind them are in
// effects/effect_state.h.
#pragma once

#include <cstdint>

#include "core/math.h"
#include "effects/particle_file.h"

// Pop-ups live one second; 64 cover any burst of pops, the oldest is overwritten.
constexpr int32_t kMaxScorePopups = 64;
constexpr uint32_t kScorePopupColor = 0xFFFFE1FFu;  // red 255, green 225, blue 255
// Requests remembered for tools and tests: the most recent ones.
constexpr int32_t kEffectLogSize = 64;
// The target point of an effect whose emitter stays where it starts.
constexpr float kNoEffectTarget = -1000000.0f;

struct ScorePopup {
  int32_t points;
  Vec2 position;
  Vec2 velocity;   // units per ms, rising
  float baseSize;
  float fade;
  Color color;
  float age;       // ms; visible while 0 < age < 1000
};

// Effect requests: process lifetime; the counts are cleared by resetBoardEffects.
struct EffectLog {
  ScorePopup popups[kMaxScorePopups];
  int32_t nextPopup;
  char names[kEffectLogSize][kMaxEffectName];  // ring of the particle effects started
  int32_t effectsStarted;                      // all-time count; the ring holds the last 64
  int32_t boardEffectKinds[kEffectLogSize];    // ring of the board effect kinds
  int32_t boardEffectsStarted;
  int32_t starsSpawned;
};
extern EffectLog effectLog;

// As a fresh start leaves it: no definitions, particles, sparks, stars, bolts or
// pop-ups, nothing logged.
void resetEffects();

// Starts the named particle effect at (x, y) moving its emitter towards (targetX,
// targetY) (kNoEffectTarget twice: it stays); scale multiplies sizes, speeds and the
// particles' orbits; sprite -1 takes the definition's own cell. An unknown name starts
// nothing. The effects it names start with it, at most 8 per 100 ms of play.
void startEffect(const char* name, float x, float y, float targetX, float targetY, float scale,
                 int32_t sprite);
// Board effect `kind` at (x, y): 0 a ring of growing rings, 1 a ring of sparks, 2 a
// figure-eight of glowing rings, 3 a shrinking figure-eight of stars (an item
// arrives), 4 a trail of sparks to (x2, y2) with a burst there. Other kinds do nothing.
void startBoardEffect(float x, float y, float x2, float y2, int32_t kind);
void startBoardEffectAt(float x, float y, int32_t kind);
// Start-up: resets the board effects and loads their pictures ("particles.tga",
// "lightning.jpg" and the bolts' "flare.jpg"); a missing picture stops the program.
void initBoardEffects();
// A new game: every spark, spawner, queued sprite and bolt gone.
void resetBoardEffects();

// Takes the next pop-up slot for `points` shown at (x, y).
void spawnScorePopup(float x, float y, int32_t points, Color color);
void clearScorePopups();
// A star from a cleared square layer at (x, y) towards the progress bar.
void spawnScoreStar(float x, float y);
void clearScoreStars();

// ---------------------------------------------------------------------------
// Particle effects from the ".par" definitions. Update advances, draw only draws.

// Start-up: the sprite sheet and the definitions of "effects/*.par" in listing order
// (at most 256); clears the rest. A definition that cannot be read stops the program
// with a message naming it.
void loadEffects();
// Every emitter, particle and queued entry gone.
void clearParticles();
// Emitters and particles advance by dt ms.
void updateParticles(float dt);
// The live particles as squares facing the current camera (the view set now), drawn
// with depth testing and without depth writes.
void drawParticles();

// ---------------------------------------------------------------------------
// Board sparks, sprites and lightning, in overlay units.

void spawnSpark(float x, float y, int32_t preset);
void sparkRing(float x, float y, float offsetX, float offsetY, int32_t count, int32_t preset);
void sparkLine(float x0, float y0, float x1, float y1, float step, int32_t preset);
// One sheet cell drawn by the next drawBoardEffects (dropped when off screen or the
// queue is full).
void queueSprite(float x, float y, float rotation, float size, Color color, int32_t blend,
                 int32_t cell);
// Spawners and sparks advance by dt ms.
void updateBoardEffects(float dt);
// Draws the live sparks inside the current view, then the queued sprites in order,
// and empties the queue.
void drawBoardEffects();

// Stars fly towards `target` (the top of the progress bar's fill); each one that
// arrives plays "score.ogg" at progressFraction * 25000 + 20000 Hz. Returns how many
// arrived in this call.
int32_t updateScoreStars(float dt, Vec2 target, float progressFraction);
void drawScoreStars();

// This frame's lightning: the game's update clears and re-adds every live bolt. A
// bolt is a jagged line of at most 100 segments; at most 63 are kept, and one of
// zero length is ignored.
void clearLightningBolts();
void addLightningBolt(Vec3 from, Vec3 to, float segmentLength, float coreWidth, float glowWidth,
                      float jitter, Color coreColor, Color glowColor);
void drawLightningBolts();

// The floating score numbers: they rise and fade over one second.
void updateScorePopups(float dt);
void drawScorePopups();

// The particle effect started `back` requests ago (0 = the last), or "" when the
// log holds no such request.
const char* recentEffectName(int32_t back);

// What lives now, for the runner's dump: active emitters, live particles, live
// sparks, this frame's bolts, and the sprites the last drawBoardEffects drew.
struct EffectCounts {
  int32_t emitters;
  int32_t particles;
  int32_t sparks;
  int32_t bolts;
  int32_t sprites;
};
EffectCounts countLiveEffects();
