// The help screen's demonstration on the help board: the line it completes is as
// long as the difficulty asks, with squares under it outside survival; the moved
// ball keeps to its route and the cursor to its path; the line pops once a cycle
// and the next cycle takes the next colour; a slide starts the cycle again; and
// the game's own board and selection are left as they were.
#include <cmath>
#include <cstring>
#include <string>

#include "effects/effects.h"
#include "game/board.h"
#include "game/feedback.h"
#include "game/level.h"
#include "platform/platform.h"
#include "render/text.h"
#include "resources/resources.h"
#include "ui/help.h"
#include "ui_fixture.h"

namespace {

constexpr int32_t kLineRow = 13;  // the help board's row b = 2

class HelpScreen : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    LevelSettings level = {};
    ASSERT_TRUE(loadLevelFile("help.lvl", Difficulty::Normal, &boards.help, &level));
    boards.current = &boards.live;
    helpDemo = {};
  }

  void show(int32_t difficulty, bool survival) {
    gameState.difficulty = difficulty;
    gameState.survival = survival;
    open("helpscreen");
    ASSERT_STREQ(currentMenuScreen(), "helpscreen");
  }

  // Frames of 16 ms until the demonstration's clock has reached `ms`.
  void runUntil(float ms) {
    for (int i = 0; i < 1000 && helpDemo.clock < ms; ++i) frame();
  }

  static int32_t ballsInLine() {
    int32_t count = 0;
    for (int32_t x = 11; x <= 15; ++x) count += hasBall(boards.help.cells[x][kLineRow]) ? 1 : 0;
    return count;
  }

  static std::string squaresInLine() {
    std::string layers;
    for (int32_t x = 11; x <= 15; ++x) layers += char('0' + boards.help.cells[x][kLineRow].squareLayers);
    return layers;
  }

  // True when the next frame draws `text` (line breaks read as spaces).
  bool drawnText(const char* text) {
    endFrameTexts();
    frame();
    for (int32_t i = 0; i < currentFrameTextCount(); ++i) {
      std::string shown = currentFrameText(i);
      for (char& c : shown) c = c == '\n' ? ' ' : c;
      if (shown == text) return true;
    }
    return false;
  }
};

struct LineCase {
  int32_t difficulty;
  int32_t length;      // with the moved ball
  const char* after;   // the squares under the line once it popped
};

TEST_F(HelpScreen, TheLineIsAsLongAsTheDifficultyAsksAndItsSquaresGoWithIt) {
  const LineCase cases[] = {{Difficulty::Expert, 5, "00000"},
                            {Difficulty::Normal, 4, "00001"},
                            {Difficulty::Zen, 3, "00011"}};
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.difficulty);
    show(c.difficulty, false);
    runUntil(1000.0f);
    EXPECT_EQ(ballsInLine() + 1, c.length) << "the moved ball completes it";
    EXPECT_EQ(squaresInLine(), "11111");
    const int32_t tip = getTextIndex("balltip") + c.difficulty;
    EXPECT_TRUE(drawnText(getTextByIndex(tip))) << "the difficulty's ball tip";
    EXPECT_TRUE(drawnText(getText("squarehelp")));
    const int32_t started = effectLog.effectsStarted;
    runUntil(kHelpArriveMs);
    EXPECT_EQ(ballsInLine(), 0);
    EXPECT_EQ(squaresInLine(), c.after);
    EXPECT_EQ(effectLog.effectsStarted - started, 2 * c.length) << "two bursts a ball";
    EXPECT_STREQ(recentEffectName(0), "ball2");
    press(VK_ESCAPE);
  }
}

TEST_F(HelpScreen, SurvivalShowsNoSquaresAndItsOwnRule) {
  show(Difficulty::Normal, true);
  for (float t : {500.0f, 2000.0f, 4100.0f, 4300.0f}) {
    runUntil(t);
    EXPECT_EQ(squaresInLine(), "00000") << t;
  }
  EXPECT_TRUE(drawnText(getText("survivalhelp")));
}

