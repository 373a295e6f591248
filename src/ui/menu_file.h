// menu_file.h: the two menu definition files and the tree built from them.
// "menu.txt" holds blocks: a line with a screen's name and "=", one item name per
// line, an empty line. "menutext.txt" holds one "name=text" line per node and the
// credits block. A node's children and text are found by a plain substring
// search for name + "=", first occurrence in the whole file, so the tree is built
// exactly as the game walks it: from the screens created by name, recursively.
#pragma once

#include <cstddef>
#include <cstdint>

// The tree's fixed table: the game's menus use about 40 nodes.
constexpr int kMaxMenuNodes = 256;
// A screen lists at most this many items (the item buttons of one screen).
constexpr int kMaxMenuChildren = 16;
// Names and display texts are at most 63 characters.
constexpr int kMaxMenuName = 64;
constexpr int kMaxMenuText = 64;
// The credits scroll at most 64 lines of at most 63 characters.
constexpr int kMaxCreditLines = 64;
constexpr int kMaxCreditLine = 64;

struct MenuFileNode {
  char name[kMaxMenuName];
  char text[kMaxMenuText];     // "" when "menutext.txt" has no line for the name
  int32_t parent;              // the node being read when this one was created; -1 none
  int32_t childCount;
  int32_t children[kMaxMenuChildren];
  int32_t blockOffset;         // where the children were found in "menu.txt"; -1 none
  int32_t textOffset;          // where the text was found in "menutext.txt"; -1 none
};

struct MenuFileTree {
  MenuFileNode nodes[kMaxMenuNodes];
  int32_t nodeCount;
  char credits[kMaxCreditLines][kMaxCreditLine];
  int32_t creditCount;
  // The first content that did not fit (a node beyond the table, a 17th child, an
  // over-long name, text or credits line) and its byte offset in the file named
  // by problemInTexts; problem[0] == 0 when everything fitted.
  char problem[160];
  int32_t problemOffset;
  bool problemInTexts;
};

// The screens the game creates by name at start-up, in creation order.
constexpr int kMenuTopScreenCount = 18;
extern const char* const kMenuTopScreens[kMenuTopScreenCount];

// Builds the tree from both files (bytes need no NUL) by creating each top screen
// by name. Content beyond the limits is refused and the first refusal recorded in
// tree->problem. Returns false when anything was refused.
bool buildMenuTree(const uint8_t* menuBytes, size_t menuSize, const uint8_t* textBytes,
                   size_t textSize, const char* const* topScreens, int topScreenCount,
                   MenuFileTree* tree);
// Takes the node texts and the credits from another menu text file (a language's,
// or "menutext.txt" again to have the English back): a node it has no line for
// keeps its text, and so do the credits when it has no credits block.
void takeMenuTexts(const uint8_t* textBytes, size_t textSize, MenuFileTree* tree);
// The node's index, or -1.
int32_t findMenuNode(const MenuFileTree& tree, const char* name);
