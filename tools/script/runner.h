// runner.h: the headless runner's parts: the script commands and the dump sections.
// The runner plays the message loop itself so that it can move the clock by the
// fixed frame time before every frame; events go through the game's own window
// procedure and frames through the game's own runFrame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class JsonWriter;

struct RunnerOptions {
  std::string dataDirectory;  // "" = as the game finds it
  bool hasSeed = false;
  uint32_t seed = 0;
  uint32_t deltaMs = 16;
  bool gl = false;            // --gfx gl
  bool fullScreen = false;
  std::string language;       // --lang: "" = as the game chooses
};
extern RunnerOptions runnerOptions;

using Args = std::vector<std::string>;

// One script command: its name, how many arguments it takes, a check made before
// the run starts (a bad script exits 2 without running), and the action.
struct ScriptCommand {
  const char* name;
  int minArgs;
  int maxArgs;  // -1: the rest of the line is one argument
  bool (*check)(const Args& args, std::string* error);
  // Returns false with a reason when the command cannot be carried out.
  bool (*run)(const Args& args, std::string* error);
};
// The table of every command (commands.cpp).
const ScriptCommand* findScriptCommand(const std::string& name);

// Runs loop passes until `frames` frames have run (or a quit was requested):
// one waiting event per pass, otherwise the clock moves by the frame time and a
// frame runs.
void runFrames(int frames);
// Handles every queued event without running a frame.
void drainEvents();
// Overlay units (x right, y up, centred) to client pixels.
void overlayToClient(float x, float y, int32_t* px, int32_t* py);

// The dump: one JSON object with every section (dump.cpp).
std::string buildDump();
// The board game's sections: the game state, the board and the HUD (game_dump.cpp).
void dumpGame(JsonWriter& json);
void dumpBoard(JsonWriter& json);
// The HUD as shown: the chasing score, the squares whose star is on its way, the
// progress bar's fill and the cursor's name.
void dumpHud(JsonWriter& json);
// The banner and the tip panel: each `{text, x, y, timeLeft}` or null. The banner's
// point is its centre and timeLeft the ms it stays; the tip's point is its anchor
// and timeLeft the ms before it shows (0 once shown: it stays until clicked).
void dumpBanner(JsonWriter& json);
void dumpTip(JsonWriter& json);
// The menus: the current screen, its slide and what it shows (menu_dump.cpp).
void dumpMenu(JsonWriter& json);
// The profiles and the settings record (persistence_dump.cpp).
void dumpProfiles(JsonWriter& json);
void dumpSettings(JsonWriter& json);

// The help screen's demonstration and the game window (options_dump.cpp).
void dumpHelp(JsonWriter& json);
void dumpWindow(JsonWriter& json);

// The backgrounds, crossfade, tint and colour scheme (scenery_dump.cpp).
void dumpScenery(JsonWriter& json);
// The backdrop, the level marks drawn, the selected level, the chart (map_dump.cpp).
void dumpMap(JsonWriter& json);
// `choose TEXT`: a click on the visible menu item of that text (menu_dump.cpp).
bool runChoose(const Args& args, std::string* error);

// `play`: starts a level in the game scene (game_commands.cpp).
bool checkPlay(const Args& args, std::string* error);
bool runPlay(const Args& args, std::string* error);

// `soak FRAMES [FIRST [EVERY]]`: random play with a close now and then (soak.cpp).
bool checkSoak(const Args& args, std::string* error);
bool runSoak(const Args& args, std::string* error);

// `pad BUTTON` (a press and release of a game controller's button, by SDL's name)
// and `stick X Y` (the left stick held at -1..1 each, y up): through the
// platform's translation of controller events (pad_commands.cpp).
bool checkPad(const Args& args, std::string* error);
bool runPad(const Args& args, std::string* error);
bool checkStick(const Args& args, std::string* error);
bool runStick(const Args& args, std::string* error);

// Argument helpers for the checks.
bool parseInteger(const std::string& text, long* value);
bool parseNumber(const std::string& text, double* value);
