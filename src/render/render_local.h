// render_local.h: what the render module's own files share.
#pragma once

#include <cstdint>

#include "render/render.h"

// Primitive state: process lifetime.
struct PrimitiveState {
  ColorF colorMultiplier;  // 1, 1, 1, 1 at start
};
extern PrimitiveState primitiveState;
constexpr PrimitiveState kStartingPrimitiveState = {{1.0f, 1.0f, 1.0f, 1.0f}};

// The text renderer's part of resetRender (text.cpp).
void resetText();

// The fixed states the device starts with and returns to after a reset.
void applyFixedStates();
// Shows the non-fatal texture creation message.
void reportTextureCreationFailure(const char* name);
// Records a text drawn this frame (text.cpp).
void recordFrameText(const char* text);
