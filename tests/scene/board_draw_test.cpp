// The board as drawn: the route preview's pieces and fade, the sizes of arriving,
// bouncing and popping balls and of previews, the board's darkening and fading,
// the level-complete tiles, the glints, highlights and blast areas, the tile dips,
// and the level miniature.
#include <cmath>
#include <cstring>

#include "game/feedback.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "game/modes.h"
#include "scene_fixture.h"

namespace {

// The counter-clockwise turn of a drawn square, from its first corner (top-right).
float turnOf(const DrawnPicture& p) {
  const float a = std::atan2(p.corners[0].y - p.centre.y, p.corners[0].x - p.centre.x);
  float degrees = a * 57.29578f - 45.0f;
  while (degrees <= -180.0f) degrees += 360.0f;
  while (degrees > 180.0f) degrees -= 360.0f;
  return std::round(degrees);
}

std::vector<DrawnPicture> named(const std::vector<DrawnPicture>& all, const std::string& name) {
  std::vector<DrawnPicture> out;
  for (const DrawnPicture& p : all) {
    if (p.name == name) out.push_back(p);
  }
  return out;
}

bool near(Vec2 a, Vec2 b) { return std::fabs(a.x - b.x) < 0.01f && std::fabs(a.y - b.y) < 0.01f; }

class BoardDrawTest : public SceneTest {
 protected:
  // The ball at (0, 2) reaches (3, 0) right along row 2, then up column 3.
  void selectAndHover() {
    setBoard({"..._.", "..._.", "a___."});
    selectBall(at(0, 2).x, at(0, 2).y);
    frame(16.0f, centreOf(3, 0));
  }
};

}  // namespace

TEST_F(BoardDrawTest, RoutePiecesFollowTheRouteFromTheBallToThePointer) {
  selectAndHover();
  ASSERT_EQ(gameView.routeCells, 5);
  const std::vector<DrawnPicture> all = drawn();
  const auto head = named(all, "route_head.tga");
  const auto corner = named(all, "route_corner.tga");
  const auto straight = named(all, "route_straight.tga");
  const auto tail = named(all, "route_tail.tga");
  ASSERT_EQ(head.size(), 1u);
  ASSERT_EQ(corner.size(), 1u);
  ASSERT_EQ(straight.size(), 2u);
  ASSERT_EQ(tail.size(), 1u);
  EXPECT_TRUE(near(head[0].centre, centreOf(3, 0)));
  EXPECT_EQ(turnOf(head[0]), 90.0f) << "the last step goes up";
  EXPECT_TRUE(near(straight[0].centre, centreOf(3, 1)));
  EXPECT_EQ(std::fabs(turnOf(straight[0])), 90.0f);
  EXPECT_TRUE(near(straight[1].centre, centreOf(2, 2)));
  EXPECT_EQ(turnOf(straight[1]), 0.0f);
  EXPECT_TRUE(near(corner[0].centre, centreOf(3, 2)));
  EXPECT_EQ(turnOf(corner[0]), 0.0f) << "unturned it opens left (coming) and up (going)";
  EXPECT_TRUE(near(tail[0].centre, centreOf(1, 2)));
  EXPECT_EQ(turnOf(tail[0]), 0.0f) << "leaves the ball to the right";
  EXPECT_NEAR(head[0].width, 40.2f, 0.01f);
}

TEST_F(BoardDrawTest, RouteFadesAfterThePointerLeavesAndHidesAtOnceOnTheRightButton) {
  selectAndHover();
  frame(250.0f, centreOf(0, 0));  // a hole: nothing to reach
  EXPECT_NEAR(gameView.routeAlpha, 0.5f, 1e-4f);
  const auto fading = named(drawn(), "route_head.tga");
  ASSERT_EQ(fading.size(), 1u);
  EXPECT_EQ(fading[0].corners[0].color >> 24, 127u);
  frame(300.0f, centreOf(0, 0));
  EXPECT_EQ(countDrawn("route_head.tga"), 0);

  selectAndHover();
  gameRightDown();
  frame(16.0f, centreOf(3, 0));
  EXPECT_EQ(countDrawn("route_head.tga"), 0);
}

TEST_F(BoardDrawTest, NoRouteWhileTheBallMoves) {
  selectAndHover();
  ASSERT_TRUE(startMove(at(3, 0).x, at(3, 0).y));
  frame(16.0f, centreOf(2, 2));
  EXPECT_TRUE(gameState.busy);
  EXPECT_EQ(countDrawn("route_head.tga"), 0);
  EXPECT_EQ(countDrawn("route_straight.tga"), 0);
}

