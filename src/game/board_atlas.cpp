// The pictures of the board and the HUD: loaded once at start-up, the board's own
// copied into one atlas texture (each in a 64 x 64 slot with a two-texel border
// repeating its edge, so filtering never reaches a neighbour), and the board's
// picture and ball drawing that reads the atlas.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "game/route_pictures.h"
#include "game/scene_local.h"
#include "render/texture.h"

BoardAtlas boardAtlas = {};
HudPictures hudPictures = {};

namespace {

constexpr uint32_t kAtlasWidth = 1024;
constexpr uint32_t kAtlasHeight = 512;
constexpr int32_t kSlotSide = 64;
constexpr int32_t kGutter = 2;
constexpr int32_t kSlotPitch = kSlotSide + 2 * kGutter;
constexpr int32_t kSlotsPerRow = int32_t(kAtlasWidth) / kSlotPitch;
static_assert(kSlotsPerRow * (int32_t(kAtlasHeight) / kSlotPitch) >= BoardPicture::Count,
              "every board picture has a slot");
constexpr float kDiamondFramesPerMs = 0.03f;

// The file of atlas slot `slot` (written into `name`).
void boardPictureName(int32_t slot, char* name, int capacity) {
  using namespace BoardPicture;
  static const char* const kFixed[] = {"jocker.tga", "bomb.tga", "superbomb.tga"};
  static const char* const kAfterDiamond[] = {
      "zep2.tga",    "shadow.tga",      "field0.tga",     "field1.tga",
      "field2.tga",  "field1a.tga",     "field2a.tga",    "fieldspodsv.tga",
      kRouteHeadPicture, kRouteStraightPicture, kRouteCornerPicture, kRouteTailPicture};
  if (slot < Joker) {
    std::snprintf(name, size_t(capacity), "bal%.2i.tga", slot);
  } else if (slot < Diamond0) {
    std::snprintf(name, size_t(capacity), "%s", kFixed[slot - Joker]);
  } else if (slot < Chain) {
    std::snprintf(name, size_t(capacity), "diamond01%.2i.tga", slot - Diamond0);
  } else {
    std::snprintf(name, size_t(capacity), "%s", kAfterDiamond[slot - Chain]);
  }
}

// Grows the crop to hold texel (i, j) of a slot and its neighbours.
void holdTexel(int32_t i, int32_t j, int32_t crop[4]) {
  crop[0] = std::min(crop[0], std::max(i - 1, 0));
  crop[1] = std::min(crop[1], std::max(j - 1, 0));
  crop[2] = std::max(crop[2], std::min(i + 2, kSlotSide));
  crop[3] = std::max(crop[3], std::min(j + 2, kSlotSide));
}

// Copies the picture into its slot, scaled to 64 x 64 by nearest texels; the border
// repeats the picture's edge. Returns the part that is not fully transparent.
PictureCrop copyIntoSlot(TextureEntry* picture, uint8_t* atlas, int32_t atlasPitch,
                         int32_t slot) {
  int32_t pitch = 0;
  const uint8_t* source = lockTexture(picture, &pitch);
  if (!source || picture->width == 0 || picture->height == 0) return {0.0f, 0.0f, 1.0f, 1.0f};
  int32_t crop[4] = {kSlotSide, kSlotSide, 0, 0};  // left, top, right, bottom texels
  const int32_t left = (slot % kSlotsPerRow) * kSlotPitch;
  const int32_t top = (slot / kSlotsPerRow) * kSlotPitch;
  for (int32_t j = -kGutter; j < kSlotSide + kGutter; ++j) {
    const int32_t sj = j < 0 ? 0 : (j >= kSlotSide ? kSlotSide - 1 : j);
    const uint32_t sy = uint32_t(sj) * picture->height / kSlotSide;
    for (int32_t i = -kGutter; i < kSlotSide + kGutter; ++i) {
      const int32_t si = i < 0 ? 0 : (i >= kSlotSide ? kSlotSide - 1 : i);
      const uint32_t sx = uint32_t(si) * picture->width / kSlotSide;
      const uint8_t* from = source + size_t(sy) * size_t(pitch) + size_t(sx) * 4;
      uint8_t* to = atlas + size_t(top + kGutter + j) * size_t(atlasPitch) +
                    size_t(left + kGutter + i) * 4;
      std::memcpy(to, from, 4);
      const bool inside = i == si && j == sj;
      if (inside && from[3] != 0) holdTexel(i, j, crop);
    }
  }
  unlockTexture(picture);
  if (crop[2] <= crop[0] || crop[3] <= crop[1]) return {0.0f, 0.0f, 0.0f, 0.0f};
  const float side = float(kSlotSide);
  return {crop[0] / side, crop[1] / side, crop[2] / side, crop[3] / side};
}

UvRect slotUv(int32_t slot) {
  const float left = float((slot % kSlotsPerRow) * kSlotPitch + kGutter);
  const float top = float((slot / kSlotsPerRow) * kSlotPitch + kGutter);
  return {left / float(kAtlasWidth), top / float(kAtlasHeight),
          (left + float(kSlotSide)) / float(kAtlasWidth),
          (top + float(kSlotSide)) / float(kAtlasHeight)};
}

void buildBoardAtlas() {
  boardAtlas.texture =
      createEmptyTexture(kBoardAtlasName, kAtlasWidth, kAtlasHeight, PixelFormat::A8R8G8B8);
  int32_t pitch = 0;
  uint8_t* texels = lockTexture(boardAtlas.texture, &pitch);
  for (int32_t slot = 0; slot < BoardPicture::Count; ++slot) {
    char name[kMaxTextureName];
    boardPictureName(slot, name, sizeof name);
    TextureEntry* picture = getTexture(name);
    boardAtlas.crops[slot] = {0.0f, 0.0f, 1.0f, 1.0f};
    if (texels) boardAtlas.crops[slot] = copyIntoSlot(picture, texels, pitch, slot);
    boardAtlas.cells[slot] = slotUv(slot);
  }
  if (texels) unlockTexture(boardAtlas.texture);
}

}  // namespace

