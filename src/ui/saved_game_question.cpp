// saved_game_question.cpp: the saved-game question ("loadgamequest"): which game
// is on offer, how far it had come, and the two answers as buttons.
#include "game/board.h"
#include "game/game.h"
#include "persistence/profile.h"
#include "render/text.h"
#include "resources/resources.h"
#include "ui/menu.h"
#include "ui/menu_local.h"
#include "ui/result_screens.h"
#include "ui/widgets.h"

namespace {

constexpr float kWidth = 540.0f;
constexpr float kHeight = 350.0f;
constexpr float kTop = kHeight * 0.5f;

// The caption naming the game on offer: the kind the player just chose.
const char* offerCaptionKey() {
  const bool expert = gameState.difficulty == Difficulty::Expert;
  if (gameState.survival) return expert ? "loadsurexp" : "loadsurnorm";
  if (gameState.difficulty == Difficulty::Zen) return "zenmode";
  return expert ? "loadexpertmode" : "loadnormmode";
}

// Survival: the start level and the score when it was saved; otherwise the zone,
// stage and running score of the profile's difficulty.
void formatProgress(char* out, size_t capacity) {
  const Profile* profile = currentProfileRecord();
  if (!profile) {
    out[0] = '\0';
    return;
  }
  if (gameState.survival) {
    const TextField fields[] = {{nullptr, int64_t(profile->survivalStartLevel) + 1},
                                {nullptr, profile->savedSurvivalScore}};
    formatTextFields(textOf("surlevscore"), fields, 2, out, capacity);
    return;
  }
  const int32_t d = profile->storedDifficulty >= 0 && profile->storedDifficulty < 3
                        ? profile->storedDifficulty
                        : Difficulty::Normal;
  const TextField fields[] = {{nullptr, int64_t(profile->zone[d]) + 1},
                              {nullptr, int64_t(profile->stage[d]) + 1},
                              {nullptr, profile->score[d]}};
  formatTextFields(textOf("zonelevscore"), fields, 3, out, capacity);
}

}  // namespace

void drawSavedGameQuestion() {
  beginSquash();
  drawWindowAt(0.0f, 0.0f, kWidth, kHeight);
  setTextColor(255, 255, 55, 255);
  drawTextCentered(0.0f, kTop - 65.0f, 19.0f, textOf(offerCaptionKey()));
  setTextColor(255, 255, 255, 255);
  drawTextCentered(0.0f, kTop - 110.0f, 15.0f, textOf("loadmsg"));
  char progress[96];
  formatProgress(progress, sizeof progress);
  setTextColor(255, 255, 55, 255);
  drawTextCentered(0.0f, kTop - 150.0f, 17.0f, progress);
  setTextColor(255, 255, 255, 255);
  const float buttonY = -kTop + 57.0f;
  drawButton(-110.4f, buttonY, 135.0f, 64.0f, 17.0f, nullptr);
  drawButton(110.4f, buttonY, 135.0f, 64.0f, 17.0f, nullptr);
  endSquash();
}
