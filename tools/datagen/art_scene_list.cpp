// art_scene_list.cpp: what the landscape painters read back from the generated
// files: the objects of a scenery list and the pictures the catalogue names,
// both read with the game's own readers.
#include <algorithm>
#include <cmath>

#include "art_scene.h"
#include "datagen.h"
#include "scenery/game_objects.h"
#include "scenery/scenery_file.h"

namespace {

PlaceKind placeKindOf(SceneryKind kind) {
  switch (kind) {
    case SceneryKind::Sky: return PlaceKind::Sky;
    case SceneryKind::Waterfall: return PlaceKind::Waterfall;
    case SceneryKind::Water: return PlaceKind::Water;
    case SceneryKind::Spray: return PlaceKind::Spray;
    case SceneryKind::Leaves1:
    case SceneryKind::Leaves2:
    case SceneryKind::Leaves: return PlaceKind::Leaves;
    case SceneryKind::Still: return PlaceKind::Still;
  }
  return PlaceKind::Still;
}

}  // namespace

std::vector<ScenePlace> readScenePlaces(int index) {
  std::vector<ScenePlace> places;
  static SceneryList list;  // large; read one list at a time
  list.count = 0;
  const OutputFile* lev = findOutput(Place::Animbacks, format("level%i.lev", index));
  if (!lev || !parseSceneryList(lev->bytes.data(), lev->bytes.size(), &list)) return places;
  for (int32_t i = 0; i < list.count; ++i) {
    const SceneryRecord& object = list.objects[i];
    const SceneryKind kind = sceneryKindOfName(object.name);
    places.push_back(ScenePlace{object.name, placeKindOf(kind), object.rect.x0, object.rect.y0,
                                object.rect.x1, object.rect.y1,
                                sceneryKindIsBehind(kind) || object.behindPicture != 0,
                                object.mirrored != 0,
                                std::min(255.0f, std::hypot(object.scroll.x, object.scroll.y))});
  }
  return places;
}

std::string cataloguePictureOf(const std::string& entry) {
  static GameObjectCatalogue catalogue;  // large; read once per run
  static bool read = false;
  if (!read) {
    catalogue.entryCount = 0;
    const OutputFile* file = findOutput(Place::TextsPack, "gameobjs.txt");
    if (file) parseGameObjectCatalogue(file->bytes.data(), file->bytes.size(), &catalogue);
    read = true;
  }
  const int32_t i = findCatalogueEntry(catalogue, entry.c_str());
  return i >= 0 ? catalogue.entries[i].value : "";
}
