// The landscape behind the board: which background a level shows, the order one
// frame is drawn in, the crossfade and its wobble, the tint, the scrolling sky and
// water, the spray's puffs and the swaying leaves.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/scene.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/texture.h"
#include "resources/resources.h"
#include "scenery/scenery.h"
#include "scenery_data.h"
#include "scenery_fixture.h"

namespace {

int32_t livePuffs() {
  int32_t live = 0;
  for (const SprayPuff& puff : scenery.puffs) live += puff.life > 0.0f ? 1 : 0;
  return live;
}

// The sprite's turn in degrees: its top edge runs from the top-left corner (third
// vertex of the strip) to the top-right one (first).
float spriteAngle(const std::vector<DevVertex>& v) {
  return std::atan2(v[0].y - v[2].y, v[0].x - v[2].x) * kRadToDeg;
}

Vec2 midpoint(const DevVertex& a, const DevVertex& b) {
  return {(a.x + b.x) * 0.5f, (a.y + b.y) * 0.5f};
}

}  // namespace

TEST_F(SceneryTest, EveryFiveLevelsShareABackground) {
  EXPECT_EQ(backgroundIndexForLevel(-1), 0);
  EXPECT_EQ(backgroundIndexForLevel(0), 1);
  EXPECT_EQ(backgroundIndexForLevel(4), 1);
  EXPECT_EQ(backgroundIndexForLevel(5), 2);
  EXPECT_EQ(backgroundIndexForLevel(70), 15);  // after the last zone
  EXPECT_EQ(backgroundIndexForLevel(5000), 15) << "no background beyond the sixteenth";

  setBackgroundForLevel(4);
  EXPECT_EQ(scenery.background, 1);
  ASSERT_NE(findTexture("_a_back1.jpg"), nullptr);
  EXPECT_EQ(scenery.current.count, kListOneCount);
  setBackgroundForLevel(5);
  EXPECT_EQ(scenery.background, 2);
  EXPECT_EQ(findTexture("_a_back1.jpg"), nullptr) << "the old picture is freed";
  EXPECT_NE(findTexture("_a_back2.jpg"), nullptr);
  EXPECT_EQ(scenery.current.count, 2);
}

TEST_F(SceneryTest, OneFrameDrawsBehindThePictureThenBeforeIt) {
  setBackgroundForLevel(0);
  for (int i = 0; i < 30; ++i) updateScenery(16.0f, 1000.0f);  // some puffs
  drawFrame();
  const std::vector<DevRecordedDraw> draws = primitiveDraws();
  // The textures in drawing order, one entry per run of equal ones.
  std::vector<DevTexture*> runs;
  for (const DevRecordedDraw& d : draws) {
    ASSERT_NE(d.state.texture, nullptr) << "a name the catalogue lacks draws nothing";
    if (runs.empty() || runs.back() != d.state.texture) runs.push_back(d.state.texture);
  }
  const std::vector<DevTexture*> expected = {
      textureOf("sky.tga"),     textureOf("fall.tga"),  textureOf("rockb.tga"),
      textureOf("pool.tga"),    textureOf("_a_back1.jpg"), textureOf("rockf.tga"),
      textureOf("puff.tga"),    textureOf("leafa.tga"), textureOf("leafb.tga")};
  ASSERT_EQ(runs, expected);
  for (const DevRecordedDraw& d : draws) {
    EXPECT_FALSE(d.state.depthTest);
    EXPECT_FALSE(d.state.depthWrite);
    EXPECT_FALSE(d.state.alphaTest);
    const DevTexture* t = d.state.texture;
    if (t == textureOf("sky.tga") || t == textureOf("fall.tga") || t == textureOf("rockb.tga") ||
        t == textureOf("pool.tga")) {
      EXPECT_FALSE(d.state.alphaBlend) << "the first pass is opaque";
    } else if (t == textureOf("puff.tga")) {
      EXPECT_EQ(d.state.srcBlend, DevBlend::SrcColor);
      EXPECT_EQ(d.state.dstBlend, DevBlend::One);
    } else if (t != textureOf("_a_back1.jpg")) {  // the picture's opaque rows are not blended
      EXPECT_TRUE(d.state.alphaBlend);
      EXPECT_EQ(d.state.srcBlend, DevBlend::SrcAlpha);
    }
    EXPECT_EQ(d.state.linearFilter, t != textureOf("_a_back1.jpg"))
        << "the picture is point-sampled while no crossfade runs";
  }
  // The caller's states and view come back.
  EXPECT_TRUE(devState().alphaTest);
  EXPECT_EQ(multiplyColor(kWhite), kWhite);
}

TEST_F(SceneryTest, DrawingMovesNothing) {
  setBackgroundForLevel(0);
  updateScenery(500.0f, 2000.0f);
  auto before = std::make_unique<SceneryState>();
  std::memcpy(before.get(), &scenery, sizeof scenery);
  drawFrame();
  const std::vector<DevVertex> first = devRecording().vertices;
  drawFrame();
  EXPECT_EQ(std::memcmp(before.get(), &scenery, sizeof scenery), 0);
  ASSERT_EQ(devRecording().vertices.size(), first.size());
  EXPECT_EQ(std::memcmp(first.data(), devRecording().vertices.data(),
                        first.size() * sizeof(DevVertex)),
            0);
}

