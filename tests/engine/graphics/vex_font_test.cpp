// The bitmap font on the recording backend: cells and widths from the
// texture and the width table, measuring, and the quads each printed text
// becomes, aligned and clipped.
#include "engine/graphics/vex_font.h"

#include <cmath>
#include <cstring>
#include <string>

#include "engine/services/vex_package.h"
#include "tests/base/log_tail.h"
#include "tests/engine/graphics/graphics_fixture.h"
#include "tests/engine/services/test_packages.h"

using namespace gfx;

namespace {

// A 512 x 512 font texture (32 x 32 cells) and widths that tell characters
// apart: 'A' 20, 'B' 10, space 8, CR 6, 0xEA ("ê") 17, every other 12.
class BitmapFontTest : public RecordingTest {
protected:
    void SetUp() override {
        RecordingTest::SetUp();
        texture = TextureList().Create("font.tga", 512, 512);
        ASSERT_GT(texture, 0);
        widths.assign(256, 12);
        widths['A'] = 20, widths['B'] = 10, widths[' '] = 8, widths['\r'] = 6, widths[0xEA] = 17;
        WriteTextFile("widths256.dat", std::string(widths.begin(), widths.end()));
    }

    int16_t AddTestFont(const char* table = "widths256.dat", int16_t fixedWidth = 0) {
        return font.AddFont(nullptr, texture, table, fixedWidth);
    }

    // The quads drawn by printing text at (x, y) with the font begun.
    std::vector<RecordedQuad> Print(int16_t index, float x, float y, const char* text) {
        const size_t before = device().draws().size();
        if (font.BeginText(index)) {
            font.PrintText(x, y, "%s", text);
            font.EndText();
        }
        return QuadsOf({device().draws().begin() + long(before), device().draws().end()});
    }

