// pictures.cpp: every picture of the data set with its exact name, size, format
// and place. Until the artwork lands each one is a plainly marked placeholder
// drawn here: a flat colour or a simple shape with the file name written on it,
// transparent around sprites, bright on black for additive glows, and with the
// layout the game relies on (sprite-sheet cells, menu atlas cells, the panel's
// buttons, the backgrounds' transparent holes). The artwork replaces the drawer
// of a picture kind; names, sizes and places stay in the table below.
#include <cmath>

#include "datagen.h"
#include "generators.h"
#include "image.h"

namespace {

enum class Kind : uint8_t {
  Flat,       // opaque marked picture
  Glow,       // soft light on black (additive use)
  Sprite,     // a marked shape on transparent
  Ball,       // a ball of one colour (variant = colour)
  Diamond,    // one frame of the turning gem (variant = frame)
  Floor,      // a floor tile (variant = square layers)
  Sheet,      // the particle sprite sheet
  MenuAtlas,  // the menu frame atlas
  Balloon,    // the tooltip balloon pieces
  Button,     // the item button caps
  Panel,      // the side panel with its painted buttons
  Bar,        // a tall bar (progress frame or fill)
  LoadScreen  // the title picture with the places the loading scene uses
};

struct PictureSpec {
  const char* name;  // printf pattern when count > 1
  int count;         // how many numbered pictures the pattern makes
  int first;         // first number
  int width;
  int height;
  Kind kind;
  Place place;
};

// Every fixed picture the game loads.
const PictureSpec kPictures[] = {
    {"loadscreen.jpg", 1, 0, 800, 600, Kind::LoadScreen, Place::Root},
    {"loadbar.jpg", 1, 0, 310, 48, Kind::Flat, Place::Root},
    {"particles.tga", 1, 0, 512, 512, Kind::Sheet, Place::TargaPack},
    {"lightning.jpg", 1, 0, 64, 64, Kind::Glow, Place::JpegPack},
    {"flare.jpg", 1, 0, 128, 128, Kind::Glow, Place::JpegPack},
    {"podsvet.jpg", 1, 0, 256, 64, Kind::Glow, Place::JpegPack},
    {"menutex.tga", 1, 0, 256, 512, Kind::MenuAtlas, Place::TargaPack},
    {"white.jpg", 1, 0, 128, 128, Kind::Flat, Place::JpegPack},
    {"winfill.jpg", 1, 0, 64, 64, Kind::Flat, Place::JpegPack},
    {"baloon.tga", 1, 0, 256, 128, Kind::Balloon, Place::TargaPack},
    {"button.tga", 1, 0, 128, 64, Kind::Button, Place::TargaPack},
    {"bal%.2i.tga", 8, 0, 64, 64, Kind::Ball, Place::TargaPack},
    {"jocker.tga", 1, 0, 64, 64, Kind::Sprite, Place::TargaPack},
    {"bomb.tga", 1, 0, 64, 64, Kind::Sprite, Place::TargaPack},
    {"superbomb.tga", 1, 0, 64, 64, Kind::Sprite, Place::TargaPack},
    {"diamond01%.2i.tga", 16, 0, 64, 64, Kind::Diamond, Place::TargaPack},
    {"zep2.tga", 1, 0, 64, 64, Kind::Sprite, Place::TargaPack},
    {"shadow.tga", 1, 0, 64, 64, Kind::Sprite, Place::TargaPack},
    {"field%i.tga", 3, 0, 64, 64, Kind::Floor, Place::TargaPack},
    {"field1a.tga", 1, 0, 64, 64, Kind::Sprite, Place::TargaPack},
    {"field2a.tga", 1, 0, 64, 64, Kind::Sprite, Place::TargaPack},
    {"fieldspodsv.tga", 1, 0, 64, 64, Kind::Sprite, Place::TargaPack},
    {"question.tga", 1, 0, 64, 64, Kind::Sprite, Place::TargaPack},
    {"gamebar.tga", 1, 0, 128, 512, Kind::Panel, Place::TargaPack},
    {"heart.tga", 1, 0, 32, 32, Kind::Sprite, Place::TargaPack},
    {"molotok1.tga", 1, 0, 64, 128, Kind::Sprite, Place::TargaPack},
    {"molotok2.tga", 1, 0, 64, 128, Kind::Sprite, Place::TargaPack},
    {"hammer_lum.jpg", 1, 0, 64, 128, Kind::Glow, Place::JpegPack},
    {"levelbar1.tga", 1, 0, 64, 512, Kind::Bar, Place::TargaPack},
    {"levelbar2.tga", 1, 0, 64, 512, Kind::Bar, Place::TargaPack},
    {"cursorhammer.tga", 1, 0, 64, 64, Kind::Sprite, Place::TargaPack},
    {"menumap.jpg", 1, 0, 800, 600, Kind::Flat, Place::JpegPack},
    {"levelmark.tga", 1, 0, 32, 32, Kind::Sprite, Place::TargaPack},
    {"artefact%i.tga", 15, 1, 64, 64, Kind::Sprite, Place::TargaPack},
};

constexpr int kBackgroundCount = 16;
constexpr Rgba kTransparent{0, 0, 0, 0};
constexpr Rgba kLabel{255, 255, 255, 255};

// Eight clearly different ball colours.
constexpr Rgba kBallColours[8] = {{220, 40, 40, 255},  {245, 150, 20, 255},
                                  {240, 225, 40, 255}, {50, 190, 60, 255},
                                  {40, 200, 220, 255}, {50, 80, 230, 255},
                                  {160, 60, 210, 255}, {240, 110, 190, 255}};

// A steady colour for a name, so every placeholder looks different.
Rgba colourForName(const std::string& name) {
  uint32_t hash = 2166136261u;
  for (const char c : name) hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
  return Rgba{static_cast<uint8_t>(60 + hash % 120), static_cast<uint8_t>(60 + (hash >> 8) % 120),
              static_cast<uint8_t>(60 + (hash >> 16) % 120), 255};
}

Image drawFlat(const std::string& name, int width, int height) {
  Image image = makeImage(width, height, colourForName(name));
  drawBorder(&image, std::max(1, std::min(width, height) / 32), Rgba{255, 255, 255, 255});
  const float size = std::min(height * 0.4f, 40.0f);
  drawCentredLabel(&image, name.c_str(), height * 0.45f, size, width * 0.9f, kLabel);
  if (height >= 100) {
    drawCentredLabel(&image, "placeholder", height * 0.45f + size * 1.3f, size * 0.6f,
                     width * 0.9f, kLabel);
  }
  return image;
}

// Brightness falling off from the centre, stretched to the picture's shape.
Image drawGlow(int width, int height) {
  Image image = makeImage(width, height, Rgba{0, 0, 0, 255});
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float dx = (x + 0.5f - width / 2.0f) / (width / 2.0f);
      const float dy = (y + 0.5f - height / 2.0f) / (height / 2.0f);
      const float d = std::min(1.0f, std::sqrt(dx * dx + dy * dy));
      const uint8_t v = static_cast<uint8_t>(std::lround(255.0f * (1.0f - d) * (1.0f - d)));
      setPixel(&image, x, y, Rgba{v, v, v, 255});
    }
  }
  return image;
}

