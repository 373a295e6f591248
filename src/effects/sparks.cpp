// sparks.cpp: the built-in sparks of the board and the menus: sixteen presets,
// rings and lines of them, the board effects built from them and the spawners that
// trace a figure-eight of rings, and how every spark moves, grows and fades.
#include <cmath>

#include "core/numeric.h"
#include "effects/effect_state.h"
#include "effects/effects.h"
#include "effects/effects_local.h"

BoardEffects boardEffects = {};

namespace {

// A random amount: base + dev(spread) + r(rise), each drawn only when not 0.
struct Amount {
  float base;
  float spread;
  float rise;
};

struct SparkPreset {
  float birthSpreadX;  // born at (x + dev(spread x), y + dev(spread y))
  float birthSpreadY;
  Amount velocityX, velocityY;  // units per ms
  Amount orbitAngle, orbitRadius, orbitAngleSpeed, orbitRadiusSpeed;
  Amount rotation, rotationSpeed;
  Amount size, sizeSpeed;
  Amount red, green, blue;  // alpha starts at 1
  float rgbSpeed;
  float alphaSpeed;
  float life;  // ms
  Amount gravity;
  int32_t cell;
  int32_t cellChoices;  // the cell is cell + rand mod cellChoices
  int32_t blend;
};

constexpr Amount kZero = {0.0f, 0.0f, 0.0f};
constexpr Amount kOne = {1.0f, 0.0f, 0.0f};
constexpr Amount kAnyAngle = {0.0f, 360.0f, 0.0f};
constexpr Amount kAnyTurn = {0.0f, 0.0f, 360.0f};
constexpr Amount kGlow = {0.5f, 0.0f, 0.5f};  // a channel of 0.5 .. 1
constexpr Amount kRising = {0.8f, 0.0f, 0.2f};

// Thrown up under gravity, turned 45 degrees, fading.
constexpr SparkPreset thrownSpark(int32_t cell) {
  return {0, 0, {0, 0.14f, 0}, {0.07f, 0.1f, 0}, kZero, kZero, kZero, kZero, {45, 0, 0}, kZero,
          {28, 0, 0}, {0.02f, 0, 0}, kOne, kOne, kOne, -0.0014f, 0, 1000,
          {0.00025f, 0, 0.0005f}, cell, 1, 0};
}

// A glow of random brightness growing as it drifts and fades.
constexpr SparkPreset spreadingGlow(float spreadX, float spreadY, Amount velocityY) {
  return {spreadX, spreadY, {0, 0.024f, 0}, velocityY, kZero, kZero, kZero, kZero, kAnyTurn,
          kZero, kOne, {0.09f, 0, 0}, kGlow, kGlow, kGlow, -0.001f, 0, 1000, kZero, 12, 1, 0};
}

// Glints, rings, rising and falling sparks, trails and glows.
constexpr SparkPreset kSparkPresets[kSparkPresetCount] = {
    // 0: glints orbiting outwards, fading by alpha
    {0, 0, kZero, kZero, kAnyAngle, kZero, {0.1f, 0.15f, 0}, {0.01f, 0.1f, 0}, kZero,
     {0, 0, 0.1f}, {10, 0, 0}, {0.03f, 0, 0.02f}, kOne, kOne, kOne, 0, -0.0009f, 1000, kZero,
     62, 1, 1},
    // 1: big sparks whirling off
    {0, 0, {0, 0.4f, 0}, {0, 0.4f, 0}, kAnyAngle, {5, 0, 0}, {2, 0, 0}, {0.01f, 0, 0}, kZero,
     kZero, {40, 0, 0}, {-0.008f, 0, 0}, kOne, kOne, kOne, -0.0009f, 0, 1000, kZero, 17, 1, 0},
    // 2: a ring growing fast while it spins, fading by alpha
    {0, 0, kZero, kZero, kZero, kZero, kZero, kZero, kZero, {-0.3f, 0, 0}, {7, 0, 0},
     {0.15f, 0, 0}, kOne, kOne, kOne, 0, -0.00075f, 1500, kZero, 53, 1, 1},
    // 3: sparks circling in place
    {0, 0, {0, 0.01f, 0}, {0, 0.01f, 0}, kAnyAngle, {3, 0, 0}, {0, 0.8f, 0}, {0.001f, 0, 0},
     kZero, kZero, kZero, {0.08f, 0, 0}, kOne, kOne, kOne, -0.0009f, 0, 1000, kZero, 17, 1, 0},
    // 4: a glow that brightens, then fades
    {0, 0, kZero, kZero, kZero, kZero, kZero, kZero, kZero, {0.1f, 0, 0}, kOne, {0.12f, 0, 0},
     kRising, kRising, kRising, 0.00033f, 0, 3000, kZero, 12, 1, 0},
    // 5: a star or a glint
    {0, 0, kZero, kZero, kZero, kZero, kZero, kZero, kZero, {0.1f, 0, 0}, kOne, {0.08f, 0, 0},
     kOne, kOne, kOne, -0.001f, 0, 1000, kZero, 61, 2, 0},
    // 6: a slowly growing, brightening flower
    {0, 0, kZero, kZero, kZero, kZero, kZero, kZero, kAnyTurn, {0.1f, 0, 0}, kZero,
     {0.06f, 0, 0}, {0.86f, 0, 0}, {0.86f, 0, 0.1f}, {0.86f, 0, 0}, 0.0007f, 0, 2000, kZero, 33,
     1, 0},
    // 7: a spark thrown up that falls back
    thrownSpark(3),
    // 8: a soft spark drifting
    {0, 0, {0, 0.01f, 0}, {0, 0.01f, 0}, kZero, kZero, kZero, kZero, kAnyAngle, kZero,
     {28, 0, 0}, {0.02f, 0, 0}, kOne, kOne, kOne, -0.0014f, 0, 1000, kZero, 10, 1, 0},
    // 9: a puff rising slowly
    {0, 0, {0, 0.01f, 0}, {0.01f, 0, 0}, kZero, kZero, kZero, kZero, {-90, 0, 0}, kZero,
     {30, 0, 0}, {0.08f, 0, 0}, kOne, kOne, kOne, -0.0005f, 0, 2000, {0.00002f, 0, 0}, 34, 1, 0},
    // 10 and 11: a bright dot thrown up that falls back
    thrownSpark(17),
    thrownSpark(17),
    // 12: a glow left behind, spreading
    spreadingGlow(12, 12, {0, 0.024f, 0}),
    // 13: a glow rising from a wide row
    spreadingGlow(25, 5, {0.024f, 0, 0.024f}),
    // 14: a short spark floating up
    {0, 0, {0, 0.03f, 0}, {0, 0.02f, 0}, kZero, kZero, kZero, kZero, kAnyAngle, kZero,
     {17, 0, 0}, {0.02f, 0, 0}, kOne, kOne, kOne, -0.0014f, 0, 400, {-0.0001f, 0, 0}, 17, 1, 0},
    // 15: a big glow shrinking away
    {0, 0, {0, 0.1f, 0}, {0, 0.1f, 0}, kZero, kZero, kZero, kZero, kAnyAngle, kZero,
     {35, 0, 25}, {-0.1f, 0, 0}, kGlow, kGlow, kGlow, 0, 0, 400, kZero, 12, 1, 0},
};

float draw(const Amount& a) {
  float value = a.base;
  if (a.spread != 0.0f) value += effectRandomSigned(a.spread);
  if (a.rise != 0.0f) value += effectRandomUnit(a.rise);
  return value;
}

void applyPreset(const SparkPreset& k, float x, float y, Spark* s) {
  const float bx = k.birthSpreadX != 0.0f ? effectRandomSigned(k.birthSpreadX) : 0.0f;
  const float by = k.birthSpreadY != 0.0f ? effectRandomSigned(k.birthSpreadY) : 0.0f;
  s->position = {x + bx, y + by};
  s->velocity.x = draw(k.velocityX);
  s->velocity.y = draw(k.velocityY);
  s->orbitAngle = draw(k.orbitAngle);
  s->orbitRadius = draw(k.orbitRadius);
  s->orbitAngleSpeed = draw(k.orbitAngleSpeed);
  s->orbitRadiusSpeed = draw(k.orbitRadiusSpeed);
  s->rotation = draw(k.rotation);
  s->rotationSpeed = draw(k.rotationSpeed);
  s->size = draw(k.size);
  s->sizeSpeed = draw(k.sizeSpeed);
  s->color.r = draw(k.red);
  s->color.g = draw(k.green);
  s->color.b = draw(k.blue);
  s->colorSpeed = {k.rgbSpeed, k.rgbSpeed, k.rgbSpeed, k.alphaSpeed};
  s->life = k.life;
  s->gravity = draw(k.gravity);
  s->cell = k.cellChoices > 1 ? k.cell + effectRandomInt(k.cellChoices) : k.cell;
  s->blend = k.blend;
}

// A channel past 1 stops there and starts to fade.
constexpr float kFadeAfterPeak = -0.003f;

void advanceChannel(float* value, float* speed, float dt) {
  *value += *speed * dt;
  if (*value > 1.0f) {
    *value = 1.0f;
    *speed = kFadeAfterPeak;
  } else if (*value < 0.0f) {
    *value = 0.0f;
  }
}

void advanceSpark(Spark& s, float dt) {
  s.rotation += s.rotationSpeed * dt;
  s.size += s.sizeSpeed * dt;
  if (s.size < 0.0f) {
    s.size = 0.0f;
    s.life = 0.0f;
    return;
  }
  s.position = add2(s.position, scale2(s.velocity, dt));
  s.velocity.y -= s.gravity * dt;
  s.orbitAngle += s.orbitAngleSpeed * dt;
  s.orbitRadius += s.orbitRadiusSpeed * dt;
  s.life -= dt;
  advanceChannel(&s.color.r, &s.colorSpeed.r, dt);
  advanceChannel(&s.color.g, &s.colorSpeed.g, dt);
  advanceChannel(&s.color.b, &s.colorSpeed.b, dt);
  advanceChannel(&s.color.a, &s.colorSpeed.a, dt);
}

// Rings around `center` at an offset on a figure-eight; type 2 traces it whole in 40
// rings of glows, type 3 shrinks it in 20 rings of stars.
void advanceSpawner(SparkSpawner& w, float dt) {
  constexpr float kPi = 3.14159265f;
  const float p = w.remaining / w.duration;
  w.remaining = w.remaining > dt ? w.remaining - dt : 0.0f;
  const float l = w.remaining / w.duration;
  const bool glows = w.type == 2;
  const float steps = glows ? 40.0f : 20.0f;
  if (int32_t(steps * l) == int32_t(steps * p)) return;
  const float reach = glows ? 50.0f : 70.0f * l;
  const Vec2 offset = {std::sin(kPi * l) * reach, std::sin(2.0f * kPi * l) * reach};
  sparkRing(w.center.x, w.center.y, offset.x, offset.y, 5, glows ? 4 : 5);
}

void startSpawner(float x, float y, int32_t type) {
  SparkSpawner& w = boardEffects.spawners[boardEffects.nextSpawner];
  boardEffects.nextSpawner = (boardEffects.nextSpawner + 1) % kMaxSparkSpawners;
  w = {kSpawnerDurationMs, kSpawnerDurationMs, {x, y}, type};
}

}  // namespace

