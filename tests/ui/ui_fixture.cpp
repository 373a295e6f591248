// The menus over the generated data, driven as the map scene drives them.
#include "ui_fixture.h"

#include <cstdio>
#include <cstring>

#include "app/app.h"
#include "app/scene.h"
#include "audio/audio.h"
#include "game/board.h"
#include "game/game.h"
#include "game/save_image.h"
#include "input/input.h"
#include "persistence/profile.h"
#include "persistence/saved_games.h"
#include "persistence/settings.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "platform/sound_output.h"
#include "render/render.h"
#include "render/text.h"
#include "resources/resources.h"
#include "test_support.h"
#include "ui/widgets.h"

namespace {

std::string g_data;

// The sounds the menus play, as short silent samples of the sound output (nothing
// is heard, but playing one starts a channel as a real effect does).
const char* const kMenuSounds[] = {"menu.ogg",   "menu2.ogg", "gaf.ogg",
                                   "chpok1.ogg", "score.ogg", "wow.ogg"};
constexpr size_t kMenuSoundCount = sizeof kMenuSounds / sizeof kMenuSounds[0];
uint32_t g_silentHandles[kMenuSoundCount];

// Once, after the sound output starts.
void makeSilentSamples() {
  const int16_t silence[64] = {};
  for (uint32_t& handle : g_silentHandles) {
    handle = soundSampleLoadPcm(silence, 64, 1, 22050, 4);
    ASSERT_NE(handle, 0u);
  }
}

void addSilentSamples() {
  sound.sampleCount = 0;
  for (size_t i = 0; i < kMenuSoundCount; ++i) {
    SoundSample& sample = sound.samples[sound.sampleCount];
    sample = {};
    sample.handle = g_silentHandles[i];
    std::snprintf(sample.fileName, sizeof sample.fileName, "%s", kMenuSounds[i]);
    ++sound.sampleCount;
  }
}

}  // namespace

void MenuTest::SetUpTestSuite() {
  if (!g_data.empty()) return;
  g_data = testPrivateDataDirectory("ui");
  resetResources();
  std::snprintf(dataLocation.dataDirectory, sizeof dataLocation.dataDirectory, "%s/",
                g_data.c_str());
  ASSERT_TRUE(returnToDataDirectory());
  ASSERT_TRUE(openPack("targa.dat"));
  ASSERT_TRUE(openPack("jpeg.dat"));
  ASSERT_TRUE(openPack("texts.dat"));
  loadLanguageList();
  loadTexts(kEnglish);
  sysCreateHeadlessWindow(640, 480);
  ASSERT_TRUE(createDevice(DevBackend::Recording));
  loadFont("font");
  loadMenuTextures();
  ASSERT_TRUE(loadMenuTree());
  initSound(SoundDevice::None);
  makeSilentSamples();
}

void MenuTest::SetUp() {
  data_ = g_data;
  testRunCommand("rm -rf '" + data_ + "/settings' && mkdir '" + data_ + "/settings'");
  returnToDataDirectory();
  resetMenus();
  resetGame();
  resetPersistence();
  resetInput();
  addSilentSamples();
  for (PlayRequest& request : sound.requests) request = {};
  setCurrentSceneDirectly(&mapScene);
}

void MenuTest::TearDown() {
  setCurrentSceneDirectly(nullptr);
  returnToDataDirectory();
}

void MenuTest::frame(float dt) {
  menuUpdate(dt);
  devResetFrame();
  menuDraw();
}

void MenuTest::settle() {
  for (int i = 0; i < 125 && menuSliding(); ++i) frame();
  frame();
}

void MenuTest::press(int32_t key) {
  menuKey(key);
  frame();
  settle();
}

void MenuTest::type(const char* text) {
  for (const char* c = text; *c; ++c) {
    menuKey(*c);
    frame();
  }
}

void MenuTest::pointAt(float x, float y) {
  int32_t width = 0, height = 0;
  sysGetClientSize(&width, &height);
  setPointer(int32_t((x + 400.0f) * float(width) / 800.0f + 0.5f),
             int32_t((300.0f - y) * float(height) / 600.0f + 0.5f));
  menuMouseMove();
}

void MenuTest::clickAt(float x, float y) {
  pointAt(x, y);
  menuClick();
  menuButtonUp();
  frame();
  settle();
}

void MenuTest::doubleClickAt(float x, float y) {
  pointAt(x, y);
  menuClick();
  menuButtonUp();
  menuDoubleClick();
  menuButtonUp();
  frame();
  settle();
}

void MenuTest::choose(const char* text) {
  const VisibleItem* item = visible(text);
  ASSERT_NE(item, nullptr) << "no visible \"" << text << "\" on " << currentMenuScreen();
  clickAt(item->x, item->y);
}

void MenuTest::open(const char* screen) {
  openScreenByName(screen);
  frame();
  settle();
}

const VisibleItem* MenuTest::visible(const char* text) const {
  for (int32_t i = 0; i < menuFrame.visibleCount; ++i) {
    if (std::strcmp(menuFrame.visible[i].text, text) == 0) return &menuFrame.visible[i];
  }
  return nullptr;
}

int32_t MenuTest::soundsQueued(const char* name) {
  uint32_t handle = 0;
  for (int32_t i = 0; i < sound.sampleCount; ++i) {
    if (std::strcmp(sound.samples[i].fileName, name) == 0) handle = sound.samples[i].handle;
  }
  int32_t count = 0;
  for (const PlayRequest& request : sound.requests) {
    count += request.state == kRequestWaiting && request.sample == handle;
  }
  return count;
}

void MenuTest::endFrame() { applyPendingScene(); }

std::vector<uint8_t> MenuTest::settingsFile(const char* name) const {
  return testReadFile(data_ + "/settings/" + name);
}

void MenuTest::keepSavedGame(int kind) {
  const SavedGameKind savedKind = SavedGameKind(kind);
  startLevel(0);
  gameState.moves = 1;
  char name[kMaxSavedGameName];
  savedGameFileName(currentProfileRecord()->name, savedKind, name, sizeof name);
  ASSERT_TRUE(enterSettingsFolder());
  ASSERT_TRUE(saveGameImage(name));
  leaveSettingsFolder();
  offerSavedGame(savedKind);
}
