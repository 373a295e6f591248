// tables.cpp: what orbel-soundcheck measures and prints (tables.h).
#include "tables.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "meter.h"
#include "platform/sound_output.h"
#include "session.h"

namespace {

// ---------------------------------------------------------------------------
// Targets

// Every level music section sits here at full volume, the data's own level.
constexpr double kMusicLufs = -18.0;
constexpr double kMusicTolerance = 1.0;

enum class Role { Board, Jingle, Birds, Water };

struct RoleTarget {
  const char* label;
  double low, high;  // dB over the music (loudest 100 ms), or LUFS for water
};

// Board and menu sounds stand just clear of the music; rewards and impacts
// clearly over it without startling; birds under it; water far under it.
RoleTarget targetOf(Role role) {
  switch (role) {
    case Role::Board: return {"board/ui", 3.0, 5.0};
    case Role::Jingle: return {"jingle", 6.0, 9.0};
    case Role::Birds: return {"birds", -6.0, -1.0};
    case Role::Water: return {"water", -27.0, -25.0};
  }
  return {"?", 0.0, 0.0};
}

Role roleOf(const std::string& name) {
  static const char* const kJingles[] = {"addbonus.ogg", "addlife.ogg",       "bomb1.ogg",
                                         "bomb2.ogg",    "defeat.ogg",        "deleteballs.ogg",
                                         "diamond.ogg",  "excellent.ogg",     "gethammer.ogg",
                                         "hammer.ogg",   "level_defeat.ogg",  "levelcomplete.ogg",
                                         "wow.ogg"};
  if (name.rfind("birds", 0) == 0) return Role::Birds;
  if (name == "waterfall.ogg" || name == "brook.ogg") return Role::Water;
  for (const char* jingle : kJingles) {
    if (name == jingle) return Role::Jingle;
  }
  return Role::Board;
}

const char* verdict(double value, double low, double high) {
  if (value < low) return "low";
  return value > high ? "HIGH" : "ok";
}

const char* const kSectionUses[kSectionCount] = {"level 0", "level 1", "title, level 2",
                                                 "level 3", "level complete", "defeat",
                                                 "level choice"};

constexpr double kSectionLimitSeconds = 90.0;

// ---------------------------------------------------------------------------
// Drops

// Effects that fall together in play: a bomb with the board clear and a pop,
// both bombs and the hammer, the level's end over the last pops.
const std::vector<Drop>& pileUps() {
  static const std::vector<Drop> piles = {
      {"bomb2.ogg", "deleteballs.ogg", "ball.ogg"},
      {"bomb1.ogg", "bomb2.ogg", "hammer.ogg", "ball.ogg"},
      {"levelcomplete.ogg", "deleteballs.ogg", "ball.ogg", "excellent.ogg"}};
  return piles;
}

std::string nameOf(const Drop& drop) {
  std::string name;
  for (const std::string& effect : drop) {
    if (!name.empty()) name += '+';
    name.append(effect, 0, effect.size() - 4);  // without ".ogg"
  }
  return name;
}

void addTally(DropTally* into, const DropTally& t) {
  into->drops += t.drops;
  into->clippedDrops += t.clippedDrops;
  into->clippedSamples += t.clippedSamples;
  into->peakDb = std::max(into->peakDb, t.peakDb);
  into->limitedDrops += t.limitedDrops;
  into->deepestDb = std::min(into->deepestDb, t.deepestDb);
}

double percent(int32_t part, int32_t whole) { return whole ? 100.0 * part / whole : 0.0; }

void printTallyRow(const std::string& name, const DropTally& over, const DropTally& alone) {
  std::printf("| %-40s | %5d | %5.1f %% | %7llu | %6.1f | %5.1f %% | %5.1f | %7llu | %5.1f %% |\n",
              name.c_str(), over.drops, percent(over.clippedDrops, over.drops),
              static_cast<unsigned long long>(over.clippedSamples), over.peakDb,
              percent(over.limitedDrops, over.drops), over.deepestDb,
              static_cast<unsigned long long>(alone.clippedSamples),
              percent(alone.limitedDrops, alone.drops));
}

void printDropTable(const char* title, Volumes volumes, const CheckOptions& options) {
  std::vector<Drop> drops;
  for (const std::string& name : effectNames()) drops.push_back({name});
  for (const Drop& pile : pileUps()) drops.push_back(pile);
  std::mt19937 random(options.seed);
  std::vector<DropTally> over(drops.size()), alone;
  for (int32_t section = 0; section < kSectionCount; ++section) {
    std::vector<DropTally> bySection;
    dropOverSection(section, volumes, drops, options.repeats, &random, &bySection);
    for (size_t i = 0; i < drops.size(); ++i) addTally(&over[i], bySection[i]);
  }
  dropOnSilence(volumes, drops, options.repeats, &random, &alone);
  std::printf("\n### Drops at %s (music %d, effects %d): %d of each over each of the %d sections\n\n",
              title, volumes.music, volumes.effects, options.repeats, kSectionCount);
  std::printf("Over the music: drops, share with a clipped sample, clipped samples, highest "
              "sample, share the limiter cut by more than 0.5 dB and its deepest cut; on silence: "
              "clipped samples, share cut by more than 0.5 dB.\n\n");
  std::printf("| %-40s | drops | clipped | samples | dBFS   | limited | cut dB | silence | limited |\n",
              "effect");
  std::printf("|%s|------:|--------:|--------:|-------:|--------:|-------:|--------:|--------:|\n",
              std::string(42, '-').c_str());
  DropTally totalOver, totalAlone;
  for (size_t i = 0; i < drops.size(); ++i) {
    printTallyRow(nameOf(drops[i]), over[i], alone[i]);
    addTally(&totalOver, over[i]);
    addTally(&totalAlone, alone[i]);
  }
  printTallyRow("all drops", totalOver, totalAlone);
}

// ---------------------------------------------------------------------------
// Water loops

struct LoopJoins {
  double deepestAtJoin = 0.0;     // quietest 5 ms across a loop point, dB from the median
  double deepestElsewhere = 0.0;  // the same away from the loop points
  double stepRatio = 0.0;         // largest step at a loop point over the 99.9th percentile
};

// `out` holds a sound of `length` frames looped from its first frame on; its
// first three loop points are measured.
LoopJoins measureLoopJoins(const Frames& out, uint32_t length) {
  const size_t window = 220, step = 44;  // 5 ms every 1 ms
  const std::vector<double> levels = windowLevels(out, window, step);
  std::vector<double> sorted = levels;
  std::sort(sorted.begin(), sorted.end());
  const double median = sorted[sorted.size() / 2];
  std::vector<double> steps;
  for (size_t i = 1; i < out.size() / 2; ++i) steps.push_back(std::fabs(out[2 * i] - out[2 * i - 2]));
  LoopJoins j;
  std::vector<size_t> joins;
  double joinStep = 0.0;
  for (size_t k = 1; k <= 3; ++k) {
    joins.push_back(k * length + size_t(kSoundMixLatencyFrames));
    joinStep = std::max(joinStep, steps[joins.back() - 1]);
  }
  for (size_t w = 0; w < levels.size(); ++w) {
    const size_t start = w * step;
    const bool nearJoin = std::any_of(joins.begin(), joins.end(), [&](size_t join) {
      return start <= join + 441 && join <= start + window + 441;
    });
    double& deepest = nearJoin ? j.deepestAtJoin : j.deepestElsewhere;
    deepest = std::min(deepest, levels[w] - median);
  }
  std::sort(steps.begin(), steps.end());
  const double typical = steps[steps.size() * 999 / 1000];
  j.stepRatio = typical > 0.0 ? joinStep / typical : 0.0;
  return j;
}

}  // namespace

