// The saved-game image: the live board and the game state written and read field
// by field in one fixed order (little-endian, unaligned where the format puts a
// field at an odd offset).
#include "game/save_image.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "game/board.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "persistence/byte_io.h"
#include "persistence/profile.h"
#include "platform/platform.h"
#include "resources/resources.h"

namespace {

// A level start leaves this in the slot after the HUD's pulse clock.
constexpr float kStartSlotValue = 2000.0f;

// ---------------------------------------------------------------------------
// Cells: 27 four-byte values; the removal mark fills the first byte of the last.

void putCell(ByteWriter* w, const Cell& c) {
  putInt32(w, c.reserved0);
  putInt32(w, c.squareLayers);
  putInt32(w, c.pathDistance);
  putFloat(w, c.ballOffsetX);
  putFloat(w, c.ballOffsetY);
  putInt32(w, c.ballValue);
  putInt32(w, c.reserved6);
  putInt32(w, c.reserved7);
  putFloat(w, c.ballClock);
  putInt32(w, c.moveTargetX);
  putInt32(w, c.moveTargetY);
  putFloat(w, c.moveTime);
  putFloat(w, c.appearTimer);
  putFloat(w, c.vanishTimer);
  putFloat(w, c.phase);
  putInt32(w, c.reserved15);
  putInt32(w, c.reserved16);
  putInt32(w, c.chainLocks);
  putFloat(w, c.regionMark);
  putInt32(w, c.nextBall);
  putFloat(w, c.nextBallTimer);
  putInt32(w, c.reserved21);
  putFloat(w, c.age);
  putFloat(w, c.shimmerClock);
  putInt32(w, c.reserved24);
  putFloat(w, c.cellScale);
  putByte(w, c.removalMark);
  putZeros(w, 3);
}

void takeCell(ByteReader* r, Cell* c) {
  takeInt32(r, &c->reserved0);
  takeInt32(r, &c->squareLayers);
  takeInt32(r, &c->pathDistance);
  takeFloat(r, &c->ballOffsetX);
  takeFloat(r, &c->ballOffsetY);
  takeInt32(r, &c->ballValue);
  takeInt32(r, &c->reserved6);
  takeInt32(r, &c->reserved7);
  takeFloat(r, &c->ballClock);
  takeInt32(r, &c->moveTargetX);
  takeInt32(r, &c->moveTargetY);
  takeFloat(r, &c->moveTime);
  takeFloat(r, &c->appearTimer);
  takeFloat(r, &c->vanishTimer);
  takeFloat(r, &c->phase);
  takeInt32(r, &c->reserved15);
  takeInt32(r, &c->reserved16);
  takeInt32(r, &c->chainLocks);
  takeFloat(r, &c->regionMark);
  takeInt32(r, &c->nextBall);
  takeFloat(r, &c->nextBallTimer);
  takeInt32(r, &c->reserved21);
  takeFloat(r, &c->age);
  takeFloat(r, &c->shimmerClock);
  takeInt32(r, &c->reserved24);
  takeFloat(r, &c->cellScale);
  takeByte(r, &c->removalMark);
  skipBytes(r, 3);
}

bool takeFlag(ByteReader* r, bool* flag) {
  uint8_t byte;
  if (!takeByte(r, &byte)) return false;
  *flag = byte != 0;
  return true;
}

// ---------------------------------------------------------------------------
// The image

void putBoardAndRoute(ByteWriter* w) {
  for (const auto& column : boards.live.cells) {
    for (const Cell& cell : column) putCell(w, cell);
  }
  for (const Vec2& point : gameState.movePath) {
    putFloat(w, point.x);
    putFloat(w, point.y);
  }
  putInt32(w, gameState.movePathSteps);
  for (const auto& column : gameState.bonusFigure) {
    for (const int32_t entry : column) putInt32(w, entry);
  }
}

void putCounters(ByteWriter* w) {
  const GameState& g = gameState;
  putInt32(w, g.elapsedMs);
  putFloat(w, g.hammerCharge);
  putInt32(w, g.combo);
  putInt32(w, g.jokerFrequency);
  putInt32(w, g.freeCells);
  putInt32(w, g.newBallsPerMove);
  putByte(w, g.busy ? 1 : 0);
  putZeros(w, 8);
  putByte(w, 0);  // a developer flag without effect
  putByte(w, 0);
  putInt32(w, g.pressure);
  putInt32(w, g.moves);
  putByte(w, g.defeatDim ? 1 : 0);
  putZeros(w, 4);
  putInt32(w, g.comboStat);
  putZeros(w, 8);
}

void putClocks(ByteWriter* w) {
  const GameState& g = gameState;
  putInt32(w, g.levelScore);
  putInt32(w, g.survival ? 0 : lives());  // the HUD's lives, refreshed every frame
  putFloat(w, g.levelClock);
  putFloat(w, 0.0f);  // the HUD's pulse clock restarts
  putFloat(w, kStartSlotValue);
  putFloat(w, g.levelCompleteTimer);
  putByte(w, 0);      // right button held: no rule reads it
  putInt32(w, g.levelIndex);
  putInt32(w, 0);
  putInt32(w, 0);
  putInt32(w, g.squaresAtStart);
  putInt32(w, gameState.pendingSquares);
}

void takeBoardAndRoute(ByteReader* r) {
  for (auto& column : boards.live.cells) {
    for (Cell& cell : column) takeCell(r, &cell);
  }
  for (Vec2& point : gameState.movePath) {
    takeFloat(r, &point.x);
    takeFloat(r, &point.y);
  }
  takeInt32(r, &gameState.movePathSteps);
  for (auto& column : gameState.bonusFigure) {
    for (int32_t& entry : column) takeInt32(r, &entry);
  }
}

void takeCounters(ByteReader* r) {
  GameState& g = gameState;
  takeInt32(r, &g.elapsedMs);
  takeFloat(r, &g.hammerCharge);
  takeInt32(r, &g.combo);
  takeInt32(r, &g.jokerFrequency);
  takeInt32(r, &g.freeCells);
  takeInt32(r, &g.newBallsPerMove);
  takeFlag(r, &g.busy);
  skipBytes(r, 10);
  takeInt32(r, &g.pressure);
  takeInt32(r, &g.moves);
  takeFlag(r, &g.defeatDim);
  skipBytes(r, 4);
  takeInt32(r, &g.comboStat);
  skipBytes(r, 8);
}

void takeClocks(ByteReader* r) {
  GameState& g = gameState;
  takeInt32(r, &g.levelScore);
  skipBytes(r, 4);  // the HUD's lives follow the profile by themselves
  takeFloat(r, &g.levelClock);
  skipBytes(r, 4 + 4);  // the HUD's pulse clock and the level-start slot
  takeFloat(r, &g.levelCompleteTimer);
  skipBytes(r, 1);
  takeInt32(r, &g.levelIndex);
  skipBytes(r, 8);
  takeInt32(r, &g.squaresAtStart);
  takeInt32(r, &gameState.pendingSquares);
}

}  // namespace

