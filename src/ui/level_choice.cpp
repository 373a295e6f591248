// level_choice.cpp: the screens over the map's backdrops through which a game
// starts: "adventure" and "zen", where a level is picked from its mark on the map
// (with the expert box on the adventure), and "survival", where the start level is
// picked on a slider or with the arrows beside the chart. Both show their way back
// as a button beside "start".
#include <cstdio>
#include <cstring>

#include "audio/audio.h"
#include "game/board.h"
#include "game/game.h"
#include "game/modes.h"
#include "input/input.h"
#include "map/map.h"
#include "persistence/profile.h"
#include "platform/platform.h"
#include "render/text.h"
#include "resources/resources.h"
#include "ui/menu_local.h"
#include "ui/widgets.h"

namespace {

constexpr int32_t kMapMusic = 6;
constexpr float kHoverReturnMs = 300.0f;  // the focus returns to the chosen level
constexpr float kSlotHalf = 12.0f;  // a mark answers the pointer 24 x 24 units around it
constexpr float kBalloonRise = 30.0f;
constexpr float kBalloonWidth = 300.0f;
constexpr float kBoxHalf = 32.0f;
constexpr int16_t kStartLevels = int16_t(kMapLevelCount);

// What the check boxes edit and the slider's last heard value: set as the screens
// open, so nothing lasts from one visit to the next.
struct LevelChoiceState {
  uint8_t expertBox;         // "adventure": the difficulty shown in the box
  uint8_t survivalFallback;  // "survival" without a player: the box edits this
  int16_t heardStartLevel;   // the start level the last slider sound answered
};
LevelChoiceState g_choice = {};

bool pointerOver(float x, float y) {
  const Vec2 p = menu.pointer;
  return p.x >= x - kBoxHalf && p.x <= x + kBoxHalf && p.y >= y - kBoxHalf &&
         p.y <= y + kBoxHalf;
}

// The expert box with its tip while the pointer is over it, or the keys' focus.
void expertBox(float x, float y, uint8_t* state) {
  const int32_t box = addCheckBox(x, y, state, textOf("startexpert"), 15.0f);
  const bool pointing = input.lastDevice == InputDevice::Mouse;
  const bool focused = box >= 0 && menu.selection < 0 && menu.focus == box;
  if (pointing ? pointerOver(x, y) : focused) {
    showBalloon({x, y + kBalloonRise}, textOf("expertmodetip"), kBalloonWidth, nullptr, true, true);
  }
}

// The way back, when the screen lists one after "start".
void backButton(float x, float y, float size) {
  if (menuItemCount(menu.screen) > 1) drawButton(x, y, 160.0f, 64.0f, size, nullptr);
}

// One level slot around each mark, in level order: control index = level index.
void addLevelSlots() {
  for (int32_t level = 0; level < kMapLevelCount; ++level) {
    const Vec2 at = mapGeometry.marks[level].position;
    char number[12];
    std::snprintf(number, sizeof number, "%i", int(level + 1));
    addControl(ControlKind::LevelSlot, at.x - kSlotHalf, at.y + kSlotHalf, at.x + kSlotHalf,
               at.y - kSlotHalf, number);
  }
}

// The screens over the map and the chart play their music; the last game's result
// has been shown by now.
void enterMapScreen(int32_t backdrop) {
  requestMusic(kMapMusic);
  clearPendingResult();
  menu.backdrop = backdrop;
}

bool isLevelSlot(int32_t control) {
  return control >= 0 && control < menuFrame.controlCount &&
         menuFrame.controls[control].kind == ControlKind::LevelSlot;
}

void drawLevelChoice(bool expert) {
  const float y = -250.0f - 100.0f * menu.slideFraction;
  drawButton(300.0f, y, 160.0f, 64.0f, 18.0f, nullptr);
  backButton(-300.0f, y, 18.0f);
  addLevelSlots();
  if (expert) expertBox(-100.0f, y, &g_choice.expertBox);
  drawFocusMarker();
}

uint8_t* survivalExpertByte() {
  Profile* profile = currentProfileRecord();
  return profile ? &profile->survivalExpert : &g_choice.survivalFallback;
}

}  // namespace

void drawAdventureChoice() { drawLevelChoice(true); }
void drawZenChoice() { drawLevelChoice(false); }

