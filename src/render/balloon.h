// balloon.h: the light box and the speech balloon of short texts: a body of the
// tinted "white.jpg" framed by the rim pieces of "baloon.tga", set beside an
// anchor point with a pointer that bobs towards it. The game's tips, the help
// button's tooltip and the menus' tooltip are this balloon; the name entry field is
// a light box.
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

// The light box: the tinted body over `box` (left, top, right, bottom) and the rim
// pieces, `scale` x 64 units across, centred on its corners and edges, with every
// alpha scaled by `alpha` (0..1). Missing pictures draw plain quads.
void drawLightBox(Rect box, float alpha, float scale);
// Draws the balloon in the flat 2D set-up (begin2D); text size 11. The box lies
// along the direction so that the line from the anchor meets its edge 89.6 units
// out, kept on the screen. Nothing for an empty text or appear <= 0.
void drawBalloon(const BalloonLook& look);
// Where the balloon's box lies for this look (fully appeared), for tests.
Rect balloonBox(const BalloonLook& look);
