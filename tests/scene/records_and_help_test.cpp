// The best-plays screen, the help panel and the version text on the
// recording backend.
#include "base/text_encoding.h"
#include "game/records.h"
#include "scene/texts.h"
#include "tests/scene/scene_fixture.h"

using namespace gfx;

namespace {

class RecordsScreenTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        LoadBestPlays("/nonexistent/ringdisk.dat");
        g.mode = kModeRecords;
    }
    void TearDown() override {
        LoadBestPlays("/nonexistent/ringdisk.dat");
        SceneTest::TearDown();
    }
    std::vector<RecordedQuad> ScreenFrame(float seconds) {
        const size_t before = device().draws().size();
        AdvanceBestPlaysScreen(g, seconds);
        DrawRecordsScreen(g, Frame(seconds));
        return QuadsSince(before);
    }
    GameState g;
};

TEST_F(RecordsScreenTest, TheTableSlidesInGlowsOnTheNewRowAndSlidesOutToTheIntro) {
    // A run that enters the table at the top, under a name that looks
    // like a format.
    g.playerName.Assign("100%n%s");
    g.practiceLevel = 20, g.elapsedSeconds = 100, g.shotsTaken = 3;
    EnterBestPlay(g);
    ASSERT_EQ(g.newRecordRow, 0);

    auto draws = ScreenFrame(0.25f);
    auto title = Text(draws, "Melhores Jogadas");
    ASSERT_TRUE(title);
    EXPECT_FLOAT_EQ(title->top, 5 + 300);  // a quarter of the way in
    for (int frame = 0; frame < 3; ++frame) draws = ScreenFrame(0.25f);
    title = Text(draws, "Melhores Jogadas");
    EXPECT_FLOAT_EQ(title->top, 5);
    EXPECT_EQ(title->color, 0xFFFFFF00u);
    EXPECT_FLOAT_EQ(title->height, 32);
    const struct {
        const char* text;
        float x;
    } heads[] = {{"nome", 114}, {"nível", 228}, {"tempo", 342}, {"tacadas", 456}};
    for (const auto& head : heads) {
        const std::string text = ToWindows1252(head.text);
        const auto found = Text(draws, text);
        ASSERT_TRUE(found) << head.text;
        EXPECT_FLOAT_EQ(found->top, 50);
        EXPECT_FLOAT_EQ(found->left, head.x - Measure(text.size(), 32) / 2);
        EXPECT_EQ(found->color, 0xFFFFFF00u);
    }
    // The new row, its name printed as it is, in the glow; the next row white.
    const auto name = Text(draws, "100%n%s");
    ASSERT_TRUE(name);
    EXPECT_FLOAT_EQ(name->top, 80);
    const uint32_t glow = name->color >> 16 & 255;
    EXPECT_GE(glow, 196u);
    EXPECT_EQ(name->color, 0xFF000000u | glow << 16 | (glow / 4) << 8 | glow / 4);
    for (const char* cell : {"vex", "03", "00:12:08", "30"}) {
        const auto found = Text(draws, cell);
        ASSERT_TRUE(found) << cell;
        EXPECT_FLOAT_EQ(found->top, 80 + 29);
        EXPECT_EQ(found->color, 0xFFFFFFFFu);
    }

    // Twenty seconds on, it slides down a screen's height and the intro
    // takes over.
    while (g.recordsScreenSeconds < 20) ScreenFrame(0.25f);
    EXPECT_EQ(g.mode, kModeRecords);
    for (int frame = 0; frame < 3; ++frame) ScreenFrame(0.25f);
    EXPECT_EQ(g.mode, kModeRecords);
    ScreenFrame(0.25f);
    ScreenFrame(0.25f);
    EXPECT_EQ(g.mode, kModeIdle);
}

TEST_F(RecordsScreenTest, WithoutANewRowNothingGlowsAndTheGlowStaysInItsRangeOnLongFrames) {
    g.newRecordRow = kNoRecordRow;
    for (float seconds : {0.1f, 5.0f, 0.05f, 7.0f}) {
        const auto draws = ScreenFrame(seconds);
        for (const RecordedQuad& quad : QuadsWith(draws, FontTexture())) {
            const uint32_t color = quad.corners[0].diffuse;
            EXPECT_TRUE(color == 0xFFFFFFFF || color == 0xFFFFFF00) << std::hex << color;
        }
        EXPECT_GE(Hud().recordGlow.value, 196);
        EXPECT_LE(Hud().recordGlow.value, 255);
    }
}

