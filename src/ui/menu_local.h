// menu_local.h: the menu module's own steps: tree lookups, the controller's key
// and command handling, the screens' own operations that the table of screens
// gathers, the widgets' input passes and the name entry, shared by the module's
// files.
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
// The hooks of node `node` (all null for -1 or a node without any).
MenuScreenHooks screenHooksOf(int32_t node);

// ---------------------------------------------------------------------------
// Controller (controller.cpp, keys.cpp, commands.cpp)

// One key of the frame, through the screen rules and the general keys.
void handleMenuKey(int32_t key);
// The selected item's command (after the slide-out that Enter started).
void runMenuCommand();
// Opens `node` as a screen reached from the current one: its parent becomes the
// current screen; the selection starts on its first item.
void openChildScreen(int32_t node);
// True while the board game's scene is the current one.
bool insideGame();
// The scene of the title menus with "main" open.
void toTitle();
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
// The screens' own operations, gathered in the table of screens (screen_table.cpp)

// Keys (keys.cpp): Escape does nothing; Escape counts as Enter.
int32_t refuseEscape(int32_t key);
int32_t escapeAsEnter(int32_t key);

// Commands, answers and ways back (commands.cpp).
bool answerOverTitle(MenuAnswer answer);        // "main": yes quits
bool answerOverProfileList(MenuAnswer answer);  // "profiles": yes removes the player
bool answerOverLevelChoice(MenuAnswer answer);  // "adventure", "zen": yes starts afresh
bool answerOverGameMenu(MenuAnswer answer);     // "gameplay": yes restarts
bool answerOverDefeat(MenuAnswer answer);       // "defeat": yes skips the level
bool answerOverNewGame(MenuAnswer answer);      // "new game": OK goes back
bool gameMenuCommand(const char* item);         // "gameplay": a restart is asked first
bool defeatCommand(const char* item);           // "defeat": "main" leaves unsaved
bool helpScreenCommand(const char* item);       // "helpscreen": OK
bool savedGameQuestionCommand(const char* item);  // "loadgamequest": yes and no
bool survivalChoiceCommand(const char* item);   // "survival": start
bool backToBoard();                             // the overlay closes
bool hideTitleScreen();                         // "main" hides
bool leaveHighScores();                         // "hiscore" in a game: the title menus
bool leaveGallery();                            // the title backdrop comes back
void leaveOptions();                            // the options are saved

// The title screen, message boxes, defeat panel, game menu and credits (screens.cpp).
void drawTitleScreen();
void enterTitleScreen();
void drawOkBox();
void drawYesNoBox();
void drawDefeatPanel();
void drawGameMenu();
void drawCredits();
void enterCredits();
void updateCredits(float dt);
int32_t creditsKey(int32_t key);

// The level choice over the map and the survival chart (level_choice.cpp).
void drawAdventureChoice();
void drawZenChoice();
void enterLevelChoice();
void updateAdventureChoice(float dt);
void hoverLevelChoice();
int32_t levelChoiceKey(int32_t key);
void drawSurvivalChoice();
void enterSurvivalChoice();
void updateSurvivalChoice(float dt);
int32_t survivalChoiceKey(int32_t key);

// The players' list and the name entry (profile_list.cpp, name_entry.cpp).
void drawProfileList();
void enterProfileList();
void updateProfileList(float dt);
int32_t profileListKey(int32_t key);
void enterNewProfile();
void enterRename();

// The result panel, the high scores and the saved-game question.
void drawResultPanel();
void enterResultPanel();
void updateResultPanel(float dt);
int32_t resultPanelKey(int32_t key);
void drawHighScores();
void enterHighScores();
int32_t highScoresKey(int32_t key);
void drawSavedGameQuestion();

// The options and the help screen (options.cpp, help.cpp).
bool optionsCommand(const char* item);  // "apply" switches the full screen
bool audioCommand(const char* item);    // "default" resets the volumes
bool videoCommand(const char* item);    // "default" resets the display
int32_t helpScreenKey(int32_t key);

// ---------------------------------------------------------------------------
// Widgets' input (widget_input.cpp)

// The hover pass over the last frame's items and controls.
void hoverMenu(float dt);
// A held button drags the slider under the pointer.
void dragSliders();
void clickMenu();
void doubleClickMenu();
// Space, or Enter without a selected item: toggles the focused check box, or
// follows the focused profiles link.
void toggleFocusedControl();
// The choice's next (step 1) or previous (-1) value, round from the last to the
// first. Returns false when it is bound to nothing.
bool stepChoice(MenuControl* c, int32_t step);

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
