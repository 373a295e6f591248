// scenery_local.h: what the scenery's files share: the lists read at start-up,
// the scenery's random numbers and the sway of each kind of leaves.
#pragma once

#include "scenery/scenery.h"
#include "scenery/scenery_file.h"

// The sixteen lists, read once by loadScenery: process lifetime.
struct SceneryLists {
  SceneryList lists[kBackgroundCount];
};
extern SceneryLists sceneryLists;

// Uniform in [0, x] and in [-x, x], from the scenery's own generator, so that the
// backdrop never shifts the board's random sequence.
float sceneryRandomUnit(float x);
float sceneryRandomSigned(float x);

// A leaf sways by a1 sin(f1 t) + a2 sin(f2 t) degrees, t in ms.
struct LeafSway {
  float a1, f1, a2, f2;
};
bool isLeavesKind(SceneryKind kind);
LeafSway leafSwayOf(SceneryKind kind);
// Leaves objects met in one pass sway this many ms apart.
constexpr float kLeafPhaseStep = 400.0f;

// The next background's alpha factor g: 0 until the second half, then rising to 1.
float crossfadeAlphaOf(float fadeTimer);
