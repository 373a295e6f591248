// balloon.cpp: the tooltip balloon the screens ask for: kept from frame to frame
// while its text and anchor stay, growing or fading in over 250 ms, and drawn as
// the render module's balloon.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "render/balloon.h"
#include "render/render.h"
#include "ui/menu_local.h"
#include "ui/widgets.h"

namespace {

constexpr float kAppearMs = 250.0f;

}  // namespace

bool sameBalloon(const BalloonRequest& a, const BalloonRequest& b) {
  return b.requested && a.anchor.x == b.anchor.x && a.anchor.y == b.anchor.y &&
         std::strcmp(a.text, b.text) == 0;
}

void showBalloon(Vec2 anchor, const char* text, float width, const float* angle, bool pointer,
                 bool grow) {
  BalloonRequest& b = menu.balloon;
  b.requested = true;
  b.anchor = anchor;
  std::snprintf(b.text, sizeof b.text, "%s", text);
  b.width = width;
  b.hasAngle = angle != nullptr;
  b.angle = angle ? *angle : 0.0f;
  b.pointer = pointer;
  b.grow = grow;
}

void drawMenuBalloon() {
  const BalloonRequest& b = menu.balloon;
  if (!b.requested) return;
  // A text or anchor new this frame starts from nothing.
  const float timer = sameBalloon(b, menu.lastBalloon) ? menu.balloonTimer : 0.0f;
  BalloonLook look = {};
  look.anchor = b.anchor;
  look.text = b.text;
  look.maxWidth = b.width;
  look.hasAngle = b.hasAngle;
  look.angle = b.angle;
  look.pointer = b.pointer;
  look.appear = std::fmin(timer / kAppearMs, 1.0f);
  look.grow = b.grow;
  look.clock = timer;
  begin2D();
  drawBalloon(look);
}
