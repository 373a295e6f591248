// The recording-device fixture of the effect tests.
#include "effects_fixture.h"

#include <cmath>

#include "core/numeric.h"
#include "effects/particle_file.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/texture.h"
#include "resources/resources.h"

void EffectsTest::SetUp() {
  resetRender();
  resetEffects();
  seedEffectRandom(1);
  display.screenWidth = 800;
  display.screenHeight = 600;
  sysCreateHeadlessWindow(800, 600);
  ASSERT_TRUE(createDevice(DevBackend::Recording));
  setColorMultiplier(1.0f, 1.0f, 1.0f, 1.0f);
  useOverlayCamera();
  devResetFrame();
}

void EffectsTest::TearDown() {
  releaseAllTextures();
  releaseDevice();
  clearFileTable();
  resetRender();
  resetEffects();
}

void EffectsTest::addEffect(const char* name, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  const std::string file = std::string(name) + ".par";
  ParticleSystem& ps = particleSystem;
  ASSERT_LT(ps.defCount, kMaxEffectDefs);
  parseEffectDef(file.c_str(), reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                 &ps.defs[ps.defCount++]);
}

void EffectsTest::useOverlayCamera() {
  setOrthoProjection(800.0f, 600.0f, 1.0f, 500.0f);
  Matrix4 view = identity();
  translate(&view, 0.0f, 0.0f, 50.0f);
  setViewTransform(&view);
}

std::vector<DevRecordedDraw> EffectsTest::primitiveDraws() {
  std::vector<DevRecordedDraw> out;
  for (const DevRecordedDraw& d : devRecording().draws) {
    if (d.kind == DevRecordKind::Primitives) out.push_back(d);
  }
  return out;
}

std::vector<Vec2> EffectsTest::squareCentres(const DevRecordedDraw& draw) {
  std::vector<Vec2> out;
  const std::vector<DevVertex>& v = devRecording().vertices;
  for (int32_t i = 0; i + 5 < draw.vertexCount; i += 6) {
    // Vertices 0 and 2 are opposite corners.
    const DevVertex& a = v[size_t(draw.firstVertex + i)];
    const DevVertex& c = v[size_t(draw.firstVertex + i + 2)];
    out.push_back({(a.x + c.x) * 0.5f, (a.y + c.y) * 0.5f});
  }
  return out;
}

std::vector<const Particle*> EffectsTest::liveParticles() {
  std::vector<const Particle*> out;
  for (const Particle& p : particleSystem.particles) {
    if (p.age < p.lifetime) out.push_back(&p);
  }
  return out;
}

int EffectsTest::liveSparks() {
  int count = 0;
  for (const Spark& s : boardEffects.sparks) count += s.life > 0.0f ? 1 : 0;
  return count;
}

float distance(Vec2 a, Vec2 b) { return std::hypot(a.x - b.x, a.y - b.y); }
