// render.h: the game's drawing interface: the device and its frame, display modes
// and gamma, transforms and projections, the camera and its light, and the
// immediate quad and sprite primitives every picture is drawn with. The
// camera-facing squares and sheet sprites have a header of their own (sprites.h).
//
// 2D drawing uses the centred overlay space: x -400..400 to the right, y -300..300
// upwards, whatever the real back-buffer size. Textures (texture.h), text (text.h)
// and meshes (mesh.h) have headers of their own.
#pragma once

#include <cstdint>

#include "core/math.h"
#include "platform/device.h"

struct TextureEntry;

// ---------------------------------------------------------------------------
// Device, display modes and frame

// The mode table holds this many entries: adapters report far fewer 4:3 modes.
constexpr int kMaxDisplayModes = 256;

struct DisplayMode {
  uint32_t width;
  uint32_t height;
  int32_t bitsPerPixel;      // 32 or 16
  PixelFormat adapterFormat;  // X8R8G8B8 or R5G6B5
  PixelFormat depthFormat;    // the depth buffer chosen for this mode
};

struct Resolution {
  uint32_t width;
  uint32_t height;
};

// The display the device is made for: process lifetime. The start-up question and
// the settings record set it before the device exists; a change later takes effect
// through applyDisplaySettings.
struct DisplaySettings {
  int32_t fullScreen;
  int32_t screenWidth;   // 800 x 600 in full screen, 640 x 480 in a window
  int32_t screenHeight;
  int32_t colorDepth32;
  int32_t vsync;         // presents wait for the display, in a window and in full screen
};
extern DisplaySettings display;

// Device and frame state: process lifetime; the mode tables are refilled by
// createDevice.
struct RenderState {
  DisplayMode modeTable[kMaxDisplayModes];
  int32_t modeCount;
  // The distinct sizes of the mode table in order of first appearance (options screen).
  Resolution resolutionTable[kMaxDisplayModes];
  int32_t resolutionCount;
  int32_t resolutionIndex;  // of screenWidth x screenHeight
  DisplayMode currentMode;
  int32_t currentModeIndex;
  uint8_t displayChangePending;  // the device is reset at the next present
  float gammaValue;              // 0.5 = identity ramp
  uint8_t gammaDirty;
  Matrix4 cameraProjection;  // the 3D camera's perspective (updateProjection)
  Matrix4 cameraView;        // the camera's view matrix (setupCamera)
  uint32_t trianglesDrawn;   // triangles submitted since the debug overlay last read it
};
extern RenderState renderState;

// As a fresh start leaves the module's records (the device itself is released
// by releaseDevice): the display unset, the camera and gamma at their start
// values, white text without banner or flying letters, colours unmultiplied.
void resetRender();

// Creates the device on the game window with the given backend (the OpenGL one needs
// a window made for it). When it cannot be made, returns false after a message that
// OpenGL 3.3 could not be started, with the driver's reason and what may help.
bool createDevice(DevBackend backend);
// Reselects the mode after a field of `display` changed; the device is reset at the
// next present.
void applyDisplaySettings();
// Restores the neutral gamma and releases the device.
void releaseDevice();

// Fills the mode table from the adapter's modes: 640 x 480 or more, 4:3 only, one
// entry per size and depth. Used by createDevice; tests feed their own lists.
void buildModeTable(const DevDisplayMode* modes, int32_t count);
// Chooses currentMode from the display's screenWidth, screenHeight and colorDepth32
// (entry 0 when none matches).
void selectDisplayMode();

void clearTarget(Color color);
void clearDepth(float z);
void clearStencil(uint32_t value);
void beginScene();
void endScene();
// Applies a pending gamma change, presents, and resets the device when the display
// settings changed.
void presentFrame();
// Takes effect at the next present; only the last value set in a frame counts.
void setGamma(float value);
// The ramp entry i for a gamma value: (value + 0.5) * i * 256, at most 65535.
uint16_t gammaRampEntry(float value, int32_t i);

// Null sets the identity.
void setWorldTransform(const Matrix4* m);
void setViewTransform(const Matrix4* m);
void setTexture0Transform(const Matrix4* m);
void setProjectionTransform(const Matrix4& m);
void getWorldTransform(Matrix4* out);
void getViewTransform(Matrix4* out);
void getTexture0Transform(Matrix4* out);
void getProjectionTransform(Matrix4* out);
void setPerspectiveProjection(float fovY, float aspect, float zNear, float zFar);
void setOrthoProjection(float width, float height, float zNear, float zFar);
// Stores the camera perspective for a client area (a quarter-pi field of view, near 5,
// far 400); the frame applies it. updateProjection calls it with the client size.
void setCameraProjection(int32_t clientWidth, int32_t clientHeight);
void setCullMode(DevCull cull);

