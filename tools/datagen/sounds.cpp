// sounds.cpp: the 31 sound effects of the "Sounds" folder, encoded as mono
// 44100 Hz Ogg Vorbis. Until the sound design lands they are silent, each of a
// length that suits its use (the water loops are exactly as long as the game's
// replay period, so they join up).
#include <cmath>

#include "datagen.h"
#include "generators.h"
#include "ogg_vorbis.h"

struct SoundSpec {
  const char* name;
  float seconds;
};

// Every sound the game plays, by file name.
static const SoundSpec kSounds[] = {
    {"addball.ogg", 0.3f},      {"addbonus.ogg", 0.6f},   {"addlife.ogg", 1.0f},
    {"ball.ogg", 0.25f},        {"ballstand.ogg", 0.15f}, {"birds1.ogg", 2.5f},
    {"birds2.ogg", 2.5f},       {"birds3.ogg", 2.5f},     {"bomb1.ogg", 1.0f},
    {"bomb2.ogg", 1.4f},        {"brook.ogg", 3.1f},      {"chain.ogg", 0.35f},
    {"chpok1.ogg", 0.15f},      {"defeat.ogg", 1.5f},     {"deleteballs.ogg", 1.2f},
    {"diamond.ogg", 0.8f},      {"diamond0.ogg", 0.5f},   {"excellent.ogg", 1.2f},
    {"gaf.ogg", 0.3f},          {"gethammer.ogg", 0.8f},  {"hammer.ogg", 0.5f},
    {"level_defeat.ogg", 1.5f}, {"levelcomplete.ogg", 1.5f}, {"menu.ogg", 0.15f},
    {"menu2.ogg", 0.1f},        {"score.ogg", 0.1f},      {"selectaim.ogg", 0.25f},
    {"selectball.ogg", 0.15f},  {"square.ogg", 0.3f},     {"waterfall.ogg", 3.0f},
    {"wow.ogg", 0.8f},
};

// The samples of one sound: silence of the sound's length for now.
static std::vector<float> synthesiseSound(const SoundSpec& spec) {
  return std::vector<float>(static_cast<size_t>(std::lround(spec.seconds * kOggSampleRate)), 0.0f);
}

void generateSounds() {
  int serial = 1;
  for (const SoundSpec& spec : kSounds) {
    std::vector<uint8_t> bytes = encodeOggVorbis(synthesiseSound(spec), serial++);
    if (bytes.empty()) {
      reportError(spec.name, 0, "the Ogg Vorbis encoder failed");
      continue;
    }
    addOutput(Place::Sounds, spec.name, std::move(bytes));
  }
}