Image drawSprite(const std::string& name, int width, int height) {
  Image image = makeImage(width, height, kTransparent);
  const float radius = std::min(width, height) * 0.45f;
  fillDisc(&image, width / 2.0f, height / 2.0f, radius, colourForName(name));
  drawCentredLabel(&image, name.c_str(), height / 2.0f, height * 0.3f, width * 0.95f, kLabel);
  return image;
}

Image drawBall(int colour, int size) {
  Image image = makeImage(size, size, kTransparent);
  const Rgba base = kBallColours[colour];
  fillDisc(&image, size / 2.0f, size / 2.0f, size * 0.42f, base);
  fillDisc(&image, size * 0.38f, size * 0.36f, size * 0.12f, Rgba{255, 255, 255, 170});
  drawCentredLabel(&image, format("bal%.2i", colour).c_str(), size * 0.62f, size * 0.22f,
                   size * 0.8f, Rgba{0, 0, 0, 255});
  return image;
}

Image drawDiamond(int frame, int size) {
  Image image = makeImage(size, size, kTransparent);
  const float half = size * 0.42f * std::fabs(std::cos(frame * 3.14159265f / 16.0f)) + 3.0f;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float dx = std::fabs(x + 0.5f - size / 2.0f) / half;
      const float dy = std::fabs(y + 0.5f - size / 2.0f) / (size * 0.42f);
      if (dx + dy <= 1.0f) setPixel(&image, x, y, Rgba{150, 220, 255, 255});
    }
  }
  drawCentredLabel(&image, format("%.2i", frame).c_str(), size / 2.0f, size * 0.3f, size * 0.9f,
                   Rgba{0, 0, 80, 255});
  return image;
}

