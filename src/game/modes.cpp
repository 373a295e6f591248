// The modes around the board rules: what a level start adds, the help screen shown
// once per game kind, the ambient sounds, and the floor tiles' exit in the
// level-complete picture.
#include "game/modes.h"

#include <cmath>
#include <cstdio>

#include "audio/audio.h"
#include "core/numeric.h"
#include "game/game.h"
#include "game/game_local.h"
#include "game/game_scene.h"
#include "game/level.h"
#include "persistence/profile.h"
#include "platform/platform.h"

ModeState modeState = {};

namespace {

constexpr Vec2 kBoardCentre = {20.0f, 0.0f};  // the middle of columns 5..24, rows 5..19
constexpr float kTileFlightDistance = 900.0f;  // far enough to leave the screen
constexpr float kTileWobbleDegrees = 8.0f;

// ---------------------------------------------------------------------------
// Ambient sounds

// True when the clock went from the second half of a period into the first.
bool crossedPeriod(int32_t before, int32_t after, int32_t period) {
  return before % period >= period / 2 && after % period < period / 2;
}

void playBirds() {
  char name[32];
  std::snprintf(name, sizeof name, "birds%i.ogg", modeState.birdCall % 3 + 1);
  playSound(name);
  modeState.birdCall = (modeState.birdCall + 1 + randomInt(2)) % 3;
}

// The zone's water, or null where it is quiet.
const char* waterSound() {
  if (gameState.adventureFinished) return "waterfall.ogg";
  switch (zoneOf()) {
    case 0: case 8: case 10: case 14: return "brook.ogg";
    case 3: case 4: case 12: case 13: return nullptr;
    default: return "waterfall.ogg";
  }
}

// ---------------------------------------------------------------------------
// Tiles leaving the screen
//
// Which sweep pattern 0 makes, the sideways drift of falling tiles, the directions
// of scattering ones and when each sets off are drawn from the runtime generator
// like every other chance of the game. The tiles' turns (their wobble and spin)
// come from the table stream, restarted at 1000 for every level, so they are the
// same each time.

constexpr int32_t kTileTurnSeed = 1000;
constexpr float kFullTurn = 6.2831853f;

Vec2 awayFromCentre(Vec2 at, float distance) {
  const Vec2 d = {at.x - kBoardCentre.x, at.y - kBoardCentre.y};
  const float length = std::sqrt(d.x * d.x + d.y * d.y);
  if (length < 1.0f) return {0.0f, distance};
  return {d.x / length * distance, d.y / length * distance};
}

TileFlight tileFlight(TileExit exit, int32_t x, int32_t y) {
  const Vec2 at = cellCentre(x, y);
  TileFlight f = {{0.0f, 0.0f}, 0.0f, 0.0f, tableRandomUnit(kFullTurn)};
  switch (exit) {
    case TileExit::Wave:
      f.displacement = {kTileFlightDistance, 0.0f};
      f.delay = float(y - kFirstRow) / float(kLastRow - kFirstRow) * 0.5f;
      break;
    case TileExit::Outward:
      f.displacement = awayFromCentre(at, kTileFlightDistance);
      f.spin = tableRandomSigned(90.0f);
      break;
    case TileExit::Inward:
      f.displacement = {kBoardCentre.x - at.x, kBoardCentre.y - at.y};
      f.spin = tableRandomSigned(90.0f);
      break;
    case TileExit::Fall:
      f.displacement = {randomSigned(200.0f), -kTileFlightDistance};
      f.delay = randomUnit(0.4f);
      f.spin = tableRandomSigned(180.0f);
      break;
    case TileExit::Scatter: {
      const float angle = randomUnit(kFullTurn);
      f.displacement = {std::cos(angle) * kTileFlightDistance, std::sin(angle) * kTileFlightDistance};
      f.delay = randomUnit(0.3f);
      f.spin = tableRandomSigned(180.0f);
      break;
    }
  }
  return f;
}

TileExit chooseTileExit(int32_t index) {
  const int32_t pattern = index < 0 ? 0 : index % 3;
  if (pattern == 1) return TileExit::Fall;
  if (pattern == 2) return TileExit::Scatter;
  const TileExit sweeps[3] = {TileExit::Wave, TileExit::Outward, TileExit::Inward};
  return sweeps[randomInt(3)];
}

void openHelpScreenOnce() {
  Profile* profile = currentProfileRecord();
  if (!profile) return;
  int32_t difficulty = gameState.difficulty;
  if (difficulty < 0 || difficulty > 2) difficulty = Difficulty::Normal;
  uint8_t& pending = profile->helpShown[(gameState.survival ? 3 : 0) + difficulty];
  if (!pending) return;
  pending = 0;
  gameHooks.openInGameScreen("helpscreen");
}

// A level file that gives no floor at all would be won and lost at once.
bool levelHasFloor() {
  bool floor = false;
  forEachPlayableCell([&](int32_t x, int32_t y) { floor = floor || hasFloor(cellAt(x, y)); });
  return floor;
}

void levelFilePath(int32_t index, char* out, size_t capacity) {
  char name[32];
  levelFileName(index, name, sizeof name);
  std::snprintf(out, capacity, "levels/%s", name);
}

// Back to the level choice with a word to the player: the box waits for the menus.
void leaveBrokenLevel() {
  modeState.levelBroken = false;
  leaveForMap();
  char path[48];
  levelFilePath(gameState.levelIndex, path, sizeof path);
  char message[160];
  std::snprintf(message, sizeof message,
                "The level file %s is damaged: it has no cell to play on. Choose another level.",
                path);
  sysReportProblem("levelbroken", path, "no cell to play on", message);
}

}  // namespace

