// Particle effects: bursts and emitters, where particles are at chosen times, the
// symmetric copies, the rings wrapping, the external effects' burst limit, and what
// a bad definition or an unknown name does.
#include <cmath>

#include "core/numeric.h"
#include "effects_fixture.h"

namespace {

constexpr float kNear = 0.01f;

// A long-lived still particle: only the motion under test moves it. (The first
// "parfrequency=" of a file counts, so each test gives its own.)
const std::vector<std::string> kStill = {"partime=100000", "radius0=10", "radius1=10"};
const std::vector<std::string> kOneStill = {"parfrequency=1", "partime=100000", "radius0=10",
                                            "radius1=10"};

std::vector<std::string> with(std::vector<std::string> lines, const std::string& more) {
  lines.push_back(more);
  return lines;
}

void start(const char* name, float x = 0.0f, float y = 0.0f) {
  startEffect(name, x, y, kNoEffectTarget, kNoEffectTarget, 1.0f, -1);
}

Vec2 at(const Particle* p) { return {p->position.x, p->position.y}; }

}  // namespace

TEST_F(EffectsTest, BurstBearsOneParticleForEveryCountBelowItsFrequency) {
  addEffect("five", {"parfrequency=5", "effecttime=0"});
  addEffect("half", with(kStill, "parfrequency=2.5"));
  start("five");
  // Five were born, but with no lifetime none of them is alive.
  EXPECT_EQ(particleSystem.nextParticle, 5);
  EXPECT_TRUE(liveParticles().empty());
  start("half", 30.0f, 40.0f);
  ASSERT_EQ(liveParticles().size(), 3u);  // counts 0, 1 and 2
  for (const Particle* p : liveParticles()) EXPECT_EQ(distance(at(p), {30.0f, 40.0f}), 0.0f);
}

TEST_F(EffectsTest, EmitterEmitsByItsPeriodAndReachesItsTargetAsItExpires) {
  addEffect("stream", with(with(kStill, "parfrequency=100"), "effecttime=990"));
  startEffect("stream", 0.0f, 0.0f, 99.0f, 0.0f, 1.0f, -1);
  EXPECT_EQ(countLiveEffects().emitters, 1);
  updateParticles(33.0f);  // a period of 10 ms: three in a 33 ms frame
  EXPECT_EQ(liveParticles().size(), 3u);
  for (int i = 0; i < 29; ++i) updateParticles(33.0f);
  const Emitter& e = particleSystem.emitters[0];
  EXPECT_NEAR(e.position.x, 99.0f, kNear);
  EXPECT_EQ(countLiveEffects().emitters, 0);
  const size_t born = liveParticles().size();
  updateParticles(33.0f);
  EXPECT_EQ(liveParticles().size(), born);  // an expired emitter emits no more

  // Without a target it stays where it started.
  startEffect("stream", 5.0f, 6.0f, kNoEffectTarget, kNoEffectTarget, 1.0f, -1);
  updateParticles(500.0f);
  EXPECT_EQ(particleSystem.emitters[1].position.x, 5.0f);
  EXPECT_EQ(particleSystem.emitters[1].position.y, 6.0f);
}

TEST_F(EffectsTest, ParticlesMoveFallAndOrbitAsTimePasses) {
  addEffect("thrown", with(with(kOneStill, "speed=(100,50,0)"), "gravity=20"));
  start("thrown");
  updateParticles(1000.0f);
  updateParticles(1000.0f);
  const Particle* p = liveParticles().at(0);
  // x runs at 100 per second; y rose 50 then 30 after gravity took 20.
  EXPECT_NEAR(p->position.x, 200.0f, kNear);
  EXPECT_NEAR(p->position.y, 80.0f, kNear);
  EXPECT_NEAR(p->velocity.y, 10.0f, kNear);

  // An orbit of radius 10 from 90 degrees at 90 degrees per second, growing 2 per
  // second: after one second (-12, 0) by its angle of 180 degrees.
  resetEffects();
  addEffect("orbit", with(kOneStill, "polarpar=(10,2,90,90)"));
  start("orbit");
  updateParticles(1000.0f);
  drawParticles();
  const std::vector<DevRecordedDraw> draws = primitiveDraws();
  ASSERT_EQ(draws.size(), 1u);
  const Vec2 centre = squareCentres(draws[0]).at(0);
  EXPECT_NEAR(centre.x, -12.0f, kNear);
  EXPECT_NEAR(centre.y, 0.0f, kNear);
}

