// The languages as the game shows them: every translation gettext's own tools read
// from the PO files is the text the game shows for it, every text fits where it is
// shown (measured with the game's own font metrics and word wrap against the room
// the screen gives it), and every character has a glyph in the font.
#include <gtest/gtest.h>

#include <algorithm>
#include <iomanip>
#include <map>
#include <string>
#include <vector>

#include "data_files.h"
#include "test_support.h"
#include "map/map.h"
#include "render/text.h"
#include "resources/resources.h"
#include "ui/menu_file.h"

namespace {

// Where texts are shown: their size, the width they have (for a wrapped text, the
// wrap width) and, for a wrapped text, the lines its place holds. `keys` lists the
// texts shown there, separated by commas; a key starting with "menu:" is a menu
// node's text, and `last` > 0 takes the entries after each key too.
struct Room {
  const char* keys;
  int last;
  float size;
  float width;
  int lines;
  const char* where;
};

// A button's text keeps clear of its rounded ends.
constexpr float button(float width) { return width - 20.0f; }

const Room kRooms[] = {
    // The side panel, the board and what flies over it (the panel slides away first).
    {"score,level,lives", 0, 14, 105, 0, "the side panel"},
    {"lastlife", 0, 10, 105, 2, "the side panel"},
    {"survival", 0, 10, 105, 1, "the side panel"},
    {"menu", 0, 15, 80, 0, "the MENU button"},
    {"keytoresume,padkeytoresume", 0, 14, 540, 0, "the board"},
    {"relax", 0, 25, 540, 0, "the board"},
    {"congratulations", 0, 18, 760, 0, "the screen"},
    {"gamepass1", 0, 17, 760, 0, "the screen"},
    {"combo,excellent", 0, 24, 540, 0, "the banner"},
    {"stagecomplete,levelcomplete,loselife,lastlife,gameover", 0, 27, 760, 0, "the screen"},
    {"nextstage", 0, 18, 760, 0, "the screen"},
    {"stagename1", 13, 20, 760, 0, "the screen"},
    {"nomoves", 0, 16, 600, 0, "the lost level's panel"},
    // The title screen and the players.
    {"presskey", 0, 15.1f, 600, 0, "the title picture"},
    {"hallo", 0, 15, 360, 0, "the title screen's greeting"},
    {"ifnotyou,keysifnotyou,padifnotyou", 0, 12, 360, 0, "the title screen's greeting"},
    {"menu:adventure,menu:zen,menu:survival", 0, 18, 256, 0, "the title menu"},
    {"menu:hiscore,menu:options,menu:credits,menu:exit", 0, 17, 256, 0, "the title menu"},
    {"adventuretip", 4, 11, 268, 6, "the title menu's balloon"},
    {"curusers", 0, 18, 320, 0, "the players' list"},
    {"menu:selectprofile,menu:newprofile,menu:rename,menu:remove,menu:cancel", 0, 18, 266, 0,
     "the players' menu"},
    {"entername", 0, 15, 340, 0, "the name entry"},
    {"menu:oknewprofile,menu:okrename", 0, 18, button(130), 0, "the name entry's button"},
    // Message boxes and the saved-game question.
    {"savemsg,noskiplevel,skipquest,restartquest,nomorelives,removeplayer,quit,"
     "zeroscore", 0, 16, 340, 6, "a message box"},
    {"savefailed,loadfailed,levelbroken", 0, 16, 340, 8, "a message box"},
    {"menu:ok", 0, 17, button(130), 0, "a message box's button"},
    {"menu:yes,menu:no", 0, 17, button(135), 0, "a question's button"},
    {"loadsurexp,loadsurnorm,loadexpertmode,loadnormmode,zenmode", 0, 19, 480, 0,
     "the saved-game question"},
    {"loadmsg", 0, 15, 480, 0, "the saved-game question"},
    {"surlevscore,zonelevscore", 0, 17, 480, 0, "the saved-game question"},
    // The map, the level choice and the survival chart.
    {"startexpert", 0, 15, 210, 0, "the expert box's label"},
    {"expertmodetip", 0, 11, 268, 5, "the expert box's balloon"},
    {"menu:start", 0, 20, button(160), 0, "the Start button"},
    {"menu:back", 0, 20, button(160), 0, "the level choice's Back button"},
    {"survival", 0, 22, 380, 0, "the survival chart's title"},
    {"survivaltip,unlocktip", 0, 12, 380, 0, "the survival chart's tip"},
    {"hiscore", 0, 16, 200, 0, "the survival chart's best three"},
    {"locked", 0, 28, 700, 0, "the survival chart"},
    // The high scores and the level results.
    {"menu:hiscore", 0, 21, 200, 0, "the high scores' caption"},
    {"expertmode,normalmode,zenmode", 0, 17, 160, 0, "the high scores' caption"},
    {"menu:back", 0, 19, button(170), 0, "the high scores' Back button"},
    {"stats", 0, 19, 540, 0, "the result panel"},
    {"yourscore,yourcombo,maxcombo,yourtime,yourmoves", 0, 13, 160, 0, "a result's label"},
    {"bestscore", 0, 11, 148, 0, "a record's label"},
    {"bestcombo", 0, 11, 175, 0, "a record's label"},
    {"besttime", 0, 11, 158, 0, "a record's label"},
    {"bestmoves", 0, 11, 175, 0, "a record's label"},
    {"by", 0, 11, 235, 0, "a record's holder"},
    {"menu:oknextlevel", 0, 17, button(130), 0, "the result panel's button"},
    // The help page, the help button and the tips on the board.
    {"howtoplay", 0, 19.5f, 330, 0, "the help page"},
    {"balltip,keysballtip,padballtip", 2, 12, 330, 3, "the help page"},
    {"squarehelp,survivalhelp", 0, 12, 330, 3, "the help page"},
    {"click,keysclick,padclick", 0, 12, 100, 0, "the help page's pointer"},
    {"menu:ok", 0, 18, button(170), 0, "the help page's button"},
    {"tooltip", 0, 11, 268, 4, "the help button's balloon"},
    {"balltip,keysballtip,padballtip", 2, 11, 268, 6, "a tip"},
    {"keyshammertip,padhammertip,keyshammerfull,padhammerfull,hammertip,hammerfull,"
     "jokertip,diamond,tipbusysquare2,chainitemtip,chainballtip,newballtip,"
     "tipcleanquare,tipbusysquare1,scoretip,scoresurvivaltip,numleveltip,lifetip,"
     "menutip,relaxtip,nighttip,morningtip,daytip", 0, 11, 268, 6, "a tip"},
    {"triplebomb,quadrobomb", 2, 11, 268, 6, "a tip"},
    // The options.
    {"menu:options", 0, 17, 320, 0, "the options' caption"},
    {"sfxvolume,musicvolume,ballspeed,language", 0, 13, 320, 0, "the options"},
    {"fullscreen,customcursor", 0, 12, 215, 0, "a check box's label in the options"},
    {"languagename", 0, 14, 215, 0, "the language choice"},
    {"menu:apply,menu:back", 0, 15, button(130), 0, "the options' button"},
    // The menus over the board.
    {"menu:resume game,menu:restart level,menu:relax,menu:helpscreen,menu:options,"
     "menu:gameplaytip,menu:main", 0, 18, 500, 0, "the game menu"},
    {"menu:skip level", 0, 18, 500, 0, "the lost level's panel"},
    {"menu:okcontinuegame", 0, 18, 500, 0, "the hints"},
};

std::vector<std::string> keysOf(const Room& room) {
  std::vector<std::string> keys;
  const std::string all = room.keys;
  for (size_t start = 0; start <= all.size();) {
    const size_t comma = std::min(all.find(',', start), all.size());
    keys.push_back(all.substr(start, comma - start));
    start = comma + 1;
  }
  return keys;
}

// Player names and numbers as long as the game shows them.
std::string filledIn(const std::string& key, const char* text) {
  TextField fields[3] = {};
  if (key == "hallo") fields[0].text = "CAPTAIN DOTS";
  if (key == "by") fields[0].text = "CAPTAIN DOT";
  if (key == "loadfailed" || key == "levelbroken") {
    fields[0].text = "/home/player/.local/share/orbelquaint/settings/adventure1.sav";
    fields[1].text = "it is cut short";
  }
  if (key == "savefailed") {
    fields[0].text = "/home/player/.local/share/orbelquaint/settings";
    fields[1].text = "Permission denied";
  }
  if (key == "combo") fields[0].number = 99;
  if (key == "surlevscore") fields[0].number = 70, fields[1].number = 1234567;
  if (key == "zonelevscore") {
    fields[0].number = 14, fields[1].number = 5, fields[2].number = 1234567;
  }
  char out[512];
  formatTextFields(text, fields, 3, out, sizeof out);
  return out;
}

class Fit : public ::testing::Test {
 protected:
  void SetUp() override {
    if (looseFile("texts.dat").empty()) GTEST_SKIP() << "no generated data";
    clearFileTable();
    ASSERT_TRUE(openPack((std::string(ORBEL_DATA_DIR) + "/texts.dat").c_str()));
    loadLanguageList();
    const std::vector<uint8_t> metrics = dataFile("font.dat");
    textState = {};
    ASSERT_TRUE(parseFontMetrics(metrics.data(), uint32_t(metrics.size()), &textState.fonts[0]));
    textState.fontCount = 1;
    textState.currentFont = &textState.fonts[0];
  }
  void TearDown() override {
    freeTextTable();
    clearFileTable();
  }

