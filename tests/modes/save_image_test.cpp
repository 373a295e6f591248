// The saved-game image: its layout byte by byte, a round trip of a board in play
// (a ball in the middle of its move included), and short, long and damaged images.
#include <cstring>
#include <vector>

#include "game/board.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "game/level.h"
#include "game/save_image.h"
#include "modes_fixture.h"
#include "test_support.h"

namespace {

int32_t int32At(const std::vector<uint8_t>& b, size_t at) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= uint32_t(b[at + i]) << (8 * i);
  return int32_t(v);
}

float floatAt(const std::vector<uint8_t>& b, size_t at) {
  const int32_t bits = int32At(b, at);
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

size_t cellOffset(int x, int y) { return 16 + size_t(x * 30 + y) * 108; }

std::vector<uint8_t> image() {
  std::vector<uint8_t> bytes(kSaveImageSize, 0xEE);
  writeSaveImage(bytes.data());
  return bytes;
}

class SaveImageTest : public ModesTest {
 protected:
  // A board in play: balls, a chained ball, squares and previews.
  void SetUp() override {
    ModesTest::SetUp();
    floorArea(8, 6);
    putBall(5, 5, 0);
    putBall(6, 7, 2);
    putBall(9, 9, 4);
    cellAt(9, 9).chainLocks = 1;
    cellAt(10, 6).squareLayers = 2;
    cellAt(11, 6).squareLayers = 1;
    cellAt(12, 8).nextBall = 3;
    cellAt(12, 8).nextBallTimer = 200.0f;
  }
};

TEST_F(SaveImageTest, FieldsLieAtTheirOffsetsIncludingTheOddOnes) {
  gameState.moveDuration = 313;
  gameState.colourCount = 6;
  cellAt(7, 9).removalMark = 1;
  gameState.movePath[1] = {-40.0f, 80.0f};
  gameState.movePathSteps = 2;
  gameState.bonusFigure[1][2] = 7;
  gameState.elapsedMs = 1234;
  gameState.hammerCharge = 0.5f;
  gameState.combo = 3;
  gameState.busy = true;
  gameState.pressure = -2;
  gameState.moves = 17;
  gameState.defeatDim = true;
  gameState.comboStat = 4;
  gameState.levelScore = 990;
  gameState.levelCompleteTimer = 0.0f;
  gameState.levelIndex = 42;
  gameState.squaresAtStart = 12;
  gameState.pendingSquares = 5;
  const std::vector<uint8_t> b = image();
  EXPECT_EQ(int32At(b, 0), 0);
  EXPECT_EQ(int32At(b, 8), 313);
  EXPECT_EQ(int32At(b, 12), 6);
  EXPECT_EQ(int32At(b, cellOffset(10, 6) + 4), 2);
  EXPECT_EQ(int32At(b, cellOffset(6, 7) + 20), 2);
  EXPECT_EQ(int32At(b, cellOffset(9, 9) + 68), 1);
  EXPECT_EQ(int32At(b, cellOffset(12, 8) + 76), 3);
  EXPECT_EQ(int32At(b, cellOffset(0, 0) + 4), -1) << "the margin is stored too";
  EXPECT_EQ(int32At(b, cellOffset(7, 9) + 104), 1) << "the mark's other three bytes are 0";
  EXPECT_EQ(floatAt(b, 97216 + 8), -40.0f);
  EXPECT_EQ(floatAt(b, 97216 + 12), 80.0f);
  EXPECT_EQ(int32At(b, 99264), 2);
  EXPECT_EQ(int32At(b, 99268 + 12 + 8), 7);
  EXPECT_EQ(int32At(b, 99304), 1234);
  EXPECT_EQ(floatAt(b, 99308), 0.5f);
  EXPECT_EQ(int32At(b, 99312), 3);
  EXPECT_EQ(int32At(b, 99320), gameState.freeCells);
  EXPECT_EQ(b[99328], 1);
  for (size_t i = 99329; i < 99339; ++i) EXPECT_EQ(b[i], 0) << i;
  EXPECT_EQ(int32At(b, 99339), -2);
  EXPECT_EQ(int32At(b, 99343), 17);
  EXPECT_EQ(b[99347], 1);
  EXPECT_EQ(int32At(b, 99352), 4);
  EXPECT_EQ(int32At(b, 99364), 990);
  EXPECT_EQ(int32At(b, 99368), 3) << "the lives the HUD shows";
  EXPECT_EQ(floatAt(b, 99380), 2000.0f);
  EXPECT_EQ(int32At(b, 99389), 42);
  EXPECT_EQ(int32At(b, 99401), 12);
  EXPECT_EQ(int32At(b, 99405), 5);
}

TEST_F(SaveImageTest, ASavedMoveContinuesAfterLoading) {
  selectBall(5, 5);
  ASSERT_TRUE(startMove(12, 10));
  frames(4);
  ASSERT_TRUE(gameState.busy);
  gameState.moves = 3;
  const Board saved = boards.live;
  const std::vector<uint8_t> bytes = image();
  const int32_t steps = gameState.movePathSteps;

  clearBoard(&boards.live);
  gameState.busy = false;
  gameState.movePathSteps = 0;
  gameState.moves = 0;
  readSaveImage(bytes.data(), uint32_t(bytes.size()));
  EXPECT_EQ(std::memcmp(&boards.live, &saved, sizeof saved), 0) << "cell for cell";
  EXPECT_TRUE(gameState.busy);
  EXPECT_EQ(gameState.movePathSteps, steps);
  EXPECT_EQ(gameState.moves, 3);

  frames(60);
  EXPECT_FALSE(gameState.busy);
  EXPECT_EQ(cellAt(12, 10).ballValue, 0) << "the ball finished its move";
  EXPECT_EQ(cellAt(5, 5).ballValue, Ball::Empty);
}

TEST_F(SaveImageTest, AShortImageKeepsTheValuesPastItsEnd) {
  gameState.pressure = 8;
  gameState.moves = 5;
  gameState.levelScore = 70;
  std::vector<uint8_t> bytes = image();
  gameState.pressure = 1;
  gameState.moves = 1;
  gameState.levelScore = 1;
  clearBoard(&boards.live);
  readSaveImage(bytes.data(), 99341);  // ends inside the pressure field
  EXPECT_EQ(cellAt(9, 9).ballValue, 4);
  EXPECT_EQ(gameState.pressure, 1);
  EXPECT_EQ(gameState.moves, 1);
  EXPECT_EQ(gameState.levelScore, 1);
  readSaveImage(bytes.data(), 0);
  EXPECT_EQ(cellAt(9, 9).ballValue, 4);
}

void putInt32(std::vector<uint8_t>* b, size_t at, int32_t value) {
  for (int i = 0; i < 4; ++i) (*b)[at + i] = uint8_t(uint32_t(value) >> (8 * i));
}

TEST_F(SaveImageTest, AnImageWithAValueNoGameHoldsIsRefusedWhole) {
  struct Planted {
    size_t at;
    int32_t value;
    const char* named;
  };
  const Planted planted[] = {
      {99264, 0x7FFFFFAB, "the route's length"},          // far past the route table
      {cellOffset(5, 5) + 5 * 4, 99999, "a ball"},        // a value no table has
      {cellOffset(6, 7) + 9 * 4, 500, "a move's target"},  // off the board
      {cellOffset(12, 8) + 19 * 4, -7, "a coming ball"},
      {cellOffset(10, 6) + 4, 1 << 30, "square layers"},
      {cellOffset(9, 9) + 8 * 4, 0x7FC00000, "a cell's clock"},  // NaN
      {12, 0, "the colour count"},
      {99312, 16711681, "the combo"},                    // its points would overflow
      {99316, 0, "the joker frequency"},                 // one joker in zero balls
      {99308, 0x7F800000, "the hammer charge"},          // endless
      {99389, 5000, "the level"},
      {99268, 77, "a bonus figure entry"},
      {99384, int32_t(0xBF800000), "the level-complete timer is -1"},  // a level won
  };
  const std::vector<uint8_t> sound = image();
  const Board before = boards.live;
  for (const Planted& p : planted) {
    std::vector<uint8_t> bytes = sound;
    putInt32(&bytes, p.at, p.value);
    bytes.resize(kSaveImageSize + 500, 0xAB);
    char fault[128] = {};
    EXPECT_FALSE(loadSaveImage(bytes.data(), uint32_t(bytes.size()), fault, sizeof fault))
        << p.named;
    EXPECT_NE(std::string(fault).find(p.named), std::string::npos) << fault;
    EXPECT_EQ(std::memcmp(&before, &boards.live, sizeof before), 0) << p.named << ": untouched";
    EXPECT_EQ(image(), sound) << p.named;
  }
  // A sound image loads and reads back exactly as it was written.
  char fault[128];
  EXPECT_TRUE(loadSaveImage(sound.data(), uint32_t(sound.size()), fault, sizeof fault)) << fault;
  EXPECT_EQ(image(), sound);
}

TEST_F(SaveImageTest, TheFileIsExactlyTheImage) {
  gameState.survival = true;
  gameState.levelScore = 640;
  ASSERT_TRUE(saveGameImage("game.sav"));
  const std::vector<uint8_t> file = testReadFile(data_ + "/game.sav");
  EXPECT_EQ(file.size(), 99409u);
  EXPECT_EQ(file, image());
  gameView.shownScore = 0;
  EXPECT_TRUE(loadGameImage("game.sav"));
  EXPECT_EQ(gameView.shownScore, 640) << "survival's HUD shows the loaded score";
  const Board before = boards.live;
  EXPECT_FALSE(loadGameImage("missing.sav"));
  EXPECT_EQ(std::memcmp(&before, &boards.live, sizeof before), 0);
}

}  // namespace
