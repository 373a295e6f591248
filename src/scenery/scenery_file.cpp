// scenery_file.cpp: reading and writing the packed scenery list records.
#include "scenery/scenery_file.h"

#include <cstring>

namespace {

int32_t readInt32(const uint8_t* p) {
  uint32_t value = 0;
  std::memcpy(&value, p, sizeof value);  // the files are little-endian, as is the machine
  return static_cast<int32_t>(value);
}

float readFloat32(const uint8_t* p) {
  float value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

void appendBytes(std::vector<uint8_t>* out, const void* data, size_t size) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

void appendInt32(std::vector<uint8_t>* out, int32_t value) { appendBytes(out, &value, 4); }
void appendFloat32(std::vector<uint8_t>* out, float value) { appendBytes(out, &value, 4); }

}  // namespace

SceneryKind sceneryKindOfName(const char* name) {
  if (std::strstr(name, "sky")) return SceneryKind::Sky;
  if (std::strstr(name, "waterfall")) return SceneryKind::Waterfall;
  if (std::strstr(name, "water")) return SceneryKind::Water;
  if (std::strstr(name, "spray")) return SceneryKind::Spray;
  if (std::strstr(name, "leaves1")) return SceneryKind::Leaves1;
  if (std::strstr(name, "leaves2")) return SceneryKind::Leaves2;
  if (std::strstr(name, "leaves")) return SceneryKind::Leaves;
  return SceneryKind::Still;
}

bool sceneryKindIsBehind(SceneryKind kind) {
  return kind == SceneryKind::Sky || kind == SceneryKind::Waterfall || kind == SceneryKind::Water;
}

bool parseSceneryList(const uint8_t* bytes, size_t size, SceneryList* out) {
  out->count = 0;
  out->declaredCount = 0;
  if (size < kSceneryHeaderSize + 4) return false;
  const int32_t declared = readInt32(bytes + kSceneryHeaderSize);
  if (declared < 0) return false;
  const int32_t used = declared < kMaxSceneryObjects ? declared : kMaxSceneryObjects;
  if (size < kSceneryHeaderSize + 4 + static_cast<size_t>(used) * kSceneryRecordSize) return false;
  out->declaredCount = declared;
  for (int32_t i = 0; i < used; ++i) {
    const uint8_t* p = bytes + kSceneryHeaderSize + 4 + static_cast<size_t>(i) * kSceneryRecordSize;
    SceneryRecord& record = out->objects[i];
    std::memcpy(record.name, p, kMaxSceneryName);
    record.name[kMaxSceneryName - 1] = 0;
    record.rect = Rect{readFloat32(p + 32), readFloat32(p + 36), readFloat32(p + 40),
                       readFloat32(p + 44)};
    record.rotation = readFloat32(p + 48);
    record.scroll = Vec2{readFloat32(p + 52), readFloat32(p + 56)};
    record.mirrored = p[60];
    record.behindPicture = readInt32(p + 61);
  }
  out->count = used;
  return true;
}

void encodeSceneryList(const SceneryList& list, const char* header, std::vector<uint8_t>* out) {
  out->clear();
  char headerField[kSceneryHeaderSize] = {};
  std::strncpy(headerField, header, kSceneryHeaderSize - 1);
  appendBytes(out, headerField, sizeof headerField);
  appendInt32(out, list.count);
  for (int32_t i = 0; i < list.count; ++i) {
    const SceneryRecord& record = list.objects[i];
    char name[kMaxSceneryName] = {};
    std::strncpy(name, record.name, kMaxSceneryName - 1);
    appendBytes(out, name, sizeof name);
    appendFloat32(out, record.rect.x0);
    appendFloat32(out, record.rect.y0);
    appendFloat32(out, record.rect.x1);
    appendFloat32(out, record.rect.y1);
    appendFloat32(out, record.rotation);
    appendFloat32(out, record.scroll.x);
    appendFloat32(out, record.scroll.y);
    out->push_back(record.mirrored);
    appendInt32(out, record.behindPicture);
  }
}
