// menu.h: the menu system as the rest of the program sees it: the menu tree read
// at start-up, the controller that shows one screen at a time with its slides,
// keys and commands, and the entry points the two host scenes call every frame
// (update, draw, balloon) and for every input message.
//
// The map scene hosts the title menus over a backdrop; the game scene hosts the
// in-game screens over the board while its menu is open (gameMenuOpen). The board
// game reaches the menus through its hooks (game.h), which app points here; the
// menus reach the game through game's operations, and the scenes and the program's
// end through menuHooks.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/math.h"
#include "ui/menu_file.h"

constexpr int32_t kMaxScreenName = 32;

// The last screen the program asked for by name (the game's in-game screens, the
// way back to the title): process lifetime, cleared by resetMenus. Kept beside the
// controller's own current screen so that a request can be checked even where no
// tree is loaded.
struct MenuRequests {
  char screen[kMaxScreenName];  // the last screen asked for, "" before any
  int32_t count;                // requests so far
};
extern MenuRequests menuRequests;

// What the menus ask of the program around them. app sets the table at start-up;
// until then the hooks do nothing.
struct MenuHooks {
  // The board game's scene becomes current at the end of the frame (a game starts).
  void (*showGameScene)();
  // The title menus over the map become current at the end of the frame.
  void (*showTitleScene)();
  // The program ends after this frame (the "quit" question answered yes).
  void (*quitProgram)();
};
extern MenuHooks menuHooks;

// What the map scene draws behind the menus.
enum : int32_t {
  kBackdropTitle = 0,          // the title scenery
  kBackdropMap = 1,            // the adventure map
  kBackdropSurvivalChart = 2,  // the survival chart
  kBackdropCredits = 4         // the credits scenery (the title's)
};

// A frame's drawing registers at most this many item buttons (one per item of a
// screen, whose items are at most 16 anyway) and controls (70 level marks plus a
// few check boxes on the busiest screen).
constexpr int32_t kMaxItemButtons = 32;
constexpr int32_t kMaxMenuControls = 128;
// Names typed into the name entry: capital letters, digits and spaces.
constexpr int32_t kMaxNameLength = 12;
// The message boxes' text, with its terminating zero.
constexpr int32_t kMaxMessageText = 260;
// A screen slides in or out in this many milliseconds.
constexpr float kSlideMs = 300.0f;
// Keys and clicks waiting for the next update: a frame sees a handful at most.
constexpr int32_t kMaxQueuedInput = 16;
// The balloon's text, with its terminating zero.
constexpr int32_t kMaxBalloonText = 256;

enum class ControlKind : int32_t {
  Slider = 0,
  CheckBox = 1,
  ArrowLeft = 4,
  ArrowRight = 5,
  ProfilesLink = 7,
  ProfileEntry = 8,
  LevelSlot = 9,
  Choice = 10  // one of a few values, stepped by the arrows at its ends
};

// The rectangle of one item drawn this frame (y up: top > bottom).
struct ItemButton {
  float left, top, right, bottom;
  int32_t item;  // the child of the current screen it stands for
  float textY;   // the centre line of its text
};

// One widget drawn this frame. Sliders and check boxes carry a pointer to the
// value they edit, so a change reaches the program at once.
struct MenuControl {
  float left, top, right, bottom;
  ControlKind kind;
  int16_t positions;       // Slider, Choice: number of positions (values)
  int16_t* boundPosition;  // Slider, Choice: 0..positions-1
  uint8_t* boundState;     // CheckBox: 0 or 1
};

// What the runner's dump lists of a frame's menu drawing.
enum class VisibleKind : uint8_t {
  Button, Text, Slider, Check, Arrow, Entry, Profile, Level, Link
};
constexpr int32_t kMaxVisibleItems = kMaxItemButtons + kMaxMenuControls + 1;
struct VisibleItem {
  char text[kMaxMenuText];
  VisibleKind kind;
  float x, y, w, h;  // centre and size, overlay units
  bool enabled;
  bool selected;     // the selected item, the focused control
};

// The tables a frame's menu drawing fills: emptied at the start of every menu draw;
// input acts on the rectangles of the last frame drawn.
struct MenuFrame {
  ItemButton buttons[kMaxItemButtons];
  int32_t buttonCount;
  MenuControl controls[kMaxMenuControls];
  int32_t controlCount;
  VisibleItem visible[kMaxVisibleItems];
  int32_t visibleCount;
};
extern MenuFrame menuFrame;

enum class MenuInputType : uint8_t { Key, Click, DoubleClick };
struct MenuInput {
  MenuInputType type;
  int32_t key;  // Key: the virtual-key code
  Vec2 at;      // Click, DoubleClick: the pointer, overlay units
};

