#include "frontend/net/network_link.h"

#include <QHostAddress>
#include <QTimer>
#include <unistd.h>

#include "frontend/net/line_watch.h"

namespace {
// How long a closing connection may take to hand over its last bytes.
constexpr int kCloseGraceMs = 2000;
}  // namespace

void NetworkLink::SocketDeleter::operator()(QTcpSocket* s) const {
    // A socket may be closed from inside its own notification, so it is
    // never deleted on the spot. A farewell ("QUIT:", "ENDS:", "KIKD:") still
    // queued is written before the close, within a grace period.
    s->disconnect();
    s->setParent(closing);
    s->flush();
    s->disconnectFromHost();
    if (s->state() == QAbstractSocket::UnconnectedState) {
        s->deleteLater();
        return;
    }
    QObject::connect(s, &QAbstractSocket::disconnected, s, &QObject::deleteLater);
    QTimer::singleShot(kCloseGraceMs, s, [s] {
        s->abort();
        s->deleteLater();
    });
}

NetworkLink::NetworkLink(LinkListener& listener) : listener_(listener) {}

NetworkLink::~NetworkLink() {
    StopHosting();
    Disconnect();
}

bool NetworkLink::Listen(quint16 port) {
    StopHosting();
    auto server = std::make_unique<QTcpServer>();
    // Any is both families on one socket; a system without IPv6 refuses it.
    if (!server->listen(QHostAddress::Any, port) && !server->listen(QHostAddress::AnyIPv4, port)) {
        qWarning("network: cannot listen on port %u: %s", port, qPrintable(server->errorString()));
        return false;
    }
    QObject::connect(server.get(), &QTcpServer::newConnection, [this] { AcceptPending(); });
    server_ = std::move(server);
    nextConnectionId_ = 0;
    return true;
}

quint16 NetworkLink::ListeningPort() const {
    return server_ ? server_->serverPort() : 0;
}

void NetworkLink::StopHosting() {
    connections_.clear();  // the deleter flushes and closes each one
    if (server_) {
        server_->close();
        server_.reset();
    }
}

std::vector<int> NetworkLink::ConnectionIds() const {
    std::vector<int> ids;
    for (const auto& [id, c] : connections_) ids.push_back(id);
    return ids;
}

void NetworkLink::AcceptPending() {
    while (server_ && server_->hasPendingConnections()) {
        QTcpSocket* raw = server_->nextPendingConnection();
        raw->setParent(nullptr);
        Register(raw, false);
    }
}

int NetworkLink::AdoptConnection(int fd) {
    if (!server_) {
        qWarning("network: a relayed line came while not hosting; closed");
        close(fd);
        return -1;
    }
    auto* raw = new QTcpSocket();
    if (!raw->setSocketDescriptor(fd)) {
        qWarning("network: a relayed line could not be taken: %s", qPrintable(raw->errorString()));
        delete raw;
        close(fd);
        return -1;
    }
    return Register(raw, true);
}

int NetworkLink::Register(QTcpSocket* raw, bool relayed) {
    const int id = nextConnectionId_++;
    QObject::connect(raw, &QTcpSocket::readyRead, [this, id] { ReadFromClient(id); });
    QObject::connect(raw, &QTcpSocket::errorOccurred, [this, id](QAbstractSocket::SocketError) {
        if (connections_.count(id) == 0) return;
        connections_.erase(id);
        listener_.OnClientConnectionError(id);
    });
    raw->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    line_watch::Watch(*raw);
    connections_[id] =
        ClientConnection{SocketPtr(raw, SocketDeleter(&closing_)), FrameAssembler(), relayed};
    return id;
}

bool NetworkLink::IsConnectionRelayed(int connectionId) const {
    const auto it = connections_.find(connectionId);
    return it != connections_.end() && it->second.relayed;
}

int NetworkLink::OpenUnwiredConnection() {
    const int id = nextConnectionId_++;
    connections_[id] = ClientConnection{};
    return id;
}

void NetworkLink::ReadFromClient(int connectionId) {
    auto it = connections_.find(connectionId);
    if (it == connections_.end() || !it->second.socket) return;
    ReceiveFromClient(connectionId, it->second.socket->readAll());
}

void NetworkLink::ReceiveFromClient(int connectionId, const QByteArray& bytes) {
    auto it = connections_.find(connectionId);
    if (it == connections_.end()) return;
    std::vector<QByteArray> messages = it->second.frames.Feed(bytes);
    if (!messages.empty()) listener_.OnClientMessages(connectionId, messages);
}

