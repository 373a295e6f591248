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

// A controller's D-pad and stick: a held direction repeats after a delay and then
// steadily, the stick moves nothing inside its dead zone and keeps its direction
// until let go well back, and the D-pad's release hands the repeat to the stick.
TEST_F(TypedLetters, PadDirectionsRepeatWhileHeldAndTheStickHasADeadZone) {
  const auto repeatsIn = [](float ms) {
    int count = 0;
    for (float t = 0.0f; t < ms; t += 10.0f) count += padRepeat(10.0f) != PadDirection::None;
    return count;
  };
  EXPECT_EQ(padDirectionButton(PadDirection::Up, true), PadDirection::Up);
  EXPECT_EQ(input.lastDevice, InputDevice::Pad);
  EXPECT_EQ(repeatsIn(390.0f), 0);
  EXPECT_EQ(repeatsIn(340.0f), 4) << "400 ms, then every 110 ms";
  EXPECT_EQ(padDirectionButton(PadDirection::Up, false), PadDirection::None);
  EXPECT_EQ(padStickMoved(0.45f, 0.1f), PadDirection::None) << "inside the dead zone";
  EXPECT_EQ(padStickMoved(0.6f, 0.55f), PadDirection::Right);
  EXPECT_EQ(padStickMoved(0.35f, 0.8f), PadDirection::None) << "still right, past the release mark";
  EXPECT_EQ(padDirectionButton(PadDirection::Down, true), PadDirection::Down);
  EXPECT_EQ(padDirectionButton(PadDirection::Down, false), PadDirection::None);
  EXPECT_EQ(repeatsIn(390.0f), 0);
  EXPECT_EQ(padRepeat(20.0f), PadDirection::Right) << "the stick still held repeats again";
  EXPECT_EQ(padStickMoved(0.2f, 0.0f), PadDirection::None);
  EXPECT_EQ(repeatsIn(1000.0f), 0);
}
