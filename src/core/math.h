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
float SinDeg(float degrees);
float CosDeg(float degrees);

// ---------------------------------------------------------------------------
// Vec2
Vec2 MakeVec2(float x, float y);
Vec2 Add2(Vec2 a, Vec2 b);
Vec2 Sub2(Vec2 a, Vec2 b);
Vec2 Scale2(Vec2 v, float s);
Vec2 Mul2(Vec2 a, Vec2 b);  // component-wise product
float Length2(Vec2 v);
float Dot2(Vec2 a, Vec2 b);
Vec2 Normalize2(Vec2 v);  // a zero vector stays unchanged
Vec2 Lerp2(Vec2 a, Vec2 b, float t);
// Turns counter-clockwise (y up) by `degrees`.
Vec2 Rotate2(Vec2 v, float degrees);
// Direction of v in degrees, 0 to 360.
float Angle2(Vec2 v);
// Angle between two vectors in degrees, 0 to 180.
float AngleBetween2(Vec2 a, Vec2 b);

// ---------------------------------------------------------------------------
// Vec3
Vec3 MakeVec3(float x, float y, float z);
Vec3 Add3(Vec3 a, Vec3 b);
Vec3 Sub3(Vec3 a, Vec3 b);
Vec3 Scale3(Vec3 v, float s);
Vec3 Div3(Vec3 v, float s);  // multiplies by 1/s
void AddInPlace3(Vec3* v, Vec3 add);
float Length3(Vec3 v);
float Dot3(Vec3 a, Vec3 b);
Vec3 Cross(Vec3 a, Vec3 b);
Vec3 Normalize3(Vec3 v);  // a zero vector stays unchanged
Vec3 Lerp3(Vec3 a, Vec3 b, float t);

// ---------------------------------------------------------------------------
// Colours
// Each channel is stored as its low 8 bits.
Color MakeColor(int32_t red, int32_t green, int32_t blue, int32_t alpha);
constexpr Color kWhite = 0xFFFFFFFFu;
constexpr Color kBlack = 0xFF000000u;
inline uint32_t ColorAlpha(Color c) { return c >> 24; }
inline uint32_t ColorRed(Color c) { return (c >> 16) & 0xFFu; }
inline uint32_t ColorGreen(Color c) { return (c >> 8) & 0xFFu; }
inline uint32_t ColorBlue(Color c) { return c & 0xFFu; }
ColorF MakeColorF(float r, float g, float b, float a);
ColorF ScaleColorF(ColorF c, float s);  // all four channels
ColorF AddColorF(ColorF a, ColorF b);
ColorF LerpColorF(ColorF a, ColorF b, float t);
// Each channel times 255, truncated.
Color ColorFromColorF(ColorF c);

// ---------------------------------------------------------------------------
// Rect
Rect MakeRect(float x0, float y0, float x1, float y1);
float RectWidth(Rect r);   // |x0 - x1|
float RectHeight(Rect r);  // |y0 - y1|
Vec2 RectCenter(Rect r);
Rect RectFromCenter(Vec2 center, float width, float height);
// Edges included.
bool RectContains(Rect r, Vec2 p);

// ---------------------------------------------------------------------------
// Matrix4
Matrix4 Identity();
// Returns b * a: the matrix that applies b first, then a, to a row vector.
Matrix4 Multiply(const Matrix4& a, const Matrix4& b);
// Adds a translation in M's own frame (on the identity: a plain translation).
void Translate(Matrix4* m, float tx, float ty, float tz);
// Overwrites m[0], m[5], m[10].
void SetDiagonal(Matrix4* m, float sx, float sy, float sz);
Vec3 RightAxis(const Matrix4& m);    // (m[0], m[4], m[8])
Vec3 UpAxis(const Matrix4& m);       // (m[1], m[5], m[9])
Vec3 ForwardAxis(const Matrix4& m);  // (m[2], m[6], m[10])
// The eye point of an orthonormal view matrix.
Vec3 CameraPosition(const Matrix4& view);
// Left-handed perspective projection, depth 0..1.
Matrix4 PerspectiveFov(float fovY, float aspect, float zNear, float zFar);
// Left-handed orthographic projection of a w x h space centred on the origin.
Matrix4 OrthoProjection(float width, float height, float zNear, float zFar);
// p * M for a point (w = 1), without the perspective divide.
Vec3 TransformPoint(Vec3 p, const Matrix4& m);
Matrix4 Transpose(const Matrix4& m);

// ---------------------------------------------------------------------------
// Frustum
// The six planes of view * projection, in the order right (w - x), left (w + x),
// top (w - y), bottom (w + y), far (w - z) and near (w + z: short of the true
// near plane for a depth 0..1 projection, which only makes culling looser).
Frustum ExtractFrustumFrom(const Matrix4& view, const Matrix4& projection);
// False as soon as the sphere lies wholly outside one plane (n.c + d <= -r).
bool SphereVisible(const Frustum& f, Vec3 center, float radius);

// ---------------------------------------------------------------------------
// Board grid mapping (overlay units, 40 per cell)
constexpr float kCellSize = 40.0f;
// Centre of cell (column, row): ((column - 5) * 40 - 360, 280 - (row - 5) * 40).
Vec2 CellToOverlay(int32_t column, int32_t row);
// The cell under an overlay point.
void OverlayToCell(float x, float y, int32_t* column, int32_t* row);

// ---------------------------------------------------------------------------
// Geometry used by the game
// Ray parameter t where o + t*d meets the plane n.p + k = 0; -1 when parallel.
float RayPlane(Vec3 origin, Vec3 direction, Vec3 normal, float k);
// Roots (sqrt(D) - b) / 2a and (-b - sqrt(D)) / 2a of a*t^2 + b*t + k = 0: false
// when there is none or a is 0 (outputs untouched).
bool SolveQuadratic(float a, float b, float k, float* t0, float* t1);
// Distance along the 2D ray (origin, direction) to the segment p..q, in units of
// |direction| (so a true distance for a unit direction); -1 when the
// ray runs (within 0.0001) parallel, the hit lies behind the start or off the segment.
float RaySegment2(Vec2 origin, Vec2 direction, Vec2 p, Vec2 q);
// normalize((r - p) x (q - p)).
Vec3 FaceNormal(Vec3 p, Vec3 q, Vec3 r);
