// languages.cpp: the languages the data offers and which one the texts are in.
// "languages.txt" lists them as "code=Name" lines, English first; a language's
// text tables are the English file names with "_<code>" before the extension.
#include <cstdio>
#include <cstring>
#include <string>

#include "resources/resources.h"

LanguageState languageState = {};

namespace {

void addLanguage(const char* code, size_t codeLength, const char* name, size_t nameLength) {
  if (languageState.count >= kMaxLanguages || codeLength == 0 ||
      codeLength >= size_t(kMaxLanguageCode)) {
    return;
  }
  LanguageEntry& entry = languageState.languages[languageState.count++];
  std::snprintf(entry.code, sizeof entry.code, "%.*s", int(codeLength), code);
  std::snprintf(entry.name, sizeof entry.name, "%.*s", int(nameLength), name);
}

// "code=Name" lines; anything else is passed over.
void readLanguageLines(const char* text, size_t size) {
  size_t at = 0;
  while (at < size) {
    size_t end = at;
    while (end < size && text[end] != '\r' && text[end] != '\n') end++;
    const char* equals = static_cast<const char*>(std::memchr(text + at, '=', end - at));
    if (equals) {
      addLanguage(text + at, size_t(equals - (text + at)), equals + 1,
                  size_t(text + end - equals - 1));
    }
    at = end + 1;
  }
}

// The language part of a locale name: "pt_BR.UTF-8@euro" gives "pt_BR" as the
// whole name and "pt" as the language.
void splitLocale(const char* locale, std::string* whole, std::string* language) {
  const std::string name(locale);
  *whole = name.substr(0, name.find_first_of(".@"));
  *language = whole->substr(0, whole->find('_'));
}

// The first entry whose code is the language with any country ("pt" finds "pt_BR").
const char* variantOf(const std::string& language) {
  for (int32_t i = 0; i < languageState.count; ++i) {
    const char* code = languageState.languages[i].code;
    if (language.size() > 0 && std::strncmp(code, language.c_str(), language.size()) == 0 &&
        code[language.size()] == '_') {
      return code;
    }
  }
  return nullptr;
}

// Appends a file's text entries (a missing one stops the program when it must
// exist, as loadTextFile does). The file stays in the file table, so the
// language can change again without reading the packs anew.
void loadKeptTextFile(const char* fileName, bool mustExist) {
  uint32_t size = 0;
  const uint8_t* bytes = loadFile(fileName, &size, mustExist);
  if (bytes) parseTextFile(fileName, bytes, size);
}

}  // namespace

int32_t loadLanguageList() {
  languageState.count = 0;
  uint32_t size = 0;
  const uint8_t* bytes = loadFile("languages.txt", &size, false);
  if (bytes) readLanguageLines(reinterpret_cast<const char*>(bytes), size);
  if (languageState.count == 0 || std::strcmp(languageState.languages[0].code, kEnglish) != 0) {
    languageState.count = 0;
    addLanguage(kEnglish, std::strlen(kEnglish), "English", 7);
  }
  return languageState.count;
}

int32_t findLanguage(const char* code) {
  for (int32_t i = 0; i < languageState.count; ++i) {
    if (std::strcmp(languageState.languages[i].code, code) == 0) return i;
  }
  return -1;
}

const char* matchLanguage(const char* const* wanted, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    if (!wanted[i] || !wanted[i][0]) continue;
    std::string whole, language;
    splitLocale(wanted[i], &whole, &language);
    if (whole == "C" || whole == "POSIX") return kEnglish;
    for (const std::string& code : {whole, language}) {
      const int32_t found = findLanguage(code.c_str());
      if (found >= 0) return languageState.languages[found].code;
    }
    if (const char* variant = variantOf(language)) return variant;
  }
  return nullptr;
}

bool loadTexts(const char* code) {
  freeTextTable();
  const bool english = !code || std::strcmp(code, kEnglish) == 0;
  const bool offered = !english && findLanguage(code) >= 0;
  if (offered) {
    loadKeptTextFile(languageFileName("strings.txt", code).c_str(), false);
    loadKeptTextFile(languageFileName("tips.txt", code).c_str(), false);
  }
  const bool found = english || textTable.count > 0;
  std::snprintf(languageState.current, sizeof languageState.current, "%s",
                found && !english ? code : kEnglish);
  loadKeptTextFile("strings.txt", true);
  loadKeptTextFile("tips.txt", true);
  return found;
}

const char* textLanguage() { return languageState.current[0] ? languageState.current : kEnglish; }

std::string languageFileName(const char* fileName, const char* code) {
  const std::string name(fileName);
  if (!code || std::strcmp(code, kEnglish) == 0) return name;
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? name + "_" + code
                                  : name.substr(0, dot) + "_" + code + name.substr(dot);
}
