// A TCP proxy on 127.0.0.1 between the peers of a test and the host: what
// one side writes reaches the other, unless the test cuts the line (both
// ends reset, as a broken route looks to each side) or takes it down (new
// connections are let in and reset at once, as a line that keeps failing).
// A slow line cuts what it carries at random byte boundaries and hands each
// piece on after a random delay, in order, as a long and busy route does.
#pragma once

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <deque>
#include <memory>
#include <random>
#include <vector>

class LineProxy {
public:
    explicit LineProxy(quint16 hostPort);
    ~LineProxy();

    quint16 Port() const { return server_.serverPort(); }
    // Resets every connection through the proxy.
    void Cut();
    void SetDown(bool down) { down_ = down; }
    // From now on every piece waits minMs..maxMs (never overtaking the one
    // before it); the seed makes the cuts and delays repeatable.
    void SetSlowLine(int minMs, int maxMs, unsigned seed);
    int Connections() const { return static_cast<int>(pairs_.size()); }
    // How many pieces the slow line has handed on so far.
    int Pieces() const { return pieces_; }

private:
    // One way of one connection: the pieces still on the line.
    struct Direction {
        QTcpSocket* to = nullptr;
        std::deque<std::pair<qint64, QByteArray>> pending;  // due time, bytes
        qint64 lastDue = 0;
        QTimer timer;
    };
    struct Pair {
        std::unique_ptr<QTcpSocket> near;  // the peer's side
        std::unique_ptr<QTcpSocket> far;   // the host's side
        Direction toFar, toNear;
    };
    void Accept();
    void Carry(Direction& d, const QByteArray& bytes);
    void Deliver(Direction& d);

    quint16 hostPort_;
    QTcpServer server_;
    std::vector<std::unique_ptr<Pair>> pairs_;
    bool down_ = false;
    bool slow_ = false;
    int pieces_ = 0;
    int minMs_ = 0, maxMs_ = 0;
    std::mt19937 random_;
    QElapsedTimer clock_;
};
