// pictures_test.cpp: the board, HUD and menu pictures and the particle sheet as
// the game receives them: sizes, formats and transparency, the places the game
// relies on (panel buttons, bar windows, route pieces meeting at cell edges), the
// particle cells the code names, ball colours told apart by hue and by mark, and
// the font atlas against its metrics.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "data_files.h"
#include "test_support.h"

namespace {

struct Hsv {
  float hue, saturation, value;
};
Hsv toHsv(const uint8_t* p) {
  const float r = p[0] / 255.0f, g = p[1] / 255.0f, b = p[2] / 255.0f;
  const float high = std::max({r, g, b}), low = std::min({r, g, b}), range = high - low;
  float hue = 0.0f;
  if (range > 0.0f) {
    if (high == r) hue = 60.0f * std::fmod((g - b) / range + 6.0f, 6.0f);
    else if (high == g) hue = 60.0f * ((b - r) / range + 2.0f);
    else hue = 60.0f * ((r - g) / range + 4.0f);
  }
  return Hsv{hue, high > 0.0f ? range / high : 0.0f, high};
}

float hueDistance(float a, float b) {
  const float d = std::fabs(a - b);
  return std::min(d, 360.0f - d);
}

// How many separate bright runs a circle of radius r about (cx, cy) crosses.
int brightRunsOnCircle(const Pixels& pixels, float cx, float cy, float r, int threshold) {
  int runs = 0;
  bool previous = false, first = false;
  for (int i = 0; i < 360; ++i) {
    const float a = i * 3.14159265f / 180.0f;
    const int x = static_cast<int>(cx + r * std::cos(a)), y = static_cast<int>(cy + r * std::sin(a));
    const bool bright = pixels.alpha(x, y) > threshold;
    if (i == 0) first = bright;
    if (bright && !previous && i > 0) ++runs;
    previous = bright;
  }
  if (first && !previous) ++runs;  // a run that starts at angle 0
  return runs;
}

}  // namespace

TEST(Pictures, BoardHudAndMenuPicturesHaveTheirSizesAndTransparencyAroundTheirShapes) {
  const struct {
    std::string name;
    int width, height;
    bool cornersClear;  // a sprite: nothing in its corners
  } pictures[] = {
      {"bal00.tga", 64, 64, true},        {"jocker.tga", 64, 64, true},
      {"bomb.tga", 64, 64, true},         {"superbomb.tga", 64, 64, true},
      {"diamond0100.tga", 64, 64, true},  {"zep2.tga", 64, 64, true},
      {"shadow.tga", 64, 64, true},       {"field0.tga", 64, 64, true},
      {"field1.tga", 64, 64, true},       {"field2.tga", 64, 64, true},
      {"field1a.tga", 64, 64, true},      {"field2a.tga", 64, 64, true},
      {"fieldspodsv.tga", 64, 64, true},  {"question.tga", 64, 64, true},
      {"heart.tga", 32, 32, true},        {"molotok1.tga", 64, 128, true},
      {"molotok2.tga", 64, 128, true},    {"cursorhammer.tga", 64, 64, false},
      {"levelbar1.tga", 64, 512, true},   {"levelbar2.tga", 64, 512, true},
      {"gamebar.tga", 128, 512, false},   {"menutex.tga", 256, 512, true},
      {"baloon.tga", 256, 128, false},    {"button.tga", 128, 64, true},
      {"particles.tga", 512, 512, true},  {"route_head.tga", 64, 64, true},
      {"route_straight.tga", 64, 64, true}, {"route_corner.tga", 64, 64, false},
      {"route_tail.tga", 64, 64, true}};
  for (const auto& picture : pictures) {
    const Pixels pixels = load(picture.name);
    ASSERT_EQ(pixels.width, picture.width) << picture.name;
    ASSERT_EQ(pixels.height, picture.height) << picture.name;
    int clear = 0, solid = 0;
    for (int y = 0; y < pixels.height; ++y) {
      for (int x = 0; x < pixels.width; ++x) {
        clear += pixels.alpha(x, y) == 0;
        solid += pixels.alpha(x, y) >= 128;
      }
    }
    // The side panel is a full-height slab; everything else is a shape on clear.
    const int share = picture.name == "gamebar.tga" ? 100 : 20;
    EXPECT_GT(clear, pixels.width * pixels.height / share) << picture.name;
    EXPECT_GT(solid, 0) << picture.name;
    if (picture.cornersClear) {
      const int w = pixels.width - 1, h = pixels.height - 1;
      EXPECT_EQ(pixels.alpha(0, 0) + pixels.alpha(w, 0) + pixels.alpha(0, h) + pixels.alpha(w, h), 0)
          << picture.name;
    }
  }
  for (int i = 0; i < 8; ++i) EXPECT_EQ(load(numbered("bal%.2i.tga", i)).width, 64) << i;
  for (int i = 0; i < 16; ++i) EXPECT_EQ(load(numbered("diamond01%.2i.tga", i)).width, 64) << i;
}

