// result_screens.cpp: what the result screens share: the minutes and seconds of a
// time.
#include "ui/result_screens.h"

#include <cstdio>

void formatMinutesSeconds(int32_t ms, char* out, size_t capacity) {
  const int32_t seconds = ms > 0 ? ms / 1000 : 0;
  std::snprintf(out, capacity, "%.2i:%.2i", seconds / 60, seconds % 60);
}
