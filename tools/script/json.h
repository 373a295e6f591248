// json.h: a small JSON writer for the runner's dumps: objects, arrays and values
// written in order, with commas and string escapes handled.
#pragma once

#include <cstdint>
#include <string>

class JsonWriter {
 public:
  void beginObject();
  void endObject();
  void beginArray();
  void endArray();
  // The name of the next value inside an object.
  void key(const char* name);
  void string(const char* text);  // null writes null
  void number(double value);
  void integer(int64_t value);
  void boolean(bool value);
  void null();
  const std::string& text() const { return out_; }

 private:
  void separate();
  std::string out_;
  bool needComma_ = false;
  int depth_ = 0;
};
