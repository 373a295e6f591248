// A small recursive-descent JSON reader and writer for the tests.
#include "test_json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cctype>
#include <cstdlib>

#include "test_support.h"

namespace {

const JsonValue kNull;

struct Reader {
  const std::string& text;
  size_t at;
  std::string error;
};

void skipSpace(Reader* r) {
  while (r->at < r->text.size() && std::isspace(static_cast<unsigned char>(r->text[r->at]))) {
    ++r->at;
  }
}

bool fail(Reader* r, const std::string& why) {
  if (r->error.empty()) r->error = why + " at offset " + std::to_string(r->at);
  return false;
}

bool take(Reader* r, char c) {
  skipSpace(r);
  if (r->at < r->text.size() && r->text[r->at] == c) {
    ++r->at;
    return true;
  }
  return false;
}

bool readValue(Reader* r, JsonValue* out, int depth);

void appendUtf8(uint32_t code, std::string* out) {
  if (code < 0x80) {
    *out += char(code);
  } else if (code < 0x800) {
    *out += char(0xC0 | (code >> 6));
    *out += char(0x80 | (code & 0x3F));
  } else {
    *out += char(0xE0 | (code >> 12));
    *out += char(0x80 | ((code >> 6) & 0x3F));
    *out += char(0x80 | (code & 0x3F));
  }
}

bool readEscape(Reader* r, std::string* out) {
  if (r->at >= r->text.size()) return fail(r, "unfinished escape");
  const char c = r->text[r->at++];
  switch (c) {
    case '"': case '\\': case '/': *out += c; return true;
    case 'b': *out += '\b'; return true;
    case 'f': *out += '\f'; return true;
    case 'n': *out += '\n'; return true;
    case 'r': *out += '\r'; return true;
    case 't': *out += '\t'; return true;
    case 'u': {
      if (r->at + 4 > r->text.size()) return fail(r, "short \\u escape");
      char* end = nullptr;
      const std::string hex = r->text.substr(r->at, 4);
      const uint32_t code = uint32_t(std::strtoul(hex.c_str(), &end, 16));
      if (end != hex.c_str() + 4) return fail(r, "bad \\u escape");
      r->at += 4;
      appendUtf8(code, out);
      return true;
    }
    default: return fail(r, "unknown escape");
  }
}

bool readString(Reader* r, std::string* out) {
  if (!take(r, '"')) return fail(r, "expected a string");
  while (r->at < r->text.size()) {
    const char c = r->text[r->at++];
    if (c == '"') return true;
    if (c == '\\') {
      if (!readEscape(r, out)) return false;
    } else {
      *out += c;
    }
  }
  return fail(r, "unfinished string");
}

bool readNumber(Reader* r, JsonValue* out) {
  const char* begin = r->text.c_str() + r->at;
  char* end = nullptr;
  out->number = std::strtod(begin, &end);
  if (end == begin) return fail(r, "expected a value");
  r->at += size_t(end - begin);
  out->kind = JsonValue::Kind::Number;
  return true;
}

bool readWord(Reader* r, const char* word, JsonValue* out, JsonValue::Kind kind, bool value) {
  const std::string w(word);
  if (r->text.compare(r->at, w.size(), w) != 0) return fail(r, "expected a value");
  r->at += w.size();
  out->kind = kind;
  out->boolean = value;
  return true;
}

bool readArray(Reader* r, JsonValue* out, int depth) {
  out->kind = JsonValue::Kind::Array;
  if (take(r, ']')) return true;
  do {
    out->items.emplace_back();
    if (!readValue(r, &out->items.back(), depth + 1)) return false;
  } while (take(r, ','));
  return take(r, ']') || fail(r, "expected ',' or ']'");
}

bool readObject(Reader* r, JsonValue* out, int depth) {
  out->kind = JsonValue::Kind::Object;
  if (take(r, '}')) return true;
  do {
    std::string name;
    if (!readString(r, &name)) return false;
    if (!take(r, ':')) return fail(r, "expected ':'");
    out->fields.emplace_back(name, JsonValue{});
    if (!readValue(r, &out->fields.back().second, depth + 1)) return false;
  } while (take(r, ','));
  return take(r, '}') || fail(r, "expected ',' or '}'");
}

bool readValue(Reader* r, JsonValue* out, int depth) {
  if (depth > 64) return fail(r, "nested too deeply");
  skipSpace(r);
  if (r->at >= r->text.size()) return fail(r, "unexpected end");
  switch (r->text[r->at]) {
    case '{': ++r->at; return readObject(r, out, depth);
    case '[': ++r->at; return readArray(r, out, depth);
    case '"':
      out->kind = JsonValue::Kind::String;
      return readString(r, &out->string);
    case 't': return readWord(r, "true", out, JsonValue::Kind::Boolean, true);
    case 'f': return readWord(r, "false", out, JsonValue::Kind::Boolean, false);
    case 'n': return readWord(r, "null", out, JsonValue::Kind::Null, false);
    default: return readNumber(r, out);
  }
}

void writeString(const std::string& s, std::string* out) {
  *out += '"';
  for (const char c : s) {
    if (c == '"' || c == '\\') {
      *out += '\\';
      *out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      *out += escaped;
    } else {
      *out += c;
    }
  }
  *out += '"';
}

void writeValue(const JsonValue& v, std::string* out) {
  switch (v.kind) {
    case JsonValue::Kind::Null: *out += "null"; return;
    case JsonValue::Kind::Boolean: *out += v.boolean ? "true" : "false"; return;
    case JsonValue::Kind::Number: {
      char number[32];
      std::snprintf(number, sizeof number, "%.17g", v.number);
      *out += number;
      return;
    }
    case JsonValue::Kind::String: writeString(v.string, out); return;
    case JsonValue::Kind::Array:
      *out += '[';
      for (size_t i = 0; i < v.items.size(); ++i) {
        if (i > 0) *out += ',';
        writeValue(v.items[i], out);
      }
      *out += ']';
      return;
    case JsonValue::Kind::Object:
      *out += '{';
      for (size_t i = 0; i < v.fields.size(); ++i) {
        if (i > 0) *out += ',';
        writeString(v.fields[i].first, out);
        *out += ':';
        writeValue(v.fields[i].second, out);
      }
      *out += '}';
      return;
  }
}

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& name) const {
  for (const auto& [key, value] : fields) {
    if (key == name) return value;
  }
  return kNull;
}

