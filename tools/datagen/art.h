// art.h: the drawers of the game's board, HUD and menu pictures and of the
// particle sheet. Each returns the finished picture at the size the game expects;
// pictures.cpp places them in the data set. All share one look: light from the
// upper left, soft shadows, clean anti-aliased shapes, saturated colours on calm
// grounds.
#pragma once

#include "image.h"
#include "paint.h"

constexpr int kBallColourCount = 8;

// The shape printed on each ball colour, so colours can be told apart by form too.
enum class BallMark : uint8_t { Heart, Triangle, Star, Plus, Drop, Square, Crescent, Ring };

struct BallStyle {
  const char* colourName;
  Colour colour;
  BallMark mark;
  const char* markName;
};
extern const BallStyle kBallStyles[kBallColourCount];

// Board pieces (art_board.cpp), all 64 x 64.
Image drawBallPicture(int colour);
Image drawJokerPicture();
Image drawBombPicture(bool quadro);    // "bomb.tga" (triple) or "superbomb.tga"
Image drawDiamondPicture(int frame);   // frame 0..15 of the turning gem
Image drawChainPicture();              // "zep2.tga"
Image drawShadowPicture();
Image drawFloorPicture(int layers);    // "field0.tga" .. "field2.tga"
Image drawFloorGlintPicture(int layers);  // "field1a.tga", "field2a.tga"
Image drawCellHighlightPicture();      // "fieldspodsv.tga"

// The route preview pieces (art_route.cpp), 64 x 64; see src/game/route_pictures.h.
enum class RoutePiece : uint8_t { Head, Straight, Corner, Tail };
Image drawRoutePicture(RoutePiece piece);

// HUD pictures (art_hud.cpp).
Image drawQuestionPicture();           // 64 x 64
Image drawHeartPicture();              // 32 x 32
Image drawHammerGaugePicture(bool lit);  // 64 x 128, "molotok1.tga" / "molotok2.tga"
Image drawHammerCursorPicture();       // 64 x 64
Image drawLevelBarPicture(bool fill);  // 64 x 512, "levelbar1.tga" / "levelbar2.tga"
Image drawGameBarPicture();            // 128 x 512

// Menu pictures (art_menu.cpp).
Image drawMenuAtlasPicture();          // 256 x 512
Image drawBalloonPicture();            // 256 x 128
Image drawButtonPicture();             // 128 x 64
Image drawWhitePicture();              // 128 x 128, seamless
Image drawWindowFillPicture();         // 64 x 64, seamless

// The particle sheet (art_particles.cpp), 512 x 512 in 8 x 8 cells of 64.
Image drawParticleSheetPicture();
// What a cell of the sheet shows, for the preview ("spark", "ring", ...).
const char* particleCellName(int cell);

// Shared pieces of the look (art_board.cpp).
// A glossy sphere's colour at p: base colour shaded by the light, with a soft top
// sheen and a sharp highlight.
Colour glossySphere(Point p, Point centre, float radius, Colour base);
// The highlight alone (white with alpha) for laying over a printed sphere.
Colour sphereGloss(Point p, Point centre, float radius);
// Shades colour by the light of a sphere's normal at p (no highlight).
Colour sphereShade(Point p, Point centre, float radius, Colour base);
