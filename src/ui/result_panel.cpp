// result_panel.cpp: the level result panel ("levelcomplete"): the finished level's
// score counting up with its ticks, then combo, time and moves all at once, each
// beside the level's record and its holder; a value that equals or beats
// the record cheers, bursts into stars and pulses.
#include <cmath>
#include <cstdio>

#include "audio/audio.h"
#include "effects/effects.h"
#include "game/board.h"
#include "game/modes.h"
#include "render/text.h"
#include "resources/resources.h"
#include "platform/platform.h"
#include "ui/menu.h"
#include "ui/menu_local.h"
#include "ui/result_screens.h"
#include "ui/widgets.h"

ResultPanelState resultPanel = {};

namespace {

constexpr float kPanelWidth = 600.0f;
constexpr float kPanelHeight = 445.0f;
constexpr float kSurvivalPanelHeight = 400.0f;
constexpr float kLineStep = 60.0f;
constexpr float kLabelX = -245.0f;
constexpr float kValueX = -69.0f;
constexpr float kRecordX = 40.0f;
constexpr float kValueSize = 17.0f;
constexpr float kBurstGap = 28.0f;  // between a value and the burst beside it
constexpr float kBurstScale = 0.7f;
constexpr int32_t kTickBaseHz = 20000;
constexpr int32_t kTickRiseHz = 25000;

const ResultLine kAdventureLines[] = {ResultLine::Score, ResultLine::Combo, ResultLine::Time,
                                      ResultLine::Moves};
const ResultLine kSurvivalLines[] = {ResultLine::Score, ResultLine::Combo, ResultLine::Moves};

// True when the result's value of the line is at least as good as the record's.
bool equalsOrBeats(const LevelResult& result, const LevelRecord& record, ResultLine line) {
  const int32_t mine = resultLineValue(result, line);
  const int32_t best = recordLineValue(record, line);
  const bool fewerIsBetter =
      line == ResultLine::Time || (line == ResultLine::Moves && !result.survival);
  return fewerIsBetter ? mine <= best : mine >= best;
}

float panelHeight() { return resultPanel.result.survival ? kSurvivalPanelHeight : kPanelHeight; }

// The centre line of the player's value k.
float lineY(int32_t line) { return panelHeight() * 0.5f - 130.0f - kLineStep * float(line); }

// A time as minutes and seconds, anything else as a whole number.
void formatLineValue(ResultLine line, int32_t value, char* out, size_t capacity) {
  if (line == ResultLine::Time) {
    formatMinutesSeconds(value, out, capacity);
  } else {
    std::snprintf(out, capacity, "%i", value);
  }
}

// The text of line k as it stands now (the score while it counts).
void shownValue(int32_t k, char* out, size_t capacity) {
  const ResultLine line = resultPanel.lines[k];
  const int32_t value = k == 0 && resultPanel.revealed == 0
                            ? countedScore(resultPanel)
                            : resultLineValue(resultPanel.result, line);
  formatLineValue(line, value, out, capacity);
}

// ---------------------------------------------------------------------------
// Moving on

// When the lines are complete: the score once counted, every later line with it.
float revealTime() { return resultPanel.countUpMs; }

// Line k is complete; a value that equals or beats its record cheers and bursts.
void reveal(int32_t k) {
  resultPanel.revealed = k + 1;
  if (!resultPanel.beaten[k]) return;
  playSound("wow.ogg");
  char text[32];
  shownValue(k, text, sizeof text);
  const float x = kValueX + measureText(text, kValueSize) + kBurstGap;
  startEffect("scorewow", x, lineY(k), kNoEffectTarget, kNoEffectTarget, kBurstScale, -1);
}

// One tick at most per frame, its pitch rising with the part counted.
void tickCountUp() {
  ResultPanelState& p = resultPanel;
  if (p.revealed > 0 || p.nextTickMs >= p.countUpMs || p.clock < p.nextTickMs) return;
  const float counted = p.nextTickMs / p.countUpMs;
  playSoundEx("score.ogg", Vec3{0.0f, 0.0f, 0.0f}, 0,
              kTickBaseHz + int32_t(float(kTickRiseHz) * counted));
  p.nextTickMs = (std::floor(p.clock / kCountUpTickMs) + 1.0f) * kCountUpTickMs;
}

}  // namespace

// The panel takes the finished level's values as the level left them.
void enterResultPanel() {
  resultPanel = makeResultPanel(currentLevelResult());
  menu.countUpRunning = true;
}

// The panel's clock, the count-up's ticks and the lines as their turns come.
void updateResultPanel(float dt) {
  ResultPanelState& p = resultPanel;
  p.clock += dt;
  // The first Enter ends the count-up: whatever is still hidden shows at once.
  if (!menu.countUpRunning) p.clock = std::fmax(p.clock, revealTime());
  tickCountUp();
  while (p.revealed < p.lineCount && p.clock >= revealTime()) reveal(p.revealed);
  if (p.revealed >= p.lineCount) menu.countUpRunning = false;
}

