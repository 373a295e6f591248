// effects_fixture.h: the effects on a recording device with the game's overlay
// camera, definitions written in the test, and helpers to read back the squares
// that were drawn.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effects/effect_state.h"
#include "effects/effects.h"
#include "platform/device.h"

class EffectsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 public:
  // Adds a definition named `name` from ".par" text (lines joined with CR LF).
  static void addEffect(const char* name, const std::vector<std::string>& lines);
  // The overlay camera of the game and map scenes: x, y are overlay units at z = 0.
  static void useOverlayCamera();
  // The primitive draws recorded since the last devResetFrame.
  static std::vector<DevRecordedDraw> primitiveDraws();
  // The centres of the squares of recorded draw `draw` (six vertices each).
  static std::vector<Vec2> squareCentres(const DevRecordedDraw& draw);
  // The live particles, in slot order.
  static std::vector<const Particle*> liveParticles();
  static int liveSparks();
};

// Distance between two points.
float distance(Vec2 a, Vec2 b);
