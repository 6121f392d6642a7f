// A client core in this process against a stand-in host that writes exactly
// the bytes a test chooses: refused slot numbers, unparsable decimals, short
// payloads and the refusal replies.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <algorithm>
#include <QTcpServer>

#include "captured_warnings.h"
#include "frontend/session/online_game.h"
#include "frontend/view/headless_view.h"
#include "raw_connection.h"
#include "recording_library.h"

namespace {

class ClientLink : public ::testing::Test {
protected:
    ClientLink() : chat(view, [](int) {}), game(view, chat, queue, library) {
        server.listen(QHostAddress::LocalHost, 0);
        game.SetNickname("Ana");
        EXPECT_TRUE(game.Join("127.0.0.1", QString::number(server.serverPort()), "pw"));
        EXPECT_TRUE(SpinUntil([&] { return server.hasPendingConnections(); }));
        host = server.nextPendingConnection();
        auto drain = [this] {
            for (QByteArray& m : frames.Feed(host->readAll())) fromClient.push_back(m);
        };
        QObject::connect(host, &QTcpSocket::readyRead, drain);
        drain();  // the login may have been buffered before anyone listened
        EXPECT_TRUE(SpinUntil([&] { return !fromClient.empty(); }));
        if (fromClient.empty()) fromClient.push_back({});  // keeps front() defined after a failure
    }

    void HostWrites(std::initializer_list<QByteArray> messages) {
        QByteArray bytes;
        for (const QByteArray& m : messages) bytes += MakeFrame(m);
        host->write(bytes);
        host->flush();
    }
    bool ChatShows(const QString& text) const {
        for (const ChatLine& line : view.chatLines)
            if (HeadlessView::PlainText(line) == text) return true;
        return false;
    }

