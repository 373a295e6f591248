// The device as the game sees it: creation with its mode tables, the fixed states,
// the frame (clear, begin, end, present), gamma, display changes, transforms and
// projections, and the camera with its light.
#include <cmath>
#include <cstdio>

#include "platform/platform.h"
#include "render/render.h"
#include "render/sprites.h"
#include "render/render_local.h"
#include "render/text.h"

DisplaySettings display = {};

namespace {

RenderState startingRenderState() {
  RenderState s = {};
  s.gammaValue = 0.5f;
  s.cameraProjection = perspectiveFov(0.7853982f, 1.3333334f, 5.0f, 400.0f);
  s.cameraView = identity();
  translate(&s.cameraView, 0.0f, 0.0f, 45.0f);
  return s;
}

}  // namespace

RenderState renderState = startingRenderState();

void resetRender() {
  display = {};
  renderState = startingRenderState();
  primitiveState = kStartingPrimitiveState;
  resetText();
}

namespace {

constexpr float kQuarterPi = 0.7853982f;

bool isFourByThree(uint32_t width, uint32_t height) {
  return std::fabs(float(width) / float(height) - 1.33f) <= 0.01f;
}

// The back buffer of a window has the desktop's format, whatever depth was asked for.
void fillPresentParameters() {
  if (!display.fullScreen) renderState.currentMode.adapterFormat = devDesktopMode().format;
}

void resetDevice() {
  selectDisplayMode();
  fillPresentParameters();
  sysSetWindowMode(display.fullScreen != 0, display.screenWidth, display.screenHeight);
  devReset(display.vsync != 0);
  applyFixedStates();
  setupLighting();
}

}  // namespace

// ---------------------------------------------------------------------------
// Modes

void buildModeTable(const DevDisplayMode* modes, int32_t count) {
  RenderState& r = renderState;
  r.modeCount = 0;
  r.resolutionCount = 0;
  for (int32_t i = 0; i < count && r.modeCount < kMaxDisplayModes; ++i) {
    const DevDisplayMode& m = modes[i];
    if (m.width < 640 || m.height < 480 || !isFourByThree(m.width, m.height)) continue;
    if (m.bitsPerPixel != 32 && m.bitsPerPixel != 16) continue;
    bool known = false;
    for (int32_t k = 0; k < r.modeCount && !known; ++k) {
      const DisplayMode& e = r.modeTable[k];
      known = e.bitsPerPixel == m.bitsPerPixel && e.width == m.width && e.height == m.height;
    }
    if (known) continue;
    DisplayMode& e = r.modeTable[r.modeCount++];
    e.width = m.width;
    e.height = m.height;
    e.bitsPerPixel = m.bitsPerPixel;
    e.adapterFormat = m.bitsPerPixel == 32 ? PixelFormat::X8R8G8B8 : PixelFormat::R5G6B5;
    // The depth buffer the window is made with: 24 bits and stencil in every mode.
    e.depthFormat = PixelFormat::D24S8;
    bool sized = false;
    for (int32_t k = 0; k < r.resolutionCount && !sized; ++k) {
      sized = r.resolutionTable[k].width == m.width && r.resolutionTable[k].height == m.height;
    }
    if (!sized) r.resolutionTable[r.resolutionCount++] = {m.width, m.height};
  }
}

void selectDisplayMode() {
  RenderState& r = renderState;
  for (int32_t k = 0; k < r.resolutionCount; ++k) {
    if (r.resolutionTable[k].width == uint32_t(display.screenWidth) &&
        r.resolutionTable[k].height == uint32_t(display.screenHeight)) {
      r.resolutionIndex = k;
      break;
    }
  }
  const int32_t bits = display.colorDepth32 ? 32 : 16;
  for (int32_t k = 0; k < r.modeCount; ++k) {
    const DisplayMode& m = r.modeTable[k];
    if (m.bitsPerPixel == bits && m.width == uint32_t(display.screenWidth) &&
        m.height == uint32_t(display.screenHeight)) {
      r.currentMode = m;
      r.currentModeIndex = k;
      return;
    }
  }
  r.currentMode = r.modeCount > 0 ? r.modeTable[0] : DisplayMode{};
  r.currentModeIndex = 0;
}

// ---------------------------------------------------------------------------
// Device

void applyFixedStates() {
  devRestoreDefaults();
  devSetDepthTest(true);
  devSetAlphaRef(128);
  devSetCull(DevCull::CounterClockwise);
  devSetLighting(false);
  devSetAmbient(0xFFFFFFFFu);
  devSetLinearFilter(false);
}

bool createDevice(DevBackend backend) {
  if (!devCreate(backend)) {
    // What a player can act on: what failed, the driver's own words, what may help.
    char text[1024];
    std::snprintf(text, sizeof text,
                  "The game draws with OpenGL 3.3, which could not be started.\n\n"
                  "The graphics driver says: %s\n\n"
                  "Updating the graphics driver (on most Linux systems, the Mesa packages) "
                  "usually helps.",
                  devCreateFailure());
    sysMessageBox(text, "Graphics could not be started", SysMsgButtons::Ok,
                  SysMsgIcon::Error);
    return false;
  }
  const std::vector<DevDisplayMode> modes = devListDisplayModes();
  buildModeTable(modes.data(), int32_t(modes.size()));
  selectDisplayMode();
  fillPresentParameters();
  renderState.displayChangePending = 0;
  renderState.gammaDirty = 0;
  renderState.trianglesDrawn = 0;
  applyFixedStates();
  setupCamera();
  setupLighting();
  return true;
}

