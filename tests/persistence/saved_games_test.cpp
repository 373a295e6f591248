// Saved games: their file names, when saving is refused, and resuming.
#include <gtest/gtest.h>

#include <cstring>

#include "app/scene.h"
#include "game/board.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "game/modes.h"
#include "game/save_image.h"
#include "game/saved_game.h"
#include "persistence/profile.h"
#include "persistence/saved_games.h"
#include "persistence_fixture.h"
#include "platform/platform.h"
#include "test_support.h"
#include "ui/menu.h"

namespace {

const char* const kLevel =
    "hammer=no\r\njockerfrequency=1000000\r\nlevel=\r\n"
    "....................\r\n.0000000000.........\r\n.0aa01b0000.........\r\n"
    ".0000000000.........\r\n\r\n";

std::string fileName(const char* profile, SavedGameKind kind) {
  char out[kMaxSavedGameName];
  savedGameFileName(profile, kind, out, sizeof out);
  return out;
}

class SavedGameTest : public PersistenceTest {
 protected:
  void SetUp() override {
    PersistenceTest::SetUp();
    testMakeDirectories((data_ + "/levels").c_str());
    testWriteFile(data_ + "/levels/tut1_01.lvl", kLevel);
    createProfile("ANNA");
    for (uint8_t& pending : currentProfileRecord()->helpShown) pending = 0;
    resetGame();
    ASSERT_TRUE(testLoadMenus());
    resetMenus();
    gameState.difficulty = Difficulty::Normal;
    setStoredDifficulty(Difficulty::Normal);
    setCurrentSceneDirectly(&gameScene);
    startLevel(0);
    gameState.moves = 1;
  }
  bool fileSaved(const char* name) const { return settingsFile(name).size() == kSaveImageSize; }
};

TEST(SavedGameName, KindsAndNamesMakeTheFileName) {
  EXPECT_EQ(fileName("ANNA", SavedGameKind::Adventure), "ANNA_adv.sav");
  EXPECT_EQ(fileName("ANNA B2", SavedGameKind::Zen), "ANNA B2_zen.sav");
  EXPECT_EQ(fileName("ANNA", SavedGameKind::Survival), "ANNA_sur.sav");
}

TEST(SavedGameName, ANameFromADamagedFileNeverLeavesTheFolder) {
  const std::string name = fileName("../../etc/x", SavedGameKind::Adventure);
  EXPECT_EQ(name.find('/'), std::string::npos);
  EXPECT_EQ(name.find(".."), std::string::npos);
  EXPECT_EQ(name, "%2E%2E%2F%2E%2E%2F%65%74%63%2F%78_adv.sav");
  EXPECT_EQ(fileName("a/", SavedGameKind::Zen), "%61%2F_zen.sav");
  EXPECT_EQ(fileName("", SavedGameKind::Zen), "_zen.sav");
}

TEST_F(SavedGameTest, ADuringPlaySaveWritesTheFileAndSetsTheFlag) {
  ASSERT_TRUE(saveGame());
  EXPECT_TRUE(fileSaved("ANNA_adv.sav"));
  EXPECT_TRUE(savedGameOffered(SavedGameKind::Adventure));
  EXPECT_FALSE(savedGameOffered(SavedGameKind::Zen));

  gameState.survival = true;
  gameState.levelScore = 4321;
  ASSERT_TRUE(saveGame());
  EXPECT_TRUE(fileSaved("ANNA_sur.sav"));
  EXPECT_EQ(currentProfileRecord()->savedSurvivalScore, 4321);
  EXPECT_TRUE(currentProfileRecord()->survivalSaved);
}

TEST_F(SavedGameTest, SavingIsRefusedOutsidePlay) {
  const auto refused = [&](const char* why) {
    EXPECT_FALSE(saveGame()) << why;
    EXPECT_FALSE(savedGameOffered(SavedGameKind::Adventure)) << why;
  };
  gameState.moves = 0;
  refused("before the first move");
  gameState.moves = 1;
  gameState.levelCompleteTimer = 4000.0f;
  refused("during the level-complete sequence");
  gameState.levelCompleteTimer = -1.0f;
  refused("after the level-complete sequence");
  gameState.levelCompleteTimer = 0.0f;
  gameState.defeatTimer = 10.0f;
  refused("during the defeat sequence");
  gameState.defeatTimer = 0.0f;
  modeState.resultPending = true;
  refused("while a result waits for the high scores");
  modeState.resultPending = false;
  openInGameScreen("levelcomplete");
  refused("over the level result");
  gameView.menuOpen = false;
  setCurrentSceneDirectly(&mapScene);
  refused("on the map");
  EXPECT_TRUE(settingsFile("ANNA_adv.sav").empty());
}

TEST_F(SavedGameTest, AFailedWriteIsNotOfferedLater) {
  testMakeDirectories(settingsPath("ANNA_adv.sav").c_str());  // a folder in the file's way
  EXPECT_FALSE(saveGame());
  EXPECT_FALSE(savedGameOffered(SavedGameKind::Adventure));
  EXPECT_EQ(fileCount(data_ + "/settings"), 1) << "no temporary file is left";
}

TEST_F(SavedGameTest, LoadingRestartsTheLevelAndReadsTheSavedGameOverIt) {
  cellAt(15, 7).ballValue = 3;
  gameState.moves = 6;
  gameState.levelScore = 250;
  ASSERT_TRUE(saveGame());
  setCurrentLevel(0);
  loadGame();
  EXPECT_EQ(cellAt(15, 7).ballValue, 3);
  EXPECT_EQ(gameState.moves, 6);
  EXPECT_EQ(gameState.levelScore, 250);

  forgetSavedGame(SavedGameKind::Adventure);
  EXPECT_TRUE(fileSaved("ANNA_adv.sav")) << "the file stays";
  loadGame();
  EXPECT_EQ(cellAt(15, 7).ballValue, Ball::Empty) << "a game without its flag is not read";
  EXPECT_EQ(gameState.moves, 0);
}

TEST_F(SavedGameTest, ASavedGameOfAnotherSizeIsKeptAsideAndOnlyAWholeImageLoads) {
  cellAt(15, 7).ballValue = 3;
  gameState.moves = 6;
  ASSERT_TRUE(saveGame());
  const std::vector<uint8_t> whole = settingsFile("ANNA_adv.sav");
  for (const size_t size : {size_t(kSaveImageSize / 2), size_t(kSaveImageSize + 1)}) {
    std::vector<uint8_t> other = whole;
    other.resize(size, 0x41);
    testWriteFile(settingsPath("ANNA_adv.sav"), std::string(other.begin(), other.end()));
    loadGame();
    const bool holdsAGame = size > kSaveImageSize;  // one whole image, then more
    EXPECT_EQ(cellAt(15, 7).ballValue, holdsAGame ? 3 : Ball::Empty) << size << " bytes";
    EXPECT_EQ(gameState.moves, holdsAGame ? 6 : 0) << size;
    EXPECT_EQ(settingsFile("ANNA_adv.sav.damaged"), other) << size << " bytes: kept aside";
    EXPECT_TRUE(savedGameOffered(SavedGameKind::Adventure)) << size;
  }
}

TEST_F(SavedGameTest, AGameNoRunningGameHoldsIsRefusedAndSaidAndTheLevelStartsAfresh) {
  cellAt(15, 7).ballValue = 3;
  gameState.moves = 6;
  ASSERT_TRUE(saveGame());
  std::vector<uint8_t> game = settingsFile("ANNA_adv.sav");
  const float won = -1.0f;  // a level won and never left: no board, no HUD, no way out
  std::memcpy(game.data() + 99384, &won, sizeof won);
  writeSettingsFile("ANNA_adv.sav", game);
  sysResetFileReports();
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(savedGameLoadable(SavedGameKind::Adventure)) << "it is not offered";
  EXPECT_FALSE(loadGame()) << "nor loaded when Yes was chosen all the same";
  const std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(gameState.levelCompleteTimer, 0.0f);
  EXPECT_EQ(cellAt(15, 7).ballValue, Ball::Empty) << "the level as it starts";
  EXPECT_EQ(gameState.moves, 0);
  EXPECT_NE(told.find("ANNA_adv.sav is damaged: the level-complete timer is -1"),
            std::string::npos) << told;
  SysSaveProblem problem;
  ASSERT_TRUE(sysTakeSaveProblem(&problem)) << "the player is told";
  EXPECT_NE(std::string(problem.message).find("ANNA_adv.sav"), std::string::npos);
  EXPECT_EQ(settingsFile("ANNA_adv.sav.damaged"), game);
  sysResetFileReports();
}

TEST_F(SavedGameTest, AnUnreadableSavedGameIsSaidAndTheLevelBeginsAfresh) {
  for (const HostileForm form : kHostileForms) {
    gameState.moves = 1;
    cellAt(15, 7).ballValue = 3;
    ASSERT_TRUE(saveGame()) << testHostileName(form);
    testMakeHostile(settingsPath("ANNA_adv.sav"), form);
    sysResetFileReports();
    ::testing::internal::CaptureStderr();
    loadGame();
    const std::string told = ::testing::internal::GetCapturedStderr();
    const std::string said = form == HostileForm::Sparse2GiB ? " is damaged: " : ": ";
    const std::string line = form == HostileForm::Sparse2GiB ? "" : "cannot read ";
    EXPECT_EQ(testCountOf(told, line + settingsPath("ANNA_adv.sav") + said), 1)
        << testHostileName(form) << "\n" << told;
    EXPECT_NE(told.find("the level starts afresh"), std::string::npos) << told;
    EXPECT_EQ(cellAt(15, 7).ballValue, Ball::Empty) << testHostileName(form);
    EXPECT_EQ(gameState.moves, 0);
    EXPECT_TRUE(savedGameOffered(SavedGameKind::Adventure)) << "the flag is the player's";
    testRunCommand("rm -rf '" + settingsPath("ANNA_adv.sav") + "'*");
  }
  sysResetFileReports();
}

}  // namespace
