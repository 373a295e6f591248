// The game scene's update: the rules first, then what is drawn moves on: the
// hovered cell and the route preview, the progress bar and the stars flying to
// it, the score's chase, the window's cursor, the shake, the pop-ups, banner and
// big message, the scenery, the diamond's bolts, the sparks and the particles.
#include <cmath>

#include "effects/effects.h"
#include "game/feedback.h"
#include "game/game.h"
#include "game/modes.h"
#include "game/scene_local.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "render/text.h"
#include "scenery/scenery.h"

SceneView sceneView = {};

namespace {

constexpr float kProgressRate = 0.005f;  // of the gap to the target, per ms
constexpr float kShakeTurnMs = 20.0f;    // the shake picks a new direction this often
constexpr int32_t kCursorSparks = 32;
constexpr int32_t kCursorSparkPreset = 10;
constexpr int32_t kScoreSparkPreset = 13;
constexpr Vec2 kScoreSparkAt = {345.0f, 238.0f};

// The scene's own random numbers for what only looks random (the flicker, the
// sparks' places, the shake): drawing them never shifts the game's or the ambient
// sounds' streams.
uint32_t nextLook() {
  sceneView.lookRandom = sceneView.lookRandom * 1664525u + 1013904223u;
  return sceneView.lookRandom >> 8;
}
int32_t lookInt(int32_t n) { return int32_t(nextLook() % uint32_t(n)); }
float lookUnit(float x) { return float(nextLook() & 0xFFFFu) / 65535.0f * x; }
float lookSigned(float x) { return lookUnit(2.0f * x) - x; }

CellPos hoveredCell(Vec2 p) {
  const CellPos c = cellAtPoint(p.x, p.y);
  return isPlayable(c.x, c.y) ? c : kNoCell;
}

// The bar follows its target smoothly; a long frame never carries it past.
void updateProgress(float dt) {
  const int32_t arrived = updateScoreStars(dt, progressStarTarget(), progressTarget());
  if (arrived > 0) {
    gameView.pendingSquares -= arrived;
    if (gameView.pendingSquares < 0) gameView.pendingSquares = 0;
  }
  const float target = progressTarget();
  float step = kProgressRate * dt;
  if (!(step < 1.0f)) step = 1.0f;
  if (step < 0.0f) step = 0.0f;
  sceneView.shownProgress += (target - sceneView.shownProgress) * step;
  if (!(sceneView.shownProgress > 0.0f)) sceneView.shownProgress = 0.0f;
  if (sceneView.shownProgress > 1.0f) sceneView.shownProgress = 1.0f;
}

// While the shown score climbs it throws sparks and one colour flickers.
void updateScoreChase(int32_t shownBefore) {
  sceneView.scoreRising = gameState.shownScore > shownBefore;
  if (!sceneView.scoreRising) return;
  sceneView.flickerChannel = lookInt(3);
  sceneView.flickerValue = 100 + lookInt(155);
  const HudSlide slide = hudSlide();
  if (slide.shown) spawnSpark(kScoreSparkAt.x + slide.shift, kScoreSparkAt.y, kScoreSparkPreset);
}

SysCursor windowCursor(CursorMode mode) {
  switch (mode) {
    case CursorMode::Hammer: return SysCursor::Hammer;
    case CursorMode::Help: return SysCursor::Help;
    default: return SysCursor::Arrow;
  }
}

// The window shows the cursor of the mode (unless the game draws its own); a
// change throws sparks below the pointer.
void updateCursor() {
  const CursorMode mode = gameState.cursorMode;
  if (sceneView.cursorKnown && mode == sceneView.shownCursor) return;
  if (sceneView.cursorKnown) {
    for (int32_t i = 0; i < kCursorSparks; ++i) {
      spawnSpark(sceneView.pointer.x + lookUnit(32.0f),
                 sceneView.pointer.y - lookUnit(50.0f), kCursorSparkPreset);
    }
  }
  if (!settings.customCursor) sysSetCursor(windowCursor(mode));
  sceneView.shownCursor = mode;
  sceneView.cursorKnown = true;
}

void updateShake(float dt) {
  if (gameState.shakeTimer <= 0) return;
  sceneView.shakeClock -= dt;
  if (sceneView.shakeClock > 0.0f) return;
  sceneView.shakeClock = kShakeTurnMs;
  const float angle = lookUnit(360.0f);
  sceneView.shakeDirection = {cosDeg(angle), sinDeg(angle)};
  sceneView.shakeTilt = lookSigned(1.0f);
}

void updateEffects(float dt, float playClock) {
  updateScorePopups(dt);
  updateBanner(dt);
  updateFlyingText(dt);
  setTintTarget(gameView.colourScheme);
  updateScenery(dt, playClock);
  // Sparks are culled by the board camera's view as they are queued.
  beginWorldCamera(false);
  if (!gameState.menuOpen) updateBoardEffects(dt);
  updateParticles(dt);
}

}  // namespace

void resetGameScene() {
  sceneView = {};
  sceneView.hover = kNoCell;
  sceneView.routeBall = kNoCell;
  sceneView.shakeDirection = {1.0f, 0.0f};
  sceneView.shakeTilt = 1.0f;
  forgetLevelMiniature();
}

float progressTarget() {
  const int32_t total = gameState.squaresAtStart;
  if (total <= 0) return 0.0f;
  int32_t pending = gameView.pendingSquares;
  pending = pending < 0 ? 0 : (pending > total ? total : pending);
  return float(total - pending) / float(total);
}

Vec2 progressStarTarget() {
  const float fill = std::ceil(512.0f * sceneView.shownProgress);
  return {-371.0f - hudSlide().shift, -225.0f + fill};
}

const char* cursorName(CursorMode mode) {
  switch (mode) {
    case CursorMode::Hammer: return "hammer";
    case CursorMode::Help: return "help";
    default: return "arrow";
  }
}

void gameSceneUpdate(float dt, float playClock, Vec2 pointer) {
  sceneView.pointer = pointer;
  sceneView.hover = hoveredCell(pointer);
  const int32_t shownBefore = gameState.shownScore;
  gameFrameUpdate(dt);
  gameFrameEndRules();
  updateRoutePreview(dt);
  updateProgress(dt);
  updateScoreChase(shownBefore);
  updateCursor();
  updateShake(dt);
  updateEffects(dt, playClock);
}
