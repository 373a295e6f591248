// Stand-ins for the score pop-ups' ageing and drawing, which the game scene's
// drawing fills: each call is accepted and does nothing until then.
#include "effects/effects.h"

void UpdateScorePopups(float) {}
void DrawScorePopups() {}
