// menu_tree.cpp: the menu tree as the running game keeps it: read once at
// start-up from the two menu files, with a plain account on standard error of
// anything in them that could not be used; lookups by name; the screens' hooks.
#include <cstdio>
#include <cstring>
#include <string>

#include "persistence/settings.h"
#include "resources/resources.h"
#include "ui/menu.h"
#include "ui/menu_local.h"

MenuFileTree menuTree = {};

namespace {

struct ScreenHooksEntry {
  char name[kMaxMenuName];
  MenuScreenHooks hooks;
};

// The screens' hooks: process lifetime, filled at start-up.
struct ScreenHooksTable {
  ScreenHooksEntry entries[kMaxScreenHooks];
  int32_t count;
};
ScreenHooksTable screenHooks = {};

int lineOf(const char* bytes, size_t size, size_t offset) {
  int line = 1;
  for (size_t i = 0; i < offset && i < size; ++i) line += bytes[i] == '\n';
  return line;
}

// Appends one line to the problems text, cutting it when full.
void addProblem(char* problems, size_t capacity, const std::string& line) {
  if (capacity == 0) return;
  const size_t used = std::strlen(problems);
  std::snprintf(problems + used, capacity - used, "%s\n", line.c_str());
}

// Blocks of "menu.txt" ("name=" lines) that no node of the tree was read from.
void listUnreachedBlocks(const std::string& menu, char* problems, size_t capacity) {
  for (size_t start = 0; start < menu.size();) {
    size_t end = menu.find('\r', start);
    if (end == std::string::npos) end = menu.size();
    const bool header = end > start && menu[end - 1] == '=';
    bool reached = false;
    for (int32_t i = 0; header && i < menuTree.nodeCount; ++i) {
      reached = reached || menuTree.nodes[i].blockOffset == int32_t(start);
    }
    if (header && !reached) {
      addProblem(problems, capacity,
                 "menu.txt: line " + std::to_string(lineOf(menu.data(), menu.size(), start)) +
                     ": no screen lists \"" + menu.substr(start, end - start - 1) +
                     "\"; its block is not used");
    }
    const size_t next = menu.find('\n', end);
    start = next == std::string::npos ? menu.size() : next + 1;
  }
}

void listNodesWithoutText(char* problems, size_t capacity) {
  for (int32_t i = 0; i < menuTree.nodeCount; ++i) {
    if (menuTree.nodes[i].textOffset < 0) {
      addProblem(problems, capacity,
                 std::string("menutext.txt: no text for \"") + menuTree.nodes[i].name +
                     "\"; it shows empty");
    }
  }
}

}  // namespace

bool buildMenus(const uint8_t* menuBytes, size_t menuSize, const uint8_t* textBytes,
                size_t textSize, char* problems, size_t problemsCapacity) {
  if (problemsCapacity > 0) problems[0] = '\0';
  const bool whole = buildMenuTree(menuBytes, menuSize, textBytes, textSize, kMenuTopScreens,
                                   kMenuTopScreenCount, &menuTree);
  // The players' list always leads back to the title screen.
  setMenuParent(findMenuScreen("profiles"), findMenuScreen("main"));
  if (!whole) {
    const char* file = menuTree.problemInTexts ? "menutext.txt" : "menu.txt";
    const uint8_t* bytes = menuTree.problemInTexts ? textBytes : menuBytes;
    const size_t size = menuTree.problemInTexts ? textSize : menuSize;
    const int line = lineOf(reinterpret_cast<const char*>(bytes), size,
                            size_t(menuTree.problemOffset));
    addProblem(problems, problemsCapacity,
               std::string(file) + ": line " + std::to_string(line) + ": " + menuTree.problem +
                   " (left out)");
  }
  listUnreachedBlocks(std::string(reinterpret_cast<const char*>(menuBytes), menuSize), problems,
                      problemsCapacity);
  listNodesWithoutText(problems, problemsCapacity);
  return whole;
}

