// Players added, renamed and removed, then the game's end: stopped after every
// change of a file (as a kill would stop it), and with each change failing alone
// (as a disk full for a moment). The next start finds every player whole, before
// or after each change, with its own saved game and no other's, and no temporary
// file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
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

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// Scores tell the players apart whatever their names (DORA is ANNA renamed);
// ANNA keeps an adventure game, BEN a zen game.
int32_t scoreOf(const std::string& name) {
  if (name == "ANNA" || name == "DORA") return 100;
  return name == "BEN" ? 200 : name == "CARL" ? 300 : 0;
}
bool keepsGame(int32_t score, SavedGameKind kind) {
  return (score == 100 && kind == SavedGameKind::Adventure) ||
         (score == 200 && kind == SavedGameKind::Zen);
}
std::string gameOf(int32_t score) { return std::string(600, char('A' + score / 100)); }

class CrashTest : public PersistenceTest {
 protected:
  // The files in a folder in memory where there is one: every save waits for the
  // disk, and this test saves hundreds of times.
  void SetUp() override {
    PersistenceTest::SetUp();
    if (fs::is_directory("/dev/shm")) {
      memory_ = "/dev/shm/orbel-crash-" + std::to_string(long(getpid()));
      fs::create_directories(memory_ + "/settings");
      config_ = std::getenv("XDG_CONFIG_HOME");
      setenv("XDG_CONFIG_HOME", (memory_ + "/config").c_str(), 1);
      data_ = memory_;
      std::snprintf(dataLocation.dataDirectory, sizeof dataLocation.dataDirectory, "%s/",
                    data_.c_str());
    }
    startUp();
    for (const char* name : {"ANNA", "BEN", "CARL"}) {
      ASSERT_TRUE(createStoredProfile(name));
      setScore(scoreOf(name));
      for (const SavedGameKind kind : kSavedGameKinds) {
        if (!keepsGame(score(), kind)) continue;
        testWriteFile(settingsPath(savedGameFile(name, kind).c_str()), gameOf(score()));
        offerSavedGame(kind);
      }
    }
    saveAll();
    for (const auto& entry : fs::directory_iterator(data_ + "/settings")) {
      before_.push_back({entry.path().filename(), testReadFile(entry.path())});
    }
    value_ = registryValue();
  }
  void TearDown() override {
    if (!memory_.empty()) setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
    if (!memory_.empty()) fs::remove_all(memory_);
    PersistenceTest::TearDown();
  }

  // From the files as they were: EVE is added, ANNA becomes DORA, BEN and CARL
  // are removed, the game ends; changes `first` to `first` + `count` - 1 of files
  // fail. Returns the changes asked for.
  int32_t changePlayers(int32_t first, int32_t count) {
    for (const auto& entry : fs::directory_iterator(data_ + "/settings")) fs::remove(entry);
    for (const auto& [name, bytes] : before_) writeSettingsFile(name.c_str(), bytes);
    writeRegistryValue(value_);
    resetPersistence();
    startUp();
    sysFailFileChanges(first, count);
    createStoredProfile("EVE");
    renameStoredProfile(0, "DORA");
    removeStoredProfile(1);
    removeStoredProfile(1);
    saveAll();
    const int32_t made = sysFileChangesMade();
    sysFailFileChanges(0, 0);
    return made;
  }

  // The next start: each player whole, with its own game, and no temporary file.
  Names startAgainAndCheck(const std::string& when) {
    resetPersistence();
    startUp();
    Names names;
    for (int32_t i = 0; i < profileTable.profileCount; ++i) {
      const char* name = profileTable.profiles[i].name;
      names.push_back(name);
      selectProfile(i);
      EXPECT_EQ(score(), scoreOf(name)) << when << ": " << name << "'s own progress";
      for (const SavedGameKind kind : kSavedGameKinds) {
        EXPECT_EQ(savedGameOffered(kind), keepsGame(score(), kind)) << when << ": " << name;
        const std::vector<uint8_t> game = settingsFile(savedGameFile(name, kind).c_str());
        if (!keepsGame(score(), kind)) continue;
        EXPECT_EQ(std::string(game.begin(), game.end()), gameOf(score())) << when << ": " << name;
      }
    }
    for (const auto& entry : fs::directory_iterator(data_ + "/settings")) {
      EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << when << ": left over";
    }
    return names;
  }

  std::string memory_, config_;
  std::vector<std::pair<std::string, std::vector<uint8_t>>> before_;
  std::vector<uint8_t> value_;
};

TEST_F(CrashTest, NoStopAndNoFailingChangeLosesOrBringsBackAPlayer) {
  const int32_t changes = changePlayers(0, 0);
  EXPECT_EQ(startAgainAndCheck("all done"), (Names{"DORA", "EVE"}));
  EXPECT_TRUE(settingsFile("BEN_zen.sav").empty()) << "a removed player's game goes with it";
  EXPECT_TRUE(settingsFile("ANNA_adv.sav").empty()) << "a renamed player's game moves";
  ASSERT_GT(changes, 8);
  // Each step of the changes, in order: what a stop after it leaves.
  const std::set<Names> steps = {{"ANNA", "BEN", "CARL"}, {"ANNA", "BEN", "CARL", "EVE"},
                                 {"DORA", "BEN", "CARL", "EVE"}, {"DORA", "CARL", "EVE"},
                                 {"DORA", "EVE"}};
  ::testing::internal::CaptureStderr();  // the refused saves are said: not the point here
  for (int32_t n = 0; n <= changes; ++n) {
    sysResetFileReports();
    changePlayers(n, INT32_MAX);
    const Names stopped = startAgainAndCheck("stopped after " + std::to_string(n));
    EXPECT_EQ(steps.count(stopped), 1u) << n << ": " << testing::PrintToString(stopped);
    // A rename whose game could not be copied is refused; everything else lands.
    changePlayers(n, 1);
    const Names failed = startAgainAndCheck("change " + std::to_string(n) + " failed");
    EXPECT_TRUE(failed == (Names{"DORA", "EVE"}) || failed == (Names{"ANNA", "EVE"}))
        << n << ": " << testing::PrintToString(failed);
  }
  ::testing::internal::GetCapturedStderr();
}

}  // namespace
