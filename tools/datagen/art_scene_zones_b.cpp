// art_scene_zones_b.cpp: the compositions of backgrounds 8 to 15: Moonlit
// Spring, Willow Hollow, Crystal Veil, Lantern Creek, Cloud Basin, Ember Ridge,
// Starlight Summit and the valley in sunshine after the journey.
#include "art_scene_zones.h"

void paintMoonlitSpring(Landscape* scene) {
  Canvas* canvas = &scene->canvas;
  const SkyPalette& sky = skyPalette(scene->sky);
  const float s = scene->skyBottom;
  paintMoon(canvas, Point{180.0f, s * 0.36f}, 22.0f, rgb(255, 250, 226), rgb(200, 220, 255, 110));
  farRange(scene, 0.4f, MountainLook{rgb(84, 108, 164), rgb(56, 72, 126), rgb(214, 228, 252), rgb(150, 170, 214),
                                     12.0f, sky.horizon, s - 20.0f, s + 40.0f}, 901u);
  const Skyline far = hillBand(scene, s + 36.0f, 34.0f, 320.0f, rgb(56, 96, 126), rgb(42, 74, 108),
                               rgb(140, 186, 226), 902u);
  paintTreeLine(canvas, far, 0.0f, 800.0f, 22.0f, 6.0f, kMoonlit, 903u);
  const Skyline mid = hillBand(scene, s + 130.0f, 30.0f, 400.0f, rgb(58, 114, 122), rgb(42, 90, 106),
                               rgb(130, 196, 206), 905u);
  paintGrove(canvas, Point{560.0f, skylineAt(mid, 560.0f) + 10.0f}, 60.0f, 70.0f, kMoonlit, 906u);
  paintGrassTexture(canvas, mid, 500.0f, rgb(110, 170, 180), rgb(30, 70, 90), 1.0f, 907u);
  // Warm light round the lanterns (before the falls are cut, so it stays off them).
  for (int i = 0; i < scene->propCount; ++i) {
    const Box& prop = scene->props[i];
    paintGlow(canvas, Point{(prop.x0 + prop.x1) * 0.5f, prop.y0 + 20.0f}, 90.0f, rgb(255, 190, 110), 0.35f);
  }
  paintFallCliffs(scene, kNightRock, rgb(50, 100, 110), rgb(96, 156, 204), 904u);
  paintPools(scene, rgb(56, 80, 96), rgb(96, 116, 156), rgb(210, 226, 255), 908u);
  paintLilyPad(canvas, Point{90.0f, 560.0f}, 15.0f, true, 909u);
  paintLilyPad(canvas, Point{600.0f, 574.0f}, 13.0f, true, 910u);
  paintSceneFireflies(scene, Box{20, static_cast<int>(s) + 30, 780, 490}, 34, rgb(200, 255, 170), 2.0f, 911u);
  calmBoardArea(scene, 0.15f);
}

