// scenery.cpp: loading the scenery, choosing and crossfading backgrounds, the tint,
// and everything that moves with time: the crossfade timer, spray puffs and the
// phases of sprays and leaves.
#include "scenery/scenery.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/numeric.h"
#include "platform/platform.h"
#include "render/texture.h"
#include "resources/resources.h"
#include "scenery/game_object_registry.h"
#include "scenery/scenery_local.h"

namespace {

constexpr const char* kSceneryFolder = "animbacks";
constexpr uint32_t kPictureWidth = 800;
constexpr uint32_t kPictureHeight = 600;
constexpr uint32_t kRandomSeed = 1;
// The tint moves this share of the way to its target per ms.
constexpr float kTintRate = 0.0015f;
// Sprays give off one puff per this many square units of their rectangle per ms.
constexpr float kSprayAreaMs = 300000.0f;
// A long frame births at most this many puffs per spray; the rest are skipped.
constexpr int kMaxBirthsPerUpdate = 8;

constexpr ColorF kTintPresets[3] = {
    {0.67f, 0.67f, 1.0f, 1.0f},  // night
    {1.0f, 0.67f, 0.67f, 1.0f},  // morning
    {1.0f, 1.0f, 1.0f, 1.0f},    // day
};

// Nothing shown, a white tint, the generator at its seed.
SceneryState freshScenery() {
  SceneryState fresh = {};
  fresh.tint = kTintPresets[2];
  fresh.tintTarget = kTintPresets[2];
  fresh.randomState = kRandomSeed;
  return fresh;
}

int32_t sceneryRandomRaw() {
  scenery.randomState = scenery.randomState * 1103515245u + 12345u;
  return int32_t((scenery.randomState >> 16) & 0x7FFFu);
}

// Reads a file of the scenery folder through the file table; a missing one stops
// the program with the loader's message.
const uint8_t* loadSceneryFile(const char* name, uint32_t* size) {
  const std::string previous = sysCurrentDirectory();
  const bool entered = sysChangeDirectory(kSceneryFolder);
  const uint8_t* bytes = loadFile(name, size, true);
  if (entered) sysChangeDirectory(previous.c_str());
  return bytes;
}

void readList(int32_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "level%i.lev", index);
  uint32_t size = 0;
  const uint8_t* bytes = loadSceneryFile(name, &size);
  SceneryList& list = sceneryLists.lists[index];
  if (!parseSceneryList(bytes, size, &list)) {
    std::fprintf(stderr, "%s/%s: shorter than the objects it declares; shown without them\n",
                 kSceneryFolder, name);
  }
  releaseFile(bytes);
}

// Reads the picture file of a background into the file table (a missing one stops
// the program with the loader's message) and gives its name.
void readPictureFile(int32_t index, char (&name)[32]) {
  std::snprintf(name, sizeof name, "_a_back%i.jpg", index);
  uint32_t size = 0;
  loadSceneryFile(name, &size);  // entered in the file table: the texture loader finds it
}

// The picture of a background, or null (after a message) when it is malformed.
TextureEntry* loadPicture(int32_t index) {
  char name[32];
  readPictureFile(index, name);
  TextureEntry* picture = loadSizedAlphaTexture(name, kPictureWidth, kPictureHeight);
  if (!picture) {
    std::fprintf(stderr, "%s/%s: not a picture with an alpha plane; not shown\n",
                 kSceneryFolder, name);
  }
  return picture;
}

// Ms between two puffs of a spray; infinite for an empty rectangle.
float sprayInterval(const Rect& rect) {
  const float area = std::fabs(rectWidth(rect) * rectHeight(rect));
  return area > 0.0f ? kSprayAreaMs / area : INFINITY;
}

// Sprays start somewhere within their first interval, the rest anywhere in 500 ms.
float startingPhase(SceneryKind kind, const Rect& rect) {
  const float phase = sceneryRandomUnit(500.0f);
  if (kind != SceneryKind::Spray) return phase;
  const float interval = sprayInterval(rect);
  return phase < interval ? phase : std::fmod(phase, interval);
}

