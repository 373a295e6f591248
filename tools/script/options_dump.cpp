// The runner's view of the help screen's demonstration (its clock, colour, the
// moved ball, the cursor and the lines popped) and of the game window as the
// window system reports it (full screen or not, its size).
#include "game/board.h"
#include "json.h"
#include "platform/platform.h"
#include "runner.h"
#include "ui/help.h"
#include "ui/menu.h"

namespace {

void point(JsonWriter& json, const char* name, Vec2 p) {
  json.key(name);
  json.beginArray();
  json.number(p.x);
  json.number(p.y);
  json.endArray();
}

}  // namespace

void dumpHelp(JsonWriter& json) {
  const HelpPose pose =
      helpPose(helpDemo.clock, helpDemo.bounceClock, gameState.difficulty, menu.slideOffset);
  json.key("help");
  json.beginObject();
  json.key("clock");
  json.number(helpDemo.clock);
  json.key("colour");
  json.integer(helpDemo.colour);
  json.key("pops");
  json.integer(helpDemo.pops);
  json.key("ballShown");
  json.boolean(pose.ballShown);
  point(json, "ball", pose.ball);
  point(json, "cursor", pose.cursor);
  json.key("lineBalls");
  json.integer(pose.lineStanding ? pose.lineBalls : 0);
  json.endObject();
}

void dumpWindow(JsonWriter& json) {
  const SysWindowState state = sysWindowState();
  int32_t clientWidth = 0, clientHeight = 0;
  sysGetClientSize(&clientWidth, &clientHeight);
  json.key("window");
  json.beginObject();
  json.key("real");
  json.boolean(state.real);
  json.key("fullScreen");
  json.boolean(state.fullScreen);
  json.key("width");
  json.integer(state.width);
  json.key("height");
  json.integer(state.height);
  json.key("clientWidth");
  json.integer(clientWidth);
  json.key("clientHeight");
  json.integer(clientHeight);
  json.endObject();
}
