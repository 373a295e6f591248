// The widgets under the pointer and the keys: the name field's editing, sliders,
// check boxes, level marks, the message box's layout, the title's balloon, and a
// menu file that does not fit the tables.
#include <cstring>
#include <string>

#include "app/scene.h"
#include "audio/audio.h"
#include "game/board.h"
#include "persistence/profile.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "render/text.h"
#include "resources/resources.h"
#include "ui/widgets.h"
#include "ui_fixture.h"

namespace {

class NameField : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    open("newprofile");
  }
};

TEST_F(NameField, TwelveCharactersAtMostEditedAtTheCaret) {
  type("ABCDEFGHIJKLM");
  EXPECT_STREQ(menu.editBuffer, "ABCDEFGHIJKL") << "a thirteenth character does nothing";
  press(VK_HOME);
  press(VK_BACK);
  EXPECT_STREQ(menu.editBuffer, "ABCDEFGHIJKL") << "Backspace at the start does nothing";
  press(VK_DELETE);
  press(VK_RIGHT);
  type("Z");
  EXPECT_STREQ(menu.editBuffer, "BZCDEFGHIJKL");
  press(VK_END);
  press(VK_BACK);
  press(VK_LEFT);
  press(VK_BACK);
  EXPECT_STREQ(menu.editBuffer, "BZCDEFGHIK");
  press(VK_TAB);
  type("a");  // no key types a lower-case letter
  EXPECT_STREQ(menu.editBuffer, "BZCDEFGHIK");
}

// A screen of the tree given a slider, a check box and a button for a test.
class Controls : public MenuTest {
 protected:
  static int16_t level;
  static uint8_t box;
  static void drawControls() {
    addSlider({-80.0f, 0.0f}, {80.0f, 0.0f}, &level, 10);
    addCheckBox(0.0f, -100.0f, &box, "Box", 12.0f);
    drawButton(0.0f, -100.0f, 130.0f, 64.0f, 15.0f, nullptr);
  }
  void SetUp() override {
    MenuTest::SetUp();
    level = 3;
    box = 0;
    MenuScreenHooks audio = menuScreenHooks("audio");
    audio.draw = drawControls;
    registerMenuScreen("audio", audio);
    open("audio");
  }
  void TearDown() override {
    registerMenuScreens();  // the screen's own hooks again
    MenuTest::TearDown();
  }
};
int16_t Controls::level = 0;
uint8_t Controls::box = 0;

TEST_F(Controls, ClicksBesideASliderStepItAndAHeldButtonDragsIt) {
  clickAt(-110.0f, 0.0f);
  EXPECT_EQ(level, 2);
  clickAt(110.0f, 0.0f);
  EXPECT_EQ(level, 3);
  clickAt(200.0f, 0.0f);
  EXPECT_EQ(level, 3) << "too far away";
  pointAt(80.0f, 0.0f);
  menuClick();
  frame();
  EXPECT_EQ(level, 9) << "the right end is the last position";
  pointAt(79.9f, 0.0f);
  frame();
  EXPECT_EQ(level, 9);
  pointAt(-80.0f, 0.0f);
  frame();
  EXPECT_EQ(level, 0);
  menuButtonUp();
  pointAt(40.0f, 0.0f);
  frame();
  EXPECT_EQ(level, 0) << "released, the slider stays";
}

TEST_F(Controls, AClickOnAnItemAndABoxChoosesTheItemThenTogglesTheBox) {
  setSoundVolumes(80, 70);
  clickAt(0.0f, -100.0f);
  EXPECT_EQ(box, 1);
  EXPECT_EQ(sound.musicVolume, 50) << "the item \"default\" ran";
  EXPECT_STREQ(currentMenuScreen(), "audio");
  pointAt(0.0f, -90.0f);
  frame();
  press(VK_SPACE);
  EXPECT_EQ(box, 0) << "Space toggles the focused box";
}

// The adventure screen with a slot for each level, ten units apart.
class LevelSlots : public MenuTest {
 protected:
  static void drawSlots() {
    for (int32_t level = 0; level < 70; ++level) {
      const float x = -350.0f + 10.0f * float(level);
      addControl(ControlKind::LevelSlot, x - 4.0f, 4.0f, x + 4.0f, -4.0f, nullptr);
    }
  }
  void SetUp() override {
    MenuTest::SetUp();
    createProfile("ANNA");
    for (uint8_t& pending : currentProfileRecord()->helpShown) pending = 0;
    currentProfileRecord()->bestStage[Difficulty::Normal] = 2;
    MenuScreenHooks adventure = menuScreenHooks("adventure");
    adventure.draw = drawSlots;
    registerMenuScreen("adventure", adventure);
    open("main");
    choose("Adventure");
  }
  void TearDown() override {
    registerMenuScreens();  // the screen's own hooks again
    MenuTest::TearDown();
  }
  static float slotX(int32_t level) { return -350.0f + 10.0f * float(level); }
};

