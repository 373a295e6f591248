// The scene framework: the switch at the end of a frame, and what the map and game
// scenes do with each window message and frame.
#include "app/app.h"
#include "app/scene.h"
#include "audio/audio.h"
#include "effects/effects.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "input/input.h"
#include "persistence/settings.h"
#include "render/text.h"
#include "scenery/scenery.h"

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
  if (backgroundChangePending()) StartBackgroundCrossfade();
  scene->pendingKey = 0;
}

void Scene::afterFrame() { handleTypedLetter(this); }

// ---------------------------------------------------------------------------
// Map scene: the menus over the map. Keys reach the menus one frame late, from
// afterFrame.

void MapScene::onEnter() {
  app.tickSuspended = 1;
  ClearParticles();
  SetTintNow(2);
  SetBackgroundForLevel(-1);  // the landscape shown outside levels
  stopAllSounds();
}

void MapScene::onLeave() {
  app.tickSuspended = 0;
  ClearParticles();
}

void MapScene::afterFrame() { handleTypedLetter(this); }

void MapScene::onFrame() {
  UpdateScenery(app.frameDelta, app.totalTime);
  updateSound(app.frameDelta);
}

void MapScene::onKeyDown(int32_t key) { pendingKey = key; }

void MapScene::onLeftDown() {}

void MapScene::onLeftDoubleClick() {}

void MapScene::onLeftUp() {}

void MapScene::onMouseMove() {}

// Closing the stages again also forgets the level marked on the map.
void MapScene::onTypedLetter() {
  if (checkMapWords() == MapWord::CloseStages) settings.selectedMapLevel = 0;
  checkDebugOverlayWord();
}

// ---------------------------------------------------------------------------
// Game scene: the board game, with menu panels over it while one is open.

void GameScene::afterFrame() { handleTypedLetter(this); }

void GameScene::onFrame() {
  float x, y;
  CursorToOverlay(input.mouseX, input.mouseY, &x, &y);
  gameSceneUpdate(app.frameDelta, app.totalTime, {x, y});
  gameSceneDraw();
  // The in-game menus' update and drawing go here, while gameState.menuOpen.
  gameSceneDrawParticles();
  // The drawn cursor goes here, while the settings ask for it.
}

void GameScene::onKeyDown(int32_t key) {
  gameKeyDown(key);
  pendingKey = key;
}

void GameScene::onLeftDown() {
  float x, y;
  CursorToOverlay(input.mouseX, input.mouseY, &x, &y);
  gameLeftDown(x, y);
}

void GameScene::onLeftDoubleClick() {
  float x, y;
  CursorToOverlay(input.mouseX, input.mouseY, &x, &y);
  gameLeftDoubleClick(x, y);
}

void GameScene::onLeftUp() {}

void GameScene::onRightDown() { gameRightDown(); }

void GameScene::onRightUp() {}

void GameScene::onMiddleDown() { gameMiddleDown(); }

void GameScene::onMouseMove() {}

void GameScene::onTypedLetter() {
  checkGameWords();
  checkDebugOverlayWord();
}
