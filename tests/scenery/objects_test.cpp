// Game objects: ".cgo" descriptions, the catalogue's entries with their pictures
// and objects, one object per file name, and meshes culled by the view.
#include <gtest/gtest.h>

#include <string>

#include "../render/mesh_file.h"
#include "platform/picture.h"
#include "platform/platform.h"
#include "render/texture.h"
#include "scenery/game_object_registry.h"
#include "scenery_data.h"
#include "scenery_fixture.h"

namespace {

const char* kDescription =
    "nummeshes=2\r\nmesh0=body.msh_s\r\ntexture0=body.tga\r\nmesh1=lid.msh_s  \r\n"
    "numbounds=2\r\nbound0.name=ring\r\nbound0.b_circle=1\r\nbound0.center.x=1.5\r\n"
    "bound0.center.y=-2\r\nbound0.center.z=3\r\nbound0.radius=4\r\n"
    "bound1.name=box\r\nbound1.b_circle=0\r\nbound1.center.x=7\r\nbound1.dx=2.5\r\n";

bool parse(const std::string& text, GameObjectDescription* out) {
  return parseGameObjectDescription(reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                                    out);
}

std::string withoutCarriageReturns(std::string text) {
  std::erase(text, '\r');
  return text;
}

std::string jpegFile() {
  std::vector<uint8_t> rgb(8 * 8 * 3, 100);
  std::vector<uint8_t> out;
  picEncodeJpeg(rgb.data(), 8, 8, 3, 90, &out);
  return std::string(out.begin(), out.end());
}

}  // namespace

TEST(GameObjectDescription, ListsMeshesTexturesAndBoundsWithinItsTables) {
  for (const std::string& text : {std::string(kDescription), withoutCarriageReturns(kDescription)}) {
    GameObjectDescription d;
    ASSERT_TRUE(parse(text, &d)) << d.problem;
    ASSERT_EQ(d.meshCount, 2);
    EXPECT_STREQ(d.meshNames[0], "body.msh_s");
    EXPECT_STREQ(d.textureNames[0], "body.tga");
    EXPECT_STREQ(d.meshNames[1], "lid.msh_s") << "the line ends the name, blanks and all";
    EXPECT_STREQ(d.textureNames[1], "");
    ASSERT_EQ(d.boundCount, 2);
    EXPECT_STREQ(d.bounds[0].name, "ring");
    EXPECT_TRUE(d.bounds[0].isCircle);
    EXPECT_FLOAT_EQ(d.bounds[0].center.y, -2.0f);
    EXPECT_FLOAT_EQ(d.bounds[0].radius, 4.0f);
    EXPECT_FALSE(d.bounds[1].isCircle);
    EXPECT_FLOAT_EQ(d.bounds[1].halfWidth, 2.5f);
    EXPECT_FLOAT_EQ(d.bounds[1].center.y, 0.0f) << "absent numbers read 0";
  }
  // Counts outside the tables are cut.
  GameObjectDescription d;
  EXPECT_TRUE(parse("nummeshes=-4\r\nnumbounds=-1\r\n", &d));
  EXPECT_EQ(d.meshCount, 0);
  EXPECT_EQ(d.boundCount, 0);
  EXPECT_FALSE(parse("nummeshes=1000000\r\nnumbounds=99\r\n", &d));
  EXPECT_EQ(d.meshCount, kMaxObjectMeshes);
  EXPECT_EQ(d.boundCount, kMaxObjectBounds);
  EXPECT_NE(std::string(d.problem).find("nummeshes="), std::string::npos) << d.problem;
}