    HeadlessView view;
    EventQueue queue;
    ChatDisplay chat;
    RecordingLibrary library;
    OnlineGame game;
    QTcpServer server;
    QTcpSocket* host = nullptr;
    FrameAssembler frames;
    std::vector<QByteArray> fromClient;
};

TEST_F(ClientLink, FirstMessageIsTheLogin) {
    EXPECT_EQ(fromClient.front(), "NICK:Ana,pw");
    EXPECT_TRUE(game.IsOnline());
    EXPECT_FALSE(view.connectionPanelVisible);
}

TEST_F(ClientLink, SlotNumbersOutsideOneToFourAndBadDecimalsAreRefusedOneByOne) {
    const QByteArray badInit = QByteArray("INIT:") + char(5) + char(1) + "12";
    HostWrites({"IDJG:9", "IDJG:x", "IDJG:0", "IDJG:2", "ENT2:Zed,0,0", "ENT2:Zed,1,x",
                "ENT2:Hal,1,3", "ENTR:Eve,7", "ENTR:Eve,3", badInit,
                QByteArray("INIT:") + char(1) + char(2) + "1e", "TEXT:Hal: still here"});
    ASSERT_TRUE(SpinUntil([&] { return ChatShows("Hal: still here"); }));
    EXPECT_EQ(game.MySlot(), 2);
    EXPECT_EQ(view.slotLabels[1], "Hal");
    EXPECT_EQ(view.winLabels[1], "3");
    EXPECT_EQ(view.slotLabels[2], "Ana");
    EXPECT_EQ(view.slotLabels[3], "Eve");
    EXPECT_FALSE(game.MatchRunning());
    EXPECT_FALSE(ChatShows("Packet Error"));
    EXPECT_TRUE(ChatShows("Eve has entered in the chat!"));
}

TEST_F(ClientLink, ShortInitIsAPacketErrorAndASpectatorAsksForNoResync) {
    HostWrites({"IDJG:3", QByteArray("INIT:") + char(1) + char(2) + "7"});
    ASSERT_TRUE(SpinUntil([&] { return game.MatchRunning(); }));
    HostWrites({QByteArray("INIT:") + char(1), "DISP:short", "TEXT:Hal: after"});
    ASSERT_TRUE(SpinUntil([&] { return ChatShows("Hal: after"); }));
    EXPECT_TRUE(ChatShows("Packet Error"));
    EXPECT_FALSE(ChatShows("Game desync. Sync request sent."));
    for (const QByteArray& m : fromClient) EXPECT_NE(m, "RQSY:");
    EXPECT_TRUE(queue.Empty());
}

TEST_F(ClientLink, APlayerWithAShortFrameRequestsAResync) {
    HostWrites({"IDJG:2", QByteArray("INIT:") + char(1) + char(2) + "7"});
    ASSERT_TRUE(SpinUntil([&] { return game.MatchRunning(); }));
    HostWrites({"SYNC:" + QByteArray(100, '\0')});
    ASSERT_TRUE(SpinUntil([&] { return ChatShows("Game desync. Sync request sent."); }));
    ASSERT_TRUE(SpinUntil([&] { return fromClient.back() == "RQSY:"; }));
}

// The host's game messages are decoded once as they arrive: one too short
// for its command is refused there, with its log line, and never queued.
TEST_F(ClientLink, ShortGameMessagesAreRefusedWhereTheyArriveAndNeverQueued) {
    HostWrites({"IDJG:3", QByteArray("INIT:") + char(1) + char(2) + "7"});
    ASSERT_TRUE(SpinUntil([&] { return game.MatchRunning(); }));
    CapturedWarnings warnings;
    HostWrites({"SJRM:" + QByteArray(16, '\x01'), "DISP:" + QByteArray(15, '\x01'),
                "SYNC:" + QByteArray(160, '\x01'), "MUDJ:", "VERS:", "TEXT:Hal: after"});
    ASSERT_TRUE(SpinUntil([&] { return ChatShows("Hal: after"); }));
    EXPECT_EQ(warnings.Lines(), (QStringList{"network: short SJRM: from the host dropped",
                                             "network: short DISP: from the host dropped",
                                             "network: short SYNC: from the host dropped"}));
    ASSERT_EQ(queue.Size(), 2u);
    EXPECT_EQ(queue.Head(), GameEvent(event::PassTurn{}));
    queue.PopHead();
    EXPECT_EQ(queue.Head(), GameEvent(event::AnswerVerify{}));
}

TEST_F(ClientLink, TheSessionTellsOfTheSeatTheMatchAndWhyItEnded) {
    std::vector<SessionEvent> heard;
    game.SetSessionListener([&](const SessionEvent& e) { heard.push_back(e); });
    HostWrites({"IDJG:2", QByteArray("INIT:") + char(1) + char(2) + "7", "ENDS:"});
    ASSERT_TRUE(SpinUntil([&] { return game.State() == Session::Offline; }));
    EXPECT_EQ(heard, (std::vector<SessionEvent>{session::SeatTaken{2},
                                                session::MatchStarted{1, 2, 7},
                                                session::Ended{SessionEnd::HostClosed}}));
    EXPECT_TRUE(view.messages.isEmpty());
}

// Each way a host ends a client's session has its own reason, whatever the
// message box says in the player's language.
TEST(ClientSessionEnd, RefusedKickedAndLostAreToldApart) {
    const struct {
        std::vector<QByteArray> fromHost;
        bool hostCloses;
        SessionEnd reason;
    } cases[] = {{{"INVS:"}, false, SessionEnd::Refused},
                 {{"IDJG:2", "KIKD:"}, true, SessionEnd::Kicked},
                 {{"IDJG:2"}, true, SessionEnd::ConnectionLost}};
    for (const auto& c : cases) {
        QTcpServer server;
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        HeadlessView view;
        EventQueue queue;
        ChatDisplay chat(view, [](int) {});
        RecordingLibrary library;
        OnlineGame game(view, chat, queue, library);
        std::vector<SessionEvent> heard;
        game.SetSessionListener([&](const SessionEvent& e) { heard.push_back(e); });
        ASSERT_TRUE(game.Join("127.0.0.1", QString::number(server.serverPort()), ""));
        ASSERT_TRUE(SpinUntil([&] { return server.hasPendingConnections(); }));
        QTcpSocket* host = server.nextPendingConnection();
        for (const QByteArray& m : c.fromHost) host->write(MakeFrame(m));
        host->flush();
        if (c.hostCloses) host->disconnectFromHost();  // after what was written
        ASSERT_TRUE(SpinUntil([&] { return game.State() == Session::Offline; }));
        ASSERT_FALSE(heard.empty());
        EXPECT_EQ(heard.back(), SessionEvent(session::Ended{c.reason}));
        EXPECT_EQ(view.messages.size(), 1);
    }
}

TEST_F(ClientLink, ClosedByTheHostShowsTheLostConnectionMessage) {
    host->disconnectFromHost();
    ASSERT_TRUE(SpinUntil([&] { return !game.IsOnline(); }));
    EXPECT_EQ(view.messages, QStringList{"You have been disconnected or the server was closed."});
}

// A player of the running match whose line breaks logs in again by itself,
// keeping the chat; a host that is gone (nothing listens any more) ends the
// way back at once, as a lost line ended the game before.
TEST_F(ClientLink, APlayerWhoseLineBreaksLogsInAgainUntilTheHostIsGone) {
    HostWrites({"IDJG:2", QByteArray("INIT:") + char(1) + char(2) + "7", "TEXT:Hal: hi"});
    ASSERT_TRUE(SpinUntil([&] { return game.MatchRunning(); }));
    host->abort();
    ASSERT_TRUE(SpinUntil([&] { return ChatShows("Connection lost. Trying to reconnect for up to 60 s..."); }));
    EXPECT_TRUE(game.Reconnecting());
    EXPECT_TRUE(game.IsOnline());
    EXPECT_TRUE(view.messages.isEmpty());

    ASSERT_TRUE(SpinUntil([&] { return server.hasPendingConnections(); }));
    host = server.nextPendingConnection();
    ASSERT_TRUE(SpinUntil([&] { return host->bytesAvailable() > 0; }));
    EXPECT_EQ(frames.Feed(host->readAll()), std::vector<QByteArray>{"NICK:Ana,pw"});
    HostWrites({"NICI:"});  // the host has not seen the old line break yet: once more
    ASSERT_TRUE(SpinUntil([&] { return server.hasPendingConnections(); }, 5000));
    host = server.nextPendingConnection();
    HostWrites({"IDJG:2"});
    ASSERT_TRUE(SpinUntil([&] { return ChatShows("Reconnected. The game goes on."); }));
    EXPECT_FALSE(game.Reconnecting());
    EXPECT_EQ(game.MySlot(), 2);
    EXPECT_TRUE(ChatShows("Hal: hi"));
    EXPECT_EQ(std::count_if(view.chatLines.begin(), view.chatLines.end(),
                            [](const ChatLine& l) {
                                return HeadlessView::PlainText(l) == "Ana has entered in the chat!";
                            }),
              1);  // the first time only
    EXPECT_TRUE(view.messages.isEmpty());

    HostWrites({QByteArray("INIT:") + char(1) + char(2) + "7"});
    ASSERT_TRUE(SpinUntil([&] { return game.MatchRunning(); }));
    server.close();
    host->abort();
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(SpinUntil([&] { return game.State() == Session::Offline; }, 5000));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(view.messages, QStringList{"You have been disconnected or the server was closed."});
}

TEST_F(ClientLink, ALostHostLeavesNeitherAMatchNorQueuedEventsBehind) {
    game.SetSeatHoldSeconds(0);  // no way back: the line's end is the game's
    HostWrites({"IDJG:2", QByteArray("INIT:") + char(1) + char(2) + "7",
                "DISP:" + wire::EncodeShot({1, 21, 5, 0})});
    ASSERT_TRUE(SpinUntil([&] { return !queue.Empty(); }));
    EXPECT_EQ(library.matches.back().seat, 2);  // slot 2 plays red
    const int intros = library.introsShown;
    host->abort();
    ASSERT_TRUE(SpinUntil([&] { return game.State() == Session::Offline; }));
    EXPECT_TRUE(queue.Empty());
    EXPECT_FALSE(game.MatchRunning());
    EXPECT_EQ(library.introsShown, intros + 1);
    EXPECT_EQ(view.slotBoxes[2], kBoxSilver);
    EXPECT_TRUE(view.connectionPanelVisible);
}

TEST_F(ClientLink, ANewMatchStartsWithNothingLeftInTheQueue) {
    HostWrites({"IDJG:2", QByteArray("INIT:") + char(1) + char(2) + "7",
                "DISP:" + wire::EncodeShot({1, 21, 5, 0}), "MUDJ:"});
    ASSERT_TRUE(SpinUntil([&] { return queue.Size() == 2; }));
    HostWrites({QByteArray("INIT:") + char(2) + char(1) + "8",
                "SJRM:" + wire::EncodeAim({.x = 2, .z = 1, .force = 3, .angle = 0.5f, .phase = 1})});
    ASSERT_TRUE(SpinUntil([&] { return queue.Size() == 1; }));
    EXPECT_EQ(queue.Head(), GameEvent(wire::Aim{.x = 2, .z = 1, .force = 3, .angle = 0.5f, .phase = 1}));  // only what came after "INIT:"
    EXPECT_EQ(game.MatchSeed(), 8);
    EXPECT_EQ(library.matches.back().seat, 1);  // slot 2 plays green now
}

// The host names who went; two names that differ only in letter case are
// two players, and the exact one is meant.
TEST_F(ClientLink, ALeaveFreesTheExactNameBeforeOneInOtherLetterCase) {
    HostWrites(
        {"IDJG:4", "ENT2:Hal,1,0", "ENT2:Bob,2,0", "ENT2:bob,3,0", "SAIU:bob", "TEXT:Hal: one"});
    ASSERT_TRUE(SpinUntil([&] { return ChatShows("Hal: one"); }));
    EXPECT_EQ(view.slotLabels[3], "Player 3");
    EXPECT_EQ(view.slotLabels[2], "Bob");
    EXPECT_TRUE(ChatShows("bob left the chat!"));

    HostWrites({"TIOU:BOB", "TEXT:Hal: two"});  // no exact match: any letter case
    ASSERT_TRUE(SpinUntil([&] { return ChatShows("Hal: two"); }));
    EXPECT_EQ(view.slotLabels[2], "Player 2");
    EXPECT_EQ(view.slotLabels[1], "Hal");
    EXPECT_TRUE(ChatShows("BOB dropped. (timeout)"));
}

TEST(JoinChecks, NobodyListeningShowsTheConnectionFailedMessage) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const QString port = QString::number(closed.serverPort());
    closed.close();  // the port is free again: nobody answers there

