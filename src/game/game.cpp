// The board game as the game scene drives it: the level start, the per-frame
// rules (clocks, arrivals, the moving ball, the resolutions they start, pops) and
// the input rules of keys and mouse buttons.
#include "game/game.h"

#include <cmath>

#include "audio/audio.h"
#include "effects/effects.h"
#include "game/board.h"
#include "game/feedback.h"
#include "game/game_local.h"
#include "game/game_scene.h"
#include "game/level.h"
#include "game/modes.h"
#include "game/save_image.h"
#include "game/tips.h"
#include "input/input.h"
#include "persistence/profile.h"
#include "platform/platform.h"
#include "scenery/scenery.h"

namespace {

constexpr float kMenuFadeMs = 300.0f;
constexpr float kPauseFadeMs = 500.0f;
constexpr float kTileGrowthPerMs = 0.0016f;
constexpr float kArrivalSpeed = 0.85f;  // arrival timers fall slower than the clock
constexpr float kShimmerPeriod = 502.65485f;
constexpr float kHammerCheatStep = 0.2f;
constexpr int32_t kCheatPoints = 10000;
constexpr float kBounceDip = 0.92f;        // its tile dips this far at each landing
constexpr float kPassingDip = 0.8f;        // a moving ball presses the tile it crosses

bool inside(const HudRect& r, float x, float y) {
  return x >= r.x0 && x <= r.x1 && y >= r.y0 && y <= r.y1;
}

bool insideSquare(float cx, float cy, float size, float x, float y) {
  const float h = size * 0.5f;
  return x >= cx - h && x <= cx + h && y >= cy - h && y <= cy + h;
}

// ---------------------------------------------------------------------------
// Level start

void resetGameState(int32_t index) {
  const bool survival = gameState.survival;
  const int32_t difficulty = gameState.difficulty;
  gameState = {};
  gameState.levelIndex = index;
  gameState.survival = survival;
  gameState.difficulty = difficulty;
  gameState.minLineLength = 3;
  gameState.selected = kNoCell;
  gameState.lastMoved = kNoCell;
  gameState.running = true;
  hideTip();
  resetFeedback();
  clearScorePopups();
  clearScoreStars();
  clearParticles();
  resetBoardEffects();
  resetGameScene();
  gameView.shownScore = survival ? 0 : score();
}

void presentLevel(int32_t index) {
  requestMusic(index % 4);
  gameView.backgroundIndex = index < 0 ? 0 : index / 5 + 1;
  gameView.colourScheme = index % 3;
  setBackgroundForLevel(index);
  setTintNow(gameView.colourScheme);
}

// Survival plays the level's floor only: squares, chains and preset balls go.
void stripForSurvival() {
  for (auto& column : currentBoard().cells) {
    for (Cell& cell : column) {
      if (cell.squareLayers > 0) cell.squareLayers = 0;
      cell.chainLocks = 0;
      cell.ballValue = Ball::Empty;
    }
  }
}

int32_t colourCountForLevel(int32_t index) {
  if (index <= 1) return 4;
  if (index <= 5) return 5;
  if (index <= 10) return 6;
  if (index <= 20) return 7;
  return 8;
}

void showStartTips() {
  if (gameState.hammerEnabled) {
    showOneTimeTip(kHammerTipAnchor, "hammertip", kNoCell, 2000.0f, -1);
  }
  forEachPlayableCell([](int32_t x, int32_t y) {
    if (cellAt(x, y).squareLayers == 2) {
      showOneTimeTip(cellCentre(x, y), "tipbusysquare2", kNoCell, 1000.0f, -1);
    }
  });
  forEachPlayableCell([](int32_t x, int32_t y) {
    const Cell& cell = cellAt(x, y);
    if (hasBall(cell) && cell.chainLocks > 0) {
      showOneTimeTip(cellCentre(x, y), "chainitemtip", kNoCell, 1000.0f, -1);
    }
  });
}

void fillBoard(int32_t index) {
  const int32_t freeCells = gameState.freeCells;
  gameState.newBallsPerMove = freeCells / 4;
  if (index <= 1) gameState.newBallsPerMove /= 2;
  const int32_t initialFill = freeCells / 2;
  gameState.colourCount = colourCountForLevel(index);
  if (!(gameState.difficulty == Difficulty::Normal && index <= 1)) {
    for (int32_t i = 0; i < initialFill; ++i) placePreview();
    arrivePreviews();
  }
  for (int32_t i = 0; i < gameState.newBallsPerMove; ++i) placePreview();
}

// ---------------------------------------------------------------------------
// Frame

void updateFades(float dt) {
  if (gameView.menuOpen) {
    gameView.menuFade += dt;
    if (gameView.menuFade > kMenuFadeMs) gameView.menuFade = kMenuFadeMs;
  } else if (gameView.menuFade > 0.0f) {
    gameView.menuFade -= dt;
    if (gameView.menuFade < 0.0f) gameView.menuFade = 0.0f;
  }
  if (gameState.running) {
    if (gameView.pauseFade > kPauseFadeMs) gameView.pauseFade = kPauseFadeMs;
    gameView.pauseFade -= dt;
    if (gameView.pauseFade < 0.0f) gameView.pauseFade = 0.0f;
  } else {
    gameView.pauseFade += dt;
  }
}

// The board stops while nothing of it is on screen: after the level-complete
// sequence, under a fully faded-in menu, and deep into a pause.
bool boardFrozen() {
  return gameState.levelCompleteTimer < 0.0f || gameView.menuFade >= kMenuFadeMs ||
         gameView.pauseFade > kPauseFadeMs;
}

int32_t countSquareCells() {
  int32_t count = 0;
  forEachPlayableCell([&](int32_t x, int32_t y) {
    if (cellAt(x, y).squareLayers > 0) ++count;
  });
  return count;
}

void relaxTile(Cell* cell, float dt) {
  if (cell->cellScale < 1.0f) {
    cell->cellScale += kTileGrowthPerMs * dt;
    if (cell->cellScale > 1.0f) cell->cellScale = 1.0f;
  } else if (cell->cellScale > 1.0f) {
    cell->cellScale -= kTileGrowthPerMs * dt;
    if (cell->cellScale < 1.0f) cell->cellScale = 1.0f;
  }
}

// Tiles, clocks and previews of every cell; notes moving balls and growing tiles.
void updateCells(float dt, bool* anyMoving, bool* anyScaling) {
  const int32_t squares = countSquareCells();
  const float shimmerLimit = float(squares + 10) * kShimmerPeriod;
  forEachCellInDrawingOrder([&](int32_t x, int32_t y) {
    Cell& cell = cellAt(x, y);
    cell.age += dt;
    cell.shimmerClock += dt;
    if (squares > 5 && cell.shimmerClock > shimmerLimit) cell.shimmerClock = 0.0f;
    relaxTile(&cell, dt);
    if (cell.cellScale < 1.0f) *anyScaling = true;
    if (cell.nextBall >= 0 && cell.nextBallTimer > 0.0f) {
      cell.nextBallTimer -= dt;
      if (cell.nextBallTimer < 0.0f) cell.nextBallTimer = 0.0f;
    }
    if (hasBall(cell) && cell.moveTargetX != -1) *anyMoving = true;
  });
}

// Every ball's clocks, the arrivals and the moving ball. Returns true when the last
// ball (in drawing order) whose arrival ran this frame finished it.
bool updateBalls(float dt) {
  const CellPos sel = gameState.selected;
  if (isPlayable(sel.x, sel.y) && !hasBall(cellAt(sel.x, sel.y))) deselectBall();
  bool anyArriving = false;
  bool lastFinished = false;
  forEachCellInDrawingOrder([&](int32_t x, int32_t y) {
    Cell& cell = cellAt(x, y);
    if (!hasBall(cell)) return;
    throwBombSparks(x, y, cell.ballClock, cell.ballClock + dt);
    cell.ballClock += dt;
    if (cell.appearTimer > 0.0f) {
      anyArriving = true;
      cell.appearTimer -= kArrivalSpeed * dt;
      lastFinished = cell.appearTimer <= 0.0f;
      if (lastFinished) {
        cell.appearTimer = 0.0f;
        cell.nextBall = -1;
      }
    }
    if (cell.moveTargetX != -1) advanceMove(x, y, dt);
  });
  return anyArriving && lastFinished;
}

void dipTile(CellPos c, float scale) {
  if (!isPlayable(c.x, c.y)) return;
  Cell& cell = cellAt(c.x, c.y);
  if (cell.cellScale > scale) cell.cellScale = scale;
}

// The selected ball lands on its tile at each hop; a moving ball presses the tiles
// it crosses. The dips count as scaling tiles (no reachability rerun meanwhile).
void dipTiles(float dt) {
  const CellPos sel = gameState.selected;
  if (!isPlayable(sel.x, sel.y) || !hasBall(cellAt(sel.x, sel.y))) return;
  const Cell& ball = cellAt(sel.x, sel.y);
  if (ball.moveTargetX != -1) {
    const Vec2 at = cellCentre(sel.x, sel.y);
    dipTile(cellAtPoint(at.x + ball.ballOffsetX, at.y + ball.ballOffsetY), kPassingDip);
    return;
  }
  const float before = std::sin((gameState.levelClock - dt) * kBounceRate);
  const float now = std::sin(gameState.levelClock * kBounceRate);
  if ((before < 0.0f) != (now < 0.0f)) dipTile(sel, kBounceDip);
}

void updateBoard(float dt) {
  bool anyMoving = false;
  bool anyScaling = false;
  updateCells(dt, &anyMoving, &anyScaling);
  gameState.busy = anyMoving;
  if (!anyScaling && gameState.selected.x >= 0) runReachabilitySearch();
  if (!boardHasBall(currentBoard())) arrivePreviews();
  const bool arrived = updateBalls(dt);
  dipTiles(dt);
  if (arrived) resolveBoard(false);
}

// The side panel slides away during the end sequences and the pause; the
// selection goes with it.
void dropSelectionWhilePanelSlides() {
  if (gameState.defeatTimer > 0.0f || gameState.levelCompleteTimer > 0.0f ||
      gameView.pauseFade > 0.0f) {
    deselectBall();
  }
}

// The HUD's score chases the real one (the profile's, or the level's in survival).
void updateShownScore(float dt) {
  const int32_t real = gameState.survival ? gameState.levelScore : score();
  if (gameView.shownScore >= real) return;
  int32_t step = int32_t(float(real - gameView.shownScore) * 0.01f * dt);
  if (step < 1) step = 1;
  gameView.shownScore += step;
  if (gameView.shownScore > real) gameView.shownScore = real;
}

bool playClockRuns() {
  return !gameView.menuOpen && !gameView.helpCursor && gameState.running &&
         gameState.levelCompleteTimer <= 0.0f && gameState.defeatTimer <= 0.0f;
}

// ---------------------------------------------------------------------------
// Input

// After a zone was completed the game waits; any click or key returns to the map.
bool waitingAfterZone() {
  return gameState.levelCompleteTimer < 0.0f && !gameState.running && gameState.zoneCompleted;
}

// A click or key during an end sequence skips to its end.
bool skipEndSequence() {
  if (gameState.levelCompleteTimer > 0.0f) {
    gameState.levelCompleteTimer = 1.0f;
    return true;
  }
  if (gameState.defeatTimer > 0.0f) {
    gameState.defeatTimer = 1.0f;
    return true;
  }
  return false;
}

void pauseGame() {
  gameState.running = false;
  gameView.helpCursor = false;
  if (gameView.cursorMode == CursorMode::Help) gameView.cursorMode = CursorMode::Arrow;
}

void disarmHelpCursor() {
  gameView.helpCursor = false;
  gameView.cursorMode = CursorMode::Arrow;
}

// The side panel's buttons. Returns true when the click ends there.
bool clickPanel(float x, float y) {
  if (!gameView.menuOpen) {
    if (inside(kPauseButton, x, y)) {
      pauseGame();
      gameView.cursorMode = CursorMode::Arrow;
      playSound("menu.ogg");
      return true;
    }
    for (int32_t i = 0; i < 3; ++i) {
      if (!insideSquare(kColourButtonX[i], kColourButtonY, kColourButtonSize, x, y)) continue;
      gameView.colourScheme = i;
      playSound("menu.ogg");
    }
  }
  if (inside(kMenuButton, x, y)) {
    // With a screen open the click belongs to that screen.
    if (!gameView.menuOpen) gameHooks.openInGameScreen("gameplay");
    return true;
  }
  return gameView.menuOpen;
}

// The hammer's click on the board: strike a ball; leave the floor to drop it.
void clickWithHammer(CellPos c) {
  const bool inArray = c.x >= 0 && c.x < kBoardSize && c.y >= 0 && c.y < kBoardSize;
  if (!inArray || !hasFloor(cellAt(c.x, c.y))) {
    clickBoardCell(c.x, c.y);
    return;
  }
  hammerStrike(c.x, c.y);
}

void armHelpCursor() {
  gameView.helpCursor = true;
  gameView.cursorMode = CursorMode::Help;
}

// The charged hammer is taken up, or put down again. Returns false when it is not
// charged (or the level has none).
bool toggleHammer() {
  if (!gameState.hammerEnabled || gameState.hammerCharge != 1.0f) return false;
  gameView.cursorMode =
      gameView.cursorMode == CursorMode::Hammer ? CursorMode::Arrow : CursorMode::Hammer;
  deselectBall();
  return true;
}

// A press on board cell c: the hammer strikes, else the ball is picked up or sent.
void pressBoardCell(CellPos c) {
  if (gameView.cursorMode == CursorMode::Hammer) {
    clickWithHammer(c);
  } else {
    clickBoardCell(c.x, c.y);
  }
}

// A shown or pending tip takes a press; else the armed help cursor asks about the
// point pressed. Returns true when either took it.
bool pressTakenByTipOrHelp(float x, float y) {
  if (tipState.active) {
    clickTip();
    return true;
  }
  if (!gameView.helpCursor) return false;
  showHelpTip(x, y);
  disarmHelpCursor();
  return true;
}

void clickPlayArea(float x, float y) {
  if (insideSquare(kHelpButtonX, kHelpButtonY, kHelpButtonSize, x, y)) armHelpCursor();
  if (inside(kHammerGauge, x, y) && toggleHammer()) return;
  pressBoardCell(cellAtPoint(x, y));
}

// The keys' own cursor on the board. A key that brings it back into sight (after
// the mouse was used) shows it first; an arrow or Enter then does nothing more.
bool revealKeyCursor() {
  if (gameView.keyCursorShown) return false;
  gameView.keyCursor = keyCursorHome();
  gameView.keyCursorShown = true;
  return true;
}

void pressKeyCursor() {
  if (gameState.busy) return;
  const CellPos c = gameView.keyCursor;
  const Vec2 at = cellCentre(c.x, c.y);
  if (pressTakenByTipOrHelp(at.x, at.y)) return;
  pressBoardCell(c);
}

// Backspace lets go of everything in hand: the armed help or hammer and the ball.
void letGo() {
  if (gameView.helpCursor) {
    disarmHelpCursor();
  } else if (gameView.cursorMode == CursorMode::Hammer) {
    gameView.cursorMode = CursorMode::Arrow;
  }
  deselectBall();
  gameView.routeHidden = true;
}

// The board's cursor keys. Returns false for a key that is none of them.
bool cursorKey(int32_t key, bool revealed) {
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
      if (revealed) return true;
      const int32_t dx = key == VK_LEFT ? -1 : (key == VK_RIGHT ? 1 : 0);
      const int32_t dy = key == VK_UP ? -1 : (key == VK_DOWN ? 1 : 0);
      gameView.keyCursor = keyCursorStep(gameView.keyCursor, dx, dy);
      return true;
    }
    case VK_RETURN:
      if (!revealed) pressKeyCursor();
      return true;
    case VK_BACK:
    case VK_DELETE: letGo(); return true;
    case VK_TAB:
      if (toggleHammer()) gameView.helpCursor = false;
      return true;
    case VK_F1:
      if (gameView.helpCursor) {
        disarmHelpCursor();
      } else {
        armHelpCursor();
      }
      return true;
    default: return false;
  }
}

