// Text: glyph placement in left-anchored and centred layout, line breaks, word
// wrap, the banner's countdown, flying letters and the texts listed per frame.
#include <cmath>
#include <cstring>
#include <string>

#include "render_fixture.h"

namespace {

// Advances in texels of a 512-wide atlas of 16 cells: 32 is a whole cell (2.0).
std::vector<uint8_t> fontMetrics() {
  std::vector<uint8_t> m(516, 0);
  const int32_t n = 16;
  std::memcpy(m.data(), &n, 4);
  for (int k = 0; k < 256; ++k) {
    m[size_t(4 + k)] = 16;  // 1.0 by default
    m[size_t(260 + k)] = uint8_t(k);
  }
  m[4 + 'A'] = 32;  // 2.0
  m[4 + 'D'] = 24;  // 1.5
  m[4 + ' '] = 8;   // 0.5
  return m;
}

class TextTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    addMemoryFile("font.tga", solidTga(16, 16, 255, 255, 255, 255));
    addMemoryFile("font.dat", fontMetrics());
    addMemoryFile("podsvet.jpg", solidTga(4, 4, 255, 255, 255, 255));
    ASSERT_TRUE(loadFont("font"));
    begin2D();
    devResetFrame();
  }
  // Centre of every glyph drawn so far, in drawing order.
  std::vector<Vec2> glyphCentres() const {
    std::vector<Vec2> out;
    const DevRecording& r = devRecording();
    for (const DevRecordedDraw& d : r.draws) {
      if (d.kind != DevRecordKind::Primitives) continue;
      const DevVertex& a = r.vertices[size_t(d.firstVertex)];
      const DevVertex& b = r.vertices[size_t(d.firstVertex + 3)];
      out.push_back({(a.x + b.x) * 0.5f, (a.y + b.y) * 0.5f});
    }
    return out;
  }
};

}  // namespace

TEST_F(TextTest, MetricsBecomeAdvancesInCellWidths) {
  const Font& f = *textState.currentFont;
  EXPECT_FLOAT_EQ(f.widths['A'], 2.0f);
  EXPECT_FLOAT_EQ(f.widths[' '], 0.5f);
  EXPECT_FLOAT_EQ(f.cellSize, 1.0f / 16.0f);
  EXPECT_EQ(f.cells['A'], 'A');
  EXPECT_EQ(textState.textColor, kWhite);
  ASSERT_NE(textState.glowTexture, nullptr);
  Font bad;
  const std::vector<uint8_t> shortFile(100, 1);
  EXPECT_FALSE(parseFontMetrics(shortFile.data(), uint32_t(shortFile.size()), &bad));
  std::vector<uint8_t> noCells = fontMetrics();
  std::memset(noCells.data(), 0, 4);
  EXPECT_FALSE(parseFontMetrics(noCells.data(), uint32_t(noCells.size()), &bad));
}

TEST_F(TextTest, GlyphQuadIsTwoSizesWideAndItsCellMapped) {
  drawText(0.0f, 0.0f, 10.0f, "A", false);
  const auto v = drawVertices(0);
  ASSERT_EQ(v.size(), 4u);
  // Top-left, top-right, bottom-left, bottom-right.
  EXPECT_FLOAT_EQ(v[0].x, -10.0f);
  EXPECT_FLOAT_EQ(v[0].y, 9.0f);
  EXPECT_FLOAT_EQ(v[3].x, 10.0f);
  EXPECT_FLOAT_EQ(v[3].y, -9.0f);
  EXPECT_FLOAT_EQ(v[0].z, 45.0f);
  EXPECT_FLOAT_EQ(v[0].u, 1.0f / 16.0f);  // 'A' = 65: column 1, row 4
  EXPECT_FLOAT_EQ(v[0].v, 4.0f / 16.0f);
  EXPECT_FLOAT_EQ(v[3].u, 2.0f / 16.0f);
  EXPECT_EQ(primitiveDraws()[0].state.texture, textState.currentFont->texture->texture);
}

TEST_F(TextTest, LeftLayoutAbutsGlyphsAndStartsEachLineOnThePen) {
  const float s = 10.0f;
  drawText(100.0f, 50.0f, s, "AB\r\nD", false);
  const auto c = glyphCentres();
  ASSERT_EQ(c.size(), 3u);
  EXPECT_FLOAT_EQ(c[0].x, 100.0f);
  EXPECT_FLOAT_EQ(c[1].x, 100.0f + 0.5f * s * 2.0f + 0.5f * s * 1.0f);
  EXPECT_FLOAT_EQ(c[1].y, 50.0f);
  EXPECT_FLOAT_EQ(c[2].x, 100.0f);
  EXPECT_FLOAT_EQ(c[2].y, 50.0f - 1.8f * s);
  // continueText goes on where the line ended.
  continueText("B");
  EXPECT_FLOAT_EQ(glyphCentres()[3].x, 100.0f + 0.5f * s * 1.5f);
}