double printMusicTable() {
  std::printf("### Music sections at full volume (target %.0f +- %.0f LUFS)\n\n", kMusicLufs,
              kMusicTolerance);
  std::printf("The last three columns: the share of the pass the limiter turns the music down, "
              "by how much on average meanwhile, and its deepest cut.\n\n");
  std::printf("| section | use            | pass s | LUFS  |      | dBTP  | <150 Hz | >2 kHz | side/mid dB | limited | mean dB | cut dB |\n");
  std::printf("|--------:|----------------|-------:|------:|------|------:|--------:|-------:|------------:|--------:|--------:|-------:|\n");
  double levelSum = 0.0;
  for (int32_t section = 0; section < kSectionCount; ++section) {
    double seconds = 0.0;
    const Frames pass = renderSectionPass(section, kFullVolumes, kSectionLimitSeconds, &seconds);
    const SoundLimiterReport full = soundTakeLimiterReport();
    const double lufs = integratedLoudness(pass);
    const EnergyBalance balance = energyBalance(pass, 150.0, 2000.0);
    if (section <= 3) levelSum += lufs;
    std::printf("| %7d | %-14s | %6.1f | %5.1f | %-4s | %5.1f | %5.1f %% | %4.1f %% | %11.1f | %5.1f %% | %7.1f | %6.1f |\n",
                section, kSectionUses[section], seconds, lufs,
                verdict(lufs, kMusicLufs - kMusicTolerance, kMusicLufs + kMusicTolerance),
                truePeakDb(pass), 100.0 * balance.lowShare, 100.0 * balance.highShare,
                balance.widthDb, 100.0 * double(full.limitedFrames) / double(full.frames),
                full.limitedFrames ? -full.cutDbSum / double(full.limitedFrames) : 0.0,
                decibels(full.deepestGain));
  }
  const double level = levelSum / 4.0;
  std::printf("\nLevel music (sections 0-3) on average: %.1f LUFS.\n", level);
  return level;
}

