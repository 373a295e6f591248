// music_arrange.cpp: turns one order of a section into pattern cells. The
// phrase's chord and tune text is read into timed events; the section's groove
// and voices then lay out each layer: the lead, a counter voice (its own line, a
// harmony, an octave double or an echo), pad and comp chords voiced close to the
// chord before, an arpeggio, the bass and the drums. Layers a pattern leaves out
// are released on its first row, so nothing hangs on from the pattern before.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "datagen.h"
#include "music.h"

namespace {

struct ChordQuality {
  const char* suffix;
  int tones[6];
  int toneCount;
  int voicing[kChordVoices];  // the three tones the chord layers play
};

// Chord symbols: root, then one of these suffixes, then an optional "/bass".
const ChordQuality kQualities[] = {
    {"", {0, 4, 7}, 3, {0, 4, 7}},
    {"m", {0, 3, 7}, 3, {0, 3, 7}},
    {"7", {0, 4, 7, 10}, 4, {0, 4, 10}},
    {"m7", {0, 3, 7, 10}, 4, {0, 3, 10}},
    {"maj7", {0, 4, 7, 11}, 4, {0, 4, 7}},  // the seventh is left to the arpeggio
    {"6", {0, 4, 7, 9}, 4, {4, 7, 9}},
    {"m6", {0, 3, 7, 9}, 4, {3, 7, 9}},
    {"sus2", {0, 2, 7}, 3, {0, 2, 7}},
    {"sus4", {0, 5, 7}, 3, {0, 5, 7}},
    {"7sus4", {0, 5, 7, 10}, 4, {0, 5, 10}},
    {"add9", {0, 4, 7, 14}, 4, {4, 7, 14}},
    {"9", {0, 4, 7, 10, 14}, 5, {4, 10, 14}},
    {"m9", {0, 3, 7, 10, 14}, 5, {3, 10, 14}},
    {"dim", {0, 3, 6}, 3, {0, 3, 6}},
    {"aug", {0, 4, 8}, 3, {0, 4, 8}},
};

struct ChordEvent {
  int row, rows;
  int root;  // pitch class
  int bass;  // pitch class
  const ChordQuality* quality;
};

struct NoteEvent {
  int row, rows;
  int midi;  // -1 = rest
};

using Voicing = std::array<int, kChordVoices>;

// Registers the chord layers and the bass move in (MIDI notes).
constexpr int kPadLow = 55, kPadHigh = 76;
constexpr int kCompLow = 57, kCompHigh = 79;
constexpr int kArpLow = 60;
constexpr int kBassLow = 36;

constexpr int kNoPitch = -100;

// Semitones above C of a note letter with its accidentals (Cb is -1, B# is 12,
// so the octave stays the letter's); advances *at. kNoPitch if there is none.
int readSemitones(const char** at) {
  static const int kLetters[7] = {9, 11, 0, 2, 4, 5, 7};  // A..G
  const char letter = **at;
  if (letter < 'A' || letter > 'G') return kNoPitch;
  int semitones = kLetters[letter - 'A'];
  ++*at;
  while (**at == '#' || **at == 'b') {
    semitones += **at == '#' ? 1 : -1;
    ++*at;
  }
  return semitones;
}

int pitchClassOf(int semitones) {
  return semitones == kNoPitch ? -1 : (semitones % 12 + 12) % 12;
}

// Splits "symbol:rows" tokens; a token without rows keeps the last length.
bool readTokens(const char* text, std::vector<std::pair<std::string, int>>* tokens,
                std::string* error) {
  int rows = 4;
  const char* at = text;
  while (*at) {
    while (*at == ' ') ++at;
    if (!*at) break;
    const char* end = at;
    while (*end && *end != ' ') ++end;
    std::string token(at, end);
    const size_t colon = token.find(':');
    if (colon != std::string::npos) {
      rows = std::atoi(token.c_str() + colon + 1);
      token.resize(colon);
    }
    if (rows <= 0 || token.empty()) {
      *error = "bad token \"" + std::string(at, end) + "\"";
      return false;
    }
    tokens->push_back({token, rows});
    at = end;
  }
  return true;
}

bool readChords(const char* text, std::vector<ChordEvent>* chords, std::string* error) {
  std::vector<std::pair<std::string, int>> tokens;
  if (!readTokens(text, &tokens, error)) return false;
  int row = 0;
  for (const auto& [symbol, rows] : tokens) {
    const char* at = symbol.c_str();
    const int root = pitchClassOf(readSemitones(&at));
    const char* slash = std::strchr(at, '/');
    const std::string suffix = slash ? std::string(at, slash) : std::string(at);
    int bass = root;
    if (slash) {
      const char* bassAt = slash + 1;
      bass = pitchClassOf(readSemitones(&bassAt));
      if (*bassAt) bass = -1;
    }
    const ChordQuality* quality = nullptr;
    for (const ChordQuality& q : kQualities) {
      if (suffix == q.suffix) quality = &q;
    }
    if (root < 0 || bass < 0 || !quality) {
      *error = "unknown chord \"" + symbol + "\"";
      return false;
    }
    chords->push_back({row, rows, root, bass, quality});
    row += rows;
  }
  return true;
}

bool readTune(const char* text, std::vector<NoteEvent>* notes, std::string* error) {
  std::vector<std::pair<std::string, int>> tokens;
  if (!readTokens(text, &tokens, error)) return false;
  int row = 0;
  for (const auto& [symbol, rows] : tokens) {
    int midi = -1;
    if (symbol != "r") {
      const char* at = symbol.c_str();
      const int semitones = readSemitones(&at);
      const int octave = *at >= '0' && *at <= '8' && at[1] == 0 ? *at - '0' : -1;
      if (semitones == kNoPitch || octave < 0) {
        *error = "unknown note \"" + symbol + "\"";
        return false;
      }
      midi = 12 * (octave + 1) + semitones;
    }
    notes->push_back({row, rows, midi});
    row += rows;
  }
  return true;
}

int totalRows(const std::vector<ChordEvent>& chords) {
  return chords.empty() ? 0 : chords.back().row + chords.back().rows;
}

int totalRows(const std::vector<NoteEvent>& notes) {
  return notes.empty() ? 0 : notes.back().row + notes.back().rows;
}

const ChordEvent& chordAt(const std::vector<ChordEvent>& chords, int row) {
  for (const ChordEvent& chord : chords) {
    if (row < chord.row + chord.rows) return chord;
  }
  return chords.back();
}

bool isChordTone(const ChordEvent& chord, int midi) {
  for (int i = 0; i < chord.quality->toneCount; ++i) {
    if ((chord.root + chord.quality->tones[i]) % 12 == ((midi % 12) + 12) % 12) return true;
  }
  return false;
}

bool inKey(const SectionScore& section, int midi) {
  static const int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
  static const int kMinor[7] = {0, 2, 3, 5, 7, 8, 10};
  const int degree = ((midi - section.keyTonic) % 12 + 12) % 12;
  const int* scale = section.minorKey ? kMinor : kMajor;
  return std::find(scale, scale + 7, degree) != scale + 7;
}

// The harmony note under a lead note: a third or sixth below on a chord tone,
// else a fourth or fifth below on a chord tone (a passing lead note), else the
// third below that is in the key.
int harmonyBelow(const SectionScore& section, const ChordEvent& chord, int midi) {
  for (const int down : {3, 4, 8, 9}) {
    if (isChordTone(chord, midi - down) && inKey(section, midi - down)) return midi - down;
  }
  for (const int down : {3, 4, 8, 9, 5, 7}) {
    if (isChordTone(chord, midi - down)) return midi - down;
  }
  return inKey(section, midi - 3) ? midi - 3 : midi - 4;
}

// The three chord tones placed in [low, high], moving as little as possible
// from `previous` (or centred in the range when there is none).
Voicing voiceChord(const ChordEvent& chord, int low, int high, const Voicing* previous) {
  std::vector<int> candidates[kChordVoices];
  for (int v = 0; v < kChordVoices; ++v) {
    const int pc = (chord.root + chord.quality->voicing[v]) % 12;
    for (int midi = low; midi <= high; ++midi) {
      if (midi % 12 == pc) candidates[v].push_back(midi);
    }
  }
  Voicing best = {low, low + 4, low + 7};
  int bestCost = 1 << 30;
  const int centre = (low + high) / 2;
  for (const int a : candidates[0]) {
    for (const int b : candidates[1]) {
      for (const int c : candidates[2]) {
        Voicing notes = {a, b, c};
        std::sort(notes.begin(), notes.end());
        if (notes[0] == notes[1] || notes[1] == notes[2] || notes[2] - notes[0] > 16) continue;
        int cost = 0;
        if (previous) {
          for (int v = 0; v < kChordVoices; ++v) cost += std::abs(notes[v] - (*previous)[v]);
        } else {
          cost = 3 * std::abs(notes[0] + notes[1] + notes[2] - 3 * centre);
        }
        if (cost < bestCost) {
          bestCost = cost;
          best = notes;
        }
      }
    }
  }
  return best;
}

// ---------------------------------------------------------------------------
// Writing cells

struct Arrangement {
  const SectionScore* section;
  PatternGrid* grid;
  std::vector<ChordEvent> chords;
  std::vector<NoteEvent> lead;
  std::string* error;
};

PatternCell& cellAt(Arrangement* a, int row, int channel) {
  return a->grid->cells[static_cast<size_t>(row * kMusicChannels + channel)];
}

// Writes a note; rows past the pattern's end (an echo's tail) are left out.
void putNote(Arrangement* a, int row, int channel, int midi, const Voice& voice, int volume) {
  if (row < 0 || row >= a->grid->rows) return;
  const int note = midi + voice.transpose - kMidiOfModuleNote;
  if (note < 1 || note > 96) {
    *a->error = format("MIDI note %i on channel %i is outside what the module can play",
                       midi + voice.transpose, channel);
    return;
  }
  PatternCell& cell = cellAt(a, row, channel);
  cell.note = static_cast<uint8_t>(note);
  cell.instrument = voice.instrument;
  cell.volume = static_cast<uint8_t>(0x10 + std::clamp(volume, 0, 64));
}

void putRelease(Arrangement* a, int row, int channel) {
  if (row < 0 || row >= a->grid->rows) return;
  PatternCell& cell = cellAt(a, row, channel);
  cell = PatternCell{kKeyOff, 0, 0, -1, 0};
}

// Loudness of a tune note by where it falls: bar starts lean in, off-beat
// sixteenths lean back.
int accented(const SectionScore& section, int volume, int row) {
  if (row % section.rowsPerBar == 0) return volume + 4;
  if (row % 2 == 1) return volume - 4;
  return volume;
}

void writeTune(Arrangement* a, const std::vector<NoteEvent>& notes, int channel, const Voice& voice,
               int shift) {
  for (const NoteEvent& note : notes) {
    const int row = note.row + shift;
    if (note.midi < 0) {
      putRelease(a, row, channel);
    } else {
      putNote(a, row, channel, note.midi, voice, accented(*a->section, voice.volume, row));
    }
  }
}

void writeCounter(Arrangement* a, const Phrase& phrase) {
  const SectionScore& s = *a->section;
  if (phrase.counter[0]) {
    std::vector<NoteEvent> own;
    if (!readTune(phrase.counter, &own, a->error)) return;
    if (totalRows(own) != a->grid->rows) *a->error = "the counter line does not fill the pattern";
    writeTune(a, own, kCounterChannel, s.counter, 0);
    return;
  }
  std::vector<NoteEvent> derived = a->lead;
  for (NoteEvent& note : derived) {
    if (note.midi < 0) continue;
    if (s.counterMode == CounterMode::OctaveUp) note.midi += 12;
    if (s.counterMode == CounterMode::Harmony) {
      note.midi = harmonyBelow(s, chordAt(a->chords, note.row), note.midi);
    }
  }
  writeTune(a, derived, kCounterChannel, s.counter,
            s.counterMode == CounterMode::Echo ? s.echoRows : 0);
}

void writePad(Arrangement* a) {
  const SectionScore& s = *a->section;
  Voicing previous = {};
  for (size_t i = 0; i < a->chords.size(); ++i) {
    const ChordEvent& chord = a->chords[i];
    const Voicing notes = voiceChord(chord, kPadLow, kPadHigh, i ? &previous : nullptr);
    for (int v = 0; v < kChordVoices; ++v) {
      if (i == 0 || notes[v] != previous[v]) {
        putNote(a, chord.row, kPadChannel + v, notes[v], s.pad, s.pad.volume);
      }
    }
    previous = notes;
  }
}

// Reads the groove character for `row` (the rhythm repeats every bar).
char grooveAt(const SectionScore& s, const char* rhythm, int row) {
  return rhythm[row % s.rowsPerBar];
}

void writeComp(Arrangement* a) {
  const SectionScore& s = *a->section;
  Voicing notes = {};
  bool sounding = false;
  for (size_t i = 0; i < a->chords.size(); ++i) {
    const ChordEvent& chord = a->chords[i];
    notes = voiceChord(chord, kCompLow, kCompHigh, i ? &notes : nullptr);
    for (int row = chord.row; row < chord.row + chord.rows; ++row) {
      char c = grooveAt(s, s.groove.comp, row);
      // A chord change under a held chord restrikes it softly.
      if (row == chord.row && c == '.' && sounding) c = 'o';
      if (c == 'x' || c == 'o') {
        const int volume = c == 'x' ? s.comp.volume : s.comp.volume * 2 / 3;
        for (int v = 0; v < kChordVoices; ++v) putNote(a, row, kCompChannel + v, notes[v], s.comp, volume);
        sounding = true;
      } else if (c == '-') {
        for (int v = 0; v < kChordVoices; ++v) putRelease(a, row, kCompChannel + v);
        sounding = false;
      }
    }
  }
}

void writeArp(Arrangement* a) {
  const SectionScore& s = *a->section;
  for (const ChordEvent& chord : a->chords) {
    int base = kArpLow;
    while (base % 12 != chord.root) ++base;
    for (int row = chord.row; row < chord.row + chord.rows; ++row) {
      const char c = grooveAt(s, s.groove.arp, row);
      if (c >= '0' && c <= '9') {
        const int k = c - '0';
        const int n = chord.quality->toneCount;
        const int midi = base + chord.quality->tones[k % n] + 12 * (k / n);
        putNote(a, row, kArpChannel, midi, s.arp, accented(s, s.arp.volume, row));
      } else if (c == '-') {
        putRelease(a, row, kArpChannel);
      }
    }
  }
}

void writeBass(Arrangement* a) {
  const SectionScore& s = *a->section;
  for (const ChordEvent& chord : a->chords) {
    int bass = kBassLow;
    while (bass % 12 != chord.bass) ++bass;
    for (int row = chord.row; row < chord.row + chord.rows; ++row) {
      char c = grooveAt(s, s.groove.bass, row);
      if (row == chord.row && (c == '.' || c == '-')) c = 'R';  // always sound the new bass
      int midi = -1;
      if (c == 'R') midi = bass;
      if (c == '8') midi = bass + 12;
      if (c == '5' || c == '3') {
        const int interval = c == '5' ? 7 : chord.quality->tones[1];
        midi = bass + 1;
        while (midi % 12 != (chord.root + interval) % 12) ++midi;
      }
      if (midi >= 0) putNote(a, row, kBassChannel, midi, s.bass, accented(s, s.bass.volume, row));
      if (c == '-') putRelease(a, row, kBassChannel);
    }
  }
}

// Loudness of a drum hit: the kick sets the level; the snare and the hats are
// short, so they sit higher to be heard as well.
int drumVolume(int drumsVolume, MusicInstrument drum, char hit) {
  int percent = 100;
  if (drum == kKick) percent = hit == 'x' ? 100 : 60;
  if (drum == kSnare) percent = hit == 'x' ? 90 : 40;
  if (drum == kHat) percent = hit == 'x' ? 75 : 45;
  if (drum == kShaker) percent = hit == 'S' ? 120 : 90;
  if (drum == kCymbal) percent = 80;
  return std::min(64, drumsVolume * percent / 100);
}

void writeDrum(Arrangement* a, int row, int channel, MusicInstrument drum, char hit) {
  putNote(a, row, channel, 60, Voice{drum, 0, 0}, drumVolume(a->section->drumVolume, drum, hit));
}

void writeDrums(Arrangement* a, uint16_t layers) {
  const SectionScore& s = *a->section;
  const int lastBar = a->grid->rows - s.rowsPerBar;
  for (int row = 0; row < a->grid->rows; ++row) {
    const char kick = grooveAt(s, s.groove.kick, row);
    if (layers & kKickLayer && (kick == 'x' || kick == 'o')) writeDrum(a, row, kKickChannel, kKick, kick);
    const bool fill = (layers & kFillLayer) && row >= lastBar;
    const char snare = grooveAt(s, fill ? s.groove.fill : s.groove.snare, row);
    if (layers & kSnareLayer && (snare == 'x' || snare == 'o')) {
      writeDrum(a, row, kSnareChannel, kSnare, snare);
    }
    const char hat = grooveAt(s, s.groove.hats, row);
    if (layers & kHatLayer && hat != '.') {
      writeDrum(a, row, kHatChannel, hat == 's' || hat == 'S' ? kShaker : kHat, hat);
    }
  }
  if (layers & kCrashLayer) writeDrum(a, 0, kFxChannel, kCymbal, 'x');
}

// Every rhythm the section uses must be exactly one bar long.
bool checkGroove(const SectionScore& s, std::string* error) {
  const char* rhythms[7] = {s.groove.kick, s.groove.snare, s.groove.hats, s.groove.fill,
                            s.groove.bass, s.groove.comp,  s.groove.arp};
  for (const char* rhythm : rhythms) {
    if (static_cast<int>(std::strlen(rhythm)) != s.rowsPerBar) {
      *error = "the groove \"" + std::string(rhythm) + "\" is not one bar long";
      return false;
    }
  }
  return true;
}

// Reads the order's phrase and sizes the grid. False with the error set when the
// section or the phrase does not add up.
bool readPhrase(const OrderPlan& plan, Arrangement* a) {
  const SectionScore& s = *a->section;
  std::string* error = a->error;
  if (plan.phrase < 0 || plan.phrase >= static_cast<int>(s.phrases.size())) {
    *error = format("phrase %i does not exist", plan.phrase);
    return false;
  }
  a->grid->rows = s.rowsPerBar * s.barsPerPattern;
  if (a->grid->rows > kMaxPatternRows || s.tempo < 32 || s.tempo > 255 || s.firstOrder > 255) {
    *error = "the section's pattern length, tempo or order is out of the module's range";
    return false;
  }
  if (!checkGroove(s, error)) return false;
  a->grid->cells.assign(static_cast<size_t>(a->grid->rows * kMusicChannels), PatternCell{0, 0, 0, -1, 0});
  const Phrase& phrase = s.phrases[static_cast<size_t>(plan.phrase)];
  if (!readChords(phrase.chords, &a->chords, error) || !readTune(phrase.lead, &a->lead, error)) {
    return false;
  }
  if (totalRows(a->chords) != a->grid->rows || (!a->lead.empty() && totalRows(a->lead) != a->grid->rows)) {
    *error = format("phrase %i does not fill its %i rows", plan.phrase, a->grid->rows);
    return false;
  }
  return true;
}

// Releases every melodic layer the pattern leaves out, so that no note of the
// pattern before (or of the section's end, when it loops) hangs on.
void releaseAbsentLayers(Arrangement* a, uint16_t layers) {
  struct LayerChannels {
    uint16_t layer;
    int first, count;
  };
  static const LayerChannels kMelodic[6] = {
      {kLeadLayer, kLeadChannel, 1}, {kCounterLayer, kCounterChannel, 1},
      {kPadLayer, kPadChannel, kChordVoices}, {kCompLayer, kCompChannel, kChordVoices},
      {kArpLayer, kArpChannel, 1}, {kBassLayer, kBassChannel, 1}};
  for (const LayerChannels& m : kMelodic) {
    if (layers & m.layer) continue;
    for (int c = 0; c < m.count; ++c) putRelease(a, 0, m.first + c);
  }
}

// Tempo on every pattern's first row, so a section plays right from wherever
// the game starts it; the section's last pattern jumps back to its start.
void writeTempoAndLoop(Arrangement* a, bool lastOfSection) {
  PatternCell& speed = cellAt(a, 0, kHatChannel);
  speed.effect = 0x0F;
  speed.parameter = kTicksPerRow;
  PatternCell& tempo = cellAt(a, 0, kFxChannel);
  tempo.effect = 0x0F;
  tempo.parameter = static_cast<uint8_t>(a->section->tempo);
  if (lastOfSection) {
    PatternCell& jump = cellAt(a, a->grid->rows - 1, kFxChannel);
    jump.effect = 0x0B;
    jump.parameter = static_cast<uint8_t>(a->section->firstOrder);
  }
}

}  // namespace

bool arrangePattern(const SectionScore& section, int orderIndex, PatternGrid* grid,
                    std::string* error) {
  const OrderPlan& plan = section.orders[static_cast<size_t>(orderIndex)];
  Arrangement a = {&section, grid, {}, {}, error};
  if (!readPhrase(plan, &a)) return false;
  const Phrase& phrase = section.phrases[static_cast<size_t>(plan.phrase)];
  releaseAbsentLayers(&a, plan.layers);
  if ((plan.layers & kLeadLayer) && !a.lead.empty()) writeTune(&a, a.lead, kLeadChannel, section.lead, 0);
  if (plan.layers & kCounterLayer) writeCounter(&a, phrase);
  if (plan.layers & kPadLayer) writePad(&a);
  if (plan.layers & kCompLayer) writeComp(&a);
  if (plan.layers & kArpLayer) writeArp(&a);
  if (plan.layers & kBassLayer) writeBass(&a);
  writeDrums(&a, plan.layers);
  writeTempoAndLoop(&a, orderIndex + 1 == static_cast<int>(section.orders.size()));
  return error->empty();
}
