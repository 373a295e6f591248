// hiscore_screen.cpp: the high-score screen ("hiscore"): the ten best adventure
// scores of one difficulty, the player's own rows lit, with arrows to the other
// difficulties' tables.
#include <cstdio>
#include <cstring>

#include "game/board.h"
#include "game/modes.h"
#include "persistence/profile.h"
#include "persistence/records.h"
#include "platform/platform.h"
#include "render/text.h"
#include "resources/resources.h"
#include "ui/menu.h"
#include "ui/menu_local.h"
#include "ui/result_screens.h"
#include "ui/widgets.h"

namespace {

constexpr float kWidth = 470.0f;
constexpr float kHeight = 450.0f;
constexpr float kCaptionY = kHeight * 0.5f - 60.0f;
constexpr float kFirstRowY = kCaptionY - 45.0f;
constexpr float kRowStep = 25.0f;
constexpr float kNameX = -164.5f;
constexpr float kScoreX = 94.0f;
constexpr float kRowSize = 12.0f;
constexpr float kButtonY = -kHeight * 0.5f + 62.0f;
constexpr float kArrowOffset = 150.0f;
constexpr float kArrowHalf = 25.0f;

const char* const kDifficultyKeys[kAdventureDifficulties] = {"expertmode", "normalmode",
                                                             "zenmode"};

// A row under the current player's name.
bool ownRow(const HighScoreEntry& row) {
  const Profile* profile = currentProfileRecord();
  return profile && profile->name[0] != '\0' &&
         std::strncmp(row.name, profile->name, kScoreNameSize) == 0;
}

// The ten rows, name and score, the player's own lit.
void drawRows(const HighScoreEntry* rows) {
  for (int32_t k = 0; k < kTopScoreRows; ++k) {
    const float y = kFirstRowY - kRowStep * float(k);
    if (ownRow(rows[k])) {
      setHighlightTextColor();
    } else {
      setTextColor(255, 255, 255, 255);
    }
    char score[16];
    std::snprintf(score, sizeof score, "%i", rows[k].score);
    drawText(kNameX, y, kRowSize, rows[k].name, false);
    drawText(kScoreX, y, kRowSize, score, false);
  }
  setTextColor(255, 255, 255, 255);
}

// An arrow beside the button, clickable as the key it stands for.
void drawArrow(ControlKind kind, int32_t cell, float x) {
  drawAtlasCell(cell, x, kButtonY, 1.0f, kWhite);
  addControl(kind, x - kArrowHalf, kButtonY + kArrowHalf, x + kArrowHalf, kButtonY - kArrowHalf,
             kind == ControlKind::ArrowLeft ? "<" : ">");
}

}  // namespace

void drawHighScores() {
  const int32_t table = shownTopScoreTable();
  beginSquash();
  drawWindowAt(0.0f, 0.0f, kWidth, kHeight);
  setTextColor(255, 255, 155, 255);
  drawTextCentered(-70.0f, kCaptionY, 21.0f, menuNodeText(menu.screen));
  drawTextCentered(110.0f, kCaptionY, 17.0f, textOf(kDifficultyKeys[table]));
  drawRows(recordTables.topScores[table]);
  drawButton(0.0f, kButtonY, 170.0f, 64.0f, 19.0f, nullptr);
  drawArrow(ControlKind::ArrowLeft, kCellArrowLeft, -kArrowOffset);
  drawArrow(ControlKind::ArrowRight, kCellArrowRight, kArrowOffset);
  endSquash();
}

// The table of the profile's difficulty (normal's for a difficulty the tables do
// not have, in a damaged profile); the score of a game just lost is entered first.
void enterHighScores() {
  const Profile* profile = currentProfileRecord();
  menu.hiscoreTable = profile ? profile->storedDifficulty : Difficulty::Normal;
  if (modeState.resultPending) enterHighScore(currentLevelResult());
  menu.hiscoreTable = shownTopScoreTable();
}

// Left and Right show the previous and the next table, and that is all they do:
// the selection stays where it is.
int32_t highScoresKey(int32_t key) {
  if (key == VK_LEFT) menu.hiscoreTable = (menu.hiscoreTable + 2) % 3;
  if (key == VK_RIGHT) menu.hiscoreTable = (menu.hiscoreTable + 1) % 3;
  return key == VK_LEFT || key == VK_RIGHT ? 0 : key;
}

int32_t shownTopScoreTable() {
  const int32_t table = menu.hiscoreTable;
  return table >= 0 && table < kAdventureDifficulties ? table : Difficulty::Normal;
}


