// effect_state.h: the records behind the effects: the loaded particle definitions,
// the emitter and particle rings, the sparks with their spawners and sprite queue,
// the score stars and this frame's lightning. Only the effects module writes them;
// tools and tests read them.
#pragma once

#include <cstdint>

#include "core/math.h"
#include "effects/particle_file.h"

// ---------------------------------------------------------------------------
// Particle effects

// The effects folder holds a few dozen definitions; files beyond these are ignored.
constexpr int32_t kMaxEffectDefs = 256;
// Rings: a new emitter or particle always takes the slot after the last one used,
// overwriting the oldest when every slot is busy.
constexpr int32_t kMaxEmitters = 256;
constexpr int32_t kMaxParticles = 1024;
// Squares drawn in one frame, symmetric copies included; more are dropped.
constexpr int32_t kMaxParticleQueue = 4096;
// External effects: at most this many start attempts within one window of play.
constexpr int32_t kExternBurstLimit = 8;
constexpr float kExternBurstWindowMs = 100.0f;
// The particle sheet is cut into square cells of this many texels.
constexpr int32_t kSheetCellTexels = 64;

struct Emitter {
  int32_t def;          // definition index; -1 for a slot unused since the last clear
  int32_t sprite;       // sheet cell
  float scale;
  float age;            // ms; active while below the definition's effectTime
  Vec3 position;
  Vec3 velocity;        // units per ms: reaches the target when it expires
  float emitTimer;      // ms
  float orbitRadius;    // units
  float orbitRadialSpeed;   // units per second
  float orbitAngle;         // degrees
  float orbitAngularSpeed;  // degrees per second
  float emitPeriod;     // ms; 0 when the definition emits nothing
};

struct Particle {
  int32_t def;
  float age;            // ms; alive while below lifetime
  int32_t sprite;
  Vec3 position;
  Vec3 velocity;        // units per second
  float rotation;       // degrees
  float rotationSpeed;  // degrees per second
  float orbitRadius;
  float orbitRadialSpeed;
  float orbitAngle;
  float orbitAngularSpeed;
  float size0;          // side of the square at birth
  float size1;          // ... at death
  ColorF color0;
  ColorF color1;
  float lifetime;       // ms
  float gravity;        // downward, units per second squared
};

// The definitions live from loadEffects until the process ends; the rings are
// emptied by clearParticles; the play clock and the burst counter run on across
// frames and clears (resetEffects zeroes everything).
struct ParticleSystem {
  EffectDef defs[kMaxEffectDefs];
  int32_t defCount;
  int32_t sheetColumns;  // cells across "particles.tga" (0 before loadEffects: 8)
  int32_t sheetRows;
  Emitter emitters[kMaxEmitters];
  int32_t nextEmitter;
  Particle particles[kMaxParticles];
  int32_t nextParticle;
  float playClock;          // ms of play the particles have been updated by
  float lastExternAttempt;  // playClock at the last external start attempt
  int32_t externBurst;      // attempts since the current window began
};
extern ParticleSystem particleSystem;

// ---------------------------------------------------------------------------
// Board sparks and sheet sprites (overlay units)

// The built-in sparks: a board clear shows a few hundred, 2048 is never reached.
constexpr int32_t kMaxSparks = 2048;
// Sprites drawn by one drawBoardEffects, sparks included; more are dropped.
constexpr int32_t kMaxSpriteQueue = 4095;
// Timed spawners tracing a curve; the 33rd takes the first slot again.
constexpr int32_t kMaxSparkSpawners = 32;
constexpr int32_t kSparkPresetCount = 16;
constexpr float kSpawnerDurationMs = 1000.0f;

struct Spark {
  float life;              // ms; alive while above 0
  Vec2 position;
  Vec2 velocity;           // units per ms
  float orbitAngle;        // degrees; drawn at position + (sin, cos)(angle) * radius
  float orbitRadius;
  float orbitAngleSpeed;   // degrees per ms
  float orbitRadiusSpeed;  // units per ms
  float rotation;          // degrees
  float rotationSpeed;     // degrees per ms
  float size;              // side of the square
  float sizeSpeed;         // per ms
  ColorF color;
  ColorF colorSpeed;       // per ms
  float gravity;           // subtracted from velocity.y per ms
  int32_t cell;            // of the 8 x 8 sheet
  int32_t blend;           // 0 additive by colour, 1 by alpha
  int32_t preset;
};

struct SpriteQueueEntry {
  Vec2 position;
  float rotation;
  float size;
  Color color;
  int32_t blend;
  int32_t cell;
};

struct SparkSpawner {
  float duration;   // ms
  float remaining;  // ms; running while above 0
  Vec2 center;
  int32_t type;     // 2 figure-eight of glowing rings, 3 shrinking figure-eight of stars
};

// Cleared at start-up and by every new game (resetBoardEffects).
struct BoardEffects {
  Spark sparks[kMaxSparks];
  int32_t nextSpark;
  SparkSpawner spawners[kMaxSparkSpawners];
  int32_t nextSpawner;
  SpriteQueueEntry queue[kMaxSpriteQueue];  // queueSprite's, until the next draw
  int32_t queueCount;
  int32_t spritesDrawn;  // by the last drawBoardEffects
};
extern BoardEffects boardEffects;

// ---------------------------------------------------------------------------
// Score stars

// Stars in flight at once: one per cleared square layer within about three seconds.
constexpr int32_t kMaxScoreStars = 128;

struct ScoreStar {
  Vec2 position;
  Vec2 velocity;
  float angle;  // degrees
  float spin;   // degrees per 10 ms
  Color color;
  uint8_t active;
  float time;   // ms in flight
};

// Cleared by every new game (clearScoreStars).
struct ScoreStars {
  ScoreStar stars[kMaxScoreStars];
  int32_t next;
};
extern ScoreStars scoreStars;

// ---------------------------------------------------------------------------
// Lightning

// Bolts drawn in one frame (a diamond strikes at most a board's worth of balls, and
// the bolts older than 500 ms are gone).
constexpr int32_t kMaxLightningBolts = 63;
constexpr int32_t kMaxBoltSegments = 100;

struct LightningBolt {
  Vec3 points[kMaxBoltSegments + 1];  // 0 = from, segments = to
  int32_t segments;
  float coreWidth;
  float glowWidth;
  Color coreColor;
  Color glowColor;
};

// This frame's bolts: clearLightningBolts empties it, addLightningBolt fills it.
struct Lightning {
  LightningBolt bolts[kMaxLightningBolts];
  int32_t count;
};
extern Lightning lightning;
