#include "frontend/library/exported_game_library.h"

#include "frontend/wire/wire_text.h"

namespace {

// Where the library's callbacks add what they say: the reports of the call
// in progress, or none between calls. The callbacks are plain C function
// pointers without a context, hence one place for the process.
LibraryReports* reportsOfCall = nullptr;

void Report(LibraryReport report) {
    if (reportsOfCall) reportsOfCall->push_back(std::move(report));
}
void ShootReport(float x, float z, float force, float angle) {
    Report(wire::Shot{x, z, force, angle});
}
void TurnReport(int) {
    Report(report::TurnPassed{});
}
void AimReport(float z, float x, float force, float angle, float phase) {
    Report(AimFromLibrary(z, x, force, angle, phase));
}
// The library's point notification carries nothing we use.
void PointReport(int) {}
void VictoryReport(int result) {
    Report(report::Victory{result});
}

}  // namespace

ExportedGameLibrary::ExportedGameLibrary(LibraryExports exports) : exports_(std::move(exports)) {
    exports_.SetaCallBackShoot(ShootReport);
    exports_.SetaCallBackMudaJogador(TurnReport);
    exports_.SetaCallBackShooting(AimReport);
    exports_.SetaCallBackPoint(PointReport);
    exports_.SetaCallBackVitoria(VictoryReport);
}

LibraryReports ExportedGameLibrary::Collect(const std::function<void()>& call) {
    LibraryReports reports;
    LibraryReports* outer = std::exchange(reportsOfCall, &reports);
    call();
    reportsOfCall = outer;
    return reports;
}

// The handle crosses as a pointer; X11 has no module instance. A library
// that makes a scene again after its end (a stand-in started anew) is live
// again; the real one refuses.
bool ExportedGameLibrary::Initialize(quintptr window, int width, int height, bool debug,
                                     int uiLanguage) {
    initialized_ = Call(exports_.IniciarD3D, reinterpret_cast<void*>(window), nullptr, width,
                        height, debug ? 1 : 0, uiLanguage) == 0;
    if (initialized_) finished_ = false;
    return initialized_;
}

bool ExportedGameLibrary::ResizeScene(int width, int height) {
    return initialized_ && !finished_ && Call(exports_.ResizeScene, width, height) == 0;
}

bool ExportedGameLibrary::IsMoving() {
    return exports_.GetIsMoving() != 0;
}

bool ExportedGameLibrary::Shoot(const wire::Shot& s) {
    return Call(exports_.DispararTiro, s.x, s.z, s.force, s.angle) != 0;
}

// 0: the turn change came from the shooter's machine, so the library does
// not announce it again.
bool ExportedGameLibrary::PassTurnFromPeer() {
    return Call(exports_.MudaJogador, 0) != 0;
}

int ExportedGameLibrary::SideToMove() {
    return exports_.GetPlayer_Atual();
}

int ExportedGameLibrary::LocalSeat() {
    return exports_.GetPlayer_Host();
}

void ExportedGameLibrary::SetLocalSeat(int side) {
    Call(exports_.SetPlayer_Host, side);
}

void ExportedGameLibrary::ShowRemoteAim(const wire::Aim& aim) {
    Call(exports_.SetaShooting, aim.z, aim.x, aim.force, aim.angle, 1);
}

wire::Positions ExportedGameLibrary::ReadPositions() {
    wire::Positions p{};
    for (int disc = 1; disc <= wire::kSyncedDiscs; ++disc) {
        p[(disc - 1) * 2] = exports_.GetDiscoX(disc);
        p[(disc - 1) * 2 + 1] = exports_.GetDiscoZ(disc);
    }
    return p;
}

void ExportedGameLibrary::WritePositions(const wire::Positions& positions) {
    for (int disc = 1; disc <= wire::kSyncedDiscs; ++disc) {
        exports_.SetDiscoX(disc, positions[(disc - 1) * 2]);
        exports_.SetDiscoZ(disc, positions[(disc - 1) * 2 + 1]);
    }
}

void ExportedGameLibrary::SaveDump() {
    Call(exports_.SalvaDump);
}

void ExportedGameLibrary::PlayEffect(int effect) {
    Call(exports_.PlaySFX, static_cast<int16_t>(effect));
}

void ExportedGameLibrary::SetMouseFocus(bool hasFocus) {
    Call(exports_.SetaFoco, hasFocus ? 1 : 0);
}

void ExportedGameLibrary::SetSpecularLight(bool on) {
    Call(exports_.SetaLuz, on);
}

void ExportedGameLibrary::SetReflection(bool on) {
    Call(exports_.SetaMirror, on);
}

void ExportedGameLibrary::SetHighQuality(bool high) {
    Call(exports_.SetaQualidade, high ? 1 : 0);
}

void ExportedGameLibrary::SetSoundEffects(bool on) {
    Call(exports_.SetaAudio, on);
}

void ExportedGameLibrary::SetMusic(bool on) {
    Call(exports_.SetaMusica, on);
}

void ExportedGameLibrary::SetMouseSensitivity(int sensitivity) {
    Call(exports_.SetaMouseS, float(sensitivity));
}

void ExportedGameLibrary::SetDiscColours(DiscColours look) {
    Call(exports_.SetDiscLook, int(look));
}

void ExportedGameLibrary::Finish() {
    Call(exports_.FinalizaD3D);
    finished_ = true;
}

void ExportedGameLibrary::PutSideToMove(int side) {
    Call(exports_.SetPlayer_Atual, side);
}

LibraryReports ExportedGameLibrary::RunStep() {
    return Collect(exports_.AtualizaDiscos);
}

LibraryReports ExportedGameLibrary::RunFrame() {
    return Collect([this] { exports_.RenderCena(); });
}

void ExportedGameLibrary::LayIntro() {
    Call(exports_.ShowIntro);
}

void ExportedGameLibrary::LayMatch(int seat, int seed) {
    Call(exports_.IniciaPartida, seat, seed);
}

// The library keeps names in Windows-1252, as the wire does.
void ExportedGameLibrary::LayPracticeRun(const QString& playerName, uint32_t seed, bool watched) {
    Call(exports_.StartPracticeRun, ToWireText(playerName).constData(), seed, watched ? 1 : 0);
}

void ExportedGameLibrary::LayBestScores() {
    Call(exports_.MostraRecordes);
}

std::unique_ptr<GameLibrary> MakeExportedGameLibrary() {
    return std::make_unique<ExportedGameLibrary>(TheLibrarysExports());
}
