// controller.cpp: which screen is current, how screens slide in and out, what
// each screen does when it opens, and the frame's update and draw that the host
// scenes call, with the input they record in between.
#include <cstdio>

#include "audio/audio.h"
#include "game/board.h"
#include "game/game.h"
#include "input/input.h"
#include "map/map.h"
#include "persistence/settings.h"
#include "render/render.h"
#include "render/text.h"
#include "ui/menu.h"
#include "ui/menu_local.h"
#include "ui/options.h"
#include "ui/widgets.h"

MenuState menu = {};
MenuRequests menuRequests = {};

namespace {

void doNothing() {}

void recordRequest(const char* name) {
  std::snprintf(menuRequests.screen, sizeof menuRequests.screen, "%s", name);
  ++menuRequests.count;
}

void finishSlideOut() {
  menu.slideFraction = 1.0f;
  menu.slideOffset = 600.0f;
  menu.closing = false;
  menu.screenClosed = true;
  if (menu.pendingCommand) {
    menu.pendingCommand = false;
    runMenuCommand();
  }
  if (menu.pendingBack) {
    menu.pendingBack = false;
    goBack();
  }
}

void updateSlides(float dt) {
  if (menu.closing) {
    menu.slideFraction = menu.slideTimer / kSlideMs;
    menu.slideOffset = menu.slideFraction * menu.slideFraction * 600.0f;
    menu.slideTimer += dt;
    if (menu.slideTimer > kSlideMs) finishSlideOut();
  } else if (menu.opening) {
    menu.slideFraction = 1.0f - menu.slideTimer / kSlideMs;
    menu.slideOffset = menu.slideFraction * menu.slideFraction * 300.0f;
    menu.slideTimer += dt;
    if (menu.slideTimer > kSlideMs) {
      menu.slideFraction = 0.0f;
      menu.slideOffset = 0.0f;
      menu.opening = false;
    }
  }
}

// The balloon's clock runs while the same text stays asked for at the same place.
void updateBalloon(float dt) {
  const bool same = menu.balloon.requested && sameBalloon(menu.balloon, menu.lastBalloon);
  menu.balloonTimer = same ? menu.balloonTimer + dt : 0.0f;
  menu.lastBalloon = menu.balloon;
  menu.balloon.requested = false;
}

void playSelectionSound() {
  if (menu.selection == menu.heardSelection) return;
  if (menu.selection >= 0 && !menuSliding()) playSound("menu2.ogg");
  menu.heardSelection = menu.selection;
}

void handleQueuedInput() {
  for (int32_t i = 0; i < menu.queued && !menuSliding(); ++i) {
    const MenuInput& input = menu.queue[i];
    if (input.type != MenuInputType::Key) menu.pointer = input.at;
    switch (input.type) {
      case MenuInputType::Key: handleMenuKey(input.key); break;
      case MenuInputType::Click: clickMenu(); break;
      case MenuInputType::DoubleClick: doubleClickMenu(); break;
    }
  }
  menu.queued = 0;
}

void queueInput(MenuInputType type, int32_t key) {
  if (menu.queued >= kMaxQueuedInput) return;
  menu.queue[menu.queued++] = {type, key, menu.pointer};
}

Vec2 pointerNow() {
  Vec2 p;
  cursorToOverlay(input.mouseX, input.mouseY, &p.x, &p.y);
  return p;
}

// Screens without a drawing of their own: their items in a window.
void drawDefaultScreen() {
  if (menuItemCount(menu.screen) > 0) {
    drawItemWindow(230.0f, 150.0f + menu.slideOffset, 18.0f, true, 0, -1);
  }
}

bool screenNode(int32_t node) { return node >= 0 && node < menuTree.nodeCount; }

// What every slide-in starts with: `node` current, last frame's rectangles and
// waiting input gone.
void beginSlideIn(int32_t node) {
  menu.screen = node;
  menuFrame.buttonCount = 0;
  menuFrame.controlCount = 0;
  menuFrame.visibleCount = 0;
  menu.opening = true;
  menu.closing = false;
  menu.screenClosed = false;
  menu.menuHidden = false;
  menu.slideTimer = 0.0f;
  menu.slideFraction = 1.0f;
  menu.slideOffset = 300.0f;
  menu.queued = 0;
}

}  // namespace

MenuHooks menuHooks = {
    .showGameScene = doNothing, .showTitleScene = doNothing, .quitProgram = doNothing};

void resetMenus() {
  menu = {};
  menuFrame.buttonCount = 0;
  menuFrame.controlCount = 0;
  menuFrame.visibleCount = 0;
  menuRequests = {};
}

