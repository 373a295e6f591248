// The game-scene fixture: a recording device, the scene's pictures in memory and a
// board from letters.
#include "scene_fixture.h"

#include <cstdio>
#include <cstring>
#include <cmath>
#include <list>

#include "app/scene.h"
#include "effects/effects.h"
#include "game/game.h"
#include "platform/picture.h"
#include "platform/platform.h"
#include "persistence/profile.h"
#include "render/render.h"
#include "render/text.h"
#include "render/texture.h"
#include "resources/resources.h"
#include "test_support.h"
#include "ui/menu.h"

namespace {

// Keeps the bytes of every in-memory file alive until TearDown.
std::list<std::vector<uint8_t>> g_files;

void addFile(const std::string& name, std::vector<uint8_t> bytes) {
  g_files.push_back(std::move(bytes));
  registerFile(name.c_str(), uint32_t(g_files.back().size()), g_files.back().data(), false);
}

void addPicture(const std::string& name, int w, int h) {
  const uint32_t c = testPictureColour(name);
  std::vector<uint8_t> rgba(size_t(w) * size_t(h) * 4);
  for (size_t i = 0; i < rgba.size(); i += 4) {
    rgba[i] = uint8_t(c >> 16);
    rgba[i + 1] = uint8_t(c >> 8);
    rgba[i + 2] = uint8_t(c);
    rgba[i + 3] = 255;
  }
  std::vector<uint8_t> bytes;
  picEncodeTga(rgba.data(), w, h, &bytes);
  addFile(name, bytes);
}

std::vector<std::string> boardPictureNames() {
  std::vector<std::string> names;
  char name[32];
  for (int i = 0; i < 8; ++i) {
    std::snprintf(name, sizeof name, "bal%.2i.tga", i);
    names.push_back(name);
  }
  for (int i = 0; i < 16; ++i) {
    std::snprintf(name, sizeof name, "diamond01%.2i.tga", i);
    names.push_back(name);
  }
  for (const char* n : {"jocker.tga", "bomb.tga", "superbomb.tga", "zep2.tga", "shadow.tga",
                        "field0.tga", "field1.tga", "field2.tga", "field1a.tga", "field2a.tga",
                        "fieldspodsv.tga", "route_head.tga", "route_straight.tga",
                        "route_corner.tga", "route_tail.tga", "question.tga", "heart.tga",
                        "cursorhammer.tga", "baloon.tga"}) {
    names.push_back(n);
  }
  return names;
}

// Advances of 16 texels (1.0) in a 512-wide atlas of 16 cells; cell = code.
std::vector<uint8_t> fontMetrics() {
  std::vector<uint8_t> m(516, 0);
  const int32_t n = 16;
  std::memcpy(m.data(), &n, 4);
  for (int k = 0; k < 256; ++k) {
    m[size_t(4 + k)] = 16;
    m[size_t(260 + k)] = uint8_t(k);
  }
  return m;
}

void addScenePictures() {
  for (const std::string& name : boardPictureNames()) addPicture(name, 64, 64);
  addPicture("gamebar.tga", 128, 512);
  addPicture("molotok1.tga", 64, 128);
  addPicture("molotok2.tga", 64, 128);
  addPicture("hammer_lum.jpg", 64, 128);
  addPicture("flare.jpg", 128, 128);
  addPicture("levelbar1.tga", 64, 512);
  addPicture("levelbar2.tga", 64, 512);
  addPicture("white.jpg", 128, 128);
  addPicture("podsvet.jpg", 16, 16);
  addPicture("font.tga", 64, 64);
  addFile("font.dat", fontMetrics());
}

int valueOf(char c, int* chains) {
  *chains = 0;
  if (c >= 'a' && c <= 'h') return c - 'a';
  if (c >= 'K' && c <= 'N') return c - 'A';
  if (c >= 'A' && c <= 'H') {
    *chains = 1;
    return c - 'A';
  }
  return Ball::Empty;
}

}  // namespace

uint32_t testPictureColour(const std::string& name) {
  // A colour of its own per name, never too dark to see.
  uint32_t h = 2166136261u;
  for (char c : name) h = (h ^ uint8_t(c)) * 16777619u;
  return 0xFF000000u | (h & 0x007F7F7Fu) | 0x00404040u;
}

