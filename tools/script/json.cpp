// The runner's JSON writer.
#include "json.h"

#include <cmath>
#include <cstdio>

void JsonWriter::separate() {
  if (needComma_) out_ += ',';
  needComma_ = false;
}

void JsonWriter::beginObject() {
  separate();
  out_ += '{';
  ++depth_;
}

void JsonWriter::endObject() {
  out_ += '}';
  --depth_;
  needComma_ = true;
}

void JsonWriter::beginArray() {
  separate();
  out_ += '[';
  ++depth_;
}

void JsonWriter::endArray() {
  out_ += ']';
  --depth_;
  needComma_ = true;
}

void JsonWriter::key(const char* name) {
  separate();
  string(name);
  out_ += ':';
  needComma_ = false;
}

void JsonWriter::string(const char* text) {
  separate();
  if (!text) {
    out_ += "null";
    needComma_ = true;
    return;
  }
  out_ += '"';
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    switch (*p) {
      case '"': out_ += "\\\""; break;
      case '\\': out_ += "\\\\"; break;
      case '\n': out_ += "\\n"; break;
      case '\r': out_ += "\\r"; break;
      case '\t': out_ += "\\t"; break;
      default:
        if (*p < 0x20 || *p >= 0x80) {
          // Data texts are single bytes; keep each byte as its own code point.
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(*p));
          out_ += escaped;
        } else {
          out_ += char(*p);
        }
    }
  }
  out_ += '"';
  needComma_ = true;
}

void JsonWriter::number(double value) {
  separate();
  if (!std::isfinite(value)) {
    out_ += "null";
  } else {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    out_ += buffer;
  }
  needComma_ = true;
}

void JsonWriter::integer(int64_t value) {
  separate();
  out_ += std::to_string(value);
  needComma_ = true;
}

void JsonWriter::boolean(bool value) {
  separate();
  out_ += value ? "true" : "false";
  needComma_ = true;
}

void JsonWriter::null() {
  separate();
  out_ += "null";
  needComma_ = true;
}
