// Two real `ringdisk` windows meet through a real Prosody on loopback,
// driven as a person would (xdotool on the virtual display the test command
// starts): Ana opens the lobby and hosts with "Create"; a third player, a
// bare lobby client here, sees her game listed with one of two seats taken,
// waiting; Bob opens the lobby and double-clicks the game, which seats him;
// Ana starts the match and the third player sees it "in a match"; Ana closes
// and the game leaves the third player's list within 2 s.
//
// With RINGDISK_SCREENSHOTS set to a folder, Bob's lobby window is saved
// there at its first size and at a larger one.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <memory>
#include <vector>

#include "frontend/lobby/lobby_client.h"
#include "tests/frontend/lobby/prosody_server.h"
#include "tests/frontend/spin_until.h"

namespace {

constexpr int kGoneWithinMs = 2000;
constexpr int kWindowTimeoutMs = 30000;
// Where the first game's row is in the lobby window: below the status line
// and the list's header, at the left of the host's name.
constexpr int kFirstRowX = 60;
constexpr int kFirstRowY = 78;

// Runs xdotool; its output's first line.
QString Xdotool(const QStringList& arguments) {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), arguments);
    xdotool.waitForFinished(10000);
    return QString::fromLatin1(xdotool.readAllStandardOutput()).section('\n', 0, 0).trimmed();
}

void Pause(int ms) {
    SpinUntil([] { return false; }, ms);
}

// The lobby as a third player sees it.
struct Watcher : lobby::LobbyListener {
    lobby::LobbyClient client{*this};
    bool in = false;
    void LobbyReport(const lobby::LobbyEvent& event) override {
        if (std::holds_alternative<lobby::SignedIn>(event)) in = true;
    }
    const lobby::GameListing* GameOf(const QString& host) const {
        const auto found = client.Games().find(host);
        return found == client.Games().end() ? nullptr : &found->second;
    }
};

class LobbyWindows : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "no X display";
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            GTEST_SKIP() << "no xdotool";
        if (!ProsodyServer::Installed()) GTEST_SKIP() << "prosody is not installed";
        ASSERT_TRUE(server.Start()) << qPrintable(server.Problem());
        port = FreeLoopbackPort();
        ASSERT_TRUE(carla.client.SignIn(server.Lobby(), QStringLiteral("Carla")));
        ASSERT_TRUE(SpinUntil([&] { return carla.in; }));
    }

    void TearDown() override {
        for (const auto& window : windows) {
            if (window->state() == QProcess::NotRunning) continue;
            window->terminate();
            if (!window->waitForFinished(10000)) window->kill();
        }
    }

    // A window whose settings name the test's lobby and keep the router out of it.
    QProcess& StartWindow(const QString& nick, int left) {
        const QString folder = work.filePath(nick);
        QDir().mkpath(folder);
        QFile::link(QStringLiteral(RINGDISK_PACKAGE), folder + QStringLiteral("/dados.vpf"));
        QFile ini(folder + QStringLiteral("/ringdisk.ini"));
        EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
        const lobby::LobbyServer lobby = server.Lobby();
        ini.write("[main]\r\n_X=" + QByteArray::number(left) + "\r\n_Y=0\r\nNick=" +
                  nick.toLatin1() + "\r\n[criarf]\r\nPorta=" + QByteArray::number(port) +
                  "\r\n[Config]\r\nAbrir porta no roteador=0\r\nServidor do sagu\xE3o=" +
                  lobby.domain.toLatin1() + ":" + QByteArray::number(lobby.port) + "\r\n");
        ini.close();
        auto window = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // The lobby's certificate is the test's own: trusted as the system's would be.
        env.insert(QStringLiteral("SSL_CERT_FILE"), lobby.caFile);
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        window->setProcessEnvironment(env);
        window->setWorkingDirectory(folder);
        window->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        window->start(QStringLiteral(RINGDISK_PROGRAM), {});
        windows.push_back(std::move(window));
        return *windows.back();
    }

    // The visible window of the process titled exactly title.
    static QString WindowOf(const QProcess& process, const QString& title) {
        QString id;
        SpinUntil(
            [&] {
                id = Xdotool({QStringLiteral("search"), QStringLiteral("--all"),
                              QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                              QString::number(process.processId()), QStringLiteral("--name"),
                              QLatin1Char('^') + title + QLatin1Char('$')});
                if (id.isEmpty()) QThread::msleep(200);
                return !id.isEmpty();
            },
            kWindowTimeoutMs);
        return id;
    }

    static int MenuBarHeight(const QString& window) {
        // The client area under the menu bar is 400 high.
        QProcess xwininfo;
        xwininfo.start(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window});
        xwininfo.waitForFinished(5000);
        for (const QString& line : QString::fromLatin1(xwininfo.readAll()).split('\n')) {
            if (line.trimmed().startsWith(QStringLiteral("Height:")))
                return line.section(':', 1).trimmed().toInt() - 400;
        }
        return 0;
    }

    static void Click(const QString& window, int x, int y, int times = 1) {
        Xdotool({QStringLiteral("windowfocus"), window});
        Pause(300);
        Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                 QString::number(x), QString::number(y)});
        Pause(200);
        Xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(times),
                 QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
    }

    static void Keys(const QString& window, const QString& keys) {
        Xdotool({QStringLiteral("windowfocus"), window});
        Pause(300);
        Xdotool({QStringLiteral("key"), keys});
    }

    static void Screenshot(const QString& window, const QString& name) {
        const QString folder = qEnvironmentVariable("RINGDISK_SCREENSHOTS");
        if (folder.isEmpty()) return;
        QProcess::execute(QStringLiteral("python3"), {QStringLiteral(RINGDISK_SCREENSHOT_SCRIPT),
                                                      folder + QLatin1Char('/') + name, window});
    }

    ProsodyServer server;
    QTemporaryDir work;
    uint16_t port = 0;
    std::vector<std::unique_ptr<QProcess>> windows;
    // The third player, in the lobby before any window starts.
    Watcher carla;
};

