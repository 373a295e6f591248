// translations.cpp: the game in other languages, through gettext's files. The
// English texts become the translators' template "orbelquaint.pot": one entry per
// text, its context the table key (a menu node's name, "credits" for a line of
// the credits) and its id the English text. Every "po/<code>.po" of the sources
// becomes the language's own tables in "texts.dat" ("strings_<code>.txt",
// "tips_<code>.txt", "menutext_<code>.txt"), entry for entry as the English ones,
// with the English text wherever a translation is missing, empty or fuzzy; and
// "languages.txt" lists English and every language by its name in itself.
//
// Translations are checked as they are compiled: UTF-8 turned into the font's
// Latin-1 with a glyph for every character, the same printf conversions in the
// same order, and nothing that would break the game's readers ("[", "\", "=" in
// a menu text, line breaks where none can be).
#include <cstdio>
#include <filesystem>
#include <map>
#include <utility>

#include "datagen.h"
#include "generators.h"
#include "text_metrics.h"

namespace {

constexpr const char* kTemplateName = "orbelquaint.pot";
// Texts longer than a message box holds are refused (the box keeps 259 bytes).
constexpr size_t kMaxTextBytes = 255;
// Menu texts and credits lines hold 63 characters.
constexpr size_t kMaxMenuBytes = 63;

// One entry of a PO file.
struct PoEntry {
  std::string context;
  std::string id;
  std::string text;  // msgstr, UTF-8
  bool fuzzy;
  bool plural;
  int line;          // of its msgid
};

using TextId = std::pair<std::string, std::string>;  // context, English text

// ---------------------------------------------------------------------------
// Writing the template

// A string as a PO file quotes it: escapes, and a text with line breaks written
// one line after another.
std::string poString(const std::string& text) {
  std::string quoted = "\"";
  bool broken = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"' || c == '\\') quoted += '\\';
    if (c == '\n') {
      quoted += "\\n\"\n\"";
      broken = true;
      continue;
    }
    if (c == '\t') {
      quoted += "\\t";
      continue;
    }
    quoted += c;
  }
  quoted += '"';
  if (broken) quoted = "\"\"\n" + quoted;
  // A trailing break leaves an empty last piece.
  const std::string empty = "\n\"\"";
  if (quoted.size() > empty.size() && quoted.compare(quoted.size() - empty.size(), empty.size(),
                                                     empty) == 0) {
    quoted.erase(quoted.size() - empty.size());
  }
  return quoted;
}

bool hasConversion(const std::string& text) { return text.find('%') != std::string::npos; }

std::string templateText(const std::vector<EnglishText>& english) {
  std::string out =
      "# The texts of Orbelquaint, for translation. Written by orbel-datagen from the\n"
      "# English texts in data/; do not edit: make a language's file from it with\n"
      "# msginit, or bring one up to date with msgmerge (docs/languages.md).\n"
      "msgid \"\"\n"
      "msgstr \"\"\n"
      "\"Project-Id-Version: orbelquaint\\n\"\n"
      "\"MIME-Version: 1.0\\n\"\n"
      "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
      "\"Content-Transfer-Encoding: 8bit\\n\"\n";
  // One entry per context and text; a second place of the same one is a reference.
  std::map<TextId, std::string> references;
  std::vector<const EnglishText*> order;
  for (const EnglishText& text : english) {
    if (!text.translated) continue;
    std::string& refs = references[TextId(text.key, text.text)];
    if (refs.empty()) order.push_back(&text);
    refs += format(" %s:%d", text.file.c_str(), text.line);
  }
  for (const EnglishText* text : order) {
    out += "\n";
    if (!text->note.empty()) out += "#. " + text->note + "\n";
    out += "#:" + references[TextId(text->key, text->text)] + "\n";
    if (hasConversion(text->text)) out += "#, c-format\n";
    out += "msgctxt " + poString(text->key) + "\n";
    out += "msgid " + poString(text->text) + "\n";
    out += "msgstr \"\"\n";
  }
  return out;
}

std::string& templateBytes() {
  static std::string bytes;
  return bytes;
}

// ---------------------------------------------------------------------------
// Reading a PO file

// The quoted string at the start of `rest` with its escapes undone. False (the
// reason in *error) when it is not one.
bool readQuoted(const std::string& rest, std::string* out, std::string* error) {
  if (rest.size() < 2 || rest[0] != '"' || rest.back() != '"') {
    *error = "expected a quoted string";
    return false;
  }
  for (size_t i = 1; i + 1 < rest.size(); ++i) {
    if (rest[i] != '\\') {
      *out += rest[i];
      continue;
    }
    if (++i + 1 >= rest.size()) break;
    switch (rest[i]) {
      case 'n': *out += '\n'; break;
      case 't': *out += '\t'; break;
      case '"': *out += '"'; break;
      case '\\': *out += '\\'; break;
      default: *error = format("the escape \"\\%c\" is not used in texts", rest[i]); return false;
    }
  }
  return true;
}

