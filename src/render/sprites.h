// sprites.h: the camera-facing squares and the cells of the particle sheet drawn
// as sprites, and the view frustum the squares are culled by.
#pragma once

#include <cstdint>

#include "core/math.h"

struct TextureEntry;

// The frustum of the device's current view and projection.
Frustum ExtractFrustum();

// A square of side 2 * size facing the camera at (x, y, 0), turned by angle degrees,
// blended by source alpha; skipped outside the view frustum.
void DrawBillboard(const TextureEntry* texture, float x, float y, float angle, float size,
                   Color color);
// The particle sheet "particles.tga", an 8 x 8 grid of sprite cells.
constexpr int kSheetGrid = 8;
// One cell of the bound sheet as a square of side size centred on (x, y), turned by
// rotation degrees. Nothing is drawn for a black colour or a zero size.
void DrawSheetSprite(float x, float y, float rotation, float size, Color color, int32_t cell);
// DrawSheetSprite with its own state: alpha test off, blending on (0 additive by
// colour, 1 by alpha, other values keep the current blending), depth writes off, the
// sheet bound; alpha test on again afterwards.
void DrawSparkSprite(float x, float y, float rotation, float size, Color color, int32_t blend,
                     int32_t cell);
