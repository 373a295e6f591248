// Board sparks: what each preset gives a new spark, how sparks grow and fade, the
// rings, lines and spawners of the board effects, and the sprites drawn with them.
#include <cmath>

#include "effects_fixture.h"

namespace {

struct Range {
  float low, high;
};

// What every spark of a preset must start with: velocity, size and its speed, life,
// gravity, blending and the cells it may show.
struct PresetRanges {
  int32_t preset;
  Range vx, vy, size, sizeSpeed, rgb;
  float life;
  Range gravity;
  int32_t blend;
  int32_t cellLow, cellHigh;
};

const PresetRanges kRanges[] = {
    {0, {0, 0}, {0, 0}, {10, 10}, {0.03f, 0.05f}, {1, 1}, 1000, {0, 0}, 1, 62, 62},
    {1, {-0.4f, 0.4f}, {-0.4f, 0.4f}, {40, 40}, {-0.008f, -0.008f}, {1, 1}, 1000, {0, 0}, 0,
     17, 17},
    {2, {0, 0}, {0, 0}, {7, 7}, {0.15f, 0.15f}, {1, 1}, 1500, {0, 0}, 1, 53, 53},
    {3, {-0.01f, 0.01f}, {-0.01f, 0.01f}, {0, 0}, {0.08f, 0.08f}, {1, 1}, 1000, {0, 0}, 0, 17, 17},
    {4, {0, 0}, {0, 0}, {1, 1}, {0.12f, 0.12f}, {0.8f, 1}, 3000, {0, 0}, 0, 12, 12},
    {5, {0, 0}, {0, 0}, {1, 1}, {0.08f, 0.08f}, {1, 1}, 1000, {0, 0}, 0, 61, 62},
    {6, {0, 0}, {0, 0}, {0, 0}, {0.06f, 0.06f}, {0.86f, 0.96f}, 2000, {0, 0}, 0, 33, 33},
    {7, {-0.14f, 0.14f}, {-0.03f, 0.17f}, {28, 28}, {0.02f, 0.02f}, {1, 1}, 1000,
     {0.00025f, 0.00075f}, 0, 3, 3},
    {8, {-0.01f, 0.01f}, {-0.01f, 0.01f}, {28, 28}, {0.02f, 0.02f}, {1, 1}, 1000, {0, 0}, 0,
     10, 10},
    {9, {-0.01f, 0.01f}, {0.01f, 0.01f}, {30, 30}, {0.08f, 0.08f}, {1, 1}, 2000,
     {0.00002f, 0.00002f}, 0, 34, 34},
    {10, {-0.14f, 0.14f}, {-0.03f, 0.17f}, {28, 28}, {0.02f, 0.02f}, {1, 1}, 1000,
     {0.00025f, 0.00075f}, 0, 17, 17},
    {11, {-0.14f, 0.14f}, {-0.03f, 0.17f}, {28, 28}, {0.02f, 0.02f}, {1, 1}, 1000,
     {0.00025f, 0.00075f}, 0, 17, 17},
    {12, {-0.024f, 0.024f}, {-0.024f, 0.024f}, {1, 1}, {0.09f, 0.09f}, {0.5f, 1}, 1000, {0, 0},
     0, 12, 12},
    {13, {-0.024f, 0.024f}, {0.024f, 0.048f}, {1, 1}, {0.09f, 0.09f}, {0.5f, 1}, 1000, {0, 0},
     0, 12, 12},
    {14, {-0.03f, 0.03f}, {-0.02f, 0.02f}, {17, 17}, {0.02f, 0.02f}, {1, 1}, 400,
     {-0.0001f, -0.0001f}, 0, 17, 17},
    {15, {-0.1f, 0.1f}, {-0.1f, 0.1f}, {35, 60}, {-0.1f, -0.1f}, {0.5f, 1}, 400, {0, 0}, 0, 12,
     12},
};

bool within(float v, Range r) { return v >= r.low - 1e-6f && v <= r.high + 1e-6f; }

const Spark& lastSpark() {
  return boardEffects.sparks[(boardEffects.nextSpark + kMaxSparks - 1) % kMaxSparks];
}

}  // namespace

