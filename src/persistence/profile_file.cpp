// The profile table on disk: "profiles.dat", read at start-up and written by
// saveAll.
#include "persistence/profile_file.h"

#include <algorithm>
#include <vector>

#include "persistence/byte_io.h"
#include "persistence/persistence_local.h"
#include "persistence/settings.h"
#include "resources/resources.h"

namespace {

void putTriple(ByteWriter* w, const int32_t (&values)[3]) {
  for (const int32_t value : values) putInt32(w, value);
}

void takeTriple(ByteReader* r, int32_t (&values)[3]) {
  for (int32_t& value : values) takeInt32(r, &value);
}

void limitTriple(int32_t (&values)[3], int32_t last) {
  for (int32_t& value : values) value = std::clamp(value, 0, last);
}

// A damaged file's places are brought inside the adventure (a sound file's already
// are), so the level arithmetic of every operation on the profile stays in range.
void limitPlaces(Profile* p) {
  limitTriple(p->stage, kStagesPerZone - 1);
  limitTriple(p->zone, kZoneCount - 1);
  limitTriple(p->bestStage, kStagesPerZone - 1);
  limitTriple(p->bestZone, kZoneCount - 1);
  p->survivalStartLevel = std::clamp(p->survivalStartLevel, 0, kZoneCount * kStagesPerZone - 1);
}

}  // namespace

void encodeProfile(const Profile& p, uint8_t out[kProfileBytes]) {
  ByteWriter w = makeByteWriter(out, kProfileBytes);
  putBytes(&w, p.name, sizeof p.name);
  putBytes(&w, p.helpShown, sizeof p.helpShown);
  putBytes(&w, p.zero38, sizeof p.zero38);
  putTriple(&w, p.stage);
  putTriple(&w, p.zone);
  putTriple(&w, p.bestStage);
  putTriple(&w, p.bestZone);
  putTriple(&w, p.score);
  putTriple(&w, p.lives);
  putBytes(&w, p.tipShown, sizeof p.tipShown);
  putBytes(&w, p.zero120, sizeof p.zero120);
  putInt32(&w, p.storedDifficulty);
  putByte(&w, p.adventureExpert);
  putBytes(&w, p.zero129, sizeof p.zero129);
  putByte(&w, p.adventureSaved);
  putByte(&w, p.survivalSaved);
  putByte(&w, p.zenSaved);
  putByte(&w, p.survivalExpert);
  putInt32(&w, p.savedSurvivalScore);
  putInt32(&w, p.survivalStartLevel);
}

void decodeProfile(const uint8_t in[kProfileBytes], Profile* p) {
  ByteReader r = makeByteReader(in, kProfileBytes);
  *p = {};
  takeBytes(&r, p->name, sizeof p->name);
  p->name[kProfileNameSize - 1] = '\0';
  takeBytes(&r, p->helpShown, sizeof p->helpShown);
  takeBytes(&r, p->zero38, sizeof p->zero38);
  takeTriple(&r, p->stage);
  takeTriple(&r, p->zone);
  takeTriple(&r, p->bestStage);
  takeTriple(&r, p->bestZone);
  takeTriple(&r, p->score);
  takeTriple(&r, p->lives);
  takeBytes(&r, p->tipShown, sizeof p->tipShown);
  takeBytes(&r, p->zero120, sizeof p->zero120);
  takeInt32(&r, &p->storedDifficulty);
  takeByte(&r, &p->adventureExpert);
  takeBytes(&r, p->zero129, sizeof p->zero129);
  takeByte(&r, &p->adventureSaved);
  takeByte(&r, &p->survivalSaved);
  takeByte(&r, &p->zenSaved);
  takeByte(&r, &p->survivalExpert);
  takeInt32(&r, &p->savedSurvivalScore);
  takeInt32(&r, &p->survivalStartLevel);
  limitPlaces(p);
}

void loadProfiles() {
  std::vector<uint8_t> bytes;
  int32_t count = settings.valueMissing ? kMaxProfiles : profileTable.profileCount;
  if (count <= 0 || !readPlayerFile(kProfilesFile, kMaxProfiles * kProfileBytes, &bytes,
                                    "the game starts without its profiles")) {
    count = 0;
  }
  const int32_t whole = int32_t(bytes.size() / kProfileBytes);
  if (count > whole) count = whole;
  if (count > kMaxProfiles) count = kMaxProfiles;
  for (int32_t i = 0; i < kMaxProfiles; ++i) {
    profileTable.profiles[i] = {};
    if (i < count) decodeProfile(bytes.data() + size_t(i) * kProfileBytes, &profileTable.profiles[i]);
  }
  profileTable.profileCount = count;
  // Exactly one profile is current whenever there is one.
  if (profileTable.currentProfile < 0 || profileTable.currentProfile >= count) {
    profileTable.currentProfile = 0;
  }
}

bool writeProfilesFile() {
  uint8_t bytes[kMaxProfiles * kProfileBytes];
  int32_t count = profileTable.profileCount;
  if (count < 0) count = 0;
  if (count > kMaxProfiles) count = kMaxProfiles;
  for (int32_t i = 0; i < count; ++i) {
    encodeProfile(profileTable.profiles[i], bytes + size_t(i) * kProfileBytes);
  }
  return writeWholeFile(kProfilesFile, bytes, uint32_t(count) * kProfileBytes);
}
