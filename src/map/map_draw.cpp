// map_draw.cpp: the two backdrops as drawn: the adventure map with its artefacts,
// level marks and the selected level's miniature, and the survival chart with its
// top three and the strip of miniatures. Nothing here changes any state.
#include <cstdio>
#include <cstring>

#include "game/board.h"
#include "game/game_scene.h"
#include "map/map.h"
#include "persistence/profile.h"
#include "persistence/records.h"
#include "persistence/settings.h"
#include "render/balloon.h"
#include "render/render.h"
#include "render/text.h"
#include "resources/resources.h"

namespace {

constexpr float kDepth = 50.0f;
constexpr UvRect kWholePicture = {0.0f, 0.0f, 1.0f, 1.0f};
// The map picture's 800 x 600 texels in its 1024 x 1024 texture.
constexpr float kMapRight = 800.0f / 1024.0f;
constexpr float kMapBottom = 600.0f / 1024.0f;
constexpr float kArtefactSize = 64.0f;
constexpr Vec2 kMiniatureAt = {315.0f, 205.0f};
constexpr float kMapMiniatureScale = 0.2f;
constexpr float kChartMiniatureScale = 0.3f;
constexpr int32_t kLastLevel = kMapLevelCount - 1;
// The top three's columns and first line.
constexpr float kNameX = 200.0f;
constexpr float kScoreX = 330.0f;
constexpr float kFirstRowY = 215.0f;
constexpr float kRowStep = 22.0f;

// A JPEG under a tint of alpha 255: opaque.
void drawMapPicture(Color tint) {
  setTexture(mapTextures.map);
  drawOpaqueScreenRect(0.0f, 0.0f, 800.0f, 600.0f, 0.0f, 0.0f, kMapRight, kMapBottom, tint);
}

void drawArtefacts() {
  const int32_t zone = reachedZone();
  const Color faint = makeColor(255, 255, 155, 100);
  for (int32_t i = 0; i < kArtefactCount; ++i) {
    setTexture(mapTextures.artefacts[i]);
    drawSpriteAt(mapGeometry.artefacts[i], kArtefactSize, kArtefactSize, kWholePicture,
                 i <= zone ? kWhite : faint, kDepth);
  }
}

void drawLevelMarks() {
  const float t = mapState.clock;
  setTexture(mapTextures.levelMark);
  for (int32_t i = 0; i < kMapLevelCount; ++i) {
    const LevelMark& mark = mapGeometry.marks[i];
    const float size = levelMarkSize(i, t);
    drawRotatedSprite(mark.position.x, mark.position.y, mark.position.x, mark.position.y,
                      mark.angle, size, size, kWholePicture, levelMarkColor(i, t), kDepth);
  }
}

// Each zone's name on a plate as wide as the name, in the texts' language now.
void drawZoneNames() {
  constexpr float kPlateHalfHeight = 10.0f, kPlateMargin = 8.0f, kRimScale = 0.3f;
  const float size = mapGeometry.zoneNameSize;
  for (int32_t zone = 0; zone < kMapZoneCount && size > 0.0f; ++zone) {
    if (mapGeometry.zoneNameRoom[zone] <= 0.0f) continue;
    const Vec2 at = mapGeometry.zoneNameAt[zone];
    const char* name = textAfter("stagename1", zone);
    const float half = measureText(name, size) * 0.5f + kPlateMargin;
    drawLightBox({at.x - half, at.y + kPlateHalfHeight, at.x + half, at.y - kPlateHalfHeight},
                 1.0f, kRimScale);
    setTextColor(255, 246, 214, 255);
    drawTextCentered(at.x, at.y, size, name);
  }
  setTextColor(255, 255, 255, 255);
}

// The survival tables are kept for expert (0) and normal (1).
int32_t survivalTable() {
  return gameState.difficulty == Difficulty::Expert ? Difficulty::Expert : Difficulty::Normal;
}

void drawTopThree(int32_t startLevel) {
  const Profile* profile = currentProfileRecord();
  const HighScoreEntry* rows = recordTables.survivalScores[survivalTable()][startLevel];
  for (int32_t row = 0; row < kSurvivalScoreRows; ++row) {
    const HighScoreEntry& entry = rows[row];
    if (profile && std::strcmp(entry.name, profile->name) == 0) {
      mapHooks.setHighlightTextColor();
    } else {
      setTextColor(255, 255, 255, 255);
    }
    char score[16];
    std::snprintf(score, sizeof score, "%i", int(entry.score));
    const float y = kFirstRowY - kRowStep * float(row);
    drawText(kNameX, y, 10.0f, entry.name, false);
    drawText(kScoreX, y, 10.0f, score, false);
  }
  setTextColor(255, 255, 255, 255);
}

// Levels beyond the reachable one are reddened; all but the start level dimmed.
Color chartMiniatureColor(int32_t level, int32_t startLevel, int32_t reachable) {
  const float dim = level == startLevel ? 1.0f : 0.7f;
  const float other = level > reachable ? 128.0f : 255.0f;
  return makeColor(int32_t(255.0f * dim), int32_t(other * dim), int32_t(other * dim),
                   int32_t(255.0f * dim));
}

void drawChartStrip(int32_t startLevel) {
  const int32_t reachable = survivalReachableLevel();
  for (int32_t n = 0; n < kMapLevelCount; ++n) {
    const float x = survivalChartX(n, startLevel);
    if (x < -400.0f || x > 400.0f) continue;
    drawLevelMiniature(n, {x, 0.0f}, kChartMiniatureScale,
                       chartMiniatureColor(n, startLevel, reachable));
  }
}

}  // namespace

void drawAdventureMap() {
  drawMapPicture(kWhite);
  drawZoneNames();
  drawArtefacts();
  drawLevelMarks();
  const int32_t selected = settings.selectedMapLevel;
  if (selected >= 0 && selected <= kLastLevel) {
    drawLevelMiniature(selected, kMiniatureAt, kMapMiniatureScale, kWhite);
  }
}

void drawSurvivalChart(int32_t startLevel) {
  const int32_t start = clampMapLevel(startLevel);
  const bool locked = survivalStartLocked(start);
  drawMapPicture(makeColor(150, 150, 150, 255));
  setTextColor(255, 255, 255, 255);
  drawTextCentered(0.0f, 245.0f, 22.0f, textOf("survival"));
  drawTextCentered(275.0f, 250.0f, 16.0f, textOf("hiscore"));
  drawTextCentered(0.0f, 197.0f, 12.0f, textOf(locked ? "unlocktip" : "survivaltip"));
  drawTopThree(start);
  mapHooks.drawWindow(-450.0f, 130.0f, 900.0f, 260.0f);
  drawChartStrip(start);
  if (locked) {
    setTextColor(255, 255, 255, 255);
    drawTextCentered(0.0f, 0.0f, 28.0f, textOf("locked"));
  }
}
