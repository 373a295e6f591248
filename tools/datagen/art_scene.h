// art_scene.h: the landscape side of the data set's pictures: the sixteen
// backgrounds with their see-through holes, the scenery catalogue's pictures
// (skies, water, waterfalls, spray, leaves and props), the additive glows, the
// adventure map with its level mark and artefacts, and the title picture with
// its loading bar. Every drawer is deterministic: the same inputs give the same
// pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

constexpr int kBackgroundWidth = 800;
constexpr int kBackgroundHeight = 600;

// What an object of a scenery list does (from the words of its entry name).
enum class PlaceKind : uint8_t { Sky, Waterfall, Water, Spray, Leaves, Still };

// One object of a scenery list as the painters need it.
struct ScenePlace {
  std::string entry;
  PlaceKind kind;
  float left, top, right, bottom;  // overlay units, y up
  bool behind;                     // drawn behind the picture (sky, water, falls, or flagged)
  bool mirrored;
  float shade;                     // leaves: how much darker they are drawn, 0..255
};

// The objects of the generated "level<index>.lev" (empty when there is none).
std::vector<ScenePlace> readScenePlaces(int index);
// The picture file a catalogue entry names, from the generated catalogue ("" if none).
std::string cataloguePictureOf(const std::string& entry);

// Background `index` (0..15) dressed for its scenery list: opaque everywhere
// except where the list's skies, waters, waterfalls and behind objects show
// through. The colour under fully transparent pixels matches what shows there,
// so the JPEG's blocks do not ring at the holes' edges.
Image drawLandscape(int index, const std::vector<ScenePlace>& places);

// The picture a catalogue entry names, chosen by the entry's behaviour word
// ("sky_dusk", "waterfall_thin", "spray_mist", "leaves1_oak", "rock_big", ...).
// Unknown words get a small neutral prop.
Image drawSceneryPicture(const std::string& entry);

// Additive glows, bright on pure black.
Image drawFlarePicture();       // "flare.jpg", 128 x 128
Image drawMenuGlowBar();        // "podsvet.jpg", 256 x 64
Image drawLightningPicture();   // "lightning.jpg", 64 x 64
Image drawHammerGlow();         // "hammer_lum.jpg", 64 x 128

// A point of the map's road in overlay units as seen on screen (y up).
struct RoadPoint {
  float x, y;
};

// The adventure map, 800 x 600, with its road through `road` (evenly spaced
// points) and a free place in each of the 14 zones for a name `nameRooms[zone]`
// units wide; the places as "mapnames.txt" holds them go to `namePlaces` (when
// given).
Image drawAdventureMap(const std::vector<RoadPoint>& road, const std::vector<float>& nameRooms,
                       std::vector<uint8_t>* namePlaces);
// The level mark, 32 x 32, light grey so the game's tints show, pointing along +x.
Image drawLevelMark();
// Artefact 1..15, 64 x 64 on transparent.
Image drawArtefact(int number);

// The same from the generated road "trajectory1.spl" with room for the widest
// zone names ("stagename1" ..) of every language; adds "mapnames.txt".
Image drawAdventureMapPicture();
// The road as the game sees it: the generated file's points with the game's 30
// units added to y (empty when there is no road yet).
std::vector<RoadPoint> readRoad();

// The title picture, 800 x 600 (painted once per run and kept).
Image drawTitlePicture();
// The loading bar, 310 x 48; its rounded ends blend into the title beneath it.
Image drawLoadBarPicture();
// The title's owl before a moon, 256 x 256 on transparent: the desktop icon.
Image drawOwlIcon();

// Turns pixels that are fully transparent into the colour of their nearest
// visible neighbour, so filtered edges of a sprite never darken.
void bleedEdgeColour(Image* image);
