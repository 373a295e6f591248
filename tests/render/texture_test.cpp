// The texture cache: power-of-two sizes, the JPEG-with-alpha pictures and their
// name rule, sized pictures, the cache limit and the refusals of unsafe files.
#include <cstring>

#include "render_fixture.h"

namespace {

// Texel (x, y) of a texture as blue, green, red, alpha.
const uint8_t* texel(TextureEntry* e, uint32_t x, uint32_t y) {
  int32_t pitch = 0;
  const uint8_t* t = lockTexture(e, &pitch);
  return t + size_t(y) * size_t(pitch) + 4 * x;
}

}  // namespace

TEST(NextPowerOfTwo, RoundsUpToTwoThroughTenTwentyFour) {
  EXPECT_EQ(nextPowerOfTwo(0), 2u);
  EXPECT_EQ(nextPowerOfTwo(1), 2u);
  EXPECT_EQ(nextPowerOfTwo(3), 4u);
  EXPECT_EQ(nextPowerOfTwo(600), 1024u);
  EXPECT_EQ(nextPowerOfTwo(1024), 1024u);
  EXPECT_EQ(nextPowerOfTwo(1025), 0u);
}

TEST(AlphaJpegName, CutsAtTheFirstDotAnywhere) {
  char out[64];
  ASSERT_TRUE(alphaJpegName("bomb.tga", out, sizeof out));
  EXPECT_STREQ(out, "_a_bomb.jpg");
  ASSERT_TRUE(alphaJpegName("dir.x/ball.tga", out, sizeof out));
  EXPECT_STREQ(out, "_a_dir.jpg");
  EXPECT_FALSE(alphaJpegName("averyveryverylongname.tga", out, 10));
}

TEST(AlphaJpegSplit, EndsAfterTheFirstEndMarker) {
  const uint8_t bytes[] = {1, 0xFF, 0xD8, 0xFF, 0xD9, 7, 0xFF, 0xD9};
  EXPECT_EQ(alphaJpegSplit(bytes, sizeof bytes), 5u);
  const uint8_t none[] = {0xFF, 0xD8, 0xD9, 0xFF};
  EXPECT_EQ(alphaJpegSplit(none, sizeof none), 0u);
}

TEST_F(RenderTest, TgaNameUsesTheAlphaJpegWhenItExists) {
  addMemoryFile("bomb.tga", solidTga(4, 4, 255, 0, 0, 255));
  addMemoryFile("_a_bomb.jpg", alphaJpeg(4, 4, 16, 77));
  TextureEntry* e = getTexture("bomb.tga");
  ASSERT_NE(e, nullptr);
  EXPECT_STREQ(e->name, "_a_bomb.jpg");
  EXPECT_EQ(e->hasAlpha, 1);
  EXPECT_EQ(texel(e, 3, 3)[3], 77);
  EXPECT_EQ(findTexture("bomb.tga"), nullptr);
  // Asked again, the same entry comes back without a second one.
  EXPECT_EQ(getTexture("bomb.tga"), e);
  EXPECT_EQ(textureCount(), 1);
}

TEST_F(RenderTest, TgaNameLoadsItselfWithoutAnAlphaJpeg) {
  addMemoryFile("ball.tga", solidTga(4, 2, 255, 0, 0, 128));
  TextureEntry* e = getTexture("ball.tga");
  ASSERT_NE(e, nullptr);
  EXPECT_STREQ(e->name, "ball.tga");
  EXPECT_EQ(e->width, 4u);
  EXPECT_EQ(e->height, 2u);
  EXPECT_EQ(e->hasAlpha, 1);
  EXPECT_EQ(e->format, PixelFormat::Unknown);
  const uint8_t* t = texel(e, 1, 1);
  EXPECT_EQ(t[2], 255);  // red
  EXPECT_EQ(t[0], 0);    // blue
  EXPECT_EQ(t[3], 128);
  EXPECT_EQ(getTexture("ball.tga"), e);
  // Another letter case is another entry (names compare exactly).
  TextureEntry* other = getTexture("BALL.tga");
  EXPECT_NE(other, e);
  EXPECT_EQ(textureCount(), 2);
}

TEST_F(RenderTest, MissingOptionalPictureIsNullAndRequiredOneStops) {
  EXPECT_EQ(loadTexture("nothing.jpg", false), nullptr);
  EXPECT_EQ(capturedBox.count, 0);
  EXPECT_EXIT(stopWithMessageOnStderr([] { getTexture("nothing.jpg"); }), ::testing::ExitedWithCode(1),
              "Couldn't load texture: nothing.jpg");
}

TEST_F(RenderTest, LongerAlphaPlaneIsCutToTheTexture) {
  addMemoryFile("_a_shadow.jpg", alphaJpeg(4, 4, 4 * 4 * 50, 200));
  TextureEntry* e = loadTexture("shadow.tga", false);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(texel(e, 3, 3)[3], 200);
}

