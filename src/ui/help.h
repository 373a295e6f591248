// help.h: the help screen "helpscreen": a caption, the ball tip of the difficulty,
// the rule of the game kind, and between them a demonstration on the help board
// that repeats every 6500 ms: a drawn cursor picks up a ball, sends it along a
// route to complete a line, and the line pops.
#pragma once

#include <cstdint>

#include "core/math.h"

constexpr float kHelpCycleMs = 6500.0f;
constexpr int32_t kHelpColours = 7;
// The moments of a cycle, in ms.
constexpr float kHelpPickUpMs = 1500.0f;   // the cursor reaches the ball and clicks it
constexpr float kHelpSendMs = 3500.0f;     // the cursor clicks the target: the ball goes
constexpr float kHelpArriveMs = 4200.0f;   // the ball arrives and the line pops
constexpr float kHelpRestMs = 4500.0f;     // the cursor is back at its rest point

// The demonstration's clocks: process lifetime (the colour moves on each cycle).
struct HelpDemo {
  float clock;        // ms into the cycle; 0 again whenever a slide starts or ends
  int32_t colour;     // 0..6: the demonstrated balls' colour
  float bounceClock;  // ms: the picked-up ball hops with it
  bool sliding;       // the screen was sliding at the last update
  int32_t pops;       // lines popped so far (tools read it)
};
extern HelpDemo helpDemo;

// What the demonstration shows at one moment of its cycle.
struct HelpPose {
  Vec2 cursor;         // the drawn arrow's tip
  float cursorScale;   // 1, less while it clicks
  bool ballShown;      // the moved ball (gone once it popped)
  Vec2 ball;
  bool ballSelected;   // picked up: the route preview shows
  bool clickShown;     // the word "click" beside a click
  Vec2 clickAt;
  float clickAlpha;    // 0..1
  int32_t lineBalls;   // balls already in the line beside the moved one's target
  bool lineStanding;   // the line has not popped yet
};

// Where the screen's parts stand (y of each, before the slide), worked out from the
// lines its two texts wrap to: the ball tip above the board and the rule below it
// keep clear of the board and of the separator lines whatever their length, the
// window grows to hold them and stays centred, and the whole screen (board and
// cursor included) moves by `rise` to keep it so. Texts of two lines each leave
// every part where the screen has always had it.
struct HelpLayout {
  float top, bottom;   // the window's edges
  float captionY;      // "howtoplay"
  float upperLineY;    // the separator above the ball tip
  float tipY;          // the ball tip's first line
  float ruleY;         // the rule's first line
  float lowerLineY;    // the separator below the rule
  float buttonY;
  float rise;          // the shift of everything from where the texts fit the window
};
HelpLayout helpLayout(int32_t tipLines, int32_t ruleLines);
// The top and bottom edges of the help board's floor tiles, the screen `rise` higher.
float helpBoardTop(float rise);
float helpBoardBottom(float rise);

// The screen point of the help board's cell (11 + a, 11 + b) as the screen draws
// the board (its origin at (0, 5) and the screen `rise` units higher).
Vec2 helpCellPoint(int32_t a, int32_t b, float rise);
// The demonstration at `clock` ms of a cycle (0..6500) in `difficulty` (0 Expert,
// 1 Normal, 2 Zen: the line is 5, 4 or 3 balls long), the screen `rise` units
// higher; `bounceClock` drives the picked-up ball's hop.
HelpPose helpPose(float clock, float bounceClock, int32_t difficulty, float rise);

// The screen's entry: the demonstration starts from the beginning of its cycle.
void enterHelpScreen();
// Once per menu update while "helpscreen" shows: the clocks advance by dt ms, the
// help board takes the moment's balls and squares, the line pops (effects, sound,
// its squares cleared) in the update its arrival time is passed, and the board
// effects advance.
void updateHelpScreen(float dt);
// The screen as the last update left it.
void drawHelpScreen();
