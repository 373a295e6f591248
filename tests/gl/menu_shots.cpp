// Screenshots of the menus: their files, pixels and the window's two colours.
#include "menu_shots.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

std::string menuShotPath(const char* name) {
  const std::string folder = std::string(ORBEL_BUILD_DIR) + "/gl-shots";
  testMakeDirectories(folder.c_str());
  return folder + "/" + name + ".png";
}

const uint8_t* MenuShot::at(float x, float y) const {
  const int px = int((x + 400.0f) * float(picture.width) / 800.0f);
  const int py = int((300.0f - y) * float(picture.height) / 600.0f);
  return &picture.rgba[(size_t(py) * size_t(picture.width) + size_t(px)) * 4];
}

bool loadMenuShot(const char* name, MenuShot* shot) {
  const std::vector<uint8_t> png = testReadFile(menuShotPath(name));
  return picDecode(png.data(), png.size(), &shot->picture);
}

void expectWindowBody(const MenuShot& shot, float x, float y, const char* where) {
  const uint8_t* p = shot.at(x, y);
  EXPECT_GT(p[0], 20) << where;
  EXPECT_LT(p[0], 110) << where;
  EXPECT_GT(p[0], p[1]) << where;
  EXPECT_GT(p[0], p[2]) << where;
}

void expectWindowGold(const MenuShot& shot, float x, float y, const char* where) {
  const uint8_t* p = shot.at(x, y);
  EXPECT_GT(p[0], 140) << where;
  EXPECT_GT(p[1], 50) << where;
  EXPECT_GT(p[0], p[2] + 60) << where;
}