void printEffectTable(double musicLufs) {
  std::printf("\n### Effects alone at full volume, against the level music (%.1f LUFS)\n\n",
              musicLufs);
  std::printf("The limiter's deepest cut while the effect plays alone.\n\n");
  std::printf("| %-18s | role     | target        | 100 ms LUFS | over music |      | LUFS  | dBTP  | cut dB    | <250 Hz |\n",
              "effect");
  std::printf("|%s|----------|---------------|------------:|-----------:|------|------:|------:|----------:|--------:|\n",
              std::string(20, '-').c_str());
  for (const std::string& name : effectNames()) {
    const Frames alone = renderEffectAlone(name, kFullVolumes);
    const SoundLimiterReport full = soundTakeLimiterReport();
    const Role role = roleOf(name);
    const RoleTarget target = targetOf(role);
    const double loudest = loudestWindow(alone, 0.1);
    const double integrated = integratedLoudness(alone);
    const double over = loudest - musicLufs;
    const double judged = role == Role::Water ? integrated : over;
    char range[32];
    std::snprintf(range, sizeof range, role == Role::Water ? "%.0f..%.0f LUFS" : "%+.0f..%+.0f dB",
                  target.low, target.high);
    std::printf("| %-18s | %-8s | %-13s | %11.1f | %+10.1f | %-4s | %5.1f | %5.1f | %9.1f | %5.1f %% |\n",
                name.c_str(), target.label, range, loudest, over,
                verdict(judged, target.low, target.high), integrated, truePeakDb(alone),
                decibels(full.deepestGain), 100.0 * energyBalance(alone, 250.0, 2000.0).lowShare);
  }
}

void printWaterTable() {
  std::printf("\n### Water looped (three and a half loops at full volume)\n\n");
  std::printf("| sound         | loop s | deepest 5 ms at a join | deepest 5 ms elsewhere | step at join / typical |\n");
  std::printf("|---------------|-------:|-----------------------:|-----------------------:|-----------------------:|\n");
  for (const char* name : {"waterfall.ogg", "brook.ogg"}) {
    const uint32_t length = effectFrames(name);
    if (length == 0) continue;
    const Frames out = renderLooped(name, kFullVolumes, 3.5 * length / kMeterRate);
    const LoopJoins j = measureLoopJoins(out, length);
    std::printf("| %-13s | %6.3f | %19.1f dB | %19.1f dB | %22.2f |\n", name, length / kMeterRate,
                j.deepestAtJoin, j.deepestElsewhere, j.stepRatio);
  }
}

void printSliderTable() {
  const int32_t positions[] = {99, 90, 80, 70, 60, 50, 40, 30, 20, 10, 5, 1, 0};
  std::printf("\n### The effects slider: \"selectaim.ogg\" (loudest 100 ms) against position 99\n\n");
  std::printf("| position |");
  for (const int32_t p : positions) std::printf(" %4d |", p);
  std::printf("\n|---------:|");
  for (size_t i = 0; i < std::size(positions); ++i) std::printf("-----:|");
  std::printf("\n| dB       |");
  const double top = loudestWindow(renderEffectAlone("selectaim.ogg", {0, 99}), 0.1);
  for (const int32_t p : positions) {
    const double level = loudestWindow(renderEffectAlone("selectaim.ogg", {0, p}), 0.1);
    if (level <= kSilentDb) {
      std::printf("  off |");
    } else {
      std::printf(" %4.0f |", level - top);
    }
  }
  std::printf("\n");
}

void printDropTables(const CheckOptions& options) {
  printDropTable("the default volumes", kDefaultVolumes, options);
  printDropTable("full volume", kFullVolumes, options);
}
