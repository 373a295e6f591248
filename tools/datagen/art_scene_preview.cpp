// art_scene_preview.cpp: contact sheets of the landscape pictures for a person
// to look over, written next to the level sheet:
//   "landscapes.png"  the sixteen backgrounds as the game composes them: skies,
//                     water and falls behind, leaves and props in front;
//   "landscape_holes.png"  the same pictures alone, their holes on a checkerboard;
//   "scenery_pictures.png"  the catalogue's pictures and the glows;
//   "adventure_map.png"  the map with its marks and artefacts where the game
//                     draws them;
//   "artefacts.png"   the artefacts lit and faint, and the level mark tinted;
//   "title.png"       the title with the loading bar full and the two lights;
//   "landscapes/background<i>.png"  each composed background at full size.
// Everything is read back from the generated files, so the sheets show what
// the game will decode.
#include <stb_image.h>

#include <filesystem>
#include <fstream>

#include "art_scene.h"
#include "datagen.h"
#include "generators.h"
#include "paint.h"

namespace {

constexpr int kThumbWidth = 400;
constexpr int kThumbHeight = 300;
constexpr int kLabelRow = 20;
constexpr int kColumns = 4;

// A generated picture decoded (straight alpha), or an empty canvas.
Canvas decodeOutput(Place place, const std::string& name) {
  const OutputFile* file = findOutput(place, name);
  if (!file) return makeCanvas(1, 1);
  int width = 0, height = 0, channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(file->bytes.data(), static_cast<int>(file->bytes.size()),
                                          &width, &height, &channels, 4);
  if (!pixels) return makeCanvas(1, 1);
  Image image{width, height, std::vector<uint8_t>(pixels, pixels + static_cast<size_t>(width) * height * 4)};
  stbi_image_free(pixels);
  return imageToCanvas(image);
}

Canvas decodePicture(const std::string& name) {
  for (const Place place : {Place::TargaPack, Place::JpegPack, Place::Root}) {
    if (findOutput(place, name)) return decodeOutput(place, name);
  }
  return makeCanvas(1, 1);
}

// A background with its alpha plane put back on.
Canvas decodeBackground(int index) {
  const std::string name = format("_a_back%i.jpg", index);
  Canvas canvas = decodeOutput(Place::Animbacks, name);
  const OutputFile* file = findOutput(Place::Animbacks, name);
  const size_t plane = static_cast<size_t>(canvas.width) * canvas.height;
  if (!file || file->bytes.size() < plane) return canvas;
  const uint8_t* alpha = file->bytes.data() + file->bytes.size() - plane;
  for (size_t i = 0; i < plane; ++i) {
    Colour& p = canvas.pixels[i];
    const float a = alpha[i] / 255.0f;
    p = Colour{p.r * a, p.g * a, p.b * a, a};
  }
  return canvas;
}

// Texel of a repeating texture (nearest).
Colour wrappedTexel(const Canvas& texture, float u, float v) {
  const int x = ((static_cast<int>(std::floor(u * texture.width)) % texture.width) + texture.width) % texture.width;
  const int y = ((static_cast<int>(std::floor(v * texture.height)) % texture.height) + texture.height) % texture.height;
  return texture.pixels[static_cast<size_t>(y) * texture.width + x];
}

// Draws one scenery object the way the game does at clock 0: skies stretched to
// the rectangle's height and repeated across, water one texel per unit, every
// other picture stretched over its rectangle (mirrored when asked).
void drawObject(Canvas* out, const ScenePlace& object) {
  const PlaceKind kind = object.kind;
  if (kind == PlaceKind::Spray) return;
  const Canvas texture = decodePicture(cataloguePictureOf(object.entry));
  if (texture.width <= 1) return;
  const float x0 = object.left + 400.0f, x1 = object.right + 400.0f;
  const float y0 = 300.0f - object.top, y1 = 300.0f - object.bottom;
  const float w = x1 - x0, h = y1 - y0;
  for (int y = std::max(0, static_cast<int>(y0)); y < std::min(out->height, static_cast<int>(std::ceil(y1))); ++y) {
    for (int x = std::max(0, static_cast<int>(x0)); x < std::min(out->width, static_cast<int>(std::ceil(x1))); ++x) {
      float u = (x + 0.5f - x0) / w, v = (y + 0.5f - y0) / h;
      if (object.mirrored) u = 1.0f - u;
      Colour c;
      if (kind == PlaceKind::Sky) {
        c = wrappedTexel(texture, u * (w / h) * (static_cast<float>(texture.height) / texture.width), v);
      } else if (kind == PlaceKind::Water || kind == PlaceKind::Waterfall) {
        c = wrappedTexel(texture, u * w / texture.width, v * h / texture.height);
      } else {
        c = sampleBilinear(texture, u * texture.width, v * texture.height);
        if (kind == PlaceKind::Leaves) {
          const float shade = 1.0f - object.shade / 255.0f;
          c = Colour{c.r * shade, c.g * shade, c.b * shade, c.a};
        }
      }
      Colour& p = out->pixels[static_cast<size_t>(y) * out->width + x];
      const float keep = 1.0f - c.a;
      p = Colour{c.r + p.r * keep, c.g + p.g * keep, c.b + p.b * keep, c.a + p.a * keep};
    }
  }
}

// The background as the game composes it from its list.
Canvas composeBackground(int index) {
  Canvas out = makeCanvas(kBackgroundWidth, kBackgroundHeight, kBlack);
  const std::vector<ScenePlace> places = readScenePlaces(index);
  for (const ScenePlace& object : places) {
    if (object.behind) drawObject(&out, object);
  }
  compositeOver(&out, decodeBackground(index), 0, 0);
  for (const ScenePlace& object : places) {
    if (!object.behind) drawObject(&out, object);
  }
  return out;
}

Canvas checkerboard(int width, int height) {
  Canvas board = makeCanvas(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool dark = ((x / 12) + (y / 12)) % 2 == 0;
      board.pixels[static_cast<size_t>(y) * width + x] = dark ? rgb(120, 120, 130) : rgb(190, 190, 200);
    }
  }
  return board;
}

