// render_fixture.h: a recording device on a headless 640 x 480 window, in-memory
// picture files, and helpers to read back what was drawn.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/device.h"
#include "platform/picture.h"
#include "platform/platform.h"
#include "render/mesh.h"
#include "render/render.h"
#include "render/sprites.h"
#include "render/text.h"
#include "render/texture.h"
#include "resources/resources.h"

// Enters bytes into the file table under a name; the bytes live until the test ends.
void addMemoryFile(const char* name, std::vector<uint8_t> bytes);
// A w x h picture of one colour (RGBA) as a Targa file.
std::vector<uint8_t> solidTga(int32_t w, int32_t h, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
// A w x h grey JPEG followed by an alpha plane of planeSize bytes of value alpha.
std::vector<uint8_t> alphaJpeg(int32_t w, int32_t h, size_t planeSize, uint8_t alpha);
// A message box handler that remembers the last text and caption.
struct CapturedBox {
  std::string text;
  std::string caption;
  int count;
};
extern CapturedBox capturedBox;
// Runs a call expected to stop the program with the message box's text on stderr.
void stopWithMessageOnStderr(void (*call)());

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The vertices of recorded draw i (as submitted).
  std::vector<DevVertex> drawVertices(size_t i) const;
  // Recorded draws of primitives only.
  std::vector<DevRecordedDraw> primitiveDraws() const;
  // A point through the recorded draw's world, view and projection, divided by w.
  static Vec3 toClip(const DevRecordedDraw& d, const DevVertex& v, float* w = nullptr);
};
