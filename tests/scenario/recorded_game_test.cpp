// A recorded game: one level played for ten moves through the headless runner,
// whose final dump must stay what it was when it was recorded. It guards the
// rules, the profile, the settings and the sound requests against changes that
// were meant to leave the game's behaviour alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_json.h"
#include "test_support.h"

namespace {

// What the frame draws and the effects it shows are left out: they may grow
// without changing the game (the HUD's fill and pending squares follow the stars
// the effects fly).
const char* const kDrawingFields[] = {"texts", "gfx", "effects", "hud"};

std::string sourceFile(const char* name) {
  const std::vector<uint8_t> bytes =
      testReadFile(std::string(ORBEL_SOURCE_DIR) + "/tests/scenario/" + name);
  return std::string(bytes.begin(), bytes.end());
}

// Where `actual` differs from `expected`, one line per difference, named by path.
void collectDifferences(const JsonValue& expected, const JsonValue& actual,
                        const std::string& path, std::string* out) {
  if (expected.kind == JsonValue::Kind::Object && actual.kind == JsonValue::Kind::Object) {
    for (const auto& [name, value] : expected.fields) {
      collectDifferences(value, actual[name], path + "." + name, out);
    }
    for (const auto& field : actual.fields) {
      if (!expected.has(field.first)) *out += path + "." + field.first + ": not recorded\n";
    }
    return;
  }
  if (expected.kind == JsonValue::Kind::Array && actual.kind == JsonValue::Kind::Array &&
      expected.items.size() == actual.items.size()) {
    for (size_t i = 0; i < expected.items.size(); ++i) {
      collectDifferences(expected.items[i], actual.items[i],
                         path + "[" + std::to_string(i) + "]", out);
    }
    return;
  }
  if (!(expected == actual)) {
    *out += path + ": recorded " + expected.text() + ", now " + actual.text() + "\n";
  }
}

JsonValue withoutDrawing(const JsonValue& dump) {
  JsonValue kept = dump;
  std::erase_if(kept.fields, [](const auto& field) {
    for (const char* name : kDrawingFields) {
      if (field.first == name) return true;
    }
    return false;
  });
  return kept;
}

// The generated data with only the recorded level, and a registry of its own.
std::string recordedGameData(std::string* config) {
  const std::string data = testPrivateDataDirectory("recorded-game");
  testRunCommand("rm -f '" + data + "/levels'");
  testMakeDirectories((data + "/levels").c_str());
  testWriteFile(data + "/levels/tut1_03.lvl", sourceFile("recorded_game.lvl"));
  *config = testTempDirectory("recorded-game-config");
  return data;
}

TEST(RecordedGame, TenMovesEndInTheRecordedDump) {
  JsonValue recorded;
  std::string error;
  ASSERT_TRUE(parseJson(sourceFile("recorded_game.json"), &recorded, &error)) << error;
  std::string config;
  const std::string data = recordedGameData(&config);
  std::string output;
  const int status = testRunScript(data, sourceFile("recorded_game.txt"), "--seed 11", &output,
                                   "XDG_CONFIG_HOME='" + config + "'");
  ASSERT_EQ(status, 0) << output;
  const std::vector<JsonValue> dumps = testDumps(output);
  ASSERT_EQ(dumps.size(), 1u) << output;
  EXPECT_EQ(dumps[0]["game"]["moves"].integer(), 10) << "the script still plays its moves";
  std::string differences;
  collectDifferences(withoutDrawing(recorded), withoutDrawing(dumps[0]), "dump", &differences);
  EXPECT_EQ(differences, "");
}

}  // namespace