const JsonValue& JsonValue::operator[](size_t index) const {
  return index < items.size() ? items[index] : kNull;
}

bool JsonValue::has(const std::string& name) const {
  for (const auto& field : fields) {
    if (field.first == name) return true;
  }
  return false;
}

int64_t JsonValue::integer() const {
  return kind == Kind::Number ? static_cast<int64_t>(std::trunc(number)) : 0;
}

std::vector<std::string> JsonValue::strings() const {
  std::vector<std::string> out;
  for (const JsonValue& item : items) {
    if (item.kind == Kind::String) out.push_back(item.string);
  }
  return out;
}

std::vector<int64_t> JsonValue::integers() const {
  std::vector<int64_t> out;
  for (const JsonValue& item : items) out.push_back(item.integer());
  return out;
}

std::string JsonValue::text() const {
  std::string out;
  writeValue(*this, &out);
  return out;
}

bool JsonValue::operator==(const JsonValue& other) const {
  return kind == other.kind && boolean == other.boolean && number == other.number &&
         string == other.string && items == other.items && fields == other.fields;
}

void PrintTo(const JsonValue& value, std::ostream* os) { *os << value.text(); }

bool parseJson(const std::string& text, JsonValue* out, std::string* error) {
  Reader r{text, 0, ""};
  *out = JsonValue{};
  bool ok = readValue(&r, out, 0);
  skipSpace(&r);
  if (ok && r.at != text.size()) ok = fail(&r, "trailing text");
  if (!ok && error) *error = r.error;
  return ok;
}

std::vector<JsonValue> testDumps(const std::string& output) {
  std::vector<JsonValue> dumps;
  for (const std::string& line : testDumpLines(output)) {
    JsonValue value;
    std::string error;
    EXPECT_TRUE(parseJson(line, &value, &error)) << error << "\n" << line;
    dumps.push_back(value);
  }
  return dumps;
}
