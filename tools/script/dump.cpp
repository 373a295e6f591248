// The runner's dump: one JSON object, a section per part of the program. Field
// names never change once added; sections are added as the parts behind them are.
#include "app/app.h"
#include "app/scene.h"
#include "audio/audio.h"
#include "effects/effects.h"
#include "input/input.h"
#include "json.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/text.h"
#include "resources/resources.h"
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
  json.key("language");
  json.string(textLanguage());
  json.key("mouse");
  json.beginArray();
  json.integer(input.mouseX);
  json.integer(input.mouseY);
  json.endArray();
}

// The music's order positions and the effects started since the last dump.
void dumpAudio(JsonWriter& json) {
  json.key("audio");
  json.beginObject();
  json.key("currentOrder");
  json.integer(sound.currentOrder);
  json.key("pendingOrder");
  json.integer(sound.pendingOrder);
  json.key("started");
  json.beginArray();
  for (const std::string& name : takeStartedSounds()) json.string(name.c_str());
  json.endArray();
  json.endObject();
}

// The strings drawn in the last frame, in drawing order.
void dumpTexts(JsonWriter& json) {
  json.key("texts");
  json.beginArray();
  for (int32_t i = 0; i < lastFrameTextCount(); ++i) json.string(lastFrameText(i));
  json.endArray();
}

// What the last frame cost the device.
void dumpGfx(JsonWriter& json) {
  const DevFrameStats gfx = lastFrameGfx();
  json.key("gfx");
  json.beginObject();
  json.key("drawCalls");
  json.integer(gfx.drawCalls);
  json.key("triangles");
  json.integer(gfx.triangles);
  json.endObject();
}

// What of the effects lives now.
void dumpEffects(JsonWriter& json) {
  const EffectCounts counts = countLiveEffects();
  json.key("effects");
  json.beginObject();
  json.key("emitters");
  json.integer(counts.emitters);
  json.key("particles");
  json.integer(counts.particles);
  json.key("sparks");
  json.integer(counts.sparks);
  json.key("bolts");
  json.integer(counts.bolts);
  json.key("sprites");
  json.integer(counts.sprites);
  json.endObject();
}

// Every section in dump order.
void (*const kSections[])(JsonWriter&) = {
    dumpCore,
    dumpMenu,
    dumpGame,
    dumpBoard,
    dumpHud,
    dumpProfiles,
    dumpSettings,
    dumpAudio,
    dumpTexts,
    dumpBanner,
    dumpTip,
    dumpGfx,
    dumpScenery,
    dumpEffects,
    dumpMap,
    dumpHelp,
    dumpWindow,
};

}  // namespace

std::string buildDump() {
  JsonWriter json;
  json.beginObject();
  for (auto section : kSections) section(json);
  json.endObject();
  return json.text();
}
