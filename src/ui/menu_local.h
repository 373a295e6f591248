// menu_local.h: the menu module's own steps: tree lookups, the controller's key
// and command handling, the widgets' input passes and the name entry, shared by
// the module's files.
#pragma once

#include <cstdint>

#include "ui/menu.h"

// ---------------------------------------------------------------------------
// Tree (menu_tree.cpp)

const char* menuNodeText(int32_t node);
int32_t menuItemCount(int32_t screen);
// The node of item `item` of `screen`, or -1.
int32_t menuItemNode(int32_t screen, int32_t item);
// The index of the item named `name` among the screen's items, or -1.
int32_t menuItemIndex(int32_t screen, const char* name);
int32_t menuParent(int32_t node);
void setMenuParent(int32_t node, int32_t parent);
bool isCurrentScreen(const char* name);

// ---------------------------------------------------------------------------
// Controller (controller.cpp, keys.cpp, commands.cpp)

// One key of the frame, through the screen rules and the general keys.
void handleMenuKey(int32_t key);
// The selected item's command (after the slide-out that Enter started).
void runMenuCommand();
// Opens `node` as a screen reached from the current one: its parent becomes the
// current screen; the selection starts on its first item.
void openChildScreen(int32_t node);
// Clears menuOpen: the board takes the input again.
void closeOverlay();
// Makes `node` current again as it was left and slides it in: its selection,
// focus and typing stay, and its entry action does not run again.
void reopenScreen(int32_t node);
// The "ok" of the save-problem box: back to where the player was (or to the
// screen the game asked for meanwhile). Returns false when that box is not the
// one answered.
bool answerSaveProblem();
// The selected level on the adventure map.
int32_t selectedLevel();
void setSelectedLevel(int32_t level);
// True when a level may be chosen on the map (not beyond the best level reached,
// or every stage open).
bool levelChoosable(int32_t level);

// ---------------------------------------------------------------------------
// Screens (screens.cpp, level_choice.cpp)

// "adventure" and "zen" (the level on the map) and "survival" (the start level).
void registerLevelChoiceScreens();

// ---------------------------------------------------------------------------
// Widgets' input (widget_input.cpp)

// The hover pass over the last frame's items and controls.
void hoverMenu(float dt);
// A held button drags the slider under the pointer.
void dragSliders();
void clickMenu();
void doubleClickMenu();
// Space, or Enter without a selected item: toggles the focused check box.
void toggleFocusedControl();

// ---------------------------------------------------------------------------
// Balloon (balloon.cpp)

// True when both ask for the balloon with the same text at the same anchor.
bool sameBalloon(const BalloonRequest& a, const BalloonRequest& b);

// ---------------------------------------------------------------------------
// Name entry (name_entry.cpp)

// Applies a key to the edit buffer while the entry is active.
void nameEntryKey(int32_t key);
// The "newprofile" and "rename" screens.
void drawNameEntry();
