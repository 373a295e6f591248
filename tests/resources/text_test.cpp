// The text table's file rules and the key readers over definition texts.
#include <string>
#include <vector>

#include "resources_fixture.h"

namespace {

using TextTableTest = ResourcesTest;

int parse(const std::string& text) {
  return parseTextFile("test.txt", reinterpret_cast<const uint8_t*>(text.data()),
                       uint32_t(text.size()));
}

TEST_F(TextTableTest, LineEntriesEndAtCrLfAndKeepALoneLineFeed) {
  EXPECT_EQ(parse("savemsg=Game saved.\r\n"
                  "  \t\r\nmulti=first\nsecond\r\n"
                  "key =spaced\r\n"
                  "empty=\r\n\r\n"),
            4);
  EXPECT_STREQ(getText("savemsg"), "Game saved.");
  EXPECT_STREQ(getText("multi"), "first\nsecond");
  EXPECT_EQ(getText("key"), nullptr);
  EXPECT_STREQ(getText("key "), "spaced");
  EXPECT_STREQ(getText("empty"), "");
  EXPECT_EQ(getText("SAVEMSG"), nullptr);
}

TEST_F(TextTableTest, BlocksKeepTheirInnerLineEnds) {
  parse("[credits/]\r\nLine one\r\nLine two\r\n[/credits]\r\n"
        "[tight/]  indented[/tight]\r\nafter=yes\r\n\r\n");
  EXPECT_STREQ(getText("credits"), "Line one\r\nLine two\r\n");
  EXPECT_STREQ(getText("tight"), "  indented");
  EXPECT_STREQ(getText("after"), "yes");
}

TEST_F(TextTableTest, LastByteEndsTheTextAndDropsAnIncompleteEntry) {
  // The final LF is the end, so the last entry has no CR LF left to end it.
  EXPECT_EQ(parse("first=kept\r\nlast=dropped\r\n"), 1);
  EXPECT_EQ(getText("last"), nullptr);
  EXPECT_EQ(parse("[open/]never closed\r\n"), 0);
  EXPECT_EQ(parse("noequals\r\n\r\n"), 0);
  EXPECT_EQ(parse(""), 0);
  EXPECT_EQ(textTable.count, 1);
}

TEST_F(TextTableTest, DuplicatesAreKeptAndLookupsFindTheFirst) {
  parse("a=one\r\nb=two\r\na=three\r\n\r\n");
  EXPECT_EQ(textTable.count, 3);
  EXPECT_STREQ(getText("a"), "one");
  EXPECT_EQ(getTextIndex("b"), 1);
  EXPECT_EQ(getTextIndex("missing"), 0);
  EXPECT_STREQ(getTextByIndex(2), "three");
  EXPECT_EQ(getTextByIndex(3), nullptr);
  EXPECT_EQ(getTextByIndex(-1), nullptr);
}

TEST_F(TextTableTest, AMissingTextShowsItsKeyNeverAnotherEntry) {
  parse("a=one\r\nb=two\r\n\r\n");
  EXPECT_STREQ(textOf("b"), "two");
  EXPECT_STREQ(textOf("missing"), "missing");
  EXPECT_STREQ(textOf(nullptr), "");
  EXPECT_STREQ(textAfter("a", 1), "two");
  EXPECT_STREQ(textAfter("missing", 1), "missing") << "not the entry after the first";
  EXPECT_STREQ(textAfter("b", 1), "b") << "past the table";
  EXPECT_STREQ(textAfter("b", -3), "b");
}

TEST_F(TextTableTest, OverlongKeysAndEntriesBeyondTheTableAreRefused) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(parse("abcdefghijklmnopqrs=19\r\nabcdefghijklmnopqrst=20\r\n\r\n"), 1);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("abcdefghijklmnopqrst"),
            std::string::npos);
  EXPECT_STREQ(getText("abcdefghijklmnopqrs"), "19");

  std::string many;
  for (int i = 0; i < kMaxTexts; i++) many.append("k").append(std::to_string(i)).append("=v\r\n");
  many += "\r\n";
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(parse(many), kMaxTexts - 1);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("1 entries refused"),
            std::string::npos);
  EXPECT_EQ(textTable.count, kMaxTexts);
}

