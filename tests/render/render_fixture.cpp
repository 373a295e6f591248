// The recording-device fixture shared by the render tests.
#include "render_fixture.h"

#include <cstring>
#include <list>

CapturedBox capturedBox;

namespace {

// Keeps the bytes of every in-memory file alive until TearDown.
std::list<std::vector<uint8_t>> g_files;

SysMsgAnswer captureBox(const char* text, const char* caption, SysMsgButtons) {
  capturedBox.text = text;
  capturedBox.caption = caption;
  capturedBox.count += 1;
  return SysMsgAnswer::Ok;
}

}  // namespace

void stopWithMessageOnStderr(void (*call)()) {
  sysSetMessageBoxHandler(nullptr);
  call();
}

void addMemoryFile(const char* name, std::vector<uint8_t> bytes) {
  g_files.push_back(std::move(bytes));
  std::vector<uint8_t>& kept = g_files.back();
  ASSERT_NE(registerFile(name, uint32_t(kept.size()), kept.data(), false), nullptr) << name;
}

std::vector<uint8_t> solidTga(int32_t w, int32_t h, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  std::vector<uint8_t> rgba(size_t(w) * size_t(h) * 4);
  for (size_t i = 0; i < rgba.size(); i += 4) {
    rgba[i] = r;
    rgba[i + 1] = g;
    rgba[i + 2] = b;
    rgba[i + 3] = a;
  }
  std::vector<uint8_t> out;
  picEncodeTga(rgba.data(), w, h, &out);
  return out;
}

std::vector<uint8_t> alphaJpeg(int32_t w, int32_t h, size_t planeSize, uint8_t alpha) {
  std::vector<uint8_t> rgb(size_t(w) * size_t(h) * 3, 128);
  std::vector<uint8_t> out;
  picEncodeJpeg(rgb.data(), w, h, 3, 90, &out);
  out.insert(out.end(), planeSize, alpha);
  return out;
}

void RenderTest::SetUp() {
  resetRender();
  display.screenWidth = 640;
  display.screenHeight = 480;
  sysCreateHeadlessWindow(640, 480);
  capturedBox = {};
  sysSetMessageBoxHandler(captureBox);
  ASSERT_TRUE(createDevice(DevBackend::Recording));
  setColorMultiplier(1.0f, 1.0f, 1.0f, 1.0f);
  renderState.trianglesDrawn = 0;
  devResetFrame();
  endFrameTexts();  // twice: neither frame keeps texts of an earlier test
  endFrameTexts();
}

void RenderTest::TearDown() {
  releaseAllMeshes();
  releaseAllTextures();
  releaseDevice();
  clearFileTable();
  g_files.clear();
  resetRender();
  sysSetMessageBoxHandler(nullptr);
}

std::vector<DevVertex> RenderTest::drawVertices(size_t i) const {
  const DevRecording& r = devRecording();
  const DevRecordedDraw& d = r.draws.at(i);
  return std::vector<DevVertex>(r.vertices.begin() + d.firstVertex,
                                r.vertices.begin() + d.firstVertex + d.vertexCount);
}

std::vector<DevRecordedDraw> RenderTest::primitiveDraws() const {
  std::vector<DevRecordedDraw> out;
  for (const DevRecordedDraw& d : devRecording().draws) {
    if (d.kind == DevRecordKind::Primitives) out.push_back(d);
  }
  return out;
}

Vec3 RenderTest::toClip(const DevRecordedDraw& d, const DevVertex& v, float* wOut) {
  const Matrix4 m = multiply(d.projection, multiply(d.view, d.world));
  const float p[4] = {v.x, v.y, v.z, 1.0f};
  float r[4] = {0, 0, 0, 0};
  for (int c = 0; c < 4; ++c) {
    for (int k = 0; k < 4; ++k) r[c] += p[k] * m.m[k * 4 + c];
  }
  if (wOut) *wOut = r[3];
  return {r[0] / r[3], r[1] / r[3], r[2] / r[3]};
}
