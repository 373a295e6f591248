// orbel-script: the game's real loop driven by a script, headless by default.
//   orbel-script [--data DIR] [--seed N] [--delta MS] [--gfx null|gl]
//                [--fullscreen yes|no] [--lang CODE] SCRIPT|-
// Exit status: 0 when the script ran to its end, 1 when the program stopped,
// 2 for a bad script or bad options.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/app.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "runner.h"

RunnerOptions runnerOptions;

namespace {

struct ScriptLine {
  int number;
  const ScriptCommand* command;
  Args args;
};

int usage(const char* why) {
  std::fprintf(stderr,
               "orbel-script: %s\nusage: orbel-script [--data DIR] [--seed N] [--delta MS] "
               "[--gfx null|gl] [--fullscreen yes|no] [--lang CODE] SCRIPT|-\n",
               why);
  return 2;
}

bool parseOptions(int argc, char** argv, std::string* scriptPath, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    long number = 0;
    if (arg == "--data" && hasValue) {
      runnerOptions.dataDirectory = argv[++i];
    } else if (arg == "--seed" && hasValue && parseInteger(argv[i + 1], &number) && number >= 0) {
      runnerOptions.hasSeed = true;
      runnerOptions.seed = uint32_t(number);
      ++i;
    } else if (arg == "--delta" && hasValue && parseInteger(argv[i + 1], &number) &&
               number >= 0 && number <= 100000) {
      runnerOptions.deltaMs = uint32_t(number);
      ++i;
    } else if (arg == "--gfx" && hasValue &&
               (std::strcmp(argv[i + 1], "null") == 0 || std::strcmp(argv[i + 1], "gl") == 0)) {
      runnerOptions.gl = std::strcmp(argv[++i], "gl") == 0;
    } else if (arg == "--fullscreen" && hasValue &&
               (std::strcmp(argv[i + 1], "yes") == 0 || std::strcmp(argv[i + 1], "no") == 0)) {
      runnerOptions.fullScreen = std::strcmp(argv[++i], "yes") == 0;
    } else if (arg == "--lang" && hasValue && argv[i + 1][0]) {
      runnerOptions.language = argv[++i];
    } else if (scriptPath->empty() && (arg == "-" || arg[0] != '-')) {
      *scriptPath = arg;
    } else {
      *error = "bad option " + arg;
      return false;
    }
  }
  if (scriptPath->empty()) *error = "no script given";
  return !scriptPath->empty();
}

// Splits a line into the command word and its arguments; a command whose maxArgs
// is -1 takes the rest of the line (after one space) as its single argument.
bool parseLine(const std::string& raw, int number, ScriptLine* line, std::string* error) {
  std::istringstream in(raw);
  std::string word;
  in >> word;
  line->number = number;
  line->command = findScriptCommand(word);
  if (!line->command) {
    *error = "unknown command \"" + word + "\"";
    return false;
  }
  if (line->command->maxArgs < 0) {
    const size_t start = raw.find(word) + word.size();
    const std::string rest = start < raw.size() ? raw.substr(start + 1) : std::string();
    if (!rest.empty()) line->args.push_back(rest);
  } else {
    std::string arg;
    while (in >> arg) line->args.push_back(arg);
  }
  const int count = int(line->args.size());
  const int maxArgs = line->command->maxArgs < 0 ? 1 : line->command->maxArgs;
  if (count < line->command->minArgs || count > maxArgs) {
    *error = std::string("wrong number of arguments for ") + line->command->name;
    return false;
  }
  return !line->command->check || line->command->check(line->args, error);
}

bool readScript(const std::string& path, std::vector<ScriptLine>* lines) {
  std::ifstream file;
  std::istream* in = &std::cin;
  if (path != "-") {
    file.open(path);
    if (!file) {
      std::fprintf(stderr, "orbel-script: cannot read %s\n", path.c_str());
      return false;
    }
    in = &file;
  }
  std::string raw;
  for (int number = 1; std::getline(*in, raw); ++number) {
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    const size_t first = raw.find_first_not_of(" \t");
    if (first == std::string::npos || raw[first] == '#') continue;
    ScriptLine line;
    std::string error;
    if (!parseLine(raw.substr(first), number, &line, &error)) {
      std::fprintf(stderr, "orbel-script: %s:%d: %s\n", path.c_str(), number, error.c_str());
      return false;
    }
    lines->push_back(line);
  }
  return true;
}

// Other message boxes print their text and answer affirmatively.
SysMsgAnswer answerMessageBox(const char* text, const char* caption, SysMsgButtons buttons) {
  std::fprintf(stderr, "%s: %s\n", caption, text);
  return buttons == SysMsgButtons::YesNo ? SysMsgAnswer::Yes : SysMsgAnswer::Ok;
}

}  // namespace

int main(int argc, char** argv) {
  std::string scriptPath, error;
  if (!parseOptions(argc, argv, &scriptPath, &error)) return usage(error.c_str());
  std::vector<ScriptLine> lines;
  if (!readScript(scriptPath, &lines)) return 2;

  // Headless unless told otherwise: no display, no sound card needed.
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  sysSetMessageBoxHandler(answerMessageBox);
  sysUseManualClock(1000);
  AppOptions options;
  options.graphics = runnerOptions.gl ? AppGraphics::GL : AppGraphics::Null;
  options.fullScreenAnswer =
      runnerOptions.fullScreen ? AppFullScreenAnswer::Yes : AppFullScreenAnswer::No;
  options.takeInstanceLock = false;
  options.framesPerSecond = 0;  // never held to the display
  options.hiddenWindow = true;
  options.dataDirectory =
      runnerOptions.dataDirectory.empty() ? nullptr : runnerOptions.dataDirectory.c_str();
  options.language = runnerOptions.language.empty() ? nullptr : runnerOptions.language.c_str();
  options.hasSeed = runnerOptions.hasSeed;
  options.seed = runnerOptions.seed;
  int exitCode = 0;
  if (!appStart(options, &exitCode)) {
    std::fprintf(stderr, "orbel-script: the program did not start\n");
    return 1;
  }
  // Screenshots are taken between frames: keep a copy of every frame shown.
  for (const ScriptLine& line : lines) {
    if (std::strcmp(line.command->name, "shot") == 0) devKeepPresentedFrame(true);
  }
  for (const ScriptLine& line : lines) {
    if (!line.command->run(line.args, &error)) {
      std::fprintf(stderr, "orbel-script: %s:%d: %s\n", scriptPath.c_str(), line.number,
                   error.c_str());
      appShutdown();
      return 2;
    }
  }
  appShutdown();
  return 0;
}
