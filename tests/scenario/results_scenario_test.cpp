// Results through the headless runner, as a player meets them: the high scores
// generated at the first start, a game given up with its last life whose score
// then stands in the table (and in "hiscore.dat"), and a level won with the
// developer keys whose result panel counts up and cheers its records.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "test_json.h"
#include "test_support.h"

namespace {

struct ResultsRun {
  int status;
  std::string output;
  std::vector<JsonValue> dumps;
  std::string data;
};

ResultsRun runResults(const char* tag, const std::string& script) {
  ResultsRun run;
  run.data = testPrivateDataDirectory(tag);
  const std::string config = testTempDirectory((std::string(tag) + "-config").c_str());
  run.status = testRunScript(run.data, script, "--seed 5", &run.output,
                             "XDG_CONFIG_HOME='" + config + "'", true);
  run.dumps = testDumps(run.output);
  return run;
}

// The table's rows as drawn: name and score after the caption and difficulty.
std::vector<std::pair<std::string, int64_t>> tableRows(const JsonValue& dump) {
  const std::vector<std::string> texts = dump["texts"].strings();
  std::vector<std::pair<std::string, int64_t>> rows;
  for (size_t i = 2; i + 1 < texts.size() && rows.size() < 10; i += 2) {
    rows.emplace_back(texts[i], std::atoll(texts[i + 1].c_str()));
  }
  return rows;
}

const char* const kDefaultNames[] = {"MARBLE MAY", "PIP ROLLO",  "OTTO ORB",    "LUNA SPIN",
                                     "CAPTAIN DOT", "BEA BOUNCE", "RIKO ROUND", "NELL NIMBLE",
                                     "SAM SWIFT",  "IVY PEBBLE"};

std::string restartForALife() {
  return "key ESCAPE\nframes 45\nchoose Restart level\nframes 45\nchoose Yes\nframes 45\n";
}

std::string gameOverScript() {
  std::string script =
      "frames 5\nplay 0 adventure normal\nframes 60\n"
      "key ESCAPE\nframes 45\nchoose Main menu\nframes 45\n"         // no move: nothing saved
      "choose High scores\nframes 45\ndump -\n"                     // 0: the defaults
      "choose Back\nframes 45\nplay 0 adventure normal\nframes 60\n"
      "type ZOMPRETH\n";
  for (int i = 0; i < 6; ++i) script += "key Z\n";                   // 60000 points
  script += "frames 60\ndump -\n";                                   // 1: the score
  for (int i = 0; i < 3; ++i) script += restartForALife();
  script += "key ESCAPE\nframes 45\nchoose Restart level\nframes 45\ndump -\n"  // 2: no lives
            "choose Yes\nframes 400\ndump -\n"                       // 3: the game is over
            "choose Back\nframes 45\ndump -\n";                      // 4: the title
  return script;
}

TEST(ResultsScenario, TheHighScoresListTheDefaultsAndThePlayerWhoseGameIsOver) {
  const ResultsRun run = runResults("results-hiscore", gameOverScript());
  ASSERT_EQ(run.status, 0) << run.output;
  const std::vector<JsonValue>& d = run.dumps;
  ASSERT_EQ(d.size(), 5u) << run.output;

  EXPECT_EQ(d[0]["menu"]["screen"].string, "hiscore");
  EXPECT_EQ(d[0]["texts"][1].string, "Normal") << "the player's difficulty shows first";
  const auto defaults = tableRows(d[0]);
  ASSERT_EQ(defaults.size(), 10u) << d[0]["texts"].text();
  for (size_t k = 0; k < 10; ++k) {
    EXPECT_EQ(defaults[k].first, kDefaultNames[k]) << "row " << k;
    EXPECT_EQ(defaults[k].second % 100, 0) << "row " << k;
    if (k > 0) {
      EXPECT_LT(defaults[k].second, defaults[k - 1].second) << "row " << k;
    }
  }
  ASSERT_LT(defaults[9].second, 60000) << "the test's score must reach the table";

  EXPECT_EQ(d[1]["profiles"]["list"][0]["score"][1].integer(), 60000);
  EXPECT_EQ(d[2]["menu"]["screen"].string, "messageboxyn");
  EXPECT_EQ(d[2]["profiles"]["list"][0]["lives"][1].integer(), 0);

  EXPECT_EQ(d[3]["scene"].string, "game");
  EXPECT_EQ(d[3]["menu"]["screen"].string, "hiscore");
  EXPECT_EQ(d[3]["profiles"]["list"][0]["lives"][1].integer(), -1);
  std::vector<std::pair<std::string, int64_t>> expected = defaults;
  size_t at = 0;
  while (expected[at].second >= 60000) ++at;
  expected.insert(expected.begin() + long(at), {"PLAYER", 60000});
  expected.pop_back();
  EXPECT_EQ(tableRows(d[3]), expected) << d[3]["texts"].text();

  EXPECT_EQ(d[4]["scene"].string, "map");
  EXPECT_EQ(d[4]["menu"]["screen"].string, "main");
  const std::vector<uint8_t> stored = testReadFile(run.data + "/settings/hiscore.dat");
  ASSERT_EQ(stored.size(), 1080u);
  const size_t row = (10 + at) * 36;  // normal's table follows expert's ten rows
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&stored[row])), "PLAYER");
  EXPECT_EQ(stored[row + 32] | stored[row + 33] << 8 | stored[row + 34] << 16, 60000);
}

bool started(const JsonValue& dump, const std::string& sample) {
  for (const std::string& name : dump["audio"]["started"].strings()) {
    if (name == sample) return true;
  }
  return false;
}

TEST(ResultsScenario, AWonLevelsPanelCountsUpCheersItsRecordsAndLeadsToTheMap) {
  const ResultsRun run = runResults("results-panel",
                             "frames 5\nplay 0 adventure normal\nframes 60\ntype ZOMPRETH\n"
                             "key Z\nframes 5\nkey N\nframes 560\ndump -\n"  // 0: counting
                             "frames 150\ndump -\n"                         // 1: all shown
                             "key ENTER\nframes 45\ndump -\n");              // 2: the map
  ASSERT_EQ(run.status, 0) << run.output;
  const std::vector<JsonValue>& d = run.dumps;
  ASSERT_EQ(d.size(), 3u) << run.output;

  ASSERT_EQ(d[0]["menu"]["screen"].string, "levelcomplete") << d[0]["menu"].text();
  const std::vector<std::string> counting = d[0]["texts"].strings();
  ASSERT_GT(counting.size(), 2u);
  const int64_t shown = std::atoll(counting[2].c_str());
  EXPECT_GT(shown, 0);
  EXPECT_LT(shown, 10000) << "the score is still counting up";
  EXPECT_TRUE(started(d[0], "score.ogg"));

  const std::vector<std::string> done = d[1]["texts"].strings();
  EXPECT_EQ(done[2], "10000");
  EXPECT_TRUE(started(d[1], "wow.ogg")) << "10000 points beat the level's record";
  EXPECT_GT(d[1]["effects"]["particles"].integer(), 0) << "its stars burst";

  EXPECT_EQ(d[2]["scene"].string, "map");
  EXPECT_EQ(d[2]["menu"]["screen"].string, "adventure");
  EXPECT_EQ(d[2]["profiles"]["list"][0]["stage"][1].integer(), 1) << "the next level is current";
}

}  // namespace
