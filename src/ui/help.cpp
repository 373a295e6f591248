// help.cpp: the help screen and its demonstration. The help board (the small
// floor of "help.lvl", cells (11..15, 11..13)) is drawn as the level miniature;
// the update gives it the balls and squares of the moment and pops the line, the
// drawing shows the balls, the route preview, the word "click" and the cursor.
// The help board is the current board only inside the update and the drawing.
#include "ui/help.h"

#include <cmath>

#include "audio/audio.h"
#include "effects/effects.h"
#include "game/board.h"
#include "game/feedback.h"
#include "game/game_scene.h"
#include "input/input.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/text.h"
#include "resources/resources.h"
#include "ui/menu.h"
#include "ui/menu_local.h"
#include "ui/options.h"
#include "ui/widgets.h"

HelpDemo helpDemo = {};

namespace {

constexpr int32_t kFirstCell = 11;         // the help board's cell (0, 0) is (11, 11)
constexpr float kMiniatureShift = 69.3f;  // the level miniature's shift to the right
constexpr float kBoardRise = 5.0f;
constexpr float kPi = 3.14159265f;
constexpr float kBounceRate = 0.007f;
constexpr float kTravelMs = kHelpArriveMs - kHelpSendMs;
constexpr int32_t kTrailPreset = 12;       // the spark a moving ball leaves behind
constexpr float kTextWidth = 330.0f;
constexpr float kTextSize = 12.0f;
constexpr float kRestingBall = 16.0f;     // a ball's size at rest on the board
constexpr float kTileHalf = 23.1f;        // half a floor tile of the help board

// The layout: a text line's step and how far its letters reach from its centre
// line, the least room between a text and the board or a separator, and the
// places the screen keeps while its texts fit them.
constexpr float kLineStep = 1.8f * kTextSize;
constexpr float kLineReach = 0.5f * kLineStep;
constexpr float kClearance = 11.0f;
constexpr float kWindowHalf = 230.0f;
constexpr float kUpperLineY = 145.0f;
constexpr float kTipY = 115.0f;
constexpr float kRuleY = -80.0f;
constexpr float kLowerLineY = -135.0f;
constexpr float kCaptionAboveLine = 38.0f;
constexpr float kTopAboveCaption = 47.0f;
constexpr float kButtonBelowLine = 45.0f;
constexpr float kBottomBelowButton = 50.0f;

float clampUnit(float f) { return f < 0.0f ? 0.0f : (f > 1.0f ? 1.0f : f); }

Vec2 towards(Vec2 from, Vec2 to, float f) { return add2(from, scale2(sub2(to, from), f)); }

// Expert, Normal or Zen, whatever the game state holds.
int32_t knownDifficulty(int32_t difficulty) {
  return difficulty < Difficulty::Expert ? Difficulty::Expert
                                         : (difficulty > Difficulty::Zen ? Difficulty::Zen : difficulty);
}

// A click: the cursor dips for the first tenth of the phase and "click" fades out
// over its first eight tenths.
void pressAt(HelpPose* pose, Vec2 at, float u) {
  pose->cursorScale = 1.0f - 0.15f * std::sin(clampUnit(u / 0.1f) * kPi);
  pose->clickAlpha = clampUnit(1.0f - u / 0.8f);
  pose->clickShown = pose->clickAlpha > 0.0f;
  pose->clickAt = at;
}

// The moved ball's way: down one cell, four cells to the left, down one more; the
// long middle part takes five sevenths of the time.
Vec2 travelled(float f, float rise) {
  const Vec2 start = helpCellPoint(4, 0, rise), turn1 = helpCellPoint(4, 1, rise);
  const Vec2 turn2 = helpCellPoint(0, 1, rise), end = helpCellPoint(0, 2, rise);
  const float steps = f * 7.0f;
  if (steps < 1.0f) return towards(start, turn1, steps);
  if (steps < 6.0f) return towards(turn1, turn2, (steps - 1.0f) / 5.0f);
  return towards(turn2, end, clampUnit(steps - 6.0f));
}

// Makes the help board current; returns the board that was.
Board* useHelpBoard() {
  Board* kept = boards.current;
  boards.current = &boards.help;
  return kept;
}

// The moment's balls and squares on the help board, and while the ball is picked up
// the distances a selection of it leaves. Only cells with floor take balls.
void arrangeHelpBoard(const HelpPose& pose, int32_t colour, bool survival) {
  const auto put = [](int32_t a, int32_t b, int32_t value) {
    Cell& cell = cellAt(kFirstCell + a, kFirstCell + b);
    if (hasFloor(cell)) cell.ballValue = value;
  };
  for (int32_t a = 0; a <= 4; ++a) {
    for (int32_t b = 0; b <= 2; ++b) put(a, b, Ball::Empty);
    Cell& square = cellAt(kFirstCell + a, kFirstCell + 2);
    const bool covered = !survival && (pose.lineStanding || a > pose.lineBalls);
    if (hasFloor(square)) square.squareLayers = covered ? 1 : 0;
  }
  for (int32_t a = 1; a <= pose.lineBalls && pose.lineStanding; ++a) put(a, 2, colour);
  put(0, 0, (colour + 3) % kHelpColours);
  put(2, 0, (colour + 4) % kHelpColours);
  if (helpDemo.clock < kHelpSendMs) put(4, 0, colour);
  if (pose.ballSelected) runReachabilitySearchFrom({kFirstCell + 4, kFirstCell});
}

// The line's pop: the two bursts of a popping ball on every cell of it, one sound.
void popLine(const HelpPose& pose, float rise) {
  for (int32_t a = 0; a <= pose.lineBalls; ++a) {
    const Vec2 at = helpCellPoint(a, 2, rise);
    startEffect("ball1", at.x, at.y, kNoEffectTarget, kNoEffectTarget, 1.0f, -1);
    startEffect("ball2", at.x, at.y, kNoEffectTarget, kNoEffectTarget, 1.0f, -1);
  }
  playSound("ball.ogg");
  ++helpDemo.pops;
}

// Moves the clock on by dt: to 0 when a slide started or ended, and at the end of a
// cycle to 0 in the next colour. True when this step passed the line's pop.
bool advanceDemoClock(float dt) {
  const bool sliding = menuSliding();
  if (sliding != helpDemo.sliding) {
    helpDemo.sliding = sliding;
    helpDemo.clock = 0.0f;
    return false;
  }
  const float before = helpDemo.clock;
  helpDemo.clock += dt;
  if (helpDemo.clock > kHelpCycleMs) {
    helpDemo.clock = 0.0f;
    helpDemo.colour = (helpDemo.colour + 1) % kHelpColours;
    return false;
  }
  return before < kHelpArriveMs && helpDemo.clock >= kHelpArriveMs;
}

// The lines `text` wraps to on this screen; 0 for none.
int32_t wrappedLines(const char* text) {
  if (!text) return 0;
  const float height = wrapText(kTextWidth, text, kTextSize);
  const int32_t lines = int32_t(height / kLineStep + 0.5f);
  return lines < 1 ? 1 : lines;
}

const char* ballTipText() {
  // The ball tips of the three difficulties follow each other in the text table,
  // for the mouse, the keys and a controller.
  return deviceTextAfter("balltip", knownDifficulty(gameState.difficulty));
}

const char* ruleText() { return textOf(gameState.survival ? "survivalhelp" : "squarehelp"); }

// The layout for the texts of the game in play.
HelpLayout currentLayout() {
  return helpLayout(wrappedLines(ballTipText()), wrappedLines(ruleText()));
}

// How far the screen stands above its resting place: the slide and the layout.
float screenRise() { return menu.slideOffset + currentLayout().rise; }

// The moment the last update reached, as the screen is placed now.
HelpPose currentPose() {
  return helpPose(helpDemo.clock, helpDemo.bounceClock, gameState.difficulty, screenRise());
}

// The board's own camera for its sparks: points at z = 0 fall on their overlay x, y.
void beginBoardPlane() {
  setOrthoProjection(800.0f, 600.0f, 1.0f, 500.0f);
  Matrix4 view = identity();
  view.m[14] = 50.0f;
  setViewTransform(&view);
}

// The help board's floor, the route preview while the ball is picked up, the two
// balls standing aside, the line and the moved ball.
void drawDemonstration(const HelpPose& pose, float rise) {
  Board* kept = useHelpBoard();
  drawLevelMiniature(-1, {0.0f, rise + kBoardRise}, 1.0f, kWhite);
  const Vec2 origin = {kMiniatureShift, rise + kBoardRise};
  if (pose.ballSelected) {
    drawRouteToBall(cellAtPoint(pose.cursor.x - origin.x, pose.cursor.y - origin.y),
                    {kFirstCell + 4, kFirstCell}, origin, kWhite);
  }
  const int32_t colour = helpDemo.colour;
  drawBoardBall((colour + 3) % kHelpColours, helpCellPoint(0, 0, rise), kRestingBall, kWhite);
  drawBoardBall((colour + 4) % kHelpColours, helpCellPoint(2, 0, rise), kRestingBall, kWhite);
  for (int32_t a = 1; a <= pose.lineBalls && pose.lineStanding; ++a) {
    drawBoardBall(colour, helpCellPoint(a, 2, rise), kRestingBall, kWhite);
  }
  if (pose.ballShown) drawBoardBall(colour, pose.ball, kRestingBall, kWhite);
  boards.current = kept;
}

// "click" beside a click, fading.
void drawClick(const HelpPose& pose) {
  if (!pose.clickShown) return;
  setTextColor(255, 255, 255, int32_t(pose.clickAlpha * 255.0f));
  drawTextCentered(pose.clickAt.x, pose.clickAt.y, 11.0f + std::sin(pose.clickAlpha * kPi),
                   deviceTextAfter("click", 0));
  setTextColor(255, 255, 255, 255);
}

// A text wrapped to the screen's width, its first line centred at y; nothing for null.
void drawWrapped(const char* text, float y) {
  if (!text) return;
  wrapText(kTextWidth, text, kTextSize);
  drawTextCentered(0.0f, y, kTextSize, textState.wrapBuffer);
}

// The caption, the difficulty's ball tip above the board and the rule below it.
void drawTexts(const HelpLayout& layout, float slide) {
  setTextColor(255, 255, 55, 255);
  drawTextCentered(0.0f, layout.captionY + slide, 19.5f, textOf("howtoplay"));
  setTextColor(255, 255, 255, 255);
  drawWrapped(ballTipText(), layout.tipY + slide);
  drawWrapped(ruleText(), layout.ruleY + slide);
}

}  // namespace

