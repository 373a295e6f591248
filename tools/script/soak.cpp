// The soak: `soak FRAMES [FIRST [EVERY]]` plays the real game for FRAMES frames
// with random but valid input drawn from the runner's seed: clicks, drags and
// double clicks on the board and on the menu items shown, the keys the game and the
// menus use, names typed into the name entry, the window's focus lost and
// regained. Now and then it closes the window (the game in progress saved, the
// player files written at the run's end) and ends the run, so that the next run
// starts from what was saved; the caller starts it with FIRST, the frames done
// before. What the player keeps is written beside the data at every close and
// checked against what the next run read. It prints the resident memory every
// 10,000 frames, and stops with a reason (and a dump beside the data) when the
// game is stuck: a slide or a moving ball that never ends, a scene and screen
// that never change, or a frame that does not come back within a minute.
#include <strings.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>

#include "app/app.h"
#include "app/scene.h"
#include "game/board.h"
#include "game/game.h"
#include "json.h"
#include "game/game_scene.h"
#include "persistence/settings.h"
#include "resources/resources.h"
#include "platform/platform.h"
#include "runner.h"
#include "ui/menu.h"

namespace {

// A close comes after this many frames on average (a quarter to seven quarters
// of it, evenly): about a quarter of an hour of play.
constexpr long kDefaultRestartFrames = 60000;
// The resident memory is printed at every multiple of this many frames, and once
// a minute of frames (3,600) into each run.
constexpr long kMemoryReportFrames = 10000;
constexpr long kFirstMinuteFrames = 3600;
// What counts as stuck, in frames: a slide takes 19 at 16 ms and a ball crosses
// the board in a few hundred.
constexpr long kStuckSlideFrames = 1000;
constexpr long kStuckMoveFrames = 5000;
constexpr long kStuckSceneFrames = 60000;
// A frame that takes longer than this in real time is a hang.
constexpr int kHangSeconds = 60;
// Menu screens tallied: the menu tree has about forty.
constexpr int32_t kMaxSoakScreens = 64;
// Where the player's keepings go at a close, and the dump at a stop: in the data
// folder.
constexpr const char* kCarryFile = "soak-carry.json";
constexpr const char* kStopFile = "soak-stop.json";

// The soak's own random numbers (splitmix64), apart from the game's.
struct SoakRandom {
  uint64_t state;
};

uint64_t nextRandom(SoakRandom& r) {
  uint64_t z = (r.state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// 0..count-1; 0 when count is 0.
int32_t pick(SoakRandom& r, int32_t count) {
  return count > 0 ? int32_t(nextRandom(r) % uint64_t(count)) : 0;
}

float pickFloat(SoakRandom& r, float low, float high) {
  return low + (high - low) * float(nextRandom(r) >> 40) / float(1ull << 24);
}

bool chance(SoakRandom& r, int32_t percent) { return pick(r, 100) < percent; }

// The run's soak: process lifetime, set by runSoak.
struct SoakState {
  SoakRandom random;
  long first;          // frames done by earlier runs
  long done;           // frames done by this run
  long budget;         // frames this run may do
  long restartAt;      // this run's frame at which the window is closed
  long sliding;        // frames the menus have been sliding in a row
  long moving;         // frames a ball has been moving in a row
  long unchanged;      // frames the scene, screen and play have stood as they are
  std::string look;    // what `unchanged` compares
  std::string stuck;   // why the soak stopped; "" while it runs
  long sceneFrames[3];  // frames this run spent in the loading, map and game scenes
  // The menu screens this run showed and for how many frames (what was reached).
  std::string screenNames[kMaxSoakScreens];
  long screenFrames[kMaxSoakScreens];
  int32_t screenCount;
  std::atomic<long> framesSeen{0};  // read by the hang watch
  std::atomic<bool> running{false};
};
SoakState soak;

long globalFrame() { return soak.first + soak.done; }

// ---------------------------------------------------------------------------
// Input as the window system sends it

void push(SysEventType type, int32_t key = 0, int32_t x = 0, int32_t y = 0) {
  sysPushEvent({type, key, x, y});
}

void pointerTo(float x, float y, int32_t* px, int32_t* py) {
  overlayToClient(x, y, px, py);
  push(SysEventType::MouseMove, 0, *px, *py);
}

void clickAt(float x, float y) {
  int32_t px, py;
  pointerTo(x, y, &px, &py);
  push(SysEventType::LeftDown, 0, px, py);
  push(SysEventType::LeftUp, 0, px, py);
}

// As the window system sends it: down, up, double click, up.
void doubleClickAt(float x, float y) {
  clickAt(x, y);
  int32_t px, py;
  overlayToClient(x, y, &px, &py);
  push(SysEventType::LeftDoubleClick, 0, px, py);
  push(SysEventType::LeftUp, 0, px, py);
}

void rightClickAt(float x, float y) {
  int32_t px, py;
  pointerTo(x, y, &px, &py);
  push(SysEventType::RightDown, 0, px, py);
  push(SysEventType::RightUp, 0, px, py);
}

void pressKey(int32_t key) {
  push(SysEventType::KeyDown, key);
  push(SysEventType::KeyUp, key);
}

// ---------------------------------------------------------------------------
// Frames and what watches them

// Counts a frame of the screen shown now (none while the board has no screen).
void tallyScreen() {
  const bool shown = currentScene() != &gameScene || gameView.menuOpen;
  const char* name = shown ? currentMenuScreen() : "";
  if (name[0] == '\0') return;
  int32_t i = 0;
  while (i < soak.screenCount && soak.screenNames[i] != name) ++i;
  if (i == soak.screenCount) {
    if (i == kMaxSoakScreens) return;
    soak.screenNames[soak.screenCount++] = name;
  }
  soak.screenFrames[i] += 1;
}

// One frame, with the events queued before it. False once a quit was requested.
bool oneFrame() {
  if (app.quitRequested || soak.done >= soak.budget) return false;
  const Scene* scene = currentScene();
  runFrames(1);
  soak.sceneFrames[scene == &loadingScene ? 0 : scene == &mapScene ? 1 : 2] += 1;
  soak.done += 1;
  tallyScreen();
  soak.framesSeen.store(globalFrame());
  return !app.quitRequested;
}

// A memory figure of this process in KiB from /proc ("VmRSS:" now, "VmHWM:" its
// peak); 0 when it cannot be read.
long statusKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field));
  }
  return 0;
}

