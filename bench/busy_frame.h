// busy_frame.h: the busiest frame of play, shared by the game-frame benchmarks: the
// program started on the generated data (800 x 600 client area), a full 20 x 15
// board of balls and previews with squares, a ball moving along a corridor of
// previews with the route preview drawn, three score pop-ups, a banner, the HUD,
// and the background crossfading. Each benchmark step is one whole frame of the
// game scene (update and drawing) with a present.
//
// The program starts in an 800 x 600 window; with SDL's offscreen driver the
// drawable keeps the size it was made with, so the size is chosen at start.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "app/app.h"
#include "app/scene.h"
#include "effects/effects.h"
#include "game/board.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "input/input.h"
#include "persistence/profile.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/text.h"
#include "scenery/scenery.h"

namespace busy {

constexpr int32_t kCorridorRow = 12;
constexpr float kFrameMs = 16.0f;

// The board and game state the frame starts from; restored whenever the move ends.
struct Start {
  Board board;
  GameState state;
};
inline Start& start() {
  static Start s;
  return s;
}

// Every playable cell a ball (some chained, some items, squares under some) except
// the corridor of previews along one row, where the ball at its left end moves.
inline void fillBoard() {
  forEachPlayableCell([](int32_t x, int32_t y) {
    Cell& cell = cellAt(x, y);
    cell = {};
    cell.squareLayers = (x * 7 + y * 3) % 5 == 0 ? 1 + (x + y) % 2 : 0;
    cell.ballValue = (x * 3 + y * 5) % 8;
    if ((x + y) % 23 == 0) cell.ballValue = Ball::Joker + (x % 4);
    cell.chainLocks = (x * y) % 17 == 0 ? 1 : 0;
    cell.nextBall = -1;
    cell.pathDistance = -1;
    cell.cellScale = 1.0f;
    cell.moveTargetX = cell.moveTargetY = -1;
    cell.vanishTimer = -1.0f;
    cell.phase = float((x * 13 + y * 7) % 10) / 10.0f;
    if (y == kCorridorRow && x > kFirstColumn) {
      cell.ballValue = Ball::Empty;
      cell.nextBall = x % 8;
    }
  });
  cellAt(kFirstColumn, kCorridorRow).chainLocks = 0;
  gameState.freeCells = countFreeCells(currentBoard());
}

inline void startMoveAlongTheCorridor() {
  selectBall(kFirstColumn, kCorridorRow);
  startMove(kLastColumn, kCorridorRow);
}

// The route the pointer showed before the ball set off, drawn in every frame.
inline void showRoute() {
  gameView.routeCells = 0;
  for (int32_t x = kLastColumn; x > kFirstColumn; --x) {
    gameView.route[gameView.routeCells++] = {x, kCorridorRow};
  }
  gameView.routeBall = {kFirstColumn, kCorridorRow};
  gameView.routeAlpha = 1.0f;
}

inline void keepPopups() {
  for (int32_t i = 0; i < 3; ++i) {
    ScorePopup& p = effectLog.popups[i];
    if (p.age > 0.0f && p.age < 900.0f) continue;
    spawnScorePopup(-200.0f + 150.0f * float(i), 0.0f, 110 * (i + 1), kScorePopupColor);
  }
}

// Starts the program on the data with `graphics`, then sets up the busy board.
inline bool startBusyFrame(AppGraphics graphics) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  AppOptions options;
  options.graphics = graphics;
  options.fullScreenAnswer = AppFullScreenAnswer::No;
  options.takeInstanceLock = false;
  options.framesPerSecond = 0;  // never held to the display
  options.hiddenWindow = true;
  options.dataDirectory = ORBEL_DATA_DIR;
  options.hasSeed = true;
  options.seed = 1;
  options.windowWidth = 800;
  options.windowHeight = 600;
  int exitCode = 0;
  if (!appStart(options, &exitCode)) return false;
  if (profileTable.profileCount == 0) createProfile("BENCH");
  for (uint8_t& pending : currentProfileRecord()->helpShown) pending = 0;
  gameState.survival = false;
  startLevel(24);
  fillBoard();
  setCurrentSceneDirectly(&gameScene);
  queueNextBackground(30);
  startBackgroundCrossfade();
  startMoveAlongTheCorridor();
  start().board = currentBoard();
  start().state = gameState;
  int32_t w = 0, h = 0;
  sysGetClientSize(&w, &h);
  setPointer(w * 3 / 4, h / 2);
  return true;
}

inline void restoreWhenTheMoveEnded(benchmark::State& state) {
  if (gameState.busy || gameState.selected.x >= 0) return;
  state.PauseTiming();
  currentBoard() = start().board;
  gameState = start().state;
  startBackgroundCrossfade();
  state.ResumeTiming();
}

// One frame as the main loop runs it, at a fixed frame time.
inline void runBusyFrame() {
  app.frameDelta = kFrameMs;
  keepPopups();
  if (textState.bannerTime <= 0.0f) showBanner("Combo x 3");
  clearDepth(1.0f);
  beginScene();
  float x, y;
  cursorToOverlay(input.mouseX, input.mouseY, &x, &y);
  gameSceneUpdate(kFrameMs, app.totalTime, {x, y});
  showRoute();
  gameSceneDraw();
  gameSceneDrawParticles();
  drawDebugOverlay(app.fpsText);
  endScene();
  presentFrame();
  app.totalTime += kFrameMs;
}

inline void reportFrame(benchmark::State& state) {
  const DevFrameStats gfx = lastFrameGfx();
  state.counters["drawCalls"] = gfx.drawCalls;
  state.counters["triangles"] = gfx.triangles;
  int32_t w = 0, h = 0;
  devViewportSize(&w, &h);
  state.counters["width"] = w;
  state.counters["height"] = h;
}

// The benchmark's loop over whole frames on the device `graphics` asks for.
inline void runBusyBenchmark(benchmark::State& state, AppGraphics graphics) {
  static const bool started = startBusyFrame(graphics);
  if (!started) {
    state.SkipWithError("the program did not start on the data");
    return;
  }
  for (auto _ : state) {
    restoreWhenTheMoveEnded(state);
    runBusyFrame();
  }
  reportFrame(state);
}

}  // namespace busy
