// balloon.h: the light box and the speech balloon of short texts: a body of the
// tinted "white.jpg" framed by the rim pieces of "baloon.tga", set beside an
// anchor point with a pointer that bobs towards it. The game's tips and the help
// button's tooltip use it; the menus' tooltip is the same balloon.
#pragma once

#include "core/math.h"

// One balloon as it shows this frame.
struct BalloonLook {
  Vec2 anchor;       // the point the balloon talks about (overlay units)
  const char* text;  // wrapped to the box
  float maxWidth;    // the box is as wide as the text + 64, at most this
  bool hasAngle;     // place the box in this direction from the anchor ...
  float angle;       // ... degrees; without one, towards the screen centre
  bool pointer;      // draw the pointer between the anchor and the box
  float appear;      // 0..1: how far the balloon has appeared
  bool grow;         // appearing scales it up from the anchor; else it fades in
  float clock;       // ms; the pointer bobs with it
};

// The light box: the tinted body over `box` and the rim pieces around it, with
// every alpha scaled by `alpha` (0..1). Missing pictures draw plain quads.
void drawLightBox(Rect box, float alpha, float scale);
// Draws the balloon; text size 11. Nothing for an empty text or appear <= 0. The
// box is kept on the screen.
void drawBalloon(const BalloonLook& look);
// Where the balloon's box lies for this look (fully appeared), for tests.
Rect balloonBox(const BalloonLook& look);
