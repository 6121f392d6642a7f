// The real library behind the front end's door: every call reaches it until
// it is shut down, and none after, whoever still asks (the close leaves the
// online game after the library has released its scene).
#include "frontend/library/game_library.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/library/library_exports.h"
#include "recording_library.h"
#include "vexlib/exports.h"

namespace {

// Writes down every report in the order heard, with the side to move then.
struct ReportLog : GameLibraryListener {
    explicit ReportLog(TableDriver& table) : table(table) {}
    void Note(const char* what) { heard.push_back(what + std::to_string(table.SideToMove())); }
    void OnShoot(const wire::Shot&) override { Note("shot"); }
    void OnTurnPassed() override { Note("turn"); }
    void OnVictory(int) override { Note("victory"); }
    void OnStepping() override { Note("stepping"); }
    void OnStepped() override { Note("stepped"); }
    void OnSideSet() override { Note("side"); }
    void OnTableLaid(const TableStart& start) override {
        Note(start.practice ? "run" : "match");
    }
    void OnLeavingTable() override { Note("leaving"); }
    TableDriver& table;
    std::vector<std::string> heard;
};

// The turn clock of the player to move runs out inside a step: the library
// calls back from inside it, and the seam hands that out once the step has
// returned, after the step itself, to the observer first. The listener may
// then call the library again: the turn it hands back is the table's at once.
TEST(ExportedGameLibrary, WhatTheLibrarySaysInsideAStepIsHandedOutAfterIt) {
    auto library = MakeExportedGameLibrary();
    ReportLog observer(*library);
    library->Observe(&observer);
    library->StartMatch(1, 417);  // playing green, on the turn clock
    ASSERT_EQ(observer.heard.size(), 2u);
    EXPECT_EQ(observer.heard[0].rfind("leaving", 0), 0u) << "told while the old table stands";
    EXPECT_EQ(observer.heard[1], "match0");

    struct HandBack : GameLibraryListener {
        explicit HandBack(GameLibrary& l) : library(l) {}
        void OnTurnPassed() override {
            sideHeard = library.SideToMove();
            library.PassTurnFromPeer();
        }
        GameLibrary& library;
        int sideHeard = -1;
    } handBack(*library);
    library->Attach(&handBack);
    int steps = 0;
    while (handBack.sideHeard < 0 && steps < 70 * 60) {
        library->StepPhysics();
        ++steps;
    }
    ASSERT_EQ(handBack.sideHeard, 1) << "the turn passed to red within the clock's time";
    EXPECT_EQ(library->SideToMove(), 0) << "handed back after the step";
    const std::vector<std::string> lastStep(observer.heard.end() - 3, observer.heard.end());
    EXPECT_EQ(lastStep, (std::vector<std::string>{"stepping0", "stepped1", "turn1"}));

    library->Observe(nullptr);
    library->Detach(&handBack);
    library->ShowIntro();
    EXPECT_EQ(observer.heard.back(), "turn1") << "an observer let go hears nothing";
}

// A table set by a sync settles for one step; a turn change inside it is not
// the table's and nobody hears it, while everything else is heard as usual.
TEST(GameLibrarySeam, TheStepThatSettlesASyncedTableReportsNoTurnChange) {
    RecordingLibrary library;
    ReportLog log(library);
    library.Attach(&log);
    library.duringNextStep = {report::TurnPassed{}, report::Victory{1}};
    library.StepSyncedTable();
    EXPECT_EQ(log.heard, (std::vector<std::string>{"stepping0", "stepped0", "victory0"}));
    log.heard.clear();
    library.duringNextStep = {report::TurnPassed{}, report::Victory{1}};
    library.StepPhysics();
    EXPECT_EQ(log.heard,
              (std::vector<std::string>{"stepping0", "stepped0", "turn0", "victory0"}));
}

// The door hands each call to the library in the library's own order and
// types: x before z for a shot, z before x for an aim, the discs 1..20 x
// then z, whole numbers as floats, names in Windows-1252.
TEST(GameLibrarySeam, EachCallReachesTheLibraryInItsOwnOrderOfArguments) {
    RecordingLibrary library;
    ASSERT_TRUE(library.Shoot({.x = 1.5f, .z = -21.0f, .force = 7.0f, .angle = 0.25f}));
    ASSERT_EQ(library.shots.size(), 1u);
    EXPECT_EQ(library.shots[0], (wire::Shot{.x = 1.5f, .z = -21.0f, .force = 7.0f, .angle = 0.25f}));

    library.ShowRemoteAim({.x = 2.0f, .z = 20.5f, .force = 3.0f, .angle = -0.5f, .phase = 2});
    ASSERT_EQ(library.shownAims.size(), 1u);
    EXPECT_EQ(library.shownAims[0].x, 2.0f);
    EXPECT_EQ(library.shownAims[0].z, 20.5f);
    EXPECT_EQ(library.shownAims[0].phase, 1) << "shown, whatever the sender's phase";

    wire::Positions positions{};
    for (size_t i = 0; i < positions.size(); ++i) positions[i] = float(i) - 17.5f;
    library.WritePositions(positions);
    EXPECT_EQ(library.positions, positions);
    EXPECT_EQ(library.ReadPositions(), positions);

    library.SetMouseSensitivity(275);
    library.SetDiscColours(DiscColours::ColourSafe);
    library.SetHighQuality(false);
    EXPECT_EQ(library.optionCalls, (std::vector<std::string>{"SetMouseSensitivity(275)",
                                                             "SetDiscColours(1)",
                                                             "SetHighQuality(0)"}));

    library.StartPracticeRun(QString::fromUtf8("Zo\u00eb"), 9, true);
    ASSERT_EQ(library.practiceRuns.size(), 1u);
    EXPECT_EQ(library.practiceRuns[0].name, QString::fromUtf8("Zo\u00eb"));
    EXPECT_EQ(library.practiceRuns[0].seed, 9u);
    EXPECT_TRUE(library.practiceRuns[0].watched);
}

// The real library's table is made from the one list of exports: every
// export has its member, none left empty.
TEST(LibraryExports, TheLibrarysTableHoldsEveryListedExport) {
    const LibraryExports exports = TheLibrarysExports();
    int held = 0;
#define VEX_EXPORT(result, name, parameters) \
    EXPECT_TRUE(static_cast<bool>(exports.name)) << #name;  \
    held += static_cast<bool>(exports.name);
#define VEX_EXPORT_CPP(result, name, parameters, decorated) VEX_EXPORT(result, name, parameters)
#include "vexlib/export_list.h"
#undef VEX_EXPORT
#undef VEX_EXPORT_CPP
    EXPECT_EQ(held, 42);
}

TEST(ExportedGameLibrary, NoCallReachesTheLibraryOnceItIsShutDown) {
    auto library = MakeExportedGameLibrary();
    library->SetSideToMove(1);
    wire::Positions positions = library->ReadPositions();
    positions[0] = 7.25f;
    library->WritePositions(positions);
    ASSERT_EQ(GetPlayer_Atual(), 1);
    ASSERT_EQ(GetDiscoX(1), 7.25f);
    EXPECT_FALSE(library->Finished());

    library->Shutdown();
    EXPECT_TRUE(library->Finished());
    library->SetSideToMove(0);
    library->WritePositions({});
    EXPECT_EQ(GetPlayer_Atual(), 1);
    EXPECT_EQ(GetDiscoX(1), 7.25f);
    // The table reads as at rest and refuses every change.
    EXPECT_EQ(library->SideToMove(), 0);
    EXPECT_EQ(library->ReadPositions(), wire::Positions{});
    EXPECT_FALSE(library->IsMoving());
    EXPECT_FALSE(library->Shoot({0, 21.65f, 5, 0}));
    EXPECT_FALSE(library->PassTurnFromPeer());
    EXPECT_FALSE(library->Initialize(0, 570, 400, false, 2));

    library->Shutdown();  // a second shutdown changes nothing
    EXPECT_TRUE(library->Finished());
}

TEST(ExportedGameLibrary, TheAimReportsPhaseIsCutTowardsZero) {
    const wire::Aim aim = AimFromLibrary(1.0f, 2.0f, 3.0f, 4.0f, 1.9f);
    EXPECT_EQ(aim, (wire::Aim{.x = 2.0f, .z = 1.0f, .force = 3.0f, .angle = 4.0f, .phase = 1}));
    EXPECT_EQ(AimFromLibrary(0, 0, 0, 0, 2.0f).phase, 2);
}

}  // namespace