// The level reached is marked (a stage beyond the map in a damaged profile: its
// nearest level), and the expert box shows the difficulty.
void enterLevelChoice() {
  enterMapScreen(kBackdropMap);
  g_choice.expertBox = gameState.difficulty == Difficulty::Expert ? 1 : 0;
  setSelectedLevel(clampMapLevel(currentLevel()));
  menu.focus = selectedLevel();
}

// A change of the expert box changes the difficulty played and stored, and the map
// moves to the level reached in it.
void updateAdventureChoice(float) {
  const bool expert = g_choice.expertBox != 0;
  if (expert == (gameState.difficulty == Difficulty::Expert)) return;
  const int32_t difficulty = expert ? Difficulty::Expert : Difficulty::Normal;
  setDifficulty(difficulty);
  setStoredDifficulty(difficulty);
  setSelectedLevel(clampMapLevel(currentLevel()));
  menu.focus = selectedLevel();
}

// The focus leaves a mark that cannot be chosen, and returns to the chosen level
// once the pointer has rested away from every control.
void hoverLevelChoice() {
  if (isLevelSlot(menu.focus) && !levelChoosable(menu.focus)) menu.focus = selectedLevel();
  if (menu.hoverTimer > kHoverReturnMs) menu.focus = selectedLevel();
}

void drawSurvivalChoice() {
  const int32_t start = menu.survivalStartLevel;
  addSlider({-80.0f, -170.0f}, {80.0f, -170.0f}, &menu.survivalStartLevel, kStartLevels);
  char counter[24];
  std::snprintf(counter, sizeof counter, "%i/%i", int(start + 1), int(kMapLevelCount));
  setTextColor(255, 255, 255, 255);
  drawTextCentered(0.0f, -200.0f, 20.0f, counter);
  expertBox(-80.0f, -250.0f, survivalExpertByte());
  if (start > 0) addControl(ControlKind::ArrowLeft, -400.0f, 130.0f, -140.0f, -130.0f, "<");
  if (start < kMapLevelCount - 1) {
    addControl(ControlKind::ArrowRight, 140.0f, 130.0f, 400.0f, -130.0f, ">");
  }
  drawButton(270.0f, -240.0f, 160.0f, 64.0f, 20.0f, nullptr);
  backButton(-270.0f, -240.0f, 20.0f);
}

// Left and Right pick the level before or after the chosen one, past none that
// cannot be chosen; the way back is refused as on every screen over the map.
int32_t levelChoiceKey(int32_t key) {
  if (key != VK_LEFT && key != VK_RIGHT) return refuseEscape(key);
  const int32_t level = selectedLevel() + (key == VK_RIGHT ? 1 : -1);
  if (level >= 0 && level < kMapLevelCount && levelChoosable(level)) setSelectedLevel(level);
  menu.focus = selectedLevel();
  return 0;
}

// A start level from a damaged profile is limited to the chart's levels.
void enterSurvivalChoice() {
  enterMapScreen(kBackdropSurvivalChart);
  menu.survivalStartLevel = int16_t(clampMapLevel(menu.survivalStartLevel));
  g_choice.heardStartLevel = menu.survivalStartLevel;
  g_choice.survivalFallback = gameState.difficulty == Difficulty::Expert ? 1 : 0;
}

// The slider clicks at every new start level; the difficulty follows the box.
void updateSurvivalChoice(float) {
  if (menu.survivalStartLevel != g_choice.heardStartLevel) {
    playSound("chpok1.ogg");
    g_choice.heardStartLevel = menu.survivalStartLevel;
  }
  setDifficulty(*survivalExpertByte() ? Difficulty::Expert : Difficulty::Normal);
}

// Enter does not start from a locked level; the arrows move the start level.
int32_t survivalChoiceKey(int32_t key) {
  if (key == VK_RETURN && menu.selection == 0 && survivalStartLocked(menu.survivalStartLevel)) {
    return 0;
  }
  if (key == VK_LEFT) {
    if (menu.survivalStartLevel > 0) --menu.survivalStartLevel;
    return 0;
  }
  if (key == VK_RIGHT) {
    if (menu.survivalStartLevel < kStartLevels - 1) ++menu.survivalStartLevel;
    return 0;
  }
  return key;
}
