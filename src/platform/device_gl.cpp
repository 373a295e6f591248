// The OpenGL 3.3 core backend: one small shader program stands in for the fixed
// function pipeline (colour times texture, alpha test, one directional light,
// texture transform), batches arrive as triangle lists streamed into one buffer,
// and GL state is changed only when a draw needs it different.
//
// The game's conventions are converted here: matrices are row-major for row
// vectors, which read as column-major is exactly the transpose GLSL needs on the
// left of a column vector; depth 0..1 becomes GL's -w..w (z' = 2z - w); texel rows
// are uploaded top first, so v = 0 is the picture's top; culling names the winding
// seen on screen, which GL's window space (y up) shares.
#include <epoxy/gl.h>  // before any other GL header

#include <SDL.h>
#include <dlfcn.h>  // keeping the GL driver loaded
#include <link.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/math.h"
#include "platform/device.h"
#include "platform/device_local.h"
#include "platform/platform.h"
#include "platform/platform_local.h"

namespace {

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec4 aColor;
layout(location = 3) in vec2 aUv;
uniform mat4 uWorldViewProjection;
uniform mat4 uWorld;
uniform mat3 uTextureMatrix;
uniform vec4 uToLight;       // xyz: unit vector towards the light; w: 1 while lighting
uniform vec3 uLightDiffuse;
uniform vec3 uAmbient;       // everything ambient, already times the material
out vec4 vColor;
out vec2 vUv;
void main() {
  vec4 p = uWorldViewProjection * vec4(aPosition, 1.0);
  gl_Position = vec4(p.x, p.y, 2.0 * p.z - p.w, p.w);
  vUv = (uTextureMatrix * vec3(aUv, 1.0)).xy;
  vec4 c = aColor;
  if (uToLight.w > 0.5) {
    vec3 n = mat3(uWorld) * aNormal;
    float len = length(n);
    float d = len > 0.0 ? max(dot(n / len, uToLight.xyz), 0.0) : 0.0;
    c = vec4(min(uAmbient + c.rgb * uLightDiffuse * d, vec3(1.0)), c.a);
  }
  vColor = c;
}
)";

// Draws with the alpha test use the first; the others one that never discards: a
// shader that may discard keeps a software driver from taking a draw as opaque, so
// from skipping what an opaque draw covers and from its faster paths.
const char* const kTestedFragmentShader = R"(#version 330 core
uniform sampler2D uTexture;
uniform float uAlphaRef;
in vec4 vColor;
in vec2 vUv;
out vec4 fragColor;
void main() {
  vec4 c = texture(uTexture, vUv) * vColor;
  if (c.a < uAlphaRef) discard;
  fragColor = c;
}
)";

const char* const kUntestedFragmentShader = R"(#version 330 core
uniform sampler2D uTexture;
in vec4 vColor;
in vec2 vUv;
out vec4 fragColor;
void main() {
  fragColor = texture(uTexture, vUv) * vColor;
}
)";

// Shows the capped scene: one quad over the viewport, the scene's picture filtered.
const char* const kShowVertexShader = R"(#version 330 core
out vec2 vUv;
void main() {
  vec2 corner = vec2(float(gl_VertexID & 1), float(gl_VertexID >> 1));
  vUv = corner;
  gl_Position = vec4(corner * 2.0 - 1.0, 0.0, 1.0);
}
)";

const char* const kShowFragmentShader = R"(#version 330 core
uniform sampler2D uScene;
in vec2 vUv;
out vec4 fragColor;
void main() {
  fragColor = texture(uScene, vUv);
}
)";

// The values last given to the program, so unchanged ones are not sent again
// (each uniform change between draws is expensive on software GL).
struct UniformCache {
  bool valid;
  float worldViewProjection[16];
  float world[16];
  float textureMatrix[9];
  float toLight[4];
  float lightDiffuse[3];
  float ambient[3];
  float alphaRef;
};

// The fixed-function state last set in GL.
struct PipelineCache {
  bool valid;
  bool blend;
  GLenum srcBlend, dstBlend;
  bool depthTest;
  bool depthWrite;
  DevCull cull;
  GLuint texture;
  bool linear;
};

// One linked program, where its uniforms are and what they were last given.
struct Program {
  GLuint id;
  GLint uWorldViewProjection, uWorld, uTextureMatrix, uToLight, uLightDiffuse, uAmbient,
      uAlphaRef, uTexture;
  UniformCache uniforms;
};

// An off-screen colour picture to draw into.
struct Target {
  GLuint framebuffer;
  GLuint color;  // a texture (filtered when scaled from)
  int32_t width, height;
};

