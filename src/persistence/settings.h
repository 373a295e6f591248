// settings.h: the user's settings and the profile bookkeeping, kept as one 48-byte
// registry value, and saveAll, which writes that value and every file of the
// folder "settings" together. The folder helpers are shared by everything that
// stores files there.
//
// Most values the record carries belong to other modules: the volumes (audio), the
// display mode (render), the ball speed (game). This module only encodes and
// decodes them; the owners take and give them through SettingsHooks, which app
// sets at start-up. The profile count and current profile are this module's own.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr const char* kSettingsKey = "software\\tarnwick\\games\\orbelquaint";
constexpr const char* kSettingsValueName = "settings";
constexpr uint32_t kSettingsBlobSize = 48;
constexpr const char* kSettingsFolder = "settings";
// The language chosen in the options: a value of its own beside the record (the
// code as text, "de"), so the 48-byte record stays as it is.
constexpr const char* kLanguageValueName = "language";

// The settings that have no other home: process lifetime, set by readSettings.
struct Settings {
  uint8_t reservedFlag;      // 1 when the value was first created; kept as read
  uint8_t customCursor;      // the game draws its own cursor
  int32_t reservedInt;       // kept as read
  int32_t selectedMapLevel;  // the level marked on the map; 0 on a first start
};
extern Settings settings;

// The 48-byte value, field by field. Bytes 26 and 27 are never set (written 0).
struct SettingsBlob {
  int32_t musicVolume;      // 0..99
  int32_t effectsVolume;    // 0..99
  int32_t screenWidth;
  int32_t screenHeight;
  int32_t resolutionIndex;  // of the screen size in the device's list of sizes
  int32_t colorDepth32;
  uint8_t reservedFlag;
  uint8_t customCursor;
  int32_t reservedInt;
  int32_t currentProfile;
  int32_t profileCount;     // 0..8: written for other builds, never read back
  int32_t fullScreen;
  float ballSpeed;          // move duration factor, 21..150
};

// The modules that own the record's other values. Unset hooks leave those values
// alone (apply) or write them as 0 (gather).
struct SettingsHooks {
  // Hands a read record to its owners; null for a first start (no stored value),
  // when each owner takes its own defaults.
  void (*apply)(const SettingsBlob* stored);
  // Fills the owners' fields of the record with their values now.
  void (*gather)(SettingsBlob* blob);
};
extern SettingsHooks settingsHooks;

void encodeSettingsBlob(const SettingsBlob& blob, uint8_t out[kSettingsBlobSize]);
SettingsBlob decodeSettingsBlob(const uint8_t in[kSettingsBlobSize]);
// The value as saveAll would write it now: this module's fields and the owners'.
SettingsBlob currentSettingsBlob();

// Reads the registry value (before the window exists): the settings record and the
// current profile are taken here, the rest is handed to the owners. A missing
// value, or one of another size (kept aside and said), is a first start.
void readSettings();
// Writes the registry value, then "profiles.dat", "records.dat", "hiscore.dat",
// "survival.dat" and "surrecs.dat" in the folder "settings" (each through a
// temporary file renamed over the old one). Failures are ignored; the working
// directory is the data directory afterwards.
void saveAll();

// The language code the player chose in the options, or "" when none is kept (or
// what is kept is not a code: letters and "_" only).
void readLanguageChoice(char* out, size_t capacity);
// Keeps the choice for the next start. Failures are told as every save's are.
void saveLanguageChoice(const char* code);

// Enters the folder "settings" of the data directory, making it when missing; when
// the data directory does not take files, the player's own folder of that name
// (${XDG_DATA_HOME:-~/.local/share}/orbelquaint/settings). Returns false (the
// working directory unchanged, the failure told once on stderr) when it cannot.
bool enterSettingsFolder();
// Returns to the data directory.
void leaveSettingsFolder();
// Start-up, after readSettings: the profiles and the result tables from the folder
// "settings". When the folder cannot be entered (told once on stderr), nothing
// stored is read: no profiles, and the tables of a first start.
void loadPlayerFiles();
