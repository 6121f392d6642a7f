// The light list on the recording backend: lights reach the device only
// when added or applied, enabling is separate, names and slots behave.
#include "engine/graphics/vex_light.h"

#include "tests/engine/graphics/graphics_fixture.h"

using namespace gfx;

namespace {

class LightTest : public RecordingTest {
protected:
    int16_t AddWhite(const char* name) {
        return Lights().MakeLight(name, kLightDirectional, {0, 0, 0}, {0.5f, -0.5f, 0.5f}, 1, 1, 1,
                                  0.5f, 0.5f, 0.5f, 1, 1, 1, 10, 0, 0);
    }
};

TEST_F(LightTest, AddedLightsReachTheDeviceButStayDarkUntilEnabled) {
    const int16_t index = AddWhite("key");
    ASSERT_EQ(index, 0);
    const Light* sent = device().light(0);
    ASSERT_NE(sent, nullptr);
    EXPECT_EQ(sent->direction, Vector3(0.5f, -0.5f, 0.5f));  // not normalised
    EXPECT_EQ(sent->falloff, 1.0f);
    EXPECT_EQ(sent->diffuse.a, 0.0f);
    EXPECT_EQ(sent->range, 10.0f);
    EXPECT_FALSE(device().lightEnabled(0));
    Lights().EnableLight(0, true);
    EXPECT_TRUE(device().lightEnabled(0));
    EXPECT_TRUE(Lights().EntryOf(0)->enabled);
}

TEST_F(LightTest, SettersChangeOnlyTheStoredCopyUntilApplied) {
    const int16_t a = AddWhite("a");
    const int16_t b = AddWhite("b");
    Lights().SetDiffuse(a, 0.2f, 0.3f, 0.4f);
    Lights().SetDirection(b, {0, -1, 0});
    Lights().SetRangeAndFalloff(b, 5, 2);
    EXPECT_EQ(device().light(a)->diffuse.r, 1.0f);
    Lights().ApplyLight(a);
    EXPECT_EQ(device().light(a)->diffuse.r, 0.2f);
    EXPECT_EQ(device().light(b)->direction.y, -0.5f);

    // A flag set by EnableLight is sent again with the light.
    Lights().EnableLight(b, true);
    device().ForgetCalls();
    Lights().ApplyAllLights();
    EXPECT_EQ(device().light(b)->direction.y, -1.0f);
    EXPECT_EQ(device().light(b)->falloff, 2.0f);
    EXPECT_TRUE(device().lightEnabled(b));
    EXPECT_FALSE(device().lightEnabled(a));
    EXPECT_EQ(device().CountOf(Call::SetLight), 2u);

    Lights().SetDiffuse(42, 1, 1, 1);  // invalid indices are ignored
    Lights().ApplyLight(-1);
}

TEST_F(LightTest, NamesFindLightsAndRemovedIndicesComeBackFirst) {
    AddWhite("one");
    AddWhite(nullptr);
    AddWhite("three");
    EXPECT_EQ(Lights().FindLight("three"), 2);
    EXPECT_EQ(Lights().FindLight("never"), -1);
    EXPECT_EQ(Lights().FindLight(nullptr), -1);
    Lights().EnableLight(1, true);
    Lights().RemoveLight(1);
    EXPECT_FALSE(device().lightEnabled(1));  // a forgotten light stops lighting
    EXPECT_EQ(AddWhite("new"), 1);
    EXPECT_FALSE(Lights().EntryOf(1)->enabled);
    ASSERT_TRUE(Lights().Clear());
    EXPECT_EQ(Lights().SlotsUsed(), 0);
    EXPECT_EQ(Lights().FindLight("one"), -1);
}

TEST_F(LightTest, NoDeviceNoLight) {
    Direct3D().UseSystem(std::make_unique<RecordingSystem>());
    EXPECT_EQ(AddWhite("late"), -1);
    EXPECT_EQ(Lights().SlotsUsed(), 0);
}

}  // namespace