Image drawFloor(int layers, int size) {
  const Rgba colours[3] = {{150, 140, 120, 255}, {90, 150, 210, 255}, {40, 80, 190, 255}};
  Image image = makeImage(size, size, colours[layers]);
  drawBorder(&image, 3, Rgba{60, 55, 50, 255});
  drawCentredLabel(&image, format("field%i", layers).c_str(), size / 2.0f, size * 0.25f,
                   size * 0.85f, kLabel);
  return image;
}

// Shapes of the particle sheet's cells. The game draws cells 3, 10, 12, 17, 33,
// 34, 53, 61 and 62 itself; the effect files use those and 18, 19 and 26.
enum class Sprite : uint8_t { Glow, Dot, Spark, SoftSpark, Flare, Puff, Ring, Star, Glint,
                              Shard, Fragment, Smoke };
struct SpriteCell {
  int cell;
  Sprite shape;
};
const SpriteCell kSpriteCells[] = {
    {3, Sprite::Spark},  {10, Sprite::SoftSpark}, {12, Sprite::Glow},  {17, Sprite::Dot},
    {18, Sprite::Shard}, {19, Sprite::Fragment},  {26, Sprite::Smoke}, {33, Sprite::Flare},
    {34, Sprite::Puff},  {53, Sprite::Ring},      {61, Sprite::Star},  {62, Sprite::Glint}};

Sprite spriteOfCell(int cell) {
  for (const SpriteCell& entry : kSpriteCells) {
    if (entry.cell == cell) return entry.shape;
  }
  return Sprite::Glow;
}

float clamp01(float v) { return std::max(0.0f, std::min(1.0f, v)); }

