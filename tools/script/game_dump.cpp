// The runner's dump of the board game: every game-state value under its name (with
// the view's menu, cursor, shown score and shake among them, where tools have always
// read them), the board as rows of letters (balls, square layers, previews), the
// HUD as shown, and the banner and tip panel of the moment.
#include <string>

#include "game/board.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "game/tips.h"
#include "render/text.h"
#include "input/input.h"
#include "json.h"
#include "runner.h"

namespace {

void cellPosition(JsonWriter& json, const char* name, CellPos pos) {
  json.key(name);
  json.beginArray();
  json.integer(pos.x);
  json.integer(pos.y);
  json.endArray();
}

void integerField(JsonWriter& json, const char* name, int64_t value) {
  json.key(name);
  json.integer(value);
}

void numberField(JsonWriter& json, const char* name, double value) {
  json.key(name);
  json.number(value);
}

void flagField(JsonWriter& json, const char* name, bool value) {
  json.key(name);
  json.boolean(value);
}

// The route in use: its steps and the start point after them.
void movePath(JsonWriter& json) {
  json.key("movePath");
  json.beginArray();
  const int32_t used = gameState.movePathSteps > 0 ? gameState.movePathSteps + 1 : 0;
  for (int32_t i = 0; i < used && i < kMaxMovePath; ++i) {
    json.beginArray();
    json.number(gameState.movePath[i].x);
    json.number(gameState.movePath[i].y);
    json.endArray();
  }
  json.endArray();
}

// A ball or preview value as its letter: colours a..j, items K..N and, for chained
// colours, A..J.
char ballLetter(int32_t value, bool chained) {
  if (value >= 0 && value <= 9) return char((chained ? 'A' : 'a') + value);
  if (value >= 10 && value <= 25) return char('A' + value);
  return '?';
}

char ballCell(const Cell& cell) {
  if (!hasFloor(cell)) return '.';
  if (!hasBall(cell)) return '_';
  return ballLetter(cell.ballValue, cell.chainLocks > 0);
}

char layerCell(const Cell& cell) {
  if (!hasFloor(cell)) return '.';
  if (cell.squareLayers > 9) return '9';
  return char('0' + cell.squareLayers);
}

char previewCell(const Cell& cell) {
  return cell.nextBall < 0 ? '.' : ballLetter(cell.nextBall, false);
}

void boardRows(JsonWriter& json, const char* name, char (*letter)(const Cell&)) {
  json.key(name);
  json.beginArray();
  for (int32_t y = kFirstRow; y <= kLastRow; ++y) {
    std::string row;
    for (int32_t x = kFirstColumn; x <= kLastColumn; ++x) row += letter(cellAt(x, y));
    json.string(row.c_str());
  }
  json.endArray();
}

}  // namespace

void dumpGame(JsonWriter& json) {
  const GameState& g = gameState;
  json.key("game");
  json.beginObject();
  integerField(json, "levelIndex", g.levelIndex);
  flagField(json, "survival", g.survival);
  integerField(json, "difficulty", g.difficulty);
  integerField(json, "colourCount", g.colourCount);
  integerField(json, "newBallsPerMove", g.newBallsPerMove);
  integerField(json, "jokerFrequency", g.jokerFrequency);
  flagField(json, "hammerEnabled", g.hammerEnabled);
  integerField(json, "minLineLength", g.minLineLength);
  integerField(json, "freeCells", g.freeCells);
  cellPosition(json, "selected", g.selected);
  cellPosition(json, "lastMoved", g.lastMoved);
  movePath(json);
  integerField(json, "movePathSteps", g.movePathSteps);
  integerField(json, "moveDuration", g.moveDuration);
  integerField(json, "combo", g.combo);
  integerField(json, "comboStat", g.comboStat);
  integerField(json, "moves", g.moves);
  integerField(json, "pressure", g.pressure);
  integerField(json, "elapsedMs", g.elapsedMs);
  numberField(json, "hammerCharge", g.hammerCharge);
  integerField(json, "levelScore", g.levelScore);
  integerField(json, "shownScore", gameView.shownScore);
  integerField(json, "squaresAtStart", g.squaresAtStart);
  numberField(json, "levelClock", g.levelClock);
  numberField(json, "levelCompleteTimer", g.levelCompleteTimer);
  numberField(json, "defeatTimer", g.defeatTimer);
  flagField(json, "running", g.running);
  flagField(json, "menuOpen", gameView.menuOpen);
  flagField(json, "busy", g.busy);
  integerField(json, "cursorMode", int32_t(gameView.cursorMode));
  flagField(json, "helpCursor", gameView.helpCursor);
  flagField(json, "defeatDim", g.defeatDim);
  integerField(json, "shakeTimer", gameView.shakeTimer);
  cellPosition(json, "keyCursor", gameView.keyCursor);
  json.key("inputDevice");
  json.string(inputDeviceName(input.lastDevice));
  json.endObject();
}

void dumpBoard(JsonWriter& json) {
  json.key("board");
  json.beginObject();
  boardRows(json, "balls", ballCell);
  boardRows(json, "layers", layerCell);
  boardRows(json, "previews", previewCell);
  json.endObject();
}

void dumpHud(JsonWriter& json) {
  json.key("hud");
  json.beginObject();
  integerField(json, "shownScore", gameView.shownScore);
  integerField(json, "pendingSquares", gameState.pendingSquares);
  numberField(json, "progress", gameView.shownProgress);
  json.key("cursor");
  json.string(cursorName(gameView.cursorMode));
  json.endObject();
}

namespace {

// A message of the moment: its text, where it stands and its ms still to run.
void messageObject(JsonWriter& json, const char* text, Vec2 at, float timeLeft) {
  json.beginObject();
  json.key("text");
  json.string(text);
  numberField(json, "x", at.x);
  numberField(json, "y", at.y);
  numberField(json, "timeLeft", timeLeft);
  json.endObject();
}

}  // namespace

void dumpBanner(JsonWriter& json) {
  json.key("banner");
  const float left = bannerMsLeft();
  if (left > 0.0f) {
    messageObject(json, textState.bannerText, bannerCentre(), left);
  } else {
    json.null();
  }
}

void dumpTip(JsonWriter& json) {
  json.key("tip");
  if (!tipState.active) {
    json.null();
    return;
  }
  const float wait = tipState.delay > 0.0f ? tipState.delay : 0.0f;
  messageObject(json, shownTipText(), tipState.anchor, wait);
}
