// Typed letters and the hidden words, per scene.
#include <gtest/gtest.h>

#include <cstring>

#include "app/app.h"
#include "app/scene.h"
#include "input/input.h"
#include "persistence/settings.h"
#include "render/text.h"

namespace {

void typeInto(Scene* scene, const char* text) {
  for (const char* p = text; *p; ++p) {
    scene->pendingKey = *p;
    handleTypedLetter(scene);
  }
}

class TypedLetters : public ::testing::Test {
 protected:
  void SetUp() override { resetInput(); }
};

TEST_F(TypedLetters, WordsOnTheMapOpenAndCloseTheStages) {
  setCurrentSceneDirectly(&mapScene);
  typeInto(&mapScene, "QUVAXE");
  EXPECT_EQ(input.mapAllStagesOpen, 1);
  EXPECT_EQ(mapScene.pendingKey, 0);
  settings.selectedMapLevel = 42;
  typeInto(&mapScene, "DOLM");
  EXPECT_EQ(input.mapAllStagesOpen, 0);
  EXPECT_EQ(settings.selectedMapLevel, 0);
  typeInto(&mapScene, "ZOMPRETH");  // the game's word does nothing on the map
  EXPECT_EQ(input.developerKeysEnabled, 0);
}

TEST_F(TypedLetters, GameWordTogglesTheDeveloperKeys) {
  setCurrentSceneDirectly(&gameScene);
  typeInto(&gameScene, "ZOMPRETH");
  EXPECT_EQ(input.developerKeysEnabled, 1);
  EXPECT_STREQ(textState.bannerText, "Cheat key enabled");
  typeInto(&gameScene, "QUVAXE");  // the map's word does nothing in the game
  EXPECT_EQ(input.mapAllStagesOpen, 0);
  typeInto(&gameScene, "ZOMPRETH");
  EXPECT_EQ(input.developerKeysEnabled, 0);
  EXPECT_STREQ(textState.bannerText, "Cheat key disabled");
}

TEST_F(TypedLetters, OverlayWordWorksInBothScenesAndTogglesEachTime) {
  setCurrentSceneDirectly(&mapScene);
  typeInto(&mapScene, "QWJ");
  EXPECT_EQ(input.debugOverlayVisible, 1);
  setCurrentSceneDirectly(&gameScene);
  typeInto(&gameScene, "QWJ");
  EXPECT_EQ(input.debugOverlayVisible, 0);
}

TEST_F(TypedLetters, NonLettersNeitherEnterNorBreakAWord) {
  setCurrentSceneDirectly(&mapScene);
  typeInto(&mapScene, "QUV");
  const int32_t others[] = {13, 37, '5', 32};
  for (int32_t key : others) {
    mapScene.pendingKey = key;
    handleTypedLetter(&mapScene);
  }
  typeInto(&mapScene, "AXE");
  EXPECT_EQ(input.mapAllStagesOpen, 1);
}

TEST_F(TypedLetters, BufferKeepsTheLast15LettersMostRecentFirst) {
  setCurrentSceneDirectly(&gameScene);
  typeInto(&gameScene, "ABCDEFGHIJKLMNOP");  // 16 letters: A falls out
  EXPECT_EQ(std::strlen(input.typedLetters), 15u);
  EXPECT_EQ(input.typedLetters[0], 'P');
  EXPECT_EQ(input.typedLetters[14], 'B');
  EXPECT_TRUE(typedLettersEndWith("NOP"));
  EXPECT_FALSE(typedLettersEndWith("ABCDEFGHIJKLMNOP"));
}

TEST_F(TypedLetters, LoadingSceneTypesNothing) {
  resetApp();
  setCurrentSceneDirectly(&loadingScene);
  loadingScene.pendingKey = 'Q';
  loadingScene.afterFrame();
  EXPECT_EQ(input.typedLetters[0], '\0');
  EXPECT_EQ(loadingScene.pendingKey, 'Q');  // the loading scene keeps its key
}

}  // namespace