TEST_F(TextTest, CentredLayoutTakesTheFirstGlyphAsOneSizeWide) {
  drawTextCentered(0.0f, 0.0f, 10.0f, "A");
  EXPECT_FLOAT_EQ(glyphCentres()[0].x, -5.0f);
  devResetFrame();
  drawText(0.0f, 0.0f, 10.0f, "BB\nBBBB", true);
  const auto c = glyphCentres();
  ASSERT_EQ(c.size(), 6u);
  EXPECT_FLOAT_EQ(c[0].x, -5.0f);
  EXPECT_FLOAT_EQ(c[1].x, 5.0f);
  EXPECT_FLOAT_EQ(c[2].x, -15.0f);
  EXPECT_FLOAT_EQ(c[5].x, 15.0f);
  EXPECT_FLOAT_EQ(c[2].y, -18.0f);
}

TEST_F(TextTest, EmptyTextDrawsNothingAndMeasuresZero) {
  drawText(0, 0, 10, "", false);
  drawTextCentered(0, 0, 10, "");
  EXPECT_TRUE(primitiveDraws().empty());
  EXPECT_EQ(measureText("", 10.0f), 0.0f);
  EXPECT_FLOAT_EQ(measureText("AB\r\n", 10.0f), 30.0f + 20.0f);
}

TEST_F(TextTest, WrapBreaksAtSpacesAndAlwaysMakesProgress) {
  const float s = 10.0f;
  EXPECT_FLOAT_EQ(wrapText(1000.0f, "BB BB", s), 1.8f * s);
  EXPECT_STREQ(textState.wrapBuffer, "BB BB");
  // Each word is 20 wide, a space 5: two words do not fit in 40.
  EXPECT_FLOAT_EQ(wrapText(40.0f, "BB BB BB", s), 3 * 1.8f * s);
  EXPECT_STREQ(textState.wrapBuffer, "BB\nBB\nBB");
  EXPECT_FLOAT_EQ(wrapText(50.0f, "BB BB\r\nBB", s), 2 * 1.8f * s);
  EXPECT_STREQ(textState.wrapBuffer, "BB BB\r\nBB");
  // A word wider than the line is split before the character that overflows.
  EXPECT_FLOAT_EQ(wrapText(25.0f, "BBBBB", s), 3 * 1.8f * s);
  EXPECT_STREQ(textState.wrapBuffer, "BB\nBB\nB");
  // Narrower than one character: one character a line, never a loop.
  wrapText(1.0f, "BBB", s);
  EXPECT_STREQ(textState.wrapBuffer, "B\nB\nB");
}

TEST_F(TextTest, BannerCountsDownAndASecondCallOnlyChangesTheText) {
  showBanner("Combo x 2");
  EXPECT_FLOAT_EQ(textState.bannerTime, 1400.0f);
  updateBanner(100.0f);
  drawBanner();
  EXPECT_FLOAT_EQ(textState.bannerTime, 1300.0f);
  showBanner("Combo x 3");
  EXPECT_FLOAT_EQ(textState.bannerTime, 1300.0f);
  EXPECT_STREQ(textState.bannerText, "Combo x 3");
  // The middle 500 ms run at 0.3 speed: about 2.57 s of frames in all.
  float elapsed = 100.0f;
  while (textState.bannerTime >= 0.0f && elapsed < 10000.0f) {
    updateBanner(10.0f);
    drawBanner();
    elapsed += 10.0f;
  }
  EXPECT_NEAR(elapsed, 400.0f + 500.0f / 0.3f + 500.0f, 20.0f);
  devResetFrame();
  drawBanner();
  EXPECT_TRUE(primitiveDraws().empty());
}

TEST_F(TextTest, DrawingTheBannerAndTheLettersMovesNoTimer) {
  showBanner("EXCELLENT!");
  updateBanner(600.0f);
  spawnFlyingText("AB", 0.0f, 0.0f, 10.0f);
  updateFlyingText(500.0f);
  const TextState before = textState;
  drawBanner();
  drawFlyingText();
  drawBanner();
  drawFlyingText();
  EXPECT_FALSE(primitiveDraws().empty());
  EXPECT_FLOAT_EQ(textState.bannerTime, before.bannerTime);
  EXPECT_FLOAT_EQ(textState.flyingLetters[0].time, before.flyingLetters[0].time);
  EXPECT_FLOAT_EQ(textState.flyingLetters[1].time, before.flyingLetters[1].time);
  // Letters gone or never spawned stay where they are when time passes.
  updateFlyingText(100000.0f);
  updateFlyingText(16.0f);
  EXPECT_LE(textState.flyingLetters[0].time, 0.0f);
  EXPECT_FLOAT_EQ(textState.flyingLetters[2].time, 0.0f);
}

