#include "frontend/core/ui_texts.h"

#include <array>

namespace {

// Indexed by UiText.
constexpr std::array<Translations, 25> kTexts = {{
    {"entrou no chat!", "has entered in the chat!", "entró en el chat!"},
    {"saiu do chat!", "left the chat!", "salió del chat!"},
    {"foi expulso do chat!", "was kicked from chat!", "fue expulsado del chat!"},
    {"caiu. (timeout)", "dropped. (timeout)", "se cayó. (timeout)"},
    {"Jogador", "Player", "Jugador"},
    {"IP inválido.", "Invalid IP.", "IP inválido."},
    {"Porta inválida.", "Invalid port.", "Puerta inválida."},
    {"Erro ao tentar conectar ao servidor. IP inválido ou servidor indisponível.",
     "Error when trying to conect to the server. Invalid IP or server is unavaliable.",
     "Error al conectarse al server. IP inválido o el server no está disponible."},
    {"Você foi desconectado ou o servidor foi fechado.",
     "You have been disconnected or the server was closed.",
     "Usted fue desconectado o el server fue cerrado."},
    {"Aviso", "Advice", "Aviso"},
    {"Quer mesmo encerrar este jogo?", "Do you really want to close this game?",
     "Está seguro que quiere terminar este juego?"},
    {"Quer mesmo encerrar este treino?", "Do you really want to exit this training?",
     "Está seguro que quiere terminar este ejercicio?"},
    {"Você foi expulso do chat!", "You were kicked from chat!", "Usted fue expulsado del chat!"},
    {"Seu apelido já está sendo usado!", "Your nickname was already taken!",
     "Su apodo ya está siendo usado!"},
    {"O servidor está cheio.", "The server is full.", "El server está lleno."},
    {"Senha inválida.", "Incorrect password.", "Contraseña inválida."},
    {"Não foi possível criar o jogo nesta porta.", "Could not create the game on this port.",
     "No se pudo crear el juego en esta puerta."},
    {"O replay terminou na mesa gravada.", "The replay ended on the recorded table.",
     "La repetición terminó en la mesa grabada."},
    {"O replay NÃO terminou na mesa gravada: esta versão do jogo não reproduz esta partida.",
     "The replay did NOT end on the recorded table: this version of the game does not give "
     "this match.",
     "La repetición NO terminó en la mesa grabada: esta versión del juego no reproduce este "
     "partido."},
    {"Treinos ficam gravados, mas ainda não podem ser assistidos.",
     "Training runs are recorded but cannot be watched yet.",
     "Los ejercicios se graban, pero aún no se pueden ver."},
    {"Este arquivo não é um replay.", "This file is not a replay.",
     "Este archivo no es una repetición."},
    {"Este replay foi gravado por uma versão mais nova do jogo (formato %1; esta lê até o %2).",
     "This replay was written by a newer version of the game (format %1; this one reads up to "
     "%2).",
     "Esta repetición fue grabada por una versión más nueva del juego (formato %1; esta lee "
     "hasta el %2)."},
    {"Este replay está incompleto.", "This replay is cut short.",
     "Esta repetición está incompleta."},
    {"Este replay está danificado.", "This replay is damaged.", "Esta repetición está dañada."},
    {"Este replay contém valores que nenhuma gravação escreve.",
     "This replay holds values no recording writes.",
     "Esta repetición contiene valores que ninguna grabación escribe."},
}};

}  // namespace

QString Tr(UiText text, int uiLanguage) {
    return InLanguage(kTexts[static_cast<size_t>(text)], uiLanguage);
}

QString InLanguage(const Translations& t, int uiLanguage) {
    switch (uiLanguage) {
        case 1:
            return QString::fromUtf8(t.portuguese);
        case 3:
            return QString::fromUtf8(t.spanish);
        default:
            return QString::fromUtf8(t.english);
    }
}
