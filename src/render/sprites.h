// sprites.h: the camera-facing squares and the cells of the particle sheet drawn
// as sprites, and the view frustum the squares are culled by.
#pragma once

#include <cstdint>

#include "core/math.h"
#include "render/render.h"

struct TextureEntry;

// The frustum of the device's current view and projection.
Frustum extractFrustum();

// A square of side 2 * size facing the camera at (x, y, 0), turned by angle degrees,
// blended by source alpha; skipped outside the view frustum.
void drawBillboard(const TextureEntry* texture, float x, float y, float angle, float size,
                   Color color);
// The particle sheet "particles.tga", an 8 x 8 grid of sprite cells.
constexpr int kSheetGrid = 8;
// The texture rectangle of cell k of a sheet cut into columns x rows cells (column
// k mod columns, row k div columns), moved 0.001 inwards on its near edges.
UvRect sheetCellUv(int32_t cell, int32_t columns, int32_t rows);
// The half axes of a square of side `size` whose right and up directions are the
// unit vectors `right` and `up`, turned clockwise on screen by `rotation` degrees.
void turnedSquareAxes(Vec3 right, Vec3 up, float size, float rotation, Vec3* r, Vec3* u);
// The corners top-right, bottom-right, bottom-left, top-left of the square centred
// on p with half axes r and u, and the texture corners of `cell` laid on them a
// quarter turn clockwise (the cell's top-left on the square's top-right).
void sheetSquareCorners(Vec3 p, Vec3 r, Vec3 u, const UvRect& cell, Vec3 corners[4],
                        Vec2 uv[4]);
// One cell of the bound sheet as a square of side size centred on (x, y), turned
// clockwise by rotation degrees. Nothing is drawn for a black colour or a zero size.
void drawSheetSprite(float x, float y, float rotation, float size, Color color, int32_t cell);
// drawSheetSprite with its own state: alpha test off, blending on (0 additive by
// colour, 1 by alpha, other values keep the current blending), depth writes off, the
// sheet bound; alpha test on again afterwards.
void drawSparkSprite(float x, float y, float rotation, float size, Color color, int32_t blend,
                     int32_t cell);