void prepareLevelModes(int32_t index) {
  modeState.levelBroken = false;
  modeState.ambientClock = 0;
  modeState.ambientStarted = false;
  modeState.survivalOver = false;
  modeState.bigMessage[0] = '\0';
  modeState.tileExit = chooseTileExit(index);
  seedTableRandom(kTileTurnSeed);
  forEachCellInDrawingOrder([](int32_t x, int32_t y) {
    modeState.tiles[x][y] = tileFlight(modeState.tileExit, x, y);
  });
}

void checkLevelPlayable(int32_t index) {
  modeState.levelBroken = !levelHasFloor();
  if (!modeState.levelBroken) return;
  char path[48];
  levelFilePath(index, path, sizeof path);
  std::fprintf(stderr, "%s: %s gives no cell to play on (missing, unreadable or damaged); the "
               "game goes back to the level choice\n", kProgramName, path);
}

void startCurrentLevel() {
  const Profile* profile = currentProfileRecord();
  if (gameState.survival && profile) {
    startLevel(profile->survivalStartLevel);
  } else {
    startLevel(currentLevel());
  }
}

// The water is one looped channel from the level start on (the same water runs
// on through a restart); the birds call on the ambient clock.
void updateAmbientSounds(float dt) {
  if (!modeState.ambientStarted) {
    modeState.ambientStarted = true;
    playBirds();
    playAmbientLoop(waterSound());
  }
  const int32_t before = modeState.ambientClock;
  modeState.ambientClock += int32_t(dt);
  if (crossedPeriod(before, modeState.ambientClock, kBirdsPeriodMs)) playBirds();
}

void gameFrameEndRules() {
  if (modeState.levelBroken) {
    leaveBrokenLevel();
    return;
  }
  if (!gameView.menuOpen && gameState.levelCompleteTimer >= 0.0f) checkLevelEnd();
  openHelpScreenOnce();
}

TilePose levelCompleteTilePose(int32_t x, int32_t y, float timer) {
  TilePose pose = {false, cellCentre(x, y), 1.0f, 0.0f, 1.0f};
  if (!isPlayable(x, y) || timer > kBoardClearsAtMs || timer <= kTilesGoneAtMs) return pose;
  pose.visible = true;
  const TileFlight& f = modeState.tiles[x][y];
  if (timer > kTilesFlyAtMs) {
    pose.angle = std::sin((kBoardClearsAtMs - timer) * 0.02f + f.phase) * kTileWobbleDegrees;
    return pose;
  }
  const float u = (kTilesFlyAtMs - timer) / (kTilesFlyAtMs - kTilesGoneAtMs);
  float progress = (u - f.delay) / (1.0f - f.delay);
  progress = progress < 0.0f ? 0.0f : (progress > 1.0f ? 1.0f : progress);
  const float travel = progress * progress;
  pose.centre.x += f.displacement.x * travel;
  pose.centre.y += f.displacement.y * travel;
  pose.angle = f.spin * progress;
  pose.alpha = 1.0f - u;
  if (modeState.tileExit == TileExit::Inward) pose.scale = 1.0f - progress;
  return pose;
}
