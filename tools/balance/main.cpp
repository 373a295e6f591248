// orbel-balance: plays the adventure (or survival) levels with a player of fixed
// skill through the game's own rules, many seeds each, and reports how often each
// level is won, in how many moves and how long, for what score; as CSV, a picture
// of the curve, a summary of the tuning targets and the medians the default level
// records come from.
//
//   orbel-balance [--data DIR] [--levels FIRST-LAST] [--difficulty expert|normal|zen|all]
//                 [--seeds N] [--first-seed S] [--skill lookahead|greedy] [--threads N]
//                 [--survival] [--csv FILE] [--picture FILE] [--before CSV] [--records FILE]
//   orbel-balance --redraw CSV --picture FILE [--before CSV]
//
// The rules state is one per process, so the games run in worker processes that
// share a job counter and a result table; the game of a level, difficulty and seed
// is the same whichever worker plays it.
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "game/level.h"
#include "play.h"
#include "report.h"

namespace {

using namespace balance;

struct Options {
  std::string data = "Data";
  int32_t firstLevel = 0;
  int32_t lastLevel = kLevelCount - 1;
  std::vector<int32_t> difficulties = {Difficulty::Expert, Difficulty::Normal, Difficulty::Zen};
  int32_t seeds = 20;
  int32_t firstSeed = 1;
  Skill skill = Skill::LookAhead;
  int32_t threads = 0;  // 0: one per processor
  bool survival = false;
  std::string csv, picture, before, records, redraw;
};

int usage(const char* problem) {
  if (problem) std::fprintf(stderr, "orbel-balance: %s\n", problem);
  std::fprintf(stderr,
               "usage: orbel-balance [--data DIR] [--levels FIRST-LAST] "
               "[--difficulty expert|normal|zen|all] [--seeds N] [--first-seed S] "
               "[--skill lookahead|greedy] "
               "[--threads N] [--survival] [--csv FILE] [--picture FILE] [--before CSV] "
               "[--records FILE]\n"
               "       orbel-balance --redraw CSV --picture FILE [--before CSV]\n");
  return 2;
}

bool parseCount(const char* text, int32_t low, int32_t high, int32_t* out) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < low || value > high) return false;
  *out = int32_t(value);
  return true;
}

bool parseLevels(const std::string& text, Options* o) {
  const size_t dash = text.find('-');
  const std::string first = text.substr(0, dash);
  const std::string last = dash == std::string::npos ? first : text.substr(dash + 1);
  return parseCount(first.c_str(), 0, kLevelCount - 1, &o->firstLevel) &&
         parseCount(last.c_str(), o->firstLevel, kLevelCount - 1, &o->lastLevel);
}

bool parseDifficulty(const std::string& text, Options* o) {
  if (text == "all") {
    o->difficulties = {Difficulty::Expert, Difficulty::Normal, Difficulty::Zen};
    return true;
  }
  for (int32_t d = Difficulty::Expert; d <= Difficulty::Zen; ++d) {
    if (text == difficultyName(d)) {
      o->difficulties = {d};
      return true;
    }
  }
  return false;
}

// Fills *o from the command line; returns a problem, or null.
const char* parseOptions(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--survival") {
      o->survival = true;
      continue;
    }
    if (i + 1 >= argc) return "an option lacks its value";
    const std::string value = argv[++i];
    if (arg == "--data") {
      o->data = value;
    } else if (arg == "--levels") {
      if (!parseLevels(value, o)) return "--levels takes FIRST-LAST within 0-69";
    } else if (arg == "--difficulty") {
      if (!parseDifficulty(value, o)) return "--difficulty takes expert, normal, zen or all";
    } else if (arg == "--seeds") {
      if (!parseCount(value.c_str(), 1, 100000, &o->seeds)) return "--seeds takes 1..100000";
    } else if (arg == "--first-seed") {
      if (!parseCount(value.c_str(), 1, 1000000000, &o->firstSeed)) return "--first-seed takes 1..";
    } else if (arg == "--skill") {
      if (value != "lookahead" && value != "greedy") return "--skill takes lookahead or greedy";
      o->skill = value == "greedy" ? Skill::Greedy : Skill::LookAhead;
    } else if (arg == "--threads") {
      if (!parseCount(value.c_str(), 1, 256, &o->threads)) return "--threads takes 1..256";
    } else if (arg == "--csv") {
      o->csv = value;
    } else if (arg == "--picture") {
      o->picture = value;
    } else if (arg == "--before") {
      o->before = value;
    } else if (arg == "--records") {
      o->records = value;
    } else if (arg == "--redraw") {
      o->redraw = value;
    } else {
      return "unknown option";
    }
  }
  return nullptr;
}

