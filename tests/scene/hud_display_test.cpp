// Every HUD screen drawn for real under Xvfb in the three languages, over
// the scene's plain grey: saved as PNG for people to look at, and checked
// by the colours that must (and must not) be found where each text,
// picture and effect belongs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/modules/engine_modules.h"
#include "game/game_random.h"
#include "game/records.h"
#include "platform/gfx/gfx_image.h"
#include "scene/hud_state.h"
#include "scene/scene_window.h"
#include "scene/texts.h"
#include "tests/base/log_tail.h"
#include "tests/engine/graphics/graphics_fixture.h"
#include "tests/scene/hud_scene.h"

using namespace gfx;

namespace {

constexpr uint16_t kWidth = 570, kHeight = 400;
const char* const kLanguages[kLanguageCount] = {"pt", "en", "es"};

struct Rect {
    int left, top, right, bottom;  // right and bottom excluded
};

struct Rgb {
    int r, g, b;
};
using ColorTest = bool (*)(Rgb);
bool Green(Rgb c) {
    return c.g > 170 && c.r < 100 && c.b < 100;
}
bool Red(Rgb c) {
    return c.r > 170 && c.g < 100 && c.b < 100;
}
bool Yellow(Rgb c) {
    return c.r > 170 && c.g > 170 && c.b < 100;
}
bool White(Rgb c) {
    return c.r > 225 && c.g > 225 && c.b > 225;
}
bool Dark(Rgb c) {
    return c.r < 70 && c.g < 70 && c.b < 70;
}
bool Grey(Rgb c) {  // the background, exactly
    return c.r == 0x80 && c.g == 0x80 && c.b == 0x92;
}
bool NotGrey(Rgb c) {
    return !Grey(c);
}

class HudDisplayTest : public testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display (run under xvfb-run): nothing drawn, nothing checked";
        if (!std::filesystem::exists(RINGDISK_PACKAGE))
            GTEST_SKIP() << RINGDISK_PACKAGE << " was not built: nothing drawn, nothing checked";
        window_ = std::make_unique<SceneWindow>(kWidth, kHeight);
        if (!window_->ok()) GTEST_SKIP() << "the X display does not open";
        ResetEngineLists();
        LogTail log;
        ASSERT_TRUE(window_->StartDevice()) << log.Text();
        scene_ = std::make_unique<HudScene>();
        ASSERT_TRUE(scene_->Load(RINGDISK_PACKAGE)) << log.Text();
        Hud() = HudState{};
    }
    void TearDown() override {
        scene_.reset();
        ResetEngineLists();
        Direct3D().UseSystem(nullptr);
        window_.reset();
    }

    // Draws frames of a screen, each drawFrame(seconds) on a fresh grey
    // frame; the last one is read back and saved under png.
    void Shoot(const std::string& png, const std::function<void(const HudFrame&)>& drawFrame,
               int frames = 1, float seconds = 1.0f / 60) {
        for (int i = 0; i < frames; ++i) {
            ASSERT_TRUE(scene_->BeginFrame());
            drawFrame(scene_->Frame(seconds));
            Direct3D().EndScene();
            if (i + 1 == frames) {
                uint32_t width = 0, height = 0;
                ASSERT_TRUE(Direct3D().device()->ReadBackBuffer(frame_, width, height));
                ASSERT_EQ(width, kWidth);
                ASSERT_TRUE(SaveArgbToPng(png.c_str(), frame_, width, height));
                std::printf("saved %s\n", std::filesystem::absolute(png).c_str());
            }
            Direct3D().PresentFrame();
        }
    }
    void ShootHud(const std::string& png, const GameState& g, int frames = 1,
                  float seconds = 1.0f / 60) {
        Shoot(
            png, [&](const HudFrame& f) { DrawHud(g, f); }, frames, seconds);
    }

    Rgb At(int x, int y) const {
        const uint32_t argb = frame_[size_t(y) * kWidth + size_t(x)];
        return {int(argb >> 16 & 255), int(argb >> 8 & 255), int(argb & 255)};
    }
    int Count(Rect r, ColorTest test) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += test(At(x, y));
        return n;
    }
    // How far a region is from the background, on average per pixel.
    double Contrast(Rect r) const {
        double sum = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const Rgb c = At(x, y);
                sum += std::abs(c.r - 0x80) + std::abs(c.g - 0x80) + std::abs(c.b - 0x92);
            }
        return sum / double((r.right - r.left) * (r.bottom - r.top));
    }

    static std::string Png(const char* screen, int language) {
        return std::string("hud_") + screen + "_" + kLanguages[language] + ".png";
    }

    std::unique_ptr<SceneWindow> window_;
    std::unique_ptr<HudScene> scene_;
    std::vector<uint32_t> frame_;
};

