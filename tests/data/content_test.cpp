// The hand-written content read back with the game's own readers: the text
// tables, the menu tree, the levels, the particle effects, the scenery
// catalogue and lists, the map path and the default records.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <set>

#include "data_files.h"
#include "effects/particle_file.h"
#include "game/board.h"
#include "game/level.h"
#include "resources/resources.h"
#include "scenery/game_objects.h"
#include "scenery/scenery_file.h"
#include "ui/menu_file.h"

namespace {

// The text table the game builds from both files.
void loadTexts() {
  freeTextTable();
  for (const char* name : {"strings.txt", "tips.txt"}) {
    const std::vector<uint8_t> bytes = dataFile(name);
    ASSERT_GE(bytes.size(), 4u);
    // The reader overwrites the last byte: the file must end with an empty line.
    EXPECT_EQ(asText(bytes).substr(bytes.size() - 4), "\r\n\r\n") << name;
    parseTextFile(name, bytes.data(), static_cast<uint32_t>(bytes.size()));
  }
}

int countConversions(const char* text) {
  int count = 0;
  for (const char* c = text; *c; ++c) count += *c == '%';
  return count;
}

}  // namespace

TEST(Content, TextTablesHoldEveryKeyWithGroupsInOrder) {
  loadTexts();
  const char* const keys[] = {
      "score", "level", "lives", "lastlife", "survival", "menu", "tooltip", "keytoresume", "relax",
      "congratulations", "gamepass1", "stagecomplete", "levelcomplete", "loselife", "gameover",
      "nomoves", "nextstage", "expertmode", "normalmode", "zenmode", "ifnotyou", "curusers",
      "entername", "savemsg", "noskiplevel", "skipquest", "restartquest", "nomorelives",
      "removeplayer", "quit", "zeroscore", "sfxvolume", "musicvolume", "fullscreen",
      "customcursor", "ballspeed", "howtoplay", "squarehelp", "survivalhelp", "stats",
      "yourscore", "yourcombo", "maxcombo", "yourtime", "yourmoves", "bestscore", "bestcombo",
      "besttime", "bestmoves", "loadsurexp", "loadsurnorm", "loadexpertmode", "loadnormmode",
      "loadmsg", "startexpert", "expertmodetip", "hiscore", "survivaltip", "unlocktip", "locked",
      "hammertip", "hammerfull", "jokertip", "diamond", "tipbusysquare2", "chainitemtip",
      "chainballtip", "newballtip", "tipcleanquare", "tipbusysquare1", "scoretip",
      "scoresurvivaltip", "numleveltip", "lifetip", "menutip", "relaxtip", "nighttip",
      "morningtip", "daytip"};
  for (const char* key : keys) {
    ASSERT_NE(getText(key), nullptr) << key;
    EXPECT_GT(std::strlen(getText(key)), 0u) << key;
    EXPECT_EQ(countConversions(getText(key)), 0) << key;
  }
  EXPECT_STREQ(std::strstr(getText("hallo"), "%"), std::strstr(getText("hallo"), "%s"));
  EXPECT_EQ(countConversions(getText("hallo")), 1);
  EXPECT_EQ(countConversions(getText("by")), 1);
  EXPECT_NE(std::strstr(getText("surlevscore"), "%i"), nullptr);
  EXPECT_EQ(countConversions(getText("surlevscore")), 2);
  EXPECT_EQ(countConversions(getText("zonelevscore")), 3);
  // Groups the game reads by position: every member present, in order, in one file.
  const struct {
    const char* head;
    const char* pattern;
    int followers;
  } groups[] = {{"stagename1", "stagename%i", 13}, {"defname1", "defname%i", 9},
                {"balltip", "balltip%i", 2},       {"triplebomb", "triplebomb%i", 2},
                {"quadrobomb", "quadrobomb%i", 2}, {"adventuretip", "adventuretip%i", 4}};
  for (const auto& group : groups) {
    const int32_t head = getTextIndex(group.head);
    ASSERT_STREQ(textTable.entries[head].key, group.head);
    for (int k = 1; k <= group.followers; ++k) {
      EXPECT_STREQ(textTable.entries[head + k].key, numbered(group.pattern, k + 1).c_str());
      EXPECT_EQ(countConversions(getTextByIndex(head + k)), 0);
    }
  }
  for (int k = 0; k < 10; ++k) {
    EXPECT_LE(std::strlen(getTextByIndex(getTextIndex("defname1") + k)), 19u);
  }
  // The survival hints break their lines with a lone line feed.
  EXPECT_NE(std::strchr(getText("survivaltip"), '\n'), nullptr);
  EXPECT_EQ(std::strchr(getText("survivaltip"), '\r'), nullptr);
  freeTextTable();
}