// Backend state: made by oglCreate, cleared by oglRelease.
struct GLBackend {
  SDL_Window* window;
  SDL_GLContext context;
  Program tested;     // the alpha test on
  Program untested;   // the alpha test off
  Program* program;   // the one in use
  GLuint streamVao, streamVbo;
  GLuint meshVao;
  GLuint whiteTexture;
  GLuint samplers[3];  // point, linear (both repeating), linear held at the edges
  int32_t viewX, viewY, viewWidth, viewHeight;  // the scene's area in the drawable
  int32_t drawableWidth, drawableHeight;
  // An off-screen picture standing for the window's drawable where the window system
  // cannot resize it (SDL's offscreen driver keeps the size it was made with): used
  // only while the window's size differs from that one.
  Target standIn;
  bool fixedSurface;                    // the drawable keeps its first size
  int32_t surfaceWidth, surfaceHeight;  // that size
  bool useStandIn;
  // The scene drawn at a capped size (devSetSceneLimit), scaled into the viewport at
  // present; `capped` while the viewport is larger than the limit.
  Target scene;
  int32_t limitWidth, limitHeight;
  bool capped;
  GLuint drawFramebuffer;  // where the frame's draws go: the scene, the stand-in or 0
  GLuint showProgram;      // kShowVertexShader and kShowFragmentShader
  GLuint showVao;          // no attributes: the quad's corners come from the vertex ids
  bool software;           // the driver rasterises on the CPU
  PipelineCache pipeline;
  GLsync lastFrame;    // signalled once the last presented frame is drawn
  bool depthWriteTold; // a draw that would write depth was told about
};
GLBackend g_gl = {};

// How long a present waits for the frame before it (a driver that never signals
// must not hang the game).
constexpr GLuint64 kFrameWaitNs = 1000000000u;

// 0 with the driver's log in `why` when the shader does not compile.
GLuint compileShader(GLenum kind, const char* source, char* why, size_t capacity) {
  const GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[1024];
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::snprintf(why, capacity, "the driver does not compile the shaders: %s", log);
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

// The linked program of the two shaders, or 0 with the driver's log in `why`.
GLuint linkProgram(const char* vertexShader, const char* fragmentShader, char* why,
                   size_t capacity) {
  const GLuint vs = compileShader(GL_VERTEX_SHADER, vertexShader, why, capacity);
  const GLuint fs = compileShader(GL_FRAGMENT_SHADER, fragmentShader, why, capacity);
  if (!vs || !fs) return 0;
  const GLuint p = glCreateProgram();
  glAttachShader(p, vs);
  glAttachShader(p, fs);
  glLinkProgram(p);
  glDeleteShader(vs);
  glDeleteShader(fs);
  GLint ok = 0;
  glGetProgramiv(p, GL_LINK_STATUS, &ok);
  if (!ok) {
    char log[1024];
    glGetProgramInfoLog(p, sizeof log, nullptr, log);
    std::snprintf(why, capacity, "the driver does not link the shaders: %s", log);
    glDeleteProgram(p);
    return 0;
  }
  return p;
}

// False with the driver's log in `why` when the program does not build.
bool buildProgram(Program* program, const char* fragmentShader, char* why, size_t capacity) {
  *program = {};
  const GLuint p = linkProgram(kVertexShader, fragmentShader, why, capacity);
  if (!p) return false;
  program->id = p;
  program->uWorldViewProjection = glGetUniformLocation(p, "uWorldViewProjection");
  program->uWorld = glGetUniformLocation(p, "uWorld");
  program->uTextureMatrix = glGetUniformLocation(p, "uTextureMatrix");
  program->uToLight = glGetUniformLocation(p, "uToLight");
  program->uLightDiffuse = glGetUniformLocation(p, "uLightDiffuse");
  program->uAmbient = glGetUniformLocation(p, "uAmbient");
  program->uAlphaRef = glGetUniformLocation(p, "uAlphaRef");  // -1 where unused
  program->uTexture = glGetUniformLocation(p, "uTexture");
  glUseProgram(p);
  glUniform1i(program->uTexture, 0);
  return true;
}

bool buildPrograms(char* why, size_t capacity) {
  if (!buildProgram(&g_gl.tested, kTestedFragmentShader, why, capacity) ||
      !buildProgram(&g_gl.untested, kUntestedFragmentShader, why, capacity)) {
    return false;
  }
  g_gl.program = &g_gl.untested;  // the last one built is in use
  return true;
}

// False with the driver's log in `why` when the program does not build.
bool buildShowProgram(char* why, size_t capacity) {
  g_gl.showProgram = linkProgram(kShowVertexShader, kShowFragmentShader, why, capacity);
  if (!g_gl.showProgram) return false;
  glUseProgram(g_gl.showProgram);
  glUniform1i(glGetUniformLocation(g_gl.showProgram, "uScene"), 0);
  glUseProgram(g_gl.program->id);
  return true;
}

void useProgramFor(const DevState& s) {
  Program* wanted = s.alphaTest ? &g_gl.tested : &g_gl.untested;
  if (wanted == g_gl.program) return;
  glUseProgram(wanted->id);
  g_gl.program = wanted;
}

// Points the four attributes at a buffer of DevVertex.
void describeVertices(bool withColor) {
  const GLsizei stride = sizeof(DevVertex);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<const void*>(offsetof(DevVertex, x)));
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<const void*>(offsetof(DevVertex, nx)));
  if (withColor) {
    glEnableVertexAttribArray(2);
    // 0xAARRGGBB lies in memory as blue, green, red, alpha.
    glVertexAttribPointer(2, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<const void*>(offsetof(DevVertex, color)));
  } else {
    glDisableVertexAttribArray(2);
  }
  glEnableVertexAttribArray(3);
  glVertexAttribPointer(3, 2, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<const void*>(offsetof(DevVertex, u)));
}