// The objects of a list, each with its picture unless told not to load them.
void fillTable(const SceneryList& list, SceneryTable* table, bool withPictures = true) {
  table->count = list.count;
  for (int32_t i = 0; i < list.count; ++i) {
    const SceneryRecord& record = list.objects[i];
    SceneryObject& object = table->objects[i];
    object = {};
    object.entry = findGameObjectEntry(record.name);
    object.texture = withPictures ? gameObjectPicture(object.entry) : nullptr;
    object.kind = sceneryKindOfName(record.name);
    object.rect = record.rect;
    object.rotation = record.rotation;
    object.mirrored = record.mirrored;
    object.scroll = record.scroll;
    object.phase = startingPhase(object.kind, object.rect);
    object.behindPicture = record.behindPicture;
  }
}

void keepTableTextures(const SceneryTable& table, const TextureEntry** kept, int32_t* count) {
  for (int32_t i = 0; i < table.count; ++i) {
    if (table.objects[i].texture) kept[(*count)++] = table.objects[i].texture;
  }
}

// Only the objects of the shown backgrounds keep their pictures: the others' go, and
// with them any puff of theirs.
void releaseUnshownObjectPictures() {
  const TextureEntry* kept[2 * kMaxSceneryObjects];
  int32_t count = 0;
  keepTableTextures(scenery.current, kept, &count);
  keepTableTextures(scenery.next, kept, &count);
  for (SprayPuff& puff : scenery.puffs) {
    if (puff.texture && std::find(kept, kept + count, puff.texture) == kept + count) {
      puff = {};
    }
  }
  releaseGameObjectPicturesExcept(kept, count);
}

// Frees the shown pictures; one texture may be both.
void releasePictures() {
  if (scenery.nextPicture && scenery.nextPicture != scenery.picture) {
    releaseTexture(scenery.nextPicture);
  }
  if (scenery.picture) releaseTexture(scenery.picture);
  scenery.picture = nullptr;
  scenery.nextPicture = nullptr;
}

void finishCrossfade() {
  if (scenery.picture && scenery.picture != scenery.nextPicture) releaseTexture(scenery.picture);
  scenery.picture = scenery.nextPicture;
  scenery.nextPicture = nullptr;
  scenery.background = scenery.nextBackground;
  scenery.current = scenery.next;
  scenery.next.count = 0;
  scenery.fadeTimer = 0.0f;
  releaseUnshownObjectPictures();
}

void birthPuff(const SceneryObject& spray) {
  const Vec2 center = rectCenter(spray.rect);
  const float dx = sceneryRandomSigned(rectWidth(spray.rect) * 0.5f);
  const float dy = sceneryRandomSigned(rectHeight(spray.rect) * 0.5f);
  SprayPuff& puff = scenery.puffs[scenery.nextPuff];
  puff = {Vec2{center.x + dx, center.y + dy}, kSprayPuffLife, spray.texture};
  scenery.nextPuff = (scenery.nextPuff + 1) % kMaxSprayPuffs;
}

// One puff for every 300000 / area ms, at the exact rate whatever the frame time.
void advanceSpray(SceneryObject* spray, float dt, bool emit) {
  const float interval = sprayInterval(spray->rect);
  spray->phase += dt;
  for (int births = 0; spray->phase >= interval; ++births) {
    if (births == kMaxBirthsPerUpdate) {
      spray->phase = std::fmod(spray->phase, interval);
      break;
    }
    spray->phase -= interval;
    if (emit) birthPuff(*spray);
  }
}

void advanceTable(SceneryTable* table, float dt, bool emit) {
  for (int32_t i = 0; i < table->count; ++i) {
    SceneryObject& object = table->objects[i];
    if (object.kind == SceneryKind::Spray) advanceSpray(&object, dt, emit);
    if (isLeavesKind(object.kind)) object.phase += dt;
  }
}

void updateTint(float dt) {
  const float k = std::fmin(kTintRate * dt, 1.0f);  // a long frame arrives, never overshoots
  scenery.tint = lerpColorF(scenery.tint, scenery.tintTarget, k);
}

}  // namespace

SceneryState scenery = freshScenery();
SceneryLists sceneryLists = {};

float sceneryRandomUnit(float x) { return float(sceneryRandomRaw()) / float(kRandomMax) * x; }

float sceneryRandomSigned(float x) {
  return float(2 * sceneryRandomRaw() - kRandomMax) / float(kRandomMax) * x;
}