// Sixteen pictures in a grid of half-size thumbnails with their numbers.
Canvas sheetOf(Canvas (*picture)(int)) {
  const int rows = 4;
  Canvas sheet = makeCanvas(kColumns * (kThumbWidth + 8) + 8, rows * (kThumbHeight + kLabelRow + 8) + 8, rgb(24, 26, 32));
  for (int i = 0; i < 16; ++i) {
    const Canvas full = picture(i);
    const Canvas thumb = downsample(full, 2);
    const int left = 8 + (i % kColumns) * (kThumbWidth + 8);
    const int top = 8 + (i / kColumns) * (kThumbHeight + kLabelRow + 8);
    compositeOver(&sheet, thumb, left, top + kLabelRow);
    paintLabel(&sheet, format("background %i", i).c_str(), left + kThumbWidth / 2.0f, top + 15.0f, 14.0f,
               rgb(230, 230, 230));
  }
  return sheet;
}

Canvas holesOnChecks(int index) {
  Canvas out = checkerboard(kBackgroundWidth, kBackgroundHeight);
  compositeOver(&out, decodeBackground(index), 0, 0);
  return out;
}

// The point of the road at distance d (clamped to its ends).
Point roadAt(const std::vector<Point>& road, float d) {
  float along = 0.0f;
  for (size_t k = 1; k < road.size(); ++k) {
    const float step = length(road[k] - road[k - 1]);
    if (along + step >= d) return road[k - 1] + (road[k] - road[k - 1]) * (std::max(0.0f, d - along) / step);
    along += step;
  }
  return road.back();
}

// A sprite drawn additively or over, centred, turned and scaled to `size` pixels.
void placeSprite(Canvas* out, const Canvas& sprite, Point centre, float degrees, float size, Colour tint) {
  Canvas tinted = sprite;
  tintCanvas(&tinted, tint);
  drawCanvas(out, tinted, centre, degrees, size / sprite.width);
}

// The map as the game shows it: artefacts of the first zones lit, the rest
// faint; level marks red, the reached ones green, a few locked.
Canvas composeMap() {
  Canvas out = decodePicture("menumap.jpg");
  std::vector<Point> road;
  for (const RoadPoint& p : readRoad()) road.push_back(Point{p.x + 400.0f, 300.0f - p.y});
  if (road.size() < 2 || out.width <= 1) return out;
  float total = 0.0f;
  for (size_t k = 1; k < road.size(); ++k) total += length(road[k] - road[k - 1]);
  const float a = total / 14.0f;
  for (int i = 0; i <= 14; ++i) {
    const Canvas artefact = decodePicture(format("artefact%i.tga", i + 1));
    const Point at = roadAt(road, std::min(a * i, a * 14.0f - 0.1f));
    placeSprite(&out, artefact, at, 0.0f, 64.0f, i <= 5 ? kWhite : rgb(255, 255, 155, 100));
  }
  const Canvas mark = decodePicture("levelmark.tga");
  for (int i = 0; i < 70; ++i) {
    const float d = a * (i / 5) + 33.0f + (i % 5 + 0.5f) * (a - 66.0f) / 5.0f;
    const Point p1 = roadAt(road, d - 2.0f), p2 = roadAt(road, d + 2.0f);
    const float degrees = std::atan2(p2.y - p1.y, p2.x - p1.x) * 180.0f / kPi;
    const Colour tint = i < 27 ? rgb(255, 55, 55) : (i == 27 ? rgb(130, 200, 0) : rgb(255, 255, 155, 100));
    placeSprite(&out, mark, p1, degrees, 16.0f, tint);
  }
  return out;
}