TEST_F(BoardDrawTest, BallsGrowInBounceWhenSelectedAndWobbleBeforeTheyPop) {
  setBoard({"a__"});
  Cell& ball = cellAt(at(0, 0).x, at(0, 0).y);
  ball.appearTimer = 500.0f;
  drawOnly();
  // Arriving: the factor starts at 0.41 of the size.
  EXPECT_NEAR(named(drawn(), "bal00.tga")[0].width, 2.0f * 1.1f * 16.0f * 0.41f, 0.01f);
  ball.appearTimer = 0.0f;
  drawOnly();
  EXPECT_NEAR(named(drawn(), "bal00.tga")[0].width, 35.2f, 0.01f);
  EXPECT_NEAR(named(drawn(), "shadow.tga")[0].width, 48.0f, 0.01f);

  selectBall(at(0, 0).x, at(0, 0).y);
  gameState.levelClock = 3.14159265f / 2.0f / 0.007f;  // the top of a hop
  drawOnly();
  const DrawnPicture hop = named(drawn(), "bal00.tga")[0];
  EXPECT_NEAR(hop.width, 35.2f * 1.16f, 0.01f);
  EXPECT_TRUE(near(hop.centre, add2(centreOf(0, 0), {4.0f, 6.0f})));
  EXPECT_TRUE(near(named(drawn(), "shadow.tga")[0].centre, centreOf(0, 0))) << "the shadow stays";

  deselectBall();
  queueBallRemoval(0.0f, 0.0f, 2, false);
  queueBallRemoval(40.0f, 0.0f, 2, false);
  updateBallRemovals(50.0f);  // the first wobbles, the second waits 80 ms
  drawOnly();
  const auto popping = named(drawn(), "bal02.tga");
  ASSERT_EQ(popping.size(), 2u);
  const float f = 50.0f / 250.0f;
  EXPECT_NEAR(popping[0].width, 2.0f * 1.1f * (16.0f - std::sin(f * 10.995575f) * (f + 0.6f)), 0.01f);
  EXPECT_NEAR(popping[1].width, 2.0f * 1.1f * 17.6f, 0.01f);
}

TEST_F(BoardDrawTest, PreviewsGrowToSixAndTheDiamondTurnsThroughItsFrames) {
  setBoard({"_M"});
  Cell& preview = cellAt(at(0, 0).x, at(0, 0).y);
  preview.nextBall = 4;
  preview.nextBallTimer = 250.0f;
  cellAt(at(1, 0).x, at(1, 0).y).ballClock = 100.0f;  // three frames in
  drawOnly();
  EXPECT_NEAR(named(drawn(), "bal04.tga")[0].width, 2.0f * 1.1f * 3.0f, 0.01f);
  ASSERT_EQ(countDrawn("diamond0103.tga"), 1);
  EXPECT_NEAR(named(drawn(), "diamond0103.tga")[0].width, 2.0f * 1.3f * 16.0f, 0.01f);
}

TEST_F(BoardDrawTest, DefeatDarkensAndMenusAndPauseFadeTheBoard) {
  setBoard({"a"});
  gameState.defeatTimer = 4000.0f;
  drawOnly();
  const Color darker = named(drawn(), "bal00.tga")[0].corners[0].color;
  EXPECT_EQ(colorRed(darker), uint32_t(255.0f * 0.6f));
  EXPECT_EQ(colorAlpha(darker), 255u);
  gameState.defeatTimer = 0.0f;
  gameView.menuFade = 150.0f;
  gameView.pauseFade = 250.0f;
  drawOnly();
  EXPECT_EQ(colorAlpha(named(drawn(), "bal00.tga")[0].corners[0].color), uint32_t(255 * 0.25f));
  gameView.menuFade = 300.0f;
  drawOnly();
  EXPECT_EQ(countDrawn("field0.tga"), 0);
}

TEST_F(BoardDrawTest, LevelCompletePictureReplacesTheBoardUntilItsTilesHaveGone) {
  setBoard({"a_", "_b"});
  prepareLevelModes(0);
  gameState.levelCompleteTimer = 8000.0f;
  drawOnly();
  EXPECT_EQ(countDrawn("bal00.tga"), 1) << "the board shows until 7500 ms";
  gameState.levelCompleteTimer = 5000.0f;
  drawOnly();
  EXPECT_EQ(countDrawn("bal00.tga"), 0);
  EXPECT_EQ(countDrawn("field0.tga"), 4);
  const TilePose pose = levelCompleteTilePose(at(0, 0).x, at(0, 0).y, 5000.0f);
  EXPECT_TRUE(near(named(drawn(), "field0.tga")[0].centre, pose.centre));
  gameState.levelCompleteTimer = 1000.0f;
  drawOnly();
  EXPECT_EQ(countDrawn("field0.tga"), 0);
  gameState.levelCompleteTimer = -1.0f;
  drawOnly();
  EXPECT_EQ(countDrawn("field0.tga"), 0);
}