TEST_F(TextTest, FlyingLettersStartApartAndTheRingOverwritesTheOldest) {
  spawnFlyingText("AB", 0.0f, 0.0f, 10.0f);
  EXPECT_EQ(textState.flyingLetters[0].character, 'A');
  EXPECT_FLOAT_EQ(textState.flyingLetters[0].x, -15.0f);
  EXPECT_FLOAT_EQ(textState.flyingLetters[1].x, -15.0f + 10.0f + 5.0f);
  EXPECT_FLOAT_EQ(textState.flyingLetters[1].time, 6040.0f);
  // Waiting letters (above 6000) are not drawn; arriving ones fly in from afar.
  updateFlyingText(20.0f);
  drawFlyingText();
  EXPECT_EQ(primitiveDraws().size(), 1u);
  std::string many(255, 'B');
  spawnFlyingText(many.c_str(), 0.0f, 0.0f, 10.0f);
  EXPECT_EQ(textState.flyingIndex, 1);
  EXPECT_EQ(textState.flyingLetters[0].character, 'B');
  EXPECT_EQ(textState.flyingLetters[1].character, 'B');
  clearFlyingText();
  EXPECT_EQ(textState.flyingLetters[1].time, 0.0f);
}

TEST_F(TextTest, FlyingLetterScalesAboutTheScreenCentre) {
  spawnFlyingText("B", 50.0f, 20.0f, 10.0f);
  textState.flyingLetters[0].time = 6000.0f;  // just arriving: twice the size, squared
  drawFlyingText();
  const auto v = drawVertices(0);
  EXPECT_FLOAT_EQ((v[0].x + v[3].x) * 0.5f, (50.0f - 5.0f) * 4.0f);
  EXPECT_FLOAT_EQ(v[3].x - v[0].x, 2.0f * 10.0f * 4.0f);
  EXPECT_EQ(colorAlpha(v[0].color), 0u);
  EXPECT_FLOAT_EQ(v[0].z, 10.0f);
}

TEST_F(TextTest, GlowTextAddsABarBehindByAlpha) {
  drawGlowText(0.0f, 0.0f, 10.0f, 0xFF00FF00u, "BB", true);
  const auto draws = primitiveDraws();
  ASSERT_EQ(draws.size(), 3u);
  const DevRecordedDraw& bar = draws[2];
  EXPECT_EQ(bar.state.srcBlend, DevBlend::SrcAlpha);
  EXPECT_EQ(bar.state.dstBlend, DevBlend::One);
  EXPECT_EQ(bar.state.alphaTest, 0);
  EXPECT_EQ(devState().alphaTest, 1);
  EXPECT_EQ(devState().dstBlend, DevBlend::InvSrcAlpha);
  // Centred: x = -W/2 + size/2 = -5; the bar runs from x - 28 to x + 12 + W.
  const auto v = drawVertices(2);
  EXPECT_FLOAT_EQ(v[0].x, -5.0f + 2.0f + 10.0f + 20.0f);
  EXPECT_FLOAT_EQ(v[0].y, 15.0f);
  EXPECT_FLOAT_EQ(v[3].x, -5.0f + 2.0f - 30.0f);
  EXPECT_FLOAT_EQ(v[3].y, -5.0f);
}

TEST_F(TextTest, SelectFontKeepsTheIndexInTheTable) {
  selectFont(1);
  EXPECT_EQ(textState.currentFont, &textState.fonts[0]);
  selectFont(-3);
  EXPECT_EQ(textState.currentFont, &textState.fonts[0]);
}

TEST_F(TextTest, TextsOfTheLastFrameAreListedWithoutBlankOnes) {
  drawText(0, 0, 10, "Score", false);
  drawText(-1000, 0, 1, " ", false);
  drawTextCentered(0, 0, 10, "Level 3");
  EXPECT_EQ(currentFrameTextCount(), 2);
  presentFrame();
  ASSERT_EQ(lastFrameTextCount(), 2);
  EXPECT_STREQ(lastFrameText(0), "Score");
  EXPECT_STREQ(lastFrameText(1), "Level 3");
  EXPECT_EQ(lastFrameText(2), nullptr);
  EXPECT_EQ(currentFrameTextCount(), 0);
}

TEST_F(TextTest, CursorMapsClientPixelsToTheOverlay) {
  float x, y;
  cursorToOverlay(320, 240, &x, &y);
  EXPECT_FLOAT_EQ(x, 0.0f);
  EXPECT_FLOAT_EQ(y, 0.0f);
  cursorToOverlay(0, 480, &x, &y);
  EXPECT_FLOAT_EQ(x, -400.0f);
  EXPECT_FLOAT_EQ(y, -300.0f);
  // Two drawable pixels a client pixel each way, bars at the sides: the scene is
  // 1066.5 client pixels wide from 106.5.
  sysCreateHeadlessWindow(1280, 800, 2);
  EXPECT_TRUE(cursorToOverlay(640, 400, &x, &y));
  EXPECT_NEAR(x, 0.0f, 0.5f);
  EXPECT_NEAR(y, 0.0f, 0.5f);
  EXPECT_TRUE(cursorToOverlay(107, 799, &x, &y));
  EXPECT_NEAR(x, -399.6f, 0.5f);
  EXPECT_FALSE(cursorToOverlay(100, 400, &x, &y)) << "in a bar";
  EXPECT_FALSE(cursorToOverlay(1175, 400, &x, &y)) << "in a bar";
}
