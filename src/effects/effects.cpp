// The current implementation of the effect requests: the score pop-up ring is
// kept as the drawing will use it; particle effects, board effects and stars are
// only recorded until their systems exist.
#include "effects/effects.h"

#include <cstring>

EffectLog effectLog = {};

void resetEffects() { effectLog = {}; }

void StartEffect(const char* name, float, float, float, float, float, int32_t) {
  char* slot = effectLog.names[effectLog.effectsStarted % kEffectLogSize];
  std::strncpy(slot, name, kMaxEffectName - 1);
  slot[kMaxEffectName - 1] = '\0';
  ++effectLog.effectsStarted;
}

void StartBoardEffect(float, float, float, float, int32_t kind) {
  effectLog.boardEffectKinds[effectLog.boardEffectsStarted % kEffectLogSize] = kind;
  ++effectLog.boardEffectsStarted;
}

void StartBoardEffectAt(float x, float y, int32_t kind) { StartBoardEffect(x, y, x, y, kind); }

void InitBoardEffects() {
  effectLog.effectsStarted = 0;
  effectLog.boardEffectsStarted = 0;
}

void SpawnScorePopup(float x, float y, int32_t points, Color color) {
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

void ClearScorePopups() {
  std::memset(effectLog.popups, 0, sizeof(effectLog.popups));
  effectLog.nextPopup = 0;
}

void SpawnScoreStar(float, float) { ++effectLog.starsSpawned; }

void ClearScoreStars() { effectLog.starsSpawned = 0; }

const char* RecentEffectName(int32_t back) {
  if (back < 0 || back >= kEffectLogSize || back >= effectLog.effectsStarted) return "";
  return effectLog.names[(effectLog.effectsStarted - 1 - back) % kEffectLogSize];
}
