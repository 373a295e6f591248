// art_scene_zones_a.cpp: the compositions of backgrounds 0 to 7: the valley at
// dusk, Pebble Brook, Misty Falls, Fern Cascade, Amber Dunes, Windswept Heath,
// Glass Gorge and Thunder Steps. Each keeps its detail to the sides and the
// bottom and leaves broad, soft shapes where the board lies.
#include "art_scene_zones.h"

void paintValleyAtDusk(Landscape* scene) {
  Canvas* canvas = &scene->canvas;
  const SkyPalette& sky = skyPalette(scene->sky);
  const float s = scene->skyBottom;
  farRange(scene, 0.42f, MountainLook{rgb(200, 150, 172), rgb(134, 104, 152), kWhite, kWhite, 0.0f,
                                      sky.horizon, s - 34.0f, s + 24.0f}, 101u);
  const Skyline far = hillBand(scene, s + 20.0f, 26.0f, 300.0f, rgb(150, 140, 140), rgb(120, 116, 124),
                               rgb(255, 196, 150), 102u);
  paintTreeLine(canvas, far, 0.0f, 330.0f, 18.0f, 5.0f, kDuskGreen, 103u);
  const Skyline mid = hillBand(scene, s + 92.0f, 34.0f, 380.0f, rgb(122, 140, 104), rgb(96, 118, 96),
                               rgb(250, 196, 132), 105u);
  paintGrove(canvas, Point{560.0f, skylineAt(mid, 560.0f) + 8.0f}, 60.0f, 56.0f, kDuskGreen, 106u);
  paintCottage(canvas, Point{132.0f, skylineAt(mid, 132.0f) + 18.0f}, 58.0f, rgb(240, 216, 190),
               rgb(178, 86, 78), true, 107u);
  const Skyline near = hillBand(scene, s + 200.0f, 28.0f, 460.0f, rgb(112, 146, 92), rgb(80, 118, 80),
                                rgb(236, 196, 126), 108u);
  const Point path[4] = {{150.0f, skylineAt(mid, 150.0f) + 20.0f}, {120.0f, 360.0f}, {170.0f, 430.0f}, {110.0f, 500.0f}};
  paintPath(canvas, path, 4, 8.0f, 30.0f, rgb(214, 170, 130), 109u);
  paintGrassTexture(canvas, near, 490.0f, rgb(170, 190, 120), rgb(70, 100, 70), 1.0f, 110u);
  paintRoundTree(canvas, Point{28.0f, skylineAt(near, 28.0f) + 24.0f}, 150.0f, kDuskGreen, 111u);
  paintFallCliffs(scene, kDuskRock, rgb(116, 132, 104), kStream, 104u);
  paintPools(scene, rgb(120, 120, 96), rgb(160, 140, 140), rgb(80, 80, 120), 112u);
  paintLilyPad(canvas, Point{70.0f, 560.0f}, 16.0f, true, 113u);
  paintLilyPad(canvas, Point{110.0f, 580.0f}, 12.0f, false, 114u);
  paintLilyPad(canvas, Point{640.0f, 570.0f}, 14.0f, true, 115u);
  paintReeds(canvas, Point{20.0f, skylineAt(scene->shore, 20.0f) + 4.0f}, 56.0f, rgb(90, 120, 80),
             rgb(130, 84, 60), 10, 116u);
  paintSceneFireflies(scene, Box{0, static_cast<int>(s) + 40, kWidth, 470}, 22, rgb(255, 220, 130), 2.2f, 117u);
  calmBoardArea(scene, 0.18f);
}

