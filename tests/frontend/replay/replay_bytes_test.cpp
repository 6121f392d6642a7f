// The bytes of a replay are a stored file's: a match watched from its start,
// with shots, passed turns and two tables set by the host (the second one
// deciding the match as it settles), a match played alone at this machine
// (each turn the library passes handed straight back) and left, and a
// practice run with a shot clock run out and its tries lost, are recorded
// through the whole front end on the game library and compared with the
// files kept beside this test. Only the date of the recording, which is the
// wall clock's, is set to zero before comparing.
//
// REPLAY_BYTES_OUT=folder writes the recordings there, to renew the kept
// files after a deliberate change of the format.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "frontend/session/frontend_core.h"
#include "frontend/view/headless_view.h"
#include "frontend/replay/replay_store.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "game/table_geometry.h"
#include "tests/frontend/working_folder.h"

namespace {

constexpr int kMatchSeed = 417;
constexpr uint32_t kRunSeed = 1765300000;
constexpr int kMostStepsPerShot = 60 * 60;

class ReplayBytesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.Entered());
        core = std::make_unique<FrontendCore>(view, [](int) {});
        core->SetReplayFolder(folder.filePath(QStringLiteral("replays")));
        core->Online().SetNickname(QStringLiteral("Dora"));
        core->Callbacks().Register();
        core->Loop().SetMinimumTickMs(0);
        core->Loop().SetEngineRunning(true);
    }
    void TearDown() override {
        core->Library().ShowIntro();
        core.reset();
    }

    void Ticks(int n) {
        for (int i = 0; i < n; ++i) core->Loop().Tick();
    }
    // The event, then ticks until the table has come to rest after it.
    void Play(const GameEvent& event) {
        core->Queue().Push(event);
        Ticks(2);
        for (int i = 0; i < kMostStepsPerShot && core->Library().IsMoving(); ++i) Ticks(1);
        Ticks(3);
    }

    // The one replay kept, its date cleared, as bytes.
    QByteArray KeptBytes(const char* name) {
        const QStringList files = ListReplays(folder.filePath(QStringLiteral("replays")));
        EXPECT_EQ(files.size(), 1);
        if (files.size() != 1) return {};
        replay::ReadResult read = LoadReplay(files[0]);
        EXPECT_EQ(read.error, replay::ReadError::None);
        kept = read.replay;
        read.replay.header.date = 0;
        const QByteArray bytes = replay::EncodeReplay(read.replay);
        const QByteArray out = qgetenv("REPLAY_BYTES_OUT");
        if (!out.isEmpty()) {
            QFile file(QDir(QString::fromLocal8Bit(out)).filePath(QString::fromLatin1(name)));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        return bytes;
    }
    static QByteArray Stored(const char* name) {
        QFile file(QDir(QStringLiteral(REPLAY_BYTES_DIR)).filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The best plays go to the working folder.
    TemporaryWorkingFolder folder;
    HeadlessView view;
    std::unique_ptr<FrontendCore> core;
    replay::Replay kept;
};

// The discs of one colour on the table of a match laid with this seed.
std::vector<int> DiscsOf(DiscColor color) {
    GameState table;
    SetLibraryStartDefaults(table);
    StartMatch(table, 0, kMatchSeed);
    std::vector<int> discs;
    for (int disc = 1; disc < kDiscCount; ++disc)
        if (table.discs[disc].color == color) discs.push_back(disc);
    return discs;
}

// The table as it stands with these discs put on the holes' centres, one
// hole after another.
wire::Sync WithDiscsInHoles(const wire::Positions& now, const std::vector<int>& discs,
                            uint8_t side) {
    wire::Sync sync{now, side};
    const float c = table::kHoleCenter;
    const float holes[4][2] = {{c, c}, {-c, c}, {c, -c}, {-c, -c}};
    for (size_t i = 0; i < discs.size(); ++i) {
        sync.positions[(discs[i] - 1) * 2] = holes[i % 4][0];
        sync.positions[(discs[i] - 1) * 2 + 1] = holes[i % 4][1];
    }
    return sync;
}

}  // namespace

TEST_F(ReplayBytesTest, AWatchedMatchDecidedByTheHostsTableIsRecordedToTheStoredBytes) {
    core->Library().StartMatch(0, kMatchSeed);
    Ticks(20);
    Play(wire::Shot{-3.0f, table::kShootingLineZ, 7.5f, 0.1f});
    Play(event::PassTurn{});
    Play(wire::Shot{4.0f, -table::kShootingLineZ, 8.0f, -0.2f});
    Play(event::PassTurn{});
    const std::vector<int> green = DiscsOf(kColorGreen);
    ASSERT_GE(green.size(), 3u);
    // A watcher's table set again: two green discs lie in holes, still
    // counted on the table until the step that settles it.
    Play(WithDiscsInHoles(core->Library().ReadPositions(), {green[0], green[1]}, 0));
    Play(wire::Shot{1.5f, table::kShootingLineZ, 9.0f, 0.0f});
    Play(event::PassTurn{});
    // Every green disc in a hole: the settling step decides the match.
    Play(WithDiscsInHoles(core->Library().ReadPositions(), green, 1));

    const QByteArray bytes = KeptBytes("watched_match.rdr");
    ASSERT_FALSE(kept.events.empty());
    EXPECT_EQ(kept.events.back().event, replay::Event(replay::End{false, 1}));
    EXPECT_EQ(bytes, Stored("watched_match.rdr"));
}

TEST_F(ReplayBytesTest, AMatchPlayedAloneAndLeftIsRecordedToTheStoredBytes) {
    core->Library().StartMatch(1, kMatchSeed);
    Ticks(10);
    for (int shot = 0; shot < 3; ++shot)
        Play(wire::Shot{-6.0f + 5.0f * shot, table::kShootingLineZ, 5.0f + shot, 0.2f * shot});
    // The turn clock runs out once.
    Ticks(31 * kStepsPerSecond);
    core->Library().ShowIntro();

    const QByteArray bytes = KeptBytes("alone_match.rdr");
    ASSERT_FALSE(kept.events.empty());
    EXPECT_EQ(kept.events.back().event, replay::Event(replay::End{true, replay::kNoResult}));
    const auto passes = std::count_if(kept.events.begin(), kept.events.end(), [](const auto& e) {
        return std::holds_alternative<replay::PassTurn>(e.event);
    });
    EXPECT_GE(passes, 2) << "a turn passed here and the same turn handed back";
    EXPECT_EQ(bytes, Stored("alone_match.rdr"));
}

TEST_F(ReplayBytesTest, APracticeRunPlayedToItsEndIsRecordedToTheStoredBytes) {
    core->StartPractice();
    core->Library().StartPracticeRun(QStringLiteral("Dora"), kRunSeed, false);
    Ticks(30);
    Play(wire::Shot{-8.0f, table::kShootingLineZ, 6.0f, 0.3f});
    // The shot clock runs out once; the turn comes back at once.
    Ticks(61 * kStepsPerSecond);
    for (int shot = 0; shot < 8 && !core->Library().Finished(); ++shot) {
        Play(wire::Shot{15.0f - 4.0f * shot, table::kShootingLineZ, 2.0f + shot, -0.4f});
        if (!ListReplays(folder.filePath(QStringLiteral("replays"))).isEmpty()) break;
    }
    Ticks(12 * kStepsPerSecond);

    const QByteArray bytes = KeptBytes("practice_run.rdr");
    ASSERT_FALSE(kept.events.empty());
    EXPECT_EQ(kept.events.back().event, replay::Event(replay::End{false, 0}));
    EXPECT_EQ(bytes, Stored("practice_run.rdr"));
}
