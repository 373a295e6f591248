// One frame of the game scene on the recording device: the order of what is
// drawn, what hides the board and the HUD, and a drawing that changes nothing.
#include <cmath>
#include <cstring>

#include "app/scene.h"
#include "effects/effects.h"
#include "game/feedback.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "game/tips.h"
#include "render/text.h"
#include "scenery/scenery.h"
#include "scene_fixture.h"

namespace {

int indexOfText(const std::vector<std::string>& texts, const std::string& text) {
  for (size_t i = 0; i < texts.size(); ++i) {
    if (texts[i] == text) return int(i);
  }
  return -1;
}

class SceneFrameTest : public SceneTest {
 protected:
  // A selected red ball, a route to the hovered cell, a ball popping, a pop-up and
  // a tip on screen.
  void busyFrame() {
    setBoard({"_a_1_", "__b__", "_____"});
    selectBall(at(1, 0).x, at(1, 0).y);
    queueBallRemoval(centreOf(4, 2).x, centreOf(4, 2).y, 3, false);
    spawnScorePopup(0.0f, 0.0f, 4321, kScorePopupColor);
    showHelpTip(centreOf(4, 0).x, centreOf(4, 0).y);
    frame(16.0f, centreOf(3, 2));
  }
};

}  // namespace

TEST_F(SceneFrameTest, BoardThenPopsThenHudThenTextsThenTipInOrder) {
  busyFrame();
  const int floor = firstDrawn("field0.tga");
  const int square = firstDrawn("field1.tga");
  const int route = firstDrawn("route_head.tga");
  const int ball = firstDrawn("bal00.tga");
  const int popping = lastDrawn("bal03.tga");
  const int panel = firstDrawn("gamebar.tga");
  const int tip = firstDrawn("white.jpg");
  ASSERT_GE(floor, 0);
  EXPECT_LT(floor, square);
  EXPECT_LT(lastDrawn("field1.tga"), route) << "every floor tile comes before the route";
  EXPECT_LT(lastDrawn("route_tail.tga"), ball) << "the route lies under the balls";
  EXPECT_LT(lastDrawn("bal01.tga"), popping) << "the pops come after the board's balls";
  EXPECT_LT(popping, firstDrawn("levelbar1.tga"));
  EXPECT_LT(firstDrawn("levelbar1.tga"), panel) << "the progress bar, then the side panel";
  EXPECT_LT(panel, tip);
  EXPECT_LT(lastDrawn("question.tga"), tip);

  const std::vector<std::string> t = texts();
  const int score = indexOfText(t, "score");
  const int popup = indexOfText(t, "4321");
  ASSERT_GE(score, 0);
  EXPECT_LT(score, popup) << "pop-ups are drawn over the HUD";
  EXPECT_EQ(t.back(), shownTipText()) << "the tip's text is drawn last";
}

TEST_F(SceneFrameTest, DrawingTwiceDrawsTheSameAndMovesNoClock) {
  busyFrame();
  const GameState before = gameState;
  const GameView viewBefore = gameView;
  const std::vector<DrawnPicture> first = drawn();
  drawOnly();
  const std::vector<DrawnPicture> second = drawn();
  ASSERT_EQ(first.size(), second.size());
  for (size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i].name, second[i].name) << i;
    EXPECT_FLOAT_EQ(first[i].centre.x, second[i].centre.x) << i;
  }
  EXPECT_EQ(std::memcmp(&before, &gameState, sizeof before), 0);
  EXPECT_EQ(std::memcmp(&viewBefore, &gameView, sizeof viewBefore), 0);
}

TEST_F(SceneFrameTest, TheBoardBatchesIntoFewDrawCalls) {
  std::vector<std::string> rows(15, std::string(20, 'a'));
  for (int j = 0; j < 15; ++j) {
    for (int i = 0; i < 20; ++i) rows[size_t(j)][size_t(i)] = char('a' + (i + 2 * j) % 8);
  }
  setBoard(rows);
  frame();
  EXPECT_EQ(countDrawn("shadow.tga"), 300);
  devPresent();
  // Background, board, HUD pictures and texts: the board's 600 sprites are one call.
  EXPECT_LE(devLastFrameStats().drawCalls, 30u);
}

TEST_F(SceneFrameTest, PauseHidesBoardAndHudAndShowsItsTextLast) {
  setBoard({"_a_", "___"});
  gameState.running = false;
  for (int i = 0; i < 40; ++i) frame(16.0f);  // the pause fade passes 500 ms
  EXPECT_EQ(countDrawn("field0.tga"), 0);
  EXPECT_EQ(countDrawn("gamebar.tga"), 0);
  const std::vector<std::string> t = texts();
  ASSERT_FALSE(t.empty());
  EXPECT_EQ(t.back(), "relax");
  EXPECT_NE(indexOfText(t, "keytoresume"), -1);
}

TEST_F(SceneFrameTest, FinishedAdventureShowsItsCongratulationsInsteadOfTheResumeLine) {
  setBoard({"_a_"});
  gameState.adventureFinished = true;
  gameState.running = false;
  gameView.pauseFade = 12000.0f;
  drawOnly();
  const std::vector<std::string> t = texts();
  EXPECT_NE(indexOfText(t, "congratulations"), -1);
  EXPECT_NE(indexOfText(t, "gamepass1"), -1);
  EXPECT_EQ(indexOfText(t, "keytoresume"), -1);
}

TEST_F(SceneFrameTest, NoVertexIsEverNotANumber) {
  // A level without squares (the progress divides by zero squares), a long stall
  // and every fade at an edge.
  setBoard({"_a_", "b__"});
  gameState.squaresAtStart = 0;
  gameState.pendingSquares = 0;
  frame(16.0f);
  frame(5000.0f, {-395.0f, 0.0f});
  gameState.defeatTimer = 1000.0f;
  gameView.menuFade = 300.0f;
  frame(16.0f);
  const DevRecording& r = devRecording();
  for (const DevVertex& v : r.vertices) {
    ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
    ASSERT_TRUE(std::isfinite(v.u) && std::isfinite(v.v));
  }
  EXPECT_EQ(gameView.shownProgress, 0.0f);
  EXPECT_EQ(progressTarget(), 0.0f);
}

TEST_F(SceneFrameTest, APendingBackgroundChangeStartsBetweenFrames) {
  // With the scenery in place the crossfade then runs; here: the request is taken.
  queueNextBackground(5);
  gameScene.afterFrame();
  EXPECT_FALSE(backgroundChangePending());
}
