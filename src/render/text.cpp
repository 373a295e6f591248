// Text from the bitmap font: glyph quads, left-anchored and centred layout, word
// wrap, glow bars, the banner, flying letters, the cursor in overlay units, and the
// list of texts drawn in a frame.
#include "render/text.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "render/render.h"
#include "render/render_local.h"
#include "render/texture.h"
#include "resources/resources.h"

namespace {

TextState startingTextState() {
  TextState s = {};
  s.textColor = kWhite;
  s.pen = {0.0f, 0.0f, kTextDepth};
  return s;
}

}  // namespace

TextState textState = startingTextState();

void resetText() { textState = startingTextState(); }

namespace {

constexpr float kLineFactor = 1.8f;    // a line is 1.8 sizes high
constexpr float kGlyphHeight = 0.9f;   // half height of a glyph quad, in sizes
constexpr float kGlyphDepth = 10.0f;
constexpr float kGlowDepth = 35.0f;
constexpr uint32_t kFontMetricsSize = 516;
constexpr float kAtlasWidth = 512.0f;  // advances count texels of an atlas this wide

// The texts of a frame. A frame's texts beyond these limits are not listed.
constexpr int32_t kMaxFrameTexts = 512;
constexpr int32_t kFrameTextBytes = 32768;
struct FrameTexts {
  char bytes[kFrameTextBytes];
  int32_t offsets[kMaxFrameTexts];
  int32_t count;
  int32_t used;
};
// Current and last presented frame: reset at every present.
FrameTexts g_frameTexts[2] = {};
int32_t g_currentTexts = 0;

float advance(uint8_t c) {
  const Font* f = textState.currentFont;
  return f ? f->widths[c] : 0.0f;
}

// One glyph quad centred on (x, y, z) with the given half-axes, as a strip of
// top-left, top-right, bottom-left, bottom-right.
void drawGlyphQuad(uint8_t c, Vec3 center, Vec3 right, Vec3 up, Color color) {
  const Font* f = textState.currentFont;
  if (!f) return;
  const int32_t cell = f->cells[c];
  const float u = float(cell % f->cellsPerRow) * f->cellSize;
  const float v = float(cell / f->cellsPerRow) * f->cellSize;
  const float s = f->cellSize;
  const Color k = multiplyColor(color);
  auto corner = [&](float a, float b, float tu, float tv) {
    return DevSpriteVertex{center.x + right.x * a + up.x * b, center.y + right.y * a + up.y * b,
                           center.z + right.z * a + up.z * b, k, tu, tv};
  };
  const DevSpriteVertex q[4] = {corner(-1, 1, u, v), corner(1, 1, u + s, v),
                                corner(-1, -1, u, v + s), corner(1, -1, u + s, v + s)};
  drawPrimitives(q, 2, DevVertexFormat::Sprite, DevPrimitive::TriangleStrip);
}

void drawGlyphAt(uint8_t c, float x, float y) {
  const float s = textState.textSize;
  drawGlyphQuad(c, {x, y, textState.pen.z}, {s, 0.0f, 0.0f}, {0.0f, kGlyphHeight * s, 0.0f},
                textState.textColor);
}

// The font's atlas for the scale the text is shown at.
void bindFont() {
  Font* f = textState.currentFont;
  if (!f) return;
  const bool enlarged = textScreenScale() > kSharpFontScale;
  if (enlarged && !f->sharpLooked) {
    char file[kMaxFileName];
    std::snprintf(file, sizeof file, "%s2x.tga", f->name);
    f->sharpTexture = loadTexture(file, false);
    f->sharpLooked = true;
  }
  setTexture(enlarged && f->sharpTexture ? f->sharpTexture : f->texture);
}

// Length of a line break at p: 2 for CR LF, 1 for a lone CR or LF, 0 otherwise.
int32_t lineBreakAt(const char* p) {
  if (p[0] == '\r') return p[1] == '\n' ? 2 : 1;
  return p[0] == '\n' ? 1 : 0;
}

// Left-anchored layout from the current pen and offset: each glyph's centre lies
// half its advance after the end of the one before; the first glyph of every line
// is centred on the pen.
void layoutLeft(const char* text) {
  TextState& t = textState;
  const float s = t.textSize;
  for (int32_t i = 0; text[i] != '\0';) {
    if (const int32_t skip = lineBreakAt(text + i)) {
      i += skip;
      t.penOffset = -0.5f * s * advance(uint8_t(text[i]));
      t.pen.y -= kLineFactor * s;
      continue;
    }
    const float w = advance(uint8_t(text[i]));
    if (i != 0) t.penOffset += 0.5f * s * w;
    drawGlyphAt(uint8_t(text[i]), t.pen.x + t.penOffset, t.pen.y);
    t.penOffset += 0.5f * s * w;
    ++i;
  }
}

// Centred layout: each line centred on the pen, its first glyph taken as one size
// wide.
void layoutCentred(const char* text) {
  TextState& t = textState;
  const float s = t.textSize;
  const char* line = text;
  while (*line != '\0') {
    int32_t n = 0;
    float width = 0.0f;
    while (line[n] != '\0' && line[n] != '\r' && line[n] != '\n') {
      width += s * advance(uint8_t(line[n]));
      ++n;
    }
    t.penOffset = -width * 0.5f + s * 0.5f;
    for (int32_t i = 0; i < n; ++i) {
      const float w = advance(uint8_t(line[i]));
      if (i != 0) t.penOffset += 0.5f * s * w;
      drawGlyphAt(uint8_t(line[i]), t.pen.x + t.penOffset, t.pen.y);
      t.penOffset += 0.5f * s * w;
    }
    line += n;
    if (const int32_t skip = lineBreakAt(line)) {
      line += skip;
      t.pen.y -= kLineFactor * s;
    }
  }
}

void startText(float x, float y, float size) {
  textState.pen = {x, y, kTextDepth};
  textState.textSize = size;
  textState.penOffset = 0.0f;
}

// Inserts a line break before position p when the buffer has room; false when full.
bool insertBreak(char* buffer, int32_t p) {
  const int32_t length = int32_t(std::strlen(buffer));
  if (length + 1 >= kWrapBufferSize) return false;
  std::memmove(buffer + p + 1, buffer + p, size_t(length - p + 1));
  buffer[p] = '\n';
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------
// Fonts and state

bool parseFontMetrics(const uint8_t* bytes, uint32_t size, Font* out) {
  if (!bytes || size < kFontMetricsSize) return false;
  int32_t n = 0;
  std::memcpy(&n, bytes, 4);
  // A cell must be at least one texel of the 512-wide atlas.
  if (n <= 0 || n > int32_t(kAtlasWidth)) return false;
  out->cellsPerRow = n;
  out->cellSize = 1.0f / float(n);
  const float cellTexels = kAtlasWidth / float(n);
  for (int32_t k = 0; k < 256; ++k) {
    out->widths[k] = float(bytes[4 + k]) * 2.0f / cellTexels;
    out->cells[k] = bytes[260 + k];
  }
  return true;
}

bool loadFont(const char* name) {
  if (textState.fontCount >= kMaxFonts) return false;
  char file[kMaxFileName];
  std::snprintf(file, sizeof file, "%s.tga", name);
  TextureEntry* texture = getTexture(file);
  std::snprintf(file, sizeof file, "%s.dat", name);
  uint32_t size = 0;
  const uint8_t* bytes = loadFile(file, &size, true);
  Font& font = textState.fonts[textState.fontCount];
  font = {};
  if (!parseFontMetrics(bytes, size, &font)) {
    // Metrics too short to read, or with no cells: as unusable as a missing file.
    char text[kMaxFileName + 48];
    std::snprintf(text, sizeof text, "Can't load %s...\nProgram will now stop.", file);
    sysFatalStop(text, "Loading Error");
  }
  font.texture = texture;
  std::snprintf(font.name, sizeof font.name, "%s", name);
  textState.currentFont = &font;
  textState.fontCount += 1;
  textState.textColor = kWhite;
  textState.glowTexture = getTexture("podsvet.jpg");
  textState.penOffset = 0.0f;
  clearFlyingText();
  return true;
}

void selectFont(int32_t index) {
  if (textState.fontCount == 0) return;
  if (index >= textState.fontCount) index = textState.fontCount - 1;
  if (index < 0) index = 0;
  textState.currentFont = &textState.fonts[index];
}

void setTextColor(int32_t red, int32_t green, int32_t blue, int32_t alpha) {
  textState.textColor = makeColor(red, green, blue, alpha);
}

void setTextColorPacked(Color color) { textState.textColor = color; }

void setTextSize(float size) { textState.textSize = size; }

// ---------------------------------------------------------------------------
// Layout

void drawText(float x, float y, float size, const char* text, bool centred) {
  if (centred) {
    drawTextCentered(x, y, size, text);
    return;
  }
  startText(x, y, size);
  recordFrameText(text);
  bindFont();
  layoutLeft(text);
}

void drawTextCentered(float x, float y, float size, const char* text) {
  startText(x, y, size);
  recordFrameText(text);
  bindFont();
  layoutCentred(text);
}

void continueText(const char* text) {
  recordFrameText(text);
  bindFont();
  layoutLeft(text);
}

float measureText(const char* text, float size) {
  float width = 0.0f;
  for (const char* p = text; *p != '\0'; ++p) width += size * advance(uint8_t(*p));
  return width;
}

float wrapText(float maxWidth, const char* text, float size) {
  textState.textSize = size;
  char* buffer = textState.wrapBuffer;
  std::snprintf(buffer, kWrapBufferSize, "%s", text);
  const float line = kLineFactor * size;
  float height = line;
  float running = 0.0f;
  int32_t lineStart = 0;
  int32_t breakAt = -1;  // the last space of the current line
  for (int32_t p = 0; buffer[p] != '\0';) {
    if (const int32_t skip = lineBreakAt(buffer + p)) {
      height += line;
      running = 0.0f;
      p += skip;
      lineStart = p;
      breakAt = -1;
      continue;
    }
    running += size * advance(uint8_t(buffer[p]));
    // A line keeps at least its first character, so every pass makes progress.
    if (running > maxWidth && p > lineStart) {
      if (breakAt >= 0) {
        buffer[breakAt] = '\n';
        lineStart = breakAt + 1;
      } else {
        // No space to break at: the word is split before the character that overflows.
        if (!insertBreak(buffer, p)) break;
        lineStart = p + 1;
      }
      height += line;
      running = 0.0f;
      breakAt = -1;
      p = lineStart;
      continue;
    }
    ++p;
    if (buffer[p] == ' ') breakAt = p;
  }
  return height;
}

// ---------------------------------------------------------------------------
// Glow, pictures and single glyphs

void drawGlowText(float x, float y, float size, Color color, const char* text, bool centred) {
  const float width = measureText(text, size);
  if (centred) x = x - width * 0.5f + size * 0.5f;
  drawText(x, y, size, text, false);
  disableRenderFeature(kFeatureAlphaTest);
  setBlendFactors(DevBlend::SrcAlpha, DevBlend::One);
  setTexture(textState.glowTexture);
  const Rect bar = {x + 0.2f * size - 3.0f * size, y + 5.0f + size,
                    x + 0.2f * size + size + width, y + 5.0f - size};
  drawSpriteRect(bar, {0.0f, 0.0f, 1.0f, 1.0f}, color, kTextDepth);
  setBlendMode(kBlendTransparent);
  enableRenderFeature(kFeatureAlphaTest);
}

void drawGlowRect(float x0, float y0, float x1, float y1, Color color) {
  setBlendFactors(DevBlend::SrcAlpha, DevBlend::One);
  setTexture(textState.glowTexture);
  drawQuad({x0, y0, kGlowDepth}, {x1, y0, kGlowDepth}, {x1, y1, kGlowDepth},
           {x0, y1, kGlowDepth}, {0, 0}, {1, 0}, {1, 1}, {0, 1}, color);
  setBlendMode(kBlendTransparent);
}

void drawOverlayImage(float x, float y, float halfWidth, float halfHeight,
                      const TextureEntry* texture) {
  setTexture(texture);
  drawSprite(x, y, 2.0f * halfWidth, 2.0f * halfHeight, {0.0f, 0.0f, 0.999f, 0.999f},
             textState.textColor, kTextDepth);
}

void drawGlyph(uint8_t character, float x, float y, float angle, float size, Color color) {
  const float c = cosDeg(angle), s = sinDeg(angle);
  const Vec3 right = {size, 0.0f, 0.0f}, up = {0.0f, kGlyphHeight * size, 0.0f};
  const Vec3 right2 = sub3(scale3(right, c), scale3(up, s));
  const Vec3 up2 = add3(scale3(right, s), scale3(up, c));
  drawGlyphQuad(character, {x, y, kGlyphDepth}, right2, up2, color);
  textState.penOffset = 0.0f;
}

// ---------------------------------------------------------------------------
// Banner and flying letters

namespace {

// The banner rises into place, rests there, and sinks away again.
constexpr float kBannerRestY = -270.0f;
constexpr float kBannerRestFrom = 1000.0f;  // banner time: the rest starts ...
constexpr float kBannerRestUntil = 500.0f;  // ... and ends
constexpr float kBannerRestSpeed = 0.3f;    // the banner's clock runs slower while it rests

}  // namespace

void showBanner(const char* text) {
  std::snprintf(textState.bannerText, sizeof textState.bannerText, "%s", text);
  if (textState.bannerTime <= 0.0f) textState.bannerTime = 1400.0f;
}

void updateBanner(float dt) {
  const float t = textState.bannerTime;
  if (t < 0.0f) return;
  // The middle phase runs slower: the message rests a while.
  const bool resting = t >= kBannerRestUntil && t <= kBannerRestFrom;
  textState.bannerTime = t - (resting ? kBannerRestSpeed * dt : dt);
}

Vec2 bannerCentre() {
  const float t = textState.bannerTime;
  if (t < kBannerRestUntil) return {0.0f, kBannerRestY - (kBannerRestUntil - t) * 0.1f};
  if (t > kBannerRestFrom) return {0.0f, kBannerRestY - (t - kBannerRestFrom) * 0.1f};
  return {0.0f, kBannerRestY};
}

float bannerMsLeft() {
  const float t = textState.bannerTime;
  if (!(t > 0.0f)) return 0.0f;
  if (t <= kBannerRestUntil) return t;
  const float rest = (kBannerRestFrom - kBannerRestUntil) / kBannerRestSpeed;
  if (t <= kBannerRestFrom) return kBannerRestUntil + (t - kBannerRestUntil) / kBannerRestSpeed;
  return kBannerRestUntil + rest + (t - kBannerRestFrom);
}

void drawBanner() {
  const float t = textState.bannerTime;
  if (t < 0.0f) return;
  const float pi = 3.14159265f;
  const int32_t alpha = int32_t(std::sin(t * pi / 1500.0f) * 127.0f + 127.0f);
  setTextColor(255, 255, 255, alpha);
  const Vec2 at = bannerCentre();
  float size = std::sin((t - kBannerRestUntil) * 2.0f * pi / 125.0f) + 21.58f;
  if (t < kBannerRestUntil) size = 21.58f;
  if (t > kBannerRestFrom) size = (std::sin(t * pi / 1500.0f) * 12.0f + 6.0f) * 1.3f;
  drawTextCentered(at.x, at.y, size, textState.bannerText);
}

void spawnFlyingText(const char* text, float x, float y, float size) {
  float offset = -measureText(text, size) * 0.5f;
  for (int32_t i = 0; text[i] != '\0'; ++i) {
    const float w = advance(uint8_t(text[i]));
    if (i > 0) offset += 0.5f * size * w;
    FlyingLetter& letter = textState.flyingLetters[textState.flyingIndex];
    letter = {uint8_t(text[i]), x + offset, y, 0.0f, size, 6000.0f + 40.0f * float(i)};
    textState.flyingIndex = (textState.flyingIndex + 1) % kFlyingLetters;
    offset += 0.5f * size * w;
  }
}

void updateFlyingText(float dt) {
  for (FlyingLetter& letter : textState.flyingLetters) {
    if (letter.time > 0.0f) letter.time -= dt;
  }
}

void drawFlyingText() {
  for (const FlyingLetter& letter : textState.flyingLetters) {
    const float t = letter.time;
    if (t <= 0.0f || t > 6000.0f) continue;  // gone, or still waiting its turn
    float s = 1.0f, alpha = 255.0f, dy = 0.0f;
    if (t >= 5000.0f) {  // arriving
      const float f = (6000.0f - t) / 1000.0f;
      alpha = f * 255.0f;
      s = 2.0f - f;
    } else if (t <= 1500.0f) {  // leaving
      const float f = t / 1500.0f;
      alpha = f * 255.0f;
      s = f;
    } else {  // resting: three half-turns of a gentle wobble
      const float phase = (t - 1500.0f) / 3500.0f * 9.424778f;
      s = std::sin(phase) * 0.08f + 1.0f;
      dy = 2.0f * std::sin(2.0f * phase);
    }
    s = s * s;
    drawGlyph(letter.character, letter.x * s, letter.y + dy, letter.angle, letter.size * s,
              makeColor(255, 255, 255, int32_t(alpha)));
  }
  textState.textColor = kWhite;
}

void clearFlyingText() {
  for (FlyingLetter& letter : textState.flyingLetters) letter = {};
}

// ---------------------------------------------------------------------------
// Texts of a frame

void recordFrameText(const char* text) {
  if (text[std::strspn(text, " ")] == '\0') return;
  FrameTexts& f = g_frameTexts[g_currentTexts];
  const int32_t length = int32_t(std::strlen(text));
  if (f.count >= kMaxFrameTexts || f.used + length + 1 > kFrameTextBytes) return;
  std::memcpy(f.bytes + f.used, text, size_t(length) + 1);
  f.offsets[f.count++] = f.used;
  f.used += length + 1;
}

void endFrameTexts() {
  g_currentTexts ^= 1;
  g_frameTexts[g_currentTexts].count = 0;
  g_frameTexts[g_currentTexts].used = 0;
}

int32_t lastFrameTextCount() { return g_frameTexts[g_currentTexts ^ 1].count; }

const char* lastFrameText(int32_t index) {
  const FrameTexts& f = g_frameTexts[g_currentTexts ^ 1];
  return index >= 0 && index < f.count ? f.bytes + f.offsets[index] : nullptr;
}

int32_t currentFrameTextCount() { return g_frameTexts[g_currentTexts].count; }

const char* currentFrameText(int32_t index) {
  const FrameTexts& f = g_frameTexts[g_currentTexts];
  return index >= 0 && index < f.count ? f.bytes + f.offsets[index] : nullptr;
}
