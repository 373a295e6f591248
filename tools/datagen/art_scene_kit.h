// art_scene_kit.h: the landscape painter's helpers on top of the painting
// toolkit: skylines (rolling hills, mountain ranges, dunes) and the land below
// them, clouds, trees, bushes, grass and flowers, rocks and crystals, cliffs
// around falling water, shorelines, and the sky palettes the sky textures and the
// landscapes' haze share. Coordinates are pixels of the canvas painted on, y down.
#pragma once

#include <cstdint>
#include <vector>

#include "paint.h"

// ---------------------------------------------------------------------------
// Skies: one palette per sky texture, so the land's haze meets the sky's horizon.

enum class SkyKind : uint8_t { Day, Dusk, Night, Sand };

struct SkyPalette {
  Colour zenith;   // top of the sky
  Colour middle;   // half way down
  Colour horizon;  // where the land meets it
  Colour cloudLit;
  Colour cloudShade;
};
const SkyPalette& skyPalette(SkyKind kind);

// Value noise 0..1 repeating every periodX lattice units across and periodY
// down (cells need not be square, as stretched ripples want).
float stretchedTiledNoise(float x, float y, int periodX, int periodY, uint32_t seed);

// ---------------------------------------------------------------------------
// Skylines and land

// The top edge of a band of land: one row value per pixel column.
struct Skyline {
  std::vector<float> top;
};
// The edge's row at x (interpolated; clamped at the ends).
float skylineAt(const Skyline& line, float x);
// Rolling hills around row `base`: broad waves of about `wavelength` pixels and
// up to `amplitude` rows, with a little noise.
Skyline rollingSkyline(int width, float base, float amplitude, float wavelength, uint32_t seed);
// A skyline that eases from row `left` to row `right` across the width.
Skyline slopingSkyline(int width, float left, float right, float wobble, uint32_t seed);
// The lower (nearer) of two skylines at each column.
Skyline lowerOf(const Skyline& a, const Skyline& b);

// A mountain: its tip, how far each flank reaches, how round the tip is (0 sharp,
// 0.3 very round) and how much of the top is flat (0 none, 0.6 a wide mesa).
struct Peak {
  float x, top, halfWidth;
  float roundness;
  float flat;
};
// The outline of a range of peaks standing on row `base`, with jagged flanks.
Skyline mountainSkyline(int width, float base, const Peak* peaks, int count, float jag,
                        uint32_t seed);

// How land below a skyline looks: a vertical ramp from `top` to `bottom` over
// `depth` rows, a lit rim along the edge, slopes facing the light brightened,
// and a gentle mottle.
struct LandLook {
  Colour top, bottom;
  float depth;
  Colour rim;
  float rimWidth;
  float slopeLight;  // 0 flat .. 1 strongly modelled
  float mottle;      // 0 .. 0.2 brightness variation
  float mottleScale; // pixels per mottle feature
  uint32_t seed;
};
// Fills every pixel below the skyline (down to row yEnd) with anti-aliased edges.
void paintLand(Canvas* canvas, const Skyline& line, const LandLook& look, int yEnd);

// How a mountain range looks: faces towards the light and away from it split by
// ridge lines from each tip, snow caps, and haze rising from the foot.
struct MountainLook {
  Colour lit, shade;
  Colour snowLit, snowShade;
  float snowDepth;   // rows of snow below a tip (0 none)
  Colour haze;
  float hazeFrom;    // row where the haze starts to thicken
  float hazeTo;      // row where it is complete
};
void paintMountains(Canvas* canvas, const Skyline& line, const Peak* peaks, int count,
                    const MountainLook& look, uint32_t seed);

// Dunes: smooth sand ridges with a crisp crest, lit on the windward side.
void paintDunes(Canvas* canvas, const Skyline& line, const Peak* crests, int count, Colour lit,
                Colour shade, Colour foot, uint32_t seed);

// ---------------------------------------------------------------------------
// Clouds

// A puffy cloud `width` wide and `height` tall with its flat base centred at
// `base`: lit tops, shaded undersides.
void paintCloud(Canvas* canvas, Point base, float width, float height, Colour lit, Colour shade,
                float opacity, uint32_t seed);
// The same cloud repeated one canvas width to either side (seamless strips).
void paintCloudWrapped(Canvas* canvas, Point base, float width, float height, Colour lit,
                       Colour shade, float opacity, uint32_t seed);

// ---------------------------------------------------------------------------
// Plants

struct FoliageLook {
  Colour leaf;    // mid tone
  Colour light;   // sunny side
  Colour dark;    // shaded side and underside
  Colour trunk;
};
// A round leafy tree `height` tall standing on `base`.
void paintRoundTree(Canvas* canvas, Point base, float height, const FoliageLook& look,
                    uint32_t seed);
