// saved_games.h: each profile keeps at most one saved adventure game (expert or
// normal), one zen game and one survival game, as files in the folder "settings"
// named after the profile. The profile's flags say which files hold a game to
// offer; a file without its flag is never read.
#pragma once

#include <cstddef>
#include <cstdint>

enum class SavedGameKind : uint8_t {
  Adventure,  // difficulty expert or normal: "%s_adv.sav"
  Zen,        // "%s_zen.sav"
  Survival    // any difficulty: "%s_sur.sav"
};

// Long enough for a 31-character name with every character escaped.
constexpr size_t kMaxSavedGameName = 128;

// The kind of the game being played (the game state's survival flag and difficulty).
SavedGameKind currentSavedGameKind();
// The file name of `kind` for a profile name. Characters the name entry never makes
// (anything but capital letters, digits and spaces) are written as "%XX", so a name
// read from disk can never lead outside the folder. Cut to fit `capacity`.
void savedGameFileName(const char* profileName, SavedGameKind kind, char* out, size_t capacity);
// Whether the current profile has a game of `kind` on offer.
bool savedGameOffered(SavedGameKind kind);

// Saves the running game under the current profile when it may be saved: the game
// scene is current, no result waits for the high scores, no "levelcomplete" screen
// is open, no level end runs and at least one move was made. Returns true when the
// file was written and the profile's flag set; false (nothing changed) otherwise.
bool saveGame();
// Starts the current level of the current kind and, when the profile has that kind
// on offer, reads the saved game over it. A file that cannot be read leaves the
// level as it started.
void loadGame();
// Clears the current profile's flag of `kind`; the file stays on disk.
void forgetSavedGame(SavedGameKind kind);