    VEX_Font& font = Fonts();
    int16_t texture = -1;
    std::vector<uint8_t> widths;
};

TEST_F(BitmapFontTest, CellsComeFromTheTextureAndWidthsFromEitherTableForm) {
    LogTail log;
    const int16_t byBytes = AddTestFont();
    ASSERT_GE(byBytes, 0);
    EXPECT_TRUE(log.HasLine("Tamanho de fonte lido com sucesso em <widths256.dat>."));
    const FontRecord& record = *font.FontOf(byBytes);
    EXPECT_FLOAT_EQ(record.nativeCellWidth, 32);
    EXPECT_FLOAT_EQ(record.cellHeight, 32);
    EXPECT_FLOAT_EQ(record.scaleX, 1);
    EXPECT_EQ(record.widths['A'], 20);
    EXPECT_EQ(record.widths[0xEA], 17);

    // The same widths as the low bytes of 16-bit values, high bytes noise.
    std::string wide;
    for (uint8_t w : widths) wide += {char(w), char(0x7F)};
    WriteTextFile("widths512.dat", wide);
    const int16_t byWords = AddTestFont("widths512.dat");
    ASSERT_GE(byWords, 0);
    EXPECT_EQ(0, std::memcmp(record.widths, font.FontOf(byWords)->widths, 256));

    // A short table of 16-bit values sets the characters it covers; the
    // others keep the fixed width, and nothing past its end is read.
    WriteTextFile("widths300.dat", wide.substr(0, 300));
    const FontRecord& shortTable = *font.FontOf(AddTestFont("widths300.dat", 13));
    EXPECT_EQ(shortTable.widths['A'], 20);
    EXPECT_EQ(shortTable.widths[149], 12);
    EXPECT_EQ(shortTable.widths[150], 13);
    EXPECT_EQ(shortTable.widths[0xEA], 13);

    // A missing table is reported, and every width is the fixed one or,
    // without it, the whole cell.
    const FontRecord& fixed = *font.FontOf(AddTestFont("missing.dat", 13));
    EXPECT_TRUE(log.HasLine("AVISO: Erro ao ler arquivo <missing.dat>."));
    EXPECT_EQ(fixed.widths['A'], 13);
    EXPECT_EQ(font.FontOf(AddTestFont(nullptr))->widths['A'], 32);
}

TEST_F(BitmapFontTest, TheWidthTableIsReadFromTheCurrentPackage) {
    std::string wide;
    for (uint8_t w : widths) wide += {char(w), 0};
    ASSERT_EQ(WriteSamplePackage("fonts.vpf", 103,
                                 {{"fonte01.dat", std::vector<uint8_t>(wide.begin(), wide.end())}}),
              "");
    VEX_Package package;
    ASSERT_TRUE(package.Open("fonts.vpf", false));
    Resource().SetPackage(&package);
    const int16_t index = AddTestFont("fonte01.dat");
    Resource().SetPackage(nullptr);
    ASSERT_GE(index, 0);
    EXPECT_EQ(font.FontOf(index)->widths['B'], 10);
}

TEST_F(BitmapFontTest, AFontWithoutAPictureIsRefusedAndCannotBeBegun) {
    LogTail log;
    EXPECT_EQ(font.AddFont(nullptr, 0, "widths256.dat", 13), -1);  // the "null" entry
    EXPECT_EQ(font.AddFont(nullptr, 42, "widths256.dat", 13), -1);
    EXPECT_TRUE(log.Has("AVISO: Textura <42> inválida para a fonte."));
    EXPECT_EQ(font.SlotsUsed(), 0);
    EXPECT_FALSE(font.BeginText(0));
    EXPECT_TRUE(Print(0, 10, 10, "AB").empty());

    Direct3D().UseSystem(std::make_unique<RecordingSystem>());
    EXPECT_EQ(font.AddFont(nullptr, texture, nullptr, 13), -1);
}

TEST_F(BitmapFontTest, MeasuringStartsTheFirstLineAtOneAndEachLineFeedAddsACell) {
    const int16_t index = AddTestFont();
    float width = 0, height = 0;
    EXPECT_FLOAT_EQ(font.MeasureText(index, "AB", &width, &height), 31);
    EXPECT_FLOAT_EQ(height, 32);
    // The second line starts at 0, so the first, one wider, is the widest.
    EXPECT_FLOAT_EQ(font.MeasureText(index, "AB\nAB", &width, &height), 31);
    EXPECT_FLOAT_EQ(height, 64);
    EXPECT_FLOAT_EQ(font.MeasureText(index, "\nAB"), 30);
    font.MeasureText(index, "AB\n", &width, &height);
    EXPECT_FLOAT_EQ(height, 64);
    // Carriage returns count when measuring; bytes above 127 have their own width.
    EXPECT_FLOAT_EQ(font.MeasureText(index, "A\rB"), 37);
    EXPECT_FLOAT_EQ(font.MeasureText(index, "\xEA"), 18);
    EXPECT_FLOAT_EQ(font.MeasureText(index, nullptr, &width, &height), 32);
    EXPECT_FLOAT_EQ(font.MeasureText(99, "AB"), 0);

    // Widths follow the horizontal scale.
    font.SetFontSize(index, 64, 16);
    EXPECT_FLOAT_EQ(font.MeasureText(index, "AB", nullptr, &height), 61);
    EXPECT_FLOAT_EQ(height, 16);
}

TEST_F(BitmapFontTest, ASizeOfZeroOrNotANumberIsTheNativeCell) {
    const int16_t index = AddTestFont();
    font.SetFontSize(index, 38, 19);
    const FontRecord& record = *font.FontOf(index);
    EXPECT_FLOAT_EQ(record.scaleX, 38.0f / 32);
    EXPECT_FLOAT_EQ(record.scaleY, 19.0f / 32);
    font.SetFontSize(index, 0, std::nanf(""));
    EXPECT_FLOAT_EQ(record.cellWidth, 32);
    EXPECT_FLOAT_EQ(record.cellHeight, 32);
    EXPECT_FLOAT_EQ(record.scaleX, 1);
    EXPECT_FLOAT_EQ(record.scaleY, 1);
}

TEST_F(BitmapFontTest, EachCharacterIsOneQuadOverItsCellAndSpacesOnlyAdvance) {
    const int16_t index = AddTestFont();
    font.SetFontColor(0xFF00FF00);
    const uint32_t trianglesBefore = Direct3D().trianglesThisFrame();
    const size_t drawsBefore = device().draws().size();
    const auto quads = Print(index, 10, 20, "A B\xEA");
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_EQ(Direct3D().trianglesThisFrame() - trianglesBefore, 6u);
    EXPECT_EQ(TextureList().boundIndex(0), texture);
    // The whole text in one draw, two triangles a character.
    ASSERT_EQ(device().draws().size(), drawsBefore + 1);
    const RecordedDraw& draw = device().draws().back();
    EXPECT_EQ(draw.type, kPtTriangleList);
    EXPECT_EQ(draw.primitiveCount, 6u);
    EXPECT_EQ(draw.fvf, uint32_t(kFvfXyz | kFvfDiffuse | kFvfTex1));
    EXPECT_EQ(draw.texture, TextureList().TextureOf(texture));
    EXPECT_EQ(draw.indices,
              (std::vector<uint32_t>{0, 1, 2, 2, 1, 3, 4, 5, 6, 6, 5, 7, 8, 9, 10, 10, 9, 11}));

    const RecordedQuad& a = quads[0];
    // Top-left, top-right, bottom-left, bottom-right; 'A' is cell (1, 4).
    const float expected[4][4] = {{10, 20, 0.0625f, 0.25f},
                                  {42, 20, 0.125f, 0.25f},
                                  {10, 52, 0.0625f, 0.3125f},
                                  {42, 52, 0.125f, 0.3125f}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(a.corners[i].x, expected[i][0]);
        EXPECT_FLOAT_EQ(a.corners[i].y, expected[i][1]);
        EXPECT_FLOAT_EQ(a.corners[i].u, expected[i][2]);
        EXPECT_FLOAT_EQ(a.corners[i].v, expected[i][3]);
        EXPECT_EQ(a.corners[i].diffuse, 0xFF00FF00u);
        EXPECT_FLOAT_EQ(a.corners[i].z, 0);
    }
    // The pen moved by 'A' and the space; "ê" (0xEA) is cell (10, 14),
    // read as an unsigned byte.
    EXPECT_FLOAT_EQ(quads[1].corners[0].x, 38);
    EXPECT_FLOAT_EQ(quads[2].corners[0].x, 48);
    EXPECT_FLOAT_EQ(quads[2].corners[0].u, 10 * 0.0625f);
    EXPECT_FLOAT_EQ(quads[2].corners[0].v, 14 * 0.0625f);
}

TEST_F(BitmapFontTest, AlignmentMovesByTheWidestLineAndByOneLineHeight) {
    const int16_t index = AddTestFont();
    font.SetTextAlign(VEX_Font::kRightOrBottom, VEX_Font::kRightOrBottom);
    auto draws = Print(index, 300, 200, "AB\nA");
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_FLOAT_EQ(draws[0].corners[0].x, 300 - 31);
    EXPECT_FLOAT_EQ(draws[0].corners[0].y, 200 - 32);
    EXPECT_FLOAT_EQ(draws[2].corners[0].x, 300 - 31);  // a new line starts at the same x
    EXPECT_FLOAT_EQ(draws[2].corners[0].y, 200);

    font.SetTextAlign(VEX_Font::kCenter, VEX_Font::kCenter);
    draws = Print(index, 300, 200, "AB");
    EXPECT_FLOAT_EQ(draws[0].corners[0].x, 300 - 15.5f);
    EXPECT_FLOAT_EQ(draws[0].corners[0].y, 200 - 16);
    font.SetTextAlign(VEX_Font::kLeftOrTop, VEX_Font::kLeftOrTop);
}

TEST_F(BitmapFontTest, CarriageReturnsNeitherDrawNorAdvanceWhenPrinting) {
    const int16_t index = AddTestFont();
    const auto quads = Print(index, 0, 0, "A\rB");
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_FLOAT_EQ(quads[1].corners[0].x, 20);
}

TEST_F(BitmapFontTest, TextIsClippedAtTheViewportsRightAndBottomButNotAbove) {
    const int16_t index = AddTestFont();  // the viewport is 640 x 480
    // Pens at 600 and 620 draw; at 640 the character and the rest of the
    // line are not drawn.
    EXPECT_EQ(Print(index, 600, 10, "AAAA").size(), 2u);
    EXPECT_TRUE(Print(index, 640, 10, "A").empty());
    EXPECT_TRUE(Print(index, 10, 480, "A").empty());
    // Left of the viewport: a cell whose right part shows is drawn.
    EXPECT_EQ(Print(index, -40, 10, "AAA").size(), 2u);
    EXPECT_EQ(Print(index, 10, -100, "A").size(), 1u);
    // A line feed below the screen's height ends the text.
    EXPECT_EQ(Print(index, 10, 450, "A\nA\nA").size(), 1u);
    EXPECT_EQ(Print(index, 10, 420, "A\nA\nA").size(), 2u);
}

TEST_F(BitmapFontTest, ATextLongerThanTheSharedBufferIsCutNotOverrun) {
    const int16_t index = AddTestFont();
    font.SetFontSize(index, 0.001f, 32);  // every character fits on the screen
    const std::string longText(VEX_Resource::kTextBufferBytes + 500, 'B');
    EXPECT_EQ(Print(index, 0, 0, longText.c_str()).size(), VEX_Resource::kTextBufferBytes - 1);
}

TEST_F(BitmapFontTest, RemovingTheCurrentFontForgetsIt) {
    const int16_t index = AddTestFont();
    const size_t before = device().draws().size();
    ASSERT_TRUE(font.BeginText(index));
    font.PrintText(10, 10, "A");
    font.RemoveFont(index);  // what it printed goes with it
    font.PrintText(10, 10, "A");
    // A new font in the same slot is not current until it is begun.
    ASSERT_EQ(AddTestFont(), index);
    font.PrintText(10, 10, "A");
    EXPECT_EQ(font.EndText(), 0u);
    EXPECT_EQ(device().draws().size(), before);

    ASSERT_TRUE(font.BeginText(index));
    ASSERT_TRUE(font.ReleaseFonts());
    font.PrintText(10, 10, "A");
    font.EndText();
    EXPECT_EQ(device().draws().size(), before);
}

}  // namespace
