// particle_file.cpp: reads one ".par" definition with the shared key readers.
#include "effects/particle_file.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "resources/resources.h"

bool effectNameOfFile(const char* fileName, char out[kMaxEffectName]) {
  const char* dot = std::strchr(fileName, '.');
  const size_t length = dot ? static_cast<size_t>(dot - fileName) : std::strlen(fileName);
  const size_t kept = length < size_t(kMaxEffectName) ? length : size_t(kMaxEffectName) - 1;
  std::memcpy(out, fileName, kept);
  out[kept] = 0;
  return kept == length;
}

// A colour list: fields the value does not give keep their defaults.
static void readColour(const char* text, const char* key, ColorF* colour) {
  float values[4] = {colour->r, colour->g, colour->b, colour->a};
  readFloatList(text, values, 4, key);
  *colour = ColorF{values[0], values[1], values[2], values[3]};
}

static void readExternEffects(const char* text, EffectDef* out) {
  for (int i = 0; i < kMaxExternEffects; ++i) {
    char key[32];
    std::snprintf(key, sizeof key, "externeffect%i=", i + 1);
    char value[256];
    if (!readString(value, sizeof value, text, key)) continue;
    const size_t length = std::strlen(value);
    const size_t kept = length < size_t(kMaxEffectName) ? length : size_t(kMaxEffectName) - 1;
    std::memcpy(out->externEffects[i], value, kept);
    out->externEffects[i][kept] = 0;
  }
}

namespace {

// "nan", "inf" or a number beyond the float range would poison every particle.
void finite(float* value) {
  if (!std::isfinite(*value)) *value = 0.0f;
}
void finiteList(float* values, int count) {
  for (int i = 0; i < count; ++i) finite(&values[i]);
}
void finiteColour(ColorF* c) {
  finite(&c->r);
  finite(&c->g);
  finite(&c->b);
  finite(&c->a);
}
void finiteVector(Vec3* v) {
  finite(&v->x);
  finite(&v->y);
  finite(&v->z);
}

void keepNumbersFinite(EffectDef* d) {
  for (float* value : {&d->parFrequency, &d->radius0, &d->radius0Dev, &d->radius1,
                       &d->radius1Dev, &d->parTime, &d->parTimeDev, &d->gravity, &d->gravityDev,
                       &d->rot, &d->rotDev, &d->dRot, &d->dRotDev, &d->effectTime}) {
    finite(value);
  }
  for (ColorF* c : {&d->color0, &d->color0Dev, &d->color1, &d->color1Dev}) finiteColour(c);
  for (Vec3* v : {&d->positionDev, &d->speed, &d->speedDev}) finiteVector(v);
  for (float* list : {d->polarPar, d->polarParDev, d->polar, d->polarDev}) finiteList(list, 4);
  for (float* list : {d->lissParX, d->lissParY, d->lissX, d->lissY}) finiteList(list, 3);
}

}  // namespace

void parseEffectDef(const char* fileName, const uint8_t* bytes, size_t size, EffectDef* out) {
  *out = {};
  effectNameOfFile(fileName, out->name);
  const std::string source(reinterpret_cast<const char*>(bytes), size);
  const char* text = source.c_str();
  out->parFrequency = readFloat(text, "parfrequency=");
  out->effectTime = readFloat(text, "effecttime=");
  out->color0 = ColorF{1.0f, 1.0f, 1.0f, 1.0f};
  readColour(text, "color0=", &out->color0);
  readColour(text, "color0dev=", &out->color0Dev);
  readColour(text, "color1=", &out->color1);
  readColour(text, "color1dev=", &out->color1Dev);
  out->radius0 = readFloat(text, "radius0=");
  out->radius0Dev = readFloat(text, "radius0dev=");
  out->radius1 = readFloat(text, "radius1=");
  out->radius1Dev = readFloat(text, "radius1dev=");
  out->parTime = readFloat(text, "partime=");
  out->parTimeDev = readFloat(text, "partimedev=");
  out->positionDev = readVector3(text, "positiondev=");
  out->speed = readVector3(text, "speed=");
  out->speedDev = readVector3(text, "speeddev=");
  out->gravity = readFloat(text, "gravity=");
  out->gravityDev = readFloat(text, "gravitydev=");
  out->blendType = readInt(text, "blendtype=");
  out->numParticle = readInt(text, "numparticle=");
  out->rot = readFloat(text, "rot=");
  out->rotDev = readFloat(text, "rotdev=");
  out->dRot = readFloat(text, "drot=");
  out->dRotDev = readFloat(text, "drotdev=");
  readFloatList(text, out->polarPar, 4, "polarpar=");
  readFloatList(text, out->polarParDev, 4, "polarpardev=");
  readFloatList(text, out->lissParX, 3, "lissparx=");
  readFloatList(text, out->lissParY, 3, "lisspary=");
  out->simetria = readInt(text, "simetria=");
  out->simetriaPar = readInt(text, "simetriapar=");
  readFloatList(text, out->polar, 4, "polar=");
  readFloatList(text, out->polarDev, 4, "polardev=");
  readFloatList(text, out->lissX, 3, "lissx=");
  readFloatList(text, out->lissY, 3, "lissy=");
  readExternEffects(text, out);
  keepNumbersFinite(out);
}
