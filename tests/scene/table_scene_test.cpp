// The table scene on the recording backend with the built package: where it
// puts the discs of a layout, which it leaves out, and where the cue hangs.
#include "scene/table_scene.h"

#include <cmath>

#include "game/table_geometry.h"
#include "platform/gfx/gfx_math.h"
#include "tests/engine/graphics/graphics_fixture.h"

using namespace gfx;

namespace {

class TableSceneTest : public RecordingTest {
protected:
    void SetUp() override {
        RecordingTest::SetUp();
        ASSERT_TRUE(scene_.Load(RINGDISK_PACKAGE));
    }

    // The draws of one Draw call.
    std::vector<RecordedDraw> DrawnFor(const SceneLayout& layout, bool mirrored) {
        const size_t before = device().draws().size();
        scene_.Draw(layout, mirrored);
        return {device().draws().begin() + long(before), device().draws().end()};
    }

    TableScene scene_;
};

Vector3 Origin(const RecordedDraw& draw) {
    return TransformCoord({0, 0, 0}, draw.world);
}

TEST_F(TableSceneTest, DiscsStandOnTheSurfaceOrInTheirHoleAndDiscsOffTheTableAreLeftOut) {
    SceneLayout layout;
    layout.discs = {PlacedDisc(3, -7, kColorGreen), PlacedDisc(-2, 5, kColorYellow, kStatusOff),
                    PlacedDisc(table::kHoleCenter, table::kHoleCenter, kColorRed, kStatusPocketed)};
    const std::vector<RecordedDraw> draws = DrawnFor(layout, false);
    const uint32_t tableSubsets = scene_.table().materialCount();
    const uint32_t discSubsets = scene_.disc().materialCount();
    ASSERT_EQ(draws.size(), tableSubsets + 2 * discSubsets);
    for (uint32_t i = 0; i < tableSubsets; ++i) EXPECT_EQ(Origin(draws[i]), Vector3(0, 0, 0));

    const RecordedDraw& green = draws[tableSubsets];
    EXPECT_EQ(Origin(green), Vector3(3, table::kSurfaceY, -7));
    EXPECT_EQ(green.material.diffuse.g, 0.6f);
    EXPECT_EQ(green.material.diffuse.r, 0.0f);
    const RecordedDraw& red = draws[tableSubsets + discSubsets];
    EXPECT_EQ(Origin(red), Vector3(table::kHoleCenter, table::kPocketedDiscY, table::kHoleCenter));
    EXPECT_EQ(red.material.diffuse.r, 0.6f);
    EXPECT_EQ(red.material.diffuse.g, 0.0f);

    // Mirrored, the game's reflection comes between the table and the
    // discs: the same discs at the same places (the view is what the mirror
    // turns over), then the table's base; the upright discs come last.
    const std::vector<RecordedDraw> mirrored = DrawnFor(layout, true);
    const size_t upright = draws.size() - tableSubsets;
    ASSERT_GT(mirrored.size(), draws.size() + 2);
    EXPECT_EQ(Origin(mirrored[tableSubsets]), Vector3(3, table::kSurfaceY, -7));
    for (size_t i = 0; i < upright; ++i)
        EXPECT_EQ(Origin(mirrored[mirrored.size() - upright + i]), Origin(draws[tableSubsets + i]))
            << i;
}

// The cue's tip hangs the pull-back behind the striker along the aim, the
// cue tilted up by 0.2 rad, whatever the angle.
TEST_F(TableSceneTest, CueTipHangsThePullBackBehindTheStrikerAlongTheAim) {
    for (float angle : {0.0f, 0.7f, -1.3f}) {
        for (float pullBack : {2.5f, 8.0f}) {
            SceneLayout layout;
            layout.cue = CueAim{-6, table::kShootingLineZ, angle, pullBack};
            const std::vector<RecordedDraw> draws = DrawnFor(layout, false);
            ASSERT_FALSE(draws.empty());
            const Vector3 tip = Origin(draws.back());
            const float dx = tip.x - -6, dz = tip.z - table::kShootingLineZ;
            EXPECT_NEAR(std::hypot(dx, dz), pullBack * std::cos(0.2f), 1e-4f);
            EXPECT_NEAR(tip.y, 1.5f + pullBack * std::sin(0.2f), 1e-4f);
            // Angle 0 points the cue back at the green player (+z); others
            // turn it by the angle.
            EXPECT_NEAR(std::acos(dz / std::hypot(dx, dz)), std::fabs(angle), 1e-3f);
        }
    }
}

}  // namespace