// Light 0..1 of a shape at (dx, dy), both -1..1 from the cell centre.
float spriteLight(Sprite shape, float dx, float dy) {
  const float d = std::sqrt(dx * dx + dy * dy);
  const float angle = std::atan2(dy, dx);
  const float core = clamp01(1.0f - d);
  switch (shape) {
    case Sprite::Glow: return core * core;
    case Sprite::Dot: return clamp01(1.0f - 2.2f * d);
    case Sprite::Spark:
      return std::max(clamp01(1.0f - 3.0f * d),
                      core * clamp01(1.0f - std::min(std::fabs(dx), std::fabs(dy)) * 14.0f));
    case Sprite::SoftSpark:
      return core * core * clamp01(1.2f - std::min(std::fabs(dx), std::fabs(dy)) * 5.0f);
    case Sprite::Flare: return core * (0.55f + 0.45f * std::cos(6.0f * angle)) + 0.4f * core * core;
    case Sprite::Puff: return clamp01(1.0f - d) * (0.5f + 0.5f * clamp01(d * 1.6f));
    case Sprite::Ring: return clamp01(1.0f - std::fabs(d - 0.78f) * 9.0f);
    case Sprite::Star: {
      const float edge = 0.45f + 0.4f * std::pow(std::fabs(std::cos(2.5f * (angle + 1.5708f))), 3.0f);
      return clamp01((edge - d) * 8.0f);
    }
    case Sprite::Glint: {
      const float u = std::fabs(dx + dy) * 0.7071f, v = std::fabs(dx - dy) * 0.7071f;
      return std::max(clamp01(1.0f - 3.5f * d), core * clamp01(1.0f - std::min(u, v) * 16.0f));
    }
    case Sprite::Shard: return (std::fabs(dx) * 2.6f + std::fabs(dy) * 1.1f < 0.9f) ? 1.0f : 0.0f;
    case Sprite::Fragment:
      return (std::fabs(dx) < 0.55f && std::fabs(dy) < 0.55f) ? (std::fabs(dx) > 0.45f || std::fabs(dy) > 0.45f ? 1.0f : 0.75f) : 0.0f;
    case Sprite::Smoke: {
      const float ripple = 0.12f * std::sin(5.0f * angle) + 0.08f * std::cos(9.0f * angle + 1.0f);
      return clamp01((0.85f + ripple - d) * 2.5f) * 0.85f;
    }
  }
  return core;
}

// One particle cell: white light on black with a matching alpha.
void drawParticleCell(Image* sheet, int cell) {
  const Sprite shape = spriteOfCell(cell);
  const int ox = (cell % 8) * 64;
  const int oy = (cell / 8) * 64;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const float v = spriteLight(shape, (x + 0.5f - 32.0f) / 32.0f, (y + 0.5f - 32.0f) / 32.0f);
      const uint8_t level = static_cast<uint8_t>(std::lround(clamp01(v) * 255.0f));
      setPixel(sheet, ox + x, oy + y, Rgba{level, level, level, level});
    }
  }
}

Image drawSheet() {
  Image sheet = makeImage(512, 512, Rgba{0, 0, 0, 0});
  for (int cell = 0; cell < 64; ++cell) drawParticleCell(&sheet, cell);
  return sheet;
}

// Menu atlas: frame pieces as bevelled tiles, arrows, knob, check boxes, cursor.
Image drawMenuAtlas() {
  Image atlas = makeImage(256, 512, kTransparent);
  const Rgba frame{200, 170, 110, 255};
  for (int row = 0; row < 8; ++row) {
    for (int col = 0; col < 4; ++col) {
      const int x = col * 64;
      const int y = row * 64;
      fillRect(&atlas, x + 24, y + 24, x + 40, y + 40, frame);
      drawLabel(&atlas, format("%i,%i", col, row).c_str(), x + 32.0f, y + 60.0f, 11.0f,
                Rgba{255, 255, 255, 200});
    }
  }
  fillRect(&atlas, 0, 152, 64, 168, frame);         // horizontal edge (cell 4)
  fillRect(&atlas, 88, 128, 104, 192, frame);       // vertical edge (cell 5)
  for (int i = 0; i < 24; ++i) {                    // arrows (cells 14, 15)
    fillRect(&atlas, 44 - i, 456 + i / 2, 44 - i + 1, 504 - i / 2, frame);
    fillRect(&atlas, 84 + i, 456 + i / 2, 84 + i + 1, 504 - i / 2, frame);
  }
  fillDisc(&atlas, 224.0f, 352.0f, 18.0f, frame);  // slider knob (cell 19)
  fillRect(&atlas, 76, 396, 116, 436, frame);       // check box on (cell 20)
  fillRect(&atlas, 76, 332, 116, 372, Rgba{90, 80, 60, 255});  // check box off (cell 21)
  for (int i = 0; i < 30; ++i) {                    // cursor arrow, tip at (2, 0) of cell 22
    fillRect(&atlas, 194, 448 + i, 194 + i / 2 + 1, 449 + i, Rgba{255, 255, 255, 255});
  }
  fillDisc(&atlas, 160.0f, 480.0f, 24.0f, Rgba{255, 240, 180, 120});  // cursor glow (cell 23)
  return atlas;
}

