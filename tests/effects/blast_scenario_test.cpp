// A bomb blast through the headless runner: a run of four leaves a triple bomb,
// and a diagonal through it sets it off; the dump shows its burst alive.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_json.h"
#include "test_support.h"

namespace {

// Normal difficulty: 'a' and 'b' are preset balls. Moving the 'a' of row 9 into
// row 7 makes a run of four (the bomb lands there); moving the 'b' of row 9 next
// to the preset 'b' of row 8 lines both up with the bomb on a diagonal.
const char* const kLevel =
    "hammer=no\r\n"
    "jockerfrequency=1000000\r\n"
    "level=\r\n"
    "....................\r\n"
    ".00000000000........\r\n"
    ".0aa0a000000........\r\n"
    ".0000b000000........\r\n"
    ".000a0000b00........\r\n"
    ".00000000000........\r\n"
    ".00000000001........\r\n"
    "\r\n";

// The second move, then a dump every two frames while the bomb wobbles and pops.
std::string blastScript() {
  std::string script =
      "play 0 adventure normal\n"
      "frames 45\n"
      "cell 9 9\n"
      "cell 9 7\n"
      "frames 120\n"
      "click -390 290\n"  // closes the bomb's tip, shown a second after it came
      "frames 20\n"
      "dump -\n"
      "cell 14 9\n"
      "cell 11 9\n";
  for (int i = 0; i < 40; ++i) script += "frames 2\ndump -\n";
  return script;
}

std::string blastData() {
  const std::string dir = testPrivateDataDirectory("blast-scenario");
  testRunCommand("rm -f '" + dir + "/levels'");
  testMakeDirectories((dir + "/levels").c_str());
  testWriteFile(dir + "/levels/tut1_01.lvl", kLevel);
  return dir;
}

bool started(const JsonValue& dump, const std::string& sound) {
  for (const std::string& name : dump["audio"]["started"].strings()) {
    if (name == sound) return true;
  }
  return false;
}

}  // namespace

TEST(BlastScenario, TheBombsBurstIsAliveInTheDump) {
  std::string output;
  ASSERT_EQ(testRunScript(blastData(), blastScript(), "--seed 7", &output), 0) << output;
  const std::vector<JsonValue> dumps = testDumps(output);
  ASSERT_EQ(dumps.size(), 41u);
  // The bomb stands where the run of four ended.
  EXPECT_EQ(dumps[0]["board"]["balls"].strings().at(2), ".___L_______........");
  const int before = int(dumps[0]["effects"]["particles"].integer());
  size_t blast = 0;
  while (blast < dumps.size() && !started(dumps[blast], "bomb1.ogg")) ++blast;
  ASSERT_LT(blast, dumps.size()) << "the bomb never went off";
  const JsonValue& effects = dumps[blast]["effects"];
  // Its burst (at least "bomb1" and "bomb2" of the generated data) and the sparks
  // of its fuse and of the aimed move.
  EXPECT_GE(effects["particles"].integer(), before + 20);
  EXPECT_GT(effects["sparks"].integer(), 0);
  EXPECT_EQ(effects["bolts"].integer(), 0);
  EXPECT_EQ(dumps[blast]["board"]["balls"].strings().at(2)[4], '_');
}
