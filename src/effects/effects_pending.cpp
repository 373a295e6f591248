// Stand-ins for the effect systems still to be built: each call is accepted and
// does nothing, so the game links and plays while they are written.
#include "effects/effects.h"

void LoadEffects() {}
void ClearParticles() {}
void UpdateParticles(float) {}
void DrawParticles() {}
void SpawnSpark(float, float, int32_t) {}
void SparkRing(float, float, float, float, int32_t, int32_t) {}
void SparkLine(float, float, float, float, float, int32_t) {}
void QueueSprite(float, float, float, float, Color, int32_t, int32_t) {}
void UpdateBoardEffects(float) {}
void DrawBoardEffects() {}
int32_t UpdateScoreStars(float, Vec2, float) { return 0; }
void DrawScoreStars() {}
void ClearLightningBolts() {}
void AddLightningBolt(Vec3, Vec3, float, float, float, float, Color, Color) {}
void DrawLightningBolts() {}
