// The settings file's text: how lines, sections and entries are read (so
// that scrambled names survive), that whatever is not touched is written back
// byte for byte with CR LF, that a write which could not be read back is
// refused, and the scrambler's key.
#include "frontend/settings/ini_document.h"

#include <gtest/gtest.h>

#include <random>

#include "frontend/settings/ini_scrambler.h"

namespace {

QByteArray Bytes(std::initializer_list<unsigned char> bytes) {
    QByteArray out;
    for (unsigned char b : bytes) out.append(char(b));
    return out;
}

std::optional<QByteArray> ValueIn(QByteArrayView file, QByteArrayView section, QByteArrayView key) {
    return IniDocument::Parse(file).Value(section, key);
}

TEST(IniReading, LinesEndAtLfAndOneCrBeforeItBelongsToTheLineEnd) {
    const QByteArray file = "[a]\nlf=1\ncrlf=2\r\nkeptcr=3\r\r\nmid=4\r5\nlast=6";
    EXPECT_EQ(ValueIn(file, "a", "lf"), "1");
    EXPECT_EQ(ValueIn(file, "a", "crlf"), "2");
    EXPECT_EQ(ValueIn(file, "a", "keptcr"), "3\r");
    EXPECT_EQ(ValueIn(file, "a", "mid"), "4\r5");
    EXPECT_EQ(ValueIn(file, "a", "last"), "6");
    EXPECT_EQ(IniDocument::Parse(file).Serialize(),
              "[a]\r\nlf=1\r\ncrlf=2\r\nkeptcr=3\r\r\nmid=4\r5\r\nlast=6\r\n");
}

TEST(IniReading, SectionNameRunsToTheLastBracketOfItsLine) {
    const QByteArray about = Scramble("about");  // begins with ']'
    ASSERT_EQ(about.front(), ']');
    const QByteArray file = "[" + about + "]\r\nk=1\r\n[a]b] \t\r\nk=2\r\n  [x=y]\r\nk=3\r\n";
    EXPECT_EQ(ValueIn(file, about, "k"), "1");
    EXPECT_EQ(ValueIn(file, "a]b", "k"), "2");
    EXPECT_EQ(ValueIn(file, "x=y", "k"), "3");
    // Without a closing bracket the line opens no section: what follows stays in "s".
    EXPECT_EQ(ValueIn("[s]\r\n[t=1\r\nk=2\r\n", "s", "k"), "2");
}

TEST(IniReading, OnlySpacesAndTabsAreTrimmedAndTheValueFollowsTheFirstEquals) {
    const QByteArray file =
        Bytes({'[',  's', ']', '\n', ' ', '\t', 'k',  ' ',  '=', ' ',  'a', '=', 'b', '\t',
               '\n', 'n', '=', 0x0B, 'v', 0x00, '\n', '\r', 'c', '\r', '=', 'x', '\n'});
    EXPECT_EQ(ValueIn(file, "s", "k"), "a=b");
    EXPECT_EQ(ValueIn(file, "s", "n"), Bytes({0x0B, 'v', 0x00}));
    EXPECT_EQ(ValueIn(file, "s", "\rc\r"), "x");
    EXPECT_EQ(ValueIn(file, "s", " k"), std::nullopt);
}

TEST(IniReading, NamesCompareIgnoringCaseWindows1252LettersIncluded) {
    // "REFLEXÃO" in the file, "Reflexão" asked for.
    const QByteArray file = Bytes({'[', 'C', 'O', 'N', 'F', 'I',  'G', ']', '\n', 'R',
                                   'E', 'F', 'L', 'E', 'X', 0xC3, 'O', '=', '1',  '\n'});
    EXPECT_EQ(ValueIn(file, "config", Bytes({'R', 'e', 'f', 'l', 'e', 'x', 0xE3, 'o'})), "1");
    EXPECT_EQ(ValueIn(file, "config", Bytes({'R', 'e', 'f', 'l', 'e', 'x', 'a', 'o'})),
              std::nullopt);
}

TEST(IniReading, TheFirstSectionAndTheFirstKeyOfANameCount) {
    const QByteArray file = "k=0\r\n[s]\r\nk=1\r\nK=2\r\n[S]\r\nk=3\r\nj=4\r\n";
    EXPECT_EQ(ValueIn(file, "s", "k"), "1");
    EXPECT_EQ(ValueIn(file, "s", "j"), std::nullopt);
}

TEST(IniWriting, UntouchedLinesComeBackAsTheyWereAndNewOnesGoWhereTheyBelong) {
    IniDocument document =
        IniDocument::Parse("; hand note\n[Main]\nNICK = old\n\x01\x02 binary\n\n[other]\nx=y\n");
    EXPECT_EQ(document.DamagedLineCount(), 2);
    ASSERT_TRUE(document.SetValue("main", "Nick", "zed"));
    ASSERT_TRUE(document.SetValue("main", "_X", "5"));
    ASSERT_TRUE(document.SetValue("Config", "Musica", "1"));
    ASSERT_TRUE(document.SetValue("config", "Qualidade", "0"));
    EXPECT_EQ(document.Serialize(),
              "; hand note\r\n[Main]\r\nNICK =zed\r\n\x01\x02 binary\r\n_X=5\r\n\r\n"
              "[other]\r\nx=y\r\n\r\n[Config]\r\nMusica=1\r\nQualidade=0\r\n");
    document.RemoveKey("MAIN", "nick");
    document.RemoveKey("main", "absent");
    EXPECT_EQ(document.Value("main", "Nick"), std::nullopt);
    EXPECT_EQ(document.Value("main", "_X"), "5");
}

TEST(IniWriting, ANewFileStartsWithItsFirstSection) {
    IniDocument document;
    ASSERT_TRUE(document.SetValue("Encript", "Enable", "0"));
    EXPECT_EQ(document.Serialize(), "[Encript]\r\nEnable=0\r\n");
}

TEST(IniWriting, AnEntryThatWouldNotReadBackIsRefusedAndNothingChanges) {
    IniDocument document = IniDocument::Parse("[s]\r\nk=v\r\n");
    const QByteArray before = document.Serialize();
    for (const QByteArray& key :
         {QByteArray("a=b"), QByteArray("a\rb"), QByteArray("a\n"), QByteArray("[a]"),
          QByteArray(""), QByteArray(" a"), QByteArray("a\t")}) {
        EXPECT_FALSE(document.SetValue("s", key, "1")) << key.toHex().constData();
    }
    EXPECT_FALSE(document.SetValue("s", "k", "a\rb"));
    EXPECT_FALSE(document.SetValue("s", "k", "a\n"));
    EXPECT_FALSE(document.SetValue("s\n", "k", "1"));
    EXPECT_FALSE(document.SetValue("", "k", "1"));
    EXPECT_EQ(document.Serialize(), before);
    // What the scrambler makes of a value is fine as long as no line break comes of it.
    const QByteArray nul = Scramble("<");
    ASSERT_EQ(nul, QByteArray(1, '\0'));
    ASSERT_TRUE(document.SetValue("s", "k", nul + "=]["));
    EXPECT_EQ(IniDocument::Parse(document.Serialize()).Value("s", "k"), nul + "=][");
}

// What a fuzzer would try: any bytes parse, and what they serialize to reads
// back to the same document.
TEST(IniReading, AnyBytesParseAndTheirRewriteIsStable) {
    std::mt19937 random(14);
    const char special[] = {'[', ']', '=', '\r', '\n', ' ', '\t', '\0', 'k'};
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes;
        const int length = int(random() % 200);
        for (int i = 0; i < length; ++i) {
            bytes.append(random() % 2 ? special[random() % sizeof special] : char(random()));
        }
        const QByteArray once = IniDocument::Parse(bytes).Serialize();
        const IniDocument reread = IniDocument::Parse(once);
        EXPECT_EQ(reread.Serialize(), once) << bytes.toHex().constData();
        EXPECT_EQ(reread.DamagedLineCount(), IniDocument::Parse(bytes).DamagedLineCount());
    }
}

