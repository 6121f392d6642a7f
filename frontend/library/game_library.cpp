#include "frontend/library/game_library.h"

#include <QDateTime>
#include <cmath>

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
