// pictures.cpp: every picture of the data set with its exact name, size, format
// and place, and who draws it. Board, HUD and menu pictures and the particle sheet
// come from the art drawers (art.h); the landscapes, the map and the title have
// drawers of their own kind. Names, sizes and places stay in the table below.
#include <cmath>

#include "art.h"
#include "art_scene.h"
#include "datagen.h"
#include "generators.h"
#include "image.h"

namespace {

enum class Kind : uint8_t {
  Art,        // drawn by the row's own drawer
  Flat,       // opaque marked picture
  Glow,       // soft light on black (additive use)
  Sprite      // a marked shape on transparent
};

using Drawer = Image (*)(int number);

struct PictureSpec {
  const char* name;  // printf pattern when count > 1
  int count;         // how many numbered pictures the pattern makes
  int first;         // first number
  int width;
  int height;
  Kind kind;
  Place place;
  Drawer draw;       // for Kind::Art
};

Image ball(int number) { return drawBallPicture(number); }
Image joker(int) { return drawJokerPicture(); }
Image tripleBomb(int) { return drawBombPicture(false); }
Image quadroBomb(int) { return drawBombPicture(true); }
Image diamond(int number) { return drawDiamondPicture(number); }
Image chain(int) { return drawChainPicture(); }
Image shadow(int) { return drawShadowPicture(); }
Image floorTile(int number) { return drawFloorPicture(number); }
Image floorGlint1(int) { return drawFloorGlintPicture(1); }
Image floorGlint2(int) { return drawFloorGlintPicture(2); }
Image cellHighlight(int) { return drawCellHighlightPicture(); }
Image routeHead(int) { return drawRoutePicture(RoutePiece::Head); }
Image routeStraight(int) { return drawRoutePicture(RoutePiece::Straight); }
Image routeCorner(int) { return drawRoutePicture(RoutePiece::Corner); }
Image routeTail(int) { return drawRoutePicture(RoutePiece::Tail); }
Image question(int) { return drawQuestionPicture(); }
Image heart(int) { return drawHeartPicture(); }
Image hammerDark(int) { return drawHammerGaugePicture(false); }
Image hammerLit(int) { return drawHammerGaugePicture(true); }
Image hammerCursor(int) { return drawHammerCursorPicture(); }
Image levelBarFrame(int) { return drawLevelBarPicture(false); }
Image levelBarFill(int) { return drawLevelBarPicture(true); }
Image gameBar(int) { return drawGameBarPicture(); }
Image particleSheet(int) { return drawParticleSheetPicture(); }
Image menuAtlas(int) { return drawMenuAtlasPicture(); }
Image balloon(int) { return drawBalloonPicture(); }
Image button(int) { return drawButtonPicture(); }
Image white(int) { return drawWhitePicture(); }
Image windowFill(int) { return drawWindowFillPicture(); }
Image title(int) { return drawTitlePicture(); }
Image loadBar(int) { return drawLoadBarPicture(); }
Image lightning(int) { return drawLightningPicture(); }
Image flare(int) { return drawFlarePicture(); }
Image menuGlowBar(int) { return drawMenuGlowBar(); }
Image hammerGlow(int) { return drawHammerGlow(); }
Image adventureMap(int) { return drawAdventureMapPicture(); }
Image levelMark(int) { return drawLevelMark(); }
Image artefact(int number) { return drawArtefact(number); }

constexpr Place kTga = Place::TargaPack;
constexpr Place kJpg = Place::JpegPack;

// Every fixed picture the game loads, and the route pieces the game scene draws.
const PictureSpec kPictures[] = {
    {"loadscreen.jpg", 1, 0, 800, 600, Kind::Art, Place::Root, title},
    {"loadbar.jpg", 1, 0, 310, 48, Kind::Art, Place::Root, loadBar},
    {"particles.tga", 1, 0, 512, 512, Kind::Art, kTga, particleSheet},
    {"lightning.jpg", 1, 0, 64, 64, Kind::Art, kJpg, lightning},
    {"flare.jpg", 1, 0, 128, 128, Kind::Art, kJpg, flare},
    {"podsvet.jpg", 1, 0, 256, 64, Kind::Art, kJpg, menuGlowBar},
    {"menutex.tga", 1, 0, 256, 512, Kind::Art, kTga, menuAtlas},
    {"white.jpg", 1, 0, 128, 128, Kind::Art, kJpg, white},
    {"winfill.jpg", 1, 0, 64, 64, Kind::Art, kJpg, windowFill},
    {"baloon.tga", 1, 0, 256, 128, Kind::Art, kTga, balloon},
    {"button.tga", 1, 0, 128, 64, Kind::Art, kTga, button},
    {"bal%.2i.tga", 8, 0, 64, 64, Kind::Art, kTga, ball},
    {"jocker.tga", 1, 0, 64, 64, Kind::Art, kTga, joker},
    {"bomb.tga", 1, 0, 64, 64, Kind::Art, kTga, tripleBomb},
    {"superbomb.tga", 1, 0, 64, 64, Kind::Art, kTga, quadroBomb},
    {"diamond01%.2i.tga", 16, 0, 64, 64, Kind::Art, kTga, diamond},
    {"zep2.tga", 1, 0, 64, 64, Kind::Art, kTga, chain},
    {"shadow.tga", 1, 0, 64, 64, Kind::Art, kTga, shadow},
    {"field%i.tga", 3, 0, 64, 64, Kind::Art, kTga, floorTile},
    {"field1a.tga", 1, 0, 64, 64, Kind::Art, kTga, floorGlint1},
    {"field2a.tga", 1, 0, 64, 64, Kind::Art, kTga, floorGlint2},
    {"fieldspodsv.tga", 1, 0, 64, 64, Kind::Art, kTga, cellHighlight},
    {"route_head.tga", 1, 0, 64, 64, Kind::Art, kTga, routeHead},
    {"route_straight.tga", 1, 0, 64, 64, Kind::Art, kTga, routeStraight},
    {"route_corner.tga", 1, 0, 64, 64, Kind::Art, kTga, routeCorner},
    {"route_tail.tga", 1, 0, 64, 64, Kind::Art, kTga, routeTail},
    {"question.tga", 1, 0, 64, 64, Kind::Art, kTga, question},
    {"gamebar.tga", 1, 0, 128, 512, Kind::Art, kTga, gameBar},
    {"heart.tga", 1, 0, 32, 32, Kind::Art, kTga, heart},
    {"molotok1.tga", 1, 0, 64, 128, Kind::Art, kTga, hammerDark},
    {"molotok2.tga", 1, 0, 64, 128, Kind::Art, kTga, hammerLit},
    {"hammer_lum.jpg", 1, 0, 64, 128, Kind::Art, kJpg, hammerGlow},
    {"levelbar1.tga", 1, 0, 64, 512, Kind::Art, kTga, levelBarFrame},
    {"levelbar2.tga", 1, 0, 64, 512, Kind::Art, kTga, levelBarFill},
    {"cursorhammer.tga", 1, 0, 64, 64, Kind::Art, kTga, hammerCursor},
    {"menumap.jpg", 1, 0, 800, 600, Kind::Art, kJpg, adventureMap},
    {"levelmark.tga", 1, 0, 32, 32, Kind::Art, kTga, levelMark},
    {"artefact%i.tga", 15, 1, 64, 64, Kind::Art, kTga, artefact},
};

constexpr int kBackgroundCount = 16;
constexpr Rgba kTransparent{0, 0, 0, 0};
constexpr Rgba kLabel{255, 255, 255, 255};

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

Image drawPicture(const PictureSpec& spec, const std::string& name, int number) {
  switch (spec.kind) {
    case Kind::Art: return spec.draw(number);
    case Kind::Flat: return drawFlat(name, spec.width, spec.height);
    case Kind::Glow: return drawGlow(spec.width, spec.height);
    case Kind::Sprite: return drawSprite(name, spec.width, spec.height);
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

// A background painted for its scenery list (read back from the generated
// "level<index>.lev"); every hole the list needs must come out see-through.
void addBackground(int index, const std::vector<SceneryHole>& holes) {
  const std::string name = format("_a_back%i.jpg", index);
  const Image image = drawLandscape(index, readScenePlaces(index));
  for (const SceneryHole& hole : holes) {
    const int x = static_cast<int>((hole.x0 + hole.x1) / 2.0f + 400.0f);
    const int y = static_cast<int>(300.0f - (hole.y0 + hole.y1) / 2.0f);
    if (getPixel(image, x, y).a != 0) reportError(name, 0, format("not see-through at (%i, %i)", x, y));
  }
  std::vector<uint8_t> bytes = encodeJpegWithAlpha(image, 90, name);
  if (!bytes.empty()) addOutput(Place::Animbacks, name, std::move(bytes));
}

// A scenery picture, drawn for the behaviour its entry name gives.
void addCataloguePicture(const CataloguePicture& picture) {
  const std::string& file = picture.fileName;
  const Place place = endsWith(file, ".tga") ? Place::TargaPack : Place::JpegPack;
  addPicture(place, file, drawSceneryPicture(picture.entryName));
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