void paintPebbleBrook(Landscape* scene) {
  Canvas* canvas = &scene->canvas;
  const SkyPalette& sky = skyPalette(scene->sky);
  const float s = scene->skyBottom;
  farRange(scene, 0.45f, MountainLook{rgb(160, 190, 230), rgb(116, 146, 206), kWhite, rgb(206, 220, 244),
                                      14.0f, sky.horizon, s - 30.0f, s + 26.0f}, 201u);
  const Skyline far = hillBand(scene, s + 26.0f, 30.0f, 300.0f, rgb(162, 210, 130), rgb(132, 186, 112),
                               rgb(220, 244, 170), 202u);
  paintTreeLine(canvas, far, 430.0f, 800.0f, 20.0f, 5.0f, kSummer, 203u);
  const Skyline mid = hillBand(scene, s + 100.0f, 36.0f, 360.0f, rgb(144, 204, 104), rgb(112, 178, 92),
                               rgb(210, 240, 150), 204u);
  paintGrove(canvas, Point{90.0f, skylineAt(mid, 90.0f) + 10.0f}, 70.0f, 70.0f, kSummer, 205u);
  paintGrove(canvas, Point{600.0f, skylineAt(mid, 600.0f) + 10.0f}, 50.0f, 56.0f, kSummer, 206u);
  const Skyline near = hillBand(scene, s + 210.0f, 24.0f, 440.0f, rgb(130, 198, 94), rgb(98, 172, 82),
                                rgb(196, 236, 140), 207u);
  const Point path[4] = {{330.0f, skylineAt(mid, 330.0f) + 6.0f}, {300.0f, 400.0f}, {380.0f, 470.0f}, {330.0f, 530.0f}};
  paintPath(canvas, path, 4, 6.0f, 34.0f, rgb(226, 204, 160), 208u);
  paintGrassTexture(canvas, near, 525.0f, rgb(186, 232, 130), rgb(80, 150, 70), 1.0f, 209u);
  paintFlowers(canvas, near, flat(520.0f), 0.0f, 200.0f, kFlowersBright, 4, 40, 2.6f, 210u);
  paintFlowers(canvas, near, flat(520.0f), 560.0f, 800.0f, kFlowersBright, 4, 40, 2.6f, 211u);
  paintRoundTree(canvas, Point{700.0f, skylineAt(near, 700.0f) + 14.0f}, 150.0f, kSummer, 212u);
  paintPools(scene, rgb(170, 150, 116), rgb(176, 172, 164), rgb(90, 150, 110), 213u);
  // Stepping stones across the brook where the path meets it.
  for (int i = 0; i < 4; ++i) {
    const Point stone{300.0f + i * 18.0f + 8.0f * std::sin(i * 2.1f), 556.0f + i * 14.0f};
    fillShapeColour(canvas, boxAround(stone, 24.0f, 8.0f), [&](Point p) { return sdEllipse(p, Point{stone.x, stone.y + 4.0f}, 22.0f, 6.0f); },
                    rgb(230, 246, 250, 150));
    paintRock(canvas, Point{stone.x, stone.y + 4.0f}, 34.0f, 16.0f, rgb(214, 210, 200), rgb(130, 128, 130),
              214u + static_cast<uint32_t>(i));
  }
  calmBoardArea(scene, 0.18f);
}

void paintMistyFalls(Landscape* scene) {
  Canvas* canvas = &scene->canvas;
  const SkyPalette& sky = skyPalette(scene->sky);
  const float s = scene->skyBottom;
  farRange(scene, 0.42f, MountainLook{rgb(156, 194, 210), rgb(118, 156, 188), kWhite, kWhite, 0.0f,
                                      sky.horizon, s - 40.0f, s + 10.0f}, 301u);
  // Ridges of forest fading into the mist, nearer ones greener.
  const Colour mist = mixColour(sky.horizon, kWhite, 0.35f);
  for (int layer = 0; layer < 3; ++layer) {
    const float t = layer / 2.0f;
    const Colour top = mixColour(mist, rgb(70, 150, 104), 0.3f + 0.45f * t);
    const Skyline line = hillBand(scene, s + 26.0f + layer * 62.0f, 30.0f, 260.0f + layer * 80.0f, top,
                                  mixColour(top, mist, 0.45f), lighten(top, 0.15f), 302u + layer);
    FoliageLook misty = kDeepGreen;
    misty.leaf = mixColour(mist, kDeepGreen.leaf, 0.35f + 0.45f * t);
    misty.light = mixColour(mist, kDeepGreen.light, 0.35f + 0.45f * t);
    misty.dark = mixColour(mist, kDeepGreen.dark, 0.35f + 0.45f * t);
    paintTreeLine(canvas, line, 0.0f, 800.0f, 16.0f + 8.0f * layer, 5.0f, misty, 305u + layer);
    paintMistBand(canvas, skylineAt(line, 400.0f) + 20.0f, mist, 0.45f, 308u + layer);
  }
  const Skyline near = hillBand(scene, 442.0f, 14.0f, 400.0f, rgb(112, 184, 104), rgb(84, 156, 88),
                                rgb(184, 230, 146), 312u);
  paintGrassTexture(canvas, near, 490.0f, rgb(170, 226, 130), rgb(60, 130, 76), 1.2f, 313u);
  paintFallCliffs(scene, kMossRock, rgb(96, 166, 100), kStream, 311u);
  paintPools(scene, rgb(120, 136, 104), rgb(168, 176, 166), rgb(80, 130, 120), 314u);
  paintPine(canvas, Point{34.0f, 480.0f}, 170.0f, kDeepGreen, 315u);
  paintPine(canvas, Point{86.0f, 476.0f}, 120.0f, kDeepGreen, 316u);
  paintPine(canvas, Point{626.0f, 470.0f}, 130.0f, kDeepGreen, 317u);
  calmBoardArea(scene, 0.15f);
}

