// particles.cpp: the particle effects: the definitions read at start-up, starting
// an effect by name with the effects it names, and the emitters and particles in
// their rings as they move. Drawing is in particle_draw.cpp.
#include <cstring>
#include <string>
#include <vector>

#include "core/numeric.h"
#include "effects/effect_state.h"
#include "effects/effects.h"
#include "effects/effects_local.h"
#include "platform/platform.h"
#include "render/texture.h"
#include "resources/resources.h"

ParticleSystem particleSystem = {};

namespace {

constexpr const char* kEffectsFolder = "effects";
// Lissajous frequency 1 is half a turn per second.
constexpr float kLissajousDegreesPerMs = 0.18f;
// One start or one emitter's frame bears at most a ring's worth of particles: any
// more would only overwrite them.
constexpr int32_t kMaxBirthsPerCall = kMaxParticles;

float dev(float d) { return effectRandomSigned(d); }

float clamp01(float v) { return v > 1.0f ? 1.0f : v > 0.0f ? v : 0.0f; }

float atLeastZero(float v) { return v > 0.0f ? v : 0.0f; }

ColorF deviatedColour(ColorF base, ColorF d) {
  const float r = clamp01(base.r + dev(d.r));
  const float g = clamp01(base.g + dev(d.g));
  const float b = clamp01(base.b + dev(d.b));
  return {r, g, b, clamp01(base.a + dev(d.a))};
}

Vec3 deviated(Vec3 base, Vec3 d) {
  const float x = base.x + dev(d.x);
  const float y = base.y + dev(d.y);
  return {x, y, base.z + dev(d.z)};
}

// Births share a budget: see kMaxBirthsPerCall.
struct BirthBudget {
  int32_t left;
};

void bearParticle(int32_t def, Vec3 at, float scale, int32_t sprite, BirthBudget* budget) {
  if (budget->left <= 0) return;
  --budget->left;
  const EffectDef& d = particleSystem.defs[def];
  Particle& p = particleSystem.particles[particleSystem.nextParticle];
  particleSystem.nextParticle = (particleSystem.nextParticle + 1) % kMaxParticles;
  p.color0 = deviatedColour(d.color0, d.color0Dev);
  p.color1 = deviatedColour(d.color1, d.color1Dev);
  p.lifetime = atLeastZero(d.parTime + dev(d.parTimeDev));
  p.age = 0.0f;
  p.position = deviated(at, d.positionDev);
  p.velocity = scale3(deviated(d.speed, d.speedDev), scale);
  p.rotation = d.rot + dev(d.rotDev);
  p.rotationSpeed = d.dRot + dev(d.dRotDev);
  p.size0 = atLeastZero(d.radius0 + dev(d.radius0Dev)) * scale;
  p.size1 = atLeastZero(d.radius1 + dev(d.radius1Dev)) * scale;
  p.orbitRadius = atLeastZero(d.polarPar[0] + dev(d.polarParDev[0])) * scale;
  p.orbitRadialSpeed = d.polarPar[1] + dev(d.polarParDev[1]);
  p.orbitAngle = d.polarPar[2] + dev(d.polarParDev[2]);
  p.orbitAngularSpeed = d.polarPar[3] + dev(d.polarParDev[3]);
  p.gravity = d.gravity + dev(d.gravityDev);
  p.def = def;
  p.sprite = sprite;
}

// One emission: `simetria` particles at symmetric turns of the offset (0: one).
void emit(int32_t def, Vec3 at, Vec2 offset, float scale, int32_t sprite, BirthBudget* budget) {
  const int32_t copies = particleSystem.defs[def].simetria;
  if (copies == 0) {
    bearParticle(def, {at.x + offset.x, at.y + offset.y, at.z}, scale, sprite, budget);
    return;
  }
  const float turn = 360.0f / float(copies);
  for (int32_t i = 0; i < copies && budget->left > 0; ++i) {
    bearParticle(def, {at.x + offset.x, at.y + offset.y, at.z}, scale, sprite, budget);
    offset = rotate2(offset, turn);
  }
}

Vec2 lissajous(const float x[3], const float y[3], float age) {
  return {x[0] * cosDeg(age * x[1] * kLissajousDegreesPerMs + x[2]),
          y[0] * sinDeg(age * y[1] * kLissajousDegreesPerMs + y[2])};
}

Vec2 orbit(float radius, float angle) { return rotate2({radius, 0.0f}, angle); }

void startEmitter(int32_t def, Vec3 from, Vec3 to, float scale, int32_t sprite) {
  const EffectDef& d = particleSystem.defs[def];
  Emitter& e = particleSystem.emitters[particleSystem.nextEmitter];
  particleSystem.nextEmitter = (particleSystem.nextEmitter + 1) % kMaxEmitters;
  e.def = def;
  e.sprite = sprite;
  e.scale = scale;
  e.age = 0.0f;
  e.position = from;
  e.velocity = scale3(sub3(to, from), 1.0f / d.effectTime);
  e.emitPeriod = d.parFrequency > 0.0f ? 1000.0f / d.parFrequency : 0.0f;
  e.emitTimer = e.emitPeriod;
  e.orbitRadius = atLeastZero(d.polar[0] + dev(d.polarDev[0]));
  e.orbitRadialSpeed = d.polar[1] + dev(d.polarDev[1]);
  e.orbitAngle = d.polar[2] + dev(d.polarDev[2]);
  e.orbitAngularSpeed = d.polar[3] + dev(d.polarDev[3]);
}

// A one-shot effect: an emission for every count 0, 1, ... below parFrequency.
void burst(int32_t def, Vec3 at, float scale, int32_t sprite) {
  const EffectDef& d = particleSystem.defs[def];
  const Vec2 offset = orbit(d.polar[0], d.polar[2]);
  BirthBudget budget = {kMaxBirthsPerCall};
  for (int32_t i = 0; i < kMaxBirthsPerCall && float(i) < d.parFrequency && budget.left > 0;
       ++i) {
    emit(def, at, offset, scale, sprite, &budget);
  }
}

int32_t findEffectDef(const char* name) {
  if (!name) return -1;
  for (int32_t i = 0; i < particleSystem.defCount; ++i) {
    if (std::strcmp(particleSystem.defs[i].name, name) == 0) return i;
  }
  return -1;
}

void startByName(const char* name, Vec3 from, Vec3 to, float scale, int32_t sprite);

// Every attempt counts towards the burst, started or not; the count starts again
// once more than 100 ms of play passed since the attempt before.
void attemptExternal(const char* name, Vec3 from, Vec3 to, float scale, int32_t sprite) {
  ParticleSystem& ps = particleSystem;
  if (ps.playClock - ps.lastExternAttempt > kExternBurstWindowMs) ps.externBurst = 0;
  ps.lastExternAttempt = ps.playClock;
  const bool allowed = ps.externBurst < kExternBurstLimit;
  ++ps.externBurst;
  if (allowed) startByName(name, from, to, scale, sprite);
}

void startDefinition(int32_t def, Vec3 from, Vec3 to, float scale, int32_t sprite) {
  const EffectDef& d = particleSystem.defs[def];
  for (const char* external : d.externEffects) {
    if (external[0] == '\0' || std::strcmp(external, d.name) == 0) continue;
    attemptExternal(external, from, to, scale, sprite);
  }
  const int32_t cell = sprite < 0 ? d.numParticle : sprite;
  if (d.effectTime != 0.0f) {
    startEmitter(def, from, to, scale, cell);
  } else {
    burst(def, from, scale, cell);
  }
}

void startByName(const char* name, Vec3 from, Vec3 to, float scale, int32_t sprite) {
  const int32_t def = findEffectDef(name);
  if (def >= 0) startDefinition(def, from, to, scale, sprite);
}

bool emitterActive(const Emitter& e) {
  return e.def >= 0 && e.def < particleSystem.defCount &&
         e.age < particleSystem.defs[e.def].effectTime;
}

void advanceEmitter(Emitter& e, float dt) {
  const EffectDef& d = particleSystem.defs[e.def];
  const Vec2 offset =
      add2(lissajous(d.lissX, d.lissY, e.age), orbit(e.orbitRadius, e.orbitAngle));
  e.emitTimer -= dt;
  if (e.emitPeriod > 0.0f && e.emitTimer < 0.0f) {
    e.emitTimer += e.emitPeriod;
    const float ratio = dt / e.emitPeriod;
    int32_t emissions = 1;
    if (e.emitPeriod <= dt) {
      emissions = ratio < float(kMaxBirthsPerCall) ? int32_t(ratio) : kMaxBirthsPerCall;
    }
    BirthBudget budget = {kMaxBirthsPerCall};
    for (int32_t i = 0; i < emissions && budget.left > 0; ++i) {
      emit(e.def, e.position, offset, e.scale, e.sprite, &budget);
    }
  }
  addInPlace3(&e.position, scale3(e.velocity, dt));
  e.orbitRadius += e.orbitRadialSpeed * dt / 1000.0f;
  e.orbitAngle += e.orbitAngularSpeed * dt / 1000.0f;
  e.age += dt;
}

void advanceParticle(Particle& p, float dt) {
  const float seconds = dt / 1000.0f;
  addInPlace3(&p.position, scale3(p.velocity, seconds));
  p.velocity.y -= p.gravity * seconds;
  p.rotation += p.rotationSpeed * seconds;
  p.orbitRadius += p.orbitRadialSpeed * seconds;
  p.orbitAngle += p.orbitAngularSpeed * seconds;
  p.age += dt;
}

// Reads one listed file with the file loader (which stops the program, naming the
// file, when it cannot) and keeps its definition.
void loadDefinition(const char* fileName) {
  uint32_t size = 0;
  const uint8_t* bytes = loadFile(fileName, &size, true);
  if (!bytes) return;
  parseEffectDef(fileName, bytes, size, &particleSystem.defs[particleSystem.defCount]);
  ++particleSystem.defCount;
  releaseFile(bytes);
}

void measureSheet() {
  const TextureEntry* sheet = getTexture(kSheetName);
  const int32_t columns = sheet ? int32_t(sheet->width) / kSheetCellTexels : 0;
  const int32_t rows = sheet ? int32_t(sheet->height) / kSheetCellTexels : 0;
  // A sheet narrower than one cell is read as one cell.
  particleSystem.sheetColumns = columns > 0 ? columns : 1;
  particleSystem.sheetRows = rows > 0 ? rows : 1;
}

}  // namespace

