// The box that tells of a failed save: once per folder, only where a box may
// open, answered by OK, Enter or Escape, and back to where the player was as it
// was, on the title menus and over the board.
#include <cerrno>
#include <cstring>
#include <string>

#include "app/scene.h"
#include "game/board.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "persistence/profile.h"
#include "platform/platform.h"
#include "ui_fixture.h"

namespace {

constexpr const char* kFolder = "/home/anna/.local/share/orbelquaint/settings";

class SaveProblemBox : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    sysResetFileReports();
    createProfile("ANNA");
  }
  void TearDown() override {
    sysResetFileReports();
    MenuTest::TearDown();
  }
  // A frame as the host scenes run it: the box's chance first, then the menus.
  void sceneFrame() {
    showSaveProblemWhenDue();
    frame();
  }
  void sceneFrames(int count) {
    for (int i = 0; i < count; ++i) sceneFrame();
  }
  // The box's chance, then frames until it has slid in.
  void boxChance() {
    sceneFrame();
    settle();
  }
  static void failToSave(const char* folder = kFolder) {
    sysReportSaveFailure(folder, EACCES);
  }
  static bool boxNames(const char* folder) {
    return saveProblemBoxShowing() && std::strstr(menu.messageText, folder) != nullptr;
  }
};

TEST_F(SaveProblemBox, OnTheTitleMenusItNamesTheFolderOnceAndEachAnswerLeadsBack) {
  open("main");
  press(VK_DOWN);
  press(VK_DOWN);
  for (const int32_t answer : {VK_RETURN, VK_ESCAPE}) {
    SCOPED_TRACE(answer);
    failToSave(answer == VK_RETURN ? kFolder : "/etc/orbel");
    boxChance();
    ASSERT_STREQ(currentMenuScreen(), "messageboxok");
    EXPECT_TRUE(boxNames(answer == VK_RETURN ? kFolder : "/etc/orbel")) << menu.messageText;
    EXPECT_NE(std::strstr(menu.messageText, std::strerror(EACCES)), nullptr) << "and why";
    EXPECT_EQ(std::strchr(menu.messageText, '%'), nullptr) << menu.messageText;
    press(answer);
    EXPECT_STREQ(currentMenuScreen(), "main");
    EXPECT_EQ(menu.selection, 2) << "the selection as it was";
    EXPECT_FALSE(saveProblemBoxShowing());
  }
  failToSave();
  sceneFrames(30);
  EXPECT_STREQ(currentMenuScreen(), "main") << "a folder is told of once";
}

TEST_F(SaveProblemBox, ItsOkButtonAnswersItAndAHiddenTitleStaysHidden) {
  open("main");
  press(VK_ESCAPE);
  ASSERT_TRUE(menu.menuHidden);
  failToSave();
  boxChance();
  ASSERT_TRUE(boxNames(kFolder));
  choose("OK");
  EXPECT_TRUE(menu.menuHidden) << "the backdrop alone, as before";
  EXPECT_EQ(menuFrame.visibleCount, 0);
}

TEST_F(SaveProblemBox, ItWaitsForASlideAndForAnotherBoxToBeAnswered) {
  open("main");
  menuKey(VK_RETURN);  // the adventure's map slides in after the title screen
  frame();
  failToSave();
  sceneFrame();
  EXPECT_FALSE(saveProblemBoxShowing()) << "never in the middle of a slide";
  settle();
  ASSERT_STREQ(currentMenuScreen(), "adventure");
  boxChance();
  ASSERT_TRUE(boxNames(kFolder));
  press(VK_RETURN);
  EXPECT_STREQ(currentMenuScreen(), "adventure");
  EXPECT_EQ(menu.backdrop, kBackdropMap);

  open("main");
  choose("Exit");
  ASSERT_STREQ(currentMenuScreen(), "messageboxyn");
  failToSave("/srv/games");
  sceneFrames(5);
  EXPECT_STREQ(currentMenuScreen(), "messageboxyn") << "the question is not hidden";
  choose("No");
  ASSERT_STREQ(currentMenuScreen(), "main");
  sceneFrame();
  EXPECT_TRUE(boxNames("/srv/games")) << "the first frame the question is gone";
}

TEST_F(SaveProblemBox, ANameBeingTypedIsKeptUnderTheBox) {
  open("newprofile");
  type("AB");
  failToSave();
  boxChance();
  ASSERT_TRUE(boxNames(kFolder));
  type("X");
  press(VK_RETURN);
  ASSERT_STREQ(currentMenuScreen(), "newprofile");
  EXPECT_STREQ(menu.editBuffer, "AB") << "no letter reached the entry under the box";
  type("C");
  EXPECT_STREQ(menu.editBuffer, "ABC") << "typing goes on where it stopped";
}

class SaveProblemInGame : public SaveProblemBox {
 protected:
  void SetUp() override {
    SaveProblemBox::SetUp();
    setCurrentSceneDirectly(&gameScene);
    gameState.running = true;
  }
};

TEST_F(SaveProblemInGame, ItOpensOverTheBoardLikeAnInGameScreenAndThePlayGoesOn) {
  failToSave();
  sceneFrame();
  EXPECT_TRUE(gameView.menuOpen) << "the board freezes under the box";
  settle();
  ASSERT_TRUE(boxNames(kFolder));
  press(VK_ESCAPE);
  EXPECT_FALSE(gameView.menuOpen) << "back to the board";
  EXPECT_TRUE(gameState.running);
  EXPECT_FALSE(saveProblemBoxShowing());

  gameKeyDown(VK_ESCAPE);
  settle();
  ASSERT_STREQ(currentMenuScreen(), "gameplay");
  press(VK_DOWN);
  failToSave("/var/games");
  boxChance();
  ASSERT_TRUE(boxNames("/var/games"));
  press(VK_RETURN);
  EXPECT_STREQ(currentMenuScreen(), "gameplay") << "the game menu, as it was";
  EXPECT_EQ(menu.selection, 1);
  EXPECT_TRUE(gameView.menuOpen);
}

TEST_F(SaveProblemInGame, ALevelsEndIsNeverCoveredNorDoesItCoverTheBox) {
  gameState.levelCompleteTimer = 500.0f;
  failToSave();
  sceneFrames(3);
  EXPECT_FALSE(saveProblemBoxShowing()) << "the level's celebration runs first";
  gameState.levelCompleteTimer = 0.0f;
  sceneFrame();
  ASSERT_TRUE(saveProblemBoxShowing());
  settle();
  openInGameScreen("defeat");
  sceneFrames(30);
  ASSERT_TRUE(boxNames(kFolder)) << "the screen asked for waits for the answer";
  press(VK_RETURN);
  settle();
  EXPECT_STREQ(currentMenuScreen(), "defeat");
  EXPECT_TRUE(gameView.menuOpen);
}

}  // namespace
