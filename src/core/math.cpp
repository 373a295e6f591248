// math.cpp: the shared value types' operations: vectors, colours, rectangles,
// matrices and projections, the view frustum, the board grid mapping and the
// small geometry solvers. Lengths go through the table square root so that
// every module measures the same way.
#include "core/math.h"

#include <cmath>

#include "core/numeric.h"

namespace {

float clampUnitSigned(float v) {
  if (v < -1.0f) return -1.0f;
  if (v > 1.0f) return 1.0f;
  return v;
}

// 0..255 from a 0..1 channel, truncated. Out-of-range and NaN channels saturate
// instead of wrapping round through the low 8 bits (1.01 would turn white black).
int32_t channelByte(float v) {
  if (!(v > 0.0f)) return 0;
  if (v >= 1.0f) return 255;
  return static_cast<int32_t>(v * 255.0f);
}

// 2D cross product (z of the 3D one).
float cross2(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }

// Keeps float-to-integer conversions defined for absurd (or NaN) points.
int32_t truncatedCoordinate(float v) {
  constexpr float kLimit = 1.0e6f;
  if (!(v > -kLimit)) return -static_cast<int32_t>(kLimit);
  if (v > kLimit) return static_cast<int32_t>(kLimit);
  return static_cast<int32_t>(v);
}

}  // namespace

// ---------------------------------------------------------------------------
// Angles

float sinDeg(float degrees) { return std::sin(degrees * kDegToRad); }
float cosDeg(float degrees) { return std::cos(degrees * kDegToRad); }

// ---------------------------------------------------------------------------
// Vec2

