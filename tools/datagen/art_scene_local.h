// art_scene_local.h: what the background painters share: the record of one
// background being painted (its canvas and the places its scenery list gives:
// sky, pools, falls, spray, props), the steps every landscape goes through, and
// the larger set pieces (cottages, bridges, rainbows, the sun, fireflies).
#pragma once

#include "art_scene.h"
#include "art_scene_kit.h"

// A list holds at most this many objects of one sort worth planning around.
constexpr int kMaxPlaces = 16;

enum class HoleKind : uint8_t { Sky, Water, Waterfall, Behind };

struct Hole {
  HoleKind kind;
  Box box;            // pixels, x1 and y1 exclusive
  const char* entry;  // the catalogue entry drawn there (owned by the places list)
};

// One background being painted; built from its scenery list, thrown away after.
struct Landscape {
  int index;
  Canvas canvas;
  SkyKind sky;
  float skyBottom;  // first row under the sky hole (0 when there is none)
  Hole holes[kMaxPlaces * 2];
  int holeCount;
  Box falls[kMaxPlaces];
  int fallCount;
  Box pools[kMaxPlaces];
  int poolCount;
  Box sprays[kMaxPlaces];
  int sprayCount;
  Box props[kMaxPlaces];  // rocks, lanterns, trees standing in front
  int propCount;
  Skyline shore;          // row of the nearest water's edge per column (canvas height: none)
};

// The board covers these columns during play: keep them calm.
constexpr float kBoardLeft = 20.0f;
constexpr float kBoardRight = 620.0f;

// A scenery rectangle (overlay units, y up) as a pixel box.
Box pixelBox(const ScenePlace& place);

// The mean colour of a catalogue entry's picture along its row at height v
// (0 top .. 1 bottom; below 0: the whole picture): what, on average, shows
// through a hole of that entry.
// Worked out once per entry and kept for the run.
Colour seenThrough(const std::string& entry, float v);

// ---------------------------------------------------------------------------
// Steps shared by the landscapes (art_scene.cpp)

// A skyline kept inside the sky hole: never lower than a few rows above its bottom.
Skyline keepUnderSky(const Landscape& scene, Skyline line);
// A hill around every waterfall, grassy (`slope`) on its flanks and rocky round
// the fall, the falls cut out of it, a stream on its crest running into each lip
// and foam, stones or a basin under each foot.
void paintFallCliffs(Landscape* scene, const CliffLook& look, Colour slope, Colour stream,
                     uint32_t seed);
// Cuts every pool and brook of the list, with banks, stones and reflections.
void paintPools(Landscape* scene, Colour bank, Colour stone, Colour reflection, uint32_t seed);
// Lowers the contrast of fine detail where the board lies.
void calmBoardArea(Landscape* scene, float amount);

// ---------------------------------------------------------------------------
// Set pieces (art_scene_features.cpp)

// A small cottage with a pitched roof; `lit` windows glow warm.
void paintCottage(Canvas* canvas, Point base, float width, Colour wall, Colour roof, bool lit,
                  uint32_t seed);
// A rainbow arc centred on `centre`, partly see-through.
void paintRainbow(Canvas* canvas, Point centre, float radius, float width, float opacity);
// The sun with a soft halo.
void paintSun(Canvas* canvas, Point centre, float radius, Colour core, Colour halo);
// Little glowing dots (fireflies, sparks, lantern motes) inside box, none within
// `avoidCount` boxes of `avoid` (a background's water and falls stay clear).
void paintFireflies(Canvas* canvas, Box box, int count, Colour colour, float size, uint32_t seed,
                    const Box* avoid = nullptr, int avoidCount = 0);
// Fireflies over a landscape, clear of its pools and falls.
void paintSceneFireflies(Landscape* scene, Box box, int count, Colour colour, float size,
                         uint32_t seed);
// A warm glow on whatever lies around `centre`.
void paintGlow(Canvas* canvas, Point centre, float radius, Colour colour, float amount);
// An arched wooden footbridge from `left` to `right` (its feet).
void paintBridge(Canvas* canvas, Point left, Point right, float rise, Colour wood);
// A floating island of grass and rock seen from afar.
void paintFloatingIsland(Canvas* canvas, Point top, float width, const FoliageLook& grass,
                         const CliffLook& rock, uint32_t seed);
// A low dry-stone wall along a skyline from x0 to x1.
void paintStoneWall(Canvas* canvas, const Skyline& line, float x0, float x1, float height,
                    Colour lit, Colour shade, uint32_t seed);
// A lily pad floating at centre, with a small flower when `flower` is set.
void paintLilyPad(Canvas* canvas, Point centre, float radius, bool flower, uint32_t seed);
// A flat-topped terrace of rock under a grassy cap `cap` rows deep.
void paintTerrace(Canvas* canvas, const Skyline& line, const CliffLook& rock, Colour grass,
                  float cap, Colour haze, float hazeAmount, uint32_t seed);
// A hanging paper lantern on a string between posts (small, for distant decor).
void paintPaperLantern(Canvas* canvas, Point centre, float size, Colour colour);

// ---------------------------------------------------------------------------
// The sixteen compositions (art_scene_zones*.cpp)

void paintValleyAtDusk(Landscape* scene);       // 0: title, map and credits
void paintPebbleBrook(Landscape* scene);        // 1
void paintMistyFalls(Landscape* scene);         // 2
void paintFernCascade(Landscape* scene);        // 3
void paintAmberDunes(Landscape* scene);         // 4
void paintWindsweptHeath(Landscape* scene);     // 5
void paintGlassGorge(Landscape* scene);         // 6
void paintThunderSteps(Landscape* scene);       // 7
void paintMoonlitSpring(Landscape* scene);      // 8
void paintWillowHollow(Landscape* scene);       // 9
void paintCrystalVeil(Landscape* scene);        // 10
void paintLanternCreek(Landscape* scene);       // 11
void paintCloudBasin(Landscape* scene);         // 12
void paintEmberRidge(Landscape* scene);         // 13
void paintStarlightSummit(Landscape* scene);    // 14
void paintValleyInSunshine(Landscape* scene);   // 15: after the last zone
