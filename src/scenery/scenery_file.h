// scenery_file.h: the scenery lists "level%i.lev" of the "animbacks" folder, one
// per background: a 64-byte header text, an object count and packed 65-byte
// object records (entry name, rectangle, rotation, scroll or shade, mirrored,
// behind-picture). An object's behaviour comes from words in its entry name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/math.h"

// A list places at most this many objects (the scenery object table).
constexpr int kMaxSceneryObjects = 128;
constexpr int kSceneryHeaderSize = 64;
constexpr int kSceneryRecordSize = 65;
// Entry names are at most 31 characters.
constexpr int kMaxSceneryName = 32;

struct SceneryRecord {
  char name[kMaxSceneryName];  // a catalogue entry name
  Rect rect;                   // overlay units, y up: x0 left, y0 top, x1 right, y1 bottom
  float rotation;              // degrees, counter-clockwise
  Vec2 scroll;                 // water: scroll speed; leaves: shade
  uint8_t mirrored;
  int32_t behindPicture;       // non-zero: drawn behind the background picture
};

struct SceneryList {
  SceneryRecord objects[kMaxSceneryObjects];
  int32_t count;          // objects read (at most 128)
  int32_t declaredCount;  // the count the file states
};

// What an object does, chosen by the words in its name.
enum class SceneryKind : uint8_t { Sky, Waterfall, Water, Spray, Leaves1, Leaves2, Leaves, Still };

SceneryKind sceneryKindOfName(const char* name);
// True for the kinds drawn behind the background picture whatever their flag.
bool sceneryKindIsBehind(SceneryKind kind);
// Reads a list. Returns false (out->count 0) when the file is shorter than its
// header or than the records it declares (up to 128), or declares a negative count.
bool parseSceneryList(const uint8_t* bytes, size_t size, SceneryList* out);
// Writes a list with the given header text (cut to 63 characters).
void encodeSceneryList(const SceneryList& list, const char* header, std::vector<uint8_t>* out);
