// The balance player: every legal move gets a quick look (the runs it makes, the
// lines it prepares or spoils, a preview it covers); the most promising few are
// played out in the player's head (the clear, the bonus item, or the previews
// arriving and the runs they make) and judged by what is left: squares cleared,
// free cells against the balls to come, lines one ball short and, with look-ahead,
// the best move that board offers.
#include "bot.h"

#include <algorithm>
#include <cstdlib>

#include "bot_model.h"

namespace balance {

namespace {

// Values in free cells: a removed ball is one, a ball that arrives minus one.
constexpr float kSquareValue = 6.0f;   // one square layer cleared
constexpr float kChainValue = 2.0f;    // one chain broken
constexpr float kLineValue = 0.8f;     // one line prepared (more over squares)
constexpr float kTripleBombValue = 3.0f;
constexpr float kQuadroBombValue = 5.0f;
constexpr float kDiamondValue = 4.0f;
constexpr float kLookAheadShare = 0.6f;
// A board that the next quiet move could fill costs this much per missing cell.
constexpr float kTightValue = 3.0f;
constexpr float kLostValue = -1.0e6f;
// Of newBallsPerMove previews, about this share lands in distinct cells.
constexpr float kDistinctPreviews = 0.85f;
// Moves played out in the head after the quick look.
constexpr int32_t kCandidates = 8;
// A ball within this many cells of its target, on one of its lines, can change
// the runs and lines there: those moves get an exact quick look.
constexpr int32_t kNearSteps = 4;

struct Candidate {
  int32_t from, to;
  float quick;
};

float itemValue(int32_t longestRun, int32_t comboAfter) {
  if (longestRun >= 5) return kQuadroBombValue;
  if (comboAfter >= 2 && comboAfter % 2 == 0) return kDiamondValue;
  return longestRun == 4 ? kTripleBombValue : 0.0f;
}

float gainOf(const Placement& p, int32_t comboAfter) {
  return float(p.balls + 1) + kSquareValue * float(p.squares) + kChainValue * float(p.chains) +
         itemValue(p.longestRun, comboAfter);
}

float gainOf(const Outcome& o) {
  return float(o.removed) + kSquareValue * float(o.squares) + kChainValue * float(o.chains);
}

int32_t countPreviews(const Model& m) {
  int32_t n = 0;
  for (int32_t i = 0; i < kModelCells; ++i) n += isEmpty(m, i) && m.preview[i] >= 0 ? 1 : 0;
  return n;
}

bool near(int32_t a, int32_t b) {
  const CellPos p = boardCellOf(a), q = boardCellOf(b);
  const int32_t dx = std::abs(p.x - q.x), dy = std::abs(p.y - q.y);
  return (dx == 0 || dy == 0 || dx == dy) && std::max(dx, dy) <= kNearSteps;
}

// ---------------------------------------------------------------------------
// The quick look

struct QuickLook {
  Model model;  // the board; cells are changed and put back while looking
  int32_t previews;
  float placeValue[kModelCells][kValues];
  bool placeKnown[kModelCells];
  float leaveValue[kModelCells];
  bool leaveKnown[kModelCells];
};

// The values a ball at `at` could make a run with: those of its neighbours, or
// every value when one of them is an item.
uint32_t neighbourValues(const Model& m, int32_t at) {
  constexpr uint32_t kItems = ((1u << kValues) - 1) & ~((1u << Ball::Joker) - 1);
  uint32_t values = 0;
  for (const int32_t step : kAxes) {
    for (const int32_t i : {at - step, at + step}) {
      const int32_t v = m.value[i];
      if (v >= 0) values |= isItem(v) ? (1u << kValues) - 1 : (1u << v) | kItems;
    }
  }
  return values;
}

// The quick value of a ball of `value` arriving at `to` from `from` (-1: from
// too far away to matter): the runs it makes, or else the lines it prepares and the
// preview it covers.
float lookAtPlacement(const Model& m, int32_t previews, int32_t from, int32_t to,
                      int32_t value) {
  if (neighbourValues(m, to) & (1u << value)) {
    const Placement p = placeBall(m, to, value, from);
    if (p.longestRun > 0) return float(previews) + gainOf(p, m.combo + 1);
  }
  float gains[kValues];
  const float now = linesThrough(m, to, gains);
  const float cover = m.preview[to] >= 0 ? 1.0f : 0.0f;
  return kLineValue * (gains[value] - now) + cover;
}

// The same for every value in `values` at once, from afar.
void lookAtTarget(QuickLook* q, int32_t to, uint32_t values) {
  const Model& m = q->model;
  float gains[kValues];
  const float now = linesThrough(m, to, gains);
  const float cover = m.preview[to] >= 0 ? 1.0f : 0.0f;
  const uint32_t runs = neighbourValues(m, to) & values;
  for (int32_t value = 0; value < kValues; ++value) {
    q->placeValue[to][value] = kLineValue * (gains[value] - now) + cover;
    if (!(runs & (1u << value))) continue;
    const Placement p = placeBall(m, to, value, -1);
    if (p.longestRun > 0) q->placeValue[to][value] = float(q->previews) + gainOf(p, m.combo + 1);
  }
  q->placeKnown[to] = true;
}

// What taking the ball away from `from` spoils.
float lookAtLeaving(QuickLook* q, int32_t from) {
  if (q->leaveKnown[from]) return q->leaveValue[from];
  Model& m = q->model;
  const int8_t value = m.value[from];
  m.value[from] = kNoBall;
  float gains[kValues];
  const float emptied = linesThrough(m, from, gains);
  m.value[from] = value;
  q->leaveKnown[from] = true;
  return q->leaveValue[from] = kLineValue * (emptied - gains[value]);
}

float quickValue(QuickLook* q, int32_t from, int32_t to, uint32_t values) {
  Model& m = q->model;
  const int32_t value = m.value[from];
  if (near(from, to)) {
    m.value[from] = kNoBall;
    const float v = lookAtPlacement(m, q->previews, from, to, value);
    m.value[from] = int8_t(value);
    return v + lookAtLeaving(q, from);
  }
  if (!q->placeKnown[to]) lookAtTarget(q, to, values);
  return q->placeValue[to][value] + lookAtLeaving(q, from);
}

void keepCandidate(Candidate* best, int32_t* count, Candidate c) {
  int32_t at = kCandidates - 1;
  if (*count < kCandidates) {
    at = (*count)++;
  } else if (best[at].quick >= c.quick) {
    return;
  }
  while (at > 0 && best[at - 1].quick < c.quick) {
    best[at] = best[at - 1];
    --at;
  }
  best[at] = c;
}

// Every legal move, each with its quick value; the best few are kept.
int32_t gatherCandidates(QuickLook* q, const Regions& regions, Candidate* best) {
  static int16_t cellsOf[kModelCells];
  static int32_t firstOf[kMaxRegions + 1];
  std::fill(firstOf, firstOf + regions.count + 1, 0);
  for (int32_t i = 0; i < kModelCells; ++i) {
    if (regions.id[i] >= 0) ++firstOf[regions.id[i] + 1];
  }
  for (int32_t r = 0; r < regions.count; ++r) firstOf[r + 1] += firstOf[r];
  static int32_t fill[kMaxRegions];
  std::copy(firstOf, firstOf + regions.count, fill);
  for (int32_t i = 0; i < kModelCells; ++i) {
    if (regions.id[i] >= 0) cellsOf[fill[regions.id[i]]++] = int16_t(i);
  }
  int32_t count = 0;
  const Model& m = q->model;
  for (int32_t from = 0; from < kModelCells; ++from) {
    if (!isMovable(m, from)) continue;
    int32_t seen[4], seenCount = 0;
    for (const int32_t step : {-1, 1, -kModelStride, kModelStride}) {
      const int32_t r = regions.id[from + step];
      if (r < 0 || std::find(seen, seen + seenCount, r) != seen + seenCount) continue;
      seen[seenCount++] = r;
      for (int32_t k = firstOf[r]; k < firstOf[r + 1]; ++k) {
        const int32_t to = cellsOf[k];
        keepCandidate(best, &count, {from, to, quickValue(q, from, to, regions.reach[r])});
      }
    }
  }
  return count;
}

// ---------------------------------------------------------------------------
// Playing a move out in the head

// The best gain one move could take from this board.
float bestNextGain(const Model& m, const Regions& regions) {
  float best = 0.0f;
  for (int32_t at = 0; at < kModelCells; ++at) {
    if (regions.id[at] < 0) continue;
    const uint32_t values = regions.reach[regions.id[at]] & neighbourValues(m, at);
    for (int32_t value = 0; values >> value; ++value) {
      if (!(values & (1u << value))) continue;
      const Placement p = placeBall(m, at, value, -1);
      if (p.longestRun > 0) best = std::max(best, gainOf(p, m.combo + 1));
    }
  }
  return best;
}

// Squeezed boards: the balls still to come against the room left for them.
float tightness(const Model& after, bool previewsUsed) {
  const float free = float(countEmpty(after));
  const float coming =
      previewsUsed ? kDistinctPreviews * float(after.newBalls) : float(countPreviews(after));
  return -kTightValue * std::max(0.0f, coming + float(after.newBalls) * 0.5f - free);
}

void placeItem(Model* m, int32_t at, int32_t longestRun, int32_t comboAfter) {
  if (m->value[at] != kNoBall) return;
  if (longestRun >= 5) {
    m->value[at] = int8_t(Ball::QuadroBomb);
  } else if (comboAfter >= 2 && comboAfter % 2 == 0) {
    m->value[at] = int8_t(Ball::Diamond);
  } else if (longestRun == 4) {
    m->value[at] = int8_t(Ball::TripleBomb);
  }
}

float judgeMove(const Model& m, int32_t from, int32_t to, Skill skill) {
  static Model after;
  static Regions regions;
  after = m;
  after.value[to] = after.value[from];
  after.value[from] = kNoBall;
  after.preview[to] = -1;  // the moved ball takes the preview's cell
  float value = 0.0f;
  const Outcome move = resolveAt(&after, &to, 1);
  bool previewsUsed = false;
  if (move.removed > 0) {
    after.combo = m.combo + 1;
    value += gainOf(move) + itemValue(move.longestRun, after.combo);
    placeItem(&after, to, move.longestRun, after.combo);
  } else {
    static int32_t arrived[kModelCells];
    int32_t count = 0;
    for (int32_t i = 0; i < kModelCells; ++i) {
      if (after.preview[i] < 0) continue;
      if (isEmpty(after, i)) {
        after.value[i] = after.preview[i];
        arrived[count++] = i;
      }
      after.preview[i] = -1;
    }
    if (countEmpty(after) <= 0) return kLostValue;
    previewsUsed = true;
    const Outcome arrival = resolveAt(&after, arrived, count);
    after.combo = arrival.removed > 0 ? 1 : 0;
    value += gainOf(arrival) - float(count);
  }
  value += tightness(after, previewsUsed) + kLineValue * linesChange(m, after);
  if (skill == Skill::LookAhead) {
    findRegions(after, &regions);
    value += kLookAheadShare * bestNextGain(after, regions);
  }
  return value;
}

// ---------------------------------------------------------------------------
// The hammer

// With a full hammer: a free ball on a square goes (and a layer with it), else a
// chained ball on a square loses its chain; on a crowded board any ball will do.
bool chooseStrike(const Model& m, BotMove* move) {
  int32_t best = -1;
  float bestValue = 0.0f;
  const bool crowded = countEmpty(m) <= m.newBalls;
  for (int32_t i = 0; i < kModelCells; ++i) {
    if (m.value[i] < 0) continue;
    float v = crowded ? 0.5f : 0.0f;
    if (m.layers[i] > 0) v = m.chains[i] > 0 ? kChainValue : kSquareValue;
    if (v > bestValue) best = i, bestValue = v;
  }
  if (best < 0 || (bestValue < kChainValue && !crowded)) return false;
  *move = {true, kNoCell, boardCellOf(best)};
  return true;
}

}  // namespace

bool chooseMove(Skill skill, BotMove* move) {
  static QuickLook q;
  static Regions regions;
  readModel(&q.model);
  const Model& m = q.model;
  if (gameState.hammerEnabled && gameState.hammerCharge >= 1.0f && chooseStrike(m, move)) {
    return true;
  }
  q.previews = countPreviews(m);
  std::fill(q.placeKnown, q.placeKnown + kModelCells, false);
  std::fill(q.leaveKnown, q.leaveKnown + kModelCells, false);
  findRegions(m, &regions);
  Candidate best[kCandidates];
  const int32_t count = gatherCandidates(&q, regions, best);
  if (count == 0) return false;
  int32_t chosen = 0;
  float chosenValue = kLostValue;
  for (int32_t k = 0; k < count; ++k) {
    const float value = judgeMove(m, best[k].from, best[k].to, skill);
    if (k == 0 || value > chosenValue) chosen = k, chosenValue = value;
  }
  *move = {false, boardCellOf(best[chosen].from), boardCellOf(best[chosen].to)};
  return true;
}

}  // namespace balance
