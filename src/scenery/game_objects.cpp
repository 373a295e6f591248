// game_objects.cpp: the catalogue reader, a byte scanner that follows the game's
// reading of "gameobjs.txt" exactly.
#include "scenery/game_objects.h"

#include <cstdio>
#include <cstring>

namespace {

// The scanner over the file's bytes.
struct Scanner {
  const uint8_t* bytes;
  size_t size;
  size_t at;
  GameObjectCatalogue* out;
};

bool atEnd(const Scanner& s) { return s.at >= s.size; }

void noteProblem(Scanner* s, const char* message) {
  GameObjectCatalogue* out = s->out;
  if (out->problem[0]) return;
  std::snprintf(out->problem, sizeof out->problem, "%s", message);
  out->problemOffset = static_cast<int32_t>(s->at);
}

void skipBlanks(Scanner* s) {
  while (!atEnd(*s) && s->bytes[s->at] < '!') s->at++;
}

// Copies bytes [from, s->at) into a field, cutting what does not fit.
bool copyField(const Scanner& s, size_t from, char* field, size_t capacity) {
  const size_t length = s.at - from;
  const size_t kept = length < capacity ? length : capacity - 1;
  std::memcpy(field, s.bytes + from, kept);
  field[kept] = 0;
  return kept == length;
}

// A group header "[name/]", read before its entries. Returns false at the end of
// the file.
bool readGroupHeader(Scanner* s) {
  while (!atEnd(*s) && s->bytes[s->at] != '[') s->at++;
  if (atEnd(*s)) return false;
  const size_t from = ++s->at;
  while (!atEnd(*s) && s->bytes[s->at] != '/') s->at++;
  if (atEnd(*s)) return false;
  GameObjectCatalogue* out = s->out;
  if (out->groupCount < kMaxCatalogueGroups) {
    if (!copyField(*s, from, out->groups[out->groupCount], kMaxCatalogueName)) {
      noteProblem(s, "group name longer than 31 characters");
    }
    out->groupCount++;
  } else {
    noteProblem(s, "more than 32 groups");
  }
  s->at += 2;  // the "/" and the "]"
  skipBlanks(s);
  return !atEnd(*s);
}

// One entry "name=value" of the group. Returns false at the end of the file.
bool readEntry(Scanner* s) {
  const size_t nameFrom = s->at;
  while (!atEnd(*s) && s->bytes[s->at] != '=') s->at++;
  if (atEnd(*s)) return false;
  GameObjectCatalogue* out = s->out;
  CatalogueEntry scratch{};
  CatalogueEntry& entry = out->entryCount < kMaxCatalogueEntries
                              ? out->entries[out->entryCount]
                              : scratch;
  entry = {};
  if (!copyField(*s, nameFrom, entry.name, kMaxCatalogueName)) {
    noteProblem(s, "entry name longer than 31 characters");
  }
  s->at++;
  skipBlanks(s);
  const size_t valueFrom = s->at;
  while (!atEnd(*s) && s->bytes[s->at] >= '!' && s->bytes[s->at] != ',') s->at++;
  if (!copyField(*s, valueFrom, entry.value, kMaxCatalogueValue)) {
    noteProblem(s, "value longer than 63 characters");
  }
  entry.kind = catalogueValueKind(entry.value);
  entry.group = out->groupCount - 1;
  if (out->entryCount < kMaxCatalogueEntries) {
    out->entryCount++;
  } else {
    noteProblem(s, "more than 512 entries");
  }
  return true;
}

}  // namespace

CatalogueValueKind catalogueValueKind(const char* value) {
  if (std::strstr(value, ".tga") || std::strstr(value, ".jpg")) return CatalogueValueKind::Picture;
  if (std::strstr(value, ".cgo")) return CatalogueValueKind::GameObject;
  return CatalogueValueKind::None;
}

bool parseGameObjectCatalogue(const uint8_t* bytes, size_t size, GameObjectCatalogue* out) {
  out->entryCount = 0;
  out->groupCount = 0;
  out->problem[0] = 0;
  out->problemOffset = 0;
  Scanner s{bytes, size, 0, out};
  while (readGroupHeader(&s)) {
    for (;;) {
      if (!readEntry(&s)) break;
      skipBlanks(&s);
      if (atEnd(s)) break;
      if (s.bytes[s.at] == '[' && s.at + 1 < s.size && s.bytes[s.at + 1] == '/') {
        while (!atEnd(s) && s.bytes[s.at] >= '!') s.at++;  // the closing tag
        break;
      }
      if (s.bytes[s.at] == '[') s.at++;
    }
    if (atEnd(s)) break;
  }
  return out->problem[0] == 0;
}

int32_t findCatalogueEntry(const GameObjectCatalogue& catalogue, const char* name) {
  for (int32_t i = catalogue.entryCount - 1; i >= 0; --i) {
    if (std::strcmp(catalogue.entries[i].name, name) == 0) return i;
  }
  return -1;
}