// A conifer of stacked tiers.
void paintPine(Canvas* canvas, Point base, float height, const FoliageLook& look, uint32_t seed);
// A willow: a round crown with curtains of hanging strands.
void paintWillow(Canvas* canvas, Point base, float height, const FoliageLook& look,
                 uint32_t seed);
// A low bush `width` wide sitting on `base`.
void paintBush(Canvas* canvas, Point base, float width, const FoliageLook& look, uint32_t seed);
// A cluster of leaves: a crown of clumps with single leaves fringing its edge.
void paintLeafCluster(Canvas* canvas, Point centre, float radius, float squash,
                      const FoliageLook& look, uint32_t seed);
// A band of small trees along a skyline from x0 to x1, their feet `sink` rows
// below it: a distant wood.
void paintTreeLine(Canvas* canvas, const Skyline& line, float x0, float x1, float size,
                   float sink, const FoliageLook& look, uint32_t seed);
// Soft shadow on the ground under something standing at base.
void paintGroundShadow(Canvas* canvas, Point base, float width, float opacity);
// A grove: a few round trees of mixed heights with their trunks, `width` wide,
// standing on base.
void paintGrove(Canvas* canvas, Point base, float width, float size, const FoliageLook& look,
                uint32_t seed);
// Small painterly tufts scattered below a skyline down to row yEnd, bigger
// towards the viewer: gives land a grassy texture without busy noise.
void paintGrassTexture(Canvas* canvas, const Skyline& line, float yEnd, Colour light, Colour dark,
                       float density, uint32_t seed);
// A winding path: `points` from the far end to the near end, widening towards
// the viewer from farWidth to nearWidth.
void paintPath(Canvas* canvas, const Point* points, int count, float farWidth, float nearWidth,
               Colour colour, uint32_t seed);
// Grass blades along a skyline between x0 and x1.
void paintGrass(Canvas* canvas, const Skyline& line, float x0, float x1, float height,
                Colour light, Colour dark, int count, uint32_t seed);
// Small flowers scattered between two skylines (rows from upper to lower).
void paintFlowers(Canvas* canvas, const Skyline& upper, const Skyline& lower, float x0, float x1,
                  const Colour* colours, int colourCount, int count, float size, uint32_t seed);
// A fern: arching fronds from `root`, spreading up and to the side `direction`
// (1 right, -1 left).
void paintFern(Canvas* canvas, Point root, float size, float direction, const FoliageLook& look,
               uint32_t seed);
// A reed or cattail clump.
void paintReeds(Canvas* canvas, Point base, float height, Colour stem, Colour head, int count,
                uint32_t seed);

// ---------------------------------------------------------------------------
// Stone and crystal

// A rounded faceted boulder sitting on `base`.
void paintRock(Canvas* canvas, Point base, float width, float height, Colour lit, Colour shade,
               uint32_t seed);
// A crystal prism from `base` leaning by degrees (0 upright), `length` long.
void paintCrystal(Canvas* canvas, Point base, float length, float width, float degrees,
                  Colour colour, uint32_t seed);
// A cliff face filling the shape `inside` (negative inside), banded and cracked.
struct CliffLook {
  Colour lit, shade, dark;
  float strata;  // rows between layers
};
template <class Inside>
void paintCliff(Canvas* canvas, Box box, Inside inside, const CliffLook& look, uint32_t seed);
// The colour of cliff rock at p (used by paintCliff).
Colour cliffColour(Point p, const CliffLook& look, uint32_t seed);

// ---------------------------------------------------------------------------
// Water holes in a background

// Clears a falling band inside box: wavy edges, a rounded lip at the top.
void cutWaterfall(Canvas* canvas, Box box, uint32_t seed);
// Clears the water below a wavy shore line `shore` rows into box; returns that
// shore line (one row per column of the canvas).
Skyline cutPool(Canvas* canvas, Box box, float shore, uint32_t seed);
// A soft reflection band under the shore, partly transparent so the moving
// water shows through it.
void dressWater(Canvas* canvas, Box box, const Skyline& shore, Colour reflection, uint32_t seed);

// ---------------------------------------------------------------------------
// Small sky things painted into the backgrounds

// A moon with a soft halo.
void paintMoon(Canvas* canvas, Point centre, float radius, Colour colour, Colour halo);
// A small four-pointed twinkle.
void paintTwinkle(Canvas* canvas, Point centre, float size, Colour colour);

// ---------------------------------------------------------------------------

template <class Inside>
void paintCliff(Canvas* canvas, Box box, Inside inside, const CliffLook& look, uint32_t seed) {
  fillShape(canvas, box, inside, [&](Point p, float) { return cliffColour(p, look, seed); });
}