// The scaled scene is held at its edges: repeating would blend its last row and
// column with the first ones.
void makeSamplers() {
  glGenSamplers(3, g_gl.samplers);
  for (int i = 0; i < 3; ++i) {
    const GLint filter = i == 0 ? GL_NEAREST : GL_LINEAR;
    const GLint wrap = i == 2 ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    glSamplerParameteri(g_gl.samplers[i], GL_TEXTURE_MIN_FILTER, filter);
    glSamplerParameteri(g_gl.samplers[i], GL_TEXTURE_MAG_FILTER, filter);
    glSamplerParameteri(g_gl.samplers[i], GL_TEXTURE_WRAP_S, wrap);
    glSamplerParameteri(g_gl.samplers[i], GL_TEXTURE_WRAP_T, wrap);
  }
}

// Gives the target a colour picture of width x height (kept when it has that size).
void sizeTarget(Target* t, int32_t width, int32_t height) {
  if (t->framebuffer && t->width == width && t->height == height) return;
  if (!t->framebuffer) {
    glGenFramebuffers(1, &t->framebuffer);
    glGenTextures(1, &t->color);
  }
  glBindTexture(GL_TEXTURE_2D, t->color);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  g_gl.pipeline.valid = false;  // the texture binding changed
  glBindFramebuffer(GL_FRAMEBUFFER, t->framebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, t->color, 0);
  t->width = width;
  t->height = height;
}

void releaseTarget(Target* t) {
  if (!t->framebuffer) return;
  glDeleteFramebuffers(1, &t->framebuffer);
  glDeleteTextures(1, &t->color);
  *t = {};
}

// What stands for the window: the stand-in, or the window's own framebuffer.
GLuint surfaceFramebuffer() { return g_gl.useStandIn ? g_gl.standIn.framebuffer : 0; }

// The area of the framebuffer being drawn into that the scene covers.
void sceneArea(int32_t* x, int32_t* y, int32_t* width, int32_t* height) {
  if (g_gl.capped) {
    *x = *y = 0;
    *width = g_gl.scene.width;
    *height = g_gl.scene.height;
  } else {
    *x = g_gl.viewX;
    *y = g_gl.viewY;
    *width = g_gl.viewWidth;
    *height = g_gl.viewHeight;
  }
}

// Follows the window: the drawable, the scene's viewport in it, and where the
// frame is drawn (the capped scene when the viewport is larger than the limit).
void readViewport() {
  sysGetDrawableSize(&g_gl.drawableWidth, &g_gl.drawableHeight);
  sysGetViewportRect(&g_gl.viewX, &g_gl.viewY, &g_gl.viewWidth, &g_gl.viewHeight);
  g_gl.useStandIn = g_gl.fixedSurface && g_gl.drawableWidth > 0 && g_gl.drawableHeight > 0 &&
                    (g_gl.drawableWidth != g_gl.surfaceWidth ||
                     g_gl.drawableHeight != g_gl.surfaceHeight);
  if (g_gl.useStandIn) {
    sizeTarget(&g_gl.standIn, g_gl.drawableWidth, g_gl.drawableHeight);
  } else {
    releaseTarget(&g_gl.standIn);
  }
  g_gl.capped = g_gl.limitWidth > 0 && g_gl.limitHeight > 0 &&
                (g_gl.viewWidth > g_gl.limitWidth || g_gl.viewHeight > g_gl.limitHeight);
  if (g_gl.capped) {
    sizeTarget(&g_gl.scene, g_gl.limitWidth, g_gl.limitHeight);
  } else {
    releaseTarget(&g_gl.scene);
  }
  g_gl.drawFramebuffer = g_gl.capped ? g_gl.scene.framebuffer : surfaceFramebuffer();
  glBindFramebuffer(GL_FRAMEBUFFER, g_gl.drawFramebuffer);
  int32_t x, y, w, h;
  sceneArea(&x, &y, &w, &h);
  glViewport(x, y, w, h);
}

