// options.cpp: the options screen (volumes, full screen, the custom cursor, the
// ball speed, the language), how its sliders, check boxes and choice reach the
// program, the full-screen switch on "apply" and the reset of a screen's values on
// "default".
#include "ui/options.h"

#include <cmath>
#include <cstring>

#include "audio/audio.h"
#include "persistence/settings.h"
#include "render/render.h"
#include "render/text.h"
#include "resources/resources.h"
#include "ui/menu.h"
#include "ui/menu_local.h"
#include "ui/widgets.h"

OptionsState optionsState = {};

namespace {

constexpr int32_t kDefaultVolumeOnReset = 50;
constexpr float kLeft = -190.0f, kTop = 260.0f, kWidth = 380.0f, kHeight = 520.0f;
constexpr float kSliderHalf = 80.0f;
constexpr float kChoiceHalf = 90.0f;  // a language's name lies between the arrows
constexpr float kCheckX = -100.0f, kCheckLabelX = -60.0f;
constexpr float kCaptionY = 212.0f;
constexpr float kEffectsY = 174.0f, kMusicY = 116.0f, kSpeedY = -50.0f, kLanguageY = -112.0f;
constexpr float kFullScreenY = 44.0f, kCursorY = -3.0f;
constexpr float kButtonsY = -203.0f;
constexpr float kLabelToControl = 25.0f;

int16_t volumePosition(int32_t volume) {
  return int16_t(volume < 0 ? 0 : (volume > kVolumePositions - 1 ? kVolumePositions - 1 : volume));
}

int16_t currentLanguagePosition() {
  const int32_t index = findLanguage(textLanguage());
  return int16_t(index < 0 ? 0 : index);
}

void takeValues() {
  optionsState.effectsPosition = volumePosition(sound.effectsVolume);
  optionsState.musicPosition = volumePosition(sound.musicVolume);
  optionsState.speedPosition = speedToPosition(moveSettings.ballSpeed);
  optionsState.languagePosition = currentLanguagePosition();
}

// The speed changes only when its slider moved, so a stored speed between two
// positions stays as it is until the player moves it.
void giveValues() {
  const int32_t effects = optionsState.effectsPosition;
  if (effects != sound.effectsVolume) playSound("chpok1.ogg");
  sound.effectsVolume = effects;
  sound.musicVolume = optionsState.musicPosition;
  if (optionsState.speedPosition != speedToPosition(moveSettings.ballSpeed)) {
    setBallSpeed(positionToSpeed(optionsState.speedPosition));
  }
  const int32_t language = optionsState.languagePosition;
  if (language != currentLanguagePosition() && language < languageState.count) {
    switchLanguage(languageState.languages[language].code);
  }
}

void controlLabel(const char* key, float y) {
  setTextColor(255, 255, 255, 255);
  drawTextCentered(0.0f, y, 13.0f, textOf(key));
}

// The label above a slider and the slider below it.
void labelledSlider(const char* key, float y, int16_t* position, int16_t positions) {
  y += menu.slideOffset;
  controlLabel(key, y);
  const float slider = y - kLabelToControl;
  addSlider({-kSliderHalf, slider}, {kSliderHalf, slider}, position, positions);
}

// The language's label and the choice of language below it, each language by
// its name in itself.
void languageChoice(float y) {
  y += menu.slideOffset;
  controlLabel("language", y);
  const int32_t shown = optionsState.languagePosition;
  const char* name = shown >= 0 && shown < languageState.count
                         ? languageState.languages[shown].name
                         : textOf("languagename");
  const float choice = y - kLabelToControl;
  addChoice({-kChoiceHalf, choice}, {kChoiceHalf, choice}, &optionsState.languagePosition,
            int16_t(languageState.count), name, 14.0f);
}

// A check box with its label left-aligned 40 units to its right; the runner's dump
// names the box by its label.
void labelledCheckBox(const char* key, float y, uint8_t* state) {
  y += menu.slideOffset;
  const char* label = textOf(key);
  const int32_t index = addCheckBox(kCheckX, y, state, nullptr, 0.0f);
  if (index >= 0 && menuFrame.visibleCount > 0) {
    VisibleItem& shown = menuFrame.visible[menuFrame.visibleCount - 1];
    std::strncpy(shown.text, label, sizeof shown.text - 1);
    shown.text[sizeof shown.text - 1] = '\0';
  }
  setTextColor(255, 255, 255, 255);
  drawText(kCheckLabelX, y, 12.0f, label, false);
}

}  // namespace

