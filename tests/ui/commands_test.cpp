// The commands behind the items: players made, renamed and removed; saved games
// offered and declined; levels started with or without the running score; the
// lives spent from the in-game menus; leaving for the title and quitting.
#include <cstring>

#include "app/app.h"
#include "app/scene.h"
#include "game/board.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "persistence/profile.h"
#include "persistence/saved_games.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "render/text.h"
#include "resources/resources.h"
#include "ui_fixture.h"

namespace {

class Players : public MenuTest {};

TEST_F(Players, ATypedNameBecomesTheCurrentPlayerAndMainGreetsThem) {
  open("newprofile");
  type(" ANNA ");
  EXPECT_NE(visible(" ANNA "), nullptr) << "the field shows what was typed";
  press(VK_RETURN);
  ASSERT_EQ(profileTable.profileCount, 1);
  EXPECT_STREQ(profileTable.profiles[0].name, "ANNA") << "the spaces around it are dropped";
  EXPECT_STREQ(currentMenuScreen(), "main");
  bool greeted = false;
  for (int32_t i = 0; i < currentFrameTextCount(); ++i) {
    greeted = greeted || std::strcmp(currentFrameText(i), "Hello, ANNA!") == 0;
  }
  EXPECT_TRUE(greeted);
}

TEST_F(Players, EmptyAndTakenNamesAreRefusedAndNothingIsWritten) {
  createProfile("ANNA");
  open("newprofile");
  type("   ");
  press(VK_RETURN);
  EXPECT_STREQ(currentMenuScreen(), "newprofile") << "the entry opens again";
  EXPECT_EQ(soundsQueued("gaf.ogg"), 1);
  type("ANNA");
  press(VK_RETURN);
  EXPECT_STREQ(currentMenuScreen(), "newprofile");
  EXPECT_EQ(profileTable.profileCount, 1);
  press(VK_ESCAPE);
  EXPECT_STREQ(currentMenuScreen(), "newprofile") << "the only way on is a new name";
}

TEST_F(Players, ANinthPlayerIsRefusedOnTheList) {
  for (const char* name : {"A", "B", "C", "D", "E", "F", "G", "H"}) createProfile(name);
  open("profiles");
  while (std::strcmp(selectedMenuItem(), "newprofile") != 0) press(VK_DOWN);
  press(VK_RETURN);
  EXPECT_EQ(soundsQueued("gaf.ogg"), 1);
  EXPECT_STREQ(currentMenuScreen(), "profiles");
  EXPECT_FALSE(menuSliding());
  EXPECT_EQ(profileTable.profileCount, 8);
}

TEST_F(Players, RemovingTheLastPlayerLeadsToANewOne) {
  createProfile("ANNA");
  open("profiles");
  choose("Remove");
  ASSERT_STREQ(currentMenuScreen(), "messageboxyn");
  EXPECT_STREQ(menu.messageText, getText("removeplayer"));
  choose("Yes");
  EXPECT_EQ(profileTable.profileCount, 0);
  EXPECT_EQ(profileTable.currentProfile, 0);
  EXPECT_STREQ(currentMenuScreen(), "newprofile");
}

TEST_F(Players, RemovingOneOfTwoReturnsToTheList) {
  createProfile("ANNA");
  createProfile("BORIS");
  open("profiles");
  menu.focus = 0;
  choose("Remove");
  choose("Yes");
  ASSERT_EQ(profileTable.profileCount, 1);
  EXPECT_STREQ(profileTable.profiles[0].name, "BORIS");
  EXPECT_STREQ(currentMenuScreen(), "profiles");
}

TEST_F(Players, RenamingToAnotherPlayersNameIsRefused) {
  createProfile("ANNA");
  createProfile("BORIS");
  keepSavedGame(0);
  open("profiles");
  menu.focus = 1;
  choose("Rename");
  ASSERT_STREQ(currentMenuScreen(), "rename");
  EXPECT_STREQ(menu.editBuffer, "BORIS");
  press(VK_END);  // the caret starts before the old name
  for (int i = 0; i < 5; ++i) press(VK_BACK);
  type("ANNA");
  press(VK_RETURN);
  EXPECT_STREQ(currentMenuScreen(), "rename");
  EXPECT_STREQ(profileTable.profiles[1].name, "BORIS");
  EXPECT_STREQ(menu.editBuffer, "ANNA") << "the refused name stays to be corrected";
  press(VK_END);
  for (int i = 0; i < 4; ++i) press(VK_BACK);
  type("BOB");
  press(VK_RETURN);
  EXPECT_STREQ(profileTable.profiles[1].name, "BOB");
  EXPECT_STREQ(currentMenuScreen(), "profiles");
  EXPECT_EQ(settingsFile("BOB_adv.sav").size(), 99409u) << "the saved game goes with the name";
  EXPECT_TRUE(settingsFile("BORIS_adv.sav").empty());
}

class Games : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    createProfile("ANNA");
    profile = currentProfileRecord();
    for (uint8_t& pending : profile->helpShown) pending = 0;
    open("main");
  }
  Profile* profile = nullptr;
};

