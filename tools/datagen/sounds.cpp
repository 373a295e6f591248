// sounds.cpp: the 31 sound effects of the "Sounds" folder, synthesised from
// fixed recipes and encoded as mono 44100 Hz Ogg Vorbis. Each recipe builds the
// sound for its moment (clicks for menus, pops and chimes for the board, blasts
// for the bombs, ambience for the scenery); the finishing step takes out any
// offset, fades the ends so nothing clicks, and sets the peak below full scale.
// The game loops the water ambience as one channel; it is built periodic over its
// whole length, so the loop point joins without a seam and is left unfaded.
#include <cmath>

#include "datagen.h"
#include "generators.h"
#include "ogg_vorbis.h"
#include "sound_recipes.h"
#include "synth.h"

namespace {

struct SoundRecipe {
  const char* name;
  Wave (*build)();
  float peak;    // of the finished sound, below full scale
  bool looping;  // played looped: periodic, not faded
};

// Every sound the game plays, by file name. The peaks set the levels, measured
// against the music as the game plays both at full volume (orbel-soundcheck),
// which is the data's own level: board and menu
// sounds 3..5 dB over it in their loudest 100 ms, rewards and blasts 6..9 dB,
// birds a few dB under it, and the water about 8 LU under it.
const SoundRecipe kSounds[] = {
    {"addball.ogg", buildAddBall, 0.59f, false},
    {"addbonus.ogg", buildAddBonus, 0.40f, false},
    {"addlife.ogg", buildAddLife, 0.48f, false},
    {"ball.ogg", buildBall, 0.68f, false},
    {"ballstand.ogg", buildBallStand, 0.61f, false},
    {"birds1.ogg", buildBirds1, 0.105f, false},
    {"birds2.ogg", buildBirds2, 0.105f, false},
    {"birds3.ogg", buildBirds3, 0.105f, false},
    {"bomb1.ogg", buildBomb1, 0.49f, false},
    {"bomb2.ogg", buildBomb2, 0.55f, false},
    {"brook.ogg", buildBrook, 0.21f, true},
    {"chain.ogg", buildChain, 0.51f, false},
    {"chpok1.ogg", buildChpok, 0.72f, false},
    {"defeat.ogg", buildDefeat, 0.56f, false},
    {"deleteballs.ogg", buildDeleteBalls, 0.48f, false},
    {"diamond.ogg", buildDiamond, 0.53f, false},
    {"diamond0.ogg", buildDiamondZap, 0.47f, false},
    {"excellent.ogg", buildExcellent, 0.53f, false},
    {"gaf.ogg", buildGaf, 0.25f, false},
    {"gethammer.ogg", buildGetHammer, 0.65f, false},
    {"hammer.ogg", buildHammer, 0.70f, false},
    {"level_defeat.ogg", buildLevelDefeat, 0.57f, false},
    {"levelcomplete.ogg", buildLevelComplete, 0.62f, false},
    {"menu.ogg", buildMenu, 0.71f, false},
    {"menu2.ogg", buildMenu2, 0.68f, false},
    {"score.ogg", buildScore, 0.67f, false},
    {"selectaim.ogg", buildSelectAim, 0.45f, false},
    {"selectball.ogg", buildSelectBall, 0.75f, false},
    {"square.ogg", buildSquare, 0.63f, false},
    {"waterfall.ogg", buildWaterfall, 0.164f, true},
    {"wow.ogg", buildWow, 0.60f, false},
};

// Silence ahead of a one-shot: the encoder smears a sharp attack a few
// milliseconds backwards, and this keeps the smear off the first sample.
constexpr float kLeadInSeconds = 0.004f;

// Offset out, ends faded, peak set. Looping sounds keep their periodic content
// whole: a fade at the loop point would be heard as a dip every time round.
void finish(Wave* w, const SoundRecipe& recipe) {
  if (!recipe.looping) {
    OnePole dc = {};
    setOnePole(&dc, 12.0f);
    for (float& v : *w) v = highPassStep(&dc, v);
    fadeEdges(w, 1.5f, 12.0f);
    w->insert(w->begin(), static_cast<size_t>(samplesFor(kLeadInSeconds)), 0.0f);
  }
  normalise(w, recipe.peak);
}

}  // namespace

void generateSounds() {
  int serial = 1;
  for (const SoundRecipe& recipe : kSounds) {
    Wave samples = recipe.build();
    finish(&samples, recipe);
    std::vector<uint8_t> bytes = encodeOggVorbis(samples, serial++);
    if (bytes.empty()) {
      reportError(recipe.name, 0, "the Ogg Vorbis encoder failed");
      continue;
    }
    addOutput(Place::Sounds, recipe.name, std::move(bytes));
  }
}