void SceneTest::SetUp() {
  resetRender();
  resetGame();
  resetEffects();
  resetMenus();
  resetPersistence();
  // What the game saves (the records after a game over) goes to this test's folder.
  std::snprintf(dataLocation.dataDirectory, sizeof dataLocation.dataDirectory, "%s/",
                testTempDirectory("scene").c_str());
  display.screenWidth = 640;
  display.screenHeight = 480;
  sysCreateHeadlessWindow(640, 480);
  ASSERT_TRUE(createDevice(DevBackend::Recording));
  addScenePictures();
  ASSERT_TRUE(loadFont("font"));
  loadGameTextures();
  // Tips need their texts; the HUD's labels show their keys without a table.
  const char kTips[] =
      "tipcleanquare=A clean floor.\r\ntooltip=Click me, then anything.\r\n"
      "hammertip=The hammer breaks a ball.\r\n ";
  parseTextFile("tips.txt", reinterpret_cast<const uint8_t*>(kTips), sizeof kTips - 1);
  createProfile("TESTER");
  // The player has read the help: no help screen opens over the board.
  for (uint8_t& pending : currentProfileRecord()->helpShown) pending = 0;
  setCurrentSceneDirectly(&gameScene);
  // Survival: a test board without squares is not a won level.
  gameState.survival = true;
  gameState.running = true;
  gameState.minLineLength = 3;
  gameState.selected = kNoCell;
  gameState.lastMoved = kNoCell;
  gameState.hammerEnabled = true;
  gameState.colourCount = 5;
  gameState.jokerFrequency = 1000000;
  clearBoard(&boards.live);
  devResetFrame();
}

void SceneTest::TearDown() {
  setCurrentSceneDirectly(nullptr);
  releaseAllTextures();
  releaseDevice();
  clearFileTable();
  freeTextTable();
  g_files.clear();
  resetRender();
  resetGame();
}

void SceneTest::setBoard(const std::vector<std::string>& rows) {
  for (size_t j = 0; j < rows.size(); ++j) {
    for (size_t i = 0; i < rows[j].size(); ++i) {
      Cell& cell = cellAt(kFirstColumn + int(i), kFirstRow + int(j));
      const char c = rows[j][i];
      cell = {};
      cell.squareLayers = c == '.' ? -1 : (c == '1' || c == '2' ? c - '0' : 0);
      cell.ballValue = Ball::Empty;
      cell.nextBall = -1;
      cell.pathDistance = -1;
      cell.cellScale = 1.0f;
      cell.moveTargetX = cell.moveTargetY = -1;
      cell.vanishTimer = -1.0f;
      cell.ballValue = valueOf(c, &cell.chainLocks);
    }
  }
  gameState.freeCells = countFreeCells(currentBoard());
}

void SceneTest::addMemoryLevel(const std::string& name, const std::string& text) {
  addFile(name, std::vector<uint8_t>(text.begin(), text.end()));
}

void SceneTest::frame(float dt, Vec2 pointer) {
  clock_ += dt;
  gameSceneUpdate(dt, clock_, pointer);
  drawOnly();
}

void SceneTest::drawOnly() {
  devResetFrame();
  endFrameTexts();
  gameSceneDraw();
}

std::vector<std::string> SceneTest::texts() const {
  std::vector<std::string> out;
  for (int32_t i = 0; i < currentFrameTextCount(); ++i) out.push_back(currentFrameText(i));
  return out;
}

std::vector<DrawnPicture> SceneTest::drawn() const {
  const DevRecording& r = devRecording();
  const TextureEntry* atlas = findTexture(kBoardAtlasName);
  const TextureEntry* font = findTexture("font.tga");
  std::vector<DrawnPicture> out;
  for (const DevRecordedDraw& d : r.draws) {
    if (d.kind != DevRecordKind::Primitives) continue;
    DrawnPicture p;
    p.state = d.state;
    p.corners.assign(r.vertices.begin() + d.firstVertex,
                     r.vertices.begin() + d.firstVertex + d.vertexCount);
    Vec2 sum = {0.0f, 0.0f}, uv = {0.0f, 0.0f};
    for (const DevVertex& v : p.corners) {
      sum = {sum.x + v.x, sum.y + v.y};
      uv = {uv.x + v.u, uv.y + v.v};
    }
    const float n = float(p.corners.size());
    p.centre = {sum.x / n, sum.y / n};
    p.width = std::hypot(p.corners[0].x - p.corners[2].x, p.corners[0].y - p.corners[2].y);
    if (atlas && d.state.texture == atlas->texture) {
      const char* name = boardAtlasPicture({uv.x / n, uv.y / n});
      p.name = name ? name : "atlas?";
    } else if (font && d.state.texture == font->texture) {
      p.name = "text";
    } else {
      for (int32_t i = 0; i < textureCount(); ++i) {
        const TextureEntry* e = textureCache.entries[i];
        if (e->texture == d.state.texture) p.name = e->name;
      }
    }
    out.push_back(p);
  }
  return out;
}

int SceneTest::firstDrawn(const std::string& name) const {
  const std::vector<DrawnPicture> all = drawn();
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i].name == name) return int(i);
  }
  return -1;
}

int SceneTest::lastDrawn(const std::string& name) const {
  const std::vector<DrawnPicture> all = drawn();
  for (size_t i = all.size(); i-- > 0;) {
    if (all[i].name == name) return int(i);
  }
  return -1;
}

int SceneTest::countDrawn(const std::string& name) const {
  int count = 0;
  for (const DrawnPicture& p : drawn()) count += p.name == name;
  return count;
}
