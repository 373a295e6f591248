// device.h: the drawing device: what the renderer asks of the graphics hardware.
//
// A small fixed-function device in the conventions the game is written in: row
// vectors and row-major matrices, left-handed projections with depth 0..1, texture
// v = 0 at the picture's top row, colours 0xAARRGGBB, culling by on-screen winding.
// Two backends are chosen at creation: OpenGL 3.3 core on the game window, and a
// recording backend that draws nothing and keeps the frame's draw calls (state,
// vertices, triangle counts) for tests and the headless runner.
//
// Primitives drawn from memory are appended to one batch while the state stays the
// same; any state change, clear, retained draw, texture upload or present flushes it.
// Draw order is always kept.
//
// The OpenGL window has no depth or stencil buffer. The game layers its pictures in
// drawing order: 2D drawing neither tests nor writes depth, and what does test it
// (particles) writes none, so it only ever meets the cleared buffer and passes
// everywhere, as a test without a buffer does. A draw that would write depth is
// told once on standard error: it would need the buffer back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/math.h"

// ---------------------------------------------------------------------------
// Formats and states

enum class DevBackend : uint8_t { Recording, OpenGL };

enum class PixelFormat : uint32_t {
  Unknown = 0,
  A8R8G8B8,  // 32-bit with alpha; in memory blue, green, red, alpha
  X8R8G8B8,  // 32-bit, alpha ignored (read as opaque)
  R5G6B5,    // display modes only
  D16,       // depth formats, display modes only
  D24S8,
  D32
};

enum class DevBlend : uint8_t { Zero, One, SrcColor, SrcAlpha, InvSrcAlpha };
// Which on-screen winding is culled: None, triangles clockwise as seen on screen, or
// counter-clockwise ones.
enum class DevCull : uint8_t { None, Clockwise, CounterClockwise };
enum class DevPrimitive : uint8_t { TriangleList, TriangleStrip };

// The three vertex layouts the game draws from memory.
enum class DevVertexFormat : uint8_t {
  Sprite,  // position, colour, uv (24 bytes)
  Plain,   // position, uv (20 bytes)
  Lit      // position, normal, uv (32 bytes)
};
struct DevSpriteVertex {
  float x, y, z;
  Color color;
  float u, v;
};
struct DevPlainVertex {
  float x, y, z;
  float u, v;
};
struct DevLitVertex {
  float x, y, z;
  float nx, ny, nz;
  float u, v;
};
static_assert(sizeof(DevSpriteVertex) == 24 && sizeof(DevPlainVertex) == 20 &&
              sizeof(DevLitVertex) == 32, "vertex layouts are packed");

enum class DevTransform : uint8_t { World, View, Projection, Texture0 };

// One directional light and the material it lights.
struct DevLight {
  ColorF diffuse;
  ColorF specular;
  ColorF ambient;
  Vec3 direction;  // world space, towards which the light shines
};
struct DevMaterial {
  ColorF diffuse;
  ColorF ambient;
};

enum DevClearFlags : uint32_t { kClearTarget = 1, kClearDepth = 2, kClearStencil = 4 };

// One adapter display mode as the window system reports it.
struct DevDisplayMode {
  uint32_t width;
  uint32_t height;
  int32_t bitsPerPixel;  // 32 or 16; other depths are not reported
  PixelFormat format;
};

// The whole state a drawn primitive depends on (also what a batch is keyed by).
struct DevTexture;
struct DevState {
  DevTexture* texture;  // null: untextured (white)
  uint8_t lighting;
  uint8_t depthTest;
  uint8_t depthWrite;
  uint8_t alphaBlend;
  uint8_t alphaTest;
  uint8_t alphaRef;  // the test passes when alpha >= alphaRef
  uint8_t linearFilter;
  DevBlend srcBlend;
  DevBlend dstBlend;
  DevCull cull;
  uint32_t transformVersion;  // changes whenever a transform's value changes
  uint32_t lightVersion;      // changes whenever the light, material or ambient change
};