// Reads the entries of a PO file (obsolete ones left out). Problems are reported.
std::vector<PoEntry> readPo(const std::string& fileName, const std::string& source) {
  std::vector<PoEntry> entries;
  PoEntry entry = {};
  std::string* target = nullptr;
  bool fuzzy = false;
  auto finish = [&]() {
    if (entry.line > 0) entries.push_back(entry);
    entry = {};
    target = nullptr;
  };
  size_t at = 0;
  for (int line = 1; at <= source.size(); ++line) {
    size_t end = source.find('\n', at);
    if (end == std::string::npos) end = source.size();
    std::string text = source.substr(at, end - at);
    at = end + 1;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    const size_t first = text.find_first_not_of(" \t");
    text = first == std::string::npos ? "" : text.substr(first);
    if (text.empty()) continue;
    if (text.rfind("#,", 0) == 0) {
      fuzzy = fuzzy || text.find("fuzzy") != std::string::npos;
      continue;
    }
    if (text[0] == '#') continue;
    std::string error;
    if (text[0] == '"') {
      if (!target || !readQuoted(text, target, &error)) {
        reportError(fileName, line, error.empty() ? "a string that belongs to nothing" : error);
      }
      continue;
    }
    const size_t space = text.find(' ');
    const std::string keyword = text.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : text.substr(space + 1);
    // A context or an id after an entry's id starts the next entry.
    if ((keyword == "msgctxt" || keyword == "msgid") && entry.line > 0) finish();
    if (keyword == "msgctxt") {
      target = &entry.context;
    } else if (keyword == "msgid") {
      entry.line = line;
      entry.fuzzy = fuzzy;
      fuzzy = false;
      target = &entry.id;
    } else if (keyword == "msgstr" || keyword == "msgstr[0]") {
      target = &entry.text;
    } else if (keyword == "msgid_plural" || keyword.rfind("msgstr[", 0) == 0) {
      entry.plural = true;
      target = nullptr;
      continue;
    } else {
      reportError(fileName, line, "unknown keyword \"" + keyword + "\"");
      continue;
    }
    if (!readQuoted(rest, target, &error)) reportError(fileName, line, error);
  }
  finish();
  return entries;
}

// ---------------------------------------------------------------------------
// Compiling a language

// The Latin-1 bytes of a UTF-8 text; false (the reason in *error) on malformed
// UTF-8 or a character the font cannot draw. `breaks`: line breaks are allowed.
bool toFontBytes(const std::string& utf8, bool breaks, std::string* out, std::string* error) {
  for (size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    uint32_t code = c;
    if (c >= 0x80) {
      const int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
      if (more < 0 || i + size_t(more) >= utf8.size()) {
        *error = "malformed UTF-8";
        return false;
      }
      code = c & (0x3F >> more);
      for (int k = 0; k < more; ++k) {
        const unsigned char next = static_cast<unsigned char>(utf8[++i]);
        if ((next & 0xC0) != 0x80) {
          *error = "malformed UTF-8";
          return false;
        }
        code = (code << 6) | (next & 0x3F);
      }
    }
    if (code == '\n' && breaks) {
      *out += '\n';
      continue;
    }
    if (code > 0xFF || !fontHasGlyph(static_cast<unsigned char>(code))) {
      *error = code == '\n' ? "no line breaks in this text"
                            : format("the font has no glyph for U+%04X", unsigned(code));
      return false;
    }
    *out += static_cast<char>(code);
  }
  return true;
}

// The conversions of a printf format in order ("%s%i").
std::string conversionsOf(const std::string& text) {
  std::string found;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '%') continue;
    found += text.substr(i, 2);
    ++i;
  }
  return found;
}

// Why a translation (Latin-1) cannot stand for the English text, or "".
std::string translationProblem(const EnglishText& english, const std::string& text) {
  const bool menu = english.file == "menutext.txt";
  if (text.size() > (menu ? kMaxMenuBytes : kMaxTextBytes)) {
    return format("longer than %zu bytes", menu ? kMaxMenuBytes : kMaxTextBytes);
  }
  if (text.find('[') != std::string::npos || text.find('\\') != std::string::npos) {
    return "no \"[\" or \"\\\" in texts";
  }
  if (menu && text.find('=') != std::string::npos) return "no \"=\" in menu texts";
  if (text.front() == '\n' || text.back() == '\n' || text.find("\n\n") != std::string::npos) {
    return "line breaks only between lines of text";
  }
  if (conversionsOf(text) != conversionsOf(english.text)) {
    return format("must hold the conversions \"%s\" in that order",
                  conversionsOf(english.text).c_str());
  }
  return "";
}

// A language: the translation of each English text ("" for none), in the order of
// `english`.
struct Language {
  std::string code;
  std::vector<std::string> texts;
};

