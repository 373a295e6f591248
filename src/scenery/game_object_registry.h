// game_object_registry.h: the catalogue as the running game holds it (every entry
// with its picture or its 3D object), the ".cgo" descriptions of 3D objects, the
// registry that loads each object once per file name, and their drawing.
//
// A ".cgo" description is a key=value text: "nummeshes=" n, then "mesh%i=" and
// "texture%i=" for each mesh, "numbounds=" m, then for each bound "bound%i.name=",
// "bound%i.b_circle=", "bound%i.center.x=" / ".y=" / ".z=" and "bound%i.radius="
// (circles) or "bound%i.dx=" (boxes, the half-width). The first occurrence of a key
// counts; absent numbers read 0.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/math.h"
#include "scenery/game_objects.h"

struct Mesh;
struct TextureEntry;

// The registry keeps this many objects for the whole run.
constexpr int kMaxGameObjects = 1024;
// Meshes and bounds of one object: descriptions name a handful.
constexpr int kMaxObjectMeshes = 32;
constexpr int kMaxObjectBounds = 32;
// Meshes 0..7 of an object may carry an extra placement of their own.
constexpr int kMaxMeshTransforms = 8;
// File names in a description are at most 63 characters (pack names).
constexpr int kMaxDescriptionName = 64;

struct Bound {
  char name[kMaxCatalogueName];
  bool isCircle;
  Vec3 center;
  float radius;     // circles
  float halfWidth;  // boxes
};

// A description as written, before its files are loaded.
struct GameObjectDescription {
  int32_t meshCount;
  char meshNames[kMaxObjectMeshes][kMaxDescriptionName];     // "" when absent
  char textureNames[kMaxObjectMeshes][kMaxDescriptionName];  // "" when absent
  int32_t boundCount;
  Bound bounds[kMaxObjectBounds];
  // The first count or name that did not fit; problem[0] == 0 when all fitted.
  char problem[96];
};

struct GameObject {
  char name[kMaxCatalogueValue];  // the file name as the catalogue wrote it
  Matrix4 transform;              // the object's placement in the world
  int32_t meshCount;
  Mesh* meshes[kMaxObjectMeshes];            // null where the description named none
  TextureEntry* textures[kMaxObjectMeshes];  // null where the description named none
  bool hasMeshTransform[kMaxMeshTransforms];
  Matrix4 meshTransforms[kMaxMeshTransforms];  // applied before the mesh's own placement
  int32_t boundCount;
  Bound bounds[kMaxObjectBounds];
};

struct GameObjectEntry {
  char name[kMaxCatalogueName];
  GameObject* object;     // for ".cgo" values, else null
  char picture[kMaxCatalogueValue];  // ".tga" and ".jpg" values, else ""
  TextureEntry* texture;  // the picture while a background shows it (gameObjectPicture)
  int32_t group;          // index into the catalogue's group names
};

// The loaded catalogue (refilled by loadGameObjects) and the object registry (kept
// for the whole run; only resetGameObjects empties it).
struct GameObjectTable {
  GameObjectEntry entries[kMaxCatalogueEntries];
  int32_t entryCount;
  char groups[kMaxCatalogueGroups][kMaxCatalogueName];
  int32_t groupCount;
  GameObject* registry[kMaxGameObjects];
  int32_t registryCount;
};
extern GameObjectTable gameObjects;

// Reads "gameobjs.txt" (it must exist: the program stops with the loader's message)
// and refills the entry table: ".cgo" values through getGameObject, pictures only
// named (one that is missing stops the program with the texture loader's message
// now; they are loaded when a background shows them). Content beyond the tables is
// named on stderr and left out.
void loadGameObjects();
// The last entry named exactly `name`, or null.
const GameObjectEntry* findGameObjectEntry(const char* name);
// The entry's picture, loaded through the texture cache when first asked for (one
// that cannot be loaded stops the program with the loader's message); null for an
// entry without a picture.
TextureEntry* gameObjectPicture(const GameObjectEntry* entry);
// Releases every loaded picture of the catalogue but the `keptCount` in `kept`.
void releaseGameObjectPicturesExcept(const TextureEntry* const* kept, int32_t keptCount);
// The registered object of that file name, or a new one loaded from its
// description (missing files stop the program with the loader's message). Null for
// a name without ".cgo" or when the registry is full.
GameObject* getGameObject(const char* fileName);
// Draws every mesh of the object that the current view frustum can see, each with
// its texture; alpha blending and testing are off afterwards.
void drawGameObject(const GameObject* object);

// Reads a description (bytes need no NUL). Counts beyond the tables are cut and
// recorded in out->problem; returns false when anything was.
bool parseGameObjectDescription(const uint8_t* bytes, size_t size, GameObjectDescription* out);

// As a fresh start leaves the table: no entries, no groups, no objects (meshes and
// textures stay in their caches).
void resetGameObjects();
