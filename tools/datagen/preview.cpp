// preview.cpp: pictures for a person to look over the generated data at a glance.
// The level sheet "levels.png" shows every level's board with its number and file
// name (columns under the side bars shaded). The picture sheets show every
// picture on a checkerboard with its name ("pictures.png"), the particle sheet and
// the menu atlas with their cell numbers ("particles.png", "menutex.png"), the
// ball colours with their marks ("balls.png"), and a mock-up of a game screen
// with the board, its pieces and the HUD placed as the game scene places them
// ("board.png") and of a menu window built from the atlas ("menu.png").
#include <stb_image.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "art.h"
#include "datagen.h"
#include "generators.h"
#include "image.h"
#include "paint.h"

namespace {

constexpr int kCell = 8;
constexpr int kBoardWidth = 20 * kCell;
constexpr int kBoardHeight = 15 * kCell;
constexpr int kLabelHeight = 18;
constexpr int kTileWidth = kBoardWidth + 16;
constexpr int kTileHeight = kBoardHeight + kLabelHeight + 10;
constexpr int kTilesPerRow = 8;

constexpr Rgba kBallColours[8] = {{220, 40, 40, 255},  {245, 150, 20, 255}, {240, 225, 40, 255},
                                  {50, 190, 60, 255},  {40, 200, 220, 255}, {50, 80, 230, 255},
                                  {160, 60, 210, 255}, {240, 110, 190, 255}};

Rgba floorColour(char c) {
  if (c == '.') return Rgba{28, 30, 40, 255};
  if (c == '1' || c == 'Z') return Rgba{110, 170, 230, 255};
  if (c == '2' || (c >= 'A' && c <= 'N')) return Rgba{40, 90, 200, 255};
  return Rgba{175, 165, 145, 255};
}

void drawCell(Image* sheet, int x, int y, char c, bool hidden) {
  Rgba floor = floorColour(c);
  if (hidden) floor = Rgba{static_cast<uint8_t>(floor.r / 2), static_cast<uint8_t>(floor.g / 2),
                           static_cast<uint8_t>(floor.b / 2), 255};
  fillRect(sheet, x, y, x + kCell - 1, y + kCell - 1, floor);
  const float cx = x + kCell / 2.0f - 0.5f;
  const float cy = y + kCell / 2.0f - 0.5f;
  if (c >= 'A' && c <= 'H') {
    fillDisc(sheet, cx, cy, 3.2f, Rgba{200, 200, 200, 255});
    fillDisc(sheet, cx, cy, 2.2f, kBallColours[c - 'A']);
  } else if (c >= 'K' && c <= 'N') {
    fillDisc(sheet, cx, cy, 3.2f, Rgba{255, 255, 255, 255});
  } else if (c >= 'a' && c <= 'h') {
    fillDisc(sheet, cx, cy, 2.0f, kBallColours[c - 'a']);
  } else if (c == 'X' || c == 'Z') {
    fillDisc(sheet, cx, cy, 2.0f, kBallColours[0]);
  }
}

void drawTile(Image* sheet, const LevelSummary& level, int tile) {
  const int left = (tile % kTilesPerRow) * kTileWidth + 8;
  const int top = (tile / kTilesPerRow) * kTileHeight + 4;
  const std::string label = level.index >= 0 ? format("%i  %s%s", level.index, level.fileName.c_str(),
                                                      level.hammerOff ? "  no hammer" : "")
                                             : level.fileName;
  drawLabel(sheet, label.c_str(), left + kBoardWidth / 2.0f, top + 13.0f, 12.0f,
            Rgba{230, 230, 230, 255});
  for (int row = 0; row < 15; ++row) {
    for (int column = 0; column < 20; ++column) {
      drawCell(sheet, left + column * kCell, top + kLabelHeight + row * kCell,
               level.cells[row][column], column < 1 || column > 15);
    }
  }
}

}  // namespace

// Writes a preview picture into gen.previewDir. False (error reported) on failure.
static bool writePreview(const char* name, const Image& image) {
  return writeToolFile(gen.previewDir + "/" + name, encodePng(image), "preview");
}

bool writeLevelSheet(const std::vector<LevelSummary>& levels) {
  loadTypeface();
  const int rows = (static_cast<int>(levels.size()) + kTilesPerRow - 1) / kTilesPerRow;
  Image sheet = makeImage(kTilesPerRow * kTileWidth + 8, rows * kTileHeight + 8,
                          Rgba{12, 12, 16, 255});
  for (size_t i = 0; i < levels.size(); ++i) drawTile(&sheet, levels[i], static_cast<int>(i));
  return writePreview("levels.png", sheet);
}