TEST_F(TextTableTest, LoadingReadsThroughTheFileTableAndReleasesTheFile) {
  writePack("texts.dat", {{"strings.txt", "savemsg=Saved\r\n\r\n"}});
  testWriteFile("tips.txt", "savemsg=Tip\r\ntip0=Hint\r\n\r\n");
  ASSERT_TRUE(openPack("texts.dat"));
  EXPECT_EQ(loadTextFile("strings.txt"), 1);
  EXPECT_EQ(loadTextFile("tips.txt"), 2);
  EXPECT_STREQ(getText("savemsg"), "Saved");
  EXPECT_STREQ(getText("tip0"), "Hint");
  EXPECT_EQ(findFile("strings.txt"), nullptr);
  EXPECT_EQ(findFile("tips.txt"), nullptr);
}

TEST_F(TextTableTest, ALanguageShowsItsOwnTextsAndEnglishWhereItHasNone) {
  writePack("texts.dat", {{"languages.txt", "en=English\r\nde=Deutsch\r\npt_BR=Portugu\xeas\r\n\r\n"},
                          {"strings.txt", "a=one\r\nb=two\r\nz1=first\r\nz2=second\r\n\r\n"},
                          {"tips.txt", "t=tip\r\n\r\n"},
                          {"strings_de.txt", "a=eins\r\nz1=erste\r\nz2=zweite\r\n\r\n"},
                          {"tips_de.txt", "\r\n"}});
  ASSERT_TRUE(openPack("texts.dat"));
  ASSERT_EQ(loadLanguageList(), 3);
  EXPECT_STREQ(languageState.languages[2].name, "Portugu\xeas");
  EXPECT_TRUE(loadTexts("de"));
  EXPECT_STREQ(textLanguage(), "de");
  EXPECT_STREQ(textOf("a"), "eins");
  EXPECT_STREQ(textOf("b"), "two");
  EXPECT_STREQ(textAfter("z1", 1), "zweite");
  EXPECT_STREQ(textOf("t"), "tip");
  // The tables stay in the file table: the language can change again.
  EXPECT_TRUE(loadTexts(kEnglish));
  EXPECT_STREQ(textOf("a"), "one");
  EXPECT_FALSE(loadTexts("pt_BR")) << "listed, but without tables";
  EXPECT_STREQ(textLanguage(), kEnglish);
  EXPECT_STREQ(textOf("a"), "one");
  EXPECT_EQ(languageFileName("menutext.txt", "pt_BR"), "menutext_pt_BR.txt");
  EXPECT_EQ(languageFileName("menutext.txt", kEnglish), "menutext.txt");
}

TEST_F(TextTableTest, ALocaleFindsItsLanguageThenTheLanguageAloneThenAnotherCountrys) {
  writePack("texts.dat", {{"languages.txt", "en=English\r\nde=Deutsch\r\nfr=Fran\xe7\x61is\r\n"
                                            "pt_BR=Portugu\xeas\r\n\r\n"}});
  ASSERT_TRUE(openPack("texts.dat"));
  loadLanguageList();
  auto match = [](std::vector<const char*> wanted) {
    const char* found = matchLanguage(wanted.data(), int32_t(wanted.size()));
    return std::string(found ? found : "(none)");
  };
  EXPECT_EQ(match({"de_DE.UTF-8"}), "de");
  EXPECT_EQ(match({"pt_BR.UTF-8@euro"}), "pt_BR");
  EXPECT_EQ(match({"pt_PT"}), "pt_BR");
  EXPECT_EQ(match({"en_GB.UTF-8", "de"}), "en");
  EXPECT_EQ(match({"sv_SE", "", "fr_CA"}), "fr") << "the first the data offers";
  EXPECT_EQ(match({"C.UTF-8", "de"}), "en");
  EXPECT_EQ(match({"sv", "nb_NO"}), "(none)");
}