TEST_F(LobbyWindows, BobFindsAnasGameInTheLobbyJoinsItWithADoubleClickAndItLeavesWhenAnaCloses) {
    QProcess& anaProcess = StartWindow(QStringLiteral("Ana"), 0);
    const QString ana = WindowOf(anaProcess, QStringLiteral("VEX Ringdisk v1.1"));
    ASSERT_FALSE(ana.isEmpty()) << "Ana's window did not show";
    const int menu = MenuBarHeight(ana);

    // Ana signs in (the server is in her settings) and hosts the usual way.
    Keys(ana, QStringLiteral("ctrl+l"));
    const QString anaLobby = WindowOf(anaProcess, QStringLiteral("Online lobby"));
    ASSERT_FALSE(anaLobby.isEmpty()) << "Ana's lobby window did not show";
    // Below the game's window, where it covers none of its buttons.
    Xdotool({QStringLiteral("windowmove"), anaLobby, QStringLiteral("0"), QStringLiteral("430")});
    Pause(1500);
    Click(ana, 630, menu + 152);  // "Create"
    const QString create = WindowOf(anaProcess, QStringLiteral("Create a game"));
    ASSERT_FALSE(create.isEmpty());
    Keys(create, QStringLiteral("Return"));

    const bool listed = SpinUntil([&] { return carla.GameOf(QStringLiteral("Ana")) != nullptr; });
    Screenshot(anaLobby, QStringLiteral("ana-lobby.png"));
    Screenshot(ana, QStringLiteral("ana-hosting.png"));
    ASSERT_TRUE(listed) << "Ana's game was never listed";
    {
        const lobby::GameListing& game = *carla.GameOf(QStringLiteral("Ana"));
        EXPECT_EQ(game.seatsTaken, 1);
        EXPECT_EQ(game.seats, 2);
        EXPECT_EQ(game.stage, lobby::GameStage::Waiting);
        EXPECT_EQ(game.version, QStringLiteral("v1.1"));
        EXPECT_FALSE(game.password);
    }

    QProcess& bobProcess = StartWindow(QStringLiteral("Bob"), 800);
    const QString bob = WindowOf(bobProcess, QStringLiteral("VEX Ringdisk v1.1"));
    ASSERT_FALSE(bob.isEmpty()) << "Bob's window did not show";
    Keys(bob, QStringLiteral("ctrl+l"));
    const QString bobLobby = WindowOf(bobProcess, QStringLiteral("Online lobby"));
    ASSERT_FALSE(bobLobby.isEmpty()) << "Bob's lobby window did not show";
    Xdotool({QStringLiteral("windowmove"), bobLobby, QStringLiteral("760"), QStringLiteral("430")});
    Pause(2500);
    Screenshot(bobLobby, QStringLiteral("lobby-listed.png"));
    Click(bobLobby, kFirstRowX, kFirstRowY, 2);
    const bool seated = SpinUntil(
        [&] {
            const lobby::GameListing* game = carla.GameOf(QStringLiteral("Ana"));
            return game && game->seatsTaken == 2;
        },
        10000);
    Screenshot(bobLobby, QStringLiteral("lobby-joined.png"));
    ASSERT_TRUE(seated) << "Bob's double click did not seat him at Ana's game";

    Click(ana, 620, menu + 360);  // "Start"
    ASSERT_TRUE(SpinUntil([&] {
        const lobby::GameListing* game = carla.GameOf(QStringLiteral("Ana"));
        return game && game->stage == lobby::GameStage::InMatch;
    })) << "the third player never saw Ana's game in a match";

    Xdotool({QStringLiteral("windowmove"), bobLobby, QStringLiteral("300"), QStringLiteral("120")});
    Xdotool(
        {QStringLiteral("windowsize"), bobLobby, QStringLiteral("1200"), QStringLiteral("700")});
    Pause(800);
    Screenshot(bobLobby, QStringLiteral("lobby-larger.png"));

    // Ana closes: her game leaves the third player's list within 2 s.
    QElapsedTimer clock;
    clock.start();
    anaProcess.terminate();
    ASSERT_TRUE(SpinUntil([&] { return carla.GameOf(QStringLiteral("Ana")) == nullptr; }, 5000));
    EXPECT_LE(clock.elapsed(), kGoneWithinMs);
    std::printf("Ana's game left the third player's list %lld ms after she closed\n",
                static_cast<long long>(clock.elapsed()));
    EXPECT_TRUE(anaProcess.waitForFinished(10000));
    EXPECT_EQ(anaProcess.exitCode(), 0);
}

}  // namespace

