// sounds.cpp: the 31 sound effects of the "Sounds" folder, synthesised from
// fixed recipes and encoded as mono 44100 Hz Ogg Vorbis. Each recipe builds the
// sound for its moment (clicks for menus, pops and chimes for the board, blasts
// for the bombs, ambience for the scenery); the finishing step takes out any
// offset, fades the ends so nothing clicks, and sets the peak below full scale.
// The water ambience is exactly as long as the game's replay period and is built
// periodic, so the repetitions join up.
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
  bool looping;  // replayed back to back: periodic, only the shortest fades
};

// Every sound the game plays, by file name.
const SoundRecipe kSounds[] = {
    {"addball.ogg", buildAddBall, 0.50f, false},
    {"addbonus.ogg", buildAddBonus, 0.50f, false},
    {"addlife.ogg", buildAddLife, 0.55f, false},
    {"ball.ogg", buildBall, 0.60f, false},
    {"ballstand.ogg", buildBallStand, 0.45f, false},
    {"birds1.ogg", buildBirds1, 0.28f, false},
    {"birds2.ogg", buildBirds2, 0.28f, false},
    {"birds3.ogg", buildBirds3, 0.28f, false},
    {"bomb1.ogg", buildBomb1, 0.78f, false},
    {"bomb2.ogg", buildBomb2, 0.82f, false},
    {"brook.ogg", buildBrook, 0.30f, true},
    {"chain.ogg", buildChain, 0.50f, false},
    {"chpok1.ogg", buildChpok, 0.60f, false},
    {"defeat.ogg", buildDefeat, 0.60f, false},
    {"deleteballs.ogg", buildDeleteBalls, 0.75f, false},
    {"diamond.ogg", buildDiamond, 0.60f, false},
    {"diamond0.ogg", buildDiamondZap, 0.50f, false},
    {"excellent.ogg", buildExcellent, 0.65f, false},
    {"gaf.ogg", buildGaf, 0.42f, false},
    {"gethammer.ogg", buildGetHammer, 0.55f, false},
    {"hammer.ogg", buildHammer, 0.80f, false},
    {"level_defeat.ogg", buildLevelDefeat, 0.60f, false},
    {"levelcomplete.ogg", buildLevelComplete, 0.65f, false},
    {"menu.ogg", buildMenu, 0.50f, false},
    {"menu2.ogg", buildMenu2, 0.30f, false},
    {"score.ogg", buildScore, 0.45f, false},
    {"selectaim.ogg", buildSelectAim, 0.45f, false},
    {"selectball.ogg", buildSelectBall, 0.50f, false},
    {"square.ogg", buildSquare, 0.50f, false},
    {"waterfall.ogg", buildWaterfall, 0.35f, true},
    {"wow.ogg", buildWow, 0.60f, false},
};

// Silence ahead of a one-shot: the encoder smears a sharp attack a few
// milliseconds backwards, and this keeps the smear off the first sample.
constexpr float kLeadInSeconds = 0.004f;

// Offset out, ends faded, peak set. Looping sounds keep their periodic content
// and only get fades short enough not to be heard as a dip.
void finish(Wave* w, const SoundRecipe& recipe) {
  if (recipe.looping) {
    fadeEdges(w, 3.0f, 3.0f);
  } else {
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
