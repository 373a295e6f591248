// The device front end: the current state, transforms and light; primitives drawn
// from memory widened to one vertex layout and gathered into batches of equal
// state; textures and retained buffers with their copies in memory; the frame's
// statistics. The chosen backend turns batches into real drawing or records them.
#include "platform/device.h"

#include <SDL.h>  // display modes

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/math.h"  // identity
#include "platform/device_local.h"

namespace {

// One batch holds this many vertices (8192 sprites); a longer run is drawn in parts.
constexpr int32_t kMaxBatchVertices = 8192 * 6;

// Device state: reset by devCreate, cleared by devRelease.
struct DeviceFront {
  bool exists;
  DevBackend backend;
  const DevBackendOps* ops;
  DevDrawContext context;
  DevState batchState;  // the state the vertices in the batch were drawn with
  int32_t batchCount;
  DevFrameStats current;
  DevFrameStats last;
  bool keepPresented;
  std::vector<uint8_t>* presented;  // the kept frame, rows top first
  int32_t presentedWidth;
  int32_t presentedHeight;
  std::vector<DevTexture*>* textures;  // every live texture, released with the device
  std::vector<DevVertexBuffer*>* vertexBuffers;
  std::vector<DevIndexBuffer*>* indexBuffers;
};
DeviceFront g_dev = {};
// Process lifetime: why the last devCreate failed ("" after a success).
char g_createFailure[512];
DevVertex g_batch[kMaxBatchVertices];

bool sameState(const DevState& a, const DevState& b) {
  return a.texture == b.texture && a.lighting == b.lighting && a.depthTest == b.depthTest &&
         a.depthWrite == b.depthWrite && a.alphaBlend == b.alphaBlend &&
         a.alphaTest == b.alphaTest && a.alphaRef == b.alphaRef &&
         a.linearFilter == b.linearFilter && a.srcBlend == b.srcBlend &&
         a.dstBlend == b.dstBlend && a.cull == b.cull &&
         a.transformVersion == b.transformVersion && a.lightVersion == b.lightVersion;
}

void flushBatch() {
  if (g_dev.batchCount == 0) return;
  DevDrawContext context = g_dev.context;
  context.state = g_dev.batchState;
  g_dev.ops->drawBatch(context, g_batch, g_dev.batchCount);
  g_dev.current.drawCalls += 1;
  g_dev.batchCount = 0;
}

Color packColor(const ColorF& c) {
  auto channel = [](float v) {
    const float scaled = v * 255.0f;
    return uint32_t(scaled <= 0.0f ? 0.0f : scaled >= 255.0f ? 255.0f : scaled);
  };
  return channel(c.a) << 24 | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

// The colour a vertex without one of its own carries: the material's diffuse while
// lighting is on, else white.
Color implicitColor() {
  return g_dev.context.state.lighting ? packColor(g_dev.context.material.diffuse) : 0xFFFFFFFFu;
}

int32_t strideOf(DevVertexFormat format) {
  switch (format) {
    case DevVertexFormat::Sprite: return int32_t(sizeof(DevSpriteVertex));
    case DevVertexFormat::Plain: return int32_t(sizeof(DevPlainVertex));
    case DevVertexFormat::Lit: return int32_t(sizeof(DevLitVertex));
  }
  return 0;
}

DevVertex widen(const uint8_t* raw, DevVertexFormat format, Color implicit) {
  DevVertex v = {};
  switch (format) {
    case DevVertexFormat::Sprite: {
      DevSpriteVertex s;
      std::memcpy(&s, raw, sizeof s);
      v = {s.x, s.y, s.z, 0.0f, 0.0f, 0.0f, s.color, s.u, s.v};
      break;
    }
    case DevVertexFormat::Plain: {
      DevPlainVertex p;
      std::memcpy(&p, raw, sizeof p);
      v = {p.x, p.y, p.z, 0.0f, 0.0f, 0.0f, implicit, p.u, p.v};
      break;
    }
    case DevVertexFormat::Lit: {
      DevLitVertex l;
      std::memcpy(&l, raw, sizeof l);
      v = {l.x, l.y, l.z, l.nx, l.ny, l.nz, implicit, l.u, l.v};
      break;
    }
  }
  return v;
}

void appendTriangle(const DevVertex& a, const DevVertex& b, const DevVertex& c) {
  if (g_dev.batchCount > 0 && !sameState(g_dev.batchState, g_dev.context.state)) flushBatch();
  if (g_dev.batchCount + 3 > kMaxBatchVertices) flushBatch();
  g_dev.batchState = g_dev.context.state;
  g_batch[g_dev.batchCount++] = a;
  g_batch[g_dev.batchCount++] = b;
  g_batch[g_dev.batchCount++] = c;
}

// A triangle list appended whole: the state is the same for all of it, so it is
// compared once and the vertices go in as long runs.
void appendTriangleList(const DevVertex* vertices, int32_t count) {
  if (g_dev.batchCount > 0 && !sameState(g_dev.batchState, g_dev.context.state)) flushBatch();
  g_dev.batchState = g_dev.context.state;
  while (count > 0) {
    if (g_dev.batchCount + 3 > kMaxBatchVertices) flushBatch();
    const int32_t room = (kMaxBatchVertices - g_dev.batchCount) / 3 * 3;
    const int32_t run = count < room ? count : room;
    std::copy(vertices, vertices + run, g_batch + g_dev.batchCount);
    g_dev.batchCount += run;
    vertices += run;
    count -= run;
  }
}

// Transforms and the light are not part of a batch's vertices: what was gathered
// under the old values is drawn before they change.
void bumpTransforms() {
  flushBatch();
  g_dev.context.state.transformVersion += 1;
}
void bumpLight() {
  flushBatch();
  g_dev.context.state.lightVersion += 1;
}

// Sets a state byte; a change is what splits batches.
void setFlag(uint8_t* field, bool on) { *field = on ? 1 : 0; }

template <typename T>
void eraseFrom(std::vector<T*>* list, T* item) {
  if (!list) return;
  list->erase(std::remove(list->begin(), list->end(), item), list->end());
}

}  // namespace

// ---------------------------------------------------------------------------
// Device

bool devCreate(DevBackend backend) {
  if (g_dev.exists) devRelease();
  g_dev = {};
  g_dev.backend = backend;
  g_dev.ops = backend == DevBackend::OpenGL ? &devGLBackend : &devRecordingBackend;
  devRestoreDefaults();
  g_createFailure[0] = '\0';
  if (!g_dev.ops->create(g_createFailure, sizeof g_createFailure)) {
    if (g_createFailure[0] == '\0') {
      std::snprintf(g_createFailure, sizeof g_createFailure, "no reason was given");
    }
    g_dev = {};
    return false;
  }
  g_dev.presented = new std::vector<uint8_t>();
  g_dev.textures = new std::vector<DevTexture*>();
  g_dev.vertexBuffers = new std::vector<DevVertexBuffer*>();
  g_dev.indexBuffers = new std::vector<DevIndexBuffer*>();
  g_dev.exists = true;
  return true;
}

const char* devCreateFailure() { return g_createFailure; }

bool devExists() { return g_dev.exists; }

DevBackend devBackend() { return g_dev.backend; }

void devRelease() {
  if (!g_dev.exists) return;
  g_dev.batchCount = 0;
  // Copies: releasing edits the lists.
  for (DevTexture* t : std::vector<DevTexture*>(*g_dev.textures)) devReleaseTexture(t);
  for (DevVertexBuffer* b : std::vector<DevVertexBuffer*>(*g_dev.vertexBuffers)) {
    devReleaseVertexBuffer(b);
  }
  for (DevIndexBuffer* b : std::vector<DevIndexBuffer*>(*g_dev.indexBuffers)) {
    devReleaseIndexBuffer(b);
  }
  g_dev.ops->release();
  delete g_dev.presented;
  delete g_dev.textures;
  delete g_dev.vertexBuffers;
  delete g_dev.indexBuffers;
  g_dev = {};
}

bool devReset(bool vsync) {
  if (!g_dev.exists) return false;
  flushBatch();
  return g_dev.ops->reset(vsync);
}

void devSetVsync(bool on) {
  if (g_dev.exists && g_dev.ops->setVsync) g_dev.ops->setVsync(on);
}

std::vector<DevDisplayMode> devListDisplayModes() {
  std::vector<DevDisplayMode> modes;
  if (!SDL_WasInit(SDL_INIT_VIDEO)) {
    // No window system: the sizes every display offers.
    modes.push_back({640, 480, 32, PixelFormat::X8R8G8B8});
    modes.push_back({800, 600, 32, PixelFormat::X8R8G8B8});
    modes.push_back({1024, 768, 32, PixelFormat::X8R8G8B8});
    return modes;
  }
  const int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode m;
    if (SDL_GetDisplayMode(0, i, &m) != 0) continue;
    const int bytes = SDL_BYTESPERPIXEL(m.format);
    const int bits = SDL_BITSPERPIXEL(m.format);
    if (bytes == 4 && bits >= 24) {
      modes.push_back({uint32_t(m.w), uint32_t(m.h), 32, PixelFormat::X8R8G8B8});
    } else if (bits == 16) {
      modes.push_back({uint32_t(m.w), uint32_t(m.h), 16, PixelFormat::R5G6B5});
    }
  }
  return modes;
}

