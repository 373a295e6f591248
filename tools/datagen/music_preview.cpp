// music_preview.cpp: a listening copy of the music for a person: the order list
// with the sections marked ("music_orders.txt") and one WAV of each section
// ("music_<order>_<name>.wav"), rendered by the same module player the game uses
// from the section's first order for one pass of its loop.
#include <libopenmpt/libopenmpt.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "datagen.h"
#include "music.h"

namespace {

constexpr int kRate = 44100;
// Frames rendered at a time: well under one tick, so no row is missed.
constexpr size_t kChunk = 256;
// A section that has not come round after this long is reported as not looping.
constexpr double kLongestPassSeconds = 600.0;

struct SectionPass {
  std::vector<int16_t> frames;  // interleaved stereo
  int lowestOrder, highestOrder;
  bool looped;
};

// Renders from row 0 of `firstOrder` until the play position comes back there.
SectionPass renderPass(openmpt_module* module, int firstOrder) {
  SectionPass pass = {{}, firstOrder, firstOrder, false};
  openmpt_module_set_repeat_count(module, -1);
  openmpt_module_set_position_order_row(module, firstOrder, 0);
  bool left = false;
  // Rendered as floats and rounded here: the player's own 16-bit output is
  // dithered with fresh noise each run, and the preview should repeat exactly.
  std::vector<float> chunk(kChunk * 2);
  while (pass.frames.size() < static_cast<size_t>(kLongestPassSeconds * kRate * 2)) {
    const size_t got = openmpt_module_read_interleaved_float_stereo(module, kRate, kChunk, chunk.data());
    if (got == 0) break;
    for (size_t i = 0; i < got * 2; ++i) {
      pass.frames.push_back(static_cast<int16_t>(std::lround(std::clamp(chunk[i], -1.0f, 1.0f) * 32767.0f)));
    }
    const int order = openmpt_module_get_current_order(module);
    const int row = openmpt_module_get_current_row(module);
    pass.lowestOrder = std::min(pass.lowestOrder, order);
    pass.highestOrder = std::max(pass.highestOrder, order);
    const bool atStart = order == firstOrder && row == 0;
    if (left && atStart) {
      pass.looped = true;
      break;
    }
    left = left || !atStart;
  }
  return pass;
}

std::vector<uint8_t> encodeWav(const std::vector<int16_t>& interleaved) {
  std::vector<uint8_t> out;
  const uint32_t dataBytes = static_cast<uint32_t>(interleaved.size() * 2);
  putBytes(&out, "RIFF", 4);
  putU32(&out, 36 + dataBytes);
  putBytes(&out, "WAVEfmt ", 8);
  putU32(&out, 16);
  putU16(&out, 1);  // PCM
  putU16(&out, 2);
  putU32(&out, kRate);
  putU32(&out, kRate * 4);
  putU16(&out, 4);
  putU16(&out, 16);
  putBytes(&out, "data", 4);
  putU32(&out, dataBytes);
  for (const int16_t v : interleaved) putU16(&out, static_cast<uint16_t>(v));
  return out;
}

float decibels(double level) {
  return level > 0.0 ? static_cast<float>(20.0 * std::log10(level)) : -999.0f;
}

std::string describePass(const SectionScore& section, int lastOrder, const SectionPass& pass) {
  double sum = 0.0;
  int peak = 0;
  for (const int16_t v : pass.frames) {
    sum += static_cast<double>(v) * v;
    peak = std::max(peak, std::abs(static_cast<int>(v)));
  }
  const double rms = pass.frames.empty() ? 0.0 : std::sqrt(sum / pass.frames.size()) / 32768.0;
  return format("%-10s orders %2i-%2i  %3i bpm  loop %6.2f s  peak %6.1f dBFS  rms %6.1f dBFS%s\n",
                section.name, section.firstOrder, lastOrder, section.tempo,
                pass.frames.size() / 2.0 / kRate, decibels(peak / 32768.0), decibels(rms),
                pass.looped ? "" : "  (did not come round)");
}

}  // namespace

bool writePreviewFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::string path = gen.previewDir + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    reportError(path, 0, "cannot write the preview");
    return false;
  }
  return true;
}

bool writeMusicPreview(const std::vector<uint8_t>& module) {
  openmpt_module* player = openmpt_module_create_from_memory2(
      module.data(), module.size(), openmpt_log_func_silent, nullptr, openmpt_error_func_ignore,
      nullptr, nullptr, nullptr, nullptr);
  if (!player) {
    reportError("music.mo3", 0, "the module player does not load the module");
    return false;
  }
  const std::vector<SectionScore>& score = musicScore();
  const int orderCount = openmpt_module_get_num_orders(player);
  std::string sections = "Sections (one pass of each loop):\n";
  std::string orders = "\nOrder list:\norder pattern rows  section\n";
  bool written = true;
  for (size_t s = 0; s < score.size(); ++s) {
    const SectionScore& section = score[s];
    const int lastOrder = s + 1 < score.size() ? score[s + 1].firstOrder - 1 : orderCount - 1;
    for (int order = section.firstOrder; order <= lastOrder; ++order) {
      const int pattern = openmpt_module_get_order_pattern(player, order);
      orders += format("%5i %7i %4i  %s%s%s\n", order, pattern,
                       openmpt_module_get_pattern_num_rows(player, pattern), section.name,
                       order == section.firstOrder ? "  <- section start" : "",
                       order == lastOrder ? "  (jumps back to the start)" : "");
    }
    const SectionPass pass = renderPass(player, section.firstOrder);
    sections += describePass(section, lastOrder, pass);
    written = writePreviewFile(format("music_%02i_%s.wav", section.firstOrder, section.name),
                               encodeWav(pass.frames)) && written;
  }
  openmpt_module_destroy(player);
  const std::string text = sections + orders;
  return writePreviewFile("music_orders.txt", std::vector<uint8_t>(text.begin(), text.end())) && written;
}