// The title as the game shows it once loaded: the full bar, the two green
// lights at their brightest and the "Press any key..." line.
Canvas composeTitle() {
  Canvas out = decodePicture("loadscreen.jpg");
  if (out.width <= 1) return out;
  compositeOver(&out, decodePicture("loadbar.jpg"), 251, 543);
  const Canvas sheet = decodePicture("particles.tga");
  Canvas glow = makeCanvas(64, 64);
  if (sheet.width >= 512) {
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) glow.pixels[static_cast<size_t>(y) * 64 + x] = sheet.pixels[static_cast<size_t>(64 + y) * sheet.width + 256 + x];
    }
  }
  for (int side = -1; side <= 1; side += 2) {
    Canvas light = makeCanvas(96, 96);
    drawCanvas(&light, glow, Point{48.0f, 48.0f}, 160.0f, 90.0f / 64.0f);
    tintCanvas(&light, rgb(110, 220, 110, 220));
    compositeAdd(&out, light, 412 + side * 26 - 48, 378 - 48);
  }
  paintLabel(&out, "Press any key...", 410.0f, 573.0f, 18.0f, rgb(255, 255, 220));
  return out;
}

// The artefacts and the level mark at twice their size, lit and faint, on a
// ground like the map's.
Canvas composeArtefacts() {
  Canvas out = makeCanvas(15 * 136 + 16, 2 * 136 + 120, rgb(150, 196, 120));
  for (int i = 0; i < 15; ++i) {
    const Canvas artefact = decodePicture(format("artefact%i.tga", i + 1));
    for (int row = 0; row < 2; ++row) {
      placeSprite(&out, artefact, Point{76.0f + i * 136.0f, 76.0f + row * 136.0f}, 0.0f, 128.0f,
                  row == 0 ? kWhite : rgb(255, 255, 155, 100));
    }
  }
  const Canvas mark = decodePicture("levelmark.tga");
  const Colour tints[4] = {rgb(255, 55, 55), rgb(255, 240, 55), rgb(55, 255, 0), rgb(255, 255, 155, 100)};
  for (int i = 0; i < 4; ++i) placeSprite(&out, mark, Point{76.0f + i * 136.0f, 340.0f}, 0.0f, 64.0f, tints[i]);
  return out;
}

// The scenery catalogue's pictures and the glows, each fitted into a cell on a
// checkerboard (so transparency shows) with its file name.
Canvas composeSceneryPictures() {
  const char* const names[] = {"sky_day.jpg",        "sky_dusk.jpg",       "sky_night.jpg",   "sky_sand.jpg",
                               "water_pool.jpg",     "water_brook.jpg",    "waterfall_wide.jpg", "waterfall_thin.jpg",
                               "spray_mist.jpg",     "leaves_oak.tga",     "leaves_willow.tga", "leaves_fern.tga",
                               "rock_big.tga",       "lantern.tga",        "pine_tree.tga",   "flare.jpg",
                               "podsvet.jpg",        "lightning.jpg",      "hammer_lum.jpg"};
  constexpr int kCellSize = 200, kPerRow = 5;
  const int count = static_cast<int>(sizeof names / sizeof names[0]);
  const int rows = (count + kPerRow - 1) / kPerRow;
  Canvas out = makeCanvas(kPerRow * (kCellSize + 10) + 10, rows * (kCellSize + 30) + 10, rgb(24, 26, 32));
  for (int i = 0; i < count; ++i) {
    const int left = 10 + (i % kPerRow) * (kCellSize + 10), top = 10 + (i / kPerRow) * (kCellSize + 30);
    compositeOver(&out, checkerboard(kCellSize, kCellSize), left, top);
    const Canvas picture = decodePicture(names[i]);
    const float scale = std::min(static_cast<float>(kCellSize) / picture.width, static_cast<float>(kCellSize) / picture.height);
    drawCanvas(&out, picture, Point{left + kCellSize * 0.5f, top + kCellSize * 0.5f}, 0.0f, scale);
    paintLabel(&out, names[i], left + kCellSize * 0.5f, top + kCellSize + 20.0f, 13.0f, rgb(230, 230, 230));
  }
  return out;
}

bool writeSheet(const Canvas& sheet, const char* name) {
  return writeToolFile(gen.previewDir + "/" + name, encodePng(canvasToImage(sheet)), "preview");
}

}  // namespace

bool writeLandscapeSheets() {
  loadTypeface();
  std::error_code error;
  std::filesystem::create_directories(gen.previewDir + "/landscapes", error);
  for (int i = 0; i < 16; ++i) {
    if (!writeSheet(composeBackground(i), format("landscapes/background%i.png", i).c_str())) return false;
  }
  return writeSheet(sheetOf(composeBackground), "landscapes.png") &&
         writeSheet(sheetOf(holesOnChecks), "landscape_holes.png") &&
         writeSheet(composeSceneryPictures(), "scenery_pictures.png") &&
         writeSheet(composeMap(), "adventure_map.png") && writeSheet(composeArtefacts(), "artefacts.png") &&
         writeSheet(composeTitle(), "title.png");
}
