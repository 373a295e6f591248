// score_stars.cpp: the stars that fly from a cleared square layer to the top of
// the progress bar; each one that arrives is counted once and chimes higher as
// the level fills.
#include <cmath>

#include "audio/audio.h"
#include "core/numeric.h"
#include "effects/effect_state.h"
#include "effects/effects.h"
#include "effects/effects_local.h"
#include "render/render.h"
#include "render/sprites.h"
#include "render/texture.h"

ScoreStars scoreStars = {};

namespace {

constexpr int32_t kStarCell = 61;
constexpr float kStarSize = 28.0f;
constexpr float kArrivalDistance = 10.0f;
constexpr float kFlightMs = 3000.0f;

// The chime rises from 20000 Hz on an empty bar to 45000 Hz on a full one.
int32_t arrivalFrequency(float progressFraction) {
  const float fraction = std::isfinite(progressFraction) ? progressFraction : 0.0f;
  return int32_t(fraction * 25000.0f + 20000.0f);
}

// A star slows as its flight runs out while it is pulled ever harder to the target.
void flyStar(ScoreStar& star, float dt, Vec2 target) {
  star.time += dt;
  if (star.time > kFlightMs) {
    star.active = 0;
    return;
  }
  const float u = star.time / kFlightMs;
  star.position = add2(star.position, scale2(star.velocity, (1.0f - u) * dt * 0.2f));
  const float pull = u * u * u;
  star.position = add2(scale2(star.position, 1.0f - pull), scale2(target, pull));
  star.angle += dt * star.spin * 0.1f;
}

}  // namespace

void spawnScoreStar(float x, float y) {
  ScoreStar& star = scoreStars.stars[scoreStars.next];
  scoreStars.next = (scoreStars.next + 1) % kMaxScoreStars;
  star.position = {x, y};
  const float vx = effectRandomSigned(2.0f);
  star.velocity = {vx, 1.0f + effectRandomUnit(1.0f)};
  star.angle = effectRandomSigned(360.0f);
  star.spin = effectRandomSigned(10.0f);
  star.color = makeColor(155 + effectRandomRaw() % 100, 255, 255, 0);
  star.active = 1;
  star.time = 0.0f;
  ++effectLog.starsSpawned;
}

void clearScoreStars() {
  scoreStars = {};
  effectLog.starsSpawned = 0;
}

int32_t updateScoreStars(float dt, Vec2 target, float progressFraction) {
  int32_t arrived = 0;
  for (ScoreStar& star : scoreStars.stars) {
    if (!star.active) continue;
    if (length2(sub2(star.position, target)) < kArrivalDistance) {
      star.active = 0;
      playSoundEx("score.ogg", Vec3{0.0f, 0.0f, 0.0f}, 0, arrivalFrequency(progressFraction));
      ++arrived;
      continue;
    }
    flyStar(star, dt, target);
  }
  return arrived;
}

void drawScoreStars() {
  devSetAlphaBlend(true);
  // The stars' alpha is 0: they add their colour and must pass no alpha test.
  devSetAlphaTest(false);
  setBlendMode(kBlendAdditive);
  setTexture(findTexture(kSheetName));
  for (const ScoreStar& star : scoreStars.stars) {
    if (!star.active) continue;
    drawSheetSprite(star.position.x, star.position.y, star.angle, kStarSize, star.color,
                    kStarCell);
  }
  devSetAlphaTest(true);
  setBlendMode(kBlendTransparent);
}