void NetworkLink::Broadcast(const QByteArray& message, int exceptId) {
    const QByteArray frame = MakeFrame(message);
    if (frame.isEmpty()) return;
    for (auto& [id, c] : connections_) {
        if (id != exceptId && c.socket) c.socket->write(frame);
    }
}

void NetworkLink::SendToConnection(const QByteArray& message, int connectionId) {
    const QByteArray frame = MakeFrame(message);
    if (!frame.isEmpty()) SendRawToConnection(frame, connectionId);
}

void NetworkLink::SendRawToConnection(const QByteArray& bytes, int connectionId) {
    auto it = connections_.find(connectionId);
    if (it != connections_.end() && it->second.socket) it->second.socket->write(bytes);
}

void NetworkLink::ProbeConnection(int connectionId) {
    auto it = connections_.find(connectionId);
    if (it != connections_.end() && it->second.socket) line_watch::ProbeNow(*it->second.socket);
}

void NetworkLink::CloseConnection(int connectionId) {
    connections_.erase(connectionId);
}

void NetworkLink::ConnectToHost(const QList<QHostAddress>& addresses, quint16 port,
                                int timeoutMs) {
    Disconnect();
    addressesLeft_ = addresses;
    hostPort_ = port;
    connectTimeoutMs_ = timeoutMs;
    TryNextAddress();
}

void NetworkLink::TryNextAddress() {
    const int attempt = ++connectAttempt_;
    hostFrames_.Clear();
    connected_ = false;
    hostSocket_.reset();
    if (addressesLeft_.isEmpty()) {
        listener_.OnConnectFailed();
        return;
    }
    const QHostAddress address = addressesLeft_.takeFirst();
    hostSocket_ = SocketPtr(new QTcpSocket(), SocketDeleter(&closing_));
    QTcpSocket* s = hostSocket_.get();
    QObject::connect(s, &QTcpSocket::connected, [this] { HostConnected(); });
    QObject::connect(s, &QTcpSocket::errorOccurred, [this](QAbstractSocket::SocketError error) {
        if (connected_) return;
        lastAttemptRefused_ = error == QAbstractSocket::ConnectionRefusedError;
        TryNextAddress();
    });
    WireHostSocket(s);
    s->connectToHost(address, hostPort_);
    // Unanswered SYNs would keep trying for about two minutes.
    QTimer::singleShot(connectTimeoutMs_, s, [this, attempt] {
        if (attempt != connectAttempt_ || connected_ || !hostSocket_) return;
        lastAttemptRefused_ = false;
        TryNextAddress();
    });
}

void NetworkLink::WireHostSocket(QTcpSocket* s) {
    QObject::connect(s, &QTcpSocket::readyRead, [this] { ReadFromHost(); });
    QObject::connect(s, &QTcpSocket::disconnected, [this] {
        hostSocket_.reset();
        listener_.OnHostConnectionLost();
    });
}

void NetworkLink::HostConnected() {
    connected_ = true;
    addressesLeft_.clear();
    hostSocket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    line_watch::Watch(*hostSocket_);
    listener_.OnConnectedToHost();
}

bool NetworkLink::AdoptHostConnection(int fd) {
    Disconnect();
    hostFrames_.Clear();
    auto* raw = new QTcpSocket();
    if (!raw->setSocketDescriptor(fd)) {
        qWarning("network: a relayed line to the host could not be taken: %s",
                 qPrintable(raw->errorString()));
        delete raw;
        close(fd);
        return false;
    }
    hostSocket_ = SocketPtr(raw, SocketDeleter(&closing_));
    WireHostSocket(raw);
    HostConnected();
    return true;
}

void NetworkLink::ReadFromHost() {
    if (!hostSocket_) return;
    std::vector<QByteArray> messages = hostFrames_.Feed(hostSocket_->readAll());
    if (!messages.empty()) listener_.OnHostMessages(messages);
}

void NetworkLink::SendToHost(const QByteArray& message) {
    const QByteArray frame = MakeFrame(message);
    if (hostSocket_ && !frame.isEmpty()) hostSocket_->write(frame);
}

void NetworkLink::Disconnect() {
    ++connectAttempt_;
    addressesLeft_.clear();
    hostSocket_.reset();
    connected_ = false;
}