void loadGameTextures() {
  buildBoardAtlas();
  HudPictures& h = hudPictures;
  h.panel = getTexture("gamebar.tga");
  h.heart = getTexture("heart.tga");
  h.hammerDark = getTexture("molotok1.tga");
  h.hammerLit = getTexture("molotok2.tga");
  h.hammerGlow = getTexture("hammer_lum.jpg");
  h.flare = getTexture("flare.jpg");
  h.barFrame = getTexture("levelbar1.tga");
  h.barFill = getTexture("levelbar2.tga");
  h.question = getTexture("question.tga");
  h.hammerCursor = getTexture("cursorhammer.tga");
  // The tip balloon's.
  getTexture("white.jpg");
  getTexture("baloon.tga");
}

void drawBoardPicture(int32_t picture, Vec2 at, float half, float angle, Color color) {
  if (picture < 0 || picture >= BoardPicture::Count) return;
  const UvRect& cell = boardAtlas.cells[picture];
  const PictureCrop& crop = boardAtlas.crops[picture];
  if (crop.right <= crop.left || half <= 0.0f) return;
  const float du = cell.uRight - cell.uLeft, dv = cell.vBottom - cell.vTop;
  const UvRect uv = {cell.uLeft + du * crop.left, cell.vTop + dv * crop.top,
                     cell.uLeft + du * crop.right, cell.vTop + dv * crop.bottom};
  const float side = 2.0f * half;
  const float width = side * (crop.right - crop.left), height = side * (crop.bottom - crop.top);
  // The crop's centre relative to the picture's (y up).
  const float cx = at.x + side * ((crop.left + crop.right) * 0.5f - 0.5f);
  const float cy = at.y + side * (0.5f - (crop.top + crop.bottom) * 0.5f);
  if (angle == 0.0f) {
    drawSprite(cx, cy, width, height, uv, color, kBoardDepth);
  } else {
    drawRotatedSprite(cx, cy, at.x, at.y, angle, width, height, uv, color, kBoardDepth);
  }
}

const char* boardAtlasPicture(Vec2 uv) {
  static char name[kMaxTextureName];
  for (int32_t slot = 0; slot < BoardPicture::Count; ++slot) {
    const UvRect c = slotUv(slot);
    if (uv.x < c.uLeft || uv.x > c.uRight || uv.y < c.vTop || uv.y > c.vBottom) continue;
    boardPictureName(slot, name, sizeof name);
    return name;
  }
  return nullptr;
}

int32_t ballPicture(int32_t value, float ballClock) {
  if (value >= 0 && value < kDrawnColours) return BoardPicture::Ball0 + value;
  switch (value) {
    case Ball::Joker: return BoardPicture::Joker;
    case Ball::TripleBomb: return BoardPicture::TripleBomb;
    case Ball::QuadroBomb: return BoardPicture::QuadroBomb;
    case Ball::Diamond: {
      const float frames = ballClock > 0.0f ? ballClock * kDiamondFramesPerMs : 0.0f;
      return BoardPicture::Diamond0 + int32_t(std::fmod(frames, float(kDiamondFrames)));
    }
    default: return -1;
  }
}

void drawBall(int32_t value, Vec2 at, float size, float ballClock, Color color) {
  const int32_t picture = ballPicture(value, ballClock);
  if (picture < 0) return;
  const float sprite = value == Ball::Diamond ? kDiamondSprite : kBallSprite;
  const Color shadow = (color & 0xFF000000u) | 0x00FFFFFFu;
  drawBoardPicture(BoardPicture::Shadow, at, kShadowSprite * size, 0.0f, shadow);
  drawBoardPicture(picture, at, sprite * size, 0.0f, color);
}

void drawBoardBall(int32_t value, Vec2 at, float size, Color color) {
  setTexture(boardAtlas.texture);
  drawBall(value, at, size, 0.0f, color);
}