TEST_F(BoardDrawTest, GlintsSweepOnceACycleUntilFewSquaresAreLeft) {
  setBoard({"111111"});  // six squares: the sweep
  auto glints = [&](float clock) {
    forEachPlayableCell([&](int x, int y) { cellAt(x, y).shimmerClock = clock; });
    drawOnly();
    return countDrawn("field1a.tga");
  };
  EXPECT_EQ(glints(0.0f), 0) << "before the sweep";
  // Phase 0.003 t + 0.005 d at 2.5 pi for the first cell: the sweep is on it.
  const float d = length2(sub2(centreOf(0, 0), {-400.0f, -300.0f}));
  EXPECT_GE(glints((2.5f * 3.14159265f - 0.005f * d) / 0.003f), 1);
  setBoard({"11111."});  // five left: they pulse whenever the sine is high
  EXPECT_GE(glints((0.5f * 3.14159265f - 0.005f * d) / 0.003f), 1);
}

TEST_F(BoardDrawTest, HoverHighlightsBallsAndReachableCellsAndABombShowsItsBlast) {
  setBoard({"a____", "_____", "_____", "_____", "_____"});
  frame(16.0f, centreOf(2, 2));
  EXPECT_EQ(countDrawn("fieldspodsv.tga"), 0) << "an empty cell without a selection";
  frame(16.0f, centreOf(0, 0));
  EXPECT_EQ(countDrawn("fieldspodsv.tga"), 1);

  cellAt(at(0, 0).x, at(0, 0).y).ballValue = Ball::TripleBomb;
  selectBall(at(0, 0).x, at(0, 0).y);
  frame(16.0f, centreOf(2, 2));
  EXPECT_EQ(countDrawn("fieldspodsv.tga"), 1 + 13);
  cellAt(at(0, 0).x, at(0, 0).y).ballValue = Ball::QuadroBomb;
  frame(16.0f, centreOf(2, 2));
  EXPECT_EQ(countDrawn("fieldspodsv.tga"), 1 + 21);
}

TEST_F(BoardDrawTest, SelectedBallsTileDipsAtEachLandingAndAMovingBallPressesItsWay) {
  setBoard({"a___"});
  selectBall(at(0, 0).x, at(0, 0).y);
  const float period = 3.14159265f / 0.007f;  // one hop
  gameState.levelClock = period - 8.0f;
  frame(16.0f);  // the clock passes the landing
  EXPECT_LE(cellAt(at(0, 0).x, at(0, 0).y).cellScale, 0.92f + 0.0016f * 16.0f);
  for (int i = 0; i < 10; ++i) frame(16.0f);
  EXPECT_EQ(cellAt(at(0, 0).x, at(0, 0).y).cellScale, 1.0f) << "it springs back between hops";

  ASSERT_TRUE(startMove(at(3, 0).x, at(3, 0).y));
  float lowest = 1.0f;
  for (int i = 0; i < 40; ++i) {
    frame(16.0f);
    lowest = std::fmin(lowest, cellAt(at(2, 0).x, at(2, 0).y).cellScale);
    if (!gameState.busy) break;
  }
  EXPECT_LT(lowest, 0.85f);
}

TEST_F(BoardDrawTest, MiniatureReadsItsLevelApartFromTheBoardInPlay) {
  setBoard({"a_1"});
  const Board before = boards.live;
  addMemoryLevel("tut1_02.lvl", "level=\r\n..0\r\n2..................\r\n");
  drawLevelMiniature(1, {10.0f, 20.0f}, 0.5f, kWhite);
  EXPECT_EQ(std::memcmp(&before, &boards.live, sizeof before), 0);
  const std::vector<DrawnPicture> all = drawn();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].name, "field0.tga");
  EXPECT_EQ(all[1].name, "field2.tga");
  const Vec2 expected = {cellCentre(7, 5).x * 0.5f + 10.0f + 69.3f * 0.5f,
                         cellCentre(7, 5).y * 0.5f + 20.0f};
  EXPECT_TRUE(near(all[0].centre, expected));
  EXPECT_NEAR(all[0].width, 23.1f, 0.01f);

  devResetFrame();
  drawLevelMiniature(-1, {0.0f, 0.0f}, 1.0f, kWhite);  // the current board
  EXPECT_EQ(drawn().size(), 3u);
  devResetFrame();
  drawLevelMiniature(50, {0.0f, 0.0f}, 1.0f, kWhite);  // no such file
  EXPECT_TRUE(drawn().empty());
}