void writeSaveImage(uint8_t* out) {
  ByteWriter w = makeByteWriter(out, kSaveImageSize);
  putInt32(&w, 0);
  putInt32(&w, 0);
  putInt32(&w, gameState.moveDuration);
  putInt32(&w, gameState.colourCount);
  putBoardAndRoute(&w);
  putCounters(&w);
  putClocks(&w);
}

void readSaveImage(const uint8_t* data, uint32_t size) {
  ByteReader r = makeByteReader(data, size > kSaveImageSize ? kSaveImageSize : size);
  skipBytes(&r, 8);
  takeInt32(&r, &gameState.moveDuration);
  takeInt32(&r, &gameState.colourCount);
  takeBoardAndRoute(&r);
  takeCounters(&r);
  takeClocks(&r);
  if (gameState.survival) gameView.shownScore = gameState.levelScore;
}

namespace {

// What reading an image changes, kept to put back when the image is refused.
struct LoadedGame {
  Board live;
  GameState state;
  GameView view;
};

// Reads the image and looks at what it holds; the game as it was is put back when
// the image is refused, or always when only a look was asked for.
bool readChecked(const uint8_t* data, uint32_t size, char* fault, size_t capacity, bool keep) {
  const auto before = std::make_unique<LoadedGame>(LoadedGame{boards.live, gameState, gameView});
  readSaveImage(data, size);
  const bool sound = !loadedGameFault(fault, capacity);
  if (sound && keep) return true;
  boards.live = before->live;
  gameState = before->state;
  gameView = before->view;
  return sound;
}

}  // namespace

bool loadSaveImage(const uint8_t* data, uint32_t size, char* fault, size_t capacity) {
  return readChecked(data, size, fault, capacity, true);
}

bool saveImageSound(const uint8_t* data, uint32_t size, char* fault, size_t capacity) {
  return readChecked(data, size, fault, capacity, false);
}

bool saveGameImage(const char* fileName) {
  std::vector<uint8_t> image(kSaveImageSize);
  writeSaveImage(image.data());
  return writeWholeFile(fileName, image.data(), kSaveImageSize);
}

bool loadGameImage(const char* fileName) {
  std::vector<uint8_t> image;
  if (!readPlayerFile(fileName, {kSaveImageSize, 1, 1}, &image, "the game goes on")) return false;
  char fault[128];
  if (loadSaveImage(image.data(), kSaveImageSize, fault, sizeof fault)) return true;
  std::fprintf(stderr, "%s: %s holds a game no level reaches (%s); the game goes on\n",
               kProgramName, fileName, fault);
  return false;
}
