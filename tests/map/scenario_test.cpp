// The map through the headless runner, as a player meets it: the adventure map with
// a mark for every level along the road and the player's stage marked, a level
// picked on it and started; the survival chart with a start level picked by keys and
// started, or refused while locked; and a damaged player file that the map still
// draws without losing anything else.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "game/board.h"
#include "map_scenario.h"

namespace {

TEST_F(MapScenario, EveryLevelLiesAlongTheRoadWithThePlayersStageAndAChosenLevelStarts) {
  editPlayer([](Profile& p) { reach(p, 23, 23); });
  const std::vector<JsonValue> dumps =
      run(std::string(kToTitleMenus) + "choose Adventure\nframes 40\ndump -\nchoose 12\nframes 5\n"
          "dump -\nchoose Start\nframes 40\ndump -\n");
  ASSERT_EQ(dumps.size(), 3u);
  const JsonValue& map = dumps[0]["map"];
  EXPECT_EQ(map["backdrop"].number, 1);
  EXPECT_EQ(map["selectedLevel"].number, 23);
  const std::vector<JsonValue>& marks = map["marks"].items;
  ASSERT_EQ(marks.size(), 70u);
  for (size_t i = 0; i < marks.size(); ++i) {
    const double x = marks[i]["x"].number, y = marks[i]["y"].number;
    EXPECT_LT(std::fabs(x), 400.0) << i;
    EXPECT_LT(std::fabs(y), 300.0) << i;
    const char* state = i < 23 ? "open" : (i == 23 ? "selected" : "locked");
    EXPECT_EQ(marks[i]["state"].string, state) << i;
    if (i == 0) continue;
    const double step = std::hypot(x - marks[i - 1]["x"].number, y - marks[i - 1]["y"].number);
    EXPECT_GT(step, 24.0) << "marks " << i - 1 << " and " << i << " would share a slot";
    EXPECT_LT(step, 130.0) << "mark " << i << " strays from the road";
  }
  EXPECT_EQ(dumps[1]["map"]["selectedLevel"].number, 11);
  EXPECT_EQ(dumps[1]["map"]["marks"][11]["state"].string, "selected");
  EXPECT_EQ(dumps[2]["scene"].string, "game");
  EXPECT_EQ(dumps[2]["game"]["levelIndex"].number, 11);
  EXPECT_FALSE(dumps[2]["game"]["survival"].boolean);
  EXPECT_EQ(dumps[2]["map"]["marks"].items.size(), 0u) << "no map behind the board";
}

TEST_F(MapScenario, TheSurvivalChartStartsTheStartLevelChosenByKeys) {
  editPlayer([](Profile& p) { reach(p, 23, 23); });
  const std::vector<JsonValue> dumps =
      run(std::string(kToTitleMenus) + "choose Survival\nframes 40\nkey RIGHT\nframes 3\n"
          "key RIGHT\nframes 3\nkey RIGHT\nframes 3\ndump -\nframes 80\ndump -\n"
          "choose Start\nframes 40\ndump -\n");
  ASSERT_EQ(dumps.size(), 3u);
  EXPECT_EQ(dumps[0]["map"]["backdrop"].number, 2);
  EXPECT_EQ(dumps[0]["map"]["startLevel"].number, 3);
  EXPECT_TRUE(drew(dumps[0], "4/70"));
  EXPECT_GT(dumps[0]["map"]["chartOffset"].number, 100.0) << "the strip still on its way";
  bool clicked = false;
  for (const std::string& name : dumps[0]["audio"]["started"].strings()) {
    clicked |= name == "chpok1.ogg";
  }
  EXPECT_TRUE(clicked);
  EXPECT_LT(std::fabs(dumps[1]["map"]["chartOffset"].number), 1.0) << "at rest";
  EXPECT_EQ(dumps[2]["scene"].string, "game");
  EXPECT_TRUE(dumps[2]["game"]["survival"].boolean);
  EXPECT_EQ(dumps[2]["game"]["levelIndex"].number, 3);
  EXPECT_EQ(dumps[2]["profiles"]["list"][0]["survivalStartLevel"].number, 3);
}

TEST_F(MapScenario, ALockedStartLevelSaysSoAndStartDoesNothing) {
  const std::vector<JsonValue> dumps =
      run(std::string(kToTitleMenus) + "choose Survival\nframes 40\nkey RIGHT\nframes 3\n"
          "dump -\nchoose Start\nframes 40\ndump -\n");
  ASSERT_EQ(dumps.size(), 2u);
  EXPECT_TRUE(dumps[0]["map"]["startLocked"].boolean);
  EXPECT_TRUE(drew(dumps[0], "LOCKED"));
  EXPECT_EQ(dumps[1]["scene"].string, "map");
  EXPECT_EQ(dumps[1]["menu"]["screen"].string, "survival");
}

// A zone of 20, a best below the first level, a start level of 500 and lives far
// out of range in the stored player.
TEST_F(MapScenario, ADamagedPlayerIsShownWithinTheMapAndKeepsTheRestOfTheFile) {
  editPlayer([](Profile& p) {
    p.zone[Difficulty::Normal] = 20;
    p.bestZone[Difficulty::Normal] = -3;
    p.survivalStartLevel = 500;
    p.lives[Difficulty::Normal] = -7;
    p.lives[Difficulty::Expert] = 100000;
    p.score[Difficulty::Expert] = 4321;
  });
  const std::vector<JsonValue> dumps =
      run(std::string(kToTitleMenus) + "choose Adventure\nframes 40\ndump -\nchoose Back\n"
          "frames 40\nchoose Survival\nframes 40\ndump -\n");
  ASSERT_EQ(dumps.size(), 2u);
  EXPECT_EQ(dumps[0]["map"]["marks"].items.size(), 70u);
  EXPECT_EQ(dumps[0]["map"]["selectedLevel"].number, 65) << "the first stage of the last zone";
  EXPECT_EQ(dumps[0]["map"]["marks"][0]["state"].string, "open");
  EXPECT_GT(dumps[0]["gfx"]["drawCalls"].number, 20);
  EXPECT_EQ(dumps[1]["map"]["startLevel"].number, 69);
  EXPECT_TRUE(drew(dumps[1], "70/70"));
  const Profile kept = storedPlayer();
  EXPECT_STREQ(kept.name, "ANNA");
  EXPECT_EQ(kept.lives[Difficulty::Expert], 100000);
  EXPECT_EQ(kept.score[Difficulty::Expert], 4321);
  EXPECT_EQ(kept.lives[Difficulty::Normal], 3) << "spent lives start the adventure afresh";
}

}  // namespace
