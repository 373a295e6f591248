// The picture of a balance report, drawn with the data tool's picture code: the
// win rate of every adventure level by difficulty across the fourteen zones with
// each zone's mean, and the moves survived from every survival start level.
#include <algorithm>
#include <cmath>

#include "datagen.h"
#include "game/level.h"
#include "image.h"
#include "report.h"

namespace balance {

namespace {

constexpr int kWidth = 1120;
constexpr int kPanelHeight = 400;
constexpr int kLeft = 64, kRight = 24, kTop = 56, kBottom = 52;
constexpr int32_t kStages = 5;
constexpr Rgba kBackground = {250, 250, 247, 255};
constexpr Rgba kZoneShade = {232, 234, 240, 255};
constexpr Rgba kGrid = {200, 202, 210, 255};
constexpr Rgba kInk = {40, 42, 50, 255};
constexpr Rgba kBeforeInk = {170, 170, 175, 255};
constexpr Rgba kColours[3] = {{205, 70, 50, 255}, {40, 150, 80, 255}, {60, 110, 215, 255}};

struct Plot {
  float x0, y0, x1, y1;  // pixels; y0 is the top
  float top;             // the value at y0 (the bottom is 0)
};

float slotX(const Plot& p, int32_t level) {
  return p.x0 + (float(level) + 0.5f) * (p.x1 - p.x0) / float(kLevelCount);
}
// Each difficulty's points stand a little apart, so equal values stay visible.
float pointX(const Plot& p, int32_t level, int32_t difficulty) {
  return slotX(p, level) + float(difficulty - 1) * 0.25f * (p.x1 - p.x0) / float(kLevelCount);
}
float valueY(const Plot& p, float value) { return p.y1 - value / p.top * (p.y1 - p.y0); }

// An antialiased segment `width` pixels wide.
void drawLine(Image* image, float ax, float ay, float bx, float by, float width, Rgba colour) {
  const float half = width * 0.5f;
  const int x0 = int(std::floor(std::min(ax, bx) - half - 1.0f));
  const int x1 = int(std::ceil(std::max(ax, bx) + half + 1.0f));
  const int y0 = int(std::floor(std::min(ay, by) - half - 1.0f));
  const int y1 = int(std::ceil(std::max(ay, by) + half + 1.0f));
  const float dx = bx - ax, dy = by - ay, length2 = dx * dx + dy * dy;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const float px = float(x) + 0.5f - ax, py = float(y) + 0.5f - ay;
      const float t = length2 > 0.0f ? std::clamp((px * dx + py * dy) / length2, 0.0f, 1.0f) : 0.0f;
      const float d = std::hypot(px - t * dx, py - t * dy);
      blendPixel(image, x, y, colour, half + 0.5f - d);
    }
  }
}

void drawLeftLabel(Image* image, const std::string& text, float x, float baseline, float size,
                   Rgba colour) {
  drawLabel(image, text.c_str(), x + measureLabel(text.c_str(), size) * 0.5f, baseline, size,
            colour);
}

// Zone bands, the value grid and the axes' labels.
void drawFrame(Image* image, const Plot& p, const std::string& title, const char* unit,
               float step) {
  for (int32_t zone = 0; zone < kLevelCount / kStages; zone += 2) {
    const float a = slotX(p, zone * kStages) - (p.x1 - p.x0) / float(kLevelCount) * 0.5f;
    fillRect(image, int(a), int(p.y0), int(a + (p.x1 - p.x0) / 14.0f), int(p.y1), kZoneShade);
  }
  for (float v = 0.0f; v <= p.top + 0.01f; v += step) {
    const float y = valueY(p, v);
    drawLine(image, p.x0, y, p.x1, y, 1.0f, kGrid);
    drawLabel(image, format("%.0f%s", v, unit).c_str(), p.x0 - 26.0f, y + 5.0f, 13.0f, kInk);
  }
  for (int32_t zone = 0; zone < kLevelCount / kStages; ++zone) {
    drawLabel(image, format("%d", zone + 1).c_str(), slotX(p, zone * kStages + 2), p.y1 + 18.0f,
              13.0f, kInk);
  }
  drawLabel(image, "zone (five stages each)", (p.x0 + p.x1) * 0.5f, p.y1 + 40.0f, 13.0f, kInk);
  drawLeftLabel(image, title, p.x0, p.y0 - 24.0f, 18.0f, kInk);
}

