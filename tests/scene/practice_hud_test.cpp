// The practice HUD on the recording backend: its layout, the pause, the
// hint cycle, the tries icons' animation and the end of a run.
#include <optional>

#include "base/text_encoding.h"
#include "scene/texts.h"
#include "tests/scene/scene_fixture.h"

using namespace gfx;

namespace {

class PracticeHudTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        g.mode = kModePractice;
        g.localSeat = g.currentPlayer = kSideGreen;
        g.practiceLevel = 3;
        g.shotsTaken = 7;
        g.elapsedSeconds = 3725;
        g.triesLeft = 4;
        g.outputs.sound = &sound;
        Hud().triesShown = 4;
    }
    std::vector<RecordedQuad> Icons(const std::vector<RecordedQuad>& draws) {
        return QuadsWith(draws, TextureNamed("disco.tga"));
    }
    // Four disc icons of this size side by side leftwards from right, their
    // tops at top.
    void ExpectIconRow(const std::vector<RecordedQuad>& draws, float right, float top, float size) {
        const auto icons = Icons(draws);
        ASSERT_EQ(icons.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            EXPECT_FLOAT_EQ(icons[size_t(i)].corners[0].x, right - (i + 1) * size);
            EXPECT_FLOAT_EQ(icons[size_t(i)].corners[0].y, top);
            EXPECT_FLOAT_EQ(icons[size_t(i)].corners[3].x, right - i * size);
        }
    }
    struct Expected {
        const char* text;
        std::optional<float> left;
        float top;
        std::optional<float> size;
        std::optional<uint32_t> color;
    };
    // Each text drawn at its top (and at its left, size and in its colour,
    // where given).
    void ExpectTexts(const std::vector<RecordedQuad>& draws,
                     const std::vector<Expected>& layout) {
        for (const Expected& e : layout) {
            SCOPED_TRACE(e.text);
            const auto text = Text(draws, ToWindows1252(e.text));
            ASSERT_TRUE(text);
            if (e.left) {
                EXPECT_FLOAT_EQ(text->left, *e.left);
            }
            EXPECT_FLOAT_EQ(text->top, e.top);
            if (e.size) {
                EXPECT_FLOAT_EQ(text->height, *e.size);
            }
            if (e.color) {
                EXPECT_EQ(text->color, *e.color);
            }
        }
    }
    GameState g;
};

TEST_F(PracticeHudTest, LevelTriesShotsAndTimeSitInTheCornersInTheirColours) {
    const auto draws = HudFrameOf(g);
    ExpectTexts(draws, {
        {"tentativas:", kWidth - 6 - Measure(11, 24), -1, 24, 0xFFFFFFFF},
        {"nível:", 5, 3, 28, 0xFFFFFFFF},
        {"03", 65, -4, 38, 0xFFFFFF00},
        {"tacadas:", 5, kHeight - 1 - 24, 24, 0xFFFFFFFF},
        {"7", 10 + Measure(8, 24), kHeight + 1 - 36, 36, 0xFFFFFF00},
        {"tempo", kWidth - 8 - Measure(5, 28), kHeight - 24 - 28, 28, 0xFFFFFFFF},
        {"01:02:05", kWidth - 100, kHeight - 32, 32, 0xFFFFFF00},
    });
    EXPECT_FALSE(Text(draws, "pausado"));
    EXPECT_FLOAT_EQ(Fonts().FontOf(0)->cellHeight, 38);

    // Four disc icons from the right edge, point sampled, then the
    // scene's filter again.
    ASSERT_NO_FATAL_FAILURE(ExpectIconRow(draws, kWidth - 4, 23, 32));
    bool pointSampled = false;
    for (const RecordedCall& call : device().calls())
        pointSampled |= call.call == Call::SetTextureStageState && call.a == 0 &&
                        call.b == kTssMagFilter && call.c == kTexfPoint;
    EXPECT_TRUE(pointSampled);
    EXPECT_EQ(device().stageState(0, kTssMagFilter), uint32_t(kTexfLinear));
}