// ---------------------------------------------------------------------------
// Camera and light

// The base view: the identity moved 45 units along z. Stored in cameraView.
void setupCamera();
// Material, the one directional light (enabled) and the lighting switch off.
void setupLighting();

// ---------------------------------------------------------------------------
// Quads and sprites

struct UvRect {
  float uLeft, vTop, uRight, vBottom;
};

// Binds the entry's texture (null unbinds).
void setTexture(const TextureEntry* entry);
// Multiplies every colour given to the coloured primitives (1 = unchanged).
void setColorMultiplier(float red, float green, float blue, float alpha);
// A colour after the multipliers (channels truncated, limited to 0..255).
Color multiplyColor(Color color);

void drawSprite(float x, float y, float width, float height, const UvRect& uv, Color color,
                float z);
void drawSpriteAt(Vec2 center, float width, float height, const UvRect& uv, Color color,
                  float z);
void drawSpriteRect(const Rect& rect, const UvRect& uv, Color color, float z);
// The sprite of drawSprite turned counter-clockwise by angle degrees about the pivot.
void drawRotatedSprite(float x, float y, float pivotX, float pivotY, float angle, float width,
                       float height, const UvRect& uv, Color color, float z);
// A free quad; submitted as the strip p1, p2, p0, p3.
void drawQuad(Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, Vec2 t0, Vec2 t1, Vec2 t2, Vec2 t3,
              Color color);
// A rectangle in 800 x 600 screen pixels (y down) at depth 10, texture coordinates
// moved 0.001 inwards.
void drawScreenRect(float left, float top, float right, float bottom, float uLeft, float vTop,
                    float uRight, float vBottom, Color color);
// drawScreenRect for a picture wholly opaque there, given a colour of alpha 255:
// unblended and untested, which shows the same pixels while a software renderer
// writes them without reading and drops what they cover. The blend and alpha-test
// states are as they were afterwards.
void drawOpaqueScreenRect(float left, float top, float right, float bottom, float uLeft,
                          float vTop, float uRight, float vBottom, Color color);
// The part of that rectangle inside `part` (screen pixels, y down: x0 left, y0 top)
// with the texture coordinates the whole one gives it: parts drawn one by one show
// what the whole shows (to rounding), each under its own states.
void drawScreenRectPart(float left, float top, float right, float bottom, float uLeft,
                        float vTop, float uRight, float vBottom, Color color, const Rect& part);
void drawQuadTinted(Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, Color color);
void drawQuadShaded(Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, Color c0, Color c1, Color c2, Color c3);
// A camera-facing strip from a to b of half width w.
void drawRibbon(Vec3 a, Vec3 b, float w, Color color);
void drawRibbonShaded(Vec3 a, Vec3 b, float w, Color colorB, Color colorA);
void drawTexturedQuad(Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, Vec2 t0, Vec2 t1, Vec2 t2, Vec2 t3);
// The low-level draw from memory; adds primitiveCount to trianglesDrawn.
void drawPrimitives(const void* vertices, int32_t primitiveCount, DevVertexFormat format,
                    DevPrimitive type);
// Nothing to do: textures are always resident.
void evictManagedResources();

// ---------------------------------------------------------------------------
// Render-state switches

enum : int32_t {
  kFeatureLighting = 0,
  kFeatureDepthTest = 1,
  kFeatureDepthWrite = 2,
  kFeatureScreenProjection = 3,  // on: overlay orthographic 800 x 600, near 1, far 500
  kFeatureAlphaBlend = 4,
  kFeatureAlphaTest = 5,
  kFeaturePointSprites = 6,
  kFeatureFiltering = 7
};
// Other values do nothing.
void enableRenderFeature(int32_t feature);
void disableRenderFeature(int32_t feature);

enum : int32_t {
  kBlendTransparent = 0,  // source alpha, inverse source alpha
  kBlendAdditive = 1,     // source colour, one
  kBlendOpaque = 2        // one, zero
};
// Other values change nothing.
void setBlendMode(int32_t mode);
// Any pair of blend factors (the glow bars add by source alpha).
void setBlendFactors(DevBlend src, DevBlend dst);
void setAlphaRef(uint8_t ref);
// Flat 2D drawing: depth test off, transparent blending on, alpha test at 1,
// filtering on, identity world and view, overlay projection with near 1 and far 100.
void begin2D();

// ---------------------------------------------------------------------------
// Frame records for the runner

// Draw calls and triangles of the last presented frame.
DevFrameStats lastFrameGfx();