TEST_F(SceneryTest, ASprayOf100By30PuffsEvery100Ms) {
  setBackgroundForLevel(0);
  scenery.current.objects[kSpray].phase = 0.0f;
  for (int i = 0; i < 100; ++i) updateScenery(10.0f, 0.0f);
  EXPECT_EQ(livePuffs(), 10);
  for (const SprayPuff& puff : scenery.puffs) {
    if (puff.life <= 0.0f) continue;
    EXPECT_TRUE(rectContains({180, -100, 280, -130}, puff.position));
  }
  // Frames of 16 ms give the same rate.
  setBackgroundForLevel(0);
  scenery.current.objects[kSpray].phase = 0.0f;
  for (int i = 0; i < 63; ++i) updateScenery(16.0f, 0.0f);
  EXPECT_EQ(livePuffs(), 10);
  // A puff lives two seconds; none is born while a crossfade runs.
  queueNextBackground(0);
  startBackgroundCrossfade();
  updateScenery(2000.0f, 0.0f);
  EXPECT_EQ(livePuffs(), 0);
}

TEST_F(SceneryTest, LeavesHangFromTheirBranchAndSway400MsApart) {
  setBackgroundForLevel(0);
  scenery.current.objects[kLeavesA].phase = 1000.0f;
  scenery.current.objects[kLeavesB].phase = 1000.0f;
  drawFrame();
  std::vector<DevVertex> a, b;
  for (const DevRecordedDraw& d : primitiveDraws()) {
    if (d.state.texture == textureOf("leafa.tga")) a = verticesOf(d);
    if (d.state.texture == textureOf("leafb.tga")) b = verticesOf(d);
  }
  ASSERT_EQ(a.size(), 4u);
  ASSERT_EQ(b.size(), 4u);
  auto sway = [](float t) { return 0.5f * std::sin(0.003f * t) + 0.2f * std::sin(0.0043f * t); };
  EXPECT_NEAR(spriteAngle(a), sway(1000.0f), 1e-3f);
  EXPECT_NEAR(spriteAngle(b), sway(1400.0f), 1e-3f);
  // The left edge holds the branch, the right one when mirrored.
  const Vec2 heldA = midpoint(a[2], a[3]);
  EXPECT_NEAR(heldA.x, -400.0f, 1e-3f);
  EXPECT_NEAR(heldA.y, 240.0f, 1e-3f);
  const Vec2 heldB = midpoint(b[0], b[1]);
  EXPECT_NEAR(heldB.x, 400.0f, 1e-3f);
  EXPECT_NEAR(heldB.y, 240.0f, 1e-3f);
  EXPECT_EQ(a[0].color, kWhite);
  EXPECT_EQ(b[0].color, makeColor(205, 205, 205, 255)) << "shade 50 darkens by 50";
  EXPECT_GT(b[2].u, b[0].u) << "mirrored: the texture runs right to left";
}

TEST_F(SceneryTest, SkyAndWaterScrollWithThePlayClock) {
  setBackgroundForLevel(0);
  updateScenery(0.0f, 12345.0f);
  drawFrame();
  std::vector<DevVertex> sky, fall, pool;
  for (const DevRecordedDraw& d : primitiveDraws()) {
    if (d.state.texture == textureOf("sky.tga")) sky = verticesOf(d);
    if (d.state.texture == textureOf("fall.tga")) fall = verticesOf(d);
    if (d.state.texture == textureOf("pool.tga")) pool = verticesOf(d);
  }
  ASSERT_EQ(sky.size(), 4u);
  ASSERT_EQ(fall.size(), 4u);
  ASSERT_EQ(pool.size(), 4u);
  // The sky drifts left; its width is the rectangle's shape over the texture's.
  EXPECT_NEAR(sky[2].u, 1.0f - 0.0370350f, 1e-5f);
  EXPECT_NEAR(sky[0].u - sky[2].u, 800.0f / -200.0f, 1e-4f);
  // One texel per unit; the waterfall falls at its speed, the water at a fifth.
  EXPECT_NEAR(fall[2].v, 1.0f - 0.938f, 1e-4f);
  EXPECT_NEAR(fall[0].u - fall[2].u, 60.0f / 16.0f, 1e-4f);
  EXPECT_NEAR(fall[3].v - fall[2].v, -200.0f / 16.0f, 1e-4f);
  EXPECT_NEAR(pool[2].u, 1.0f - 0.2345f, 1e-4f);
  // Days of play keep the offsets small.
  updateScenery(0.0f, 9.0e8f);
  drawFrame();
  for (const DevVertex& v : verticesOf(primitiveDraws()[0])) {
    EXPECT_LE(std::fabs(v.u), 4.0f);
  }
}

