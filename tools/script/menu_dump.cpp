// The runner's view of the menus: the dump's "menu" section (the current screen,
// its slide, the backdrop, what the last frame showed, the message box's text) and
// `choose TEXT`, which clicks the visible item of that text as a person would.
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

// The game's texts are Latin-1 and scripts are UTF-8: a script's text as the game
// writes it (characters beyond Latin-1 become '?').
std::string latin1Of(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += char(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
      out += char(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
    } else if (c >= 0xC0) {
      out += '?';
      while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) ++i;
    }
  }
  return out;
}

std::string utf8Of(const char* latin1) {
  std::string out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(latin1); *p; ++p) {
    if (*p < 0x80) {
      out += char(*p);
    } else {
      out += char(0xC0 | (*p >> 6));
      out += char(0x80 | (*p & 0x3F));
    }
  }
  return out;
}

// Letters compared without their case, the accented Latin-1 ones too.
unsigned char foldCase(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  return c;
}

bool sameText(const char* a, const std::string& b) {
  size_t i = 0;
  for (; a[i] && i < b.size(); ++i) {
    if (foldCase(static_cast<unsigned char>(a[i])) != foldCase(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return !a[i] && i == b.size();
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
  const std::string wanted = latin1Of(args[0]);
  for (int32_t i = 0; i < menuFrame.visibleCount; ++i) {
    const VisibleItem& item = menuFrame.visible[i];
    if (!sameText(item.text, wanted)) continue;
    const Args point = {std::to_string(item.x), std::to_string(item.y)};
    return findScriptCommand("click")->run(point, error);
  }
  *error = "no visible item \"" + args[0] + "\" on the screen \"" + currentMenuScreen() +
           "\"; visible:";
  for (int32_t i = 0; i < menuFrame.visibleCount; ++i) {
    *error += std::string(i ? ", \"" : " \"") + utf8Of(menuFrame.visible[i].text) + "\"";
  }
  if (menuFrame.visibleCount == 0) *error += " nothing";
  return false;
}
