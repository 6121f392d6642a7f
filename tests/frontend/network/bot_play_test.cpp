// The computer player as a client of a headless host, each in its own
// process. The test keeps a reference table: it chooses the host's shots on
// it, reads every shot the computer player makes from the player's own
// report and plays it there too, and holds the host's table to it shot by
// shot. The player must take only its own turns, only with shots the host
// takes, and leave cleanly however the game ends.
#include <gtest/gtest.h>

#include "ai/shooting_line.h"
#include "peer_process.h"
#include "reference_table.h"
#include "tests/frontend/core/raw_connection.h"

namespace {

constexpr int kMaxShots = 300;
constexpr int kBotSlot = 2;
constexpr int kQuietHostShots = 3;
constexpr int kShotsBetweenChecks = 8;
constexpr int kCheckWhileAimingEvery = 4;
// A shot is searched, aimed for one to two seconds of ticks and played out.
constexpr int kBotShotWaitMs = 60000;

class BotPlay : public ::testing::Test {
protected:
    // At 3 ms a tick the host's turn clock leaves ten seconds for the test
    // to choose the host's shot.
    BotPlay() : ana(group.StartHost("Ana", {}, {"--tick-ms", "3"})) {}

    PeerProcess& StartBot(const QStringList& extra = {}, PeerInput input = PeerInput::Commands) {
        QStringList args = {QStringLiteral("--host"),    QStringLiteral("127.0.0.1"),
                            QStringLiteral("--port"),    QString::number(group.HostPort()),
                            QStringLiteral("--name"),    QStringLiteral("Robo"),
                            QStringLiteral("--seed"),    QStringLiteral("17"),
                            QStringLiteral("--tick-ms"), QStringLiteral("2")};
        args += extra;
        return group.StartProgram(QStringLiteral("Robo"), QStringLiteral(RINGDISK_BOT_PATH), args,
                                  QStringLiteral("READY"), input);
    }

    // The next shot the player reports at or after line `from`.
    std::optional<ai::Shot> NextBotShot(PeerProcess& bot, int& from) {
        const auto line = bot.WaitForPrefix(QStringLiteral("SHOT "), from, kBotShotWaitMs);
        if (!line) return std::nullopt;
        from = static_cast<int>(bot.Lines().indexOf(*line, from)) + 1;
        const QStringList v = line->split(u' ');
        return ai::Shot{v[1].toFloat(), v[2].toFloat(), v[3].toFloat(), v[4].toFloat()};
    }

    // What a watcher saw of the player's aim before each of its shots: the
    // aim reports of the red side (the host's own carry no spot), then the
    // shot. Each aim must hold the button with the striker on the shot's
    // spot, phases only moving on, for at least two reports.
    static ::testing::AssertionResult AimedBeforeEveryShot(const RawConnection& watcher,
                                                           int expectedShots) {
        std::vector<wire::Aim> aims;
        int shots = 0;
        for (const QByteArray& m : watcher.received) {
            const QByteArray payload = m.mid(5);
            if (m.startsWith("SJRM:")) {
                const auto aim = wire::DecodeAim(payload);
                if (aim && aim->z < 0.0f) aims.push_back(*aim);
                continue;
            }
            if (!m.startsWith("DISP:")) continue;
            const auto shot = wire::DecodeShot(payload);
            if (!shot || shot->z >= 0.0f) continue;
            ++shots;
            int held = 0, phase = 0;
            for (const wire::Aim& a : aims) {
                if (a.phase < phase)
                    return ::testing::AssertionFailure() << "phase back at shot " << shots;
                phase = a.phase;
                if (a.phase != 1) continue;
                ++held;
                if (a.x != shot->x || a.z != shot->z)
                    return ::testing::AssertionFailure() << "aim off the spot at shot " << shots;
            }
            if (held < 2)
                return ::testing::AssertionFailure() << held << " held aims before shot " << shots;
            aims.clear();
        }
        if (shots != expectedShots)
            return ::testing::AssertionFailure()
                   << shots << " shots seen, " << expectedShots << " played";
        return ::testing::AssertionSuccess();
    }

    int HostRefusals() const {
        int n = 0;
        for (const QString& line : ana.ErrorLines()) n += line.contains(QStringLiteral("refused"));
        return n;
    }