// The ball's way: from cell (4, 0) down to (4, 1), left to (0, 1), down to (0, 2).
bool onRoute(Vec2 p) {
  const Vec2 m = helpCellPoint(4, 0, 0.0f), r1 = helpCellPoint(4, 1, 0.0f);
  const Vec2 r2 = helpCellPoint(0, 1, 0.0f), e = helpCellPoint(0, 2, 0.0f);
  const float eps = 0.01f;
  const bool down1 = std::fabs(p.x - m.x) < eps && p.y <= m.y + eps && p.y >= r1.y - eps;
  const bool across = std::fabs(p.y - r1.y) < eps && p.x <= r1.x + eps && p.x >= r2.x - eps;
  const bool down2 = std::fabs(p.x - r2.x) < eps && p.y <= r2.y + eps && p.y >= e.y - eps;
  return down1 || across || down2;
}

TEST_F(HelpScreen, TheBallTravelsItsRouteInSevenHundredMillisecondsWhileTheCursorReturns) {
  const Vec2 rest = {helpCellPoint(-1, 1, 0.0f).x - 5.0f, helpCellPoint(-1, 1, 0.0f).y};
  const Vec2 start = helpCellPoint(4, 0, 0.0f), target = helpCellPoint(0, 2, 0.0f);
  EXPECT_NEAR(helpPose(0.0f, 0.0f, 0, 0.0f).cursor.x, rest.x, 0.01f);
  EXPECT_NEAR(helpPose(kHelpPickUpMs - 0.01f, 0.0f, 0, 0.0f).cursor.x, start.x, 0.1f);
  EXPECT_NEAR(helpPose(kHelpSendMs - 0.01f, 0.0f, 0, 0.0f).cursor.y, target.y, 0.1f);
  EXPECT_NEAR(helpPose(kHelpRestMs, 0.0f, 0, 0.0f).cursor.x, rest.x, 0.01f);

  for (float t = kHelpSendMs; t < kHelpArriveMs; t += 5.0f) {
    const HelpPose pose = helpPose(t, 0.0f, 0, 0.0f);
    ASSERT_TRUE(pose.ballShown) << t;
    EXPECT_TRUE(onRoute(pose.ball)) << t << ": " << pose.ball.x << ", " << pose.ball.y;
  }
  const Vec2 turn = helpCellPoint(4, 1, 0.0f), corner = helpCellPoint(0, 1, 0.0f);
  EXPECT_NEAR(helpPose(kHelpSendMs + 100.0f, 0.0f, 0, 0.0f).ball.y, turn.y, 0.01f)
      << "the first step takes a seventh";
  EXPECT_NEAR(helpPose(kHelpSendMs + 600.0f, 0.0f, 0, 0.0f).ball.x, corner.x, 0.01f)
      << "the long way left five sevenths";
  EXPECT_NEAR(helpPose(kHelpArriveMs - 0.01f, 0.0f, 0, 0.0f).ball.y, target.y, 0.1f);
  EXPECT_FALSE(helpPose(kHelpArriveMs, 0.0f, 0, 0.0f).ballShown) << "it popped on arrival";
}

TEST_F(HelpScreen, ThePickedUpBallHopsAndTheClicksFadeOut) {
  const HelpPose resting = helpPose(1000.0f, 0.0f, 1, 0.0f);
  EXPECT_FALSE(resting.ballSelected);
  EXPECT_FALSE(resting.clickShown);
  const HelpPose hop = helpPose(2000.0f, 224.0f, 1, 0.0f);
  EXPECT_TRUE(hop.ballSelected);
  EXPECT_GT(hop.ball.x, helpCellPoint(4, 0, 0.0f).x) << "lifted to the upper right";
  const HelpPose pressed = helpPose(kHelpPickUpMs + 100.0f, 0.0f, 1, 0.0f);
  EXPECT_LT(pressed.cursorScale, 0.9f) << "the cursor dips as it clicks";
  EXPECT_TRUE(pressed.clickShown);
  EXPECT_FALSE(helpPose(kHelpPickUpMs + 1700.0f, 0.0f, 1, 0.0f).clickShown)
      << "gone after eight tenths of the phase";
  const HelpPose second = helpPose(kHelpSendMs + 50.0f, 0.0f, 1, 0.0f);
  EXPECT_TRUE(second.clickShown);
  EXPECT_NEAR(second.clickAt.x, helpCellPoint(0, 2, 0.0f).x - 45.0f, 0.01f);
}

