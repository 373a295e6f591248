// scenery.cpp: the scenery catalogue "gameobjs.txt" and the sixteen scenery
// lists "level0.lev" .. "level15.lev", one per background. The lists are written
// as text in data/scenery/level<i>.txt, one object a line:
//
//   <entry> <left> <top> <right> <bottom> [rotate=<deg>] [scroll=<x>,<y>]
//           [shade=<n>] [mirrored] [behind]
//
// in overlay units (centre origin, y up), and a "header <text>" line. Every
// entry must be in the catalogue; the catalogue is read with the game's reader
// and the lists are read back with the game's list reader.
#include <cstring>
#include <sstream>

#include "datagen.h"
#include "generators.h"
#include "scenery/game_objects.h"
#include "scenery/scenery_file.h"

namespace {

constexpr int kListCount = 16;

// Reads the catalogue; fills the pictures it names. Returns false on a problem.
bool readCatalogue(GameObjectCatalogue* catalogue, std::vector<CataloguePicture>* pictures) {
  std::string source;
  if (!readSource("gameobjs.txt", &source)) return false;
  std::vector<uint8_t> bytes = toCrLf(source);
  if (!parseGameObjectCatalogue(bytes.data(), bytes.size(), catalogue)) {
    reportError("gameobjs.txt", lineOfOffset(std::string(bytes.begin(), bytes.end()),
                                             static_cast<size_t>(catalogue->problemOffset)),
                catalogue->problem);
  }
  for (int32_t i = 0; i < catalogue->entryCount; ++i) {
    const CatalogueEntry& entry = catalogue->entries[i];
    if (entry.kind != CatalogueValueKind::Picture) {
      reportError("gameobjs.txt", 0, format("\"%s\" names no picture", entry.name));
      continue;
    }
    pictures->push_back(CataloguePicture{entry.name, entry.value});
  }
  addOutput(Place::TextsPack, "gameobjs.txt", std::move(bytes));
  return true;
}

// One option word of an object line. Returns false when it is not one.
bool readOption(const std::string& word, SceneryRecord* record) {
  float a = 0.0f, b = 0.0f;
  if (word == "mirrored") {
    record->mirrored = 1;
  } else if (word == "behind") {
    record->behindPicture = 1;
  } else if (std::sscanf(word.c_str(), "rotate=%f", &a) == 1) {
    record->rotation = a;
  } else if (std::sscanf(word.c_str(), "scroll=%f,%f", &a, &b) == 2) {
    record->scroll = Vec2{a, b};
  } else if (std::sscanf(word.c_str(), "shade=%f", &a) == 1) {
    record->scroll = Vec2{a, 0.0f};
  } else {
    return false;
  }
  return true;
}

// Reads one object line into the list.
void readObjectLine(const std::string& fileName, int line, const std::string& text,
                    const GameObjectCatalogue& catalogue, SceneryList* list) {
  std::istringstream words(text);
  std::string name;
  SceneryRecord record{};
  words >> name >> record.rect.x0 >> record.rect.y0 >> record.rect.x1 >> record.rect.y1;
  if (!words) {
    reportError(fileName, line, "expected: entry left top right bottom [options]");
    return;
  }
  std::string word;
  while (words >> word) {
    if (!readOption(word, &record)) reportError(fileName, line, "unknown option " + word);
  }
  if (name.size() >= kMaxSceneryName || findCatalogueEntry(catalogue, name.c_str()) < 0) {
    reportError(fileName, line, format("\"%s\" is not in the catalogue", name.c_str()));
  }
  if (record.rect.x0 >= record.rect.x1 || record.rect.y0 <= record.rect.y1) {
    reportError(fileName, line, "the rectangle runs left to right and top to bottom (y up)");
  }
  if (list->count >= kMaxSceneryObjects) {
    reportError(fileName, line, "more than 128 objects");
    return;
  }
  std::snprintf(record.name, sizeof record.name, "%s", name.c_str());
  list->objects[list->count++] = record;
}

// Reads data/scenery/level<index>.txt, writes "level<index>.lev" and returns the
// holes the background must leave for it.
std::vector<SceneryHole> buildList(int index, const GameObjectCatalogue& catalogue) {
  std::vector<SceneryHole> holes;
  const std::string fileName = format("scenery/level%i.txt", index);
  std::string source;
  if (!readSource(fileName, &source)) return holes;
  static SceneryList list;
  list.count = 0;
  std::string header = format("scenery %i", index);
  std::istringstream lines(source);
  std::string text;
  int line = 0;
  while (std::getline(lines, text)) {
    ++line;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.empty() || text[0] == '#') continue;
    if (text.compare(0, 7, "header ") == 0) {
      header = text.substr(7);
      continue;
    }
    readObjectLine(fileName, line, text, catalogue, &list);
  }
  std::vector<uint8_t> bytes;
  encodeSceneryList(list, header.c_str(), &bytes);
  static SceneryList check;
  if (!parseSceneryList(bytes.data(), bytes.size(), &check) || check.count != list.count) {
    reportError(fileName, 0, "the game's reader does not read the written list back");
  }
  for (int32_t i = 0; i < list.count; ++i) {
    const SceneryRecord& record = list.objects[i];
    if (sceneryKindIsBehind(sceneryKindOfName(record.name)) || record.behindPicture) {
      holes.push_back(SceneryHole{record.rect.x0, record.rect.y0, record.rect.x1, record.rect.y1});
    }
  }
  addOutput(Place::Animbacks, format("level%i.lev", index), std::move(bytes));
  return holes;
}

}  // namespace

void generateScenery(std::vector<CataloguePicture>* pictures,
                     std::vector<std::vector<SceneryHole>>* holes) {
  static GameObjectCatalogue catalogue;
  pictures->clear();
  holes->clear();
  if (!readCatalogue(&catalogue, pictures)) return;
  for (int index = 0; index < kListCount; ++index) holes->push_back(buildList(index, catalogue));
}
