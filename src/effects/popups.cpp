// The floating score numbers: each rises from where its points were won, swells
// and shrinks back once over its second of life, and fades in its last 300 ms.
#include <cmath>
#include <cstdio>

#include "effects/effects.h"
#include "render/render.h"
#include "render/text.h"

namespace {

constexpr float kPopupLifeMs = 1000.0f;
constexpr float kFadeFromMs = 700.0f;
constexpr float kPi = 3.14159265f;

bool popupVisible(const ScorePopup& popup) {
  return popup.age > 0.0f && popup.age < kPopupLifeMs;
}

}  // namespace

void updateScorePopups(float dt) {
  for (ScorePopup& popup : effectLog.popups) {
    if (!popupVisible(popup)) continue;
    popup.position = add2(popup.position, scale2(popup.velocity, dt));
    popup.age += dt;
    popup.fade = popup.age < kFadeFromMs ? 1.0f : 1.0f - (popup.age - kFadeFromMs) / 300.0f;
    if (popup.fade < 0.0f) popup.fade = 0.0f;
  }
}

void drawScorePopups() {
  setBlendMode(kBlendTransparent);
  char text[16];
  for (const ScorePopup& popup : effectLog.popups) {
    if (!popupVisible(popup)) continue;
    const uint32_t alpha = uint32_t(popup.fade * 255.0f);
    setTextColorPacked((popup.color & 0x00FFFFFFu) | (alpha << 24));
    // 10 units at birth, 12 at half its life, 10 again at the end.
    const float swell = std::sin(2.0f * kPi * 0.5f * popup.age / kPopupLifeMs) * 0.5f + 0.5f;
    std::snprintf(text, sizeof text, "%i", popup.points);
    drawTextCentered(popup.position.x, popup.position.y, swell * 4.0f + popup.baseSize, text);
  }
  setTextColor(255, 255, 255, 255);
}
