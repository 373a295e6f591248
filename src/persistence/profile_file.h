// profile_file.h: the profile table on disk: "profiles.dat" in the folder
// "settings" holds the profiles, 148 bytes each, back to back: as many as the file
// holds whole. The settings record keeps the current profile (and, for other
// builds, the count, which is written but never trusted on reading).
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

// Start-up, in the folder "settings", after readSettings: every whole profile of
// "profiles.dat" (at most eight; a record of nothing but zeros is none). A damaged
// file is kept aside and its whole profiles used (readPlayerFile); a missing or
// unreadable one gives no profiles. Names are cleaned as the name entry would make
// them, unique in the table. The current profile is kept inside the table (0 when
// it was outside).
void loadProfiles();

// A player added, renamed or removed from the menus: the table changes and
// "profiles.dat" is written at once, with the saved games that go by the player's
// name. Each can be cut at any point (a kill, a full disk) and the files still hold
// every player whole, before or after the change, never one player's game under
// another's name: the games are put under a new name before the table names the
// player anew, and removed only once the table no longer has the old name.
// Creating fails as createProfile does; games an earlier player left under the
// name are removed.
bool createStoredProfile(const char* name);
// Fails as renameProfile does, and when a saved game cannot be put under the new
// name (nothing changes). A saved game whose file is gone is no longer offered.
bool renameStoredProfile(int32_t index, const char* name);
// Removes the profile; its saved games go once the table without it is written.
void removeStoredProfile(int32_t index);
