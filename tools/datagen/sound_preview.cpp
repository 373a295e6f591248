// sound_preview.cpp: the sound and music previews for a person to look over:
// "sounds.txt" lists each effect as the game will decode it (length, peak and
// loudness), then the music preview follows (music_preview.cpp).
#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "datagen.h"
#include "generators.h"
#include "music.h"

namespace {

// One line for an encoded sound, measured on its decoded samples.
std::string describeSound(const OutputFile& file) {
  int channels = 0, rate = 0;
  short* decoded = nullptr;
  const int frames = stb_vorbis_decode_memory(file.bytes.data(), static_cast<int>(file.bytes.size()),
                                              &channels, &rate, &decoded);
  if (frames <= 0 || !decoded) return format("%-18s does not decode\n", file.name.c_str());
  double sum = 0.0;
  int peak = 0;
  const size_t count = static_cast<size_t>(frames) * static_cast<size_t>(channels);
  for (size_t i = 0; i < count; ++i) {
    sum += static_cast<double>(decoded[i]) * decoded[i];
    peak = std::max(peak, std::abs(static_cast<int>(decoded[i])));
  }
  std::free(decoded);
  const double rms = std::sqrt(sum / static_cast<double>(count)) / 32768.0;
  return format("%-18s %6.3f s  %5i Hz  %zu bytes  peak %.3f (%5.1f dBFS)  rms %5.1f dBFS\n",
                file.name.c_str(), frames / static_cast<double>(rate), rate, file.bytes.size(),
                peak / 32768.0, 20.0 * std::log10(std::max(peak, 1) / 32768.0),
                20.0 * std::log10(std::max(rms, 1e-9)));
}

}  // namespace

bool writeAudioPreviews() {
  std::vector<const OutputFile*> sounds;
  for (const OutputFile& file : gen.files) {
    if (file.place == Place::Sounds) sounds.push_back(&file);
  }
  std::sort(sounds.begin(), sounds.end(),
            [](const OutputFile* a, const OutputFile* b) { return a->name < b->name; });
  std::string text = "Sound effects as decoded (mono 44100 Hz Ogg Vorbis):\n";
  for (const OutputFile* file : sounds) text += describeSound(*file);
  bool written = writePreviewFile("sounds.txt", std::vector<uint8_t>(text.begin(), text.end()));
  const OutputFile* music = findOutput(Place::Root, "music.mo3");
  if (music) written = writeMusicPreview(music->bytes) && written;
  return written;
}
