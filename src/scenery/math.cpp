// The shared value types' operations: vectors, colours, rectangles, matrices, the
// view frustum, the board grid mapping and the few geometry helpers the game uses.
// Lengths use the table square root, as every length in the game does.
#include "scenery/math.h"

#include <cmath>

#include "app/numeric.h"

float SinDeg(float degrees) { return std::sin(degrees * kDegToRad); }
float CosDeg(float degrees) { return std::cos(degrees * kDegToRad); }

// ---------------------------------------------------------------------------
// Vec2

Vec2 MakeVec2(float x, float y) { return {x, y}; }
Vec2 Add2(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
Vec2 Sub2(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
Vec2 Scale2(Vec2 v, float s) { return {v.x * s, v.y * s}; }
Vec2 Mul2(Vec2 a, Vec2 b) { return {a.x * b.x, a.y * b.y}; }
float Length2(Vec2 v) { return fastSqrt(v.x * v.x + v.y * v.y); }
float Dot2(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }

Vec2 Normalize2(Vec2 v) {
  const float length = Length2(v);
  return length > 0.0f ? Scale2(v, 1.0f / length) : v;
}

Vec2 Lerp2(Vec2 a, Vec2 b, float t) { return Add2(Scale2(a, 1.0f - t), Scale2(b, t)); }

Vec2 Rotate2(Vec2 v, float degrees) {
  const float c = CosDeg(degrees), s = SinDeg(degrees);
  return {v.x * c - v.y * s, v.x * s + v.y * c};
}

static float clampUnit(float k) { return k < -1.0f ? -1.0f : (k > 1.0f ? 1.0f : k); }

float Angle2(Vec2 v) {
  const Vec2 n = Normalize2(v);
  const float angle = std::acos(clampUnit(n.x)) * kRadToDeg;
  return n.y < 0.0f ? 360.0f - angle : angle;
}

float AngleBetween2(Vec2 a, Vec2 b) {
  const float lengths = Length2(a) * Length2(b);
  if (lengths <= 0.0f) return 0.0f;
  return std::acos(clampUnit(Dot2(a, b) / lengths)) * kRadToDeg;
}

// ---------------------------------------------------------------------------
// Vec3

Vec3 MakeVec3(float x, float y, float z) { return {x, y, z}; }
Vec3 Add3(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 Sub3(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 Scale3(Vec3 v, float s) { return {v.x * s, v.y * s, v.z * s}; }
Vec3 Div3(Vec3 v, float s) { return Scale3(v, 1.0f / s); }

void AddInPlace3(Vec3* v, Vec3 add) {
  v->x += add.x;
  v->y += add.y;
  v->z += add.z;
}

float Length3(Vec3 v) { return fastSqrt(v.x * v.x + v.y * v.y + v.z * v.z); }
float Dot3(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3 Normalize3(Vec3 v) {
  const float length = Length3(v);
  return length > 0.0f ? Scale3(v, 1.0f / length) : v;
}

Vec3 Lerp3(Vec3 a, Vec3 b, float t) { return Add3(Scale3(a, 1.0f - t), Scale3(b, t)); }

// ---------------------------------------------------------------------------
// Colours

Color MakeColor(int32_t red, int32_t green, int32_t blue, int32_t alpha) {
  return (uint32_t(alpha) & 0xFFu) << 24 | (uint32_t(red) & 0xFFu) << 16 |
         (uint32_t(green) & 0xFFu) << 8 | (uint32_t(blue) & 0xFFu);
}

ColorF MakeColorF(float r, float g, float b, float a) { return {r, g, b, a}; }
ColorF ScaleColorF(ColorF c, float s) { return {c.r * s, c.g * s, c.b * s, c.a * s}; }
ColorF AddColorF(ColorF a, ColorF b) { return {a.r + b.r, a.g + b.g, a.b + b.b, a.a + b.a}; }

ColorF LerpColorF(ColorF a, ColorF b, float t) {
  return AddColorF(ScaleColorF(a, 1.0f - t), ScaleColorF(b, t));
}

Color ColorFromColorF(ColorF c) {
  return MakeColor(int32_t(c.r * 255.0f), int32_t(c.g * 255.0f), int32_t(c.b * 255.0f),
                   int32_t(c.a * 255.0f));
}

// ---------------------------------------------------------------------------
// Rect

Rect MakeRect(float x0, float y0, float x1, float y1) { return {x0, y0, x1, y1}; }
float RectWidth(Rect r) { return std::fabs(r.x0 - r.x1); }
float RectHeight(Rect r) { return std::fabs(r.y0 - r.y1); }
Vec2 RectCenter(Rect r) { return {(r.x0 + r.x1) / 2.0f, (r.y0 + r.y1) / 2.0f}; }

Rect RectFromCenter(Vec2 center, float width, float height) {
  return {center.x - width / 2.0f, center.y + height / 2.0f, center.x + width / 2.0f,
          center.y - height / 2.0f};
}

bool RectContains(Rect r, Vec2 p) {
  return r.x0 <= p.x && p.x <= r.x1 && r.y1 <= p.y && p.y <= r.y0;
}

// ---------------------------------------------------------------------------
// Matrix4

Matrix4 Identity() {
  Matrix4 m = {};
  m.m[0] = m.m[5] = m.m[10] = m.m[15] = 1.0f;
  return m;
}

Matrix4 Multiply(const Matrix4& a, const Matrix4& b) {
  Matrix4 r = {};
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 4; ++col) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += b.m[row * 4 + k] * a.m[k * 4 + col];
      r.m[row * 4 + col] = sum;
    }
  }
  return r;
}

void Translate(Matrix4* m, float tx, float ty, float tz) {
  float* e = m->m;
  for (int i = 0; i < 3; ++i) e[12 + i] += tx * e[i] + ty * e[4 + i] + tz * e[8 + i];
  e[15] += tx * e[3] + ty * e[7] + tz * e[11];
}

void SetDiagonal(Matrix4* m, float sx, float sy, float sz) {
  m->m[0] = sx;
  m->m[5] = sy;
  m->m[10] = sz;
}

Vec3 RightAxis(const Matrix4& m) { return {m.m[0], m.m[4], m.m[8]}; }
Vec3 UpAxis(const Matrix4& m) { return {m.m[1], m.m[5], m.m[9]}; }
Vec3 ForwardAxis(const Matrix4& m) { return {m.m[2], m.m[6], m.m[10]}; }

Vec3 CameraPosition(const Matrix4& view) {
  const Vec3 t = {view.m[12], view.m[13], view.m[14]};
  return {-Dot3(t, {view.m[0], view.m[1], view.m[2]}), -Dot3(t, {view.m[4], view.m[5], view.m[6]}),
          -Dot3(t, {view.m[8], view.m[9], view.m[10]})};
}

Matrix4 PerspectiveFov(float fovY, float aspect, float zNear, float zFar) {
  Matrix4 m = {};
  const float ys = std::cos(fovY / 2.0f) / std::sin(fovY / 2.0f);
  m.m[0] = ys / aspect;
  m.m[5] = ys;
  m.m[10] = zFar / (zFar - zNear);
  m.m[11] = 1.0f;
  m.m[14] = zNear * zFar / (zNear - zFar);
  return m;
}

Matrix4 OrthoProjection(float width, float height, float zNear, float zFar) {
  Matrix4 m = {};
  m.m[0] = 2.0f / width;
  m.m[5] = 2.0f / height;
  m.m[10] = 1.0f / (zFar - zNear);
  m.m[14] = zNear / (zNear - zFar);
  m.m[15] = 1.0f;
  return m;
}

Vec3 TransformPoint(Vec3 p, const Matrix4& m) {
  const float* e = m.m;
  return {p.x * e[0] + p.y * e[4] + p.z * e[8] + e[12], p.x * e[1] + p.y * e[5] + p.z * e[9] + e[13],
          p.x * e[2] + p.y * e[6] + p.z * e[10] + e[14]};
}

Matrix4 Transpose(const Matrix4& m) {
  Matrix4 t;
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 4; ++col) t.m[col * 4 + row] = m.m[row * 4 + col];
  }
  return t;
}

