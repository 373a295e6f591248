// texts.cpp: the text tables "strings.txt" and "tips.txt". The sources are lines
// "key=value" (blank lines and lines starting with "#" are the source's own and
// are dropped; "\n" inside a value becomes a lone line feed, the game's line
// break). The generated files are read back with the game's text-table reader
// and every key the game looks up is checked: present, in the right file,
// groups contiguous and in order, placeholders exact, length within the space
// the text is drawn in.
#include <cstring>
#include <map>

#include "datagen.h"
#include "generators.h"
#include "resources/resources.h"
#include "text_metrics.h"

namespace {

enum TextFile : uint8_t { kStrings, kTips };

struct TextKeyRule {
  const char* key;
  TextFile file;
  int maxLength;       // characters
  const char* format;  // the exact printf conversions in order ("" = no "%")
  int followers;       // entries that must follow in order (a group)
  const char* followerPattern;  // names of the followers, numbered from 2
  int wrapWidth;       // > 0: wrapped to this width at wrapSize ...
  float wrapSize;
  int maxLines;        // ... in at most this many lines
};

// Every key the game looks up, with where and how its text is shown.
const TextKeyRule kTextKeys[] = {
    {"score", kStrings, 8, "", 0, "", 0, 0, 0},
    {"level", kStrings, 8, "", 0, "", 0, 0, 0},
    {"lives", kStrings, 8, "", 0, "", 0, 0, 0},
    {"lastlife", kStrings, 11, "", 0, "", 0, 0, 0},
    {"survival", kStrings, 11, "", 0, "", 0, 0, 0},
    {"menu", kStrings, 6, "", 0, "", 0, 0, 0},
    {"tooltip", kStrings, 60, "", 0, "", 0, 0, 0},
    {"keytoresume", kStrings, 50, "", 0, "", 0, 0, 0},
    {"relax", kStrings, 20, "", 0, "", 0, 0, 0},
    {"congratulations", kStrings, 35, "", 0, "", 0, 0, 0},
    {"gamepass1", kStrings, 40, "", 0, "", 0, 0, 0},
    {"stagecomplete", kStrings, 20, "", 0, "", 0, 0, 0},
    {"levelcomplete", kStrings, 20, "", 0, "", 0, 0, 0},
    {"loselife", kStrings, 18, "", 0, "", 0, 0, 0},
    {"gameover", kStrings, 20, "", 0, "", 0, 0, 0},
    {"nomoves", kStrings, 18, "", 0, "", 0, 0, 0},
    {"nextstage", kStrings, 25, "", 0, "", 0, 0, 0},
    {"combo", kStrings, 20, "%i", 0, "", 0, 0, 0},
    {"excellent", kStrings, 20, "", 0, "", 0, 0, 0},
    {"stagename1", kStrings, 22, "", 13, "stagename%i", 0, 0, 0},
    {"expertmode", kStrings, 10, "", 0, "", 0, 0, 0},
    {"normalmode", kStrings, 10, "", 0, "", 0, 0, 0},
    {"zenmode", kStrings, 10, "", 0, "", 0, 0, 0},
    {"presskey", kStrings, 25, "", 0, "", 0, 0, 0},
    {"hallo", kStrings, 16, "%s", 0, "", 0, 0, 0},
    {"ifnotyou", kStrings, 30, "", 0, "", 0, 0, 0},
    {"curusers", kStrings, 18, "", 0, "", 0, 0, 0},
    {"entername", kStrings, 25, "", 0, "", 0, 0, 0},
    {"savemsg", kStrings, 259, "", 0, "", 340, 16.0f, 4},
    {"noskiplevel", kStrings, 259, "", 0, "", 340, 16.0f, 4},
    {"skipquest", kStrings, 259, "", 0, "", 340, 16.0f, 4},
    {"restartquest", kStrings, 259, "", 0, "", 340, 16.0f, 4},
    {"nomorelives", kStrings, 259, "", 0, "", 340, 16.0f, 4},
    {"removeplayer", kStrings, 259, "", 0, "", 340, 16.0f, 4},
    {"quit", kStrings, 259, "", 0, "", 340, 16.0f, 4},
    {"zeroscore", kStrings, 259, "", 0, "", 340, 16.0f, 4},
    // The folder and the reason fill it up to the box's 259 characters.
    {"savefailed", kStrings, 120, "%s%s", 0, "", 340, 16.0f, 4},
    // The file and the reason, as for "savefailed".
    {"loadfailed", kStrings, 120, "%s%s", 0, "", 340, 16.0f, 4},
    {"levelbroken", kStrings, 120, "%s%s", 0, "", 340, 16.0f, 4},
    {"sfxvolume", kStrings, 25, "", 0, "", 0, 0, 0},
    {"musicvolume", kStrings, 25, "", 0, "", 0, 0, 0},
    {"fullscreen", kStrings, 20, "", 0, "", 0, 0, 0},
    {"customcursor", kStrings, 20, "", 0, "", 0, 0, 0},
    {"ballspeed", kStrings, 25, "", 0, "", 0, 0, 0},
    {"language", kStrings, 25, "", 0, "", 0, 0, 0},
    {"languagename", kStrings, 25, "", 0, "", 0, 0, 0},
    {"howtoplay", kStrings, 20, "", 0, "", 0, 0, 0},
    {"squarehelp", kStrings, 90, "", 0, "", 330, 12.0f, 3},
    {"survivalhelp", kStrings, 90, "", 0, "", 330, 12.0f, 3},
    {"stats", kStrings, 25, "", 0, "", 0, 0, 0},
    {"yourscore", kStrings, 12, "", 0, "", 0, 0, 0},
    {"yourcombo", kStrings, 12, "", 0, "", 0, 0, 0},
    {"maxcombo", kStrings, 12, "", 0, "", 0, 0, 0},
    {"yourtime", kStrings, 12, "", 0, "", 0, 0, 0},
    {"yourmoves", kStrings, 12, "", 0, "", 0, 0, 0},
    {"bestscore", kStrings, 14, "", 0, "", 0, 0, 0},
    {"bestcombo", kStrings, 14, "", 0, "", 0, 0, 0},
    {"besttime", kStrings, 14, "", 0, "", 0, 0, 0},
    {"bestmoves", kStrings, 14, "", 0, "", 0, 0, 0},
    {"by", kStrings, 14, "%s", 0, "", 0, 0, 0},
    {"defname1", kStrings, 12, "", 9, "defname%i", 0, 0, 0},
    {"loadsurexp", kStrings, 32, "", 0, "", 0, 0, 0},
    {"loadsurnorm", kStrings, 32, "", 0, "", 0, 0, 0},
    {"loadexpertmode", kStrings, 32, "", 0, "", 0, 0, 0},
    {"loadnormmode", kStrings, 32, "", 0, "", 0, 0, 0},
    {"loadmsg", kStrings, 28, "", 0, "", 0, 0, 0},
    {"surlevscore", kStrings, 26, "%i%i", 0, "", 0, 0, 0},
    {"zonelevscore", kStrings, 26, "%i%i%i", 0, "", 0, 0, 0},
    {"startexpert", kStrings, 14, "", 0, "", 0, 0, 0},
    {"expertmodetip", kStrings, 150, "", 0, "", 268, 11.0f, 5},
    {"hiscore", kStrings, 12, "", 0, "", 0, 0, 0},
    {"survivaltip", kStrings, 110, "", 0, "", 0, 0, 0},
    {"unlocktip", kStrings, 110, "", 0, "", 0, 0, 0},
    {"locked", kStrings, 12, "", 0, "", 0, 0, 0},
    {"click", kStrings, 8, "", 0, "", 0, 0, 0},
    {"hammertip", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"hammerfull", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"jokertip", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"diamond", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"tipbusysquare2", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"chainitemtip", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"chainballtip", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"newballtip", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"tipcleanquare", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"tipbusysquare1", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"scoretip", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"scoresurvivaltip", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"numleveltip", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"lifetip", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"menutip", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"relaxtip", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"nighttip", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"morningtip", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"daytip", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"balltip", kTips, 110, "", 2, "balltip%i", 330, 12.0f, 3},
    {"triplebomb", kTips, 150, "", 2, "triplebomb%i", 268, 11.0f, 6},
    {"quadrobomb", kTips, 150, "", 2, "quadrobomb%i", 268, 11.0f, 6},
    {"adventuretip", kTips, 150, "", 4, "adventuretip%i", 268, 11.0f, 6},
    // What to press, for a player on the keys ("keys...") and on a controller ("pad...").
    {"keysclick", kStrings, 8, "", 0, "", 0, 0, 0},
    {"padclick", kStrings, 8, "", 0, "", 0, 0, 0},
    {"padkeytoresume", kStrings, 50, "", 0, "", 0, 0, 0},
    {"keysifnotyou", kStrings, 30, "", 0, "", 0, 0, 0},
    {"padifnotyou", kStrings, 30, "", 0, "", 0, 0, 0},
    {"keyshammertip", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"padhammertip", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"keyshammerfull", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"padhammerfull", kTips, 150, "", 0, "", 268, 11.0f, 6},
    {"keysballtip", kTips, 110, "", 2, "keysballtip%i", 330, 12.0f, 3},
    {"padballtip", kTips, 110, "", 2, "padballtip%i", 330, 12.0f, 3},
};

const char* const kTextFileNames[2] = {"strings.txt", "tips.txt"};

// One source line that became an entry.
struct SourceEntry {
  std::string key;
  std::string value;  // with "\n" already turned into a line feed
  int line;
  std::string note;   // the comment lines of its part of the source
};

// A comment line's words: "# Side panel" gives "Side panel".
std::string commentWords(const std::string& line) {
  const size_t start = line.find_first_not_of("# ");
  return start == std::string::npos ? "" : line.substr(start);
}

// Turns a source into the game file and its entries. Reports malformed lines.
std::vector<uint8_t> convertTextSource(const std::string& fileName, const std::string& source,
                                       std::vector<SourceEntry>* entries) {
  std::string out;
  size_t at = 0;
  int line = 0;
  // A part of the source is the entries under a comment, up to a blank line.
  std::string note;
  bool afterComment = false;
  while (at < source.size()) {
    size_t end = source.find('\n', at);
    if (end == std::string::npos) end = source.size();
    std::string text = source.substr(at, end - at);
    at = end + 1;
    ++line;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.empty()) {
      note.clear();
      afterComment = false;
      continue;
    }
    if (text[0] == '#') {
      note = (afterComment ? note + " " : "") + commentWords(text);
      afterComment = true;
      continue;
    }
    afterComment = false;
    const size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0) {
      reportError(fileName, line, "expected key=value");
      continue;
    }
    std::string value;
    const std::string raw = text.substr(equals + 1);
    for (size_t i = 0; i < raw.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(raw[i]);
      if (raw[i] == '\\' && i + 1 < raw.size() && raw[i + 1] == 'n') {
        value += '\n';
        ++i;
      } else if (c < 32 || c > 126 || c == '\\' || c == '[') {
        reportError(fileName, line, "only printable ASCII without \"\\\" and \"[\" in texts");
      } else {
        value += raw[i];
      }
    }
    entries->push_back(SourceEntry{text.substr(0, equals), value, line, note});
    out += text.substr(0, equals + 1) + value + "\r\n";
  }
  out += "\r\n";  // the reader overwrites the last byte
  return std::vector<uint8_t>(out.begin(), out.end());
}

