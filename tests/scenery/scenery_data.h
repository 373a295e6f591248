// scenery_data.h: a small scenery data folder written by the tests: a catalogue of
// one-colour pictures, sixteen lists and the backgrounds a test asks for.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "scenery/scenery_file.h"
#include "test_support.h"

namespace {

struct Rgb {
  uint8_t r, g, b;
};

// Every catalogue picture: entry name, file, colour. "rock_front" is named twice:
// the later file wins.
struct SceneryTestPicture {
  const char* entry;
  const char* file;
  Rgb color;
};
constexpr SceneryTestPicture kCataloguePictures[] = {
    {"sky_test", "sky.tga", {40, 200, 40}},       {"waterfall_test", "fall.tga", {40, 40, 220}},
    {"water_test", "pool.tga", {20, 120, 160}},   {"spray_test", "puff.tga", {250, 250, 250}},
    {"leaves1_a", "leafa.tga", {30, 160, 30}},    {"leaves1_b", "leafb.tga", {60, 180, 60}},
    {"leaves2_c", "leafc.tga", {90, 200, 90}},    {"rock_behind", "rockb.tga", {120, 90, 60}},
    {"rock_front", "rockf_old.tga", {10, 10, 10}}, {"rock_front", "rockf.tga", {150, 140, 130}},
};

inline std::string catalogueText() {
  std::string text = "[scenery/]\r\n";
  for (const SceneryTestPicture& p : kCataloguePictures) {
    text += std::string(p.entry) + "=" + p.file + "\r\n";
  }
  return text + "notes=readme.txt\r\n[/scenery]\r\n";
}

inline std::string tgaFile(int32_t w, int32_t h, Rgb c, uint8_t alpha) {
  std::vector<uint8_t> rgba(size_t(w) * size_t(h) * 4);
  for (size_t i = 0; i < rgba.size(); i += 4) {
    rgba[i] = c.r, rgba[i + 1] = c.g, rgba[i + 2] = c.b, rgba[i + 3] = alpha;
  }
  std::vector<uint8_t> out;
  picEncodeTga(rgba.data(), w, h, &out);
  return std::string(out.begin(), out.end());
}

// An 800 x 600 background of one colour whose top `holeRows` rows are transparent.
inline std::string backgroundFile(Rgb c, int32_t holeRows) {
  std::vector<uint8_t> rgb(800 * 600 * 3);
  for (size_t i = 0; i < rgb.size(); i += 3) rgb[i] = c.r, rgb[i + 1] = c.g, rgb[i + 2] = c.b;
  std::vector<uint8_t> out;
  picEncodeJpeg(rgb.data(), 800, 600, 3, 95, &out);
  std::string bytes(out.begin(), out.end());
  bytes += std::string(size_t(holeRows) * 800, '\0');
  bytes += std::string(size_t(600 - holeRows) * 800, '\xff');
  return bytes;
}

inline SceneryRecord placed(const char* name, Rect rect, Vec2 scroll = {0, 0},
                            bool mirrored = false, bool behind = false) {
  SceneryRecord r = {};
  std::strncpy(r.name, name, sizeof r.name - 1);
  r.rect = rect;
  r.scroll = scroll;
  r.mirrored = mirrored ? 1 : 0;
  r.behindPicture = behind ? 1 : 0;
  return r;
}

inline std::string listFile(const std::vector<SceneryRecord>& records) {
  static SceneryList list;
  list.count = int32_t(records.size());
  for (size_t i = 0; i < records.size(); ++i) list.objects[i] = records[i];
  std::vector<uint8_t> bytes;
  encodeSceneryList(list, "test", &bytes);
  return std::string(bytes.begin(), bytes.end());
}

// Writes the catalogue and its pictures into dir, and into dir/animbacks the
// sixteen lists (empty where `lists` has none) and the backgrounds given.
inline void writeSceneryData(const std::string& dir,
                             const std::map<int, std::vector<SceneryRecord>>& lists,
                             const std::map<int, std::string>& backgrounds) {
  testMakeDirectories((dir + "/animbacks").c_str());
  testWriteFile(dir + "/gameobjs.txt", catalogueText());
  for (const SceneryTestPicture& p : kCataloguePictures) {
    testWriteFile(dir + "/" + p.file, tgaFile(16, 16, p.color, 255));
  }
  for (int i = 0; i < 16; ++i) {
    const auto found = lists.find(i);
    testWriteFile(dir + "/animbacks/level" + std::to_string(i) + ".lev",
                  listFile(found == lists.end() ? std::vector<SceneryRecord>{} : found->second));
  }
  for (const auto& [index, bytes] : backgrounds) {
    testWriteFile(dir + "/animbacks/_a_back" + std::to_string(index) + ".jpg", bytes);
  }
}

}  // namespace
