// A whole match between two computer players over loopback, watched by a
// third machine that sits down after it began: the host and the watcher each
// keep a replay, and each replay, played on this process's own table, ends
// on the table the recording machine had at the end of the match.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "frontend/replay/replay_player.h"
#include "frontend/replay/replay_store.h"
#include "tests/frontend/network/peer_process.h"

namespace {

constexpr int kMatchWaitMs = 200000;

replay::Replay OnlyReplayIn(const QString& folder) {
    const QStringList files = ListReplays(folder);
    EXPECT_EQ(files.size(), 1) << folder.toStdString();
    if (files.isEmpty()) return {};
    const replay::ReadResult read = LoadReplay(files[0]);
    EXPECT_EQ(read.error, replay::ReadError::None) << DescribeReadError(read).toStdString();
    return read.replay;
}

TEST(ReplayLoopback, TheHostAndALateWatcherEachKeepAReplayThatEndsOnTheirTable) {
    QTemporaryDir replays;
    ASSERT_TRUE(replays.isValid());
    const QString hostFolder = replays.filePath(QStringLiteral("host"));
    const QString watcherFolder = replays.filePath(QStringLiteral("watcher"));

    PeerGroup group;
    PeerProcess& host = group.StartProgram(
        QStringLiteral("Host"), QStringLiteral(BOT_STRENGTH_HOST_PATH),
        {"--level", "master", "--seed", "3", "--tick-ms", "1", "--lifetime", "220", "--replays",
         hostFolder},
        QStringLiteral("HOSTING "), PeerInput::Nothing);
    ASSERT_TRUE(host.Ready());
    const QString port = host.Lines().first().split(u' ').value(1);
    PeerProcess& bot = group.StartProgram(
        QStringLiteral("Robo"), QStringLiteral(RINGDISK_BOT_PATH),
        {"--host", "127.0.0.1", "--port", port, "--name", "Robo", "--seed", "17", "--tick-ms", "1",
         "--level", "master"},
        QStringLiteral("READY"), PeerInput::Nothing);
    ASSERT_GE(bot.WaitForLine(QStringLiteral("JOINED 2")), 0);
    // The match starts as the computer player sits down; Zed comes in after.
    ASSERT_TRUE(bot.WaitForPrefix(QStringLiteral("MATCH 1 2 ")).has_value());
    PeerProcess& zed = group.Start(QStringLiteral("Zed"), {"--tick-ms", "1", "--lifetime", "220",
                                                           "--replays", watcherFolder});
    zed.Send(QStringLiteral("join 127.0.0.1 ") + port);
    ASSERT_GE(zed.WaitForLine(QStringLiteral("SLOT 3 1 Zed")), 0);

    const auto result = host.WaitForPrefix(QStringLiteral("RESULT "), 0, kMatchWaitMs);
    ASSERT_TRUE(result.has_value()) << "no result";
    const int winner = result->split(u' ')[1].toInt();
    EXPECT_EQ(host.WaitForExit(), 0);
    zed.Send(QStringLiteral("quit"));
    EXPECT_EQ(zed.WaitForExit(), 0);

    const replay::Replay hosted = OnlyReplayIn(hostFolder);
    const replay::Replay watched = OnlyReplayIn(watcherFolder);
    ASSERT_FALSE(hosted.events.empty());
    ASSERT_FALSE(watched.events.empty());
    EXPECT_EQ(hosted.header.seat, replay::Seat::Green);
    EXPECT_EQ(watched.header.seat, replay::Seat::Watching);
    for (const replay::Replay* r : {&hosted, &watched}) {
        EXPECT_EQ(r->header.mode, replay::Mode::Match);
        EXPECT_EQ(r->header.greenName, QStringLiteral("Host"));
        EXPECT_EQ(r->header.redName, QStringLiteral("Robo"));
        EXPECT_EQ(r->header.seedOrLevel, hosted.header.seedOrLevel);
    }
    const replay::End decided{false, uint8_t(winner)};
    EXPECT_EQ(hosted.events.back().event, replay::Event{decided});
    // The watcher came in during the match: its table was set by a sync.
    EXPECT_TRUE(std::any_of(watched.events.begin(), watched.events.end(), [](const auto& e) {
        return std::holds_alternative<wire::Sync>(e.event);
    }));
    // The host closes the game as soon as it has the result; a watcher whose
    // table still ran the last shot then keeps the match as abandoned, on the
    // table it had. One that saw the end saw the host's table.
    if (watched.events.back().event == replay::Event{decided}) {
        EXPECT_EQ(hosted.fingerprint, watched.fingerprint);
    } else {
        EXPECT_EQ(watched.events.back().event, (replay::Event{replay::End{true, replay::kNoResult}}));
    }

    const auto library = MakeExportedGameLibrary();
    for (const replay::Replay* r : {&hosted, &watched}) {
        ReplayPlayer player(*r, *library, *library);
        PlayToEnd(player);
        EXPECT_TRUE(player.Matches()) << std::hex << player.FinalFingerprint() << " against "
                                      << r->fingerprint;
        EXPECT_EQ(player.ShotsPlayed(), player.ShotCount());
    }
}

}  // namespace
