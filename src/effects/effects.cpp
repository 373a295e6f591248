// effects.cpp: the log of effect requests, the score pop-up ring, the module's
// reset and the live counts.
#include "effects/effects.h"

#include <cstring>

#include "effects/effect_state.h"
#include "effects/effects_local.h"

EffectLog effectLog = {};

void resetEffects() {
  effectLog = {};
  particleSystem = {};
  clearParticles();
  boardEffects = {};
  scoreStars = {};
  lightning = {};
}

void logEffectRequest(const char* name) {
  char* slot = effectLog.names[effectLog.effectsStarted % kEffectLogSize];
  std::strncpy(slot, name ? name : "", kMaxEffectName - 1);
  slot[kMaxEffectName - 1] = '\0';
  ++effectLog.effectsStarted;
}

void logBoardEffect(int32_t kind) {
  effectLog.boardEffectKinds[effectLog.boardEffectsStarted % kEffectLogSize] = kind;
  ++effectLog.boardEffectsStarted;
}

void clearEffectLogCounts() {
  effectLog.effectsStarted = 0;
  effectLog.boardEffectsStarted = 0;
}

void spawnScorePopup(float x, float y, int32_t points, Color color) {
  ScorePopup& popup = effectLog.popups[effectLog.nextPopup];
  popup.points = points;
  popup.position = {x, y};
  popup.velocity = {0.0f, 0.04f};
  popup.baseSize = 8.0f;
  popup.fade = 1.0f;
  popup.color = color;
  popup.age = 1.0f;
  effectLog.nextPopup = (effectLog.nextPopup + 1) % kMaxScorePopups;
}

void clearScorePopups() {
  std::memset(effectLog.popups, 0, sizeof(effectLog.popups));
  effectLog.nextPopup = 0;
}

const char* recentEffectName(int32_t back) {
  if (back < 0 || back >= kEffectLogSize || back >= effectLog.effectsStarted) return "";
  return effectLog.names[(effectLog.effectsStarted - 1 - back) % kEffectLogSize];
}

EffectCounts countLiveEffects() {
  return {countActiveEmitters(), countLiveParticles(), countLiveSparks(), lightning.count,
          boardEffects.spritesDrawn};
}