// Clears the bars around the viewport in the framebuffer bound, the viewport left
// as it is: a software renderer would fill it twice otherwise.
void clearBars() {
  const int32_t x = g_gl.viewX, y = g_gl.viewY, w = g_gl.viewWidth, h = g_gl.viewHeight;
  const int32_t right = x + w, top = y + h;
  const int32_t bars[4][4] = {{0, 0, x, g_gl.drawableHeight},
                              {right, 0, g_gl.drawableWidth - right, g_gl.drawableHeight},
                              {x, 0, w, y},
                              {x, top, w, g_gl.drawableHeight - top}};
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glEnable(GL_SCISSOR_TEST);
  for (const auto& bar : bars) {
    if (bar[2] <= 0 || bar[3] <= 0) continue;
    glScissor(bar[0], bar[1], bar[2], bar[3]);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  glDisable(GL_SCISSOR_TEST);
}

// The capped scene drawn filtered over the viewport, the bars around it black;
// drawing goes on into the scene afterwards, every state the quad changed marked
// to be set again.
void showCappedScene() {
  if (!g_gl.capped) return;
  glBindFramebuffer(GL_FRAMEBUFFER, surfaceFramebuffer());
  clearBars();
  glViewport(g_gl.viewX, g_gl.viewY, g_gl.viewWidth, g_gl.viewHeight);
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glUseProgram(g_gl.showProgram);
  glBindTexture(GL_TEXTURE_2D, g_gl.scene.color);
  glBindSampler(0, g_gl.samplers[2]);
  glBindVertexArray(g_gl.showVao);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
  glUseProgram(g_gl.program->id);
  g_gl.pipeline.valid = false;
  glBindFramebuffer(GL_FRAMEBUFFER, g_gl.drawFramebuffer);
  glViewport(0, 0, g_gl.scene.width, g_gl.scene.height);
}

// Software renderers by the names Mesa gives them.
bool rendersInSoftware() {
  const GLubyte* name = glGetString(GL_RENDERER);
  const char* renderer = name ? reinterpret_cast<const char*>(name) : "";
  return std::strstr(renderer, "llvmpipe") || std::strstr(renderer, "softpipe") ||
         std::strstr(renderer, "Software Rasterizer") || std::strstr(renderer, "SWR");
}

// The software GL driver keeps a little memory until the process ends; SDL unloads
// it at shutdown, after which leak checkers can no longer see that memory is still
// referenced. Keeping the driver's libraries loaded to the end avoids false reports.
void keepDriverLoaded() {
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void*) {
        const char* name = info->dlpi_name;
        if (name && (std::strstr(name, "_dri.so") || std::strstr(name, "libLLVM"))) {
          dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        }
        return 0;
      },
      nullptr);
}

// False, naming the version and the renderer the driver offers, below OpenGL 3.3.
bool offersVersion33(char* why, size_t capacity) {
  if (epoxy_gl_version() >= 33) return true;
  const GLubyte* version = glGetString(GL_VERSION);
  const GLubyte* renderer = glGetString(GL_RENDERER);
  std::snprintf(why, capacity, "the driver offers OpenGL %s (%s)",
                version ? reinterpret_cast<const char*>(version) : "of an unknown version",
                renderer ? reinterpret_cast<const char*>(renderer) : "unknown renderer");
  return false;
}

bool letterboxed() {
  return g_gl.viewX != 0 || g_gl.viewY != 0 || g_gl.viewWidth != g_gl.drawableWidth ||
         g_gl.viewHeight != g_gl.drawableHeight;
}

// Art drawn larger than its 800 x 600 size is filtered whatever the draw asked:
// point sampling would show its texels as blocks.
bool sceneMagnified() {
  int32_t x, y, w, h;
  sceneArea(&x, &y, &w, &h);
  return w > 800 || h > 600;
}