void reportMemory() {
  std::printf("soak memory %ld %ld %ld %ld\n", globalFrame(), statusKiB("VmRSS:"),
              statusKiB("VmHWM:"), soak.done);
  std::fflush(stdout);
}

// What stands still while the game is stuck: the scene, the screen and its
// selection, and the play's moves, level and score.
std::string currentLook() {
  char text[160];
  std::snprintf(text, sizeof text, "%s|%s|%d|%d|%d|%d|%d", currentScene()->name(),
                currentMenuScreen(), menu.selection, gameState.moves, gameState.levelIndex,
                gameState.levelScore, int(menu.textEntryActive ? menu.caret : -1));
  return text;
}

// Counts the frames of each kind of standstill; sets soak.stuck at the first that
// lasts too long.
void watchForStandstill() {
  soak.sliding = menuSliding() ? soak.sliding + 1 : 0;
  const bool playing = currentScene() == &gameScene;
  soak.moving = playing && gameState.busy ? soak.moving + 1 : 0;
  const std::string look = currentLook();
  soak.unchanged = look == soak.look ? soak.unchanged + 1 : 0;
  soak.look = look;
  char why[200] = "";
  if (soak.sliding > kStuckSlideFrames) {
    std::snprintf(why, sizeof why, "the screen \"%s\" has slid for %ld frames",
                  currentMenuScreen(), soak.sliding);
  } else if (soak.moving > kStuckMoveFrames) {
    std::snprintf(why, sizeof why, "a ball has moved for %ld frames", soak.moving);
  } else if (soak.unchanged > kStuckSceneFrames) {
    std::snprintf(why, sizeof why, "nothing has changed for %ld frames (%s)", soak.unchanged,
                  look.c_str());
  }
  if (why[0] != '\0' && soak.stuck.empty()) soak.stuck = why;
}

// Frames after the input just queued; memory reports and the standstill watch
// run after each. False when the run is over (quit, budget, stuck).
bool frames(long count) {
  for (long i = 0; i < count; ++i) {
    if (!oneFrame()) return false;
    if (globalFrame() % kMemoryReportFrames == 0 || soak.done == kFirstMinuteFrames) {
      reportMemory();
    }
    watchForStandstill();
    if (!soak.stuck.empty()) return false;
  }
  return true;
}

