// The only file of the front end that sees the library's C interface.
#include "frontend/library/game_library.h"

#include <QDateTime>
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

void LibraryHearing::HandOut(const LibraryReports& reports) {
    const auto deliver = [](GameLibraryListener& to, const LibraryReport& report) {
        std::visit(
            [&to](const auto& r) {
                using R = std::decay_t<decltype(r)>;
                if constexpr (std::is_same_v<R, wire::Shot>) to.OnShoot(r);
                if constexpr (std::is_same_v<R, report::TurnPassed>) to.OnTurnPassed();
                if constexpr (std::is_same_v<R, wire::Aim>) to.OnAim(r);
                if constexpr (std::is_same_v<R, report::Victory>) to.OnVictory(r.result);
                if constexpr (std::is_same_v<R, report::Stepping>) to.OnStepping();
                if constexpr (std::is_same_v<R, report::Stepped>) to.OnStepped();
                if constexpr (std::is_same_v<R, report::SideSet>) to.OnSideSet();
                if constexpr (std::is_same_v<R, TableStart>) to.OnTableLaid(r);
                if constexpr (std::is_same_v<R, report::LeavingTable>) to.OnLeavingTable();
            },
            report);
    };
    // Either may attach, detach or call the library while it hears: the
    // two are looked up afresh for every report.
    for (const LibraryReport& report : reports) {
        if (observer_) deliver(*observer_, report);
        if (listener_) deliver(*listener_, report);
    }
}

void GameLibrary::Shutdown() {
    if (Finished()) return;
    HandOut({report::LeavingTable{}});
    Finish();
}

void GameLibrary::SetSideToMove(int side) {
    PutSideToMove(side);
    HandOut({report::SideSet{}});
}

void GameLibrary::StepPhysics() {
    HandOut({report::Stepping{}});
    LibraryReports reports = RunStep();
    reports.insert(reports.begin(), report::Stepped{});
    HandOut(reports);
}

void GameLibrary::StepSyncedTable() {
    HandOut({report::Stepping{}});
    LibraryReports reports = RunStep();
    std::erase_if(reports, [](const LibraryReport& r) {
        return std::holds_alternative<report::TurnPassed>(r);
    });
    reports.insert(reports.begin(), report::Stepped{});
    HandOut(reports);
}

void GameLibrary::Render() {
    HandOut(RunFrame());
}

void GameLibrary::ShowIntro() {
    HandOut({report::LeavingTable{}});
    LayIntro();
}

void GameLibrary::StartMatch(int seat, int seed) {
    HandOut({report::LeavingTable{}});
    LayMatch(seat, seed);
    HandOut({TableStart{.seat = seat, .seed = seed}});
}

void GameLibrary::StartPractice(const QString& playerName) {
    StartPracticeRun(playerName, PracticeSeed(), false);
}

void GameLibrary::StartPracticeRun(const QString& playerName, uint32_t seed, bool watched) {
    HandOut({report::LeavingTable{}});
    LayPracticeRun(playerName, seed, watched);
    HandOut({TableStart{.practice = true, .runSeed = seed, .watched = watched}});
}

void GameLibrary::ShowBestScores() {
    HandOut({report::LeavingTable{}});
    LayBestScores();
}

uint32_t GameLibrary::PracticeSeed() {
    return static_cast<uint32_t>(QDateTime::currentSecsSinceEpoch());
}

namespace {

// Every call goes through until Shutdown, and none after it. The library's
// callbacks are plain C function pointers without a context: they add to the
// reports of the call in progress, which the call hands out once it returns.
class ExportedGameLibrary : public GameLibrary {
public:
    // Registered in the order shot, turn, aim, point, victory.
    ExportedGameLibrary() {
        SetaCallBackShoot(ShootReport);
        SetaCallBackMudaJogador(TurnReport);
        SetaCallBackShooting(AimReport);
        SetaCallBackPoint(PointReport);
        SetaCallBackVitoria(VictoryReport);
    }