TEST(Content, MenuTreeReachesEveryCommandOnItsScreen) {
  static MenuFileTree tree;
  const std::vector<uint8_t> menu = dataFile("menu.txt");
  const std::vector<uint8_t> texts = dataFile("menutext.txt");
  ASSERT_TRUE(buildMenuTree(menu.data(), menu.size(), texts.data(), texts.size(), kMenuTopScreens,
                            kMenuTopScreenCount, &tree))
      << tree.problem;
  auto itemsOf = [&](const char* screen) {
    std::vector<std::string> items;
    const int32_t node = findMenuNode(tree, screen);
    EXPECT_GE(node, 0) << screen;
    for (int32_t c = 0; node >= 0 && c < tree.nodes[node].childCount; ++c) {
      items.push_back(tree.nodes[tree.nodes[node].children[c]].name);
    }
    return items;
  };
  using Items = std::vector<std::string>;
  EXPECT_EQ(itemsOf("main"), (Items{"adventure", "zen", "survival", "hiscore", "options", "credits", "exit"}));
  EXPECT_EQ(itemsOf("newprofile")[0], "oknewprofile");
  EXPECT_EQ(itemsOf("rename")[0], "okrename");
  for (const char* choice : {"adventure", "zen", "survival"}) EXPECT_EQ(itemsOf(choice)[0], "start");
  EXPECT_EQ(itemsOf("survival")[1], "back");
  EXPECT_EQ(itemsOf("levelcomplete")[0], "oknextlevel");
  EXPECT_EQ(itemsOf("hiscore")[0], "back");
  EXPECT_EQ(itemsOf("messageboxok")[0], "ok");
  EXPECT_EQ(itemsOf("helpscreen")[0], "ok");
  EXPECT_EQ(itemsOf("messageboxyn"), (Items{"yes", "no"}));
  EXPECT_EQ(itemsOf("loadgamequest"), (Items{"yes", "no"}));
  const Items options = itemsOf("options");
  ASSERT_GE(options.size(), 2u);
  EXPECT_EQ(options[0], "apply");
  EXPECT_EQ(options[1], "back");
  const Items profileItems = itemsOf("profiles");
  const std::set<std::string> profiles(profileItems.begin(), profileItems.end());
  for (const char* item : {"selectprofile", "newprofile", "rename", "remove", "cancel"}) {
    EXPECT_TRUE(profiles.count(item)) << item;
  }
  const Items gameplay = itemsOf("gameplay");
  for (const char* item : {"resume game", "restart level", "relax", "helpscreen", "main"}) {
    EXPECT_NE(std::find(gameplay.begin(), gameplay.end(), item), gameplay.end()) << item;
  }
  const Items defeat = itemsOf("defeat");
  for (const char* item : {"restart level", "skip level", "main"}) {
    EXPECT_NE(std::find(defeat.begin(), defeat.end(), item), defeat.end()) << item;
  }
  // "ok" must not pick up the children of "messageboxok": it has its own empty block.
  EXPECT_EQ(tree.nodes[findMenuNode(tree, "ok")].childCount, 0);
  EXPECT_EQ(tree.nodes[findMenuNode(tree, "helpscreen")].parent, findMenuNode(tree, "gameplay"));
  for (int32_t i = 0; i < tree.nodeCount; ++i) {
    EXPECT_GT(std::strlen(tree.nodes[i].text), 0u) << tree.nodes[i].name;
  }
  EXPECT_STREQ(tree.nodes[findMenuNode(tree, "okrename")].text, "OK");
  EXPECT_STREQ(tree.nodes[findMenuNode(tree, "newprofile")].text, "New player");
  ASSERT_GT(tree.creditCount, 4);
  EXPECT_STREQ(tree.credits[0], "ORBELQUAINT");
}