TEST(Pictures, WindowTexturesAreOpaqueAndTileWithoutASeam) {
  for (const char* name : {"white.jpg", "winfill.jpg"}) {
    const Pixels pixels = load(name);
    ASSERT_GT(pixels.width, 0) << name;
    // Across the wrap the step between neighbours is no larger than inside.
    double inside = 0.0, seam = 0.0;
    for (int y = 0; y < pixels.height; ++y) {
      for (int x = 1; x < pixels.width; ++x) inside += std::abs(pixels.at(x, y)[1] - pixels.at(x - 1, y)[1]);
      seam += std::abs(pixels.at(0, y)[1] - pixels.at(pixels.width - 1, y)[1]);
    }
    inside /= (pixels.width - 1.0) * pixels.height;
    seam /= pixels.height;
    EXPECT_LT(seam, inside * 2.0 + 2.0) << name;
  }
  // The window body is tinted by the game: the texture itself stays light.
  const Pixels white = load("white.jpg");
  EXPECT_GT(white.at(64, 64)[0], 150);
}

TEST(Pictures, SidePanelPaintsItsButtonsAndDisplaysWhereTheGameLooks) {
  const Pixels panel = load("gamebar.tga");
  ASSERT_EQ(panel.width, 128);
  // Display wells for the score, the level number and the hearts: dark.
  for (const int y : {62, 153, 245}) {
    const uint8_t* p = panel.at(78, y);
    EXPECT_EQ(p[3], 255) << y;
    EXPECT_LT(p[0] + p[1] + p[2], 200) << y;
  }
  // The menu and pause buttons: light teal faces, the pause sign white.
  const uint8_t* menu = panel.at(90, 335);
  EXPECT_GT(menu[1], menu[0] + 40);
  const uint8_t* pauseBar = panel.at(71, 398);
  EXPECT_GT(pauseBar[0] + pauseBar[1] + pauseBar[2], 700);
  const uint8_t* pauseFace = panel.at(52, 398);
  EXPECT_GT(pauseFace[1], pauseFace[0] + 40);
  // The three colour buttons: opaque and each its own colour.
  const uint8_t* night = panel.at(41, 441);
  const uint8_t* morning = panel.at(66, 441);
  const uint8_t* day = panel.at(91, 441);
  EXPECT_GT(night[2], night[0]);
  EXPECT_GT(morning[0], morning[2]);
  EXPECT_GT(day[2], day[0]);
  EXPECT_EQ(night[3] & morning[3] & day[3], 255);
  // The panel's left edge lies on the board side: transparent beyond its rim.
  EXPECT_EQ(panel.alpha(0, 250), 0);
}

