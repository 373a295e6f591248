// scene_fixture.h: the game scene on the recording device: every board and HUD
// picture made in memory (each a plain colour of its own), a font, a profile and a
// board written as rows of letters; frames run through the scene's update and
// drawing, and what was drawn is read back picture by picture.
//
// Board letters, one per cell from column 5 and row 5: '.' hole, '_' empty floor,
// '1' and '2' floor with square layers, 'a'..'h' colours 0..7, 'K' joker, 'L'
// triple bomb, 'M' diamond, 'N' quadro bomb, 'A'..'H' a colour with one chain.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/board.h"
#include "game/game_scene.h"
#include "platform/device.h"

// One recorded primitive: which picture it shows and where.
struct DrawnPicture {
  std::string name;  // the picture's file name, or "text" for a glyph, "" untextured
  Vec2 centre;       // of the quad's corners
  float width;       // distance between the first two corners of the strip's top edge
  std::vector<DevVertex> corners;
  DevState state;
};

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  void setBoard(const std::vector<std::string>& rows);
  // A file in the file table (a level, a text) that lives until the test ends.
  void addMemoryLevel(const std::string& name, const std::string& text);
  // One frame: the scene's update with the pointer at `pointer` (overlay units),
  // then its drawing, recorded from an empty frame.
  void frame(float dt = 16.0f, Vec2 pointer = {0.0f, 0.0f});
  // Only the drawing of the state as it is.
  void drawOnly();
  // The primitives of the last drawing, named.
  std::vector<DrawnPicture> drawn() const;
  // Index of the first / last primitive showing `name` (-1 when none).
  int firstDrawn(const std::string& name) const;
  int lastDrawn(const std::string& name) const;
  int countDrawn(const std::string& name) const;
  // The texts of the last drawing, in order.
  std::vector<std::string> texts() const;

  float clock_ = 0.0f;
};

// The colour each picture is made in (opaque), for the GL tests' pixels too.
uint32_t testPictureColour(const std::string& name);

// Cell (column, row) of the letter rows: column 5 + i, row 5 + j.
inline CellPos at(int i, int j) { return {kFirstColumn + i, kFirstRow + j}; }
inline Vec2 centreOf(int i, int j) { return cellCentre(kFirstColumn + i, kFirstRow + j); }
