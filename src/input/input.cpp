// The pointer, the typed letters and the hidden words of the developer features,
// and the debug overlay.
#include "input/input.h"

#include <cstdio>
#include <cstring>

#include "render/render.h"
#include "render/text.h"
#include "resources/resources.h"

InputState input = {};

void resetInput() { input = {}; }

void setPointer(int32_t x, int32_t y) {
  input.mouseX = x;
  input.mouseY = y;
}

const char* inputDeviceName(InputDevice device) {
  switch (device) {
    case InputDevice::Keyboard: return "keyboard";
    case InputDevice::Pad: return "pad";
    default: return "mouse";
  }
}

const char* deviceTextAfter(const char* key, int32_t steps) {
  if (key && input.lastDevice != InputDevice::Mouse) {
    char own[kMaxTextKey];
    const char* prefix = input.lastDevice == InputDevice::Pad ? "pad" : "keys";
    std::snprintf(own, sizeof own, "%s%s", prefix, key);
    if (getText(own)) return textAfter(own, steps);
  }
  return textAfter(key, steps);
}

bool typedLettersEndWith(const char* word) {
  const size_t n = std::strlen(word);
  if (n == 0 || n > 15) return false;
  for (size_t i = 0; i < n; ++i) {
    if (input.typedLetters[i] != word[n - 1 - i]) return false;
  }
  return true;
}

bool pushTypedLetter(int32_t key) {
  const int32_t code = key & 0xFF;
  if (code < 'A' || code > 'Z') return false;
  // The buffer shifts one place towards its end and the new letter comes first.
  std::memmove(input.typedLetters + 1, input.typedLetters, 14);
  input.typedLetters[0] = char(code);
  input.typedLetters[15] = '\0';
  return true;
}

MapWord checkMapWords() {
  if (typedLettersEndWith(kWordOpenAllStages)) {
    input.mapAllStagesOpen = 1;
    return MapWord::OpenAllStages;
  }
  if (typedLettersEndWith(kWordCloseStages)) {
    input.mapAllStagesOpen = 0;
    return MapWord::CloseStages;
  }
  return MapWord::None;
}

void checkGameWords() {
  if (!typedLettersEndWith(kWordDeveloperKeys)) return;
  input.developerKeysEnabled = !input.developerKeysEnabled;
  showBanner(input.developerKeysEnabled ? "Cheat key enabled" : "Cheat key disabled");
}

void checkDebugOverlayWord() {
  if (typedLettersEndWith(kWordDebugOverlay)) {
    input.debugOverlayVisible = !input.debugOverlayVisible;
  }
}

void drawDebugOverlay(const char* fpsText) {
  char triangles[32];
  std::snprintf(triangles, sizeof triangles, "%i TRI", int(renderState.trianglesDrawn));
  begin2D();
  if (input.debugOverlayVisible) {
    drawText(-360.0f, -100.0f, 10.0f, fpsText, false);
    drawText(-360.0f, -115.0f, 10.0f, triangles, false);
  }
  // The last step of every frame: the 3D camera is back for the next one.
  setProjectionTransform(renderState.cameraProjection);
  setViewTransform(&renderState.cameraView);
  disableRenderFeature(kFeatureAlphaBlend);
  disableRenderFeature(kFeatureAlphaTest);
  renderState.trianglesDrawn = 0;
}
