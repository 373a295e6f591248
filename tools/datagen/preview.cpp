// preview.cpp: the level sheet "levels.png": every level's board on one picture
// with its number and file name, for a person to look over the adventure at a
// glance. Columns under the side bars are shaded.
#include <filesystem>
#include <fstream>

#include "datagen.h"
#include "generators.h"
#include "image.h"

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

bool writeLevelSheet(const std::vector<LevelSummary>& levels) {
  loadTypeface();
  const int rows = (static_cast<int>(levels.size()) + kTilesPerRow - 1) / kTilesPerRow;
  Image sheet = makeImage(kTilesPerRow * kTileWidth + 8, rows * kTileHeight + 8,
                          Rgba{12, 12, 16, 255});
  for (size_t i = 0; i < levels.size(); ++i) drawTile(&sheet, levels[i], static_cast<int>(i));
  const std::vector<uint8_t> png = encodePng(sheet);
  const std::string path = gen.previewDir + "/levels.png";
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  if (png.empty() || !out) {
    reportError(path, 0, "cannot write the level sheet");
    return false;
  }
  return true;
}