TEST_F(EffectsTest, EveryPresetStartsItsSparksWithinItsRanges) {
  for (const PresetRanges& k : kRanges) {
    for (int i = 0; i < 200; ++i) {
      spawnSpark(100.0f, -50.0f, k.preset);
      const Spark& s = lastSpark();
      ASSERT_EQ(s.preset, k.preset);
      EXPECT_TRUE(within(s.velocity.x, k.vx)) << k.preset << " vx " << s.velocity.x;
      EXPECT_TRUE(within(s.velocity.y, k.vy)) << k.preset << " vy " << s.velocity.y;
      EXPECT_TRUE(within(s.size, k.size)) << k.preset << " size " << s.size;
      EXPECT_TRUE(within(s.sizeSpeed, k.sizeSpeed)) << k.preset << " grows " << s.sizeSpeed;
      EXPECT_TRUE(within(s.color.g, k.rgb)) << k.preset << " green " << s.color.g;
      EXPECT_EQ(s.color.a, 1.0f);
      EXPECT_EQ(s.life, k.life) << k.preset;
      EXPECT_TRUE(within(s.gravity, k.gravity)) << k.preset << " gravity " << s.gravity;
      EXPECT_EQ(s.blend, k.blend) << k.preset;
      EXPECT_GE(s.cell, k.cellLow) << k.preset;
      EXPECT_LE(s.cell, k.cellHigh) << k.preset;
    }
  }
  // Only the trail and score glows are born off the point, within their spreads.
  spawnSpark(0.0f, 0.0f, 12);
  EXPECT_LE(std::fabs(lastSpark().position.x), 12.0f);
  spawnSpark(0.0f, 0.0f, 13);
  EXPECT_LE(std::fabs(lastSpark().position.y), 5.0f);
  spawnSpark(7.0f, 8.0f, 7);
  EXPECT_EQ(lastSpark().position.x, 7.0f);
  // A preset outside 0-15 spawns nothing.
  const int32_t next = boardEffects.nextSpark;
  spawnSpark(0.0f, 0.0f, 16);
  spawnSpark(0.0f, 0.0f, -1);
  EXPECT_EQ(boardEffects.nextSpark, next);
}

TEST_F(EffectsTest, GlowBrightensToFullThenFadesAndShrinkingSparksDie) {
  spawnSpark(0.0f, 0.0f, 4);
  Spark& glow = boardEffects.sparks[0];
  glow.color = {0.9f, 0.9f, 0.9f, 1.0f};
  updateBoardEffects(100.0f);
  EXPECT_NEAR(glow.color.r, 0.933f, 0.001f);
  updateBoardEffects(400.0f);  // past 1: held there, and from now on fading
  EXPECT_EQ(glow.color.r, 1.0f);
  EXPECT_EQ(glow.colorSpeed.r, -0.003f);
  updateBoardEffects(100.0f);
  EXPECT_NEAR(glow.color.r, 0.7f, 0.001f);

  spawnSpark(0.0f, 0.0f, 15);  // shrinks by 0.1 per ms
  Spark& shrinking = boardEffects.sparks[1];
  shrinking.size = 5.0f;
  updateBoardEffects(60.0f);
  EXPECT_EQ(shrinking.life, 0.0f);
  EXPECT_EQ(shrinking.size, 0.0f);
}

TEST_F(EffectsTest, BoardEffectsLayTheirSparksOnRingsAndLines) {
  // Kind 1: 32 sparks evenly spaced on a circle of radius 30.
  startBoardEffectAt(100.0f, 100.0f, 1);
  ASSERT_EQ(liveSparks(), 32);
  for (int i = 0; i < 32; ++i) {
    const Spark& s = boardEffects.sparks[i];
    EXPECT_EQ(s.preset, 3);
    EXPECT_NEAR(distance(s.position, {100.0f, 100.0f}), 30.0f, 0.01f);
    EXPECT_NEAR(distance(s.position, boardEffects.sparks[(i + 1) % 32].position),
                2.0f * 30.0f * std::sin(3.14159265f / 32.0f), 0.01f);
  }
  // Kind 0: five growing rings 40 away; kind 4: a line every 10 units, then a
  // ring of 32 at its end.
  resetBoardEffects();
  startBoardEffectAt(0.0f, 0.0f, 0);
  EXPECT_EQ(liveSparks(), 5);
  EXPECT_EQ(boardEffects.sparks[4].preset, 2);
  resetBoardEffects();
  startBoardEffect(0.0f, 0.0f, 0.0f, 95.0f, 4);
  ASSERT_EQ(liveSparks(), 10 + 32);
  EXPECT_EQ(boardEffects.sparks[9].position.y, 90.0f);
  EXPECT_EQ(boardEffects.sparks[10].preset, 7);
  // A line without a step, or of no length, leaves one spark; a ring of none, none.
  resetBoardEffects();
  sparkLine(0.0f, 0.0f, 50.0f, 0.0f, 0.0f, 8);
  sparkLine(0.0f, 0.0f, 50.0f, 0.0f, -3.0f, 8);
  sparkLine(5.0f, 5.0f, 5.0f, 5.0f, 10.0f, 8);
  sparkRing(0.0f, 0.0f, 10.0f, 0.0f, 0, 8);
  EXPECT_EQ(liveSparks(), 3);
  startBoardEffectAt(0.0f, 0.0f, 5);  // no such kind
  EXPECT_EQ(liveSparks(), 3);
}

