// A TCP proxy on 127.0.0.1 between the peers of a test and the host: what
// one side writes reaches the other, unless the test cuts the line (both
// ends reset, as a broken route looks to each side) or takes it down (new
// connections are let in and reset at once, as a line that keeps failing).
#pragma once

#include <QTcpServer>
#include <QTcpSocket>
#include <memory>
#include <vector>

class LineProxy {
public:
    explicit LineProxy(quint16 hostPort);
    ~LineProxy();

    quint16 Port() const { return server_.serverPort(); }
    // Resets every connection through the proxy.
    void Cut();
    void SetDown(bool down) { down_ = down; }
    int Connections() const { return static_cast<int>(pairs_.size()); }

private:
    struct Pair {
        std::unique_ptr<QTcpSocket> near;  // the peer's side
        std::unique_ptr<QTcpSocket> far;   // the host's side
    };
    void Accept();

    quint16 hostPort_;
    QTcpServer server_;
    std::vector<std::unique_ptr<Pair>> pairs_;
    bool down_ = false;
};
