// Tests of the shared math: vector conventions, colours, rectangles, matrix order,
// projections, the frustum, the board grid mapping and the geometry solvers.
#include <gtest/gtest.h>

#include <cmath>

#include "core/math.h"

namespace {

constexpr float kTolerance = 1.0e-4f;

void expectVec2(Vec2 actual, float x, float y, float tolerance = kTolerance) {
  EXPECT_NEAR(actual.x, x, tolerance);
  EXPECT_NEAR(actual.y, y, tolerance);
}

void expectVec3(Vec3 actual, float x, float y, float z, float tolerance = kTolerance) {
  EXPECT_NEAR(actual.x, x, tolerance);
  EXPECT_NEAR(actual.y, y, tolerance);
  EXPECT_NEAR(actual.z, z, tolerance);
}

void expectMatrix(const Matrix4& actual, const Matrix4& expected) {
  for (int i = 0; i < 16; i++) EXPECT_NEAR(actual.m[i], expected.m[i], kTolerance) << i;
}

Matrix4 sampleMatrix() {
  Matrix4 m;
  for (int i = 0; i < 16; i++) m.m[i] = static_cast<float>(i * i % 7) - 2.5f;
  return m;
}

TEST(Vectors, RotationTurnsCounterClockwise) {
  expectVec2(rotate2({1, 0}, 90), 0, 1);
  expectVec2(rotate2({0, 1}, 90), -1, 0);
  expectVec2(rotate2({1, 0}, -90), 0, -1);
}

TEST(Vectors, AngleCoversFullTurn) {
  EXPECT_NEAR(angle2({1, 0}), 0, kTolerance);
  EXPECT_NEAR(angle2({0, 3}), 90, kTolerance);
  EXPECT_NEAR(angle2({-2, 0}), 180, kTolerance);
  EXPECT_NEAR(angle2({0, -1}), 270, kTolerance);
  EXPECT_NEAR(angle2({5, -5}), 315, 0.01f);
}

TEST(Vectors, AngleBetweenNeverNaN) {
  EXPECT_NEAR(angleBetween2({1, 0}, {0, 2}), 90, kTolerance);
  EXPECT_NEAR(angleBetween2({1, 0}, {-3, 0}), 180, 0.01f);
  // The table root may make dot / lengths a hair above 1: clamped, not NaN.
  for (float x = 0.1f; x < 100.0f; x *= 1.7f) {
    EXPECT_NEAR(angleBetween2({x, 3}, {x, 3}), 0, 0.5f) << x;
  }
  EXPECT_EQ(angleBetween2({0, 0}, {1, 0}), 0.0f);
}

TEST(Vectors, LengthAndNormalize) {
  EXPECT_NEAR(length2({3, 4}), 5, kTolerance);
  EXPECT_NEAR(length3({2, 3, 6}), 7, kTolerance);
  expectVec2(normalize2({0, -7}), 0, -1);
  expectVec3(normalize3({0, 0, 0}), 0, 0, 0);
  expectVec3(normalize3({0, 10, 0}), 0, 1, 0);
  expectVec3(div3({2, 4, 6}, 2), 1, 2, 3);
  expectVec2(lerp2({0, 10}, {10, 20}, 0.25f), 2.5f, 12.5f);
}

TEST(Vectors, CrossAndFaceNormal) {
  expectVec3(cross({1, 0, 0}, {0, 1, 0}), 0, 0, 1);
  expectVec3(cross({0, 1, 0}, {1, 0, 0}), 0, 0, -1);
  // (r - p) x (q - p): the normal faces away from the usual right-hand order.
  expectVec3(faceNormal({0, 0, 0}, {2, 0, 0}, {0, 2, 0}), 0, 0, -1);
}

TEST(Colors, ChannelsPackAsArgb) {
  EXPECT_EQ(makeColor(0x12, 0x34, 0x56, 0x78), 0x78123456u);
  EXPECT_EQ(makeColor(257, -1, 0, 255), 0xFF01FF00u);  // low 8 bits of each
  EXPECT_EQ(makeColor(255, 255, 255, 255), kWhite);
  const Color c = 0x80C04020u;
  EXPECT_EQ(colorAlpha(c), 0x80u);
  EXPECT_EQ(colorRed(c), 0xC0u);
  EXPECT_EQ(colorGreen(c), 0x40u);
  EXPECT_EQ(colorBlue(c), 0x20u);
}

TEST(Colors, FloatColorsTruncateAndSaturate) {
  EXPECT_EQ(colorFromColorF({1, 0.5f, 0, 1}), 0xFFFF7F00u);
  // A blend that overshoots stays white instead of wrapping to black.
  EXPECT_EQ(colorFromColorF({1.01f, -0.2f, 0, 1}), 0xFFFF0000u);
  const ColorF mid = lerpColorF({0, 0, 0, 0}, {1, 0.5f, 0.25f, 1}, 0.5f);
  EXPECT_FLOAT_EQ(mid.r, 0.5f);
  EXPECT_FLOAT_EQ(mid.b, 0.125f);
  EXPECT_FLOAT_EQ(scaleColorF({1, 1, 1, 1}, 0.5f).a, 0.5f);
}

TEST(Rects, CentredRectangleWithYUp) {
  const Rect r = rectFromCenter({10, 20}, 40, 30);
  EXPECT_FLOAT_EQ(r.x0, -10);
  EXPECT_FLOAT_EQ(r.y0, 35);
  EXPECT_FLOAT_EQ(r.x1, 30);
  EXPECT_FLOAT_EQ(r.y1, 5);
  EXPECT_FLOAT_EQ(rectWidth(r), 40);
  EXPECT_FLOAT_EQ(rectHeight(r), 30);
  expectVec2(rectCenter(r), 10, 20);
}

TEST(Rects, ContainsIncludesEdges) {
  const Rect r = makeRect(-10, 35, 30, 5);
  EXPECT_TRUE(rectContains(r, {-10, 35}));
  EXPECT_TRUE(rectContains(r, {30, 5}));
  EXPECT_TRUE(rectContains(r, {0, 5}));
  EXPECT_FALSE(rectContains(r, {30.01f, 20}));
  EXPECT_FALSE(rectContains(r, {0, 4.99f}));
  EXPECT_FALSE(rectContains(r, {0, 35.01f}));
}

TEST(Matrices, IdentityIsNeutralOnBothSides) {
  const Matrix4 m = sampleMatrix();
  expectMatrix(multiply(identity(), m), m);
  expectMatrix(multiply(m, identity()), m);
}

TEST(Matrices, MultiplyAppliesSecondArgumentFirst) {
  Matrix4 scale = identity();
  setDiagonal(&scale, 2, 2, 2);
  Matrix4 shift = identity();
  translate(&shift, 1, 0, 0);
  expectVec3(transformPoint({1, 0, 0}, multiply(shift, scale)), 3, 0, 0);
  expectVec3(transformPoint({1, 0, 0}, multiply(scale, shift)), 4, 0, 0);
  // Affine matrices (last column 0, 0, 0, 1), so points chain without a divide.
  Matrix4 a = sampleMatrix();
  a.m[3] = a.m[7] = a.m[11] = 0, a.m[15] = 1;
  Matrix4 b = transpose(sampleMatrix());
  b.m[3] = b.m[7] = b.m[11] = 0, b.m[15] = 1;
  const Vec3 p = {0.5f, -1, 2};
  const Vec3 chained = transformPoint(transformPoint(p, b), a);
  expectVec3(transformPoint(p, multiply(a, b)), chained.x, chained.y, chained.z, 1e-3f);
}

TEST(Matrices, TranslateWorksInOwnFrame) {
  Matrix4 m = identity();
  translate(&m, 1, 2, 3);
  EXPECT_EQ(m.m[12], 1);
  EXPECT_EQ(m.m[13], 2);
  EXPECT_EQ(m.m[14], 3);
  EXPECT_EQ(m.m[15], 1);
  Matrix4 scaled = identity();
  setDiagonal(&scaled, 2, 3, 4);
  translate(&scaled, 1, 1, 1);
  expectVec3(transformPoint({0, 0, 0}, scaled), 2, 3, 4);
}

TEST(Matrices, TransposeSwapsRowsAndColumns) {
  const Matrix4 m = sampleMatrix();
  const Matrix4 t = transpose(m);
  EXPECT_EQ(t.m[1], m.m[4]);
  EXPECT_EQ(t.m[14], m.m[11]);
  expectMatrix(transpose(t), m);
}

// The view of a camera at `eye` turned 90 degrees about y: it looks along world -x.
Matrix4 turnedView(Vec3 eye) {
  // Camera axes in world space: right (0,0,1), up (0,1,0), forward (-1,0,0); the
  // view's columns are these axes, its translation -eye in view space.
  Matrix4 v = identity();
  v.m[0] = 0, v.m[1] = 0, v.m[2] = -1;
  v.m[4] = 0, v.m[5] = 1, v.m[6] = 0;
  v.m[8] = 1, v.m[9] = 0, v.m[10] = 0;
  const Vec3 t = transformPoint({-eye.x, -eye.y, -eye.z}, v);
  v.m[12] = t.x, v.m[13] = t.y, v.m[14] = t.z;
  return v;
}

TEST(Camera, PositionAndAxesOfView) {
  Matrix4 start = identity();
  translate(&start, 0, 0, 45);
  expectVec3(cameraPosition(start), 0, 0, -45);
  const Matrix4 view = turnedView({3, 4, 5});
  expectVec3(cameraPosition(view), 3, 4, 5);
  expectVec3(rightAxis(view), 0, 0, 1);
  expectVec3(upAxis(view), 0, 1, 0);
  expectVec3(forwardAxis(view), -1, 0, 0);
  expectVec3(transformPoint({3, 4, 5}, view), 0, 0, 0);
}

TEST(Projections, PerspectiveMapsNearAndFarToDepthRange) {
  const Matrix4 p = perspectiveFov(0.7853982f, 1.3333334f, 5, 400);
  const auto project = [&p](Vec3 v) {
    const Vec3 c = transformPoint(v, p);
    return Vec3{c.x / v.z, c.y / v.z, c.z / v.z};  // w is the view depth
  };
  EXPECT_NEAR(project({0, 0, 5}).z, 0, kTolerance);
  EXPECT_NEAR(project({0, 0, 400}).z, 1, kTolerance);
  const float halfHeight = 100 * std::tan(0.7853982f / 2);
  expectVec3(project({halfHeight * 1.3333334f, halfHeight, 100}), 1, 1, project({0, 0, 100}).z);
  EXPECT_EQ(p.m[11], 1);
  EXPECT_EQ(p.m[15], 0);
}

TEST(Projections, OrthoMapsOverlaySpace) {
  const Matrix4 p = orthoProjection(800, 600, 1, 100);
  expectVec3(transformPoint({-400, -300, 1}, p), -1, -1, 0);
  expectVec3(transformPoint({400, 300, 100}, p), 1, 1, 1);
  expectVec3(transformPoint({0, 0, 50.5f}, p), 0, 0, 0.5f);
}

TEST(Frustum, PlanesOfStartCameraAreUnitAndOrdered) {
  Matrix4 view = identity();
  translate(&view, 0, 0, 45);
  const Frustum f = extractFrustumFrom(view, perspectiveFov(0.7853982f, 1.3333334f, 5, 400));
  for (const FrustumPlane& p : f.planes) {
    EXPECT_NEAR(std::sqrt(p.nx * p.nx + p.ny * p.ny + p.nz * p.nz), 1, 1e-4f);
  }
  EXPECT_LT(f.planes[0].nx, 0);  // right: inside is towards -x
  EXPECT_GT(f.planes[1].nx, 0);
  EXPECT_LT(f.planes[2].ny, 0);  // top
  EXPECT_GT(f.planes[3].ny, 0);
  EXPECT_NEAR(f.planes[4].nz, -1, 1e-4f);  // far
  EXPECT_NEAR(f.planes[5].nz, 1, 1e-4f);
  // The far plane sits 400 in front of the eye at z = -45.
  EXPECT_NEAR(f.planes[4].d, 355, 0.05f);
}

TEST(Frustum, SphereCullingOfStartCamera) {
  Matrix4 view = identity();
  translate(&view, 0, 0, 45);
  const Frustum f = extractFrustumFrom(view, perspectiveFov(0.7853982f, 1.3333334f, 5, 400));
  EXPECT_TRUE(sphereVisible(f, {0, 0, 0}, 1));
  EXPECT_FALSE(sphereVisible(f, {0, 0, 400}, 1));   // beyond far
  EXPECT_TRUE(sphereVisible(f, {0, 0, 400}, 60));   // reaches back across it
  EXPECT_FALSE(sphereVisible(f, {0, 0, -100}, 1));  // behind the eye
  // Half the view is 45 * tan(22.5) = 18.6 high at z = 0.
  EXPECT_FALSE(sphereVisible(f, {0, 25, 0}, 1));
  EXPECT_TRUE(sphereVisible(f, {0, 25, 0}, 10));
}

TEST(Frustum, PointOnAPlaneIsNotVisible) {
  Frustum f;
  for (FrustumPlane& p : f.planes) p = {0, 0, 1, 100};
  f.planes[2] = {1, 0, 0, 0};  // the plane x = 0
  EXPECT_FALSE(sphereVisible(f, {0, 5, 5}, 0));
  EXPECT_TRUE(sphereVisible(f, {0.01f, 5, 5}, 0));
  EXPECT_TRUE(sphereVisible(f, {-0.5f, 5, 5}, 1));
  EXPECT_FALSE(sphereVisible(f, {-1, 5, 5}, 1));
}

TEST(BoardGrid, CellCentresMapBothWays) {
  expectVec2(cellToOverlay(5, 5), -360, 280);
  expectVec2(cellToOverlay(24, 19), 400, -280);
  for (int32_t row = 5; row <= 19; row++) {
    for (int32_t column = 5; column <= 24; column++) {
      const Vec2 c = cellToOverlay(column, row);
      int32_t x = 0, y = 0;
      overlayToCell(c.x, c.y, &x, &y);
      ASSERT_EQ(x, column);
      ASSERT_EQ(y, row);
    }
  }
}

TEST(BoardGrid, PointsNearCellEdges) {
  int32_t column = 0, row = 0;
  overlayToCell(-379.5f, 261, &column, &row);
  EXPECT_EQ(column, 5);
  EXPECT_EQ(row, 5);
  overlayToCell(-340, 260, &column, &row);  // a cell's right and bottom edges belong to the next
  EXPECT_EQ(column, 6);
  EXPECT_EQ(row, 6);
  // Divisions truncate toward zero: the strip left of the board folds onto column 5.
  overlayToCell(-390, 0, &column, &row);
  EXPECT_EQ(column, 5);
  overlayToCell(-430, 0, &column, &row);
  EXPECT_EQ(column, 4);
  overlayToCell(NAN, 1e30f, &column, &row);
  EXPECT_LT(column, 5);
  EXPECT_LT(row, 5);
}

TEST(Geometry, rayPlane) {
  EXPECT_FLOAT_EQ(rayPlane({0, 0, -10}, {0, 0, 1}, {0, 0, 1}, 0), 10);
  EXPECT_FLOAT_EQ(rayPlane({0, 0, -10}, {0, 0, 2}, {0, 0, 1}, -5), 7.5f);
  EXPECT_EQ(rayPlane({0, 0, -10}, {1, 0, 0}, {0, 0, 1}, 0), -1);
}

TEST(Geometry, solveQuadratic) {
  float t0 = 0, t1 = 0;
  ASSERT_TRUE(solveQuadratic(1, -5, 6, &t0, &t1));
  EXPECT_FLOAT_EQ(t0, 3);
  EXPECT_FLOAT_EQ(t1, 2);
  ASSERT_TRUE(solveQuadratic(1, 2, 1, &t0, &t1));  // touching: one double root
  EXPECT_FLOAT_EQ(t0, -1);
  EXPECT_FLOAT_EQ(t1, -1);
  t0 = t1 = 42;
  EXPECT_FALSE(solveQuadratic(1, 0, 1, &t0, &t1));
  EXPECT_FALSE(solveQuadratic(0, 2, 1, &t0, &t1));
  EXPECT_EQ(t0, 42);
  EXPECT_EQ(t1, 42);
}

TEST(Geometry, RaySegment) {
  EXPECT_FLOAT_EQ(raySegment2({0, 0}, {1, 0}, {5, -1}, {5, 1}), 5);
  EXPECT_FLOAT_EQ(raySegment2({0, 0}, {1, 0}, {5, 0}, {5, 2}), 5);  // end point counts
  EXPECT_FLOAT_EQ(raySegment2({0, 0}, {2, 0}, {5, -1}, {5, 1}), 2.5f);
  EXPECT_EQ(raySegment2({0, 0}, {-1, 0}, {5, -1}, {5, 1}), -1);  // behind
  EXPECT_EQ(raySegment2({0, 0}, {1, 0}, {5, 1}, {5, 3}), -1);    // off the segment
  EXPECT_EQ(raySegment2({0, 0}, {1, 0}, {0, 1}, {5, 1}), -1);    // parallel
  EXPECT_EQ(raySegment2({0, 0}, {1, 0}, {5, 0}, {5, 0}), -1);    // no segment at all
}

}  // namespace