int16_t speedToPosition(float ballSpeed) {
  if (!(ballSpeed == ballSpeed)) ballSpeed = kDefaultBallSpeed;
  const float position = std::round(kSlowestSpeedAtZero - ballSpeed);
  if (position < 0.0f) return 0;
  if (position > float(kSpeedPositions - 1)) return kSpeedPositions - 1;
  return int16_t(position);
}

float positionToSpeed(int32_t position) {
  if (position < 0) position = 0;
  if (position > kSpeedPositions - 1) position = kSpeedPositions - 1;
  return kSlowestSpeedAtZero - float(position);
}

void enterOptionsScreen() {
  optionsState.fullScreenChoice = display.fullScreen ? 1 : 0;
  optionsState.cursorShown = settings.customCursor;
  takeValues();
}

void updateOptionsScreen(float /*dt*/) {
  if (menu.opening) {
    takeValues();
  } else {
    giveValues();
  }
  if (settings.customCursor != optionsState.cursorShown) {
    optionsState.cursorShown = settings.customCursor;
    setSystemCursor(settings.customCursor != 0);
  }
  applyVolumes();
}

void drawOptionsScreen() {
  beginSquash();
  const float top = kTop + menu.slideOffset;
  drawWindow(kLeft, top, kWidth, kHeight);
  selectFont(0);
  setTextColor(255, 255, 155, 255);
  drawTextCentered(0.0f, kCaptionY + menu.slideOffset, 17.0f, menuNodeText(menu.screen));
  selectFont(1);
  labelledSlider("sfxvolume", kEffectsY, &optionsState.effectsPosition, kVolumePositions);
  labelledSlider("musicvolume", kMusicY, &optionsState.musicPosition, kVolumePositions);
  labelledCheckBox("fullscreen", kFullScreenY, &optionsState.fullScreenChoice);
  labelledCheckBox("customcursor", kCursorY, &settings.customCursor);
  labelledSlider("ballspeed", kSpeedY, &optionsState.speedPosition, kSpeedPositions);
  languageChoice(kLanguageY);
  drawFocusMarker();
  const float buttons = kButtonsY + menu.slideOffset;
  drawButton(-85.0f, buttons, 130.0f, 64.0f, 15.0f, nullptr);
  drawButton(85.0f, buttons, 130.0f, 64.0f, 15.0f, nullptr);
  endSquash();
}

void applyOptions() {
  const int32_t choice = optionsState.fullScreenChoice ? 1 : 0;
  if (choice == display.fullScreen) return;
  display.fullScreen = choice;
  display.screenWidth = choice ? 800 : 640;
  display.screenHeight = choice ? 600 : 480;
  applyDisplaySettings();
}

bool optionsCommand(const char* item) {
  if (std::strcmp(item, "apply") != 0) return false;
  applyOptions();
  goBack();
  return true;
}

// "default" on the sound screen: both volumes at 50, the screen opening again.
bool audioCommand(const char* item) {
  if (std::strcmp(item, "default") != 0) return false;
  setSoundVolumes(kDefaultVolumeOnReset, kDefaultVolumeOnReset);
  openScreen(menu.screen);
  return true;
}

// "default" on the display screen: 32-bit colour, middle gamma, no vsync and the
// second screen size, the screen opening again.
bool videoCommand(const char* item) {
  if (std::strcmp(item, "default") != 0) return false;
  display.colorDepth32 = 1;
  setGamma(0.5f);
  display.vsync = 0;
  if (renderState.resolutionCount > 1) {
    renderState.resolutionIndex = 1;
    display.screenWidth = int32_t(renderState.resolutionTable[1].width);
    display.screenHeight = int32_t(renderState.resolutionTable[1].height);
  }
  applyDisplaySettings();
  openScreen(menu.screen);
  return true;
}
