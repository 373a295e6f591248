// The HUD as drawn: the progress bar's fraction and fill, the panel's slide, the
// lives, the chasing score, the hammer gauge, the cursor, the score pop-ups and the
// balloons of tips and the help button.
#include <algorithm>
#include <cmath>

#include "effects/effects.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "game/tips.h"
#include "persistence/profile.h"
#include "render/balloon.h"
#include "render/text.h"
#include "scene_fixture.h"

namespace {

class HudTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    gameState.survival = false;
    setBoard({"a_1"});  // a square left: the level is not won
  }
  const DrawnPicture& only(const std::string& name) {
    static DrawnPicture found;
    found = {};
    for (const DrawnPicture& p : drawn()) {
      if (p.name == name) found = p;
    }
    return found;
  }
  float topOf(const DrawnPicture& p) {
    float top = -1e9f;
    for (const DevVertex& v : p.corners) top = std::max(top, v.y);
    return top;
  }
  float leftOf(const DrawnPicture& p) {
    float left = 1e9f;
    for (const DevVertex& v : p.corners) left = std::min(left, v.x);
    return left;
  }
};

bool hasText(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace

TEST_F(HudTest, ProgressFollowsArrivedStarsAndALongFrameNeverOvershoots) {
  gameState.squaresAtStart = 8;
  gameState.pendingSquares = 2;
  EXPECT_FLOAT_EQ(progressTarget(), 0.75f);
  frame(100.0f);
  EXPECT_NEAR(gameView.shownProgress, 0.75f * 0.5f, 1e-5f);
  const DrawnPicture fill = only("levelbar2.tga");
  EXPECT_FLOAT_EQ(topOf(fill), -225.0f + std::ceil(512.0f * gameView.shownProgress));
  frame(10000.0f);  // a stall: the step is capped at the whole gap
  EXPECT_FLOAT_EQ(gameView.shownProgress, 0.75f);
  gameState.pendingSquares = 20;  // more pending than at the start
  EXPECT_FLOAT_EQ(progressTarget(), 0.0f);
}

TEST_F(HudTest, AnEmptyLevelShowsAnEmptyBar) {
  gameState.squaresAtStart = 0;
  gameState.pendingSquares = 0;
  frame(16.0f);
  EXPECT_EQ(progressTarget(), 0.0f);
  EXPECT_EQ(countDrawn("levelbar2.tga"), 0);
  EXPECT_EQ(countDrawn("levelbar1.tga"), 1);
}

TEST_F(HudTest, PanelAndBarSlideOutDuringDefeatLevelEndAndPause) {
  gameState.defeatTimer = 3000.0f;
  drawOnly();
  const float shift = 140.0f * 2000.0f / 4000.0f;
  EXPECT_FLOAT_EQ(leftOf(only("gamebar.tga")), 272.0f + shift);
  EXPECT_FLOAT_EQ(leftOf(only("levelbar1.tga")), -403.0f - shift);
  gameState.defeatTimer = 900.0f;
  drawOnly();
  EXPECT_EQ(countDrawn("gamebar.tga"), 0);
  gameState.defeatTimer = -1.0f;
  drawOnly();
  EXPECT_EQ(countDrawn("gamebar.tga"), 0) << "nothing of the HUD after the sequence";

  gameState.defeatTimer = 0.0f;
  gameState.levelCompleteTimer = 5100.0f;
  drawOnly();
  EXPECT_FLOAT_EQ(leftOf(only("gamebar.tga")), 272.0f + 140.0f);
  gameState.levelCompleteTimer = 2900.0f;
  drawOnly();
  EXPECT_EQ(countDrawn("gamebar.tga"), 0);

  gameState.levelCompleteTimer = 0.0f;
  gameView.pauseFade = 250.0f;
  drawOnly();
  EXPECT_FLOAT_EQ(leftOf(only("gamebar.tga")), 272.0f + 50.0f);
}

TEST_F(HudTest, LivesShowAsHeartsACountOrTheLastLifeAndSurvivalSaysSo) {
  setLives(2);
  drawOnly();
  EXPECT_EQ(countDrawn("heart.tga"), 2);
  setLives(4);
  drawOnly();
  EXPECT_EQ(countDrawn("heart.tga"), 1);
  EXPECT_TRUE(hasText(texts(), " X 4"));
  setLives(0);
  drawOnly();
  EXPECT_EQ(countDrawn("heart.tga"), 0);
  EXPECT_TRUE(hasText(texts(), "lastlife"));
  gameState.survival = true;
  drawOnly();
  EXPECT_TRUE(hasText(texts(), "survival"));
  EXPECT_FALSE(hasText(texts(), "lives"));
}

TEST_F(HudTest, TheShownScoreChasesTheRealOneAndFlickersWhileItClimbs) {
  addProfileScore(1000);
  frame(16.0f);
  EXPECT_EQ(gameView.shownScore, 160);  // 1000 * 0.01 * 16
  EXPECT_TRUE(gameView.scoreRising);
  EXPECT_TRUE(hasText(texts(), "160"));
  for (int i = 0; i < 400; ++i) frame(16.0f);
  EXPECT_EQ(gameView.shownScore, 1000);
  EXPECT_FALSE(gameView.scoreRising);
  EXPECT_GE(gameView.flickerValue, 100);
  EXPECT_LE(gameView.flickerValue, 254);
}

TEST_F(HudTest, HammerGaugeFillsWithTheChargeAndGlowsWhenFull) {
  gameState.hammerCharge = 0.5f;
  drawOnly();
  EXPECT_FLOAT_EQ(topOf(only("molotok2.tga")), -290.0f + 64.0f);
  EXPECT_EQ(countDrawn("flare.jpg"), 1);
  EXPECT_EQ(countDrawn("hammer_lum.jpg"), 0);
  gameState.hammerCharge = 1.0f;
  drawOnly();
  EXPECT_EQ(countDrawn("flare.jpg"), 0);
  EXPECT_EQ(countDrawn("hammer_lum.jpg"), 1);
  gameView.cursorMode = CursorMode::Hammer;  // the hammer is in hand
  drawOnly();
  EXPECT_EQ(countDrawn("hammer_lum.jpg"), 0);
  EXPECT_LT(only("molotok2.tga").corners[0].color >> 24, 255u);
  gameState.hammerEnabled = false;
  drawOnly();
  EXPECT_EQ(countDrawn("molotok1.tga"), 0);
}

TEST_F(HudTest, WindowCursorFollowsTheHammerTakenAndPutBack) {
  frame(16.0f);
  EXPECT_EQ(gameView.shownCursor, CursorMode::Arrow);
  gameState.hammerCharge = 1.0f;
  gameLeftDown(350.0f, -200.0f);  // the gauge
  EXPECT_EQ(gameView.cursorMode, CursorMode::Hammer);
  frame(16.0f);
  EXPECT_EQ(gameView.shownCursor, CursorMode::Hammer);
  gameLeftDown(350.0f, -200.0f);  // put back
  frame(16.0f);
  EXPECT_EQ(gameView.shownCursor, CursorMode::Arrow);
}

TEST_F(HudTest, ScorePopupsRiseSwellAndFadeOverOneSecond) {
  spawnScorePopup(100.0f, 50.0f, 30, kScorePopupColor);
  const ScorePopup& popup = effectLog.popups[0];
  updateScorePopups(499.0f);
  EXPECT_NEAR(popup.position.y, 50.0f + 0.04f * 499.0f, 1e-3f);
  drawOnly();
  const std::vector<DrawnPicture> glyphs = [&] {
    std::vector<DrawnPicture> out;
    for (const DrawnPicture& p : drawn()) {
      if (p.name == "text" && std::fabs(p.centre.y - popup.position.y) < 1.0f) out.push_back(p);
    }
    return out;
  }();
  ASSERT_EQ(glyphs.size(), 2u);
  // A glyph's strip starts with its left edge: 1.8 sizes high.
  EXPECT_NEAR(glyphs[0].width, 1.8f * 12.0f, 0.01f) << "size 12 at half its life";
  EXPECT_EQ(glyphs[0].corners[0].color >> 24, 255u);
  updateScorePopups(351.0f);  // 851 ms: half faded
  EXPECT_NEAR(popup.fade, 1.0f - 151.0f / 300.0f, 1e-4f);
  updateScorePopups(200.0f);
  drawOnly();
  EXPECT_FALSE(hasText(texts(), "30")) << "gone after a second";
}

TEST_F(HudTest, TipBalloonGrowsOutOfItsAnchorAlongItsLineAndStaysOnScreen) {
  showHelpTip(centreOf(1, 0).x, centreOf(1, 0).y);
  ASSERT_TRUE(tipState.active);
  frame(16.0f);
  EXPECT_TRUE(hasText(texts(), "A clean floor."));
  EXPECT_GE(countDrawn("white.jpg"), 1);
  // Anchors at the edges still give a box inside the screen.
  for (const Vec2 anchor : {Vec2{-399.0f, 299.0f}, Vec2{399.0f, -299.0f}, Vec2{0.0f, 0.0f}}) {
    BalloonLook look = {};
    look.anchor = anchor;
    look.text = "A tip long enough to wrap over more than one line of the box.";
    look.maxWidth = 300.0f;
    const Rect box = balloonBox(look);
    EXPECT_GE(box.x0, -400.0f);
    EXPECT_LE(box.x1, 400.0f);
    EXPECT_LE(box.y0, 300.0f);
    EXPECT_GE(box.y1, -300.0f);
    EXPECT_LE(rectWidth(box), 300.0f);
  }
  // On a slant, the line from the anchor meets the box's near edge 89.6 units out
  // (here the bottom edge), where the pointer ends.
  BalloonLook slant = {};
  slant.anchor = {-100.0f, -220.0f};
  slant.text = "Expert";
  slant.maxWidth = 300.0f;
  slant.hasAngle = true;
  slant.angle = 60.0f;
  EXPECT_NEAR(balloonBox(slant).y1, -220.0f + 89.6f * sinDeg(60.0f), 0.01f);
}

TEST_F(HudTest, HelpButtonTooltipOnlyWhileNothingElseTalks) {
  const Vec2 button = {-380.0f, -280.0f};
  frame(16.0f, button);
  EXPECT_TRUE(hasText(texts(), "Click me, then anything."));
  gameState.running = false;
  frame(16.0f, button);
  EXPECT_FALSE(hasText(texts(), "Click me, then anything."));
  gameState.running = true;
  showHelpTip(centreOf(1, 0).x, centreOf(1, 0).y);
  frame(16.0f, button);
  EXPECT_FALSE(hasText(texts(), "Click me, then anything.")) << "the tip speaks instead";
}
