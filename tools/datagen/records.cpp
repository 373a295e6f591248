// records.cpp: the default level records "hi_expert.txt", "hi_normal.txt" and
// "hi_zen.txt" that a first start turns into the per-level records and the
// default high-score tables. They sit where a good first-time player ends up: at
// the balance player's medians over its won games ("records.txt", written by
// orbel-balance --records), so each record is beaten about every other time by a
// player of that skill. The game keeps two thirds of the written score, doubles
// the written time and takes one and a half times the written moves, so the files
// hold the medians turned back by those factors.
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <utility>

#include "datagen.h"
#include "game/level.h"
#include "generators.h"

namespace {

const char* const kDifficultyNames[] = {"expert", "normal", "zen"};
const char* const kFileNames[] = {"hi_expert.txt", "hi_normal.txt", "hi_zen.txt"};

struct Medians {
  int score;
  int combo;
  int seconds;
  int moves;
};

int difficultyOf(const std::string& name) {
  for (int d = 0; d < 3; ++d) {
    if (name == kDifficultyNames[d]) return d;
  }
  return -1;
}

// Reads "level difficulty score combo seconds moves" lines; '#' starts a comment.
bool readMedians(std::map<std::pair<int, int>, Medians>* medians) {
  std::string text;
  if (!readSource("records.txt", &text)) return false;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    char difficulty[16];
    int level = 0;
    Medians m{};
    const int fields = std::sscanf(line.c_str(), "%d %15s %d %d %d %d", &level, difficulty,
                                   &m.score, &m.combo, &m.seconds, &m.moves);
    const int d = difficultyOf(difficulty);
    if (fields != 6 || d < 0 || level < 0 || level >= kLevelCount || m.score <= 0 ||
        m.combo < 0 || m.seconds <= 0 || m.moves <= 0) {
      reportError("records.txt", number,
                  "expected: level (0..69) expert|normal|zen score combo seconds moves, "
                  "all above 0 but the combo");
      continue;
    }
    (*medians)[{level, d}] = m;
  }
  return true;
}

int roundTo(float value, int step) {
  return static_cast<int>(std::lround(value / static_cast<float>(step))) * step;
}

std::string recordLines(int level, const Medians& m) {
  const int n = level + 1;
  const int score = std::max(50, roundTo(static_cast<float>(m.score) * 1.5f, 50));
  // Rounded up: the game's integer division must not leave a record below the median.
  const int moves = (m.moves * 2 + 2) / 3;
  const int seconds = std::max(1, static_cast<int>(std::lround(m.seconds / 2.0f)));
  return format("combo%i=%i\nscore%i=%i\ntime%i=%i.%.2i\nmove%i=%i\n", n, std::max(1, m.combo),
                n, score, n, seconds / 60, seconds % 60, n, moves);
}

}  // namespace

void generateDefaultRecords() {
  std::map<std::pair<int, int>, Medians> medians;
  if (!readMedians(&medians)) return;
  for (int d = 0; d < 3; ++d) {
    std::string text;
    for (int level = 0; level < kLevelCount; ++level) {
      const auto found = medians.find({level, d});
      if (found == medians.end()) {
        reportError("records.txt", 0,
                    format("no medians for level %d in %s", level, kDifficultyNames[d]));
        continue;
      }
      text += recordLines(level, found->second);
    }
    addOutput(Place::TextsPack, kFileNames[d], toCrLf(text));
  }
}