GLenum blendFactor(DevBlend b) {
  switch (b) {
    case DevBlend::Zero: return GL_ZERO;
    case DevBlend::One: return GL_ONE;
    case DevBlend::SrcColor: return GL_SRC_COLOR;
    case DevBlend::SrcAlpha: return GL_SRC_ALPHA;
    case DevBlend::InvSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
  }
  return GL_ONE;
}

void setEnabled(GLenum cap, bool on) {
  if (on) {
    glEnable(cap);
  } else {
    glDisable(cap);
  }
}

void applyPipeline(const DevState& s) {
  if (s.depthTest && s.depthWrite && !g_gl.depthWriteTold) {
    std::fprintf(stderr, "A draw writes depth, but the window has no depth buffer\n");
    g_gl.depthWriteTold = true;
  }
  PipelineCache& c = g_gl.pipeline;
  const bool blend = s.alphaBlend != 0;
  const GLenum src = blendFactor(s.srcBlend), dst = blendFactor(s.dstBlend);
  if (!c.valid || c.blend != blend) setEnabled(GL_BLEND, blend);
  if (!c.valid || c.srcBlend != src || c.dstBlend != dst) glBlendFunc(src, dst);
  if (!c.valid || c.depthTest != (s.depthTest != 0)) setEnabled(GL_DEPTH_TEST, s.depthTest != 0);
  if (!c.valid || c.depthWrite != (s.depthWrite != 0)) {
    glDepthMask(s.depthWrite ? GL_TRUE : GL_FALSE);
  }
  if (!c.valid || c.cull != s.cull) {
    setEnabled(GL_CULL_FACE, s.cull != DevCull::None);
    // The culled winding is the back face.
    glFrontFace(s.cull == DevCull::CounterClockwise ? GL_CW : GL_CCW);
  }
  const GLuint texture = s.texture && s.texture->handle ? s.texture->handle : g_gl.whiteTexture;
  if (!c.valid || c.texture != texture) glBindTexture(GL_TEXTURE_2D, texture);
  const bool linear = s.linearFilter != 0 || sceneMagnified();
  if (!c.valid || c.linear != linear) glBindSampler(0, g_gl.samplers[linear ? 1 : 0]);
  c = {true, blend, src, dst, s.depthTest != 0, s.depthWrite != 0, s.cull, texture, linear};
}

template <size_t N>
bool changed(float (&cached)[N], const float* value) {
  if (std::memcmp(cached, value, sizeof cached) == 0) return false;
  std::memcpy(cached, value, sizeof cached);
  return true;
}

