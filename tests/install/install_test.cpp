// The game as a player installs it: `cmake --install` into a temporary prefix, the
// files a desktop looks for and their validators, and the installed game started
// from "/" on the headless display, ended by SIGTERM as a session's end would.
//
// Read-only data must really refuse files. Tests may run as root, whom file modes
// do not stop, so the installed game then runs as the unprivileged user "nobody"
// (setpriv), for whom the root-owned installed data is read-only as it is for any
// player; as another user the data folder's write permission is taken away.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "test_support.h"

namespace {

constexpr const char* kPlayerFiles[] = {"profiles.dat", "records.dat", "hiscore.dat",
                                        "survival.dat", "surrecs.dat"};
constexpr const char* kSettingsValue = "software/tarnwick/games/orbelquaint/settings";
constexpr int kPlayerId = 65534;  // "nobody"
const std::string kAppId = ORBEL_APP_ID;

bool runningAsRoot() { return geteuid() == 0; }

bool exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

// A fresh folder under /tmp that every user can reach (the build folder may not be).
std::string publicTempDirectory() {
  char pattern[] = "/tmp/orbel-install-XXXXXX";
  const char* made = mkdtemp(pattern);
  if (!made) return std::string();
  chmod(made, 0755);
  return made;
}

// The player's home: data, config and runtime folders, owned by whoever runs the game.
std::string makeHome(const std::string& root, const char* name) {
  const std::string home = root + "/" + name;
  for (const char* sub : {"/data", "/config", "/run"}) testMakeDirectories((home + sub).c_str());
  if (runningAsRoot()) {
    testRunCommand("chown -R " + std::to_string(kPlayerId) + ":" + std::to_string(kPlayerId) +
                   " '" + home + "'");
  }
  return home;
}

struct GameRun {
  int status;          // the game's exit status (128 + signal when a signal ended it)
  std::string errors;  // what it wrote on standard error
};

// Starts `program --window` from "/" with nothing of this environment but the
// headless drivers and `environment` ("NAME=value ..."), as the unprivileged
// player when `asPlayer` and the tests run as root. Sends SIGTERM after a few
// seconds of play and waits (up to 30 s) for the game to end.
GameRun runUntilTerminated(const std::string& scratch, const std::string& program,
                           const std::string& environment, bool asPlayer) {
  std::string keep;
  for (const char* name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
    if (const char* value = std::getenv(name)) keep += std::string(name) + "='" + value + "' ";
  }
  const std::string user = asPlayer && runningAsRoot()
                               ? "setpriv --reuid=" + std::to_string(kPlayerId) + " --regid=" +
                                     std::to_string(kPlayerId) + " --clear-groups "
                               : "";
  const std::string errors = scratch + "/game-errors.txt";
  const std::string script =
      "cd / || exit 99\n"
      "env -i PATH=\"$PATH\" SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "
      "MESA_SHADER_CACHE_DISABLE=true " + keep + environment + " " + user + "'" + program +
      "' --window 2> '" + errors + "' &\n"
      "pid=$!\n"
      "sleep 3\n"
      "kill -TERM $pid\n"
      "for i in $(seq 1 300); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done\n"
      "kill -KILL $pid 2>/dev/null\n"
      "wait $pid; echo \"status=$?\"\n";
  testWriteFile(scratch + "/run-game.sh", script);
  std::string out;
  testRunCommand("bash '" + scratch + "/run-game.sh'", &out);
  const size_t at = out.find("status=");
  const std::vector<uint8_t> text = testReadFile(errors);
  return {at == std::string::npos ? -1 : std::atoi(out.c_str() + at + 7),
          std::string(text.begin(), text.end())};
}

std::string xdgFolders(const std::string& dataHome, const std::string& configHome,
                       const std::string& runtime) {
  return "HOME='" + runtime + "' XDG_DATA_HOME='" + dataHome + "' XDG_CONFIG_HOME='" +
         configHome + "' XDG_RUNTIME_DIR='" + runtime + "'";
}

class Installed : public ::testing::Test {
 protected:
  // One installation for the suite: the tests only read it, or run the game on it.
  static void SetUpTestSuite() {
    root_ = publicTempDirectory();
    prefix_ = root_ + "/prefix";
    installOutput_ = new std::string;
    installStatus_ = testRunCommand("'" ORBEL_CMAKE_COMMAND "' --install '" ORBEL_BUILD_DIR
                                    "' --prefix '" + prefix_ + "' 2>&1",
                                    installOutput_);
  }
  static void TearDownTestSuite() {
    if (!root_.empty()) testRunCommand("rm -rf '" + root_ + "'");
    delete installOutput_;
  }
  void SetUp() override {
    ASSERT_FALSE(root_.empty()) << "no temporary folder under /tmp";
    ASSERT_EQ(installStatus_, 0) << *installOutput_;
  }
  std::string share(const std::string& path) const { return prefix_ + "/share/" + path; }
  std::string data() const { return share("orbelquaint/Data"); }

