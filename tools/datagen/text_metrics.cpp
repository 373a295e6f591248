// text_metrics.cpp: the game's text measure and word wrap over "font.dat".
#include "text_metrics.h"

#include <string>

#include "datagen.h"
#include "resources/resources.h"

// The advance of a character code as the game loads it (2.0 = a whole cell).
static float advanceOf(unsigned char code) {
  const OutputFile* metrics = findOutput(Place::TextsPack, "font.dat");
  if (!metrics || metrics->bytes.size() < 516) return 0.0f;
  const int cellsPerRow = metrics->bytes[0];
  return metrics->bytes[4 + code] * 2.0f / (512.0f / static_cast<float>(cellsPerRow));
}

bool fontHasGlyph(unsigned char code) { return code >= 32 && advanceOf(code) > 0.0f; }

float measureGameText(const char* text, float size) {
  float width = 0.0f;
  for (const char* c = text; *c; ++c) width += size * advanceOf(static_cast<unsigned char>(*c));
  return width;
}

int wrappedLineCount(const char* text, float maxWidth, float size) {
  // A running width, a break candidate at the last space, a new line when the
  // width runs over; line breaks in the text start a new line too.
  std::string buffer = text;
  int lines = 1;
  float width = 0.0f;
  size_t breakAt = std::string::npos;
  size_t lineStart = 0;
  for (size_t p = 0; p < buffer.size(); ++p) {
    if (buffer[p] == '\n' || buffer[p] == '\r') {
      lines++;
      width = 0.0f;
      breakAt = std::string::npos;
      lineStart = p + 1;
      continue;
    }
    if (buffer[p] == ' ') breakAt = p;
    width += size * advanceOf(static_cast<unsigned char>(buffer[p]));
    if (width > maxWidth && breakAt != std::string::npos && breakAt >= lineStart) {
      lines++;
      width = 0.0f;
      for (size_t q = breakAt + 1; q <= p; ++q) {
        width += size * advanceOf(static_cast<unsigned char>(buffer[q]));
      }
      lineStart = breakAt + 1;
      breakAt = std::string::npos;
    }
  }
  return lines;
}

float widestTranslation(const char* key, int steps, float size) {
  float widest = 0.0f;
  for (const OutputFile& file : gen.files) {
    if (file.place != Place::TextsPack || file.name.rfind("strings", 0) != 0) continue;
    freeTextTable();
    parseTextFile(file.name.c_str(), file.bytes.data(), static_cast<uint32_t>(file.bytes.size()));
    const float width = measureGameText(textAfter(key, steps), size);
    if (width > widest) widest = width;
  }
  freeTextTable();
  return widest;
}
