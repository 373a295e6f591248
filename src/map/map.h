// map.h: the two backdrops of the game's progress behind the title menus: the
// adventure map, on which the 70 levels lie as marks along a winding road with an
// artefact at every zone boundary and the selected level's miniature in a corner,
// and the survival chart, a gliding strip of level miniatures with the top three
// survival scores of the chosen start level.
//
// The map scene calls the updates each frame before it draws; the draws read the
// state and change none of it. The screens shown over the backdrops (the level
// choice and the start-level choice) belong to the menus, which read the marks'
// geometry and the locks from here.
#pragma once

#include <cstdint>

#include "core/math.h"

struct TextureEntry;

// 14 zones of 5 levels.
constexpr int32_t kMapLevelCount = 70;
constexpr int32_t kMapZoneCount = 14;
// One artefact at each zone boundary: the road's start, the 13 inner boundaries
// and its end.
constexpr int32_t kArtefactCount = kMapZoneCount + 1;

// The zones' names are drawn by the game on small plates at places the data
// gives ("mapnames.txt": the text size "size=10", then "zone1=(x, y, room)" ..
// "zone14=", overlay units), each with room for the widest name of any language;
// the names are in the texts' language of the moment.
constexpr const char* kZoneNamePlacesFile = "mapnames.txt";

// Where a level lies on the road: its mark is drawn at `position`, turned along the
// road by `angle` degrees (counter-clockwise from the x axis, 0..360).
struct LevelMark {
  Vec2 position;
  float angle;
};

// The map's layout along the road: process lifetime, computed by loadMap (or by
// computeMapGeometry from the road loaded).
struct MapGeometry {
  float zoneLength;  // the road's length / 14
  Vec2 artefacts[kArtefactCount];
  LevelMark marks[kMapLevelCount];
  float zoneNameSize;                  // the names' text size
  Vec2 zoneNameAt[kMapZoneCount];      // the centre of the zone's name plate
  float zoneNameRoom[kMapZoneCount];   // the widest name it takes; 0: no place
};
extern MapGeometry mapGeometry;

// The map's pictures: process lifetime, loaded by loadMap.
struct MapTextures {
  TextureEntry* map;        // "menumap.jpg", 800 x 600 in a 1024 texture
  TextureEntry* levelMark;  // "levelmark.tga"
  TextureEntry* artefacts[kArtefactCount];  // "artefact1.tga".."artefact15.tga"
};
extern MapTextures mapTextures;

// The map's clock and the chart's glide: process lifetime, reset by resetMap. The
// chart's scroll stays between visits.
struct MapState {
  float clock;         // ms the map scene has been current: drives every pulse
  float chartOffset;   // units the strip is still displaced; glides to 0
  int32_t chartLevel;  // the start level the chart showed last
};
extern MapState mapState;

// What the map asks of the menus above it; app sets the table at start-up. Until
// then the hooks draw nothing.
struct MapHooks {
  // A menu window frame; y is the top edge.
  void (*drawWindow)(float left, float top, float width, float height);
  // The text colour of the menus' highlighted line.
  void (*setHighlightTextColor)();
};
extern MapHooks mapHooks;

// How a level's mark is drawn.
enum class MarkState : uint8_t {
  Open,      // may be chosen
  Selected,  // the level chosen on the map (pulses red and green)
  Locked     // beyond the best level reached (dim yellow)
};

// Start-up: the map picture, the level mark and the artefacts (a missing picture
// stops the program with the texture loader's message), the road
// "trajectory1.spl" (a missing road leaves every mark off the screen), the
// geometry and the places of the zones' names (without "mapnames.txt" the names
// are not shown); then the scenery shown outside levels.
void loadMap();
// The artefacts and marks from the road now loaded (resources' path).
void computeMapGeometry();
// The places of the zones' names from a "mapnames.txt" text (NUL-terminated);
// a zone the text lacks gets no place.
void readZoneNamePlaces(const char* text);
// As a fresh start leaves it: clock 0, the chart at rest on level 0. The geometry
// and pictures stay.
void resetMap();

// The map clock moves on by dt ms (the map scene's frames only).
void updateMapClock(float dt);
// The chart follows the start level: a new level displaces the strip by the levels
// between, so it first stays where it was, then it glides to rest. dt in ms.
void updateSurvivalChart(int32_t startLevel, float dt);

// Levels outside 0..69 (from damaged files) limited to the map's range.
int32_t clampMapLevel(int32_t level);
// True when the level is beyond the best level reached in the current difficulty
// and the stages are not all open: it cannot be chosen. Level 0 is always open.
bool mapLevelLocked(int32_t level);
// The highest survival start level that may be chosen: the best level reached in
// any difficulty, or every level when the stages are all open.
int32_t survivalReachableLevel();
// True when `startLevel` is beyond survivalReachableLevel (level 0 never is).
bool survivalStartLocked(int32_t startLevel);
// The zone whose artefacts are lit, 0..14: every one once level 69 is reached or
// the stages are all open.
int32_t reachedZone();

// The mark of level 0..69 as the map draws it now (t = the map clock).
MarkState levelMarkState(int32_t level);
Color levelMarkColor(int32_t level, float t);
float levelMarkSize(int32_t level, float t);

// Backdrop 1: the map picture, the zones' names, the artefacts, the 70 marks and
// the selected level's miniature.
void drawAdventureMap();
// Backdrop 2: the dimmed map, the title with the tip below it, the top three of the
// start level, the window and the strip of miniatures, and "locked" over a locked
// level.
void drawSurvivalChart(int32_t startLevel);
// Where the chart draws level n's miniature (x of its offset) with the strip now.
float survivalChartX(int32_t level, int32_t startLevel);
