// art_map_local.h: what the adventure map's painters share: its size, the
// zone count and the small pictures drawn on it (landmarks, the compass and the
// life on the sea).
#pragma once

#include "art_scene.h"
#include "art_scene_local.h"

constexpr int kMapWidth = 800;
constexpr int kMapHeight = 600;
constexpr int kZoneCount = 14;

// A landmark of zone 0..13 standing on `base`, about `size` pixels tall.
void paintLandmark(Canvas* canvas, int zone, Point base, float size, uint32_t seed);
// A compass rose of the given radius.
void paintCompass(Canvas* canvas, Point centre, float radius);
// Wave marks and a little boat on the open sea around the island.
void paintSeaLife(Canvas* canvas);