// The tooltip balloon a screen asks for in a frame.
struct BalloonRequest {
  bool requested;  // asked for by this frame's drawing
  Vec2 anchor;
  char text[kMaxBalloonText];
  float width;     // the box's greatest width
  bool hasAngle;   // false: the box lies towards the screen centre
  float angle;     // degrees
  bool pointer;    // the pointer sprite points at the anchor
  bool grow;       // grows in (else fades in)
};

// Where the player was when a box opened over it, to go back to as it was.
struct MenuPlace {
  int32_t screen;      // -1 none
  int32_t selection;
  int32_t focus;
  bool menuHidden;
  bool screenClosed;
  bool textEntryActive;
  bool countUpRunning;
  bool overlayOpen;    // in a game: a screen was open over the board
};

// The controller and the widgets' lasting state: process lifetime, reset by
// resetMenus (the tree and the screens' hooks stay).
struct MenuState {
  int32_t screen = -1;    // node of the current screen; -1 none
  int32_t selection = 0;  // selected item (child) of the current screen; -1 none
  int32_t focus = -1;     // focused control of the last frame; -1 none
  bool opening, closing;
  float slideTimer;     // ms into the running slide
  float slideFraction;  // 1 = out of sight, 0 = fully open
  float slideOffset;    // units the screen is drawn higher while sliding
  bool pendingCommand;  // the selected item's command runs when the slide-out ends
  bool pendingBack;     // goBack runs when the slide-out ends
  bool menuHidden;      // "main" was dismissed: the backdrop shows alone
  bool screenClosed;    // the current screen slid out and nothing replaced it: it is
                        // not drawn, but keys still reach it
  int32_t backdrop;     // kBackdrop...
  int32_t renameIndex;  // the profile "rename", "okrename" and "remove" act on
  char messageText[kMaxMessageText];
  char editBuffer[kMaxNameLength + 1];
  int32_t caret;
  bool textEntryActive;
  float clock;          // ms: drives every pulse
  float caretClock;     // ms the name entry has been shown
  float creditsClock;   // ms of credits scrolled
  float hoverTimer;     // ms the pointer has been over no control
  int32_t heardSelection;  // the selection the selection sound last answered
  Vec2 pointer;         // overlay units
  bool mouseMoved;      // since the last update
  bool mouseHeld;       // the left button is down (slider drag)
  bool linkHover;       // the pointer is over the profiles link (the hover pass)
  MenuInput queue[kMaxQueuedInput];
  int32_t queued;
  char deferredScreen[kMaxScreenName];  // an in-game screen asked for during a slide
  // Values screens show and edit.
  int16_t survivalStartLevel;  // the survival screen's slider, 0..69
  int32_t hiscoreTable;        // the difficulty the high-score screen shows
  bool countUpRunning;         // the level result panel still counts its points up
  BalloonRequest balloon;      // asked for by this frame's drawing
  BalloonRequest lastBalloon;  // asked for by the frame before
  float balloonTimer;          // ms the balloon has shown its text at its anchor
  bool saveProblemShown;       // the box telling of a failed save is current
  MenuPlace beforeSaveProblem; // ... and where it returns to
};
extern MenuState menu;

// The menu tree: the nodes read from the two files, with their run-time parents.
// Process lifetime, built once at start-up.
extern MenuFileTree menuTree;

// An answer given on a message box.
enum class MenuAnswer : uint8_t { Ok, Yes, No };

// A screen's own behaviour beside what the controller does for every screen. Each
// operation may be null: the controller's general way then applies alone. The
// game's screens are listed in one table (screen_table.cpp) and registered by name.
struct MenuScreenHooks {
  // Its drawing; null shows the items in the default window.
  void (*draw)() = nullptr;
  // What it does when it opens (the selection is 0 and the focus -1 before).
  void (*enter)() = nullptr;
  // Each frame after the frame's input while it is shown or sliding (a value its
  // controls changed takes effect there).
  void (*update)(float dt) = nullptr;
  // After the hover pass over the last frame's items and controls.
  void (*hover)() = nullptr;
  // Its own keys before the general ones: returns the key to hand on (perhaps
  // another one), or 0 when the key was used up or dropped.
  int32_t (*key)(int32_t key) = nullptr;
  // Its own meaning of the item `item` chosen on it: returns false to leave the
  // item to the general commands.
  bool (*command)(const char* item) = nullptr;
  // Runs first whenever the way back leaves it.
  void (*leave)() = nullptr;
  // Its own way back, tried after the board's (below): returns false to go on
  // with the general way back (to the parent screen).
  bool (*back)() = nullptr;
  // A message box opened over it was answered: returns false for the general
  // answer (OK: the title menus; Yes: nothing; No: back to this screen).
  bool (*answer)(MenuAnswer answer) = nullptr;
  // Opened as an item, it keeps the parent the menu file gave it.
  bool keepsParent = false;
  // The way back from a screen opened over it closes the in-game overlay.
  bool childrenReturnToBoard = false;
  // A click anywhere counts as Enter.
  bool clickIsEnter = false;
  // It shows the message text (the two message boxes).
  bool messageBox = false;
  // It waits for an answer: a box telling of a failed save does not hide it.
  bool question = false;
  // While it is current the running game is not saved (it shows a level's end).
  bool holdsSaving = false;
};
// Screens with hooks of their own: the game's screens number about twenty.
constexpr int32_t kMaxScreenHooks = 40;
// Sets the hooks of a screen (a second call for a name replaces the first).
// Returns false when the table is full.
bool registerMenuScreen(const char* name, MenuScreenHooks hooks);
// Registers every screen of the game's table (again, replacing what was set since).
void registerMenuScreens();
// The hooks of a screen; all null when none were registered.
MenuScreenHooks menuScreenHooks(const char* name);
// True while the current screen is a message box.
bool messageBoxCurrent();
// True while the current screen holds saving back.
bool menuHoldsSaving();