    PeerGroup group;
    PeerProcess& ana;
};

TEST_F(BotPlay, ThePlayerPlaysAWholeMatchInStepAndLeavesWhenTheHostCloses) {
    PeerProcess& bot = StartBot({QStringLiteral("--level"), QStringLiteral("club")});
    ASSERT_GE(bot.WaitForLine(QStringLiteral("JOINED %1").arg(kBotSlot)), 0);
    ASSERT_GE(ana.WaitForLine(QStringLiteral("CHAT Robo has entered in the chat!")), 0);
    // Zed watches from a bare connection and keeps every message.
    RawConnection zed(group.HostPort());
    zed.Send("NICK:Zed,");
    ASSERT_TRUE(zed.WaitFor("IDJG:3"));
    ana.Send("start");
    ASSERT_TRUE(bot.WaitForPrefix(QStringLiteral("MATCH 1 2 ")).has_value());
    ReferenceTable reference(ana.State()["seed"].toInt());

    int botLine = 0;
    int shots = 0, botShots = 0, anaShots = 0, checkedAt = 0;
    for (; !reference.Decided() && shots < kMaxShots; ++shots) {
        if (reference.Side() == kSideGreen) {
            // Ana, the host, plays green: quiet shots first, so the player
            // is sure of its turns, then pots where she can.
            const ai::Shot shot = reference.ChooseShot(anaShots++ < kQuietHostShots);
            const int from = ana.LineCount();
            ana.Send(ShootCommand(shot));
            ASSERT_GE(ana.WaitForLine("SHOT", from), 0);
            reference.Play(shot);
        } else {
            if (botShots % kCheckWhileAimingEvery == 0) {
                // The host checks the tables while the player aims: the
                // check must not cost the player its plan.
                ASSERT_TRUE(bot.WaitForPrefix(QStringLiteral("DECIDED "), botLine, kBotShotWaitMs));
                ASSERT_TRUE(NoDesync(ana, {kBotSlot})) << "while aiming shot " << shots;
            }
            const auto shot = NextBotShot(bot, botLine);
            ASSERT_TRUE(shot.has_value()) << "no shot from the player after " << shots;
            // A shot a person could make at this very table, in the player's turn.
            ASSERT_TRUE(ai::IsPlayable(Game(), *shot)) << "shot " << shots;
            reference.Play(*shot);
            ++botShots;
        }
        // While the player keeps the turn the host's table moves on as fast
        // as it shoots; the host's table is held to the reference where it
        // stays put: in Ana's turn, when she alone can move it, and at the end.
        if (reference.Side() == kSideRed && !reference.Decided()) continue;
        ASSERT_TRUE(Settles(ana, "fp", reference.Fingerprint())) << "after shot " << shots;
        // The player shot exactly as often as its turns came.
        ASSERT_EQ(bot.CountPrefix(QStringLiteral("SHOT ")), botShots)
            << "a shot out of turn after shot " << shots;
        if (shots - checkedAt >= kShotsBetweenChecks) {
            ASSERT_TRUE(NoDesync(ana, {kBotSlot})) << "after shot " << shots;
            checkedAt = shots;
        }
    }
    ASSERT_TRUE(reference.Decided()) << "no result after " << shots << " shots";
    EXPECT_GT(botShots, 0);
    EXPECT_TRUE(NoDesync(ana, {kBotSlot}));
    const auto result = bot.WaitForPrefix(QStringLiteral("RESULT "));
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->split(u' ')[1].toInt(), reference.Result());
    EXPECT_EQ(result->split(u' ')[2].toInt(), shots);
    EXPECT_EQ(HostRefusals(), 0);
    EXPECT_FALSE(ana.Saw("CHAT Packet Error"));
    EXPECT_TRUE(AimedBeforeEveryShot(zed, botShots));
    // Every decision was played: none was dropped for a new one.
    EXPECT_EQ(bot.CountPrefix(QStringLiteral("DECIDED ")), botShots);
    for (const QByteArray& m : zed.received) EXPECT_FALSE(m.startsWith("TEXT:Robo")) << "it chats";

    // The host closes the game: the player says so and ends by itself.
    ana.Send("leave");
    EXPECT_GE(bot.WaitForLine(QStringLiteral("LEFT the host closed the game")), 0);
    EXPECT_EQ(bot.WaitForExit(), 0);
}