TEST_F(EffectsTest, SpawnersTraceTheirRingsOverOneSecond) {
  startBoardEffectAt(0.0f, 0.0f, 2);
  for (int i = 0; i < 70; ++i) updateBoardEffects(16.0f);
  // About 40 rings of five glows.
  const int glows = liveSparks();
  EXPECT_GE(glows, 38 * 5);
  EXPECT_LE(glows, 40 * 5);
  resetBoardEffects();
  startBoardEffectAt(0.0f, 0.0f, 3);
  for (int i = 0; i < 70; ++i) updateBoardEffects(16.0f);
  // About 20 rings of five stars.
  EXPECT_GE(boardEffects.nextSpark, 19 * 5);
  EXPECT_LE(boardEffects.nextSpark, 20 * 5);
  // The 33rd spawner takes the first slot again.
  resetBoardEffects();
  for (int i = 0; i < kMaxSparkSpawners + 1; ++i) startBoardEffectAt(float(i), 0.0f, 2);
  EXPECT_EQ(boardEffects.spawners[0].center.x, 32.0f);
  EXPECT_EQ(boardEffects.nextSpawner, 1);
}

TEST_F(EffectsTest, SparkRingWrapsAndResetClearsEverything) {
  for (int i = 0; i <= kMaxSparks; ++i) spawnSpark(float(i), 0.0f, 8);
  EXPECT_EQ(boardEffects.sparks[0].position.x, float(kMaxSparks));
  startBoardEffectAt(0.0f, 0.0f, 3);
  queueSprite(0.0f, 0.0f, 0.0f, 10.0f, kWhite, 0, 12);
  resetBoardEffects();
  EXPECT_EQ(liveSparks(), 0);
  EXPECT_EQ(boardEffects.queueCount, 0);
  EXPECT_EQ(boardEffects.spawners[0].remaining, 0.0f);
  EXPECT_EQ(boardEffects.nextSpark, 0);
}

TEST_F(EffectsTest, QueuedSpritesOutsideTheViewOrBeyondTheQueueAreDropped) {
  queueSprite(0.0f, 0.0f, 0.0f, 20.0f, kWhite, 0, 12);
  queueSprite(900.0f, 0.0f, 0.0f, 20.0f, kWhite, 0, 12);   // far right of the screen
  queueSprite(0.0f, -330.0f, 0.0f, 20.0f, kWhite, 0, 12);  // below it
  queueSprite(415.0f, 0.0f, 0.0f, 20.0f, kWhite, 0, 12);   // overlapping its edge
  EXPECT_EQ(boardEffects.queueCount, 2);
  EXPECT_EQ(boardEffects.queue[1].position.x, 415.0f);
  while (boardEffects.queueCount < kMaxSpriteQueue) queueSprite(0, 0, 0, 5, kWhite, 0, 12);
  queueSprite(1.0f, 0.0f, 0.0f, 5.0f, kWhite, 0, 12);  // the 4096th
  EXPECT_EQ(boardEffects.queueCount, kMaxSpriteQueue);
  EXPECT_NE(boardEffects.queue[kMaxSpriteQueue - 1].position.x, 1.0f);
}

TEST_F(EffectsTest, BoardEffectsDrawSparksInViewThenTheQueueAndEmptyIt) {
  spawnSpark(0.0f, 0.0f, 8);
  spawnSpark(2000.0f, 0.0f, 8);  // out of view
  queueSprite(50.0f, 0.0f, 0.0f, 10.0f, makeColor(255, 0, 0, 255), 0, 12);
  queueSprite(60.0f, 0.0f, 0.0f, 10.0f, kBlack, 0, 12);  // adds nothing: not drawn
  queueSprite(0.0f, 0.0f, 30.0f, 10.0f, kWhite, 1, 53);
  drawBoardEffects();
  const std::vector<DevRecordedDraw> draws = primitiveDraws();
  // The additive spark and red sprite together; the alpha-blended one over them.
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].state.srcBlend, DevBlend::SrcColor);
  EXPECT_EQ(draws[0].state.dstBlend, DevBlend::One);
  EXPECT_EQ(draws[0].state.depthWrite, 0);
  EXPECT_EQ(squareCentres(draws[0]).size(), 2u);
  EXPECT_EQ(squareCentres(draws[0])[1].x, 50.0f);
  EXPECT_EQ(draws[1].state.srcBlend, DevBlend::SrcAlpha);
  EXPECT_EQ(boardEffects.queueCount, 0);
  EXPECT_EQ(countLiveEffects().sprites, 3);
  EXPECT_EQ(devState().depthWrite, 1);
  // Drawing changes no spark.
  EXPECT_EQ(boardEffects.sparks[0].life, 1000.0f);
}

TEST_F(EffectsTest, SheetSpritesTurnClockwiseForPositiveAngles) {
  queueSprite(0.0f, 0.0f, 90.0f, 20.0f, kWhite, 0, 0);
  drawBoardEffects();
  const DevRecordedDraw draw = primitiveDraws().at(0);
  // The cell's top-left texel, on the square's top-right corner when unturned, lies
  // on its bottom-right after a quarter turn clockwise.
  const DevVertex& v = devRecording().vertices[size_t(draw.firstVertex)];
  EXPECT_NEAR(v.u, 0.001f, 1e-6f);
  EXPECT_NEAR(v.v, 0.001f, 1e-6f);
  EXPECT_NEAR(v.x, 10.0f, 1e-4f);
  EXPECT_NEAR(v.y, -10.0f, 1e-4f);
}
