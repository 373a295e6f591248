// records.cpp: the default level records "hi_expert.txt", "hi_normal.txt" and
// "hi_zen.txt" that a first start turns into the per-level records and the
// default high-score tables. They grow with each level's work (its square layers,
// chains and floor) so that a good player beats them: the game itself keeps two
// thirds of the score, doubles the time and takes one and a half times the moves.
#include <cmath>

#include "datagen.h"
#include "generators.h"

namespace {

struct Difficulty {
  const char* fileName;
  float scoreFactor;
  float timeFactor;
  float moveFactor;
  bool zen;  // the combo record is the longest combo, not the number of combos
};
const Difficulty kDifficulties[] = {{"hi_expert.txt", 1.0f, 1.0f, 1.0f, false},
                                    {"hi_normal.txt", 0.9f, 1.1f, 1.1f, false},
                                    {"hi_zen.txt", 1.1f, 1.25f, 1.2f, true}};

int roundTo(float value, int step) {
  return static_cast<int>(std::lround(value / static_cast<float>(step))) * step;
}

std::string recordLines(const LevelSummary& level, const Difficulty& difficulty) {
  const int n = level.index + 1;
  const float work = static_cast<float>(level.squareLayers) + 1.5f * level.chainedBalls;
  const int score = roundTo((work * 150.0f + level.floorCells * 8.0f) * difficulty.scoreFactor, 50);
  const int combo = difficulty.zen ? 3 + level.index / 14 : 2 + level.index / 12;
  const float goodMoves = (work * 0.8f + level.floorCells / 12.0f + 6.0f) * difficulty.moveFactor;
  const int moves = static_cast<int>(std::lround(goodMoves * 2.0f / 3.0f));
  // Seven seconds a move for a good player; the game doubles the written time.
  const int seconds = static_cast<int>(std::lround(goodMoves * 7.0f * difficulty.timeFactor / 2.0f));
  return format("combo%i=%i\nscore%i=%i\ntime%i=%i.%.2i\nmove%i=%i\n", n, combo, n, score, n,
                seconds / 60, seconds % 60, n, moves);
}

}  // namespace

void generateRecords(const std::vector<LevelSummary>& levels) {
  for (const Difficulty& difficulty : kDifficulties) {
    std::string text;
    for (const LevelSummary& level : levels) {
      if (level.index >= 0) text += recordLines(level, difficulty);
    }
    addOutput(Place::TextsPack, difficulty.fileName, toCrLf(text));
  }
}