// ---------------------------------------------------------------------------
// Frustum

static FrustumPlane normalizedPlane(float nx, float ny, float nz, float d) {
  const float length = std::sqrt(nx * nx + ny * ny + nz * nz);
  if (length <= 0.0f) return {nx, ny, nz, d};
  return {nx / length, ny / length, nz / length, d / length};
}

Frustum ExtractFrustumFrom(const Matrix4& view, const Matrix4& projection) {
  const Matrix4 vp = Multiply(projection, view);  // view first, then projection
  const float* m = vp.m;
  // Column c of the combined matrix: (m[c], m[4 + c], m[8 + c], m[12 + c]).
  auto column = [m](int c, float* out) {
    for (int i = 0; i < 4; ++i) out[i] = m[i * 4 + c];
  };
  float c0[4], c1[4], c2[4], c3[4];
  column(0, c0);
  column(1, c1);
  column(2, c2);
  column(3, c3);
  const float* sides[3] = {c0, c1, c2};
  Frustum f;
  for (int i = 0; i < 3; ++i) {
    const float* c = sides[i];
    f.planes[i * 2] = normalizedPlane(c3[0] - c[0], c3[1] - c[1], c3[2] - c[2], c3[3] - c[3]);
    f.planes[i * 2 + 1] = normalizedPlane(c3[0] + c[0], c3[1] + c[1], c3[2] + c[2], c3[3] + c[3]);
  }
  return f;
}