void paintWillowHollow(Landscape* scene) {
  Canvas* canvas = &scene->canvas;
  const SkyPalette& sky = skyPalette(scene->sky);
  const float s = scene->skyBottom;
  farRange(scene, 0.35f, MountainLook{rgb(164, 198, 222), rgb(128, 162, 206), kWhite, kWhite, 0.0f,
                                      sky.horizon, s - 30.0f, s + 20.0f}, 1001u);
  const Skyline far = hillBand(scene, s + 24.0f, 24.0f, 300.0f, rgb(168, 212, 140), rgb(140, 190, 120),
                               rgb(220, 244, 176), 1002u);
  paintTreeLine(canvas, far, 0.0f, 800.0f, 18.0f, 5.0f, kWillowGreen, 1003u);
  // The hollow: slopes rising to both sides of a soft dip.
  Skyline bowl;
  bowl.top.resize(kWidth);
  for (int x = 0; x < kWidth; ++x) {
    const float u = (x - 330.0f) / 420.0f;
    bowl.top[static_cast<size_t>(x)] = s + 110.0f - 80.0f * u * u + 6.0f * std::sin(x * 0.02f);
  }
  paintLand(canvas, bowl, land(rgb(150, 206, 110), rgb(110, 176, 96), 120.0f, rgb(206, 240, 150), 1004u), kHeight);
  paintWillow(canvas, Point{620.0f, skylineAt(bowl, 620.0f) + 40.0f}, 180.0f, kWillowGreen, 1005u);
  paintWillow(canvas, Point{470.0f, skylineAt(bowl, 470.0f) + 12.0f}, 90.0f, kWillowGreen, 1006u);
  paintWillow(canvas, Point{90.0f, skylineAt(bowl, 90.0f) + 46.0f}, 200.0f, kWillowGreen, 1007u);
  const Skyline near = hillBand(scene, s + 260.0f, 20.0f, 360.0f, rgb(132, 198, 98), rgb(98, 168, 84),
                                rgb(192, 234, 142), 1008u);
  paintGrassTexture(canvas, near, 515.0f, rgb(190, 234, 140), rgb(80, 150, 70), 1.0f, 1009u);
  paintFlowers(canvas, near, flat(512.0f), 0.0f, 220.0f, kFlowersBright, 4, 30, 2.4f, 1010u);
  paintFlowers(canvas, near, flat(512.0f), 540.0f, 800.0f, kFlowersBright, 4, 30, 2.4f, 1011u);
  paintPools(scene, rgb(156, 136, 104), rgb(174, 170, 162), rgb(96, 156, 96), 1012u);
  paintReeds(canvas, Point{730.0f, skylineAt(scene->shore, 730.0f) + 3.0f}, 48.0f, rgb(96, 146, 74), rgb(134, 88, 62), 9, 1013u);
  paintReeds(canvas, Point{40.0f, skylineAt(scene->shore, 40.0f) + 3.0f}, 40.0f, rgb(96, 146, 74), rgb(134, 88, 62), 7, 1014u);
  calmBoardArea(scene, 0.18f);
}

void paintCrystalVeil(Landscape* scene) {
  Canvas* canvas = &scene->canvas;
  const SkyPalette& sky = skyPalette(scene->sky);
  const float s = scene->skyBottom;
  farRange(scene, 0.45f, MountainLook{rgb(196, 184, 228), rgb(154, 140, 202), kWhite, kWhite, 0.0f,
                                      sky.horizon, s - 20.0f, s + 20.0f}, 1101u);
  const Skyline far = hillBand(scene, s + 40.0f, 40.0f, 300.0f, rgb(176, 158, 204), rgb(140, 128, 184),
                               rgb(226, 214, 244), 1102u);
  const Skyline mid = hillBand(scene, s + 170.0f, 30.0f, 400.0f, rgb(124, 192, 156), rgb(94, 164, 136),
                               rgb(184, 232, 204), 1104u);
  paintGrassTexture(canvas, mid, 520.0f, rgb(180, 230, 200), rgb(70, 130, 120), 1.0f, 1105u);
  const Colour hues[3] = {rgb(240, 146, 220), rgb(146, 204, 250), rgb(184, 154, 250)};
  for (int cluster = 0; cluster < 3; ++cluster) {
    const float cx = cluster == 0 ? 60.0f : (cluster == 1 ? 210.0f : 600.0f);
    const float base = skylineAt(cluster == 1 ? far : mid, cx) + (cluster == 1 ? 14.0f : 40.0f);
    const float size = cluster == 1 ? 0.7f : 1.4f;
    paintGlow(canvas, Point{cx, base - 40.0f * size}, 60.0f * size, hues[cluster], 0.3f);
    for (int i = 0; i < 4; ++i) {
      paintCrystal(canvas, Point{cx + (i - 1.5f) * 12.0f * size, base}, (40.0f + 26.0f * ((i * 7) % 3)) * size,
                   9.0f * size, -30.0f + i * 20.0f, hues[(cluster + i) % 3], 1106u + cluster * 5u + i);
    }
  }
  paintFallCliffs(scene, kCrystalRock, rgb(136, 170, 170), kStream, 1103u);
  paintPools(scene, rgb(126, 116, 146), rgb(184, 174, 212), rgb(130, 100, 170), 1121u);
  paintSceneFireflies(scene, Box{0, static_cast<int>(s), 800, 500}, 16, rgb(240, 200, 255), 1.8f, 1122u);
  calmBoardArea(scene, 0.18f);
}

