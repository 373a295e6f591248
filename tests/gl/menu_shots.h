// menu_shots.h: screenshots the runner takes of the menus on real GL: where they
// are kept, reading them back, their pixels by overlay point, and the two colours
// every menu window shows (its dark body and its gold frame).
#pragma once

#include <cstdint>
#include <string>

#include "platform/picture.h"

// <build>/gl-shots/<name>.png (the folder is made when missing).
std::string menuShotPath(const char* name);

struct MenuShot {
  Picture picture;
  // The pixel under an overlay point (x right, y up, 800 x 600 units).
  const uint8_t* at(float x, float y) const;
};
// False when the file is missing or no PNG.
bool loadMenuShot(const char* name, MenuShot* shot);

// The window body: a dark warm brown (a little of what is behind shows through).
void expectWindowBody(const MenuShot& shot, float x, float y, const char* where);
// The frame's gold rail.
void expectWindowGold(const MenuShot& shot, float x, float y, const char* where);
