// commands.cpp: what each item does when chosen (after the slide-out that Enter
// started), the way back from a screen, and the way to a finished game's screen.
// The selected item's name is compared with the table in order; an item that is
// no command opens as a screen.
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
#include "scenery/scenery.h"
#include "ui/menu.h"
#include "ui/menu_local.h"
#include "ui/options.h"

namespace {

bool same(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

const char* parentName() { return menuNodeName(menuParent(menu.screen)); }

bool insideGame() { return gameHooks.boardSceneCurrent(); }

void showTextBox(const char* key, bool okOnly) { showMessageBox(getText(key), okOnly); }

void toTitle() {
  menuHooks.showTitleScene();
  openScreenByName("main");
}

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
  if (const char* next = getText("nextstage")) spawnFlyingText(next, 0.0f, 30.0f, 18.0f);
  if (!getText("stagename1")) return;
  const char* zone = getTextByIndex(getTextIndex("stagename1") + zoneOf());
  if (zone) spawnFlyingText(zone, 0.0f, -10.0f, 20.0f);
}

// After a zone was completed the board waits for a key, the scenery moving on.
void waitAfterZone() {
  queueNextBackground(gameState.levelIndex + 1);
  gameState.running = false;
  gameState.menuOpen = false;
  if (!gameView.adventureFinished) showZoneCaptions();
}

// A lives count of 0 or less leaves nothing to spend.
bool hasLifeToSpend() { return lives() > 0; }

void resetSpentDifficulty() {
  const Profile* profile = currentProfileRecord();
  if (profile && profile->lives[profile->storedDifficulty] < 0) resetDifficulty();
}

// ---------------------------------------------------------------------------
// Commands

void resumeGame() { closeOverlay(); }

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
    closeOverlay();
  } else if (!isCurrentScreen("gameplay")) {
    startCurrentLevel();
    closeOverlay();
  } else {
    showTextBox(hasLifeToSpend() ? "restartquest" : "nomorelives", false);
  }
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
  if (isCurrentScreen("defeat")) {
    toTitle();
  } else if (saveGame()) {
    showTextBox("savemsg", true);
  } else {
    toTitle();
  }
}

// The board waits for a key or click; the menu makes way for the pause.
void relax() {
  gameState.running = false;
  closeOverlay();
}

void nextLevel() {
  if (!gameView.zoneCompleted) {
    goToModeScreen();
  } else {
    waitAfterZone();
  }
}

void answerOk() {
  if (answerSaveProblem()) return;
  if (isCurrentScreen("helpscreen")) {
    if (insideGame()) {
      closeOverlay();
    } else {
      goBack();
    }
  } else if (!same(parentName(), "new game") && !same(parentName(), "defeat")) {
    toTitle();
  } else {
    goBack();
  }
}

void answerBack() {
  if (isCurrentScreen("hiscore") && insideGame()) {
    menu.backdrop = kBackdropTitle;
    menuHooks.showTitleScene();
  }
  goBack();
}

void openModeScreen() {
  if (gameState.survival) {
    openScreenByName("survival");
  } else {
    openScreenByName(gameState.difficulty == Difficulty::Zen ? "zen" : "adventure");
  }
}

void answerNo() {
  if (isCurrentScreen("loadgamequest")) {
    forgetSavedGame(currentSavedGameKind());
    openModeScreen();
    return;
  }
  if (same(parentName(), "adventure") || same(parentName(), "zen")) {
    const Profile* profile = currentProfileRecord();
    if (profile) gameState.difficulty = profile->storedDifficulty;
  }
  goBack();
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
  advanceProgress(&gameView.zoneCompleted, &gameView.adventureFinished);
  if (gameView.zoneCompleted) {
    gameState.levelCompleteTimer = -1.0f;
    gameState.defeatTimer = 0.0f;
    waitAfterZone();
  } else {
    startCurrentLevel();
  }
}

void restartConfirmed() {
  if (lives() != 0) {
    takeLife();
    startCurrentLevel();
  } else {
    startDefeat();
    closeOverlay();
  }
}

