// The whole game where a hostile user has been: player files and the settings
// value replaced by folders, sparse 2 GiB files and loops of links, folders the
// player may not write, and dumps sent into a pipe. The game plays on, says what
// happened, and leaves what it cannot replace as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "test_json.h"
#include "test_support.h"

namespace {

constexpr const char* kPlayerFiles[] = {"profiles.dat", "records.dat", "hiscore.dat",
                                        "survival.dat", "surrecs.dat", "PLAYER_adv.sav"};
constexpr const char* kValue = "software/tarnwick/games/orbelquaint/settings";
constexpr int kNobody = 65534;

// One move of level 2 played and the window closed: the game is saved with the
// player files and the settings value.
constexpr const char* kOneMoveAndClose =
    "play 2 adventure normal\nframes 160\nclick -390 290\nframes 2\nclick -390 290\n"
    "frames 2\ncell 9 9\ncell 12 9\nframes 100\nclose\nframes 2\ndump -\n";

mode_t modeOf(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
}

// Every entry below `folder` with its type and size, one a line, for comparing.
std::string listing(const std::string& folder) {
  std::string out;
  testRunCommand("cd '" + folder + "' && find . -printf '%p %y %s\\n' | sort", &out);
  return out;
}

struct GameRun {
  int status;
  std::string output;  // standard output and error together
};

// The runner over `data` with the player's config folder `config`, as root or as
// `user` (a uid; the runner then gets only the environment it needs).
GameRun runGame(const std::string& data, const std::string& config, const std::string& script,
            int user = -1, const std::string& dataHome = "") {
  const std::string dir = testTempDirectory("hostile-script");
  chmod(dir.c_str(), 0755);
  testWriteFile(dir + "/script.txt", script);
  chmod((dir + "/script.txt").c_str(), 0644);
  std::string prefix = "XDG_CONFIG_HOME='" + config + "' ";
  if (!dataHome.empty()) prefix += "XDG_DATA_HOME='" + dataHome + "' ";
  if (user >= 0) {
    std::string keep;  // a sanitized build's settings
    for (const char* name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
      if (const char* value = std::getenv(name)) keep += std::string(name) + "='" + value + "' ";
    }
    prefix = "env -i PATH=\"$PATH\" HOME=/nonexistent SDL_VIDEODRIVER=offscreen "
             "SDL_AUDIODRIVER=dummy " + keep + prefix + "setpriv --reuid=" +
             std::to_string(user) + " --regid=" + std::to_string(user) + " --clear-groups ";
  }
  GameRun run;
  run.status = testRunCommand(prefix + "'" + testToolPath("script") + "' --seed 11 --data '" +
                                  data + "' '" + dir + "/script.txt' 2>&1",
                              &run.output);
  return run;
}

// Why the game cannot be run as "nobody" here ("" when it can): it needs root,
// and a runner that user may start.
std::string cannotRunAsNobody() {
  if (geteuid() != 0) return "needs root to run the game as another user";
  GameRun probe;
  probe.status = testRunCommand("setpriv --reuid=" + std::to_string(kNobody) +
                                " --regid=" + std::to_string(kNobody) + " --clear-groups '" +
                                testToolPath("script") + "' --version 2>&1", &probe.output);
  return probe.status == 2 ? "" : "the runner cannot be run as nobody: " + probe.output;
}

class HostileGame : public ::testing::Test {
 protected:
  void SetUp() override {
    data_ = testPrivateDataDirectory("hostile-game-data");
    config_ = testTempDirectory("hostile-game-config");
    const GameRun first = runGame(data_, config_, kOneMoveAndClose);
    ASSERT_EQ(first.status, 0) << first.output;
    for (const std::string& path : paths()) ASSERT_TRUE(S_ISREG(modeOf(path))) << path;
  }
  std::vector<std::string> paths() const {
    std::vector<std::string> all;
    for (const char* name : kPlayerFiles) all.push_back(data_ + "/settings/" + name);
    all.push_back(config_ + "/" + kValue);
    return all;
  }
  std::string data_, config_;
};

TEST_F(HostileGame, PlayerFilesReplacedByAnythingAreSaidAndTheGamePlaysOn) {
  for (const HostileForm form : kHostileForms) {
    SCOPED_TRACE(testHostileName(form));
    for (const std::string& path : paths()) testMakeHostile(path, form);
    const GameRun run = runGame(data_, config_, kOneMoveAndClose);
    ASSERT_EQ(run.status, 0) << run.output;
    const std::vector<JsonValue> dumps = testDumps(run.output);
    ASSERT_EQ(dumps.size(), 1u) << run.output;
    EXPECT_EQ(dumps[0]["profiles"]["count"].integer(), 1) << "a fresh player";
    // The saved game is never offered: the profile that had it was not read.
    // A file larger than its format can be read, and is damaged.
    const bool damaged = form == HostileForm::Sparse2GiB;
    for (const std::string& path : paths()) {
      if (path.find(".sav") != std::string::npos) continue;
      const std::string line = damaged ? path + " is damaged: " : "cannot read " + path + ": ";
      EXPECT_EQ(testCountOf(run.output, line), 1) << path << run.output;
    }
    if (form == HostileForm::Folder) {
      EXPECT_EQ(testCountOf(run.output, "cannot save files in"), 2) << run.output;
      for (const std::string& path : paths()) EXPECT_TRUE(S_ISDIR(modeOf(path))) << path;
    } else {
      EXPECT_EQ(testCountOf(run.output, "cannot save files in"), 0) << run.output;
      for (const std::string& path : paths()) EXPECT_TRUE(S_ISREG(modeOf(path))) << path;
    }
  }
}

TEST_F(HostileGame, FoldersThePlayerMayNotWriteAreToldOnceAndLeftAsTheyWere) {
  // As root every folder takes files: the game runs as "nobody", for whom the
  // root-owned folders below are read-only, as they are for a player.
  if (const std::string why = cannotRunAsNobody(); !why.empty()) GTEST_SKIP() << why;
  const std::string root = "/tmp/orbel-hostile-" + std::to_string(getpid());
  testRunCommand("rm -rf '" + root + "' && mkdir -p '" + root + "' && cp -r '" + data_ +
                 "' '" + root + "/data' && cp -r '" + config_ + "' '" + root + "/config' && "
                 "mkdir '" + root + "/share' && chmod -R a+rX,go-w '" + root + "'");
  const std::string before = listing(root);
  const GameRun run = runGame(root + "/data", root + "/config", kOneMoveAndClose, kNobody,
                          root + "/share");
  const std::string after = listing(root);
  testRunCommand("rm -rf '" + root + "'");
  EXPECT_EQ(run.status, 0) << run.output;
  // The data's own folder takes nothing, so player files would go to the player's
  // data folder, which cannot be made; the settings value's folder is read-only.
  EXPECT_EQ(testCountOf(run.output, "cannot save files in"), 2) << run.output;
  EXPECT_EQ(testCountOf(run.output, root + "/share/orbelquaint/settings: Permission denied"), 1)
      << run.output;
  EXPECT_EQ(testCountOf(run.output, root + "/config/software/tarnwick/games/orbelquaint: "), 1)
      << run.output;
  EXPECT_EQ(after, before) << "nothing on disk changed";
}

// In a game: the options opened from the game menu and left (the settings saved,
// the board back) twice, with a move between.
constexpr const char* kOptionsTwiceInAGame =
    "play 2 adventure normal\nframes 160\nclick -390 290\nframes 2\nclick -390 290\n"
    "frames 2\nkey ESCAPE\nframes 30\nchoose Options\nframes 60\nchoose Back\nframes 70\n"
    "dump -\nkey ESCAPE\nframes 40\ndump -\ncell 9 9\ncell 12 9\nframes 100\ndump -\n"
    "key ESCAPE\nframes 30\nchoose Options\nframes 60\nchoose Back\nframes 70\ndump -\n"
    "close\nframes 2\n";

TEST(HostileGameBox, AReadOnlySettingsFolderIsShownOnceInAMessageBoxAndTheGameGoesOn) {
  // The player's files may be kept (the data is the player's), the settings
  // value's folder is root's and read-only for "nobody", who plays.
  if (const std::string why = cannotRunAsNobody(); !why.empty()) GTEST_SKIP() << why;
  const std::string data = testPrivateDataDirectory("hostile-box-data");
  const std::string root = "/tmp/orbel-box-" + std::to_string(getpid());
  const std::string folder = root + "/config/software/tarnwick/games/orbelquaint";
  testRunCommand("rm -rf '" + root + "' && mkdir -p '" + folder + "' && cp -r '" + data +
                 "' '" + root + "/data' && chown -R " + std::to_string(kNobody) + ":" +
                 std::to_string(kNobody) + " '" + root + "/data' && chmod -R a+rX,go-w '" +
                 root + "'");
  const GameRun run =
      runGame(root + "/data", root + "/config", kOptionsTwiceInAGame, kNobody, root + "/share");
  const std::string configAfter = listing(root + "/config");
  const bool profilesKept = S_ISREG(modeOf(root + "/data/settings/profiles.dat"));
  testRunCommand("rm -rf '" + root + "'");
  ASSERT_EQ(run.status, 0) << run.output;
  const std::vector<JsonValue> dumps = testDumps(run.output);
  ASSERT_EQ(dumps.size(), 4u) << run.output;
  // The box over the game menu the options led back to, naming the folder.
  EXPECT_EQ(dumps[0]["menu"]["screen"].string, "messageboxok");
  EXPECT_NE(dumps[0]["menu"]["message"].string.find(folder + " (settings: Permission denied)"),
            std::string::npos) << dumps[0]["menu"]["message"].string;
  EXPECT_TRUE(dumps[0]["game"]["menuOpen"].boolean) << "the board waits under the box";
  // Escape answered it: the board again, where the options had led, and the
  // game played on.
  EXPECT_FALSE(dumps[1]["game"]["menuOpen"].boolean);
  EXPECT_EQ(dumps[1]["menu"]["message"].string, "");
  EXPECT_GT(dumps[2]["game"]["moves"].integer(), dumps[1]["game"]["moves"].integer());
  // The second failure to save there is not shown again.
  EXPECT_FALSE(dumps[3]["game"]["menuOpen"].boolean);
  EXPECT_EQ(dumps[3]["menu"]["message"].string, "");
  EXPECT_EQ(testCountOf(run.output, "cannot save files in"), 1) << run.output;
  EXPECT_TRUE(profilesKept) << "what could be saved was";
  EXPECT_EQ(configAfter.find(" f "), std::string::npos) << configAfter
      << "nothing left in the read-only folder";
}

TEST(HostileRunner, DumpsGoStraightIntoAPipe) {
  const std::string data = testPrivateDataDirectory("hostile-runner-data");
  const std::string dir = testTempDirectory("hostile-pipe");
  const std::string pipe = dir + "/dump.json";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
  std::string received;
  std::thread reader([&] {
    const std::vector<uint8_t> bytes = testReadFile(pipe);
    received.assign(bytes.begin(), bytes.end());
  });
  std::string output;
  const int status = testRunScript(data, "frames 2\ndump " + pipe + "\n", "", &output, "", true);
  reader.join();
  EXPECT_EQ(status, 0) << output;
  EXPECT_TRUE(S_ISFIFO(modeOf(pipe))) << "the pipe stays a pipe";
  ASSERT_EQ(testDumpLines(received).size(), 1u) << received;
  EXPECT_EQ(testDumps(received)[0]["frame"].integer(), 2);
}

}  // namespace