TEST_F(RenderTest, AlphaJpegWithoutEndMarkerCountsAsMissing) {
  std::vector<uint8_t> broken = alphaJpeg(4, 4, 16, 9);
  for (size_t i = 0; i + 1 < broken.size(); ++i) {
    if (broken[i] == 0xFF && broken[i + 1] == 0xD9) broken[i + 1] = 0x00;
  }
  addMemoryFile("_a_zep.jpg", broken);
  addMemoryFile("zep.tga", solidTga(2, 2, 1, 2, 3, 4));
  TextureEntry* e = getTexture("zep.tga");
  ASSERT_NE(e, nullptr);
  EXPECT_STREQ(e->name, "zep.tga");
  addMemoryFile("_a_back3.jpg", broken);
  EXPECT_EQ(loadSizedAlphaTexture("_a_back3.jpg", 4, 4), nullptr);
}

TEST_F(RenderTest, SizedPictureLandsInTheTopLeftOfAPowerOfTwoTexture) {
  addMemoryFile("loadbar.jpg", solidTga(310, 48, 0, 0, 255, 255));
  TextureEntry* e = loadSizedTexture("loadbar.jpg", 310, 48);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->width, 512u);
  EXPECT_EQ(e->height, 64u);
  EXPECT_EQ(e->format, PixelFormat::A8R8G8B8);
  EXPECT_EQ(texel(e, 309, 47)[0], 255);
  EXPECT_EQ(texel(e, 310, 47)[3], 0);  // outside the picture: untouched
  EXPECT_EQ(texel(e, 0, 48)[3], 0);
  EXPECT_EQ(loadSizedTexture("loadbar.jpg", 310, 48), e);
}

TEST_F(RenderTest, SizedAlphaPictureWritesItsPlaneRowByRow) {
  std::vector<uint8_t> file = alphaJpeg(6, 3, 0, 0);
  for (int i = 0; i < 18; ++i) file.push_back(uint8_t(i * 10));
  addMemoryFile("_a_back0.jpg", file);
  TextureEntry* e = loadSizedAlphaTexture("_a_back0.jpg", 6, 3);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->width, 8u);
  EXPECT_EQ(texel(e, 0, 1)[3], 60);
  EXPECT_EQ(texel(e, 5, 2)[3], 170);
  EXPECT_EQ(texel(e, 6, 1)[3], 0);
  EXPECT_EQ(e->hasAlpha, 1);
}

TEST_F(RenderTest, CacheHoldsTenTwentyThreeTextures) {
  char name[32];
  for (int i = 0; i < kMaxTextures; ++i) {
    std::snprintf(name, sizeof name, "t%d", i);
    ASSERT_NE(createEmptyTexture(name, 2, 2, PixelFormat::A8R8G8B8), nullptr) << i;
  }
  EXPECT_EQ(capturedBox.count, 0);
  EXPECT_EQ(createEmptyTexture("one too many", 2, 2, PixelFormat::A8R8G8B8), nullptr);
  EXPECT_EQ(capturedBox.text, "Couldn't create texture: one too many");
  EXPECT_EQ(capturedBox.caption, "Init error");
  // A cached name still comes back; removal makes room again.
  EXPECT_NE(createEmptyTexture("t5", 2, 2, PixelFormat::A8R8G8B8), nullptr);
  releaseTexture(findTexture("t5"));
  EXPECT_EQ(textureCount(), kMaxTextures - 1);
  EXPECT_STREQ(textureCache.entries[5]->name, "t6");
  EXPECT_NE(createEmptyTexture("room", 2, 2, PixelFormat::A8R8G8B8), nullptr);
}

TEST_F(RenderTest, PicturesAbove1024AreRefusedWithTheCreationMessage) {
  addMemoryFile("huge.jpg", solidTga(1030, 4, 1, 1, 1, 255));
  EXPECT_EQ(loadTexture("huge.jpg", false), nullptr);
  EXPECT_EQ(capturedBox.text, "Couldn't create texture: huge.jpg");
  capturedBox = {};
  EXPECT_EQ(loadSizedTexture("huge.jpg", 1030, 4), nullptr);
  EXPECT_EQ(capturedBox.caption, "Init error");
  EXPECT_EQ(textureCount(), 0);
  // Releasing something never entered is ignored.
  TextureEntry stranger = {};
  releaseTexture(&stranger);
}

TEST_F(RenderTest, TexturesSurviveADisplayChange) {
  addMemoryFile("ball.tga", solidTga(2, 2, 9, 8, 7, 255));
  TextureEntry* e = getTexture("ball.tga");
  applyDisplaySettings();
  presentFrame();
  EXPECT_EQ(renderState.displayChangePending, 0);
  EXPECT_EQ(findTexture("ball.tga"), e);
  EXPECT_EQ(texel(e, 1, 1)[2], 9);
}