// As a fresh start leaves it: no screen, nothing sliding or pending, title backdrop.
// The tree and the screens' hooks stay.
void resetMenus();

// Start-up: reads "menu.txt" and "menutext.txt" (missing files stop the program)
// and builds the tree, its texts in the language of the text table (those the
// language lacks in English). What could not be read is told on standard error,
// one line each; the game starts with the rest. Returns false when something was
// refused.
bool loadMenuTree();
// The menus' texts and the credits in the language of the text table, those the
// language lacks in English.
void loadMenuTexts();
// The options' language entry: every text the player reads (menus, HUD, tips,
// help, map) is in `code` from the next frame on, and the choice is kept for the
// next start. A code the data does not offer changes nothing. Returns true when
// the language changed.
bool switchLanguage(const char* code);
// The tree from the two files' bytes (no NUL needed). Returns false when some
// content was refused; `problems` then lists it, one line each, naming the file
// and line (it also lists blocks no screen reaches and items without a text).
bool buildMenus(const uint8_t* menuBytes, size_t menuSize, const uint8_t* textBytes,
                size_t textSize, char* problems, size_t problemsCapacity);
// Start-up: the menu pictures and those of the drawn cursor.
void loadMenuTextures();

// The node of that name, or -1.
int32_t findMenuScreen(const char* name);
// The name of node `node`; "" for -1.
const char* menuNodeName(int32_t node);
// The name of the current screen ("" when none).
const char* currentMenuScreen();
// True while a screen slides in or out.
bool menuSliding();
// The name of the current screen's selected item ("" when none).
const char* selectedMenuItem();

// Makes `node` the current screen and slides it in, running its entry action.
// Nothing happens while a slide runs.
void openScreen(int32_t node);
// openScreen of the named node; a name not in the tree only slides the current
// screen out.
void openScreenByName(const char* name);
// Slides the current screen out (nothing while a slide runs).
void closeScreen();
// Shows `text` in "messageboxok" (okOnly) or "messageboxyn", the current screen
// becoming the box's parent. A null text shows an empty box.
void showMessageBox(const char* text, bool okOnly);
// The board game opens one of its screens over the board, which freezes. Asked
// for while a slide runs or while the save-problem box waits for its answer, the
// screen opens when that is over.
void openInGameScreen(const char* name);
// Once per frame of the map and game scenes, before their update: when a save
// failed that the player has not been told of, and a box may open (no slide, no
// other box or screen waiting, no level ending in a game), shows the failure in
// "messageboxok" over wherever the player is (in a game as an in-game screen,
// the board frozen). Each failing folder is told once. Returns true when it opened.
bool showSaveProblemWhenDue();
// True while the save-problem box is current (or sliding in or out).
bool saveProblemBoxShowing();
// What Escape (after the slide-out) and some commands do: close the in-game
// overlay, hide "main", or open the parent screen.
void goBack();
// After a finished level: the title menus with the screen of the game played.
void goToModeScreen();

// Once per frame of the host scene, update first: slides, pulses, hover, drag,
// then the keys and clicks that arrived since the last update. dt in ms.
void menuUpdate(float dt);
// The current screen (nothing while "main" is hidden).
void menuDraw();
// The balloon the last menuDraw asked for, if any.
void drawMenuBalloon();

// Input entry points, called by the host scenes' handlers; each records what the
// next menuUpdate acts on.
void menuMouseMove();
void menuClick();
void menuDoubleClick();
void menuButtonUp();
void menuKey(int32_t key);
