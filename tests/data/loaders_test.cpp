// The game's readers for menu files, particle effects, the scenery catalogue
// and scenery lists, on small hand-made files that show their reading rules.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "effects/particle_file.h"
#include "scenery/game_objects.h"
#include "scenery/scenery_file.h"
#include "ui/menu_file.h"

namespace {

const uint8_t* bytesOf(const std::string& text) { return reinterpret_cast<const uint8_t*>(text.data()); }

MenuFileTree& buildTree(const std::string& menu, const std::string& texts,
                        std::initializer_list<const char*> tops) {
  static MenuFileTree tree;
  const std::vector<const char*> screens(tops);
  buildMenuTree(bytesOf(menu), menu.size(), bytesOf(texts), texts.size(), screens.data(),
                static_cast<int>(screens.size()), &tree);
  return tree;
}

int32_t childCount(const MenuFileTree& tree, const char* name) {
  return tree.nodes[findMenuNode(tree, name)].childCount;
}

EffectDef parseEffect(const std::string& text) {
  EffectDef def;
  parseEffectDef("test.par", bytesOf(text), text.size(), &def);
  return def;
}

}  // namespace

TEST(MenuFile, BuildsScreensAndItemsFromBlocksWithTheirTexts) {
  const MenuFileTree& tree = buildTree(
      "main=\r\nplay\r\noptions\r\n\r\noptions=\r\nback\r\n\r\n",
      "main=Main menu\r\nplay=Play\r\noptions=Options\r\nback=Back\r\n", {"main"});
  ASSERT_EQ(tree.nodeCount, 4);
  EXPECT_EQ(childCount(tree, "main"), 2);
  EXPECT_EQ(childCount(tree, "options"), 1);
  EXPECT_EQ(tree.nodes[findMenuNode(tree, "back")].parent, findMenuNode(tree, "options"));
  EXPECT_STREQ(tree.nodes[findMenuNode(tree, "options")].text, "Options");
  EXPECT_EQ(tree.problem[0], 0);
}

TEST(MenuFile, NameSearchFindsTheFirstOccurrenceEvenInsideAnotherName) {
  // Without a block of its own, "ok" takes the children listed under "messageboxok".
  const MenuFileTree& trapped = buildTree("messageboxok=\r\nok\r\nyes\r\n\r\n", "", {"messageboxok"});
  EXPECT_EQ(childCount(trapped, "ok"), 2);
  const MenuFileTree& guarded =
      buildTree("ok=\r\n\r\nmessageboxok=\r\nok\r\nyes\r\n\r\n", "ok=OK\r\nmessageboxok=Box\r\n",
                {"messageboxok"});
  EXPECT_EQ(childCount(guarded, "ok"), 0);
  EXPECT_STREQ(guarded.nodes[findMenuNode(guarded, "ok")].text, "OK");
}

TEST(MenuFile, AnItemListedTwiceKeepsItsFirstParent) {
  const MenuFileTree& tree =
      buildTree("a=\r\nshared\r\n\r\nb=\r\nshared\r\n\r\n", "", {"a", "b"});
  EXPECT_EQ(tree.nodeCount, 3);
  EXPECT_EQ(tree.nodes[findMenuNode(tree, "shared")].parent, findMenuNode(tree, "a"));
  EXPECT_EQ(childCount(tree, "b"), 1);
}

TEST(MenuFile, RefusesASeventeenthItemAndOverLongTexts) {
  std::string menu = "big=\r\n";
  for (int i = 0; i < 17; ++i) menu += "item" + std::to_string(i) + "\r\n";
  const MenuFileTree& tree = buildTree(menu + "\r\n", "big=" + std::string(70, 'x') + "\r\n", {"big"});
  EXPECT_EQ(childCount(tree, "big"), 16);
  EXPECT_NE(tree.problem[0], 0);
  EXPECT_EQ(std::strlen(tree.nodes[findMenuNode(tree, "big")].text), 63u);
}

TEST(MenuFile, ReadsCreditsBetweenTheMarkersSkippingLeadingBlankLines) {
  const MenuFileTree& tree = buildTree(
      "", "x=X\r\n[credits/]\r\n\r\n\r\nGame design\r\n\r\nTHE TEAM\r\n[/credits]\r\n", {"x"});
  ASSERT_EQ(tree.creditCount, 3);
  EXPECT_STREQ(tree.credits[0], "Game design");
  EXPECT_STREQ(tree.credits[1], "");
  EXPECT_STREQ(tree.credits[2], "THE TEAM");
}

TEST(ParticleFile, AbsentKeysKeepDefaultsAndListsSkipTheirBracket) {
  const EffectDef def = parseEffect(
      "parfrequency=12\r\ncolor1=(1,0.5,0.25,0)\r\nspeeddev=(10,20,30)\r\npolar=(5,0,90,30)\r\n"
      "externeffect1=spark\r\nnumparticle=17\r\n");
  EXPECT_STREQ(def.name, "test");
  EXPECT_FLOAT_EQ(def.parFrequency, 12.0f);
  EXPECT_FLOAT_EQ(def.color0.r, 1.0f);
  EXPECT_FLOAT_EQ(def.color0.a, 1.0f);
  EXPECT_FLOAT_EQ(def.color1.g, 0.5f);
  EXPECT_FLOAT_EQ(def.color1.b, 0.25f);
  EXPECT_FLOAT_EQ(def.speedDev.z, 30.0f);
  EXPECT_FLOAT_EQ(def.polar[2], 90.0f);
  EXPECT_FLOAT_EQ(def.polarPar[0], 0.0f);  // "polar=" is not read inside "polarpar="
  EXPECT_STREQ(def.externEffects[0], "spark");
  EXPECT_STREQ(def.externEffects[1], "");
  EXPECT_EQ(def.numParticle, 17);
}

