// text.h: all text of the game, drawn from a bitmap font (a glyph atlas and its
// metrics) as one quad per character in the overlay space; word wrapping, glow bars,
// the banner message and flying letters; the cursor in overlay units.
//
// Every operation uses the current font, text colour and text size.
#pragma once

#include <cstdint>

#include "core/math.h"

struct TextureEntry;

// The game loads one font; the table allows a few more.
constexpr int kMaxFonts = 8;
constexpr int kWrapBufferSize = 1024;
constexpr int kBannerTextSize = 128;
// Flying letters live in a ring: a new letter overwrites the oldest slot.
constexpr int kFlyingLetters = 256;
// Depths: text and overlay pictures at 45, glow highlights at 35, glyphs at 10.
constexpr float kTextDepth = 45.0f;

struct Font {
  float widths[256];      // advance of each code; 2.0 = one atlas cell
  uint8_t cells[256];     // atlas cell of each code
  int32_t cellsPerRow;    // N: the atlas is N x N cells
  TextureEntry* texture;
  // The same atlas at twice the size (same cells and metrics), drawn from while a
  // text is shown larger than kSharpFontScale; loaded when first needed (a game in
  // a small window never holds it), null when the data has none.
  TextureEntry* sharpTexture;
  bool sharpLooked;       // sharpTexture was looked for
  char name[32];          // "font": the atlases are name.tga and name2x.tga
  float cellSize;         // 1 / N in texture units
};

// Text shown at more than this many screen pixels per overlay unit is drawn from
// the font's atlas of twice the size: the small one would be visibly stretched.
constexpr float kSharpFontScale = 1.25f;

struct FlyingLetter {
  uint8_t character;
  float x, y;   // home position
  float angle;  // degrees
  float size;
  float time;   // ms; alive while > 0, waiting while > 6000
};

// Text renderer state: process lifetime; fonts are loaded at start-up.
struct TextState {
  Font fonts[kMaxFonts];
  int32_t fontCount;
  Font* currentFont;
  float textSize;
  Color textColor;
  Vec3 pen;
  float penOffset;
  TextureEntry* glowTexture;
  char wrapBuffer[kWrapBufferSize];
  char bannerText[kBannerTextSize];
  float bannerTime;
  FlyingLetter flyingLetters[kFlyingLetters];
  int32_t flyingIndex;
};
extern TextState textState;

// Loads "<name>.tga" and "<name>.dat" (both must exist) and "<name>2x.tga" when it
// is there, appends the font and makes it current, white text, the glow picture
// "podsvet.jpg", no flying letters.
// Returns true; false only when the font table is full.
bool loadFont(const char* name);
// Builds a font from metrics bytes (516 used) and its atlas. False when too short.
bool parseFontMetrics(const uint8_t* bytes, uint32_t size, Font* out);
// An index at or above fontCount is reduced by one.
void selectFont(int32_t index);
void setTextColor(int32_t red, int32_t green, int32_t blue, int32_t alpha);
void setTextColorPacked(Color color);
void setTextSize(float size);

// y is the centre line of the first line; each further line lies 1.8 * size lower.
void drawText(float x, float y, float size, const char* text, bool centred);
void drawTextCentered(float x, float y, float size, const char* text);
// Appends to the text just drawn, from the current pen and size.
void continueText(const char* text);
// The sum of size * advance over the text (line breaks not treated specially).
float measureText(const char* text, float size);
// Copies the text into wrapBuffer with spaces turned into line breaks so no line is
// wider than maxWidth; returns the block's height (1.8 * size a line).
float wrapText(float maxWidth, const char* text, float size);
void drawGlowText(float x, float y, float size, Color color, const char* text, bool centred);
void drawGlowRect(float x0, float y0, float x1, float y1, Color color);
void drawOverlayImage(float x, float y, float halfWidth, float halfHeight,
                      const TextureEntry* texture);
// One glyph with the texture bound at the time, at depth 10.
void drawGlyph(uint8_t character, float x, float y, float angle, float size, Color color);

// A short message near the bottom of the screen for about 2.6 seconds; a second call
// while one shows only changes the text. The scene showing it advances the banner in
// its update (dt in ms) and draws it afterwards; drawing changes nothing.
void showBanner(const char* text);
void updateBanner(float dt);
void drawBanner();
// The banner's centre as the next draw places it, and the ms it still has on
// screen (0 once it has gone).
Vec2 bannerCentre();
float bannerMsLeft();
// Letters that fly in one after another, rest, and shrink away: advanced by dt ms
// in the scene's update, drawn afterwards.
void spawnFlyingText(const char* text, float x, float y, float size);
void updateFlyingText(float dt);
void drawFlyingText();
void clearFlyingText();

// ---------------------------------------------------------------------------
// The scene in the window (scene_area.cpp): the one mapping between the pointer's
// client pixels and overlay units that the board, the menus, the sliders, the
// drawn cursor and the tips all read, wherever the window's bars lie.

// Where the 800 x 600 scene lies in the client area: client pixels (the units
// mouse positions come in), origin top-left.
struct SceneArea {
  float left, top, width, height;
};
SceneArea sceneArea();
// A cursor position in client pixels as overlay units. Returns whether it lies on
// the scene (false in the bars; 0, 0 while the window has no size).
bool cursorToOverlay(int32_t clientX, int32_t clientY, float* x, float* y);
// The client pixel an overlay point lies in (the nearest pixel of the scene for a
// point on its right or bottom edge).
void overlayToCursor(float x, float y, int32_t* clientX, int32_t* clientY);
// Drawable pixels per overlay unit: 1 when the scene is shown at 800 x 600.
float sceneScale();
// Pixels of the drawn scene per overlay unit of what is drawn now: the scene's
// drawing scale times the stretch of the world transform.
float textScreenScale();

// The texts drawn in the last presented frame (the runner's dump) and since then, in
// drawing order. Texts of spaces only are left out. Null for an index out of range.
int32_t lastFrameTextCount();
const char* lastFrameText(int32_t index);
int32_t currentFrameTextCount();
const char* currentFrameText(int32_t index);
// Called by presentFrame: the current frame's texts become the last frame's.
void endFrameTexts();
