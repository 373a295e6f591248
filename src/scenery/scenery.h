// scenery.h: the landscape behind the board and the title menus: a background
// picture per five levels dressed with scrolling sky and water, spray and swaying
// leaves, a tint drifting to the colour scheme, and the crossfade with its view
// wobble when the game moves on to the next background.
//
// Time only passes in updateScenery; the draws read the state and change none of it.
#pragma once

#include <cstdint>

#include "core/math.h"
#include "scenery/scenery_file.h"

struct GameObjectEntry;
struct TextureEntry;

// Backgrounds 0..15: "_a_back%i.jpg" and "level%i.lev" in the folder "animbacks".
constexpr int kBackgroundCount = 16;
// Puffs live 2 s; a busy spray births one every 100 ms, so a ring of 256 keeps a
// dozen sprays going.
constexpr int kMaxSprayPuffs = 256;
constexpr float kSprayPuffLife = 2000.0f;
// The crossfade: a first half of wobble only, then the next background fades in.
constexpr float kCrossfadeMs = 6000.0f;
constexpr float kCrossfadeHalfMs = 3000.0f;

// One placed object of a list.
struct SceneryObject {
  const GameObjectEntry* entry;  // null when the catalogue has no such name
  const TextureEntry* texture;   // the entry's picture, or null
  SceneryKind kind;              // from the words in the name
  Rect rect;        // overlay units, y up
  float rotation;   // degrees, counter-clockwise
  uint8_t mirrored;
  Vec2 scroll;      // water: scroll speed; leaves: shade
  float phase;      // ms: spray emission and leaf sway
  int32_t behindPicture;
};

// The objects of one background's list.
struct SceneryTable {
  SceneryObject objects[kMaxSceneryObjects];
  int32_t count;
};

struct SprayPuff {
  Vec2 position;
  float life;  // ms left; dead at 0 or below
  const TextureEntry* texture;
};

// The shown scenery: reset by resetScenery; setBackgroundForLevel replaces the
// background and stops a crossfade.
struct SceneryState {
  bool loaded;  // loadScenery ran: backgrounds can be shown
  int32_t background;       // the current background index
  TextureEntry* picture;    // its picture (null when it could not be read)
  SceneryTable current;
  int32_t nextBackground;   // queued or crossfading to
  TextureEntry* nextPicture;
  SceneryTable next;        // loaded while a crossfade runs
  bool changePending;       // a crossfade starts after this frame
  float fadeTimer;          // ms left of the crossfade, 0 when none runs
  ColorF tint;              // multiplies every colour of the scenery
  ColorF tintTarget;
  float playClock;          // the play clock of the last update: sky and water
  SprayPuff puffs[kMaxSprayPuffs];
  int32_t nextPuff;         // ring position of the next birth
  uint32_t randomState;     // the scenery's own random numbers
};
extern SceneryState scenery;

// Start-up: the scenery catalogue and every scenery list, so a missing file stops
// the start-up rather than a later level. Until it has run, backgrounds are only
// remembered, never loaded.
void loadScenery();
// The background index of a level: level / 5 + 1, 0 for negative levels, at most 15.
int32_t backgroundIndexForLevel(int32_t level);
// The background of `level` at once; any crossfade stops.
void setBackgroundForLevel(int32_t level);
// Start-up: remembers the background of `level` as setBackgroundForLevel does before
// loadScenery, and reads its picture's file into the file table now (the loading bar
// counts it), to be made a texture when the background is first set.
void readBackgroundAhead(int32_t level);
// Remembers the background of `level` for a crossfade started after this frame.
void queueNextBackground(int32_t level);
bool backgroundChangePending();
// Starts the 6 s crossfade to the queued background.
void startBackgroundCrossfade();
// The tint presets: 0 night (bluish), 1 morning (reddish), 2 day (white); others
// are ignored. Target drifts; Now jumps.
void setTintTarget(int32_t preset);
void setTintNow(int32_t preset);
// Tint, crossfade, spray and leaves advance by dt ms; playClock is the play time.
void updateScenery(float dt, float playClock);
// The crossfade's progress: 0 when none runs, rising to 1 at its end.
float crossfadeProgress();
// The game scene's background: crossfade, view wobble and tint, drawn with the
// current view and projection.
void drawSceneryWithTransition();
// The title menus' background: tint only.
void drawScenery();
// As a fresh start leaves the module: nothing loaded, no background, white tint,
// no game objects (textures and meshes stay in their caches).
void resetScenery();
