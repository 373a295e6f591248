// Score stars reaching the progress bar, and lightning bolts: their shape, their
// limits and how they are drawn.
#include <cmath>
#include <cstring>

#include "audio/audio.h"
#include "effects_fixture.h"

namespace {

constexpr Vec2 kBarTop = {-370.0f, 100.0f};

// A sample table holding only "score.ogg", so its requests can be read back.
void withScoreSound() {
  sound = SoundState{};
  sound.sampleCount = 1;
  std::strcpy(sound.samples[0].fileName, "score.ogg");
  sound.samples[0].handle = 1;
}

int32_t scoreRequestFrequency() {
  for (const PlayRequest& r : sound.requests) {
    if (r.state == kRequestWaiting) return r.frequency;
  }
  return -1;
}

// Distance of p from the line through a and b.
float offLine(Vec3 p, Vec3 a, Vec3 b) {
  const Vec3 d = normalize3(sub3(b, a));
  const Vec3 ap = sub3(p, a);
  return length3(sub3(ap, scale3(d, dot3(ap, d))));
}

}  // namespace

TEST_F(EffectsTest, EachStarArrivesOnceAndChimesByTheProgress) {
  withScoreSound();
  spawnScoreStar(100.0f, -200.0f);
  spawnScoreStar(300.0f, 200.0f);
  EXPECT_EQ(effectLog.starsSpawned, 2);
  int arrived = 0;
  for (int frame = 0; frame < 200; ++frame) {
    const int now = updateScoreStars(16.0f, kBarTop, 0.4f);
    if (now > 0 && scoreRequestFrequency() >= 0) {
      EXPECT_EQ(scoreRequestFrequency(), 30000);  // 0.4 * 25000 + 20000
    }
    arrived += now;
  }
  EXPECT_EQ(arrived, 2);
  for (const ScoreStar& star : scoreStars.stars) EXPECT_FALSE(star.active);
  sound = SoundState{};
}

TEST_F(EffectsTest, AStarThatNeverReachesTheBarFadesWithoutCounting) {
  withScoreSound();
  spawnScoreStar(0.0f, 0.0f);
  // The bar keeps running away faster than the star can follow.
  int arrived = 0;
  for (int frame = 0; frame < 200; ++frame) {
    arrived += updateScoreStars(16.0f, {200.0f + float(frame) * 40.0f, 0.0f}, 0.5f);
  }
  EXPECT_EQ(arrived, 0);
  EXPECT_FALSE(scoreStars.stars[0].active);
  EXPECT_EQ(scoreRequestFrequency(), -1);
  // A progress that is not a number plays the lowest chime rather than garbage.
  spawnScoreStar(kBarTop.x, kBarTop.y);
  EXPECT_EQ(updateScoreStars(16.0f, kBarTop, std::nanf("")), 1);
  EXPECT_EQ(scoreRequestFrequency(), 20000);
  sound = SoundState{};
}

TEST_F(EffectsTest, StarsAreDrawnAsAddedStarsAndClearedForANewGame) {
  spawnScoreStar(10.0f, 20.0f);
  devSetAlphaTest(true);
  drawScoreStars();
  const std::vector<DevRecordedDraw> draws = primitiveDraws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].state.srcBlend, DevBlend::SrcColor);
  EXPECT_EQ(draws[0].state.alphaTest, 0);  // their alpha is 0
  // The strip's third vertex is the square's top-right corner, where the cell's
  // top-left lies: cell 61 of the 8 x 8 sheet, column 5, row 7.
  const DevVertex& corner = devRecording().vertices[size_t(draws[0].firstVertex + 2)];
  EXPECT_NEAR(corner.u, 0.625f + 0.001f, 1e-5f);
  EXPECT_NEAR(corner.v, 0.875f + 0.001f, 1e-5f);
  EXPECT_EQ(devState().alphaTest, 1);
  clearScoreStars();
  EXPECT_EQ(effectLog.starsSpawned, 0);
  EXPECT_FALSE(scoreStars.stars[0].active);
}

TEST_F(EffectsTest, BoltsRunInSegmentsThatStrayNoFurtherThanTheirJitter) {
  const Vec3 from = {-100.0f, 0.0f, 0.0f}, to = {100.0f, 0.0f, 0.0f};
  addLightningBolt(from, to, 25.0f, 1.5f, 15.0f, 8.0f, kWhite, kWhite);
  ASSERT_EQ(lightning.count, 1);
  const LightningBolt& bolt = lightning.bolts[0];
  EXPECT_EQ(bolt.segments, 9);  // 200 / 25 + 1
  EXPECT_EQ(bolt.points[0].x, from.x);
  EXPECT_EQ(bolt.points[9].x, to.x);
  for (int i = 1; i < 9; ++i) {
    EXPECT_NEAR(bolt.points[i].x, -100.0f + 25.0f * float(i), 8.0f) << i;
    EXPECT_LE(offLine(bolt.points[i], from, to), 8.0f + 1e-3f) << i;
  }
  // A long bolt keeps to 100 segments of equal length.
  addLightningBolt({0, 0, 0}, {0, 5000, 0}, 25.0f, 1, 1, 0.0f, kWhite, kWhite);
  EXPECT_EQ(lightning.bolts[1].segments, kMaxBoltSegments);
  EXPECT_NEAR(lightning.bolts[1].points[50].y, 2500.0f, 0.1f);
  // A bolt of no length, or with points that are not numbers, is no bolt.
  addLightningBolt(from, from, 25.0f, 1, 1, 8.0f, kWhite, kWhite);
  addLightningBolt(from, {std::nanf(""), 0, 0}, 25.0f, 1, 1, 8.0f, kWhite, kWhite);
  addLightningBolt(from, to, 0.0f, 1, 1, 8.0f, kWhite, kWhite);  // no length per segment
  EXPECT_EQ(lightning.count, 3);
  EXPECT_EQ(lightning.bolts[2].segments, kMaxBoltSegments);
  // At most 63 a frame; clearing forgets them.
  for (int i = 0; i < 70; ++i) addLightningBolt(from, to, 25.0f, 1, 1, 8.0f, kWhite, kWhite);
  EXPECT_EQ(lightning.count, kMaxLightningBolts);
  clearLightningBolts();
  EXPECT_EQ(countLiveEffects().bolts, 0);
}

TEST_F(EffectsTest, BoltsDrawAGlowAlongTheWholeBoltAndACorePerSegment) {
  addLightningBolt({0, 0, 0}, {100, 0, 0}, 25.0f, 1.5f, 15.0f, 8.0f, kWhite,
                   makeColor(55, 55, 255, 200));
  drawLightningBolts();
  const std::vector<DevRecordedDraw> draws = primitiveDraws();
  ASSERT_EQ(draws.size(), 1u + 5u);  // 100 / 25 + 1 segments
  for (const DevRecordedDraw& d : draws) {
    EXPECT_EQ(d.state.srcBlend, DevBlend::SrcAlpha);
    EXPECT_EQ(d.state.dstBlend, DevBlend::One);
    EXPECT_EQ(d.state.depthWrite, 0);
  }
  // The glow is 15 wide on each side, in its own colour.
  const DevVertex& glow = devRecording().vertices[size_t(draws[0].firstVertex)];
  EXPECT_NEAR(std::fabs(glow.y), 15.0f, 1e-3f);
  EXPECT_EQ(glow.color, makeColor(55, 55, 255, 200));
  EXPECT_EQ(devState().depthWrite, 1);
  EXPECT_EQ(devState().srcBlend, DevBlend::SrcAlpha);
  EXPECT_EQ(devState().dstBlend, DevBlend::InvSrcAlpha);
}
