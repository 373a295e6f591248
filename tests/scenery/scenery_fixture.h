// scenery_fixture.h: the scenery on a recording device, over a data folder the
// tests write, viewed as the game scene views it (overlay projection, the eye 50
// units back).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/device.h"

class SceneryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Forgets what was drawn, then draws the game scene's background once.
  void drawFrame();
  // The primitives drawn since the last drawFrame, in order.
  std::vector<DevRecordedDraw> primitiveDraws() const;
  std::vector<DevVertex> verticesOf(const DevRecordedDraw& draw) const;
  // The device texture of a cached picture (null when not cached).
  static DevTexture* textureOf(const char* name);
  // Enters bytes into the file table under a name, kept until the test ends.
  void addMemoryFile(const char* name, const std::string& bytes);

  static std::string& dataDirectory();
  std::string previousDirectory_;
};

// The list of background 1 (levels 0-4), object by object.
enum ListOneObject { kSky, kWaterfall, kSpray, kLeavesA, kRockBehind, kLeavesB, kRockFront,
                     kGhost, kWater, kListOneCount };
