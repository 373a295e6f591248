// cursor.cpp: the pointer's look. The window shows the system's cursor of the
// board's cursor mode, or, while the custom-cursor setting is on, an invisible one
// while the scenes draw the game's own at the end of every frame: the arrow with a
// pulsing glow, the hammer, or the arrow with a question mark.
#include <cmath>

#include "game/game.h"
#include "input/input.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/text.h"
#include "render/texture.h"
#include "ui/options.h"
#include "ui/widgets.h"

CursorState cursorState = {};

namespace {

constexpr float kGlowRate = 0.005f;              // per ms of the cursor clock
constexpr Vec2 kArrowCentre = {30.0f, -32.0f};   // from the arrow's tip to its picture's centre
constexpr Vec2 kHammerCentre = {28.0f, -14.0f};  // from the pointer to the hammer's centre
constexpr float kHammerSize = 64.0f;
constexpr Vec2 kQuestionCentre = {33.0f, -24.0f};
constexpr float kQuestionSize = 40.0f;
constexpr float kCursorDepth = 5.0f;             // in front of everything drawn before
constexpr UvRect kWholePicture = {0.0f, 0.0f, 1.0f, 1.0f};

SysCursor windowCursor(CursorMode mode) {
  switch (mode) {
    case CursorMode::Hammer: return SysCursor::Hammer;
    case CursorMode::Help: return SysCursor::Help;
    default: return SysCursor::Arrow;
  }
}

bool onScreen(Vec2 p) { return p.x >= -400.0f && p.x <= 400.0f && p.y >= -300.0f && p.y <= 300.0f; }

void drawPicture(const TextureEntry* picture, Vec2 centre, float size) {
  if (!picture) return;
  setTexture(picture);
  drawSprite(centre.x, centre.y, size, size, kWholePicture, kWhite, kCursorDepth);
}

}  // namespace

void loadCursorTextures() {
  cursorState.hammer = getTexture("cursorhammer.tga");
  cursorState.question = getTexture("question.tga");
}

void setSystemCursor(bool custom) {
  sysSetCursor(custom ? SysCursor::Invisible : windowCursor(boardCursorMode()));
}

void setCursorMode(CursorMode mode) {
  selectCursorMode(mode);
  if (!settings.customCursor) sysSetCursor(windowCursor(mode));
}

void updateCustomCursor(float dt) { cursorState.clock += dt; }

Vec2 arrowCursorCentre(Vec2 tip, float scale) { return add2(tip, scale2(kArrowCentre, scale)); }

void drawArrowCursor(Vec2 tip, float scale, bool glow, Color color) {
  const Vec2 centre = arrowCursorCentre(tip, scale);
  if (glow) {
    const float alpha = (std::sin(cursorState.clock * kGlowRate) + 1.0f) * 127.5f;
    drawAtlasCell(kCellCursorGlow, centre.x, centre.y, scale,
                  (color & 0x00FFFFFFu) | (uint32_t(alpha) << 24));
  }
  drawAtlasCell(kCellCursorArrow, centre.x, centre.y, scale, color);
}

void drawCustomCursor() {
  if (!settings.customCursor) return;
  Vec2 p;
  cursorToOverlay(input.mouseX, input.mouseY, &p.x, &p.y);
  if (!onScreen(p)) return;
  begin2D();
  switch (boardCursorMode()) {
    case CursorMode::Hammer:
      drawPicture(cursorState.hammer, add2(p, kHammerCentre), kHammerSize);
      break;
    case CursorMode::Help:
      drawArrowCursor(p, 1.0f, true, kWhite);
      drawPicture(cursorState.question, add2(p, kQuestionCentre), kQuestionSize);
      break;
    default: drawArrowCursor(p, 1.0f, true, kWhite); break;
  }
}
