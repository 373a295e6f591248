// Where an installed program's files are, telling the player once about a folder
// that refuses files, the polite stop signals and the application id.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "test_support.h"

namespace {

// Restores an environment variable when the test ends.
class SavedVariable {
 public:
  explicit SavedVariable(const char* name) : name_(name) {
    const char* value = std::getenv(name);
    had_ = value != nullptr;
    if (had_) value_ = value;
  }
  ~SavedVariable() {
    if (had_) {
      setenv(name_, value_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  bool had_;
  std::string value_;
};

TEST(DataFolders, SearchedHereThenBesideTheProgramThenInItsShareFolder) {
  const std::string here = sysCurrentDirectory();
  const std::string program = sysExecutableDirectory();
  const std::string prefix = program.substr(0, program.rfind('/'));
  const std::vector<std::string> folders = sysDataDirectoryCandidates(nullptr, "orbelquaint");
  ASSERT_EQ(folders.size(), 3u);
  EXPECT_EQ(folders[0], here + "/Data");
  EXPECT_EQ(folders[1], program + "/Data");
  EXPECT_EQ(folders[2], prefix + "/share/orbelquaint/Data");
  // A folder given is the only one, made absolute.
  EXPECT_EQ(sysDataDirectoryCandidates("mine", "orbelquaint"),
            std::vector<std::string>{here + "/mine"});
  EXPECT_EQ(sysDataDirectoryCandidates("/opt/Data", "orbelquaint"),
            std::vector<std::string>{"/opt/Data"});
}

TEST(PlayerFiles, StayInTheDataFolderWhileItTakesFiles) {
  const std::string data = testTempDirectory("player-files-data");
  EXPECT_EQ(sysPlayerFilesDirectory(data.c_str(), "settings", "orbelquaint"), data + "/settings");
  EXPECT_EQ(sysPlayerFilesDirectory((data + "/").c_str(), "settings", "orbelquaint"),
            data + "/settings");
  testMakeDirectories((data + "/settings").c_str());
  EXPECT_EQ(sysPlayerFilesDirectory(data.c_str(), "settings", "orbelquaint"), data + "/settings");
  // No data folder named: the current directory is the data folder.
  const std::string saved = sysCurrentDirectory();
  ASSERT_TRUE(sysChangeDirectory(data.c_str()));
  EXPECT_EQ(sysPlayerFilesDirectory("", "settings", "orbelquaint"), data + "/settings");
  sysChangeDirectory(saved.c_str());
}

TEST(PlayerFiles, GoToThePlayersDataFolderWhenTheDataFolderTakesNone) {
  // A data folder that cannot be written to (here: one that is not there).
  const char* data = "/nonexistent/Data";
  SavedVariable savedData("XDG_DATA_HOME"), savedHome("HOME");
  setenv("XDG_DATA_HOME", "/srv/player/share/", 1);
  setenv("HOME", "/home/player", 1);
  EXPECT_EQ(sysPlayerFilesDirectory(data, "settings", "orbelquaint"),
            "/srv/player/share/orbelquaint/settings");
  // A relative XDG_DATA_HOME is ignored, as is an empty one.
  setenv("XDG_DATA_HOME", "share", 1);
  EXPECT_EQ(sysPlayerFilesDirectory(data, "settings", "orbelquaint"),
            "/home/player/.local/share/orbelquaint/settings");
  setenv("XDG_DATA_HOME", "", 1);
  EXPECT_EQ(sysPlayerFilesDirectory(data, "settings", "orbelquaint"),
            "/home/player/.local/share/orbelquaint/settings");
  unsetenv("HOME");
  EXPECT_EQ(sysPlayerFilesDirectory(data, "settings", "orbelquaint"), "");
}

TEST(PlayerFiles, AFolderThatRefusesFilesIsToldOnceAndLeftUntouched) {
  const std::string root = testTempDirectory("refusing-folder");
  testWriteFile(root + "/file", "x");
  const std::string folder = root + "/file/settings";
  const std::string here = sysCurrentDirectory();
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(sysEnterFolderMakingIt(folder.c_str()));
  EXPECT_FALSE(sysEnterFolderMakingIt(folder.c_str()));
  EXPECT_FALSE(sysWriteFileAtomic((folder + "/profiles.dat").c_str(), "x", 1));
  const std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(sysCurrentDirectory(), here);
  EXPECT_EQ(testCountOf(told, "cannot save files in " + folder + ": Not a directory"), 1) << told;
  EXPECT_EQ(testCountOf(told, "\n"), 1) << told;
  // Another folder is told about on its own.
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(sysWriteFileAtomic((root + "/missing/records.dat").c_str(), "x", 1));
  EXPECT_EQ(testCountOf(::testing::internal::GetCapturedStderr(), root + "/missing:"), 1);
}

TEST(PlayerFiles, ASettingsValueThatCannotBeStoredIsToldOnce) {
  const std::string root = testTempDirectory("refusing-config");
  testWriteFile(root + "/file", "x");
  SavedVariable saved("XDG_CONFIG_HOME");
  setenv("XDG_CONFIG_HOME", (root + "/file/config").c_str(), 1);
  const uint8_t bytes[4] = {1, 2, 3, 4};
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(sysRegistryWrite("software\\test", "settings", bytes, 4));
  EXPECT_FALSE(sysRegistryWrite("software\\test", "settings", bytes, 4));
  const std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(testCountOf(told, root + "/file/config/software/test: Not a directory"), 1) << told;
  EXPECT_EQ(testCountOf(told, "\n"), 1) << told;
}

TEST(StopSignals, TermAndInterruptArriveAsTheCloseMessageOnce) {
  ASSERT_TRUE(sysInit());
  sysCreateHeadlessWindow(640, 480);
  for (const int signal : {SIGTERM, SIGINT}) {
    sysCatchStopSignals();
    std::raise(signal);
    SysEvent event;
    ASSERT_TRUE(sysPollEvent(&event)) << signal;
    EXPECT_EQ(event.type, SysEventType::Close) << signal;
    EXPECT_FALSE(sysPollEvent(&event)) << signal;
  }
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGINT, SIG_DFL);
  sysShutdown();
}

TEST(ApplicationId, NamesTheWindowUnlessTheUserAlreadyDid) {
  SavedVariable x11("SDL_VIDEO_X11_WMCLASS"), wayland("SDL_VIDEO_WAYLAND_WMCLASS");
  unsetenv("SDL_VIDEO_X11_WMCLASS");
  setenv("SDL_VIDEO_WAYLAND_WMCLASS", "users.choice", 1);
  sysSetApplicationId("org.example.game");
  EXPECT_STREQ(std::getenv("SDL_VIDEO_X11_WMCLASS"), "org.example.game");
  EXPECT_STREQ(std::getenv("SDL_VIDEO_WAYLAND_WMCLASS"), "users.choice");
}

}  // namespace
