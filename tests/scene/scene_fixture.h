// Common ground of the scene's tests on the recording backend: a 570 x 400
// device with the scene's textures, fonts and sprites, a fresh HUD, a
// recorded sound output.
#pragma once

#include <string>
#include <vector>

#include "engine/modules/engine_modules.h"
#include "game/game_sound.h"
#include "game/game_state.h"
#include "scene/hud.h"
#include "scene/hud_state.h"
#include "tests/engine/graphics/graphics_fixture.h"
#include "tests/game/recording_sound.h"
#include "tests/scene/drawn_text.h"
#include "scene/scene_assets.h"

// Every character's width in the blank font: 12 of its 32 texels.
constexpr int kBlankGlyphWidth = 12;

// Blank textures of the game's sizes under the game's names, and a loose
// width table of kBlankGlyphWidth for every character.
inline void CreateBlankHudTextures() {
    struct Blank {
        const char* name;
        int16_t width, height;
    };
    const Blank blanks[] = {{"logo.tga", 256, 256},    {"boom.tga", 256, 256},
                            {"fonte01.tga", 512, 512}, {"spark.tga", 32, 32},
                            {"rojao.tga", 16, 32},     {"disco.tga", 32, 32}};
    for (const Blank& blank : blanks) TextureList().Create(blank.name, blank.width, blank.height);
    WriteTextFile("fonte01.dat", std::string(256, char(kBlankGlyphWidth)));
}

class SceneTest : public RecordingTest {
protected:
    static constexpr int kWidth = 570, kHeight = 400;

    void SetUp() override {
        ASSERT_TRUE(StartRecording({}, kWidth, kHeight));
        CreateBlankHudTextures();
        ASSERT_TRUE(AddSceneHelpFont() && MakeSceneSpritesAndFont());
        Hud() = HudState{};
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

    // The quads drawn since a number of draws.
    std::vector<RecordedQuad> QuadsSince(size_t draws) {
        return QuadsOf({device().draws().begin() + long(draws), device().draws().end()});
    }
    // The quads the HUD drew for one frame of a game state.
    std::vector<RecordedQuad> HudFrameOf(const GameState& g, float seconds = 1.0f / 60) {
        const size_t before = device().draws().size();
        DrawHud(g, Frame(seconds));
        return QuadsSince(before);
    }
    std::optional<DrawnText> Text(const std::vector<RecordedQuad>& quads, const std::string& text) {
        return FindText(quads, FontTexture(), text);
    }

    // The sink a test's table names to be heard.
    RecordingSound sound;
};