TEST(Pictures, GaugesLineUp) {
  // The lit hammer fills the dark one's silhouette exactly.
  const Pixels dark = load("molotok1.tga"), lit = load("molotok2.tga");
  int differ = 0, shape = 0;
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 64; ++x) {
      differ += (dark.alpha(x, y) > 128) != (lit.alpha(x, y) > 128);
      shape += lit.alpha(x, y) > 128;
    }
  }
  EXPECT_GT(shape, 1000);
  EXPECT_LT(differ, shape / 100);
  // The bar's fill lies inside the frame's window and runs nearly its whole height.
  const Pixels frame = load("levelbar1.tga"), fill = load("levelbar2.tga");
  int top = 512, bottom = -1;
  for (int y = 0; y < 512; ++y) {
    for (int x = 0; x < 64; ++x) {
      if (fill.alpha(x, y) == 0) continue;
      EXPECT_GT(frame.alpha(x, y), 128) << x << "," << y;
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  EXPECT_LT(top, 60);
  EXPECT_GT(bottom, 460);
}

TEST(Pictures, RoutePiecesMeetTheirNeighboursAtTheCellEdges) {
  const Pixels head = load("route_head.tga"), straight = load("route_straight.tga");
  const Pixels corner = load("route_corner.tga"), tail = load("route_tail.tga");
  // Every piece runs to the edges it shares with the route and no others.
  EXPECT_GT(straight.alpha(0, 32), 100);
  EXPECT_GT(straight.alpha(63, 32), 100);
  EXPECT_EQ(straight.alpha(32, 0) + straight.alpha(32, 63), 0);
  EXPECT_GT(head.alpha(0, 32), 100);
  EXPECT_EQ(head.alpha(63, 32), 0);
  EXPECT_GT(tail.alpha(63, 32), 100);
  EXPECT_EQ(tail.alpha(0, 32), 0);
  EXPECT_GT(corner.alpha(0, 32), 100);
  EXPECT_GT(corner.alpha(32, 0), 100);
  EXPECT_EQ(corner.alpha(63, 32) + corner.alpha(32, 63), 0);
  // The band across the joint looks the same on both sides of it.
  EXPECT_NEAR(straight.alpha(0, 32), corner.alpha(0, 32), 8);
  EXPECT_NEAR(straight.alpha(63, 32), tail.alpha(63, 32), 8);
}

TEST(Pictures, ParticleCellsTheCodeNamesHoldTheirShapesAndFadeBeforeTheirEdges) {
  const Pixels sheet = load("particles.tga");
  ASSERT_EQ(sheet.width, 512);
  auto cellAlpha = [&](int cell, int x, int y) { return sheet.alpha((cell % 8) * 64 + x, (cell / 8) * 64 + y); };
  for (int cell = 0; cell < 64; ++cell) {
    // No hard square edges: the outermost ring of every cell is empty.
    int edge = 0, inside = 0;
    for (int i = 0; i < 64; ++i) {
      edge = std::max({edge, cellAlpha(cell, i, 0), cellAlpha(cell, i, 63), cellAlpha(cell, 0, i), cellAlpha(cell, 63, i)});
    }
    for (int y = 8; y < 56; ++y) {
      for (int x = 8; x < 56; ++x) inside = std::max(inside, cellAlpha(cell, x, y));
    }
    EXPECT_LE(edge, 8) << "cell " << cell;
    EXPECT_GT(inside, 100) << "cell " << cell;
  }
  // Lights carry their brightness in colour and alpha alike (added by colour or
  // blended by alpha); matter is grey for the effect's tint.
  for (const int cell : {3, 10, 12, 17, 33, 53, 61, 62}) {
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) {
        const uint8_t* p = sheet.at((cell % 8) * 64 + x, (cell / 8) * 64 + y);
        ASSERT_EQ(p[0], p[3]) << "cell " << cell;
        ASSERT_EQ(p[0], p[1]);
        ASSERT_EQ(p[0], p[2]);
      }
    }
  }
  for (const int cell : {18, 19, 26, 34}) {
    const uint8_t* p = sheet.at((cell % 8) * 64 + 32, (cell / 8) * 64 + 32);
    EXPECT_GT(p[3], 60) << "cell " << cell;
    EXPECT_EQ(p[0], p[1]);
    EXPECT_EQ(p[1], p[2]);
  }
  // Shapes: a four-point spark and glint, a five-point star, a thin ring, a glow
  // brightest in its middle.
  auto runs = [&](int cell, float r, int threshold) {
    return brightRunsOnCircle(sheet, (cell % 8) * 64 + 32.0f, (cell / 8) * 64 + 32.0f, r, threshold);
  };
  EXPECT_EQ(runs(3, 14.0f, 60), 4);
  EXPECT_EQ(runs(62, 12.0f, 60), 4);
  EXPECT_EQ(runs(61, 21.0f, 128), 5);
  EXPECT_LT(cellAlpha(53, 32, 32), 30);
  EXPECT_GT(cellAlpha(53, 32 + 24, 32), 150);
  EXPECT_EQ(cellAlpha(12, 32, 32), 255);
  EXPECT_LT(cellAlpha(12, 32 + 20, 32), cellAlpha(12, 32 + 8, 32));
}