TEST(ParticleFile, RotationWrittenAfterItsSpeedReadsTheSpeed) {
  EXPECT_FLOAT_EQ(parseEffect("drot=90\r\nrot=45\r\n").rot, 90.0f);
  const EffectDef ordered = parseEffect("rot=45\r\nrotdev=5\r\ndrot=90\r\ndrotdev=30\r\n");
  EXPECT_FLOAT_EQ(ordered.rot, 45.0f);
  EXPECT_FLOAT_EQ(ordered.rotDev, 5.0f);
  EXPECT_FLOAT_EQ(ordered.dRot, 90.0f);
  EXPECT_FLOAT_EQ(ordered.dRotDev, 30.0f);
}

TEST(ParticleFile, EffectNamesEndAtTheFirstDotAndAreCut) {
  char name[kMaxEffectName];
  EXPECT_TRUE(effectNameOfFile("ball1.par", name));
  EXPECT_STREQ(name, "ball1");
  EXPECT_TRUE(effectNameOfFile("big.bang.par", name));
  EXPECT_STREQ(name, "big");
  EXPECT_FALSE(effectNameOfFile((std::string(40, 'e') + ".par").c_str(), name));
  EXPECT_EQ(std::strlen(name), 31u);
}

TEST(GameObjects, ReadsGroupsEntriesAndValueKinds) {
  static GameObjectCatalogue catalogue;
  const std::string text =
      "[scenery/]\r\nsky0=sky0.jpg\r\nrock=rock.tga, old\r\ntower=tower.cgo\r\nnote=nothing\r\n"
      "[/scenery]\r\n[more/]\r\nsky0=sky1.jpg\r\n[/more]\r\n";
  ASSERT_TRUE(parseGameObjectCatalogue(bytesOf(text), text.size(), &catalogue));
  ASSERT_EQ(catalogue.groupCount, 2);
  EXPECT_STREQ(catalogue.groups[1], "more");
  ASSERT_EQ(catalogue.entryCount, 5);
  EXPECT_STREQ(catalogue.entries[1].value, "rock.tga");  // a value ends at ","
  EXPECT_EQ(catalogue.entries[1].kind, CatalogueValueKind::Picture);
  EXPECT_EQ(catalogue.entries[2].kind, CatalogueValueKind::GameObject);
  EXPECT_EQ(catalogue.entries[3].kind, CatalogueValueKind::None);
  EXPECT_EQ(catalogue.entries[4].group, 1);
  // The last entry of a name wins.
  EXPECT_EQ(findCatalogueEntry(catalogue, "sky0"), 4);
  EXPECT_EQ(findCatalogueEntry(catalogue, "sky"), -1);
}

TEST(GameObjects, CutsOverLongNamesAndReportsIt) {
  static GameObjectCatalogue catalogue;
  const std::string text = "[g/]\r\n" + std::string(40, 'n') + "=a.tga\r\n[/g]\r\n";
  EXPECT_FALSE(parseGameObjectCatalogue(bytesOf(text), text.size(), &catalogue));
  ASSERT_EQ(catalogue.entryCount, 1);
  EXPECT_EQ(std::strlen(catalogue.entries[0].name), 31u);
}

TEST(SceneryFile, RecordsSurviveAWriteAndReadAndShortFilesAreRefused) {
  static SceneryList list, back;
  list.count = 2;
  list.objects[0] = SceneryRecord{"sky_day", {-400, 300, 400, 100}, 0, {0, 0}, 0, 0};
  list.objects[1] = SceneryRecord{"leaves1_oak", {-400, 300, -250, 200}, 12.5f, {30, 0}, 1, 1};
  std::vector<uint8_t> bytes;
  encodeSceneryList(list, "a header", &bytes);
  ASSERT_EQ(bytes.size(), 68u + 2u * 65u);
  ASSERT_TRUE(parseSceneryList(bytes.data(), bytes.size(), &back));
  ASSERT_EQ(back.count, 2);
  EXPECT_STREQ(back.objects[1].name, "leaves1_oak");
  EXPECT_FLOAT_EQ(back.objects[1].rect.x1, -250.0f);
  EXPECT_FLOAT_EQ(back.objects[1].rotation, 12.5f);
  EXPECT_FLOAT_EQ(back.objects[1].scroll.x, 30.0f);
  EXPECT_EQ(back.objects[1].mirrored, 1);
  EXPECT_EQ(back.objects[1].behindPicture, 1);
  bytes.pop_back();
  EXPECT_FALSE(parseSceneryList(bytes.data(), bytes.size(), &back));
  EXPECT_EQ(back.count, 0);
}

TEST(SceneryFile, BehaviourComesFromWordsInTheName) {
  EXPECT_EQ(sceneryKindOfName("sky_night"), SceneryKind::Sky);
  EXPECT_EQ(sceneryKindOfName("waterfall_wide"), SceneryKind::Waterfall);
  EXPECT_EQ(sceneryKindOfName("water_pool"), SceneryKind::Water);
  EXPECT_EQ(sceneryKindOfName("spray_mist"), SceneryKind::Spray);
  EXPECT_EQ(sceneryKindOfName("leaves2_willow"), SceneryKind::Leaves2);
  EXPECT_EQ(sceneryKindOfName("leaves_fern"), SceneryKind::Leaves);
  EXPECT_EQ(sceneryKindOfName("rock_big"), SceneryKind::Still);
  EXPECT_TRUE(sceneryKindIsBehind(SceneryKind::Water));
  EXPECT_FALSE(sceneryKindIsBehind(SceneryKind::Spray));
}