DevDisplayMode devDesktopMode() {
  SDL_DisplayMode m;
  if (SDL_WasInit(SDL_INIT_VIDEO) && SDL_GetDesktopDisplayMode(0, &m) == 0) {
    const bool deep = SDL_BYTESPERPIXEL(m.format) == 4;
    return {uint32_t(m.w), uint32_t(m.h), deep ? 32 : 16,
            deep ? PixelFormat::X8R8G8B8 : PixelFormat::R5G6B5};
  }
  return {1024, 768, 32, PixelFormat::X8R8G8B8};
}

void devClear(uint32_t flags, Color color, float z, uint32_t stencil) {
  if (!g_dev.exists) return;
  flushBatch();
  g_dev.ops->clear(flags, color, z, stencil);
}

void devBeginScene() {
  if (!g_dev.exists) return;
  g_dev.ops->beginScene();
}

void devEndScene() {
  if (!g_dev.exists) return;
  flushBatch();
}

void devPresent() {
  if (!g_dev.exists) return;
  flushBatch();
  if (g_dev.keepPresented) {
    g_dev.ops->readPixels(g_dev.presented, &g_dev.presentedWidth, &g_dev.presentedHeight);
  }
  g_dev.ops->present();
  g_dev.last = g_dev.current;
  g_dev.current = {};
}