// ---------------------------------------------------------------------------
// Picture sheets

namespace {

bool isPictureName(const std::string& name) {
  return name.size() > 4 && (name.compare(name.size() - 4, 4, ".tga") == 0 ||
                             name.compare(name.size() - 4, 4, ".jpg") == 0);
}

// A generated picture decoded back (straight alpha); empty when it cannot be read.
Canvas decodeOutput(const OutputFile& file) {
  int width = 0, height = 0, channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(file.bytes.data(), static_cast<int>(file.bytes.size()),
                                          &width, &height, &channels, 4);
  if (!pixels) return makeCanvas(0, 0);
  Image image{width, height, std::vector<uint8_t>(pixels, pixels + width * height * 4)};
  stbi_image_free(pixels);
  return imageToCanvas(image);
}

// The picture of that name from any place, or an empty canvas.
Canvas pictureNamed(const std::string& name) {
  for (const OutputFile& file : gen.files) {
    if (file.name == name) return decodeOutput(file);
  }
  return makeCanvas(0, 0);
}

void paintChecker(Canvas* canvas, Box box, int square) {
  box = clipBox(box, canvas->width, canvas->height);
  for (int y = box.y0; y < box.y1; ++y) {
    for (int x = box.x0; x < box.x1; ++x) {
      const bool dark = (((x - box.x0) / square) + ((y - box.y0) / square)) % 2 == 0;
      paintPixel(canvas, x, y, dark ? rgb(96, 96, 104) : rgb(150, 150, 158), 1.0f);
    }
  }
}

// Draws a picture with its top-left at (x, y), scaled.
void placePicture(Canvas* sheet, const Canvas& picture, float x, float y, float scale,
                  float degrees = 0.0f, float opacity = 1.0f) {
  drawCanvas(sheet, picture, Point{x + picture.width * scale * 0.5f, y + picture.height * scale * 0.5f},
             degrees, scale, opacity);
}

// Every picture of the data set on a checkerboard with its name.
bool writeContactSheet() {
  constexpr int kCell = 200, kLabel = 18, kColumns = 8;
  std::vector<const OutputFile*> pictures;
  for (const OutputFile& file : gen.files) {
    if (isPictureName(file.name) && file.name != "font.tga") pictures.push_back(&file);
  }
  const OutputFile* font = findOutput(Place::TargaPack, "font.tga");
  if (font) pictures.push_back(font);
  const int rows = (static_cast<int>(pictures.size()) + kColumns - 1) / kColumns;
  Canvas sheet = makeCanvas(kColumns * kCell, rows * (kCell + kLabel), rgb(30, 30, 36));
  for (size_t i = 0; i < pictures.size(); ++i) {
    const int left = static_cast<int>(i % kColumns) * kCell;
    const int top = static_cast<int>(i / kColumns) * (kCell + kLabel);
    const Canvas picture = decodeOutput(*pictures[i]);
    if (picture.width == 0) continue;
    const float scale = std::min({2.0f, (kCell - 12.0f) / picture.width, (kCell - 12.0f) / picture.height});
    const float w = picture.width * scale, h = picture.height * scale;
    const float x = left + (kCell - w) * 0.5f, y = top + (kCell - h) * 0.5f;
    paintChecker(&sheet, Box{int(x), int(y), int(x + w), int(y + h)}, 8);
    placePicture(&sheet, picture, x, y, scale);
    const std::string label = format("%s  %ix%i", pictures[i]->name.c_str(), picture.width, picture.height);
    paintLabel(&sheet, label.c_str(), left + kCell * 0.5f, top + kCell + 12.0f, 11.0f, rgb(230, 230, 230));
  }
  return writePreview("pictures.png", canvasToImage(sheet));
}

// The particle sheet cell by cell on black, numbered and named.
bool writeParticleSheet() {
  const Canvas particles = pictureNamed("particles.tga");
  constexpr int kCell = 112;
  Canvas sheet = makeCanvas(8 * kCell, 8 * kCell, rgb(10, 10, 14));
  for (int cell = 0; cell < 64 && particles.width == 512; ++cell) {
    const int left = (cell % 8) * kCell, top = (cell / 8) * kCell;
    Canvas one = makeCanvas(64, 64);
    compositeOver(&one, particles, -(cell % 8) * 64, -(cell / 8) * 64);
    fillShapeColour(&sheet, Box{left + 4, top + 4, left + kCell - 4, top + kCell - 4},
                    [&](Point p) { return sdRoundedBox(p, Point{left + kCell * 0.5f, top + kCell * 0.5f}, kCell * 0.5f - 4, kCell * 0.5f - 4, 4); },
                    rgb(0, 0, 0));
    placePicture(&sheet, one, left + 16.0f, top + 8.0f, 1.25f);
    paintLabel(&sheet, format("%i %s", cell, particleCellName(cell)).c_str(), left + kCell * 0.5f,
               top + kCell - 9.0f, 11.0f, rgb(220, 220, 120));
  }
  return writePreview("particles.png", canvasToImage(sheet));
}

// The menu atlas twice as large on a checkerboard with its cells outlined.
bool writeMenuAtlasSheet() {
  const Canvas atlas = pictureNamed("menutex.tga");
  struct Cell {
    int col, row, w, h;
  };
  const Cell cells[24] = {{0, 0, 1, 1}, {1, 0, 1, 1}, {0, 1, 1, 1}, {1, 1, 1, 1}, {0, 2, 1, 1},
                          {1, 2, 1, 1}, {2, 0, 1, 1}, {3, 0, 1, 1}, {2, 1, 1, 1}, {3, 1, 1, 1},
                          {0, 3, 2, 1}, {0, 4, 2, 1}, {2, 3, 1, 2}, {3, 3, 1, 2}, {0, 7, 1, 1},
                          {1, 7, 1, 1}, {0, 5, 1, 1}, {0, 6, 1, 1}, {2, 5, 1, 1}, {3, 5, 1, 1},
                          {1, 6, 1, 1}, {1, 5, 1, 1}, {3, 7, 1, 1}, {2, 7, 1, 1}};
  Canvas sheet = makeCanvas(512 + 32, 1024 + 32, rgb(30, 30, 36));
  paintChecker(&sheet, Box{16, 16, 528, 1040}, 16);
  placePicture(&sheet, atlas, 16.0f, 16.0f, 2.0f);
  for (int i = 0; i < 24; ++i) {
    const Cell& c = cells[i];
    const Point centre{16 + (c.col + c.w * 0.5f) * 128, 16 + (c.row + c.h * 0.5f) * 128};
    fillShapeColour(&sheet, wholeCanvas(sheet),
                    [&](Point p) { return std::fabs(sdRoundedBox(p, centre, c.w * 64.0f - 2, c.h * 64.0f - 2, 2)) - 0.5f; },
                    rgb(255, 255, 0, 120));
    paintLabel(&sheet, format("%i", i).c_str(), 16 + c.col * 128 + 14.0f, 16 + c.row * 128 + 18.0f, 14.0f,
               rgb(255, 255, 80));
  }
  return writePreview("menutex.png", canvasToImage(sheet));
}

// The eight balls side by side with their colour and mark, then the items.
bool writeBallSheet() {
  Canvas sheet = makeCanvas(8 * 150 + 20, 2 * 190 + 20, rgb(236, 228, 212));
  for (int i = 0; i < kBallColourCount; ++i) {
    const float left = 10.0f + i * 150.0f;
    placePicture(&sheet, pictureNamed(format("bal%.2i.tga", i)), left + 11.0f, 20.0f, 2.0f);
    const std::string label = format("%i %s %s", i, kBallStyles[i].colourName, kBallStyles[i].markName);
    paintLabel(&sheet, label.c_str(), left + 75.0f, 172.0f, 14.0f, rgb(60, 50, 40));
  }
  const char* const items[] = {"jocker.tga", "bomb.tga", "superbomb.tga", "diamond0100.tga",
                               "diamond0104.tga", "diamond0108.tga", "zep2.tga", "shadow.tga"};
  for (int i = 0; i < 8; ++i) {
    const float left = 10.0f + i * 150.0f;
    placePicture(&sheet, pictureNamed(items[i]), left + 11.0f, 210.0f, 2.0f);
    paintLabel(&sheet, items[i], left + 75.0f, 362.0f, 14.0f, rgb(60, 50, 40));
  }
  return writePreview("balls.png", canvasToImage(sheet));
}

// ---------------------------------------------------------------------------
// The game screen mock-up. Scene units are the game's: x -400..400 to the right,
// y -300..300 up; the preview is 800 x 600 pixels.

Point toScreen(float x, float y) { return Point{x + 400.0f, 300.0f - y}; }
Point cellCentre(int x, int y) { return toScreen(40.0f * x - 560.0f, 480.0f - 40.0f * y); }

// A picture drawn centred on scene point p, `size` units wide, turned by degrees
// counter-clockwise (the game's sense).
void drawSized(Canvas* screen, const Canvas& picture, Point centre, float size, float degrees = 0.0f,
               float opacity = 1.0f) {
  if (picture.width == 0) return;
  drawCanvas(screen, picture, centre, -degrees, size / picture.width, opacity);
}

// Text as the game draws it from "font.tga" and "font.dat": each glyph a quad 2S
// wide and 1.8S tall centred on the text line, glyphs spaced by their advances,
// the line centred on x. (x, y) are scene units.
void drawGameText(Canvas* screen, const Canvas& atlas, const char* text, float x, float y, float size,
                  Colour colour) {
  const OutputFile* metrics = findOutput(Place::TextsPack, "font.dat");
  if (atlas.width != 512 || !metrics || metrics->bytes.size() < 516) return;
  auto advance = [&](unsigned char c) { return metrics->bytes[4 + c] * 2.0f / 32.0f; };
  float width = 0.0f;
  for (const char* c = text; *c; ++c) width += size * advance(static_cast<unsigned char>(*c));
  float offset = -width * 0.5f + size * 0.5f;
  const Point line = toScreen(x, y);
  for (const char* c = text; *c; ++c) {
    const unsigned char code = static_cast<unsigned char>(*c);
    if (c != text) offset += 0.5f * size * advance(code);
    const int cell = metrics->bytes[260 + code];
    const float u = (cell % 16) * 32.0f, v = (cell / 16) * 32.0f;
    const float cx = line.x + offset;
    drawCanvasRect(screen, atlas, u, v, u + 32.0f, v + 32.0f, cx - size, line.y - 0.9f * size, cx + size,
                   line.y + 0.9f * size, colour);
    offset += 0.5f * size * advance(code);
  }
}

// The board: '.' hole, '0'..'2' layers; balls 'a'..'h', '*' joker, 'b' bomb and
// so on by the second layer below.
constexpr int kMockColumns = 10, kMockRows = 8, kMockLeft = 8, kMockTop = 8;
const char* const kMockFloor[kMockRows] = {"0011220000", "0012221000", "0001210000", "0000100110",
                                           "0110000120", "0120000000", "0110002200", "0000002200"};
// a..h colours, J joker, T triple bomb, Q quadro bomb, D diamond; upper case A..H
// chained; p..w previews of colours 0..7; '.' empty.
const char* const kMockBalls[kMockRows] = {"a..bC.dh..", ".e.J..b.q.", "c..c..T.a.", "..f..hD..b",
                                           ".gg.E.....", "..Q.a..f.s", ".r..d..c..", "h...bb..gA"};

void drawMockFloor(Canvas* screen, const Canvas floors[3], const Canvas glints[2]) {
  for (int x = 0; x < kMockColumns; ++x) {
    for (int y = 0; y < kMockRows; ++y) {
      const int layers = kMockFloor[y][x] - '0';
      const Point c = cellCentre(kMockLeft + x, kMockTop + y);
      drawSized(screen, floors[layers], c, 46.2f);
      if (layers > 0 && (x + y) % 4 == 1) drawSized(screen, glints[layers - 1], c, 46.2f, 0.0f, 0.55f);
    }
  }
}

void drawMockBall(Canvas* screen, char code, Point c, const Canvas& shadow, const Canvas& chain) {
  std::string name;
  float size = 35.2f;
  bool chained = false;
  if (code >= 'a' && code <= 'h') name = format("bal%.2i.tga", code - 'a');
  if (code >= 'A' && code <= 'H') {
    name = format("bal%.2i.tga", code - 'A');
    chained = true;
  }
  if (code == 'J') name = "jocker.tga";
  if (code == 'T') name = "bomb.tga";
  if (code == 'Q') name = "superbomb.tga";
  if (code == 'D') {
    name = "diamond0103.tga";
    size = 41.6f;
  }
  if (code >= 'p' && code <= 'w') {
    drawSized(screen, pictureNamed(format("bal%.2i.tga", code - 'p')), c, 13.2f);
    return;
  }
  if (name.empty()) return;
  drawSized(screen, shadow, c, 48.0f);
  drawSized(screen, pictureNamed(name), c, size);
  if (chained) drawSized(screen, chain, c, 60.0f, 45.0f);
}

// The route from the selected ball at column 0, row 3 of the mock board to the
// hovered cell, piece by piece, turned as the game turns them.
void drawMockRoute(Canvas* screen) {
  struct Step {
    int x, y;
  };
  const Step route[] = {{1, 3}, {1, 2}, {2, 2}, {2, 1}, {2, 0}};  // from the ball out
  const int count = 5;
  const Canvas head = pictureNamed("route_head.tga"), straight = pictureNamed("route_straight.tga"),
               corner = pictureNamed("route_corner.tga"), tail = pictureNamed("route_tail.tga");
  const Step ball{0, 3};
  for (int i = 0; i < count; ++i) {
    const Step from = i == 0 ? ball : route[i - 1];
    const Step at = route[i];
    const int inX = at.x - from.x, inY = at.y - from.y;  // direction of travel into this cell
    // Angles of a piece pointing along +x (screen right) for each direction.
    auto angleOf = [](int dx, int dy) {
      if (dx > 0) return 0.0f;
      if (dx < 0) return 180.0f;
      return dy < 0 ? 90.0f : -90.0f;  // rows grow downwards
    };
    const Point c = cellCentre(kMockLeft + at.x, kMockTop + at.y);
    if (i == count - 1) {
      drawSized(screen, head, c, 40.2f, angleOf(inX, inY));
      continue;
    }
    const Step next = route[i + 1];
    const int outX = next.x - at.x, outY = next.y - at.y;
    if (i == 0) {
      drawSized(screen, tail, c, 40.2f, angleOf(outX, outY));
    } else if (outX == inX && outY == inY) {
      drawSized(screen, straight, c, 40.2f, angleOf(inX, inY));
    } else {
      // The corner opens to its left and top edges; find the quarter turn that
      // opens it towards where the route comes from and where it goes (y up).
      const Point wanted[2] = {Point{float(-inX), float(inY)}, Point{float(outX), float(-outY)}};
      float turn = 0.0f;
      for (const float candidate : {0.0f, 90.0f, 180.0f, -90.0f}) {
        const float r = candidate * kPi / 180.0f;
        auto turned = [&](Point v) {
          return Point{std::round(v.x * std::cos(r) - v.y * std::sin(r)),
                       std::round(v.x * std::sin(r) + v.y * std::cos(r))};
        };
        const Point a = turned(Point{-1.0f, 0.0f}), b = turned(Point{0.0f, 1.0f});
        auto same = [](Point u, Point v) { return u.x == v.x && u.y == v.y; };
        if ((same(a, wanted[0]) && same(b, wanted[1])) || (same(a, wanted[1]) && same(b, wanted[0]))) {
          turn = candidate;
        }
      }
      drawSized(screen, corner, c, 40.2f, turn);
    }
  }
}

void drawMockHud(Canvas* screen) {
  drawSized(screen, pictureNamed("levelbar1.tga"), toScreen(-371.0f, 31.0f), 64.0f);
  Canvas fill = pictureNamed("levelbar2.tga");
  const int hidden = static_cast<int>(fill.height * 0.58f);
  for (int y = 0; y < hidden && fill.width > 0; ++y) {
    for (int x = 0; x < fill.width; ++x) fill.pixels[static_cast<size_t>(y) * fill.width + x] = kClear;
  }
  drawSized(screen, fill, toScreen(-371.0f, 31.0f), 64.0f);
  drawSized(screen, pictureNamed("gamebar.tga"), toScreen(336.0f, 44.0f), 128.0f);
  const Canvas font = pictureNamed("font.tga");
  drawGameText(screen, font, "Score", 345, 279, 14, kWhite);
  drawGameText(screen, font, "12450", 345, 238, 14, rgb(255, 240, 160));
  drawGameText(screen, font, "Level", 345, 183, 14, kWhite);
  drawGameText(screen, font, "7", 353, 147, 14, rgb(255, 240, 160));
  drawGameText(screen, font, "Lives", 343, 90, 14, kWhite);
  const Canvas heart = pictureNamed("heart.tga");
  for (int i = 0; i < 3; ++i) drawSized(screen, heart, toScreen(316.0f + 30.0f * i, 55.0f), 26.0f);
  drawGameText(screen, font, "Menu", 350, -31, 14, kWhite);
  const Canvas dark = pictureNamed("molotok1.tga");
  Canvas lit = pictureNamed("molotok2.tga");
  drawSized(screen, dark, toScreen(352.0f, -226.0f), 64.0f);
  const int unlit = static_cast<int>(lit.height * 0.4f);
  for (int y = 0; y < unlit && lit.width > 0; ++y) {
    for (int x = 0; x < lit.width; ++x) lit.pixels[static_cast<size_t>(y) * lit.width + x] = kClear;
  }
  drawSized(screen, lit, toScreen(352.0f, -226.0f), 64.0f);
  drawSized(screen, pictureNamed("question.tga"), toScreen(-380.0f, -280.0f), 40.0f);
}

bool writeBoardMockup() {
  Canvas screen = makeCanvas(800, 600, rgb(120, 170, 210));
  const Canvas background = pictureNamed("_a_back1.jpg");
  if (background.width == 800) compositeOver(&screen, background, 0, 0);
  const Canvas floors[3] = {pictureNamed("field0.tga"), pictureNamed("field1.tga"), pictureNamed("field2.tga")};
  const Canvas glints[2] = {pictureNamed("field1a.tga"), pictureNamed("field2a.tga")};
  drawMockFloor(&screen, floors, glints);
  // The hovered cell at the end of the route.
  drawSized(&screen, pictureNamed("fieldspodsv.tga"), cellCentre(kMockLeft + 2, kMockTop + 0), 46.2f);
  drawMockRoute(&screen);
  const Canvas shadow = pictureNamed("shadow.tga"), chain = pictureNamed("zep2.tga");
  for (int x = 0; x < kMockColumns; ++x) {
    for (int y = 0; y < kMockRows; ++y) {
      drawMockBall(&screen, kMockBalls[y][x], cellCentre(kMockLeft + x, kMockTop + y), shadow, chain);
    }
  }
  // The selected ball, lifted by its bounce.
  const Point selected = cellCentre(kMockLeft, kMockTop + 3) + Point{4.0f * 0.7f, -6.0f * 0.7f};
  drawSized(&screen, shadow, cellCentre(kMockLeft, kMockTop + 3), 48.0f);
  drawSized(&screen, pictureNamed("bal01.tga"), selected, 35.2f * 1.11f);
  drawMockHud(&screen);
  // A score pop-up over the board and the combo banner.
  const Canvas font = pictureNamed("font.tga");
  drawGameText(&screen, font, "+150", -120.0f, 64.0f, 16.0f, rgb(255, 230, 90));
  drawGameText(&screen, font, "Combo x 2", 0.0f, -270.0f, 21.58f, kWhite);
  return writePreview("board.png", canvasToImage(screen));
}

// ---------------------------------------------------------------------------
// The menu mock-up: a window built from the atlas as the menus build it, with
// buttons, a check box, a slider, the balloon and the drawn cursor.

// Draws atlas cell (col, row, w, h) of a 4 x 8 grid over the scene rectangle.
void drawAtlasCell(Canvas* screen, const Canvas& atlas, int col, int row, int w, int h, float left,
                   float top, float right, float bottom, Colour tint = kWhite) {
  const float unitX = atlas.width / 4.0f, unitY = atlas.height / 8.0f;
  drawCanvasRect(screen, atlas, col * unitX, row * unitY, (col + w) * unitX, (row + h) * unitY, left,
                 top, right, bottom, tint);
}

// A window of the menus in screen pixels (y down): body, edges, corners,
// ornaments and corner twinkles.
void drawMockWindow(Canvas* screen, float left, float top, float width, float height) {
  const Canvas atlas = pictureNamed("menutex.tga"), white = pictureNamed("white.jpg");
  const Canvas flare = pictureNamed("flare.jpg"), particles = pictureNamed("particles.tga");
  const float right = left + width, bottom = top + height;
  if (width > 192 && height > 192 && flare.width > 0) {
    Canvas glow = makeCanvas(screen->width, screen->height);
    const Colour grey = rgb(150, 150, 150);
    drawCanvasRect(&glow, flare, 0, 0, 128, 128, left - 25, top - 25, right + 25, top + 25, grey);
    drawCanvasRect(&glow, flare, 0, 0, 128, 128, left - 25, bottom - 25, right + 25, bottom + 25, grey);
    drawCanvasRect(&glow, flare, 0, 0, 128, 128, left - 25, top - 25, left + 25, bottom + 25, grey);
    drawCanvasRect(&glow, flare, 0, 0, 128, 128, right - 25, top - 25, right + 25, bottom + 25, grey);
    compositeAdd(screen, glow, 0, 0, 0.5f);
  }
  for (float y = top; y < bottom; y += 208.0f) {
    for (float x = left; x < right; x += 128.0f) {
      const float x1 = std::min(right, x + 128.0f), y1 = std::min(bottom, y + 208.0f);
      drawCanvasRect(screen, white, 0, 0, 128.0f * (x1 - x) / 128.0f, 128.0f * (y1 - y) / 208.0f, x, y, x1, y1,
                     rgb(55, 15, 0, 200));
    }
  }
  const int across = std::max(1, static_cast<int>(std::lround((width - 64) / 64.0f)));
  const int down = std::max(1, static_cast<int>(std::lround((height - 64) / 64.0f)));
  const float stepX = (width - 64) / across, stepY = (height - 64) / down;
  for (int i = 0; i < across; ++i) {
    const float x = left + 32 + i * stepX;
    drawAtlasCell(screen, atlas, 0, 2, 1, 1, x, top - 32, x + stepX, top + 32);
    drawAtlasCell(screen, atlas, 0, 2, 1, 1, x, bottom - 32, x + stepX, bottom + 32);
  }
  for (int i = 0; i < down; ++i) {
    const float y = top + 32 + i * stepY;
    drawAtlasCell(screen, atlas, 1, 2, 1, 1, left - 32, y, left + 32, y + stepY);
    drawAtlasCell(screen, atlas, 1, 2, 1, 1, right - 32, y, right + 32, y + stepY);
  }
  drawAtlasCell(screen, atlas, 0, 0, 1, 1, left - 32, top - 32, left + 32, top + 32);
  drawAtlasCell(screen, atlas, 1, 0, 1, 1, right - 32, top - 32, right + 32, top + 32);
  drawAtlasCell(screen, atlas, 0, 1, 1, 1, left - 32, bottom - 32, left + 32, bottom + 32);
  drawAtlasCell(screen, atlas, 1, 1, 1, 1, right - 32, bottom - 32, right + 32, bottom + 32);
  const float midX = (left + right) * 0.5f, midY = (top + bottom) * 0.5f;
  if (width > 192) {
    drawAtlasCell(screen, atlas, 0, 3, 2, 1, midX - 64, top - 32, midX + 64, top + 32);
    drawAtlasCell(screen, atlas, 0, 4, 2, 1, midX - 64, bottom - 32, midX + 64, bottom + 32);
  }
  if (height > 192) {
    drawAtlasCell(screen, atlas, 2, 3, 1, 2, left - 32, midY - 64, left + 32, midY + 64);
    drawAtlasCell(screen, atlas, 3, 3, 1, 2, right - 32, midY - 64, right + 32, midY + 64);
  }
  Canvas twinkles = makeCanvas(screen->width, screen->height);
  const Point corners[4] = {{left + 9, top + 9}, {left + 9, bottom - 9}, {right - 9, top + 9}, {right - 9, bottom - 9}};
  for (const Point& c : corners) {
    drawCanvasRect(&twinkles, particles, 256, 64, 320, 128, c.x - 24, c.y - 24, c.x + 24, c.y + 24);
  }
  compositeAdd(screen, twinkles, 0, 0, 0.8f);
}

// An item button: left cap, stretched middle column, right cap.
void drawMockButton(Canvas* screen, Point centre, float width, const char* text) {
  const Canvas button = pictureNamed("button.tga");
  const float left = centre.x - width * 0.5f, right = centre.x + width * 0.5f;
  const float top = centre.y - 32.0f, bottom = centre.y + 32.0f;
  drawCanvasRect(screen, button, 0, 0, 64, 64, left, top, left + 64, bottom);
  drawCanvasRect(screen, button, 63.5f, 0, 64.5f, 64, left + 64, top, right - 64, bottom);
  drawCanvasRect(screen, button, 64, 0, 128, 64, right - 64, top, right, bottom);
  drawGameText(screen, pictureNamed("font.tga"), text, centre.x - 400.0f, 300.0f - centre.y, 15, kWhite);
}

bool writeMenuMockup() {
  Canvas screen = makeCanvas(800, 600, rgb(110, 150, 200));
  const Canvas background = pictureNamed("_a_back0.jpg");
  if (background.width == 800) compositeOver(&screen, background, 0, 0);
  drawMockWindow(&screen, 210, 40, 380, 520);
  const Canvas atlas = pictureNamed("menutex.tga");
  const Canvas font = pictureNamed("font.tga");
  drawGameText(&screen, font, "Options", 0, 205, 17, rgb(255, 255, 155));
  drawGameText(&screen, font, "Sound effects", 0, 160, 13, kWhite);
  // A slider: the track at half size, arrows, the knob.
  for (float x = 320; x < 480; x += 32) drawAtlasCell(&screen, atlas, 0, 2, 1, 1, x, 149, x + 32, 181);
  drawAtlasCell(&screen, atlas, 0, 7, 1, 1, 320 - 44.8f - 32, 133, 320 - 44.8f + 32, 197);
  drawAtlasCell(&screen, atlas, 1, 7, 1, 1, 480 + 44.8f - 32, 133, 480 + 44.8f + 32, 197);
  drawAtlasCell(&screen, atlas, 3, 5, 1, 1, 420 - 32, 133, 420 + 32, 197);
  // The selected item's glow and two check boxes.
  const Canvas glowBar = pictureNamed("podsvet.jpg");
  Canvas glow = makeCanvas(800, 600);
  drawCanvasRect(&glow, glowBar, 0, 0, 256, 64, 270, 228, 530, 262, rgb(255, 200, 100, 60));
  compositeAdd(&screen, glow, 0, 0);
  drawGameText(&screen, font, "Full screen", 10, 55, 12, rgb(255, 175, 0));
  drawAtlasCell(&screen, atlas, 1, 6, 1, 1, 268, 214, 332, 278);
  drawGameText(&screen, font, "Own cursor", 10, -5, 12, kWhite);
  drawAtlasCell(&screen, atlas, 1, 5, 1, 1, 268, 274, 332, 338);
  drawMockButton(&screen, Point{315, 493}, 130, "Apply");
  drawMockButton(&screen, Point{485, 493}, 130, "Back");
  // A balloon beside the window pointing at the check box.
  const Canvas balloon = pictureNamed("baloon.tga");
  const float bl = 560, bt = 330, br = 760, bb = 410;
  drawCanvasRect(&screen, pictureNamed("white.jpg"), 0, 0, 128, 64, bl, bt, br, bb, rgb(63, 30, 11, 210));
  drawCanvasRect(&screen, balloon, 0, 0, 64, 64, bl - 32, bt - 32, bl + 32, bt + 32);
  drawCanvasRect(&screen, balloon, 64, 0, 128, 64, br - 32, bt - 32, br + 32, bt + 32);
  drawCanvasRect(&screen, balloon, 0, 64, 64, 128, bl - 32, bb - 32, bl + 32, bb + 32);
  drawCanvasRect(&screen, balloon, 64, 64, 128, 128, br - 32, bb - 32, br + 32, bb + 32);
  drawCanvasRect(&screen, balloon, 128, 0, 192, 64, bl + 32, bt - 32, br - 32, bt + 32);
  drawCanvasRect(&screen, balloon, 128, 0, 192, 64, bl + 32, bb - 32, br - 32, bb + 32);
  drawCanvasRect(&screen, balloon, 192, 0, 256, 64, bl - 32, bt + 32, bl + 32, bb - 32);
  drawCanvasRect(&screen, balloon, 192, 0, 256, 64, br - 32, bt + 32, br + 32, bb - 32);
  drawCanvasRect(&screen, balloon, 128, 64, 256, 128, 500, 338, 628, 402);
  drawGameText(&screen, font, "Draws the game's own", 260, -58, 11, kWhite);
  drawGameText(&screen, font, "pointer.", 260, -78, 11, kWhite);
  // The drawn cursor: glow and arrow, tip at the pointer.
  const Point pointer{452, 420};
  drawAtlasCell(&screen, atlas, 2, 7, 1, 1, pointer.x - 2, pointer.y, pointer.x + 62, pointer.y + 64);
  drawAtlasCell(&screen, atlas, 3, 7, 1, 1, pointer.x - 2, pointer.y, pointer.x + 62, pointer.y + 64);
  return writePreview("menu.png", canvasToImage(screen));
}

}  // namespace

bool writePictureSheets() {
  loadTypeface();
  return writeContactSheet() && writeParticleSheet() && writeMenuAtlasSheet() && writeBallSheet() &&
         writeBoardMockup() && writeMenuMockup();
}
