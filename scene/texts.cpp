#include "scene/texts.h"

#include <algorithm>
#include <array>
#include <string>

#include "base/text_encoding.h"

namespace {

// In the order of Message. Some texts are not the best English or Spanish;
// players know them as they are, so they stay word for word.
constexpr Translations kMessages[] = {
    {"sua vez", "your turn", "su turno"},
    {"vez do oponente", "opponent's turn", "turno del oponente"},
    {"você ganhou!", "you won!", "usted gana!"},
    {"você perdeu", "you lose", "usted pierde"},
    {"vermelho ganhou", "red won", "rojo gana"},
    {"verde ganhou", "green won", "verde gana"},
    {"empate", "draw game", "empate"},
    {"vez do verde", "green's turn", "turno del verde"},
    {"vez do vermelho", "red's turn", "turno del rojo"},
    {"tempo", "time", "tiempo"},
    {"nível", "level", "nivel"},
    {"dica:", "hint:", "pista:"},
    {"tacadas", "shots", "tacadas"},
    {"tentativas:", "tries:", "tentativas:"},
    {"novo recorde!", "new record!", "nuevo récord!"},
    {"Melhores Jogadas", "Best Plays", "Mejores Jugadas"},
    {"nome", "name", "nombre"},
    {"pausado", "paused", "pausado"},
    {"azul ganhou", "blue won", "azul gana"},
    {"vez do azul", "blue's turn", "turno del azul"},
    {"jogando sozinho você derruba os discos azuis",
     "playing alone you must put down the blue discs",
     "jugando solo tú debes derribar los discos azules"},
};
constexpr int kMessageCount = int(std::size(kMessages));

// The hint that names the practice discs' colour.
constexpr int kGreenDiscsHint = 7;

// Word for word as players know them, the odd grammar included.
constexpr Translations kHints[kHintCount] = {
    {"use \"shift\" para ajuste fino do disparo", "use \"shift\" to fine tune your shot",
     "use \"shift\" para ajuste fino del disparo"},
    {"use o botão direito do mouse para girar a mesa", "use right mouse button to rotate the table",
     "use el botón derecho del mouse para girar la mesa"},
    {"shift+botão direito para resetar a rotação da mesa",
     "shift+right button to reset table's rotation",
     "shift+botón derecho para resetar el giro de la mesa"},
    {"não deixe o disco amarelo cair na caçapa", "don't let the yellow disc to fall in a hole",
     "no deje el disco amarillo caer en el bache"},
    {"se o disco amarelo cair, um disco retornará", "if the yellow disc fall, one disc will return",
     "si el disco amarillo caer, un otro retornará"},
    {"aperte e segure \"F1\" para ver a ajuda rápida",
     "press and hold \"F1\" to see the quick help",
     "aprete y mantenga \"F1\" para ver la ayuda rápida"},
    {"jogando online você tem 60 segundos para atirar",
     "on online mode you have 60 seconds to shot",
     "jugando online tú tienes 60 segundos para lanzar"},
    {"jogando sozinho você derruba os discos verdes",
     "playing alone you must put down the green discs",
     "jugando solo tú debes derribar los discos verdes"},
    {"pressione \"P\" para pausar quando jogar sozinho", "press \"P\" to pause when playing alone",
     "aprete \"P\" para pausar cuando jugar solo"},
};

// The quick help, line by line. Trailing blanks, the English line without
// one and the two empty lines before "Have fun!" are as players know them.
constexpr Translations kHelpTexts = {
    "Instruções de jogo\n"
    "\n"
    "Sua vez de jogar é indicada no letreiro abaixo, \n"
    "que indica também a cor dos discos que você deve \n"
    "derrubar. \n"
    "\n"
    "Posicione o disco amarelo na linha vermelha à sua \n"
    "frente, aperte e segure o botão esquerdo do mouse, \n"
    "movimente-o para os lados para determinar o ângulo, \n"
    "para cima e para baixo para determinar a força do \n"
    "disparo. Solte o botão para efetuar o disparo. Para \n"
    "cancelar um disparo, mova o mouse para cima até \n"
    "que o bastão fique bem próximo ao disco amarelo, e \n"
    "então solte o botão. \n"
    "\n"
    "Você pode utilizar o botão direito do mouse para \n"
    "rotacionar a mesa. \n"
    "\n"
    "O jogo termina quando você encaçapar todos os \n"
    "discos de sua cor. \n"
    "\n"
    "Bom divertimento!",

    "How to play\n"
    "\n"
    "The label below shows if it is your turn and what \n"
    "colour of disc you must put down. \n"
    "\n"
    "Put the yellow disc at the red line in front of you, \n"
    "press and hold the left mouse button, move to left \n"
    "and right to determinate the angle, up and down to \n"
    "determinate the power of the shot. \n"
    "Release the mouse button to shot. To cancel a shot, \n"
    "move the mouse all up, so when the staff is closest \n"
    "to the yellow disc, release the button. \n"
    "\n"
    "You can rotate the table by using the right mouse \n"
    "button. \n"
    "\n"
    "The game will end when you clear all the discs of\n"
    "your colour from the table. \n"
    "\n"
    "\n"
    "Have fun!",

    "Instrucciones del juego\n"
    "\n"
    "El letrero abajo indica si és su vez de jugar y la \n"
    "color de los discos que usted debe derribar. \n"
    "\n"
    "Coloque el disco amarillo en la línea roja a su frente, \n"
    "mantenga el botón izquierdo del ratón presionado \n"
    "mientras lo mueve a la izquierda y a la derecha para \n"
    "determinar el ángulo, para arriba y para abajo para \n"
    "determinar la fuerza del disparo.\n"
    "Suelte el botón para realizar el disparo. Para cancelar \n"
    "el disparo, mueva el mouse para arriba hasta que el \n"
    "taco quede bien próximo al disco amarillo, entonces \n"
    "suelte el botón. \n"
    "\n"
    "Usted puede utilizar el botón derecho del mouse para \n"
    "girar la mesa. \n"
    "\n"
    "El juego termina cuando usted derribar todos los \n"
    "discos de su color. \n"
    "\n"
    "Buen divertimiento!",
};

// The keys that aim beside the mouse.
constexpr Translations kKeysHelpTexts = {
    "Teclado: setas ou A/D movem o disco amarelo, Espaço \n"
    "pega o taco; setas esquerda/direita giram, cima/baixo \n"
    "dão a força, Espaço dispara; Shift: ajuste fino.",

    "Keys: arrows or A/D move the yellow disc, Space takes \n"
    "the cue; Left/Right turn it, Up/Down set the force, \n"
    "Space shoots; hold Shift for fine steps.",

    "Teclado: flechas o A/D mueven el disco amarillo, \n"
    "Espacio toma el taco; izq./der. giran, arriba/abajo \n"
    "dan la fuerza, Espacio dispara; Shift: ajuste fino.",
};

// The gamepad's controls, in the same strip when its help button shows it.
constexpr Translations kPadHelpTexts = {
    "Controle: a alavanca move o disco amarelo, A (1º \n"
    "botão) pega o taco; esquerda/direita giram, baixo/ \n"
    "cima dão a força, A dispara; Y (4º botão): esta ajuda.",

    "Gamepad: the stick moves the yellow disc, A (first \n"
    "button) takes the cue; left/right turn it, down/up \n"
    "set the force, A shoots; Y (fourth button): this help.",

    "Mando: la palanca mueve el disco amarillo, A (1.er \n"
    "botón) toma el taco; izq./der. giran, abajo/arriba \n"
    "dan la fuerza, A dispara; Y (4.º botón): esta ayuda.",
};

// Every text as Windows-1252, converted on first use.
struct ConvertedTexts {
    std::array<std::string, kMessageCount * kLanguageCount> messages;
    std::array<std::string, kHintCount * kLanguageCount> hints;
    std::array<std::string, kLanguageCount> help;
    std::array<std::string, kLanguageCount> keysHelp;
    std::array<std::string, kLanguageCount> padHelp;

