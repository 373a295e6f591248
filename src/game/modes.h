// modes.h: what the two games (adventure and survival) and the three difficulties
// add around the board rules: the level start's extras, the end-of-level check,
// the level-complete and defeat sequences with the statistics they record, the
// ambient sounds, the help screen shown once per game kind, and the floor tiles
// leaving the screen in the level-complete picture.
#pragma once

#include <cstdint>

#include "core/math.h"
#include "game/board.h"
#include "persistence/records.h"

constexpr float kLevelCompleteMs = 8500.0f;
constexpr float kBoardClearsAtMs = 7500.0f;     // every ball pops; the picture starts
constexpr float kTilesFlyAtMs = 6500.0f;        // the tiles stop wobbling and fly off
constexpr float kTilesGoneAtMs = 1500.0f;       // nothing is drawn below this
constexpr float kLevelMusicBackAtMs = 3500.0f;
constexpr float kDefeatMs = 5000.0f;
constexpr int32_t kLevelCompleteMusic = 4;
constexpr int32_t kDefeatMusic = 5;
constexpr float kBigMessageSize = 23.0f;
constexpr int32_t kBirdsPeriodMs = 6200;
constexpr int32_t kMaxMessageKey = 32;

// How the floor tiles leave the screen after a won level.
enum class TileExit : uint8_t {
  Wave,     // row after row sweeps off to the right
  Outward,  // away from the board centre
  Inward,   // into the board centre, shrinking
  Fall,     // down, drifting sideways
  Scatter   // off in random directions
};

// One tile's flight: where it ends up relative to its cell, when it starts (as a
// fraction of the flight time) and how far it turns.
struct TileFlight {
  Vec2 displacement;
  float delay;  // 0..0.5
  float spin;   // degrees over the whole flight
  float phase;  // desynchronises the wobble
};

// What the modes keep per level: process lifetime; startLevel resets it through
// prepareLevelModes, except the bird call, which runs on across levels.
struct ModeState {
  int32_t ambientClock;     // whole ms since the level start
  bool ambientStarted;      // the t = 0 sounds have played
  int32_t birdCall;         // which "birds%i.ogg" comes next
  bool survivalOver;        // this survival game's result is recorded
  bool resultPending;       // the last life was lost: the score waits for the "hiscore"
                            // screen to enter it (the menus clear it); no saving meanwhile
  char bigMessage[kMaxMessageKey];  // text key of the last big message ("" when cleared)
  bool levelBroken;         // the level file gave no cell to play on: the first frame
                            // leaves for the level choice, nothing won or lost
  TileExit tileExit;
  TileFlight tiles[kBoardSize][kBoardSize];
};
extern ModeState modeState;

// Where one floor tile of the level-complete picture is drawn.
struct TilePose {
  bool visible;
  Vec2 centre;   // overlay units
  float scale;   // of the 46.2-unit tile
  float angle;   // degrees
  float alpha;   // 0..1
};

// Called by startLevel once the board is ready: restarts the ambient clock and
// prepares the tiles' exit for this level (the pattern follows levelIndex mod 3).
void prepareLevelModes(int32_t index);
// Called by startLevel last: a level without a cell to play on (its file missing,
// unreadable or damaged) is said on stderr and marked broken.
void checkLevelPlayable(int32_t index);
// Starts the survival start level or the profile's current level in the game kind
// and difficulty the menus set.
void startCurrentLevel();

// Frame steps. The ambient sounds and the end sequences run in the frame update;
// the end-of-level check and the help screen close the frame once the board has
// been updated.
void updateAmbientSounds(float dt);
void updateEndSequences(float dt);
void gameFrameEndRules();

// The end-of-level check: a cleared adventure level starts the level-complete
// sequence; a full board ends survival or starts the defeat sequence. A won level
// and a finished survival game wait until the balls still wobbling have popped,
// so their points are in the result the records take.
void checkLevelEnd();
// The defeat sequence as the in-game menus start it (the music stays).
void startDefeat();
// The running level's result as the tables take it.
LevelResult currentLevelResult();
// The menus have shown the lost game's result (or moved on without it).
void clearPendingResult();

// Tile (x, y) of the level-complete picture at sequence time `timer`: hidden above
// 7500 ms (the board itself shows), while wobbling from 7500 to 6500, flying and
// fading until 1500, and hidden below.
TilePose levelCompleteTilePose(int32_t x, int32_t y, float timer);