float helpBoardTop(float rise) { return helpCellPoint(0, 0, rise).y + kTileHalf; }
float helpBoardBottom(float rise) { return helpCellPoint(0, 2, rise).y - kTileHalf; }

HelpLayout helpLayout(int32_t tipLines, int32_t ruleLines) {
  HelpLayout l = {};
  const float tipLast = helpBoardTop(0.0f) + kClearance + kLineReach;
  l.tipY = std::fmax(kTipY, tipLast + kLineStep * float(tipLines > 1 ? tipLines - 1 : 0));
  l.upperLineY = std::fmax(kUpperLineY, l.tipY + kLineReach + kClearance);
  l.captionY = l.upperLineY + kCaptionAboveLine;
  l.top = std::fmax(kWindowHalf, l.captionY + kTopAboveCaption);
  l.ruleY = std::fmin(kRuleY, helpBoardBottom(0.0f) - kClearance - kLineReach);
  const float ruleLast = l.ruleY - kLineStep * float(ruleLines > 1 ? ruleLines - 1 : 0);
  l.lowerLineY = std::fmin(kLowerLineY, ruleLast - kLineReach - kClearance);
  l.buttonY = l.lowerLineY - kButtonBelowLine;
  l.bottom = std::fmin(-kWindowHalf, l.buttonY - kBottomBelowButton);
  // Centred again: everything moves by the same amount.
  l.rise = -(l.top + l.bottom) * 0.5f;
  for (float* y : {&l.top, &l.bottom, &l.captionY, &l.upperLineY, &l.tipY, &l.ruleY,
                   &l.lowerLineY, &l.buttonY}) {
    *y += l.rise;
  }
  return l;
}

