// The nine pictures decode, have sides the device takes, and are laid out
// the way the scene cuts them: two stacked frames for the logo and the
// explosion, a 16 x 16 character grid for the font, opaque wood, and
// transparent surroundings for everything drawn as a sprite.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "built_package.h"

namespace {

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    const uint8_t* At(int x, int y) const { return &rgba[(std::size_t(y) * width + x) * 4]; }
    uint8_t Alpha(int x, int y) const { return At(x, y)[3]; }
};

Picture Decode(const char* name) {
    Picture p;
    const std::vector<uint8_t> bytes = PackageEntryBytes(name);
    int channels = 0;
    uint8_t* data =
        stbi_load_from_memory(bytes.data(), int(bytes.size()), &p.width, &p.height, &channels, 4);
    if (data) {
        p.rgba.assign(data, data + std::size_t(p.width) * p.height * 4);
        stbi_image_free(data);
    }
    return p;
}

bool IsPowerOfTwo(int v) {
    return v > 0 && (v & (v - 1)) == 0;
}

// Opaque texels (alpha at least half: what survives a one-bit alpha) in a
// rectangle.
int InkIn(const Picture& p, int x0, int y0, int x1, int y1) {
    int ink = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) ink += p.Alpha(x, y) >= 128;
    return ink;
}

}  // namespace

TEST(PictureEntries, DecodeWithPowerOfTwoSides) {
    struct Expected {
        const char* name;
        int width, height;
    };
    // The font's 512 x 512 gives 32 x 32 cells, drawn at 38 x 38; the logo
    // and the explosion are two 256 x 128 frames each.
    const Expected pictures[] = {
        {"mesa1.tga", 512, 512}, {"mesa2.tga", 256, 256}, {"logo.tga", 256, 256},
        {"bastao.tga", 64, 512}, {"boom.tga", 256, 256},  {"fonte01.tga", 512, 512},
        {"spark.tga", 32, 32},   {"rojao.tga", 16, 32},   {"disco.tga", 32, 32}};
    for (const Expected& e : pictures) {
        const Picture p = Decode(e.name);
        ASSERT_FALSE(p.rgba.empty()) << e.name << " does not decode";
        EXPECT_EQ(p.width, e.width) << e.name;
        EXPECT_EQ(p.height, e.height) << e.name;
        EXPECT_TRUE(IsPowerOfTwo(p.width) && IsPowerOfTwo(p.height)) << e.name;
    }
}

TEST(PictureEntries, WoodIsOpaqueEverywhere) {
    for (const char* name : {"mesa1.tga", "mesa2.tga", "bastao.tga"}) {
        const Picture p = Decode(name);
        ASSERT_FALSE(p.rgba.empty()) << name;
        EXPECT_EQ(InkIn(p, 0, 0, p.width, p.height), p.width * p.height) << name;
    }
}

// A sprite frame is drawn as a quad: its corners must be transparent or it
// shows as a box, and its picture must not run into the frame below it, or
// filtering bleeds one frame into the other.
TEST(PictureEntries, SpritesHaveTransparentSurroundingsAndSeparateFrames) {
    for (const char* name : {"logo.tga", "boom.tga", "spark.tga", "rojao.tga", "disco.tga"}) {
        const Picture p = Decode(name);
        ASSERT_FALSE(p.rgba.empty()) << name;
        for (int y : {0, p.height - 1})
            for (int x : {0, p.width - 1})
                EXPECT_LT(p.Alpha(x, y), 128) << name << " corner " << x << "," << y;
        EXPECT_GT(InkIn(p, 0, 0, p.width, p.height), p.width * p.height / 20)
            << name << " is nearly empty";
    }
    for (const char* name : {"logo.tga", "boom.tga"}) {
        const Picture p = Decode(name);
        const int half = p.height / 2;
        EXPECT_GT(InkIn(p, 0, 0, p.width, half), p.width * half / 10) << name << " frame 0";
        EXPECT_GT(InkIn(p, 0, half, p.width, p.height), p.width * half / 10) << name << " frame 1";
        EXPECT_EQ(InkIn(p, 0, half - 1, p.width, half + 1), 0) << name << " frames touch";
    }
}