bool isLeavesKind(SceneryKind kind) {
  return kind == SceneryKind::Leaves1 || kind == SceneryKind::Leaves2 ||
         kind == SceneryKind::Leaves;
}

LeafSway leafSwayOf(SceneryKind kind) {
  if (kind == SceneryKind::Leaves1) return {0.5f, 0.003f, 0.2f, 0.0043f};
  if (kind == SceneryKind::Leaves2) return {0.18f, 0.004f, 0.11f, 0.0024f};
  return {0.6f, 0.0022f, 0.24f, 0.0038f};
}

float crossfadeAlphaOf(float fadeTimer) {
  if (!(fadeTimer > 0.0f) || fadeTimer >= kCrossfadeHalfMs) return 0.0f;
  return 1.0f - fadeTimer / kCrossfadeHalfMs;
}

void loadScenery() {
  loadGameObjects();
  for (int32_t i = 0; i < kBackgroundCount; ++i) readList(i);
  scenery.loaded = true;
}

int32_t backgroundIndexForLevel(int32_t level) {
  if (level < 0) return 0;
  const int32_t index = level / 5 + 1;
  return index < kBackgroundCount ? index : kBackgroundCount - 1;
}

void setBackgroundForLevel(int32_t level) {
  releasePictures();
  scenery.fadeTimer = 0.0f;
  scenery.next.count = 0;
  scenery.current.count = 0;
  for (SprayPuff& puff : scenery.puffs) puff.life = 0.0f;
  scenery.background = backgroundIndexForLevel(level);
  if (!scenery.changePending) scenery.nextBackground = scenery.background;
  if (!scenery.loaded) return;
  scenery.picture = loadPicture(scenery.background);
  fillTable(sceneryLists.lists[scenery.background], &scenery.current);
  releaseUnshownObjectPictures();
}

void readBackgroundAhead(int32_t level) {
  scenery.background = backgroundIndexForLevel(level);
  if (!scenery.changePending) scenery.nextBackground = scenery.background;
  if (!scenery.loaded) return;
  char name[32];
  readPictureFile(scenery.background, name);
  // The objects' phases draw the scenery's random numbers now, as setting the
  // background would: the same numbers are left for what follows.
  fillTable(sceneryLists.lists[scenery.background], &scenery.current, false);
}

void queueNextBackground(int32_t level) {
  scenery.changePending = true;
  scenery.nextBackground = backgroundIndexForLevel(level);
}

bool backgroundChangePending() { return scenery.changePending; }

void startBackgroundCrossfade() {
  scenery.changePending = false;
  if (!scenery.loaded) {
    scenery.background = scenery.nextBackground;
    return;
  }
  if (scenery.nextPicture && scenery.nextPicture != scenery.picture) {
    releaseTexture(scenery.nextPicture);
  }
  scenery.nextPicture = loadPicture(scenery.nextBackground);
  fillTable(sceneryLists.lists[scenery.nextBackground], &scenery.next);
  scenery.fadeTimer = kCrossfadeMs;
}

void setTintTarget(int32_t preset) {
  if (preset < 0 || preset > 2) return;
  scenery.tintTarget = kTintPresets[preset];
}

void setTintNow(int32_t preset) {
  if (preset < 0 || preset > 2) return;
  scenery.tintTarget = kTintPresets[preset];
  scenery.tint = kTintPresets[preset];
}

void updateScenery(float dt, float playClock) {
  if (!(dt > 0.0f)) dt = 0.0f;
  scenery.playClock = playClock;
  updateTint(dt);
  if (scenery.fadeTimer > 0.0f) {
    scenery.fadeTimer -= dt;
    if (scenery.fadeTimer <= 0.0f) finishCrossfade();
  }
  for (SprayPuff& puff : scenery.puffs) puff.life -= dt;
  const bool crossfading = scenery.fadeTimer > 0.0f;
  advanceTable(&scenery.current, dt, !crossfading);
  if (crossfading) advanceTable(&scenery.next, dt, false);
}

float crossfadeProgress() {
  if (!(scenery.fadeTimer > 0.0f)) return 0.0f;
  return 1.0f - scenery.fadeTimer / kCrossfadeMs;
}

void resetScenery() {
  resetGameObjects();
  scenery = freshScenery();
  for (SceneryList& list : sceneryLists.lists) list.count = 0;
}
