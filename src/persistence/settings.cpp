// The settings record in the registry stand-in, saveAll, and the way into the
// folder "settings".
#include "persistence/settings.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "persistence/byte_io.h"
#include "persistence/persistence_local.h"
#include "persistence/profile.h"
#include "persistence/profile_file.h"
#include "persistence/records.h"
#include "platform/platform.h"
#include "resources/resources.h"

namespace {

constexpr Settings kStartingSettings = {1, 0, 0, 0};

}  // namespace

Settings settings = kStartingSettings;
SettingsHooks settingsHooks = {};

void resetPersistence() {
  profileTable = {};
  recordTables = {};
  settings = kStartingSettings;
}

namespace {

// The screen size, resolution index and colour depth are not read back: the
// start-up question and the device decide them. Nor is the profile count: the
// profiles are as many as "profiles.dat" holds, whatever a record of another data
// folder, a failed write or a damaged value says.
void takeOwnFields(const SettingsBlob& blob) {
  settings.reservedFlag = blob.reservedFlag;
  settings.reservedInt = blob.reservedInt;
  settings.customCursor = blob.customCursor != 0 ? 1 : 0;
  profileTable.currentProfile = 0;
  selectProfile(blob.currentProfile);
}

// A first start.
void takeOwnDefaults() {
  settings = {};
  settings.reservedFlag = 1;
  profileTable.currentProfile = 0;
}

}  // namespace

void encodeSettingsBlob(const SettingsBlob& blob, uint8_t out[kSettingsBlobSize]) {
  ByteWriter w = makeByteWriter(out, kSettingsBlobSize);
  putInt32(&w, blob.musicVolume);
  putInt32(&w, blob.effectsVolume);
  putInt32(&w, blob.screenWidth);
  putInt32(&w, blob.screenHeight);
  putInt32(&w, blob.resolutionIndex);
  putInt32(&w, blob.colorDepth32);
  putByte(&w, blob.reservedFlag);
  putByte(&w, blob.customCursor);
  putZeros(&w, 2);
  putInt32(&w, blob.reservedInt);
  putInt32(&w, blob.currentProfile);
  putInt32(&w, blob.profileCount);
  putInt32(&w, blob.fullScreen);
  putFloat(&w, blob.ballSpeed);
}

SettingsBlob decodeSettingsBlob(const uint8_t in[kSettingsBlobSize]) {
  SettingsBlob blob = {};
  ByteReader r = makeByteReader(in, kSettingsBlobSize);
  takeInt32(&r, &blob.musicVolume);
  takeInt32(&r, &blob.effectsVolume);
  takeInt32(&r, &blob.screenWidth);
  takeInt32(&r, &blob.screenHeight);
  takeInt32(&r, &blob.resolutionIndex);
  takeInt32(&r, &blob.colorDepth32);
  takeByte(&r, &blob.reservedFlag);
  takeByte(&r, &blob.customCursor);
  skipBytes(&r, 2);
  takeInt32(&r, &blob.reservedInt);
  takeInt32(&r, &blob.currentProfile);
  takeInt32(&r, &blob.profileCount);
  takeInt32(&r, &blob.fullScreen);
  takeFloat(&r, &blob.ballSpeed);
  return blob;
}

SettingsBlob currentSettingsBlob() {
  SettingsBlob blob = {};
  if (settingsHooks.gather) settingsHooks.gather(&blob);
  blob.reservedFlag = settings.reservedFlag;
  blob.customCursor = settings.customCursor;
  blob.reservedInt = settings.reservedInt;
  blob.currentProfile = profileTable.currentProfile;
  blob.profileCount = profileTable.profileCount;
  return blob;
}

void removeStaleTemporaries(const char* folder) {
  const int32_t removed = sysRemoveStaleTemporaries(folder);
  if (removed == 0) return;
  const std::string full = folder[0] == '/' ? std::string(folder) : sysCurrentDirectory();
  std::fprintf(stderr, "%s: removed %i temporary %s of interrupted saves from %s\n", kProgramName,
               int(removed), removed == 1 ? "file" : "files", full.c_str());
}

void readSettings() {
  const std::string path = sysRegistryPath(kSettingsKey, kSettingsValueName);
  removeStaleTemporaries(path.substr(0, path.rfind('/')).c_str());
  uint8_t bytes[kSettingsBlobSize];
  uint32_t size = kSettingsBlobSize;
  readRegistryBlob(kSettingsKey, kSettingsValueName, bytes, &size);
  if (size == kSettingsBlobSize) {
    const SettingsBlob blob = decodeSettingsBlob(bytes);
    takeOwnFields(blob);
    if (settingsHooks.apply) settingsHooks.apply(&blob);
  } else {
    takeOwnDefaults();
    if (settingsHooks.apply) settingsHooks.apply(nullptr);
  }
}

void writeSettingsRecord() {
  uint8_t bytes[kSettingsBlobSize];
  encodeSettingsBlob(currentSettingsBlob(), bytes);
  writeRegistryBlob(kSettingsKey, kSettingsValueName, bytes, kSettingsBlobSize);
}

void saveAll() {
  writeSettingsRecord();
  if (!enterSettingsFolder()) return;
  writeProfilesFile();
  writeRecordFiles();
  leaveSettingsFolder();
}

void readLanguageChoice(char* out, size_t capacity) {
  if (capacity == 0) return;
  out[0] = '\0';
  std::vector<uint8_t> value;
  const std::string path = sysRegistryPath(kSettingsKey, kLanguageValueName);
  // A code and its line end, a byte at a time: "pt_BR\n".
  const PlayerFileFormat code = {1, 1, kMaxLanguageCode};
  if (!readPlayerFile(path.c_str(), code, &value, "the language is chosen afresh")) return;
  size_t length = 0;
  while (length < value.size() && value[length] != '\n' && value[length] != '\r') length++;
  if (length == 0 || length >= capacity) return;
  for (size_t i = 0; i < length; ++i) {
    const uint8_t c = value[i];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_')) return;
  }
  std::memcpy(out, value.data(), length);
  out[length] = '\0';
}

void saveLanguageChoice(const char* code) {
  const std::string line = std::string(code) + "\n";
  writeRegistryBlob(kSettingsKey, kLanguageValueName, line.data(), uint32_t(line.size()));
}

bool enterSettingsFolder() {
  leaveSettingsFolder();
  // The data folder's own while it takes files; an installed game's data folder
  // does not, and the player's data folder keeps them instead.
  const std::string folder =
      sysPlayerFilesDirectory(dataLocation.dataDirectory, kSettingsFolder, kProgramName);
  return sysEnterFolderMakingIt(folder.c_str());
}

void leaveSettingsFolder() {
  returnToDataDirectory();
}

void loadPlayerFiles() {
  if (!enterSettingsFolder()) {
    profileTable = {};
    generateRecords();
    return;
  }
  removeStaleTemporaries(".");
  loadProfiles();
  loadRecords();
  leaveSettingsFolder();
}