bool SphereVisible(const Frustum& f, Vec3 center, float radius) {
  for (const FrustumPlane& p : f.planes) {
    if (p.nx * center.x + p.ny * center.y + p.nz * center.z + p.d <= -radius) return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Board grid mapping

Vec2 CellToOverlay(int32_t column, int32_t row) {
  return {float((column - 5) * 40 - 360), float(280 - (row - 5) * 40)};
}

// Integer division rounding down, so points left of or above the board map to
// columns and rows below 5 rather than folding onto the first cells.
static int32_t floorDiv(int32_t a, int32_t b) {
  const int32_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

void OverlayToCell(float x, float y, int32_t* column, int32_t* row) {
  *column = floorDiv(int32_t(x) + 380, 40) + 5;
  *row = floorDiv(300 - int32_t(y), 40) + 5;
}

// ---------------------------------------------------------------------------
// Geometry

float RayPlane(Vec3 origin, Vec3 direction, Vec3 normal, float k) {
  const float denominator = Dot3(normal, direction);
  if (denominator == 0.0f) return -1.0f;
  return -(Dot3(normal, origin) + k) / denominator;
}

bool SolveQuadratic(float a, float b, float k, float* t0, float* t1) {
  const float d = b * b - 4.0f * a * k;
  if (d < 0.0f || a == 0.0f) return false;
  const float root = std::sqrt(d);
  *t0 = (root - b) / (2.0f * a);
  *t1 = (-b - root) / (2.0f * a);
  return true;
}

float RaySegment2(Vec2 origin, Vec2 direction, Vec2 p, Vec2 q) {
  const Vec2 edge = Sub2(q, p);
  const float cross = direction.x * edge.y - direction.y * edge.x;
  if (std::fabs(cross) < 0.0001f) return -1.0f;
  const Vec2 toP = Sub2(p, origin);
  const float t = (toP.x * edge.y - toP.y * edge.x) / cross;  // along the ray
  const float s = (toP.x * direction.y - toP.y * direction.x) / cross;  // along p..q
  if (t < 0.0f || s < 0.0f || s > 1.0f) return -1.0f;
  return t;
}

Vec3 FaceNormal(Vec3 p, Vec3 q, Vec3 r) { return Normalize3(Cross(Sub3(r, p), Sub3(q, p))); }
