// screen_table.cpp: the game's menu screens and what each does beyond the
// controller's general rules: its drawing, its entry, its frame, its keys, the
// items it gives a meaning of its own, its way back and the answers of the boxes
// opened over it. A screen not listed here shows its items in the default window
// and follows the general rules alone; adding a screen is one entry.
#include "ui/help.h"
#include "ui/menu.h"
#include "ui/menu_local.h"
#include "ui/options.h"

namespace {

struct MenuScreen {
  const char* name;
  MenuScreenHooks hooks;
};

const MenuScreen kMenuScreens[] = {
    {"main",
     {.draw = drawTitleScreen, .enter = enterTitleScreen, .back = hideTitleScreen,
      .answer = answerOverTitle}},
    {"profiles",
     {.draw = drawProfileList, .enter = enterProfileList, .update = updateProfileList,
      .key = profileListKey, .answer = answerOverProfileList}},
    {"newprofile", {.draw = drawNameEntry, .enter = enterNewProfile, .key = refuseEscape}},
    {"rename", {.draw = drawNameEntry, .enter = enterRename}},
    {"loadgamequest",
     {.draw = drawSavedGameQuestion, .key = refuseEscape, .command = savedGameQuestionCommand,
      .question = true}},
    {"adventure",
     {.draw = drawAdventureChoice, .enter = enterLevelChoice, .update = updateAdventureChoice,
      .hover = hoverLevelChoice, .key = levelChoiceKey, .answer = answerOverLevelChoice}},
    {"zen",
     {.draw = drawZenChoice, .enter = enterLevelChoice, .hover = hoverLevelChoice,
      .key = levelChoiceKey, .answer = answerOverLevelChoice}},
    {"survival",
     {.draw = drawSurvivalChoice, .enter = enterSurvivalChoice, .update = updateSurvivalChoice,
      .key = survivalChoiceKey, .command = survivalChoiceCommand}},
    {"hiscore",
     {.draw = drawHighScores, .enter = enterHighScores, .key = highScoresKey,
      .back = leaveHighScores}},
    {"levelcomplete",
     {.draw = drawResultPanel, .enter = enterResultPanel, .update = updateResultPanel,
      .key = resultPanelKey, .holdsSaving = true}},
    {"defeat",
     {.draw = drawDefeatPanel, .key = refuseEscape, .command = defeatCommand,
      .answer = answerOverDefeat}},
    {"gameover", {.draw = drawDefeatPanel}},
    {"gameplay",
     {.draw = drawGameMenu, .command = gameMenuCommand, .back = backToBoard,
      .answer = answerOverGameMenu, .childrenReturnToBoard = true}},
    {"gameplaytip", {.key = escapeAsEnter}},
    {"replaywin", {.back = backToBoard}},
    {"replayloss", {.draw = drawGameMenu, .back = backToBoard}},
    {"messageboxok",
     {.draw = drawOkBox, .key = refuseEscape, .messageBox = true, .question = true}},
    {"messageboxyn", {.draw = drawYesNoBox, .messageBox = true, .question = true}},
    {"helpscreen",
     {.draw = drawHelpScreen, .enter = enterHelpScreen, .update = updateHelpScreen,
      .key = helpScreenKey, .command = helpScreenCommand}},
    {"options",
     {.draw = drawOptionsScreen, .enter = enterOptionsScreen, .update = updateOptionsScreen,
      .command = optionsCommand, .leave = leaveOptions}},
    {"audio", {.command = audioCommand}},
    {"video", {.command = videoCommand}},
    {"credits",
     {.draw = drawCredits, .enter = enterCredits, .update = updateCredits, .key = creditsKey,
      .keepsParent = true, .clickIsEnter = true}},
    {"new game", {.answer = answerOverNewGame}},
    {"monsters", {.back = leaveGallery}},
    {"bonuses", {.back = leaveGallery}},
    {"history", {.back = leaveGallery}},
};
static_assert(sizeof kMenuScreens / sizeof kMenuScreens[0] <= kMaxScreenHooks,
              "every listed screen fits the hooks table");

}  // namespace

void registerMenuScreens() {
  for (const MenuScreen& screen : kMenuScreens) registerMenuScreen(screen.name, screen.hooks);
}