TEST_F(SceneryTest, CrossfadeWobblesFirstThenFadesTheNextBackgroundIn) {
  setBackgroundForLevel(4);
  queueNextBackground(5);
  EXPECT_TRUE(backgroundChangePending());
  EXPECT_EQ(scenery.background, 1) << "nothing changes before the frame ends";
  handleTypedLetter(&gameScene);  // the scene's after-frame step starts it
  EXPECT_FALSE(backgroundChangePending());
  EXPECT_FLOAT_EQ(scenery.fadeTimer, 6000.0f);

  Matrix4 plain;
  getViewTransform(&plain);
  updateScenery(1500.0f, 0.0f);  // p = 0.25
  drawFrame();
  for (const DevRecordedDraw& d : primitiveDraws()) {
    EXPECT_NE(d.state.texture, textureOf("_a_back2.jpg")) << "only the wobble in the first half";
    EXPECT_FLOAT_EQ(d.view.m[0], 1.0f + 0.99f * 0.0625f);
    if (d.state.texture == textureOf("_a_back1.jpg")) {
      EXPECT_TRUE(d.state.linearFilter) << "the picture is filtered while it moves";
    }
  }

  updateScenery(3000.0f, 0.0f);  // 1500 ms of the second half left: g = 0.5
  drawFrame();
  const std::vector<DevRecordedDraw> draws = primitiveDraws();
  size_t lastCurrent = 0, firstNext = draws.size();
  for (size_t i = 0; i < draws.size(); ++i) {
    if (draws[i].state.texture == textureOf("_a_back1.jpg")) lastCurrent = i;
    if (draws[i].state.texture == textureOf("_a_back2.jpg") && firstNext == draws.size()) {
      firstNext = i;
    }
  }
  ASSERT_LT(lastCurrent, firstNext);
  ASSERT_LT(firstNext, draws.size());
  EXPECT_EQ(std::memcmp(&draws[firstNext].view, &plain, sizeof plain), 0);
  EXPECT_EQ(colorAlpha(verticesOf(draws[firstNext])[0].color), 31u) << "255 x 0.5 cubed";

  updateScenery(1500.0f, 0.0f);
  EXPECT_EQ(scenery.background, 2);
  EXPECT_FLOAT_EQ(crossfadeProgress(), 0.0f);
  EXPECT_EQ(findTexture("_a_back1.jpg"), nullptr);
  drawFrame();
  for (const DevRecordedDraw& d : primitiveDraws()) {
    EXPECT_EQ(std::memcmp(&d.view, &plain, sizeof plain), 0);
  }
}

TEST_F(SceneryTest, TintDriftsToItsTargetAndColoursTheScene) {
  setBackgroundForLevel(0);
  setTintTarget(0);
  updateScenery(100.0f, 0.0f);
  EXPECT_NEAR(scenery.tint.r, 1.0f - 0.15f * 0.33f, 1e-5f);
  EXPECT_FLOAT_EQ(scenery.tint.b, 1.0f);
  updateScenery(5000.0f, 0.0f);  // a long frame arrives without overshooting
  EXPECT_FLOAT_EQ(scenery.tint.r, 0.67f);
  setTintNow(1);
  setTintTarget(7);  // no such preset
  EXPECT_FLOAT_EQ(scenery.tintTarget.g, 0.67f);
  drawFrame();
  EXPECT_EQ(verticesOf(primitiveDraws()[0])[0].color, makeColor(255, 170, 170, 255));
  EXPECT_EQ(multiplyColor(kWhite), kWhite) << "the tint ends with the scenery";
}

TEST_F(SceneryTest, EnteringTheMapShowsTheTitleLandscapeInDaylight) {
  setBackgroundForLevel(5);
  setTintNow(0);
  mapScene.onEnter();
  mapScene.onLeave();
  EXPECT_EQ(scenery.background, 0);
  EXPECT_NE(scenery.picture, nullptr);
  EXPECT_FLOAT_EQ(scenery.tint.g, 1.0f);
}

TEST_F(SceneryTest, BeforeStartUpABackgroundIsOnlyRemembered) {
  resetScenery();
  setBackgroundForLevel(7);
  EXPECT_EQ(scenery.background, 2);
  EXPECT_EQ(scenery.picture, nullptr);
  drawFrame();
  EXPECT_TRUE(primitiveDraws().empty());
}

TEST_F(SceneryTest, AMissingListStopsTheStartUp) {
  const std::string dir = testTempDirectory("scenery-missing");
  writeSceneryData(dir, {}, {});
  std::remove((dir + "/animbacks/level7.lev").c_str());
  clearFileTable();
  ASSERT_TRUE(sysChangeDirectory(dir.c_str()));
  EXPECT_EXIT(
      {
        sysSetMessageBoxHandler(nullptr);
        loadScenery();
      },
      ::testing::ExitedWithCode(1), "Can't load level7.lev");
}