void devSetGammaRamp(const uint16_t red[256], const uint16_t green[256],
                     const uint16_t blue[256]) {
  if (g_dev.exists) g_dev.ops->setGammaRamp(red, green, blue);
}

// ---------------------------------------------------------------------------
// Transforms and states

void devSetTransform(DevTransform which, const Matrix4& m) {
  Matrix4& slot = g_dev.context.transforms[int(which)];
  if (std::memcmp(slot.m, m.m, sizeof m.m) == 0) return;
  bumpTransforms();
  slot = m;
}

Matrix4 devGetTransform(DevTransform which) { return g_dev.context.transforms[int(which)]; }

void devSetLighting(bool on) { setFlag(&g_dev.context.state.lighting, on); }
void devSetDepthTest(bool on) { setFlag(&g_dev.context.state.depthTest, on); }
void devSetDepthWrite(bool on) { setFlag(&g_dev.context.state.depthWrite, on); }
void devSetAlphaBlend(bool on) { setFlag(&g_dev.context.state.alphaBlend, on); }
void devSetAlphaTest(bool on) { setFlag(&g_dev.context.state.alphaTest, on); }
void devSetLinearFilter(bool on) { setFlag(&g_dev.context.state.linearFilter, on); }
void devSetAlphaRef(uint8_t ref) { g_dev.context.state.alphaRef = ref; }
void devSetCull(DevCull cull) { g_dev.context.state.cull = cull; }

