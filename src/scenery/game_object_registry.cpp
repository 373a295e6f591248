// game_object_registry.cpp: loading the catalogue with its objects (its pictures
// while a background shows them), reading ".cgo" descriptions and registering each
// object once per file name.
#include "scenery/game_object_registry.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/platform.h"
#include "render/mesh.h"
#include "render/texture.h"
#include "resources/resources.h"

GameObjectTable gameObjects = {};

namespace {

// The value of `key` up to the end of its line (CR or LF) without trailing blanks;
// "" when the key is absent. Returns false when the value was cut to fit.
bool readName(const char* text, const char* key, char* out, size_t capacity) {
  out[0] = '\0';
  const char* found = std::strstr(text, key);
  if (!found) return true;
  const char* value = found + std::strlen(key);
  size_t length = std::strcspn(value, "\r\n");
  while (length > 0 && (value[length - 1] == ' ' || value[length - 1] == '\t')) length--;
  const size_t kept = length < capacity ? length : capacity - 1;
  std::memcpy(out, value, kept);
  out[kept] = '\0';
  return kept == length;
}

void noteDescriptionProblem(GameObjectDescription* out, const char* text) {
  if (!out->problem[0]) std::snprintf(out->problem, sizeof out->problem, "%s", text);
}

// A count key, limited to 0..capacity.
int32_t readCount(const char* text, const char* key, int32_t capacity,
                  GameObjectDescription* out) {
  const int32_t count = readInt(text, key);
  if (count > capacity) {
    char message[96];
    std::snprintf(message, sizeof message, "%s%i is more than %i", key, count, capacity);
    noteDescriptionProblem(out, message);
    return capacity;
  }
  return count < 0 ? 0 : count;
}

void readBound(const char* text, int32_t i, Bound* bound, GameObjectDescription* out) {
  char key[48];
  auto keyOf = [&](const char* field) {
    std::snprintf(key, sizeof key, "bound%i.%s=", i, field);
    return key;
  };
  if (!readName(text, keyOf("name"), bound->name, sizeof bound->name)) {
    noteDescriptionProblem(out, "a bound name is longer than 31 characters");
  }
  bound->isCircle = readInt(text, keyOf("b_circle")) != 0;
  bound->center = {readFloat(text, keyOf("center.x")), readFloat(text, keyOf("center.y")),
                   readFloat(text, keyOf("center.z"))};
  if (bound->isCircle) {
    bound->radius = readFloat(text, keyOf("radius"));
  } else {
    bound->halfWidth = readFloat(text, keyOf("dx"));
  }
}

void readMeshNames(const char* text, int32_t i, GameObjectDescription* out) {
  char key[32];
  std::snprintf(key, sizeof key, "mesh%i=", i);
  bool whole = readName(text, key, out->meshNames[i], kMaxDescriptionName);
  std::snprintf(key, sizeof key, "texture%i=", i);
  whole = readName(text, key, out->textureNames[i], kMaxDescriptionName) && whole;
  if (!whole) noteDescriptionProblem(out, "a file name is longer than 63 characters");
}

// Stops the program as every loader does for a file it cannot use.
[[noreturn]] void stopLoading(const char* name, const char* reason) {
  std::fprintf(stderr, "%s: %s\n", name, reason);
  char text[kMaxCatalogueValue + 48];
  std::snprintf(text, sizeof text, "Can't load %s...\nProgram will now stop.", name);
  sysFatalStop(text, "Loading Error");
}

// Loads the meshes, textures and bounds of a description into the object.
void loadDescription(const char* fileName, GameObject* object) {
  uint32_t size = 0;
  const uint8_t* bytes = loadFile(fileName, &size, true);
  static GameObjectDescription description;
  description = {};
  if (!parseGameObjectDescription(bytes, size, &description)) {
    std::fprintf(stderr, "%s: %s\n", fileName, description.problem);
  }
  releaseFile(bytes);
  object->meshCount = description.meshCount;
  for (int32_t i = 0; i < description.meshCount; ++i) {
    if (description.meshNames[i][0]) {
      object->meshes[i] = getMesh(description.meshNames[i]);
      if (!object->meshes[i]) stopLoading(description.meshNames[i], "the mesh cache is full");
    }
    if (description.textureNames[i][0]) object->textures[i] = getTexture(description.textureNames[i]);
  }
  object->boundCount = description.boundCount;
  std::memcpy(object->bounds, description.bounds, sizeof object->bounds);
}

GameObject* findRegisteredObject(const char* fileName) {
  for (int32_t i = 0; i < gameObjects.registryCount; ++i) {
    if (std::strcmp(gameObjects.registry[i]->name, fileName) == 0) return gameObjects.registry[i];
  }
  return nullptr;
}

void fillEntry(const CatalogueEntry& source, GameObjectEntry* entry) {
  *entry = {};
  std::memcpy(entry->name, source.name, sizeof entry->name);
  entry->group = source.group;
  if (source.kind == CatalogueValueKind::Picture) {
    std::memcpy(entry->picture, source.value, sizeof entry->picture);
    // A missing picture stops the start-up, as loading it would.
    if (!textureFileExists(source.value)) getTexture(source.value);
  }
  if (source.kind == CatalogueValueKind::GameObject) entry->object = getGameObject(source.value);
}

}  // namespace