void applyUniforms(const DevDrawContext& ctx) {
  useProgramFor(ctx.state);
  const Program& p = *g_gl.program;
  UniformCache& u = g_gl.program->uniforms;
  const bool force = !u.valid;
  u.valid = true;
  const Matrix4& world = ctx.transforms[int(DevTransform::World)];
  const Matrix4& view = ctx.transforms[int(DevTransform::View)];
  const Matrix4& projection = ctx.transforms[int(DevTransform::Projection)];
  const Matrix4& tex = ctx.transforms[int(DevTransform::Texture0)];
  // Row vectors: p * world * view * projection.
  const Matrix4 wvp = multiply(projection, multiply(view, world));
  if (changed(u.worldViewProjection, wvp.m) || force) {
    glUniformMatrix4fv(p.uWorldViewProjection, 1, GL_FALSE, wvp.m);
  }
  // Two-component coordinates are extended to (u, v, 1): the third row translates.
  const float tm[9] = {tex.m[0], tex.m[1], 0.0f, tex.m[4], tex.m[5], 0.0f,
                       tex.m[8], tex.m[9], 1.0f};
  if (changed(u.textureMatrix, tm) || force) glUniformMatrix3fv(p.uTextureMatrix, 1, GL_FALSE, tm);
  const float alphaRef = ctx.state.alphaTest ? (float(ctx.state.alphaRef) - 0.5f) / 255.0f : -1.0f;
  if (u.alphaRef != alphaRef || force) {
    u.alphaRef = alphaRef;
    glUniform1f(p.uAlphaRef, alphaRef);
  }
  float toLight[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  if (ctx.state.lighting) {
    if (changed(u.world, world.m) || force) glUniformMatrix4fv(p.uWorld, 1, GL_FALSE, world.m);
    const Vec3 d = ctx.light.direction;
    const float len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    if (len > 0.0f) {
      toLight[0] = -d.x / len;
      toLight[1] = -d.y / len;
      toLight[2] = -d.z / len;
    }
    toLight[3] = 1.0f;
    const ColorF& ma = ctx.material.ambient;
    const float global[3] = {float((ctx.ambient >> 16) & 0xFFu) / 255.0f,
                             float((ctx.ambient >> 8) & 0xFFu) / 255.0f,
                             float(ctx.ambient & 0xFFu) / 255.0f};
    const ColorF la = ctx.lightEnabled ? ctx.light.ambient : ColorF{0.0f, 0.0f, 0.0f, 0.0f};
    const float ambient[3] = {(global[0] + la.r) * ma.r, (global[1] + la.g) * ma.g,
                              (global[2] + la.b) * ma.b};
    const ColorF& ld = ctx.light.diffuse;
    const float diffuse[3] = {ctx.lightEnabled ? ld.r : 0.0f, ctx.lightEnabled ? ld.g : 0.0f,
                              ctx.lightEnabled ? ld.b : 0.0f};
    if (changed(u.ambient, ambient) || force) glUniform3fv(p.uAmbient, 1, ambient);
    if (changed(u.lightDiffuse, diffuse) || force) glUniform3fv(p.uLightDiffuse, 1, diffuse);
  }
  if (changed(u.toLight, toLight) || force) glUniform4fv(p.uToLight, 1, toLight);
}

// ---------------------------------------------------------------------------
// The operations

void oglSetVsync(bool on) {
  // Not every system can change it: not an error. Adaptive first (-1), then plain.
  if (!on) {
    SDL_GL_SetSwapInterval(0);
  } else if (SDL_GL_SetSwapInterval(-1) != 0) {
    SDL_GL_SetSwapInterval(1);
  }
}

bool oglCreate(char* why, size_t capacity) {
  g_gl = {};
  g_gl.window = sysSdlWindow();
  if (!g_gl.window) {
    std::snprintf(why, capacity, "there is no window to draw in");
    return false;
  }
  g_gl.context = SDL_GL_CreateContext(g_gl.window);
  if (!g_gl.context) {
    std::snprintf(why, capacity, "%s", SDL_GetError());
    return false;
  }
  SDL_GL_MakeCurrent(g_gl.window, g_gl.context);
  keepDriverLoaded();
  if (!offersVersion33(why, capacity) || !buildPrograms(why, capacity) ||
      !buildShowProgram(why, capacity)) {
    SDL_GL_DeleteContext(g_gl.context);
    g_gl = {};
    return false;
  }
  oglSetVsync(false);  // loading frames must not wait for the display
  g_gl.software = rendersInSoftware();
  const char* driver = SDL_GetCurrentVideoDriver();
  g_gl.fixedSurface = driver && std::strcmp(driver, "offscreen") == 0;
  sysGetDrawableSize(&g_gl.surfaceWidth, &g_gl.surfaceHeight);
  glGenVertexArrays(1, &g_gl.streamVao);
  glGenBuffers(1, &g_gl.streamVbo);
  glBindVertexArray(g_gl.streamVao);
  glBindBuffer(GL_ARRAY_BUFFER, g_gl.streamVbo);
  describeVertices(true);
  glGenVertexArrays(1, &g_gl.meshVao);
  glGenVertexArrays(1, &g_gl.showVao);
  makeSamplers();
  glGenTextures(1, &g_gl.whiteTexture);
  glBindTexture(GL_TEXTURE_2D, g_gl.whiteTexture);
  const uint8_t white[4] = {255, 255, 255, 255};
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glDepthFunc(GL_LEQUAL);
  glCullFace(GL_BACK);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  readViewport();
  return true;
}

void oglRelease() {
  if (!g_gl.context) return;
  if (g_gl.lastFrame) glDeleteSync(g_gl.lastFrame);
  releaseTarget(&g_gl.scene);
  releaseTarget(&g_gl.standIn);
  glDeleteTextures(1, &g_gl.whiteTexture);
  glDeleteSamplers(3, g_gl.samplers);
  glDeleteBuffers(1, &g_gl.streamVbo);
  glDeleteVertexArrays(1, &g_gl.streamVao);
  glDeleteVertexArrays(1, &g_gl.meshVao);
  glDeleteVertexArrays(1, &g_gl.showVao);
  glDeleteProgram(g_gl.tested.id);
  glDeleteProgram(g_gl.untested.id);
  glDeleteProgram(g_gl.showProgram);
  SDL_GL_DeleteContext(g_gl.context);
  g_gl = {};
}

bool oglReset(bool vsync) {
  oglSetVsync(vsync);
  readViewport();
  return true;
}

void oglClear(uint32_t flags, Color color, float z, uint32_t stencil) {
  GLbitfield mask = 0;
  if (flags & kClearTarget) {
    glClearColor(float((color >> 16) & 0xFFu) / 255.0f, float((color >> 8) & 0xFFu) / 255.0f,
                 float(color & 0xFFu) / 255.0f, float(color >> 24) / 255.0f);
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if (flags & kClearDepth) {
    glClearDepth(z);
    // A clear writes depth whatever the depth-write state says.
    glDepthMask(GL_TRUE);
    g_gl.pipeline.valid = false;
    mask |= GL_DEPTH_BUFFER_BIT;
  }
  if (flags & kClearStencil) {
    glClearStencil(GLint(stencil));
    mask |= GL_STENCIL_BUFFER_BIT;
  }
  if (mask == 0) return;
  // Only the game's area: the bars around it stay black.
  int32_t x, y, w, h;
  sceneArea(&x, &y, &w, &h);
  glEnable(GL_SCISSOR_TEST);
  glScissor(x, y, w, h);
  glClear(mask);
  glDisable(GL_SCISSOR_TEST);
}

void oglBeginScene() {
  readViewport();
  // A capped scene's bars are cleared when it is shown.
  if (!g_gl.capped && letterboxed()) clearBars();
}

void oglPresent() {
  showCappedScene();
  SDL_GL_SwapWindow(g_gl.window);
  // At most one frame waits to be drawn: without a swap interval, or on a display
  // that does not pace swaps (the offscreen one), a software driver would queue
  // frames without bound, growing without limit and answering input late.
  if (g_gl.lastFrame) {
    glClientWaitSync(g_gl.lastFrame, GL_SYNC_FLUSH_COMMANDS_BIT, kFrameWaitNs);
    glDeleteSync(g_gl.lastFrame);
  }
  g_gl.lastFrame = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
}

void oglSetGammaRamp(const uint16_t* red, const uint16_t* green, const uint16_t* blue) {
  SDL_SetWindowGammaRamp(g_gl.window, red, green, blue);  // unsupported: ignored
}

void oglUploadTexture(DevTexture* t) {
  const bool fresh = t->handle == 0;
  if (fresh) glGenTextures(1, &t->handle);
  glBindTexture(GL_TEXTURE_2D, t->handle);
  g_gl.pipeline.texture = t->handle;
  if (fresh) {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, GLsizei(t->width), GLsizei(t->height), 0, GL_BGRA,
                 GL_UNSIGNED_BYTE, t->texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    if (t->format == PixelFormat::X8R8G8B8) {
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_A, GL_ONE);
    }
  } else {
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, GLsizei(t->width), GLsizei(t->height), GL_BGRA,
                    GL_UNSIGNED_BYTE, t->texels);
  }
}

