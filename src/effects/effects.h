// effects.h: the effects the board game starts: particle effects by name, the
// built-in board effects (spark rings and spawners), floating score pop-ups and the
// stars that fly from cleared squares to the progress bar.
//
// The current implementation keeps the pop-up ring and records every request in
// EffectLog; particles, sparks and drawing replace the recording later without
// changing these calls.
#pragma once

#include <cstdint>

#include "core/math.h"

// Pop-ups live one second; 64 cover any burst of pops, the oldest is overwritten.
constexpr int32_t kMaxScorePopups = 64;
constexpr uint32_t kScorePopupColor = 0xFFFFE1FFu;  // red 255, green 225, blue 255
// Requests remembered for tools and tests: the most recent ones.
constexpr int32_t kEffectLogSize = 64;
constexpr int32_t kMaxEffectName = 32;

struct ScorePopup {
  int32_t points;
  Vec2 position;
  Vec2 velocity;   // units per ms, rising
  float baseSize;
  float fade;
  Color color;
  float age;       // ms; visible while 0 < age < 1000
};

// Effect requests: process lifetime; cleared by InitBoardEffects.
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

// As a fresh start leaves it: no pop-ups, nothing logged.
void resetEffects();

// Starts the named particle effect at (x, y) aimed at (targetX, targetY); scale
// multiplies sizes and speeds; sprite -1 takes the definition's own.
void StartEffect(const char* name, float x, float y, float targetX, float targetY, float scale,
                 int32_t sprite);
// Board effect `kind` at (x, y), with a second point for the line kind.
void StartBoardEffect(float x, float y, float x2, float y2, int32_t kind);
void StartBoardEffectAt(float x, float y, int32_t kind);
// Resets all board effects (start-up and each new game).
void InitBoardEffects();

// Takes the next pop-up slot for `points` shown at (x, y).
void SpawnScorePopup(float x, float y, int32_t points, Color color);
void ClearScorePopups();
// A star from a cleared square layer at (x, y) towards the progress bar.
void SpawnScoreStar(float x, float y);
void ClearScoreStars();

// ---------------------------------------------------------------------------
// Particle effects from the ".par" definitions. Update advances, draw only draws.

// Start-up: the definitions of "effects/*.par" and the sprite sheet; clears the rest.
void LoadEffects();
// Every emitter, particle and queued entry gone.
void ClearParticles();
// Emitters and particles advance by dt ms.
void UpdateParticles(float dt);
// The live particles as squares facing the current camera.
void DrawParticles();

// ---------------------------------------------------------------------------
// Board sparks, sprites and lightning, in overlay units.

void SpawnSpark(float x, float y, int32_t preset);
void SparkRing(float x, float y, float offsetX, float offsetY, int32_t count, int32_t preset);
void SparkLine(float x0, float y0, float x1, float y1, float step, int32_t preset);
// One sheet cell drawn by the next DrawBoardEffects (dropped when off screen or the
// queue is full).
void QueueSprite(float x, float y, float rotation, float size, Color color, int32_t blend,
                 int32_t cell);
// Spawners and sparks advance by dt ms; the live sparks are queued for drawing.
void UpdateBoardEffects(float dt);
// Draws the queued sprites in order and empties the queue for the next update.
void DrawBoardEffects();

// Stars fly towards `target` (the top of the progress bar's fill); each one that
// arrives plays "score.ogg" at progressFraction * 25000 + 20000 Hz. Returns how many
// arrived in this call.
int32_t UpdateScoreStars(float dt, Vec2 target, float progressFraction);
void DrawScoreStars();

// This frame's lightning: the game's update clears and re-adds every live bolt.
void ClearLightningBolts();
void AddLightningBolt(Vec3 from, Vec3 to, float segmentLength, float coreWidth, float glowWidth,
                      float jitter, Color coreColor, Color glowColor);
void DrawLightningBolts();

// The floating score numbers: they rise and fade over one second.
void UpdateScorePopups(float dt);
void DrawScorePopups();

// The particle effect started `back` requests ago (0 = the last), or "" when the
// log holds no such request.
const char* RecentEffectName(int32_t back);
