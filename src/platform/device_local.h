// device_local.h: what the device front end (device.cpp) shares with its two
// backends (device_gl.cpp, device_record.cpp): the objects behind the handles and
// the table of operations a backend provides.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/device.h"

struct DevTexture {
  uint32_t width;
  uint32_t height;
  PixelFormat format;
  // Blue, green, red, alpha; malloc'ed. Null while a backend that keeps its own copy
  // holds them alone (a lock reads them back).
  uint8_t* texels;
  bool uploaded;    // the backend has the texels as they are
  uint32_t handle;  // the backend's object (0: none)
};

struct DevVertexBuffer {
  std::vector<DevVertex> vertices;
  uint32_t handle;
};

struct DevIndexBuffer {
  std::vector<uint16_t> indices;
  uint16_t maxIndex;
  uint32_t handle;
};

// Everything a draw depends on besides its vertices.
struct DevDrawContext {
  DevState state;
  Matrix4 transforms[4];  // by DevTransform
  DevLight light;
  bool lightEnabled;
  DevMaterial material;
  Color ambient;
};

struct DevBackendOps {
  // On failure fills `why` (capacity bytes) with the reason, in the driver's own words
  // where it gave any.
  bool (*create)(char* why, size_t capacity);
  void (*release)();
  bool (*reset)(bool vsync);
  // Whether presents wait for the display's refresh; null where nothing is shown.
  void (*setVsync)(bool on);
  void (*clear)(uint32_t flags, Color color, float z, uint32_t stencil);
  void (*beginScene)();
  void (*present)();
  void (*setGammaRamp)(const uint16_t* red, const uint16_t* green, const uint16_t* blue);
  // Creates or refreshes the backend's copy of the texels.
  void (*uploadTexture)(DevTexture* texture);
  // Fills texture->texels from the backend's own copy; null for a backend that keeps
  // none (the front end then keeps its texels for good).
  void (*readTexture)(DevTexture* texture);
  // Replaces a rectangle of the backend's copy (one it has made already); null
  // together with readTexture.
  void (*writeTextureRect)(DevTexture* texture, uint32_t x, uint32_t y, uint32_t width,
                           uint32_t height, const uint8_t* texels, int32_t pitch);
  void (*releaseTexture)(DevTexture* texture);
  void (*uploadVertexBuffer)(DevVertexBuffer* buffer);
  void (*uploadIndexBuffer)(DevIndexBuffer* buffer);
  void (*releaseVertexBuffer)(DevVertexBuffer* buffer);
  void (*releaseIndexBuffer)(DevIndexBuffer* buffer);
  // A triangle list from the front end's batch.
  void (*drawBatch)(const DevDrawContext& context, const DevVertex* vertices, int32_t count);
  // Only when the draw was validated. indices may be null.
  void (*drawBuffer)(const DevDrawContext& context, const DevVertexBuffer* vertices,
                     const DevIndexBuffer* indices, int32_t primitiveCount);
  // Every primitive as submitted, before batching (recording only; may be null).
  void (*recordPrimitives)(const DevDrawContext& context, DevPrimitive type,
                           DevVertexFormat format, int32_t primitiveCount,
                           const DevVertex* vertices, int32_t vertexCount);
  bool (*readPixels)(std::vector<uint8_t>* rgba, int32_t* width, int32_t* height);
  void (*viewportSize)(int32_t* width, int32_t* height);
};

extern const DevBackendOps devGLBackend;
// Forgets what the recording backend kept of the current frame.
void devRecordingForgetFrame();
extern const DevBackendOps devRecordingBackend;