std::vector<Game> makeGames(const Options& o) {
  std::vector<Game> games;
  // Survival keeps no preset balls, so its difficulties play alike but for the
  // first two levels' fill; expert and normal are its two tables.
  std::vector<int32_t> difficulties = o.difficulties;
  if (o.survival) std::erase(difficulties, Difficulty::Zen);
  for (int32_t level = o.firstLevel; level <= o.lastLevel; ++level) {
    for (const int32_t difficulty : difficulties) {
      for (int32_t k = 0; k < o.seeds; ++k) {
        const uint32_t seed = uint32_t(o.firstSeed) + uint32_t(k);
        games.push_back({{level, difficulty, o.survival, seed, o.skill}, {}});
      }
    }
  }
  return games;
}

// Shared between the workers: the next game to take, then every game's result.
struct alignas(8) SharedTable {
  int32_t next;
};

GameResult* resultsOf(SharedTable* table) { return reinterpret_cast<GameResult*>(table + 1); }

void work(SharedTable* table, const std::vector<Game>& games) {
  for (;;) {
    const int32_t k = __atomic_fetch_add(&table->next, 1, __ATOMIC_RELAXED);
    if (k >= int32_t(games.size())) return;
    resultsOf(table)[k] = playGame(games[size_t(k)].setup);
  }
}

// Plays every game on `workers` processes. False when a worker failed.
bool playAll(std::vector<Game>* games, int32_t workers) {
  const size_t bytes = sizeof(SharedTable) + games->size() * sizeof(GameResult);
  void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) return false;
  auto* table = static_cast<SharedTable*>(memory);
  table->next = 0;
  std::vector<pid_t> children;
  for (int32_t w = 1; w < workers; ++w) {
    const pid_t pid = fork();
    if (pid == 0) {
      work(table, *games);
      _exit(0);
    }
    if (pid > 0) children.push_back(pid);
  }
  work(table, *games);
  bool ok = true;
  for (const pid_t pid : children) {
    int status = 0;
    ok = waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0 && ok;
  }
  for (size_t k = 0; k < games->size(); ++k) (*games)[k].result = resultsOf(table)[k];
  munmap(memory, bytes);
  return ok;
}

bool writeOutputs(const Options& o, const std::vector<LevelRow>& rows) {
  std::vector<LevelRow> before;
  std::string error;
  if (!o.before.empty() && !readCsv(o.before, &before, &error)) {
    std::fprintf(stderr, "orbel-balance: %s\n", error.c_str());
    return false;
  }
  bool ok = true;
  if (!o.csv.empty() && !writeCsv(o.csv, rows)) {
    std::fprintf(stderr, "orbel-balance: cannot write %s\n", o.csv.c_str());
    ok = false;
  }
  const std::string title = o.survival ? "Survival: moves survived by start level"
                                       : "Win rate by level and difficulty";
  if (!o.picture.empty() && !drawCurve(o.picture, rows, before, title)) {
    std::fprintf(stderr, "orbel-balance: cannot draw %s\n", o.picture.c_str());
    ok = false;
  }
  if (!o.records.empty() && !writeRecordMedians(o.records, rows)) {
    std::fprintf(stderr, "orbel-balance: cannot write %s\n", o.records.c_str());
    ok = false;
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (const char* problem = parseOptions(argc, argv, &o)) return usage(problem);
  if (!o.redraw.empty()) {
    std::vector<LevelRow> rows;
    std::string error;
    if (!readCsv(o.redraw, &rows, &error)) return usage(error.c_str());
    std::printf("%s", targetSummary(rows).c_str());
    return writeOutputs(o, rows) ? 0 : 1;
  }
  // The player works in the data directory: outputs are named from here.
  for (std::string* path : {&o.csv, &o.picture, &o.before, &o.records}) {
    if (!path->empty()) *path = std::filesystem::absolute(*path).string();
  }
  std::string error;
  if (!preparePlayer(o.data, &error)) {
    std::fprintf(stderr, "orbel-balance: %s\n", error.c_str());
    return 1;
  }
  std::vector<Game> games = makeGames(o);
  const int32_t workers = o.threads > 0 ? o.threads : int32_t(sysconf(_SC_NPROCESSORS_ONLN));
  const auto start = std::chrono::steady_clock::now();
  if (!playAll(&games, workers < 1 ? 1 : workers)) {
    std::fprintf(stderr, "orbel-balance: a worker failed\n");
    return 1;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  int32_t illegal = 0;
  for (const Game& g : games) illegal += g.result.illegalMoves;
  const std::vector<LevelRow> rows = summarise(games);
  std::printf("%zu games on %d workers in %.1f s\n%s", games.size(), workers, seconds,
              targetSummary(rows).c_str());
  const SameGames same = compareGames(games, Difficulty::Expert, Difficulty::Zen);
  if (same.pairs > 0) {
    std::printf("zen games the same as expert's of that level and seed: %d of %d\n", same.same,
                same.pairs);
  }
  if (illegal > 0) std::fprintf(stderr, "orbel-balance: %d moves refused by the game\n", illegal);
  return writeOutputs(o, rows) && illegal == 0 ? 0 : 1;
}