void paintFernCascade(Landscape* scene) {
  Canvas* canvas = &scene->canvas;
  const SkyPalette& sky = skyPalette(scene->sky);
  const float s = scene->skyBottom;
  farRange(scene, 0.45f, MountainLook{rgb(130, 190, 166), rgb(94, 152, 144), kWhite, kWhite, 0.0f,
                                      sky.horizon, s - 30.0f, s + 20.0f}, 401u);
  const Skyline far = hillBand(scene, s + 30.0f, 30.0f, 260.0f, rgb(100, 176, 110), rgb(72, 146, 98),
                               rgb(166, 224, 146), 402u);
  paintTreeLine(canvas, far, 0.0f, 800.0f, 26.0f, 8.0f, kDeepGreen, 403u);
  const Skyline mid = hillBand(scene, s + 130.0f, 30.0f, 380.0f, rgb(104, 184, 100), rgb(72, 152, 86),
                               rgb(172, 228, 134), 405u);
  paintGrove(canvas, Point{520.0f, skylineAt(mid, 520.0f) + 10.0f}, 60.0f, 60.0f, kDeepGreen, 406u);
  const Skyline near = hillBand(scene, s + 270.0f, 20.0f, 420.0f, rgb(96, 178, 96), rgb(64, 146, 80),
                                rgb(160, 222, 126), 407u);
  paintGrassTexture(canvas, mid, 600.0f, rgb(160, 226, 120), rgb(50, 120, 70), 1.2f, 408u);
  paintRoundTree(canvas, Point{56.0f, skylineAt(mid, 56.0f) + 40.0f}, 200.0f, kDeepGreen, 409u);
  // Ferns and bushes along the front, clear of the board's middle.
  paintFern(canvas, Point{170.0f, skylineAt(near, 170.0f) + 36.0f}, 54.0f, 1.0f, kDeepGreen, 410u);
  paintBush(canvas, Point{120.0f, skylineAt(near, 120.0f) + 30.0f}, 46.0f, kDeepGreen, 411u);
  paintFern(canvas, Point{590.0f, skylineAt(near, 590.0f) + 40.0f}, 50.0f, -1.0f, kDeepGreen, 412u);
  paintFlowers(canvas, near, flat(600.0f), 0.0f, 800.0f, kFlowersBright, 4, 50, 2.4f, 414u);
  paintFallCliffs(scene, kMossRock, rgb(84, 160, 96), kStream, 404u);
  calmBoardArea(scene, 0.18f);
}

void paintAmberDunes(Landscape* scene) {
  Canvas* canvas = &scene->canvas;
  const SkyPalette& sky = skyPalette(scene->sky);
  const float s = scene->skyBottom;
  paintSun(canvas, Point{610.0f, s * 0.42f}, 24.0f, rgb(255, 240, 180), rgb(255, 236, 180, 150));
  const Peak mesas[3] = {{120.0f, s * 0.7f, 120.0f, 0.05f, 0.55f},
                         {340.0f, s * 0.8f, 80.0f, 0.05f, 0.5f},
                         {720.0f, s * 0.64f, 140.0f, 0.05f, 0.6f}};
  const Skyline mesaLine = keepUnderSky(*scene, mountainSkyline(kWidth, s + 10.0f, mesas, 3, 2.0f, 501u));
  paintMountains(canvas, mesaLine, mesas, 3,
                 MountainLook{rgb(238, 184, 146), rgb(206, 150, 132), kWhite, kWhite, 0.0f, sky.horizon,
                              s - 40.0f, s + 5.0f}, 502u);
  const Colour tops[4] = {rgb(250, 222, 166), rgb(248, 204, 132), rgb(244, 188, 112), rgb(238, 172, 96)};
  for (int layer = 0; layer < 4; ++layer) {
    const Skyline line = rollingSkyline(kWidth, s + 30.0f + layer * 95.0f, 46.0f, 300.0f + layer * 60.0f, 503u + layer);
    paintLand(canvas, line, LandLook{lighten(tops[layer], 0.06f), scaleColour(tops[layer], 0.86f), 120.0f,
                                     lighten(tops[layer], 0.3f), 2.5f, 1.2f, 0.02f, 30.0f, 507u + layer}, kHeight);
    paintSandRipples(canvas, line, lighten(tops[layer], 0.2f), 0.25f, 511u + layer);
  }
  for (int i = 0; i < 6; ++i) {
    const float x = i < 3 ? 40.0f + i * 50.0f : 600.0f + (i - 3) * 60.0f;
    paintBush(canvas, Point{x, 400.0f + 40.0f * (i % 3)}, 18.0f + 6.0f * (i % 2), kDesert, 515u + i);
  }
  paintCrystal(canvas, Point{120.0f, 500.0f}, 30.0f, 7.0f, -20.0f, rgb(255, 170, 60), 521u);
  paintCrystal(canvas, Point{132.0f, 502.0f}, 22.0f, 6.0f, 18.0f, rgb(255, 190, 80), 522u);
  paintCrystal(canvas, Point{650.0f, 470.0f}, 26.0f, 6.0f, 12.0f, rgb(255, 170, 60), 523u);
  calmBoardArea(scene, 0.15f);
}

