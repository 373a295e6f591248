// menus.cpp: the menu files "menu.txt" and "menutext.txt". The tree is built
// with the game's own menu reader from the screens the game creates by name;
// then every command the game understands must be reachable on its screen, the
// screens that draw only their first items must have the right ones there, and
// every block and text line must be the one the game's substring search finds.
#include <cstring>
#include <set>

#include "datagen.h"
#include "generators.h"
#include "ui/menu_file.h"

namespace {

// A command item and the screen it must be listed on.
struct CommandPlace {
  const char* item;
  const char* screen;
};
const CommandPlace kCommands[] = {
    {"resume game", "gameplay"}, {"restart level", "gameplay"}, {"restart level", "defeat"},
    {"skip level", "defeat"},    {"main", "gameplay"},          {"main", "defeat"},
    {"relax", "gameplay"},       {"helpscreen", "gameplay"},    {"selectprofile", "profiles"},
    {"rename", "profiles"},      {"remove", "profiles"},        {"newprofile", "profiles"},
    {"cancel", "profiles"},      {"adventure", "main"},         {"zen", "main"},
    {"survival", "main"},        {"hiscore", "main"},           {"options", "main"},
    {"credits", "main"},         {"exit", "main"},              {"back", "hiscore"},
    {"back", "options"},         {"back", "survival"},          {"back", "adventure"},
    {"back", "zen"},             {"okcontinuegame", "gameplaytip"}, {"default", "audio"},
};

// Screens that draw only their first items: these must be exactly there.
struct FirstItems {
  const char* screen;
  const char* first;
  const char* second;  // null: only the first is fixed
};
const FirstItems kFirstItems[] = {
    {"newprofile", "oknewprofile", nullptr}, {"rename", "okrename", nullptr},
    {"adventure", "start", nullptr},         {"zen", "start", nullptr},
    {"survival", "start", "back"},           {"levelcomplete", "oknextlevel", nullptr},
    {"hiscore", "back", nullptr},            {"messageboxok", "ok", nullptr},
    {"helpscreen", "ok", nullptr},           {"messageboxyn", "yes", "no"},
    {"loadgamequest", "yes", "no"},          {"options", "apply", "back"},
};

bool isChildOf(const MenuFileTree& tree, const char* screen, const char* item) {
  const int32_t s = findMenuNode(tree, screen);
  if (s < 0) return false;
  for (int32_t c = 0; c < tree.nodes[s].childCount; ++c) {
    if (std::strcmp(tree.nodes[tree.nodes[s].children[c]].name, item) == 0) return true;
  }
  return false;
}

const char* childName(const MenuFileTree& tree, int32_t screen, int32_t child) {
  if (screen < 0 || child >= tree.nodes[screen].childCount) return "";
  return tree.nodes[tree.nodes[screen].children[child]].name;
}

// Byte offsets where the lines of a text start.
std::set<size_t> lineStarts(const std::string& text) {
  std::set<size_t> starts{0};
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') starts.insert(i + 1);
  }
  return starts;
}

void checkCommands(const MenuFileTree& tree, const std::string& menu) {
  for (const CommandPlace& command : kCommands) {
    if (!isChildOf(tree, command.screen, command.item)) {
      reportError("menu.txt", 0, format("no block lists \"%s\" on the screen \"%s\"",
                                        command.item, command.screen));
    }
  }
  for (const FirstItems& rule : kFirstItems) {
    const int32_t s = findMenuNode(tree, rule.screen);
    const int line = s >= 0 && tree.nodes[s].blockOffset >= 0
                         ? lineOfOffset(menu, static_cast<size_t>(tree.nodes[s].blockOffset))
                         : 0;
    if (std::strcmp(childName(tree, s, 0), rule.first) != 0 ||
        (rule.second && std::strcmp(childName(tree, s, 1), rule.second) != 0)) {
      reportError("menu.txt", line, format("the screen \"%s\" must begin with \"%s\"%s%s",
                                           rule.screen, rule.first, rule.second ? ", " : "",
                                           rule.second ? rule.second : ""));
    }
  }
  const int32_t help = findMenuNode(tree, "helpscreen");
  if (help < 0 || tree.nodes[help].parent != findMenuNode(tree, "gameplay")) {
    reportError("menu.txt", 0, "\"helpscreen\" must first be listed under \"gameplay\"");
  }
}

