// result_screens.h: the screens that show what the players keep: the players'
// list, the level result panel with its count-up, the high-score tables and the
// saved-game question (their hooks are in the table of screens); the panel's
// lasting state is here for the tests to read.
#pragma once

#include <cstddef>
#include <cstdint>

#include "persistence/records.h"

// ---------------------------------------------------------------------------
// Times as the result screens show them

// Minutes and seconds of a time in ms as "MM:SS" (whole seconds; below 0 counts as 0).
void formatMinutesSeconds(int32_t ms, char* out, size_t capacity);

// ---------------------------------------------------------------------------
// The level result panel ("levelcomplete")

// The values the panel shows, in the order they are revealed.
enum class ResultLine : uint8_t { Score, Combo, Time, Moves };
constexpr int32_t kMaxResultLines = 4;
// The score counts up for its value in ms, but never longer than this.
constexpr float kLongestCountUpMs = 2500.0f;
// A count-up tick every so many ms.
constexpr float kCountUpTickMs = 100.0f;

// The panel as it opened and how far it has come: process lifetime, filled when
// "levelcomplete" opens.
struct ResultPanelState {
  LevelResult result;   // the finished level's values
  LevelRecord record;   // the level's record (the result already entered)
  bool hasRecord;       // false when the result lies outside the tables
  int32_t lineCount;    // 4; 3 in survival, which keeps no time
  ResultLine lines[kMaxResultLines];
  bool beaten[kMaxResultLines];  // the value equals or beats the record
  float clock;          // ms the panel has been shown: the count-up and the pulse
  float countUpMs;      // how long the score counts up
  float nextTickMs;     // when the next count-up tick sounds
  int32_t revealed;     // lines whose value is complete
};
extern ResultPanelState resultPanel;

// The panel's lines and records for a result: the lines shown (survival has no
// time line), each compared with the record (score, combo and, in survival, moves
// at or above it; time and adventure moves at or below it). The clock starts at 0.
ResultPanelState makeResultPanel(const LevelResult& result);
// The value of a line of a result or a record.
int32_t resultLineValue(const LevelResult& result, ResultLine line);
int32_t recordLineValue(const LevelRecord& record, ResultLine line);
// The score shown while it counts up.
int32_t countedScore(const ResultPanelState& panel);

// ---------------------------------------------------------------------------
// The high-score screen ("hiscore")

// The table the screen shows, 0..2 whatever the profile held.
int32_t shownTopScoreTable();
