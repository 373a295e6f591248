// The runner's dump of the map: the backdrop behind the menus, the level marks the
// adventure map draws with their places and states, the selected and current
// levels, the zone whose artefacts are lit, and the survival chart's start level.
#include <cstring>

#include "app/scene.h"
#include "json.h"
#include "map/map.h"
#include "persistence/profile.h"
#include "persistence/settings.h"
#include "runner.h"
#include "ui/menu.h"

namespace {

const char* stateName(MarkState state) {
  switch (state) {
    case MarkState::Selected: return "selected";
    case MarkState::Locked: return "locked";
    case MarkState::Open: return "open";
  }
  return "open";
}

bool adventureMapShown() {
  const Scene* scene = currentScene();
  return scene && std::strcmp(scene->name(), "map") == 0 && menu.backdrop == kBackdropMap;
}

void dumpMarks(JsonWriter& json) {
  json.key("marks");
  json.beginArray();
  for (int32_t level = 0; level < kMapLevelCount && adventureMapShown(); ++level) {
    const LevelMark& mark = mapGeometry.marks[level];
    json.beginObject();
    json.key("level");
    json.integer(level);
    json.key("x");
    json.number(mark.position.x);
    json.key("y");
    json.number(mark.position.y);
    json.key("state");
    json.string(stateName(levelMarkState(level)));
    json.endObject();
  }
  json.endArray();
}

}  // namespace

void dumpMap(JsonWriter& json) {
  json.key("map");
  json.beginObject();
  json.key("backdrop");
  json.integer(menu.backdrop);
  dumpMarks(json);
  json.key("selectedLevel");
  json.integer(settings.selectedMapLevel);
  json.key("currentLevel");
  json.integer(currentLevel());
  json.key("reachedZone");
  json.integer(reachedZone());
  json.key("startLevel");
  json.integer(menu.survivalStartLevel);
  json.key("startLocked");
  json.boolean(survivalStartLocked(menu.survivalStartLevel));
  json.key("chartOffset");
  json.number(mapState.chartOffset);
  json.endObject();
}
