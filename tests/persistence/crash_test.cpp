// Players added, renamed and removed, then the game's end: stopped after every
// change of a file (as a kill would stop it), and with each change failing alone
// (as a disk full for a moment). Whatever is left on disk starts a game in which
// every player is whole, before or after each change, with the saved games that
// are its own and no other's, and no temporary file.
#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "persistence/profile.h"
#include "persistence/profile_file.h"
#include "persistence/saved_games.h"
#include "persistence/settings.h"
#include "persistence_fixture.h"
#include "platform/platform.h"
#include "resources/resources.h"
#include "test_support.h"

namespace {

// Each player's score and saved game, to tell them apart whatever their name.
struct Player {
  const char* name;
  int32_t score;
  SavedGameKind kind;
  bool saved;
};
constexpr Player kAnna = {"ANNA", 100, SavedGameKind::Adventure, true};
constexpr Player kBen = {"BEN", 200, SavedGameKind::Zen, true};
constexpr Player kCarl = {"CARL", 300, SavedGameKind::Survival, false};

using Names = std::vector<std::string>;

constexpr Player kEve = {"EVE", 0, SavedGameKind::Adventure, false};

// The player a name on disk must be: DORA is ANNA renamed.
const Player* playerNamed(const std::string& name) {
  if (name == "DORA") return &kAnna;
  for (const Player* p : {&kAnna, &kBen, &kCarl, &kEve}) {
    if (name == p->name) return p;
  }
  return nullptr;
}

// What a saved game of the player holds: its own bytes.
std::string gameOf(const Player& p) { return std::string(600, char('A' + p.score / 100)); }

class CrashTest : public PersistenceTest {
 protected:
  void SetUp() override {
    PersistenceTest::SetUp();
    moveToMemory();
    startUp();
    for (const Player& p : {kAnna, kBen, kCarl}) {
      ASSERT_TRUE(createStoredProfile(p.name));
      setScore(p.score);
      if (!p.saved) continue;
      testWriteFile(settingsPath(savedGameFile(p.name, p.kind).c_str()), gameOf(p));
      offerSavedGame(p.kind);
    }
    saveAll();
    for (const auto& entry : std::filesystem::directory_iterator(data_ + "/settings")) {
      const std::string name = entry.path().filename();
      before_.push_back({name, testReadFile(entry.path())});
    }
    value_ = registryValue();
  }
  void TearDown() override {
    sysFailFileChanges(0, 0);
    if (!memory_.empty()) {
      setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
      std::filesystem::remove_all(memory_);
    }
    PersistenceTest::TearDown();
  }

  // The player files and the settings record in a folder in memory where there is
  // one: every save waits for the disk, and this test saves hundreds of times.
  void moveToMemory() {
    if (!std::filesystem::is_directory("/dev/shm")) return;
    memory_ = "/dev/shm/orbel-crash-" + std::to_string(long(getpid()));
    testMakeDirectories((memory_ + "/settings").c_str());
    testMakeDirectories((memory_ + "/config").c_str());
    config_ = std::getenv("XDG_CONFIG_HOME");
    setenv("XDG_CONFIG_HOME", (memory_ + "/config").c_str(), 1);
    data_ = memory_;
    std::snprintf(dataLocation.dataDirectory, sizeof dataLocation.dataDirectory, "%s/",
                  data_.c_str());
    returnToDataDirectory();
  }

  // The files as the game left them before the changes.
  void restoreFiles() {
    for (const auto& entry : std::filesystem::directory_iterator(data_ + "/settings")) {
      std::filesystem::remove_all(entry.path());
    }
    for (const auto& [name, bytes] : before_) {
      writeSettingsFile(name.c_str(), bytes);
    }
    writeRegistryValue(value_);
  }

  // From the menus: EVE is added, ANNA becomes DORA, BEN and CARL are removed;
  // then the game ends. Returns the changes of files it asked for.
  int32_t changePlayers() {
    resetPersistence();
    startUp();
    createStoredProfile("EVE");
    renameStoredProfile(0, "DORA");
    removeStoredProfile(1);
    removeStoredProfile(1);
    saveAll();
    return sysFileChangesMade();
  }