  static std::string root_, prefix_;
  static std::string* installOutput_;
  static int installStatus_;
};
std::string Installed::root_, Installed::prefix_;
std::string* Installed::installOutput_ = nullptr;
int Installed::installStatus_ = -1;

// Width and height from a PNG's header; 0 x 0 when it is not one.
void pngSize(const std::string& path, uint32_t* width, uint32_t* height) {
  const std::vector<uint8_t> bytes = testReadFile(path);
  *width = *height = 0;
  if (bytes.size() < 24 || bytes[1] != 'P' || bytes[2] != 'N' || bytes[3] != 'G') return;
  auto big = [&](size_t at) {
    return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 |
           uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
  };
  *width = big(16);
  *height = big(20);
}

TEST_F(Installed, PutsTheGameItsDataAndTheDesktopFilesWhereTheyAreLookedFor) {
  EXPECT_TRUE(exists(prefix_ + "/bin/orbelquaint"));
  for (const char* pack : {"targa.dat", "jpeg.dat", "texts.dat"}) {
    EXPECT_TRUE(exists(data() + "/" + pack)) << pack;
  }
  // What a run from the build folder leaves there is never installed.
  EXPECT_FALSE(exists(data() + "/settings"));
  EXPECT_FALSE(exists(data() + "/.generated"));
  EXPECT_TRUE(exists(share("applications/" + kAppId + ".desktop")));
  EXPECT_TRUE(exists(share("metainfo/" + kAppId + ".metainfo.xml")));
  const std::vector<uint8_t> man = testReadFile(share("man/man6/orbelquaint.6"));
  EXPECT_NE(std::string(man.begin(), man.end()).find(".TH ORBELQUAINT 6"), std::string::npos);
  for (const uint32_t size : {16u, 32u, 48u, 64u, 128u, 256u}) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    uint32_t width = 0, height = 0;
    pngSize(share("icons/hicolor/" + folder + "/apps/" + kAppId + ".png"), &width, &height);
    EXPECT_EQ(width, size) << folder;
    EXPECT_EQ(height, size) << folder;
  }
  // The scalable icon carries the largest picture whole.
  const std::vector<uint8_t> svg =
      testReadFile(share("icons/hicolor/scalable/apps/" + kAppId + ".svg"));
  const std::vector<uint8_t> largest =
      testReadFile(share("icons/hicolor/256x256/apps/" + kAppId + ".png"));
  const std::string svgText(svg.begin(), svg.end());
  EXPECT_NE(svgText.find("data:image/png;base64,iVBOR"), std::string::npos);
  EXPECT_GT(svgText.size(), largest.size() * 4 / 3);
  ASSERT_GT(svgText.size(), 11u);
  EXPECT_EQ(svgText.substr(svgText.size() - 11), "\"/>\n</svg>\n");
}

