// map_scenario.h: the map through the headless runner over a private copy of the
// generated data: a player made by a first run, whose stored file a test may then
// change, and runs of scripts whose dumps are read back.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "persistence/profile.h"
#include "test_json.h"

// From the title (one key) to the title menus of the player made in SetUp.
constexpr const char* kToTitleMenus = "frames 5\nkey A\nframes 80\n";

class MapScenario : public ::testing::Test {
 protected:
  // The data and settings of this test, and the player ANNA; skips without data.
  void SetUp() override;
  // The stored player as `change` leaves it.
  void editPlayer(const std::function<void(Profile&)>& change);
  // The stored player now.
  Profile storedPlayer() const;
  // Runs the script (extra runner options in `options`) and returns its dumps; a
  // run that does not end normally fails the test.
  std::vector<JsonValue> run(const std::string& script, const std::string& options = "");
  // Current level `current`, best `best` in normal.
  static void reach(Profile& p, int32_t current, int32_t best);
  // True when the last frame before the dump drew `text`.
  static bool drew(const JsonValue& dump, const std::string& text);

  std::string data_, config_;

 private:
  std::string profilesPath() const;
};
