// The recording backend: draws nothing, keeps every primitive of the frame with its
// state, transforms and widened vertices, so tests and the headless runner can see
// exactly what would have been drawn.
#include <utility>

#include "platform/device.h"
#include "platform/device_local.h"
#include "platform/platform.h"

namespace {

// The current and last presented frames: cleared by create and release.
struct RecordingState {
  DevRecording current;
  DevRecording last;
};
RecordingState g_rec;

DevRecordedDraw describe(const DevDrawContext& context, DevRecordKind kind) {
  DevRecordedDraw d = {};
  d.kind = kind;
  d.state = context.state;
  d.world = context.transforms[int(DevTransform::World)];
  d.view = context.transforms[int(DevTransform::View)];
  d.projection = context.transforms[int(DevTransform::Projection)];
  d.texture0 = context.transforms[int(DevTransform::Texture0)];
  return d;
}

bool recCreate(char*, size_t) {
  g_rec.current = {};
  g_rec.last = {};
  return true;
}

void recRelease() {
  g_rec.current = {};
  g_rec.last = {};
}

bool recReset(bool) { return true; }

void recClear(uint32_t flags, Color color, float z, uint32_t stencil) {
  (void)z;
  (void)stencil;
  DevRecordedDraw d = {};
  d.kind = DevRecordKind::Clear;
  d.clearFlags = flags;
  d.clearColor = color;
  g_rec.current.draws.push_back(d);
}

void recBeginScene() {}

// The two frames trade places, so the next frame reuses the storage of the one
// before last instead of growing its lists from nothing.
void recPresent() {
  std::swap(g_rec.last, g_rec.current);
  g_rec.current.draws.clear();
  g_rec.current.vertices.clear();
}

void recSetGammaRamp(const uint16_t*, const uint16_t*, const uint16_t*) {}
void recTexture(DevTexture*) {}
void recVertexBuffer(DevVertexBuffer*) {}
void recIndexBuffer(DevIndexBuffer*) {}
void recDrawBatch(const DevDrawContext&, const DevVertex*, int32_t) {}

void recDrawBuffer(const DevDrawContext& context, const DevVertexBuffer* vertices,
                   const DevIndexBuffer* indices, int32_t primitiveCount) {
  DevRecordedDraw d = describe(context, DevRecordKind::Buffer);
  d.type = DevPrimitive::TriangleList;
  d.format = DevVertexFormat::Lit;
  d.primitiveCount = primitiveCount;
  d.vertexCount = int32_t(vertices->vertices.size());
  d.indexed = indices != nullptr;
  g_rec.current.draws.push_back(d);
}

void recRecordPrimitives(const DevDrawContext& context, DevPrimitive type,
                         DevVertexFormat format, int32_t primitiveCount,
                         const DevVertex* vertices, int32_t vertexCount) {
  DevRecordedDraw d = describe(context, DevRecordKind::Primitives);
  d.type = type;
  d.format = format;
  d.primitiveCount = primitiveCount;
  d.firstVertex = int32_t(g_rec.current.vertices.size());
  d.vertexCount = vertexCount;
  g_rec.current.vertices.insert(g_rec.current.vertices.end(), vertices, vertices + vertexCount);
  g_rec.current.draws.push_back(d);
}

bool recReadPixels(std::vector<uint8_t>*, int32_t*, int32_t*) { return false; }

void recViewportSize(int32_t* width, int32_t* height) { sysGetClientSize(width, height); }

}  // namespace

const DevBackendOps devRecordingBackend = {
    .create = recCreate,
    .release = recRelease,
    .reset = recReset,
    .setVsync = nullptr,  // nothing is shown
    .clear = recClear,
    .beginScene = recBeginScene,
    .present = recPresent,
    .setGammaRamp = recSetGammaRamp,
    .uploadTexture = recTexture,
    .readTexture = nullptr,  // the front end's texels are the only copy
    .writeTextureRect = nullptr,
    .releaseTexture = recTexture,
    .uploadVertexBuffer = recVertexBuffer,
    .uploadIndexBuffer = recIndexBuffer,
    .releaseVertexBuffer = recVertexBuffer,
    .releaseIndexBuffer = recIndexBuffer,
    .drawBatch = recDrawBatch,
    .drawBuffer = recDrawBuffer,
    .recordPrimitives = recRecordPrimitives,
    .readPixels = recReadPixels,
    .viewportSize = recViewportSize,
};

const DevRecording& devRecording() { return g_rec.current; }

const DevRecording& devLastRecording() { return g_rec.last; }

void devRecordingForgetFrame() { g_rec.current = {}; }
