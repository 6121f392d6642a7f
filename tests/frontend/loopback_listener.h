// A TCP listener on 127.0.0.1 at a port the kernel picks, for tests and
// benchmarks that need the far end of a connection of their own. The kernel
// completes connections to it whether or not anyone accepts them.
#pragma once

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>

class LoopbackListener {
public:
    explicit LoopbackListener(int backlog) : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address = Address(0);
        socklen_t length = sizeof address;
        bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(fd_, backlog);
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~LoopbackListener() { close(fd_); }
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    uint16_t Port() const { return port_; }
    // A new socket connected to this listener; -1 when it could not connect.
    int Connect() const {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in address = Address(port_);
        if (fd >= 0 && connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return fd;
        if (fd >= 0) close(fd);
        return -1;
    }
    // The next connection waiting; -1 on failure.
    int Accept() const { return accept(fd_, nullptr, nullptr); }

private:
    static sockaddr_in Address(uint16_t port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        return address;
    }

    int fd_;
    uint16_t port_ = 0;
};
