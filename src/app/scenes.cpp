// The scene framework: the switch at the end of a frame, and what the map and game
// scenes do with each window message and frame.
#include "app/app.h"
#include "app/scene.h"
#include "audio/audio.h"
#include "effects/effects.h"
#include "game/board.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "input/input.h"
#include "map/map.h"
#include "persistence/settings.h"
#include "platform/device.h"
#include "render/render.h"
#include "render/text.h"
#include "scenery/scenery.h"
#include "ui/menu.h"
#include "ui/options.h"

LoadingScene loadingScene;
MapScene mapScene;
GameScene gameScene;
SceneSwitch sceneSwitch = {};

void requestScene(Scene* scene) {
  sceneSwitch.nextScene = scene;
  sceneSwitch.sceneSwitchPending = 1;
}

void applyPendingScene() {
  if (sceneSwitch.sceneSwitchPending) {
    sceneSwitch.currentScene->onLeave();
    sceneSwitch.nextScene->onEnter();
    sceneSwitch.currentScene = sceneSwitch.nextScene;
    sceneSwitch.sceneSwitchPending = 0;
  }
  app.totalTime += app.frameDelta;
}

void setCurrentSceneDirectly(Scene* scene) {
  sceneSwitch.currentScene = scene;
  sceneSwitch.nextScene = nullptr;
  sceneSwitch.sceneSwitchPending = 0;
}

bool boardGameSceneCurrent() {
  const Scene* scene = currentScene();
  return scene && scene->playsBoardGame();
}

void handleTypedLetter(Scene* scene) {
  if (pushTypedLetter(scene->pendingKey)) scene->onTypedLetter();
  // A new background is loaded between frames, never in the middle of drawing.
  if (backgroundChangePending()) startBackgroundCrossfade();
  scene->pendingKey = 0;
}

void Scene::afterFrame() { handleTypedLetter(this); }

// ---------------------------------------------------------------------------
// Map scene: the menus over a backdrop. Keys reach the menus one frame late, from
// afterFrame.

namespace {

// Backdrop 0 (the title) and 4 (the credits) are the title scenery; the adventure
// map (1) and the survival chart (2) are the map module's.
void drawMenuBackdrop(int32_t backdrop) {
  switch (backdrop) {
    case kBackdropMap: drawAdventureMap(); return;
    case kBackdropSurvivalChart: drawSurvivalChart(menu.survivalStartLevel); return;
    default: drawScenery(); return;
  }
}

}  // namespace

void MapScene::onEnter() {
  clearParticles();
  setTintNow(2);
  setBackgroundForLevel(-1);  // the landscape shown outside levels
  stopAllSounds();
}

void MapScene::onLeave() {
  clearParticles();
  showMapPicture(false);
}

void MapScene::afterFrame() {
  menuKey(pendingKey);
  // A level chosen on the map loads its landscape below: the map's picture goes
  // first, so the two are never held together.
  if (sceneSwitch.sceneSwitchPending && sceneSwitch.nextScene != this) showMapPicture(false);
  handleTypedLetter(this);
}

void MapScene::onFrame() {
  const float dt = app.frameDelta;
  showSaveProblemWhenDue();
  updateScenery(dt, app.totalTime);
  menuUpdate(dt);
  updateMapClock(dt);
  if (menu.backdrop == kBackdropSurvivalChart) updateSurvivalChart(menu.survivalStartLevel, dt);
  updateParticles(dt);
  updateCustomCursor(dt);
  // Drawing needs the device (scene tests run the updates alone).
  if (devExists()) {
    showMapPicture(menu.backdrop == kBackdropMap || menu.backdrop == kBackdropSurvivalChart);
    clearTarget(kBlack);
    begin2D();
    drawMenuBackdrop(menu.backdrop);
    menuDraw();
    drawParticles();
    drawMenuBalloon();
    drawCustomCursor();
  }
  updateSound(dt);
}

void MapScene::onKeyDown(int32_t key) { pendingKey = key; }

void MapScene::onLeftDown() { menuClick(); }

void MapScene::onLeftDoubleClick() { menuDoubleClick(); }

void MapScene::onLeftUp() { menuButtonUp(); }

void MapScene::onMouseMove() { menuMouseMove(); }

// Closing the stages again also forgets the level marked on the map.
void MapScene::onTypedLetter() {
  if (checkMapWords() == MapWord::CloseStages) settings.selectedMapLevel = 0;
  checkDebugOverlayWord();
}

// ---------------------------------------------------------------------------
// Game scene: the board game, with menu panels over it while one is open.

void GameScene::afterFrame() { handleTypedLetter(this); }

void GameScene::onFrame() {
  // Before the board's update, so a box that opens freezes the board this frame.
  showSaveProblemWhenDue();
  float x, y;
  cursorToOverlay(input.mouseX, input.mouseY, &x, &y);
  gameSceneUpdate(app.frameDelta, app.totalTime, {x, y});
  gameSceneDraw();
  // An in-game screen over the board: the menus take their update and drawing.
  if (gameMenuOpen()) {
    menuUpdate(app.frameDelta);
    if (devExists()) menuDraw();
  }
  gameSceneDrawParticles();
  if (gameMenuOpen() && devExists()) drawMenuBalloon();
  updateCustomCursor(app.frameDelta);
  if (devExists()) drawCustomCursor();
}

// While a screen is open over the board, keys and clicks are the menus'.
void GameScene::onKeyDown(int32_t key) {
  if (gameMenuOpen()) {
    menuKey(key);
  } else {
    gameKeyDown(key);
  }
  pendingKey = key;
}

void GameScene::onLeftDown() {
  if (gameMenuOpen()) {
    menuClick();
    return;
  }
  float x, y;
  cursorToOverlay(input.mouseX, input.mouseY, &x, &y);
  gameLeftDown(x, y);
}

void GameScene::onLeftDoubleClick() {
  if (gameMenuOpen()) return;
  float x, y;
  cursorToOverlay(input.mouseX, input.mouseY, &x, &y);
  gameLeftDoubleClick(x, y);
}

void GameScene::onLeftUp() { menuButtonUp(); }

void GameScene::onRightDown() { gameRightDown(); }

void GameScene::onRightUp() {}

void GameScene::onMiddleDown() { gameMiddleDown(); }

void GameScene::onMouseMove() { menuMouseMove(); }

void GameScene::onTypedLetter() {
  checkGameWords();
  checkDebugOverlayWord();
}
