// Drawing the particles: camera-facing squares cut from the sheet, the render
// state around them, and the batches: few draw calls, with the order kept wherever
// squares of different blending overlap.
#include "effects_fixture.h"
#include "render/render.h"

namespace {

const std::vector<std::string> kAdded = {"parfrequency=1", "partime=100000", "radius0=20",
                                         "radius1=20", "blendtype=0", "numparticle=9"};
const std::vector<std::string> kBlended = {"parfrequency=1", "partime=100000", "radius0=20",
                                           "radius1=20", "blendtype=1", "numparticle=9"};

void startAt(const char* name, float x, float y) {
  startEffect(name, x, y, kNoEffectTarget, kNoEffectTarget, 1.0f, -1);
}

std::vector<DevBlend> sourceBlends() {
  std::vector<DevBlend> out;
  for (const DevRecordedDraw& d : EffectsTest::primitiveDraws()) out.push_back(d.state.srcBlend);
  return out;
}

}  // namespace

TEST_F(EffectsTest, ParticlesFaceTheCameraWithTheirCellAndFadingColour) {
  addEffect("fade", {"parfrequency=1", "partime=1000", "radius0=20", "radius1=40",
                     "color0=(1,1,1,1)", "color1=(0,0,0,0)", "numparticle=9"});
  particleSystem.sheetColumns = 8;
  particleSystem.sheetRows = 8;
  startAt("fade", 100.0f, 50.0f);
  updateParticles(500.0f);
  drawParticles();
  const DevRecordedDraw draw = primitiveDraws().at(0);
  EXPECT_EQ(draw.state.depthTest, 1);
  EXPECT_EQ(draw.state.depthWrite, 0);
  EXPECT_EQ(draw.state.alphaTest, 0);
  const DevVertex& topRight = devRecording().vertices[size_t(draw.firstVertex)];
  // Halfway: side 30, colour half of white (127 of 255).
  EXPECT_NEAR(topRight.x, 115.0f, 1e-3f);
  EXPECT_NEAR(topRight.y, 65.0f, 1e-3f);
  EXPECT_EQ(topRight.color, makeColor(127, 127, 127, 127));
  // Cell 9: column 1, row 1, its top-left on the square's top-right.
  EXPECT_NEAR(topRight.u, 0.126f, 1e-5f);
  EXPECT_NEAR(topRight.v, 0.126f, 1e-5f);
  EXPECT_EQ(devState().depthTest, 0);
  EXPECT_EQ(devState().depthWrite, 1);
  EXPECT_EQ(devState().alphaTest, 1);
  EXPECT_EQ(devState().srcBlend, DevBlend::SrcAlpha);
  // Drawing moves nothing.
  EXPECT_EQ(particleSystem.particles[0].age, 500.0f);
}

TEST_F(EffectsTest, OverlappingSquaresKeepTheirOrderAcrossBlendings) {
  addEffect("add", kAdded);
  addEffect("blend", kBlended);
  // Added, blended over it, added over that: three draws in that order.
  startAt("add", 0.0f, 0.0f);
  startAt("blend", 5.0f, 0.0f);
  startAt("add", 10.0f, 0.0f);
  drawParticles();
  EXPECT_EQ(sourceBlends(),
            (std::vector<DevBlend>{DevBlend::SrcColor, DevBlend::SrcAlpha, DevBlend::SrcColor}));
}

TEST_F(EffectsTest, SquaresApartShareBatchesWhateverTheirOrder) {
  addEffect("add", kAdded);
  addEffect("blend", kBlended);
  // Alternating blendings on separate spots: one draw per blending.
  for (int i = 0; i < 8; ++i) startAt(i % 2 ? "blend" : "add", -375.0f + 100.0f * float(i), 0.0f);
  // Added squares on one spot add up the same in any order.
  for (int i = 0; i < 12; ++i) startAt("add", 0.0f, 200.0f);
  drawParticles();
  EXPECT_EQ(sourceBlends(), (std::vector<DevBlend>{DevBlend::SrcColor, DevBlend::SrcAlpha}));
  int squares = 0;
  for (const DevRecordedDraw& d : primitiveDraws()) squares += d.primitiveCount / 2;
  EXPECT_EQ(squares, 20);
}

TEST_F(EffectsTest, AViewNotAlongZKeepsEveryOrder) {
  addEffect("add", kAdded);
  addEffect("blend", kBlended);
  startAt("add", -300.0f, 0.0f);
  startAt("blend", 300.0f, 0.0f);
  startAt("add", -300.0f, 0.0f);
  setPerspectiveProjection(0.7853982f, 1.3333334f, 5.0f, 400.0f);
  drawParticles();
  EXPECT_EQ(primitiveDraws().size(), 3u);
}