void devSetBlendFunc(DevBlend src, DevBlend dst) {
  g_dev.context.state.srcBlend = src;
  g_dev.context.state.dstBlend = dst;
}

void devSetAmbient(Color ambient) {
  if (g_dev.context.ambient == ambient) return;
  bumpLight();
  g_dev.context.ambient = ambient;
}

void devSetLight(const DevLight& light) {
  bumpLight();
  g_dev.context.light = light;
}

void devEnableLight(bool on) {
  if (g_dev.context.lightEnabled == on) return;
  bumpLight();
  g_dev.context.lightEnabled = on;
}

void devSetMaterial(const DevMaterial& material) {
  bumpLight();
  g_dev.context.material = material;
}

void devRestoreDefaults() {
  flushBatch();
  DevDrawContext& c = g_dev.context;
  // Versions only grow, so no batch ever matches a state from before the restore.
  const uint32_t transformVersion = c.state.transformVersion + 1;
  const uint32_t lightVersion = c.state.lightVersion + 1;
  c = {};
  for (Matrix4& m : c.transforms) m = identity();
  c.state.depthTest = 1;
  c.state.depthWrite = 1;
  c.state.srcBlend = DevBlend::One;
  c.state.dstBlend = DevBlend::Zero;
  c.state.cull = DevCull::CounterClockwise;
  c.state.transformVersion = transformVersion;
  c.state.lightVersion = lightVersion;
  c.material.diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
  c.light.diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
  c.light.direction = {0.0f, 0.0f, 1.0f};
}

const DevState& devState() { return g_dev.context.state; }

// ---------------------------------------------------------------------------
// Textures

namespace {

bool validTextureShape(uint32_t width, uint32_t height, PixelFormat format) {
  constexpr uint32_t kMaxSide = 4096;
  return width != 0 && height != 0 && width <= kMaxSide && height <= kMaxSide &&
         (format == PixelFormat::A8R8G8B8 || format == PixelFormat::X8R8G8B8);
}

DevTexture* enterTexture(uint32_t width, uint32_t height, PixelFormat format, uint8_t* texels) {
  auto* t = new DevTexture();
  t->width = width;
  t->height = height;
  t->format = format;
  t->texels = texels;
  t->uploaded = false;
  t->handle = 0;
  g_dev.textures->push_back(t);
  return t;
}

// Hands the texels to the backend. One that keeps a copy of its own (OpenGL) lets
// the front end's copy go; a lock reads it back.
void uploadTexels(DevTexture* t) {
  g_dev.ops->uploadTexture(t);
  t->uploaded = true;
  if (g_dev.ops->readTexture) {
    std::free(t->texels);
    t->texels = nullptr;
  }
}

}  // namespace

DevTexture* devCreateTexture(uint32_t width, uint32_t height, PixelFormat format) {
  if (!g_dev.exists || !validTextureShape(width, height, format)) return nullptr;
  // calloc: large blocks arrive as zero pages, with no pass over them. The backend
  // gets the texels when they are first unlocked or drawn with.
  auto* texels = static_cast<uint8_t*>(std::calloc(size_t(width) * height, 4));
  return texels ? enterTexture(width, height, format, texels) : nullptr;
}

DevTexture* devCreateTextureFromTexels(uint32_t width, uint32_t height, PixelFormat format,
                                       uint8_t* texels) {
  if (!texels) return nullptr;
  if (!g_dev.exists || !validTextureShape(width, height, format)) {
    std::free(texels);
    return nullptr;
  }
  DevTexture* t = enterTexture(width, height, format, texels);
  flushBatch();
  uploadTexels(t);
  return t;
}

