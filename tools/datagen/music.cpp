// music.cpp: the music module "music.mo3", written as an extended tracker module
// (the game's player recognises the format by content). It holds seven sections
// at the order positions the game starts them from: level music at 0, 11, 29
// and 47, the title at 29, the level choice at 44, level complete at 63 and
// defeat at 65. Every section ends with a position jump back to its own first
// order, so a section loops in place. Until the score lands each section plays a
// short motif of its own over a bass line.
#include <cmath>
#include <cstring>

#include "datagen.h"
#include "generators.h"

constexpr int kChannels = 2;
constexpr int kRows = 16;
constexpr int kSpeed = 6;          // ticks per row
constexpr int kWaveLength = 256;   // 8 cycles of 32 samples: C-4 sounds at ~261 Hz
constexpr int kNoteOff = 97;
constexpr int kEffectSetTempo = 0x0F;
constexpr int kEffectJump = 0x0B;

struct MusicSection {
  int firstOrder;
  int orderCount;
  int bpm;
  int root;         // note number, 49 = C-4
  int melody[8];    // semitones above the root, one every two rows; -1 = rest
  int bass[2];      // semitones above root - 12, at rows 0 and 8
};

// Sections in order position order; together they fill orders 0..65.
static const MusicSection kSections[] = {
    {0, 11, 125, 49, {0, 4, 7, 12, 7, 4, 2, 4}, {0, 7}},          // level music A
    {11, 18, 130, 46, {0, 3, 7, 10, 12, 10, 7, 3}, {0, 5}},       // level music B
    {29, 15, 110, 44, {0, 7, 12, 11, 7, 4, 7, 2}, {0, 5}},        // title and level music C
    {44, 3, 100, 42, {0, 4, 9, 7, 4, 0, 2, 4}, {0, 7}},           // level choice
    {47, 16, 135, 51, {0, 3, 5, 7, 10, 7, 5, 3}, {0, 3}},         // level music D
    {63, 2, 140, 49, {0, 4, 7, 12, 16, 12, 19, -1}, {0, 7}},      // level complete
    {65, 1, 90, 46, {12, 10, 7, 3, 0, -1, -1, -1}, {0, -1}},      // defeat
};
constexpr int kSectionCount = sizeof kSections / sizeof kSections[0];

struct Cell {
  int note;        // 0 = none
  int instrument;  // 0 = none
  int effect;      // -1 = none
  int parameter;
};

// Packs one pattern cell: only the fields present are written.
static void packCell(const Cell& cell, std::vector<uint8_t>* out) {
  uint8_t flags = 0x80;
  if (cell.note) flags |= 0x01;
  if (cell.instrument) flags |= 0x02;
  if (cell.effect >= 0) flags |= 0x08 | 0x10;
  putU8(out, flags);
  if (cell.note) putU8(out, static_cast<uint32_t>(cell.note));
  if (cell.instrument) putU8(out, static_cast<uint32_t>(cell.instrument));
  if (cell.effect >= 0) {
    putU8(out, static_cast<uint32_t>(cell.effect));
    putU8(out, static_cast<uint32_t>(cell.parameter));
  }
}

// One pattern of a section; `jumpBack` ends it with the jump to the section start.
static std::vector<uint8_t> buildPattern(const MusicSection& section, bool jumpBack) {
  std::vector<uint8_t> cells;
  for (int row = 0; row < kRows; ++row) {
    Cell lead{0, 0, -1, 0};
    Cell bass{0, 0, -1, 0};
    if (row % 2 == 0) {
      const int step = section.melody[row / 2];
      lead.note = step < 0 ? kNoteOff : section.root + step;
      lead.instrument = step < 0 ? 0 : 1;
    }
    if (row % 8 == 0) {
      const int step = section.bass[row / 8];
      bass.note = step < 0 ? kNoteOff : section.root - 12 + step;
      bass.instrument = step < 0 ? 0 : 2;
    }
    if (row == 0) {
      lead.effect = kEffectSetTempo;  // values of 32 and more set the beats per minute
      lead.parameter = section.bpm;
    }
    if (jumpBack && row == kRows - 1) {
      bass.effect = kEffectJump;
      bass.parameter = section.firstOrder;
    }
    packCell(lead, &cells);
    packCell(bass, &cells);
  }
  std::vector<uint8_t> out;
  putU32(&out, 9);  // pattern header length
  putU8(&out, 0);   // packing type
  putU16(&out, kRows);
  putU16(&out, static_cast<uint32_t>(cells.size()));
  putBytes(&out, cells.data(), cells.size());
  return out;
}

// A fixed-size, zero-padded text field.
static void putText(std::vector<uint8_t>* out, const char* text, size_t size) {
  std::vector<uint8_t> field(size, 0);
  std::memcpy(field.data(), text, std::min(size, std::strlen(text)));
  putBytes(out, field.data(), size);
}

