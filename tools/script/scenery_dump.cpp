// The runner's dump of the scenery: the backgrounds shown and coming, how far the
// crossfade has gone, the tint and the game's colour scheme it drifts to.
#include "game/game.h"
#include "game/game_scene.h"
#include "json.h"
#include "runner.h"
#include "scenery/scenery.h"

void dumpScenery(JsonWriter& json) {
  json.key("scenery");
  json.beginObject();
  json.key("background");
  json.integer(scenery.background);
  json.key("nextBackground");
  json.integer(scenery.nextBackground);
  json.key("crossfade");
  json.number(crossfadeProgress());
  json.key("tint");
  json.beginArray();
  for (const float channel : {scenery.tint.r, scenery.tint.g, scenery.tint.b, scenery.tint.a}) {
    json.number(channel);
  }
  json.endArray();
  json.key("scheme");
  json.integer(gameView.colourScheme);
  json.endObject();
}
