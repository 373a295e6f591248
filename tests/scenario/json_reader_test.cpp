// The tests' JSON reader: what the runner writes is read back exactly, and
// malformed text is refused with a reason instead of half a value.
#include <gtest/gtest.h>

#include <string>

#include "test_json.h"

namespace {

TEST(JsonReader, ReadsNestedValuesEscapesAndNumbers) {
  JsonValue v;
  std::string error;
  ASSERT_TRUE(parseJson(R"( {"a":[1,-2.5,3e2],"s":"q\"\\\n\u00e9","b":true,"n":null,
                            "o":{"x":{}}} )", &v, &error)) << error;
  EXPECT_EQ(v["a"].integers(), (std::vector<int64_t>{1, -2, 300}));
  EXPECT_EQ(v["a"][1].number, -2.5);
  EXPECT_EQ(v["s"].string, "q\"\\\n\xC3\xA9");
  EXPECT_TRUE(v["b"].boolean);
  EXPECT_EQ(v["n"].kind, JsonValue::Kind::Null);
  EXPECT_TRUE(v["o"]["x"].fields.empty());
  EXPECT_EQ(v["o"]["x"].kind, JsonValue::Kind::Object);
  // Missing fields and items read as null, so a lookup never throws or crashes.
  EXPECT_EQ(v["missing"]["deeper"][3].kind, JsonValue::Kind::Null);
  EXPECT_FALSE(v.has("missing"));
}

TEST(JsonReader, WritingBackGivesTheSameValue) {
  JsonValue v, again;
  ASSERT_TRUE(parseJson(R"({"k":["a\u0001",0.25,false,{"z":[]}]})", &v));
  ASSERT_TRUE(parseJson(v.text(), &again)) << v.text();
  EXPECT_EQ(v, again);
  JsonValue other;
  ASSERT_TRUE(parseJson(R"({"k":["a\u0001",0.25,true,{"z":[]}]})", &other));
  EXPECT_FALSE(v == other);
}

TEST(JsonReader, RefusesMalformedText) {
  for (const char* bad : {"", "{", "[1,]", "{\"a\" 1}", "\"open", "tru", "{} {}", "[1 2]",
                          "\"\\x\"", "\"\\u12\""}) {
    JsonValue v;
    std::string error;
    EXPECT_FALSE(parseJson(bad, &v, &error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

}  // namespace
