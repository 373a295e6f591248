// bot_model.h: the balance player's picture of the board. A compact copy of the
// playable area (values, square layers, chains, previews) with a margin of two
// holes, on which the player works out what a move would do: the runs it makes,
// what bombs and diamonds widen them to, the empty regions a ball can travel, and
// how many lines stand one ball short. The game's own rules play the real move;
// this is only the player's judgement of it.
#pragma once

#include <cstdint>

#include "game/board.h"

namespace balance {

constexpr int32_t kModelStride = 24;  // 20 columns and two margin cells each side
constexpr int32_t kModelRows = 19;    // 15 rows and the same margin
constexpr int32_t kModelCells = kModelStride * kModelRows;
constexpr int8_t kHole = -2;
constexpr int8_t kNoBall = -1;
// Every value a cell can hold: colours 0..9 and items 10..13.
constexpr int32_t kValues = 14;
// The four run axes as index steps: main diagonal, anti-diagonal, row, column.
constexpr int32_t kAxes[4] = {kModelStride + 1, 1 - kModelStride, 1, kModelStride};

struct Model {
  int8_t value[kModelCells];    // kHole, kNoBall, a colour 0..9 or an item 10..13
  int8_t layers[kModelCells];   // square layers left
  int8_t chains[kModelCells];
  int8_t preview[kModelCells];  // -1, or the value that arrives after a quiet move
  int32_t combo;                // consecutive scoring moves so far
  int32_t newBalls;             // previews placed after each quiet move
  int32_t minRun;               // shortest run that is removed
};

// Model index of board cell (x, y), which must be playable; and back.
int32_t modelIndex(int32_t x, int32_t y);
CellPos boardCellOf(int32_t index);
// The current board and game state as the player sees them.
void readModel(Model* model);

inline bool isFloor(const Model& m, int32_t i) { return m.value[i] != kHole; }
inline bool isEmpty(const Model& m, int32_t i) { return m.value[i] == kNoBall; }
inline bool isMovable(const Model& m, int32_t i) { return m.value[i] >= 0 && m.chains[i] == 0; }
// A cell counts as `colour` in a run: the same colour or any item (for an item,
// any item).
inline bool matchesColour(const Model& m, int32_t i, int32_t colour) {
  const int32_t v = m.value[i];
  return v >= 0 && (v == colour || isItem(v));
}

// What one resolution in the player's head did.
struct Outcome {
  int32_t removed;     // balls marked (chained ones that only lost a chain included)
  int32_t squares;     // square layers cleared
  int32_t chains;      // chains broken
  int32_t longestRun;
};

// Clears from the model the runs through `cells` (count of them) and what the bombs
// and diamonds among them widen the runs to, as a resolution would.
Outcome resolveAt(Model* model, const int32_t* cells, int32_t count);

// The empty floor split into regions a ball can travel within.
constexpr int32_t kMaxRegions = kModelCells / 2;
struct Regions {
  int16_t id[kModelCells];        // -1 for every cell that is not empty floor
  int32_t count;
  uint16_t reach[kMaxRegions];    // bit v: a free ball of value v touches the region
};
void findRegions(const Model& model, Regions* regions);

// The runs a ball of `value` would make at the empty cell `at`, with `skip` (-1 for
// none) taken as empty: what they clear, counted as the player counts it.
struct Placement {
  int32_t balls;      // balls of the runs besides the placed one
  int32_t squares;    // layers the runs would clear
  int32_t chains;     // chained balls in the runs
  int32_t longestRun; // 0 when no run forms
};
Placement placeBall(const Model& model, int32_t at, int32_t value, int32_t skip);

// Lines one ball short: windows of three cells along an axis holding two balls of
// one colour (items count as any) and an empty cell, each worth one and a half
// more for every square under it.
//
// For the empty cell `at`: the worth of such lines through it now, returned, and in
// gains[v] their worth once a ball of value v stands there.
float linesThrough(const Model& model, int32_t at, float gains[kValues]);
// The worth they change by from `before` to `after` (the same floor).
float linesChange(const Model& before, const Model& after);

// Free floor cells of the model.
int32_t countEmpty(const Model& model);

}  // namespace balance