    ConvertedTexts() {
        for (int l = 0; l < kLanguageCount; ++l) {
            for (int m = 0; m < kMessageCount; ++m)
                messages[size_t(m * kLanguageCount + l)] = ToWindows1252(kMessages[m][size_t(l)]);
            for (int h = 0; h < kHintCount; ++h)
                hints[size_t(h * kLanguageCount + l)] = ToWindows1252(kHints[h][size_t(l)]);
            help[size_t(l)] = ToWindows1252(kHelpTexts[size_t(l)]);
            keysHelp[size_t(l)] = ToWindows1252(kKeysHelpTexts[size_t(l)]);
            padHelp[size_t(l)] = ToWindows1252(kPadHelpTexts[size_t(l)]);
        }
    }
};

const ConvertedTexts& Texts() {
    static const ConvertedTexts texts;
    return texts;
}

}  // namespace

int ClampLanguage(int language) {
    return std::clamp(language, 0, kLanguageCount - 1);
}

Message InDiscLook(Message message, DiscLook look) {
    if (look != DiscLook::kColourSafe) return message;
    if (message == Message::kGreenWon) return Message::kBlueWon;
    if (message == Message::kGreensTurn) return Message::kBluesTurn;
    return message;
}

const char* MessageText(Message message, int language) {
    const int m = std::min(int(message), kMessageCount - 1);
    return Texts().messages[size_t(m * kLanguageCount + ClampLanguage(language))].c_str();
}

const char* HintText(int slot, DiscLook look) {
    const int last = kHintCount * kLanguageCount - 1;
    slot = std::clamp(slot, 0, last);
    if (slot / kLanguageCount == kGreenDiscsHint && look == DiscLook::kColourSafe)
        return MessageText(Message::kBlueDiscsHint, slot % kLanguageCount);
    return Texts().hints[size_t(slot)].c_str();
}

const char* HelpText(int language) {
    return Texts().help[size_t(ClampLanguage(language))].c_str();
}

const char* KeysHelpText(int language) {
    return Texts().keysHelp[size_t(ClampLanguage(language))].c_str();
}

const char* PadHelpText(int language) {
    return Texts().padHelp[size_t(ClampLanguage(language))].c_str();
}
