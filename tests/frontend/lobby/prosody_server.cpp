#include "tests/frontend/lobby/prosody_server.h"

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace {

constexpr int kStartMs = 20000;
constexpr char kDomain[] = "localhost";
const QString kRoomOpen = QStringLiteral("Ringdisk lobby room lobby@rooms.localhost is open");

}  // namespace

uint16_t FreeLoopbackPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    uint16_t port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

bool ProsodyServer::Installed() {
    return !QStandardPaths::findExecutable(QStringLiteral("prosody")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("openssl")).isEmpty();
}

bool ProsodyServer::Start(int connectionsPerAddress, bool withRelay) {
    const QString root = dir_.path();
    const QString certs = root + QStringLiteral("/certs");
    const QString data = root + QStringLiteral("/data");
    QDir().mkpath(certs);
    QDir().mkpath(data);
    // A certificate of its own, which the clients are told to trust: the
    // line is encrypted and checked exactly as on a real lobby.
    const int made = QProcess::execute(
        QStringLiteral("openssl"),
        {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
         QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
         QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
         QStringLiteral("-addext"), QStringLiteral("subjectAltName=DNS:localhost,DNS:rooms.localhost"),
         QStringLiteral("-keyout"), certs + QStringLiteral("/localhost.key"), QStringLiteral("-out"),
         certs + QStringLiteral("/localhost.crt")});
    if (made != 0) {
        problem_ = QStringLiteral("openssl could not make a certificate");
        return false;
    }
    port_ = FreeLoopbackPort();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("RINGDISK_LOBBY_DOMAIN"), QString::fromLatin1(kDomain));
    env.insert(QStringLiteral("RINGDISK_LOBBY_PORT"), QString::number(port_));
    env.insert(QStringLiteral("RINGDISK_LOBBY_INTERFACE"), QStringLiteral("127.0.0.1"));
    do relayPort_ = FreeLoopbackPort();
    while (relayPort_ == port_);
    env.insert(QStringLiteral("RINGDISK_LOBBY_RELAY_PORT"), QString::number(relayPort_));
    env.insert(QStringLiteral("RINGDISK_LOBBY_RELAY_ADDRESS"), QStringLiteral("127.0.0.1"));
    if (!withRelay) env.insert(QStringLiteral("RINGDISK_LOBBY_RELAY"), QStringLiteral("off"));
    env.insert(QStringLiteral("RINGDISK_LOBBY_DATA"), data);
    env.insert(QStringLiteral("RINGDISK_LOBBY_CERTS"), certs);
    env.insert(QStringLiteral("RINGDISK_LOBBY_PIDFILE"), root + QStringLiteral("/prosody.pid"));
    env.insert(QStringLiteral("RINGDISK_LOBBY_LOG"), root + QStringLiteral("/prosody.log"));
    env.insert(QStringLiteral("RINGDISK_LOBBY_PLUGINS"), QStringLiteral(RINGDISK_LOBBY_DIST));
    env.insert(QStringLiteral("RINGDISK_LOBBY_RUN_AS_ROOT"), getuid() == 0 ? QStringLiteral("1") : QStringLiteral("0"));
    if (connectionsPerAddress > 0)
        env.insert(QStringLiteral("RINGDISK_LOBBY_CONNECTIONS_PER_ADDRESS"), QString::number(connectionsPerAddress));
    // A server started again appends to the same log: only what this run
    // writes tells that its room is open.
    const qsizetype logBefore = Log().size();
    process_ = std::make_unique<QProcess>();
    process_->setProcessEnvironment(env);
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->start(QStringLiteral("prosody"),
                    {QStringLiteral("-F"), QStringLiteral("--config"),
                     QStringLiteral(RINGDISK_LOBBY_DIST "/prosody.cfg.lua")});
    const QDeadlineTimer deadline(kStartMs);
    while (!deadline.hasExpired()) {
        if (process_->state() == QProcess::NotRunning) {
            problem_ = QStringLiteral("prosody ended: ") + QString::fromUtf8(process_->readAll()) + Log();
            return false;
        }
        if (Log().mid(logBefore).contains(kRoomOpen)) return true;
        process_->waitForReadyRead(50);
    }
    problem_ = QStringLiteral("prosody did not open the lobby room in time: ") + Log();
    return false;
}

void ProsodyServer::Stop() {
    if (!process_ || process_->state() == QProcess::NotRunning) return;
    Thaw();
    process_->terminate();
    if (!process_->waitForFinished(10000)) {
        process_->kill();
        process_->waitForFinished(5000);
    }
}

void ProsodyServer::Freeze() {
    if (process_) kill(static_cast<pid_t>(process_->processId()), SIGSTOP);
}

void ProsodyServer::Thaw() {
    if (process_) kill(static_cast<pid_t>(process_->processId()), SIGCONT);
}

ProsodyServer::~ProsodyServer() {
    Stop();
}

lobby::LobbyServer ProsodyServer::Lobby() const {
    lobby::LobbyServer server = lobby::LobbyServerAt(QString::fromLatin1(kDomain));
    server.connectHost = QStringLiteral("127.0.0.1");
    server.port = port_;
    server.caFile = dir_.path() + QStringLiteral("/certs/localhost.crt");
    return server;
}

QString ProsodyServer::Log() const {
    QFile file(dir_.path() + QStringLiteral("/prosody.log"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
