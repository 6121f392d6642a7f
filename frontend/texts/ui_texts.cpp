#include "frontend/texts/ui_texts.h"

#include <array>

namespace {

// Indexed by UiText.
constexpr std::array<Translations, 43> kTexts = {{
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
    {"Servidor não encontrado. Confira o nome ou o endereço digitado.",
     "Server not found. Check the name or address you typed.",
     "Server no encontrado. Revise el nombre o la dirección que escribió."},
    {"O nome do servidor não pôde ser consultado a tempo. Confira a sua conexão ou digite o IP.",
     "The server's name could not be looked up in time. Check your connection or type the IP.",
     "No se pudo consultar el nombre del server a tiempo. Revise su conexión o escriba el IP."},
    {"%1 perdeu a conexão. Esperando %1 voltar por até %2 s.",
     "%1 lost the connection. Waiting up to %2 s for %1 to come back.",
     "%1 perdió la conexión. Esperando hasta %2 s que %1 vuelva."},
    {"Ainda esperando %1: faltam %2 s.", "Still waiting for %1: %2 s left.",
     "Todavía esperando a %1: quedan %2 s."},
    {"%1 voltou. O jogo continua.", "%1 is back. The game goes on.",
     "%1 volvió. El juego continúa."},
    {"Conexão perdida. Tentando reconectar por até %1 s...",
     "Connection lost. Trying to reconnect for up to %1 s...",
     "Conexión perdida. Intentando reconectar por hasta %1 s..."},
    {"Reconectando... faltam %1 s.", "Reconnecting... %1 s left.", "Reconectando... quedan %1 s."},
    {"Reconectado. O jogo continua.", "Reconnected. The game goes on.",
     "Reconectado. El juego continúa."},
    {"O replay terminou na mesa gravada.", "The replay ended on the recorded table.",
     "La repetición terminó en la mesa grabada."},
    {"O replay NÃO terminou na mesa gravada: esta versão do jogo não reproduz esta partida.",
     "The replay did NOT end on the recorded table: this version of the game does not give "
     "this match.",
     "La repetición NO terminó en la mesa grabada: esta versión del juego no reproduce este "
     "partido."},
    {"Este treino foi gravado por uma versão mais antiga do jogo e não pode ser assistido.",
     "This training run was recorded by an older version of the game and cannot be watched.",
     "Este ejercicio lo grabó una versión anterior del juego y no se puede ver."},
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
    {"Seus amigos pela internet podem entrar em %1:%2 (porta aberta no roteador por %3).",
     "Friends on the internet can join at %1:%2 (port opened on the router by %3).",
     "Sus amigos por internet pueden entrar en %1:%2 (puerta abierta en el router por %3)."},
    {"O roteador abriu a porta %1, mas o endereço externo dele (%2) não é da internet: há outra "
     "rede entre ele e a internet, e amigos de fora talvez não consigam entrar.",
     "The router opened port %1, but its external address (%2) is not an internet one: another "
     "network lies between it and the internet, and friends outside may not get in.",
     "El router abrió la puerta %1, pero su dirección externa (%2) no es de internet: hay otra "
     "red entre él e internet, y amigos de afuera quizás no puedan entrar."},
    {"O roteador não abriu a porta. Para jogar com amigos pela internet, encaminhe no roteador a "
     "porta TCP %1 para %2.",
     "The router did not open the port. To play with friends on the internet, forward TCP port "
     "%1 to %2 on your router by hand.",
     "El router no abrió la puerta. Para jugar con amigos por internet, redirija en el router la "
     "puerta TCP %1 a %2."},
    {"Procurando o roteador...", "Looking for the router...", "Buscando el router..."},
    {"Nenhum roteador respondeu; amigos pela internet precisam da porta aberta à mão.",
     "No router answered; friends on the internet need the port forwarded by hand.",
     "Ningún router respondió; amigos por internet necesitan la puerta abierta a mano."},
    {"Na rede local: %1", "On the local network: %1", "En la red local: %1"},
    {"Conectado a %1 via o relay do lobby.", "Connected to %1 via the lobby's relay.",
     "Conectado a %1 vía el relay del lobby."},
    {"%1 entrou via o relay do lobby (jogadores pelo relay: %2).",
     "%1 came via the lobby's relay (players relayed: %2).",
     "%1 entró vía el relay del lobby (jugadores por el relay: %2)."},
    {"Não foi possível alcançar o jogo de %1 diretamente e o lobby não tem relay: %1 precisa "
     "abrir a porta TCP %2 no roteador.",
     "The game of %1 cannot be reached directly and the lobby has no relay: %1 must forward TCP "
     "port %2 on the router.",
     "No se pudo alcanzar el juego de %1 directamente y el lobby no tiene relay: %1 debe abrir la "
     "puerta TCP %2 en el router."},
    {"(via o relay do lobby)", "(via the lobby's relay)", "(vía el relay del lobby)"},
}};

}  // namespace

QString Tr(UiText text, int uiLanguage) {
    return InLanguage(kTexts[static_cast<size_t>(text)], uiLanguage);
}

QString InLanguage(const Translations& t, int uiLanguage) {
    constexpr int kEnglish = 2;
    const bool known = uiLanguage >= 1 && uiLanguage <= kLanguageCount;
    return QString::fromUtf8(t[size_t((known ? uiLanguage : kEnglish) - 1)]);
}
