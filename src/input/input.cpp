// Typed letters and the hidden words of the developer features.
#include "input/input.h"

#include <cstdio>
#include <cstring>

#include "app/app.h"
#include "app/scene.h"
#include "persistence/settings.h"
#include "render/text.h"
#include "render/render.h"
#include "render/text.h"

InputState input = {};

bool typedLettersEndWith(const char* word) {
  const size_t n = std::strlen(word);
  if (n == 0 || n > 15) return false;
  for (size_t i = 0; i < n; ++i) {
    if (input.typedLetters[i] != word[n - 1 - i]) return false;
  }
  return true;
}

// Shifts the buffer one place towards its end and stores the new letter first.
static void pushTypedLetter(char letter) {
  std::memmove(input.typedLetters + 1, input.typedLetters, 14);
  input.typedLetters[0] = letter;
  input.typedLetters[15] = '\0';
}

static void checkMapWords() {
  if (typedLettersEndWith(kWordOpenAllStages)) {
    input.mapAllStagesOpen = 1;
  } else if (typedLettersEndWith(kWordCloseStages)) {
    input.mapAllStagesOpen = 0;
    settings.selectedMapLevel = 0;
  }
}

static void checkGameWords() {
  if (typedLettersEndWith(kWordDeveloperKeys)) {
    input.developerKeysEnabled = !input.developerKeysEnabled;
    ShowBanner(input.developerKeysEnabled ? "Cheat key enabled" : "Cheat key disabled");
  }
}

void handleTypedLetter(Scene* scene) {
  const int32_t code = scene->pendingKey & 0xFF;
  if (code >= 'A' && code <= 'Z') {
    pushTypedLetter(char(code));
    if (currentScene() == &mapScene) {
      checkMapWords();
    } else if (currentScene() == &gameScene) {
      checkGameWords();
    }
    if (currentScene() == &mapScene || currentScene() == &gameScene) {
      if (typedLettersEndWith(kWordDebugOverlay)) {
        input.debugOverlayVisible = !input.debugOverlayVisible;
      }
    }
  }
  scene->pendingKey = 0;
}

void drawDebugOverlay() {
  char triangles[32];
  std::snprintf(triangles, sizeof triangles, "%i TRI", int(renderState.trianglesDrawn));
  begin2D();
  if (input.debugOverlayVisible) {
    DrawText(-360.0f, -100.0f, 10.0f, app.fpsText, false);
    DrawText(-360.0f, -115.0f, 10.0f, triangles, false);
  }
  // The last step of every frame: the 3D camera is back for the next one.
  setProjectionTransform(renderState.cameraProjection);
  setViewTransform(&renderState.cameraView);
  disableRenderFeature(kFeatureAlphaBlend);
  disableRenderFeature(kFeatureAlphaTest);
  renderState.trianglesDrawn = 0;
}