  // The text table and the menu tree in the language, its missing texts English.
  void useLanguage(const char* code) {
    ASSERT_TRUE(loadTexts(code)) << code;
    const std::vector<uint8_t> menu = dataFile("menu.txt");
    const std::vector<uint8_t> texts = dataFile("menutext.txt");
    buildMenuTree(menu.data(), menu.size(), texts.data(), texts.size(), kMenuTopScreens,
                  kMenuTopScreenCount, &tree);
    const std::vector<uint8_t> own = dataFile(languageFileName("menutext.txt", code));
    if (!own.empty()) takeMenuTexts(own.data(), own.size(), &tree);
  }

  const char* textOfRoom(const std::string& key, int step) {
    if (key.rfind("menu:", 0) != 0) return textAfter(key.c_str(), step);
    const int32_t node = findMenuNode(tree, key.c_str() + 5);
    return node >= 0 ? tree.nodes[node].text : "";
  }

  static MenuFileTree tree;
};
MenuFileTree Fit::tree;

// "de: \"score\" is 3.5 units too wide for the side panel (105 units at size 14)".
// `text` is the text as shown, `own` the text's own words (without the names and
// numbers put in).
void expectFits(const char* language, const Room& room, const std::string& key,
                const std::string& text, const std::string& own) {
  if (room.lines > 0) {
    // A word wider than the room would be cut in two.
    for (size_t start = 0; start < own.size();) {
      size_t end = own.find_first_of(" \n", start);
      if (end == std::string::npos) end = own.size();
      const std::string word = own.substr(start, end - start);
      EXPECT_LE(measureText(word.c_str(), room.size), room.width)
          << language << ": \"" << key << "\" has the word \"" << word << "\", wider than "
          << room.where;
      start = end + 1;
    }
    const float height = wrapText(room.width, text.c_str(), room.size);
    const float most = 1.8f * room.size * float(room.lines);
    EXPECT_LE(height, most + 0.01f)
        << std::fixed << std::setprecision(1) << language << ": \"" << key << "\" is "
        << height - most << " units too tall for " << room.where << " (" << room.lines
        << " lines of " << room.width << " units at size " << room.size << ")";
    return;
  }
  // Each line of a text with line breaks on its own.
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const float width = measureText(text.substr(start, end - start).c_str(), room.size);
    EXPECT_LE(width, room.width)
        << std::fixed << std::setprecision(1) << language << ": \"" << key << "\" is "
        << width - room.width << " units too wide for " << room.where << " (" << room.width
        << " units at size " << room.size << ")";
    start = end + 1;
  }
}

}  // namespace

