// The TrueType fonts on the recording backend: the game's font, fonts
// from a file of one's own, one begun font at a time with its states put
// back, a font made again at another height, and the refresh after a lost
// device.
#include "engine/graphics/vex_gdi_font.h"

#include <filesystem>

#include "platform/gfx/gfx_font_lookup.h"
#include "tests/base/log_tail.h"
#include "tests/engine/graphics/graphics_fixture.h"

using namespace gfx;

namespace {

class GDIFontTest : public RecordingTest {
protected:
    // The game's own: Verdana (or its stand-in) at 13 pixels.
    int16_t AddVerdana() { return fonts.AddGDIFont(nullptr, 13, 0, 0, 0, 0, "Verdana", nullptr); }

    size_t DrawsOf(int16_t x, int16_t y, const char* text) {
        const size_t before = device().draws().size();
        fonts.PrintGDIText(x, y, "%s", text);
        return device().draws().size() - before;
    }

    // The installed stand-in for Verdana, copied to a file of one's own.
    static bool CopyInstalledFont(const char* path) {
        FontDescription description;
        description.faceName = "Verdana";
        const std::optional<FontFile> installed = FindFontFile(description);
        if (!installed) return false;
        std::filesystem::copy_file(installed->path, path,
                                   std::filesystem::copy_options::overwrite_existing);
        return true;
    }