    // The handle crosses as a pointer; X11 has no module instance.
    bool Initialize(quintptr window, int width, int height, bool debug, int uiLanguage) override {
        initialized_ = !finished_ && Call(IniciarD3D, reinterpret_cast<void*>(window), nullptr,
                                          width, height, debug ? 1 : 0, uiLanguage) == 0;
        return initialized_;
    }
    bool ResizeScene(int width, int height) override {
        return initialized_ && !finished_ && Call(::ResizeScene, width, height) == 0;
    }
    bool Finished() const override { return finished_; }

    // TableDriver.
    bool IsMoving() override { return !finished_ && GetIsMoving() != 0; }
    bool Shoot(const wire::Shot& s) override {
        return !finished_ && Call(DispararTiro, s.x, s.z, s.force, s.angle) != 0;
    }
    // 0: the turn change came from the shooter's machine, so the library
    // does not announce it again.
    bool PassTurnFromPeer() override { return !finished_ && Call(MudaJogador, 0) != 0; }
    int SideToMove() override { return finished_ ? 0 : GetPlayer_Atual(); }
    int LocalSeat() override { return finished_ ? 0 : GetPlayer_Host(); }
    void SetLocalSeat(int side) override { Call(SetPlayer_Host, side); }
    void ShowRemoteAim(const wire::Aim& aim) override {
        Call(SetaShooting, aim.z, aim.x, aim.force, aim.angle, 1);
    }
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
    void SaveDump() override { Call(SalvaDump); }
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

protected:
    void Finish() override {
        Call(FinalizaD3D);
        finished_ = true;
    }
    void PutSideToMove(int side) override { Call(SetPlayer_Atual, side); }
    LibraryReports RunStep() override { return Collect(AtualizaDiscos); }
    LibraryReports RunFrame() override { return Collect(RenderCena); }
    void LayIntro() override { Call(::ShowIntro); }
    void LayMatch(int seat, int seed) override { Call(IniciaPartida, seat, seed); }
    // The library keeps names in Windows-1252, as the wire does.
    void LayPracticeRun(const QString& playerName, uint32_t seed, bool watched) override {
        Call(::StartPracticeRun, ToWireText(playerName).constData(), seed, watched ? 1 : 0);
    }
    void LayBestScores() override { Call(MostraRecordes); }

private:
    // Calls an exported function, unless the library is finished, and hands
    // out what the library said during it.
    template <typename Result, typename... Params, typename... Args>
    Result Call(Result (*exported)(Params...), Args&&... args) {
        if constexpr (std::is_void_v<Result>) {
            HandOut(Collect(exported, std::forward<Args>(args)...));
        } else {
            Result result{};
            HandOut(Collect(
                [&] { result = exported(std::forward<Args>(args)...); }));
            return result;
        }
    }
    // Runs the call, unless the library is finished, and answers what the
    // library said during it. A report heard by a call made while reports
    // are handed out belongs to that call.
    template <typename Function, typename... Args>
    LibraryReports Collect(Function&& call, Args&&... args) {
        LibraryReports reports;
        if (finished_) return reports;
        LibraryReports* outer = std::exchange(reportsOfCall_, &reports);
        call(std::forward<Args>(args)...);
        reportsOfCall_ = outer;
        return reports;
    }
    static void Report(LibraryReport report) {
        if (reportsOfCall_) reportsOfCall_->push_back(std::move(report));
    }
    static void ShootReport(float x, float z, float force, float angle) {
        Report(wire::Shot{x, z, force, angle});
    }
    static void TurnReport(int) { Report(report::TurnPassed{}); }
    static void AimReport(float z, float x, float force, float angle, float phase) {
        Report(AimFromLibrary(z, x, force, angle, phase));
    }
    static void PointReport(int) {}
    static void VictoryReport(int result) { Report(report::Victory{result}); }

    // Where the library's callbacks add what they say: the reports of the
    // call in progress, or none between calls.
    static inline LibraryReports* reportsOfCall_ = nullptr;
    bool initialized_ = false;
    bool finished_ = false;
};

}  // namespace

std::unique_ptr<GameLibrary> MakeExportedGameLibrary() {
    return std::make_unique<ExportedGameLibrary>();
}