// ---------------------------------------------------------------------------
// Device

// Creates the device. The OpenGL backend needs the window made with openGL set;
// the recording backend needs nothing. Returns false on failure (devCreateFailure
// says why).
bool devCreate(DevBackend backend);
// Why the last devCreate failed, in the backend's and the driver's own words; ""
// after one that succeeded.
const char* devCreateFailure();
bool devExists();
DevBackend devBackend();
// Releases every texture and buffer still alive and the device itself.
void devRelease();
// Follows a display change (the caller has set the window's new mode): the viewport
// and whether presents wait for the display's refresh. Textures and buffers survive.
// Returns false on failure.
bool devReset(bool vsync);
// Whether presents wait for the display's refresh from now on: adaptive where the
// driver offers it (a late frame is shown at once instead of a refresh later). Off
// on a new device. A display that does not pace presents ignores it.
void devSetVsync(bool on);
// The adapter's display modes with 16- or 32-bit colour, in the window system's order.
std::vector<DevDisplayMode> devListDisplayModes();
// The desktop's current display mode (a window's back buffer uses its format).
DevDisplayMode devDesktopMode();

// Clears the whole viewport: colour (0xAARRGGBB), depth, stencil as flags say.
void devClear(uint32_t flags, Color color, float z, uint32_t stencil);
void devBeginScene();
void devEndScene();
// Shows the frame and starts the next one (statistics move to the last frame).
void devPresent();
// 256 entries each for red, green and blue. Ignored where the display has no ramp.
void devSetGammaRamp(const uint16_t red[256], const uint16_t green[256],
                     const uint16_t blue[256]);

// ---------------------------------------------------------------------------
// Transforms and render states

void devSetTransform(DevTransform which, const Matrix4& m);
Matrix4 devGetTransform(DevTransform which);

void devSetLighting(bool on);
void devSetDepthTest(bool on);
void devSetDepthWrite(bool on);
void devSetAlphaBlend(bool on);
void devSetBlendFunc(DevBlend src, DevBlend dst);
void devSetAlphaTest(bool on);
void devSetAlphaRef(uint8_t ref);
void devSetCull(DevCull cull);
void devSetLinearFilter(bool on);
// The global ambient colour lit vertices receive (times the material's ambient).
void devSetAmbient(Color ambient);
void devSetLight(const DevLight& light);
void devEnableLight(bool on);
void devSetMaterial(const DevMaterial& material);
// Puts every state, transform and the light back as a new device has them (a reset
// forgets what was set); textures and buffers stay.
void devRestoreDefaults();
// The current state, for tests and dumps.
const DevState& devState();

// ---------------------------------------------------------------------------
// Textures (nothing is lost on a reset; with OpenGL the driver's copy is the only
// one between locks)

// A texture of width x height texels in A8R8G8B8 or X8R8G8B8, texels 0 (transparent
// black). Returns null for another format, a zero size or a side above 4096.
DevTexture* devCreateTexture(uint32_t width, uint32_t height, PixelFormat format);
// The same with the texels given: a malloc'ed block of width x height x 4 bytes in
// the lock's layout, which the texture takes over (freed on failure, null returned).
DevTexture* devCreateTextureFromTexels(uint32_t width, uint32_t height, PixelFormat format,
                                       uint8_t* texels);
void devReleaseTexture(DevTexture* texture);
// Level 0's texels, 4 bytes each (blue, green, red, alpha), rows top first;
// *pitch receives the bytes per row. Null for a null texture (or without memory).
// With OpenGL they are read back from the driver first.
uint8_t* devLockTexture(DevTexture* texture, int32_t* pitch);
// Ends a lock: the texels are used from now on (earlier draws keep the old ones).
void devUnlockTexture(DevTexture* texture);
// Copies width x height texels (the lock's layout, `pitch` bytes a row) into the
// texture with their top-left corner at (x, y); the texels around them keep what
// they held, and with OpenGL no copy of the whole texture is made. False (nothing
// written) when the rectangle does not fit.
bool devWriteTextureRect(DevTexture* texture, uint32_t x, uint32_t y, uint32_t width,
                         uint32_t height, const uint8_t* texels, int32_t pitch);
