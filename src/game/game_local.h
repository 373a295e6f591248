// game_local.h: what the board game's files share among themselves.
#pragma once

#include <cstdint>

#include "game/board.h"

// A new ball or item grows in for this long and does not match meanwhile; a new
// preview falls into its cell for as long.
constexpr float kArrivalMs = 500.0f;
// Where the hammer's tips point: at the hammer gauge.
constexpr Vec2 kHammerTipAnchor = {320.0f, -230.0f};
// The selected ball hops with |sin(levelClock x this)|; its tile dips at each landing.
constexpr float kBounceRate = 0.007f;
// Jokers are off for a level whose joker frequency reaches this.
constexpr int32_t kNoJokers = 1000000;

// Turns the preview of cell (x, y) into a ball (the shared part of every arrival).
void arriveBall(int32_t x, int32_t y);
// A bomb at rest on (x, y) throws sparks from its fuse as its clock runs from
// clockBefore to clockAfter; other balls throw none.
void throwBombSparks(int32_t x, int32_t y, float clockBefore, float clockAfter);
// Survival's new-ball count for the current pressure (none while it is negative).
int32_t survivalNewBalls(int32_t pressure);
// Back to the title menus: the main menu after the finished adventure, else the
// level choice of the game being played.
void leaveForMap();
