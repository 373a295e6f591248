// music.cpp: the music module "music.mo3", written as an extended tracker module
// (the game's player recognises the format by content). The score's sections are
// arranged into patterns order by order; identical patterns are stored once.
// Every section ends with a position jump back to its own first order, so it
// loops in place from wherever the game starts it. The instruments are the
// synthesised samples of music_instruments.cpp, stored as 16-bit deltas.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "datagen.h"
#include "generators.h"
#include "music.h"

namespace {

// The module format allows 256 orders, patterns and instruments at most.
constexpr size_t kMaxOrders = 256;
constexpr size_t kMaxPatterns = 256;

// A fixed-size, zero-padded text field.
void putText(std::vector<uint8_t>* out, const char* text, size_t size) {
  std::vector<uint8_t> field(size, 0);
  std::memcpy(field.data(), text, std::min(size, std::strlen(text)));
  putBytes(out, field.data(), size);
}

void putZeros(std::vector<uint8_t>* out, size_t count) {
  const std::vector<uint8_t> zeros(count, 0);
  putBytes(out, zeros.data(), zeros.size());
}

// Packs one cell: a flag byte saying which fields follow, then those fields.
void packCell(const PatternCell& cell, std::vector<uint8_t>* out) {
  uint8_t flags = 0x80;
  if (cell.note) flags |= 0x01;
  if (cell.instrument) flags |= 0x02;
  if (cell.volume) flags |= 0x04;
  if (cell.effect >= 0) flags |= 0x08 | 0x10;
  putU8(out, flags);
  if (cell.note) putU8(out, cell.note);
  if (cell.instrument) putU8(out, cell.instrument);
  if (cell.volume) putU8(out, cell.volume);
  if (cell.effect >= 0) {
    putU8(out, static_cast<uint32_t>(cell.effect));
    putU8(out, cell.parameter);
  }
}

std::vector<uint8_t> packPattern(const PatternGrid& grid) {
  std::vector<uint8_t> cells;
  for (const PatternCell& cell : grid.cells) packCell(cell, &cells);
  std::vector<uint8_t> out;
  putU32(&out, 9);  // pattern header length
  putU8(&out, 0);   // packing type
  putU16(&out, static_cast<uint32_t>(grid.rows));
  putU16(&out, static_cast<uint32_t>(cells.size()));
  putBytes(&out, cells.data(), cells.size());
  return out;
}

// The sample's transpose (semitones) and finetune (1/128 semitone) so that the
// module's C-4 plays MIDI note 60: at C-4 a sample with no transpose plays at
// 8363 Hz.
void tuning(const InstrumentSound& sound, int* relativeNote, int* finetune) {
  const double semitones = 60.0 - sound.recordedMidi - 12.0 * std::log2(8363.0 / kSynthRate);
  *relativeNote = static_cast<int>(std::lround(semitones));
  *finetune = std::clamp(static_cast<int>(std::lround((semitones - *relativeNote) * 128.0)), -128, 127);
}

void putInstrument(std::vector<uint8_t>* out, const InstrumentSound& sound) {
  putU32(out, 263);  // instrument header size
  putText(out, sound.name, 22);
  putU8(out, 0);
  putU16(out, 1);   // one sample
  putU32(out, 40);  // sample header size
  putZeros(out, 96);  // every note plays sample 0
  const size_t points = std::min<size_t>(sound.envelope.size(), 12);
  for (size_t p = 0; p < 12; ++p) {
    putU16(out, p < points ? sound.envelope[p].tick : 0);
    putU16(out, p < points ? sound.envelope[p].level : 0);
  }
  putZeros(out, 48);  // panning envelope
  putU8(out, static_cast<uint32_t>(points));
  putU8(out, 0);
  putU8(out, static_cast<uint32_t>(std::max(0, sound.sustainPoint)));
  putZeros(out, 5);  // volume loop, panning sustain and loop
  putU8(out, sound.sustainPoint >= 0 ? 3u : 1u);  // envelope on, with sustain
  putU8(out, 0);
  putU8(out, 0);  // sine vibrato
  putU8(out, static_cast<uint32_t>(sound.vibratoSweep));
  putU8(out, static_cast<uint32_t>(sound.vibratoDepth));
  putU8(out, static_cast<uint32_t>(sound.vibratoRate));
  putU16(out, static_cast<uint32_t>(sound.fadeout));
  putZeros(out, 22);

  int relativeNote = 0, finetune = 0;
  tuning(sound, &relativeNote, &finetune);
  const uint32_t frames = static_cast<uint32_t>(sound.samples.size());
  putU32(out, frames * 2);
  putU32(out, static_cast<uint32_t>(sound.loopStart) * 2);
  putU32(out, static_cast<uint32_t>(sound.loopLength) * 2);
  putU8(out, 64);
  putU8(out, static_cast<uint8_t>(static_cast<int8_t>(finetune)));
  putU8(out, sound.loopLength > 0 ? 0x11u : 0x10u);  // 16-bit, forward loop
  putU8(out, static_cast<uint32_t>(sound.panning));
  putU8(out, static_cast<uint8_t>(static_cast<int8_t>(relativeNote)));
  putU8(out, 0);
  putText(out, sound.name, 22);
  int16_t previous = 0;
  for (const float v : sound.samples) {
    const int16_t sample = static_cast<int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
    putU16(out, static_cast<uint16_t>(static_cast<int16_t>(sample - previous)));
    previous = sample;
  }
}

// Arranges every order; fills the order list and the distinct patterns. False
// (reported) when the score does not add up.
bool arrangeScore(std::vector<uint8_t>* orders, std::vector<std::vector<uint8_t>>* patterns) {
  for (const SectionScore& section : musicScore()) {
    if (section.firstOrder != static_cast<int>(orders->size())) {
      reportError("music_score.cpp", 0,
                  format("section \"%s\" starts at order %i, but the sections before it end at %zu",
                         section.name, section.firstOrder, orders->size()));
      return false;
    }
    for (size_t i = 0; i < section.orders.size(); ++i) {
      PatternGrid grid;
      std::string error;
      if (!arrangePattern(section, static_cast<int>(i), &grid, &error)) {
        reportError("music_score.cpp", 0, format("section \"%s\", order %zu: %s", section.name, i,
                                                 error.c_str()));
        return false;
      }
      std::vector<uint8_t> packed = packPattern(grid);
      const auto found = std::find(patterns->begin(), patterns->end(), packed);
      orders->push_back(static_cast<uint8_t>(found - patterns->begin()));
      if (found == patterns->end()) patterns->push_back(std::move(packed));
    }
  }
  if (orders->size() > kMaxOrders || patterns->size() > kMaxPatterns) {
    reportError("music_score.cpp", 0, "the score has more orders or patterns than a module holds");
    return false;
  }
  return true;
}

}  // namespace

