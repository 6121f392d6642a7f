#include "frontend/net/farewell.h"

#include <QTimer>

#include "frontend/wire/frame_codec.h"

namespace {
// How long the host may take to read the farewell before the line closes.
constexpr int kCloseGraceMs = 2000;
}  // namespace

void Farewell::Send(const QList<QHostAddress>& addresses, quint16 port,
                    const std::vector<QByteArray>& messages) {
    addressesLeft_ = addresses;
    port_ = port;
    frames_.clear();
    for (const QByteArray& m : messages) frames_ += MakeFrame(m);
    TryNextAddress();
}

void Farewell::TryNextAddress() {
    // Deleted later: this may run inside the old socket's own notification.
    if (socket_) socket_.release()->deleteLater();
    if (addressesLeft_.isEmpty()) return;
    socket_ = std::make_unique<QTcpSocket>();
    QTcpSocket* s = socket_.get();
    QObject::connect(s, &QTcpSocket::connected, s, [this, s] {
        addressesLeft_.clear();
        s->write(frames_);
        s->disconnectFromHost();  // after the bytes are written
        QTimer::singleShot(kCloseGraceMs, s, [s] { s->abort(); });
    });
    QObject::connect(s, &QTcpSocket::errorOccurred, s, [this, s] {
        if (s->state() != QAbstractSocket::ConnectedState && !addressesLeft_.isEmpty())
            TryNextAddress();
    });
    QTimer::singleShot(kAttemptLimitMs, s, [this, s] {
        if (s->state() != QAbstractSocket::ConnectedState &&
            s->state() != QAbstractSocket::ClosingState)
            TryNextAddress();
    });
    s->connectToHost(addressesLeft_.takeFirst(), port_);
}