void paintLanternCreek(Landscape* scene) {
  Canvas* canvas = &scene->canvas;
  const SkyPalette& sky = skyPalette(scene->sky);
  const float s = scene->skyBottom;
  farRange(scene, 0.4f, MountainLook{rgb(200, 152, 172), rgb(134, 106, 152), kWhite, kWhite, 0.0f,
                                     sky.horizon, s - 30.0f, s + 30.0f}, 1201u);
  const Skyline far = hillBand(scene, s + 34.0f, 30.0f, 300.0f, rgb(124, 138, 112), rgb(96, 114, 100),
                               rgb(252, 194, 134), 1202u);
  paintTreeLine(canvas, far, 520.0f, 800.0f, 20.0f, 5.0f, kDuskGreen, 1203u);
  paintCottage(canvas, Point{240.0f, skylineAt(far, 240.0f) + 14.0f}, 40.0f, rgb(238, 214, 188), rgb(176, 86, 78), true, 1204u);
  paintCottage(canvas, Point{420.0f, skylineAt(far, 420.0f) + 18.0f}, 34.0f, rgb(228, 202, 178), rgb(124, 92, 124), true, 1205u);
  const Skyline mid = hillBand(scene, s + 170.0f, 30.0f, 400.0f, rgb(118, 150, 96), rgb(86, 122, 84),
                               rgb(246, 198, 130), 1206u);
  paintGrassTexture(canvas, mid, 505.0f, rgb(190, 190, 120), rgb(70, 100, 70), 1.0f, 1207u);
  // A string of paper lanterns sagging across the meadow between two poles.
  const float x0 = 70.0f, x1 = 700.0f, y0 = s + 112.0f;
  auto stringAt = [&](float x) { return y0 + 34.0f * std::sin(kPi * (x - x0) / (x1 - x0)); };
  for (const float x : {x0, x1}) {
    const Point top{x, y0 - 4.0f}, foot{x, skylineAt(mid, x) + 20.0f};
    fillShapeColour(canvas, boxAround((top + foot) * 0.5f, 4.0f, (foot.y - top.y) * 0.5f + 2.0f),
                    [&](Point p) { return sdCapsule(p, top, foot, 2.0f); }, rgb(90, 62, 48));
  }
  for (float x = x0; x < x1; x += 6.0f) {
    const Point a{x, stringAt(x)}, b{x + 6.0f, stringAt(x + 6.0f)};
    fillShapeColour(canvas, boxAround(a, 8.0f, 8.0f), [&](Point p) { return sdCapsule(p, a, b, 0.7f); }, rgb(70, 50, 50));
  }
  for (int i = 0; i < 8; ++i) {
    const float x = x0 + (x1 - x0) * (i + 0.5f) / 8.0f;
    paintPaperLantern(canvas, Point{x, stringAt(x) + 10.0f}, 8.0f, i % 2 ? rgb(255, 150, 96) : rgb(255, 212, 110));
  }
  paintRoundTree(canvas, Point{30.0f, skylineAt(mid, 30.0f) + 30.0f}, 150.0f, kDuskGreen, 1208u);
  paintRoundTree(canvas, Point{660.0f, skylineAt(mid, 660.0f) + 24.0f}, 120.0f, kDuskGreen, 1209u);
  paintPools(scene, rgb(124, 106, 94), rgb(156, 136, 136), rgb(255, 204, 140), 1210u);
  for (int i = 0; i < scene->propCount; ++i) {
    const Box& prop = scene->props[i];
    paintGlow(canvas, Point{(prop.x0 + prop.x1) * 0.5f, prop.y0 + 20.0f}, 90.0f, rgb(255, 190, 110), 0.3f);
  }
  paintSceneFireflies(scene, Box{0, static_cast<int>(s) + 40, 800, 500}, 20, rgb(255, 220, 140), 2.0f, 1211u);
  calmBoardArea(scene, 0.15f);
}

