// menu_file.cpp: builds the menu tree from "menu.txt" and "menutext.txt" with the
// game's substring lookups, and reads the credits block.
#include "ui/menu_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

const char* const kMenuTopScreens[kMenuTopScreenCount] = {
    "main",   "profiles",      "newprofile", "rename",   "loadgamequest", "adventure",
    "zen",    "survival",      "hiscore",    "levelcomplete", "defeat",   "gameover",
    "gameplay", "messageboxok", "messageboxyn", "helpscreen", "options",   "credits"};

namespace {

// Both files as NUL-terminated texts while the tree is built.
struct MenuSources {
  std::string menu;
  std::string texts;
};

void noteProblem(MenuFileTree* tree, bool inTexts, size_t offset, const char* message,
                 const char* subject) {
  if (tree->problem[0]) return;
  std::snprintf(tree->problem, sizeof tree->problem, "%s: \"%.60s\"", message, subject);
  tree->problemOffset = static_cast<int32_t>(offset);
  tree->problemInTexts = inTexts;
}

// Offset of the first name + "=" in text, or npos.
size_t findKey(const std::string& text, const char* name) {
  return text.find(std::string(name) + "=");
}

// The display text of a name (up to the next CR) and where its line is; npos when
// the texts have none.
size_t findNodeText(const std::string& texts, const char* name, std::string* text) {
  const size_t at = findKey(texts, name);
  if (at == std::string::npos) return at;
  const size_t start = at + std::strlen(name) + 1;
  const size_t end = texts.find('\r', start);
  *text = texts.substr(start, (end == std::string::npos ? texts.size() : end) - start);
  return at;
}

// Fills the node's display text from "menutext.txt".
void readNodeText(const MenuSources& sources, MenuFileNode* node, MenuFileTree* tree) {
  std::string text;
  const size_t at = findNodeText(sources.texts, node->name, &text);
  node->textOffset = at == std::string::npos ? -1 : static_cast<int32_t>(at);
  if (at == std::string::npos) return;
  if (text.size() >= kMaxMenuText) {
    noteProblem(tree, true, at, "display text longer than 63 characters", node->name);
  }
  std::snprintf(node->text, sizeof node->text, "%s", text.c_str());
}

int32_t createNode(const MenuSources& sources, const std::string& name, int32_t parent,
                   size_t nameOffset, MenuFileTree* tree);

// Reads the child lines of the block at `at` (the header "name=") into the node.
void readChildren(const MenuSources& sources, int32_t index, size_t at, MenuFileTree* tree) {
  const std::string& menu = sources.menu;
  // The header's name, "=", and the two line-end bytes after them are skipped.
  size_t cursor = std::min(menu.size(), at + std::strlen(tree->nodes[index].name) + 1 + 2);
  while (cursor < menu.size() && menu[cursor] != '\r' && menu[cursor] != '\0') {
    size_t end = menu.find('\r', cursor);
    if (end == std::string::npos) end = menu.size();
    const std::string child = menu.substr(cursor, end - cursor);
    const int32_t childIndex = createNode(sources, child, index, cursor, tree);
    MenuFileNode& node = tree->nodes[index];
    if (childIndex >= 0) {
      if (node.childCount < kMaxMenuChildren) {
        node.children[node.childCount++] = childIndex;
      } else {
        noteProblem(tree, false, cursor, "more than 16 items on one screen", node.name);
      }
    }
    cursor = std::min(menu.size(), end + 2);
  }
}

// Returns the existing node of that name, or creates it with its text and, from
// its block, its children. -1 when the node cannot be created.
int32_t createNode(const MenuSources& sources, const std::string& name, int32_t parent,
                   size_t nameOffset, MenuFileTree* tree) {
  const int32_t existing = findMenuNode(*tree, name.c_str());
  if (existing >= 0) return existing;
  if (name.empty() || name.size() >= kMaxMenuName) {
    noteProblem(tree, false, nameOffset, "menu name empty or longer than 63 characters",
                name.c_str());
    return -1;
  }
  if (tree->nodeCount >= kMaxMenuNodes) {
    noteProblem(tree, false, nameOffset, "more than 256 menu nodes", name.c_str());
    return -1;
  }
  const int32_t index = tree->nodeCount++;
  MenuFileNode& node = tree->nodes[index];
  node = {};
  std::snprintf(node.name, sizeof node.name, "%s", name.c_str());
  node.parent = parent;
  readNodeText(sources, &node, tree);
  const size_t at = findKey(sources.menu, node.name);
  node.blockOffset = at == std::string::npos ? -1 : static_cast<int32_t>(at);
  if (at != std::string::npos) readChildren(sources, index, at, tree);
  return index;
}

// The lines between "[credits/]" and the next line that starts with "[/credits]";
// empty lines right after the opening marker are skipped.
void readCredits(const std::string& texts, MenuFileTree* tree) {
  const size_t open = texts.find("[credits/]");
  if (open == std::string::npos) return;
  size_t cursor = texts.find('\n', open);
  cursor = cursor == std::string::npos ? texts.size() : cursor + 1;
  while (cursor < texts.size() && (texts[cursor] == '\r' || texts[cursor] == '\n')) cursor++;
  while (cursor < texts.size() && texts.compare(cursor, 10, "[/credits]") != 0) {
    size_t end = texts.find('\n', cursor);
    if (end == std::string::npos) end = texts.size();
    std::string line = texts.substr(cursor, end - cursor);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (tree->creditCount >= kMaxCreditLines) {
      noteProblem(tree, true, cursor, "more than 64 credits lines", line.c_str());
      return;
    }
    if (line.size() >= kMaxCreditLine) {
      noteProblem(tree, true, cursor, "credits line longer than 63 characters", line.c_str());
    }
    std::snprintf(tree->credits[tree->creditCount++], kMaxCreditLine, "%s", line.c_str());
    cursor = end + 1;
  }
}

}  // namespace

bool buildMenuTree(const uint8_t* menuBytes, size_t menuSize, const uint8_t* textBytes,
                   size_t textSize, const char* const* topScreens, int topScreenCount,
                   MenuFileTree* tree) {
  tree->nodeCount = 0;
  tree->creditCount = 0;
  tree->problem[0] = 0;
  tree->problemOffset = 0;
  tree->problemInTexts = false;
  MenuSources sources;
  sources.menu.assign(reinterpret_cast<const char*>(menuBytes), menuSize);
  sources.texts.assign(reinterpret_cast<const char*>(textBytes), textSize);
  for (int i = 0; i < topScreenCount; ++i) {
    createNode(sources, topScreens[i], -1, 0, tree);
  }
  readCredits(sources.texts, tree);
  return tree->problem[0] == 0;
}

void takeMenuTexts(const uint8_t* textBytes, size_t textSize, MenuFileTree* tree) {
  const std::string texts(reinterpret_cast<const char*>(textBytes), textSize);
  for (int32_t i = 0; i < tree->nodeCount; ++i) {
    MenuFileNode& node = tree->nodes[i];
    std::string text;
    if (findNodeText(texts, node.name, &text) == std::string::npos) continue;
    std::snprintf(node.text, sizeof node.text, "%s", text.c_str());
  }
  if (texts.find("[credits/]") == std::string::npos) return;
  tree->creditCount = 0;
  readCredits(texts, tree);
}

int32_t findMenuNode(const MenuFileTree& tree, const char* name) {
  for (int32_t i = 0; i < tree.nodeCount; ++i) {
    if (std::strcmp(tree.nodes[i].name, name) == 0) return i;
  }
  return -1;
}
