// The exported functions: thin doors onto the game modules, each working on
// the one process-wide table.
#include "vexlib/exports.h"

#include "game/game_sound.h"
#include "game/intro.h"
#include "game/physics.h"
#include "game/play_mode.h"
#include "game/position_dump.h"
#include "game/practice.h"
#include "game/records.h"
#include "game/rules.h"
#include "game/shot_control.h"
#include "game/table_layout.h"
#include "scene/disc_look.h"
#include "scene/scene_frame.h"
#include "scene/scene_setup.h"
#include "scene/scene_switches.h"

extern "C" {

// The window is the X11 window id of the program's game panel.
int IniciarD3D(void* window, void* instance, int width, int height, int, int language) {
    return StartScene(Game(), reinterpret_cast<unsigned long>(window), instance, width, height,
                      language);
}

void FinalizaD3D() {
    FinishScene(Game());
}

int ResizeScene(int width, int height) {
    return ChangeSceneSize(Game(), width, height);
}

int RenderCena() {
    return RenderScene(Game());
}

void ShowIntro() {
    ReturnToIntro(Game());
}

void SetaLuz(unsigned char on) {
    SetSceneSpecular(Game(), on != 0);
}
void SetaQualidade(unsigned char quality) {
    Game().options.quality = quality;
}
void SetaMirror(unsigned char on) {
    Game().options.mirror = on;
}

void SetaMusica(unsigned char on) {
    GameState& g = Game();
    g.musicOn = on;
    RestartMusicForMode(g);
}

void SetaAudio(unsigned char on) {
    Game().audioOn = on;
    SoundOf(Game()).SetEffectsEnabled(on != 0);
}

void SetaFoco(unsigned char hasFocus) {
    SetFocus(Game(), hasFocus != 0);
}
void SetaMouseS(float sensitivity) {
    Game().mouseSensitivity = sensitivity;
}
void SetDiscLook(int look) {
    SetDiscLookOption(Game(), look);
}
int CanDraw() {
    return Game().rendering ? 0 : 1;
}
float GetFT() {
    return SceneFrameSeconds();
}

void IniciaPartida(int seat, int seed) {
    StartMatch(Game(), seat, seed);
}
void IniciaOffline(const char* playerName) {
    StartPractice(Game(), playerName);
}
void StartPracticeRun(const char* playerName, unsigned int seed, int watched) {
    StartPractice(Game(), playerName, seed, watched != 0);
}
void AtualizaDiscos() {
    StepPhysics(Game());
}

unsigned char DispararTiro(float x, float z, float force, float angle) {
    return FireShot(Game(), x, z, force, angle) ? 1 : 0;
}

unsigned char MudaJogador(int notify) {
    return PassTurn(Game(), notify == 1) ? 1 : 0;
}

void SetaShooting(float z, float x, float force, float angle, unsigned char show) {
    StorePeerAim(Game(), z, x, force, angle, show);
}

void PlaySFX(int16_t effect) {
    if (Game().audioOn) SoundOf(Game()).PlayEffect(effect);
}

void MostraRecordes() {
    ShowBestPlays(Game());
}
void SalvaDump() {
    SavePositionDump(Game());
}

unsigned char GetIsMoving() {
    return Game().isMoving;
}
int GetPlayer_Atual() {
    return Game().currentPlayer;
}
void SetPlayer_Atual(int player) {
    Game().currentPlayer = player;
}
int GetPlayer_Host() {
    return Game().localSeat;
}
void SetPlayer_Host(int seat) {
    Game().localSeat = seat;
}
unsigned char GetPlayer_Pts(int side) {
    return Game().points[side];
}
void SetPlayer_Pts(int side, char value) {
    Game().points[side] = static_cast<uint8_t>(value);
}
float GetDiscoX(int disc) {
    return Game().discs[disc].x;
}
float GetDiscoZ(int disc) {
    return Game().discs[disc].z;
}
void SetDiscoX(int disc, float value) {
    Game().discs[disc].x = value;
}
void SetDiscoZ(int disc, float value) {
    Game().discs[disc].z = value;
}

void SetaCallBackShoot(VexShootCallback callback) {
    Game().outputs.events.shotFired = callback;
}
void SetaCallBackMudaJogador(VexMudaJogadorCallback callback) {
    Game().outputs.events.turnChanged = callback;
}
void SetaCallBackShooting(VexShootingCallback callback) {
    Game().outputs.events.aiming = callback;
}
void SetaCallBackPoint(VexPointCallback callback) {
    Game().outputs.events.point = callback;
}
void SetaCallBackVitoria(VexVitoriaCallback callback) {
    Game().outputs.events.decided = callback;
}

}  // extern "C"

void PoeDiscoOffline(int disc, float x, float z, char color) {
    PlacePracticeDisc(Game(), disc, x, z, color);
}