GameState Match(int language, int seat, int current) {
    GameState g;
    g.mode = kModeMatch;
    g.language = uint8_t(language);
    g.localSeat = seat;
    g.currentPlayer = current;
    return g;
}

GameState Practice(int language) {
    GameState g;
    g.mode = kModePractice;
    g.language = uint8_t(language);
    g.localSeat = g.currentPlayer = kSideGreen;
    g.practiceLevel = 4;
    g.shotsTaken = 12;
    g.elapsedSeconds = 754;
    g.triesLeft = 4;
    return g;
}

// The practice run in this language under a HUD fresh but for the tries its
// icons show.
GameState PracticeShowingTries(int language, int triesShown) {
    Hud() = HudState{};
    Hud().triesShown = triesShown;
    return Practice(language);
}

const Rect kTurnText{3, 360, 330, 400};
const Rect kClockCorner{490, 330, 570, 400};
const Rect kAboveTheTurn{0, 0, kWidth, 330};

TEST_F(HudDisplayTest, TheTurnScreensNameWhoseTurnItIsAndOnlyTheOwnTurnHasAClock) {
    for (int l = 0; l < kLanguageCount; ++l) {
        SCOPED_TRACE(kLanguages[l]);
        GameState own = Match(l, kSideGreen, kSideGreen);
        own.turnSeconds = 17;
        ShootHud(Png("own_turn", l), own, 20);
        EXPECT_GT(Count(kTurnText, Green), 150);
        EXPECT_GT(Count(kClockCorner, NotGrey), 1500);  // the explosion and "43"
        EXPECT_GT(Count({515, 366, 570, 400}, White), 40);
        EXPECT_EQ(Count(kAboveTheTurn, NotGrey), 0);

        ShootHud(Png("opponents_turn", l), Match(l, kSideGreen, kSideRed));
        EXPECT_GT(Count(kTurnText, Red), 150);
        EXPECT_EQ(Count(kClockCorner, NotGrey), 0);
        EXPECT_EQ(Count(kAboveTheTurn, NotGrey), 0);

        ShootHud(Png("spectator", l), Match(l, kSeatSpectator, kSideGreen));
        EXPECT_GT(Count(kTurnText, Green), 150);
        EXPECT_EQ(Count(kTurnText, Red), 0);
        EXPECT_EQ(Count(kClockCorner, NotGrey), 0);
    }
}

TEST_F(HudDisplayTest, EachResultBannerShowsItsWordsInTheirColourOverTheExplosion) {
    struct Banner {
        const char* name;
        int seat, winner;
        ColorTest color;
    };
    const Banner banners[] = {{"you_won", kSideGreen, kSideGreen, Green},
                              {"you_lost", kSideRed, kSideGreen, Green},
                              {"red_won", kSeatSpectator, kSideRed, Red},
                              {"green_won", kSeatSpectator, kSideGreen, Green},
                              {"draw", kSideGreen, kWinnerDraw, White}};
    for (const Banner& banner : banners) {
        for (int l = 0; l < kLanguageCount; ++l) {
            SCOPED_TRACE(std::string(banner.name) + " " + kLanguages[l]);
            Hud() = HudState{};
            GameState g = Match(l, banner.seat, kSideGreen);
            g.winner = uint8_t(banner.winner);
            ShootHud(Png(banner.name, l), g, 10);
            EXPECT_GT(Count({140, 180, 430, 222}, banner.color), 250);
            EXPECT_GT(Count({161, 126, 409, 274}, NotGrey), 15000);  // the banner
            EXPECT_EQ(Count({0, 0, 150, 110}, NotGrey), 0);
            EXPECT_EQ(Count({420, 290, kWidth, kHeight}, NotGrey), 0);
        }
    }
}

