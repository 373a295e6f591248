// saved_game.h: when the running game may be saved, saving it under the current
// profile, and resuming a profile's saved game. The files and the profile's offer
// flags are kept by persistence (saved_games.h); the image by save_image.h.
#pragma once

#include "persistence/saved_games.h"

// The kind of the game being played (the game state's survival flag and difficulty).
SavedGameKind currentSavedGameKind();
// True when the running game may be saved: the board game's scene is current, no
// result waits for the high scores, the menus hold no saving back (a level's results
// are shown), no level end runs and at least one move was made.
bool gameMayBeSaved();
// Saves the running game under the current profile when it may be saved. Returns
// true when the file was written and the profile's flag set; false (nothing
// changed) otherwise.
bool saveGame();
// Whether the current profile's saved game of `kind` would load now: it is on
// offer, its file is one whole saved game, and every value in it is one a running
// game holds. A file that is not is said on stderr and kept aside as damaged.
bool savedGameLoadable(SavedGameKind kind);
// Starts the current level of the current kind and reads the profile's saved game
// of that kind over it. Returns false, the level as it started, when none is on
// offer or it cannot be loaded: then the reason is said on stderr and kept for the
// menus to show, and the file and the offer stay.
bool loadGame();