void oglReadTexture(DevTexture* t) {
  glBindTexture(GL_TEXTURE_2D, t->handle);
  g_gl.pipeline.texture = t->handle;
  glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_BYTE, t->texels);
}

void oglWriteTextureRect(DevTexture* t, uint32_t x, uint32_t y, uint32_t width, uint32_t height,
                         const uint8_t* texels, int32_t pitch) {
  glBindTexture(GL_TEXTURE_2D, t->handle);
  g_gl.pipeline.texture = t->handle;
  glPixelStorei(GL_UNPACK_ROW_LENGTH, pitch / 4);
  glTexSubImage2D(GL_TEXTURE_2D, 0, GLint(x), GLint(y), GLsizei(width), GLsizei(height), GL_BGRA,
                  GL_UNSIGNED_BYTE, texels);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

void oglReleaseTexture(DevTexture* t) {
  if (t->handle == 0) return;
  if (g_gl.pipeline.texture == t->handle) g_gl.pipeline.valid = false;
  glDeleteTextures(1, &t->handle);
  t->handle = 0;
}

void oglUploadVertexBuffer(DevVertexBuffer* b) {
  glGenBuffers(1, &b->handle);
  glBindBuffer(GL_ARRAY_BUFFER, b->handle);
  glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(b->vertices.size() * sizeof(DevVertex)),
               b->vertices.data(), GL_STATIC_DRAW);
}

void oglUploadIndexBuffer(DevIndexBuffer* b) {
  glGenBuffers(1, &b->handle);
  // Element buffers bind to the current vertex array: use the mesh one.
  glBindVertexArray(g_gl.meshVao);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, b->handle);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(b->indices.size() * sizeof(uint16_t)),
               b->indices.data(), GL_STATIC_DRAW);
}

void oglReleaseVertexBuffer(DevVertexBuffer* b) {
  glDeleteBuffers(1, &b->handle);
  b->handle = 0;
}

