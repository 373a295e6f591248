// Stand-ins for the scenery drawing still to be built: each call is accepted and
// does nothing, so the game links and plays while it is written.
#include "scenery/scenery.h"

void LoadScenery() {}
void SetBackgroundForLevel(int32_t) {}
void QueueNextBackground(int32_t) {}
bool backgroundChangePending() { return false; }
void StartBackgroundCrossfade() {}
void SetTintTarget(int32_t) {}
void SetTintNow(int32_t) {}
void UpdateScenery(float, float) {}
void DrawSceneryWithTransition() {}
void DrawScenery() {}
