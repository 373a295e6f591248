// The map's runner fixture (map_scenario.h).
#include "map_scenario.h"

#include "game/board.h"
#include "persistence/profile_file.h"
#include "test_support.h"

void MapScenario::SetUp() {
  if (testReadFile(std::string(ORBEL_DATA_DIR) + "/trajectory1.spl").empty()) {
    GTEST_SKIP() << "no generated data in " << ORBEL_DATA_DIR;
  }
  data_ = testPrivateDataDirectory("map-scenario");
  config_ = testTempDirectory("map-scenario-config");
  run("frames 5\nkey A\nframes 75\ntype ANNA\nframes 30\nkey ENTER\nframes 30\n");
}

void MapScenario::editPlayer(const std::function<void(Profile&)>& change) {
  std::vector<uint8_t> bytes = testReadFile(profilesPath());
  ASSERT_EQ(bytes.size(), size_t(kProfileBytes));
  Profile p;
  decodeProfile(bytes.data(), &p);
  change(p);
  encodeProfile(p, bytes.data());
  testWriteFile(profilesPath(), std::string(bytes.begin(), bytes.end()));
}

Profile MapScenario::storedPlayer() const {
  Profile p = {};
  const std::vector<uint8_t> bytes = testReadFile(profilesPath());
  if (bytes.size() >= kProfileBytes) decodeProfile(bytes.data(), &p);
  return p;
}

std::vector<JsonValue> MapScenario::run(const std::string& script, const std::string& options) {
  std::string output;
  const int status = testRunScript(data_, script, "--seed 3 " + options, &output,
                                   "XDG_CONFIG_HOME='" + config_ + "'", true);
  EXPECT_EQ(status, 0) << output;
  return testDumps(output);
}

void MapScenario::reach(Profile& p, int32_t current, int32_t best) {
  p.zone[Difficulty::Normal] = current / 5;
  p.stage[Difficulty::Normal] = current % 5;
  p.bestZone[Difficulty::Normal] = best / 5;
  p.bestStage[Difficulty::Normal] = best % 5;
}

bool MapScenario::drew(const JsonValue& dump, const std::string& text) {
  for (const std::string& drawn : dump["texts"].strings()) {
    if (drawn == text) return true;
  }
  return false;
}

std::string MapScenario::profilesPath() const { return data_ + "/settings/profiles.dat"; }