// The conversions of a printf format in order ("%s%i"); "%%" is refused.
std::string conversionsOf(const std::string& value) {
  std::string found;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '%') continue;
    found += '%';
    found += i + 1 < value.size() ? value[i + 1] : '?';
    ++i;
  }
  return found;
}

struct TextSources {
  std::vector<SourceEntry> entries[2];
  int tableStart[2];  // index of each file's first entry in the text table
};

const SourceEntry* findSourceEntry(const TextSources& sources, TextFile file, const char* key) {
  for (const SourceEntry& entry : sources.entries[file]) {
    if (entry.key == key) return &entry;
  }
  return nullptr;
}

void checkValue(const TextKeyRule& rule, const SourceEntry& entry, const std::string& key) {
  const char* fileName = kTextFileNames[rule.file];
  if (static_cast<int>(entry.value.size()) > rule.maxLength) {
    reportError(fileName, entry.line,
                format("\"%s\" is longer than %d characters", key.c_str(), rule.maxLength));
  }
  if (conversionsOf(entry.value) != rule.format) {
    reportError(fileName, entry.line,
                format("\"%s\" must hold exactly the conversions \"%s\"", key.c_str(), rule.format));
  }
  if (rule.wrapWidth > 0) {
    const int lines = wrappedLineCount(entry.value.c_str(), static_cast<float>(rule.wrapWidth),
                                       rule.wrapSize);
    if (lines > rule.maxLines) {
      reportError(fileName, entry.line,
                  format("\"%s\" wraps to %d lines; its place holds %d", key.c_str(), lines,
                         rule.maxLines));
    }
  }
}

