// music_score.cpp: the music, written out. Seven sections at the order
// positions the game starts them from; each is a handful of phrases (chords and
// tunes as note text, a row is a sixteenth note) and an order plan saying which
// phrase each order plays with which layers. Four level tunes of different
// moods, the title tune (also a level tune), the map waltz, the level-complete
// fanfare and the gentle defeat theme.
#include "music.h"

namespace {

// Layer sets the plans use again and again.
constexpr uint16_t kTune = kLeadLayer | kCounterLayer;
constexpr uint16_t kDrums = kDrumLayers;
constexpr uint16_t kBand = kBassLayer | kCompLayer | kDrumLayers;

// Section 0, order 0: a sunny meadow. C major, bouncy, marimba tune over
// off-beat electric piano, with a plucked harmony later on.
SectionScore meadow() {
  return SectionScore{
      "meadow", 0, 120, 16, 4, 0, false, CounterMode::Harmony, 0,
      /*lead*/ {kMallet, 60, 0}, /*counter*/ {kPluck, 34, 0}, /*pad*/ {kPad, 18, 0},
      /*comp*/ {kEPiano, 18, 0}, /*arp*/ {kBell, 24, 12}, /*bass*/ {kBass, 38, 0},
      /*drums*/ 40,
      {/*kick*/ "x.......x.....x.", /*snare*/ "....x.......x...",
       /*hats*/ "o.x.o.x.o.x.o.xo", /*fill*/ "....x...x.x.xxxx",
       /*bass*/ "R..-R..-5..-R.8-", /*comp*/ "..x-..x-..x-..x-",
       /*arp*/ "0.1.2.1.3.1.2.1."},
      {
          // 0 intro
          {"C:16 Am:16 F:16 G:16", "", ""},
          // 1 verse
          {"C:16 Am:16 F:16 G:16",
           "E5:2 G5:2 C6:4 B5:2 G5:2 E5:4  A5:4 G5:2 E5:2 C5:6 r:2 "
           "F5:2 A5:2 C6:4 A5:2 F5:2 A5:2 G5:2  G5:6 D5:2 B4:4 r:4",
           ""},
          // 2 verse answer
          {"C:16 Am:16 F:8 G:8 C:16",
           "E5:2 G5:2 C6:4 D6:2 C6:2 G5:4  A5:4 C6:2 A5:2 E5:6 r:2 "
           "F5:2 E5:2 F5:2 A5:2 G5:2 F5:2 D5:2 B4:2  C5:10 r:2 E5:2 G5:2",
           ""},
          // 3 chorus
          {"F:16 G:16 Em:16 Am:16",
           "A5:2 G5:2 A5:2 C6:4 A5:2 G5:2 F5:2  G5:2 F5:2 G5:2 B5:4 G5:2 D5:4 "
           "E5:2 D5:2 E5:2 G5:4 B5:2 A5:2 G5:2  A5:8 r:4 E5:2 G5:2",
           ""},
          // 4 chorus answer
          {"F:16 G:16 C/E:8 Am:8 Dm7:8 G7:8",
           "A5:2 G5:2 A5:2 C6:4 A5:2 G5:2 F5:2  G5:2 A5:2 B5:2 D6:4 B5:2 C6:2 D6:2 "
           "E6:4 D6:2 C6:2 C6:2 B5:2 A5:4  F5:4 A5:2 C6:2 B5:6 r:2",
           ""},
          // 5 bridge
          {"Am:16 F:16 C:16 G:16",
           "E5:6 A5:2 C6:8  A5:6 G5:2 F5:8  G5:6 E5:2 C5:4 E5:4  D5:12 r:4", ""},
          // 6 bridge answer
          {"Am:16 F:16 Dm7:16 Gsus4:8 G:8",
           "E5:6 A5:2 C6:8  C6:6 D6:2 A5:8  F5:4 A5:4 C6:4 A5:4  C6:8 B5:4 r:4", ""},
      },
      {
          {0, kBassLayer | kCompLayer | kArpLayer | kHatLayer | kKickLayer},
          {1, kLeadLayer | kBand},
          {2, kLeadLayer | kBand},
          {3, kTune | kBand | kCrashLayer},
          {4, kTune | kBand | kFillLayer},
          {5, kLeadLayer | kPadLayer | kArpLayer | kBassLayer | kHatLayer},
          {6, kLeadLayer | kPadLayer | kArpLayer | kBassLayer | kHatLayer | kKickLayer | kFillLayer},
          {1, kTune | kBand | kCrashLayer},
          {2, kTune | kBand},
          {3, kTune | kBand | kPadLayer | kCrashLayer},
          {4, kTune | kBand | kPadLayer | kFillLayer},
      }};
}

// Section 1, order 11: a warm breeze. D major, laid back: a soft flute over
// electric piano seventh chords and a bell arpeggio.
SectionScore breeze() {
  return SectionScore{
      "breeze", 11, 96, 16, 2, 2, false, CounterMode::Harmony, 0,
      /*lead*/ {kFlute, 36, 0}, /*counter*/ {kPluck, 26, 0}, /*pad*/ {kPad, 16, 0},
      /*comp*/ {kEPiano, 18, 0}, /*arp*/ {kBell, 16, 12}, /*bass*/ {kBass, 29, 0},
      /*drums*/ 26,
      {/*kick*/ "x.........x.....", /*snare*/ "....x.......x...",
       /*hats*/ "s.s.s.s.s.s.s.s.", /*fill*/ "....x.......x.xx",
       /*bass*/ "R.........R...5.", /*comp*/ "x.......x.......",
       /*arp*/ "0.2.1.3.2.4.3.2."},
      {
          // 0, 1 intro
          {"Dmaj7:16 Gmaj7:16", "", ""},
          {"Dmaj7:16 Asus4:8 A:8", "", ""},
          // 2..5 verse
          {"Dmaj7:16 Bm7:16", "F#5:6 E5:2 D5:4 A4:4  B4:6 C#5:2 D5:4 F#5:4", ""},
          {"Gmaj7:16 Asus4:8 A:8", "G5:6 F#5:2 E5:4 D5:4  E5:8 C#5:4 r:4", ""},
          {"Dmaj7:16 Bm7:16", "F#5:6 E5:2 D5:4 A5:4  B5:6 A5:2 F#5:8", ""},
          {"Em7:16 A7:16", "G5:4 F#5:4 E5:4 B4:4  C#5:6 E5:2 A5:4 r:4", ""},
          // 6..9 chorus
          {"Gmaj7:16 A6:16", "B5:8 A5:4 F#5:4  A5:6 F#5:2 E5:8", ""},
          {"F#m7:16 Bm7:16", "A5:8 C#6:4 A5:4  F#5:12 r:4", ""},
          {"Em7:16 A7:16", "G5:6 A5:2 B5:4 G5:4  A5:6 G5:2 E5:4 C#5:4", ""},
          {"Dmaj7:16 D:8 A:8", "D5:16  r:8 A4:2 B4:2 C#5:4", ""},
          // 10, 11 breakdown
          {"Bm7:16 Gmaj7:16", "", ""},
          {"Em7:16 Asus4:8 A:8", "r:24 E5:2 F#5:2 A5:4", ""},
      },
      {
          {0, kPadLayer | kArpLayer | kHatLayer},
          {1, kPadLayer | kArpLayer | kHatLayer | kBassLayer},
          {2, kLeadLayer | kBand},
          {3, kLeadLayer | kBand},
          {4, kLeadLayer | kBand},
          {5, kLeadLayer | kBand | kFillLayer},
          {6, kTune | kBand | kArpLayer | kCrashLayer},
          {7, kTune | kBand | kArpLayer},
          {8, kTune | kBand | kArpLayer},
          {9, kTune | kBand | kArpLayer | kFillLayer},
          {10, kPadLayer | kArpLayer | kBassLayer | kHatLayer},
          {11, kLeadLayer | kPadLayer | kArpLayer | kBassLayer | kHatLayer},
          {6, kTune | kBand | kPadLayer | kCrashLayer},
          {7, kTune | kBand | kPadLayer},
          {8, kTune | kBand | kPadLayer},
          {9, kTune | kBand | kPadLayer | kFillLayer},
          {2, kLeadLayer | kBand | kArpLayer},
          {3, kLeadLayer | kBand},
      }};
}

// Section 2, order 29: the title tune, also a level tune. G major, cheerful: a
// plucked tune doubled an octave up by bells, marimba arpeggios.
SectionScore adventure() {
  return SectionScore{
      "adventure", 29, 112, 16, 2, 7, false, CounterMode::OctaveUp, 0,
      /*lead*/ {kPluck, 60, 0}, /*counter*/ {kBell, 22, 0}, /*pad*/ {kPad, 18, 0},
      /*comp*/ {kEPiano, 18, 0}, /*arp*/ {kMallet, 24, 0}, /*bass*/ {kBass, 38, 0},
      /*drums*/ 40,
      {/*kick*/ "x.......x.x.....", /*snare*/ "....x.......x...",
       /*hats*/ "o.x.o.x.o.x.o.x.", /*fill*/ "....x...x.x.xxxx",
       /*bass*/ "R..-R.5-R..-R.8-", /*comp*/ "x-.x-.x-..x-.x-.",
       /*arp*/ "0.1.2.1.0.1.2.1."},
      {
          // 0 intro
          {"Cadd9:16 D:16", "", ""},
          // 1..4 theme
          {"G:16 Em:16", "D5:2 G5:2 A5:2 B5:4 A5:2 G5:2 A5:2  B5:4 G5:4 E5:8", ""},
          {"C:16 D:16", "E5:2 G5:2 C6:6 A5:2 G5:2 E5:2  F#5:4 A5:4 D5:8", ""},
          {"G:16 Em:16", "D5:2 G5:2 A5:2 B5:4 A5:2 G5:2 A5:2  B5:4 D6:4 E6:8", ""},
          {"C:8 D:8 G:16", "E6:2 D6:2 C6:2 B5:2 A5:2 B5:2 C6:2 A5:2  G5:12 r:4", ""},
          // 5..8 second theme
          {"C:16 D:16", "E5:4 E5:2 G5:2 E5:4 C5:4  F#5:4 F#5:2 A5:2 F#5:4 D5:4", ""},
          {"Bm:16 Em:16", "D5:4 D5:2 F#5:2 B5:8  G5:4 E5:2 F#5:2 E5:4 B4:4", ""},
          {"C:16 D:16", "E5:4 E5:2 G5:2 C6:6 A5:2  A5:4 F#5:2 A5:2 D6:8", ""},
          {"Am7:16 D7:16", "C6:4 B5:2 A5:2 G5:4 E5:4  F#5:4 A5:4 C6:2 B5:2 A5:4", ""},
          // 9, 10 turnaround
          {"Cadd9:16 D:16", "E5:4 G5:4 D6:8  C6:4 B5:4 A5:8", ""},
          {"G:16 Gsus4:8 G:8", "B5:16  C6:8 B5:8", ""},
      },
      {
          {0, kPadLayer | kArpLayer | kBassLayer | kHatLayer},
          {1, kLeadLayer | kBand},
          {2, kLeadLayer | kBand},
          {3, kLeadLayer | kBand},
          {4, kLeadLayer | kBand | kFillLayer},
          {5, kTune | kBand | kPadLayer | kCrashLayer},
          {6, kTune | kBand | kPadLayer},
          {7, kTune | kBand | kPadLayer},
          {8, kTune | kBand | kPadLayer | kFillLayer},
          {1, kTune | kBand | kArpLayer | kCrashLayer},
          {2, kTune | kBand | kArpLayer},
          {3, kTune | kBand | kArpLayer},
          {4, kTune | kBand | kArpLayer | kFillLayer},
          {9, kLeadLayer | kPadLayer | kArpLayer | kBassLayer | kDrums},
          {10, kLeadLayer | kPadLayer | kArpLayer | kBassLayer | kHatLayer},
      }};
}

// Section 6, order 44: the map, a little waltz in F major: flute over a harp
// "oom-pah-pah", then a marimba harmony joins.
SectionScore mapWaltz() {
  return SectionScore{
      "map", 44, 96, 12, 8, 5, false, CounterMode::Harmony, 0,
      /*lead*/ {kFlute, 35, 0}, /*counter*/ {kMallet, 22, 0}, /*pad*/ {kPad, 13, 0},
      /*comp*/ {kPluck, 21, 0}, /*arp*/ {kBell, 14, 12}, /*bass*/ {kBass, 27, 0},
      /*drums*/ 24,
      {/*kick*/ "x...........", /*snare*/ "............",
       /*hats*/ "S...s...s...", /*fill*/ "............",
       /*bass*/ "R...-.......", /*comp*/ "....x-..x-..",
       /*arp*/ "0.1.2.3.2.1."},
      {
          {"F:12 Am:12 Bb:12 F:12 Dm:12 Gm7:12 C:12 C7:12",
           "C5:4 F5:6 G5:2  A5:8 E5:4  F5:4 D5:4 Bb4:4  C5:12 "
           "D5:4 F5:6 A5:2  Bb5:6 A5:2 G5:4  E5:4 C5:4 E5:4  G5:8 E5:4",
           ""},
          {"Bb:12 C:12 Am:12 Dm:12 Gm7:12 C:12 F:12 F:12",
           "D5:4 F5:4 Bb5:4  C6:8 G5:4  A5:4 E5:4 C5:4  D5:8 A5:4 "
           "Bb5:8 G5:4  G5:6 F5:2 E5:4  F5:12  r:8 C5:4",
           ""},
          {"F:12 Am:12 Bb:12 Bbm:12 F:12 Gm7:6 C7:6 F:12 C7:12",
           "C5:4 F5:6 G5:2  A5:8 C6:4  D6:8 Bb5:4  Db6:6 C6:2 Bb5:4 "
           "A5:12  Bb5:6 G5:4 E5:2  F5:12  r:8 G4:4",
           ""},
      },
      {
          {0, kLeadLayer | kCompLayer | kBassLayer | kHatLayer},
          {1, kTune | kCompLayer | kPadLayer | kBassLayer | kHatLayer},
          {2, kTune | kCompLayer | kPadLayer | kArpLayer | kBassLayer | kHatLayer},
      }};
}

// Section 3, order 47: crystal caves. A minor but bright: marimba with a bell
// echo, a plucked arpeggio running in threes against the beat.
SectionScore crystal() {
  return SectionScore{
      "crystal", 47, 128, 16, 2, 9, true, CounterMode::Echo, 3,
      /*lead*/ {kMallet, 60, 0}, /*counter*/ {kBell, 24, 0}, /*pad*/ {kPad, 18, 0},
      /*comp*/ {kEPiano, 24, 0}, /*arp*/ {kPluck, 26, 0}, /*bass*/ {kBass, 38, 0},
      /*drums*/ 42,
      {/*kick*/ "x...x...x...x...", /*snare*/ "....x.......x...",
       /*hats*/ "s.x.s.x.s.x.s.x.", /*fill*/ "....x.......xxxx",
       /*bass*/ "R.R.8.R.R.R.8.R.", /*comp*/ "x...............",
       /*arp*/ "0120120120120120"},
      {
          // 0, 1 intro
          {"Am:16 F:16", "", ""},
          {"C:16 G:16", "", ""},
          // 2..5 verse
          {"Am:16 F:16", "A4:2 C5:2 E5:2 A5:4 G5:2 E5:2 C5:2  F5:4 E5:2 C5:2 A4:8", ""},
          {"C:16 G:16", "G4:2 C5:2 E5:2 G5:4 F5:2 E5:2 C5:2  D5:4 B4:4 G4:8", ""},
          {"Am:16 F:16", "A4:2 C5:2 E5:2 A5:4 B5:2 C6:4  A5:4 F5:4 C6:8", ""},
          {"G:16 Esus4:8 E:8", "B5:4 G5:4 D5:4 G5:4  A5:8 G#5:8", ""},
          // 6..9 chorus
          {"F:16 G:16", "C6:6 A5:2 F5:4 A5:4  D6:6 B5:2 G5:4 B5:4", ""},
          {"Am:16 C:16", "C6:6 A5:2 E5:4 A5:4  G5:6 E5:2 C5:4 E5:4", ""},
          {"Dm:16 G:16", "F5:4 A5:4 D6:6 C6:2  B5:6 A5:2 G5:4 F5:4", ""},
          {"Esus4:16 E:16", "E5:8 A5:8  G#5:12 r:4", ""},
          // 10, 11 breakdown
          {"F:16 C:16", "", ""},
          {"Dm:16 Esus4:8 E:8", "", ""},
      },
      {
          {0, kArpLayer | kBassLayer | kHatLayer},
          {1, kArpLayer | kBassLayer | kHatLayer | kKickLayer},
          {2, kTune | kArpLayer | kBassLayer | kDrums},
          {3, kTune | kArpLayer | kBassLayer | kDrums},
          {4, kTune | kArpLayer | kBassLayer | kDrums},
          {5, kTune | kArpLayer | kBassLayer | kDrums | kFillLayer},
          {6, kTune | kArpLayer | kPadLayer | kBassLayer | kDrums | kCrashLayer},
          {7, kTune | kArpLayer | kPadLayer | kBassLayer | kDrums},
          {8, kTune | kArpLayer | kPadLayer | kBassLayer | kDrums},
          {9, kTune | kArpLayer | kPadLayer | kBassLayer | kDrums | kFillLayer},
          {10, kPadLayer | kArpLayer | kBassLayer},
          {11, kPadLayer | kArpLayer | kBassLayer | kHatLayer},
          {6, kTune | kArpLayer | kPadLayer | kBassLayer | kDrums | kCrashLayer},
          {7, kTune | kArpLayer | kPadLayer | kBassLayer | kDrums},
          {8, kTune | kArpLayer | kPadLayer | kBassLayer | kDrums},
          {9, kTune | kArpLayer | kPadLayer | kBassLayer | kDrums | kFillLayer},
      }};
}

// Section 4, order 63: level complete. A brass fanfare in C with its harmony,
// then a calm tail of pad and bells.
SectionScore fanfare() {
  return SectionScore{
      "fanfare", 63, 120, 16, 2, 0, false, CounterMode::Harmony, 0,
      /*lead*/ {kBrass, 38, 0}, /*counter*/ {kBrass, 25, 0}, /*pad*/ {kPad, 16, 0},
      /*comp*/ {kEPiano, 17, 0}, /*arp*/ {kBell, 16, 12}, /*bass*/ {kBass, 26, 0},
      /*drums*/ 29,
      {/*kick*/ "x.......x.......", /*snare*/ "x...............",
       /*hats*/ "................", /*fill*/ "x...............",
       /*bass*/ "R.......R.......", /*comp*/ "x...............",
       /*arp*/ "0...1...2...3..."},
      {
          {"C:8 F:4 G:4 C:16", "G4:2 C5:2 E5:2 G5:2 A5:4 B5:4  C6:12 r:4", ""},
          {"Fmaj7:16 C:16", "", ""},
      },
      {
          {0, kTune | kPadLayer | kBassLayer | kKickLayer | kSnareLayer | kCrashLayer},
          {1, kPadLayer | kArpLayer | kBassLayer},
      }};
}

// Section 5, order 65: defeat. A minor, slow and gentle: a flute over soft
// electric piano and pad; it loops until the game moves on.
SectionScore defeat() {
  return SectionScore{
      "defeat", 65, 76, 16, 8, 9, true, CounterMode::Harmony, 0,
      /*lead*/ {kFlute, 34, 0}, /*counter*/ {kPluck, 19, 0}, /*pad*/ {kPad, 17, 0},
      /*comp*/ {kEPiano, 17, 0}, /*arp*/ {kPluck, 15, 0}, /*bass*/ {kBass, 27, 0},
      /*drums*/ 0,
      {/*kick*/ "................", /*snare*/ "................",
       /*hats*/ "................", /*fill*/ "................",
       /*bass*/ "R...............", /*comp*/ "x...............",
       /*arp*/ "0...2...1...3..."},
      {
          {"Am:16 Fmaj7:16 Dm7:16 Esus4:8 E:8 Am:16 Fmaj7:16 Dm7:16 Esus4:8 E:8",
           "A4:4 C5:4 E5:8  D5:4 C5:4 A4:8  F5:8 D5:4 A4:4  E5:8 G#4:8 "
           "A4:4 C5:4 E5:4 A5:4  G5:8 E5:4 C5:4  D5:8 F5:4 A4:4  B4:8 r:8",
           ""},
      },
      {
          {0, kLeadLayer | kPadLayer | kCompLayer | kBassLayer},
      }};
}

}  // namespace

const std::vector<SectionScore>& musicScore() {
  static const std::vector<SectionScore> sections = {meadow(),   breeze(),  adventure(), mapWaltz(),
                                                     crystal(), fanfare(), defeat()};
  return sections;
}