namespace {

// ---------------------------------------------------------------------------
// Drawing

// 128..255, pulsing with the panel's clock.
int32_t pulseAlpha() {
  return int32_t(128.0f + 127.0f * (0.5f + 0.5f * std::sin(resultPanel.clock * 0.01f)));
}

bool showsBeaten(int32_t k) { return resultPanel.beaten[k] && k < resultPanel.revealed; }

// The text keys of a line's label, of its record's label, and the record's holder.
const char* labelKey(ResultLine line) {
  switch (line) {
    case ResultLine::Score: return "yourscore";
    case ResultLine::Combo:
      return resultPanel.result.difficulty == Difficulty::Zen && !resultPanel.result.survival
                 ? "maxcombo"
                 : "yourcombo";
    case ResultLine::Time: return "yourtime";
    case ResultLine::Moves: return "yourmoves";
  }
  return "";
}

const char* recordKey(ResultLine line) {
  switch (line) {
    case ResultLine::Score: return "bestscore";
    case ResultLine::Combo: return "bestcombo";
    case ResultLine::Time: return "besttime";
    case ResultLine::Moves: return "bestmoves";
  }
  return "";
}

const char* holderOf(const LevelRecord& record, ResultLine line) {
  switch (line) {
    case ResultLine::Score: return record.scoreHolder;
    case ResultLine::Combo: return record.comboHolder;
    case ResultLine::Time: return record.timeHolder;
    case ResultLine::Moves: return record.movesHolder;
  }
  return "";
}

// The label of line k and, once its turn has come, the player's value.
void drawPlayerLine(int32_t k) {
  const float y = lineY(k);
  setTextColor(255, 255, 255, 255);
  drawText(kLabelX, y, 13.0f, textOf(labelKey(resultPanel.lines[k])), false);
  if (k > 0 && k >= resultPanel.revealed) return;  // not its turn yet
  char value[32];
  shownValue(k, value, sizeof value);
  if (showsBeaten(k)) setTextColor(255, 200, 200, pulseAlpha());
  drawText(kValueX, y, kValueSize, value, false);
}

// The record's label and value on one line, its holder below.
void drawRecordBlock(int32_t k) {
  const ResultLine line = resultPanel.lines[k];
  const float y = panelHeight() * 0.5f - 120.0f - kLineStep * float(k);
  const bool mine = showsBeaten(k);
  const LevelRecord& record = resultPanel.record;
  char value[40] = "   ";
  formatLineValue(line,
                  mine ? resultLineValue(resultPanel.result, line) : recordLineValue(record, line),
                  value + 3, sizeof value - 3);
  setTextColor(255, 255, 100, 255);
  drawText(kRecordX, y, 11.0f, textOf(recordKey(line)), false);
  if (mine) setTextColor(255, 200, 100, pulseAlpha());
  setTextSize(14.0f);
  continueText(value);
  char holder[96];
  const TextField name = {holderOf(record, line), 0};
  formatTextFields(textOf("by"), &name, 1, holder, sizeof holder);
  setTextColor(255, 255, 255, 255);
  drawText(kRecordX, y - 20.0f, 11.0f, holder, false);
}

}  // namespace

void drawResultPanel() {
  const float height = panelHeight();
  beginSquash();
  drawWindowAt(0.0f, 0.0f, kPanelWidth, height);
  setTextColor(255, 255, 155, 255);
  drawTextCentered(0.0f, height * 0.5f - 67.0f, 19.0f, textOf("stats"));
  for (int32_t k = 0; k < resultPanel.lineCount; ++k) {
    drawPlayerLine(k);
    if (resultPanel.hasRecord) drawRecordBlock(k);
  }
  setTextColor(255, 255, 255, 255);
  drawButton(0.0f, -height * 0.5f + 62.0f, 130.0f, 64.0f, 17.0f, nullptr);
  endSquash();
}

int32_t resultLineValue(const LevelResult& result, ResultLine line) {
  switch (line) {
    case ResultLine::Score: return result.levelScore;
    case ResultLine::Combo: return result.comboStat;
    case ResultLine::Time: return result.elapsedMs;
    case ResultLine::Moves: return result.moves;
  }
  return 0;
}

int32_t recordLineValue(const LevelRecord& record, ResultLine line) {
  switch (line) {
    case ResultLine::Score: return record.bestScore;
    case ResultLine::Combo: return record.bestCombo;
    case ResultLine::Time: return record.bestTime;
    case ResultLine::Moves: return record.bestMoves;
  }
  return 0;
}

ResultPanelState makeResultPanel(const LevelResult& result) {
  ResultPanelState p = {};
  p.result = result;
  const ResultLine* lines = result.survival ? kSurvivalLines : kAdventureLines;
  p.lineCount = result.survival ? 3 : 4;
  for (int32_t k = 0; k < p.lineCount; ++k) p.lines[k] = lines[k];
  if (const LevelRecord* record = levelRecordFor(result)) {
    p.record = *record;
    p.hasRecord = true;
    for (int32_t k = 0; k < p.lineCount; ++k) {
      p.beaten[k] = equalsOrBeats(result, *record, lines[k]);
    }
  }
  p.countUpMs = std::fmin(float(result.levelScore > 0 ? result.levelScore : 0), kLongestCountUpMs);
  return p;
}

int32_t countedScore(const ResultPanelState& panel) {
  const int32_t score = panel.result.levelScore;
  if (panel.revealed > 0 || panel.clock >= panel.countUpMs) return score;
  return int32_t(double(score) * double(panel.clock) / double(panel.countUpMs));
}

// Escape counts as Enter; the first Enter only ends the count-up.
int32_t resultPanelKey(int32_t key) {
  if (key == VK_ESCAPE) key = VK_RETURN;
  if (key == VK_RETURN && menu.countUpRunning) {
    menu.countUpRunning = false;
    return 0;
  }
  return key;
}
