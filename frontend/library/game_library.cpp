// The only file of the front end that sees the library's C interface.
#include "frontend/library/game_library.h"

#include <cmath>
#include <utility>

#include "frontend/wire/wire_text.h"
#include "vexlib/exports.h"

wire::Aim AimFromLibrary(float z, float x, float force, float angle, float phase) {
    return {.x = x,
            .z = z,
            .force = force,
            .angle = angle,
            .phase = static_cast<uint8_t>(static_cast<int>(std::trunc(phase)))};
}

namespace {

// The library's callbacks are plain C function pointers without a context,
// so these trampolines forward to the one attached listener.
GameLibraryListener* attached = nullptr;

extern "C" void ShootTrampoline(float x, float z, float force, float angle) {
    if (attached) attached->OnShoot({x, z, force, angle});
}
extern "C" void TurnTrampoline(int) {
    if (attached) attached->OnTurnPassed();
}
extern "C" void AimTrampoline(float z, float x, float force, float angle, float phase) {
    if (attached) attached->OnAim(AimFromLibrary(z, x, force, angle, phase));
}
extern "C" void PointTrampoline(int) {}
extern "C" void VictoryTrampoline(int result) {
    if (attached) attached->OnVictory(result);
}

// Every call goes through until Shutdown, and none after it.
class ExportedGameLibrary : public GameLibrary {
public:
    // The handle crosses as a pointer; X11 has no module instance.
    bool Initialize(quintptr window, int width, int height, bool debug, int uiLanguage) override {
        initialized_ = !finished_ && IniciarD3D(reinterpret_cast<void*>(window), nullptr, width,
                                                height, debug ? 1 : 0, uiLanguage) == 0;
        return initialized_;
    }
    bool ResizeScene(int width, int height) override {
        return initialized_ && !finished_ && ::ResizeScene(width, height) == 0;
    }
    void Shutdown() override {
        if (finished_) return;
        finished_ = true;
        FinalizaD3D();
    }
    bool Finished() const override { return finished_; }

    // Registered in the order shot, turn, aim, point, victory.
    void Attach(GameLibraryListener* listener) override {
        if (finished_) return;
        attached = listener;
        SetaCallBackShoot(listener ? ShootTrampoline : nullptr);
        SetaCallBackMudaJogador(listener ? TurnTrampoline : nullptr);
        SetaCallBackShooting(listener ? AimTrampoline : nullptr);
        SetaCallBackPoint(listener ? PointTrampoline : nullptr);
        SetaCallBackVitoria(listener ? VictoryTrampoline : nullptr);
    }
    void Detach(GameLibraryListener* listener) override {
        if (attached == listener) Attach(nullptr);
    }

    // TableDriver.
    bool IsMoving() override { return !finished_ && GetIsMoving() != 0; }
    bool Shoot(const wire::Shot& s) override {
        return !finished_ && DispararTiro(s.x, s.z, s.force, s.angle) != 0;
    }
    // 0: the turn change came from the shooter's machine, so the library
    // does not announce it again.
    bool PassTurnFromPeer() override { return !finished_ && MudaJogador(0) != 0; }
    int SideToMove() override { return finished_ ? 0 : GetPlayer_Atual(); }
    void SetSideToMove(int side) override { Call(SetPlayer_Atual, side); }
    int LocalSeat() override { return finished_ ? 0 : GetPlayer_Host(); }
    void SetLocalSeat(int side) override { Call(SetPlayer_Host, side); }
    void ShowRemoteAim(const wire::Aim& aim) override {
        Call(SetaShooting, aim.z, aim.x, aim.force, aim.angle, 1);
    }
    void StepPhysics() override { Call(AtualizaDiscos); }
    void Render() override { Call(RenderCena); }
    wire::Positions ReadPositions() override {
        wire::Positions p{};
        if (finished_) return p;
        for (int disc = 1; disc <= wire::kSyncedDiscs; ++disc) {
            p[(disc - 1) * 2] = GetDiscoX(disc);
            p[(disc - 1) * 2 + 1] = GetDiscoZ(disc);
        }
        return p;
    }
    void WritePositions(const wire::Positions& positions) override {
        if (finished_) return;
        for (int disc = 1; disc <= wire::kSyncedDiscs; ++disc) {
            SetDiscoX(disc, positions[(disc - 1) * 2]);
            SetDiscoZ(disc, positions[(disc - 1) * 2 + 1]);
        }
    }

    // TableScreen.
    void ShowIntro() override { Call(::ShowIntro); }
    void StartMatch(int seat, int seed) override { Call(IniciaPartida, seat, seed); }
    // The library keeps names in Windows-1252, as the wire does.
    void StartPractice(const QString& playerName) override {
        Call(IniciaOffline, ToWireText(playerName).constData());
    }
    void StartPracticeRun(const QString& playerName, uint32_t seed, bool watched) override {
        Call(::StartPracticeRun, ToWireText(playerName).constData(), seed, watched ? 1 : 0);
    }
    void SaveDump() override { Call(SalvaDump); }
    void ShowBestScores() override { Call(MostraRecordes); }
    void PlayEffect(int effect) override { Call(PlaySFX, static_cast<int16_t>(effect)); }
    void SetMouseFocus(bool hasFocus) override { Call(SetaFoco, hasFocus ? 1 : 0); }

    // LibraryOptions.
    void SetSpecularLight(bool on) override { Call(SetaLuz, on); }
    void SetReflection(bool on) override { Call(SetaMirror, on); }
    void SetHighQuality(bool high) override { Call(SetaQualidade, high ? 1 : 0); }
    void SetSoundEffects(bool on) override { Call(SetaAudio, on); }
    void SetMusic(bool on) override { Call(SetaMusica, on); }
    void SetMouseSensitivity(int sensitivity) override { Call(SetaMouseS, float(sensitivity)); }
    void SetDiscColours(DiscColours look) override { Call(SetDiscLook, int(look)); }

private:
    // Calls an exported function whose result is not needed, unless the
    // library is finished.
    template <typename Result, typename... Params, typename... Args>
    void Call(Result (*exported)(Params...), Args&&... args) {
        if (!finished_) exported(std::forward<Args>(args)...);
    }

    bool initialized_ = false;
    bool finished_ = false;
};

}  // namespace

std::unique_ptr<GameLibrary> MakeExportedGameLibrary() {
    return std::make_unique<ExportedGameLibrary>();
}
