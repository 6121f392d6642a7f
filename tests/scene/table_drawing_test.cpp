// The table of a game frame on the recording backend with the built
// package: what the mirror's reflection is drawn with, that the highlights
// come back as the switch has them once it is done, and which draws blend.
#include "scene/table_drawing.h"

#include "engine/graphics/vex_light.h"
#include "engine/modules/engine_modules.h"
#include "scene/scene_assets.h"
#include "scene/scene_states.h"
#include "tests/engine/graphics/graphics_fixture.h"

using namespace gfx;

namespace {

constexpr uint32_t kShineLights[] = {2, 3};

// One draw as the device saw it, with the specular and blending switches
// of that moment.
struct SeenDraw {
    uint32_t primitiveCount;
    bool specular, blending;
};

class TableDrawingTest : public RecordingTest {
protected:
    void SetUp() override {
        RecordingTest::SetUp();
        ASSERT_TRUE(package_.Open(RINGDISK_PACKAGE, false));
        Resource().SetPackage(&package_);
        ApplySceneRenderStates(kTexfLinear, true);
        LoadSceneTextures();
        ASSERT_TRUE(LoadSceneMeshes(scene_.meshes));
        AddSceneLights();
        // Two discs on the surface, the rest off the table, nobody aiming.
        for (Disc& disc : game_.discs) disc.status = kStatusOff;
        game_.discs[0] = PlacedDisc(3, -7, kColorGreen);
        game_.discs[1] = PlacedDisc(-2, 5, kColorRed);
        game_.winner = kSideGreen;
    }
    void TearDown() override {
        Resource().SetPackage(nullptr);
        RecordingTest::TearDown();
    }

    // The draws of what draw() draws.
    template <typename Drawing>
    std::vector<SeenDraw> Seen(Drawing draw) {
        device().ForgetCalls();
        bool specular = device().renderState(kRsSpecularEnable) != 0;
        bool blending = device().renderState(kRsAlphaBlendEnable) != 0;
        draw();
        std::vector<SeenDraw> seen;
        for (const RecordedCall& call : device().calls()) {
            if (call.call == Call::SetRenderState && call.a == kRsSpecularEnable)
                specular = call.b != 0;
            if (call.call == Call::SetRenderState && call.a == kRsAlphaBlendEnable)
                blending = call.b != 0;
            if (call.call == Call::Draw) seen.push_back({call.b, specular, blending});
        }
        return seen;
    }
    std::vector<SeenDraw> DrawTableSeen() {
        return Seen([this] { DrawTable(scene_, game_, TableContent::kPlay); });
    }
    uint32_t FacesOf(const VEX_XMesh& mesh) const { return mesh.mesh()->FaceCount(); }

    VEX_Package package_;
    Scene scene_;
    GameState game_;
};

TEST_F(TableDrawingTest, TheReflectionShowsTheLightDiscWithoutHighlightsAndGivesThemBack) {
    const uint32_t tableFaces = FacesOf(scene_.meshes.table);
    const uint32_t baseFaces = FacesOf(scene_.meshes.base);
    for (bool switchedOn : {true, false}) {
        SCOPED_TRACE(switchedOn ? "highlights switched on" : "highlights switched off");
        game_.options.specular = switchedOn;
        device().SetRenderState(kRsSpecularEnable, switchedOn);
        for (uint32_t light : kShineLights) Lights().EnableLight(int16_t(light), switchedOn);

        // The detailed table, the two reflected discs, then the base.
        const std::vector<SeenDraw> seen = DrawTableSeen();
        ASSERT_GE(seen.size(), 3u);
        size_t next = 0;
        uint32_t faces = 0;
        while (next < seen.size() && faces < tableFaces) {
            EXPECT_FALSE(seen[next].blending);
            faces += seen[next++].primitiveCount;
        }
        EXPECT_EQ(faces, tableFaces);
        faces = 0;
        for (; next + 1 < seen.size(); ++next) {
            faces += seen[next].primitiveCount;
            EXPECT_FALSE(seen[next].specular);
            EXPECT_TRUE(seen[next].blending);
        }
        EXPECT_EQ(faces, 2 * FacesOf(scene_.meshes.discLow));
        EXPECT_EQ(seen.back().primitiveCount, baseFaces);
        EXPECT_EQ(seen.back().specular, switchedOn);
        EXPECT_FALSE(seen.back().blending);
        EXPECT_NE(device().renderState(kRsAlphaBlendEnable), 0u);

        EXPECT_EQ(device().renderState(kRsSpecularEnable) != 0, switchedOn);
        for (uint32_t light : kShineLights) EXPECT_EQ(device().lightEnabled(light), switchedOn);
    }
}

// The discs' dark rim is translucent: drawn at full opacity they blend all
// the same, while the opaque table does not.
TEST_F(TableDrawingTest, OnlyOpaqueMeshesAtFullOpacityDrawWithoutBlending) {
    game_.options.mirror = 0;
    const std::vector<SeenDraw> table = DrawTableSeen();
    ASSERT_FALSE(table.empty());
    for (const SeenDraw& draw : table) EXPECT_FALSE(draw.blending);
    EXPECT_NE(device().renderState(kRsAlphaBlendEnable), 0u);

    const std::vector<SeenDraw> discs =
        Seen([this] { DrawAllDiscs(scene_, game_, 1.0f, game_.options.quality); });
    ASSERT_FALSE(discs.empty());
    for (const SeenDraw& draw : discs) EXPECT_TRUE(draw.blending);
}

}  // namespace
