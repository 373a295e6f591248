// window_file.h: what the game keeps of its window between runs, beside the
// settings record but in a small text file of its own ("window" under the settings
// key), so the record keeps its 48 bytes: the window's size, place and maximised
// state, and whether the start-up question has been asked.
#pragma once

#include <cstddef>
#include <string>

#include "platform/platform.h"

constexpr const char* kWindowValueName = "window";
// The file is a few short lines: anything longer is not one.
constexpr size_t kWindowFileMaxSize = 1024;

struct WindowFile {
  SysWindowPlacement placement;
  bool questionAsked;  // the start-up question was answered once: never asked again
};

// "key=value" lines: width, height, x and y (only when positioned), maximised, asked.
std::string encodeWindowFile(const WindowFile& file);
// Reads the lines back; unknown keys are passed over. False (out untouched) when
// the text has no usable size (both sides 1..16384).
bool decodeWindowFile(const std::string& text, WindowFile* out);
// The file of a previous run. False when there is none or it cannot be read or
// decoded (a damaged one is told once on stderr).
bool readWindowFile(WindowFile* out);
// Writes the file (through a temporary file). False on failure.
bool writeWindowFile(const WindowFile& file);