  // The next start, from what is on disk: each player whole, with its own game.
  Names startAgainAndCheck(const std::string& when) {
    resetPersistence();
    startUp();
    Names names;
    for (int32_t i = 0; i < profileTable.profileCount; ++i) {
      const Profile& p = profileTable.profiles[i];
      names.push_back(p.name);
      const Player* was = playerNamed(p.name);
      if (!was) {
        ADD_FAILURE() << when << ": a player nobody made: " << p.name;
        continue;
      }
      selectProfile(i);
      EXPECT_EQ(score(), was->score) << when << ": " << p.name << "'s own progress";
      for (const SavedGameKind kind : kSavedGameKinds) {
        const bool offered = savedGameOffered(kind);
        EXPECT_EQ(offered, was->saved && kind == was->kind) << when << ": " << p.name;
        if (!offered) continue;
        const std::vector<uint8_t> game = settingsFile(savedGameFile(p.name, kind).c_str());
        EXPECT_EQ(std::string(game.begin(), game.end()), gameOf(*was))
            << when << ": " << p.name << "'s game is there, its own";
      }
    }
    for (const auto& entry : std::filesystem::directory_iterator(data_ + "/settings")) {
      EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << when << ": left over";
    }
    return names;
  }

  std::string memory_, config_;
  std::vector<std::pair<std::string, std::vector<uint8_t>>> before_;
  std::vector<uint8_t> value_;
};

// Each step of the changes, in order: what a stop after it leaves.
const std::set<Names> kSteps = {{"ANNA", "BEN", "CARL"},
                                {"ANNA", "BEN", "CARL", "EVE"},
                                {"DORA", "BEN", "CARL", "EVE"},
                                {"DORA", "CARL", "EVE"},
                                {"DORA", "EVE"}};

TEST_F(CrashTest, AStopAfterAnyChangeOfAFileLosesAndBringsBackNoPlayer) {
  sysFailFileChanges(0, 0);
  const int32_t changes = changePlayers();
  EXPECT_EQ(startAgainAndCheck("all done"), (Names{"DORA", "EVE"}));
  EXPECT_TRUE(settingsFile("BEN_zen.sav").empty()) << "a removed player's game goes with it";
  EXPECT_TRUE(settingsFile("ANNA_adv.sav").empty()) << "a renamed player's game moves";
  ASSERT_GT(changes, 8);
  for (int32_t stop = 0; stop <= changes; ++stop) {
    restoreFiles();
    const std::string when = "stopped after " + std::to_string(stop) + " changes";
    ::testing::internal::CaptureStderr();  // the refused saves are said: not the point here
    sysResetFileReports();
    sysFailFileChanges(stop, INT32_MAX);
    changePlayers();
    sysFailFileChanges(0, 0);
    const Names names = startAgainAndCheck(when);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(kSteps.count(names), 1u) << when << ": " << testing::PrintToString(names);
  }
}

TEST_F(CrashTest, AnyOneChangeFailingLeavesEveryPlayerWhole) {
  sysFailFileChanges(0, 0);
  const int32_t changes = changePlayers();
  for (int32_t failing = 0; failing < changes; ++failing) {
    restoreFiles();
    const std::string when = "change " + std::to_string(failing) + " failed";
    ::testing::internal::CaptureStderr();
    sysResetFileReports();
    sysFailFileChanges(failing, 1);
    changePlayers();
    sysFailFileChanges(0, 0);
    const Names names = startAgainAndCheck(when);
    ::testing::internal::GetCapturedStderr();
    // A rename whose game could not be copied is refused; everything else lands.
    EXPECT_TRUE(names == (Names{"DORA", "EVE"}) || names == (Names{"ANNA", "EVE"}))
        << when << ": " << testing::PrintToString(names);
  }
}

}  // namespace
