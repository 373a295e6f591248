// options.h: the settings the options screens change and how they take effect:
// the full-screen choice waits for "apply"; "default" resets a screen's values.
// (The options screen's own drawing registers its hooks beside these.)
#pragma once

#include <cstdint>

// The options being edited: process lifetime.
struct OptionsState {
  uint8_t fullScreenChoice;  // the check box; compared with the display by applyOptions
};
extern OptionsState optionsState;

// The options screen's entry: the choice takes the current full-screen setting.
void enterOptionsScreen();
// On "options", a full-screen choice that differs from the display switches it (the
// device is reset at the next present). Elsewhere nothing changes.
void applyOptions();
// The "default" command on `screen`: "audio" sets both volumes to 50, "video" the
// display's colour depth, gamma, vsync and second screen size; others change nothing.
void resetOptions(const char* screen);