bool loadMenuTree() {
  uint32_t menuSize = 0, textSize = 0;
  const uint8_t* menuBytes = loadFile("menu.txt", &menuSize, true);
  const uint8_t* textBytes = loadFile("menutext.txt", &textSize, true);
  static char problems[2048];
  const bool whole = buildMenus(menuBytes, menuSize, textBytes, textSize, problems,
                                sizeof problems);
  if (problems[0]) std::fputs(problems, stderr);
  loadMenuTexts();
  return whole;
}

void loadMenuTexts() {
  for (const char* code : {kEnglish, textLanguage()}) {
    uint32_t size = 0;
    const std::string name = languageFileName("menutext.txt", code);
    // Kept in the file table for the next change of language.
    const uint8_t* bytes = loadFile(name.c_str(), &size, false);
    if (bytes) takeMenuTexts(bytes, size, &menuTree);
  }
}

bool switchLanguage(const char* code) {
  if (findLanguage(code) < 0 || std::strcmp(code, textLanguage()) == 0) return false;
  loadTexts(code);
  loadMenuTexts();
  saveLanguageChoice(textLanguage());
  return true;
}

int32_t findMenuScreen(const char* name) { return findMenuNode(menuTree, name); }

const char* menuNodeName(int32_t node) {
  return node >= 0 && node < menuTree.nodeCount ? menuTree.nodes[node].name : "";
}

const char* menuNodeText(int32_t node) {
  return node >= 0 && node < menuTree.nodeCount ? menuTree.nodes[node].text : "";
}

int32_t menuItemCount(int32_t screen) {
  return screen >= 0 && screen < menuTree.nodeCount ? menuTree.nodes[screen].childCount : 0;
}

int32_t menuItemNode(int32_t screen, int32_t item) {
  if (item < 0 || item >= menuItemCount(screen)) return -1;
  return menuTree.nodes[screen].children[item];
}

int32_t menuItemIndex(int32_t screen, const char* name) {
  for (int32_t i = 0; i < menuItemCount(screen); ++i) {
    if (std::strcmp(menuNodeName(menuItemNode(screen, i)), name) == 0) return i;
  }
  return -1;
}

int32_t menuParent(int32_t node) {
  return node >= 0 && node < menuTree.nodeCount ? menuTree.nodes[node].parent : -1;
}

void setMenuParent(int32_t node, int32_t parent) {
  if (node >= 0 && node < menuTree.nodeCount) menuTree.nodes[node].parent = parent;
}

const char* currentMenuScreen() { return menuNodeName(menu.screen); }

const char* selectedMenuItem() { return menuNodeName(menuItemNode(menu.screen, menu.selection)); }

namespace {

// The entry of a screen, made when there is none; null when the table is full.
ScreenHooksEntry* screenHooksEntry(const char* name) {
  for (int32_t i = 0; i < screenHooks.count; ++i) {
    if (std::strcmp(screenHooks.entries[i].name, name) == 0) return &screenHooks.entries[i];
  }
  if (screenHooks.count >= kMaxScreenHooks) return nullptr;
  ScreenHooksEntry& entry = screenHooks.entries[screenHooks.count++];
  entry = {};
  std::snprintf(entry.name, sizeof entry.name, "%s", name);
  return &entry;
}

const ScreenHooksEntry* findScreenHooks(const char* name) {
  for (int32_t i = 0; i < screenHooks.count; ++i) {
    if (std::strcmp(screenHooks.entries[i].name, name) == 0) return &screenHooks.entries[i];
  }
  return nullptr;
}

}  // namespace

bool registerMenuScreen(const char* name, MenuScreenHooks hooks) {
  ScreenHooksEntry* entry = screenHooksEntry(name);
  if (!entry) return false;
  entry->hooks = hooks;
  return true;
}

MenuScreenHooks menuScreenHooks(const char* name) {
  const ScreenHooksEntry* entry = findScreenHooks(name);
  return entry ? entry->hooks : MenuScreenHooks{};
}

MenuScreenHooks screenHooksOf(int32_t node) {
  return node >= 0 ? menuScreenHooks(menuNodeName(node)) : MenuScreenHooks{};
}

bool messageBoxCurrent() { return screenHooksOf(menu.screen).messageBox; }

bool menuHoldsSaving() { return screenHooksOf(menu.screen).holdsSaving; }
