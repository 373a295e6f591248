// The text table: every text the player reads, loaded from "strings.txt" and then
// "tips.txt" and looked up by key.
//
// A file holds line entries (key=value up to CR LF) and block entries
// ([key/] value [/key]); bytes of 32 or less separate entries. The last byte of a
// file (and any NUL) ends the text, and an entry cut off there is dropped.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "resources/resources.h"

TextTable textTable = {};

namespace {

// One text being parsed: [cursor, end) are the bytes still to read.
struct TextCursor {
  const char* fileName;
  const uint8_t* cursor;
  const uint8_t* end;
  int added;
  int refusedForRoom;  // entries the full table could not take
};

const uint8_t* findByte(const uint8_t* from, const uint8_t* end, uint8_t byte) {
  const void* found = std::memchr(from, byte, size_t(end - from));
  return static_cast<const uint8_t*>(found);
}

// Appends one entry, copying the key and the value. Refuses (with a message) an
// empty or over-long key and any entry beyond the table.
void addText(TextCursor* text, const uint8_t* key, size_t keyLength, const uint8_t* value,
             size_t valueLength) {
  if (keyLength == 0 || keyLength >= size_t(kMaxTextKey)) {
    std::fprintf(stderr, "%s: key \"%.*s\" refused: keys are 1 to %d characters\n",
                 text->fileName, int(keyLength), reinterpret_cast<const char*>(key),
                 kMaxTextKey - 1);
    return;
  }
  if (textTable.count >= kMaxTexts) {
    text->refusedForRoom++;
    return;
  }
  char* copy = static_cast<char*>(std::malloc(valueLength + 1));
  if (!copy) return;
  TextEntry& entry = textTable.entries[textTable.count++];
  std::memcpy(entry.key, key, keyLength);
  entry.key[keyLength] = '\0';
  entry.value = copy;
  std::memcpy(entry.value, value, valueLength);
  entry.value[valueLength] = '\0';
  text->added++;
}

// "[key/]", control bytes, the value up to the next "[", then past the next "]".
// Returns false when the text ends before the entry is complete.
bool readBlockEntry(TextCursor* text) {
  const uint8_t* key = text->cursor + 1;
  const uint8_t* slash = key;
  while (slash + 1 < text->end && !(slash[0] == '/' && slash[1] == ']')) slash++;
  if (slash + 1 >= text->end) return false;
  const uint8_t* value = slash + 2;
  while (value < text->end && *value < 32) value++;
  const uint8_t* valueEnd = findByte(value, text->end, '[');
  if (!valueEnd) return false;
  const uint8_t* close = findByte(valueEnd, text->end, ']');
  if (!close) return false;
  addText(text, key, size_t(slash - key), value, size_t(valueEnd - value));
  text->cursor = close + 1;
  return true;
}

// "key=value" ending before the first two consecutive control bytes (the CR LF).
// Returns false when the text ends before the entry is complete.
bool readLineEntry(TextCursor* text) {
  const uint8_t* key = text->cursor;
  const uint8_t* equals = findByte(key, text->end, '=');
  if (!equals) return false;
  const uint8_t* value = equals + 1;
  const uint8_t* valueEnd = value;
  while (valueEnd + 1 < text->end && !(valueEnd[0] < 32 && valueEnd[1] < 32)) valueEnd++;
  if (valueEnd + 1 >= text->end) return false;
  addText(text, key, size_t(equals - key), value, size_t(valueEnd - value));
  text->cursor = valueEnd + 2;
  return true;
}

// The entry's index, or -1 when the table has no such key.
int32_t findText(const char* key) {
  for (int32_t i = 0; i < textTable.count; i++) {
    if (std::strcmp(textTable.entries[i].key, key) == 0) return i;
  }
  return -1;
}

}  // namespace

int parseTextFile(const char* fileName, const uint8_t* bytes, uint32_t size) {
  if (size == 0) return 0;
  // The last byte stands for the end of the text, as does any NUL before it.
  const uint8_t* end = bytes + size - 1;
  if (const uint8_t* nul = findByte(bytes, end, 0)) end = nul;
  TextCursor text = {fileName, bytes, end, 0, 0};
  for (;;) {
    while (text.cursor < text.end && *text.cursor <= 32) text.cursor++;
    if (text.cursor >= text.end) break;
    const bool complete = *text.cursor == '[' ? readBlockEntry(&text) : readLineEntry(&text);
    if (!complete) break;
  }
  if (text.refusedForRoom > 0) {
    std::fprintf(stderr, "%s: %d entries refused: the text table holds %d\n", fileName,
                 text.refusedForRoom, kMaxTexts);
  }
  return text.added;
}

int loadTextFile(const char* fileName) {
  uint32_t size = 0;
  const uint8_t* bytes = loadFile(fileName, &size, true);
  const int added = parseTextFile(fileName, bytes, size);
  releaseFile(bytes);
  return added;
}

const char* getText(const char* key) {
  const int32_t index = findText(key);
  return index < 0 ? nullptr : textTable.entries[index].value;
}

const char* getTextByIndex(int32_t index) {
  if (index < 0 || index >= textTable.count) return nullptr;
  return textTable.entries[index].value;
}

int32_t getTextIndex(const char* key) {
  const int32_t index = findText(key);
  return index < 0 ? 0 : index;
}

const char* textOf(const char* key) { return textAfter(key, 0); }

const char* textAfter(const char* key, int32_t steps) {
  if (!key) return "";
  const int32_t index = findText(key);
  if (index < 0) return key;
  const char* text = getTextByIndex(index + steps);
  return text ? text : key;
}

void freeTextTable() {
  for (int32_t i = 0; i < textTable.count; i++) std::free(textTable.entries[i].value);
  textTable = {};
}