    HeadlessView view;
    EventQueue queue;
    ChatDisplay chat(view, [](int) {});
    RecordingLibrary library;
    OnlineGame game(view, chat, queue, library);
    game.SetLanguage(3);
    std::vector<SessionEvent> heard;
    game.SetSessionListener([&](const SessionEvent& e) { heard.push_back(e); });
    ASSERT_TRUE(game.Join("127.0.0.1", port, ""));
    EXPECT_TRUE(game.IsConnecting());
    EXPECT_TRUE(view.connecting);  // the buttons that start a game wait
    ASSERT_TRUE(SpinUntil([&] { return !view.messages.isEmpty(); }));
    EXPECT_FALSE(view.connecting);
    EXPECT_EQ(view.messages.front(),
              QString::fromUtf8(
                  "Error al conectarse al server. IP inválido o el server no está disponible."));
    EXPECT_FALSE(game.IsConnecting());
    EXPECT_FALSE(game.IsOnline());
    EXPECT_EQ(heard, std::vector<SessionEvent>{session::Ended{SessionEnd::ConnectFailed}});

    // Refused before anything is opened.
    view.messages.clear();
    EXPECT_FALSE(game.Join("local host", port, ""));
    EXPECT_FALSE(game.Join("127.0.0.1", "70000", ""));
    EXPECT_EQ(view.messages, (QStringList{QString::fromUtf8("IP inválido."),
                                          QString::fromUtf8("Puerta inválida.")}));
    EXPECT_FALSE(game.IsConnecting());
}

TEST(JoinChecks, Port) {
    EXPECT_EQ(ParsePort("2500"), 2500);
    EXPECT_EQ(ParsePort("65355"), 65355);
    EXPECT_FALSE(ParsePort("65356"));
    EXPECT_FALSE(ParsePort("-1"));
    EXPECT_FALSE(ParsePort("25x"));
    EXPECT_FALSE(ParsePort("0"));  // nobody could be told where the game is
}

}  // namespace
