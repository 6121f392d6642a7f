// A whole match between computer players over a slow line: every piece of
// the stream between host and client waits 100 to 300 ms and frames arrive
// cut at random byte boundaries. The host's own computer player asks for a
// "/vsync" each time a shot comes to rest; every answer must be clean.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "line_proxy.h"
#include "peer_process.h"

namespace {

// The match is played out at 2 ms a tick; the line is what takes the time.
constexpr int kMatchWaitMs = 200000;

TEST(SlowLine, AComputerMatchThroughAJitteryLineThatSplitsFramesNeverDesyncs) {
    PeerGroup group;
    PeerProcess& host = group.StartProgram(
        QStringLiteral("Host"), QStringLiteral(SOAK_HOST_PATH),
        {"--level", "master", "--seed", "5", "--matches", "1", "--tick-ms", "2"},
        QStringLiteral("HOSTING "));
    const auto hosting = host.WaitForPrefix(QStringLiteral("HOSTING "));
    ASSERT_TRUE(hosting.has_value());
    LineProxy proxy(static_cast<quint16>(hosting->mid(8).toUInt()));
    proxy.SetSlowLine(100, 300, 7);
    PeerProcess& bot = group.StartProgram(
        QStringLiteral("Robo"), QStringLiteral(RINGDISK_BOT_PATH),
        {"--host", "127.0.0.1", "--port", QString::number(proxy.Port()), "--name", "Robo",
         "--level", "master", "--seed", "17", "--tick-ms", "2"},
        QStringLiteral("READY"));
    ASSERT_TRUE(bot.Ready());

    const auto result = host.WaitForPrefix(QStringLiteral("RESULT "), 0, kMatchWaitMs);
    ASSERT_TRUE(result.has_value()) << "no result; last: " << host.Lines().last().toStdString();
    const auto done = host.WaitForPrefix(QStringLiteral("DONE "), 0, kMatchWaitMs);
    ASSERT_TRUE(done.has_value());
    std::fprintf(stderr, "slow line: %s; %s; %d pieces\n", qPrintable(*result), qPrintable(*done),
                 proxy.Pieces());
    const auto field = [&](const char* name) {
        const QRegularExpression re(QStringLiteral("\\b%1=(\\d+)").arg(name));
        return re.match(*done).captured(1).toInt();
    };
    const int shots = result->split(u' ')[2].toInt();
    EXPECT_GT(shots, 0);
    EXPECT_GE(field("vsyncs"), shots);  // one after every shot, and one after the result
    EXPECT_EQ(field("reports"), field("vsyncs"));
    EXPECT_EQ(field("desyncs"), 0);
    EXPECT_EQ(field("anomalies"), 0);
    EXPECT_EQ(host.CountOf(QStringLiteral("CHAT No desync at ID 2")), field("vsyncs"));
    EXPECT_FALSE(host.Saw(QStringLiteral("CHAT Packet Error")));
    // The line did cut the stream into more pieces than there were frames.
    EXPECT_GT(proxy.Pieces(), field("vsyncs") * 2);
}

}  // namespace