TEST_F(BotPlay, AStartWithNoInputPlaysUntilTheHostClosesTheGame) {
    // As a launcher, a service or nohup start it: its input ends at once.
    PeerProcess& bot = StartBot({}, PeerInput::Nothing);
    ASSERT_TRUE(bot.Ready());
    ASSERT_GE(bot.WaitForLine(QStringLiteral("JOINED %1").arg(kBotSlot)), 0);
    ana.Send("start");
    ASSERT_TRUE(bot.WaitForPrefix(QStringLiteral("MATCH 1 2 ")).has_value());
    ReferenceTable reference(ana.State()["seed"].toInt());
    const ai::Shot quiet = reference.ChooseShot(true);
    const int from = ana.LineCount();
    ana.Send(ShootCommand(quiet));
    ASSERT_GE(ana.WaitForLine("SHOT", from), 0);
    reference.Play(quiet);
    ASSERT_EQ(reference.Side(), kSideRed);
    int botLine = 0;
    const auto shot = NextBotShot(bot, botLine);
    ASSERT_TRUE(shot.has_value());
    EXPECT_TRUE(ai::IsPlayable(Game(), *shot));

    ana.Send("leave");
    EXPECT_GE(bot.WaitForLine(QStringLiteral("LEFT the host closed the game")), 0);
    EXPECT_EQ(bot.WaitForExit(), 0);
    EXPECT_FALSE(bot.Saw(QStringLiteral("LEFT on request")));
}

TEST_F(BotPlay, ThePlayerLeavesOnASignalAndWhenItReadsCommandsOnQuitAndTheEndOfItsInput) {
    PeerProcess& quitter = StartBot({QStringLiteral("--commands")});
    ASSERT_GE(quitter.WaitForLine(QStringLiteral("JOINED 2")), 0);
    quitter.Send("quit");
    EXPECT_GE(ana.WaitForLine("CHAT Robo left the chat!"), 0);
    EXPECT_EQ(quitter.WaitForExit(), 0);

    // The name is free again; a player whose input ends leaves as well.
    PeerProcess& closed =
        StartBot({QStringLiteral("--name"), QStringLiteral("Robo2"), QStringLiteral("--commands")});
    ASSERT_GE(closed.WaitForLine(QStringLiteral("JOINED 2")), 0);
    int from = ana.LineCount();
    closed.CloseInput();
    EXPECT_GE(ana.WaitForLine("CHAT Robo2 left the chat!", from), 0);
    EXPECT_EQ(closed.WaitForExit(), 0);

    // A signal ends a player that reads no commands.
    PeerProcess& stopped = StartBot({QStringLiteral("--name"), QStringLiteral("Robo3")});
    ASSERT_GE(stopped.WaitForLine(QStringLiteral("JOINED 2")), 0);
    from = ana.LineCount();
    stopped.Terminate();
    EXPECT_GE(ana.WaitForLine("CHAT Robo3 left the chat!", from), 0);
    EXPECT_EQ(stopped.WaitForExit(), 0);
    EXPECT_EQ(HostRefusals(), 0);
}

TEST_F(BotPlay, ThePlayerOutlivesAVanishedHostAndAWrongPassword) {
    PeerProcess& bot = StartBot({QStringLiteral("--level"), QStringLiteral("beginner")});
    ASSERT_GE(bot.WaitForLine(QStringLiteral("JOINED 2")), 0);
    ana.Send("start");
    ASSERT_TRUE(bot.WaitForPrefix(QStringLiteral("MATCH ")).has_value());
    ana.Kill();
    EXPECT_TRUE(bot.WaitForPrefix(QStringLiteral("LEFT ")).has_value());
    EXPECT_EQ(bot.WaitForExit(), 3);

    PeerProcess& host = group.StartHost("Bea", QStringLiteral("secret"), {"--tick-ms", "2"});
    ASSERT_TRUE(host.Ready());
    PeerProcess& refused = StartBot({QStringLiteral("--password"), QStringLiteral("wrong")});
    EXPECT_GE(refused.WaitForLine(QStringLiteral("LEFT Incorrect password.")), 0);
    EXPECT_EQ(refused.WaitForExit(), 1);
}

}  // namespace
