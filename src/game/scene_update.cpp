// The game scene's update: the shake runs down, the rules follow, then what is
// drawn moves on: the hovered cell and the route preview, the progress bar and the
// stars flying to it, the score's chase, the window's cursor, the pop-ups, banner
// and big message, the scenery, the diamond's bolts, the sparks and the particles.
// The scene's view record (GameView) lives here.
#include <cmath>

#include "effects/effects.h"
#include "game/feedback.h"
#include "game/game.h"
#include "game/modes.h"
#include "game/scene_local.h"
#include "input/input.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "render/text.h"
#include "scenery/scenery.h"

GameView gameView = {};

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
  gameView.lookRandom = gameView.lookRandom * 1664525u + 1013904223u;
  return gameView.lookRandom >> 8;
}
int32_t lookInt(int32_t n) { return int32_t(nextLook() % uint32_t(n)); }
float lookUnit(float x) { return float(nextLook() & 0xFFFFu) / 65535.0f * x; }
float lookSigned(float x) { return lookUnit(2.0f * x) - x; }

CellPos hoveredCell(Vec2 p) {
  const CellPos c = cellAtPoint(p.x, p.y);
  return isPlayable(c.x, c.y) ? c : kNoCell;
}

// The keys' cursor shows while a key or a controller was used last, appearing on
// its home cell; while shown it stands for the pointer (the hovered cell).
void updateKeyCursor() {
  const bool shown = input.lastDevice != InputDevice::Mouse;
  const CellPos c = gameView.keyCursor;
  const bool onFloor = isPlayable(c.x, c.y) && hasFloor(cellAt(c.x, c.y));
  if ((shown && !gameView.keyCursorShown) || !onFloor) gameView.keyCursor = keyCursorHome();
  gameView.keyCursorShown = shown;
}

// Where the pointer's effects appear: at the keys' cursor while it is shown.
Vec2 pointerOrKeyCursor() {
  const CellPos c = gameView.keyCursor;
  return gameView.keyCursorShown && c.x >= 0 ? cellCentre(c.x, c.y) : gameView.pointer;
}

// The bar follows its target smoothly; a long frame never carries it past.
void updateProgress(float dt) {
  const int32_t arrived = updateScoreStars(dt, progressStarTarget(), progressTarget());
  if (arrived > 0) {
    gameState.pendingSquares -= arrived;
    if (gameState.pendingSquares < 0) gameState.pendingSquares = 0;
  }
  const float target = progressTarget();
  float step = kProgressRate * dt;
  if (!(step < 1.0f)) step = 1.0f;
  if (step < 0.0f) step = 0.0f;
  gameView.shownProgress += (target - gameView.shownProgress) * step;
  if (!(gameView.shownProgress > 0.0f)) gameView.shownProgress = 0.0f;
  if (gameView.shownProgress > 1.0f) gameView.shownProgress = 1.0f;
}

// While the shown score climbs it throws sparks and one colour flickers.
void updateScoreChase(int32_t shownBefore) {
  gameView.scoreRising = gameView.shownScore > shownBefore;
  if (!gameView.scoreRising) return;
  gameView.flickerChannel = lookInt(3);
  gameView.flickerValue = 100 + lookInt(155);
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
  const CursorMode mode = gameView.cursorMode;
  if (gameView.cursorKnown && mode == gameView.shownCursor) return;
  if (gameView.cursorKnown) {
    const Vec2 at = pointerOrKeyCursor();
    for (int32_t i = 0; i < kCursorSparks; ++i) {
      spawnSpark(at.x + lookUnit(32.0f), at.y - lookUnit(50.0f), kCursorSparkPreset);
    }
  }
  if (!settings.customCursor) sysSetCursor(windowCursor(mode));
  gameView.shownCursor = mode;
  gameView.cursorKnown = true;
}

// The shake runs down, turning every 20 ms to a new direction and tilt.
void updateShake(float dt) {
  if (gameView.shakeTimer <= 0) return;
  gameView.shakeTimer -= int32_t(dt);
  if (gameView.shakeTimer < 0) gameView.shakeTimer = 0;
  if (gameView.shakeTimer <= 0) return;
  gameView.shakeClock -= dt;
  if (gameView.shakeClock > 0.0f) return;
  gameView.shakeClock = kShakeTurnMs;
  const float angle = lookUnit(360.0f);
  gameView.shakeDirection = {cosDeg(angle), sinDeg(angle)};
  gameView.shakeTilt = lookSigned(1.0f);
}

void updateEffects(float dt, float playClock) {
  updateScorePopups(dt);
  updateBanner(dt);
  updateFlyingText(dt);
  setTintTarget(gameView.colourScheme);
  updateScenery(dt, playClock);
  // Sparks are culled by the board camera's view as they are queued.
  beginWorldCamera(false);
  if (!gameView.menuOpen) updateBoardEffects(dt);
  updateParticles(dt);
}

}  // namespace

void resetGameScene() {
  gameView = {};
  gameView.hover = kNoCell;
  gameView.routeBall = kNoCell;
  gameView.keyCursor = kNoCell;
  gameView.shakeDirection = {1.0f, 0.0f};
  gameView.shakeTilt = 1.0f;
  forgetLevelMiniature();
}

float progressTarget() {
  const int32_t total = gameState.squaresAtStart;
  if (total <= 0) return 0.0f;
  int32_t pending = gameState.pendingSquares;
  pending = pending < 0 ? 0 : (pending > total ? total : pending);
  return float(total - pending) / float(total);
}

Vec2 progressStarTarget() {
  const float fill = std::ceil(512.0f * gameView.shownProgress);
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
  gameView.pointer = pointer;
  updateKeyCursor();
  gameView.hover = gameView.keyCursorShown ? gameView.keyCursor : hoveredCell(pointer);
  const int32_t shownBefore = gameView.shownScore;
  // The shake runs down before the rules, which may start it again this frame.
  updateShake(dt);
  gameFrameUpdate(dt);
  gameFrameEndRules();
  updateRoutePreview(dt);
  updateProgress(dt);
  updateScoreChase(shownBefore);
  updateCursor();
  updateEffects(dt, playClock);
}

void shakeScreen(float strength) {
  gameView.shakeTimer = kShakeMs;
  gameView.shakeStrength = strength;
}