TEST_F(Fit, EveryTextFitsWhereItIsShownInEveryLanguage) {
  EXPECT_GE(languageState.count, 7) << "English and six translations";
  for (int32_t l = 0; l < languageState.count; ++l) {
    const char* code = languageState.languages[l].code;
    useLanguage(code);
    for (const Room& room : kRooms) {
      for (const std::string& each : keysOf(room)) {
        for (int step = 0; step <= room.last; ++step) {
          const std::string key = step == 0 ? each : each + "+" + std::to_string(step);
          const char* own = textOfRoom(each, step);
          expectFits(code, room, key, filledIn(each, own), own);
        }
      }
    }
    for (int32_t k = 0; k < tree.creditCount; ++k) {
      expectFits(code, {"credits", 0, 16, 760, 0, "the credits"}, tree.credits[k], tree.credits[k],
                 tree.credits[k]);
    }
    // The zones' names on the map, at the size and in the room the map gives them.
    readZoneNamePlaces(asText(dataFile(kZoneNamePlacesFile)).c_str());
    for (int32_t zone = 0; zone < kMapZoneCount; ++zone) {
      const Room onMap = {"stagename1", 0, mapGeometry.zoneNameSize,
                          mapGeometry.zoneNameRoom[zone], 0, "its place on the map"};
      const char* name = textAfter("stagename1", zone);
      expectFits(code, onMap, "stagename" + std::to_string(zone + 1), name, name);
    }
  }
}

