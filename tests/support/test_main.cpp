// The shared main of every test program: headless drivers, private config, data,
// runtime and working folders, the modules connected as the program connects them,
// then GoogleTest.
#include <gtest/gtest.h>

#include <unistd.h>  // chdir

#include <cstdlib>
#include <string>

#include "app/app.h"
#include "test_support.h"

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const std::string home = testTempDirectory("home");
  setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (home + "/run").c_str(), 1);
  testMakeDirectories((home + "/config").c_str());
  testMakeDirectories((home + "/data").c_str());
  testMakeDirectories((home + "/run").c_str());
  // Run from anywhere (the build folder, the checkout), whatever a test writes beside
  // itself lands in this program's own temporary folder.
  if (chdir(testTempDirectory("work").c_str()) != 0) return 1;
  connectModules();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