Image drawBalloon() {
  Image image = makeImage(256, 128, kTransparent);
  const Rgba edge{230, 200, 140, 255};
  fillRect(&image, 32, 32, 64, 64, edge);    // corners meet at the cell centres
  fillRect(&image, 64, 32, 96, 64, edge);
  fillRect(&image, 32, 64, 64, 96, edge);
  fillRect(&image, 64, 64, 96, 96, edge);
  fillRect(&image, 128, 28, 192, 36, edge);  // horizontal edge
  fillRect(&image, 220, 0, 228, 64, edge);   // vertical edge
  for (int i = 0; i < 60; ++i) {             // pointer, tip at the left end
    fillRect(&image, 132 + i * 2, 96 - i / 3, 134 + i * 2, 96 + i / 3 + 1, edge);
  }
  return image;
}

Image drawButton() {
  Image image = makeImage(128, 64, kTransparent);
  fillDisc(&image, 32.0f, 32.0f, 24.0f, Rgba{120, 70, 30, 255});
  fillDisc(&image, 96.0f, 32.0f, 24.0f, Rgba{120, 70, 30, 255});
  fillRect(&image, 32, 8, 96, 57, Rgba{120, 70, 30, 255});
  return image;
}

// The side panel: the buttons the game finds at fixed places are painted in.
Image drawPanel(const std::string& name) {
  Image image = drawFlat(name, 128, 512);
  const Rgba button{90, 60, 30, 255};
  fillRect(&image, 28, 315, 119, 346, button);   // menu
  fillRect(&image, 38, 383, 114, 414, button);   // pause
  drawLabel(&image, "II", 76.0f, 406.0f, 20.0f, kLabel);
  const Rgba schemes[3] = {{60, 70, 160, 255}, {220, 140, 120, 255}, {250, 240, 180, 255}};
  const int centres[3] = {48, 73, 98};
  for (int i = 0; i < 3; ++i) {
    fillRect(&image, centres[i] - 12, 423, centres[i] + 12, 447, schemes[i]);
  }
  return image;
}

Image drawBar(const std::string& name, int width, int height) {
  Image image = makeImage(width, height, kTransparent);
  const bool fill = name == "levelbar2.tga";
  fillRect(&image, 20, 8, 44, height - 8, fill ? Rgba{250, 200, 60, 255} : Rgba{90, 70, 50, 255});
  if (!fill) fillRect(&image, 24, 12, 40, height - 12, kTransparent);
  return image;
}

// The title picture marks where the loading scene draws: the two glowing
// lights, the progress bar and the "Press any key" line.
Image drawLoadScreen(const std::string& name) {
  Image image = drawFlat(name, 800, 600);
  const Rgba mark{255, 255, 255, 255};
  fillDisc(&image, 386.0f, 378.0f, 14.0f, Rgba{60, 200, 60, 255});
  fillDisc(&image, 438.0f, 378.0f, 14.0f, Rgba{60, 200, 60, 255});
  fillRect(&image, 249, 541, 563, 543, mark);
  fillRect(&image, 249, 591, 563, 593, mark);
  fillRect(&image, 249, 541, 251, 593, mark);
  fillRect(&image, 561, 541, 563, 593, mark);
  return image;
}

Image drawPicture(const PictureSpec& spec, const std::string& name, int number) {
  switch (spec.kind) {
    case Kind::Flat: return drawFlat(name, spec.width, spec.height);
    case Kind::Glow: return drawGlow(spec.width, spec.height);
    case Kind::Sprite: return drawSprite(name, spec.width, spec.height);
    case Kind::Ball: return drawBall(number, spec.width);
    case Kind::Diamond: return drawDiamond(number, spec.width);
    case Kind::Floor: return drawFloor(number, spec.width);
    case Kind::Sheet: return drawSheet();
    case Kind::MenuAtlas: return drawMenuAtlas();
    case Kind::Balloon: return drawBalloon();
    case Kind::Button: return drawButton();
    case Kind::Panel: return drawPanel(name);
    case Kind::Bar: return drawBar(name, spec.width, spec.height);
    case Kind::LoadScreen: return drawLoadScreen(name);
  }
  return drawFlat(name, spec.width, spec.height);
}

