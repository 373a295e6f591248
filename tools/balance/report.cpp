// The balance report: rows per level, the CSV file, the targets the levels are
// tuned to, and the medians behind the default records.
#include "report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

#include "datagen.h"
#include "game/level.h"

namespace balance {

namespace {

constexpr int32_t kTutorialLevels = 4;
constexpr int32_t kStages = 5;
constexpr int32_t kZones = kLevelCount / kStages;
constexpr float kTutorialTarget = 0.95f;
constexpr float kLowestTarget = 0.10f;
constexpr float kHighestTarget = 0.99f;
// From this zone (counted from 1) on no level may be won nearly always.
constexpr int32_t kFirstHardZone = 3;
// Differences within this many standard errors count as noise.
constexpr float kNoiseErrors = 2.0f;

int32_t median(std::vector<int32_t> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// The standard error of a row's win rate.
float rateError(const LevelRow& row) {
  if (row.games == 0) return 0.0f;
  const float p = winRate(row);
  return std::sqrt(std::max(p * (1.0f - p), 0.25f / float(row.games)) / float(row.games));
}

const char* const kColumns =
    "level,zone,stage,difficulty,game,games,wins,win_rate,defeats,stuck,median_moves,"
    "median_time_s,median_score,median_combo";

// The adventure rows of one difficulty, by level (null where missing).
std::vector<const LevelRow*> byLevel(const std::vector<LevelRow>& rows, int32_t difficulty) {
  std::vector<const LevelRow*> levels(kLevelCount, nullptr);
  for (const LevelRow& row : rows) {
    if (!row.survival && row.difficulty == difficulty) levels[size_t(row.level)] = &row;
  }
  return levels;
}

struct ZoneMean {
  bool known;
  float rate;
  float error;
};

ZoneMean zoneMean(const std::vector<const LevelRow*>& levels, int32_t zone) {
  float sum = 0.0f, variance = 0.0f;
  for (int32_t stage = 0; stage < kStages; ++stage) {
    const LevelRow* row = levels[size_t(zone * kStages + stage)];
    if (!row) return {false, 0.0f, 0.0f};
    sum += winRate(*row);
    variance += rateError(*row) * rateError(*row);
  }
  return {true, sum / kStages, std::sqrt(variance) / kStages};
}

// True when rate a is below b, or above it by no more than the noise of both.
bool notAbove(float a, float errorA, float b, float errorB) {
  return a <= b + kNoiseErrors * std::sqrt(errorA * errorA + errorB * errorB);
}

std::string verdict(int32_t misses) { return misses == 0 ? "holds" : "misses"; }

void summariseZones(const std::vector<LevelRow>& rows, std::ostringstream* out) {
  *out << "zone";
  for (int32_t d = Difficulty::Expert; d <= Difficulty::Zen; ++d) {
    *out << format("  %-14s", difficultyName(d));
  }
  *out << "\n";
  for (int32_t zone = 0; zone < kZones; ++zone) {
    *out << format("%4d", zone + 1);
    for (int32_t d = Difficulty::Expert; d <= Difficulty::Zen; ++d) {
      const ZoneMean mean = zoneMean(byLevel(rows, d), zone);
      *out << (mean.known ? format("  %5.1f%% +-%4.1f ", 100.0f * mean.rate, 100.0f * mean.error)
                          : std::string("  -              "));
    }
    *out << "\n";
  }
}

void checkNormalTargets(const std::vector<LevelRow>& rows, std::ostringstream* out) {
  const std::vector<const LevelRow*> normal = byLevel(rows, Difficulty::Normal);
  std::string tutorial, low, high, falling, fifth;
  int32_t tutorialMisses = 0, lowMisses = 0, highMisses = 0, fallMisses = 0, fifthMisses = 0;
  for (int32_t level = 0; level < kLevelCount; ++level) {
    const LevelRow* row = normal[size_t(level)];
    if (!row) continue;
    const float p = winRate(*row);
    if (level < kTutorialLevels && p < kTutorialTarget) {
      ++tutorialMisses;
      tutorial += format(" %d:%.0f%%", level, 100.0f * p);
    }
    if (p < kLowestTarget) ++lowMisses, low += format(" %d:%.0f%%", level, 100.0f * p);
    if (level / kStages + 1 >= kFirstHardZone && p > kHighestTarget) {
      ++highMisses;
      high += format(" %d:%.0f%%", level, 100.0f * p);
    }
  }
  for (int32_t zone = 0; zone < kZones; ++zone) {
    const ZoneMean mean = zoneMean(normal, zone);
    const ZoneMean next = zone + 1 < kZones ? zoneMean(normal, zone + 1) : ZoneMean{};
    if (mean.known && next.known && !notAbove(next.rate, next.error, mean.rate, mean.error)) {
      ++fallMisses;
      falling += format(" zone %d:%.0f%% after %.0f%%", zone + 2, 100.0f * next.rate,
                        100.0f * mean.rate);
    }
    const LevelRow* last = normal[size_t(zone * kStages + kStages - 1)];
    for (int32_t stage = 0; stage + 1 < kStages && last; ++stage) {
      const LevelRow* row = normal[size_t(zone * kStages + stage)];
      if (row && !notAbove(winRate(*last), rateError(*last), winRate(*row), rateError(*row))) {
        ++fifthMisses;
        fifth += format(" zone %d stage %d:%.0f%% < stage 5:%.0f%%", zone + 1, stage + 1,
                        100.0f * winRate(*row), 100.0f * winRate(*last));
      }
    }
  }
  *out << "tutorial levels won >= 95% (normal): " << verdict(tutorialMisses) << tutorial << "\n"
       << "zone means fall from zone to zone (normal): " << verdict(fallMisses) << falling << "\n"
       << "the fifth stage is the hardest of its zone (normal): " << verdict(fifthMisses) << fifth
       << "\n"
       << "no level below 10% (normal): " << verdict(lowMisses) << low << "\n"
       << "no level above 99% from zone 3 on (normal): " << verdict(highMisses) << high << "\n";
}

// Difficulty `harder` wins no level more often than `easier` (beyond the noise).
void checkOrder(const std::vector<LevelRow>& rows, int32_t harder, int32_t easier,
                std::ostringstream* out) {
  const std::vector<const LevelRow*> h = byLevel(rows, harder), e = byLevel(rows, easier);
  int32_t misses = 0, strict = 0, compared = 0;
  std::string list;
  for (int32_t level = 0; level < kLevelCount; ++level) {
    if (!h[size_t(level)] || !e[size_t(level)]) continue;
    const LevelRow& a = *h[size_t(level)];
    const LevelRow& b = *e[size_t(level)];
    ++compared;
    if (winRate(a) < winRate(b)) ++strict;
    if (!notAbove(winRate(a), rateError(a), winRate(b), rateError(b))) {
      ++misses;
      list += format(" %d:%.0f%%/%.0f%%", level, 100.0f * winRate(a), 100.0f * winRate(b));
    }
  }
  if (compared == 0) return;
  *out << difficultyName(harder) << " harder than " << difficultyName(easier)
       << " on every level: " << verdict(misses) << format(" (lower on %d of %d)", strict, compared)
       << list << "\n";
}

}  // namespace

const char* difficultyName(int32_t difficulty) {
  switch (difficulty) {
    case Difficulty::Expert:
      return "expert";
    case Difficulty::Zen:
      return "zen";
    default:
      return "normal";
  }
}

std::vector<LevelRow> summarise(const std::vector<Game>& games) {
  std::map<std::tuple<bool, int32_t, int32_t>, std::vector<const Game*>> groups;
  for (const Game& g : games) {
    groups[{g.setup.survival, g.setup.level, g.setup.difficulty}].push_back(&g);
  }
  std::vector<LevelRow> rows;
  for (const auto& [key, members] : groups) {
    LevelRow row = {};
    row.level = std::get<1>(key);
    row.difficulty = std::get<2>(key);
    row.survival = std::get<0>(key);
    std::vector<int32_t> moves, times, scores, combos;
    for (const Game* g : members) {
      const GameResult& r = g->result;
      ++row.games;
      row.wins += r.won ? 1 : 0;
      row.defeats += r.won ? 0 : 1;
      row.stuck += r.stuck ? 1 : 0;
      if (!r.won && !row.survival) continue;
      moves.push_back(r.moves);
      times.push_back(r.elapsedMs);
      scores.push_back(r.score);
      combos.push_back(r.comboStat);
    }
    row.medianMoves = median(moves);
    row.medianTimeMs = median(times);
    row.medianScore = median(scores);
    row.medianCombo = median(combos);
    rows.push_back(row);
  }
  return rows;
}

bool writeCsv(const std::string& path, const std::vector<LevelRow>& rows) {
  std::ofstream out(path);
  out << kColumns << "\n";
  for (const LevelRow& r : rows) {
    out << format("%d,%d,%d,%s,%s,%d,%d,%.3f,%d,%d,%d,%.1f,%d,%d\n", r.level,
                  r.level / kStages + 1, r.level % kStages + 1, difficultyName(r.difficulty),
                  r.survival ? "survival" : "adventure", r.games, r.wins, winRate(r), r.defeats,
                  r.stuck, r.medianMoves, r.medianTimeMs / 1000.0, r.medianScore, r.medianCombo);
  }
  return bool(out.flush());
}

bool readCsv(const std::string& path, std::vector<LevelRow>* rows, std::string* error) {
  std::ifstream in(path);
  std::string line;
  if (!std::getline(in, line) || line != kColumns) {
    *error = path + " is not a balance report";
    return false;
  }
  rows->clear();
  for (int32_t number = 2; std::getline(in, line); ++number) {
    LevelRow r = {};
    char difficulty[16], game[16];
    int32_t zone, stage;
    float rate, seconds;
    if (std::sscanf(line.c_str(), "%d,%d,%d,%15[a-z],%15[a-z],%d,%d,%f,%d,%d,%d,%f,%d,%d",
                    &r.level, &zone, &stage, difficulty, game, &r.games, &r.wins, &rate,
                    &r.defeats, &r.stuck, &r.medianMoves, &seconds, &r.medianScore,
                    &r.medianCombo) != 14 ||
        r.level < 0 || r.level >= kLevelCount) {
      *error = format("%s:%d: not a report row", path.c_str(), number);
      return false;
    }
    r.difficulty = std::string(difficulty) == "expert" ? Difficulty::Expert
                   : std::string(difficulty) == "zen"  ? Difficulty::Zen
                                                       : Difficulty::Normal;
    r.survival = std::string(game) == "survival";
    r.medianTimeMs = int32_t(std::lround(seconds * 1000.0f));
    rows->push_back(r);
  }
  return true;
}

std::string targetSummary(const std::vector<LevelRow>& rows) {
  std::ostringstream out;
  if (std::none_of(rows.begin(), rows.end(), [](const LevelRow& r) { return !r.survival; })) {
    for (const LevelRow& r : rows) {
      out << format("survival from level %d (%s): %d moves, %d points\n", r.level,
                    difficultyName(r.difficulty), r.medianMoves, r.medianScore);
    }
    return out.str();
  }
  summariseZones(rows, &out);
  checkNormalTargets(rows, &out);
  checkOrder(rows, Difficulty::Expert, Difficulty::Normal, &out);
  checkOrder(rows, Difficulty::Normal, Difficulty::Zen, &out);
  int32_t stuck = 0;
  for (const LevelRow& r : rows) stuck += r.stuck;
  out << format("games where no ball could move: %d\n", stuck);
  return out.str();
}

SameGames compareGames(const std::vector<Game>& games, int32_t a, int32_t b) {
  std::map<std::tuple<bool, int32_t, uint32_t>, const GameResult*> first;
  for (const Game& g : games) {
    if (g.setup.difficulty == a) first[{g.setup.survival, g.setup.level, g.setup.seed}] = &g.result;
  }
  SameGames count = {0, 0};
  for (const Game& g : games) {
    if (g.setup.difficulty != b) continue;
    const auto it = first.find({g.setup.survival, g.setup.level, g.setup.seed});
    if (it == first.end()) continue;
    const GameResult& x = *it->second;
    const GameResult& y = g.result;
    ++count.pairs;
    if (x.won == y.won && x.moves == y.moves && x.elapsedMs == y.elapsedMs && x.score == y.score) {
      ++count.same;
    }
  }
  return count;
}

bool writeRecordMedians(const std::string& path, const std::vector<LevelRow>& rows) {
  std::ofstream out(path);
  out << "# The balance player's medians over its won games, per adventure level and\n"
         "# difficulty: level difficulty score combo seconds moves (orbel-balance --records).\n";
  for (const LevelRow& r : rows) {
    if (r.survival) continue;
    out << format("%d %s %d %d %d %d\n", r.level, difficultyName(r.difficulty), r.medianScore,
                  r.medianCombo, (r.medianTimeMs + 500) / 1000, r.medianMoves);
  }
  return bool(out.flush());
}

}  // namespace balance