TEST(IniReading, IntegersAreDecimalAndNothingElse) {
    EXPECT_EQ(ParseIniInteger("120"), 120);
    EXPECT_EQ(ParseIniInteger("-40"), -40);
    for (const char* bad : {"", "12a", " 1", "+1", "0x10", "99999999999", "-"}) {
        EXPECT_EQ(ParseIniInteger(bad), std::nullopt) << bad;
    }
}

TEST(IniScrambler, XorsWithTheFourKeyBytesInTurn) {
    EXPECT_EQ(Scramble("main"), Bytes({0x51, 0xF0, 0x63, 0x89}));
    EXPECT_EQ(Scramble("Nick"), Bytes({0x72, 0xF8, 0x69, 0x8C}));
    EXPECT_EQ(Scramble("zed"), Bytes({0x46, 0xF4, 0x6E}));
    EXPECT_EQ(Scramble("about"), Bytes({0x5D, 0xF3, 0x65, 0x92, 0x48}));
    EXPECT_EQ(Scramble("TrackBar1"), Bytes({0x68, 0xE3, 0x6B, 0x84, 0x57, 0xD3, 0x6B, 0x95, 0x0D}));
    EXPECT_EQ(Scramble("Porta"), Bytes({0x6C, 0xFE, 0x78, 0x93, 0x5D}));
    EXPECT_EQ(Scramble(""), QByteArray());
    QByteArray every;
    for (int b = 0; b < 256; ++b) every.append(char(b));
    EXPECT_EQ(Scramble(Scramble(every)), every);
}

}  // namespace