bool someFrames(int32_t most) { return frames(1 + pick(soak.random, most)); }

// A frame that never comes back: say so and end the process, the game's state
// as it is (a hang cannot be left any other way).
void watchForHang() {
  long last = -1;
  int still = 0;
  while (soak.running.load()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const long seen = soak.framesSeen.load();
    still = seen == last ? still + 1 : 0;
    last = seen;
    if (still >= kHangSeconds * 10) {
      std::printf("soak stop %ld a frame has not returned for %d s\n", seen + 1, kHangSeconds);
      std::fflush(stdout);
      _exit(3);
    }
  }
}

// ---------------------------------------------------------------------------
// The menus: items shown, keys, names

const VisibleItem* pickItem() {
  int32_t enabled = 0;
  for (int32_t i = 0; i < menuFrame.visibleCount; ++i) enabled += menuFrame.visible[i].enabled;
  int32_t chosen = pick(soak.random, enabled);
  for (int32_t i = 0; i < menuFrame.visibleCount; ++i) {
    if (menuFrame.visible[i].enabled && chosen-- == 0) return &menuFrame.visible[i];
  }
  return nullptr;
}

// The items that end the program are chosen once in fifty times they come up,
// so that most runs end with the window's close and last long enough.
const VisibleItem* pickItemMostlyStaying() {
  const VisibleItem* item = pickItem();
  const bool leaves =
      item && (strcasecmp(item->text, "exit") == 0 || strcasecmp(item->text, "quit") == 0);
  return leaves && !chance(soak.random, 2) ? pickItem() : item;
}

// A click on an item shown (a double click on a level mark or a profile now and
// then), or a drag across it as a slider is dragged.
bool chooseItem() {
  const VisibleItem* item = pickItemMostlyStaying();
  if (!item) return someFrames(4);
  SoakRandom& r = soak.random;
  const bool doubles = item->kind == VisibleKind::Level || item->kind == VisibleKind::Profile;
  if (item->kind == VisibleKind::Slider || chance(r, 5)) {
    int32_t px, py;
    pointerTo(item->x - item->w / 2.0f, item->y, &px, &py);
    push(SysEventType::LeftDown, 0, px, py);
    if (!someFrames(3)) return false;
    pointerTo(item->x + pickFloat(r, -0.5f, 0.5f) * item->w, item->y, &px, &py);
    if (!someFrames(3)) return false;
    push(SysEventType::LeftUp, 0, px, py);
  } else if (doubles && chance(r, 30)) {
    doubleClickAt(item->x, item->y);
  } else {
    clickAt(item->x + pickFloat(r, -0.3f, 0.3f) * item->w, item->y);
  }
  return someFrames(20);
}

const int32_t kMenuKeys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_RETURN, VK_ESCAPE};

// A letter, digit or space; now and then the keys that edit a name.
int32_t nameKey() {
  SoakRandom& r = soak.random;
  const int32_t roll = pick(r, 100);
  if (roll < 70) return 'A' + pick(r, 26);
  if (roll < 78) return '0' + pick(r, 10);
  if (roll < 82) return VK_SPACE;
  const int32_t editing[] = {VK_BACK, VK_DELETE, VK_HOME, VK_END, VK_LEFT, VK_RIGHT, VK_RETURN};
  return editing[pick(r, int32_t(std::size(editing)))];
}

bool menuStep() {
  SoakRandom& r = soak.random;
  const int32_t roll = pick(r, 100);
  if (menu.textEntryActive && roll < 50) {
    pressKey(nameKey());
    return someFrames(3);
  }
  if (roll < 60) return chooseItem();
  if (roll < 80) {
    pressKey(kMenuKeys[pick(r, int32_t(std::size(kMenuKeys)))]);
    return someFrames(10);
  }
  if (roll < 90) {
    int32_t px, py;
    pointerTo(pickFloat(r, -400.0f, 400.0f), pickFloat(r, -300.0f, 300.0f), &px, &py);
    return someFrames(10);
  }
  if (roll < 95) clickAt(pickFloat(r, -400.0f, 400.0f), pickFloat(r, -300.0f, 300.0f));
  return someFrames(30);
}

