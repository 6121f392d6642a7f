#include "engine/services/text_encoding.h"

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