// Every node's block and text must be the line that names it, and every block
// and text line must belong to a node of the tree.
void checkLookups(const MenuFileTree& tree, const std::string& menu, const std::string& texts) {
  const std::set<size_t> menuLines = lineStarts(menu);
  const std::set<size_t> textLines = lineStarts(texts);
  std::set<size_t> usedBlocks, usedTexts;
  for (int32_t i = 0; i < tree.nodeCount; ++i) {
    const MenuFileNode& node = tree.nodes[i];
    if (node.blockOffset >= 0) {
      usedBlocks.insert(static_cast<size_t>(node.blockOffset));
      if (!menuLines.count(static_cast<size_t>(node.blockOffset))) {
        reportError("menu.txt", lineOfOffset(menu, static_cast<size_t>(node.blockOffset)),
                    format("the search for \"%s=\" finds the tail of another name", node.name));
      }
    }
    if (node.textOffset < 0) {
      reportError("menutext.txt", 0, format("no text for the menu node \"%s\"", node.name));
      continue;
    }
    usedTexts.insert(static_cast<size_t>(node.textOffset));
    const int line = lineOfOffset(texts, static_cast<size_t>(node.textOffset));
    if (!textLines.count(static_cast<size_t>(node.textOffset))) {
      reportError("menutext.txt", line,
                  format("the search for \"%s=\" finds the tail of another name", node.name));
    }
    if (std::strchr(node.text, '=')) {
      reportError("menutext.txt", line, "no \"=\" inside a display text");
    }
  }
  for (const size_t start : menuLines) {
    const size_t end = menu.find('\r', start);
    if (end != std::string::npos && end > start && menu[end - 1] == '=' && !usedBlocks.count(start)) {
      reportError("menu.txt", lineOfOffset(menu, start), "a block that no screen reaches");
    }
  }
  const size_t credits = texts.find("[credits/]");
  for (const size_t start : textLines) {
    if (credits != std::string::npos && start >= credits) break;
    const size_t end = texts.find('\r', start);
    if (end != std::string::npos && end > start && !usedTexts.count(start)) {
      reportError("menutext.txt", lineOfOffset(texts, start), "a text for no menu node");
    }
  }
}

void checkCredits(const MenuFileTree& tree) {
  if (tree.creditCount == 0) reportError("menutext.txt", 0, "the credits block is missing");
  for (int32_t i = 0; i < tree.creditCount; ++i) {
    if (std::strchr(tree.credits[i], '=')) {
      reportError("menutext.txt", 0, format("no \"=\" in credits: \"%s\"", tree.credits[i]));
    }
  }
}

// The generated bytes: CR LF lines, and one more empty line at the end.
std::vector<uint8_t> convertMenuSource(const std::string& fileName, const std::string& source) {
  for (size_t i = 0; i < source.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(source[i]);
    if ((c < 32 && c != '\n' && c != '\r') || c > 126) {
      reportError(fileName, lineOfOffset(source, i), "only printable ASCII in menu files");
      break;
    }
  }
  std::string text = source;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return toCrLf(text + "\n\n");
}

// The node texts ("name=Text" lines before the credits) and the credits' lines of
// the source, for the translators.
void collectEnglishTexts(const std::string& source, std::vector<EnglishText>* english) {
  bool credits = false;
  size_t at = 0;
  for (int line = 1; at < source.size(); ++line) {
    size_t end = source.find('\n', at);
    if (end == std::string::npos) end = source.size();
    std::string text = source.substr(at, end - at);
    at = end + 1;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text == "[credits/]" || text == "[/credits]") {
      credits = text == "[credits/]";
      continue;
    }
    const size_t equals = text.find('=');
    if (credits && !text.empty()) {
      english->push_back(EnglishText{"menutext.txt", "credits", text, line,
                                     "A line of the credits", true});
    } else if (!credits && equals != std::string::npos && equals > 0) {
      english->push_back(EnglishText{"menutext.txt", text.substr(0, equals),
                                     text.substr(equals + 1), line,
                                     "A menu item, or the caption of a screen", true});
    }
  }
}

}  // namespace

void generateMenus(std::vector<EnglishText>* english) {
  std::string menuSource, textSource;
  if (!readSource("menu.txt", &menuSource) || !readSource("menutext.txt", &textSource)) return;
  std::vector<uint8_t> menu = convertMenuSource("menu.txt", menuSource);
  std::vector<uint8_t> texts = convertMenuSource("menutext.txt", textSource);
  static MenuFileTree tree;  // large: kept out of the stack
  if (!buildMenuTree(menu.data(), menu.size(), texts.data(), texts.size(), kMenuTopScreens,
                     kMenuTopScreenCount, &tree)) {
    const std::string converted(tree.problemInTexts ? texts.begin() : menu.begin(),
                                tree.problemInTexts ? texts.end() : menu.end());
    reportError(tree.problemInTexts ? "menutext.txt" : "menu.txt",
                lineOfOffset(converted, static_cast<size_t>(tree.problemOffset)), tree.problem);
  }
  const std::string menuText(menu.begin(), menu.end());
  const std::string textText(texts.begin(), texts.end());
  checkCommands(tree, menuText);
  checkLookups(tree, menuText, textText);
  checkCredits(tree);
  collectEnglishTexts(textSource, english);
  addOutput(Place::TextsPack, "menu.txt", std::move(menu));
  addOutput(Place::TextsPack, "menutext.txt", std::move(texts));
}