TEST_F(HelpScreen, TheLinePopsOnceACycleAndTheNextCycleTakesTheNextColour) {
  show(Difficulty::Expert, false);
  const int32_t colour = helpDemo.colour;
  runUntil(kHelpArriveMs + 100.0f);
  EXPECT_EQ(helpDemo.pops, 1);
  runUntil(kHelpCycleMs - 20.0f);
  EXPECT_EQ(helpDemo.pops, 1);
  frame();
  frame();
  EXPECT_LT(helpDemo.clock, 100.0f) << "a new cycle";
  EXPECT_EQ(helpDemo.colour, (colour + 1) % kHelpColours);
  EXPECT_EQ(boards.help.cells[11][11].ballValue, (colour + 4) % kHelpColours);
  EXPECT_EQ(boards.help.cells[12][kLineRow].ballValue, (colour + 1) % kHelpColours);
  runUntil(kHelpArriveMs + 100.0f);
  EXPECT_EQ(helpDemo.pops, 2);
}

TEST_F(HelpScreen, SlidingInOrOutStartsTheDemonstrationAgain) {
  gameState.difficulty = Difficulty::Normal;
  openScreenByName("helpscreen");
  for (int i = 0; i < 10; ++i) frame();
  EXPECT_TRUE(menuSliding());
  EXPECT_GT(helpDemo.clock, 100.0f) << "it runs while sliding in";
  settle();
  EXPECT_LE(helpDemo.clock, 16.0f) << "the slide ended";
  runUntil(2000.0f);
  closeScreen();
  frame();
  EXPECT_EQ(helpDemo.clock, 0.0f) << "the slide out started";
}

TEST(HelpLayout, TextsBoardAndLinesNeverMeetHoweverManyLinesTheTextsTake) {
  const HelpLayout usual = helpLayout(2, 2);
  EXPECT_EQ(usual.tipY, 115.0f) << "two lines each: where the page always had them";
  EXPECT_EQ(usual.lowerLineY, -135.0f);
  EXPECT_EQ(usual.top, 230.0f);
  const float reach = 10.8f;  // half a line of size 12
  for (int32_t tip = 1; tip <= 8; ++tip) {
    for (int32_t rule = 1; rule <= 8; ++rule) {
      const HelpLayout l = helpLayout(tip, rule);
      const float tipLast = l.tipY - 21.6f * float(tip - 1);
      const float ruleLast = l.ruleY - 21.6f * float(rule - 1);
      EXPECT_TRUE(l.upperLineY > l.tipY + reach && tipLast - reach > helpBoardTop(l.rise) &&
                  l.ruleY + reach < helpBoardBottom(l.rise) && l.lowerLineY < ruleLast - reach &&
                  l.buttonY + 32.0f < l.lowerLineY && l.buttonY - 32.0f > l.bottom)
          << tip << " lines above, " << rule << " below";
      EXPECT_NEAR(l.top, -l.bottom, 0.01f) << "the window stays centred";
    }
  }
}

TEST_F(HelpScreen, TheGamesBoardAndSelectionStayAsTheyWere) {
  clearBoard(&boards.live);
  boards.live.cells[12][9].squareLayers = 0;
  boards.live.cells[12][9].ballValue = 3;
  gameState.selected = {12, 9};
  const Board before = boards.live;
  show(Difficulty::Normal, false);
  runUntil(kHelpArriveMs + 100.0f);
  EXPECT_EQ(boards.current, &boards.live);
  EXPECT_EQ(gameState.selected.x, 12);
  EXPECT_EQ(gameState.selected.y, 9);
  EXPECT_EQ(std::memcmp(&before, &boards.live, sizeof before), 0);
  EXPECT_FALSE(feedback.demoRunning);
}

}  // namespace