void paintCloudBasin(Landscape* scene) {
  Canvas* canvas = &scene->canvas;
  const SkyPalette& sky = skyPalette(scene->sky);
  const float s = scene->skyBottom;
  paintFloatingIsland(canvas, Point{190.0f, s * 0.42f}, 74.0f, kSummer, kCloudRock, 1301u);
  paintFloatingIsland(canvas, Point{540.0f, s * 0.28f}, 48.0f, kSummer, kCloudRock, 1302u);
  // Far peaks poking out of a sea of clouds that fills the basin.
  const Peak peaks[3] = {{120.0f, s - 70.0f, 90.0f, 0.1f, 0.0f}, {380.0f, s - 46.0f, 70.0f, 0.1f, 0.0f},
                         {640.0f, s - 60.0f, 80.0f, 0.1f, 0.0f}};
  const Skyline peakLine = keepUnderSky(*scene, mountainSkyline(kWidth, s + 20.0f, peaks, 3, 3.0f, 1303u));
  paintMountains(canvas, peakLine, peaks, 3, MountainLook{rgb(170, 190, 226), rgb(130, 150, 204), kWhite,
                                                           rgb(210, 222, 244), 16.0f, sky.horizon, s - 30.0f, s}, 1304u);
  for (int i = 0; i < 10; ++i) {
    paintCloud(canvas, Point{i * 90.0f - 20.0f, s + 8.0f + 8.0f * (i % 3)}, 180.0f, 50.0f, sky.cloudLit,
               sky.cloudShade, 1.0f, 1305u + i);
  }
  const Skyline plateau = hillBand(scene, s + 80.0f, 18.0f, 300.0f, rgb(146, 204, 112), rgb(106, 174, 92),
                                   rgb(206, 240, 154), 1320u);
  paintGrassTexture(canvas, plateau, 495.0f, rgb(190, 234, 140), rgb(80, 150, 70), 1.0f, 1322u);
  paintFlowers(canvas, plateau, flat(492.0f), 0.0f, 200.0f, kFlowersBright, 4, 30, 2.4f, 1323u);
  paintGrove(canvas, Point{70.0f, skylineAt(plateau, 70.0f) + 20.0f}, 70.0f, 90.0f, kSummer, 1324u);
  paintFallCliffs(scene, kCloudRock, rgb(120, 184, 100), kStream, 1321u);
  paintPools(scene, rgb(156, 146, 116), rgb(194, 190, 180), rgb(206, 224, 244), 1325u);
  calmBoardArea(scene, 0.18f);
}

void paintEmberRidge(Landscape* scene) {
  Canvas* canvas = &scene->canvas;
  const SkyPalette& sky = skyPalette(scene->sky);
  const float s = scene->skyBottom;
  farRange(scene, 0.5f, MountainLook{rgb(196, 116, 104), rgb(124, 74, 94), kWhite, kWhite, 0.0f,
                                     sky.horizon, s - 30.0f, s + 20.0f}, 1401u);
  paintGlow(canvas, Point{450.0f, s - 4.0f}, 120.0f, rgb(255, 140, 60), 0.25f);
  const Skyline ridge = hillBand(scene, s + 40.0f, 50.0f, 280.0f, rgb(166, 100, 84), rgb(126, 74, 72),
                                 rgb(255, 176, 104), 1402u);
  paintTreeLine(canvas, ridge, 0.0f, 800.0f, 20.0f, 6.0f, kAutumn, 1403u);
  const Skyline mid = hillBand(scene, s + 150.0f, 36.0f, 380.0f, rgb(176, 132, 90), rgb(144, 100, 78),
                               rgb(255, 204, 134), 1404u);
  paintGrove(canvas, Point{520.0f, skylineAt(mid, 520.0f) + 10.0f}, 60.0f, 60.0f, kGolden, 1405u);
  paintGrassTexture(canvas, mid, 600.0f, rgb(236, 190, 120), rgb(120, 80, 60), 1.0f, 1406u);
  paintRoundTree(canvas, Point{640.0f, skylineAt(mid, 640.0f) + 40.0f}, 130.0f, kAutumn, 1407u);
  paintRoundTree(canvas, Point{150.0f, skylineAt(mid, 150.0f) + 26.0f}, 100.0f, kGolden, 1408u);
  paintSceneFireflies(scene, Box{0, static_cast<int>(s), 800, 560}, 36, rgb(255, 150, 70), 2.0f, 1409u);
  calmBoardArea(scene, 0.15f);
}