TEST(Pictures, BallColoursDifferInHueAndInTheirMarks) {
  float hues[8];
  std::vector<bool> marks[8];
  for (int i = 0; i < 8; ++i) {
    const Pixels ball = load(numbered("bal%.2i.tga", i));
    ASSERT_EQ(ball.width, 64);
    // Mean hue of the body, weighted by saturation (a circular mean).
    double sx = 0.0, sy = 0.0;
    marks[i].assign(64 * 64, false);
    int markArea = 0;
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) {
        if (ball.alpha(x, y) < 255) continue;
        const Hsv hsv = toHsv(ball.at(x, y));
        sx += hsv.saturation * std::cos(hsv.hue * 3.14159265 / 180.0);
        sy += hsv.saturation * std::sin(hsv.hue * 3.14159265 / 180.0);
        // The mark: pale pixels near the middle, apart from the highlight above.
        const float dx = x + 0.5f - 32.0f, dy = y + 0.5f - 32.0f;
        const bool pale = hsv.saturation < 0.3f && hsv.value > 0.75f;
        if (pale && dx * dx + dy * dy < 17.0f * 17.0f) {
          marks[i][y * 64 + x] = true;
          ++markArea;
        }
      }
    }
    hues[i] = static_cast<float>(std::atan2(sy, sx) * 180.0 / 3.14159265);
    EXPECT_GT(markArea, 80) << "ball " << i;
  }
  // What every ball shares (the highlight) is no part of a mark.
  for (int k = 0; k < 64 * 64; ++k) {
    bool everywhere = true;
    for (int i = 0; i < 8; ++i) everywhere = everywhere && marks[i][k];
    for (int i = 0; i < 8 && everywhere; ++i) marks[i][k] = false;
  }
  // Same marks would overlap almost wholly; different shapes leave a good part
  // of their union to one of them.
  for (int a = 0; a < 8; ++a) {
    for (int b = a + 1; b < 8; ++b) {
      EXPECT_GT(hueDistance(hues[a], hues[b]), 15.0f) << a << " and " << b;
      int both = 0, either = 0;
      for (int k = 0; k < 64 * 64; ++k) {
        both += marks[a][k] && marks[b][k];
        either += marks[a][k] || marks[b][k];
      }
      EXPECT_LT(static_cast<float>(both) / either, 0.8f) << "marks of " << a << " and " << b;
    }
  }
}

TEST(Pictures, FontGlyphsAreWhiteInkCentredOnTheirAdvances) {
  const std::vector<uint8_t> metrics = dataFile("font.dat");
  const Pixels atlas = load("font.tga");
  ASSERT_EQ(metrics.size(), 516u);
  ASSERT_EQ(atlas.width, 512);
  for (int code = 33; code < 256; ++code) {
    if (code >= 127 && code <= 160) continue;
    const int advance = metrics[4 + code];
    const int cellX = (code % 16) * 32, cellY = (code / 16) * 32;
    int left = 32, right = -1;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const uint8_t* p = atlas.at(cellX + x, cellY + y);
        if (p[3] < 200) continue;
        // Opaque texels are the ink itself: white, so the game's tint shows.
        ASSERT_EQ(p[0], p[1]) << code;
        ASSERT_EQ(p[1], p[2]) << code;
        if (p[0] < 200) continue;
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
    ASSERT_GE(right, left) << "no ink for " << code;
    // The ink lies within the advance, which the layout centres in the cell.
    EXPECT_GE(left, (32 - advance) / 2 - 2) << code;
    EXPECT_LE(right, (32 + advance) / 2 + 2) << code;
    EXPECT_GE(advance, right - left - 2) << code;
  }
}

TEST(Pictures, PreviewSheetsAreWritten) {
  const struct {
    const char* name;
    int width, height;
  } sheets[] = {{"pictures.png", 0, 0}, {"particles.png", 896, 896}, {"menutex.png", 544, 1056},
                {"balls.png", 1220, 400}, {"board.png", 800, 600},   {"menu.png", 800, 600}};
  for (const auto& sheet : sheets) {
    const std::vector<uint8_t> png = testReadFile(std::string(ORBEL_PREVIEW_DIR) + "/" + sheet.name);
    int width = 0, height = 0, channels = 0;
    ASSERT_TRUE(stbi_info_from_memory(png.data(), static_cast<int>(png.size()), &width, &height, &channels))
        << sheet.name;
    if (sheet.width > 0) {
      EXPECT_EQ(width, sheet.width) << sheet.name;
      EXPECT_EQ(height, sheet.height) << sheet.name;
    }
  }
}

