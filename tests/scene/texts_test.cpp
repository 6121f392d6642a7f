// The texts players read, as the Windows-1252 bytes the fonts draw.
#include "scene/texts.h"

#include "scene/disc_look.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

TEST(TextsTest, AccentedTextsAreSingleBytesAndFitTheirOldSlots) {
    EXPECT_STREQ(MessageText(Message::kYouWon, 0), "voc\xEA ganhou!");
    EXPECT_STREQ(MessageText(Message::kLevel, 0), "n\xEDvel");
    EXPECT_STREQ(MessageText(Message::kNewRecord, 2),
                 "nuevo r\xE9"
                 "cord!");
    EXPECT_STREQ(MessageText(Message::kOwnTurn, 1), "your turn");
    EXPECT_STREQ(MessageText(Message::kPaused, 2), "pausado");
    // "você ganhou!" fills its 13-byte slot with its terminating zero.
    EXPECT_EQ(std::strlen(MessageText(Message::kYouWon, 0)) + 1, 13u);
    EXPECT_EQ(std::strlen(MessageText(Message::kOpponentsTurn, 2)) + 1, 19u);
}

TEST(TextsTest, ALanguageOutsideTheThreeReadsAsTheNearest) {
    EXPECT_STREQ(MessageText(Message::kDraw, -4), "empate");
    EXPECT_STREQ(MessageText(Message::kDraw, 1), "draw game");
    EXPECT_STREQ(MessageText(Message::kTime, 200), "tiempo");
    EXPECT_EQ(HelpText(9), HelpText(2));
}

TEST(TextsTest, HintsRunHintByHintInThreeLanguagesWithTheirQuotes) {
    EXPECT_STREQ(HintText(0, DiscLook::kClassic), "use \"shift\" para ajuste fino do disparo");
    EXPECT_STREQ(HintText(1, DiscLook::kClassic), "use \"shift\" to fine tune your shot");
    EXPECT_STREQ(HintText(8, DiscLook::kClassic), "shift+bot\xF3n derecho para resetar el giro de la mesa");
    EXPECT_STREQ(HintText(9, DiscLook::kClassic),
                 "n\xE3o deixe o disco amarelo cair na ca\xE7"
                 "apa");
    EXPECT_STREQ(HintText(26, DiscLook::kClassic), "aprete \"P\" para pausar cuando jugar solo");
    EXPECT_STREQ(HintText(99, DiscLook::kClassic), HintText(26, DiscLook::kClassic));
}

TEST(TextsTest, TheHelpTextsKeepTheirLinesBlanksAndEmptyLines) {
    const auto portuguese = Lines(HelpText(0)), english = Lines(HelpText(1)),
               spanish = Lines(HelpText(2));
    EXPECT_EQ(portuguese.size(), 22u);
    EXPECT_EQ(english.size(), 21u);
    EXPECT_EQ(spanish.size(), 22u);
    EXPECT_EQ(portuguese[0],
              "Instru\xE7\xF5"
              "es de jogo");
    EXPECT_EQ(portuguese[2], "Sua vez de jogar \xE9 indicada no letreiro abaixo, ");
    EXPECT_EQ(portuguese.back(), "Bom divertimento!");
    // No trailing blank on this one line, and two empty lines before the end.
    EXPECT_EQ(english[16], "The game will end when you clear all the discs of");
    EXPECT_EQ(english[18], "");
    EXPECT_EQ(english[19], "");
    EXPECT_EQ(english[20], "Have fun!");
    EXPECT_EQ(spanish[9], "determinar la fuerza del disparo.");
    EXPECT_EQ(spanish[2], "El letrero abajo indica si \xE9s su vez de jugar y la ");
    for (const auto* text : {&portuguese, &english, &spanish})
        EXPECT_FALSE(text->back().empty()) << "no final line feed";
}

TEST(TextsTest, TheColourSafeDiscsNameGreensSideBlueInEveryLanguage) {
    constexpr int kGreenDiscsHint = 7;
    const std::vector<Message> greens = {Message::kGreenWon, Message::kGreensTurn};
    const std::vector<Message> reds = {Message::kRedWon, Message::kRedsTurn};
    const DiscLook look = DiscLook::kColourSafe;
    for (int language = 0; language < kLanguageCount; ++language) {
        const std::string hint = HintText(kGreenDiscsHint * kLanguageCount + language, look);
        // azuis, blue, azules
        EXPECT_NE(hint.find(language == 1 ? "blue" : "azu"), std::string::npos) << hint;
        for (Message m : greens) {
            const std::string text = MessageText(InDiscLook(m, look), language);
            EXPECT_NE(text.find(language == 1 ? "blue" : "azul"), std::string::npos) << text;
        }
    }
    // Red's side is still red: its texts are the classic ones.
    std::vector<std::string> safe;
    for (int language = 0; language < kLanguageCount; ++language)
        for (Message m : reds) safe.push_back(MessageText(InDiscLook(m, look), language));
    const DiscLook classic = DiscLook::kClassic;
    EXPECT_STREQ(MessageText(InDiscLook(Message::kGreensTurn, classic), 1), "green's turn");
    EXPECT_STREQ(MessageText(InDiscLook(Message::kGreenWon, classic), 0), "verde ganhou");
    EXPECT_STREQ(HintText(kGreenDiscsHint * kLanguageCount + 1, classic),
                 "playing alone you must put down the green discs");
    for (int language = 0; language < kLanguageCount; ++language)
        for (size_t i = 0; i < reds.size(); ++i)
            EXPECT_EQ(safe[size_t(language) * reds.size() + i], MessageText(reds[i], language));
}

}  // namespace
