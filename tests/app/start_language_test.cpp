// The language a start shows: the command line's, else the one kept by the
// options, else the environment's, else English.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/app.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "resources/resources.h"

namespace {

class StartLanguage : public ::testing::Test {
 protected:
  void SetUp() override {
    resetResources();
    const char kList[] = "en=English\r\nde=Deutsch\r\nfr=Francais\r\nnl=Nederlands\r\n\r\n";
    uint8_t* bytes = static_cast<uint8_t*>(std::malloc(sizeof kList));
    std::memcpy(bytes, kList, sizeof kList);
    ASSERT_NE(registerFile("languages.txt", sizeof kList, bytes, true), nullptr);
    loadLanguageList();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) unsetenv(name);
    std::remove(sysRegistryPath(kSettingsKey, kLanguageValueName).c_str());
  }
  void TearDown() override {
    for (const char* name : {"LANGUAGE", "LANG"}) unsetenv(name);
    std::remove(sysRegistryPath(kSettingsKey, kLanguageValueName).c_str());
    resetResources();
  }
};

}  // namespace

TEST_F(StartLanguage, TheCommandLineThenTheKeptChoiceThenTheEnvironmentThenEnglish) {
  EXPECT_STREQ(startLanguage(nullptr), "en");
  setenv("LANG", "de_DE.UTF-8", 1);
  EXPECT_STREQ(startLanguage(nullptr), "de");
  setenv("LANGUAGE", "sv:fr", 1);
  EXPECT_STREQ(startLanguage(nullptr), "fr") << "LANGUAGE's list comes first";
  saveLanguageChoice("nl");
  EXPECT_STREQ(startLanguage(nullptr), "nl");
  EXPECT_STREQ(startLanguage("de_AT"), "de");
  ::testing::internal::CaptureStderr();
  EXPECT_STREQ(startLanguage("xx"), "nl");
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("(there are: en, de, fr, nl)"),
            std::string::npos);
}