void answerYes() {
  if (isCurrentScreen("loadgamequest")) {
    if (loadGame()) {
      menuHooks.showGameScene();
    } else {
      openModeScreen();
    }
    return;
  }
  const char* parent = parentName();
  if (same(parent, "main")) {
    menuHooks.quitProgram();
  } else if (same(parent, "profiles")) {
    removeConfirmed();
  } else if (same(parent, "adventure") || same(parent, "zen")) {
    setScore(0);
    setCurrentLevel(selectedLevel());
    startCurrentLevel();
    menuHooks.showGameScene();
  } else if (same(parent, "gameplay")) {
    restartConfirmed();
  } else if (same(parent, "defeat")) {
    skipConfirmed();
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
  gameState.survival = false;
  const bool expert = profile && profile->adventureExpert;
  gameState.difficulty = expert ? Difficulty::Expert : Difficulty::Normal;
  setStoredDifficulty(gameState.difficulty);
  resetSpentDifficulty();
  offerOrOpen(SavedGameKind::Adventure);
}

void chooseZen() {
  gameState.survival = false;
  gameState.difficulty = Difficulty::Zen;
  setStoredDifficulty(Difficulty::Zen);
  resetSpentDifficulty();
  offerOrOpen(SavedGameKind::Zen);
}

void chooseSurvival() {
  const Profile* profile = currentProfileRecord();
  gameState.survival = true;
  menu.survivalStartLevel = int16_t(profile ? profile->survivalStartLevel : 0);
  gameState.difficulty =
      profile && profile->survivalExpert ? Difficulty::Expert : Difficulty::Normal;
  offerOrOpen(SavedGameKind::Survival);
}

void askQuit() { showTextBox("quit", false); }

void startChosenLevel() {
  Profile* profile = currentProfileRecord();
  if (isCurrentScreen("survival")) {
    gameState.survival = true;
    if (profile) profile->survivalStartLevel = menu.survivalStartLevel;
    menuHooks.showGameScene();
    startLevel(menu.survivalStartLevel);
    return;
  }
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

void applyAndGoBack() {
  applyOptions();
  goBack();
}

void resetScreenOptions() {
  resetOptions(currentMenuScreen());
  openScreen(menu.screen);
}

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
    {"ok", answerOk},                {"back", answerBack},
    {"cancel", answerBack},          {"no", answerNo},
    {"yes", answerYes},              {"adventure", chooseAdventure},
    {"zen", chooseZen},              {"survival", chooseSurvival},
    {"exit", askQuit},               {"start", startChosenLevel},
    {"apply", applyAndGoBack},       {"default", resetScreenOptions},
};

}  // namespace

void runMenuCommand() {
  const int32_t node = menuItemNode(menu.screen, menu.selection);
  if (node < 0) return;
  const char* item = menuNodeName(node);
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
  if (!same(menuNodeName(node), "credits")) setMenuParent(node, menu.screen);
  openScreen(node);
}

void goBack() {
  const int32_t screen = menu.screen;
  const int32_t parent = menuParent(screen);
  // Leaving the options saves them, also when they were opened over the board.
  if (isCurrentScreen("options")) saveAll();
  if (isCurrentScreen("gameplay") || isCurrentScreen("replaywin") ||
      isCurrentScreen("replayloss") || same(parentName(), "gameplay")) {
    closeOverlay();
    return;
  }
  if (isCurrentScreen("main")) {
    menu.menuHidden = true;
    return;
  }
  // The high scores shown after the last life lead back to the title menus.
  if (isCurrentScreen("hiscore") && insideGame()) {
    menu.backdrop = kBackdropTitle;
    toTitle();
    return;
  }
  if (isCurrentScreen("monsters") || isCurrentScreen("bonuses") || isCurrentScreen("history")) {
    menu.backdrop = kBackdropTitle;
  }
  // A screen nothing leads back from: the overlay closes, or the title menus open.
  if (parent < 0) {
    if (insideGame()) {
      closeOverlay();
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
  if (gameView.adventureFinished) {
    menu.backdrop = kBackdropTitle;
    openScreenByName("main");
    return;
  }
  menu.backdrop = kBackdropMap;
  openModeScreen();
}
