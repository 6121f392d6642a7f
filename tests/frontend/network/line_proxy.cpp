#include "line_proxy.h"

#include <QHostAddress>

LineProxy::LineProxy(quint16 hostPort) : hostPort_(hostPort) {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] { Accept(); });
}

LineProxy::~LineProxy() {
    Cut();
}

void LineProxy::Accept() {
    while (server_.hasPendingConnections()) {
        std::unique_ptr<QTcpSocket> near(server_.nextPendingConnection());
        near->setParent(nullptr);
        if (down_) {
            near->abort();
            continue;
        }
        auto pair = std::make_unique<Pair>();
        pair->near = std::move(near);
        pair->far = std::make_unique<QTcpSocket>();
        QTcpSocket* n = pair->near.get();
        QTcpSocket* f = pair->far.get();
        // Bytes from the peer wait in its socket until the host's side is up.
        QObject::connect(f, &QTcpSocket::connected, [n, f] { f->write(n->readAll()); });
        QObject::connect(n, &QTcpSocket::readyRead, [n, f] {
            if (f->state() == QAbstractSocket::ConnectedState) f->write(n->readAll());
        });
        QObject::connect(f, &QTcpSocket::readyRead, [n, f] { n->write(f->readAll()); });
        // One end closing closes the other, after what it still had to say.
        QObject::connect(n, &QTcpSocket::disconnected, f, [f] { f->disconnectFromHost(); });
        QObject::connect(f, &QTcpSocket::disconnected, n, [n] { n->disconnectFromHost(); });
        f->connectToHost(QHostAddress::LocalHost, hostPort_);
        pairs_.push_back(std::move(pair));
    }
}

void LineProxy::Cut() {
    for (auto& p : pairs_) {
        p->near->disconnect();
        p->far->disconnect();
        p->near->abort();
        p->far->abort();
    }
    pairs_.clear();
}
