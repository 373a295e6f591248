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
// Starts the current level of the current kind and, when the profile has that kind
// on offer, reads the saved game over it. A file that cannot be read, or whose size
// is not a saved game's, leaves the level as it started (the file and the offer stay).
void loadGame();