// The translations of a PO file for every English text; problems reported.
Language compileLanguage(const std::string& code, const std::string& fileName,
                         const std::string& source, const std::vector<EnglishText>& english) {
  std::map<TextId, const PoEntry*> byId;
  const std::vector<PoEntry> entries = readPo(fileName, source);
  for (const PoEntry& entry : entries) {
    if (entry.id.empty() || entry.plural) continue;
    if (byId.count(TextId(entry.context, entry.id))) {
      reportError(fileName, entry.line, "a second entry for \"" + entry.context + "\"");
    }
    byId[TextId(entry.context, entry.id)] = &entry;
  }
  Language language{code, {}};
  std::map<TextId, bool> used;
  for (const EnglishText& text : english) {
    const TextId id(text.key, text.text);
    const auto found = byId.find(id);
    std::string bytes;
    if (text.translated && found != byId.end() && !found->second->fuzzy &&
        !found->second->text.empty()) {
      std::string error;
      if (!toFontBytes(found->second->text, text.file != "menutext.txt", &bytes, &error) ||
          !(error = translationProblem(text, bytes)).empty()) {
        reportError(fileName, found->second->line, "\"" + text.key + "\": " + error);
        bytes.clear();
      }
      used[id] = true;
    }
    language.texts.push_back(bytes);
  }
  for (const PoEntry& entry : entries) {
    const bool stale = !entry.id.empty() && !entry.plural && !entry.text.empty() &&
                       !used.count(TextId(entry.context, entry.id));
    if (stale) {
      std::fprintf(stderr,
                   "%s:%d: warning: \"%s\" has no such English text any more; its translation "
                   "is not used\n",
                   fileName.c_str(), entry.line, entry.context.c_str());
    }
  }
  return language;
}

// A text table of the language: the English file's entries in their order.
std::vector<uint8_t> languageTable(const char* file, const std::vector<EnglishText>& english,
                               const Language& language) {
  std::string out;
  for (size_t i = 0; i < english.size(); ++i) {
    if (english[i].file != file) continue;
    const std::string& text = language.texts[i].empty() ? english[i].text : language.texts[i];
    out += english[i].key + "=" + text + "\r\n";
  }
  out += "\r\n";  // the reader overwrites the last byte
  return std::vector<uint8_t>(out.begin(), out.end());
}

// The language's menu texts: the English source with each translated line put in.
std::vector<uint8_t> menuTexts(const std::string& source, const std::vector<EnglishText>& english,
                               const Language& language) {
  std::vector<std::string> lines;
  for (size_t at = 0; at <= source.size();) {
    size_t end = source.find('\n', at);
    if (end == std::string::npos) end = source.size();
    std::string line = source.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    at = end + 1;
  }
  for (size_t i = 0; i < english.size(); ++i) {
    const EnglishText& text = english[i];
    if (text.file != "menutext.txt" || language.texts[i].empty()) continue;
    if (text.line < 1 || text.line > static_cast<int>(lines.size())) continue;
    // A node's line starts with its name and "="; a line of the credits is all text.
    std::string& line = lines[static_cast<size_t>(text.line - 1)];
    const bool node = line.rfind(text.key + "=", 0) == 0;
    line = node ? text.key + "=" + language.texts[i] : language.texts[i];
  }
  std::string joined;
  for (const std::string& line : lines) joined += line + "\n";
  while (!joined.empty() && joined.back() == '\n') joined.pop_back();
  return toCrLf(joined + "\n\n");
}

// "de", "pt_BR": letters and "_", as the game takes a code.
bool isLanguageCode(const std::string& code) {
  if (code.size() < 2 || code.size() > 7) return false;
  for (const char c : code) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_')) return false;
  }
  return true;
}

// The language's name in itself: its translation of "languagename".
std::string languageName(const std::vector<EnglishText>& english, const Language& language) {
  for (size_t i = 0; i < english.size(); ++i) {
    if (english[i].key == "languagename") return language.texts[i];
  }
  return "";
}

}  // namespace

void generateTranslations(const std::vector<EnglishText>& english) {
  templateBytes() = templateText(english);
  std::string menuSource;
  if (!readSource("menutext.txt", &menuSource)) return;
  std::string list = format("%s=%s\r\n", "en", "English");
  for (const std::string& fileName : listSources("po", ".po")) {
    const std::string code = fileName.substr(0, fileName.size() - 3);
    const std::string path = "po/" + fileName;
    if (!isLanguageCode(code)) {
      reportError(path, 0, "a language's file is named by its code: de.po, pt_BR.po");
      continue;
    }
    std::string source;
    if (!readSource(path, &source)) continue;
    const Language language = compileLanguage(code, path, source, english);
    const std::string name = languageName(english, language);
    if (name.empty()) {
      reportError(path, 0, "\"languagename\", the language's name in itself, is not translated");
    }
    addOutput(Place::TextsPack, "strings_" + code + ".txt",
              languageTable("strings.txt", english, language));
    addOutput(Place::TextsPack, "tips_" + code + ".txt",
              languageTable("tips.txt", english, language));
    addOutput(Place::TextsPack, "menutext_" + code + ".txt",
              menuTexts(menuSource, english, language));
    list += code + "=" + name + "\r\n";
  }
  list += "\r\n";
  addOutput(Place::TextsPack, "languages.txt", std::vector<uint8_t>(list.begin(), list.end()));
}

bool writeTranslationTemplate() {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(gen.templatePath).parent_path(),
                                      error);
  const std::string& text = templateBytes();
  return writeToolFile(gen.templatePath, std::vector<uint8_t>(text.begin(), text.end()),
                       kTemplateName);
}
