// Seeds for the wire targets: the bytes a client really sends a host through
// a match, recorded on the line between two front-end cores in this process
// (each against the recording stand-in for the game library). The client
// logs in, aims, shoots and passes the turn, chats, asks for the host's
// version and for a shout, answers the host's table check and leaves.
//
//   match_seeds CORPUS_ROOT
// writes wire_stranger/ (the whole stream, and the login alone) and
// wire_seated/ (the stream after the login, and each frame of it alone),
// each behind the first byte the targets read.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <cstdio>
#include <memory>

#include "frontend/session/frontend_core.h"
#include "frontend/view/headless_view.h"
#include "tests/frontend/core/recording_library.h"
#include "tests/frontend/spin_until.h"

namespace {

// Sits between the client and the host, passing bytes both ways and keeping
// those the client sends.
class Tap {
public:
    explicit Tap(quint16 hostPort) : hostPort_(hostPort) {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] { Accept(); });
    }
    quint16 Port() const { return server_.serverPort(); }
    const QByteArray& FromClient() const { return fromClient_; }

private:
    void Accept() {
        client_ = server_.nextPendingConnection();
        host_ = std::make_unique<QTcpSocket>();
        host_->connectToHost(QHostAddress::LocalHost, hostPort_);
        QObject::connect(client_, &QTcpSocket::readyRead, [this] {
            const QByteArray bytes = client_->readAll();
            fromClient_ += bytes;
            host_->write(bytes);
        });
        QObject::connect(host_.get(), &QTcpSocket::readyRead,
                         [this] { client_->write(host_->readAll()); });
        QObject::connect(host_.get(), &QTcpSocket::disconnected, [this] { client_->close(); });
    }

    quint16 hostPort_;
    QTcpServer server_;
    QTcpSocket* client_ = nullptr;
    std::unique_ptr<QTcpSocket> host_;
    QByteArray fromClient_;
};

struct Machine {
    explicit Machine(const QString& name)
        : core(
              view, [](int) {}, library) {
        core.Online().SetNickname(name);
        core.Start(false, 4);
    }
    ~Machine() { core.Close({}); }
    HeadlessView view;
    RecordingLibrary library;
    FrontendCore core;
};

bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// The first byte the wire targets read: 1 puts the seated client to move.
constexpr char kClientToMove = 1;

bool PlayMatch(QByteArray& recorded) {
    Machine host("Ana");
    if (!host.core.Online().HostOnPort(0, "")) return false;
    Tap tap(host.core.Online().ListeningPort());
    Machine client("Bob");
    if (!client.core.Online().Join("127.0.0.1", QString::number(tap.Port()), "")) return false;
    if (!SpinUntil([&] { return host.view.slotLabels[2] == "Bob"; })) return false;

    host.core.Online().StartFirstMatch();
    if (!SpinUntil([&] { return client.core.Online().MatchRunning(); })) return false;
    // Green (the host) breaks. As the game library does, the table passes
    // its turn itself once the shot has come to rest and then reports it.
    host.core.Callbacks().OnShoot({0.0f, 21.5f, 9.0f, 0.0f});
    if (!SpinUntil([&] { return host.library.shots.size() == 1 && !host.library.moving; }))
        return false;
    host.library.SetSideToMove(1);
    host.core.Callbacks().OnTurnPassed();
    if (!SpinUntil([&] {
            return client.library.shots.size() == 1 && client.library.SideToMove() == 1 &&
                   !client.library.moving;
        }))
        return false;
    // The client aims a little, shoots and passes the turn back.
    for (int step = 0; step < 4; ++step)
        client.core.Callbacks().OnAim({.x = 2.0f * float(step),
                                       .z = -21.5f,
                                       .force = 3.0f + float(step),
                                       .angle = 0.25f,
                                       .phase = static_cast<uint8_t>(step)});
    client.core.Callbacks().OnShoot({6.0f, -21.5f, 8.5f, 0.3f});
    if (!SpinUntil([&] { return client.library.shots.size() == 2 && !client.library.moving; }))
        return false;
    client.library.SetSideToMove(0);
    client.core.Callbacks().OnTurnPassed();
    client.core.Chat().Enter(QStringLiteral("boa jogada, Ana!"));
    client.core.Chat().Enter(QStringLiteral("/version"));
    client.core.Chat().Enter(QStringLiteral("/praca"));
    if (!SpinUntil([&] {
            return host.library.shots.size() == 2 && !host.library.moving &&
                   host.library.SideToMove() == 0;
        }))
        return false;
    // The host checks the tables; the client answers with its own.
    host.core.Online().VerifySync();
    SpinFor(300);
    client.core.Online().LeaveGame(false);
    if (!SpinUntil([&] { return host.view.slotLabels[2] != "Bob"; })) return false;
    recorded = tap.FromClient();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: match_seeds CORPUS_ROOT\n");
        return 2;
    }
    QByteArray stream;
    if (!PlayMatch(stream)) {
        std::fprintf(stderr, "match_seeds: the recorded match did not play through\n");
        return 1;
    }
    FrameAssembler assembler;
    const std::vector<QByteArray> messages = assembler.Feed(stream);
    if (messages.size() < 8 || !messages.front().startsWith("NICK:")) {
        std::fprintf(stderr, "match_seeds: only %zu messages recorded\n", messages.size());
        return 1;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    root.mkpath(QStringLiteral("wire_stranger"));
    root.mkpath(QStringLiteral("wire_seated"));
    const QByteArray login = MakeFrame(messages.front());
    bool written =
        Write(root.filePath("wire_stranger/match"), char(0) + stream) &&
        Write(root.filePath("wire_stranger/login"), char(0) + login) &&
        Write(root.filePath("wire_seated/match"), kClientToMove + stream.mid(login.size()));
    for (size_t i = 1; i < messages.size(); ++i)
        written = written && Write(root.filePath(QStringLiteral("wire_seated/frame%1").arg(i)),
                                   kClientToMove + MakeFrame(messages[i]));
    return written ? 0 : 1;
}