TEST_F(HudDisplayTest, ThePracticeRunsEndBannersShowTheResultTimeAndNewRecord) {
    for (int l = 0; l < kLanguageCount; ++l) {
        SCOPED_TRACE(kLanguages[l]);
        GameState g = PracticeShowingTries(l, 4);
        g.practicePhase = kPhaseAllCleared;
        g.newRecordRow = 0;
        ShootHud(Png("run_won", l), g, 10);
        EXPECT_GT(Count({140, 165, 430, 205}, Green), 250);   // "you won!"
        EXPECT_GT(Count({140, 196, 430, 236}, Yellow), 250);  // "em 00:12:34"
        EXPECT_GT(Count({170, 242, 400, 270}, Yellow), 100);  // "(new record!)"

        g = PracticeShowingTries(l, 1);
        g.triesLeft = 1;
        g.practicePhase = kPhaseOutOfTries;
        g.newRecordRow = 4;
        ShootHud(Png("run_lost", l), g, 10);
        EXPECT_GT(Count({140, 180, 430, 222}, Red), 250);  // "you lose"
        EXPECT_GT(Count({170, 222, 400, 250}, Red), 100);  // "(new record!)"
    }
}

TEST_F(HudDisplayTest, ThePracticeHudShowsLevelTriesShotsTimeAndAHintInEachCorner) {
    for (int l = 0; l < kLanguageCount; ++l) {
        SCOPED_TRACE(kLanguages[l]);
        const GameState g = PracticeShowingTries(l, 4);
        Hud().hintState = kHintHold;
        Hud().hintTimer = 0;
        Hud().hintAlpha = 255;
        Hud().hintIndex = uint8_t(5 * kLanguageCount + l);  // the F1 hint
        ShootHud(Png("practice_hint", l), g);
        EXPECT_GT(Count({65, 0, 120, 40}, Yellow), 60);       // the level, "04"
        EXPECT_GT(Count({5, 0, 64, 36}, White), 60);          // "level:"
        EXPECT_GT(Count({300, 0, 566, 22}, White), 60);       // "tries:"
        EXPECT_GT(Count({438, 23, 566, 55}, NotGrey), 2000);  // four disc icons
        EXPECT_GT(Count({5, 374, 565, 400}, Green), 300);     // the hint
        EXPECT_GT(Count({5, 360, 80, 378}, White), 20);       // "hint:"
        EXPECT_GT(Count({470, 368, 570, 400}, Yellow), 60);   // the running clock
        EXPECT_EQ(Count({100, 120, 470, 300}, NotGrey), 0);   // the table stays clear
    }
}

TEST_F(HudDisplayTest, ALostTryFadesTheRightmostIconAndThePauseShowsBigAndYellow) {
    for (int l = 0; l < kLanguageCount; ++l) {
        SCOPED_TRACE(kLanguages[l]);
        GameState g = PracticeShowingTries(l, 4);
        g.triesLeft = 3;
        // Two eighths of a second into the fade: the rightmost icon at half alpha.
        ShootHud(Png("tries_fading", l), g, 3, 0.125f);
        const Rect fading{534, 23, 566, 55}, next{502, 23, 534, 55};
        EXPECT_GT(Contrast(fading), 5);
        EXPECT_LT(Contrast(fading), Contrast(next) * 0.75);

        g = PracticeShowingTries(l, 4);
        g.paused = 1;
        ShootHud(Png("paused", l), g, 12);
        EXPECT_GT(Count({130, 160, 440, 240}, Yellow), 600);
        EXPECT_GT(Count({470, 368, 570, 400}, Green), 60);  // the stopped clock
        EXPECT_EQ(Count({470, 368, 570, 400}, Yellow), 0);
    }
}

TEST_F(HudDisplayTest, TheBestPlaysScreenGlowsOnTheNewRow) {
    LoadBestPlays("/nonexistent/ringdisk.dat");
    for (int l = 0; l < kLanguageCount; ++l) {
        SCOPED_TRACE(kLanguages[l]);
        Hud() = HudState{};
        GameState g;
        g.mode = kModeRecords;
        g.language = uint8_t(l);
        g.newRecordRow = 2;
        Shoot(
            Png("best_plays", l), [&](const HudFrame& f) {
                AdvanceBestPlaysScreen(g, f.frameSeconds);
                DrawRecordsScreen(g, f);
            }, 6, 0.25f);
        EXPECT_EQ(g.mode, kModeRecords);
        EXPECT_GT(Count({150, 5, 420, 40}, Yellow), 200);  // the title
        EXPECT_GT(Count({60, 50, 500, 80}, Yellow), 200);  // the column heads
        EXPECT_GT(Count({60, 138, 500, 168}, Red), 150);   // row 2 glows
        EXPECT_EQ(Count({60, 138, 500, 168}, White), 0);
        EXPECT_GT(Count({60, 109, 500, 138}, White), 150);  // row 1 does not
        EXPECT_GT(Count({60, 341, 500, 370}, White), 150);  // the last row
    }
}