TEST(Pictures, MenuFramePiecesJoinWithoutSteps) {
  const Pixels atlas = load("menutex.tga");
  ASSERT_EQ(atlas.width, 256);
  // The edge tiles repeat seamlessly.
  for (int i = 0; i < 64; ++i) {
    EXPECT_NEAR(atlas.alpha(0, 128 + i), atlas.alpha(63, 128 + i), 2) << i;
    EXPECT_NEAR(atlas.alpha(64 + i, 128), atlas.alpha(64 + i, 191), 2) << i;
  }
  // Corners and ornaments meet the edge tiles with the same rail profile: the top
  // left corner's right side and the top ornament's ends against the horizontal
  // tile, the corner's lower side against the vertical tile.
  for (int i = 0; i < 64; ++i) {
    const int horizontal = atlas.alpha(32, 128 + i);
    EXPECT_NEAR(atlas.alpha(63, i), horizontal, 12) << i;
    EXPECT_NEAR(atlas.alpha(0, 192 + i), horizontal, 12) << i;
    EXPECT_NEAR(atlas.alpha(127, 192 + i), horizontal, 12) << i;
    EXPECT_NEAR(atlas.alpha(i, 63), atlas.alpha(64 + i, 160), 12) << i;
  }
  // The balloon's corners meet its edges the same way.
  const Pixels balloon = load("baloon.tga");
  for (int i = 0; i < 64; ++i) {
    EXPECT_NEAR(balloon.alpha(63, i), balloon.alpha(160, i), 12) << i;
    EXPECT_NEAR(balloon.alpha(i, 63), balloon.alpha(192 + i, 32), 12) << i;
  }
  // The button's middle column, which the game stretches, matches its neighbours.
  const Pixels button = load("button.tga");
  for (int y = 0; y < 64; ++y) {
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(button.at(63, y)[c], button.at(64, y)[c], 3) << y;
  }
}

TEST(Pictures, CursorsPointWhereTheGameAimsThem) {
  // The arrow's tip is the top-left of cell 22, at texel (2, 0).
  const Pixels atlas = load("menutex.tga");
  int best = 1000, bestX = 0, bestY = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      if (atlas.alpha(192 + x, 448 + y) > 128 && x + y < best) {
        best = x + y;
        bestX = x;
        bestY = y;
      }
    }
  }
  EXPECT_LE(std::abs(bestX - 2) + std::abs(bestY - 0), 3);
  // The hammer strikes with the face of its head near texel (4, 18).
  const Pixels hammer = load("cursorhammer.tga");
  EXPECT_GT(hammer.alpha(6, 18), 128);
  EXPECT_EQ(hammer.alpha(0, 18), 0);
}

TEST(Pictures, FloorDepthsStandApartAndTheDiamondTurnsInALoop) {
  // Mean colour of each floor's middle: plain, one layer, two layers.
  int mean[3][3] = {};
  for (int layers = 0; layers < 3; ++layers) {
    const Pixels floor = load(numbered("field%i.tga", layers));
    for (int y = 16; y < 48; ++y) {
      for (int x = 16; x < 48; ++x) {
        for (int c = 0; c < 3; ++c) mean[layers][c] += floor.at(x, y)[c];
      }
    }
    for (int c = 0; c < 3; ++c) mean[layers][c] /= 32 * 32;
  }
  for (int a = 0; a < 3; ++a) {
    for (int b = a + 1; b < 3; ++b) {
      const int distance = std::abs(mean[a][0] - mean[b][0]) + std::abs(mean[a][1] - mean[b][1]) +
                           std::abs(mean[a][2] - mean[b][2]);
      EXPECT_GT(distance, 90) << a << " and " << b;
    }
  }
  // Every frame changes the gem; the last leads back to the first as smoothly as
  // any other step, and the outline stays put.
  std::vector<Pixels> frames;
  for (int i = 0; i < 16; ++i) frames.push_back(load(numbered("diamond01%.2i.tga", i)));
  auto change = [&](const Pixels& a, const Pixels& b, int* outline) {
    long sum = 0;
    for (int k = 0; k < 64 * 64; ++k) {
      for (int c = 0; c < 3; ++c) sum += std::abs(a.rgba[k * 4 + c] - b.rgba[k * 4 + c]);
      *outline += (a.rgba[k * 4 + 3] > 128) != (b.rgba[k * 4 + 3] > 128);
    }
    return sum;
  };
  long largest = 0;
  for (int i = 0; i < 16; ++i) {
    int outline = 0;
    const long step = change(frames[i], frames[(i + 1) % 16], &outline);
    EXPECT_GT(step, 2000) << "frame " << i;
    EXPECT_LT(outline, 40) << "frame " << i;
    if (i < 15) largest = std::max(largest, step);
  }
  int outline = 0;
  EXPECT_LT(change(frames[15], frames[0], &outline), largest * 3 / 2);
}