namespace {

// "Game › Play online now", chosen from the keyboard once the menu is open:
// it is the item above the last one, "Exit".
void PlayOnlineNow(const QString& window) {
    Xdotool({QStringLiteral("windowfocus"), window});
    Pause(300);
    Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QStringLiteral("25"),
             QStringLiteral("8")});
    Xdotool({QStringLiteral("click"), QStringLiteral("1")});
    Pause(600);
    Xdotool({QStringLiteral("key"), QStringLiteral("Up"), QStringLiteral("Up"),
             QStringLiteral("Return")});
}

TEST_F(LobbyWindows, PlayOnlineNowInOneWindowThenInAnotherSeatsBothAtOneGame) {
    QProcess& anaProcess = StartWindow(QStringLiteral("Ana"), 0);
    const QString ana = WindowOf(anaProcess, QStringLiteral("VEX Ringdisk v1.1"));
    ASSERT_FALSE(ana.isEmpty()) << "Ana's window did not show";
    PlayOnlineNow(ana);
    // Nobody waits: Ana's window hosts a game, listed for everyone.
    ASSERT_TRUE(SpinUntil([&] { return carla.GameOf(QStringLiteral("Ana")) != nullptr; }))
        << "Ana's quick match listed no game";
    EXPECT_EQ(carla.GameOf(QStringLiteral("Ana"))->seatsTaken, 1);

    QProcess& bobProcess = StartWindow(QStringLiteral("Bob"), 800);
    const QString bob = WindowOf(bobProcess, QStringLiteral("VEX Ringdisk v1.1"));
    ASSERT_FALSE(bob.isEmpty()) << "Bob's window did not show";
    PlayOnlineNow(bob);
    // Ana's game waits: Bob's window joins it rather than hosting its own.
    ASSERT_TRUE(SpinUntil([&] {
        const lobby::GameListing* game = carla.GameOf(QStringLiteral("Ana"));
        return game && game->seatsTaken == 2;
    })) << "Bob's quick match did not seat him at Ana's game";
    EXPECT_EQ(carla.GameOf(QStringLiteral("Bob")), nullptr);
}

}  // namespace
