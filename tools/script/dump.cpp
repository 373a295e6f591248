// The runner's dump: one JSON object, a section per part of the program. Field
// names never change once added; sections are added as the parts behind them are.
#include "app/app.h"
#include "app/scene.h"
#include "json.h"
#include "platform/platform.h"
#include "runner.h"

namespace {

void dumpCore(JsonWriter& json) {
  json.key("frame");
  json.integer(app.frameCount);
  json.key("scene");
  json.string(currentScene() ? currentScene()->name() : nullptr);
  json.key("clock");
  json.beginObject();
  json.key("now");
  json.integer(sysMilliseconds());
  json.key("frameDelta");
  json.number(app.frameDelta);
  json.key("frameDeltaMs");
  json.integer(app.frameDeltaMs);
  json.key("totalTime");
  json.number(app.totalTime);
  json.key("fpsText");
  json.string(app.fpsText);
  json.endObject();
  json.key("active");
  json.boolean(app.appActive != 0);
  json.key("mouse");
  json.beginArray();
  json.integer(app.mouseX);
  json.integer(app.mouseY);
  json.endArray();
}

// Every section in dump order.
void (*const kSections[])(JsonWriter&) = {
    dumpCore,
};

}  // namespace

std::string buildDump() {
  JsonWriter json;
  json.beginObject();
  for (auto section : kSections) section(json);
  json.endObject();
  return json.text();
}
