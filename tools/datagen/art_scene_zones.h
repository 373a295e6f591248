// art_scene_zones.h: palettes and helpers the sixteen compositions share: the
// foliage and rock looks, bands of hills, the far range in the sky hole, mist,
// sand ripples, heather, wind-blown grass, bent trees, gorge walls and bolts.
#pragma once

#include "art_scene_local.h"

constexpr int kWidth = kBackgroundWidth;
constexpr int kHeight = kBackgroundHeight;

inline constexpr FoliageLook kSummer{rgb(78, 160, 72), rgb(166, 218, 98), rgb(34, 100, 66), rgb(118, 82, 54)};
inline constexpr FoliageLook kDeepGreen{rgb(52, 138, 84), rgb(128, 200, 112), rgb(22, 80, 62), rgb(104, 74, 52)};
inline constexpr FoliageLook kDuskGreen{rgb(86, 124, 86), rgb(232, 176, 116), rgb(46, 64, 80), rgb(98, 68, 60)};
inline constexpr FoliageLook kHeather{rgb(120, 140, 84), rgb(192, 204, 122), rgb(66, 84, 64), rgb(110, 86, 66)};
inline constexpr FoliageLook kDesert{rgb(124, 150, 82), rgb(194, 208, 122), rgb(74, 98, 62), rgb(140, 100, 64)};
inline constexpr FoliageLook kWillowGreen{rgb(128, 186, 80), rgb(204, 234, 124), rgb(62, 122, 64), rgb(112, 84, 60)};
inline constexpr FoliageLook kMoonlit{rgb(48, 100, 124), rgb(112, 174, 200), rgb(22, 46, 82), rgb(52, 52, 78)};
inline constexpr FoliageLook kAutumn{rgb(222, 118, 58), rgb(255, 196, 96), rgb(150, 56, 48), rgb(100, 62, 50)};
inline constexpr FoliageLook kGolden{rgb(230, 170, 60), rgb(255, 222, 120), rgb(170, 100, 44), rgb(100, 62, 50)};
inline constexpr FoliageLook kSnowPine{rgb(46, 112, 102), rgb(150, 200, 196), rgb(22, 60, 72), rgb(80, 60, 60)};

inline constexpr CliffLook kGreyRock{rgb(196, 192, 182), rgb(146, 144, 142), rgb(88, 90, 100), 20.0f};
inline constexpr CliffLook kMossRock{rgb(170, 180, 152), rgb(120, 132, 118), rgb(66, 80, 76), 18.0f};
inline constexpr CliffLook kDuskRock{rgb(200, 156, 144), rgb(136, 108, 126), rgb(76, 62, 90), 20.0f};
inline constexpr CliffLook kGlassRock{rgb(176, 206, 220), rgb(116, 150, 180), rgb(62, 82, 118), 22.0f};
inline constexpr CliffLook kNightRock{rgb(112, 132, 172), rgb(72, 88, 132), rgb(36, 44, 80), 20.0f};
inline constexpr CliffLook kCrystalRock{rgb(194, 174, 218), rgb(140, 124, 180), rgb(82, 68, 122), 22.0f};
inline constexpr CliffLook kCloudRock{rgb(218, 204, 184), rgb(164, 152, 148), rgb(102, 98, 112), 16.0f};
inline constexpr CliffLook kEmberRock{rgb(176, 106, 92), rgb(120, 70, 72), rgb(66, 40, 52), 20.0f};

inline constexpr Colour kStream = rgb(112, 192, 216);
inline constexpr Colour kFlowersBright[4] = {rgb(255, 120, 140), rgb(255, 220, 90), rgb(250, 250, 250),
                                             rgb(190, 140, 250)};

// A rock look faded towards a haze colour by t.
CliffLook mixLook(const CliffLook& look, Colour haze, float t);
// The usual look of a band of land.
LandLook land(Colour top, Colour bottom, float depth, Colour rim, uint32_t seed);
// A skyline at one row all across.
Skyline flat(float row);
// Paints a band of rolling land with its top around row `base` and returns its skyline.
Skyline hillBand(Landscape* scene, float base, float amplitude, float wavelength, Colour top,
                 Colour bottom, Colour rim, uint32_t seed);
// Far mountains in the lower part of the sky hole, `height` of the hole tall.
void farRange(Landscape* scene, float height, const MountainLook& look, uint32_t seed);
// A soft horizontal band of mist centred on row y.
void paintMistBand(Canvas* canvas, float y, Colour colour, float opacity, uint32_t seed);
// Wind ripples drawn faintly over sand below a skyline.
void paintSandRipples(Canvas* canvas, const Skyline& line, Colour colour, float amount, uint32_t seed);
// Soft patches of heather lying on the land below a skyline.
void paintHeatherPatches(Canvas* canvas, const Skyline& line, Colour colour, int count, float size,
                         uint32_t seed);
// Grass blades all bent the same way by the wind.
void paintWindGrass(Canvas* canvas, const Skyline& line, float x0, float x1, float height,
                    Colour light, Colour dark, int count, uint32_t seed);
// A lone tree bent by the wind, its crown streaming to the right.
void paintBentTree(Canvas* canvas, Point base, float height, const FoliageLook& look, uint32_t seed);
// A gorge wall from the picture's edge to `edge` (dir -1: the left wall, 1: the
// right), leaning out as it rises to row `top`, in columns of stone.
void paintGorgeWall(Canvas* canvas, float edge, float dir, float top, const CliffLook& look, uint32_t seed);
// A small cartoon lightning bolt from `from` to `to`.
void paintBolt(Canvas* canvas, Point from, Point to, uint32_t seed);