// A panel twice as high (and wide): every text and icon twice the size,
// at twice the distance from the corner it hangs from; the icons, drawn
// larger than their picture, filtered rather than point sampled.
TEST_F(PracticeHudTest, OnAPanelTwiceAsHighTheCornersHoldTheLayoutAtTwiceItsSize) {
    constexpr float W = 2 * kWidth, H = 2 * kHeight;
    // Texts are cut at the viewport's edges: the device grows too.
    ASSERT_TRUE(Direct3D().Resize(uint16_t(W), uint16_t(H)));
    const size_t before = device().draws().size();
    DrawHud(g, {int(W), int(H), 1.0f / 60, kTexfLinear});
    const auto draws = QuadsSince(before);
    // Measure gives a width plus one pixel at any size.
    ExpectTexts(draws, {
        {"tentativas:", W - 12 - (Measure(11, 48)), -2, 48, std::nullopt},
        {"nível:", 10, 6, 56, std::nullopt},
        {"03", 130, -8, 76, std::nullopt},
        {"tacadas:", 10, H - 2 - 48, 48, std::nullopt},
        {"7", 20 + Measure(8, 48), H + 2 - 72, 72, std::nullopt},
        {"tempo", W - 16 - Measure(5, 56), H - 48 - 56, 56, std::nullopt},
        {"01:02:05", W - 200, H - 64, 64, std::nullopt},
    });
    ASSERT_NO_FATAL_FAILURE(ExpectIconRow(draws, W - 8, 46, 64));
    for (const RecordedCall& call : device().calls())
        EXPECT_FALSE(call.call == Call::SetTextureStageState && call.a == 0 &&
                     call.b == kTssMagFilter && call.c == kTexfPoint);
    // The font is left at its usual size for whoever draws next.
    EXPECT_FLOAT_EQ(Fonts().FontOf(0)->cellHeight, 38);
}

TEST_F(PracticeHudTest, ThePauseTextPulsesBetweenItsSizesAndTheStoppedClockTurnsGreen) {
    g.paused = 1;
    float smallest = 1e9f, largest = 0;
    for (int frame = 0; frame < 90; ++frame) {
        const float seconds = frame == 40 ? 20.0f : 1.0f / 30;
        const auto draws = HudFrameOf(g, seconds);
        const auto paused = Text(draws, "pausado");
        ASSERT_TRUE(paused);
        EXPECT_EQ(paused->color, 0xFFFFFF00u);
        smallest = std::min(smallest, paused->height), largest = std::max(largest, paused->height);
        const auto clock = Text(draws, "01:02:05");
        ASSERT_TRUE(clock);
        EXPECT_EQ(clock->color, 0xFF00FF00u);
    }
    EXPECT_FLOAT_EQ(smallest, 64);
    EXPECT_FLOAT_EQ(largest, 80);
}

TEST_F(PracticeHudTest, AHintFadesInAfterTheFirstRestAndRaisesTheShotsLine) {
    g.language = 2;
    const int slot = RandomSequence(99).Next() % kHintCount * kLanguageCount + 2;
    g.showRandom = RandomSequence(99);
    g.tableRandom = RandomSequence(3);
    const int gameNext = RandomSequence(3).Next();
    std::vector<RecordedQuad> draws;
    for (int frame = 0; frame < 120; ++frame) draws = HudFrameOf(g, 0.1f);
    EXPECT_EQ(Hud().hintState, kHintHold);
    EXPECT_EQ(Hud().hintIndex, slot);
    EXPECT_EQ(g.tableRandom.Next(), gameNext) << "a hint drew from the table's own generator";
    const auto hint = Text(draws, HintText(slot, g.options.discLook));
    ASSERT_TRUE(hint);
    EXPECT_EQ(hint->color, 0xFF00FF00u);
    EXPECT_FLOAT_EQ(hint->left, 5);
    EXPECT_FLOAT_EQ(hint->top, kHeight - 2 - 22);
    const auto label = Text(draws, "pista:");
    ASSERT_TRUE(label);
    EXPECT_FLOAT_EQ(label->top, kHeight - 40);
    EXPECT_EQ(label->color, 0xFFFFFFFFu);
    const auto shots = Text(draws, "tacadas:");
    ASSERT_TRUE(shots);
    EXPECT_NEAR(shots->top, kHeight - 1 - 255 * 0.14f - 24, 1e-3);

    // The level ends: the hint is cut short and fades out.
    g.practicePhase = kPhaseLevelCleared;
    HudFrameOf(g, 0.1f);
    EXPECT_EQ(Hud().hintState, kHintFadeOut);
    EXPECT_LT(Hud().hintAlpha, 255);
}

