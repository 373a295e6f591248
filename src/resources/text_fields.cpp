// text_fields.cpp: texts from the data filled with numbers and names without
// trusting their placeholders.
#include <cstdio>

#include "resources/resources.h"

namespace {

// Appends a field as its own kind; false when out is full.
bool appendField(const TextField& field, char* out, size_t capacity, size_t* used) {
  const int written = field.text ? std::snprintf(out + *used, capacity - *used, "%s", field.text)
                                 : std::snprintf(out + *used, capacity - *used, "%lld",
                                                 static_cast<long long>(field.number));
  if (written < 0) return false;
  *used += size_t(written);
  if (*used >= capacity) *used = capacity - 1;
  return *used < capacity - 1;
}

bool isPlaceholder(char c) { return c == 's' || c == 'i' || c == 'd'; }

}  // namespace

void formatTextFields(const char* format, const TextField* fields, int32_t fieldCount, char* out,
                      size_t capacity) {
  if (capacity == 0) return;
  size_t used = 0;
  int32_t next = 0;
  for (const char* c = format ? format : ""; *c && used < capacity - 1; ++c) {
    if (c[0] == '%' && c[1] == '%') {
      out[used++] = '%';
      ++c;
    } else if (c[0] == '%' && isPlaceholder(c[1]) && next < fieldCount) {
      if (!appendField(fields[next++], out, capacity, &used)) break;
      ++c;
    } else {
      out[used++] = *c;
    }
  }
  out[used] = '\0';
}