Vec2 helpCellPoint(int32_t a, int32_t b, float rise) {
  const Vec2 centre = cellCentre(kFirstCell + a, kFirstCell + b);
  return {centre.x + kMiniatureShift, centre.y + kBoardRise + rise};
}

HelpPose helpPose(float clock, float bounceClock, int32_t difficulty, float rise) {
  const Vec2 rest = sub2(helpCellPoint(-1, 1, rise), {5.0f, 0.0f});
  const Vec2 ball = helpCellPoint(4, 0, rise), target = helpCellPoint(0, 2, rise);
  HelpPose pose = {};
  pose.cursor = rest;
  pose.cursorScale = 1.0f;
  pose.ball = ball;
  pose.lineBalls = 4 - knownDifficulty(difficulty);
  pose.lineStanding = clock < kHelpArriveMs;
  pose.ballShown = pose.lineStanding;
  if (clock < kHelpPickUpMs) {
    pose.cursor = towards(rest, ball, clampUnit(clock / kHelpPickUpMs));
  } else if (clock < kHelpSendMs) {
    const float u = (clock - kHelpPickUpMs) / (kHelpSendMs - kHelpPickUpMs);
    pose.cursor = towards(ball, target, std::sqrt(clampUnit(u)));
    const float hop = std::fabs(std::sin(bounceClock * kBounceRate));
    pose.ball = add2(ball, {4.0f * hop, 6.0f * hop});
    pose.ballSelected = true;
    pressAt(&pose, add2(ball, {20.0f, 20.0f}), u);
  } else if (clock < kHelpRestMs) {
    const float u = (clock - kHelpSendMs) / (kHelpRestMs - kHelpSendMs);
    pose.cursor = towards(target, rest, u * u);
    pressAt(&pose, add2(target, {-45.0f, 20.0f}), u);
    if (pose.ballShown) pose.ball = travelled((clock - kHelpSendMs) / kTravelMs, rise);
  }
  return pose;
}