TEST_F(PracticeHudTest, NoHintFromLevelSixAndThePauseFreezesTheCycle) {
    g.practiceLevel = 6;
    Hud().hintState = kHintChoose;
    g.showRandom = RandomSequence(5);
    for (int frame = 0; frame < 300; ++frame) HudFrameOf(g, 0.1f);
    EXPECT_EQ(Hud().hintState, kHintChoose);
    EXPECT_EQ(Hud().hintAlpha, 0);
    EXPECT_EQ(g.showRandom.Next(), RandomSequence(5).Next()) << "no hint drew from the generator";

    g.practiceLevel = 2;
    g.paused = 1;
    Hud().hintState = kHintFadeIn;
    Hud().hintAlpha = 100;
    for (int frame = 0; frame < 30; ++frame) HudFrameOf(g, 0.1f);
    EXPECT_EQ(Hud().hintState, kHintFadeIn);
    EXPECT_FLOAT_EQ(Hud().hintAlpha, 100);
}

TEST_F(PracticeHudTest, ALostTryFadesTheRightmostIconThenSlidesTheOthersAndOnlyThenCounts) {
    g.triesLeft = 3;
    std::vector<uint32_t> alphas;
    std::vector<float> slides;
    std::vector<size_t> counts;
    // Eighths of a second: 64 of alpha and 8 pixels of slide a frame.
    for (int frame = 0; frame < 12; ++frame) {
        const auto icons = Icons(HudFrameOf(g, 0.125f));
        counts.push_back(icons.size());
        alphas.push_back(icons.front().corners[0].diffuse >> 24);
        slides.push_back(icons.back().corners[0].x - (kWidth - 4 - float(icons.size()) * 32));
    }
    // Half a second of fading the rightmost icon...
    EXPECT_EQ(alphas, (std::vector<uint32_t>{255, 191, 127, 63, 0, 0, 0, 0, 255, 255, 255, 255}));
    // ...then half a second of sliding every icon one place right, and
    // only then three icons, standing still.
    EXPECT_EQ(slides, (std::vector<float>{0, 0, 0, 0, 0, 8, 16, 24, 0, 0, 0, 0}));
    EXPECT_EQ(counts, (std::vector<size_t>{4, 4, 4, 4, 4, 4, 4, 4, 3, 3, 3, 3}));
    EXPECT_EQ(Hud().triesShown, 3);
    EXPECT_EQ(sound.Count(kEffectPlop), 1);
}

TEST_F(PracticeHudTest, AWonRunShowsItsTimeAndItsNewRecordAndALostOneItsRecordInRed) {
    g.practicePhase = kPhaseAllCleared;
    g.elapsedSeconds = 600;
    g.newRecordRow = 0;
    auto draws = HudFrameOf(g);
    ExpectTexts(draws, {{"você ganhou!", {}, kHeight / 2 - 15 - 20, {}, 0xFF00FF00u},
                        {"em 00:10:00", {}, kHeight / 2 + 15 - 20, {}, 0xFFFFFF00u},
                        {"(novo recorde!)", {}, kHeight / 2 + 55 - 10, 20, 0xFFFFFF00u}});
    EXPECT_EQ(QuadsWith(draws, TextureNamed("boom.tga")).size(), 1u);

    g.newRecordRow = kNoRecordRow;
    EXPECT_FALSE(Text(HudFrameOf(g), "(novo recorde!)"));

    g.practicePhase = kPhaseOutOfTries;
    g.newRecordRow = 3;
    g.language = 1;
    draws = HudFrameOf(g);
    ExpectTexts(draws, {{"you lose", {}, kHeight / 2 - 20, {}, 0xFFFF0000u},
                        {"(new record!)", {}, kHeight / 2 + 35 - 10, {}, 0xFFFF0000u}});
    // The run's clock has stopped: green.
    const auto clock = Text(draws, "00:10:00");
    ASSERT_TRUE(clock);
    EXPECT_EQ(clock->color, 0xFF00FF00u);
}

}  // namespace