void applyDisplaySettings() {
  selectDisplayMode();
  fillPresentParameters();
  renderState.displayChangePending = 1;
}

void releaseDevice() {
  if (!devExists()) return;
  renderState.gammaValue = 0.5f;
  renderState.gammaDirty = 1;
  uint16_t ramp[256];
  for (int32_t i = 0; i < 256; ++i) ramp[i] = gammaRampEntry(0.5f, i);
  devSetGammaRamp(ramp, ramp, ramp);
  renderState.gammaDirty = 0;
  devRelease();
}

// ---------------------------------------------------------------------------
// Frame

void clearTarget(Color color) { devClear(kClearTarget, color, 0.0f, 0); }
void clearDepth(float z) { devClear(kClearDepth, 0, z, 0); }
void clearStencil(uint32_t value) { devClear(kClearStencil, 0, 0.0f, value); }
void beginScene() { devBeginScene(); }
void endScene() { devEndScene(); }

uint16_t gammaRampEntry(float value, int32_t i) {
  const float v = (value + 0.5f) * float(i * 256);
  return v >= 65535.0f ? uint16_t(65535) : v <= 0.0f ? uint16_t(0) : uint16_t(v);
}

void setGamma(float value) {
  if (value == renderState.gammaValue) return;
  renderState.gammaValue = value;
  renderState.gammaDirty = 1;
}

void presentFrame() {
  if (renderState.gammaDirty) {
    uint16_t ramp[256];
    for (int32_t i = 0; i < 256; ++i) ramp[i] = gammaRampEntry(renderState.gammaValue, i);
    devSetGammaRamp(ramp, ramp, ramp);
    renderState.gammaDirty = 0;
  }
  devPresent();
  endFrameTexts();
  if (renderState.displayChangePending) {
    resetDevice();
    renderState.displayChangePending = 0;
  }
}

DevFrameStats lastFrameGfx() { return devLastFrameStats(); }

// ---------------------------------------------------------------------------
// Transforms

void setWorldTransform(const Matrix4* m) {
  devSetTransform(DevTransform::World, m ? *m : identity());
}
void setViewTransform(const Matrix4* m) { devSetTransform(DevTransform::View, m ? *m : identity()); }
void setTexture0Transform(const Matrix4* m) {
  devSetTransform(DevTransform::Texture0, m ? *m : identity());
}
void setProjectionTransform(const Matrix4& m) { devSetTransform(DevTransform::Projection, m); }
void getWorldTransform(Matrix4* out) { *out = devGetTransform(DevTransform::World); }
void getViewTransform(Matrix4* out) { *out = devGetTransform(DevTransform::View); }
void getTexture0Transform(Matrix4* out) { *out = devGetTransform(DevTransform::Texture0); }
void getProjectionTransform(Matrix4* out) { *out = devGetTransform(DevTransform::Projection); }

void setPerspectiveProjection(float fovY, float aspect, float zNear, float zFar) {
  setProjectionTransform(perspectiveFov(fovY, aspect, zNear, zFar));
}

void setOrthoProjection(float width, float height, float zNear, float zFar) {
  setProjectionTransform(orthoProjection(width, height, zNear, zFar));
}

void setCameraProjection(int32_t clientWidth, int32_t clientHeight) {
  const float aspect =
      clientWidth > 0 && clientHeight > 0 ? float(clientWidth) / float(clientHeight) : 1.3333334f;
  renderState.cameraProjection = perspectiveFov(kQuarterPi, aspect, 5.0f, 400.0f);
}

void setCullMode(DevCull cull) { devSetCull(cull); }

// ---------------------------------------------------------------------------
// Camera and light

void setupCamera() {
  renderState.cameraView = identity();
  translate(&renderState.cameraView, 0.0f, 0.0f, 45.0f);
  setViewTransform(&renderState.cameraView);
  setProjectionTransform(renderState.cameraProjection);
}

void setupLighting() {
  DevMaterial material = {};
  material.diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
  material.ambient = {0.2f, 0.2f, 0.2f, 1.0f};
  DevLight light = {};
  light.diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
  light.specular = {1.0f, 1.0f, 1.0f, 1.0f};
  light.ambient = {0.0f, 0.0f, 0.0f, 0.0f};
  light.direction = {3.0f, 3.0f, -10.0f};  // a directional light: no range or fall-off
  devSetLight(light);
  devEnableLight(true);
  devSetMaterial(material);
  devSetLighting(false);
}

Frustum extractFrustum() {
  return extractFrustumFrom(devGetTransform(DevTransform::View),
                            devGetTransform(DevTransform::Projection));
}