    VEX_GDIFont& fonts = GDIFonts();
};

TEST_F(GDIFontTest, PrintingDrawsTheWholeTextFromItsCornerInTheStoredColour) {
    const int16_t index = AddVerdana();
    ASSERT_EQ(index, 0);
    EXPECT_EQ(fonts.color(), 0xFF000000u);
    EXPECT_EQ(DrawsOf(10, 10, "AB"), 0u);  // not begun
    fonts.BeginGDIText(index);
    fonts.SetGDIColor(0x80123456);
    ASSERT_EQ(DrawsOf(40, 30, "AB\nA"), 1u);
    const RecordedDraw& draw = device().draws().back();
    EXPECT_EQ(draw.fvf, uint32_t(kFvfXyzRhw | kFvfDiffuse | kFvfTex1));
    EXPECT_EQ(draw.primitiveCount, 6u);  // three glyphs, two triangles each
    float left = 1e9f, top = 1e9f;
    for (const RecordedVertex& v : draw.vertices) {
        EXPECT_EQ(v.diffuse, 0x80123456u);
        left = std::min(left, v.x), top = std::min(top, v.y);
    }
    EXPECT_GE(left, 39.5f);
    EXPECT_LT(left, 44);
    EXPECT_GE(top, 29.5f);
    fonts.EndGDIText();
    EXPECT_EQ(fonts.current(), -1);
    EXPECT_EQ(DrawsOf(10, 10, "AB"), 0u);
}

TEST_F(GDIFontTest, BeginningAnotherFontPutsTheFirstOnesStatesBack) {
    const int16_t first = AddVerdana();
    const int16_t second = fonts.AddGDIFont("bold", 20, 1, 0, 0, 0, "Verdana", nullptr);
    ASSERT_GE(second, 0);
    device().SetRenderState(kRsZEnable, kZbTrue);
    fonts.BeginGDIText(first);
    EXPECT_EQ(device().renderState(kRsZEnable), uint32_t(kZbFalse));
    // An unknown index leaves the first one begun.
    fonts.BeginGDIText(7);
    EXPECT_EQ(fonts.current(), first);
    fonts.BeginGDIText(second);
    EXPECT_EQ(fonts.current(), second);
    fonts.EndGDIText();
    EXPECT_EQ(device().renderState(kRsZEnable), uint32_t(kZbTrue));
    // Ending with nothing begun changes nothing.
    device().ForgetCalls();
    fonts.EndGDIText();
    EXPECT_TRUE(device().calls().empty());
}

TEST_F(GDIFontTest, RemovingTheBegunFontEndsItAndItsPrintingStops) {
    const int16_t index = AddVerdana();
    device().SetRenderState(kRsZEnable, kZbTrue);
    fonts.BeginGDIText(index);
    fonts.RemoveGDIFont(index);
    EXPECT_EQ(device().renderState(kRsZEnable), uint32_t(kZbTrue));
    EXPECT_EQ(fonts.current(), -1);
    ASSERT_EQ(AddVerdana(), index);  // the slot again, not begun
    EXPECT_EQ(DrawsOf(10, 10, "AB"), 0u);
}

TEST_F(GDIFontTest, AFontFileIsReadWhereItLiesAndANonFontIsRefusedFirst) {
    ASSERT_TRUE(CopyInstalledFont("own_font.ttf")) << "no font installed";
    const int16_t own = fonts.AddGDIFont("own", 16, 0, 0, 0, 0, "Own Face", "own_font.ttf");
    ASSERT_GE(own, 0);
    EXPECT_NE(fonts.FontOf(own)->texture(), nullptr);

    LogTail log;
    WriteTextFile("not_a_font.ttf", "plain words, no glyphs");
    EXPECT_EQ(fonts.AddGDIFont(nullptr, 13, 0, 0, 0, 0, "Verdana", "not_a_font.ttf"), -1);
    EXPECT_EQ(fonts.AddGDIFont(nullptr, 13, 0, 0, 0, 0, "Verdana", "missing.ttf"), -1);
    EXPECT_TRUE(log.HasLine("AVISO: Erro ao carregar fonte TTF <not_a_font.ttf>."));
    EXPECT_TRUE(log.HasLine("AVISO: Erro ao carregar fonte TTF <missing.ttf>."));
    EXPECT_FALSE(fonts.IsValid(own + 1));

    Direct3D().UseSystem(std::make_unique<RecordingSystem>());
    EXPECT_EQ(AddVerdana(), -1);
}

TEST_F(GDIFontTest, ARefreshLeavesEveryFontReadyToDraw) {
    const int16_t index = AddVerdana();
    fonts.RefreshGDIFonts();
    EXPECT_NE(fonts.FontOf(index)->texture(), nullptr);
    fonts.BeginGDIText(index);
    EXPECT_EQ(DrawsOf(0, 0, "A"), 1u);
    fonts.EndGDIText();
}

TEST_F(GDIFontTest, ATextLongerThanTheSharedBufferIsCut) {
    const int16_t index = AddVerdana();
    fonts.BeginGDIText(index);
    const std::string longText(VEX_Resource::kTextBufferBytes + 100, 'A');
    ASSERT_EQ(DrawsOf(0, 0, longText.c_str()), 1u);
    EXPECT_EQ(device().draws().back().primitiveCount, 2 * (VEX_Resource::kTextBufferBytes - 1));
    fonts.EndGDIText();
}

TEST_F(GDIFontTest, AFontMadeAgainAtAnotherHeightKeepsItsNumberOrStaysAsItWas) {
    const int16_t index = AddVerdana();
    const int small = fonts.FontOf(index)->atlas().lineHeight();
    fonts.BeginGDIText(index);
    ASSERT_TRUE(fonts.SetGDIFontHeight(index, 35));
    EXPECT_GT(fonts.FontOf(index)->atlas().lineHeight(), 2 * small);
    // Still begun: it prints without being begun again.
    EXPECT_EQ(fonts.current(), index);
    EXPECT_EQ(DrawsOf(0, 0, "A"), 1u);
    const gfx::Font* made = fonts.FontOf(index);
    EXPECT_TRUE(fonts.SetGDIFontHeight(index, 35));
    EXPECT_EQ(fonts.FontOf(index), made) << "made again at the height it has";
    fonts.EndGDIText();

    // A file of one's own that has gone since: the font stays as it was.
    ASSERT_TRUE(CopyInstalledFont("gone_font.ttf")) << "no font installed";
    const int16_t own = fonts.AddGDIFont("own", 16, 0, 0, 0, 0, "Own Face", "gone_font.ttf");
    ASSERT_GE(own, 0);
    const int ownHeight = fonts.FontOf(own)->atlas().lineHeight();
    std::filesystem::remove("gone_font.ttf");
    LogTail log;
    EXPECT_FALSE(fonts.SetGDIFontHeight(own, 32));
    EXPECT_TRUE(log.HasLine("AVISO: Erro ao criar fonte GDI <Own Face>.")) << log.Text();
    EXPECT_EQ(fonts.FontOf(own)->atlas().lineHeight(), ownHeight);
    fonts.BeginGDIText(own);
    EXPECT_EQ(DrawsOf(0, 0, "A"), 1u);
    fonts.EndGDIText();

    EXPECT_FALSE(fonts.SetGDIFontHeight(own + 1, 20));
    EXPECT_TRUE(log.HasLine("AVISO: Fonte GDI <2> inexistente.")) << log.Text();
}

}  // namespace
