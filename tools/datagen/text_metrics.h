// text_metrics.h: text measured with the generated font's advances, laid out as
// the game lays it out, so the tool can tell whether a text fits its place.
#pragma once

// True when the font draws the character code (a printable one with an advance).
bool fontHasGlyph(unsigned char code);
// Width of the text at text size S (a glyph advances S x its width, 2.0 = a whole
// cell). 0 before the font was generated.
float measureGameText(const char* text, float size);
// Lines the game's word wrap makes of the text at this width and size.
int wrappedLineCount(const char* text, float maxWidth, float size);
// The widest of the entry `steps` after `key` in the "strings" tables of every
// language generated so far, at text size S (the game's lookup: textAfter).
float widestTranslation(const char* key, int steps, float size);