void developerKey(int32_t key) {
  switch (key) {
    case 'C':
      setLives(2);
      return;
    case 'E':
      clearBoardOfBalls();
      return;
    case 'N':
      for (auto& column : currentBoard().cells) {
        for (Cell& cell : column) {
          if (cell.squareLayers > 0) cell.squareLayers = 0;
        }
      }
      return;
    case 'X':
      placePreview();
      arrivePreviews();
      return;
    case 'Z':
      addScore(0.0f, 0.0f, kCheatPoints);
      return;
    case 'S':
      saveGameImage(kDeveloperSaveFile);
      return;
    case 'L':
      loadGameImage(kDeveloperSaveFile);
      return;
    default:
      return;
  }
}

}  // namespace

void leaveForMap() {
  if (gameState.adventureFinished) {
    gameHooks.returnToTitle("main");
  } else if (gameState.survival) {
    gameHooks.returnToTitle("survival");
  } else {
    gameHooks.returnToTitle(gameState.difficulty == Difficulty::Zen ? "zen" : "adventure");
  }
}

void startLevel(int32_t index) {
  resetGameState(index);
  presentLevel(index);
  boards.current = &boards.live;
  clearBoard(&currentBoard());
  loadLevel(index);
  if (gameState.survival) {
    gameState.colourCount = 3;
    gameState.newBallsPerMove = 2;
    gameState.jokerFrequency = 20;
    gameState.hammerEnabled = true;
  }
  gameState.squaresAtStart = countSquareLayers(currentBoard());
  gameState.pendingSquares = gameState.squaresAtStart;
  if (gameState.survival) stripForSurvival();
  gameState.freeCells = countFreeCells(currentBoard());
  for (auto& column : currentBoard().cells) {
    for (Cell& cell : column) cell.cellScale = 0.0f;
  }
  gameState.pressure = 0;
  gameState.minLineLength = 3;
  fillBoard(index);
  showStartTips();
  prepareLevelModes(index);
  checkLevelPlayable(index);
}