void enterHelpScreen() {
  helpDemo.clock = 0.0f;
  helpDemo.sliding = true;
}

void updateHelpScreen(float dt) {
  if (!(dt > 0.0f)) dt = 0.0f;
  const bool popNow = advanceDemoClock(dt);
  helpDemo.bounceClock += dt;
  const HelpPose pose = currentPose();
  Board* kept = useHelpBoard();
  feedback.demoRunning = true;
  arrangeHelpBoard(pose, helpDemo.colour, gameState.survival);
  if (popNow) popLine(pose, screenRise());
  if (pose.ballShown && helpDemo.clock >= kHelpSendMs) {
    spawnSpark(pose.ball.x, pose.ball.y, kTrailPreset);
  }
  updateBoardEffects(dt);
  feedback.demoRunning = false;
  boards.current = kept;
}

void drawHelpScreen() {
  beginSquash();
  const float slide = menu.slideOffset;
  const HelpLayout layout = currentLayout();
  drawWindowAt(0.0f, (layout.top + layout.bottom) * 0.5f + slide, 390.0f,
               layout.top - layout.bottom);
  drawSeparator(-170.0f, 170.0f, layout.upperLineY + slide);
  drawSeparator(-170.0f, 170.0f, layout.lowerLineY + slide);
  drawTexts(layout, slide);
  const HelpPose pose = currentPose();
  drawDemonstration(pose, slide + layout.rise);
  drawClick(pose);
  drawArrowCursor(pose.cursor, pose.cursorScale, false, kWhite);
  drawButton(0.0f, layout.buttonY + slide, 170.0f, 64.0f, 18.0f, nullptr);
  endSquash();
  beginBoardPlane();
  drawBoardEffects();
  begin2D();
}

// Left and Right do nothing here; Up and Down still move the selection.
int32_t helpScreenKey(int32_t key) { return key == VK_LEFT || key == VK_RIGHT ? 0 : key; }
