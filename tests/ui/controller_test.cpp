// The controller: screens sliding in and out, the keys, hiding the title screen,
// going back, and the in-game screens over a frozen board.
#include <cstring>

#include "app/scene.h"
#include "game/board.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "persistence/profile.h"
#include "platform/platform.h"
#include "render/text.h"
#include "resources/resources.h"
#include "ui_fixture.h"

namespace {

class Navigation : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    createProfile("ANNA");
    open("main");
  }
};

TEST_F(Navigation, EscapeOnMainHidesItAndTheNextKeyOrClickBringsItBack) {
  press(VK_ESCAPE);
  EXPECT_TRUE(menu.menuHidden);
  EXPECT_EQ(menuFrame.visibleCount, 0) << "only the backdrop shows";
  press('X');
  EXPECT_FALSE(menu.menuHidden);
  EXPECT_STREQ(currentMenuScreen(), "main");
  EXPECT_NE(visible("Adventure"), nullptr);

  press(VK_ESCAPE);
  ASSERT_TRUE(menu.menuHidden);
  clickAt(-300.0f, -100.0f);
  EXPECT_FALSE(menu.menuHidden);
  EXPECT_NE(visible("Adventure"), nullptr);
}

TEST_F(Navigation, ASecondEnterDuringTheSlideIsIgnored) {
  menuKey(VK_RETURN);
  frame();
  ASSERT_TRUE(menuSliding());
  menuKey(VK_RETURN);
  frame();
  settle();
  EXPECT_STREQ(currentMenuScreen(), "adventure") << "the first item's command ran";
  EXPECT_FALSE(sceneSwitch.sceneSwitchPending) << "the second Enter did not start a game";
  EXPECT_EQ(soundsQueued("menu.ogg"), 1);
}

TEST_F(Navigation, ADoubleClickOnAnItemRunsItsCommandOnce) {
  const VisibleItem* credits = visible("Credits");
  ASSERT_NE(credits, nullptr);
  doubleClickAt(credits->x, credits->y);
  EXPECT_STREQ(currentMenuScreen(), "credits") << "a second command would have left it";
}

TEST_F(Navigation, ArrowsWrapAndHoverSelectsOnlyWhenThePointerMoves) {
  press(VK_UP);
  EXPECT_EQ(menu.selection, -1) << "from the first item to the profiles link below the last";
  press(VK_UP);
  EXPECT_EQ(menu.selection, 6);
  press(VK_DOWN);
  press(VK_DOWN);
  EXPECT_EQ(menu.selection, 0);
  EXPECT_GE(soundsQueued("menu2.ogg"), 1) << "a new selection on an open screen clicks";
  const VisibleItem* zen = visible("Zen");
  ASSERT_NE(zen, nullptr);
  pointAt(zen->x, zen->y);
  frame();
  EXPECT_EQ(menu.selection, 1);
  press(VK_DOWN);
  frame();
  EXPECT_EQ(menu.selection, 2) << "a pointer at rest leaves the keys' choice";
}

TEST_F(Navigation, BackFromAScreenSelectsItInItsParentAndLeavingOptionsSavesAll) {
  choose("Options");
  ASSERT_STREQ(currentMenuScreen(), "options");
  press(VK_ESCAPE);
  EXPECT_STREQ(currentMenuScreen(), "main");
  EXPECT_STREQ(selectedMenuItem(), "options");
  EXPECT_FALSE(settingsFile("profiles.dat").empty());
}

TEST_F(Navigation, CreditsScrollUntilTheLastLineAndAnyKeyReturns) {
  choose("Credits");
  ASSERT_STREQ(currentMenuScreen(), "credits");
  EXPECT_EQ(menu.selection, -1);
  EXPECT_EQ(menuFrame.buttonCount, 0);
  for (int i = 0; i < 4000; ++i) frame(20.0f);
  const float lastLine =
      menu.creditsClock * 0.03f - 200.0f - 40.0f * float(menuTree.creditCount - 1);
  EXPECT_NEAR(lastLine, -10.0f, 1.0f) << "the scroll stops with the last line at y = -10";
  press('Q');
  EXPECT_STREQ(currentMenuScreen(), "main");
  EXPECT_STREQ(selectedMenuItem(), "credits");
}