void spawnSpark(float x, float y, int32_t preset) {
  if (preset < 0 || preset >= kSparkPresetCount) return;
  Spark& s = boardEffects.sparks[boardEffects.nextSpark];
  boardEffects.nextSpark = (boardEffects.nextSpark + 1) % kMaxSparks;
  s = {};
  s.color = {1.0f, 1.0f, 1.0f, 1.0f};
  s.preset = preset;
  applyPreset(kSparkPresets[preset], x, y, &s);
}

void sparkRing(float x, float y, float offsetX, float offsetY, int32_t count, int32_t preset) {
  if (count <= 0) return;
  const float turn = 360.0f / float(count);
  // More than a ring's worth would only overwrite itself.
  const int32_t sparks = count < kMaxSparks ? count : kMaxSparks;
  Vec2 offset = {offsetX, offsetY};
  for (int32_t i = 0; i < sparks; ++i) {
    spawnSpark(x + offset.x, y + offset.y, preset);
    offset = rotate2(offset, turn);
  }
}

void sparkLine(float x0, float y0, float x1, float y1, float step, int32_t preset) {
  const Vec2 along = {x1 - x0, y1 - y0};
  const float length = length2(along);
  const float steps = length / step;
  // A step that is not positive (or a line of no length) leaves one spark.
  int32_t sparks = 1;
  if (step > 0.0f && steps >= 0.0f) {
    sparks = steps < float(kMaxSparks - 1) ? int32_t(steps) + 1 : kMaxSparks;
  }
  const Vec2 direction = normalize2(along);
  for (int32_t i = 0; i < sparks; ++i) {
    const float at = step > 0.0f ? step * float(i) : 0.0f;
    spawnSpark(x0 + direction.x * at, y0 + direction.y * at, preset);
  }
}

