// Frame time and draw calls of the menus on the OpenGL backend with the generated
// data: the title screen's window with its two lists, greeting and balloon, the
// game menu's default window, the high scores, the level result panel, the options
// with their sliders, and the help screen with its demonstration on the help board.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "bench_device.h"
#include "app/app.h"
#include "effects/effects.h"
#include "game/board.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "game/level.h"
#include "input/input.h"
#include "persistence/profile.h"
#include "persistence/records.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/text.h"
#include "resources/resources.h"
#include "ui/menu.h"

namespace {

// Full tables and a finished level with every value on its record, so the
// screens draw all they can.
void fillResults() {
  for (auto& table : recordTables.topScores) {
    for (int32_t k = 0; k < kTopScoreRows; ++k) {
      std::snprintf(table[k].name, kScoreNameSize, "%s", k == 4 ? "BENCH" : "CAPTAIN DOT");
      table[k].score = 300000 - 25000 * k;
    }
  }
  gameState.levelIndex = 12;
  gameState.levelScore = 48250;
  gameState.comboStat = 7;
  gameState.elapsedMs = 184000;
  gameState.moves = 63;
  recordTables.levels[gameState.difficulty][12] = {"LUNA SPIN", "BENCH", "BENCH", "RIKO ROUND",
                                                   48250, 9, 184000, 58};
}

bool startMenus() {
  resetApp();
  if (!openBenchDevice(DevBackend::OpenGL, 640, 480)) return false;
  std::snprintf(dataLocation.dataDirectory, sizeof dataLocation.dataDirectory, "%s/",
                ORBEL_DATA_DIR);
  if (!returnToDataDirectory() || !openPack("targa.dat") || !openPack("jpeg.dat") ||
      !openPack("texts.dat")) {
    return false;
  }
  loadTextFile("strings.txt");
  loadTextFile("tips.txt");
  loadFont("font");
  loadMenuTextures();
  loadMenuTree();
  registerMenuScreens();
  loadGameTextures();
  initBoardEffects();
  LevelSettings level = {};
  if (!loadLevelFile("help.lvl", Difficulty::Normal, &boards.help, &level)) return false;
  createProfile("BENCH");
  fillResults();
  return true;
}

void menuFrame() {
  clearDepth(1.0f);
  beginScene();
  clearTarget(kBlack);
  menuUpdate(16.0f);
  menuDraw();
  drawMenuBalloon();
  endScene();
  presentFrame();
}

void benchScreen(benchmark::State& state, const char* screen) {
  static const bool started = startMenus();
  if (!started) {
    state.SkipWithError("no device or no generated data");
    return;
  }
  resetMenus();
  openScreenByName(screen);
  setPointer(505, 84);  // over the title screen's second item: its balloon shows
  menuMouseMove();
  for (int i = 0; i < 40; ++i) menuFrame();
  for (auto _ : state) menuFrame();
  const DevFrameStats gfx = lastFrameGfx();
  state.counters["drawCalls"] = gfx.drawCalls;
  state.counters["triangles"] = gfx.triangles;
}

void BM_TitleScreenFrame(benchmark::State& state) { benchScreen(state, "main"); }
void BM_GameMenuFrame(benchmark::State& state) { benchScreen(state, "gameplay"); }
void BM_HighScoresFrame(benchmark::State& state) { benchScreen(state, "hiscore"); }
void BM_ResultPanelFrame(benchmark::State& state) { benchScreen(state, "levelcomplete"); }
void BM_OptionsFrame(benchmark::State& state) { benchScreen(state, "options"); }
void BM_HelpScreenFrame(benchmark::State& state) { benchScreen(state, "helpscreen"); }

}  // namespace

BENCHMARK(BM_TitleScreenFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GameMenuFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HighScoresFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResultPanelFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptionsFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HelpScreenFrame)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