TEST(Content, EveryAdventureLevelIsAWholeBoardWithSquaresToClear) {
  static Board board;
  for (int32_t index = 0; index < kLevelCount; ++index) {
    char name[32];
    levelFileName(index, name, sizeof name);
    const std::vector<uint8_t> bytes = looseFile(std::string("levels/") + name);
    ASSERT_FALSE(bytes.empty()) << name;
    LevelSettings settings{};
    parseLevelText(reinterpret_cast<const char*>(bytes.data()), static_cast<uint32_t>(bytes.size()),
                   Difficulty::Normal, &board, &settings);
    int layers = 0, presets = 0;
    for (int32_t y = kFirstRow; y <= kLastRow; ++y) {
      for (int32_t x = kFirstColumn; x <= kLastColumn; ++x) {
        const Cell& cell = board.cells[x][y];
        // Column 5 lies under the progress bar, 21 and beyond under the side panel.
        if (x == kFirstColumn || x > 20) {
          EXPECT_EQ(cell.squareLayers, -1) << name << " " << x << "," << y;
        }
        layers += cell.squareLayers > 0 ? cell.squareLayers : 0;
        presets += cell.ballValue != Ball::Empty && cell.chainLocks == 0;
        // Balls the level deals: colours below its count, items only as chained.
        if (cell.ballValue >= 0 && cell.ballValue < 10) {
          EXPECT_LT(cell.ballValue, index <= 1 ? 4 : index <= 5 ? 5 : index <= 10 ? 6 : index <= 20 ? 7 : 8) << name;
        }
      }
    }
    EXPECT_GT(layers, 0) << name;
    // Normal begins its first two levels with the file's balls only.
    if (index <= 1) {
      EXPECT_GT(presets, 0) << name;
    }
  }
  LevelSettings settings{};
  const std::vector<uint8_t> help = looseFile("levels/help.lvl");
  parseLevelText(reinterpret_cast<const char*>(help.data()), static_cast<uint32_t>(help.size()),
                 Difficulty::Expert, &board, &settings);
  int floor = 0;
  for (int32_t y = kFirstRow; y <= kLastRow; ++y) {
    for (int32_t x = kFirstColumn; x <= kLastColumn; ++x) floor += board.cells[x][y].squareLayers == 0;
  }
  for (int32_t y = 11; y <= 13; ++y) {
    for (int32_t x = 11; x <= 15; ++x) EXPECT_EQ(board.cells[x][y].squareLayers, 0);
  }
  EXPECT_EQ(floor, 15);
}

TEST(Content, EffectsParseAndEveryEffectTheyStartExists) {
  std::map<std::string, EffectDef> effects;
  for (const std::string& file : looseFolder("effects")) {
    const std::vector<uint8_t> bytes = looseFile("effects/" + file);
    EffectDef def;
    parseEffectDef(file.c_str(), bytes.data(), bytes.size(), &def);
    EXPECT_GT(def.parTime, 0.0f) << file;
    EXPECT_TRUE(def.numParticle >= 0 && def.numParticle < 64) << file;
    effects[def.name] = def;
  }
  for (const char* name : {"ball1", "ball2", "bomb1", "bomb2", "dbomb1", "dbomb2", "diamond1",
                           "diamond2", "chain1", "chain2", "square1", "square2", "hammer",
                           "addbomb2", "scorewow"}) {
    EXPECT_TRUE(effects.count(name)) << name;
  }
  for (const auto& [name, def] : effects) {
    for (const auto& external : def.externEffects) {
      if (external[0]) {
        EXPECT_TRUE(effects.count(external) && name != external) << name;
      }
    }
  }
  // A pop starts both ball effects for every ball of a move: keep them light.
  EXPECT_LE(effects["ball1"].parFrequency + effects["ball2"].parFrequency, 24.0f);
  EXPECT_GT(effects["addbomb2"].effectTime, 0.0f);
}