// One looped 8-bit instrument. `harmonics` shapes the tone; the volume envelope
// (tick, level pairs) makes it a pluck that fades.
static std::vector<uint8_t> buildInstrument(const char* name, const float harmonics[3],
                                            const int envelope[8]) {
  std::vector<uint8_t> out;
  putU32(&out, 263);
  putText(&out, name, 22);
  putU8(&out, 0);
  putU16(&out, 1);   // one sample
  putU32(&out, 40);  // sample header size
  const std::vector<uint8_t> keymap(96, 0);
  putBytes(&out, keymap.data(), keymap.size());
  for (int point = 0; point < 12; ++point) {
    putU16(&out, point < 4 ? static_cast<uint32_t>(envelope[point * 2]) : 0);
    putU16(&out, point < 4 ? static_cast<uint32_t>(envelope[point * 2 + 1]) : 0);
  }
  const std::vector<uint8_t> panning(48, 0);
  putBytes(&out, panning.data(), panning.size());
  putU8(&out, 4);  // volume envelope points
  putU8(&out, 0);  // panning envelope points
  const uint8_t loops[6] = {0, 0, 0, 0, 0, 0};
  putBytes(&out, loops, sizeof loops);
  putU8(&out, 1);  // volume envelope on
  putU8(&out, 0);
  const uint8_t vibrato[4] = {0, 0, 0, 0};
  putBytes(&out, vibrato, sizeof vibrato);
  putU16(&out, 256);  // fade-out after a note-off
  const std::vector<uint8_t> reserved(22, 0);
  putBytes(&out, reserved.data(), reserved.size());

  putU32(&out, kWaveLength);
  putU32(&out, 0);
  putU32(&out, kWaveLength);
  putU8(&out, 48);   // volume
  putU8(&out, 0);    // finetune
  putU8(&out, 1);    // forward loop, 8-bit
  putU8(&out, 128);  // centre
  putU8(&out, 0);    // relative note
  putU8(&out, 0);
  putText(&out, name, 22);
  int8_t previous = 0;
  for (int i = 0; i < kWaveLength; ++i) {
    const float phase = 2.0f * 3.14159265f * static_cast<float>(i % 32) / 32.0f;
    const float value = harmonics[0] * std::sin(phase) + harmonics[1] * std::sin(2.0f * phase) +
                        harmonics[2] * std::sin(3.0f * phase);
    const int8_t sample = static_cast<int8_t>(std::lround(value * 100.0f));
    putU8(&out, static_cast<uint8_t>(static_cast<int8_t>(sample - previous)));  // deltas
    previous = sample;
  }
  return out;
}

void generateMusic() {
  std::vector<uint8_t> orders;
  std::vector<std::vector<uint8_t>> patterns;
  for (int s = 0; s < kSectionCount; ++s) {
    const MusicSection& section = kSections[s];
    if (section.firstOrder != static_cast<int>(orders.size())) {
      reportError("music.mo3", 0, "the sections do not fill the order list in sequence");
      return;
    }
    const int body = static_cast<int>(patterns.size());
    patterns.push_back(buildPattern(section, false));
    patterns.push_back(buildPattern(section, true));
    for (int i = 0; i < section.orderCount; ++i) {
      orders.push_back(static_cast<uint8_t>(i + 1 == section.orderCount ? body + 1 : body));
    }
  }

  std::vector<uint8_t> out;
  putText(&out, "Extended Module: ", 17);
  putText(&out, "Orbelquaint", 20);
  putU8(&out, 0x1A);
  putText(&out, "orbel-datagen", 20);
  putU16(&out, 0x0104);
  putU32(&out, 276);
  putU16(&out, static_cast<uint32_t>(orders.size()));
  putU16(&out, 0);  // restart position
  putU16(&out, kChannels);
  putU16(&out, static_cast<uint32_t>(patterns.size()));
  putU16(&out, 2);  // instruments
  putU16(&out, 1);  // linear frequency table
  putU16(&out, kSpeed);
  putU16(&out, 125);
  std::vector<uint8_t> orderTable(256, 0);
  std::memcpy(orderTable.data(), orders.data(), orders.size());
  putBytes(&out, orderTable.data(), orderTable.size());
  for (const std::vector<uint8_t>& pattern : patterns) {
    putBytes(&out, pattern.data(), pattern.size());
  }
  const float leadTone[3] = {0.8f, 0.3f, 0.15f};
  const int leadEnvelope[8] = {0, 64, 6, 44, 30, 14, 60, 0};
  const float bassTone[3] = {1.0f, 0.15f, 0.0f};
  const int bassEnvelope[8] = {0, 64, 20, 40, 70, 16, 110, 0};
  const std::vector<uint8_t> lead = buildInstrument("lead", leadTone, leadEnvelope);
  const std::vector<uint8_t> bass = buildInstrument("bass", bassTone, bassEnvelope);
  putBytes(&out, lead.data(), lead.size());
  putBytes(&out, bass.data(), bass.size());
  addOutput(Place::Root, "music.mo3", std::move(out));
}
