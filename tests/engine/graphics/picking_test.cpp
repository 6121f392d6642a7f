// Picking round trip: table points projected to screen pixels and picked
// back with ComputePickRay and MapOntoQuad, from both seats' cameras at the
// scene's size and projection, and after the back buffer changed size.
#include <cmath>

#include "engine/graphics/vex_camera.h"
#include "game/table_geometry.h"
#include "platform/gfx/gfx_math.h"
#include "tests/engine/graphics/graphics_fixture.h"

using namespace gfx;

namespace {

constexpr float kHalf = table::kCushionFace;  // the playing surface's half side
constexpr float kTableY = table::kSurfaceY;
constexpr float kTargetY = -6.0f;  // where the scene's camera looks

class PickingTest : public RecordingTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartRecording({}, 570, 400));
        Direct3D().SetProjection(18, 145, 0);
    }
    void TearDown() override {
        Direct3D().SetProjection(1, 1000, 0);
        RecordingTest::TearDown();
    }

    // The point of the table plane seen through the centre of a pixel,
    // computed independently: the inverse of view x projection applied to
    // the pixel at the near and far planes, and the line between them cut
    // with the plane.
    static Vector3 Unproject(float sx, float sy, const Matrix& view, const Matrix& projection) {
        const Matrix inverse = Inverse(Multiply(view, projection));
        const float nx = 2 * sx / Width() - 1, ny = 1 - 2 * sy / Height();
        const Vector3 a = TransformCoord({nx, ny, 0}, inverse),
                      b = TransformCoord({nx, ny, 1}, inverse);
        const float t = (kTableY - a.y) / (b.y - a.y);
        return a + (b - a) * t;
    }

    static float Width() { return Direct3D().width(); }
    static float Height() { return Direct3D().height(); }

    void RoundTrip(float distance, float pitch) {
        Camera().OrbitCamera(0, kTargetY, 0, 50, distance, 0, pitch);
        const Matrix view = Camera().matrix();
        const Matrix viewProjection = Multiply(view, Direct3D().projection());
        const Vector3 c0{-kHalf, kTableY, -kHalf}, c1{-kHalf, kTableY, kHalf},
            c2{kHalf, kTableY, -kHalf}, c3{kHalf, kTableY, kHalf};
        int checked = 0;
        // Every place a disc centre can be.
        for (float x = -32; x <= 32; x += 4) {
            for (float z = -32; z <= 32; z += 4) {
                const Vector3 ndc = TransformCoord({x, kTableY, z}, viewProjection);
                const float sx = (ndc.x + 1) / 2 * Width(), sy = (1 - ndc.y) / 2 * Height();
                ASSERT_TRUE(sx >= 0 && sx < Width() && sy >= 0 && sy < Height()) << x << "," << z;
                const auto px = uint16_t(std::lround(sx)), py = uint16_t(std::lround(sy));
                Direct3D().ComputePickRay(px, py, view);
                float hitX = 0, hitZ = 0, hitDistance = 0;
                ASSERT_TRUE(Direct3D().MapOntoQuad(c0, c1, c2, c3, hitX, hitZ, hitDistance))
                    << x << "," << z;
                // The pixel's own point, to within 0.05 units...
                const Vector3 expected = Unproject(px, py, view, Direct3D().projection());
                EXPECT_NEAR(hitX, expected.x, 0.05f) << x << "," << z;
                EXPECT_NEAR(hitZ, expected.z, 0.05f) << x << "," << z;
                // ...and within the pixel's footprint of the point projected.
                EXPECT_NEAR(hitX, x, 0.6f);
                EXPECT_NEAR(hitZ, z, 0.6f);
                EXPECT_NEAR(hitDistance,
                            glm::length(expected - Camera().eye()) /
                                glm::length(Direct3D().pickDirection()),
                            0.05f);
                ++checked;
            }
        }
        EXPECT_EQ(checked, 17 * 17);
    }
};

TEST_F(PickingTest, TablePointsComeBackFromTheGreenSeat) {
    RoundTrip(81, -0.16f);
}
TEST_F(PickingTest, TablePointsComeBackFromTheRedSeat) {
    RoundTrip(-81, 0.16f);
}

// The projection keeps the scene's near and far planes and takes the new
// aspect by itself, so the table is not stretched and every pixel still
// picks its own point.
TEST_F(PickingTest, TablePointsComeBackAfterTheBackBufferGrew) {
    for (const auto& [w, h] : {std::pair{1280, 720}, std::pair{1920, 1080}, std::pair{800, 600}}) {
        ASSERT_TRUE(Direct3D().Resize(uint16_t(w), uint16_t(h)));
        const Matrix& p = Direct3D().projection();
        EXPECT_FLOAT_EQ(p[1][1] / p[0][0], float(w) / float(h));
        EXPECT_FLOAT_EQ(Direct3D().nearPlane(), 18);
        RoundTrip(81, -0.16f);
        RoundTrip(-81, 0.16f);
    }
}

TEST_F(PickingTest, RaysBesideTheTableMissIt) {
    Camera().OrbitCamera(0, kTargetY, 0, 50, 81, 0, -0.16f);
    Direct3D().ComputePickRay(2, 2, Camera().matrix());
    float x, z, d;
    EXPECT_FALSE(Direct3D().MapOntoQuad({-1, kTableY, -1}, {-1, kTableY, 1}, {1, kTableY, -1},
                                        {1, kTableY, 1}, x, z, d));
}

}  // namespace