TEST_F(Installed, DesktopEntryAndMetainfoPassTheirValidatorsAndNameOneId) {
  const std::string desktop = share("applications/" + kAppId + ".desktop");
  const std::string metainfo = share("metainfo/" + kAppId + ".metainfo.xml");
  std::string out;
  EXPECT_EQ(testRunCommand("desktop-file-validate '" + desktop + "' 2>&1", &out), 0) << out;
  EXPECT_EQ(testRunCommand("appstreamcli validate --no-net '" + metainfo + "' 2>&1", &out), 0)
      << out;
  const std::vector<uint8_t> entry = testReadFile(desktop);
  const std::string entryText(entry.begin(), entry.end());
  EXPECT_NE(entryText.find("\nIcon=" + kAppId + "\n"), std::string::npos) << entryText;
  EXPECT_NE(entryText.find("\nStartupWMClass=" + kAppId + "\n"), std::string::npos);
  const std::vector<uint8_t> info = testReadFile(metainfo);
  const std::string infoText(info.begin(), info.end());
  EXPECT_NE(infoText.find("<id>" + kAppId + "</id>"), std::string::npos);
  EXPECT_NE(infoText.find("<content_rating"), std::string::npos);
  EXPECT_NE(infoText.find("/title.png</image>"), std::string::npos);
  // Every language the game speaks: a language added to the game is added here too.
  for (const auto& po :
       std::filesystem::directory_iterator(std::string(ORBEL_SOURCE_DIR) + "/data/po")) {
    const std::string code = po.path().stem().string();
    EXPECT_NE(entryText.find("\nComment[" + code + "]="), std::string::npos) << code;
    EXPECT_NE(infoText.find("<summary xml:lang=\"" + code + "\">"), std::string::npos) << code;
  }
}

TEST_F(Installed, GameStartedFromRootWithReadOnlyDataKeepsPlayerFilesInTheUsersFolder) {
  const std::string home = makeHome(root_, "home-read-only");
  chmod(data().c_str(), 0555);
  const GameRun run = runUntilTerminated(
      root_, prefix_ + "/bin/orbelquaint",
      xdgFolders(home + "/data", home + "/config", home + "/run"), true);
  chmod(data().c_str(), 0755);
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.errors.find("Can't load"), std::string::npos) << run.errors;
  EXPECT_EQ(run.errors.find("cannot save"), std::string::npos) << run.errors;
  for (const char* name : kPlayerFiles) {
    EXPECT_TRUE(exists(home + "/data/orbelquaint/settings/" + name)) << name;
  }
  EXPECT_TRUE(exists(home + "/config/" + kSettingsValue));
  EXPECT_FALSE(exists(data() + "/settings"));
}

TEST_F(Installed, UnwritablePlayerFoldersAreToldOnceAndNothingIsWrittenElsewhere) {
  // Folders below a plain file cannot be made, not even by root.
  const std::string home = makeHome(root_, "home-unwritable");
  testWriteFile(home + "/file", "not a folder");
  chmod(data().c_str(), 0555);
  const GameRun run = runUntilTerminated(
      root_, prefix_ + "/bin/orbelquaint",
      xdgFolders(home + "/file/data", home + "/file/config", home + "/run"), true);
  chmod(data().c_str(), 0755);
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(testCountOf(run.errors, "cannot save files in"), 2) << run.errors;
  EXPECT_EQ(testCountOf(run.errors, home + "/file/data/orbelquaint/settings:"), 1) << run.errors;
  EXPECT_EQ(testCountOf(run.errors, home + "/file/config/software/tarnwick/games/orbelquaint:"), 1)
      << run.errors;
  EXPECT_FALSE(exists(data() + "/settings"));
  std::string written;
  testRunCommand("cd '" + home + "' && find . -mindepth 1 | sort", &written);
  EXPECT_EQ(written, "./config\n./data\n./file\n./run\n./run/Orbelquaint game.lock\n");
}

