// The whole game without a mouse, through the headless runner, on two small
// levels of the test's own: a first-time player on the keys alone (the name, the
// options, the help, a level won from the map to its results, the game menu and
// saving, the high scores), and a player on a game controller alone from the
// title to a level's results.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_json.h"
#include "test_support.h"

namespace {

// Level 1: one ball moved up finishes the row over the only square. Level 2: a
// ball can move aside without a row, and a square stays.
const char* const kLevelOne[] = {".......aa1..........", ".........a.........."};
const char* const kLevelTwo[] = {".......a0b..........", ".......1............"};

std::string levelFile(const char* const rows[2]) {
  std::string text = "hammer=no\r\nlevel=\r\n";
  for (int row = 0; row < 15; ++row) {
    text += (row == 5 || row == 6 ? rows[row - 5] : "....................") + std::string("\r\n");
  }
  return text;
}

std::vector<JsonValue> runWithoutMouse(const char* tag, const std::string& script,
                                       std::string* output) {
  const std::string data = testPrivateDataDirectory(tag);
  testRunCommand("rm -f '" + data + "/levels'");
  testMakeDirectories((data + "/levels").c_str());
  testWriteFile(data + "/levels/tut1_01.lvl", levelFile(kLevelOne));
  testWriteFile(data + "/levels/tut1_02.lvl", levelFile(kLevelTwo));
  const std::string config = testTempDirectory((std::string(tag) + "-config").c_str());
  EXPECT_EQ(testRunScript(data, script, "--seed 5", output, "XDG_CONFIG_HOME='" + config + "'",
                          true),
            0)
      << *output;
  return testDumps(*output);
}

// Each key or button one frame apart, as the menus read one a frame.
std::string press(const char* command, const std::vector<const char*>& names) {
  std::string script;
  for (const char* name : names) script += std::string(command) + " " + name + "\nframes 2\n";
  return script;
}
std::string keys(const std::vector<const char*>& names) { return press("key", names); }
std::string pads(const std::vector<const char*>& names) { return press("pad", names); }

bool drewPart(const JsonValue& dump, const std::string& part) {
  for (const std::string& text : dump["texts"].strings()) {
    if (text.find(part) != std::string::npos) return true;
  }
  return false;
}

TEST(WithoutMouse, AFirstTimePlayerWalksEveryStepOnTheKeysAlone) {
  const std::string script =
      "frames 5\nkey A\nframes 75\ntype ANNA\n" + keys({"ENTER"}) + "frames 40\n" +
      keys({"DOWN", "DOWN", "DOWN", "DOWN", "ENTER"}) + "frames 40\n" +
      keys({"DOWN", "DOWN", "LEFT", "DOWN", "DOWN", "DOWN", "SPACE", "ESCAPE"}) +
      "frames 40\ndump -\n" +                                   // 0: the title again
      keys({"DOWN", "DOWN", "DOWN"}) + "dump -\n" +             // 1: the profiles link
      keys({"DOWN", "ENTER"}) + "frames 40\n" + keys({"ENTER"}) +
      "frames 60\ndump -\n" +                                   // 2: the help over the board
      keys({"ENTER"}) + "frames 60\ndump -\n" +                 // 3: the board
      keys({"DOWN", "ENTER", "UP", "ENTER"}) + "dump -\n" +     // 4: the ball on its way
      "frames 600\ndump -\n" +                                  // 5: the results
      keys({"ENTER"}) + "frames 30\n" + keys({"ENTER"}) + "frames 60\n" + keys({"ENTER"}) +
      "frames 60\n" + keys({"LEFT", "ENTER", "RIGHT", "ENTER", "ESCAPE"}) + "frames 40\n" +
      keys({"UP"}) + "dump -\n" +                               // 6: the game menu
      keys({"ENTER"}) + "frames 40\ndump -\n" +                 // 7: saved
      keys({"ENTER"}) + "frames 60\n" + keys({"DOWN", "DOWN", "DOWN", "ENTER"}) +
      "frames 40\n" + keys({"RIGHT"}) + "dump -\n" +            // 8: the high scores
      keys({"ENTER"}) + "frames 40\ndump -\n";                  // 9: the title
  std::string output;
  const std::vector<JsonValue> d = runWithoutMouse("keys-only", script, &output);
  ASSERT_EQ(d.size(), 10u) << output;

  EXPECT_EQ(d[0]["profiles"]["list"][0]["name"].string, "ANNA");
  EXPECT_EQ(d[0]["settings"]["effectsVolume"].integer(), 85) << "the options took the keys";
  EXPECT_EQ(d[0]["settings"]["customCursor"].integer(), 1);
  EXPECT_TRUE(d[1]["menu"]["items"][7]["selected"].boolean) << d[1]["menu"]["items"][7].text();
  EXPECT_TRUE(drewPart(d[2], "Arrows and Enter")) << "the help names the keys";
  EXPECT_EQ(d[3]["game"]["keyCursor"].text(), "[13,10]") << "the middle of the floor";
  EXPECT_EQ(d[4]["game"]["selected"].text(), "[14,11]");
  EXPECT_GT(d[4]["game"]["movePathSteps"].integer(), 0);
  EXPECT_EQ(d[5]["menu"]["screen"].string, "levelcomplete");
  EXPECT_EQ(d[6]["game"]["moves"].integer(), 1) << "a move on the next level, then the menu";
  EXPECT_EQ(d[7]["menu"]["screen"].string, "messageboxok");
  EXPECT_TRUE(d[7]["profiles"]["list"][0]["adventureSaved"].boolean);
  EXPECT_EQ(d[8]["texts"][1].string, "Zen") << "the high scores' next table";
  EXPECT_EQ(d[9]["menu"]["screen"].string, "main");
}

TEST(WithoutMouse, APlayerOnAControllerSpellsANameAndWinsALevel) {
  const std::string script =
      "frames 5\n" + pads({"a"}) + "frames 75\n" +
      pads({"dpup", "dpright", "dpup", "dpup", "a"}) + "frames 40\n" + pads({"a"}) +
      "frames 40\n" + pads({"a"}) + "frames 60\ndump -\n" +     // 0: the help over the board
      pads({"a"}) + "frames 60\n" +
      "stick 0.1 -0.9\nframes 2\nstick 0 0\nframes 2\n" + pads({"a", "dpup", "a"}) +
      "dump -\n" +                                              // 1: the ball on its way
      "frames 600\ndump -\n" +                                  // 2: the results
      pads({"a"}) + "frames 30\n" + pads({"a"}) + "frames 60\ndump -\n";  // 3: the map
  std::string output;
  const std::vector<JsonValue> d = runWithoutMouse("pad-only", script, &output);
  ASSERT_EQ(d.size(), 4u) << output;

  EXPECT_EQ(d[0]["profiles"]["list"][0]["name"].string, "AB");
  EXPECT_TRUE(drewPart(d[0], "D-pad and A")) << "the help names the buttons";
  EXPECT_EQ(d[1]["game"]["inputDevice"].string, "pad");
  EXPECT_EQ(d[1]["game"]["selected"].text(), "[14,11]") << "the stick moved the cursor down";
  EXPECT_EQ(d[2]["menu"]["screen"].string, "levelcomplete");
  EXPECT_EQ(d[3]["profiles"]["list"][0]["stage"][1].integer(), 1) << "the next level is current";
}

}  // namespace
