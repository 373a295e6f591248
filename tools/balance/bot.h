// bot.h: the balance tool's player, a fixed skill that a good first-time player
// matches. For every legal move it judges the board after the move (runs made,
// squares cleared, free cells, lines prepared, bonus items) and plays the best;
// with look-ahead it also weighs the best move the board leaves for the turn after.
// It sees what a person sees: the balls, the squares, the chains and the previews
// of the balls to come, never the random numbers behind them. Its choices depend on
// the board alone, so the same game always gets the same moves.
#pragma once

#include <cstdint>

#include "game/board.h"

namespace balance {

enum class Skill : uint8_t {
  Greedy,     // judges the board right after the move
  LookAhead   // ... and the best move that board leaves
};

struct BotMove {
  bool hammer;   // strike `to` with the hammer; `from` is unused
  CellPos from;  // the ball moved
  CellPos to;    // its target (an empty cell it can reach), or the ball struck
};

// The player's next action on the current board and game state, with the board at
// rest (no ball moving or arriving). Returns false when no ball can move and the
// hammer has nothing to do.
bool chooseMove(Skill skill, BotMove* move);

}  // namespace balance