Vec2 makeVec2(float x, float y) { return {x, y}; }
Vec2 add2(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
Vec2 sub2(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
Vec2 scale2(Vec2 v, float s) { return {v.x * s, v.y * s}; }
Vec2 mul2(Vec2 a, Vec2 b) { return {a.x * b.x, a.y * b.y}; }
float length2(Vec2 v) { return fastSqrt(v.x * v.x + v.y * v.y); }
float dot2(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }

Vec2 normalize2(Vec2 v) {
  const float length = length2(v);
  if (length == 0.0f) return v;
  return scale2(v, 1.0f / length);
}

Vec2 lerp2(Vec2 a, Vec2 b, float t) { return add2(scale2(a, 1.0f - t), scale2(b, t)); }

Vec2 rotate2(Vec2 v, float degrees) {
  const float c = cosDeg(degrees);
  const float s = sinDeg(degrees);
  return {v.x * c - v.y * s, v.x * s + v.y * c};
}

float angle2(Vec2 v) {
  const Vec2 n = normalize2(v);
  const float angle = std::acos(clampUnitSigned(n.x)) * kRadToDeg;
  return n.y < 0.0f ? 360.0f - angle : angle;
}

float angleBetween2(Vec2 a, Vec2 b) {
  const float lengths = length2(a) * length2(b);
  // A zero vector has no direction; 0 rather than the NaN a division would give.
  if (lengths == 0.0f) return 0.0f;
  return std::acos(clampUnitSigned(dot2(a, b) / lengths)) * kRadToDeg;
}

// ---------------------------------------------------------------------------
// Vec3

Vec3 makeVec3(float x, float y, float z) { return {x, y, z}; }
Vec3 add3(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 sub3(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 scale3(Vec3 v, float s) { return {v.x * s, v.y * s, v.z * s}; }
Vec3 div3(Vec3 v, float s) { return scale3(v, 1.0f / s); }

void addInPlace3(Vec3* v, Vec3 add) {
  v->x += add.x;
  v->y += add.y;
  v->z += add.z;
}

float length3(Vec3 v) { return fastSqrt(dot3(v, v)); }
float dot3(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3 normalize3(Vec3 v) {
  const float length = length3(v);
  if (length == 0.0f) return v;
  return scale3(v, 1.0f / length);
}

Vec3 lerp3(Vec3 a, Vec3 b, float t) { return add3(scale3(a, 1.0f - t), scale3(b, t)); }

// ---------------------------------------------------------------------------
// Colours

Color makeColor(int32_t red, int32_t green, int32_t blue, int32_t alpha) {
  const auto low = [](int32_t v) { return static_cast<uint32_t>(v) & 0xFFu; };
  return (low(alpha) << 24) | (low(red) << 16) | (low(green) << 8) | low(blue);
}

ColorF makeColorF(float r, float g, float b, float a) { return {r, g, b, a}; }
ColorF scaleColorF(ColorF c, float s) { return {c.r * s, c.g * s, c.b * s, c.a * s}; }
ColorF addColorF(ColorF a, ColorF b) { return {a.r + b.r, a.g + b.g, a.b + b.b, a.a + b.a}; }

ColorF lerpColorF(ColorF a, ColorF b, float t) {
  return addColorF(scaleColorF(a, 1.0f - t), scaleColorF(b, t));
}

Color colorFromColorF(ColorF c) {
  return makeColor(channelByte(c.r), channelByte(c.g), channelByte(c.b), channelByte(c.a));
}

// ---------------------------------------------------------------------------
// Rect

Rect makeRect(float x0, float y0, float x1, float y1) { return {x0, y0, x1, y1}; }
float rectWidth(Rect r) { return std::fabs(r.x0 - r.x1); }
float rectHeight(Rect r) { return std::fabs(r.y0 - r.y1); }
Vec2 rectCenter(Rect r) { return {(r.x0 + r.x1) / 2.0f, (r.y0 + r.y1) / 2.0f}; }

Rect rectFromCenter(Vec2 center, float width, float height) {
  return {center.x - width / 2.0f, center.y + height / 2.0f, center.x + width / 2.0f,
          center.y - height / 2.0f};
}

bool rectContains(Rect r, Vec2 p) {
  return r.x0 <= p.x && p.x <= r.x1 && r.y1 <= p.y && p.y <= r.y0;
}

// ---------------------------------------------------------------------------
// Matrix4

Matrix4 identity() {
  Matrix4 m = {};
  m.m[0] = m.m[5] = m.m[10] = m.m[15] = 1.0f;
  return m;
}

Matrix4 multiply(const Matrix4& a, const Matrix4& b) {
  Matrix4 out = {};
  for (int row = 0; row < 4; row++) {
    for (int column = 0; column < 4; column++) {
      float sum = 0.0f;
      for (int k = 0; k < 4; k++) sum += b.m[row * 4 + k] * a.m[k * 4 + column];
      out.m[row * 4 + column] = sum;
    }
  }
  return out;
}

void translate(Matrix4* m, float tx, float ty, float tz) {
  float* e = m->m;
  for (int i = 0; i < 3; i++) e[12 + i] += tx * e[i] + ty * e[4 + i] + tz * e[8 + i];
  e[15] += tx * e[3] + ty * e[7] + tz * e[11];
}

void setDiagonal(Matrix4* m, float sx, float sy, float sz) {
  m->m[0] = sx;
  m->m[5] = sy;
  m->m[10] = sz;
}

Vec3 rightAxis(const Matrix4& m) { return {m.m[0], m.m[4], m.m[8]}; }
Vec3 upAxis(const Matrix4& m) { return {m.m[1], m.m[5], m.m[9]}; }
Vec3 forwardAxis(const Matrix4& m) { return {m.m[2], m.m[6], m.m[10]}; }

Vec3 cameraPosition(const Matrix4& view) {
  const float* e = view.m;
  const Vec3 t = {e[12], e[13], e[14]};
  return {-dot3(t, {e[0], e[1], e[2]}), -dot3(t, {e[4], e[5], e[6]}),
          -dot3(t, {e[8], e[9], e[10]})};
}

Matrix4 perspectiveFov(float fovY, float aspect, float zNear, float zFar) {
  const float half = fovY / 2.0f;
  const float ys = std::cos(half) / std::sin(half);
  Matrix4 m = {};
  m.m[0] = ys / aspect;
  m.m[5] = ys;
  m.m[10] = zFar / (zFar - zNear);
  m.m[11] = 1.0f;
  m.m[14] = zNear * zFar / (zNear - zFar);
  return m;
}

Matrix4 orthoProjection(float width, float height, float zNear, float zFar) {
  Matrix4 m = {};
  m.m[0] = 2.0f / width;
  m.m[5] = 2.0f / height;
  m.m[10] = 1.0f / (zFar - zNear);
  m.m[14] = zNear / (zNear - zFar);
  m.m[15] = 1.0f;
  return m;
}

Vec3 transformPoint(Vec3 p, const Matrix4& m) {
  const float* e = m.m;
  return {p.x * e[0] + p.y * e[4] + p.z * e[8] + e[12],
          p.x * e[1] + p.y * e[5] + p.z * e[9] + e[13],
          p.x * e[2] + p.y * e[6] + p.z * e[10] + e[14]};
}

Matrix4 transpose(const Matrix4& m) {
  Matrix4 out;
  for (int row = 0; row < 4; row++) {
    for (int column = 0; column < 4; column++) out.m[column * 4 + row] = m.m[row * 4 + column];
  }
  return out;
}

// ---------------------------------------------------------------------------
// Frustum

namespace {

// Column 3 of m plus sign times column `column`, scaled to a unit normal. A
// degenerate plane (zero normal) is left unscaled rather than divided by zero.
FrustumPlane framePlane(const Matrix4& m, int column, float sign) {
  const float* e = m.m;
  FrustumPlane p = {e[3] + sign * e[column], e[7] + sign * e[4 + column],
                    e[11] + sign * e[8 + column], e[15] + sign * e[12 + column]};
  const float length = length3({p.nx, p.ny, p.nz});
  if (length == 0.0f) return p;
  const float inverse = 1.0f / length;
  return {p.nx * inverse, p.ny * inverse, p.nz * inverse, p.d * inverse};
}

}  // namespace

Frustum extractFrustumFrom(const Matrix4& view, const Matrix4& projection) {
  const Matrix4 m = multiply(projection, view);
  Frustum f;
  for (int axis = 0; axis < 3; axis++) {
    f.planes[axis * 2] = framePlane(m, axis, -1.0f);
    f.planes[axis * 2 + 1] = framePlane(m, axis, 1.0f);
  }
  return f;
}

bool sphereVisible(const Frustum& f, Vec3 center, float radius) {
  for (const FrustumPlane& p : f.planes) {
    if (p.nx * center.x + p.ny * center.y + p.nz * center.z + p.d <= -radius) return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Board grid mapping

Vec2 cellToOverlay(int32_t column, int32_t row) {
  return {static_cast<float>(column - 5) * kCellSize - 360.0f,
          280.0f - static_cast<float>(row - 5) * kCellSize};
}

void overlayToCell(float x, float y, int32_t* column, int32_t* row) {
  // Divisions truncate toward zero: the strip just left of the board's first
  // column (a hole on every board) counts as that column, as the game has it.
  *column = (truncatedCoordinate(x) + 380) / 40 + 5;
  *row = (300 - truncatedCoordinate(y)) / 40 + 5;
}

// ---------------------------------------------------------------------------
// Geometry used by the game

float rayPlane(Vec3 origin, Vec3 direction, Vec3 normal, float k) {
  const float along = dot3(normal, direction);
  if (along == 0.0f) return -1.0f;
  return -(dot3(normal, origin) + k) / along;
}

bool solveQuadratic(float a, float b, float k, float* t0, float* t1) {
  // With a = 0 there is no quadratic to solve; dividing would report infinities.
  if (a == 0.0f) return false;
  const float discriminant = b * b - 4.0f * a * k;
  if (discriminant < 0.0f) return false;
  const float root = std::sqrt(discriminant);
  *t0 = (root - b) / (2.0f * a);
  *t1 = (-b - root) / (2.0f * a);
  return true;
}

float raySegment2(Vec2 origin, Vec2 direction, Vec2 p, Vec2 q) {
  const Vec2 segment = sub2(q, p);
  const float denominator = cross2(direction, segment);
  if (std::fabs(denominator) < 0.0001f) return -1.0f;
  const Vec2 toStart = sub2(p, origin);
  const float t = cross2(toStart, segment) / denominator;
  const float s = cross2(toStart, direction) / denominator;
  if (t < 0.0f || s < 0.0f || s > 1.0f) return -1.0f;
  return t;
}

Vec3 faceNormal(Vec3 p, Vec3 q, Vec3 r) { return normalize3(cross(sub3(r, p), sub3(q, p))); }
