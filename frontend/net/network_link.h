// The sockets of an online game: the host's listening socket with its client
// connections, or the client's one connection to the host. Everything runs on
// the GUI thread through Qt's socket notifications; whole messages (never
// partial frames) are handed to the listener. Every connected line is
// watched for a far end that vanished without a reset (line_watch.h).
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <map>
#include <memory>
#include <vector>

#include "frontend/wire/frame_codec.h"

class LinkListener {
public:
    virtual ~LinkListener() = default;
    // Host: the whole messages of one read event from one client connection.
    virtual void OnClientMessages(int connectionId, const std::vector<QByteArray>& messages) = 0;
    // Host: a client connection failed or was closed by its peer.
    virtual void OnClientConnectionError(int connectionId) = 0;
    // Client: the whole messages of one read event from the host.
    virtual void OnHostMessages(const std::vector<QByteArray>& messages) = 0;
    virtual void OnConnectedToHost() = 0;
    virtual void OnConnectFailed() = 0;
    // Client: the host closed the connection or the line broke.
    virtual void OnHostConnectionLost() = 0;
};

class NetworkLink {
public:
    explicit NetworkLink(LinkListener& listener);
    ~NetworkLink();

    // Host. Port 0 lets the system choose; ListeningPort tells which. Friends
    // may come over IPv4 or IPv6 alike; where the system has no IPv6, over
    // IPv4 alone.
    bool Listen(quint16 port);
    quint16 ListeningPort() const;
    // Closes every client connection (after their pending bytes) and stops
    // listening.
    void StopHosting();
    // A connected socket made elsewhere (a line through a relay) taken as a
    // client connection exactly as an accepted one: the same reads, checks
    // and admission follow. The descriptor is the link's from now on, also
    // when it is refused; -1 when not hosting or the socket is unusable.
    int AdoptConnection(int fd);
    int OpenConnectionCount() const { return static_cast<int>(connections_.size()); }
    bool IsConnectionOpen(int connectionId) const { return connections_.count(connectionId) != 0; }
    // Whether an open connection came through AdoptConnection.
    bool IsConnectionRelayed(int connectionId) const;
    std::vector<int> ConnectionIds() const;
    void Broadcast(const QByteArray& message, int exceptId);
    void SendToConnection(const QByteArray& message, int connectionId);
    void SendRawToConnection(const QByteArray& bytes, int connectionId);
    void CloseConnection(int connectionId);
    // Has the system probe the line of a connection now, so that a far end
    // gone without a word is found out (and reported as a connection error)
    // within a round trip rather than after the line's quiet time.
    void ProbeConnection(int connectionId);
    // A client connection with no socket under it: what it is sent goes
    // nowhere, and what it "reads" is handed to ReceiveFromClient. The host's
    // handling of arbitrary byte streams is exercised through it.
    int OpenUnwiredConnection();
    // Bytes read from a client connection: assembled into whole messages,
    // which go to the listener.
    void ReceiveFromClient(int connectionId, const QByteArray& bytes);

    // Client.
    // An attempt that is neither answered nor refused fails after
    // kConnectTimeoutMs, as a refused one does. The addresses of a name
    // are tried in turn, each with that limit, until one answers.
    static constexpr int kConnectTimeoutMs = 15000;
    void ConnectToHost(const QList<QHostAddress>& addresses, quint16 port,
                       int timeoutMs = kConnectTimeoutMs);
    void ConnectToHost(const QString& address, quint16 port, int timeoutMs = kConnectTimeoutMs) {
        ConnectToHost(QList<QHostAddress>{QHostAddress(address)}, port, timeoutMs);
    }
    // A connected socket made elsewhere (a line through the lobby's relay)
    // taken as the connection to the host, as if it had just connected:
    // the listener hears OnConnectedToHost before this returns. The
    // descriptor is the link's from now on; false when it is unusable.
    bool AdoptHostConnection(int fd);
    void SendToHost(const QByteArray& message);
    // Whether the last failed attempt was refused outright by the host
    // (nothing listens there) rather than left unanswered.
    bool LastAttemptRefused() const { return lastAttemptRefused_; }
    // Closes our connection on purpose: no lost-connection notification.
    void Disconnect();

private:
    // Hands a socket over to close in its own time, under the closing
    // sockets' parent, so that whatever has not closed when the link goes
    // is deleted with it instead of outliving everything.
    struct SocketDeleter {
        SocketDeleter() : closing(nullptr) {}
        explicit SocketDeleter(QObject* parent) : closing(parent) {}
        void operator()(QTcpSocket* s) const;
        QObject* closing;
    };
    using SocketPtr = std::unique_ptr<QTcpSocket, SocketDeleter>;
    struct ClientConnection {
        SocketPtr socket;  // null for an unwired connection
        FrameAssembler frames;
        bool relayed = false;
    };

    void AcceptPending();
    // Registers a connected client socket; its new id.
    int Register(QTcpSocket* raw, bool relayed);
    void ReadFromClient(int connectionId);
    void ReadFromHost();
    // Tries the next address left, or tells the listener that none answered.
    void TryNextAddress();
    // The reads and the loss of a host socket, alike for every way it came.
    void WireHostSocket(QTcpSocket* s);
    // The host socket is connected: watched, and the listener told.
    void HostConnected();

    // Declared first, so destroyed last: the sockets still closing.
    QObject closing_;
    LinkListener& listener_;
    std::unique_ptr<QTcpServer> server_;
    std::map<int, ClientConnection> connections_;
    int nextConnectionId_ = 0;
    SocketPtr hostSocket_;
    FrameAssembler hostFrames_;
    bool connected_ = false;
    int connectAttempt_ = 0;
    QList<QHostAddress> addressesLeft_;
    bool lastAttemptRefused_ = false;
    quint16 hostPort_ = 0;
    int connectTimeoutMs_ = kConnectTimeoutMs;
};