uint32_t devTextureWidth(const DevTexture* texture);
uint32_t devTextureHeight(const DevTexture* texture);
void devSetTexture(DevTexture* texture);

// ---------------------------------------------------------------------------
// Drawing

// Draws primitiveCount triangles from vertices in memory (not retained).
void devDrawUP(DevPrimitive type, int32_t primitiveCount, const void* vertices,
               DevVertexFormat format);

// Retained buffers for meshes: lit vertices and 16-bit indices.
struct DevVertexBuffer;
struct DevIndexBuffer;
// Copies the vertices. Returns null when count is 0.
DevVertexBuffer* devCreateVertexBuffer(const DevLitVertex* vertices, int32_t count);
DevIndexBuffer* devCreateIndexBuffer(const uint16_t* indices, int32_t count);
void devReleaseVertexBuffer(DevVertexBuffer* buffer);
void devReleaseIndexBuffer(DevIndexBuffer* buffer);
// A triangle list of primitiveCount triangles: indexed when indices is given (the
// indices must lie below the buffer's vertex count; draws outside it are refused),
// else vertices 0, 1, 2, ... Returns false when refused.
bool devDrawBuffer(const DevVertexBuffer* vertices, const DevIndexBuffer* indices,
                   int32_t primitiveCount);

// ---------------------------------------------------------------------------
// Statistics and pictures

struct DevFrameStats {
  uint32_t drawCalls;  // batches and retained draws sent to the backend
  uint32_t triangles;
};
// The frame being drawn (since the last present) and the last presented frame.
DevFrameStats devCurrentFrameStats();
DevFrameStats devLastFrameStats();

// The size of the area the 800 x 600 space is shown in, in real pixels.
void devViewportSize(int32_t* width, int32_t* height);
// Reads the frame drawn so far (call before devPresent) as RGBA rows top first,
// alpha 255. Returns false on the recording backend.
bool devReadPixels(std::vector<uint8_t>* rgba, int32_t* width, int32_t* height);
// While on, every present keeps a copy of the frame it shows (for screenshots taken
// between frames).
void devKeepPresentedFrame(bool on);
// The last presented frame kept by devKeepPresentedFrame. False when none was kept.
bool devPresentedFrame(std::vector<uint8_t>* rgba, int32_t* width, int32_t* height);

// ---------------------------------------------------------------------------
// The recording backend's memory

// One vertex in the form every layout is widened to.
struct DevVertex {
  float x, y, z;
  float nx, ny, nz;
  Color color;  // white where the layout has none (the material's diffuse when lit)
  float u, v;
};

enum class DevRecordKind : uint8_t { Primitives, Buffer, Clear };
struct DevRecordedDraw {
  DevRecordKind kind;
  DevPrimitive type;        // Primitives: as submitted
  DevVertexFormat format;
  int32_t primitiveCount;   // triangles
  int32_t firstVertex;      // into DevRecording::vertices (Primitives only)
  int32_t vertexCount;      // submitted vertices (Primitives), buffer vertices (Buffer)
  bool indexed;             // Buffer
  uint32_t clearFlags;      // Clear
  Color clearColor;
  DevState state;
  Matrix4 world, view, projection, texture0;
};
struct DevRecording {
  std::vector<DevRecordedDraw> draws;
  std::vector<DevVertex> vertices;
};
// What the recording backend kept since the last present, and for the last
// presented frame. Empty on the OpenGL backend.
const DevRecording& devRecording();
const DevRecording& devLastRecording();
// Forgets the current frame's recording and statistics (tests).
void devResetFrame();