TEST_F(Games, DecliningASurvivalOfferForgetsOnlyTheSurvivalGame) {
  keepSavedGame(2);
  keepSavedGame(0);
  choose("Survival");
  ASSERT_STREQ(currentMenuScreen(), "loadgamequest");
  press(VK_ESCAPE);
  EXPECT_STREQ(currentMenuScreen(), "loadgamequest") << "Escape does not decline";
  choose("No");
  EXPECT_STREQ(currentMenuScreen(), "survival");
  EXPECT_FALSE(profile->survivalSaved);
  EXPECT_TRUE(profile->adventureSaved);
}

TEST_F(Games, AnotherLevelWithAScoreAsksBeforeTheScoreIsLost) {
  setCurrentLevel(2);
  profile->bestStage[Difficulty::Normal] = 4;
  setScore(500);
  choose("Adventure");
  ASSERT_STREQ(currentMenuScreen(), "adventure");
  EXPECT_EQ(settings.selectedMapLevel, 2) << "the map starts on the current level";
  settings.selectedMapLevel = 4;
  choose("Start");
  ASSERT_STREQ(currentMenuScreen(), "messageboxyn");
  EXPECT_STREQ(menu.messageText, getText("zeroscore"));
  choose("Yes");
  EXPECT_EQ(score(), 0);
  EXPECT_EQ(currentLevel(), 4);
  EXPECT_EQ(gameState.levelIndex, 4);
  endFrame();
  EXPECT_EQ(currentScene(), &gameScene);
}

TEST_F(Games, TheCurrentLevelContinuesWithTheRunningScore) {
  setCurrentLevel(2);
  setScore(500);
  choose("Adventure");
  choose("Start");
  EXPECT_EQ(score(), 500);
  EXPECT_EQ(gameState.levelIndex, 2);
  endFrame();
  EXPECT_EQ(currentScene(), &gameScene);
}

TEST_F(Games, AnAdventureWithoutLivesStartsAfresh) {
  profile->lives[Difficulty::Normal] = -1;
  profile->score[Difficulty::Normal] = 900;
  setStoredDifficulty(Difficulty::Zen);  // the last game chosen was zen
  choose("Adventure");
  EXPECT_EQ(profile->lives[Difficulty::Normal], kStartLives);
  EXPECT_EQ(profile->score[Difficulty::Normal], 0);
  EXPECT_EQ(profile->storedDifficulty, Difficulty::Normal);
}

TEST_F(Games, ExitAsksAndYesEndsTheProgram) {
  app.quitRequested = 0;
  choose("Exit");
  ASSERT_STREQ(currentMenuScreen(), "messageboxyn");
  choose("No");
  EXPECT_STREQ(currentMenuScreen(), "main");
  EXPECT_EQ(app.quitRequested, 0);
  choose("Exit");
  choose("Yes");
  EXPECT_EQ(app.quitRequested, 1);
}

class InGameCommands : public Games {
 protected:
  void SetUp() override {
    Games::SetUp();
    gameState.survival = false;
    gameState.difficulty = Difficulty::Normal;
    setCurrentSceneDirectly(&gameScene);
    startLevel(0);
  }
  void openGameMenu(const char* screen) {
    openInGameScreen(screen);
    settle();
  }
};

TEST_F(InGameCommands, RestartCostsALifeAfterTheQuestion) {
  openGameMenu("gameplay");
  choose("Restart level");
  ASSERT_STREQ(menu.messageText, getText("restartquest"));
  choose("No");
  EXPECT_FALSE(gameView.menuOpen) << "no closes the menu";
  EXPECT_EQ(lives(), kStartLives);
  openGameMenu("gameplay");
  choose("Restart level");
  choose("Yes");
  EXPECT_EQ(lives(), kStartLives - 1);
  EXPECT_FALSE(gameView.menuOpen);
}

TEST_F(InGameCommands, WithoutLivesRestartOffersToGiveUp) {
  setLives(0);
  openGameMenu("gameplay");
  choose("Restart level");
  ASSERT_STREQ(menu.messageText, getText("nomorelives"));
  choose("Yes");
  EXPECT_GT(gameState.defeatTimer, 0.0f) << "the defeat sequence runs";
  EXPECT_FALSE(gameView.menuOpen);
}

TEST_F(InGameCommands, SkippingALevelNeedsALife) {
  setLives(0);
  openGameMenu("defeat");
  choose("Skip level");
  ASSERT_STREQ(currentMenuScreen(), "messageboxok");
  choose("OK");
  EXPECT_STREQ(currentMenuScreen(), "defeat") << "OK goes back to the panel";
  setLives(2);
  choose("Skip level");
  choose("Yes");
  EXPECT_EQ(lives(), 1);
  EXPECT_EQ(currentLevel(), 1) << "the level counts as passed";
  EXPECT_EQ(gameState.levelIndex, 1);
}

TEST_F(InGameCommands, MainMenuBeforeTheFirstMoveGoesStraightToTheTitle) {
  openGameMenu("gameplay");
  choose("Main menu");
  EXPECT_STREQ(currentMenuScreen(), "main");
  EXPECT_FALSE(profile->adventureSaved);
  endFrame();
  EXPECT_EQ(currentScene(), &mapScene);
}

}  // namespace
