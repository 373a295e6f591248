// scenery.h: the landscape behind the board and the title menus: a background
// picture per five levels dressed with scrolling sky and water, spray and swaying
// leaves, a tint drifting to the colour scheme, and the crossfade with its view
// wobble when the game moves on to the next background.
#pragma once

#include <cstdint>

// Start-up: the scenery catalogue and every scenery list, so a missing file stops
// the start-up rather than a later level.
void LoadScenery();
// The background of `level` (index level / 5 + 1; 0 for negative levels) at once.
void SetBackgroundForLevel(int32_t level);
// Remembers the background of `level` for a crossfade started after this frame.
void QueueNextBackground(int32_t level);
bool backgroundChangePending();
void StartBackgroundCrossfade();
// The tint presets: 0 night, 1 morning, 2 day. Target drifts; Now jumps.
void SetTintTarget(int32_t preset);
void SetTintNow(int32_t preset);
// Tint, crossfade, spray and leaves advance by dt ms; playClock is the play time.
void UpdateScenery(float dt, float playClock);
// The game scene's background: crossfade, view wobble and tint.
void DrawSceneryWithTransition();
// The title menus' background: tint only.
void DrawScenery();