bool parseGameObjectDescription(const uint8_t* bytes, size_t size, GameObjectDescription* out) {
  *out = {};
  // The key readers want a terminated text; an embedded NUL ends it for them too.
  const std::string text(reinterpret_cast<const char*>(bytes), size);
  out->meshCount = readCount(text.c_str(), "nummeshes=", kMaxObjectMeshes, out);
  for (int32_t i = 0; i < out->meshCount; ++i) readMeshNames(text.c_str(), i, out);
  out->boundCount = readCount(text.c_str(), "numbounds=", kMaxObjectBounds, out);
  for (int32_t i = 0; i < out->boundCount; ++i) readBound(text.c_str(), i, &out->bounds[i], out);
  return out->problem[0] == 0;
}

void loadGameObjects() {
  uint32_t size = 0;
  const uint8_t* bytes = loadFile("gameobjs.txt", &size, true);
  static GameObjectCatalogue catalogue;
  if (!parseGameObjectCatalogue(bytes, size, &catalogue)) {
    std::fprintf(stderr, "gameobjs.txt: %s (at byte %i); the rest is left out\n",
                 catalogue.problem, catalogue.problemOffset);
  }
  releaseFile(bytes);
  gameObjects.entryCount = 0;
  for (int32_t i = 0; i < catalogue.entryCount; ++i) {
    fillEntry(catalogue.entries[i], &gameObjects.entries[i]);
    gameObjects.entryCount = i + 1;
  }
  gameObjects.groupCount = catalogue.groupCount;
  std::memcpy(gameObjects.groups, catalogue.groups, sizeof gameObjects.groups);
}

const GameObjectEntry* findGameObjectEntry(const char* name) {
  for (int32_t i = gameObjects.entryCount - 1; i >= 0; --i) {
    if (std::strcmp(gameObjects.entries[i].name, name) == 0) return &gameObjects.entries[i];
  }
  return nullptr;
}

TextureEntry* gameObjectPicture(const GameObjectEntry* entry) {
  if (!entry || !entry->picture[0]) return nullptr;
  GameObjectEntry& held = gameObjects.entries[entry - gameObjects.entries];
  if (!held.texture) held.texture = getTexture(held.picture);
  return held.texture;
}

void releaseGameObjectPicturesExcept(const TextureEntry* const* kept, int32_t keptCount) {
  for (int32_t i = 0; i < gameObjects.entryCount; ++i) {
    TextureEntry* texture = gameObjects.entries[i].texture;
    if (!texture || std::find(kept, kept + keptCount, texture) != kept + keptCount) continue;
    // Entries naming the same file share the texture.
    for (int32_t k = i; k < gameObjects.entryCount; ++k) {
      if (gameObjects.entries[k].texture == texture) gameObjects.entries[k].texture = nullptr;
    }
    releaseTexture(texture);
  }
}

GameObject* getGameObject(const char* fileName) {
  if (GameObject* known = findRegisteredObject(fileName)) return known;
  if (!std::strstr(fileName, ".cgo")) return nullptr;
  if (gameObjects.registryCount >= kMaxGameObjects) {
    std::fprintf(stderr, "%s: more than %i game objects; left out\n", fileName, kMaxGameObjects);
    return nullptr;
  }
  auto* object = new GameObject();
  std::snprintf(object->name, sizeof object->name, "%s", fileName);
  object->transform = identity();
  gameObjects.registry[gameObjects.registryCount++] = object;
  loadDescription(fileName, object);
  return object;
}

void resetGameObjects() {
  for (int32_t i = 0; i < gameObjects.registryCount; ++i) delete gameObjects.registry[i];
  gameObjects = {};
}
