#include "frontend/texts/window_texts.h"

#include <array>

#include "frontend/texts/ui_texts.h"

namespace {

// Indexed by Caption.
constexpr std::array<Translations, 62> kCaptions = {{
    {"Jogo", "Game", "Juego"},
    {"Configurações", "Configurations", "Configuraciones"},
    {"Sobre", "About", "Sobre"},
    {"Novo", "New", "Nuevo"},
    {"Ver Recordes", "Best Scores", "Ver Recordes"},
    {"Sair", "Exit", "Salir"},
    {"Vídeo", "Video", "Vídeo"},
    {"Taxa de atualização", "Refresh rate", "Tasa de actualización"},
    {"Lenta (15 FPS)", "Slow (15 FPS)", "Lenta (15 FPS)"},
    {"Médio (30 FPS)", "Medium (30 FPS)", "Medio (30 FPS)"},
    {"Normal (60 FPS)", "Normal (60 FPS)", "Normal (60 FPS)"},
    {"Qualidade", "Quality", "Calidad"},
    {"Baixa", "Low", "Baja"},
    {"Alta", "High", "Alza"},  // "Alza": the Spanish menu has always said so
    {"Luz especular", "Specular light", "Brillo"},
    {"Reflexos", "Reflections", "Reflejos"},
    {"Áudio", "Sound", "Sonido"},
    {"Efeitos sonoros", "Sound effects", "Efectos sonoros"},
    {"Música", "Music", "Música"},
    {"Efeitos do chat", "Chat sound effects", "Efectos de chat"},
    {"Entrada", "Input", "Entrada"},
    // "sensibility": the English menu has always said so
    {"Definir sensibilidade do mouse", "Set mouse sensibility", "Sensibilidad del ratón"},
    {"Outros", "Other", "Otros"},
    {"Modo Ortogral", "Ortogral Mode", "Modo Ortogral"},
    {"Apelido", "Nickname", "Apodo"},
    {"Jogadores", "Players", "Jugadores"},
    {"Jogar online", "Play online", "Jugar online"},
    {"Entrar", "Join", "Entrar"},
    {"Criar", "Create", "Crear"},
    {"Praticar!", "Training!", "Practicar!"},
    {"Iniciar", "Start", "Empezar"},
    {"Encerrar", "Close", "Cerrar"},
    {"Conectar-se a um jogo", "Join a game", "Entrar en un juego"},
    {"Criar um jogo", "Create a game", "Crear un juego"},
    {"Porta", "Port", "Puerta"},
    {"Senha", "Password", "Contraseña"},
    {"Seu IP", "Your IP", "Su IP"},
    {"Conectar!", "Join!", "Entrar!"},
    {"Criar!", "Create!", "Crear!"},
    {"Cancelar", "Cancel", "Cancelar"},
    {"Sim", "Yes", "Sí"},
    {"Não", "No", "No"},
    {"Jogar contra o computador", "Play against the computer", "Jugar contra la computadora"},
    {"Iniciante", "Beginner", "Principiante"},
    {"Clube", "Club", "Club"},
    {"Mestre", "Master", "Maestro"},
    {"Computador", "Computer", "Computadora"},
    {"Tela cheia", "Full screen", "Pantalla completa"},
    {"Assistir a um replay…", "Watch a replay…", "Ver una repetición…"},
    {"Replay", "Replay", "Repetición"},
    {"Pausar / continuar", "Pause / continue", "Pausar / seguir"},
    {"Velocidade 1×", "Speed 1×", "Velocidad 1×"},
    {"Velocidade 2×", "Speed 2×", "Velocidad 2×"},
    {"Velocidade 4×", "Speed 4×", "Velocidad 4×"},
    {"Próxima tacada", "Next shot", "Próximo tiro"},
    {"Parar o replay", "Stop the replay", "Parar la repetición"},
    {"Abrir arquivo…", "Open a file…", "Abrir archivo…"},
    {"Discos para daltônicos (azul e vermelho)", "Colour-blind-safe discs (blue and red)",
     "Discos para daltónicos (azul y rojo)"},
    {"Abrir a porta no roteador (UPnP/NAT-PMP)", "Open the port on the router (UPnP/NAT-PMP)",
     "Abrir la puerta en el router (UPnP/NAT-PMP)"},
    {"Copiar", "Copy", "Copiar"},
    {"Saguão online", "Online lobby", "Sala online"},
    {"Jogar online agora", "Play online now", "Jugar online ahora"},
}};

// Indexed by Hint.
constexpr std::array<Translations, 5> kHints = {{
    {"Clique aqui para entrar em um jogo", "Click here to enter a game",
     "Clique aquí para entrar en un juego"},
    {"Clique aqui para criar um jogo", "Click here to create a game",
     "Clique aquí para crear un juego"},
    {"Clique aqui para iniciar um jogo de treinamento", "Click here to start a training game",
     "Clique aquí para iniciar un juego para practicar"},
    {"Clique aqui para iniciar a partida", "Click here to start the game",
     "Clique aquí para empezar el juego"},
    {"Clique aqui para encerrar ou sair do jogo atual",
     "Click here to close or exit from current game", "Clique aquí para cerrar el juego actual"},
}};

}  // namespace

QString CaptionText(Caption caption, int uiLanguage) {
    return InLanguage(kCaptions[static_cast<size_t>(caption)], uiLanguage);
}

QString HintText(Hint hint, int uiLanguage) {
    return InLanguage(kHints[static_cast<size_t>(hint)], uiLanguage);
}
