// Test helpers: spin the Qt event loop until something holds, and a bare TCP
// connection that writes exactly the bytes it is given and collects the
// frames it receives.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <functional>
#include <memory>
#include <vector>

#include "frontend/wire/frame_codec.h"
#include "tests/frontend/spin_until.h"

class RawConnection {
public:
    explicit RawConnection(quint16 port,
                           const QHostAddress& address = QHostAddress(QHostAddress::LocalHost)) {
        QObject::connect(&socket_, &QTcpSocket::readyRead, [this] {
            for (QByteArray& m : frames_.Feed(socket_.readAll())) received.push_back(m);
        });
        socket_.connectToHost(address, port);
        SpinUntil([this] { return socket_.state() == QAbstractSocket::ConnectedState; });
    }
    void Write(const QByteArray& bytes) {
        socket_.write(bytes);
        socket_.flush();
    }
    void Send(const QByteArray& message) { Write(MakeFrame(message)); }
    bool Received(const QByteArray& message) const {
        for (const QByteArray& m : received)
            if (m == message) return true;
        return false;
    }
    bool WaitFor(const QByteArray& message, int timeoutMs = 5000) {
        return SpinUntil([&] { return Received(message); }, timeoutMs);
    }
    bool Connected() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    void Close() { socket_.abort(); }

    std::vector<QByteArray> received;

private:
    QTcpSocket socket_;
    FrameAssembler frames_;
};

// A bare connection that logged in under this name and was given this slot
// (the test fails where it was not).
inline std::unique_ptr<RawConnection> AdmittedConnection(quint16 port, const QByteArray& name,
                                                         int slot) {
    auto c = std::make_unique<RawConnection>(port);
    c->Send("NICK:" + name + ",");
    EXPECT_TRUE(c->WaitFor("IDJG:" + QByteArray::number(slot)));
    return c;
}