// ---------------------------------------------------------------------------
// The board

// The overlay point of a cell's centre, as the `cell` command clicks it.
void cellCentre(int32_t x, int32_t y, float* ox, float* oy) {
  *ox = float(40 * x - 560);
  *oy = float(480 - 40 * y);
}

// A random playable cell that has a ball (wanted) or an empty floor (!wanted);
// any playable cell when none is found in a few tries.
void pickCell(bool wantBall, float* ox, float* oy) {
  SoakRandom& r = soak.random;
  int32_t x = 0, y = 0;
  for (int32_t tries = 0; tries < 40; ++tries) {
    x = kFirstColumn + pick(r, kLastColumn - kFirstColumn + 1);
    y = kFirstRow + pick(r, kLastRow - kFirstRow + 1);
    const Cell& cell = cellAt(x, y);
    if (hasFloor(cell) && hasBall(cell) == wantBall) break;
  }
  cellCentre(x, y, ox, oy);
}

// A ball picked up and sent to an empty cell, by two clicks or by a drag.
bool moveBall() {
  float fromX, fromY, toX, toY;
  pickCell(true, &fromX, &fromY);
  pickCell(false, &toX, &toY);
  if (chance(soak.random, 80)) {
    clickAt(fromX, fromY);
    if (!someFrames(8)) return false;
    clickAt(toX, toY);
    return someFrames(40);
  }
  int32_t px, py;
  pointerTo(fromX, fromY, &px, &py);
  push(SysEventType::LeftDown, 0, px, py);
  if (!someFrames(4)) return false;
  pointerTo((fromX + toX) / 2.0f, (fromY + toY) / 2.0f, &px, &py);
  if (!someFrames(4)) return false;
  pointerTo(toX, toY, &px, &py);
  push(SysEventType::LeftUp, 0, px, py);
  return someFrames(40);
}

// The HUD's buttons: pause, menu, the three colour schemes, the help button and
// the hammer gauge (which arms the hammer once it is charged).
void clickRect(const HudRect& rect) {
  clickAt((rect.x0 + rect.x1) / 2.0f, (rect.y0 + rect.y1) / 2.0f);
}

void clickHud() {
  SoakRandom& r = soak.random;
  switch (pick(r, 6)) {
    case 0: clickRect(kPauseButton); break;
    case 1: clickRect(kMenuButton); break;
    case 2: clickAt(kColourButtonX[pick(r, 3)], kColourButtonY); break;
    case 3: clickAt(kHelpButtonX, kHelpButtonY); break;
    default: clickRect(kHammerGauge); break;
  }
}

const int32_t kGameKeys[] = {'1',     '2',      '3',   VK_SPACE, VK_SPACE, VK_ESCAPE, VK_RETURN,
                             VK_RETURN, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN,  VK_TAB,   VK_F1,
                             VK_BACK,  VK_NEXT,  'A'};

bool boardStep() {
  SoakRandom& r = soak.random;
  const int32_t roll = pick(r, 100);
  float x, y;
  if (roll < 55) return moveBall();
  if (roll < 63) {
    pickCell(chance(r, 50), &x, &y);
    doubleClickAt(x, y);
  } else if (roll < 68) {
    pickCell(true, &x, &y);
    rightClickAt(x, y);
  } else if (roll < 75) {
    pressKey(kGameKeys[pick(r, int32_t(std::size(kGameKeys)))]);
  } else if (roll < 85) {
    clickHud();
  } else if (roll < 93) {
    int32_t px, py;
    pickCell(chance(r, 50), &x, &y);
    pointerTo(x, y, &px, &py);
  }
  return someFrames(30);
}

// ---------------------------------------------------------------------------
// The run

bool titleStep() {
  if (chance(soak.random, 20)) {
    if (chance(soak.random, 50)) {
      pressKey(VK_SPACE);
    } else {
      clickAt(0.0f, 0.0f);
    }
  }
  return someFrames(20);
}

// The window loses the focus for a moment and gets it back.
bool focusStep() {
  push(SysEventType::Deactivate);
  if (!someFrames(5)) return false;
  push(SysEventType::Activate);
  return someFrames(5);
}

