// The runner's view of the help screen's demonstration (its clock, colour, the
// moved ball, the cursor and the lines popped) and of the game window as the
// window system reports it (full screen or not, its size, the drawable and the
// scene's viewport in it, the scene's scale).
#include "game/board.h"
#include "json.h"
#include "platform/platform.h"
#include "render/text.h"
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
  int32_t drawableWidth = 0, drawableHeight = 0;
  sysGetDrawableSize(&drawableWidth, &drawableHeight);
  json.key("drawableWidth");
  json.integer(drawableWidth);
  json.key("drawableHeight");
  json.integer(drawableHeight);
  int32_t viewport[4] = {};
  sysGetViewportRect(&viewport[0], &viewport[1], &viewport[2], &viewport[3]);
  viewport[1] = drawableHeight - viewport[1] - viewport[3];  // from the top, as a shot reads
  json.key("viewport");
  json.beginArray();
  for (const int32_t v : viewport) json.integer(v);
  json.endArray();
  json.key("scale");
  json.number(sceneScale());
  json.endObject();
}