void paintStarlightSummit(Landscape* scene) {
  Canvas* canvas = &scene->canvas;
  const SkyPalette& sky = skyPalette(scene->sky);
  const float s = scene->skyBottom;
  paintMoon(canvas, Point{560.0f, s * 0.28f}, 26.0f, rgb(255, 250, 230), rgb(190, 210, 255, 120));
  RandomStream random{1501u};
  for (int i = 0; i < 9; ++i) {
    paintTwinkle(canvas, Point{randomRange(&random, 20.0f, 780.0f), randomRange(&random, 10.0f, s * 0.45f)},
                 randomRange(&random, 3.0f, 6.0f), rgb(255, 250, 220));
  }
  const Peak peaks[3] = {{150.0f, s - s * 0.45f, 220.0f, 0.08f, 0.0f},
                         {430.0f, s - s * 0.3f, 180.0f, 0.1f, 0.0f},
                         {720.0f, s - s * 0.48f, 210.0f, 0.08f, 0.0f}};
  const Skyline line = keepUnderSky(*scene, mountainSkyline(kWidth, s + 40.0f, peaks, 3, 6.0f, 1502u));
  paintMountains(canvas, line, peaks, 3, MountainLook{rgb(92, 112, 172), rgb(52, 66, 122), rgb(238, 246, 255),
                                                      rgb(150, 172, 222), 60.0f, sky.horizon, s, s + 60.0f}, 1503u);
  const Skyline snow = hillBand(scene, s + 110.0f, 30.0f, 360.0f, rgb(224, 234, 252), rgb(172, 192, 232),
                                kWhite, 1504u);
  paintPine(canvas, Point{40.0f, skylineAt(snow, 40.0f) + 60.0f}, 150.0f, kSnowPine, 1505u);
  paintPine(canvas, Point{96.0f, skylineAt(snow, 96.0f) + 40.0f}, 100.0f, kSnowPine, 1506u);
  paintPine(canvas, Point{620.0f, skylineAt(snow, 620.0f) + 30.0f}, 110.0f, kSnowPine, 1507u);
  paintCottage(canvas, Point{200.0f, skylineAt(snow, 200.0f) + 12.0f}, 40.0f, rgb(190, 150, 120), rgb(236, 242, 255), true, 1508u);
  paintSceneFireflies(scene, Box{0, static_cast<int>(s) + 100, 800, 600}, 20, rgb(220, 236, 255), 1.6f, 1509u);
  calmBoardArea(scene, 0.15f);
}

void paintValleyInSunshine(Landscape* scene) {
  Canvas* canvas = &scene->canvas;
  const SkyPalette& sky = skyPalette(scene->sky);
  const float s = scene->skyBottom;
  farRange(scene, 0.42f, MountainLook{rgb(160, 190, 230), rgb(116, 146, 206), kWhite, rgb(206, 220, 244),
                                      14.0f, sky.horizon, s - 30.0f, s + 26.0f}, 1601u);
  paintRainbow(canvas, Point{610.0f, s + 60.0f}, 180.0f, 22.0f, 0.55f);
  const Skyline far = hillBand(scene, s + 28.0f, 30.0f, 320.0f, rgb(160, 212, 122), rgb(126, 186, 104),
                               rgb(220, 244, 170), 1602u);
  paintTreeLine(canvas, far, 0.0f, 330.0f, 20.0f, 6.0f, kSummer, 1603u);
  const Skyline mid = hillBand(scene, s + 110.0f, 36.0f, 460.0f, rgb(140, 204, 100), rgb(104, 176, 86),
                               rgb(204, 240, 148), 1605u);
  paintCottage(canvas, Point{150.0f, skylineAt(mid, 150.0f) + 18.0f}, 58.0f, rgb(252, 238, 214), rgb(206, 92, 80), false, 1606u);
  paintGrove(canvas, Point{560.0f, skylineAt(mid, 560.0f) + 10.0f}, 60.0f, 64.0f, kSummer, 1607u);
  const Point path[4] = {{170.0f, skylineAt(mid, 170.0f) + 22.0f}, {220.0f, 330.0f}, {170.0f, 400.0f}, {230.0f, 470.0f}};
  paintPath(canvas, path, 4, 8.0f, 30.0f, rgb(230, 206, 160), 1608u);
  paintGrassTexture(canvas, mid, 470.0f, rgb(190, 236, 140), rgb(80, 150, 70), 1.0f, 1609u);
  paintFlowers(canvas, mid, flat(466.0f), 0.0f, 800.0f, kFlowersBright, 4, 90, 2.6f, 1610u);
  paintRoundTree(canvas, Point{36.0f, skylineAt(mid, 36.0f) + 40.0f}, 160.0f, kSummer, 1611u);
  paintFallCliffs(scene, kGreyRock, rgb(120, 190, 100), kStream, 1604u);
  paintPools(scene, rgb(170, 150, 116), rgb(176, 172, 164), rgb(90, 150, 110), 1612u);
  paintLilyPad(canvas, Point{80.0f, 560.0f}, 16.0f, true, 1613u);
  paintLilyPad(canvas, Point{560.0f, 580.0f}, 14.0f, true, 1614u);
  calmBoardArea(scene, 0.18f);
}
