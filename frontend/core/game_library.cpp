#include "frontend/core/game_library.h"

#include "frontend/core/table_positions.h"
#include "vexlib/exports.h"

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
    return ReadTablePositions();
}
void ExportedGameLibrary::WritePositions(const wire::Positions& p) {
    WriteTablePositions(p);
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