void generateMusic() {
  std::vector<uint8_t> orders;
  std::vector<std::vector<uint8_t>> patterns;
  if (!arrangeScore(&orders, &patterns)) return;
  const std::vector<InstrumentSound> instruments = buildInstruments();

  std::vector<uint8_t> out;
  putText(&out, "Extended Module: ", 17);
  putText(&out, "Orbelquaint", 20);
  putU8(&out, 0x1A);
  putText(&out, "orbel-datagen", 20);
  putU16(&out, 0x0104);
  putU32(&out, 276);
  putU16(&out, static_cast<uint32_t>(orders.size()));
  putU16(&out, 0);  // restart position (never reached: every section jumps back)
  putU16(&out, kMusicChannels);
  putU16(&out, static_cast<uint32_t>(patterns.size()));
  putU16(&out, static_cast<uint32_t>(instruments.size()));
  putU16(&out, 1);  // linear frequency table
  putU16(&out, kTicksPerRow);
  putU16(&out, 125);
  std::vector<uint8_t> orderTable(kMaxOrders, 0);
  std::copy(orders.begin(), orders.end(), orderTable.begin());
  putBytes(&out, orderTable.data(), orderTable.size());
  for (const std::vector<uint8_t>& pattern : patterns) putBytes(&out, pattern.data(), pattern.size());
  for (const InstrumentSound& sound : instruments) putInstrument(&out, sound);
  addOutput(Place::Root, "music.mo3", std::move(out));
}