bool step() {
  if (chance(soak.random, 1) && chance(soak.random, 5)) return focusStep();
  const Scene* scene = currentScene();
  if (scene == &loadingScene) return titleStep();
  if (scene == &gameScene && !gameView.menuOpen) return boardStep();
  return menuStep();
}

// What the player keeps as JSON: the profiles, and the settings record but for
// the display mode, which every run's start-up answers afresh.
std::string keepings() {
  JsonWriter json;
  json.beginObject();
  dumpProfiles(json);
  json.endObject();
  const SettingsBlob s = currentSettingsBlob();
  char tail[200];
  std::snprintf(tail, sizeof tail, "{\"musicVolume\":%d,\"effectsVolume\":%d,"
                "\"customCursor\":%d,\"currentProfile\":%d,\"profileCount\":%d,"
                "\"ballSpeed\":%g}", int(s.musicVolume), int(s.effectsVolume),
                int(s.customCursor), int(s.currentProfile), int(s.profileCount),
                double(s.ballSpeed));
  return json.text() + "\n" + tail + "\n";
}

// Beside the data (a private copy for every soak), never in the build's folders.
std::string soakFilePath(const char* name) {
  return std::string(dataLocation.dataDirectory) + name;
}

// What the last run left must be what this run read.
bool checkCarried() {
  std::ifstream in(soakFilePath(kCarryFile));
  if (soak.first == 0 || !in) return true;
  std::stringstream left;
  left << in.rdbuf();
  if (left.str() == keepings()) return true;
  soak.stuck = "what the last run kept is not what this run read:\n" + left.str() +
               "read:\n" + keepings();
  return false;
}

// The window's close (unless the menus' quit came first: that closes nothing) and
// what the player keeps, for the next run to check.
void closeWindow(bool quit) {
  if (!quit) {
    push(SysEventType::Close);
    drainEvents();
  }
  std::ofstream(soakFilePath(kCarryFile), std::ios::trunc) << keepings();
}

bool runSteps() {
  while (soak.done < soak.budget && !app.quitRequested) {
    if (soak.done >= soak.restartAt) break;
    if (!step()) break;
  }
  return soak.stuck.empty();
}

}  // namespace

bool checkSoak(const Args& args, std::string* error) {
  for (const std::string& arg : args) {
    long value = 0;
    if (!parseInteger(arg, &value) || value < 0) {
      *error = "expected soak FRAMES [FIRST [EVERY]], each a count";
      return false;
    }
  }
  return true;
}

bool runSoak(const Args& args, std::string* error) {
  soak.first = args.size() > 1 ? std::atol(args[1].c_str()) : 0;
  soak.budget = std::atol(args[0].c_str());
  const long every = args.size() > 2 ? std::atol(args[2].c_str()) : kDefaultRestartFrames;
  soak.random = {uint64_t(runnerOptions.seed) * 0x100000001B3ull + uint64_t(soak.first)};
  soak.restartAt =
      every > 0 ? every / 4 + pick(soak.random, int32_t(every * 3 / 2 + 1)) : soak.budget;
  soak.framesSeen.store(soak.first);
  soak.running.store(true);
  std::thread hangWatch(watchForHang);
  const bool clean = checkCarried() && runSteps();
  soak.running.store(false);
  hangWatch.join();
  if (!clean) {
    std::printf("soak stop %ld %s\n", globalFrame(), soak.stuck.c_str());
    std::ofstream(soakFilePath(kStopFile)) << buildDump() << "\n";
    *error = "the soak stopped at frame " + std::to_string(globalFrame());
    return false;
  }
  if (globalFrame() % kMemoryReportFrames != 0) reportMemory();
  std::printf("soak scenes loading %ld map %ld game %ld\n", soak.sceneFrames[0],
              soak.sceneFrames[1], soak.sceneFrames[2]);
  std::printf("soak screens");
  for (int32_t i = 0; i < soak.screenCount; ++i) {
    std::printf(" %s:%ld", soak.screenNames[i].c_str(), soak.screenFrames[i]);
  }
  std::printf("\n");
  if (soak.done < soak.budget) {
    const bool quit = app.quitRequested != 0;
    closeWindow(quit);
    std::printf("soak restart %ld %s\n", globalFrame(), quit ? "quit" : "close");
  } else {
    std::printf("soak end %ld\n", globalFrame());
  }
  std::fflush(stdout);
  return true;
}