TEST(KeyReaders, ReadStringTakesTheFirstOccurrenceUpToTheLineEndOrTheEnd) {
  const char* text = "bound1.radius=2.5\r\nradius=9\r\nlast=tail";
  char out[64];
  EXPECT_STREQ(readString(out, sizeof out, text, "radius="), "2.5");
  EXPECT_STREQ(readString(out, sizeof out, text, "last="), "tail");
  EXPECT_EQ(readString(out, sizeof out, text, "absent="), nullptr);
  EXPECT_STREQ(out, "");
  char small[4];
  EXPECT_STREQ(readString(small, sizeof small, text, "last="), "tai");
  // A file saved with bare line feeds reads the same.
  EXPECT_STREQ(readString(out, sizeof out, "hammer=no\ncolors=5", "hammer="), "no");
}

TEST(KeyReaders, NumbersAreConvertedAndIntegersTruncatedTowardsZero) {
  const char* text = "a=7.9\r\nb=-2.5\r\nc=1.25\r\nbig=1e20\r\nlong=" 
                     "3.000000000000000000000000000000000009\r\n";
  EXPECT_EQ(readInt(text, "a="), 7);
  EXPECT_EQ(readInt(text, "b="), -2);
  EXPECT_EQ(readInt(text, "absent="), 0);
  EXPECT_EQ(readInt(text, "big="), INT32_MAX);
  EXPECT_FLOAT_EQ(readFloat(text, "c="), 1.25f);
  EXPECT_FLOAT_EQ(readFloat(text, "long="), 3.0f);
  EXPECT_FLOAT_EQ(readFloat(text, "absent="), 0.0f);
}

TEST(KeyReaders, FloatListsReadParenthesesAndBraces) {
  const char* text = "p=(1.5, 2, 0.25)\r\nb={4,5}\r\nnone=1,2\r\nmany=(1,2,3,4)\r\n";
  float out[3] = {-1.0f, -1.0f, -1.0f};
  EXPECT_EQ(readFloatList(text, out, 3, "p="), 3);
  EXPECT_FLOAT_EQ(out[0], 1.5f);
  EXPECT_FLOAT_EQ(out[1], 2.0f);
  EXPECT_FLOAT_EQ(out[2], 0.25f);
  EXPECT_EQ(readFloatList(text, out, 3, "b="), 2);
  EXPECT_FLOAT_EQ(out[1], 5.0f);
  float untouched[2] = {-1.0f, -1.0f};
  EXPECT_EQ(readFloatList(text, untouched, 2, "none="), 0);
  EXPECT_EQ(readFloatList(text, untouched, 2, "absent="), 0);
  EXPECT_FLOAT_EQ(untouched[0], -1.0f);
  EXPECT_EQ(readFloatList(text, untouched, 2, "many="), 2);
  EXPECT_FLOAT_EQ(untouched[1], 2.0f);
}

TEST(KeyReaders, Vector3ReadsThreeComponentsAndLeavesMissingOnesZero) {
  const char* text = "pos=(1, -2.5, 3)\r\nshort=(4, 5\r\nbare=(\r\n";
  const Vec3 v = readVector3(text, "pos=");
  EXPECT_FLOAT_EQ(v.x, 1.0f);
  EXPECT_FLOAT_EQ(v.y, -2.5f);
  EXPECT_FLOAT_EQ(v.z, 3.0f);
  const Vec3 s = readVector3(text, "short=");
  EXPECT_FLOAT_EQ(s.y, 5.0f);
  EXPECT_FLOAT_EQ(s.z, 0.0f);
  const Vec3 b = readVector3(text, "bare=");
  EXPECT_FLOAT_EQ(b.x, 0.0f);
  const Vec3 m = readVector3(text, "absent=");
  EXPECT_FLOAT_EQ(m.x + m.y + m.z, 0.0f);
}

}  // namespace
