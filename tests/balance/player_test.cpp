// The balance player: a few short games on the generated levels with fixed seeds.
// Every action it takes is one the game allows, and a game is the same each time
// it is played, whatever was played before it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "balance/play.h"
#include "game/board.h"

namespace {

using balance::BotMove;
using balance::GameResult;
using balance::GameSetup;

struct Watch {
  std::vector<std::string> actions;
  int checked = 0;
};

std::string describe(const BotMove& m) {
  return (m.hammer ? "hammer " : "move ") + std::to_string(m.from.x) + "," +
         std::to_string(m.from.y) + ">" + std::to_string(m.to.x) + "," + std::to_string(m.to.y);
}

// Checks the action against the board before the game gets it: a free ball that
// the game's own route search takes to an empty cell, or a full hammer on a ball.
void checkAction(const BotMove& move, void* context) {
  auto* watch = static_cast<Watch*>(context);
  watch->actions.push_back(describe(move));
  ++watch->checked;
  const Cell& target = cellAt(move.to.x, move.to.y);
  ASSERT_TRUE(isPlayable(move.to.x, move.to.y) && hasFloor(target));
  if (move.hammer) {
    EXPECT_TRUE(gameState.hammerEnabled && gameState.hammerCharge == 1.0f);
    EXPECT_TRUE(hasBall(target));
    return;
  }
  ASSERT_TRUE(isPlayable(move.from.x, move.from.y));
  const Cell& ball = cellAt(move.from.x, move.from.y);
  EXPECT_TRUE(hasBall(ball) && ball.chainLocks == 0) << describe(move);
  EXPECT_FALSE(hasBall(target)) << describe(move);
  selectBall(move.from.x, move.from.y);
  EXPECT_GE(target.pathDistance, 1) << describe(move);
  deselectBall();
}

class PlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(balance::preparePlayer(ORBEL_DATA_DIR, &error)) << error;
  }
  GameResult play(const GameSetup& setup, Watch* watch) {
    return balance::playGame(setup, checkAction, watch);
  }
};

const GameSetup kGames[] = {
    {0, Difficulty::Normal, false, 7, balance::Skill::LookAhead},
    {4, Difficulty::Expert, false, 3, balance::Skill::Greedy},
    {12, Difficulty::Zen, false, 11, balance::Skill::LookAhead},
};

}  // namespace

TEST_F(PlayerTest, EveryActionIsOneTheGameAllows) {
  for (const GameSetup& setup : kGames) {
    Watch watch;
    const GameResult result = play(setup, &watch);
    EXPECT_EQ(result.illegalMoves, 0) << "level " << setup.level;
    EXPECT_GT(watch.checked, 0) << "level " << setup.level;
    EXPECT_FALSE(result.stuck) << "level " << setup.level;
  }
}

TEST_F(PlayerTest, AGameIsTheSameWhateverWasPlayedBefore) {
  const GameSetup& setup = kGames[2];
  Watch first, again, other;
  const GameResult a = play(setup, &first);
  play(kGames[1], &other);
  const GameResult b = play(setup, &again);
  EXPECT_EQ(first.actions, again.actions);
  EXPECT_EQ(a.won, b.won);
  EXPECT_EQ(a.moves, b.moves);
  EXPECT_EQ(a.score, b.score);
  EXPECT_EQ(a.elapsedMs, b.elapsedMs);

  GameSetup reseeded = setup;
  reseeded.seed += 1;
  Watch different;
  play(reseeded, &different);
  EXPECT_NE(first.actions, different.actions);
}
