#include "frontend/texts/lobby_texts.h"

#include <array>

#include "frontend/texts/ui_texts.h"

namespace {

// Indexed by LobbyText.
constexpr std::array<Translations, 44> kTexts = {{
    {"Saguão online", "Online lobby", "Sala online"},
    {"Anfitrião", "Host", "Anfitrión"},
    {"Jogadores", "Players", "Jugadores"},
    {"Assistindo", "Watching", "Mirando"},
    {"Senha", "Password", "Contraseña"},
    {"Situação", "State", "Estado"},
    {"Versão", "Version", "Versión"},
    {"esperando", "waiting", "esperando"},
    {"em partida", "in a match", "en partida"},
    {"sim", "yes", "sí"},
    {"Versão %1: só quem tem a %2 pode entrar.", "Version %1: only %2 players can join.",
     "Versión %1: solo quien tiene la %2 puede entrar."},
    {"Entrar", "Join", "Entrar"},
    {"Conectar ao saguão…", "Sign in to a lobby…", "Conectarse a una sala…"},
    {"Conversa do saguão", "Lobby chat", "Charla de la sala"},
    {"Conectando a %1…", "Signing in to %1…", "Conectándose a %1…"},
    {"No saguão %1 como %2.", "In the lobby %1 as %2.", "En la sala %1 como %2."},
    {"Fora do saguão.", "Not in a lobby.", "Fuera de la sala."},
    {"Endereço do servidor do saguão (por exemplo lobby.example.org ou lobby.example.org:5222):",
     "The lobby server's address (for example lobby.example.org or lobby.example.org:5222):",
     "Dirección del server de la sala (por ejemplo lobby.example.org o lobby.example.org:5222):"},
    {"Não conhece nenhum? Veja \"Running a lobby\" no README para montar um.",
     "Know none? See \"Running a lobby\" in the README to run one.",
     "¿No conoce ninguno? Vea \"Running a lobby\" en el README para montar uno."},
    {"\"%1\" não é um endereço de servidor.", "\"%1\" is not a server address.",
     "\"%1\" no es una dirección de server."},
    {"O apelido %1 já está no saguão.", "The nickname %1 is already in the lobby.",
     "El apodo %1 ya está en la sala."},
    {"O apelido \"%1\" não pode ser usado no saguão.",
     "The nickname \"%1\" cannot be used in the lobby.",
     "El apodo \"%1\" no puede ser usado en la sala."},
    {"Escolha outro apelido:", "Choose another nickname:", "Elija otro apodo:"},
    {"O jogo de %1 tem senha:", "%1's game has a password:", "El juego de %1 tiene contraseña:"},
    {"O servidor do saguão não pôde ser alcançado.", "The lobby server could not be reached.",
     "No se pudo llegar al server de la sala."},
    {"O servidor do saguão não respondeu a tempo.", "The lobby server did not answer in time.",
     "El server de la sala no respondió a tiempo."},
    {"O servidor do saguão não oferece uma conexão segura (TLS).",
     "The lobby server offers no secure connection (TLS).",
     "El server de la sala no ofrece una conexión segura (TLS)."},
    {"O servidor recusou a entrada anônima.", "The server refused the anonymous sign-in.",
     "El server rechazó la entrada anónima."},
    {"A sala do saguão recusou a entrada.", "The lobby's room refused to let you in.",
     "La sala rechazó la entrada."},
    {"A conexão com o saguão caiu.", "The connection to the lobby was lost.",
     "Se cayó la conexión con la sala."},
    {"%1 não tem mais um jogo aberto.", "%1 has no open game any more.",
     "%1 ya no tiene un juego abierto."},
    {"O jogo de %1 é de outra versão.", "%1's game is of another version.",
     "El juego de %1 es de otra versión."},
    {"%1 não respondeu a tempo.", "%1 did not answer in time.", "%1 no respondió a tiempo."},
    {"Conecte-se ao saguão primeiro.", "Sign in to the lobby first.",
     "Conéctese a la sala primero."},
    {"Encerre o jogo ou o treino atual primeiro.", "Close the current game or practice first.",
     "Termine el juego o la práctica actual primero."},
    {"O jogo de %1 não pode ser alcançado diretamente e o saguão não tem retransmissão.",
     "%1's game cannot be reached directly and the lobby has no relay.",
     "El juego de %1 no se alcanza directamente y la sala no tiene retransmisión."},
    {"O jogo de %1 não pode ser alcançado nem diretamente nem pela retransmissão do saguão.",
     "%1's game cannot be reached, neither directly nor through the lobby's relay.",
     "El juego de %1 no se alcanza ni directamente ni por la retransmisión de la sala."},
    {"A mensagem está vazia.", "The message is empty.", "El mensaje está vacío."},
    {"A mensagem passa de %1 caracteres.", "The message is longer than %1 characters.",
     "El mensaje pasa de %1 caracteres."},
    {"A mensagem tem caracteres de controle.", "The message has control characters.",
     "El mensaje tiene caracteres de control."},
    {"Mensagens demais; espere um pouco.", "Too many messages; wait a moment.",
     "Demasiados mensajes; espere un poco."},
    {"Fora do saguão: a mensagem não foi enviada.", "Not in the lobby: the message was not sent.",
     "Fuera de la sala: el mensaje no fue enviado."},
    {"Não foi possível começar uma partida rápida.", "A quick match could not be started.",
     "No se pudo empezar una partida rápida."},
    {"Só amigos (não listar no saguão)", "Friends only (not listed in the lobby)",
     "Solo amigos (no listar en la sala)"},
}};
static_assert(kTexts.size() == static_cast<size_t>(LobbyText::FriendsOnly) + 1,
              "one row for every LobbyText");

}  // namespace

QString LobbyTr(LobbyText text, int uiLanguage) {
    return InLanguage(kTexts[static_cast<size_t>(text)], uiLanguage);
}