TEST_F(Navigation, ProfilesLinkOpensTheProfilesOnTheCurrentPlayer) {
  createProfile("BORIS");
  frame();
  const VisibleItem* link = visible(getText("ifnotyou"));
  ASSERT_NE(link, nullptr);
  clickAt(link->x, link->y);
  EXPECT_STREQ(currentMenuScreen(), "profiles");
  EXPECT_EQ(menu.focus, 1);
  press(VK_ESCAPE);
  EXPECT_STREQ(currentMenuScreen(), "main") << "the players' list leads back to the title";
}

class InGame : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    createProfile("ANNA");
    setCurrentSceneDirectly(&gameScene);
    gameState.running = true;
  }
};

TEST_F(InGame, EscapeOpensTheGameMenuAndEscapeAgainResumes) {
  gameState.selected = {7, 7};
  gameKeyDown(VK_ESCAPE);
  EXPECT_TRUE(gameView.menuOpen);
  EXPECT_EQ(gameState.selected.x, -1);
  settle();
  EXPECT_NE(visible("Resume game"), nullptr);
  press(VK_ESCAPE);
  EXPECT_FALSE(gameView.menuOpen);
  EXPECT_TRUE(gameState.running);
}

TEST_F(InGame, PauseClosesTheMenuAndLeavesTheBoardWaitingForAKey) {
  openInGameScreen("gameplay");
  settle();
  choose("Pause");
  EXPECT_FALSE(gameView.menuOpen) << "the board shows its pause";
  EXPECT_FALSE(gameState.running);
  gameKeyDown('A');
  EXPECT_TRUE(gameState.running);
}

TEST_F(InGame, AScreenAskedForDuringASlideOpensWhenItEnds) {
  openInGameScreen("gameplay");
  settle();
  menuKey(VK_ESCAPE);
  frame();
  ASSERT_TRUE(menuSliding());
  openInGameScreen("helpscreen");
  settle();
  EXPECT_STREQ(currentMenuScreen(), "helpscreen");
  EXPECT_TRUE(gameView.menuOpen) << "the board stays frozen under its screen";
  choose("OK");
  EXPECT_FALSE(gameView.menuOpen);
}

// A click or key in the frame the game menu finishes sliding out after "Resume
// game" belongs to the slide: it neither runs an item of the closed menu nor
// starts a slide-out that the board, no longer frozen, would never let end.
TEST_F(InGame, InputAsTheGameMenuSlidesOutIsDropped) {
  openInGameScreen("gameplay");
  settle();
  const VisibleItem* restart = visible("Restart level");
  ASSERT_NE(restart, nullptr);
  const float x = restart->x, y = restart->y;
  for (const bool click : {true, false}) {
    openInGameScreen("gameplay");
    settle();
    menu.selection = 0;  // "Resume game"
    menuKey(VK_RETURN);
    frame();
    ASSERT_TRUE(menuSliding());
    if (click) {
      pointAt(x, y);
      menuClick();
      menuButtonUp();
    } else {
      menuKey(VK_RETURN);
    }
    frame(400.0f);
    EXPECT_FALSE(gameView.menuOpen) << (click ? "click" : "key");
    EXPECT_FALSE(menuSliding()) << (click ? "click" : "key");
    EXPECT_STREQ(currentMenuScreen(), "gameplay") << "no question about restarting";
  }
}

TEST_F(InGame, TheResultPanelTakesEscapeAsEnterAndLeadsToTheModeScreen) {
  gameState.difficulty = Difficulty::Zen;
  gameState.levelScore = 2000;  // counted up for two seconds
  openInGameScreen("levelcomplete");
  settle();
  press(VK_ESCAPE);
  ASSERT_STREQ(currentMenuScreen(), "levelcomplete") << "the first one ends the count-up";
  press(VK_ESCAPE);
  EXPECT_STREQ(currentMenuScreen(), "zen");
  EXPECT_EQ(menu.backdrop, kBackdropMap);
  endFrame();
  EXPECT_EQ(currentScene(), &mapScene);
}

}  // namespace
