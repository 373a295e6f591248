// The runner's script commands: input as the window system would send it, frames,
// and dumps of the program's state.
#include <strings.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <chrono>
#include <vector>

#include "app/app.h"
#include "json.h"
#include "platform/device.h"
#include "platform/picture.h"
#include "platform/platform.h"
#include "runner.h"

namespace {

void push(SysEventType type, int32_t key = 0, int32_t x = 0, int32_t y = 0) {
  sysPushEvent({type, key, x, y});
}

// ---------------------------------------------------------------------------
// Keys

struct NamedKey {
  const char* name;
  int32_t code;
};
const NamedKey kKeyNames[] = {
    {"ENTER", VK_RETURN}, {"ESCAPE", VK_ESCAPE}, {"SPACE", VK_SPACE}, {"BACK", VK_BACK},
    {"DELETE", VK_DELETE}, {"HOME", VK_HOME},   {"END", VK_END},     {"LEFT", VK_LEFT},
    {"RIGHT", VK_RIGHT},   {"UP", VK_UP},       {"DOWN", VK_DOWN},   {"TAB", VK_TAB},
    {"F1", VK_F1},         {"PAGEUP", VK_PRIOR}, {"PAGEDOWN", VK_NEXT},
};

// A key name (in any case), a letter, a digit or a number. Returns 0 when it is
// none of these.
int32_t keyCode(const std::string& text) {
  for (const NamedKey& key : kKeyNames) {
    if (strcasecmp(text.c_str(), key.name) == 0) return key.code;
  }
  if (text.size() == 1 && std::isalpha(static_cast<unsigned char>(text[0]))) {
    return std::toupper(static_cast<unsigned char>(text[0]));
  }
  if (text.size() == 1 && std::isdigit(static_cast<unsigned char>(text[0]))) return text[0];
  long number = 0;
  if (parseInteger(text, &number) && number > 0 && number < 256) return int32_t(number);
  return 0;
}

// The key a typed character comes from; 0 for characters no key gives.
int32_t keyForCharacter(char c) {
  if (std::isalpha(static_cast<unsigned char>(c))) return std::toupper(static_cast<unsigned char>(c));
  if (std::isdigit(static_cast<unsigned char>(c)) || c == ' ') return c;
  return 0;
}

bool checkKey(const Args& args, std::string* error) {
  if (keyCode(args[0]) != 0) return true;
  *error = "unknown key " + args[0];
  return false;
}

bool runKey(const Args& args, std::string*) {
  push(SysEventType::KeyDown, keyCode(args[0]));
  push(SysEventType::KeyUp, keyCode(args[0]));
  return true;
}

bool checkType(const Args& args, std::string* error) {
  for (const char c : args[0]) {
    if (keyForCharacter(c) == 0) {
      *error = std::string("no key types '") + c + "'";
      return false;
    }
  }
  return true;
}

// One key per frame, as a person types: scenes reading one key a frame see all.
bool runType(const Args& args, std::string*) {
  for (const char c : args[0]) {
    push(SysEventType::KeyDown, keyForCharacter(c));
    push(SysEventType::KeyUp, keyForCharacter(c));
    runFrames(1);
  }
  return true;
}

// ---------------------------------------------------------------------------
// Mouse

bool checkPoint(const Args& args, std::string* error) {
  double x, y;
  if (parseNumber(args[0], &x) && parseNumber(args[1], &y)) return true;
  *error = "expected two numbers, X and Y in overlay units";
  return false;
}

void moveTo(const Args& args, int32_t* px, int32_t* py) {
  overlayToClient(float(std::atof(args[0].c_str())), float(std::atof(args[1].c_str())), px, py);
  push(SysEventType::MouseMove, 0, *px, *py);
}

bool runMove(const Args& args, std::string*) {
  int32_t x, y;
  moveTo(args, &x, &y);
  return true;
}

bool runClick(const Args& args, std::string*) {
  int32_t x, y;
  moveTo(args, &x, &y);
  push(SysEventType::LeftDown, 0, x, y);
  push(SysEventType::LeftUp, 0, x, y);
  return true;
}

// A double click arrives as down, up, double-click, up.
bool runDoubleClick(const Args& args, std::string*) {
  int32_t x, y;
  moveTo(args, &x, &y);
  push(SysEventType::LeftDown, 0, x, y);
  push(SysEventType::LeftUp, 0, x, y);
  push(SysEventType::LeftDoubleClick, 0, x, y);
  push(SysEventType::LeftUp, 0, x, y);
  return true;
}

bool runRightClick(const Args& args, std::string*) {
  int32_t x, y;
  moveTo(args, &x, &y);
  push(SysEventType::RightDown, 0, x, y);
  push(SysEventType::RightUp, 0, x, y);
  return true;
}

bool runMiddleClick(const Args& args, std::string*) {
  int32_t x, y;
  moveTo(args, &x, &y);
  push(SysEventType::MiddleDown, 0, x, y);
  return true;
}

bool checkCell(const Args& args, std::string* error) {
  long column, row;
  if (parseInteger(args[0], &column) && parseInteger(args[1], &row)) return true;
  *error = "expected a board column and row";
  return false;
}

// A click on the centre of board cell (column, row): (40 column - 560, 480 - 40 row).
bool runCell(const Args& args, std::string* error) {
  const long column = std::atol(args[0].c_str());
  const long row = std::atol(args[1].c_str());
  const Args point = {std::to_string(40 * column - 560), std::to_string(480 - 40 * row)};
  return runClick(point, error);
}

// ---------------------------------------------------------------------------
// Frames, focus, close, dump

bool checkCount(const Args& args, std::string* error) {
  long n;
  if (parseInteger(args[0], &n) && n >= 0) return true;
  *error = "expected a frame count";
  return false;
}

bool runFramesCommand(const Args& args, std::string*) {
  runFrames(std::atoi(args[0].c_str()));
  return true;
}

bool checkFocus(const Args& args, std::string* error) {
  if (args[0] == "in" || args[0] == "out") return true;
  *error = "expected focus in or focus out";
  return false;
}

bool runFocus(const Args& args, std::string*) {
  push(args[0] == "in" ? SysEventType::Activate : SysEventType::Deactivate);
  return true;
}

// Real time passes while the game's clock stands still: a real sound device keeps
// playing meanwhile.
bool runSleep(const Args& args, std::string*) {
  std::this_thread::sleep_for(std::chrono::milliseconds(std::atol(args[0].c_str())));
  return true;
}

bool runClose(const Args&, std::string*) {
  push(SysEventType::Close);
  drainEvents();
  return true;
}

// Relative paths name files beside the runner's own working directory, not the
// data directory the game works in.
std::string outputPath(const std::string& path) {
  if (path == "-" || path.empty() || path[0] == '/') return path;
  return std::string(app.startDirectory) + "/" + path;
}

bool runDump(const Args& args, std::string* error) {
  const std::string text = buildDump() + "\n";
  if (args[0] == "-") {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    return true;
  }
  const std::string path = outputPath(args[0]);
  if (!sysWriteOutputFile(path.c_str(), text.data(), text.size())) {
    *error = "cannot write " + path;
    return false;
  }
  return true;
}

bool checkShot(const Args&, std::string* error) {
  if (runnerOptions.gl) return true;
  *error = "shot needs --gfx gl";
  return false;
}

// The last frame shown, as an opaque PNG.
bool runShot(const Args& args, std::string* error) {
  std::vector<uint8_t> rgba;
  int32_t width = 0, height = 0;
  if (!devPresentedFrame(&rgba, &width, &height)) {
    *error = "no frame has been shown yet";
    return false;
  }
  const std::string path = outputPath(args[0]);
  if (!picWritePng(path.c_str(), rgba.data(), width, height)) {
    *error = "cannot write " + path;
    return false;
  }
  return true;
}

// One line for benchmarks: the mark's name, the wall clock now and when the first
// loading frame was shown (microseconds), and the peak resident memory (KiB).
bool runMark(const Args& args, std::string*) {
  std::printf("mark %s %llu %llu %llu\n", args[0].c_str(),
              static_cast<unsigned long long>(sysWallMicroseconds()),
              static_cast<unsigned long long>(app.firstLoadingFrameUs),
              static_cast<unsigned long long>(sysPeakResidentKiB()));
  std::fflush(stdout);
  return true;
}

const ScriptCommand kCommands[] = {
    {"frames", 1, 1, checkCount, runFramesCommand},
    {"key", 1, 1, checkKey, runKey},
    {"type", 1, -1, checkType, runType},
    {"move", 2, 2, checkPoint, runMove},
    {"click", 2, 2, checkPoint, runClick},
    {"dblclick", 2, 2, checkPoint, runDoubleClick},
    {"rclick", 2, 2, checkPoint, runRightClick},
    {"mclick", 2, 2, checkPoint, runMiddleClick},
    {"cell", 2, 2, checkCell, runCell},
    {"play", 2, 3, checkPlay, runPlay},
    {"choose", 1, -1, nullptr, runChoose},
    {"focus", 1, 1, checkFocus, runFocus},
    {"sleep", 1, 1, checkCount, runSleep},
    {"close", 0, 0, nullptr, runClose},
    {"dump", 1, 1, nullptr, runDump},
    {"shot", 1, 1, checkShot, runShot},
    {"mark", 1, 1, nullptr, runMark},
    {"soak", 1, 3, checkSoak, runSoak},
    {"pad", 1, 1, checkPad, runPad},
    {"stick", 2, 2, checkStick, runStick},
};

}  // namespace

const ScriptCommand* findScriptCommand(const std::string& name) {
  for (const ScriptCommand& command : kCommands) {
    if (name == command.name) return &command;
  }
  return nullptr;
}