TEST(PictureEntries, FontGridHoldsOutlinedWindows1252Characters) {
    const Picture font = Decode("fonte01.tga");
    ASSERT_EQ(font.width % 16, 0);
    const int cell = font.width / 16;
    auto cellInk = [&](int c) {
        return InkIn(font, (c % 16) * cell, (c / 16) * cell, (c % 16 + 1) * cell,
                     (c / 16 + 1) * cell);
    };
    EXPECT_EQ(cellInk(' '), 0);
    EXPECT_EQ(cellInk(10), 0);
    // Letters, digits and the accented letters of the game's texts
    // ("você ganhou!", "nível", "¿Otra partida?").
    for (int c : {int('A'), int('g'), int('0'), int('!'), int('?'), 0xEA, 0xED, 0xE3, 0xE7, 0xF1,
                  0xBF, 0xC9})
        EXPECT_GT(cellInk(c), 20) << "character " << c;
    // Each glyph is white inside a dark outline, so it reads on any
    // background once tinted.
    int white = 0, dark = 0;
    const int a = 'A';
    for (int y = (a / 16) * cell; y < (a / 16 + 1) * cell; ++y)
        for (int x = (a % 16) * cell; x < (a % 16 + 1) * cell; ++x) {
            const uint8_t* t = font.At(x, y);
            if (t[3] < 200) continue;
            if (t[0] > 230 && t[1] > 230 && t[2] > 230) ++white;
            if (t[0] < 60 && t[1] < 60 && t[2] < 60) ++dark;
        }
    EXPECT_GT(white, 30);
    EXPECT_GT(dark, 30);
}

TEST(PictureEntries, WidthTableMeasuresTheFontsGlyphs) {
    const std::vector<uint8_t> widths = PackageEntryBytes("fonte01.dat");
    ASSERT_EQ(widths.size(), 256u);
    const Picture font = Decode("fonte01.tga");
    const int cell = font.width / 16;
    EXPECT_GT(widths['W'], widths['i']);
    EXPECT_GT(widths['m'], widths['l']);
    EXPECT_GT(widths[' '], 0);
    EXPECT_EQ(widths['0'], widths['9']);  // figures line up in the counters
    for (int c = 32; c < 256; ++c) {
        EXPECT_LE(widths[std::size_t(c)], cell) << "character " << c;
        // The ink, outline included, ends near the advance: the next
        // character starts there, and only outlines may overlap.
        int right = -1;
        for (int y = (c / 16) * cell; y < (c / 16 + 1) * cell; ++y)
            for (int x = 0; x < cell; ++x)
                if (font.Alpha((c % 16) * cell + x, y) >= 128) right = std::max(right, x);
        if (right >= 0) {
            EXPECT_LE(right + 1, widths[std::size_t(c)] + 3) << "character " << c;
        }
    }
}

// The practice HUD's tightest lines, as the game lays them out with this
// font: the run clock starts 100 pixels left of the screen's right edge at
// size 32, and the level's label ends before its number at x 65.
TEST(PictureEntries, TheHudsTightestLinesFitTheirPlaces) {
    const std::vector<uint8_t> widths = PackageEntryBytes("fonte01.dat");
    ASSERT_EQ(widths.size(), 256u);
    auto measure = [&](const std::string& text, float size) {
        float width = 1;
        for (unsigned char c : text) width += float(widths[c]) * size / 32;
        return width;
    };
    EXPECT_LE(measure("00:00:00", 32) - 1, 100);
    for (const char* label : {"n\xEDvel:", "level:", "nivel:"})
        EXPECT_LE(5 + measure(label, 28), 65) << label;
}
