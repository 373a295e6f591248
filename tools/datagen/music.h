// music.h: the parts of the music module's generator: the score (sections of
// phrases, written as note and chord text in music_score.cpp), the arranger that
// turns a section's order plan into pattern cells (music_arrange.cpp), the
// instruments synthesised as samples (music_instruments.cpp), the module writer
// (music.cpp) and the listening preview (music_preview.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "synth.h"

// ---------------------------------------------------------------------------
// Channels: each layer of the arrangement has its own.

constexpr int kLeadChannel = 0;
constexpr int kCounterChannel = 1;
constexpr int kPadChannel = 2;   // three voices: 2, 3, 4
constexpr int kCompChannel = 5;  // three voices: 5, 6, 7
constexpr int kChordVoices = 3;
constexpr int kArpChannel = 8;
constexpr int kBassChannel = 9;
constexpr int kKickChannel = 10;
constexpr int kSnareChannel = 11;
constexpr int kHatChannel = 12;
constexpr int kFxChannel = 13;  // cymbal; also carries tempo and the loop jump
constexpr int kMusicChannels = 14;

// A pattern has at most 256 rows in the module format.
constexpr int kMaxPatternRows = 256;
// Notes the module format can hold: 1 (C-0) .. 96 (B-7); 97 releases a note.
constexpr int kKeyOff = 97;
// The module's note 49 (C-4) is MIDI note 60.
constexpr int kMidiOfModuleNote = 11;
// Every section plays 6 ticks a row; rows are sixteenth notes, so the tempo in
// beats per minute is the module's BPM.
constexpr int kTicksPerRow = 6;
constexpr int kRowsPerBeat = 4;

// ---------------------------------------------------------------------------
// Instruments (1-based numbers in the module)

enum MusicInstrument : uint8_t {
  kNoInstrument = 0,
  kMallet,
  kEPiano,
  kPluck,
  kBell,
  kFlute,
  kPad,
  kBass,
  kKick,
  kSnare,
  kHat,
  kShaker,
  kBrass,
  kCymbal,
  kInstrumentCount = kCymbal
};

struct EnvelopePoint {
  uint16_t tick;
  uint16_t level;  // 0..64
};

// One instrument: its sample (44100 Hz, the pitch it sounds at there), its loop
// and how the module shapes each note.
struct InstrumentSound {
  const char* name;
  Wave samples;
  float recordedMidi;       // pitch of `samples` played at 44100 Hz
  int loopStart;            // in samples; loopLength 0 = no loop
  int loopLength;
  std::vector<EnvelopePoint> envelope;  // volume envelope, at most 12 points
  int sustainPoint;         // held here until the note is released
  int fadeout;              // after the release, per tick (of 65536)
  int panning;              // 0..255, 128 = centre
  int vibratoDepth;         // automatic vibrato (0 = none), sine
  int vibratoRate;
  int vibratoSweep;
};

// Every instrument, in MusicInstrument order (index 0 = instrument 1).
std::vector<InstrumentSound> buildInstruments();

// ---------------------------------------------------------------------------
// The score

// A phrase is what one pattern plays: chords and tunes as text, in rows.
//   chords:  "C:16 Am:16 F:8 G7:8 C/E:16"  symbol, then rows
//   tunes:   "E5:2 G5:2 C6:4 r:4"          note (or r for a rest), then rows
struct Phrase {
  const char* chords;
  const char* lead;     // "" = the lead rests
  const char* counter;  // own second voice; "" = the section's counter mode
};

// Layers a pattern plays (bits).
enum Layer : uint16_t {
  kLeadLayer = 1 << 0,
  kCounterLayer = 1 << 1,
  kPadLayer = 1 << 2,
  kCompLayer = 1 << 3,
  kArpLayer = 1 << 4,
  kBassLayer = 1 << 5,
  kKickLayer = 1 << 6,
  kSnareLayer = 1 << 7,
  kHatLayer = 1 << 8,
  kCrashLayer = 1 << 9,  // a cymbal on the first row
  kFillLayer = 1 << 10,  // the last bar's snare plays the groove's fill
  kDrumLayers = kKickLayer | kSnareLayer | kHatLayer,
};

// What the counter voice does when a phrase has no counter line of its own.
enum class CounterMode : uint8_t {
  Harmony,   // a third (or sixth) below the lead, on a chord tone where it can
  OctaveUp,  // doubles the lead an octave higher
  Echo       // repeats the lead `echoRows` later
};

// One bar of each rhythm, one character a row.
//   drums:  x hit, o soft hit, . nothing (hats: s shaker, S loud shaker)
//   bass:   R root (or the slash bass), 5 fifth, 3 third, 8 octave, - release, . hold
//   comp:   x chord, o soft chord, - release, . hold
//   arp:    0-9 chord tone (upwards, octaves added), - release, . hold
struct Groove {
  const char* kick;
  const char* snare;
  const char* hats;
  const char* fill;
  const char* bass;
  const char* comp;
  const char* arp;
};

// An instrument, a loudness (0..64) and a shift in semitones for a layer.
struct Voice {
  MusicInstrument instrument;
  int volume;
  int transpose;
};

struct OrderPlan {
  int phrase;
  uint16_t layers;
};

struct SectionScore {
  const char* name;
  int firstOrder;      // where the game starts this section
  int tempo;           // beats per minute
  int rowsPerBar;      // 16 for 4/4, 12 for 3/4
  int barsPerPattern;
  int keyTonic;        // pitch class 0..11 (0 = C)
  bool minorKey;
  CounterMode counterMode;
  int echoRows;
  Voice lead, counter, pad, comp, arp, bass;
  int drumVolume;
  Groove groove;
  std::vector<Phrase> phrases;
  std::vector<OrderPlan> orders;
};

// Every section, in order position order; together they fill the order list.
const std::vector<SectionScore>& musicScore();

// ---------------------------------------------------------------------------
// Arranging

// One pattern cell; 0 = empty field, effect -1 = none.
struct PatternCell {
  uint8_t note;
  uint8_t instrument;
  uint8_t volume;  // 0 none, else 0x10 + 0..64
  int effect;
  uint8_t parameter;
};

struct PatternGrid {
  int rows;
  std::vector<PatternCell> cells;  // rows * kMusicChannels
};

// The pattern for order `orderIndex` of the section (within the section). False
// with `error` set when the section's text does not add up.
bool arrangePattern(const SectionScore& section, int orderIndex, PatternGrid* grid,
                    std::string* error);

// ---------------------------------------------------------------------------
// Preview

// Writes "music_orders.txt" (the order list with the section boundaries and
// lengths) and one WAV of each section into the preview folder, rendered from
// `module`. False (reported) on failure.
bool writeMusicPreview(const std::vector<uint8_t>& module);
// Writes one file into the preview folder. False (reported) on failure.
bool writePreviewFile(const std::string& name, const std::vector<uint8_t>& bytes);
