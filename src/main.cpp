// The game: one window, the message loop, and the data in "Data". The command line
// may answer the start-up question, name another data folder or the language.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/app.h"
#include "platform/platform.h"

// ORBEL_VERSION and ORBEL_APP_ID (the desktop entry's name) come from the build.

namespace {

constexpr const char* kUsage =
    "Usage: orbelquaint [OPTION]...\n"
    "A casual puzzle game: line up coloured balls to clear the board.\n"
    "\n"
    "  --window        play in a window (the start-up question is not asked)\n"
    "  --fullscreen    play in full screen (the start-up question is not asked)\n"
    "  --data DIR      read the game's data from DIR\n"
    "  --lang CODE     show the game in that language (de, es, fr, it, nl, pt_BR, en)\n"
    "  --fps N         draw at most N frames a second, not waiting for the display\n"
    "                  (0: as many as can be drawn); by default frames wait for the\n"
    "                  display and come at its refresh rate\n"
    "  --print-fps     print on standard output when the title is first shown\n"
    "                  and then the frames drawn each second\n"
    "  --help          show this help and exit\n"
    "  --version       show the version and exit\n"
    "\n"
    "Without --data the game looks for its data as Data in the current directory,\n"
    "then beside the program, then in ../share/orbelquaint/Data from it.\n"
    "Player files are kept in the data's settings folder, or when that folder\n"
    "cannot be written, in ${XDG_DATA_HOME:-~/.local/share}/orbelquaint/settings.\n"
    "The settings are kept in\n"
    "${XDG_CONFIG_HOME:-~/.config}/software/tarnwick/games/orbelquaint/settings.\n"
    "Without --lang the game speaks the language chosen in its options, else the\n"
    "first of LANGUAGE, LC_ALL, LC_MESSAGES and LANG it has texts for, else English.\n";

enum class CommandLine : uint8_t { Play, Help, Version, Bad };

// The frame rate a --fps value asks for: 0 to 1000. -1 when the value is not one.
int32_t readFrameRate(const char* text) {
  char* end = nullptr;
  const long rate = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || rate < 0 || rate > 1000) return -1;
  return int32_t(rate);
}

// Reads the options into *options. Bad (the reason printed) for an unknown option,
// a --data without a folder, a --lang without a code or a --fps without a rate.
CommandLine readCommandLine(int argc, char** argv, AppOptions* options) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--help") == 0) return CommandLine::Help;
    if (std::strcmp(arg, "--version") == 0) return CommandLine::Version;
    if (std::strcmp(arg, "--window") == 0) {
      options->fullScreenAnswer = AppFullScreenAnswer::No;
    } else if (std::strcmp(arg, "--fullscreen") == 0) {
      options->fullScreenAnswer = AppFullScreenAnswer::Yes;
    } else if (std::strcmp(arg, "--data") == 0 && i + 1 < argc && argv[i + 1][0]) {
      options->dataDirectory = argv[++i];
    } else if (std::strcmp(arg, "--data") == 0) {
      std::fprintf(stderr, "%s: --data needs a folder\n", kProgramName);
      return CommandLine::Bad;
    } else if (std::strcmp(arg, "--lang") == 0 && i + 1 < argc && argv[i + 1][0]) {
      options->language = argv[++i];
    } else if (std::strcmp(arg, "--lang") == 0) {
      std::fprintf(stderr, "%s: --lang needs a language code\n", kProgramName);
      return CommandLine::Bad;
    } else if (std::strcmp(arg, "--print-fps") == 0) {
      options->printFrameRate = true;
    } else if (std::strcmp(arg, "--fps") == 0 && i + 1 < argc && readFrameRate(argv[i + 1]) >= 0) {
      options->framesPerSecond = readFrameRate(argv[++i]);
    } else if (std::strcmp(arg, "--fps") == 0) {
      std::fprintf(stderr, "%s: --fps needs a number of frames a second, 0 to 1000\n",
                   kProgramName);
      return CommandLine::Bad;
    } else {
      std::fprintf(stderr, "%s: unknown option '%s'\n", kProgramName, arg);
      return CommandLine::Bad;
    }
  }
  return CommandLine::Play;
}

}  // namespace

int main(int argc, char** argv) {
  AppOptions options;
  switch (readCommandLine(argc, argv, &options)) {
    case CommandLine::Help: std::fputs(kUsage, stdout); return 0;
    case CommandLine::Version: std::printf("%s %s\n", kProgramName, ORBEL_VERSION); return 0;
    case CommandLine::Bad: std::fputs(kUsage, stderr); return 2;
    case CommandLine::Play: break;
  }
  sysCatchStopSignals();
  sysSetApplicationId(ORBEL_APP_ID);
  return appMain(options);
}