// Checks one key and its group against the table the game's reader built.
void checkKey(const TextKeyRule& rule, const TextSources& sources,
              std::map<std::string, bool>* known) {
  const char* fileName = kTextFileNames[rule.file];
  const SourceEntry* entry = findSourceEntry(sources, rule.file, rule.key);
  (*known)[rule.key] = true;
  if (!entry) {
    reportError(fileName, 0, format("the key \"%s\" is missing", rule.key));
    return;
  }
  checkValue(rule, *entry, rule.key);
  const int32_t base = getTextIndex(rule.key);
  if (std::strcmp(textTable.entries[base].key, rule.key) != 0) {
    reportError(fileName, entry->line, format("the reader did not take \"%s\"", rule.key));
    return;
  }
  for (int k = 1; k <= rule.followers; ++k) {
    const std::string follower = format(rule.followerPattern, k + 1);
    (*known)[follower] = true;
    const int32_t index = base + k;
    const SourceEntry* next = findSourceEntry(sources, rule.file, follower.c_str());
    if (!next) {
      reportError(fileName, entry->line, format("the group \"%s\" lacks \"%s\"", rule.key,
                                                follower.c_str()));
      continue;
    }
    if (index >= textTable.count || follower != textTable.entries[index].key) {
      reportError(fileName, next->line,
                  format("\"%s\" must come %d entries after \"%s\"", follower.c_str(), k, rule.key));
    }
    checkValue(rule, *next, follower);
  }
}