bool menuSliding() { return menu.opening || menu.closing; }

void openScreen(int32_t node) {
  if (menuSliding() || !screenNode(node)) return;
  beginSlideIn(node);
  menu.focus = -1;
  menu.selection = 0;
  menu.textEntryActive = false;
  menu.countUpRunning = false;
  if (const MenuScreenHooks hooks = screenHooksOf(node); hooks.enter) hooks.enter();
}

void reopenScreen(int32_t node) {
  if (menuSliding() || !screenNode(node)) return;
  beginSlideIn(node);
}

void openScreenByName(const char* name) {
  const int32_t node = findMenuScreen(name);
  if (node < 0) {
    closeScreen();
    return;
  }
  openScreen(node);
}

void closeScreen() {
  if (menuSliding() || menu.screen < 0) return;
  menu.closing = true;
  menu.slideTimer = 0.0f;
  menu.slideFraction = 0.0f;
  menu.slideOffset = 0.0f;
}

void showMessageBox(const char* text, bool okOnly) {
  std::snprintf(menu.messageText, sizeof menu.messageText, "%s", text ? text : "");
  const int32_t box = findMenuScreen(okOnly ? "messageboxok" : "messageboxyn");
  setMenuParent(box, menu.screen);
  openScreen(box);
}

void openInGameScreen(const char* name) {
  recordRequest(name);
  // A screen asked for while another slides opens when the slide ends, so the
  // frozen board always gets its screen; over the save-problem box it waits for
  // the answer, so the box is never hidden unread.
  if ((menuSliding() || saveProblemBoxShowing()) && findMenuScreen(name) >= 0) {
    std::snprintf(menu.deferredScreen, sizeof menu.deferredScreen, "%s", name);
  } else {
    openScreenByName(name);
  }
  enterInGameMenu();
  setCursorMode(CursorMode::Arrow);
}

void menuUpdate(float dt) {
  menu.pointer = pointerNow();
  updateBalloon(dt);
  // Input given while a screen slid out is dropped as during the rest of its
  // slide: its command may have closed the overlay, and a click would otherwise
  // hit the items it showed and start a slide no update would ever finish.
  const bool wasClosing = menu.closing;
  updateSlides(dt);
  if (wasClosing && !menu.closing) menu.queued = 0;
  if (!menuSliding() && !saveProblemBoxShowing() && menu.deferredScreen[0]) {
    openScreenByName(menu.deferredScreen);
    menu.deferredScreen[0] = '\0';
    enterInGameMenu();  // the slide that ended may have closed the overlay
  }
  playSelectionSound();
  menu.clock += dt;
  if (menu.textEntryActive) menu.caretClock += dt;
  menu.linkHover = false;
  if (!menuSliding() && menu.screen >= 0) {
    hoverMenu(dt);
    dragSliders();
    handleQueuedInput();
  }
  const MenuScreenHooks hooks = screenHooksOf(menu.screen);
  // The screen's own clocks, sounds and effects (nothing while it is closed).
  if (hooks.update && menu.screen >= 0 && !menu.screenClosed) hooks.update(dt);
  menu.queued = 0;
  menu.mouseMoved = false;
}

void menuDraw() {
  menuFrame.buttonCount = 0;
  menuFrame.controlCount = 0;
  menuFrame.visibleCount = 0;
  if (menu.screen < 0 || menu.menuHidden || menu.screenClosed) return;
  begin2D();
  selectFont(0);
  setTextColor(255, 255, 255, 255);
  const MenuScreenHooks hooks = screenHooksOf(menu.screen);
  if (hooks.draw) {
    hooks.draw();
  } else {
    drawDefaultScreen();
  }
  setWorldTransform(nullptr);
  selectFont(0);
  setTextColor(255, 255, 255, 255);
}

void menuMouseMove() {
  menu.mouseMoved = true;
  menu.pointer = pointerNow();
}

void menuClick() {
  menu.mouseHeld = true;
  menu.mouseMoved = true;
  menu.pointer = pointerNow();
  queueInput(MenuInputType::Click, 0);
}

void menuDoubleClick() {
  menu.mouseHeld = true;
  menu.mouseMoved = true;
  menu.pointer = pointerNow();
  queueInput(MenuInputType::DoubleClick, 0);
}

void menuButtonUp() { menu.mouseHeld = false; }

void menuKey(int32_t key) {
  if (key != 0) queueInput(MenuInputType::Key, key);
}

int32_t selectedLevel() { return settings.selectedMapLevel; }

void setSelectedLevel(int32_t level) { settings.selectedMapLevel = level; }

bool levelChoosable(int32_t level) { return !mapLevelLocked(level); }
