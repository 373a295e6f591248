// board_fixture.h: a board written as rows of letters for the rule tests, and the
// board read back the same way.
//
// Letters, one per cell from column 5 and row 5: '.' hole, '_' empty floor,
// 'a'..'j' colours 0..9, 'K' joker, 'L' triple bomb, 'M' diamond, 'N' quadro bomb,
// 'A'..'J' a colour with one chain. Balls are placed fully arrived.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/board.h"

class BoardTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Puts the rows on the live board (the rest are holes) and counts free cells.
  void setBoard(const std::vector<std::string>& rows);
  // Square layers per cell as digits ('.' leaves the cell as it is).
  void setLayers(const std::vector<std::string>& rows);
  // The first `count` rows of the board as letters, as setBoard takes them.
  std::vector<std::string> balls(int count) const;
  // Runs frames of `dt` ms through the game's frame update.
  void runFrames(int frames, float dt = 16.0f);
  // Lets every queued removal pop.
  void popAll();
  // Puts a ball of `value` at (x, y), fully arrived.
  void putBall(int x, int y, int value, int chains = 0);
};

// Cell (column, row) of the board from the letter rows: column 5 + i, row 5 + j.
inline int col(int i) { return kFirstColumn + i; }
inline int row(int j) { return kFirstRow + j; }