void paintWindsweptHeath(Landscape* scene) {
  Canvas* canvas = &scene->canvas;
  const SkyPalette& sky = skyPalette(scene->sky);
  const float s = scene->skyBottom;
  farRange(scene, 0.35f, MountainLook{rgb(156, 172, 214), rgb(120, 136, 192), kWhite, kWhite, 0.0f,
                                      sky.horizon, s - 30.0f, s + 20.0f}, 601u);
  const Colour heath[3] = {rgb(178, 160, 196), rgb(164, 172, 118), rgb(138, 162, 94)};
  const Colour purple[3] = {rgb(186, 132, 200), rgb(198, 136, 212), rgb(170, 110, 190)};
  Skyline line;
  for (int layer = 0; layer < 3; ++layer) {
    line = hillBand(scene, s + 34.0f + layer * 92.0f, 40.0f, 360.0f, heath[layer], lighten(heath[layer], -0.12f),
                    lighten(heath[layer], 0.2f), 602u + layer);
    paintGrassTexture(canvas, line, 600.0f, lighten(heath[layer], 0.2f), lighten(heath[layer], -0.25f), 0.6f, 614u + layer);
    paintHeatherPatches(canvas, line, purple[layer], 4 + layer * 2, 5.0f + layer * 3.0f, 605u + layer);
    paintWindGrass(canvas, line, 0.0f, 800.0f, 8.0f + layer * 4.0f, rgb(210, 214, 140), rgb(110, 130, 80), 50 + layer * 50, 608u + layer);
  }
  paintStoneWall(canvas, line, -10.0f, 240.0f, 26.0f, rgb(206, 202, 192), rgb(132, 130, 134), 611u);
  paintBentTree(canvas, Point{630.0f, skylineAt(line, 630.0f) + 6.0f}, 110.0f, kHeather, 612u);
  calmBoardArea(scene, 0.15f);
}

