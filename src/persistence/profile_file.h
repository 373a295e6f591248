// profile_file.h: the profile table on disk: "profiles.dat" in the folder
// "settings" holds the first profileCount profiles, 148 bytes each, back to back.
// The count and the current profile are kept with the settings record.
#pragma once

#include <cstdint>

#include "persistence/profile.h"

constexpr const char* kProfilesFile = "profiles.dat";
constexpr uint32_t kProfileBytes = 148;

// The stored form of one profile, field by field.
void encodeProfile(const Profile& profile, uint8_t out[kProfileBytes]);
// Reads a stored profile. The name always ends inside its 32 bytes; stages, zones
// and the survival start level of a damaged record are limited to the adventure's.
void decodeProfile(const uint8_t in[kProfileBytes], Profile* profile);

// Start-up, in the folder "settings", after readSettings: reads profileCount
// profiles from "profiles.dat" (every whole profile when no settings value was
// read). A missing file, or one larger than eight profiles, gives no profiles; a
// short file gives its whole profiles only; bytes past profileCount profiles are
// ignored. The current profile is kept inside the table (0 when it was outside).
void loadProfiles();
