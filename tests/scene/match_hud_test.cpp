// The match HUD on the recording backend: whose turn it is, the shot clock
// over its pulsing explosion, and the result for every seat.
#include "base/text_encoding.h"
#include "tests/scene/scene_fixture.h"

using namespace gfx;

namespace {

class MatchHudTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        g.mode = kModeMatch;
        g.language = 1;
    }
    // Where a text of n characters at a size centred on x starts.
    static float CentredLeft(float x, size_t n, float size) { return x - Measure(n, size) / 2; }
    GameState g;
};

TEST_F(MatchHudTest, OwnTurnShowsTheClockOverTheExplosionAndYourTurnInTheSidesColour) {
    g.localSeat = g.currentPlayer = kSideRed;
    auto draws = HudFrameOf(g);
    const auto turn = Text(draws, "your turn");
    ASSERT_TRUE(turn);
    EXPECT_FLOAT_EQ(turn->left, 3);
    EXPECT_FLOAT_EQ(turn->top, kHeight - 36);
    EXPECT_FLOAT_EQ(turn->height, 38);
    EXPECT_EQ(turn->color, 0xFFFF0000u);
    const auto clock = Text(draws, "60");
    ASSERT_TRUE(clock);
    EXPECT_FLOAT_EQ(clock->left, CentredLeft(kWidth - 25, 2, 38));
    EXPECT_FLOAT_EQ(clock->top, kHeight - 34);
    EXPECT_EQ(clock->color, 0xFFFFFFFFu);
    const auto boom = QuadsWith(draws, TextureNamed("boom.tga"));
    ASSERT_EQ(boom.size(), 1u);
    // 96 x 80 about (W - 28, H - 12), frame 0 of two.
    EXPECT_FLOAT_EQ(boom[0].corners[0].x, kWidth - 28 - 48);
    EXPECT_FLOAT_EQ(boom[0].corners[3].y, kHeight - 12 + 40);
    EXPECT_FLOAT_EQ(boom[0].corners[3].v, 0.5f);
    EXPECT_EQ(boom[0].corners[0].diffuse, 0xFFFFFFFFu);

    g.turnSeconds = 59;
    draws = HudFrameOf(g);
    EXPECT_TRUE(Text(draws, "1"));
    EXPECT_FALSE(Text(draws, "60"));
}

TEST_F(MatchHudTest, TheExplosionPulsesBetweenItsSizesEvenOverALongFrame) {
    g.localSeat = g.currentPlayer = kSideGreen;
    float smallest = 1e9f, largest = 0;
    for (float seconds : {0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 30.0f, 0.1f, 30.0f, 0.5f}) {
        const auto boom = QuadsWith(HudFrameOf(g, seconds), TextureNamed("boom.tga"));
        ASSERT_EQ(boom.size(), 1u);
        const float height = boom[0].corners[2].y - boom[0].corners[0].y;
        smallest = std::min(smallest, height), largest = std::max(largest, height);
    }
    EXPECT_FLOAT_EQ(smallest, 80);
    EXPECT_FLOAT_EQ(largest, 88);
}

TEST_F(MatchHudTest, TheOtherSidesTurnNamesItWithoutAClock) {
    struct Case {
        int seat, current;
        const char* text;
        uint32_t color;
    };
    const Case cases[] = {{kSideGreen, kSideRed, "opponent's turn", 0xFFFF0000},
                          {kSideRed, kSideGreen, "opponent's turn", 0xFF00FF00},
                          {kSeatSpectator, kSideGreen, "green's turn", 0xFF00FF00},
                          {kSeatSpectator, kSideRed, "red's turn", 0xFFFF0000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        g.localSeat = c.seat, g.currentPlayer = c.current;
        const auto draws = HudFrameOf(g);
        const auto turn = Text(draws, c.text);
        ASSERT_TRUE(turn);
        EXPECT_FLOAT_EQ(turn->left, 3);
        EXPECT_EQ(turn->color, c.color);
        EXPECT_TRUE(QuadsWith(draws, TextureNamed("boom.tga")).empty());
        EXPECT_EQ(QuadsWith(draws, FontTexture()).size(), std::string(c.text).size() - 1);
    }
}

TEST_F(MatchHudTest, TheResultBannerTellsEachSeatItsOwnResult) {
    struct Case {
        int seat, winner, language;
        const char* text;
        uint32_t color;
    };
    const Case cases[] = {{kSideGreen, kSideGreen, 1, "you won!", 0xFF00FF00},
                          {kSideRed, kSideGreen, 1, "you lose", 0xFF00FF00},
                          {kSideRed, kSideRed, 0, "você ganhou!", 0xFFFF0000},
                          {kSeatSpectator, kSideRed, 2, "rojo gana", 0xFFFF0000},
                          {kSeatSpectator, kSideGreen, 0, "verde ganhou", 0xFF00FF00},
                          {kSideGreen, kWinnerDraw, 1, "draw game", 0xFFFFFFFF},
                          {kSeatSpectator, kWinnerDraw, 0, "empate", 0xFFFFFFFF}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Hud() = HudState{};
        g.localSeat = c.seat, g.winner = uint8_t(c.winner), g.language = uint8_t(c.language);
        const auto draws = HudFrameOf(g);
        const std::string text = ToWindows1252(c.text);
        const auto result = Text(draws, text);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->color, c.color);
        EXPECT_FLOAT_EQ(result->height, 40);
        EXPECT_FLOAT_EQ(result->left, CentredLeft(kWidth / 2, text.size(), 40));
        EXPECT_FLOAT_EQ(result->top, kHeight / 2 - 20);
        const auto banner = QuadsWith(draws, TextureNamed("boom.tga"));
        ASSERT_EQ(banner.size(), 1u);
        EXPECT_EQ(banner[0].corners[0].diffuse, 0x80FFFFFFu);
        EXPECT_FLOAT_EQ(banner[0].corners[0].x, kWidth / 2 - 124);
        EXPECT_FLOAT_EQ(banner[0].corners[0].y, kHeight / 2 - 74);
        // The font is left at its usual size.
        EXPECT_FLOAT_EQ(Fonts().FontOf(0)->cellHeight, 38);
    }
}

TEST_F(MatchHudTest, NoHudOnTheIntroOrWithoutTheFont) {
    g.mode = kModeIdle;
    EXPECT_TRUE(HudFrameOf(g).empty());
    g.mode = kModeRecords;
    EXPECT_TRUE(HudFrameOf(g).empty());
    // A scene whose font texture was missing draws the explosion only.
    g.mode = kModeMatch;
    g.localSeat = g.currentPlayer = kSideGreen;
    Fonts().ReleaseFonts();
    const auto draws = HudFrameOf(g);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].texture, TextureNamed("boom.tga"));
}

}  // namespace
