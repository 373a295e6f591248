// scene_local.h: what the game scene's update and drawing files share: the board
// atlas and its pictures, the two cameras a frame draws with, the board's opacity,
// the HUD's slide and the small geometry helpers.
#pragma once

#include <cstdint>

#include "core/math.h"
#include "game/board.h"
#include "game/game_scene.h"
#include "render/render.h"

struct TextureEntry;

// The board's pictures, gathered into one texture so the whole board draws in one
// batch. Numbers are atlas slots.
namespace BoardPicture {
constexpr int32_t Ball0 = 0;        // colours 0..7 in slots 0..7
constexpr int32_t Joker = 8;
constexpr int32_t TripleBomb = 9;
constexpr int32_t QuadroBomb = 10;
constexpr int32_t Diamond0 = 11;    // 16 frames
constexpr int32_t Chain = 27;
constexpr int32_t Shadow = 28;
constexpr int32_t Floor0 = 29;      // 0, 1 and 2 square layers
constexpr int32_t Glint1 = 32;
constexpr int32_t Glint2 = 33;
constexpr int32_t Highlight = 34;
constexpr int32_t RouteHead = 35;
constexpr int32_t RouteStraight = 36;
constexpr int32_t RouteCorner = 37;
constexpr int32_t RouteTail = 38;
constexpr int32_t Count = 39;
}  // namespace BoardPicture
constexpr int32_t kDiamondFrames = 16;
constexpr int32_t kDrawnColours = 8;  // colours 8 and 9 exist in the rules only

// The part of a picture that is not fully transparent (with one texel to spare for
// filtering), as fractions of its width and height from its top-left corner: the
// board draws only that part, which looks the same and fills fewer pixels.
struct PictureCrop {
  float left, top, right, bottom;
};

// The atlas: process lifetime, made by loadGameTextures.
struct BoardAtlas {
  TextureEntry* texture;
  UvRect cells[BoardPicture::Count];
  PictureCrop crops[BoardPicture::Count];
};
extern BoardAtlas boardAtlas;

// The HUD's pictures: process lifetime, loaded by loadGameTextures (null before:
// the HUD then draws plain quads).
struct HudPictures {
  TextureEntry* panel;       // "gamebar.tga"
  TextureEntry* heart;
  TextureEntry* hammerDark;  // "molotok1.tga"
  TextureEntry* hammerLit;   // "molotok2.tga"
  TextureEntry* hammerGlow;  // "hammer_lum.jpg"
  TextureEntry* flare;
  TextureEntry* barFrame;    // "levelbar1.tga"
  TextureEntry* barFill;     // "levelbar2.tga"
  TextureEntry* question;
  TextureEntry* hammerCursor;  // "cursorhammer.tga": marks the keys' cursor with the hammer up
};
extern HudPictures hudPictures;

// The board's pictures lie in front of both cameras: the board's (z = 0 is 50 units
// from the eye) and the flat one of begin2D (z between 1 and 100).
constexpr float kBoardDepth = 10.0f;

// Half the side of a ball's sprite is 1.1 ball sizes; a ball size is 16 units.
constexpr float kBallSize = 16.0f;
constexpr float kBallSprite = 1.1f;
constexpr float kShadowSprite = 1.5f;
constexpr float kDiamondSprite = 1.3f;
constexpr float kTileHalf = 23.1f;     // floor tiles are 46.2 units for a 40-unit cell
constexpr float kRouteHalf = 20.1f;
constexpr float kPauseFadeLimit = 500.0f;
constexpr float kMenuFadeLimit = 300.0f;

// Picture `picture` of the atlas centred on `at`, `half` units from centre to edge,
// turned counter-clockwise by `angle` degrees, on the board plane (z = 0).
void drawBoardPicture(int32_t picture, Vec2 at, float half, float angle, Color color);
// The atlas slot of a ball value (the diamond's frame from its clock), or -1 for a
// value that is never drawn.
int32_t ballPicture(int32_t value, float ballClock);
// A ball as the board draws it: its shadow, then its sprite. size is the ball size
// (16 for a resting ball); the diamond is drawn larger.
void drawBall(int32_t value, Vec2 at, float size, float ballClock, Color color);

// The board's camera: the overlay projection with the view 50 units back, so world
// points at z = 0 fall on their overlay x, y; shaken while the screen shakes.
void beginWorldCamera(bool shaken);
// Flat drawing over everything (HUD, texts): begin2D.
void beginOverlay();

// How the board shows this frame: 0 when it is not drawn at all.
struct BoardLook {
  float brightness;  // 1 normal; darker during and after a defeat
  float opacity;     // fades under a menu and during the pause
};
BoardLook boardLook();
// The side panel's slide to the right (and the progress bar's to the left), and
// whether the HUD shows at all.
struct HudSlide {
  bool shown;
  float shift;
};
HudSlide hudSlide();

// A colour with its alpha scaled by f (0..1).
Color fadeColor(Color color, float f);
bool insideHudRect(float x0, float x1, float y0, float y1, Vec2 p);

// The miniature reads its level again next time (a reset).
void forgetLevelMiniature();

// Drawing steps of the frame (each file draws its own).
void drawBoard();                 // the board or the level-complete picture
void drawKeyCursor();             // the keys' cursor over its cell, while shown
void drawRoutePreview();          // the route from the hovered cell to the ball
void drawBallRemovals();          // the wobbling balls before they pop
void drawHud();                   // side panel, hammer gauge, progress bar, help button
void drawTipPanel();
void drawHelpTooltip();
void drawPauseOverlay();

// Update steps of the frame (scene_update.cpp calls them in order).
void updateRoutePreview(float dt);