TEST(Content, SceneryListsNameCatalogueEntriesWhosePicturesExist) {
  static GameObjectCatalogue catalogue;
  const std::vector<uint8_t> bytes = dataFile("gameobjs.txt");
  ASSERT_TRUE(parseGameObjectCatalogue(bytes.data(), bytes.size(), &catalogue)) << catalogue.problem;
  ASSERT_GT(catalogue.entryCount, 0);
  for (int32_t i = 0; i < catalogue.entryCount; ++i) {
    EXPECT_EQ(catalogue.entries[i].kind, CatalogueValueKind::Picture) << catalogue.entries[i].name;
    EXPECT_FALSE(dataFile(catalogue.entries[i].value).empty()) << catalogue.entries[i].value;
  }
  static SceneryList list;
  for (int index = 0; index < 16; ++index) {
    const std::vector<uint8_t> lev = looseFile(numbered("animbacks/level%i.lev", index));
    ASSERT_TRUE(parseSceneryList(lev.data(), lev.size(), &list)) << index;
    EXPECT_EQ(lev.size(), 68u + 65u * static_cast<size_t>(list.declaredCount));
    const std::vector<uint8_t> back = looseFile(numbered("animbacks/_a_back%i.jpg", index));
    const size_t alpha = back.size() - 800 * 600;
    for (int32_t i = 0; i < list.count; ++i) {
      const SceneryRecord& object = list.objects[i];
      EXPECT_GE(findCatalogueEntry(catalogue, object.name), 0) << object.name;
      if (!sceneryKindIsBehind(sceneryKindOfName(object.name)) && !object.behindPicture) continue;
      // The picture is see-through where the object behind it must show.
      const int x = static_cast<int>((object.rect.x0 + object.rect.x1) / 2.0f + 400.0f);
      const int y = static_cast<int>(300.0f - (object.rect.y0 + object.rect.y1) / 2.0f);
      EXPECT_EQ(back[alpha + static_cast<size_t>(y) * 800 + static_cast<size_t>(x)], 0)
          << index << " " << object.name;
    }
  }
}

TEST(Content, MapPathPointsAre20UnitsApartAndLeaveRoomForEveryMark) {
  const std::string path = std::string(ORBEL_DATA_DIR) + "/trajectory1.spl";
  ASSERT_TRUE(loadPath(path.c_str()));
  const int32_t n = pathState.pathPointCount;
  ASSERT_GT(n, 1);
  EXPECT_FLOAT_EQ(pathState.pathLength, 20.0f * static_cast<float>(n - 1));
  EXPECT_EQ(looseFile("trajectory1.spl").size(), 8u + 8u * static_cast<size_t>(n) + 40u);
  for (int32_t i = 1; i < n; ++i) {
    const Vec2 a = pathState.pathPoints[i - 1];
    const Vec2 b = pathState.pathPoints[i];
    EXPECT_NEAR(std::hypot(b.x - a.x, b.y - a.y), 20.0f, 0.01f) << i;
  }
  // Level marks sit (zone length - 66) / 5 apart; a mark is 24 units.
  const float zone = pathState.pathLength / 14.0f;
  EXPECT_GE((zone - 66.0f) / 5.0f, 24.0f);
  for (int32_t i = 0; i < n; ++i) {
    const Vec2 p = pathState.pathPoints[i];
    EXPECT_TRUE(p.x >= -390.0f && p.x <= 390.0f && p.y >= -200.0f && p.y <= 175.0f) << i;
  }
}

TEST(Content, DefaultRecordsCoverEveryLevelInTheirFormat) {
  for (const char* name : {"hi_expert.txt", "hi_normal.txt", "hi_zen.txt"}) {
    const std::string text = asText(dataFile(name));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 280) << name;
    for (int level = 1; level <= 70; ++level) {
      for (const char* key : {"combo%i=", "score%i=", "move%i="}) {
        EXPECT_GT(readInt(text.c_str(), numbered(key, level).c_str()), 0) << name << " " << level;
      }
      char time[32];
      ASSERT_TRUE(readString(time, sizeof time, text.c_str(), numbered("time%i=", level).c_str()));
      int minutes = 0, seconds = 0;
      ASSERT_EQ(std::sscanf(time, "%d.%2d", &minutes, &seconds), 2) << time;
      EXPECT_LT(seconds, 60);
      EXPECT_NE(std::strchr(time, '.')[3], '0') << "two decimals only: " << time;
    }
  }
}
