#include "base/text_encoding.h"

#include <gtest/gtest.h>

TEST(TextEncoding, LatinLettersBecomeSingleBytes) {
    EXPECT_EQ(ToWindows1252("ação é"), "a\xE7\xE3o \xE9");
    EXPECT_EQ(ToWindows1252("Versão"), "Vers\xE3o");
}

TEST(TextEncoding, WindowsOnlyCharactersUseTheirOwnBytes) {
    EXPECT_EQ(ToWindows1252("€ “x” – Œ"), "\x80 \x93x\x94 \x96 \x8C");
}

TEST(TextEncoding, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(ToWindows1252("a日b😀"), "a?b?");
}

TEST(TextEncoding, BytesThatAreNotUtf8PassUnchanged) {
    const std::string single = "Mesa\xE9.tga\xFF";
    EXPECT_EQ(ToWindows1252(single), single);
    // Converting converted text changes nothing.
    EXPECT_EQ(ToWindows1252(ToWindows1252("não")), "n\xE3o");
    // A lead byte cut off at the end and overlong forms are not UTF-8.
    EXPECT_EQ(ToWindows1252("x\xC3"), "x\xC3");
    EXPECT_EQ(ToWindows1252("\xC0\xAF"), "\xC0\xAF");
}

TEST(TextEncoding, EveryDefinedByteDecodesToTheCharacterThatEncodesBackToIt) {
    int undefined = 0;
    for (int b = 0; b < 256; ++b) {
        const char32_t c = FromWindows1252(static_cast<unsigned char>(b));
        if (c == 0 && b != 0) {
            ++undefined;
            continue;
        }
        std::string utf8;
        if (c < 0x80) {
            utf8.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            utf8 += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
        } else {
            utf8 +=
                {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                 static_cast<char>(0x80 | (c & 0x3F))};
        }
        EXPECT_EQ(ToWindows1252(utf8), std::string(1, static_cast<char>(b))) << "byte " << b;
    }
    EXPECT_EQ(undefined, 5);
    EXPECT_EQ(FromWindows1252(0x80), U'\u20AC');
    EXPECT_EQ(FromWindows1252(0xEA), U'\u00EA');
}