TEST_F(HudDisplayTest, TheHelpPanelHoldsTheWholeHelpTextInBlack) {
    for (int l = 0; l < kLanguageCount; ++l) {
        SCOPED_TRACE(kLanguages[l]);
        Shoot(Png("help", l), [&](const HudFrame&) { DrawHelpPanel(255, kWidth, kHeight, l); });
        // 335 x 300 about (285, 200): pixels 117 to 452, 50 to 349.
        const Rect panel{117, 50, 453, 350};
        EXPECT_GT(Count(panel, Dark), 1500);               // the text
        EXPECT_GT(Contrast({118, 330, 452, 348}), 60);     // a light panel under the last lines
        EXPECT_GT(Count({125, 71, 445, 73}, White), 500);  // the rule under the title
        // Nothing of the text outside the panel.
        EXPECT_EQ(Count({0, 0, 117, kHeight}, NotGrey), 0);
        EXPECT_EQ(Count({453, 0, kWidth, kHeight}, NotGrey), 0);
        EXPECT_EQ(Count({0, 350, kWidth, kHeight}, NotGrey), 0);
    }
}

TEST_F(HudDisplayTest, TheAimingKeysOrTheGamepadShowInAStripUnderTheHelpPanel) {
    for (const bool gamepad : {false, true}) {
        for (int l = 0; l < kLanguageCount; ++l) {
            SCOPED_TRACE(std::string(kLanguages[l]) + (gamepad ? " gamepad" : " keys"));
            Shoot(Png(gamepad ? "help_gamepad" : "help_keys", l), [&](const HudFrame&) {
                DrawHelpPanel(255, kWidth, kHeight, l);
                DrawKeysPanel(255, kWidth, kHeight, l, gamepad);
            });
            // 335 x 46 about (285, 375): pixels 117 to 452, 352 to 397.
            const Rect strip{117, 352, 453, 398};
            EXPECT_GT(Count(strip, Dark), 400);  // three lines of text
            EXPECT_GT(Contrast({118, 390, 452, 397}), 60) << "the last line on the light strip";
            EXPECT_EQ(Count({117, 350, 453, 352}, Dark), 0) << "clear of the help panel";
            EXPECT_EQ(Count({448, 352, 453, 398}, Dark), 0) << "every line inside the strip";
            EXPECT_EQ(Count({0, 0, 117, kHeight}, NotGrey), 0);
            EXPECT_EQ(Count({453, 0, kWidth, kHeight}, NotGrey), 0);
        }
    }
}

TEST_F(HudDisplayTest, FireworksRiseAndBurstOverTheWinnersBanner) {
    for (int l = 0; l < kLanguageCount; ++l) {
        SCOPED_TRACE(kLanguages[l]);
        Hud() = HudState{};
        scene_->fireworks().ResetFireworks();
        GameState g = Match(l, kSideGreen, kSideGreen);
        g.showRandom = RandomSequence(7 + uint32_t(l));
        g.winner = kSideGreen;
        float sinceLaunch = 1;
        int peak = 0;
        Shoot(
            Png("fireworks", l),
            [&](const HudFrame& f) {
                sinceLaunch += f.frameSeconds;
                if (sinceLaunch >= 0.3f) scene_->fireworks().LaunchRocket(g), sinceLaunch = 0;
                peak = std::max(peak, scene_->fireworks().DrawFireworks(g, f.frameSeconds));
                DrawHud(g, f);
            },
            75, 1.0f / 30);
        EXPECT_GE(peak, 60);  // at least one burst
        // Sparks high above the banner, in colour.
        EXPECT_GT(Count({0, 0, kWidth, 120}, NotGrey), 150);
        EXPECT_GT(Count({161, 126, 409, 274}, NotGrey), 15000);
    }
}

}  // namespace
