// The effects the rules start as the board plays: a moving ball's trail, the
// bombs' fuse sparks, the diamond's bolts in every frame, and the particle effects
// of events, which stay where they start.
#include <algorithm>
#include <string>

#include "board_fixture.h"
#include "effects/effect_state.h"
#include "effects/effects.h"
#include "game/feedback.h"
#include "game/game.h"

namespace {

float distance(Vec2 a, Vec2 b) { return length2(sub2(a, b)); }

int sparksOfPreset(int preset) {
  int count = 0;
  for (const Spark& s : boardEffects.sparks) count += s.life > 0.0f && s.preset == preset;
  return count;
}

}  // namespace

TEST_F(BoardTest, AMovingBallLeavesATrailAlongItsRoute) {
  setBoard({"a___", "____"});
  clickBoardCell(col(0), row(0));
  clickBoardCell(col(3), row(0));
  runFrames(1);
  ASSERT_TRUE(gameState.busy);
  for (int i = 0; i < 60 && gameState.busy; ++i) runFrames(1);
  ASSERT_FALSE(gameState.busy);
  // One glow for every 2% of the move that passed before it came to rest.
  EXPECT_GE(sparksOfPreset(12), 45);
  EXPECT_LE(sparksOfPreset(12), 50);
  const Vec2 from = cellCentre(col(0), row(0)), to = cellCentre(col(3), row(0));
  for (const Spark& s : boardEffects.sparks) {
    if (s.life <= 0.0f) continue;
    EXPECT_GE(s.position.x, from.x - 30.0f);
    EXPECT_LE(s.position.x, to.x + 30.0f);
    EXPECT_NEAR(s.position.y, from.y, 30.0f);
  }
  // A ball at rest leaves none.
  const int trail = sparksOfPreset(12);
  runFrames(10);
  EXPECT_LE(sparksOfPreset(12), trail);
}

TEST_F(BoardTest, BombsAtRestThrowSparksFromTheirFuse) {
  setBoard({"L_a", "_N_"});
  runFrames(10);  // 160 ms: a triple bomb every 60 ms, a quadro bomb every 40 ms
  EXPECT_EQ(sparksOfPreset(14), 2 + 4);
  // Each rises from the burning end of a fuse, up and right of its bomb's centre.
  const Vec2 fuses[2] = {add2(cellCentre(col(0), row(0)), {12.0f, 13.0f}),
                         add2(cellCentre(col(1), row(1)), {12.0f, 13.0f})};
  for (const Spark& s : boardEffects.sparks) {
    if (s.life <= 0.0f) continue;
    EXPECT_LT(std::min(distance(s.position, fuses[0]), distance(s.position, fuses[1])), 10.0f);
  }
  // A bomb still growing into its cell throws none.
  resetEffects();
  cellAt(col(0), row(0)).appearTimer = 500.0f;
  cellAt(col(1), row(1)).appearTimer = 500.0f;
  runFrames(10);
  EXPECT_EQ(sparksOfPreset(14), 0);
}

TEST_F(BoardTest, LiveDiamondBoltsAreLightningEveryFrameFadingWithTheirLife) {
  addDiamondBolt({0.0f, 0.0f}, {120.0f, 40.0f});
  runFrames(1, 100.0f);
  ASSERT_EQ(lightning.count, 1);
  const LightningBolt& bolt = lightning.bolts[0];
  EXPECT_EQ(bolt.points[0].x, 0.0f);
  EXPECT_EQ(bolt.points[bolt.segments].x, 120.0f);
  EXPECT_EQ(bolt.coreColor, makeColor(255, 255, 255, 200));  // 400 of 500 ms left
  EXPECT_EQ(bolt.glowColor, makeColor(55, 55, 255, 200));
  EXPECT_EQ(bolt.glowWidth, 15.0f);
  runFrames(1, 100.0f);
  EXPECT_EQ(lightning.count, 1);  // shown again, not added twice
  runFrames(3, 100.0f);
  EXPECT_EQ(lightning.count, 0);
}

TEST_F(BoardTest, EventEffectsStayWhereTheyStart) {
  const std::string text = "parfrequency=50\r\neffecttime=600\r\npartime=300\r\n";
  parseEffectDef("addbomb2.par", reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                 &particleSystem.defs[particleSystem.defCount++]);
  onQuadBombAdded(100.0f, 50.0f);
  EXPECT_EQ(countLiveEffects().emitters, 1);
  updateParticles(300.0f);
  EXPECT_EQ(particleSystem.emitters[0].position.x, 100.0f);
  EXPECT_EQ(particleSystem.emitters[0].position.y, 50.0f);
}