TEST_F(Installed, StagedWithDestdirTheGameRunsFromItsOwnFolderAndWritableDataKeepsItsSettings) {
  const std::string stage = root_ + "/stage";
  std::string out;
  ASSERT_EQ(testRunCommand("DESTDIR='" + stage + "' '" ORBEL_CMAKE_COMMAND "' --install '"
                           ORBEL_BUILD_DIR "' --prefix /usr/local 2>&1",
                           &out),
            0)
      << out;
  const std::string staged = stage + "/usr/local";
  ASSERT_TRUE(exists(staged + "/bin/orbelquaint"));
  // Run as the user who staged it: the data folder takes files.
  const std::string home = root_ + "/home-writable";
  testMakeDirectories((home + "/run").c_str());
  const GameRun run = runUntilTerminated(root_, staged + "/bin/orbelquaint",
                                         xdgFolders(home + "/data", home + "/config", home + "/run"),
                                         false);
  EXPECT_EQ(run.status, 0) << run.errors;
  for (const char* name : kPlayerFiles) {
    EXPECT_TRUE(exists(staged + "/share/orbelquaint/Data/settings/" + name)) << name;
  }
  EXPECT_FALSE(exists(home + "/data/orbelquaint"));
}

// The command line of the game built beside the tests.
class CommandLine : public ::testing::Test {
 protected:
  int run(const std::string& arguments, std::string* out) {
    return testRunCommand("SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy '" ORBEL_BUILD_DIR
                          "/orbelquaint' " + arguments,
                          out);
  }
};

TEST_F(CommandLine, HelpAndVersionAnswerAndExit) {
  std::string out;
  EXPECT_EQ(run("--help", &out), 0);
  for (const char* option : {"--window", "--fullscreen", "--data DIR", "--fps N", "--version"}) {
    EXPECT_NE(out.find(option), std::string::npos) << option << "\n" << out;
  }
  EXPECT_EQ(run("--version", &out), 0);
  EXPECT_EQ(out.rfind("orbelquaint ", 0), 0u) << out;
}

TEST_F(CommandLine, AnUnknownOptionOrAMissingValuePrintsTheUsageAndExitsWithTwo) {
  std::string out;
  EXPECT_EQ(run("--windowed 2>&1", &out), 2);
  EXPECT_NE(out.find("unknown option '--windowed'"), std::string::npos) << out;
  EXPECT_NE(out.find("Usage: orbelquaint"), std::string::npos) << out;
  EXPECT_EQ(run("--data 2>&1", &out), 2);
  EXPECT_NE(out.find("--data needs a folder"), std::string::npos) << out;
  EXPECT_EQ(run("--fps 60x 2>&1", &out), 2);
  EXPECT_NE(out.find("--fps needs a number"), std::string::npos) << out;
  EXPECT_EQ(run("play 2>&1", &out), 2);
}

TEST_F(CommandLine, WithoutDataTheStopMessageNamesEveryFolderSearched) {
  // The game alone, in a prefix without share/, started from an empty folder.
  const std::string root = testTempDirectory("lonely-game");
  testMakeDirectories((root + "/bin").c_str());
  testMakeDirectories((root + "/here").c_str());
  testRunCommand("cp '" ORBEL_BUILD_DIR "/orbelquaint' '" + root + "/bin/'");
  std::string out;
  EXPECT_EQ(testRunCommand("cd '" + root + "/here' && SDL_VIDEODRIVER=offscreen "
                           "XDG_RUNTIME_DIR='" + root + "' '" + root +
                           "/bin/orbelquaint' --window 2>&1",
                           &out),
            1);
  EXPECT_NE(out.find("Can't load Data"), std::string::npos) << out;
  for (const std::string& folder :
       {root + "/here/Data", root + "/bin/Data", root + "/share/orbelquaint/Data"}) {
    EXPECT_NE(out.find("\n" + folder), std::string::npos) << folder << "\n" << out;
  }
  EXPECT_EQ(run("--window --data '" + root + "/nowhere' 2>&1", &out), 1);
  EXPECT_NE(out.find("\n" + root + "/nowhere"), std::string::npos) << out;
}

}  // namespace
