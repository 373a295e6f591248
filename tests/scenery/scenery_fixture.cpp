// The scenery tests' recording device and data folder.
#include "scenery_fixture.h"

#include <list>

#include "platform/platform.h"
#include "render/mesh.h"
#include "render/render.h"
#include "render/texture.h"
#include "resources/resources.h"
#include "scenery/scenery.h"
#include "scenery_data.h"

namespace {

std::list<std::string> g_memoryFiles;

// Background 1: a sky, a waterfall with its 100 x 30 spray, two oak leaves (the
// second mirrored and shaded), rocks behind and before the picture, a name the
// catalogue lacks, and still water.
std::vector<SceneryRecord> listOne() {
  return {placed("sky_test", {-400, 300, 400, 100}),
          placed("waterfall_test", {200, 100, 260, -100}, {0, 40}),
          placed("spray_test", {180, -100, 280, -130}),
          placed("leaves1_a", {-400, 300, -240, 180}),
          placed("rock_behind", {0, 0, 40, -40}, {0, 0}, false, true),
          placed("leaves1_b", {240, 300, 400, 180}, {30, 40}, true),
          placed("rock_front", {-100, -200, -20, -260}),
          placed("ghost", {-50, 50, 50, -50}),
          placed("water_test", {-400, -250, 400, -300}, {50, 0})};
}

}  // namespace

std::string& SceneryTest::dataDirectory() {
  static std::string dir;
  return dir;
}

void SceneryTest::SetUpTestSuite() {
  if (!dataDirectory().empty()) return;
  dataDirectory() = testTempDirectory("scenery-data");
  writeSceneryData(dataDirectory(),
                   {{0, {placed("sky_test", {-400, 300, 400, 0})}},
                    {1, listOne()},
                    {2, {placed("leaves2_c", {-400, 300, -200, 100}),
                         placed("rock_front", {0, 0, 50, -50})}}},
                   {{0, backgroundFile({90, 60, 120}, 100)},
                    {1, backgroundFile({120, 100, 60}, 200)},
                    {2, backgroundFile({60, 100, 140}, 200)}});
}

void SceneryTest::SetUp() {
  resetRender();
  display.screenWidth = 640;
  display.screenHeight = 480;
  sysCreateHeadlessWindow(640, 480);
  ASSERT_TRUE(createDevice(DevBackend::Recording));
  begin2D();
  Matrix4 view = identity();
  translate(&view, 0.0f, 0.0f, 50.0f);
  setViewTransform(&view);
  setOrthoProjection(800.0f, 600.0f, 1.0f, 500.0f);
  previousDirectory_ = sysCurrentDirectory();
  ASSERT_TRUE(sysChangeDirectory(dataDirectory().c_str()));
  resetScenery();
  loadScenery();
}

void SceneryTest::TearDown() {
  resetScenery();
  releaseAllMeshes();
  releaseAllTextures();
  releaseDevice();
  clearFileTable();
  g_memoryFiles.clear();
  resetRender();
  sysChangeDirectory(previousDirectory_.c_str());
}

void SceneryTest::drawFrame() {
  devResetFrame();
  drawSceneryWithTransition();
}

std::vector<DevRecordedDraw> SceneryTest::primitiveDraws() const {
  std::vector<DevRecordedDraw> out;
  for (const DevRecordedDraw& d : devRecording().draws) {
    if (d.kind == DevRecordKind::Primitives) out.push_back(d);
  }
  return out;
}

std::vector<DevVertex> SceneryTest::verticesOf(const DevRecordedDraw& d) const {
  const std::vector<DevVertex>& all = devRecording().vertices;
  return std::vector<DevVertex>(all.begin() + d.firstVertex,
                                all.begin() + d.firstVertex + d.vertexCount);
}

DevTexture* SceneryTest::textureOf(const char* name) {
  const TextureEntry* entry = findTexture(name);
  return entry ? entry->texture : nullptr;
}

void SceneryTest::addMemoryFile(const char* name, const std::string& bytes) {
  g_memoryFiles.push_back(bytes);
  std::string& kept = g_memoryFiles.back();
  ASSERT_NE(registerFile(name, uint32_t(kept.size()), reinterpret_cast<uint8_t*>(kept.data()),
                         false),
            nullptr);
}
