// report.h: what the balance runs add up to. Each level, difficulty and game kind
// becomes one row (games, wins, defeats, medians of the won games or, in survival,
// of the moves survived); the rows go to a CSV file, to a picture of the curve,
// to a summary of the targets the levels are tuned to, and to the table of
// medians the default level records are made from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "play.h"

namespace balance {

// One game to play and, once played, its result.
struct Game {
  GameSetup setup;
  GameResult result;
};

struct LevelRow {
  int32_t level;
  int32_t difficulty;
  bool survival;
  int32_t games;
  int32_t wins;
  int32_t defeats;   // games lost, stuck ones included
  int32_t stuck;     // of them, games where no ball could move
  // Medians of the won games (survival: of every game), 0 without any.
  int32_t medianMoves;
  int32_t medianTimeMs;
  int32_t medianScore;
  int32_t medianCombo;
};

inline float winRate(const LevelRow& row) {
  return row.games > 0 ? float(row.wins) / float(row.games) : 0.0f;
}

// "expert", "normal" or "zen".
const char* difficultyName(int32_t difficulty);

// One row per level, difficulty and game kind, in level order.
std::vector<LevelRow> summarise(const std::vector<Game>& games);

// The rows as CSV with a header line. False when the file cannot be written.
bool writeCsv(const std::string& path, const std::vector<LevelRow>& rows);
// Rows read back from such a file. False (reason in *error) when it is not one.
bool readCsv(const std::string& path, std::vector<LevelRow>* rows, std::string* error);

// The win rate of every level by difficulty over the zones, with the zone means,
// and below it the moves survived from each start level when there are survival
// rows; rows of `before` (may be empty) are drawn faintly behind. PNG.
bool drawCurve(const std::string& path, const std::vector<LevelRow>& rows,
               const std::vector<LevelRow>& before, const std::string& title);

// The zone means and the tuning targets, each said to hold or not, as text.
std::string targetSummary(const std::vector<LevelRow>& rows);

// Zen's games set beside Expert's of the same level and seed: how many pairs there
// are and how many of them played the same (result, moves, clock and score).
struct SameGames {
  int32_t pairs;
  int32_t same;
};
SameGames compareGames(const std::vector<Game>& games, int32_t a, int32_t b);

// The medians the default records are made from: one line per adventure level and
// difficulty, "level difficulty score combo seconds moves". False when the file
// cannot be written.
bool writeRecordMedians(const std::string& path, const std::vector<LevelRow>& rows);

}  // namespace balance
