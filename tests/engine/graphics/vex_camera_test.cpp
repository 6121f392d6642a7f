// The camera: the orbit view, the stored perspective, and the 2D view in
// virtual pixels.
#include "engine/graphics/vex_camera.h"

#include <numbers>

#include "platform/gfx/gfx_math.h"
#include "tests/engine/graphics/graphics_fixture.h"

using namespace gfx;

namespace {

using CameraTest = RecordingTest;

TEST_F(CameraTest, OrbitWithoutAnglesLooksFromAboveAndBehindTheTarget) {
    Camera().OrbitCamera(1, 2, 3, 50, 81, 0, 0);
    EXPECT_EQ(Camera().eye(), Vector3(1, 52, 84));
    EXPECT_EQ(Camera().direction(), Vector3(0, -50, -81));
    EXPECT_EQ(device().transform(kTsView), Camera().matrix());
    // The target lies straight ahead in view space.
    const Vector3 ahead = TransformCoord({1, 2, 3}, Camera().matrix());
    EXPECT_NEAR(ahead.x, 0, 1e-4);
    EXPECT_NEAR(ahead.y, 0, 1e-4);
    EXPECT_NEAR(ahead.z, std::sqrt(50.0f * 50 + 81 * 81), 1e-3);

    // A quarter yaw swings the eye from +z to +x.
    Camera().OrbitCamera(0, 0, 0, 0, 10, std::numbers::pi_v<float> / 2, 0);
    EXPECT_NEAR(Camera().eye().x, 10, 1e-4);
    EXPECT_NEAR(Camera().eye().z, 0, 1e-4);
}

TEST_F(CameraTest, PerspectiveKeepsItsValuesWhenGivenZeros) {
    Camera().SetPerspective(0, 0, 0);
    EXPECT_EQ(Camera().nearPlane(), 1.0f);
    EXPECT_EQ(Camera().farPlane(), 800.0f);
    EXPECT_EQ(Direct3D().farPlane(), 800.0f);
    const Matrix expected = PerspectiveFovLH(0.7853982f, 640.0f / 480.0f, 1, 800);
    EXPECT_EQ(device().transform(kTsProjection), expected);
    Camera().SetPerspective(18, 0, 0);
    EXPECT_EQ(Camera().farPlane(), 0.0f);
    Camera().SetPerspective(1, 800, 0.7853982f);
}

TEST_F(CameraTest, Begin2DMapsVirtualPixelsOntoTheViewport) {
    ASSERT_TRUE(Camera().Begin2D(0, 0, 640, 480));
    const Matrix& p = device().transform(kTsProjection);
    EXPECT_FLOAT_EQ(At(p, 1, 1), 2.0f / 640);
    EXPECT_FLOAT_EQ(At(p, 2, 2), -2.0f / 480);
    EXPECT_EQ(device().transform(kTsView), Matrix(1.0f));
    const Matrix& world = device().transform(kTsWorld);
    EXPECT_EQ(At(world, 4, 1), -0.5f);
    EXPECT_EQ(At(world, 4, 2), -0.5f);
    // The centre of the top-left pixel (0.5, 0.5 after the half-pixel
    // shift) lands at the first pixel's centre in clip space.
    const Vector3 corner = TransformCoord(TransformCoord({0.5f, 0.5f, 0}, world), p);
    EXPECT_NEAR(corner.x, -1.0f, 1e-6);
    EXPECT_NEAR(corner.y, 1.0f, 1e-6);

    // A sub-rectangle at half the virtual size: offsets follow the viewport.
    Direct3D().SetVirtualSize(320, 240);
    ASSERT_TRUE(Camera().Begin2D(160, 120, 320, 240));
    EXPECT_EQ(device().viewport().x, 320u);
    EXPECT_FLOAT_EQ(Camera().offsetX(), -160.5f);
    EXPECT_FLOAT_EQ(At(device().transform(kTsProjection), 1, 1), 2.0f / 160);
    EXPECT_FALSE(Camera().Begin2D(10, 10, 10, 20));
    Direct3D().SetVirtualSize(640, 480);
}

}  // namespace
