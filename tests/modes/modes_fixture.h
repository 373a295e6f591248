// modes_fixture.h: a board in play for the level-end tests: a rectangle of floor,
// a profile that has seen the help, the game scene current, and a private data
// directory for what the level end saves.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

class ModesTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Floor (no balls) on columns 5..5+w-1 and rows 5..5+h-1; the rest are holes.
  void floorArea(int32_t w, int32_t h);
  // A fully arrived ball of `value` at (x, y).
  void putBall(int32_t x, int32_t y, int32_t value);
  // Every free floor cell gets a ball, colours in a pattern that forms no run.
  void fillBoard();
  // Frames as the game scene runs them.
  void frames(int32_t count, float dt = 16.0f);

  std::string data_;
};
