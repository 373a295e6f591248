// ui_fixture.h: the menus as the map scene runs them, over the generated data: a
// recording device on a headless window, the font, the menu pictures and tree,
// and helpers that point, click, press keys and run frames as a player would.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/menu.h"

class MenuTest : public ::testing::Test {
 protected:
  // Once per program: the data, the window and device, the font, textures, tree.
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // One frame of the map scene's menus: update, then draw. dt in ms.
  void frame(float dt = 16.0f);
  // Frames until no slide runs (at most two seconds).
  void settle();
  // A key as the map scene hands it over, then frames until the menus are still.
  void press(int32_t key);
  // Types letters and digits one frame apart.
  void type(const char* text);
  // The pointer moved to an overlay point.
  void pointAt(float x, float y);
  // A click (down and up) at an overlay point, then frames until still.
  void clickAt(float x, float y);
  // A double click as the window system sends it (down, up, double click, up) at an
  // overlay point, then frames until still.
  void doubleClickAt(float x, float y);
  // A click on the centre of the visible item of that text (fails the test when
  // there is none), then frames until still.
  void choose(const char* text);
  // Opens a screen by name and lets it slide in.
  void open(const char* screen);
  // The visible item of that text, or null.
  const VisibleItem* visible(const char* text) const;
  // Requests of the named sound waiting in the ring.
  static int32_t soundsQueued(const char* name);
  // The bytes of a file in the data's "settings" folder (empty when missing).
  std::vector<uint8_t> settingsFile(const char* name) const;
  // Applies the scene switch a command asked for.
  static void endFrame();
  // A game of `kind` (0 adventure, 1 zen, 2 survival) saved for the current
  // profile in the first level as play leaves it: the file and the offer.
  void keepSavedGame(int kind);

  std::string data_;
};