class HelpPanelTest : public SceneTest {};

TEST_F(HelpPanelTest, TwoTranslucentPanelsARuleAndTheHelpTextInBlack) {
    const size_t before = device().draws().size();
    DrawHelpPanel(255, kWidth, kHeight, 1);
    const auto plain = QuadsWith(QuadsSince(before), nullptr);
    ASSERT_EQ(plain.size(), 3u);
    struct Rect {
        float left, top, right, bottom;
        uint32_t color;
    };
    const Rect rects[] = {{285 - 167.5f, 200 - 150, 285 + 167.5f, 200 + 150, 0xAAFFFFFF},
                          {285 - 165.5f, 200 - 148, 285 + 165.5f, 200 + 148, 0xAAFFFFFF},
                          {285 - 160, 71, 285 + 160, 73, 0xFFFFFFFF}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(plain[size_t(i)].corners[0].x, rects[i].left);
        EXPECT_FLOAT_EQ(plain[size_t(i)].corners[0].y, rects[i].top);
        EXPECT_FLOAT_EQ(plain[size_t(i)].corners[3].x, rects[i].right);
        EXPECT_FLOAT_EQ(plain[size_t(i)].corners[3].y, rects[i].bottom);
        EXPECT_EQ(plain[size_t(i)].corners[0].diffuse, rects[i].color);
    }
    // The text: one draw of the TrueType font, black, from (W/2 - 157, H/2 - 145).
    const RecordedDraw& text = device().draws().back();
    ASSERT_EQ(text.fvf, uint32_t(kFvfXyzRhw | kFvfDiffuse | kFvfTex1));
    float left = 1e9f, top = 1e9f, bottom = 0;
    for (const RecordedVertex& v : text.vertices) {
        EXPECT_EQ(v.diffuse, 0xFF000000u);
        left = std::min(left, v.x), top = std::min(top, v.y), bottom = std::max(bottom, v.y);
    }
    // Glyphs may reach a pixel or two left of the pen.
    EXPECT_GE(left, 128 - 3);
    EXPECT_LT(left, 132);
    EXPECT_GE(top, 55 - 0.5f);
    EXPECT_LT(bottom, kHeight / 2 + 150);  // all 21 lines inside the panel
    EXPECT_EQ(GDIFonts().current(), -1);
}

TEST_F(HelpPanelTest, TheAlphaIsHeldToItsRangeAndNothingShowsAtZero) {
    size_t before = device().draws().size();
    DrawHelpPanel(0, kWidth, kHeight, 0);
    DrawHelpPanel(-30, kWidth, kHeight, 0);
    EXPECT_EQ(device().draws().size(), before);
    DrawHelpPanel(900, kWidth, kHeight, 7);
    const auto plain = QuadsWith(QuadsSince(before), nullptr);
    ASSERT_EQ(plain.size(), 3u);
    EXPECT_EQ(plain[0].corners[0].diffuse, 0xAAFFFFFFu);
    EXPECT_EQ(plain[2].corners[0].diffuse, 0xFFFFFFFFu);
    EXPECT_EQ(device().draws().back().vertices[0].diffuse, 0xFF000000u);
}

TEST_F(HelpPanelTest, TheVersionSitsInTheBottomRightCornerSmall) {
    const size_t before = device().draws().size();
    DrawVersionText(kWidth, kHeight);
    const auto version = Text(QuadsSince(before), "v1.1.0");
    ASSERT_TRUE(version);
    EXPECT_FLOAT_EQ(version->height, 20);
    EXPECT_FLOAT_EQ(version->left, kWidth - 5 - Measure(6, 20));
    EXPECT_FLOAT_EQ(version->top, kHeight - 20);
    EXPECT_EQ(version->color, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(Fonts().FontOf(0)->cellHeight, 38);
}

}  // namespace
