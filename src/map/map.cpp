// map.cpp: the map's resources and layout: the pictures and the road loaded at
// start-up, the artefacts and level marks placed along the road, the map clock and
// the chart's glide, and which levels are open, reached and selected.
#include "map/map.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "input/input.h"
#include "persistence/profile.h"
#include "persistence/settings.h"
#include "render/texture.h"
#include "resources/resources.h"
#include "scenery/scenery.h"

MapGeometry mapGeometry = {};
MapTextures mapTextures = {};
MapState mapState = {};

namespace {

void noWindow(float, float, float, float) {}
void noHighlight() {}

constexpr const char* kRoadFile = "trajectory1.spl";
constexpr int32_t kLastLevel = kMapLevelCount - 1;
constexpr int32_t kLevelsPerZone = kMapLevelCount / kMapZoneCount;
// A zone's five marks keep this far from the zone's ends.
constexpr float kZoneMargin = 33.0f;
// A mark's direction is taken between the road's points this far before and after.
constexpr float kDirectionReach = 2.0f;
// The last artefact stands a little before the road's end, so it lies on the road.
constexpr float kEndInset = 0.1f;
// Each level between the old and the new start level displaces the strip this far.
constexpr float kChartStep = 260.0f;
// The strip loses this share of its displacement per ms.
constexpr float kChartGlidePerMs = 0.01f;
// The scenery shown outside levels: no level's landscape, the day tint.
constexpr int32_t kLandscapeOutsideLevels = -1;
constexpr int32_t kDayTint = 2;

float directionDegrees(Vec2 from, Vec2 to) {
  const float angle = std::atan2(to.y - from.y, to.x - from.x) * kRadToDeg;
  return angle < 0.0f ? angle + 360.0f : angle;
}

// How far along the road level i's mark lies: the zone's five marks spread evenly
// over the zone less its margins.
float markDistance(int32_t level, float zone) {
  const int32_t inZone = level % kLevelsPerZone;
  const float spacing = (zone - 2.0f * kZoneMargin) / float(kLevelsPerZone);
  return zone * float(level / kLevelsPerZone) + kZoneMargin + (float(inZone) + 0.5f) * spacing;
}

void loadMapPictures() {
  mapTextures.map = loadSizedTexture("menumap.jpg", 800, 600);
  mapTextures.levelMark = getTexture("levelmark.tga");
  for (int32_t i = 0; i < kArtefactCount; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "artefact%i.tga", int(i + 1));
    mapTextures.artefacts[i] = getTexture(name);
  }
}

void loadZoneNamePlaces() {
  uint32_t size = 0;
  const uint8_t* bytes = loadFile(kZoneNamePlacesFile, &size, false);
  const std::string text = bytes ? std::string(reinterpret_cast<const char*>(bytes), size) : "";
  if (bytes) releaseFile(bytes);
  readZoneNamePlaces(text.c_str());
}

}  // namespace

MapHooks mapHooks = {.drawWindow = noWindow, .setHighlightTextColor = noHighlight};

void loadMap() {
  loadMapPictures();
  loadPath(kRoadFile);
  computeMapGeometry();
  loadZoneNamePlaces();
  setBackgroundForLevel(kLandscapeOutsideLevels);
  setTintNow(kDayTint);
}

void computeMapGeometry() {
  const float zone = pathState.pathLength / float(kMapZoneCount);
  mapGeometry.zoneLength = zone;
  for (int32_t i = 0; i < kArtefactCount; ++i) {
    const float d = i == kMapZoneCount ? zone * float(i) - kEndInset : zone * float(i);
    mapGeometry.artefacts[i] = pointOnPath(d);
  }
  for (int32_t i = 0; i < kMapLevelCount; ++i) {
    const float d = markDistance(i, zone);
    const Vec2 before = pointOnPath(d - kDirectionReach);
    const Vec2 after = pointOnPath(d + kDirectionReach);
    mapGeometry.marks[i] = {before, directionDegrees(before, after)};
  }
}

void readZoneNamePlaces(const char* text) {
  mapGeometry.zoneNameSize = readFloat(text, "size=");
  for (int32_t zone = 0; zone < kMapZoneCount; ++zone) {
    char key[24];
    std::snprintf(key, sizeof key, "zone%i=", int(zone + 1));
    const Vec3 place = std::strstr(text, key) ? readVector3(text, key) : Vec3{0.0f, 0.0f, 0.0f};
    mapGeometry.zoneNameAt[zone] = {place.x, place.y};
    mapGeometry.zoneNameRoom[zone] = place.z > 0.0f ? place.z : 0.0f;
  }
}

void resetMap() { mapState = {}; }

void updateMapClock(float dt) { mapState.clock += dt; }

void updateSurvivalChart(int32_t startLevel, float dt) {
  mapState.chartOffset *= std::fmax(0.0f, 1.0f - dt * kChartGlidePerMs);
  const int32_t level = clampMapLevel(startLevel);
  if (level == mapState.chartLevel) return;
  mapState.chartOffset = float(level - mapState.chartLevel) * kChartStep;
  mapState.chartLevel = level;
}

float survivalChartX(int32_t level, int32_t startLevel) {
  return float(level - clampMapLevel(startLevel)) * kChartStep + mapState.chartOffset - 3.0f;
}

int32_t clampMapLevel(int32_t level) {
  if (level < 0) return 0;
  return level > kLastLevel ? kLastLevel : level;
}

// The first level is always open, even for a damaged profile's negative best.
bool mapLevelLocked(int32_t level) {
  return !input.mapAllStagesOpen && level > 0 && level > bestLevel();
}

int32_t survivalReachableLevel() {
  return input.mapAllStagesOpen ? kMapLevelCount : bestLevelAnyDifficulty();
}

bool survivalStartLocked(int32_t startLevel) {
  return startLevel > 0 && startLevel > survivalReachableLevel();
}

int32_t reachedZone() {
  if (input.mapAllStagesOpen || bestLevel() >= kLastLevel) return kMapZoneCount;
  const int32_t zone = bestZoneOf();
  if (zone < 0) return 0;
  return zone > kMapZoneCount ? kMapZoneCount : zone;
}

MarkState levelMarkState(int32_t level) {
  if (mapLevelLocked(level)) return MarkState::Locked;
  return level == settings.selectedMapLevel ? MarkState::Selected : MarkState::Open;
}

// Now and then a glow wave runs along the road: h of level i, 0..1.
Color levelMarkColor(int32_t level, float t) {
  const float w = std::sin(t * 0.001f);
  const float k = w > 0.7f ? (w - 0.7f) / 0.3f : 0.0f;
  const float h = (std::sin(t * 0.005f - 0.3f * float(level)) + 1.0f) * k * 0.5f;
  switch (levelMarkState(level)) {
    case MarkState::Locked: return makeColor(255, 255, 155, 100 + int32_t(155.0f * h));
    case MarkState::Selected: {
      const float s = (std::sin(t * 0.01f) + 1.0f) * 0.5f;
      return makeColor(255 - int32_t(200.0f * s), int32_t(255.0f * s), 0, 255);
    }
    case MarkState::Open: break;
  }
  return makeColor(255, 55 + int32_t(185.0f * h), 55, 255);
}

float levelMarkSize(int32_t level, float t) {
  if (level != settings.selectedMapLevel || level == currentLevel()) return 16.0f;
  return 16.0f + 2.5f * std::sin(t * 0.03f);
}