TEST_F(LevelSlots, OnlyLevelsReachedCanBeChosenAndADoubleClickStartsOne) {
  EXPECT_EQ(menu.focus, 0) << "the focus starts on the current level";
  clickAt(slotX(5), 0.0f);
  EXPECT_EQ(settings.selectedMapLevel, 0) << "level 5 is beyond the best";
  clickAt(slotX(1), 0.0f);
  EXPECT_EQ(settings.selectedMapLevel, 1);
  doubleClickAt(slotX(2), 0.0f);
  EXPECT_EQ(currentLevel(), 2);
  EXPECT_EQ(gameState.levelIndex, 2);
  endFrame();
  EXPECT_EQ(currentScene(), &gameScene);
}

class Boxes : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    createProfile("ANNA");
    open("main");
  }
  // The centre line of the box's button after it slid in.
  float buttonCentre(const char* text) {
    showMessageBox(text, true);
    settle();
    EXPECT_EQ(menuFrame.buttonCount, 1);
    const ItemButton& b = menuFrame.buttons[0];
    return (b.top + b.bottom) * 0.5f;
  }
};

TEST_F(Boxes, ALongTextMakesTheBoxTallerWithItsButtonAtTheBottom) {
  std::string words;
  for (int i = 0; i < 30; ++i) words += "word ";
  const float shortButton = buttonCentre("Short.");
  press(VK_RETURN);
  const float longButton = buttonCentre(words.c_str());
  selectFont(1);
  const float height = wrapText(340.0f, words.c_str(), 16.0f) + 140.0f;
  EXPECT_FLOAT_EQ(longButton, -height * 0.5f + 62.0f);
  EXPECT_LT(longButton, shortButton);
  press(VK_ESCAPE);
  EXPECT_STREQ(currentMenuScreen(), "messageboxok") << "Escape does not answer it";
  press(VK_RETURN);
  EXPECT_STREQ(currentMenuScreen(), "main");
}

TEST_F(Boxes, TheTitleItemsShowTheirTipsBesideThem) {
  const VisibleItem* zen = visible("Zen");
  ASSERT_NE(zen, nullptr);
  pointAt(zen->x, zen->y);
  frame();
  ASSERT_TRUE(menu.balloon.requested);
  EXPECT_STREQ(menu.balloon.text, getTextByIndex(getTextIndex("adventuretip") + 1));
  EXPECT_FLOAT_EQ(menu.balloon.anchor.x, 170.0f);
  pointAt(-300.0f, 200.0f);
  frame();
  EXPECT_FALSE(menu.balloon.requested);
}

// The game starts with whatever of a menu file fits; what did not is named.
class MenuFileLimits : public MenuTest {};

TEST_F(MenuFileLimits, WhatDoesNotFitIsToldByFileAndLineAndTheRestWorks) {
  std::string menu = "main=\r\n";
  for (int i = 0; i < 17; ++i) menu += "item" + std::to_string(i) + "\r\n";
  menu += "\r\nloose=\r\nx\r\n\r\n";
  const std::string texts = "main=Main\r\n";
  char problems[2048];
  EXPECT_FALSE(buildMenus(reinterpret_cast<const uint8_t*>(menu.data()), menu.size(),
                          reinterpret_cast<const uint8_t*>(texts.data()), texts.size(), problems,
                          sizeof problems));
  const std::string told = problems;
  EXPECT_NE(told.find("menu.txt: line 18: more than 16 items"), std::string::npos) << told;
  EXPECT_NE(told.find("no screen lists \"loose\""), std::string::npos) << told;
  EXPECT_NE(told.find("no text for \"item0\""), std::string::npos) << told;
  EXPECT_EQ(menuTree.nodes[findMenuScreen("main")].childCount, 16);
  EXPECT_GE(findMenuScreen("gameplay"), 0) << "every screen the game opens exists";
  EXPECT_TRUE(loadMenuTree()) << "the real tree back for the other tests";
}

}  // namespace
