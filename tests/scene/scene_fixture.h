// Common ground of the scene's tests on the recording backend: a 570 x 400
// device with the scene's textures, fonts and sprites, a fresh HUD, a
// recorded sound output and a seeded generator.
#pragma once

#include <vector>

#include "engine/modules/engine_modules.h"
#include "game/game_random.h"
#include "game/game_sound.h"
#include "game/game_state.h"
#include "scene/hud.h"
#include "scene/hud_state.h"
#include "tests/engine/graphics/graphics_fixture.h"
#include "tests/game/recording_sound.h"
#include "tests/scene/drawn_text.h"
#include "tests/scene/hud_setup.h"

class SceneTest : public RecordingTest {
protected:
    static constexpr int kWidth = 570, kHeight = 400;

    void SetUp() override {
        ASSERT_TRUE(StartRecording({}, kWidth, kHeight));
        CreateBlankHudTextures();
        ASSERT_TRUE(AddHudFontsAndSprites());
        Hud() = HudState{};
        SeedGameRandom(1234);
        SetGameSound(&sound);
    }
    void TearDown() override {
        SetGameSound(nullptr);
        RecordingTest::TearDown();
    }

    // The width of n characters of the blank font at a size.
    static float Measure(size_t n, float size) {
        return 1 + float(n) * size * kBlankGlyphWidth / 32;
    }
    static HudFrame Frame(float seconds = 1.0f / 60) {
        return {kWidth, kHeight, seconds, gfx::kTexfLinear};
    }
    const gfx::Texture* TextureNamed(const char* name) {
        return TextureList().TextureOf(TextureList().FindIndex(name));
    }
    const gfx::Texture* FontTexture() { return TextureNamed("fonte01.tga"); }

    // The draws the HUD made for one frame of a game state.
    std::vector<gfx::RecordedDraw> HudFrameOf(const GameState& g, float seconds = 1.0f / 60) {
        const size_t before = device().draws().size();
        DrawHud(g, Frame(seconds));
        return {device().draws().begin() + long(before), device().draws().end()};
    }
    std::optional<DrawnText> Text(const std::vector<gfx::RecordedDraw>& draws,
                                  const std::string& text) {
        return FindText(draws, FontTexture(), text);
    }

    RecordingSound sound;
};
