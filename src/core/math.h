// math.h: the small value types every module shares (vectors, colours, rectangles,
// matrices, the view frustum) and their operations, with fixed conventions:
// angles in degrees at the interfaces, y up in the overlay space, row vectors and
// row-major matrices (a point p becomes p * M, translation in m[12..14]),
// left-handed projections with depth 0..1. All arithmetic is in 32-bit floats.
#pragma once

#include <cstdint>

constexpr float kDegToRad = 0.017453292f;
constexpr float kRadToDeg = 57.295776f;

struct Vec2 {
  float x, y;
};

struct Vec3 {
  float x, y, z;
};

// 0xAARRGGBB; in memory the bytes blue, green, red, alpha.
using Color = uint32_t;

struct ColorF {
  float r, g, b, a;
};

// x0 left, y0 top, x1 right, y1 bottom; with y up, y0 >= y1 for a normal rectangle.
struct Rect {
  float x0, y0, x1, y1;
};

// m[row * 4 + column], used with row vectors.
struct Matrix4 {
  float m[16];
};

// Six planes (nx, ny, nz, d) with unit normals; inside when n.p + d > 0.
struct FrustumPlane {
  float nx, ny, nz, d;
};
struct Frustum {
  FrustumPlane planes[6];
};

// ---------------------------------------------------------------------------
// Angles
float sinDeg(float degrees);
float cosDeg(float degrees);

// ---------------------------------------------------------------------------
// Vec2
Vec2 makeVec2(float x, float y);
Vec2 add2(Vec2 a, Vec2 b);
Vec2 sub2(Vec2 a, Vec2 b);
Vec2 scale2(Vec2 v, float s);
Vec2 mul2(Vec2 a, Vec2 b);  // component-wise product
float length2(Vec2 v);
float dot2(Vec2 a, Vec2 b);
Vec2 normalize2(Vec2 v);  // a zero vector stays unchanged
Vec2 lerp2(Vec2 a, Vec2 b, float t);
// Turns counter-clockwise (y up) by `degrees`.
Vec2 rotate2(Vec2 v, float degrees);
// Direction of v in degrees, 0 to 360.
float angle2(Vec2 v);
// Angle between two vectors in degrees, 0 to 180.
float angleBetween2(Vec2 a, Vec2 b);

// ---------------------------------------------------------------------------
// Vec3
Vec3 makeVec3(float x, float y, float z);
Vec3 add3(Vec3 a, Vec3 b);
Vec3 sub3(Vec3 a, Vec3 b);
Vec3 scale3(Vec3 v, float s);
Vec3 div3(Vec3 v, float s);  // multiplies by 1/s
void addInPlace3(Vec3* v, Vec3 add);
float length3(Vec3 v);
float dot3(Vec3 a, Vec3 b);
Vec3 cross(Vec3 a, Vec3 b);
Vec3 normalize3(Vec3 v);  // a zero vector stays unchanged
Vec3 lerp3(Vec3 a, Vec3 b, float t);

// ---------------------------------------------------------------------------
// Colours
// Each channel is stored as its low 8 bits.
Color makeColor(int32_t red, int32_t green, int32_t blue, int32_t alpha);
constexpr Color kWhite = 0xFFFFFFFFu;
constexpr Color kBlack = 0xFF000000u;
inline uint32_t colorAlpha(Color c) { return c >> 24; }
inline uint32_t colorRed(Color c) { return (c >> 16) & 0xFFu; }
inline uint32_t colorGreen(Color c) { return (c >> 8) & 0xFFu; }
inline uint32_t colorBlue(Color c) { return c & 0xFFu; }
ColorF makeColorF(float r, float g, float b, float a);
ColorF scaleColorF(ColorF c, float s);  // all four channels
ColorF addColorF(ColorF a, ColorF b);
ColorF lerpColorF(ColorF a, ColorF b, float t);
// Each channel times 255, truncated.
Color colorFromColorF(ColorF c);

// ---------------------------------------------------------------------------
// Rect
Rect makeRect(float x0, float y0, float x1, float y1);
float rectWidth(Rect r);   // |x0 - x1|
float rectHeight(Rect r);  // |y0 - y1|
Vec2 rectCenter(Rect r);
Rect rectFromCenter(Vec2 center, float width, float height);
// Edges included.
bool rectContains(Rect r, Vec2 p);

// ---------------------------------------------------------------------------
// Matrix4
Matrix4 identity();
// Returns b * a: the matrix that applies b first, then a, to a row vector.
Matrix4 multiply(const Matrix4& a, const Matrix4& b);
// Adds a translation in M's own frame (on the identity: a plain translation).
void translate(Matrix4* m, float tx, float ty, float tz);
// Overwrites m[0], m[5], m[10].
void setDiagonal(Matrix4* m, float sx, float sy, float sz);
Vec3 rightAxis(const Matrix4& m);    // (m[0], m[4], m[8])
Vec3 upAxis(const Matrix4& m);       // (m[1], m[5], m[9])
Vec3 forwardAxis(const Matrix4& m);  // (m[2], m[6], m[10])
// The eye point of an orthonormal view matrix.
Vec3 cameraPosition(const Matrix4& view);
// Left-handed perspective projection, depth 0..1.
Matrix4 perspectiveFov(float fovY, float aspect, float zNear, float zFar);
// Left-handed orthographic projection of a w x h space centred on the origin.
Matrix4 orthoProjection(float width, float height, float zNear, float zFar);
// p * M for a point (w = 1), without the perspective divide.
Vec3 transformPoint(Vec3 p, const Matrix4& m);
Matrix4 transpose(const Matrix4& m);

// ---------------------------------------------------------------------------
// Frustum
// The six planes of view * projection, in the order right (w - x), left (w + x),
// top (w - y), bottom (w + y), far (w - z) and near (w + z: short of the true
// near plane for a depth 0..1 projection, which only makes culling looser).
Frustum extractFrustumFrom(const Matrix4& view, const Matrix4& projection);
// False as soon as the sphere lies wholly outside one plane (n.c + d <= -r).
bool sphereVisible(const Frustum& f, Vec3 center, float radius);

// ---------------------------------------------------------------------------
// Board grid mapping (overlay units, 40 per cell)
constexpr float kCellSize = 40.0f;
// Centre of cell (column, row): ((column - 5) * 40 - 360, 280 - (row - 5) * 40).
Vec2 cellToOverlay(int32_t column, int32_t row);
// The cell under an overlay point.
void overlayToCell(float x, float y, int32_t* column, int32_t* row);

// ---------------------------------------------------------------------------
// Geometry used by the game
// Ray parameter t where o + t*d meets the plane n.p + k = 0; -1 when parallel.
float rayPlane(Vec3 origin, Vec3 direction, Vec3 normal, float k);
// Roots (sqrt(D) - b) / 2a and (-b - sqrt(D)) / 2a of a*t^2 + b*t + k = 0: false
// when there is none or a is 0 (outputs untouched).
bool solveQuadratic(float a, float b, float k, float* t0, float* t1);
// Distance along the 2D ray (origin, direction) to the segment p..q, in units of
// |direction| (so a true distance for a unit direction); -1 when the
// ray runs (within 0.0001) parallel, the hit lies behind the start or off the segment.
float raySegment2(Vec2 origin, Vec2 direction, Vec2 p, Vec2 q);
// normalize((r - p) x (q - p)).
Vec3 faceNormal(Vec3 p, Vec3 q, Vec3 r);
