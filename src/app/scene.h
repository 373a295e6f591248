// scene.h: the three full-screen modes of the program and the switch between them.
//
// Exactly one scene is current; it receives every input message and is updated
// and drawn once per frame. A requested switch takes effect at the end of the
// frame: the old scene's onLeave and the new scene's onEnter run back to back.
#pragma once

#include <cstdint>

struct TextureEntry;

class Scene {
 public:
  virtual ~Scene() = default;
  virtual void onEnter() {}
  virtual void onLeave() {}
  // After present and timing: typed letters and a pending background change,
  // then pendingKey = 0.
  virtual void afterFrame();
  virtual void onFrame() {}
  virtual void onKeyDown(int32_t key) { (void)key; }
  virtual void onLeftDown() {}
  virtual void onLeftDoubleClick() {}
  virtual void onLeftUp() {}
  virtual void onRightDown() {}
  virtual void onRightUp() {}
  virtual void onMiddleDown() {}
  virtual void onMouseMove() {}
  // After a letter was typed in this scene: the hidden words it listens for.
  virtual void onTypedLetter() {}
  // True for the scene the board game is played in (points count only there).
  virtual bool playsBoardGame() const { return false; }
  // A name for tools and dumps: "loading", "map" or "game".
  virtual const char* name() const = 0;

  int32_t pendingKey = 0;  // the last key given to onKeyDown, consumed by afterFrame
};

// Start-up progress, then the title picture until a key or click fades it out.
class LoadingScene : public Scene {
 public:
  void onLeave() override;
  void afterFrame() override;
  void onFrame() override;
  void onKeyDown(int32_t key) override;
  void onLeftDown() override;
  const char* name() const override { return "loading"; }
};

// The title menus over the adventure map or another backdrop.
class MapScene : public Scene {
 public:
  void onEnter() override;
  void onLeave() override;
  void afterFrame() override;
  void onFrame() override;
  void onKeyDown(int32_t key) override;
  void onLeftDown() override;
  void onLeftDoubleClick() override;
  void onLeftUp() override;
  void onMouseMove() override;
  void onTypedLetter() override;
  const char* name() const override { return "map"; }
};

// The board, its effects and HUD, and the in-game menu panels.
class GameScene : public Scene {
 public:
  void afterFrame() override;
  void onFrame() override;
  void onKeyDown(int32_t key) override;
  void onLeftDown() override;
  void onLeftDoubleClick() override;
  void onLeftUp() override;
  void onRightDown() override;
  void onRightUp() override;
  void onMiddleDown() override;
  void onMouseMove() override;
  void onTypedLetter() override;
  bool playsBoardGame() const override { return true; }
  const char* name() const override { return "game"; }
};

// The scene objects exist for the whole run.
extern LoadingScene loadingScene;
extern MapScene mapScene;
extern GameScene gameScene;

// The scene switch: process lifetime.
struct SceneSwitch {
  Scene* currentScene;        // null only before the start-up sequence sets it
  Scene* nextScene;           // the requested scene
  uint8_t sceneSwitchPending;
};
extern SceneSwitch sceneSwitch;

inline Scene* currentScene() { return sceneSwitch.currentScene; }
// True while the current scene plays the board game.
bool boardGameSceneCurrent();
// Makes `scene` current at the end of this frame; a second request replaces the first.
void requestScene(Scene* scene);
// The last step of a frame: leave the old scene and enter the new one if a switch
// is pending, then advance totalTime by frameDelta.
void applyPendingScene();
// Sets the current scene directly, without onEnter (the end of start-up).
void setCurrentSceneDirectly(Scene* scene);
// The base afterFrame of a scene: takes the scene's pendingKey as a typed letter,
// lets the scene check its hidden words, starts a pending background crossfade,
// and clears pendingKey.
void handleTypedLetter(Scene* scene);

// Loading-scene state: the title's timing. Process lifetime.
struct LoadingState {
  uint32_t loadedBytes;     // bytes reported to the progress hook so far
  uint32_t progressFrames;  // progress frames drawn (at most one per kLoadingFrameIntervalUs)
  uint32_t progressSteps;   // reports to the progress hook so far
  uint32_t shownBytes;      // loadedBytes as the last loading frame showed it
  uint64_t lastFrameUs;     // wall clock when the last loading frame was shown
  uint8_t startupDone;      // set on the loading scene's first own frame
  float titleTime;          // ms since the loading scene's first own frame
  float fadeTime;           // 0 until a key starts the fade, then grows to 800
  uint32_t loadingTint;     // 0xAARRGGBB multiplying the loading picture
  TextureEntry* loadScreenTexture;  // "loadscreen.jpg", 800 x 600 in 1024 x 1024
  TextureEntry* loadBarTexture;     // "loadbar.jpg", 310 x 48 in 512 x 64
};
extern LoadingState loadingState;

// The bytes the start-up is expected to report: the progress bar's full width.
constexpr uint32_t expectedLoadBytes = 10141957;
// Milliseconds the title takes to fade to black.
constexpr float kTitleFadeMs = 800.0f;

// The title's timing as a fresh start leaves it; every scene's pendingKey cleared.
void resetLoadingScene();

// Loading frames are shown at most once in this many microseconds: a software GL
// driver spends milliseconds on each, and faster progress is not seen anyway.
constexpr uint64_t kLoadingFrameIntervalUs = 16000;

// The loading progress step: counts the bytes, after showing the bar as it stood
// when its width has changed and a loading frame is due (sysWallMicroseconds).
void reportLoadProgress(uint32_t bytes);
// The same at a given wall clock time in microseconds (tests pace it by hand).
void reportLoadProgressAt(uint32_t bytes, uint64_t nowUs);
// Draws and shows one loading frame now; the progress frames are paced from it.
void showLoadingFrame(uint64_t nowUs);
// Opaque white tint, culling off, and the loading picture and bar (both must exist).
void loadLoadingScreen();
// The loading picture and the progress bar over it.
void drawLoadingScreen();