void oglReleaseIndexBuffer(DevIndexBuffer* b) {
  glDeleteBuffers(1, &b->handle);
  b->handle = 0;
}

void oglDrawBatch(const DevDrawContext& ctx, const DevVertex* vertices, int32_t count) {
  applyPipeline(ctx.state);
  applyUniforms(ctx);
  glBindVertexArray(g_gl.streamVao);
  glBindBuffer(GL_ARRAY_BUFFER, g_gl.streamVbo);
  glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(size_t(count) * sizeof(DevVertex)), vertices,
               GL_STREAM_DRAW);
  glDrawArrays(GL_TRIANGLES, 0, count);
}

void oglDrawBuffer(const DevDrawContext& ctx, const DevVertexBuffer* vertices,
                    const DevIndexBuffer* indices, int32_t primitiveCount) {
  applyPipeline(ctx.state);
  applyUniforms(ctx);
  glBindVertexArray(g_gl.meshVao);
  glBindBuffer(GL_ARRAY_BUFFER, vertices->handle);
  describeVertices(false);
  // Vertices without a colour take the material's diffuse while lit, else white.
  const ColorF c = ctx.state.lighting ? ctx.material.diffuse : ColorF{1.0f, 1.0f, 1.0f, 1.0f};
  glVertexAttrib4f(2, c.r, c.g, c.b, c.a);
  if (indices) {
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices->handle);
    glDrawElements(GL_TRIANGLES, primitiveCount * 3, GL_UNSIGNED_SHORT, nullptr);
  } else {
    glDrawArrays(GL_TRIANGLES, 0, primitiveCount * 3);
  }
}

bool oglReadPixels(std::vector<uint8_t>* rgba, int32_t* width, int32_t* height) {
  const int32_t w = g_gl.drawableWidth, h = g_gl.drawableHeight;
  if (w <= 0 || h <= 0) return false;
  showCappedScene();
  std::vector<uint8_t> raw(size_t(w) * size_t(h) * 4);
  const GLuint surface = surfaceFramebuffer();
  glBindFramebuffer(GL_READ_FRAMEBUFFER, surface);
  glReadBuffer(surface ? GL_COLOR_ATTACHMENT0 : GL_BACK);
  glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
  glBindFramebuffer(GL_FRAMEBUFFER, g_gl.drawFramebuffer);
  rgba->resize(raw.size());
  const size_t row = size_t(w) * 4;
  // GL counts rows from the bottom.
  for (int32_t y = 0; y < h; ++y) {
    std::memcpy(rgba->data() + size_t(y) * row, raw.data() + size_t(h - 1 - y) * row, row);
  }
  for (size_t i = 3; i < rgba->size(); i += 4) (*rgba)[i] = 255;
  *width = w;
  *height = h;
  return true;
}

void oglViewportSize(int32_t* width, int32_t* height) {
  *width = g_gl.viewWidth;
  *height = g_gl.viewHeight;
}

void oglSetSceneLimit(int32_t width, int32_t height) {
  g_gl.limitWidth = width;
  g_gl.limitHeight = height;
  readViewport();
}

void oglSceneDrawSize(int32_t* width, int32_t* height) {
  int32_t x, y;
  sceneArea(&x, &y, width, height);
}

bool oglSoftwareRenderer() { return g_gl.software; }

}  // namespace

const DevBackendOps devGLBackend = {
    .create = oglCreate,
    .release = oglRelease,
    .reset = oglReset,
    .setVsync = oglSetVsync,
    .clear = oglClear,
    .beginScene = oglBeginScene,
    .present = oglPresent,
    .setGammaRamp = oglSetGammaRamp,
    .uploadTexture = oglUploadTexture,
    .readTexture = oglReadTexture,
    .writeTextureRect = oglWriteTextureRect,
    .releaseTexture = oglReleaseTexture,
    .uploadVertexBuffer = oglUploadVertexBuffer,
    .uploadIndexBuffer = oglUploadIndexBuffer,
    .releaseVertexBuffer = oglReleaseVertexBuffer,
    .releaseIndexBuffer = oglReleaseIndexBuffer,
    .drawBatch = oglDrawBatch,
    .drawBuffer = oglDrawBuffer,
    .recordPrimitives = nullptr,  // drawn, not recorded
    .readPixels = oglReadPixels,
    .viewportSize = oglViewportSize,
    .setSceneLimit = oglSetSceneLimit,
    .sceneDrawSize = oglSceneDrawSize,
    .softwareRenderer = oglSoftwareRenderer,
};
