// A practice run recorded on the game library as the window records one, a
// tick at a time: the first level cleared, the wait for the next one, a shot
// clock run out, tries lost until the run is over. The replay, kept in a
// file and read back, plays headless to the recorded table, on the library
// here and in shotreplay, and watching it leaves the best plays as they were.
//
// The shots are chosen by the computer player's search on a table of this
// process's own that follows the library's step for step.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "ai/shot_search.h"
#include "frontend/replay/replay_player.h"
#include "frontend/replay/replay_recorder.h"
#include "frontend/replay/replay_store.h"
#include "game/physics.h"
#include "game/practice.h"
#include "game/rules.h"
#include "game/shot_control.h"
#include "tests/frontend/working_folder.h"

namespace {

constexpr int64_t kStartSeconds = 1765300000;
constexpr int kMostStepsPerShot = 60 * 60;

// Hands a passed turn straight back, as the window does in practice.
class PracticeFrontEnd : public GameLibraryListener {
public:
    explicit PracticeFrontEnd(GameLibrary& library) : library_(library) {}
    void OnShoot(const wire::Shot&) override {}
    void OnTurnPassed() override { library_.PassTurnFromPeer(); }
    void OnAim(const wire::Aim&) override {}
    void OnVictory(int) override { ++runsOver; }
    int runsOver = 0;

private:
    GameLibrary& library_;
};

class PracticeReplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.Entered());
        library = MakeExportedGameLibrary();
        recorder = std::make_unique<ReplayRecorder>(
            *library, [this](const replay::Replay& r) { kept.push_back(r); },
            [] { return ReplayPeople{QStringLiteral("Dora"), {}, 1, false}; },
            [] { return kStartSeconds; });
        frontEnd = std::make_unique<PracticeFrontEnd>(*library);
        library->Observe(recorder.get());
        library->Attach(frontEnd.get());
    }
    void TearDown() override {
        library->Detach(frontEnd.get());
        library->Observe(nullptr);
        recorder.reset();
        library->ShowIntro();
    }

    // One tick of the frame loop, with this process's table kept alongside.
    void Tick() {
        library->StepPhysics();
        StepPhysics(mirror);
        if (mirror.currentPlayer != kSideGreen) PassTurn(mirror, false);
        library->Render();
    }
    // Up to the first step at rest, which scores the shot's end.
    void TickUntilAtRest() {
        for (int i = 0; i < kMostStepsPerShot; ++i) {
            Tick();
            if (!mirror.isMoving) return;
        }
    }
    // The search's shot for the wish, fired on both tables and run to rest.
    void Shoot(const std::function<int(const ai::ShotResult&)>& wish, int atLeast) {
        const auto shot = ai::FindShot(mirror, wish, atLeast);
        ASSERT_TRUE(shot.has_value()) << "level " << mirror.practiceLevel;
        const wire::Shot fired{shot->x, shot->z, shot->force, shot->angle};
        ASSERT_TRUE(library->Shoot(fired));
        recorder->OnApplied(fired);
        ASSERT_TRUE(FireShot(mirror, fired.x, fired.z, fired.force, fired.angle));
        TickUntilAtRest();
        ASSERT_EQ(replay::TableFingerprint(library->ReadPositions(), library->SideToMove()),
                  MirrorFingerprint())
            << "the library and this process's table parted";
    }
    uint64_t MirrorFingerprint() const {
        wire::Positions p{};
        for (int disc = 1; disc <= wire::kSyncedDiscs; ++disc) {
            p[(disc - 1) * 2] = mirror.discs[disc].x;
            p[(disc - 1) * 2 + 1] = mirror.discs[disc].z;
        }
        return replay::TableFingerprint(p, mirror.currentPlayer);
    }

    // The best plays go to the working folder of a program run from its build.
    TemporaryWorkingFolder folder;
    std::unique_ptr<GameLibrary> library;
    std::unique_ptr<ReplayRecorder> recorder;
    std::unique_ptr<PracticeFrontEnd> frontEnd;
    std::vector<replay::Replay> kept;
    GameState mirror;
};

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST_F(PracticeReplayTest, ARecordedRunPlaysHeadlessToItsTableAndLeavesTheBestPlaysAlone) {
    library->StartPracticeRun(QStringLiteral("Dora"), uint32_t(kStartSeconds), false);
    // Watched, this process's table leaves the best plays to the library.
    SetLibraryStartDefaults(mirror);
    StartPractice(mirror, "Dora", uint32_t(kStartSeconds), true);

    const auto ownDiscs = [](const ai::ShotResult& r) {
        return 10 * r.ownPocketed - 50 * r.strikerFell - 50 * r.otherPocketed;
    };
    for (int shots = 0; mirror.practicePhase == kPhasePlaying && shots < 25; ++shots) {
        Shoot(ownDiscs, -1);
        if (HasFatalFailure()) return;
    }
    ASSERT_EQ(mirror.practicePhase, kPhaseLevelCleared);
    for (int i = 0; i < 8 * kStepsPerSecond && mirror.practiceLevel == 1; ++i) Tick();
    ASSERT_EQ(mirror.practiceLevel, 2);
    // The shot clock runs out once before the next shot; the turn comes back.
    for (int i = 0; i < 61 * kStepsPerSecond; ++i) Tick();
    EXPECT_EQ(library->SideToMove(), kSideGreen);
    const auto strikerFalls = [](const ai::ShotResult& r) { return r.strikerFell ? 10 : -1; };
    for (int tries = 0; mirror.practicePhase == kPhasePlaying && tries < kPracticeTries; ++tries) {
        Shoot(strikerFalls, 0);
        if (HasFatalFailure()) return;
    }
    ASSERT_EQ(mirror.practicePhase, kPhaseOutOfTries);
    for (int i = 0; i < 11 * kStepsPerSecond && frontEnd->runsOver == 0; ++i) Tick();
    ASSERT_EQ(frontEnd->runsOver, 1);
    ASSERT_EQ(kept.size(), 1u);

    // The run entered the best plays when it ended, as a player's does.
    const QString bestPlays = QDir(folder.path()).filePath(QStringLiteral("ringdisk.dat"));
    const QByteArray bestPlaysBefore = Contents(bestPlays);
    ASSERT_FALSE(bestPlaysBefore.isEmpty());
    const QDateTime writtenBefore = QFileInfo(bestPlays).lastModified();

    QString error;
    const QString file = SaveReplay(folder.filePath(QStringLiteral("replays")), kept[0], &error);
    ASSERT_FALSE(file.isEmpty()) << error.toStdString();
    const replay::ReadResult read = LoadReplay(file);
    ASSERT_EQ(read.error, replay::ReadError::None) << DescribeReadError(read).toStdString();
    EXPECT_EQ(read.replay, kept[0]);
    EXPECT_EQ(read.replay.header.runSeed, uint32_t(kStartSeconds));

    // The tool plays it headless in a process of its own.
    QProcess tool;
    tool.setWorkingDirectory(folder.path());
    tool.start(QStringLiteral(SHOTREPLAY_PATH), {QStringLiteral("--replay"), file});
    ASSERT_TRUE(tool.waitForFinished(60000));
    const QString said = QString::fromLocal8Bit(tool.readAllStandardOutput());
    EXPECT_EQ(tool.exitCode(), 0) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("practice run: Dora from level 1, over")))
        << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("the table ended as recorded"))) << said.toStdString();
    EXPECT_EQ(Contents(bestPlays), bestPlaysBefore);

    // Watched as the window does it: through the library itself, unheard.
    library->Detach(frontEnd.get());
    library->Observe(nullptr);
    ReplayPlayer player(read.replay, *library, *library);
    PlayToEnd(player);
    EXPECT_TRUE(player.Matches()) << std::hex << player.FinalFingerprint() << " against "
                                  << read.replay.fingerprint;
    EXPECT_EQ(player.ShotsPlayed(), player.ShotCount());
    EXPECT_EQ(read.replay.fingerprint, MirrorFingerprint());
    EXPECT_EQ(kept.size(), 1u) << "watching recorded nothing";
    EXPECT_EQ(Contents(bestPlays), bestPlaysBefore);
    EXPECT_EQ(QFileInfo(bestPlays).lastModified(), writtenBefore);
    // The watched run holds its last table, out of tries, as its player left it.
    for (int i = 0; i < 20 * kStepsPerSecond; ++i) library->StepPhysics();
    EXPECT_EQ(replay::TableFingerprint(library->ReadPositions(), library->SideToMove()),
              read.replay.fingerprint);
    EXPECT_EQ(Contents(bestPlays), bestPlaysBefore);
}
