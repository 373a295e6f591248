// The balance player's picture of the board and what it works out on it.
#include "bot_model.h"

#include <algorithm>
#include <cstring>

namespace balance {

namespace {

constexpr int32_t kMargin = 2;
// A prepared line is worth this much more for each square under it.
constexpr float kSquareLineWeight = 0.5f;

// The colours a run through `at` along `step` can take when `at` holds an item:
// the first colour on either side past the items, then the items on their own.
int32_t runColours(const Model& m, int32_t at, int32_t step, int32_t out[3]) {
  int32_t count = 0;
  for (const int32_t dir : {-step, step}) {
    int32_t i = at + dir;
    while (m.value[i] >= 0 && isItem(m.value[i])) i += dir;
    if (m.value[i] >= 0) out[count++] = m.value[i];
  }
  out[count++] = Ball::Joker;
  return count;
}

int32_t coloursAt(const Model& m, int32_t at, int32_t value, int32_t step, int32_t out[3]) {
  if (!isItem(value)) {
    out[0] = value;
    return 1;
  }
  return runColours(m, at, step, out);
}

// Cells matching `colour` from `at` (excluded) along `dir`, `skip` taken as empty.
int32_t countMatching(const Model& m, int32_t at, int32_t dir, int32_t colour, int32_t skip) {
  int32_t n = 0;
  for (int32_t i = at + dir; i != skip && matchesColour(m, i, colour); i += dir) ++n;
  return n;
}

struct Marks {
  uint8_t marked[kModelCells];
  uint8_t fired[kModelCells];
  int16_t list[kModelCells];
  int32_t count;
};

void mark(Marks* marks, int32_t i) {
  if (marks->marked[i]) return;
  marks->marked[i] = 1;
  marks->list[marks->count++] = int16_t(i);
}

// Every cell within the blast: dx^2 + dy^2 below `reach`.
void blast(Marks* marks, int32_t at, int32_t reach) {
  for (int32_t dy = -kMargin; dy <= kMargin; ++dy) {
    for (int32_t dx = -kMargin; dx <= kMargin; ++dx) {
      if (dx * dx + dy * dy < reach) mark(marks, at + dy * kModelStride + dx);
    }
  }
}

// A diamond takes every ball of the colours marked next to it, or else of the
// first marked colour in each row.
void diamondBlast(const Model& m, Marks* marks, int32_t at) {
  bool noted[kValues] = {};
  bool any = false;
  for (int32_t dy = -1; dy <= 1; ++dy) {
    for (int32_t dx = -1; dx <= 1; ++dx) {
      const int32_t step = dy * kModelStride + dx;
      if (step == 0) continue;
      for (int32_t w = 1; w <= m.minRun - 2; ++w) {
        const int32_t i = at + w * step, v = m.value[i];
        if (v >= 0 && !isItem(v) && marks->marked[i]) {
          noted[v] = any = true;
          break;
        }
        if (v < 0 || !isItem(v)) break;
      }
    }
  }
  for (int32_t row = 0; row < kModelRows && !any; ++row) {
    for (int32_t col = 0; col < kModelStride; ++col) {
      const int32_t i = row * kModelStride + col, v = m.value[i];
      if (v >= 0 && !isItem(v) && marks->marked[i]) {
        noted[v] = true;
        break;
      }
    }
  }
  for (int32_t i = 0; i < kModelCells; ++i) {
    if (m.value[i] >= 0 && !isItem(m.value[i]) && noted[m.value[i]]) mark(marks, i);
  }
}

void markRuns(const Model& m, int32_t at, Marks* marks, Outcome* out) {
  const int32_t value = m.value[at];
  if (value < 0) return;
  for (const int32_t step : kAxes) {
    int32_t colours[3];
    const int32_t n = coloursAt(m, at, value, step, colours);
    for (int32_t c = 0; c < n; ++c) {
      const int32_t back = countMatching(m, at, -step, colours[c], -1);
      const int32_t length = back + 1 + countMatching(m, at, step, colours[c], -1);
      if (length < m.minRun) continue;
      out->longestRun = std::max(out->longestRun, length);
      for (int32_t k = 0; k < length; ++k) mark(marks, at + (k - back) * step);
    }
  }
}

// A ball of the clear loses a chain, or goes and takes a layer with it; a blasted
// empty square loses a layer.
void clearCell(Model* m, int32_t i, Outcome* out) {
  if (m->value[i] == kHole) return;
  if (m->value[i] >= 0) {
    ++out->removed;
    if (m->chains[i] > 0) {
      --m->chains[i];
      ++out->chains;
      return;
    }
    m->value[i] = kNoBall;
  }
  if (m->layers[i] > 0) {
    --m->layers[i];
    ++out->squares;
  }
}

void clearWholeBoard(Model* m, Outcome* out) {
  for (int32_t i = 0; i < kModelCells; ++i) {
    if (m->value[i] >= 0) clearCell(m, i, out);
  }
}

}  // namespace

int32_t modelIndex(int32_t x, int32_t y) {
  return (y - kFirstRow + kMargin) * kModelStride + (x - kFirstColumn + kMargin);
}

CellPos boardCellOf(int32_t index) {
  return {index % kModelStride - kMargin + kFirstColumn,
          index / kModelStride - kMargin + kFirstRow};
}

void readModel(Model* m) {
  std::memset(m->value, kHole, sizeof m->value);
  std::memset(m->layers, 0, sizeof m->layers);
  std::memset(m->chains, 0, sizeof m->chains);
  std::memset(m->preview, -1, sizeof m->preview);
  forEachPlayableCell([&](int32_t x, int32_t y) {
    const Cell& cell = cellAt(x, y);
    if (!hasFloor(cell)) return;
    const int32_t i = modelIndex(x, y);
    m->value[i] = int8_t(hasBall(cell) ? cell.ballValue : kNoBall);
    m->layers[i] = int8_t(std::max(0, cell.squareLayers));
    m->chains[i] = int8_t(hasBall(cell) ? cell.chainLocks : 0);
    m->preview[i] = int8_t(cell.nextBall);
  });
  m->combo = gameState.combo;
  m->newBalls = gameState.newBallsPerMove;
  m->minRun = gameState.minLineLength;
}

Outcome resolveAt(Model* m, const int32_t* cells, int32_t count) {
  static Marks marks;
  std::memset(marks.marked, 0, sizeof marks.marked);
  std::memset(marks.fired, 0, sizeof marks.fired);
  marks.count = 0;
  Outcome out = {};
  for (int32_t c = 0; c < count; ++c) markRuns(*m, cells[c], &marks, &out);
  int32_t bombs = 0, diamonds = 0;
  for (int32_t k = 0; k < marks.count; ++k) {
    const int32_t i = marks.list[k], v = m->value[i];
    if (v == Ball::TripleBomb || v == Ball::QuadroBomb) {
      blast(&marks, i, v == Ball::TripleBomb ? 5 : 8);
      ++bombs;
    } else if (v == Ball::Diamond) {
      diamondBlast(*m, &marks, i);
      ++diamonds;
    }
  }
  for (int32_t k = 0; k < marks.count; ++k) clearCell(m, marks.list[k], &out);
  if (bombs >= m->minRun) clearWholeBoard(m, &out);
  if (diamonds >= m->minRun) clearWholeBoard(m, &out);
  return out;
}

void findRegions(const Model& m, Regions* r) {
  static int16_t stack[kModelCells];
  std::memset(r->id, -1, sizeof r->id);
  r->count = 0;
  for (int32_t start = 0; start < kModelCells; ++start) {
    if (!isEmpty(m, start) || r->id[start] >= 0) continue;
    const int16_t id = int16_t(r->count++);
    r->reach[id] = 0;
    int32_t top = 0;
    stack[top++] = int16_t(start);
    r->id[start] = id;
    while (top > 0) {
      const int32_t i = stack[--top];
      for (const int32_t step : {-1, 1, -kModelStride, kModelStride}) {
        const int32_t n = i + step;
        if (isEmpty(m, n) && r->id[n] < 0) {
          r->id[n] = id;
          stack[top++] = int16_t(n);
        } else if (isMovable(m, n)) {
          r->reach[id] = uint16_t(r->reach[id] | (1u << m.value[n]));
        }
      }
    }
  }
}

Placement placeBall(const Model& m, int32_t at, int32_t value, int32_t skip) {
  Placement p = {};
  for (const int32_t step : kAxes) {
    int32_t colours[3];
    const int32_t n = coloursAt(m, at, value, step, colours);
    int32_t best = 0, bestBack = 0;
    for (int32_t c = 0; c < n; ++c) {
      const int32_t back = countMatching(m, at, -step, colours[c], skip);
      const int32_t length = back + 1 + countMatching(m, at, step, colours[c], skip);
      if (length > best) best = length, bestBack = back;
    }
    if (best < m.minRun) continue;
    p.longestRun = std::max(p.longestRun, best);
    p.balls += best - 1;
    for (int32_t k = 0; k < best; ++k) {
      const int32_t i = at + (k - bestBack) * step;
      if (i == at) continue;
      if (m.chains[i] > 0) {
        ++p.chains;
      } else if (m.layers[i] > 0) {
        ++p.squares;
      }
    }
  }
  if (p.longestRun > 0 && m.layers[at] > 0) ++p.squares;
  return p;
}

namespace {

float windowWeight(const Model& m, int32_t first, int32_t step) {
  float weight = 1.0f;
  for (int32_t k = 0; k < 3; ++k) {
    if (m.layers[first + k * step] > 0) weight += kSquareLineWeight;
  }
  return weight;
}

float windowValue(const Model& m, int32_t first, int32_t step) {
  int32_t balls = 0, empties = 0, colour = -1;
  for (int32_t k = 0; k < 3; ++k) {
    const int32_t v = m.value[first + k * step];
    if (v == kHole) return 0.0f;
    if (v == kNoBall) {
      ++empties;
      continue;
    }
    if (!isItem(v)) {
      if (colour >= 0 && colour != v) return 0.0f;
      colour = v;
    }
    ++balls;
  }
  return balls == 2 && empties == 1 ? windowWeight(m, first, step) : 0.0f;
}

}  // namespace

float linesThrough(const Model& m, int32_t at, float gains[kValues]) {
  float now = 0.0f;
  std::fill(gains, gains + kValues, 0.0f);
  for (const int32_t step : kAxes) {
    for (int32_t k = 0; k < 3; ++k) {
      const int32_t first = at - k * step;
      int32_t partner = kNoBall, balls = 0;
      bool hole = false;
      for (int32_t j = 0; j < 3; ++j) {
        const int32_t i = first + j * step, v = m.value[i];
        if (i == at) continue;
        hole = hole || v == kHole;
        if (v >= 0) partner = v, ++balls;
      }
      if (hole) continue;
      if (balls == 2) {
        now += windowValue(m, first, step);
        continue;
      }
      if (balls != 1) continue;
      const float weight = windowWeight(m, first, step);
      for (int32_t v = 0; v < kValues; ++v) {
        if (v == partner || isItem(v) || isItem(partner)) gains[v] += weight;
      }
    }
  }
  return now;
}

float linesChange(const Model& before, const Model& after) {
  static uint8_t counted[kModelCells][4];
  std::memset(counted, 0, sizeof counted);
  float change = 0.0f;
  for (int32_t c = 0; c < kModelCells; ++c) {
    if (before.value[c] == after.value[c] || !isFloor(after, c)) continue;
    for (int32_t a = 0; a < 4; ++a) {
      for (int32_t k = 0; k < 3; ++k) {
        const int32_t first = c - k * kAxes[a];
        if (counted[first][a]) continue;
        counted[first][a] = 1;
        change += windowValue(after, first, kAxes[a]) - windowValue(before, first, kAxes[a]);
      }
    }
  }
  return change;
}

int32_t countEmpty(const Model& m) {
  int32_t n = 0;
  for (int32_t i = 0; i < kModelCells; ++i) n += isEmpty(m, i) ? 1 : 0;
  return n;
}

}  // namespace balance
