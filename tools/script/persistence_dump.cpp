// The runner's dump of what the player keeps: the profiles with every stored
// field, and the settings record as saveAll would write it.
#include "json.h"
#include "persistence/profile.h"
#include "persistence/settings.h"
#include "runner.h"

namespace {

void integerField(JsonWriter& json, const char* name, int64_t value) {
  json.key(name);
  json.integer(value);
}

void flagField(JsonWriter& json, const char* name, uint8_t value) {
  json.key(name);
  json.boolean(value != 0);
}

void tripleField(JsonWriter& json, const char* name, const int32_t (&values)[3]) {
  json.key(name);
  json.beginArray();
  for (const int32_t value : values) json.integer(value);
  json.endArray();
}

template <size_t N>
void flagsField(JsonWriter& json, const char* name, const uint8_t (&flags)[N]) {
  json.key(name);
  json.beginArray();
  for (const uint8_t flag : flags) json.boolean(flag != 0);
  json.endArray();
}

void profileObject(JsonWriter& json, const Profile& p) {
  json.beginObject();
  json.key("name");
  json.string(p.name);
  tripleField(json, "stage", p.stage);
  tripleField(json, "zone", p.zone);
  tripleField(json, "bestStage", p.bestStage);
  tripleField(json, "bestZone", p.bestZone);
  tripleField(json, "score", p.score);
  tripleField(json, "lives", p.lives);
  integerField(json, "storedDifficulty", p.storedDifficulty);
  flagField(json, "adventureSaved", p.adventureSaved);
  flagField(json, "survivalSaved", p.survivalSaved);
  flagField(json, "zenSaved", p.zenSaved);
  flagField(json, "survivalExpert", p.survivalExpert);
  integerField(json, "savedSurvivalScore", p.savedSurvivalScore);
  integerField(json, "survivalStartLevel", p.survivalStartLevel);
  flagsField(json, "helpShown", p.helpShown);
  flagsField(json, "tipShown", p.tipShown);
  json.endObject();
}

}  // namespace

void dumpProfiles(JsonWriter& json) {
  json.key("profiles");
  json.beginObject();
  integerField(json, "count", profileTable.profileCount);
  integerField(json, "current", profileTable.currentProfile);
  json.key("list");
  json.beginArray();
  for (int32_t i = 0; i < profileTable.profileCount && i < kMaxProfiles; ++i) {
    profileObject(json, profileTable.profiles[i]);
  }
  json.endArray();
  json.endObject();
}

void dumpSettings(JsonWriter& json) {
  const SettingsBlob s = currentSettingsBlob();
  json.key("settings");
  json.beginObject();
  integerField(json, "musicVolume", s.musicVolume);
  integerField(json, "effectsVolume", s.effectsVolume);
  integerField(json, "screenWidth", s.screenWidth);
  integerField(json, "screenHeight", s.screenHeight);
  integerField(json, "resolutionIndex", s.resolutionIndex);
  integerField(json, "colorDepth32", s.colorDepth32);
  integerField(json, "reservedFlag", s.reservedFlag);
  integerField(json, "customCursor", s.customCursor);
  integerField(json, "reservedInt", s.reservedInt);
  integerField(json, "currentProfile", s.currentProfile);
  integerField(json, "profileCount", s.profileCount);
  integerField(json, "fullScreen", s.fullScreen);
  json.key("ballSpeed");
  json.number(s.ballSpeed);
  json.endObject();
}
