// effects_local.h: what the effect files share: the pictures' names, the squares
// they hand to the batched drawing, and the frustum of the current view.
#pragma once

#include <cstdint>

#include "core/math.h"
#include "effects/effect_state.h"
#include "render/render.h"

constexpr const char* kSheetName = "particles.tga";
constexpr const char* kBoltGlowName = "flare.jpg";

// One square ready to draw: its centre, turned half axes, texture cell, colour
// (multipliers applied) and blending (0 additive by colour, 1 by alpha).
struct BatchSquare {
  Vec3 center;
  Vec3 right;
  Vec3 up;
  UvRect cell;
  Color color;
  int32_t blend;
};

// Squares in one batch: the particle queue and the sprite queue both fit.
constexpr int32_t kMaxBatchSquares = 4096;

// A batch draws its squares in at most four draw calls, alternately added and
// blended. A square is drawn before an earlier one only where that cannot be seen:
// both add their colour, or they do not overlap on screen (told apart while the
// view looks along z through a parallel projection; any other view keeps the
// order), or more than four alternations stack up on one spot.
//
// Starts a batch for the current view.
void beginSquareBatch();
// Adds a square; returns false (dropped) once the batch holds kMaxBatchSquares.
bool addBatchSquare(const BatchSquare& square);
int32_t batchSquareCount();
// Draws the batch's layers in order; the device's blending is left at the last used.
void drawSquareBatch();

// The texture rectangle of sheet cell `cell` of a sheet cut into columns x rows,
// as sheetCellUv gives it (looked up for the first 256 cells).
UvRect cellUv(int32_t cell, int32_t columns, int32_t rows);

// The blending a queued entry draws with: 0 and 1 as given, any other value keeps
// `previous` (the entry before's, or 0 for the first).
int32_t resolvedBlend(int32_t blend, int32_t previous);

// The frustum of the device's current view and projection.
const Frustum& currentFrustum();

// The drawing of the particles shares their motion's formulas.
Vec2 particleOffset(const Particle& p);

// Remembers a request in the effect log (effects.cpp).
void logEffectRequest(const char* name);

// Live counts for the dump.
int32_t countActiveEmitters();
int32_t countLiveParticles();
int32_t countLiveSparks();

// Remembers a board effect's kind in the effect log (effects.cpp).
void logBoardEffect(int32_t kind);
// Forgets the counts of requests logged (a new game).
void clearEffectLogCounts();
