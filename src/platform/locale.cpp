// locale.cpp: the languages the player's environment asks for.
#include <cstdlib>

#include "platform/platform.h"

std::vector<std::string> sysPreferredLocales() {
  std::vector<std::string> locales;
  const char* list = std::getenv("LANGUAGE");
  for (std::string rest = list ? list : ""; !rest.empty();) {
    const size_t colon = rest.find(':');
    if (colon != 0) locales.push_back(rest.substr(0, colon));
    rest = colon == std::string::npos ? std::string() : rest.substr(colon + 1);
  }
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && value[0]) locales.push_back(value);
  }
  return locales;
}