TEST_F(Fit, TheFontHasEveryCharacterOfEveryLanguage) {
  const Font& font = textState.fonts[0];
  auto expectGlyphs = [&](const char* code, const char* key, const char* text) {
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
      EXPECT_TRUE(*c == '\n' || font.widths[*c] > 0.0f)
          << code << ": \"" << key << "\" holds the character " << int(*c)
          << ", which the font lacks";
    }
  };
  for (int32_t l = 0; l < languageState.count; ++l) {
    const char* code = languageState.languages[l].code;
    useLanguage(code);
    for (int32_t i = 0; i < textTable.count; ++i) {
      expectGlyphs(code, textTable.entries[i].key, textTable.entries[i].value);
    }
    for (int32_t i = 0; i < tree.nodeCount; ++i) {
      expectGlyphs(code, tree.nodes[i].name, tree.nodes[i].text);
    }
    for (int32_t k = 0; k < tree.creditCount; ++k) expectGlyphs(code, "credits", tree.credits[k]);
    expectGlyphs(code, "languages.txt", languageState.languages[l].name);
  }
}

namespace {

// One message of a PO file as gettext reads it.
struct PoMessage {
  std::string context, id, text;  // text: Latin-1, as the game's tables hold it
};

std::string latin1(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    out += c < 0x80 || i + 1 == utf8.size()
               ? char(c)
               : char(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
  }
  return out;
}

// The translated messages of a PO file, listed by gettext's msgexec.
std::vector<PoMessage> translatedMessages(const std::string& po) {
  std::string listing;
  const int status = testRunCommand(
      "msgexec -i '" + po + "' sh -c 'printf \"%s\\037%s\\037\" \"$MSGEXEC_MSGCTXT\" "
      "\"$MSGEXEC_MSGID\"; cat; printf \"\\036\"'", &listing);
  EXPECT_EQ(status, 0) << po;
  std::vector<PoMessage> messages;
  for (size_t at = 0; at < listing.size();) {
    size_t end = listing.find('\036', at);
    if (end == std::string::npos) end = listing.size();
    const std::string record = listing.substr(at, end - at);
    const size_t a = record.find('\037'), b = record.find('\037', a + 1);
    if (a != std::string::npos && b != std::string::npos && b + 1 < record.size() && a > 0) {
      messages.push_back({record.substr(0, a), record.substr(a + 1, b - a - 1),
                          latin1(record.substr(b + 1))});
    }
    at = end + 1;
  }
  return messages;
}

using Translations = Fit;

}  // namespace

TEST_F(Translations, EveryPoFileChecksAndEveryTranslationIsTheTextShown) {
  const std::string folder = std::string(ORBEL_SOURCE_DIR) + "/data/po/";
  int files = 0;
  for (int32_t l = 1; l < languageState.count; ++l) {
    const char* code = languageState.languages[l].code;
    const std::string po = folder + code + ".po";
    std::string report;
    EXPECT_EQ(testRunCommand("msgfmt --check -o /dev/null '" + po + "' 2>&1", &report), 0)
        << report;
    ++files;
    // Where the English text stands: a table entry, a menu node or a line of credits.
    freeTextTable();
    useLanguage(kEnglish);
    const MenuFileTree english = tree;
    std::map<std::string, std::string> table;
    for (int32_t i = 0; i < textTable.count; ++i) {
      table.emplace(textTable.entries[i].key, textTable.entries[i].value);
    }
    useLanguage(code);
    const std::vector<PoMessage> messages = translatedMessages(po);
    EXPECT_GT(messages.size(), 150u) << code;
    for (const PoMessage& m : messages) {
      const int32_t node = findMenuNode(english, m.context.c_str());
      if (table.count(m.context) && table[m.context] == m.id) {
        EXPECT_EQ(textOf(m.context.c_str()), m.text) << code << ": " << m.context;
      } else if (node >= 0 && m.id == english.nodes[node].text) {
        EXPECT_EQ(tree.nodes[node].text, m.text) << code << ": the menu's " << m.context;
      } else {
        bool found = false;
        for (int32_t k = 0; k < english.creditCount && k < tree.creditCount; ++k) {
          found = found || (m.id == english.credits[k] && m.text == tree.credits[k]);
        }
        EXPECT_TRUE(found) << code << ": \"" << m.id << "\" (" << m.context << ") is not shown";
      }
    }
  }
  EXPECT_EQ(files, 6);
}
