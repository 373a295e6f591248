// saved_games.h: each profile keeps at most one saved adventure game (expert or
// normal), one zen game and one survival game, as files in the folder "settings"
// named after the profile. The profile's flags say which files hold a game to
// offer; a file without its flag is never read. When a game is saved and resumed
// is the board game's decision (game/saved_game.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct Profile;

enum class SavedGameKind : uint8_t {
  Adventure,  // difficulty expert or normal: "%s_adv.sav"
  Zen,        // "%s_zen.sav"
  Survival    // any difficulty: "%s_sur.sav"
};

constexpr SavedGameKind kSavedGameKinds[] = {SavedGameKind::Adventure, SavedGameKind::Zen,
                                             SavedGameKind::Survival};

// Long enough for a 31-character name with every character escaped.
constexpr size_t kMaxSavedGameName = 128;

// The file name of `kind` for a profile name. Characters the name entry never makes
// (anything but capital letters, digits and spaces) are written as "%XX", so a name
// read from disk can never lead outside the folder. Cut to fit `capacity`.
void savedGameFileName(const char* profileName, SavedGameKind kind, char* out, size_t capacity);
// The same as a string.
std::string savedGameFile(const char* profileName, SavedGameKind kind);
// The flag of `kind` of a profile: its file holds a game to offer.
bool savedGameFlagOf(const Profile& profile, SavedGameKind kind);
void setSavedGameFlag(Profile* profile, SavedGameKind kind, bool offered);
// Whether the current profile has a game of `kind` on offer.
bool savedGameOffered(SavedGameKind kind);
// Sets the current profile's flag of `kind` (its file was just written).
void offerSavedGame(SavedGameKind kind);
// Clears the current profile's flag of `kind`; the file stays on disk.
void forgetSavedGame(SavedGameKind kind);
