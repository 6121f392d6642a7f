// The text font on the recording device: what it asks of the device, that
// it leaves the device as it found it, the lost-device path, and clean
// refusals.
#include "platform/gfx/gfx_font.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/text_encoding.h"
#include "tests/engine/graphics/graphics_fixture.h"

using namespace gfx;

namespace {

FontDescription Verdana(int32_t height = 13) {
    FontDescription description;
    description.height = height;
    description.faceName = "Verdana";
    return description;
}

class FontTest : public RecordingTest {
protected:
    std::unique_ptr<Font> MakeFont(const FontDescription& description = Verdana()) {
        return Font::Create(*Direct3D().device(), description);
    }
    uint32_t LastDrawTriangles() {
        return device().draws().empty() ? 0 : device().draws().back().primitiveCount;
    }
};

TEST_F(FontTest, VerdanaResolvesToAnInstalledSansAndFixedPitchToAMonospace) {
    const std::optional<FontFile> sans = FindFontFile(Verdana());
    ASSERT_TRUE(sans);
    EXPECT_NE(sans->path.find("DejaVuSans"), std::string::npos) << sans->path;
    EXPECT_EQ(sans->path.find("Mono"), std::string::npos) << sans->path;
    FontDescription fixed = Verdana();
    fixed.fixedPitch = true;
    const std::optional<FontFile> mono = FindFontFile(fixed);
    ASSERT_TRUE(mono);
    EXPECT_NE(mono->path.find("Mono"), std::string::npos) << mono->path;
}

TEST_F(FontTest, TheCellIsTheHeightAskedForAndBoldInksMore) {
    auto font = MakeFont();
    ASSERT_TRUE(font);
    const GlyphAtlas& atlas = font->atlas();
    EXPECT_NEAR(atlas.lineHeight(), 13, 1);
    // Exactly: lines of a cell height, as Windows spaces them.
    EXPECT_EQ(atlas.lineHeight(), 13);
    ASSERT_NE(font->texture(), nullptr);
    // One texture of the atlas's size, nothing else made.
    EXPECT_EQ(device().CountOf(Call::CreateTexture), 1u);
    LevelDesc desc;
    ASSERT_TRUE(font->texture()->GetLevelDesc(0, desc));
    EXPECT_EQ(desc.width, atlas.width);
    EXPECT_EQ(desc.format, kFormatA8R8G8B8);

    FontDescription bold = Verdana();
    bold.weight = 700;
    auto boldFont = MakeFont(bold);
    ASSERT_TRUE(boldFont);
    auto ink = [](const GlyphAtlas& a, unsigned char c) {
        const Glyph& g = a.glyphs[c];
        int sum = 0;
        for (int y = 0; y < g.height; ++y)
            for (int x = 0; x < g.width; ++x)
                sum += a.coverage[size_t(g.y + y) * a.width + g.x + x];
        return sum;
    };
    EXPECT_GT(ink(boldFont->atlas(), 'm'), ink(atlas, 'm') * 11 / 10);
    EXPECT_GT(boldFont->atlas().glyphs['m'].advance, atlas.glyphs['m'].advance - 1);
}

TEST_F(FontTest, DrawTextSendsOneQuadPerInkedCharacterInWindows1252) {
    auto font = MakeFont();
    ASSERT_TRUE(font);
    device().ForgetCalls();
    // "ê" as its Windows-1252 byte is one glyph; spaces draw nothing.
    const std::string text = ToWindows1252("a ê");
    ASSERT_EQ(text.size(), 3u);
    const int height = font->DrawText(text.c_str(), -1, {10, 20, 0, 0}, 0, 0xFF000000);
    EXPECT_EQ(height, font->atlas().lineHeight());
    ASSERT_EQ(device().draws().size(), 1u);
    const RecordedDraw& draw = device().draws().back();
    EXPECT_EQ(draw.fvf, kFvfXyzRhw | kFvfDiffuse | kFvfTex1);
    EXPECT_EQ(draw.type, kPtTriangleList);
    EXPECT_EQ(draw.primitiveCount, 4u);
    EXPECT_EQ(draw.texture, font->texture());

    // The count limits the bytes; a line feed adds a line.
    font->DrawText("abc", 2, {0, 0, 0, 0}, 0, 0xFF000000);
    EXPECT_EQ(LastDrawTriangles(), 4u);
    EXPECT_EQ(font->DrawText("a\nb", -1, {0, 0, 0, 0}, 0, 0xFF000000),
              2 * font->atlas().lineHeight());
    // An underline is one more quad per line.
    FontDescription underlined = Verdana();
    underlined.underline = true;
    auto underFont = MakeFont(underlined);
    ASSERT_TRUE(underFont);
    underFont->DrawText("a\nb", -1, {0, 0, 0, 0}, 0, 0xFF000000);
    EXPECT_EQ(LastDrawTriangles(), 8u);

    // Formats other than plain top-left are refused, as is no text.
    const size_t drawsBefore = device().draws().size();
    EXPECT_EQ(font->DrawText("abc", -1, {0, 0, 0, 0}, 0x100, 0xFF000000), 0);
    EXPECT_EQ(font->DrawText(nullptr, -1, {0, 0, 0, 0}, 0, 0xFF000000), 0);
    EXPECT_EQ(device().draws().size(), drawsBefore);
}

TEST_F(FontTest, DrawingPutsBackEveryStateItChanged) {
    auto font = MakeFont();
    ASSERT_TRUE(font);
    std::unique_ptr<Texture> scene;
    ASSERT_EQ(device().CreateTexture(4, 4, 1, kFormatA8R8G8B8, scene), Result::Ok);
    // States a scene might have left, unlike the text's own.
    device().SetTexture(0, scene.get());
    device().SetRenderState(kRsZEnable, kZbTrue);
    device().SetRenderState(kRsAlphaBlendEnable, 0);
    device().SetRenderState(kRsDestBlend, kBlendZero);
    device().SetRenderState(kRsCullMode, kCullCCW);
    device().SetTextureStageState(0, kTssColorOp, kTopSelectArg1);
    device().SetTextureStageState(0, kTssMinFilter, kTexfLinear);
    device().SetTextureStageState(1, kTssColorOp, kTopModulate);

    auto expectSceneStates = [&] {
        EXPECT_EQ(device().texture(0), scene.get());
        EXPECT_EQ(device().renderState(kRsZEnable), kZbTrue);
        EXPECT_EQ(device().renderState(kRsAlphaBlendEnable), 0u);
        EXPECT_EQ(device().renderState(kRsDestBlend), kBlendZero);
        EXPECT_EQ(device().renderState(kRsCullMode), kCullCCW);
        EXPECT_EQ(device().stageState(0, kTssColorOp), kTopSelectArg1);
        EXPECT_EQ(device().stageState(0, kTssMinFilter), kTexfLinear);
        EXPECT_EQ(device().stageState(1, kTssColorOp), kTopModulate);
    };
    font->DrawText("abc", -1, {0, 0, 0, 0}, 0, 0xFF000000);
    expectSceneStates();

    // Between Begin and End the text's states hold, and the draws use the glyphs.
    font->Begin();
    EXPECT_EQ(device().renderState(kRsAlphaBlendEnable), 1u);
    EXPECT_EQ(device().renderState(kRsSrcBlend), kBlendSrcAlpha);
    EXPECT_EQ(device().renderState(kRsDestBlend), kBlendInvSrcAlpha);
    EXPECT_EQ(device().renderState(kRsZEnable), kZbFalse);
    EXPECT_EQ(device().stageState(0, kTssColorOp), kTopModulate);
    EXPECT_EQ(device().stageState(1, kTssColorOp), kTopDisable);
    font->DrawText("abc", -1, {0, 0, 0, 0}, 0, 0xFF000000);
    font->DrawText("def", -1, {0, 20, 0, 0}, 0, 0xFF000000);
    EXPECT_EQ(device().texture(0), font->texture());
    EXPECT_EQ(device().renderState(kRsAlphaBlendEnable), 1u);
    font->End();
    expectSceneStates();
    font->End();  // a second End changes nothing
    expectSceneStates();
}

TEST_F(FontTest, AfterALostDeviceTheGlyphTextureComesBackAndTextDrawsAgain) {
    auto font = MakeFont();
    ASSERT_TRUE(font);
    font->OnLostDevice();
    EXPECT_EQ(font->texture(), nullptr);
    device().ForgetCalls();
    EXPECT_EQ(font->DrawText("abc", -1, {0, 0, 0, 0}, 0, 0xFF000000), 0);
    EXPECT_EQ(device().CountOf(Call::Draw), 0u);

    ASSERT_TRUE(font->OnResetDevice());
    EXPECT_EQ(device().CountOf(Call::CreateTexture), 1u);
    ASSERT_NE(font->texture(), nullptr);
    // The glyphs are uploaded again, not blank.
    EXPECT_EQ(static_cast<const RecordingTexture*>(font->texture())->uploads(), 1u);
    const uint8_t* bits = font->texture()->LevelBits(0);
    const Glyph& a = font->atlas().glyphs['a'];
    uint32_t inked = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            inked +=
                bits[size_t(a.y + y) * font->texture()->LevelPitch(0) + size_t(a.x + x) * 4 + 3] >
                128;
    EXPECT_GT(inked, 5u);
    font->DrawText("abc", -1, {0, 0, 0, 0}, 0, 0xFF000000);
    EXPECT_EQ(device().CountOf(Call::Draw), 1u);
    EXPECT_EQ(device().draws().back().texture, font->texture());
    // Resetting again without a loss keeps the texture it has.
    ASSERT_TRUE(font->OnResetDevice());
    EXPECT_EQ(device().CountOf(Call::CreateTexture), 1u);
}

TEST_F(FontTest, CreationFailsCleanlyWhenNoFontIsFoundOrTheDeviceRefusesTheTexture) {
    // A fontconfig configuration that knows no fonts.
    {
        std::ofstream("empty-fonts.conf") << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
        const char* previous = std::getenv("FONTCONFIG_FILE");
        const std::string kept = previous ? previous : "";
        setenv("FONTCONFIG_FILE", std::filesystem::absolute("empty-fonts.conf").c_str(), 1);
        EXPECT_FALSE(FindFontFile(Verdana()));
        EXPECT_EQ(MakeFont(), nullptr);
        if (previous)
            setenv("FONTCONFIG_FILE", kept.c_str(), 1);
        else
            unsetenv("FONTCONFIG_FILE");
    }
    // FreeType cannot open a file that is not a font.
    FontFile bogus;
    bogus.path = "not-a-font.ttf";
    std::ofstream(bogus.path) << "this is not a font";
    GlyphAtlas atlas;
    EXPECT_FALSE(RasteriseGlyphAtlas(bogus, Verdana(), atlas));
    bogus.path = "no-such-file.ttf";
    EXPECT_FALSE(RasteriseGlyphAtlas(bogus, Verdana(), atlas));

    // A device whose textures cannot hold the glyphs.
    RecordingConfig small;
    small.caps.maxTextureSize = 64;
    ASSERT_TRUE(StartRecording(small));
    EXPECT_EQ(MakeFont(), nullptr);
}

}  // namespace
