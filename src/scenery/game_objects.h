// game_objects.h: the scenery catalogue "gameobjs.txt". Groups are written as
// "[name/]", lines "entry=value", "[/name]"; a value naming a ".tga" or ".jpg"
// picture is a picture entry, one naming a ".cgo" file a game-object entry, and
// anything else takes a slot with nothing. Scenery lists refer to entries by
// name; the last entry of a name wins.
#pragma once

#include <cstddef>
#include <cstdint>

// The catalogue's fixed tables.
constexpr int kMaxCatalogueEntries = 512;
constexpr int kMaxCatalogueGroups = 32;
// Entry and group names are at most 31 characters (32-byte fields of the lists).
constexpr int kMaxCatalogueName = 32;
// Values are file names; pack names are at most 63 characters.
constexpr int kMaxCatalogueValue = 64;

enum class CatalogueValueKind : uint8_t { None, Picture, GameObject };

struct CatalogueEntry {
  char name[kMaxCatalogueName];
  char value[kMaxCatalogueValue];
  CatalogueValueKind kind;
  int32_t group;  // index into the group names
};

struct GameObjectCatalogue {
  CatalogueEntry entries[kMaxCatalogueEntries];
  int32_t entryCount;
  char groups[kMaxCatalogueGroups][kMaxCatalogueName];
  int32_t groupCount;
  // The first content that did not fit (an entry or group beyond the tables, a
  // name or value too long) and its byte offset; problem[0] == 0 when all fitted.
  char problem[160];
  int32_t problemOffset;
};

// The kind of a value: ".tga"/".jpg" anywhere in it make a picture, else ".cgo" a
// game object.
CatalogueValueKind catalogueValueKind(const char* value);
// Reads the catalogue (bytes need no NUL). Content beyond the limits is refused
// or cut and the first such case recorded. Returns false when anything was.
bool parseGameObjectCatalogue(const uint8_t* bytes, size_t size, GameObjectCatalogue* out);
// Index of the last entry with exactly that name, or -1.
int32_t findCatalogueEntry(const GameObjectCatalogue& catalogue, const char* name);