void devReleaseTexture(DevTexture* texture) {
  if (!texture || !g_dev.exists) return;
  flushBatch();
  if (g_dev.context.state.texture == texture) g_dev.context.state.texture = nullptr;
  g_dev.ops->releaseTexture(texture);
  eraseFrom(g_dev.textures, texture);
  std::free(texture->texels);
  delete texture;
}

uint8_t* devLockTexture(DevTexture* texture, int32_t* pitch) {
  if (!texture) return nullptr;
  if (!texture->texels) {
    const size_t bytes = size_t(texture->width) * texture->height * 4;
    texture->texels = static_cast<uint8_t*>(std::malloc(bytes));
    if (!texture->texels) return nullptr;
    g_dev.ops->readTexture(texture);
  }
  if (pitch) *pitch = int32_t(texture->width * 4);
  return texture->texels;
}

void devUnlockTexture(DevTexture* texture) {
  if (!texture || !texture->texels || !g_dev.exists) return;
  // Primitives already drawn keep the texels they were drawn with.
  flushBatch();
  uploadTexels(texture);
}

bool devWriteTextureRect(DevTexture* texture, uint32_t x, uint32_t y, uint32_t width,
                         uint32_t height, const uint8_t* texels, int32_t pitch) {
  if (!texture || !texels || !g_dev.exists || x > texture->width || y > texture->height ||
      width > texture->width - x || height > texture->height - y) {
    return false;
  }
  flushBatch();
  // A fresh texture reaches the backend first, its zeros read straight from pages
  // never written.
  if (g_dev.ops->writeTextureRect && !texture->uploaded) uploadTexels(texture);
  if (texture->texels) {
    for (uint32_t row = 0; row < height; ++row) {
      std::memcpy(texture->texels + (size_t(y + row) * texture->width + x) * 4,
                  texels + size_t(row) * size_t(pitch), size_t(width) * 4);
    }
  }
  if (g_dev.ops->writeTextureRect) {
    g_dev.ops->writeTextureRect(texture, x, y, width, height, texels, pitch);
  } else {
    uploadTexels(texture);
  }
  return true;
}

uint32_t devTextureWidth(const DevTexture* texture) { return texture ? texture->width : 0; }
uint32_t devTextureHeight(const DevTexture* texture) { return texture ? texture->height : 0; }

void devSetTexture(DevTexture* texture) {
  // A texture made empty and never unlocked reaches the backend on its first use.
  if (texture && !texture->uploaded && g_dev.exists) {
    flushBatch();
    uploadTexels(texture);
  }
  g_dev.context.state.texture = texture;
}

// ---------------------------------------------------------------------------
// Drawing

void devDrawUP(DevPrimitive type, int32_t primitiveCount, const void* vertices,
               DevVertexFormat format) {
  if (!g_dev.exists || !vertices || primitiveCount <= 0) return;
  // Bounded by one batch per call; the game's largest call is far smaller.
  const int32_t maxPrimitives = kMaxBatchVertices / 3;
  if (primitiveCount > maxPrimitives) primitiveCount = maxPrimitives;
  const int32_t count = type == DevPrimitive::TriangleList ? primitiveCount * 3 : primitiveCount + 2;
  static DevVertex wide[kMaxBatchVertices];
  const auto* raw = static_cast<const uint8_t*>(vertices);
  const int32_t stride = strideOf(format);
  const Color implicit = implicitColor();
  for (int32_t i = 0; i < count; ++i) wide[i] = widen(raw + size_t(i) * stride, format, implicit);
  if (g_dev.ops->recordPrimitives) {
    g_dev.ops->recordPrimitives(g_dev.context, type, format, primitiveCount, wide, count);
  }
  if (type == DevPrimitive::TriangleList) {
    appendTriangleList(wide, count);
    g_dev.current.triangles += uint32_t(primitiveCount);
    return;
  }
  for (int32_t t = 0; t < primitiveCount; ++t) {
    if (t % 2 == 0) {
      appendTriangle(wide[t], wide[t + 1], wide[t + 2]);
    } else {
      // Every second triangle of a strip runs the other way round; reorder it so all
      // keep the winding of the first.
      appendTriangle(wide[t + 1], wide[t], wide[t + 2]);
    }
  }
  g_dev.current.triangles += uint32_t(primitiveCount);
}