void paintGlassGorge(Landscape* scene) {
  Canvas* canvas = &scene->canvas;
  const SkyPalette& sky = skyPalette(scene->sky);
  const float s = scene->skyBottom;
  farRange(scene, 0.4f, MountainLook{rgb(160, 196, 222), rgb(124, 160, 204), kWhite, rgb(206, 220, 244), 10.0f,
                                     sky.horizon, s - 30.0f, s + 30.0f}, 701u);
  const Skyline floor = hillBand(scene, s + 40.0f, 16.0f, 300.0f, rgb(150, 204, 160), rgb(104, 172, 138),
                                 rgb(200, 236, 200), 703u);
  paintGrassTexture(canvas, floor, 600.0f, rgb(190, 236, 190), rgb(70, 140, 110), 0.8f, 704u);
  // The river winding out of the gorge towards the viewer: a sandy bank, then water.
  const Point river[5] = {{390.0f, s + 46.0f}, {350.0f, s + 120.0f}, {430.0f, s + 220.0f}, {380.0f, s + 330.0f}, {470.0f, 610.0f}};
  paintPath(canvas, river, 5, 14.0f, 110.0f, rgb(226, 214, 170), 705u);
  paintPath(canvas, river, 5, 8.0f, 86.0f, rgb(110, 190, 220), 706u);
  const CliffLook glassy{rgb(150, 208, 222), rgb(88, 146, 180), rgb(46, 86, 128), 22.0f};
  paintGorgeWall(canvas, 270.0f, -1.0f, s * 0.6f, mixLook(glassy, sky.horizon, 0.45f), 707u);
  paintGorgeWall(canvas, 510.0f, 1.0f, s * 0.65f, mixLook(glassy, sky.horizon, 0.45f), 708u);
  paintGorgeWall(canvas, 120.0f, -1.0f, -20.0f, glassy, 709u);
  paintGorgeWall(canvas, 640.0f, 1.0f, -20.0f, glassy, 710u);
  const Point clusters[4] = {{50.0f, 250.0f}, {110.0f, 420.0f}, {220.0f, 160.0f}, {560.0f, 170.0f}};
  for (int c = 0; c < 4; ++c) {
    const float size = c < 2 ? 1.0f : 0.55f;
    const Point at = clusters[c];
    paintGlow(canvas, Point{at.x, at.y - 30.0f * size}, 70.0f * size, rgb(150, 240, 255), 0.35f);
    for (int i = 0; i < 3; ++i) {
      paintCrystal(canvas, Point{at.x + (i - 1) * 14.0f * size, at.y}, (70.0f - 18.0f * (i % 2)) * size, 11.0f * size,
                   (i - 1) * 24.0f + (c % 2 ? 10.0f : -10.0f), i == 1 ? rgb(150, 226, 250) : rgb(176, 200, 255), 711u + c * 3u + i);
    }
  }
  paintFallCliffs(scene, kGlassRock, rgb(110, 180, 150), kStream, 723u);
  paintPools(scene, rgb(110, 140, 150), rgb(176, 196, 206), rgb(70, 110, 140), 724u);
  calmBoardArea(scene, 0.18f);
}

void paintThunderSteps(Landscape* scene) {
  Canvas* canvas = &scene->canvas;
  const SkyPalette& sky = skyPalette(scene->sky);
  const float s = scene->skyBottom;
  paintCloud(canvas, Point{150.0f, s * 0.62f}, 220.0f, 58.0f, rgb(150, 136, 176), rgb(86, 80, 120), 1.0f, 800u);
  paintBolt(canvas, Point{170.0f, s * 0.62f - 4.0f}, Point{150.0f, s - 6.0f}, 801u);
  farRange(scene, 0.4f, MountainLook{rgb(184, 134, 164), rgb(124, 98, 144), kWhite, kWhite, 0.0f,
                                     sky.horizon, s - 30.0f, s + 30.0f}, 802u);
  // Grassy terraces stepping down towards the viewer, each with a short stone riser.
  const Colour grass[5] = {rgb(156, 160, 132), rgb(144, 170, 118), rgb(130, 176, 108), rgb(116, 180, 100), rgb(104, 180, 94)};
  Skyline line;
  for (int step = 0; step < 5; ++step) {
    const float top = s + 14.0f + step * 78.0f;
    line = slopingSkyline(kWidth, top + 6.0f, top - 8.0f, 10.0f, 803u + step);
    paintTerrace(canvas, line, kDuskRock, grass[step], 46.0f + step * 3.0f, sky.horizon, 0.3f * (1.0f - step / 4.0f), 808u + step);
    if (step >= 1) {
      paintBush(canvas, Point{40.0f + step * 24.0f, skylineAt(line, 40.0f + step * 24.0f) + 20.0f}, 26.0f + step * 4.0f, kSummer, 813u + step);
      paintRock(canvas, Point{560.0f - step * 30.0f, skylineAt(line, 560.0f - step * 30.0f) + 24.0f}, 22.0f + step * 5.0f,
                14.0f + step * 3.0f, kDuskRock.lit, kDuskRock.shade, 818u + step);
    }
  }
  // The nearest ground: a meadow at the foot of the last step.
  const Skyline meadow = hillBand(scene, s + 400.0f, 10.0f, 300.0f, rgb(110, 184, 96), rgb(84, 156, 82),
                                  rgb(176, 226, 140), 822u);
  paintGrassTexture(canvas, meadow, 600.0f, rgb(170, 226, 120), rgb(60, 130, 70), 1.0f, 829u);
  paintFallCliffs(scene, kDuskRock, rgb(116, 166, 104), kStream, 823u);
  paintPools(scene, rgb(124, 112, 112), rgb(156, 136, 146), rgb(70, 70, 110), 824u);
  calmBoardArea(scene, 0.18f);
}
