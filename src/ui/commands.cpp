// commands.cpp: what each item does when chosen (after the slide-out that Enter
// started), the answers of the message boxes, the way back from a screen, and the
// way to a finished game's screen. The current screen's own commands come first;
// then the selected item's name is compared with the general table in order; an
// item that is no command opens as a screen.
#include <cstdio>
#include <cstring>

#include "audio/audio.h"
#include "game/board.h"
#include "game/game.h"
#include "game/modes.h"
#include "game/saved_game.h"
#include "persistence/profile.h"
#include "persistence/profile_file.h"
#include "persistence/saved_games.h"
#include "persistence/settings.h"
#include "render/text.h"
#include "resources/resources.h"
#include "ui/menu.h"
#include "ui/menu_local.h"

namespace {

bool same(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

void showTextBox(const char* key, bool okOnly) { showMessageBox(textOf(key), okOnly); }

void playCurrentLevel() {
  menuHooks.showGameScene();
  startCurrentLevel();
}

// The profile a command acts on: the focused one, else the current one.
int32_t focusedProfile() {
  if (menu.focus >= 0 && menu.focus < profileTable.profileCount) return menu.focus;
  return profileTable.currentProfile;
}

// The typed name without the spaces around it; false when nothing is left.
bool typedName(char* out, size_t capacity) {
  const char* start = menu.editBuffer;
  while (*start == ' ') ++start;
  size_t length = std::strlen(start);
  while (length > 0 && start[length - 1] == ' ') --length;
  std::snprintf(out, capacity, "%.*s", int(length), start);
  return length > 0;
}

bool nameTakenByAnother(const char* name, int32_t except) {
  for (int32_t i = 0; i < profileTable.profileCount; ++i) {
    if (i != except && same(profileTable.profiles[i].name, name)) return true;
  }
  return false;
}

// A refused name: the screen opens again for another try.
void refuseName() {
  playSound("gaf.ogg");
  openScreen(menu.screen);
}

void showZoneCaptions() {
  spawnFlyingText(textOf("nextstage"), 0.0f, 30.0f, 18.0f);
  spawnFlyingText(textAfter("stagename1", zoneOf()), 0.0f, -10.0f, 20.0f);
}

// After a zone was completed the board waits for a key, the scenery moving on and
// the next zone named (unless the adventure is over).
void captionCompletedZone() {
  if (!gameState.adventureFinished) showZoneCaptions();
}

// A lives count of 0 or less leaves nothing to spend.
bool hasLifeToSpend() { return lives() > 0; }

void resetSpentDifficulty() {
  const Profile* profile = currentProfileRecord();
  if (profile && profile->lives[profile->storedDifficulty] < 0) resetDifficulty();
}

// ---------------------------------------------------------------------------
// Commands

void resumeGame() { closeGameMenu(); }

void skipLevel() {
  if (!hasLifeToSpend()) {
    showTextBox("noskiplevel", true);
  } else {
    showTextBox("skipquest", false);
  }
}

void restartLevel() {
  if (gameState.survival) {
    const Profile* profile = currentProfileRecord();
    startLevel(profile ? profile->survivalStartLevel : 0);
  } else {
    startCurrentLevel();
  }
  closeGameMenu();
}

void chooseProfile() {
  selectProfile(focusedProfile());
  openScreenByName("main");
}

void renameChosenProfile() {
  const int32_t index = focusedProfile();
  const bool exists = index >= 0 && index < profileTable.profileCount;
  std::snprintf(menu.editBuffer, sizeof menu.editBuffer, "%s",
                exists ? profileTable.profiles[index].name : "");
  menu.renameIndex = index;
  openChildScreen(menuItemNode(menu.screen, menu.selection));
}

void confirmRename() {
  char name[kMaxNameLength + 1];
  if (typedName(name, sizeof name) && !nameTakenByAnother(name, menu.renameIndex) &&
      renameStoredProfile(menu.renameIndex, name)) {
    openScreenByName("profiles");
  } else {
    refuseName();
  }
}

void removeChosenProfile() {
  menu.renameIndex = focusedProfile();
  showTextBox("removeplayer", false);
}

void confirmNewProfile() {
  char name[kMaxNameLength + 1];
  if (typedName(name, sizeof name) && createStoredProfile(name)) {
    openScreenByName("main");
  } else {
    refuseName();
  }
}

void leaveForMain() {
  if (saveGame()) {
    showTextBox("savemsg", true);
  } else {
    toTitle();
  }
}

// The board waits for a key or click; the menu makes way for the pause.
void relax() { closeGameMenuPaused(); }

void nextLevel() {
  if (!gameState.zoneCompleted) {
    goToModeScreen();
  } else {
    waitAfterZone();
    captionCompletedZone();
  }
}

// A box's answer as the screen under it takes it; false when it leaves the answer
// to the general way.
bool screenUnderAnswers(MenuAnswer answer) {
  const MenuScreenHooks under = screenHooksOf(menuParent(menu.screen));
  return under.answer && under.answer(answer);
}

void answerOk() {
  if (answerSaveProblem()) return;
  if (!screenUnderAnswers(MenuAnswer::Ok)) toTitle();
}

void answerYes() { screenUnderAnswers(MenuAnswer::Yes); }

void answerNo() {
  if (!screenUnderAnswers(MenuAnswer::No)) goBack();
}

void openModeScreen() {
  if (gameState.survival) {
    openScreenByName("survival");
  } else {
    openScreenByName(gameState.difficulty == Difficulty::Zen ? "zen" : "adventure");
  }
}

void removeConfirmed() {
  removeStoredProfile(menu.renameIndex);
  menu.renameIndex = menu.renameIndex > 0 ? menu.renameIndex - 1 : 0;
  if (profileTable.profileCount > 0) {
    goBack();
  } else {
    menu.renameIndex = 0;
    openScreenByName("newprofile");
    menu.focus = 0;
  }
}

void skipConfirmed() {
  takeLife();
  if (passLostLevel()) captionCompletedZone();
}

void restartConfirmed() {
  if (lives() != 0) {
    takeLife();
    startCurrentLevel();
  } else {
    startDefeat();
    closeGameMenu();
  }
}

// The saved game of the kind just chosen is offered first.
void offerOrOpen(SavedGameKind kind) {
  if (savedGameLoadable(kind)) {
    openScreenByName("loadgamequest");
  } else {
    openChildScreen(menuItemNode(menu.screen, menu.selection));
  }
}

// The difficulty is chosen first, so the test for spent lives looks at the
// difficulty about to be played.
void chooseAdventure() {
  const Profile* profile = currentProfileRecord();
  const bool expert = profile && profile->adventureExpert;
  const int32_t difficulty = expert ? Difficulty::Expert : Difficulty::Normal;
  chooseGame(false, difficulty);
  setStoredDifficulty(difficulty);
  resetSpentDifficulty();
  offerOrOpen(SavedGameKind::Adventure);
}

void chooseZen() {
  chooseGame(false, Difficulty::Zen);
  setStoredDifficulty(Difficulty::Zen);
  resetSpentDifficulty();
  offerOrOpen(SavedGameKind::Zen);
}

void chooseSurvival() {
  const Profile* profile = currentProfileRecord();
  menu.survivalStartLevel = int16_t(profile ? profile->survivalStartLevel : 0);
  chooseGame(true, profile && profile->survivalExpert ? Difficulty::Expert : Difficulty::Normal);
  offerOrOpen(SavedGameKind::Survival);
}

void askQuit() { showTextBox("quit", false); }

// The level chosen on the map, continuing the running score when it is the level
// reached in the difficulty stored.
void startChosenLevel() {
  const Profile* profile = currentProfileRecord();
  const int32_t difficulty = gameState.difficulty;
  const bool sameDifficulty = profile && profile->storedDifficulty == difficulty;
  if (selectedLevel() == currentLevel() && sameDifficulty) {
    playCurrentLevel();
  } else if (profile && difficulty >= 0 && difficulty < 3 && profile->score[difficulty] > 0) {
    showTextBox("zeroscore", false);
  } else {
    setCurrentLevel(selectedLevel());
    playCurrentLevel();
  }
}

void reopenCurrentScreen() { openScreen(menu.screen); }

struct Command {
  const char* item;
  void (*run)();
};
const Command kCommands[] = {
    {"resume game", resumeGame},     {"skip level", skipLevel},
    {"restart level", restartLevel}, {"selectprofile", chooseProfile},
    {"rename", renameChosenProfile}, {"okrename", confirmRename},
    {"remove", removeChosenProfile}, {"oknewprofile", confirmNewProfile},
    {"okcontinuegame", resumeGame},  {"main", leaveForMain},
    {"relax", relax},                {"oknextlevel", nextLevel},
    {"ok", answerOk},                {"back", goBack},
    {"cancel", goBack},              {"no", answerNo},
    {"yes", answerYes},              {"adventure", chooseAdventure},
    {"zen", chooseZen},              {"survival", chooseSurvival},
    {"exit", askQuit},               {"start", startChosenLevel},
    {"apply", goBack},               {"default", reopenCurrentScreen},
};

}  // namespace

bool insideGame() { return gameHooks.boardSceneCurrent(); }

void toTitle() {
  menuHooks.showTitleScene();
  openScreenByName("main");
}

void runMenuCommand() {
  const int32_t node = menuItemNode(menu.screen, menu.selection);
  if (node < 0) return;
  const char* item = menuNodeName(node);
  const MenuScreenHooks screen = screenHooksOf(menu.screen);
  if (screen.command && screen.command(item)) return;
  for (const Command& command : kCommands) {
    if (same(item, command.item)) {
      command.run();
      return;
    }
  }
  openChildScreen(node);
}

void openChildScreen(int32_t node) {
  if (node < 0) return;
  if (!screenHooksOf(node).keepsParent) setMenuParent(node, menu.screen);
  openScreen(node);
}

void goBack() {
  const int32_t screen = menu.screen;
  const int32_t parent = menuParent(screen);
  const MenuScreenHooks own = screenHooksOf(screen);
  if (own.leave) own.leave();
  if (screenHooksOf(parent).childrenReturnToBoard) {
    closeGameMenu();
    return;
  }
  if (own.back && own.back()) return;
  // A screen nothing leads back from: the overlay closes, or the title menus open.
  if (parent < 0) {
    if (insideGame()) {
      closeGameMenu();
    } else {
      openScreenByName("main");
    }
    return;
  }
  openScreen(parent);
  if (menu.screen != parent) return;
  const int32_t index = menuItemIndex(parent, menuNodeName(screen));
  menu.selection = index < 0 ? 0 : index;
}

void goToModeScreen() {
  menuHooks.showTitleScene();
  if (gameState.adventureFinished) {
    menu.backdrop = kBackdropTitle;
    openScreenByName("main");
    return;
  }
  menu.backdrop = kBackdropMap;
  openModeScreen();
}

// ---------------------------------------------------------------------------
// The screens' own commands, answers and ways back

bool answerOverTitle(MenuAnswer answer) {
  if (answer != MenuAnswer::Yes) return false;
  menuHooks.quitProgram();
  return true;
}

bool answerOverProfileList(MenuAnswer answer) {
  if (answer != MenuAnswer::Yes) return false;
  removeConfirmed();
  return true;
}

// Yes: the chosen level starts with the difficulty's score at 0. No: the
// difficulty played is the stored one again.
bool answerOverLevelChoice(MenuAnswer answer) {
  if (answer == MenuAnswer::Yes) {
    setScore(0);
    setCurrentLevel(selectedLevel());
    startCurrentLevel();
    menuHooks.showGameScene();
    return true;
  }
  if (answer != MenuAnswer::No) return false;
  const Profile* profile = currentProfileRecord();
  if (profile) setDifficulty(profile->storedDifficulty);
  goBack();
  return true;
}

bool answerOverGameMenu(MenuAnswer answer) {
  if (answer != MenuAnswer::Yes) return false;
  restartConfirmed();
  return true;
}

bool answerOverDefeat(MenuAnswer answer) {
  if (answer == MenuAnswer::Yes) {
    skipConfirmed();
  } else if (answer == MenuAnswer::Ok) {
    goBack();
  } else {
    return false;
  }
  return true;
}

bool answerOverNewGame(MenuAnswer answer) {
  if (answer != MenuAnswer::Ok) return false;
  goBack();
  return true;
}

// A restart from the game menu costs a life, so it is asked first (survival
// restarts at once).
bool gameMenuCommand(const char* item) {
  if (!same(item, "restart level") || gameState.survival) return false;
  showTextBox(hasLifeToSpend() ? "restartquest" : "nomorelives", false);
  return true;
}

// After a lost life there is no game worth saving.
bool defeatCommand(const char* item) {
  if (!same(item, "main")) return false;
  toTitle();
  return true;
}

bool helpScreenCommand(const char* item) {
  if (!same(item, "ok")) return false;
  if (insideGame()) {
    closeGameMenu();
  } else {
    goBack();
  }
  return true;
}

// Yes plays the saved game (or, when it cannot load, says so over the game's own
// screen); no forgets it and shows the game's own screen.
bool savedGameQuestionCommand(const char* item) {
  if (same(item, "yes")) {
    if (loadGame()) {
      menuHooks.showGameScene();
    } else {
      openModeScreen();
    }
    return true;
  }
  if (!same(item, "no")) return false;
  forgetSavedGame(currentSavedGameKind());
  openModeScreen();
  return true;
}

// The survival game from the chosen start level, which the profile keeps.
bool survivalChoiceCommand(const char* item) {
  if (!same(item, "start")) return false;
  chooseGame(true, gameState.difficulty);
  if (Profile* profile = currentProfileRecord()) {
    profile->survivalStartLevel = menu.survivalStartLevel;
  }
  menuHooks.showGameScene();
  startLevel(menu.survivalStartLevel);
  return true;
}

bool backToBoard() {
  closeGameMenu();
  return true;
}

// The title backdrop stays alone until a key or click.
bool hideTitleScreen() {
  menu.menuHidden = true;
  return true;
}

// The high scores shown after the last life lead back to the title menus.
bool leaveHighScores() {
  if (!insideGame()) return false;
  menu.backdrop = kBackdropTitle;
  toTitle();
  return true;
}

bool leaveGallery() {
  menu.backdrop = kBackdropTitle;
  return false;
}

// Leaving the options saves them, also when they were opened over the board.
void leaveOptions() { saveAll(); }