TEST_F(EffectsTest, LissajousFigureAtChosenTimes) {
  // Frequency 1 turns half a turn per second: (10 cos, 20 sin) of 0, 90, 180 degrees.
  addEffect("figure", with(with(kOneStill, "lissparx=(10,1,0)"), "lisspary=(20,1,0)"));
  start("figure");
  const Vec2 expected[3] = {{10.0f, 0.0f}, {0.0f, 20.0f}, {-10.0f, 0.0f}};
  for (const Vec2& want : expected) {
    devResetFrame();
    drawParticles();
    const Vec2 centre = squareCentres(primitiveDraws().at(0)).at(0);
    EXPECT_NEAR(centre.x, want.x, kNear);
    EXPECT_NEAR(centre.y, want.y, kNear);
    updateParticles(500.0f);
  }
  // An emitter's own figure places its emissions: amplitude 30 at age 0.
  addEffect("swing", with(with(with(kStill, "parfrequency=10"), "effecttime=1000"),
                          "lissx=(30,1,0)"));
  start("swing", 100.0f, 0.0f);
  updateParticles(150.0f);
  const Particle& newest = particleSystem.particles[particleSystem.nextParticle - 1];
  EXPECT_NEAR(newest.position.x, 130.0f, kNear);
}

TEST_F(EffectsTest, SymmetryBearsTurnedCopiesAndDrawsTurnedSquares) {
  addEffect("star4", with(with(kStill, "parfrequency=1"), "simetria=4\r\npolar=(10,0,0,0)"));
  start("star4");
  std::vector<const Particle*> live = liveParticles();
  ASSERT_EQ(live.size(), 4u);
  const Vec2 turns[4] = {{10, 0}, {0, 10}, {-10, 0}, {0, -10}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(live[size_t(i)]->position.x, turns[i].x, kNear);
    EXPECT_NEAR(live[size_t(i)]->position.y, turns[i].y, kNear);
  }
  // 0 and 1 both give one particle, a negative count none.
  for (const char* count : {"simetria=0", "simetria=1", "simetria=-2"}) {
    resetEffects();
    addEffect("s", with(with(kStill, "parfrequency=1"), count));
    start("s");
    EXPECT_EQ(liveParticles().size(), std::string(count) == "simetria=-2" ? 0u : 1u) << count;
  }
  // Three drawn copies at 120 degrees around the particle.
  resetEffects();
  addEffect("tri", with(with(kStill, "parfrequency=1"), "simetriapar=3\r\npolarpar=(10,0,0,0)"));
  start("tri");
  drawParticles();
  const std::vector<Vec2> centres = squareCentres(primitiveDraws().at(0));
  ASSERT_EQ(centres.size(), 3u);
  EXPECT_NEAR(centres[1].x, 10.0f * std::cos(2.0943951f), kNear);
  EXPECT_NEAR(centres[1].y, 10.0f * std::sin(2.0943951f), kNear);
}

TEST_F(EffectsTest, RingsOverwriteTheirOldestSlot) {
  addEffect("long", with(with(kStill, "parfrequency=0"), "effecttime=100000"));
  for (int i = 0; i < kMaxEmitters; ++i) start("long", float(i), 0.0f);
  EXPECT_EQ(particleSystem.nextEmitter, 0);
  start("long", 999.0f, 0.0f);  // the 257th takes slot 0
  EXPECT_EQ(particleSystem.emitters[0].position.x, 999.0f);
  EXPECT_EQ(particleSystem.emitters[1].position.x, 1.0f);
  EXPECT_EQ(countLiveEffects().emitters, kMaxEmitters);

  addEffect("one", with(kStill, "parfrequency=1"));
  for (int i = 0; i < kMaxParticles; ++i) start("one", float(i), 0.0f);
  start("one", -5.0f, 0.0f);  // the 1025th, though the first is still alive
  EXPECT_EQ(particleSystem.particles[0].position.x, -5.0f);
  EXPECT_EQ(int(liveParticles().size()), kMaxParticles);
}