void startBoardEffect(float x, float y, float x2, float y2, int32_t kind) {
  logBoardEffect(kind);
  switch (kind) {
    case 0: sparkRing(x, y, 0.0f, 40.0f, 5, 2); return;
    case 1: sparkRing(x, y, 0.0f, 30.0f, 32, 3); return;
    case 2:
    case 3: startSpawner(x, y, kind); return;
    case 4:
      sparkLine(x, y, x2, y2, 10.0f, 8);
      sparkRing(x2, y2, 0.0f, 10.0f, 32, 7);
      return;
    default: return;
  }
}

void startBoardEffectAt(float x, float y, int32_t kind) { startBoardEffect(x, y, x, y, kind); }

void updateBoardEffects(float dt) {
  for (SparkSpawner& w : boardEffects.spawners) {
    if (w.remaining > 0.0f && w.duration > 0.0f) advanceSpawner(w, dt);
  }
  for (Spark& s : boardEffects.sparks) {
    if (s.life > 0.0f) advanceSpark(s, dt);
  }
}

void resetBoardEffects() {
  for (Spark& s : boardEffects.sparks) s = {};
  for (SparkSpawner& w : boardEffects.spawners) w = {};
  boardEffects.nextSpark = 0;
  boardEffects.nextSpawner = 0;
  boardEffects.queueCount = 0;
  boardEffects.spritesDrawn = 0;
  clearLightningBolts();
  clearEffectLogCounts();
}

int32_t countLiveSparks() {
  int32_t count = 0;
  for (const Spark& s : boardEffects.sparks) count += s.life > 0.0f ? 1 : 0;
  return count;
}