void gameFrameUpdate(float dt) {
  gameState.levelClock += dt;
  updateAmbientSounds(dt);
  updateSound(dt);
  updateEndSequences(dt);
  updateFades(dt);
  if (!boardFrozen()) updateBoard(dt);
  updateBallRemovals(dt);
  updateDiamondBolts(dt);
  updateShownScore(dt);
  dropSelectionWhilePanelSlides();
  updateTip(dt);
  if (playClockRuns()) gameState.elapsedMs += int32_t(dt);
}

void gameKeyDown(int32_t key) {
  if (gameView.menuOpen) return;  // the open screen takes the key
  const bool revealed = revealKeyCursor();
  if (skipEndSequence()) return;
  if (waitingAfterZone()) {
    leaveForMap();
    return;
  }
  if (key >= '1' && key <= '3') {
    gameView.colourScheme = key - '1';
    return;
  }
  if (key == VK_PRIOR || key == VK_NEXT) {
    gameView.colourScheme = (gameView.colourScheme + (key == VK_NEXT ? 1 : 2)) % 3;
    return;
  }
  if (!gameState.running) {
    gameState.running = true;
    return;
  }
  if (key == VK_ESCAPE) {
    gameHooks.openInGameScreen("gameplay");
  } else if (key == VK_SPACE) {
    pauseGame();
  } else if (!cursorKey(key, revealed) && input.developerKeysEnabled) {
    developerKey(key);
  }
}

void gameLeftDown(float x, float y) {
  if (skipEndSequence()) return;
  if (waitingAfterZone()) {
    leaveForMap();
    return;
  }
  if (gameState.busy) return;
  if (!gameState.running) {
    gameState.running = true;
    return;
  }
  if (clickPanel(x, y)) return;
  if (pressTakenByTipOrHelp(x, y)) return;
  clickPlayArea(x, y);
}

void gameLeftDoubleClick(float x, float y) {
  if (gameView.menuOpen) return;
  const CellPos c = cellAtPoint(x, y);
  doubleClickBoardCell(c.x, c.y);
}

void gameWindowDeactivated() { deselectBall(); }

void gameRightDown() {
  if (gameView.menuOpen || gameState.levelCompleteTimer > 0.0f) return;
  if (!gameState.running) {
    gameState.running = true;
    return;
  }
  deselectBall();
  gameView.routeHidden = true;
}

void gameMiddleDown() {
  if (!input.developerKeysEnabled) return;
  gameState.hammerCharge += kHammerCheatStep;
  if (gameState.hammerCharge > 1.0f) gameState.hammerCharge = 1.0f;
}