DevVertexBuffer* devCreateVertexBuffer(const DevLitVertex* vertices, int32_t count) {
  if (!g_dev.exists || !vertices || count <= 0) return nullptr;
  auto* b = new DevVertexBuffer();
  b->vertices.resize(size_t(count));
  for (int32_t i = 0; i < count; ++i) {
    b->vertices[size_t(i)] = widen(reinterpret_cast<const uint8_t*>(vertices + i),
                                   DevVertexFormat::Lit, 0xFFFFFFFFu);
  }
  b->handle = 0;
  g_dev.ops->uploadVertexBuffer(b);
  g_dev.vertexBuffers->push_back(b);
  return b;
}

DevIndexBuffer* devCreateIndexBuffer(const uint16_t* indices, int32_t count) {
  if (!g_dev.exists || !indices || count <= 0) return nullptr;
  auto* b = new DevIndexBuffer();
  b->indices.assign(indices, indices + count);
  b->maxIndex = *std::max_element(b->indices.begin(), b->indices.end());
  b->handle = 0;
  g_dev.ops->uploadIndexBuffer(b);
  g_dev.indexBuffers->push_back(b);
  return b;
}

void devReleaseVertexBuffer(DevVertexBuffer* buffer) {
  if (!buffer || !g_dev.exists) return;
  g_dev.ops->releaseVertexBuffer(buffer);
  eraseFrom(g_dev.vertexBuffers, buffer);
  delete buffer;
}

void devReleaseIndexBuffer(DevIndexBuffer* buffer) {
  if (!buffer || !g_dev.exists) return;
  g_dev.ops->releaseIndexBuffer(buffer);
  eraseFrom(g_dev.indexBuffers, buffer);
  delete buffer;
}

bool devDrawBuffer(const DevVertexBuffer* vertices, const DevIndexBuffer* indices,
                   int32_t primitiveCount) {
  if (!g_dev.exists || !vertices || primitiveCount <= 0) return false;
  const size_t corners = size_t(primitiveCount) * 3;
  if (indices) {
    if (corners > indices->indices.size() || indices->maxIndex >= vertices->vertices.size()) {
      return false;
    }
  } else if (corners > vertices->vertices.size()) {
    return false;
  }
  flushBatch();
  g_dev.ops->drawBuffer(g_dev.context, vertices, indices, primitiveCount);
  g_dev.current.drawCalls += 1;
  g_dev.current.triangles += uint32_t(primitiveCount);
  return true;
}

// ---------------------------------------------------------------------------
// Statistics and pictures

DevFrameStats devCurrentFrameStats() {
  DevFrameStats s = g_dev.current;
  if (g_dev.batchCount > 0) s.drawCalls += 1;  // the batch still being gathered
  return s;
}

DevFrameStats devLastFrameStats() { return g_dev.last; }

void devViewportSize(int32_t* width, int32_t* height) {
  if (!g_dev.exists) {
    *width = *height = 0;
    return;
  }
  g_dev.ops->viewportSize(width, height);
}

bool devReadPixels(std::vector<uint8_t>* rgba, int32_t* width, int32_t* height) {
  if (!g_dev.exists) return false;
  flushBatch();
  return g_dev.ops->readPixels(rgba, width, height);
}

void devKeepPresentedFrame(bool on) {
  g_dev.keepPresented = on;
  if (!on && g_dev.presented) g_dev.presented->clear();
}

bool devPresentedFrame(std::vector<uint8_t>* rgba, int32_t* width, int32_t* height) {
  if (!g_dev.exists || g_dev.presented->empty()) return false;
  *rgba = *g_dev.presented;
  *width = g_dev.presentedWidth;
  *height = g_dev.presentedHeight;
  return true;
}

void devResetFrame() {
  g_dev.batchCount = 0;
  g_dev.current = {};
  devRecordingForgetFrame();
}