TEST_F(EffectsTest, ColoursAreClampedAtBirthAndSizesSpeedsAndOrbitsScale) {
  addEffect("wild", with(kOneStill, "color0=(2,-1,0.5,1)\r\nspeed=(10,0,0)\r\npolarpar=(4,1,0,0)"));
  startEffect("wild", 0.0f, 0.0f, kNoEffectTarget, kNoEffectTarget, 3.0f, 7);
  const Particle* p = liveParticles().at(0);
  EXPECT_EQ(p->color0.r, 1.0f);
  EXPECT_EQ(p->color0.g, 0.0f);
  EXPECT_EQ(p->color0.b, 0.5f);
  EXPECT_EQ(p->size0, 30.0f);
  EXPECT_EQ(p->velocity.x, 30.0f);
  EXPECT_EQ(p->orbitRadius, 12.0f);
  EXPECT_EQ(p->orbitRadialSpeed, 1.0f);  // only the radius scales
  EXPECT_EQ(p->sprite, 7);
}

TEST_F(EffectsTest, ExternalEffectsStartTogetherUpToEightPerHundredMilliseconds) {
  addEffect("child", with(kStill, "parfrequency=1"));
  addEffect("parent", {"parfrequency=0", "externeffect1=child", "externeffect2=parent"});
  // Ten starts at once: only eight attempts get through; the self-reference is
  // never an attempt.
  for (int i = 0; i < 10; ++i) start("parent");
  EXPECT_EQ(liveParticles().size(), 8u);
  // Attempts 50 ms apart keep the window shut however long they go on.
  for (int i = 0; i < 4; ++i) {
    updateParticles(50.0f);
    start("parent");
  }
  EXPECT_EQ(liveParticles().size(), 8u);
  // A pause of more than 100 ms opens it again.
  updateParticles(101.0f);
  start("parent");
  EXPECT_EQ(liveParticles().size(), 9u);
}

TEST_F(EffectsTest, CyclesAmongExternalEffectsEndAtTheBurstLimit) {
  addEffect("ping", with(with(kStill, "parfrequency=1"), "externeffect1=pong"));
  addEffect("pong", with(with(kStill, "parfrequency=1"), "externeffect1=ping"));
  start("ping");
  // ping, then eight attempts along the cycle, each bearing one particle.
  EXPECT_EQ(liveParticles().size(), 9u);
}

TEST_F(EffectsTest, UnknownNamesStartNothingAndDrawNoRandomNumber) {
  addEffect("known", with(kStill, "parfrequency=3\r\npositiondev=(5,5,0)"));
  seedEffectRandom(99);
  start("no such effect");
  start(nullptr);
  start("know");  // names match whole
  const int32_t next = effectRandomRaw();
  seedEffectRandom(99);
  EXPECT_EQ(effectRandomRaw(), next);
  EXPECT_TRUE(liveParticles().empty());
  EXPECT_EQ(countLiveEffects().emitters, 0);
}

TEST_F(EffectsTest, OutlandishCountsAreBoundedByTheRings) {
  // A billion particles at once, or symmetric copies beyond any ring, or a period
  // of a billionth of a millisecond: each call still ends at once with a full ring.
  addEffect("flood", with(kStill, "parfrequency=1000000000"));
  addEffect("wide", with(kStill, "parfrequency=1\r\nsimetria=100000000"));
  addEffect("none", with(kStill, "parfrequency=1000000000\r\nsimetria=-1"));
  addEffect("gush", with(kStill, "parfrequency=1e12\r\neffecttime=1000"));
  for (const char* name : {"flood", "wide", "none", "gush"}) start(name);
  updateParticles(16.0f);
  EXPECT_EQ(int(liveParticles().size()), kMaxParticles);
  // Copies beyond the draw queue are dropped.
  resetEffects();
  addEffect("mirror", with(kStill, "parfrequency=1000\r\nsimetriapar=1000000"));
  start("mirror");
  drawParticles();
  int squares = 0;
  for (const DevRecordedDraw& d : primitiveDraws()) squares += d.primitiveCount / 2;
  EXPECT_EQ(squares, kMaxParticleQueue);
}

TEST_F(EffectsTest, NumbersThatAreNotFiniteReadAsZero) {
  addEffect("odd", {"parfrequency=nan", "partime=inf", "radius0=1e39", "speed=(nan,2,-inf)",
                    "color0=(inf,0.5,nan,1)"});
  const EffectDef& d = particleSystem.defs[0];
  EXPECT_EQ(d.parFrequency, 0.0f);
  EXPECT_EQ(d.parTime, 0.0f);
  EXPECT_EQ(d.radius0, 0.0f);
  EXPECT_EQ(d.speed.x, 0.0f);
  EXPECT_EQ(d.speed.y, 2.0f);
  EXPECT_EQ(d.speed.z, 0.0f);
  EXPECT_EQ(d.color0.r, 0.0f);
  EXPECT_EQ(d.color0.g, 0.5f);
}