// Loads both generated files with the game's reader and checks every entry.
void checkTexts(const std::vector<uint8_t> files[2], const TextSources& sources) {
  freeTextTable();
  for (int f = 0; f < 2; ++f) {
    const int added = parseTextFile(kTextFileNames[f], files[f].data(),
                                    static_cast<uint32_t>(files[f].size()));
    if (added != static_cast<int>(sources.entries[f].size())) {
      reportError(kTextFileNames[f], 0,
                  format("the game's reader took %d of %d entries (keys of 1..19 characters)",
                         added, static_cast<int>(sources.entries[f].size())));
    }
  }
  std::map<std::string, bool> known;
  for (const TextKeyRule& rule : kTextKeys) checkKey(rule, sources, &known);
  std::map<std::string, int> seen;
  for (int f = 0; f < 2; ++f) {
    for (const SourceEntry& entry : sources.entries[f]) {
      if (!known.count(entry.key)) {
        reportError(kTextFileNames[f], entry.line, format("unknown key \"%s\"", entry.key.c_str()));
      }
      if (seen[entry.key]++) {
        reportError(kTextFileNames[f], entry.line, format("duplicate key \"%s\"", entry.key.c_str()));
      }
    }
  }
}

}  // namespace

void generateTexts(std::vector<EnglishText>* english) {
  TextSources sources{};
  std::vector<uint8_t> files[2];
  for (int f = 0; f < 2; ++f) {
    std::string source;
    if (!readSource(kTextFileNames[f], &source)) return;
    files[f] = convertTextSource(kTextFileNames[f], source, &sources.entries[f]);
  }
  checkTexts(files, sources);
  for (int f = 0; f < 2; ++f) {
    for (const SourceEntry& entry : sources.entries[f]) {
      // The players who hold the first records keep their names in every language.
      const bool translated = entry.key.rfind("defname", 0) != 0;
      english->push_back(EnglishText{kTextFileNames[f], entry.key, entry.value, entry.line,
                                     entry.note, translated});
    }
    addOutput(Place::TextsPack, kTextFileNames[f], std::move(files[f]));
  }
}
