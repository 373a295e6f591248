// The runner's view of the menus: the dump's "menu" section (the current screen,
// its slide, the backdrop, what the last frame showed, the message box's text) and
// `choose TEXT`, which clicks the visible item of that text as a person would.
#include <strings.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "json.h"
#include "runner.h"
#include "ui/menu.h"

namespace {

const char* kindName(VisibleKind kind) {
  switch (kind) {
    case VisibleKind::Button: return "button";
    case VisibleKind::Text: return "text";
    case VisibleKind::Slider: return "slider";
    case VisibleKind::Check: return "check";
    case VisibleKind::Arrow: return "arrow";
    case VisibleKind::Entry: return "entry";
    case VisibleKind::Profile: return "profile";
    case VisibleKind::Level: return "level";
    case VisibleKind::Link: return "link";
  }
  return "text";
}

void numberField(JsonWriter& json, const char* name, double value) {
  json.key(name);
  json.number(value);
}

void visibleItem(JsonWriter& json, const VisibleItem& item) {
  json.beginObject();
  json.key("text");
  json.string(item.text);
  json.key("kind");
  json.string(kindName(item.kind));
  numberField(json, "x", item.x);
  numberField(json, "y", item.y);
  numberField(json, "w", item.w);
  numberField(json, "h", item.h);
  json.key("enabled");
  json.boolean(item.enabled);
  json.key("selected");
  json.boolean(item.selected);
  json.endObject();
}

}  // namespace

void dumpMenu(JsonWriter& json) {
  json.key("menu");
  json.beginObject();
  json.key("screen");
  json.string(currentMenuScreen());
  json.key("selection");
  json.integer(menu.selection);
  json.key("sliding");
  json.boolean(menuSliding());
  json.key("hidden");
  json.boolean(menu.menuHidden);
  json.key("backdrop");
  json.integer(menu.backdrop);
  json.key("items");
  json.beginArray();
  for (int32_t i = 0; i < menuFrame.visibleCount; ++i) visibleItem(json, menuFrame.visible[i]);
  json.endArray();
  json.key("message");
  json.string(messageBoxCurrent() ? menu.messageText : "");
  json.endObject();
}

bool runChoose(const Args& args, std::string* error) {
  for (int32_t i = 0; i < menuFrame.visibleCount; ++i) {
    const VisibleItem& item = menuFrame.visible[i];
    if (strcasecmp(item.text, args[0].c_str()) != 0) continue;
    const Args point = {std::to_string(item.x), std::to_string(item.y)};
    return findScriptCommand("click")->run(point, error);
  }
  *error = "no visible item \"" + args[0] + "\" on the screen \"" + currentMenuScreen() +
           "\"; visible:";
  for (int32_t i = 0; i < menuFrame.visibleCount; ++i) {
    *error += std::string(i ? ", \"" : " \"") + menuFrame.visible[i].text + "\"";
  }
  if (menuFrame.visibleCount == 0) *error += " nothing";
  return false;
}
