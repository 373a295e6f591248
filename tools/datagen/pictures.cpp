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

using Drawer = Image (*)(int number);

struct PictureRow {
  const char* name;  // printf pattern when count > 1
  int count;         // how many numbered pictures the pattern makes
  int first;         // first number
  int width;         // the size the game expects; a drawer that differs fails the build
  int height;
  Place place;
  Drawer draw;
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
const PictureRow kPictures[] = {
    {"loadscreen.jpg", 1, 0, 800, 600, Place::Root, title},
    {"loadbar.jpg", 1, 0, 310, 48, Place::Root, loadBar},
    {"particles.tga", 1, 0, 512, 512, kTga, particleSheet},
    {"lightning.jpg", 1, 0, 64, 64, kJpg, lightning},
    {"flare.jpg", 1, 0, 128, 128, kJpg, flare},
    {"podsvet.jpg", 1, 0, 256, 64, kJpg, menuGlowBar},
    {"menutex.tga", 1, 0, 256, 512, kTga, menuAtlas},
    {"white.jpg", 1, 0, 128, 128, kJpg, white},
    {"winfill.jpg", 1, 0, 64, 64, kJpg, windowFill},
    {"baloon.tga", 1, 0, 256, 128, kTga, balloon},
    {"button.tga", 1, 0, 128, 64, kTga, button},
    {"bal%.2i.tga", 8, 0, 64, 64, kTga, ball},
    {"jocker.tga", 1, 0, 64, 64, kTga, joker},
    {"bomb.tga", 1, 0, 64, 64, kTga, tripleBomb},
    {"superbomb.tga", 1, 0, 64, 64, kTga, quadroBomb},
    {"diamond01%.2i.tga", 16, 0, 64, 64, kTga, diamond},
    {"zep2.tga", 1, 0, 64, 64, kTga, chain},
    {"shadow.tga", 1, 0, 64, 64, kTga, shadow},
    {"field%i.tga", 3, 0, 64, 64, kTga, floorTile},
    {"field1a.tga", 1, 0, 64, 64, kTga, floorGlint1},
    {"field2a.tga", 1, 0, 64, 64, kTga, floorGlint2},
    {"fieldspodsv.tga", 1, 0, 64, 64, kTga, cellHighlight},
    {"route_head.tga", 1, 0, 64, 64, kTga, routeHead},
    {"route_straight.tga", 1, 0, 64, 64, kTga, routeStraight},
    {"route_corner.tga", 1, 0, 64, 64, kTga, routeCorner},
    {"route_tail.tga", 1, 0, 64, 64, kTga, routeTail},
    {"question.tga", 1, 0, 64, 64, kTga, question},
    {"gamebar.tga", 1, 0, 128, 512, kTga, gameBar},
    {"heart.tga", 1, 0, 32, 32, kTga, heart},
    {"molotok1.tga", 1, 0, 64, 128, kTga, hammerDark},
    {"molotok2.tga", 1, 0, 64, 128, kTga, hammerLit},
    {"hammer_lum.jpg", 1, 0, 64, 128, kJpg, hammerGlow},
    {"levelbar1.tga", 1, 0, 64, 512, kTga, levelBarFrame},
    {"levelbar2.tga", 1, 0, 64, 512, kTga, levelBarFill},
    {"cursorhammer.tga", 1, 0, 64, 64, kTga, hammerCursor},
    {"menumap.jpg", 1, 0, 800, 600, kJpg, adventureMap},
    {"levelmark.tga", 1, 0, 32, 32, kTga, levelMark},
    {"artefact%i.tga", 15, 1, 64, 64, kTga, artefact},
};

constexpr int kBackgroundCount = 16;
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
  for (const PictureRow& row : kPictures) {
    for (int i = 0; i < row.count; ++i) {
      const int number = row.first + i;
      const std::string name = row.count > 1 ? format(row.name, number) : row.name;
      const Image image = row.draw(number);
      if (image.width != row.width || image.height != row.height) {
        reportError(name, 0, format("drawn %ix%i, the game expects %ix%i", image.width,
                                    image.height, row.width, row.height));
        continue;
      }
      addPicture(row.place, name, image);
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