void loadEffects() {
  particleSystem.defCount = 0;
  measureSheet();
  const std::string previous = sysCurrentDirectory();
  if (sysChangeDirectory(kEffectsFolder)) {
    for (const std::string& name : sysListDirectory(".", ".par")) {
      if (particleSystem.defCount >= kMaxEffectDefs) break;
      loadDefinition(name.c_str());
    }
    sysChangeDirectory(previous.c_str());
  }
  clearParticles();
}

void clearParticles() {
  for (Emitter& e : particleSystem.emitters) {
    e = {};
    e.def = -1;
  }
  for (Particle& p : particleSystem.particles) p = {};
  particleSystem.nextEmitter = 0;
  particleSystem.nextParticle = 0;
}

void startEffect(const char* name, float x, float y, float targetX, float targetY, float scale,
                 int32_t sprite) {
  logEffectRequest(name);
  const Vec3 from = {x, y, 0.0f};
  const bool noTarget = targetX == kNoEffectTarget && targetY == kNoEffectTarget;
  const Vec3 to = noTarget ? from : Vec3{targetX, targetY, 0.0f};
  startByName(name, from, to, scale, sprite);
}

void updateParticles(float dt) {
  particleSystem.playClock += dt;
  for (Emitter& e : particleSystem.emitters) {
    if (emitterActive(e)) advanceEmitter(e, dt);
  }
  for (Particle& p : particleSystem.particles) {
    if (p.age < p.lifetime) advanceParticle(p, dt);
  }
}

int32_t countActiveEmitters() {
  int32_t count = 0;
  for (const Emitter& e : particleSystem.emitters) count += emitterActive(e) ? 1 : 0;
  return count;
}

int32_t countLiveParticles() {
  int32_t count = 0;
  for (const Particle& p : particleSystem.particles) count += p.age < p.lifetime ? 1 : 0;
  return count;
}

Vec2 particleOffset(const Particle& p) {
  if (p.def < 0 || p.def >= particleSystem.defCount) return {0.0f, 0.0f};
  const EffectDef& d = particleSystem.defs[p.def];
  return add2(orbit(p.orbitRadius, p.orbitAngle), lissajous(d.lissParX, d.lissParY, p.age));
}