void drawLegend(Image* image, const Plot& p, const std::vector<int32_t>& difficulties,
                bool before) {
  float x = p.x1 - 10.0f;
  auto entry = [&](const char* name, Rgba colour) {
    x -= measureLabel(name, 13.0f) + 34.0f;
    fillRect(image, int(x), int(p.y0 - 34.0f), int(x + 18.0f), int(p.y0 - 26.0f), colour);
    drawLeftLabel(image, name, x + 24.0f, p.y0 - 25.0f, 13.0f, kInk);
  };
  if (before) entry("before", kBeforeInk);
  for (auto d = difficulties.rbegin(); d != difficulties.rend(); ++d) {
    entry(difficultyName(*d), kColours[*d]);
  }
}

// The value a row shows: the win rate in percent, or the moves survived.
float shownValue(const LevelRow& row) {
  return row.survival ? float(row.medianMoves) : 100.0f * winRate(row);
}

void drawCurveOf(Image* image, const Plot& p, const std::vector<LevelRow>& rows, bool survival,
                 int32_t difficulty, Rgba colour, bool means) {
  const LevelRow* previous = nullptr;
  for (const LevelRow& row : rows) {
    if (row.survival != survival || row.difficulty != difficulty) continue;
    const float x = pointX(p, row.level, difficulty), y = valueY(p, shownValue(row));
    if (previous && previous->level + 1 == row.level) {
      drawLine(image, pointX(p, previous->level, difficulty), valueY(p, shownValue(*previous)), x,
               y, 1.5f, colour);
    }
    fillDisc(image, x, y, 2.6f, colour);
    previous = &row;
  }
  if (!means) return;
  for (int32_t zone = 0; zone < kLevelCount / kStages; ++zone) {
    float sum = 0.0f;
    int32_t count = 0;
    for (const LevelRow& row : rows) {
      if (row.survival == survival && row.difficulty == difficulty && row.level / kStages == zone) {
        sum += shownValue(row);
        ++count;
      }
    }
    if (count < kStages) continue;
    const float y = valueY(p, sum / float(count));
    Rgba faint = colour;
    faint.a = 110;
    drawLine(image, slotX(p, zone * kStages), y, slotX(p, zone * kStages + kStages - 1), y, 5.0f,
             faint);
  }
}

std::vector<int32_t> difficultiesIn(const std::vector<LevelRow>& rows, bool survival) {
  std::vector<int32_t> found;
  for (const LevelRow& row : rows) {
    if (row.survival == survival &&
        std::find(found.begin(), found.end(), row.difficulty) == found.end()) {
      found.push_back(row.difficulty);
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

void drawPanel(Image* image, int top, const std::vector<LevelRow>& rows,
               const std::vector<LevelRow>& before, bool survival, const std::string& title) {
  Plot p = {float(kLeft), float(top + kTop), float(kWidth - kRight),
            float(top + kPanelHeight - kBottom), 100.0f};
  float step = 25.0f;
  if (survival) {
    float most = 10.0f;
    for (const auto* list : {&rows, &before}) {
      for (const LevelRow& r : *list) most = r.survival ? std::max(most, shownValue(r)) : most;
    }
    step = most > 200.0f ? 100.0f : most > 80.0f ? 25.0f : 10.0f;
    p.top = std::ceil(most / step) * step;
  }
  drawFrame(image, p, title, survival ? "" : "%", step);
  const std::vector<int32_t> difficulties = difficultiesIn(rows, survival);
  for (const int32_t d : difficultiesIn(before, survival)) {
    drawCurveOf(image, p, before, survival, d, kBeforeInk, false);
  }
  for (const int32_t d : difficulties) {
    drawCurveOf(image, p, rows, survival, d, kColours[d], !survival);
  }
  drawLegend(image, p, difficulties, !difficultiesIn(before, survival).empty());
}

}  // namespace

bool drawCurve(const std::string& path, const std::vector<LevelRow>& rows,
               const std::vector<LevelRow>& before, const std::string& title) {
  if (!loadTypeface()) return false;
  const bool adventure = !difficultiesIn(rows, false).empty();
  const bool survival = !difficultiesIn(rows, true).empty();
  const int panels = (adventure ? 1 : 0) + (survival ? 1 : 0);
  if (panels == 0) return false;
  Image image = makeImage(kWidth, kPanelHeight * panels, kBackground);
  int top = 0;
  if (adventure) {
    drawPanel(&image, top, rows, before, false, title);
    top += kPanelHeight;
  }
  if (survival) drawPanel(&image, top, rows, before, true, "Survival: median moves survived");
  return writeToolFile(path, encodePng(image), "picture");
}

}  // namespace balance
