// The only file of the front end that sees the library's C interface.
#include "frontend/core/game_library.h"

#include "frontend/core/wire_text.h"
#include "vexlib/exports.h"

namespace {

// The library's callbacks are plain C function pointers without a context,
// so these trampolines forward to the one attached listener.
GameLibraryListener* attached = nullptr;

extern "C" void ShootTrampoline(float x, float z, float force, float angle) {
    if (attached) attached->OnShoot(x, z, force, angle);
}
extern "C" void TurnTrampoline(int) {
    if (attached) attached->OnTurnPassed();
}
extern "C" void AimTrampoline(float z, float x, float force, float angle, float phase) {
    if (attached) attached->OnAim(z, x, force, angle, phase);
}
extern "C" void PointTrampoline(int) {}
extern "C" void VictoryTrampoline(int result) {
    if (attached) attached->OnVictory(result);
}

}  // namespace

bool ExportedGameLibrary::Initialize(quintptr window, int width, int height, bool debug,
                                     int uiLanguage) {
    // The handle crosses as a pointer; X11 has no module instance.
    return IniciarD3D(reinterpret_cast<void*>(window), nullptr, width, height, debug ? 1 : 0,
                      uiLanguage) == 0;
}

bool ExportedGameLibrary::IsMoving() {
    return GetIsMoving() != 0;
}

bool ExportedGameLibrary::Shoot(const wire::Shot& s) {
    return DispararTiro(s.x, s.z, s.force, s.angle) != 0;
}

// 0: the turn change came from the shooter's machine, so the library does
// not announce it again.
bool ExportedGameLibrary::PassTurnFromPeer() {
    return MudaJogador(0) != 0;
}

int ExportedGameLibrary::SideToMove() {
    return GetPlayer_Atual();
}
void ExportedGameLibrary::SetSideToMove(int side) {
    SetPlayer_Atual(side);
}
int ExportedGameLibrary::LocalSeat() {
    return GetPlayer_Host();
}

void ExportedGameLibrary::ShowRemoteAim(const std::array<float, 4>& aim) {
    SetaShooting(aim[0], aim[1], aim[2], aim[3], 1);
}

void ExportedGameLibrary::StepPhysics() {
    AtualizaDiscos();
}
void ExportedGameLibrary::Render() {
    RenderCena();
}

wire::Positions ExportedGameLibrary::ReadPositions() {
    wire::Positions p{};
    for (int disc = 1; disc <= wire::kSyncedDiscs; ++disc) {
        p[(disc - 1) * 2] = GetDiscoX(disc);
        p[(disc - 1) * 2 + 1] = GetDiscoZ(disc);
    }
    return p;
}

void ExportedGameLibrary::WritePositions(const wire::Positions& positions) {
    for (int disc = 1; disc <= wire::kSyncedDiscs; ++disc) {
        SetDiscoX(disc, positions[(disc - 1) * 2]);
        SetDiscoZ(disc, positions[(disc - 1) * 2 + 1]);
    }
}

void ExportedGameLibrary::ShowIntro() {
    ::ShowIntro();
}
void ExportedGameLibrary::StartMatch(int seat, int seed) {
    IniciaPartida(seat, seed);
}
// The library keeps names in Windows-1252, as the wire does.
void ExportedGameLibrary::StartPractice(const QString& playerName) {
    IniciaOffline(ToWireText(playerName).constData());
}
void ExportedGameLibrary::SaveDump() {
    SalvaDump();
}
void ExportedGameLibrary::ShowBestScores() {
    MostraRecordes();
}
void ExportedGameLibrary::PlayEffect(int effect) {
    PlaySFX(static_cast<int16_t>(effect));
}
void ExportedGameLibrary::SetMouseFocus(bool hasFocus) {
    SetaFoco(hasFocus ? 1 : 0);
}
void ExportedGameLibrary::Shutdown() {
    FinalizaD3D();
}

// Registered in the order shot, turn, aim, point, victory.
void ExportedGameLibrary::Attach(GameLibraryListener* listener) {
    attached = listener;
    SetaCallBackShoot(listener ? ShootTrampoline : nullptr);
    SetaCallBackMudaJogador(listener ? TurnTrampoline : nullptr);
    SetaCallBackShooting(listener ? AimTrampoline : nullptr);
    SetaCallBackPoint(listener ? PointTrampoline : nullptr);
    SetaCallBackVitoria(listener ? VictoryTrampoline : nullptr);
}

void ExportedGameLibrary::Detach(GameLibraryListener* listener) {
    if (attached == listener) Attach(nullptr);
}

void ExportedGameLibrary::SetSpecularLight(bool on) {
    SetaLuz(on);
}
void ExportedGameLibrary::SetReflection(bool on) {
    SetaMirror(on);
}
void ExportedGameLibrary::SetHighQuality(bool high) {
    SetaQualidade(high ? 1 : 0);
}
void ExportedGameLibrary::SetSoundEffects(bool on) {
    SetaAudio(on);
}
void ExportedGameLibrary::SetMusic(bool on) {
    SetaMusica(on);
}
void ExportedGameLibrary::SetMouseSensitivity(int sensitivity) {
    SetaMouseS(float(sensitivity));
}