bool endsWith(const std::string& text, const char* suffix) {
  const std::string tail = suffix;
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Encodes by the name's extension: ".tga" with alpha, ".jpg" opaque.
void addPicture(Place place, const std::string& name, const Image& image) {
  if (endsWith(name, ".tga")) {
    addOutput(place, name, encodeTga(image));
  } else {
    std::vector<uint8_t> jpeg = encodeJpeg(image, 90);
    if (jpeg.empty()) {
      reportError(name, 0, "the JPEG encoder failed");
      return;
    }
    addOutput(place, name, std::move(jpeg));
  }
}

// A background: opaque picture with holes where its scenery shows through.
void addBackground(int index, const std::vector<SceneryHole>& holes) {
  const std::string name = format("_a_back%i.jpg", index);
  Image image = drawFlat(name, 800, 600);
  for (const SceneryHole& hole : holes) {
    // Overlay units (centre origin, y up) to picture pixels (top-left origin).
    const int x0 = static_cast<int>(std::floor(std::min(hole.x0, hole.x1) + 400.0f));
    const int x1 = static_cast<int>(std::ceil(std::max(hole.x0, hole.x1) + 400.0f));
    const int y0 = static_cast<int>(std::floor(300.0f - std::max(hole.y0, hole.y1)));
    const int y1 = static_cast<int>(std::ceil(300.0f - std::min(hole.y0, hole.y1)));
    for (int y = std::max(0, y0); y < std::min(600, y1); ++y) {
      for (int x = std::max(0, x0); x < std::min(800, x1); ++x) {
        Rgba pixel = getPixel(image, x, y);
        pixel.a = 0;
        setPixel(&image, x, y, pixel);
      }
    }
  }
  std::vector<uint8_t> bytes = encodeJpegWithAlpha(image, 90, name);
  if (!bytes.empty()) addOutput(Place::Animbacks, name, std::move(bytes));
}

// Scenery pictures: tiling textures for sky and water, puffs on black for spray,
// sprites with alpha for everything else.
void addCataloguePicture(const CataloguePicture& picture) {
  const std::string& entry = picture.entryName;
  const std::string& file = picture.fileName;
  const Place place = endsWith(file, ".tga") ? Place::TargaPack : Place::JpegPack;
  if (entry.find("spray") != std::string::npos) {
    addPicture(place, file, drawGlow(64, 64));
  } else if (entry.find("sky") != std::string::npos) {
    addPicture(place, file, drawFlat(file, 512, 256));
  } else if (entry.find("water") != std::string::npos) {
    addPicture(place, file, drawFlat(file, 256, 256));
  } else {
    addPicture(place, file, drawSprite(file, 128, 128));
  }
}

}  // namespace

void generatePictures(const std::vector<CataloguePicture>& cataloguePictures,
                      const std::vector<std::vector<SceneryHole>>& holes) {
  loadTypeface();
  for (const PictureSpec& spec : kPictures) {
    for (int i = 0; i < spec.count; ++i) {
      const int number = spec.first + i;
      const std::string name = spec.count > 1 ? format(spec.name, number) : spec.name;
      addPicture(spec.place, name, drawPicture(spec, name, number));
    }
  }
  for (int index = 0; index < kBackgroundCount; ++index) {
    const std::vector<SceneryHole> none;
    addBackground(index, index < static_cast<int>(holes.size()) ? holes[index] : none);
  }
  for (const CataloguePicture& picture : cataloguePictures) {
    // Several entries may share one picture; it is written once.
    if (!pictureExists(picture.fileName)) addCataloguePicture(picture);
  }
}
