// test_json.h: a small JSON reader for the tests: the runner's dumps are read as
// values and their fields compared, never matched as text.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

struct JsonValue {
  enum class Kind { Null, Boolean, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool boolean = false;
  double number = 0.0;
  std::string string;
  std::vector<JsonValue> items;                           // an array's values
  std::vector<std::pair<std::string, JsonValue>> fields;  // an object's, in order

  // The object's field `name`, or a null value when there is none (or this is no object).
  const JsonValue& operator[](const std::string& name) const;
  // The array's item `index`, or a null value.
  const JsonValue& operator[](size_t index) const;
  bool has(const std::string& name) const;
  // The number truncated to an integer (0 for anything else).
  int64_t integer() const;
  // The array's string items (other items are left out).
  std::vector<std::string> strings() const;
  // The array's items as integers.
  std::vector<int64_t> integers() const;
  // The value written back as compact JSON (for failure messages and comparisons).
  std::string text() const;
  // Equal kinds and values; object fields compare in order.
  bool operator==(const JsonValue& other) const;
};

// How failure messages show a value: as its compact JSON.
void PrintTo(const JsonValue& value, std::ostream* os);

// Parses one JSON text (surrounding white space allowed). Returns false with a
// reason in *error (when given) for anything malformed or trailing.
bool parseJson(const std::string& text, JsonValue* out, std::string* error = nullptr);

// The dumps of a runner's output (its lines that are JSON objects), parsed, in
// order. A dump that does not parse fails the calling test.
std::vector<JsonValue> testDumps(const std::string& output);