class GameObjectTest : public SceneryTest {
 protected:
  void SetUp() override {
    SceneryTest::SetUp();
    addMemoryFile("cube.msh_s", [] {
      const std::vector<uint8_t> bytes = encode(cube(false));
      return std::string(bytes.begin(), bytes.end());
    }());
    addMemoryFile("thing.tga", tgaFile(8, 8, {200, 0, 0}, 128));
    addMemoryFile("plain.jpg", jpegFile());
    addMemoryFile("thing.cgo",
                  "nummeshes=2\r\nmesh0=cube.msh_s\r\ntexture0=thing.tga\r\n"
                  "mesh1=cube.msh_s\r\ntexture1=plain.jpg\r\n");
    addMemoryFile("gameobjs.txt",
                  "[things/]\r\npic=sky.tga\r\nobj=thing.cgo\r\nodd=readme.txt\r\n"
                  "again=thing.cgo\r\npic=pool.tga\r\n[/things]\r\n");
    loadGameObjects();
  }
};

TEST_F(GameObjectTest, EntriesHoldTheirPictureOrTheirObjectLoadedOnce) {
  ASSERT_EQ(gameObjects.entryCount, 5);
  ASSERT_EQ(gameObjects.groupCount, 1);
  EXPECT_STREQ(gameObjects.groups[0], "things");
  for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(gameObjects.entries[i].group, 0);
  EXPECT_EQ(findGameObjectEntry("pic")->texture, nullptr) << "loaded when a background shows it";
  const TextureEntry* picture = gameObjectPicture(findGameObjectEntry("pic"));
  EXPECT_EQ(picture, findTexture("pool.tga")) << "the later wins";
  const GameObjectEntry* odd = findGameObjectEntry("odd");
  ASSERT_NE(odd, nullptr);
  EXPECT_EQ(odd->texture, nullptr);
  EXPECT_EQ(odd->object, nullptr);
  EXPECT_EQ(findGameObjectEntry("sky_test"), nullptr) << "the table was refilled";

  const GameObject* thing = findGameObjectEntry("obj")->object;
  ASSERT_NE(thing, nullptr);
  EXPECT_EQ(findGameObjectEntry("again")->object, thing);
  EXPECT_EQ(getGameObject("thing.cgo"), thing);
  EXPECT_EQ(gameObjects.registryCount, 1);
  ASSERT_EQ(thing->meshCount, 2);
  EXPECT_EQ(thing->meshes[0], thing->meshes[1]) << "one mesh file, loaded once";
  EXPECT_EQ(thing->textures[1], findTexture("plain.jpg"));
  EXPECT_EQ(getGameObject("readme.txt"), nullptr);
}

TEST_F(GameObjectTest, MeshesOutsideTheViewAreSkipped) {
  GameObject* thing = getGameObject("thing.cgo");
  thing->transform = identity();
  translate(&thing->transform, 10.0f, 20.0f, 0.0f);
  thing->hasMeshTransform[1] = true;
  thing->meshTransforms[1] = identity();
  translate(&thing->meshTransforms[1], 5000.0f, 0.0f, 0.0f);
  devResetFrame();
  drawGameObject(thing);
  const std::vector<DevRecordedDraw>& draws = devRecording().draws;
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].kind, DevRecordKind::Buffer);
  EXPECT_FLOAT_EQ(draws[0].world.m[12], 10.0f);
  EXPECT_FLOAT_EQ(draws[0].world.m[13], 20.0f);
  EXPECT_TRUE(draws[0].state.alphaTest) << "a picture with alpha is tested and blended";
  EXPECT_TRUE(draws[0].state.alphaBlend);
  EXPECT_FALSE(devState().alphaBlend);
  EXPECT_FALSE(devState().alphaTest);

  translate(&thing->meshTransforms[1], -5000.0f, 0.0f, 0.0f);
  devResetFrame();
  drawGameObject(thing);
  ASSERT_EQ(devRecording().draws.size(), 2u);
  EXPECT_FALSE(devRecording().draws[1].state.alphaTest);
  EXPECT_EQ(devRecording().draws[1].state.texture, textureOf("plain.jpg"));
}

TEST_F(GameObjectTest, AMissingDescriptionStopsTheProgram) {
  EXPECT_EXIT(
      {
        sysSetMessageBoxHandler(nullptr);
        getGameObject("absent.cgo");
      },
      ::testing::ExitedWithCode(1), "Can't load absent.cgo");
}
