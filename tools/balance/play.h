// play.h: one game of the balance player through the game's own rules library:
// the level starts as the menus start it, every move is two clicks on the board
// (or the hammer gauge and a ball) handed to the game's input rules, and the game
// runs its frames until the board rests. No window, no drawing, no sound device.
#pragma once

#include <cstdint>
#include <string>

#include "bot.h"

namespace balance {

// The player's pace: it looks at a resting board this long before each move, so
// the level clock reads like a person's time.
constexpr int32_t kThinkMs = 3000;
// A game still running after this many moves is cut short and counted lost.
constexpr int32_t kMaxMoves = 1000;

struct GameSetup {
  int32_t level;       // 0..69
  int32_t difficulty;  // Difficulty::Expert, Normal or Zen
  bool survival;       // the survival game from that start level
  uint32_t seed;       // the game's random numbers
  Skill skill;
};

struct GameResult {
  bool won;            // every square cleared (adventure)
  bool stuck;          // no ball could move any more: counted lost
  int32_t moves;       // moves made (hammer strikes not counted)
  int32_t elapsedMs;   // the level clock
  int32_t score;       // the level's points when it ended
  int32_t comboStat;   // as the level records it
  int32_t illegalMoves;  // moves the game's input rules refused (none expected)
};

// Called before each of the player's actions, with the board at rest.
using MoveWatcher = void (*)(const BotMove& move, void* context);

// Makes this process ready to play the levels of the data directory `dataDir`:
// resets every module the rules touch and creates the player's profile (help and
// tips already seen). False with a reason when the levels cannot be read.
bool preparePlayer(const std::string& dataDir, std::string* error);

// Plays one game. The same setup gives the same game, whatever ran before.
GameResult playGame(const GameSetup& setup, MoveWatcher watcher = nullptr,
                    void* context = nullptr);

}  // namespace balance
